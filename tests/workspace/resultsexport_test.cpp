#include "workspace/resultsexport.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "model/atomicfile.h"
#include "model/numbers.h"
#include "station_files.h"
#include "workspace/session.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;
using test_support::WriteStation;

// Ten days of Tmax, Tmin and wind (missing on the seventh day), no ETo yet.
RepClimateFile TenDays(const ScratchFolder& folder) {
  std::string dta = "        Nr       101       103       301       501\r\n";
  for (int n = 1; n <= 10; ++n) {
    dta += FormatInt(n, 10) + FormatReal(20.0 + n, 10, 1) + "      10.0" +
           (n == 7 ? "   -999.00" : "      2.50") + "    -999.0\r\n";
  }
  return WriteStation(folder.Folder(), "TEN", kDaily, {1, 7, 2001}, {10, 7, 2001}, dta);
}

// The table WriteResults makes of the station as its files hold it, lines ended as the batch
// tool ends them.
std::string TableOfFiles(const ScratchFolder& folder, const ResultsFormat& format) {
  RepClimateFile station;
  SetStationFiles(station, folder.Folder(), "TEN");
  EXPECT_TRUE(ReadStationDescription(station).Ok);
  EXPECT_TRUE(ReadParameterCodes(station).Ok);
  std::string table;
  EXPECT_TRUE(WriteResults(station, format, [&table](std::string_view line) {
    (table += line) += '\n';
    return Status::Success();
  }));
  return table;
}

// ---------------------------------------------------------------------------------------------
// The target

TEST(ResultsTableTarget, NamedByTheSeparatorWithoutBlanksAndSaysWhenItReplacesAFile) {
  ScratchFolder output;
  ResultsTableTarget target = CheckResultsTable(output.Folder(), " My Table ", {','});
  ASSERT_TRUE(target) << target.Message;
  EXPECT_EQ(target.Name, "MyTable");
  EXPECT_EQ(target.FileName, "MyTable.csv");
  EXPECT_EQ(target.Path, output.File("MyTable.csv"));
  EXPECT_FALSE(target.Replaces);
  EXPECT_TRUE(output.Names().empty());  // the trial file is gone again

  WriteBytes(output.File("MyTable.tsv"), "older");
  target = CheckResultsTable(output.Folder(), "MyTable", {'\t', true});
  EXPECT_EQ(target.FileName, "MyTable.tsv");
  EXPECT_TRUE(target.Replaces);
  EXPECT_EQ(ReadBytes(output.File("MyTable.tsv")), "older");

  EXPECT_EQ(ReplaceResultsTableQuestion("MyTable.tsv"), "MyTable.tsv exists already. Replace it ?");
}

TEST(ResultsTableTarget, RefusesAnEmptyOrIllegalNameAndAMissingFolder) {
  ScratchFolder output;
  EXPECT_EQ(CheckResultsTable(output.Folder(), "  ", {}).Message,
            "ERROR:\nFileName is not yet specified");
  EXPECT_EQ(CheckResultsTable(output.Folder(), "a.b", {}).Message, "ERROR:\nillegal filename");
  const std::string gone = output.File("gone");
  EXPECT_EQ(CheckResultsTable(gone, "T", {}).Message.rfind("ERROR:\noutput folder ", 0), 0u);
}

// ---------------------------------------------------------------------------------------------
// The export

class ResultsExportTest : public ::testing::Test {
 protected:
  ResultsExportTest() { EXPECT_TRUE(session.Open(TenDays(folder))); }

  ScratchFolder folder;
  ScratchFolder output;
  WorkspaceSession session;
};

// The table holds a value typed and not yet saved, and is the batch tool's table of the .DTA
// the export leaves.
TEST_F(ResultsExportTest, WritesTheWorkspacesValuesAsTheTableOfTheDtaItRewrites) {
  session.SetCellText(2, 0, "31.5");  // Tmax of 3 July
  ASSERT_FALSE(session.LeaveCell(2, 0).Refused);
  for (const ResultsFormat format : {ResultsFormat{',', false}, ResultsFormat{'\t', true}}) {
    const std::string path = output.File("T.csv");
    const RunResult written = ExportResultsTable(session, path, format);
    ASSERT_TRUE(written) << written.Outcome.Message;
    EXPECT_EQ(written.Records, 10);
    const std::string table = ReadBytes(path);
    EXPECT_EQ(table, TableOfFiles(folder, format));
    EXPECT_NE(ReadBytes(folder.File("TEN.DTA")).find("      31.5"), std::string::npos);
  }
}

TEST_F(ResultsExportTest, ARefusedTypedValueWritesNothing) {
  const std::string dta = ReadBytes(folder.File("TEN.DTA"));
  session.SetCellText(0, 0, "hot");
  const RunResult written = ExportResultsTable(session, output.File("T.csv"), {});
  EXPECT_FALSE(written);
  EXPECT_EQ(written.Outcome.Message.rfind("ERROR:\n", 0), 0u);
  EXPECT_TRUE(output.Names().empty());
  EXPECT_EQ(ReadBytes(folder.File("TEN.DTA")), dta);
}

TEST_F(ResultsExportTest, AFailedWriteNamesTheTableAndLeavesTheOlderOne) {
  const std::string path = output.File("T.csv");
  WriteBytes(path, "older");
  AtomicFile::InjectDiskFullForTesting("T.csv", 100);
  const RunResult written = ExportResultsTable(session, path, {});
  AtomicFile::InjectDiskFullForTesting("T.csv", SIZE_MAX);
  EXPECT_FALSE(written);
  EXPECT_NE(written.Outcome.Message.find("T.csv"), std::string::npos) << written.Outcome.Message;
  EXPECT_EQ(ReadBytes(path), "older");
  EXPECT_EQ(output.Names(), std::set<std::string>{"T.csv"});
}

}  // namespace
}  // namespace vernoli
