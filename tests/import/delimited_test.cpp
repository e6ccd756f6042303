// The reader of delimited text files: the exports it takes (a file each, a few lines made up in
// the form of a real export), the dates, gaps and data types, the columns and their factors,
// missing values, and the refusals word for word.
#include "import/delimited.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../model/scratch_folder.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteBytes;
using Values = std::vector<double>;
constexpr double M = kMissing;

// Writes the bytes to a file of a fresh folder and reads it; `path` receives the file's path.
class DelimitedReader : public ::testing::Test {
 protected:
  DelimitedFile Read(const std::string& bytes, const DelimitedOptions& options = {}) {
    WriteBytes(path_, bytes);
    return ReadDelimitedFile(path_, options);
  }
  // The message of a refusal with the file named "F".
  std::string Refusal(const DelimitedFile& file) const {
    std::string message = file.Result.Message;
    for (std::size_t at; (at = message.find(path_)) != std::string::npos;) {
      message.replace(at, path_.size(), "F");
    }
    return message;
  }

  ScratchFolder folder_;
  std::string path_ = folder_.File("export.csv");
};

std::vector<int> Codes(const DelimitedFile& file) {
  std::vector<int> codes;
  for (const DelimitedColumn& column : file.Columns) codes.push_back(column.Proposal.Code);
  return codes;
}

ColumnChoice Choose(const char* column, int code, double factor = 1.0) {
  return {ColumnRef::FromText(column), static_cast<int16_t>(code), factor};
}

void ExpectValues(const DelimitedSeries& series, const Values& values) {
  SCOPED_TRACE(series.Name);
  ASSERT_EQ(series.Values.size(), values.size());
  for (std::size_t k = 0; k < values.size(); ++k) {
    EXPECT_NEAR(series.Values[k], values[k], 1e-9) << "record " << k + 1;
  }
}

// ---------------------------------------------------------------------------------------------
// The exports

TEST_F(DelimitedReader, CommentedPreambleHeaderWithHashAndValuesInTenths) {
  const std::string bytes =
      "# SOURCE: a national weather service\r\n"
      "# \r\n"
      "# YYYYMMDD   = date (YYYY=year MM=month DD=day)\r\n"
      "# TX         = maximum temperature (in 0.1 degrees Celsius)\r\n"
      "#\r\n"
      "# STN,YYYYMMDD,DDVEC,FG,TX,TN\r\n"
      "#\r\n"
      "  260,19800101,  275,   21,   26,  -12\r\n"
      "  260,19800102,  230,   35,     ,  -31\r\n"
      "  260,19800103,  200,   40,   15,     \r\n";
  const DelimitedFile proposed = Read(bytes);
  ASSERT_TRUE(proposed.Ok()) << proposed.Result.Message;
  EXPECT_EQ(proposed.HeaderLine, 6);
  EXPECT_EQ(proposed.FirstDataLine, 8);
  EXPECT_EQ(proposed.Separator, FieldSeparator::Comma);
  EXPECT_EQ(proposed.Dates, DateFormat::YearMonthDayPacked);
  EXPECT_EQ(proposed.DateColumns, std::vector<int>{2});
  EXPECT_EQ(Codes(proposed), (std::vector<int>{0, 0, 0, 0, 101, 103}));
  EXPECT_EQ(proposed.Columns[4].Name, "TX");

  DelimitedOptions options;
  options.Columns = {{Choose("TX", 101, 0.1), Choose("tn", 103, 0.1)}};
  const DelimitedFile file = Read(bytes, options);
  ASSERT_TRUE(file.Ok()) << file.Result.Message;
  EXPECT_EQ(file.DataType, kDaily);
  EXPECT_EQ(file.First, (Date{1, 1, 1980}));
  EXPECT_EQ(file.Last, (Date{3, 1, 1980}));
  EXPECT_EQ(file.Records, 3);
  ASSERT_EQ(file.Series.size(), 2u);
  ExpectValues(file.Series[0], {2.6, M, 1.5});
  ExpectValues(file.Series[1], {-1.2, -3.1, M});
  EXPECT_NEAR(file.Series[0].Minimum, 1.5, 1e-12);
  EXPECT_NEAR(file.Series[0].Maximum, 2.6, 1e-12);
}

