// `vernoli-batch import` run as a user's script runs it: the three kinds of file, the refusals
// with their messages and exit status, and the same bytes as the import session writes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "../stations/station_folder.h"
#include "import/session.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::Snapshot;
using test_support::WriteBytes;

const std::string kSamples = std::string(VERNOLI_SAMPLES) + "/IMPORT/";

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

Outcome RunImport(const ScratchFolder& data, const std::string& arguments) {
  ScratchFolder scratch;
  const std::string command = std::string("'") + VERNOLI_BATCH + "' --data '" + data.Folder() +
                              "' import " + arguments + " >'" + scratch.File("out") + "' 2>'" +
                              scratch.File("err") + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(scratch.File("out")),
          ReadBytes(scratch.File("err"))};
}

// What the session writes for a sample file with its preset choices.
std::map<std::string, std::string> SessionFiles(const std::string& file, ImportKind kind,
                                                const std::string& name) {
  ScratchFolder input;
  ScratchFolder data;
  WriteBytes(input.File(file), ReadBytes(kSamples + file));
  ImportSession session(input.Folder());
  session.ChangeKind(kind);
  session.ChooseFile(file);
  if (kind == ImportKind::Text) {
    session.SetDataType(kMonthly);
    session.SetNotLinked(true);
    const int codes[] = {101, 103, 202, 401};
    for (int c = 0; c < 4; ++c) {
      session.SelectColumn(c);
      session.ChooseCode(RowOfCode(codes[c]));
    }
  }
  EXPECT_TRUE(session.Import(data.Folder(), name).Imported());
  return Snapshot(data);
}

TEST(ImportBatch, WritesTheSameFilesAsTheSessionForEachKind) {
  struct Case {
    const char* file;
    ImportKind kind;
    const char* options;
    int records;
  };
  const Case cases[] = {
      {"DEBILT.CXT", ImportKind::Text, "--columns 101,103,202,401 --type monthly --not-linked", 12},
      {"ROME.PEN", ImportKind::Hydrolex, "", 12},
      {"LISBON.DAT", ImportKind::Meteorix, "", 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ScratchFolder input;
    ScratchFolder data;
    WriteBytes(input.File(c.file), ReadBytes(kSamples + c.file));
    const Outcome outcome =
        RunImport(data, "'" + input.File(c.file) + "' --name NEW " + c.options);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, data.File("NEW.DSC") + ", " + data.File("NEW.DTA") +
                               ": station NEW imported, " + std::to_string(c.records) +
                               " records\n");
    EXPECT_EQ(Snapshot(data), SessionFiles(c.file, c.kind, "NEW"));
    // Nothing beside the input file: no transposed file of a Meteorix file.
    EXPECT_EQ(input.Names(), (std::set<std::string>{c.file}));
  }
}

TEST(ImportBatch, OverridesTheStationAndTakesTheLimits) {
  ScratchFolder data;
  const Outcome outcome =
      RunImport(data, "'" + kSamples + "ROME.PEN' --name R --station Roma --country Italia "
                "--location interior --winds strong --limit-tmax 50 --wind-height 10");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  RepClimateFile read;
  SetStationFiles(read, data.Folder(), "R");
  ASSERT_TRUE(ReadStationDescription(read));
  EXPECT_EQ(read.StationName, "Roma");
  EXPECT_EQ(read.Country, "Italia");
  EXPECT_EQ(read.HargreavesRsCoefficient, 0.16);
  EXPECT_EQ(read.DefaultU2, 4.0);
  EXPECT_EQ(read.Limits.LimitTmax, 50);
  EXPECT_EQ(read.WindHeight, 10.0);
}

