#include "stations/span.h"

#include <gtest/gtest.h>

namespace vernoli {
namespace {

void ExpectDate(const Date& actual, int day, int month, int year) {
  EXPECT_EQ(actual, (Date{day, month, year}))
      << actual.Day << "/" << actual.Month << "/" << actual.Year;
}

TEST(SpanEntry, OpensOnDailyDataOf2005) {
  const SpanEntry span;
  EXPECT_EQ(span.DataType(), kDaily);
  ExpectDate(span.DateOf(SpanEnd::First), 1, 1, 2005);
  ExpectDate(span.DateOf(SpanEnd::Last), 31, 12, 2005);
  EXPECT_FALSE(span.NotLinked());
  const DateControls first = span.Controls(SpanEnd::First);
  EXPECT_EQ(first.Day, 1);
  EXPECT_EQ(first.Decade, 1);
  EXPECT_EQ(first.Month, 1);
  EXPECT_EQ(first.YearText, "  2005");
  EXPECT_FALSE(first.NotLinked);
  const DateControls last = span.Controls(SpanEnd::Last);
  EXPECT_EQ(last.Day, 31);
  EXPECT_EQ(last.Decade, 3);
  EXPECT_EQ(last.Month, 12);
  EXPECT_EQ(span.NumberOfRecords(), 365);
}

TEST(SpanEntry, ImpossibleDatesAreNormalised) {
  SpanEntry span;
  span.ChooseMonth(SpanEnd::First, 4);
  span.ChooseDay(SpanEnd::First, 31);
  ExpectDate(span.DateOf(SpanEnd::First), 1, 5, 2005);
  EXPECT_EQ(span.Controls(SpanEnd::First).Day, 1);
  EXPECT_EQ(span.Controls(SpanEnd::First).Month, 5);

  span.ChooseMonth(SpanEnd::First, 1);
  span.ChooseDay(SpanEnd::First, 31);
  span.ChooseMonth(SpanEnd::First, 2);  // 31 February 2005
  ExpectDate(span.DateOf(SpanEnd::First), 3, 3, 2005);
}

TEST(SpanEntry, TheEndJustChangedFollowsTheOtherWhenTheSpanWouldInvert) {
  SpanEntry span;
  span.ChooseMonth(SpanEnd::Last, 3);  // 31 March 2005
  EXPECT_EQ(span.EnterYear(SpanEnd::First, "2006").Message, "");
  ExpectDate(span.DateOf(SpanEnd::First), 31, 3, 2005);  // the first moved to the last

  span.ChooseMonth(SpanEnd::First, 1);  // 31 January 2005
  span.ChooseMonth(SpanEnd::Last, 1);   // 31 January 2005
  span.ChooseDay(SpanEnd::Last, 5);     // before the first: the last moves to the first
  ExpectDate(span.DateOf(SpanEnd::Last), 31, 1, 2005);
  EXPECT_EQ(span.EnterYear(SpanEnd::Last, "2004").Message, "");
  ExpectDate(span.DateOf(SpanEnd::Last), 31, 1, 2005);
  EXPECT_GE(span.DayNumber(SpanEnd::Last), span.DayNumber(SpanEnd::First));
}

TEST(SpanEntry, DecadeSetsTheDayToTheDecadesFirstDay) {
  SpanEntry span;
  span.SetDataType(kTenDaily);
  span.ChooseDecade(SpanEnd::Last, 2);
  ExpectDate(span.DateOf(SpanEnd::Last), 11, 12, 2005);
  span.ChooseDecade(SpanEnd::First, 3);
  ExpectDate(span.DateOf(SpanEnd::First), 21, 1, 2005);
  EXPECT_EQ(span.Controls(SpanEnd::First).Decade, 3);
  // A decade after the last moves the first to the last.
  span.ChooseMonth(SpanEnd::Last, 1);  // 11 January 2005
  ExpectDate(span.DateOf(SpanEnd::First), 21, 1, 2005);
  ExpectDate(span.DateOf(SpanEnd::Last), 21, 1, 2005);
}

TEST(SpanEntry, YearEditIsCheckedWithTheMessage) {
  SpanEntry span;
  const IntegerEntryCheck low = span.EnterYear(SpanEnd::First, "1800");
  EXPECT_EQ(low.Message, "ERROR:\nvalue is smaller than Minimum (=    1902)");
  EXPECT_EQ(low.FieldText, "  1902");
  ExpectDate(span.DateOf(SpanEnd::First), 1, 1, 1902);
  const IntegerEntryCheck none = span.EnterYear(SpanEnd::Last, "twenty");
  EXPECT_EQ(none.Message, "");
  ExpectDate(span.DateOf(SpanEnd::Last), 31, 12, 2000);
}

TEST(SpanEntry, NotLinkedSetsBothYearsTo1901AndBackTo2005) {
  SpanEntry span;
  span.ChooseMonth(SpanEnd::First, 2);
  span.ChooseDay(SpanEnd::First, 28);
  span.SetNotLinked(true);
  EXPECT_TRUE(span.NotLinked());
  ExpectDate(span.DateOf(SpanEnd::First), 28, 2, 1901);
  ExpectDate(span.DateOf(SpanEnd::Last), 31, 12, 1901);
  EXPECT_TRUE(span.Controls(SpanEnd::First).NotLinked);
  EXPECT_EQ(span.Controls(SpanEnd::Last).YearText, "  1901");
  EXPECT_FALSE(span.Visibility().Years);

  span.SetNotLinked(false);
  EXPECT_FALSE(span.NotLinked());
  ExpectDate(span.DateOf(SpanEnd::First), 28, 2, 2005);
  ExpectDate(span.DateOf(SpanEnd::Last), 31, 12, 2005);
  EXPECT_TRUE(span.Visibility().Years);
}

TEST(SpanEntry, NotLinkedNeverLeavesTheSpanInverted) {
  SpanEntry span(kDaily, {1, 12, 2004}, {1, 1, 2005});
  span.SetNotLinked(true);
  ExpectDate(span.DateOf(SpanEnd::First), 1, 12, 1901);
  ExpectDate(span.DateOf(SpanEnd::Last), 1, 12, 1901);
}

TEST(SpanEntry, VisibilityFollowsTheDataType) {
  struct Row {
    uint8_t dataType;
    const char* dayLabel;
    bool dayLabels, dayLists, decadeLists, firstLast;
  };
  const Row rows[] = {
      {kDaily, "Day", true, true, false, true},
      {kTenDaily, "Dec", true, false, true, true},
      {kMonthly, "Day", false, false, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.dataType));
    SpanEntry span;
    span.SetDataType(row.dataType);
    const SpanVisibility visibility = span.Visibility();
    if (row.dayLabels) {
      EXPECT_EQ(visibility.DayLabel, row.dayLabel);
    }
    EXPECT_EQ(visibility.DayLabels, row.dayLabels);
    EXPECT_EQ(visibility.DayLists, row.dayLists);
    EXPECT_EQ(visibility.DecadeLists, row.decadeLists);
    EXPECT_EQ(visibility.FirstLastLabels, row.firstLast);
    EXPECT_TRUE(visibility.Years);
  }
}

TEST(SpanEntry, StoredSpanOfEachDataType) {
  struct Row {
    const char* name;
    uint8_t dataType;
    Date first, last;
    Date from, to;
    int32_t records;
  };
  const Row rows[] = {
      {"10-daily January-February 2004", kTenDaily, {5, 1, 2004}, {25, 2, 2004},
       {1, 1, 2004}, {29, 2, 2004}, 6},
      {"10-daily second decades", kTenDaily, {15, 3, 2001}, {12, 4, 2001},
       {11, 3, 2001}, {20, 4, 2001}, 4},
      {"monthly not linked", kMonthly, {1, 1, 1901}, {1, 12, 1901},
       {1, 1, 1901}, {31, 12, 1901}, 12},
      {"monthly ending in a leap February", kMonthly, {17, 11, 2003}, {3, 2, 2004},
       {1, 11, 2003}, {29, 2, 2004}, 4},
      {"daily", kDaily, {17, 11, 2003}, {3, 2, 2004}, {17, 11, 2003}, {3, 2, 2004}, 79},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SpanEntry span(row.dataType, row.first, row.last);
    RepClimateFile station = NewStation();
    span.ApplyTo(station);
    EXPECT_EQ(station.DataType, row.dataType);
    ExpectDate(station.From(), row.from.Day, row.from.Month, row.from.Year);
    ExpectDate(station.To(), row.to.Day, row.to.Month, row.to.Year);
    EXPECT_EQ(station.FirstDayNr, DayNr(row.from.Day, row.from.Month, row.from.Year));
    EXPECT_EQ(station.LastDayNr, DayNr(row.to.Day, row.to.Month, row.to.Year));
    EXPECT_EQ(station.NumberOfRecords, row.records);
    EXPECT_EQ(span.NumberOfRecords(), row.records);
  }
}

}  // namespace
}  // namespace vernoli
