#include "workspace/batch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "station_files.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;
using test_support::WriteStation;

const std::string kFahrenheitGaps =
    "        Nr       111       113       501\r\n"
    "         1      86.0    -999.0    -999.0\r\n"
    "         2      80.6      50.0    -999.0\r\n"
    "         3    -999.0      53.6    -999.0\r\n";

class BatchTest : public ::testing::Test {
 protected:
  // Runs the tool with the scratch folders as the program's data and report folders.
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    ProgramFolders folders;
    folders.Data = data_.Folder();
    folders.Report = output_.Folder();
    return RunBatch(args, out_, err_, folders);
  }
  RepClimateFile Station(const std::string& name, const std::string& dta = std::string(
                                                      test_support::kSmallDta)) {
    return WriteStation(data_.Folder(), name, kDaily, {1, 7, 2001}, {3, 7, 2001}, dta);
  }
  ScratchFolder data_;
  ScratchFolder output_;
  std::ostringstream out_;
  std::ostringstream err_;
};

// ---------------------------------------------------------------------------------------------
// The command line

TEST_F(BatchTest, HelpShowsEveryCommandAndSucceeds) {
  EXPECT_EQ(Run({"--help"}), 0);
  const std::string help = out_.str();
  for (const char* word : {"recompute STATION...", "recompute --all", "report STATION",
                           "crop-files STATION", "--data DIR", "--output DIR", "--columns LIST",
                           "--first-eto", "--last-tmax"}) {
    SCOPED_TRACE(word);
    EXPECT_NE(help.find(word), std::string::npos);
  }
  EXPECT_EQ(err_.str(), "");
}

TEST_F(BatchTest, FaultyCommandLinesAreRefusedWithTheReason) {
  struct Row {
    std::vector<std::string> args;
    const char* reason;
  };
  const Row rows[] = {
      {{}, "no command given"},
      {{"compute", "A"}, "unknown command compute"},
      {{"--verbose", "recompute", "A"}, "unknown option --verbose"},
      {{"recompute"}, "recompute needs a station name or --all"},
      {{"recompute", "A", "--all"}, "recompute takes station names or --all, not both"},
      {{"--output", "X", "recompute", "A"}, "option --output does not apply to recompute"},
      {{"report"}, "report needs exactly one station name"},
      {{"report", "A", "B"}, "report needs exactly one station name"},
      {{"report", "A", "--name"}, "option --name needs a value"},
      {{"report", "A", "--first-eto", "1"}, "unknown option --first-eto for report"},
      {{"crop-files", "A", "--columns", "nr"}, "unknown option --columns for crop-files"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.reason);
    EXPECT_EQ(Run(row.args), kBatchUsageError);
    EXPECT_EQ(err_.str(), std::string("ERROR:\n") + row.reason +
                              "\nTry 'vernoli-batch --help'.\n");
  }
}

TEST_F(BatchTest, StationNameWithAFolderIsRefusedBeforeAnythingIsOpened) {
  // A station one folder up, which a path could reach.
  ScratchFolder outside;
  const RepClimateFile station =
      WriteStation(outside.Folder(), "OUT", kDaily, {1, 7, 2001}, {3, 7, 2001},
                   test_support::kSmallDta);
  const std::string relative =
      std::filesystem::relative(outside.File("OUT"), data_.Folder()).string();
  for (const std::string& name : {relative, outside.File("OUT"), std::string("..\\OUT"),
                                  std::string("..")}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Run({"recompute", name}), kBatchUsageError);
    EXPECT_EQ(err_.str(), "ERROR:\nillegal station name \"" + name +
                              "\": give the base name of a station in the data folder\n");
  }
  EXPECT_EQ(Run({"report", "../OUT"}), kBatchUsageError);
  EXPECT_EQ(ReadBytes(station.DtaFileName), test_support::kSmallDta);
  EXPECT_EQ(outside.Names(), (std::set<std::string>{"OUT.DSC", "OUT.DTA"}));
}