TEST_F(DelimitedReader, StationNameColumnAndFractionsOfHumidity) {
  const std::string bytes =
      "name,date,tavg,tmax,tmin,rhmax,rhmin,solar,windrun\n"
      "hyk02,2020-01-01,-0.8,9.4,-8.9,0.929,0.47,63.1,203.1\n"
      "hyk02,2020-01-02,1.2,10.1,-7.5,0.95,0.5,70.4,150\n";
  EXPECT_EQ(Codes(Read(bytes)), (std::vector<int>{0, 0, 102, 101, 103, 201, 203, 421, 0}));

  DelimitedOptions options;
  options.Columns = {{Choose("tmax", 101), Choose("rhmax", 201, 100), Choose("rhmin", 203, 100),
                      Choose("9", 302)}};
  const DelimitedFile file = Read(bytes, options);
  ASSERT_TRUE(file.Ok()) << file.Result.Message;
  ExpectValues(file.Series[1], {92.9, 95.0});
  ExpectValues(file.Series[2], {47.0, 50.0});
  ExpectValues(file.Series[3], {203.1, 150.0});
  EXPECT_EQ(file.Series[3].Name, "windrun");
  EXPECT_EQ(CodesOfDelimitedFile(file), (std::vector<int16_t>{101, 201, 203, 302}));
}

TEST_F(DelimitedReader, UnitsInBracketsInUtf8OrWindows1252) {
  const std::string rows =
      "20000101,5.1,9.0,1.2,80,8.5,2.1,1.1\n20000102,5.5,9.9,1.0,82,9.0,1.8,1.2\n";
  const std::string utf8 =
      "YYYYMMDD,Tmean[\xC2\xB0" "C],Tmax[\xC2\xB0" "C],Tmin[\xC2\xB0" "C],RH[%],Rs[MJ/m2/d],"
      "u2[m/s],PET[mm/d]\n";
  const std::string cp1252 =
      "YYYYMMDD,Tmean[\xB0" "F],Tmax[\xB0" "F],Tmin[\xB0" "F],RH[%],Rs[W/m\xB2],u2[km/day],PET\n";
  const DelimitedFile celsius = Read(utf8 + rows);
  ASSERT_TRUE(celsius.Ok()) << celsius.Result.Message;
  EXPECT_EQ(Codes(celsius), (std::vector<int>{0, 102, 101, 103, 202, 421, 301, 0}));
  EXPECT_EQ(celsius.Columns[1].Name, "Tmean[\xB0" "C]");
  EXPECT_EQ(celsius.Series.size(), 6u);
  EXPECT_EQ(Codes(Read(cp1252 + rows)), (std::vector<int>{0, 112, 111, 113, 202, 422, 302, 0}));
}

