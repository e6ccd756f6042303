// `vernoli-batch import` run as a user's script runs it: the three kinds of file, the refusals
// with their messages and exit status, and the same bytes as the import session writes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "../model/shell_command.h"
#include "../stations/station_folder.h"
#include "import/session.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::Snapshot;
using test_support::WriteBytes;

const std::string kSamples = std::string(VERNOLI_SAMPLES) + "/IMPORT/";

std::string Repeat(int count, const std::string& line) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += line + "\r\n";
  return bytes;
}

using Outcome = test_support::CommandOutcome;

Outcome RunImport(const ScratchFolder& data, const std::string& arguments) {
  return test_support::RunShellCommand(std::string("'") + VERNOLI_BATCH + "' --data '" +
                                       data.Folder() + "' import " + arguments);
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

TEST(ImportBatch, TakesADecimalAltitudeRoundedToTheMetreOfTheDescription) {
  struct Case {
    const char* altitude;
    int32_t stored;
  };
  const Case cases[] = {{"1.9", 2}, {"2.4", 2}, {"-3.5", -4}, {"4999.6", 5000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.altitude);
    ScratchFolder data;
    const Outcome outcome =
        RunImport(data, "'" + kSamples + "DEBILT.CXT' --name D --columns 101,103,202,401 "
                        "--type monthly --not-linked --altitude " + std::string(c.altitude));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    RepClimateFile read;
    SetStationFiles(read, data.Folder(), "D");
    ASSERT_TRUE(ReadStationDescription(read));
    EXPECT_EQ(read.Altitude, c.stored);
  }
}

TEST(ImportBatch, RefusalsPrintTheFormsMessageAndWriteNothing) {
  ScratchFolder input;
  const std::string cxt = kSamples + "DEBILT.CXT";
  WriteBytes(input.File("UNEQUAL.CXT"), "1 2\r\n3\r\n");
  WriteBytes(input.File("WIND.CXT"), Repeat(11, "20 10 50") + "20 10 900\r\n");
  WriteBytes(input.File("HOT.CXT"), Repeat(11, "100 40") + "120 40\r\n");
  WriteBytes(input.File("WIDE.CXT"), "-20 10 105\r\n" + Repeat(10, "20 10 60") +
                                         "50 10 60\r\n");
  const std::string monthly = " --type monthly --not-linked";
  struct Case {
    const char* name;
    std::string arguments;
    std::string err;
  };
  const Case cases[] = {
      {"line count", "'" + cxt + "' --name N --columns 101,103,202,401",
       "ERROR:\nCANNOT import data\nnumber of records DIFFERENT FROM lines in file\n"
       "file " + cxt + " holds 12 data lines; the span 1/1/2005 .. 31/12/2005 has 365 daily "
       "records (--type, --from, --to and --not-linked set it)\n"},
      {"line count, monthly", "'" + cxt + "' --name N --columns 101,103,202,401 --type monthly "
       "--from 1/3/2005 --to 31/12/2006",
       "ERROR:\nCANNOT import data\nnumber of records DIFFERENT FROM lines in file\n"
       "file " + cxt + " holds 12 data lines; the span 1/3/2005 .. 31/12/2006 has 22 monthly "
       "records (--type, --from, --to and --not-linked set it)\n"},
      {"wind beyond its limit", "'" + input.File("WIND.CXT") + "' --name N --columns 101,103,302" +
       monthly,
       "ERROR:\nCANNOT import data\nCHECK climatic parameters\n"
       "column 3 (u(x), km/day): Update data range, data 50.00 .. 900.00 beyond the limits "
       "0.00 .. 691.20, all in km/day; --limit-wind (whole m/sec) sets the upper limit\n"},
      {"degF beyond the limit in degC", "'" + input.File("HOT.CXT") + "' --name N --columns 111,113" +
       monthly,
       "ERROR:\nCANNOT import data\nCHECK climatic parameters\n"
       "column 1 (Tmax, \xC2\xB0" "F): Update data range, data 100.0 .. 120.0 beyond the limits "
       "5.0 .. 113.0, all in \xC2\xB0" "F; --limit-tmax (whole \xC2\xB0" "C) sets the upper "
       "limit\n"},
      {"both limits, and a fixed one", "'" + input.File("WIDE.CXT") +
       "' --name N --columns 101,103,202" + monthly,
       "ERROR:\nCANNOT import data\nCHECK climatic parameters\n"
       "column 1 (Tmax, \xC2\xB0" "C): Update data range, data -20.0 .. 50.0 beyond the limits "
       "-15.0 .. 45.0, all in \xC2\xB0" "C; --limit-tmin (whole \xC2\xB0" "C) sets the lower "
       "limit; --limit-tmax (whole \xC2\xB0" "C) sets the upper limit\n"
       "column 3 (RHmean, %): Update data range, data 60.0 .. 105.0 beyond the limits "
       "15.0 .. 100.0, all in %; the upper limit is fixed\n"},
      {"unequal columns",
       "'" + input.File("UNEQUAL.CXT") + "' --name N --columns 101 --type monthly --from 1/1/2005 "
       "--to 28/2/2005",
       "ERROR:\nCANNOT import data\nnot all lines have the same number of columns\n"},
      {"column beyond its limits",
       "'" + cxt + "' --name N --columns 101,103,202,401 --type monthly --not-linked "
       "--limit-tmin -20 --limit-tmax 20",
       "ERROR:\nCANNOT import data\nCHECK climatic parameters\n"
       "column 1 (Tmax, \xC2\xB0" "C): Update data range, data 6.3 .. 23.4 beyond the limits "
       "-20.0 .. 20.0, all in \xC2\xB0" "C; --limit-tmax (whole \xC2\xB0" "C) sets the upper "
       "limit\n"},
      {"a code twice", "'" + cxt + "' --name N --columns 101,103,202,202 --type monthly --not-linked",
       "ERROR:\nCANNOT import data\nCHECK climatic parameters\n"
       "column 3: Climatic parameter not yet specified\n"
       "column 4 (RHmean, %): Update data range, data 1.7 .. 7.3 beyond the limits 15.0 .. 100.0, "
       "all in %; --limit-rhmin (whole %) sets the lower limit\n"},
      {"more codes than columns",
       "'" + cxt + "' --name N --columns 101,103,202,401,402 --type monthly --not-linked",
       "ERROR:\nCANNOT import data\n--columns gives 5 codes for the 4 columns of file " + cxt +
           "\n"},
      {"existing name",
       "'" + cxt + "' --name OLD --columns 101,103,202,401 --type monthly --not-linked",
       "ERROR:\nFilename exists already\n"},
      {"no such file", "'" + input.File("NONE.CXT") + "' --name N --columns 101",
       "ERROR:\ncannot open file " + input.File("NONE.CXT") +
           ": No such file or directory\nERROR:\nCANNOT import data\nCheck climatic file\n"},
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
      {cxt + " --name X --columns 101 --altitude 5000.5",
       "option --altitude: value is larger than Maximum (=    5000)"},
      {cxt + " --name X --columns 101 --altitude 1,9", "option --altitude: \"1,9\" is no number"},
      {cxt + " --name X --columns 101,113",
       "option --columns: 101 (\xC2\xB0" "C) and 113 (\xC2\xB0" "F) mix the temperature units; "
       "give every temperature in \xC2\xB0" "C or every one in \xC2\xB0" "F"},
      {cxt + " --name X --columns 202,211,232",
       "option --columns: 232 (\xC2\xB0" "C) and 211 (\xC2\xB0" "F) mix the temperature units; "
       "give every temperature in \xC2\xB0" "C or every one in \xC2\xB0" "F"},
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
