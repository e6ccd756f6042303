#include "model/calendar.h"

#include <gtest/gtest.h>

#include "model/station.h"

namespace vernoli {
namespace {

TEST(DayNr, KnownDays) {
  struct Case { int d, m, y; int32_t n; } const cases[] = {
      {1, 1, 1901, 1},     {31, 12, 1901, 365}, {1, 1, 1902, 366},   {28, 2, 1901, 59},
      {1, 3, 1901, 60},    {29, 2, 1904, 1155}, {1, 3, 1904, 1156},  {1, 1, 2000, 36160},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.d << "-" << c.m << "-" << c.y);
    EXPECT_EQ(DayNr(c.d, c.m, c.y), c.n);
    EXPECT_EQ(DateOfDayNr(c.n), (Date{c.d, c.m, c.y}));
  }
}

TEST(DayNr, RoundTripsEveryDateOf1901To2099) {
  int32_t expected = 1;
  for (int y = 1901; y <= 2099; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= DaysInMonthOfYear(m, y); ++d) {
        const int32_t n = DayNr(d, m, y);
        ASSERT_EQ(n, expected) << d << "-" << m << "-" << y;
        ASSERT_EQ(DateOfDayNr(n), (Date{d, m, y})) << n;
        ++expected;
      }
}

TEST(Calendar, LeapYearsHaveNoCenturyException) {
  EXPECT_TRUE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2100));
  EXPECT_TRUE(IsLeapYear(2004));
  EXPECT_FALSE(IsLeapYear(1901));
  EXPECT_FALSE(IsLeapYear(2001));
  EXPECT_EQ(DaysInMonthOfYear(2, 2004), 29);
  EXPECT_EQ(DaysInMonthOfYear(2, 2003), 28);
  EXPECT_EQ(DaysInMonth(2), 28);
}

TEST(Calendar, MonthNamesAndDecades) {
  EXPECT_EQ(MonthName(1), "January");
  EXPECT_EQ(MonthName(9), "September");
  EXPECT_EQ(MonthName(12), "December");
  EXPECT_EQ(DecadeOfDay(1), 1);
  EXPECT_EQ(DecadeOfDay(10), 1);
  EXPECT_EQ(DecadeOfDay(11), 2);
  EXPECT_EQ(DecadeOfDay(20), 2);
  EXPECT_EQ(DecadeOfDay(21), 3);
  EXPECT_EQ(DecadeOfDay(31), 3);
  EXPECT_EQ(FirstDayOfDecade(3), 21);
  EXPECT_EQ(LastDayOfDecade(3, 2, 2004), 29);
  EXPECT_EQ(LastDayOfDecade(3, 2, 2003), 28);
  EXPECT_EQ(LastDayOfDecade(2, 2, 2003), 20);
}

TEST(Calendar, NormaliseDateRollsOver) {
  EXPECT_EQ(NormaliseDate(31, 4, 2001), (Date{1, 5, 2001}));
  EXPECT_EQ(NormaliseDate(29, 2, 2001), (Date{1, 3, 2001}));
  EXPECT_EQ(NormaliseDate(31, 2, 2001), (Date{3, 3, 2001}));
  EXPECT_EQ(NormaliseDate(29, 2, 2004), (Date{29, 2, 2004}));
}

TEST(NumberOfRecords, CountsDailyTenDailyAndMonthlySpans) {
  EXPECT_EQ(NumberOfRecords(kDaily, {1, 1, 1901}, {31, 12, 1901}), 365);
  EXPECT_EQ(NumberOfRecords(kDaily, {1, 1, 2004}, {31, 12, 2004}), 366);
  EXPECT_EQ(NumberOfRecords(kTenDaily, {1, 1, 2000}, {31, 12, 2001}), 72);
  EXPECT_EQ(NumberOfRecords(kTenDaily, {11, 4, 2001}, {31, 12, 2001}), 26);
  EXPECT_EQ(NumberOfRecords(kTenDaily, {1, 1, 2004}, {29, 2, 2004}), 6);
  EXPECT_EQ(NumberOfRecords(kMonthly, {1, 1, 1901}, {31, 12, 1901}), 12);
  EXPECT_EQ(NumberOfRecords(kMonthly, {1, 11, 2000}, {28, 2, 2001}), 4);
}

