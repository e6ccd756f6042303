// `vernoli-batch import` of a delimited file: the options of its layout and columns giving what
// the session gives with the same choices, the columns taken from the header and printed, the
// values beyond the limits, the import report on standard output, and the messages.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "import_fixture.h"
#include "import/session.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::Snapshot;
using test_support::WriteBytes;

// An export in the form a weather service writes it: a commented preamble, the header as its last
// comment line, values in tenths.
const std::string kDaily =
    "# SOURCE: a weather service\r\n"
    "# TX = maximum temperature (in 0.1 degrees Celsius); Q = global radiation (in J/cm2)\r\n"
    "#\r\n"
    "# STN,YYYYMMDD,DDVEC,FG,TX,TN,Q,UX,UN\r\n"
    "#\r\n"
    "  260,20200101,  240,   41,   62,   12,  192,   99,   82\r\n"
    "  260,20200102,  250,   50,   95,   30,  128,   98,   78\r\n"
    "  260,20200103,  240,   52,  102,   59,  256,   97,   74\r\n"
    "  260,20200105,  220,   30,   70,   20, 1700,   99,   60\r\n";

using Outcome = test_support::ImportOutcome;
using test_support::BatchImport;

// ---------------------------------------------------------------------------------------------
// A run of the program

TEST(DelimitedBatch, TheExportOfAWeatherServiceWithItsColumnsInTenths) {
  ScratchFolder input;
  ScratchFolder data;
  ScratchFolder scratch;
  WriteBytes(input.File("daily.txt"), kDaily);
  const std::string command =
      "cd '" + input.Folder() + "' && '" + VERNOLI_BATCH + "' --data '" + data.Folder() +
      "' import daily.txt --name DEBILT --columns TX=101*0.1,TN=103*0.1,UX=201,UN=203,"
      "FG=301*0.1,Q=423 --date-column YYYYMMDD --latitude 52.1 --longitude 5.18 --altitude 1.9 "
      "--wind-height 10 >'" + scratch.File("out") + "' 2>'" + scratch.File("err") + "'";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 0) << ReadBytes(scratch.File("err"));
  EXPECT_EQ(ReadBytes(scratch.File("err")), "");
  EXPECT_EQ(ReadBytes(scratch.File("out")),
            data.File("DEBILT.DSC") + ", " + data.File("DEBILT.DTA") +
                ": station DEBILT imported, 5 records\n"
                "1 record with solar radiation above the clear-sky radiation of its day (the "
                "calculation uses the clear-sky radiation):\n"
                "  2020-01-05 column 7 (Q): 1700 J/cm2.day above 506.38 J/cm2.day\n");
  EXPECT_EQ(ReadBytes(data.File("DEBILT.DTA")),
            "        Nr       101       103       201       203       301       423       501\r\n"
            "         1       6.2       1.2      99.0      82.0      4.10    192.00    -999.0\r\n"
            "         2       9.5       3.0      98.0      78.0      5.00    128.00    -999.0\r\n"
            "         3      10.2       5.9      97.0      74.0      5.20    256.00    -999.0\r\n"
            "         4    -999.0    -999.0    -999.0    -999.0   -999.00   -999.00    -999.0\r\n"
            "         5       7.0       2.0      99.0      60.0      3.00   1700.00    -999.0\r\n");
  RepClimateFile read;
  SetStationFiles(read, data.Folder(), "DEBILT");
  ASSERT_TRUE(ReadStationDescription(read));
  EXPECT_EQ(read.Latitude, 52.1);
  EXPECT_EQ(read.Longitude, 5.18);
  EXPECT_EQ(read.Altitude, 2);
  EXPECT_EQ(read.WindHeight, 10.0);
  EXPECT_EQ(read.From(), (Date{1, 1, 2020}));
  EXPECT_EQ(read.To(), (Date{5, 1, 2020}));
}

// ---------------------------------------------------------------------------------------------
// The options are the session's choices