TEST_F(DelimitedReader, YearMonthDayColumnsWithAMarkerForMissingValues) {
  const std::string bytes =
      "YEAR,MONTH,DAY,MN,MX,SR\n"
      "2001,1,1,12.5,28.1,24.0\n"
      "2001,1,2,NO RECORD,27.0,NO RECORD\n"
      "2001,1,4,11.0,26.5,22.1\n";
  DelimitedOptions options;
  options.Columns = {{Choose("MN", 103), Choose("MX", 101), Choose("SR", 421)}};
  const DelimitedFile refused = Read(bytes, options);
  EXPECT_EQ(Refusal(refused),
            "ERROR:\nfile F, line 3, column 4 (MN): \"NO RECORD\" is no number; accepted are "
            "numbers with a decimal point (such as 12.5), and the marks of a missing value: an "
            "empty field, NA, N/A, NaN, null, -, -999, -9999");
  EXPECT_TRUE(refused.Series.empty());

  options.MissingMarkers = {"NO RECORD"};
  const DelimitedFile file = Read(bytes, options);
  ASSERT_TRUE(file.Ok()) << file.Result.Message;
  EXPECT_EQ(file.Dates, DateFormat::Columns);
  EXPECT_EQ(file.DateColumns, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(file.Records, 4);
  EXPECT_EQ(file.AbsentRecords, 1);
  ExpectValues(file.Series[0], {12.5, M, M, 11.0});
  ExpectValues(file.Series[2], {24.0, M, M, 22.1});
}

TEST_F(DelimitedReader, SemicolonsDecimalCommasAndDayFirstDates) {
  const std::string bytes =
      "station;time;strahl;rel;t;tmax;tmin;vv\r\n"
      "16412;01.01.2000;300,0;80,0;-2,7;1,5;-5,0;3,1\r\n"
      "16412;02.01.2000;412,5;75,5;-1,0;2,0;-4,2;-\r\n";
  const DelimitedFile proposed = Read(bytes);
  ASSERT_TRUE(proposed.Ok()) << proposed.Result.Message;
  EXPECT_EQ(proposed.Separator, FieldSeparator::Semicolon);
  EXPECT_EQ(proposed.Decimal, DecimalSign::Comma);
  EXPECT_EQ(proposed.Dates, DateFormat::DayMonthYearDot);
  EXPECT_EQ(Codes(proposed), (std::vector<int>{0, 0, 0, 0, 0, 101, 103, 0}));

  DelimitedOptions options;
  options.Columns = {{Choose("strahl", 423), Choose("rel", 202), Choose("t", 102),
                      Choose("vv", 301)}};
  const DelimitedFile file = Read(bytes, options);
  ASSERT_TRUE(file.Ok()) << file.Result.Message;
  EXPECT_EQ(file.Last, (Date{2, 1, 2000}));
  ExpectValues(file.Series[0], {300.0, 412.5});
  ExpectValues(file.Series[2], {-2.7, -1.0});
  ExpectValues(file.Series[3], {3.1, M});
}

// ---------------------------------------------------------------------------------------------
// Preamble, header and separators

TEST_F(DelimitedReader, ALineWithADateAloneInThePreambleIsNoDataLine) {
  const DelimitedFile file = Read(
      "created 2021-03-01\n\ndate tmax tmin\n2000-01-01 1,5 -2,5\n2000-01-02 2 -3\n");
  ASSERT_TRUE(file.Ok()) << file.Result.Message;
  EXPECT_EQ(file.HeaderLine, 3);
  EXPECT_EQ(file.FirstDataLine, 4);
  EXPECT_EQ(file.Separator, FieldSeparator::Blanks);
  EXPECT_EQ(file.Decimal, DecimalSign::Comma);
  ExpectValues(file.Series[1], {-2.5, -3.0});
}

TEST_F(DelimitedReader, WithoutAHeaderColumnsAreChosenByNumber) {
  const std::string bytes = "Daily data\n2000-01-01\t12.5\t3\n2000-01-02\t13\t4\n";
  DelimitedOptions options;
  options.Columns = {{Choose("2", 101)}};
  const DelimitedFile file = Read(bytes, options);
  ASSERT_TRUE(file.Ok()) << file.Result.Message;
  EXPECT_EQ(file.HeaderLine, 0);  // a line the tab does not split is a preamble line
  EXPECT_EQ(file.Separator, FieldSeparator::Tab);
  EXPECT_EQ(file.Columns.size(), 3u);
  ExpectValues(file.Series[0], {12.5, 13.0});

  options.Columns = {{Choose("tmax", 101)}};
  EXPECT_EQ(Refusal(Read(bytes, options)),
            "ERROR:\nfile F, line 2: no column can be named \"tmax\": the file has no header; "
            "columns are given by their numbers");
}

TEST_F(DelimitedReader, QuotedFieldsKeepTheirSeparatorsAndQuotes) {
  const DelimitedFile file = Read(
      "\"date\",\"Tmax, \xB0" "C\",\"note\"\n"
      "\"2000-01-01\",\"12.5\",\"dry, \"\"sunny\"\"\"\n"
      "2000-01-02,13.5,\n");
  ASSERT_TRUE(file.Ok()) << file.Result.Message;
  EXPECT_EQ(file.Columns[1].Name, "Tmax, \xB0" "C");
  EXPECT_EQ(Codes(file), (std::vector<int>{0, 101, 0}));
  ExpectValues(file.Series[0], {12.5, 13.5});

  EXPECT_EQ(Refusal(Read("date,tmax\n2000-01-01,1\n2000-01-02,\"2\n")),
            "ERROR:\nfile F, line 3, column 2 (tmax): a quoted field is not closed before the "
            "end of the line; the fields of this file are separated by comma (,), and a quoted "
            "field ends on its own line");
}

TEST_F(DelimitedReader, TheCallerMayGiveSeparatorDecimalSignAndDateColumn) {
  const std::string bytes = "day;when;tmax\n1;2000-01-01;1.5\n2;2000-01-02;2.5\n";
  DelimitedOptions options;
  options.Separator = FieldSeparator::Comma;
  EXPECT_EQ(Refusal(Read(bytes, options)),
            "ERROR:\nfile F holds no data line: no line has a date in a column of its own "
            "(YYYY-MM-DD, YYYYMMDD, YYYY/MM/DD, DD.MM.YYYY, DD/MM/YYYY, MM/DD/YYYY, YYYY-MM, or "
            "year, month and day columns) beside other fields separated by comma (,)");

  options.Separator = FieldSeparator::Semicolon;
  options.DateColumns = {ColumnRef::FromText("WHEN")};
  options.Decimal = DecimalSign::Comma;
  const DelimitedFile comma = Read(bytes, options);
  EXPECT_EQ(Refusal(comma),
            "ERROR:\nfile F, line 2, column 3 (tmax): \"1.5\" is no number; accepted are numbers "
            "with a decimal comma (such as 12,5), and the marks of a missing value: an empty "
            "field, NA, N/A, NaN, null, -, -999, -9999");
  EXPECT_EQ(comma.DateColumns, std::vector<int>{2});  // the layout found stays
  EXPECT_EQ(Codes(comma), (std::vector<int>{0, 0, 101}));
}

TEST_F(DelimitedReader, LinesOfAnotherWidthAreRefusedNamingTheColumn) {
  EXPECT_EQ(Refusal(Read("date,tmax,tmin\n2000-01-01,1,2\n2000-01-02,1\n")),
            "ERROR:\nfile F, line 3, column 3 (tmin): the line ends after 2 fields where the "
            "header (line 1) names 3 columns; the fields of this file are separated by comma (,)");
  EXPECT_EQ(Refusal(Read("date,tmax\n2000-01-01,1,\n2000-01-02,1,5\n")),
            "ERROR:\nfile F, line 3, column 3: a field beyond the columns of the file: the header "
            "(line 1) names 2 columns; the fields of this file are separated by comma (,)");
  EXPECT_EQ(Refusal(Read("date,tmax,tmin\n2000-01-01,1\n2000-01-02,1\n")),
            "ERROR:\nfile F, line 2, column 3 (tmin): the line has 2 fields where the header "
            "(line 1) names 3 columns; the fields of this file are separated by comma (,)");
}

TEST_F(DelimitedReader, ALineOver64KiBIsRefusedNamingIt) {
  const std::string head = "date,tmax,note\n2000-01-01,1,x\n";
  const std::string start = "2000-01-02,2,";
  const std::string full = start + std::string(kMaxDelimitedLine - start.size(), 'x');
  ASSERT_TRUE(Read(head + full + "\n").Ok());
  EXPECT_EQ(Refusal(Read(head + full + "x\n2000-01-03,3,x\n")),
            "ERROR:\nline 3 of file F is longer than 65536 bytes; lines of up to 64 KiB (65536 "
            "bytes) are accepted");
}

// ---------------------------------------------------------------------------------------------
// Dates, gaps and data types

TEST_F(DelimitedReader, EachDateFormatGivesItsSpan) {
  struct Case {
    const char* first;
    const char* second;
    DateFormat format;
    uint8_t dataType;
    Date from;
    Date to;
    int records;
  };
  using F = DateFormat;
  const Case cases[] = {
      {"2000-02-28", "2000-03-01", F::YearMonthDay, kDaily, {28, 2, 2000}, {1, 3, 2000}, 3},
      {"20001230", "20010102", F::YearMonthDayPacked, kDaily, {30, 12, 2000}, {2, 1, 2001}, 4},
      {"2000/01/01", "2000/01/02", F::YearMonthDaySlash, kDaily, {1, 1, 2000}, {2, 1, 2000}, 2},
      {"31.12.1999", "01.01.2000", F::DayMonthYearDot, kDaily, {31, 12, 1999}, {1, 1, 2000}, 2},
      {"01/02/2000", "13/02/2000", F::DayMonthYearSlash, kDaily, {1, 2, 2000}, {13, 2, 2000}, 13},
      {"02/01/2000", "02/13/2000", F::MonthDayYearSlash, kDaily, {1, 2, 2000}, {13, 2, 2000}, 13},
      {"2000-11", "2001-02", F::YearMonth, kMonthly, {1, 11, 2000}, {1, 2, 2001}, 4},
      // All on the 1st: months; on the 1st, 11th and 21st: decades.
      {"2000-01-01", "2000-03-01", F::YearMonthDay, kMonthly, {1, 1, 2000}, {1, 3, 2000}, 3},
      {"2000-01-21", "2000-02-11", F::YearMonthDay, kTenDaily, {21, 1, 2000}, {11, 2, 2000}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first);
    const DelimitedFile file =
        Read(std::string("date,tmax\n") + c.first + ",1\n" + c.second + ",2\n");
    ASSERT_TRUE(file.Ok()) << file.Result.Message;
    EXPECT_EQ(file.Dates, c.format);
    EXPECT_EQ(file.DataType, c.dataType);
    EXPECT_EQ(file.First, c.from);
    EXPECT_EQ(file.Last, c.to);
    EXPECT_EQ(file.Records, c.records);
    ASSERT_EQ(file.Series.size(), 1u);
    EXPECT_EQ(file.Series[0].Values.front(), 1.0);
    EXPECT_EQ(file.Series[0].Values.back(), 2.0);
    EXPECT_EQ(file.AbsentRecords, c.records - 2);
  }
}

TEST_F(DelimitedReader, GapsBecomeRecordsOfMissingValues) {
  const DelimitedFile daily = Read("date,tmax\n2000-02-27,1\n2000-03-01,4\n2000-03-02,5\n");
  ExpectValues(daily.Series[0], {1, M, M, 4, 5});  // 28 and 29 February absent
  const DelimitedFile decades =
      Read("date,tmax\n2000-01-01,1\n2000-01-11,2\n2000-02-11,5\n");
  EXPECT_EQ(decades.DataType, kTenDaily);
  ExpectValues(decades.Series[0], {1, 2, M, M, 5});
  const DelimitedFile months = Read("year,month,tmax\n2000,11,1\n2001,2,4\n");
  EXPECT_EQ(months.DataType, kMonthly);
  EXPECT_EQ(months.Dates, DateFormat::Columns);
  ExpectValues(months.Series[0], {1, M, M, 4});
  EXPECT_EQ(Read("date,tmax\n2000-01-01,1\n").DataType, kDaily);  // one line: a day
}

TEST_F(DelimitedReader, TheDayAndMonthOrderMustBeToldByTheFileOrTheCaller) {
  const std::string bytes = "date,tmax\n01/02/2000,1\n01/03/2000,2\n";
  EXPECT_EQ(Refusal(Read(bytes)),
            "ERROR:\nfile F, line 2, column 1 (date): dates such as 01/02/2000 can be read as "
            "DD/MM/YYYY or as MM/DD/YYYY, and no date of the file has a day above 12 to tell "
            "which; give the order of their day and month (day, month, year or month, day, "
            "year)");
  DelimitedOptions options;
  options.Dates = DateFormat::MonthDayYearSlash;
  const DelimitedFile file = Read(bytes, options);
  ASSERT_TRUE(file.Ok()) << file.Result.Message;
  EXPECT_EQ(file.First, (Date{2, 1, 2000}));
  EXPECT_EQ(file.Records, 2);
  // The order alone tells it as well.
  for (const auto& [order, first] : {std::pair{DateOrder::MonthDayYear, Date{2, 1, 2000}},
                                     std::pair{DateOrder::DayMonthYear, Date{1, 2, 2000}}}) {
    DelimitedOptions ordered;
    ordered.Order = order;
    const DelimitedFile read = Read(bytes, ordered);
    ASSERT_TRUE(read.Ok()) << read.Result.Message;
    EXPECT_EQ(read.First, first);
    EXPECT_EQ(read.Dates, order == DateOrder::DayMonthYear ? DateFormat::DayMonthYearSlash
                                                           : DateFormat::MonthDayYearSlash);
  }

  // A day above 12 on line 4 settles the order; the lines before it are checked in it then.
  EXPECT_EQ(Refusal(Read("date,tmax\n02/01/2000,1\n01/01/2000,2\n13/01/2000,3\n")),
            "ERROR:\nfile F, line 3, column 1 (date): the date 2000-01-01 comes after 2000-01-02 "
            "of line 2; the dates rise from line to line");
}

TEST_F(DelimitedReader, ADateOrderGivenTakesOnlyDatesInThatOrder) {
  struct Case {
    const char* lines;
    DateOrder order;
    DateFormat dates;
    const char* refusal;  // empty: read, its dates of `dates`
  };
  const Case cases[] = {
      {"date,tmax\n2000-01-02,1\n2000-01-03,2\n", DateOrder::YearMonthDay,
       DateFormat::YearMonthDay, ""},
      {"date,tmax\n02.01.2000,1\n03.01.2000,2\n", DateOrder::DayMonthYear,
       DateFormat::DayMonthYearDot, ""},
      // The order rules out the form of every date of the file.
      {"date,tmax\n02.01.2000,1\n03.01.2000,2\n", DateOrder::YearMonthDay, DateFormat::Auto,
       "ERROR:\nfile F holds no data line: no line has a date in a column of its own "
       "(YYYY-MM-DD, YYYYMMDD, YYYY/MM/DD or YYYY-MM) beside other fields separated by a tab, a "
       "semicolon, a comma or blanks"},
      {"date,tmax\n13/01/2000,1\n14/01/2000,2\n", DateOrder::MonthDayYear, DateFormat::Auto,
       "ERROR:\nfile F holds no data line: no line has a date in a column of its own "
       "(MM/DD/YYYY) beside other fields separated by a tab, a semicolon, a comma or blanks"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    DelimitedOptions options;
    options.Order = c.order;
    const DelimitedFile file = Read(c.lines, options);
    if (*c.refusal == '\0') {
      ASSERT_TRUE(file.Ok()) << file.Result.Message;
      EXPECT_EQ(file.Dates, c.dates);
      EXPECT_EQ(file.First, (Date{2, 1, 2000}));
    } else {
      EXPECT_EQ(Refusal(file), c.refusal);
    }
  }
  // An order beside year, month and day columns, or beside a form of another order.
  DelimitedOptions columns;
  columns.Order = DateOrder::DayMonthYear;
  columns.DateColumns = {ColumnRef::FromText("1"), ColumnRef::FromText("2"),
                         ColumnRef::FromText("3")};
  EXPECT_EQ(Refusal(Read("2000,1,2,1\n", columns)),
            "ERROR:\nfile F: the dates are given in year, month and day columns; a date order "
            "applies to a date column");
  DelimitedOptions form;
  form.Order = DateOrder::DayMonthYear;
  form.Dates = DateFormat::MonthDayYearSlash;
  EXPECT_EQ(Refusal(Read("date,tmax\n01/02/2000,1\n", form)),
            "ERROR:\nfile F: dates of the form MM/DD/YYYY are not in the order day, month, year");
}

TEST_F(DelimitedReader, ADateTwiceOrOutOfOrderIsRefusedNamingBothLines) {
  EXPECT_EQ(Refusal(Read("date,tmax\n2000-01-01,1\n\n2000-01-01,2\n")),
            "ERROR:\nfile F, line 4, column 1 (date): the date 2000-01-01 is given on line 2 "
            "already; each date is given once");
  EXPECT_EQ(Refusal(Read("YEAR,MONTH,DAY,TX\n2000,1,2,1\n2000,1,1,2\n")),
            "ERROR:\nfile F, line 3, columns 1, 2 and 3: the date 2000-01-01 comes after "
            "2000-01-02 of line 2; the dates rise from line to line");
}

TEST_F(DelimitedReader, DatesOutsideTheCalendarOrOfAnotherFormAreRefused) {
  struct Case {
    const char* lines;
    const char* message;
  };
  const Case cases[] = {
      {"1901-12-31,1\n1902-01-01,2\n",
       "file F, line 2, column 1 (date): the year 1901 lies outside the years 1902 to 2099 that "
       "the import takes"},
      {"2099-12-31,1\n2100-01-01,2\n",
       "file F, line 3, column 1 (date): the year 2100 lies outside the years 1902 to 2099 that "
       "the import takes"},
      {"2001-02-28,1\n2001-02-29,2\n",
       "file F, line 3, column 1 (date): \"2001-02-29\" is no date of the calendar; the dates of "
       "this file have the form YYYY-MM-DD"},
      {"2001-02-28,1\n2001-03-01,2\n01.03.2001,3\n",
       "file F, line 4, column 1 (date): \"01.03.2001\" is no date of the form YYYY-MM-DD, the "
       "form of the dates of this file (line 2)"},
      {"2001-02-28,1\n2001-03-01,2\nTotal,3\n",
       "file F, line 4, column 1 (date): \"Total\" is no date of the form YYYY-MM-DD, the form of "
       "the dates of this file (line 2)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    EXPECT_EQ(Refusal(Read(std::string("date,tmax\n") + c.lines)),
              std::string("ERROR:\n") + c.message);
  }
}

TEST_F(DelimitedReader, AGivenDataTypeNeedsDatesThatStartItsRecords) {
  DelimitedOptions options;
  options.DataType = kTenDaily;
  EXPECT_EQ(Refusal(Read("date,tmax\n2000-01-01,1\n2000-01-05,2\n", options)),
            "ERROR:\nfile F, line 3, column 1 (date): the date 2000-01-05 starts no 10-daily "
            "record; 10-daily records start on the 1st, 11th and 21st of a month");
  options.DataType = kDaily;
  const DelimitedFile daily = Read("date,tmax\n2000-01-01,1\n2000-02-01,2\n", options);
  EXPECT_EQ(daily.Records, 32);
  EXPECT_EQ(Refusal(Read("date,tmax\n2000-01,1\n2000-02,2\n", options)),
            "ERROR:\nfile F, line 2, column 1 (date): the dates of this file name months only "
            "(YYYY-MM); they give monthly data, not daily");
}

// ---------------------------------------------------------------------------------------------
// Columns, factors and missing values

TEST_F(DelimitedReader, MissingValuesInEveryFormBecomeTheMissingValue) {
  DelimitedOptions options;
  options.UndefinedValues = {-999, -9999, -99.9};
  options.MissingMarkers = {"x"};
  const DelimitedFile file = Read(
      "date,tmax\n2000-01-01,\n2000-01-02,NA\n2000-01-03,nan\n2000-01-04,NULL\n2000-01-05,-\n"
      "2000-01-06,-999\n2000-01-07,-9999.0\n2000-01-08,-99.90\n2000-01-09,X\n2000-01-10,\"\"\n"
      "2000-01-11,-99.91\n",
      options);
  ASSERT_TRUE(file.Ok()) << file.Result.Message;
  ExpectValues(file.Series[0], {M, M, M, M, M, M, M, M, M, M, -99.91});
  EXPECT_NEAR(file.Series[0].Minimum, -99.91, 1e-12);
}

TEST_F(DelimitedReader, AProposalIsOfferedOncePerParameter) {
  const DelimitedFile file = Read("date,tmax,tx,ea[kPa],ea[hPa]\n2000-01-01,1,2,3,4\n");
  EXPECT_EQ(Codes(file), (std::vector<int>{0, 101, 0, 221, 0}));
  EXPECT_EQ(file.Columns[2].Proposal.Note,
            "code 101 of column 2 (tmax) gives this parameter already");
  EXPECT_EQ(file.Columns[4].Proposal.Note,
            "code 221 of column 4 (ea[kPa]) gives this parameter already");
}

TEST_F(DelimitedReader, ChoicesThatCannotBeImportedAreRefused) {
  const std::string bytes = "date,tmax,ea,rh\n2000-01-01,1,2,0.5\n";
  struct Case {
    std::vector<ColumnChoice> choices;
    const char* message;
  };
  const Case cases[] = {
      {{Choose("tmaxx", 101)},
       "file F, line 1: the header names no column \"tmaxx\"; its columns are date, tmax, ea, rh"},
      {{Choose("7", 101)}, "file F, line 1: there is no column 7; the lines have 4 columns"},
      {{Choose("date", 101)},
       "file F, line 1, column 1 (date): a date column cannot be imported (as code 101)"},
      {{Choose("tmax", 501)},
       "file F, line 1, column 2 (tmax): 501 is no code of a parameter the import takes; the "
       "codes of the parameter table from 101 to 435 are"},
      {{Choose("rh", 202, 0)},
       "file F, line 1, column 4 (rh): the factor 0 cannot be used; a factor is a number other "
       "than 0"},
      {{Choose("tmax", 101), Choose("2", 103)},
       "file F, line 1, column 2 (tmax): the column is chosen twice; a column is imported once"},
      {{Choose("ea", 221), Choose("rh", 222)},
       "file F, line 1, column 4 (rh): code 222 and code 221 of column 3 (ea) give the same "
       "parameter; one column is imported per parameter"},
      {{Choose("ea", 221, 1e308)},
       "file F, line 2, column 3 (ea): 2 times the factor 1e+308 is beyond the numbers a value "
       "can hold; give a smaller factor"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    DelimitedOptions options;
    options.Columns = c.choices;
    EXPECT_EQ(Refusal(Read(bytes, options)), std::string("ERROR:\n") + c.message);
  }
}

// ---------------------------------------------------------------------------------------------
// Towards the import

TEST_F(DelimitedReader, TheScanOfTheImportTakesTheRecordsAndRanges) {
  const DelimitedFile file = Read("date,tmax,tmin\n2000-01-01,10,-\n2000-01-03,12,-\n");
  const ScanResult scan = ScanOfDelimitedFile(file);
  EXPECT_EQ(scan.Outcome, ScanOutcome::Ok);
  EXPECT_EQ(scan.Lines, 3);
  EXPECT_EQ(scan.Columns, 2);
  EXPECT_EQ(scan.Minimum[0], 10.0);
  EXPECT_EQ(scan.Maximum[0], 12.0);
  EXPECT_EQ(scan.Maximum[1], kDefaultUndefinedValue);  // a column without a value

  EXPECT_EQ(ScanOfDelimitedFile(Read("date,station\n2000-01-01,x\n")).Reason,
            "file " + path_ + ": no column is chosen to be imported");
  const ScanResult refused = ScanOfDelimitedFile(Read("date,tmax\n2000-01-01,x\n"));
  EXPECT_EQ(refused.Outcome, ScanOutcome::Unreadable);
  EXPECT_EQ(refused.Reason.find("ERROR"), std::string::npos);
  EXPECT_NE(refused.Reason.find("\"x\" is no number"), std::string::npos);

  std::string header = "date";
  std::string row = "2000-01-01";
  for (const char* name : {"tmax", "tmean", "tmin", "rhmax", "rh", "rhmin", "tdew", "ea", "u2",
                           "sun", "rs"}) {
    header += std::string(",") + name;
    row += ",1";
  }
  const ScanResult wide = ScanOfDelimitedFile(Read(header + "\n" + row + "\n"));
  EXPECT_EQ(wide.Outcome, ScanOutcome::Unreadable);
  EXPECT_EQ(wide.Reason, "file " + path_ +
                             ": 11 columns are chosen to be imported; the import takes at most 10");
}

}  // namespace
}  // namespace vernoli
