// The import session with a delimited file: the file decides the span, the layout choices and
// the column codes read it again, values beyond the limits are refused or changed and listed,
// and the station written is byte for byte the one a .CXT file of the same values gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../stations/station_folder.h"
#include "import/session.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::Snapshot;
using test_support::WriteBytes;

// A delimited file IN.csv, chosen in a session of the delimited kind, imported into `data`.
struct DelimitedImportRun {
  ScratchFolder input;
  ScratchFolder data;
  ImportSession session{input.Folder()};
  std::string message;  // of choosing the file

  explicit DelimitedImportRun(const std::string& bytes,
                              BeyondLimits choice = BeyondLimits::Refuse) {
    WriteBytes(input.File("IN.csv"), bytes);
    session.ChangeKind(ImportKind::Delimited);
    session.SetBeyondLimits(choice);
    message = session.ChooseFile("IN.csv");
  }
  std::vector<int16_t> Codes() const { return session.Columns().Codes(); }
  // The message with the file's path as "IN.csv".
  std::string Plain(std::string text) const {
    const std::string path = input.File("IN.csv");
    for (std::size_t at; (at = text.find(path)) != std::string::npos;) {
      text.replace(at, path.size(), "IN.csv");
    }
    return text;
  }
};

// ---------------------------------------------------------------------------------------------
// The file decides

TEST(DelimitedSession, TheDatesDecideTheSpanAndTheHeaderTheCodes) {
  DelimitedImportRun run("date,tmax,tmin,rh\n2001-03-01,12.5,3.0,80\n2001-03-03,14.0,4.5,75\n");
  ASSERT_EQ(run.message, "");
  const ImportSession& s = run.session;
  EXPECT_EQ(s.Span().DataType(), kDaily);
  EXPECT_EQ(s.Span().StoredFirst(), (Date{1, 3, 2001}));
  EXPECT_EQ(s.Span().StoredLast(), (Date{3, 3, 2001}));
  EXPECT_EQ(s.RecordText(), "number of daily records = 3");
  EXPECT_EQ(s.FileStatus().NrLines, "3 records");  // 2 March is a record of missing values
  EXPECT_TRUE(s.LineStatus().Green);
  EXPECT_EQ(run.Codes(), (std::vector<int16_t>{101, 103, 202}));
  EXPECT_TRUE(s.Columns().ReportGreen());

  // The span's controls change nothing: the dates decide it.
  run.session.SetDataType(kMonthly);
  run.session.SetSpan(kDaily, {1, 1, 2001}, {31, 12, 2001});
  run.session.EnterYear(SpanEnd::Last, "2005");
  EXPECT_EQ(s.Span().StoredLast(), (Date{3, 3, 2001}));
  // Nor does the undefined value: a delimited file marks missing values with markers.
  run.session.EnterUndefined("12.5", true);
  EXPECT_EQ(s.Undefined(), -999.0);
  EXPECT_EQ(s.Columns().Column(0).MaximumText, "  14.0");
}

