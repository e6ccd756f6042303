// The dates of a delimited file: the forms of a date field, the order of day and month, date
// column names and the numbering of records.
#include "import/delimiteddates.h"

#include <gtest/gtest.h>

namespace vernoli {
namespace {

TEST(DelimitedDates, ReadsEveryFormIntoItsDate) {
  struct Case {
    const char* field;
    DateFormat format;
    Date date;
  };
  const Case cases[] = {
      {"2000-02-29", DateFormat::YearMonthDay, {29, 2, 2000}},
      {"2000-2-9", DateFormat::YearMonthDay, {9, 2, 2000}},
      {" 2000-02-09 ", DateFormat::YearMonthDay, {9, 2, 2000}},  // a quoted field keeps blanks
      {"19800101", DateFormat::YearMonthDayPacked, {1, 1, 1980}},
      {"2020/12/31", DateFormat::YearMonthDaySlash, {31, 12, 2020}},
      {"01.03.2000", DateFormat::DayMonthYearDot, {1, 3, 2000}},
      {"13/01/2000", DateFormat::DayMonthYearSlash, {13, 1, 2000}},
      {"01/13/2000", DateFormat::MonthDayYearSlash, {13, 1, 2000}},
      {"2000-07", DateFormat::YearMonth, {1, 7, 2000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    const DateText text = ReadDateText(c.field);
    EXPECT_EQ(text.Shape, ShapeOfFormat(c.format));
    Date date{};
    ASSERT_TRUE(DateOfText(text, c.format, date));
    EXPECT_EQ(date, c.date);
  }
}

TEST(DelimitedDates, RefusesWhatIsNoDateOfTheCalendarOrOfNoForm) {
  for (const char* field : {"2001-02-29", "2000-13-01", "2000-04-31", "20000230", "00.01.2000"}) {
    const DateText text = ReadDateText(field);
    Date date{};
    EXPECT_FALSE(DateOfText(text, FormatOfShape(text.Shape), date)) << field;
  }
  for (const char* field : {"", "260", "-2,7", "12.5", "2000-01-01T00:00", "2000.01.01",
                            "123456789", "01/01/00", "2000-001-01", "20000101x"}) {
    EXPECT_EQ(ReadDateText(field).Shape, DateShape::None) << field;
  }
}

TEST(DelimitedDates, OnlyANumberAbove12TellsTheOrderOfDayAndMonth) {
  EXPECT_EQ(OrderTold(ReadDateText("13/01/2000")), DateFormat::DayMonthYearSlash);
  EXPECT_EQ(OrderTold(ReadDateText("01/13/2000")), DateFormat::MonthDayYearSlash);
  EXPECT_EQ(OrderTold(ReadDateText("01/02/2000")), DateFormat::Auto);
  EXPECT_EQ(OrderTold(ReadDateText("12/12/2000")), DateFormat::Auto);
  EXPECT_EQ(OrderTold(ReadDateText("2000/01/13")), DateFormat::Auto);  // tells itself
}

TEST(DelimitedDates, DateColumnNamesIgnoreCaseBlanksAndUnderscores) {
  for (const char* name : {"date", "Date", " DATUM ", "YYYYMMDD", "time", "MESS_DATUM", "day"}) {
    EXPECT_TRUE(IsDateColumnName(name)) << name;
  }
  EXPECT_FALSE(IsDateColumnName("tmax"));
  EXPECT_TRUE(IsYearColumnName("YEAR"));
  EXPECT_TRUE(IsMonthColumnName("Month"));
  EXPECT_TRUE(IsDayColumnName("DAY"));
  EXPECT_FALSE(IsDayColumnName("DDVEC"));
}

TEST(DelimitedDates, RecordNumbersStepOnePerRecordOfTheDataType) {
  EXPECT_EQ(RecordNumber(kDaily, {1, 3, 2000}) - RecordNumber(kDaily, {28, 2, 2000}), 2);
  EXPECT_EQ(RecordNumber(kTenDaily, {1, 1, 2001}) - RecordNumber(kTenDaily, {21, 12, 2000}), 1);
  EXPECT_EQ(RecordNumber(kTenDaily, {11, 3, 2000}) - RecordNumber(kTenDaily, {1, 1, 2000}), 7);
  EXPECT_EQ(RecordNumber(kMonthly, {1, 1, 2001}) - RecordNumber(kMonthly, {1, 11, 2000}), 2);
  EXPECT_TRUE(StartsRecord(kTenDaily, {21, 2, 2000}));
  EXPECT_FALSE(StartsRecord(kTenDaily, {20, 2, 2000}));
  EXPECT_FALSE(StartsRecord(kMonthly, {11, 2, 2000}));
  EXPECT_EQ(DateForMessage({5, 1, 2000}), "2000-01-05");
}

}  // namespace
}  // namespace vernoli