TEST(ImportBatch, RefusalsPrintTheFormsMessageAndWriteNothing) {
  ScratchFolder input;
  const std::string cxt = kSamples + "DEBILT.CXT";
  WriteBytes(input.File("UNEQUAL.CXT"), "1 2\r\n3\r\n");
  struct Case {
    const char* name;
    std::string arguments;
    std::string err;
  };
  const Case cases[] = {
      {"line count", "'" + cxt + "' --name N --columns 101,103,202,401",
       "ERROR:\nCANNOT import data\nnumber of records DIFFERENT FROM lines in file\n"},
      {"unequal columns",
       "'" + input.File("UNEQUAL.CXT") + "' --name N --columns 101 --type monthly --from 1/1/2005 "
       "--to 28/2/2005",
       "ERROR:\nCANNOT import data\nnot all lines have the same number of columns\n"},
      {"column beyond its limits",
       "'" + cxt + "' --name N --columns 101,103,202,401 --type monthly --not-linked "
       "--limit-tmin -20 --limit-tmax 20",
       "ERROR:\nCANNOT import data\nCHECK climatic parameters\n"
       "column 1 (Tmax): Update data range, data 6.3 .. 23.4 beyond the limits -20.0 .. 20.0\n"},
      {"a code twice", "'" + cxt + "' --name N --columns 101,103,202,202 --type monthly --not-linked",
       "ERROR:\nCANNOT import data\nCHECK climatic parameters\n"
       "column 3: Climatic parameter not yet specified\n"
       "column 4 (RHmean): Update data range, data 1.7 .. 7.3 beyond the limits 15.0 .. 100.0\n"},
      {"more codes than columns",
       "'" + cxt + "' --name N --columns 101,103,202,401,402 --type monthly --not-linked",
       "ERROR:\nCANNOT import data\n--columns gives 5 codes for the 4 columns of file " + cxt +
           "\n"},
      {"existing name",
       "'" + cxt + "' --name OLD --columns 101,103,202,401 --type monthly --not-linked",
       "ERROR:\nFilename exists already\n"},
      {"no such file", "'" + input.File("NONE.CXT") + "' --name N --columns 101",
       "ERROR:\ncannot open file " + input.File("NONE.CXT") +
           "\nERROR:\nCANNOT import data\nCheck climatic file\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder data;
    WriteBytes(data.File("OLD.DSC"), "x\r\n");
    WriteBytes(data.File("OLD.DTA"), "x\r\n");
    const auto before = Snapshot(data);
    const Outcome outcome = RunImport(data, c.arguments);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(Snapshot(data), before);
  }
}

TEST(ImportBatch, UsageErrorsExitWith2) {
  const std::string pen = "'" + kSamples + "ROME.PEN'";
  const std::string cxt = "'" + kSamples + "DEBILT.CXT'";
  struct Case {
    std::string arguments;
    std::string reason;
  };
  const Case cases[] = {
      {pen, "import needs --name NAME"},
      {"--name X", "import needs the file to import"},
      {cxt + " --name X", "import of a text file needs --columns CODE,CODE,..."},
      {pen + " --name X --type daily",
       "option --type does not apply to a Hydrolex file: the file decides it"},
      {"'" + kSamples + "LISBON.DAT' --name X --undefined -99",
       "option --undefined does not apply to a Meteorix file: the file decides it"},
      {cxt + " --name X --columns 101,501", "option --columns: \"501\" is no parameter code of the import"},
      {cxt + " --name X --columns 101 --winds calm",
       "option --winds takes light|moderate|strong, not \"calm\""},
      {cxt + " --name X --columns 101 --from 31/2/2005", "the date 31/2/2005 does not exist"},
      {cxt + " --name X --columns 101 --altitude 6000",
       "option --altitude: value is larger than Maximum (=    5000)"},
      {cxt + " --name X --frobnicate", "unknown option --frobnicate for import"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    ScratchFolder data;
    const Outcome outcome = RunImport(data, c.arguments);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err, "ERROR:\n" + c.reason + "\nTry 'vernoli-batch --help'.\n");
    EXPECT_TRUE(data.Names().empty());
  }
}

}  // namespace
}  // namespace vernoli