TEST(NextRecordDate, StepsEachDataType) {
  EXPECT_EQ(NextRecordDate(kDaily, {28, 2, 2004}), (Date{29, 2, 2004}));
  EXPECT_EQ(NextRecordDate(kDaily, {31, 12, 2003}), (Date{1, 1, 2004}));
  EXPECT_EQ(NextRecordDate(kTenDaily, {1, 2, 2004}), (Date{11, 2, 2004}));
  EXPECT_EQ(NextRecordDate(kTenDaily, {11, 2, 2004}), (Date{21, 2, 2004}));
  EXPECT_EQ(NextRecordDate(kTenDaily, {21, 2, 2004}), (Date{1, 3, 2004}));
  EXPECT_EQ(NextRecordDate(kTenDaily, {21, 2, 2003}), (Date{1, 3, 2003}));
  EXPECT_EQ(NextRecordDate(kTenDaily, {21, 12, 2003}), (Date{1, 1, 2004}));
  EXPECT_EQ(NextRecordDate(kMonthly, {1, 2, 2004}), (Date{1, 3, 2004}));
  EXPECT_EQ(NextRecordDate(kMonthly, {1, 12, 1901}), (Date{1, 1, 1902}));
}

TEST(NextRecordDate, DailyStepsAgreeWithTheDayNumbers) {
  for (Date d{1, 1, 1901}; d.Year < 2100; d = NextRecordDate(kDaily, d)) {
    ASSERT_EQ(d, DateOfDayNr(DayNr(d.Day, d.Month, d.Year))) << d.Day << "." << d.Month << "." << d.Year;
    const Date next = NextRecordDate(kDaily, d);
    ASSERT_EQ(DayNr(next.Day, next.Month, next.Year), DayNr(d.Day, d.Month, d.Year) + 1)
        << d.Day << "." << d.Month << "." << d.Year;
  }
}

TEST(NextRecordDate, StepsAgreeWithTheRecordCount) {
  // Stepping from the From date reaches the To date's record after NumberOfRecords - 1 steps.
  const Date from{1, 1, 1999};
  for (uint8_t type : {uint8_t(kDaily), uint8_t(kTenDaily), uint8_t(kMonthly)}) {
    Date d = from;
    const int steps = NumberOfRecords(type, from, {31, 12, 2004}) - 1;
    for (int i = 0; i < steps; ++i) d = NextRecordDate(type, d);
    EXPECT_EQ(d.Year, 2004) << int(type);
    EXPECT_EQ(d.Month, 12) << int(type);
    EXPECT_EQ(DecadeOfDay(d.Day), type == kDaily ? 3 : (type == kTenDaily ? 3 : 1)) << int(type);
  }
}

// A station whose records begin on `from`.
RepClimateFile RecordsFrom(uint8_t dataType, Date from) {
  RepClimateFile station = NewStation();
  station.DataType = dataType;
  station.FromDay = from.Day;
  station.FromMonth = from.Month;
  station.FromYear = from.Year;
  station.FirstDayNr = DayNr(from.Day, from.Month, from.Year);
  return station;
}

TEST(DateOfRecord, FollowsTheCalendarOfTheRecords) {
  struct Row {
    const char* name;
    uint8_t type;
    Date from;
    int32_t k;
    Date expected;
  };
  const Row rows[] = {
      {"daily, first record", kDaily, {1, 3, 2001}, 0, {1, 3, 2001}},
      {"daily, 1 January", kDaily, {1, 3, 2001}, 306, {1, 1, 2002}},
      {"daily, 29 February", kDaily, {1, 2, 2004}, 28, {29, 2, 2004}},
      {"daily, 1 March of a leap year", kDaily, {1, 2, 2004}, 29, {1, 3, 2004}},
      {"10-daily, second decade", kTenDaily, {11, 4, 2001}, 0, {11, 4, 2001}},
      {"10-daily, next month", kTenDaily, {11, 4, 2001}, 2, {1, 5, 2001}},
      {"10-daily, next year", kTenDaily, {11, 4, 2001}, 26, {1, 1, 2002}},
      {"10-daily, a day inside the decade", kTenDaily, {15, 4, 2001}, 1, {21, 4, 2001}},
      {"monthly, next year", kMonthly, {1, 11, 2001}, 2, {1, 1, 2002}},
      {"monthly, not linked", kMonthly, {1, 1, kYearNotLinked}, 11, {1, 12, kYearNotLinked}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DateOfRecord(RecordsFrom(row.type, row.from), row.k), row.expected);
  }
}

TEST(DateOfRecord, AgreesWithSteppingRecordByRecord) {
  for (uint8_t type : {kDaily, kTenDaily, kMonthly}) {
    SCOPED_TRACE(int(type));
    const RepClimateFile station = RecordsFrom(type, {21, 11, 2003});
    Date stepped = DateOfRecord(station, 0);
    for (int32_t k = 1; k < 3000; ++k) {
      stepped = NextRecordDate(type, stepped);
      ASSERT_EQ(DateOfRecord(station, k), stepped) << "record offset " << k;
    }
  }
}

}  // namespace
}  // namespace vernoli