// The same records imported from a delimited file and from a .CXT file with the same span and
// codes give the same two files, byte for byte: the delimited kind adds no format of its own.
TEST(DelimitedSession, WritesTheSameBytesAsTheSameValuesImportedFromACxtFile) {
  struct Case {
    const char* name;
    std::string delimited;
    std::vector<ColumnChoice> choices;  // empty: the proposals
    std::string cxt;
    uint8_t dataType;
    Date first, last;
    std::vector<int> codes;
  };
  const Case cases[] = {
      {"daily in tenths, a gap and a missing mark",
       "# STN,YYYYMMDD,TX,TN,UX,Q\n"
       "260,20010301,125,30,95,1210\n"
       "260,20010302,140,-12,NA,980\n"
       "260,20010304,98,-25,88,1500\n",
       {{ColumnRef::FromText("TX"), 101, 0.1}, {ColumnRef::FromText("TN"), 103, 0.1},
        {ColumnRef::FromText("UX"), 201, 1.0}, {ColumnRef::FromText("Q"), 423, 1.0}},
       "12.5 3.0 95 1210\r\n14.0 -1.2 -999 980\r\n-999 -999 -999 -999\r\n9.8 -2.5 88 1500\r\n",
       kDaily, {1, 3, 2001}, {4, 3, 2001}, {101, 103, 201, 423}},
      {"monthly, semicolons and decimal commas",
       "year;month;Tmean;RH;u2\n2003;1;2,5;88;3,10\n2003;2;3,0;85,5;2,75\n2003;3;6,25;80;2,5\n",
       {},
       "2.5 88 3.10\r\n3.0 85.5 2.75\r\n6.25 80 2.5\r\n",
       kMonthly, {1, 1, 2003}, {31, 3, 2003}, {102, 202, 301}},
      {"10-daily, no header",
       "2002-06-01 24.0 5.5\n2002-06-11 25.5 6.0\n2002-06-21 23.0 4.75\n",
       {{ColumnRef::FromText("2"), 101, 1.0}, {ColumnRef::FromText("3"), 401, 1.0}},
       "24.0 5.5\r\n25.5 6.0\r\n23.0 4.75\r\n",
       kTenDaily, {1, 6, 2002}, {30, 6, 2002}, {101, 401}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DelimitedImportRun delimited(c.delimited);
    if (!c.choices.empty()) delimited.message = delimited.session.SetColumnChoices(c.choices);
    ASSERT_EQ(delimited.message, "");
    ASSERT_TRUE(delimited.session.FileLampGreen()) << delimited.session.Scan().Reason;
    ASSERT_EQ(delimited.session.Span().DataType(), c.dataType);
    const ImportResult fromDelimited = delimited.session.Import(delimited.data.Folder(), "SAME");
    ASSERT_TRUE(fromDelimited.Imported()) << fromDelimited.Message;

    ScratchFolder input;
    ScratchFolder data;
    WriteBytes(input.File("IN.CXT"), c.cxt);
    ImportSession text(input.Folder());
    text.ChooseFile("IN.CXT");
    text.SetSpan(c.dataType, c.first, c.last);
    for (std::size_t k = 0; k < c.codes.size(); ++k) {
      text.SelectColumn(static_cast<int>(k));
      text.ChooseCode(RowOfCode(c.codes[k]));
    }
    const ImportResult fromText = text.Import(data.Folder(), "SAME");
    ASSERT_TRUE(fromText.Imported()) << fromText.Message;

    EXPECT_EQ(Snapshot(delimited.data), Snapshot(data));
    EXPECT_EQ(data.Names(), (std::set<std::string>{"SAME.DSC", "SAME.DTA"}));
  }
}

// ---------------------------------------------------------------------------------------------
// Layout choices, each followed by a new reading

TEST(DelimitedSession, EachLayoutChoiceReadsTheFileAgain) {
  DelimitedImportRun run("date;tmax;rh\n01/02/2000;1,5;80\n02/03/2000;x;-99.9\n");
  // The reader's refusals (their words are the reader's tests').
  EXPECT_TRUE(run.Plain(run.message).starts_with("ERROR:\nfile IN.csv, line 3, column 2 (tmax)"));
  EXPECT_FALSE(run.session.FileLampGreen());
  // Refused, the file still offers its columns for the choices.
  EXPECT_EQ(run.session.DelimitedColumns().size(), 3u);

  EXPECT_TRUE(run.Plain(run.session.SetMissingMarkers({"x", "-99.9"}))
                  .starts_with("ERROR:\nfile IN.csv, line 2, column 1 (date): dates such as "));
  EXPECT_EQ(run.session.SetDateOrder(DateOrder::DayMonthYear), "");
  EXPECT_EQ(run.session.DelimitedRead().First, (Date{1, 2, 2000}));
  EXPECT_EQ(run.session.DelimitedRead().Records, 31);  // February 2000 has 29 days
  EXPECT_EQ(run.session.Scan().Minimum[1], 80.0);        // -99.9 marks a missing value

  EXPECT_NE(run.session.SetDecimalSign(DecimalSign::Point), "");  // 1,5 is no number then
  EXPECT_EQ(run.session.SetDecimalSign(DecimalSign::Auto), "");
  EXPECT_NE(run.session.SetSeparator(FieldSeparator::Comma), "");
  EXPECT_EQ(run.session.SetSeparator(FieldSeparator::Semicolon), "");
  EXPECT_EQ(run.session.DelimitedRead().Separator, FieldSeparator::Semicolon);
  EXPECT_TRUE(run.session.FileLampGreen());
}

TEST(DelimitedSession, DateColumnsGivenTakeTheirCodesAway) {
  DelimitedImportRun run("year,month,day,nr,tmax\n2000,1,1,1,5.0\n2000,1,2,2,6.0\n");
  EXPECT_EQ(run.session.DelimitedRead().DateColumns, (std::vector<int>{1, 2, 3}));
  run.session.SetColumnCode(4, 401);  // the record number, taken for sunshine
  EXPECT_EQ(run.Codes(), (std::vector<int16_t>{401, 101}));
  EXPECT_EQ(run.session.SetDateColumns({ColumnRef::FromText("year"),
                                        ColumnRef::FromText("month"), ColumnRef::FromText("nr")}),
            "");
  EXPECT_EQ(run.Codes(), (std::vector<int16_t>{101}));
  EXPECT_EQ(run.session.DelimitedRead().First, (Date{1, 1, 2000}));
}

// ---------------------------------------------------------------------------------------------
// The columns

TEST(DelimitedSession, ColumnCodesFollowTheRulesOfTheCodeList) {
  DelimitedImportRun run("date,tmax,tmin,ea,vp,note\n2000-01-01,5.0,1.0,0.8,8.0,cloudy\n");
  // "vp" names no quantity; "ea" is proposed; the text column is never parsed while it has no
  // code.
  ASSERT_EQ(run.message, "");
  EXPECT_EQ(run.Codes(), (std::vector<int16_t>{101, 103, 221}));

  // A code of a group takes it from the column that held one of the group.
  EXPECT_EQ(run.session.SetColumnCode(5, 222), "");
  EXPECT_EQ(run.Codes(), (std::vector<int16_t>{101, 103, 222}));
  // A temperature in the other unit turns the other temperatures into it.
  EXPECT_EQ(run.session.SetColumnCode(2, 111), "");
  EXPECT_EQ(run.Codes(), (std::vector<int16_t>{111, 113, 222}));
  // Code 0: not imported.
  EXPECT_EQ(run.session.SetColumnCode(3, 0), "");
  EXPECT_EQ(run.Codes(), (std::vector<int16_t>{111, 222}));
  // A factor for an imported column, and none for a column not imported.
  EXPECT_EQ(run.session.SetColumnFactor(5, 10.0), "");
  EXPECT_EQ(run.session.Columns().Column(1).MaximumText, "  80.0000");
  EXPECT_EQ(run.session.SetColumnFactor(3, 2.0),
            "ERROR:\ncolumn 3 is not imported; a factor applies to a column with a code");
  // The text column given a code is parsed, and refused.
  EXPECT_TRUE(run.Plain(run.session.SetColumnCode(6, 401))
                  .starts_with("ERROR:\nfile IN.csv, line 2, column 6 (note): \"cloudy\" is no"));

  const std::vector<DelimitedColumnView> columns = run.session.DelimitedColumns();
  ASSERT_EQ(columns.size(), 6u);
  EXPECT_TRUE(columns[0].Date);
  EXPECT_EQ(columns[4].Code, 222);
  EXPECT_EQ(columns[4].Factor, 10.0);
  EXPECT_EQ(columns[2].Code, 0);
  EXPECT_EQ(columns[2].Proposal.Code, 103);
}

TEST(DelimitedSession, AnotherFileStartsFromItsOwnProposals) {
  DelimitedImportRun run("date,tmax\n2000-01-01,5.0\n");
  run.session.SetColumnCode(2, 102);
  EXPECT_EQ(run.Codes(), (std::vector<int16_t>{102}));
  WriteBytes(run.input.File("OTHER.csv"), "date,tmin,tmax\n2000-01-01,1.0,5.0\n");
  EXPECT_EQ(run.session.ChooseFile("OTHER.csv"), "");
  EXPECT_EQ(run.Codes(), (std::vector<int16_t>{103, 101}));
}

TEST(DelimitedSession, RefusesAColumnWithoutValuesAndTemperaturesOfBothUnits) {
  struct Case {
    const char* bytes;
    const char* message;
    BeyondLimits choice = BeyondLimits::Refuse;
  };
  const Case cases[] = {
      {"date,tmax,tmin\n2000-01-01,5.0,\n2000-01-02,6.0,NA\n",
       "ERROR:\nfile IN.csv, column 3 (tmin): none of its 2 records holds a value; a column "
       "without values is not imported"},
      // Tenths without their factor: every value beyond the limits, none left.
      {"date,tmax\n2000-07-01,315\n2000-07-02,298\n",
       "ERROR:\nfile IN.csv, column 2 (tmax): every value lies beyond the limits -15.0 .. 45.0 "
       "\xB0" "C of code 101 and is set missing; a column without values is not imported "
       "(another factor or code may suit it)",
       BeyondLimits::SetMissing},
      {"date,Tmax[\xC2\xB0" "F],Tmin[\xC2\xB0" "C]\n2000-01-01,41.0,1.0\n",
       "ERROR:\nfile IN.csv: column 3 (Tmin[\xB0" "C]) holds code 103 (\xB0" "C) and column 2 "
       "(Tmax[\xB0" "F]) code 111 (\xB0" "F); the temperatures of a station are all in \xB0" "C "
       "or all in \xB0" "F"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    DelimitedImportRun run(c.bytes, c.choice);
    EXPECT_EQ(run.Plain(run.message), c.message);
    EXPECT_FALSE(run.session.FileLampGreen());
    EXPECT_EQ(run.Plain(run.session.Import(run.data.Folder(), "NEW").Message),
              "ERROR:\nCANNOT import data\nCheck climatic file");
    EXPECT_TRUE(run.data.Names().empty());
    // Values set missing refuse no more than the choice that did it.
    run.session.SetBeyondLimits(BeyondLimits::SetToLimit);
    EXPECT_EQ(run.session.FileLampGreen(), c.choice == BeyondLimits::SetMissing);
  }
}

// ---------------------------------------------------------------------------------------------
// Values beyond the limits

TEST(DelimitedSession, ValuesBeyondTheLimitsAreRefusedSetMissingOrSetToTheLimit) {
  const std::string bytes = "date,tmax,rhmin\n2001-07-01,47.5,40\n2001-07-02,30.0,9\n";
  struct Case {
    BeyondLimits choice;
    std::string firstRecord;  // the data lines of the .DTA: records 1 and 2
    std::string secondRecord;
    std::vector<std::string> report;
  };
  const Case cases[] = {
      {BeyondLimits::SetMissing,
       "         1    -999.0      40.0    -999.0    -999.0",
       "         2      30.0    -999.0    -999.0    -999.0",
       {"2 values beyond the limits set missing:",
        "  2001-07-01 column 2 (tmax): 47.5 \xB0" "C above the upper limit 45.0 \xB0" "C",
        "  2001-07-02 column 3 (rhmin): 9 % below the lower limit 15.0 %"}},
      {BeyondLimits::SetToLimit,
       "         1      45.0      40.0    -999.0    -999.0",
       "         2      30.0      15.0    -999.0    -999.0",
       {"2 values beyond the limits set to the limit:",
        "  2001-07-01 column 2 (tmax): 47.5 \xB0" "C above the upper limit 45.0 \xB0" "C",
        "  2001-07-02 column 3 (rhmin): 9 % below the lower limit 15.0 %"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(BeyondLimitsText(c.choice));
    DelimitedImportRun run(bytes, c.choice);
    EXPECT_TRUE(run.session.Columns().ReportGreen());
    EXPECT_EQ(run.session.ValuesReportLines(), c.report);
    const ImportResult result = run.session.Import(run.data.Folder(), "NEW");
    ASSERT_TRUE(result.Imported()) << result.Message;
    EXPECT_EQ(test_support::LineRange(run.data.File("NEW.DTA"), 2, 3),
              c.firstRecord + "\r\n" + c.secondRecord + "\r\n");
  }

  // Refused: the report of the other kinds, and nothing changed or listed.
  DelimitedImportRun refused(bytes);
  EXPECT_FALSE(refused.session.Columns().ReportGreen());
  EXPECT_EQ(refused.session.Report().ErrorParamLabel, "Check parameter(s) : 1, 2");
  EXPECT_TRUE(refused.session.ValuesReportLines().empty());
  EXPECT_EQ(refused.session.Import(refused.data.Folder(), "NEW").Message,
            "ERROR:\nCANNOT import data\nCHECK climatic parameters");
  // Wider limits take the values as they are; the choice can be made after the file is read.
  StationLimits wide = refused.session.Station().Limits;
  wide.LimitTmax = 50;
  wide.LimitRHmin = 5;
  refused.session.SetLimits(wide);
  EXPECT_TRUE(refused.session.Columns().ReportGreen());
  wide.LimitTmax = 45;
  refused.session.SetLimits(wide);
  refused.session.SetBeyondLimits(BeyondLimits::SetToLimit);
  EXPECT_EQ(refused.session.ValuesReport().Changed.size(), 1u);
  EXPECT_EQ(refused.session.Columns().Column(0).MaximumText, "  45.0");
}

TEST(DelimitedSession, ListsSolarRadiationAboveTheClearSkyRadiationOfItsDay) {
  // At 52.1 degrees North the clear sky gives some 5 MJ/m2.day early in January and 31 in June:
  // 25 is within the column's limits (the year's highest clear sky and 5 %) yet above the
  // clear sky of 2 January.
  DelimitedImportRun run("date,Rs\n2001-01-01,4.0\n2001-01-02,25.0\n2001-06-21,28.0\n");
  run.session.SetLocation(52.1, 5.18, 2);
  EXPECT_TRUE(run.session.Columns().ReportGreen());
  EXPECT_EQ(run.session.ValuesReportLines(),
            (std::vector<std::string>{
                "1 record with solar radiation above the clear-sky radiation of its day (the "
                "calculation uses the clear-sky radiation):",
                "  2001-01-02 column 2 (Rs): 25 MJ/m2.day above 4.93 MJ/m2.day"}));
}

// ---------------------------------------------------------------------------------------------
// Writing

TEST(DelimitedSession, AFileChangedSinceItWasReadIsRefusedAndNothingIsWritten) {
  DelimitedImportRun run("date,tmax\n2000-01-01,5.0\n2000-01-02,6.0\n");
  ASSERT_EQ(run.message, "");
  struct Case {
    const char* bytes;
    const char* reason;
  };
  const Case cases[] = {
      {"date,tmax\n2000-01-01,5.0\n2000-01-02,6.5\n",
       "the values of column 2 (tmax) are not those that were checked"},
      {"date,tmax\n2000-01-01,5.0\n2000-01-03,6.0\n",
       "its records run from 2000-01-01 to 2000-01-03 (3 daily records), not from 2000-01-01 "
       "to 2000-01-02 (2 daily records)"},
      {"date,tmax\n2000-01-01,5.0\n2000-01-02,6\n2000-01-01,7\n",
       "it cannot be read now: file IN.csv, line 4, column 1 (date): the date 2000-01-01 comes "
       "after 2000-01-02 of line 3; the dates rise from line to line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    WriteBytes(run.input.File("IN.csv"), c.bytes);
    const ImportResult result = run.session.Import(run.data.Folder(), "NEW");
    EXPECT_EQ(result.Failure, ImportFailure::Files);
    EXPECT_EQ(run.Plain(result.Message),
              std::string("ERROR:\nfile IN.csv has changed since it was checked: ") + c.reason);
    EXPECT_TRUE(run.data.Names().empty());
  }
}

}  // namespace
}  // namespace vernoli