TEST_F(BatchTest, MissingFolderOrStationNamesIt) {
  EXPECT_EQ(Run({"--data", data_.File("nowhere"), "recompute", "A"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\nfolder " + data_.File("nowhere") + " does not exist\n");
  EXPECT_EQ(Run({"recompute", "NOPE"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\ncannot open file " + data_.Folder() + "NOPE.DSC\n");
}

// ---------------------------------------------------------------------------------------------
// recompute

TEST_F(BatchTest, RecomputeRewritesTheDataFileAndNothingElse) {
  const RepClimateFile station = Station("SMALL");
  const std::string dsc = ReadBytes(station.DscFileName);
  ASSERT_EQ(Run({"recompute", "SMALL"}), 0) << err_.str();
  EXPECT_EQ(out_.str(), station.DtaFileName + ": ETo of 3 records recomputed\n");
  const std::string dta = ReadBytes(station.DtaFileName);
  EXPECT_NE(dta, test_support::kSmallDta);
  // The values stay, the ETo column is filled.
  EXPECT_EQ(dta.substr(0, 152), std::string(test_support::kSmallDta).substr(0, 152));
  EXPECT_EQ(ReadBytes(station.DscFileName), dsc);
  // No working file is left behind.
  EXPECT_EQ(data_.Names(), (std::set<std::string>{"SMALL.DSC", "SMALL.DTA"}));
  // A second recompute changes nothing more.
  ASSERT_EQ(Run({"recompute", "SMALL"}), 0);
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
}

TEST_F(BatchTest, RecomputeAllGoesOnAfterABrokenStation) {
  Station("A");
  Station("B", "        Nr       101       501\r\n         1      20.0\r\n");
  Station("C");
  WriteBytes(data_.File("notes.txt"), "not a station");
  EXPECT_EQ(Run({"recompute", "--all"}), kBatchFailed);
  EXPECT_EQ(out_.str(), data_.Folder() + "A.DTA: ETo of 3 records recomputed\n" +
                            data_.Folder() + "C.DTA: ETo of 3 records recomputed\n");
  EXPECT_EQ(err_.str(), "ERROR:\ntoo few values in file " + data_.Folder() + "B.DTA, line 2\n"
                        "2 stations recomputed, 1 failed\n");
  EXPECT_EQ(ReadBytes(data_.File("B.DTA")), "        Nr       101       501\r\n         1      20.0\r\n");
  EXPECT_EQ(data_.Names(), (std::set<std::string>{"A.DSC", "A.DTA", "B.DSC", "B.DTA", "C.DSC",
                                                  "C.DTA", "notes.txt"}));
}

TEST_F(BatchTest, RecomputeAllOfAnEmptyFolderFails) {
  EXPECT_EQ(Run({"recompute", "--all"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\nno station description file (.DSC) in folder " +
                            data_.Folder() + "\n");
}

// ---------------------------------------------------------------------------------------------
// report

TEST_F(BatchTest, ReportDefaultsToTheStationsNameDescriptionAndDateAndData) {
  const RepClimateFile station = Station("SMALL");
  ASSERT_EQ(Run({"report", "SMALL"}), 0) << err_.str();
  const std::string report = ReadBytes(output_.File("SMALL.REP"));
  EXPECT_EQ(report.substr(0, report.find("\r\n")), station.Description);
  EXPECT_NE(report.find("\r\n\r\n     Day   Month    Year        Tmax"), std::string::npos);
  EXPECT_NE(report.find("\r\n       1       7    2001        31.2"), std::string::npos);
  // The station's files are left as they are.
  EXPECT_EQ(ReadBytes(station.DtaFileName), test_support::kSmallDta);
  EXPECT_EQ(data_.Names(), (std::set<std::string>{"SMALL.DSC", "SMALL.DTA"}));
}

TEST_F(BatchTest, ReportWithNameDescriptionAndColumns) {
  Station("SMALL");
  ASSERT_EQ(Run({"--output", output_.Folder(), "report", "SMALL", "--name", "My Report",
                 "--description", "Alpha 2001", "--columns=nr,results"}),
            0)
      << err_.str();
  const std::string report = ReadBytes(output_.File("MyReport.REP"));
  EXPECT_EQ(report.substr(0, 34), "Alpha 2001\r\n\r\n      Nr     e(act)*");
  EXPECT_EQ(output_.Names(), std::set<std::string>{"MyReport.REP"});
}

TEST_F(BatchTest, ReportRefusesUnknownColumnsAndIllegalNames) {
  Station("SMALL");
  EXPECT_EQ(Run({"report", "SMALL", "--columns", "date,wind"}), kBatchUsageError);
  EXPECT_EQ(err_.str(),
            "ERROR:\nunknown report column \"wind\" (choose from nr, date, data, results)\n");
  EXPECT_EQ(Run({"report", "SMALL", "--name", "../up"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\nillegal filename\n");
  EXPECT_EQ(Run({"report", "SMALL", "--name", "  "}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\nFileName is not yet specified\n");
  EXPECT_TRUE(output_.Names().empty());
}

// ---------------------------------------------------------------------------------------------
// crop-files

TEST_F(BatchTest, CropFilesTakeTheBoundaryValuesFromTheOptions) {
  const RepClimateFile station = Station("FAHR", kFahrenheitGaps);
  ASSERT_EQ(Run({"crop-files", "FAHR", "--first-tmin", "41", "--last-tmax", "77", "--first-eto",
                 "2", "--last-eto", "3"}),
            0)
      << err_.str();
  EXPECT_EQ(err_.str(), "");
  EXPECT_EQ(output_.Names(), (std::set<std::string>{"FAHR.ETo", "FAHR.TMP"}));
  const std::string tmp = ReadBytes(output_.File("FAHR.TMP"));
  EXPECT_EQ(tmp.substr(tmp.find("=======================\r\n") + 25),
            "         5.0        30.0\r\n"
            "        10.0        27.0\r\n"
            "        12.0        25.0\r\n");
  EXPECT_EQ(ReadBytes(station.DtaFileName), kFahrenheitGaps);
}

TEST_F(BatchTest, CropFilesClampAValueWithTheProgramsMessage) {
  Station("FAHR", kFahrenheitGaps);
  ASSERT_EQ(Run({"crop-files", "FAHR", "--first-tmin", "0", "--last-tmax", "77",
                 "--first-eto", "22", "--last-eto", "3"}),
            0);
  EXPECT_EQ(err_.str(),
            "ERROR:\nvalue is larger than Maximum (=  15.000)\n"
            "ERROR:\nvalue is smaller than Minimum (=   5.000)\n");
  const std::string eto = ReadBytes(output_.File("FAHR.ETo"));
  EXPECT_NE(eto.find("=======================\r\n        15.0\r\n"), std::string::npos);
  const std::string tmp = ReadBytes(output_.File("FAHR.TMP"));
  EXPECT_NE(tmp.find("=======================\r\n       -15.0        30.0\r\n"),
            std::string::npos);
}

TEST_F(BatchTest, CropFilesNameTheMissingOptionAndWriteNothing) {
  const RepClimateFile station = Station("FAHR", kFahrenheitGaps);
  EXPECT_EQ(Run({"crop-files", "FAHR", "--first-eto", "2", "--last-eto", "3", "--first-tmin",
                 "41"}),
            kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\nthe Tmax series of " + output_.File("FAHR.TMP") +
                            " ends with missing records: give its last value with --last-tmax\n");
  EXPECT_TRUE(output_.Names().empty());
  EXPECT_EQ(ReadBytes(station.DtaFileName), kFahrenheitGaps);

  EXPECT_EQ(Run({"crop-files", "FAHR"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\nthe ETo series of " + output_.File("FAHR.ETo") +
                            " starts with missing records: give its first value with --first-eto\n");
  EXPECT_EQ(Run({"crop-files", "FAHR", "--first-eto", "two"}), kBatchUsageError);
  EXPECT_EQ(err_.str(), "ERROR:\noption --first-eto needs a number, not \"two\"\n");
  EXPECT_TRUE(output_.Names().empty());
}

TEST_F(BatchTest, CropFilesNeedTminAndTmax) {
  Station("SMALL", "        Nr       101       501\r\n         1      20.0    -999.0\r\n");
  EXPECT_EQ(Run({"crop-files", "SMALL"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\ncannot write the temperature file " + output_.File("SMALL.TMP") +
                            ": the data set has no minimum and maximum air temperature in Celsius "
                            "(codes 103 and 101)\n");
  EXPECT_TRUE(output_.Names().empty());
}

}  // namespace
}  // namespace vernoli