TEST(DelimitedBatch, WritesWhatTheSessionWritesWithTheSameChoices) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> options;
    void (*choose)(ImportSession&);
  };
  const Case cases[] = {
      {"year, month and day columns, semicolons, decimal commas, a marker",
       "jaar;maand;dag;Tx;Tn;stat\n2004;5;1;18,5;7,25;x\n2004;5;2;n.b.;8,5;y\n",
       {"--separator", "semicolon", "--decimal-comma", "--date-columns", "jaar,maand,dag",
        "--missing-marker", "n.b.", "--columns", "Tx=101,5=103"},
       [](ImportSession& s) {
         s.SetSeparator(FieldSeparator::Semicolon);
         s.SetDecimalSign(DecimalSign::Comma);
         s.SetDateColumns({ColumnRef::FromText("jaar"), ColumnRef::FromText("maand"),
                           ColumnRef::FromText("dag")});
         s.SetMissingMarkers({"n.b."});
         s.SetColumnChoices({{{ColumnRef::FromText("Tx"), 101, 1.0},
                              {ColumnRef::FromText("5"), 103, 1.0}}});
       }},
      {"a date column of day first, tabs, the proposals, values set to the limit",
       "station\tdate\ttmax\trh\nA\t02/03/2004\t47.0\t55\nA\t03/03/2004\t21.0\t60\n",
       {"--separator", "tab", "--date-column", "2", "--date-order", "dmy", "--beyond-limits",
        "clip", "--latitude", "-33.9"},
       [](ImportSession& s) {
         s.SetSeparator(FieldSeparator::Tab);
         s.SetDateColumns({ColumnRef::FromText("2")});
         s.SetDateOrder(DateOrder::DayMonthYear);
         s.SetBeyondLimits(BeyondLimits::SetToLimit);
         s.SetLocation(-33.9, s.Station().Longitude, s.Station().Altitude);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BatchImport batch;
    const Outcome outcome = batch.Import("IN.txt", c.bytes, c.options);
    ASSERT_EQ(outcome.status, 0) << outcome.err;

    ScratchFolder input;
    ScratchFolder data;
    WriteBytes(input.File("IN.txt"), c.bytes);
    ImportSession session(input.Folder());
    session.ChangeKind(ImportKind::Delimited);
    c.choose(session);
    EXPECT_EQ(session.ChooseFile("IN.txt"), "");
    const ImportResult result = session.Import(data.Folder(), "NEW");
    ASSERT_TRUE(result.Imported()) << result.Message;
    EXPECT_EQ(Snapshot(batch.data), Snapshot(data));
  }
}

TEST(DelimitedBatch, WithoutColumnsTheNamesItKnowsAreTakenAndPrinted) {
  BatchImport batch;
  const Outcome taken = batch.Import(
      "IN.csv", "date,tmax,tmin,wind[mph],notes\n2001-04-01,15.5,4.0,3,none\n", {});
  EXPECT_EQ(taken.status, 0) << taken.err;
  EXPECT_EQ(taken.err, "");
  EXPECT_EQ(batch.Plain(taken.out),
            "columns chosen from the header: tmax=101,tmin=103,wind[mph]=301*0.44704\n"
            "NEW.DSC, NEW.DTA: station NEW imported, 1 records\n");

  // A known quantity in a unit the import does not know is left out, with the reason.
  BatchImport unknown;
  const Outcome noted =
      unknown.Import("IN.csv", "date,tmax,Rs[foo]\n2001-04-01,15.5,300\n", {});
  EXPECT_EQ(noted.status, 0) << noted.err;
  EXPECT_NE(noted.out.find("columns chosen from the header: tmax=101\ncolumn 3 (Rs[foo]) not "
                           "imported: the unit \"foo\" is not one the import knows for "),
            std::string::npos)
      << noted.out;

  // None known: refused, naming the header and the option.
  BatchImport none;
  const Outcome refused = none.Import("IN.csv", "date,a,b\n2001-04-01,1,2\n", {});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(none.Plain(refused.err),
            "ERROR:\nfile IN.csv: no column the header (line 1) names is one the import knows "
            "(a, b); give the columns to import with --columns NAME=CODE[*FACTOR],...\n");
  EXPECT_TRUE(none.data.Names().empty());
}

// ---------------------------------------------------------------------------------------------
// Values beyond the limits

TEST(DelimitedBatch, ValuesBeyondTheLimitsAreRefusedWithTheWayOutOrChangedAndListed) {
  const std::string bytes = "date,tmax\n2001-07-01,47.5\n2001-07-02,30.0\n";
  BatchImport refused;
  const Outcome no = refused.Import("IN.csv", bytes, {});
  EXPECT_EQ(no.status, 1);
  EXPECT_EQ(no.err,
            "ERROR:\nCANNOT import data\nCHECK climatic parameters\n"
            "column 2 (tmax) as 101 (Tmax, \xC2\xB0" "C): Update data range, data 30.0 .. 47.5 "
            "beyond the limits -15.0 .. 45.0, all in \xC2\xB0" "C; --limit-tmax (whole \xC2\xB0"
            "C) sets the upper limit; or --beyond-limits missing|clip changes the values beyond "
            "them\n");
  EXPECT_TRUE(refused.data.Names().empty());

  BatchImport missing;
  const Outcome yes = missing.Import("IN.csv", bytes, {"--beyond-limits", "missing"});
  ASSERT_EQ(yes.status, 0) << yes.err;
  EXPECT_NE(yes.out.find("imported, 2 records\n"
                         "1 value beyond the limits set missing:\n"
                         "  2001-07-01 column 2 (tmax): 47.5 \xC2\xB0" "C above the upper limit "
                         "45.0 \xC2\xB0" "C\n"),
            std::string::npos)
      << yes.out;
  EXPECT_NE(ReadBytes(missing.data.File("NEW.DTA")).find("         1    -999.0    -999.0"),
            std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Messages

TEST(DelimitedBatch, UsageErrorsExitWith2BeforeTheFileIsRead) {
  const std::string csv = "date,tmax\n2001-07-01,20\n";
  struct Case {
    const char* file;
    std::vector<std::string> options;
    std::string reason;
  };
  const Case cases[] = {
      {"IN.csv", {"--columns", "TX"},
       "option --columns: \"TX\" names no column; --columns takes NAME=CODE or "
       "NAME=CODE*FACTOR for each column to import, NAME a header name or a column number "
       "(such as TX=101*0.1,TN=103*0.1)"},
      {"IN.csv", {"--columns", "TX=501"},
       "option --columns: \"501\" of TX is no parameter code of the import"},
      {"IN.csv", {"--columns", "TX=101*0"},
       "option --columns: the factor \"0\" of TX is no number other than 0"},
      {"IN.csv", {"--columns", "TX=101*0.1,TN=113"},
       "option --columns: 101 (\xC2\xB0" "C) and 113 (\xC2\xB0" "F) mix the temperature units; "
       "give every temperature in \xC2\xB0" "C or every one in \xC2\xB0" "F"},
      {"IN.csv", {"--separator", "pipe"},
       "option --separator takes comma|semicolon|tab|blank, not \"pipe\""},
      {"IN.csv", {"--date-order", "ydm"}, "option --date-order takes dmy|mdy|ymd, not \"ydm\""},
      {"IN.csv", {"--beyond-limits", "ignore"},
       "option --beyond-limits takes refuse|missing|clip, not \"ignore\""},
      {"IN.csv", {"--date-column", "1", "--date-columns", "2,3,4"},
       "options --date-column and --date-columns exclude each other: the dates are in one "
       "column or in year, month and day columns"},
      {"IN.csv", {"--date-columns", "1,2,3,4"},
       "option --date-columns takes YEAR,MONTH,DAY (or YEAR,MONTH for monthly data), each a "
       "header name or a column number, not \"1,2,3,4\""},
      {"IN.csv", {"--date-columns", "1,2,3", "--date-order", "dmy"},
       "option --date-order applies to a date column, not to the year, month and day columns "
       "of --date-columns"},
      {"IN.csv", {"--type", "daily"},
       "option --type does not apply to a delimited file: its dates decide the span"},
      {"IN.csv", {"--undefined", "-99"},
       "option --undefined does not apply to a delimited file: give the texts or numbers that "
       "mark a missing value with --missing-marker"},
      {"IN.CXT", {"--columns", "101", "--separator", "tab"},
       "option --separator applies to a delimited file, not to a free-format text file"},
      {"IN.CXT", {"--columns", "101", "--kind", "csv"},
       "option --kind takes text|hydrolex|meteorix|delimited, not \"csv\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    BatchImport batch;
    const Outcome outcome = batch.Import(c.file, csv, c.options);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err, "ERROR:\n" + c.reason + "\nTry 'vernoli-batch --help'.\n");
    EXPECT_EQ(outcome.out, "");
    EXPECT_TRUE(batch.data.Names().empty());
  }
  // --kind delimited reads a .CXT name as a delimited file.
  BatchImport forced;
  EXPECT_EQ(forced.Import("IN.CXT", csv, {"--kind", "delimited"}).status, 0);
}

}  // namespace
}  // namespace vernoli
