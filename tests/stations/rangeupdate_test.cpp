#include "stations/rangeupdate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <string>

#include "model/atomicfile.h"
#include "model/calendar.h"
#include "station_folder.h"
#include "stations/fileset.h"

namespace vernoli {
namespace {

using test_support::FailureHooksLifted;
using test_support::LineRange;
using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::Snapshot;
using test_support::WriteBytes;
using test_support::WriteStation;

RepClimateFile SpanOf(uint8_t dataType, Date from, Date to) {
  RepClimateFile station = NewStation();
  SetSpan(station, dataType, from, to);
  return station;
}

std::string DateText(const Date& date) {
  return std::to_string(date.Day) + "/" + std::to_string(date.Month) + "/" +
         std::to_string(date.Year);
}

// ---------------------------------------------------------------------------------------------
// Steps

enum class Op { ExpandEnd, ShrinkEnd, ExpandBeginning, ShrinkBeginning };

bool Apply(RangeUpdate& update, Op op, RangeStep step) {
  switch (op) {
    case Op::ExpandEnd: return update.ExpandEnd(step);
    case Op::ShrinkEnd: return update.ShrinkEnd(step);
    case Op::ExpandBeginning: return update.ExpandBeginning(step);
    case Op::ShrinkBeginning: return update.ShrinkBeginning(step);
  }
  return false;
}

constexpr RangeStep kDay = RangeStep::DayOrDecade;
constexpr RangeStep kMonth = RangeStep::Month;

struct StepRow {
  const char* name;
  uint8_t dataType;
  Date from, to;
  Op op;
  RangeStep step;
  bool changed;
  Date newFrom, newTo;
  int32_t counter;  // of the end that moved
};

void CheckSteps(const StepRow* rows, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const StepRow& row = rows[i];
    SCOPED_TRACE(row.name);
    RangeUpdate update(SpanOf(row.dataType, row.from, row.to));
    EXPECT_EQ(Apply(update, row.op, row.step), row.changed);
    const RepClimateFile& station = update.Station();
    const Date from = row.changed ? row.newFrom : row.from;
    const Date to = row.changed ? row.newTo : row.to;
    EXPECT_EQ(station.From(), from) << DateText(station.From());
    EXPECT_EQ(station.To(), to) << DateText(station.To());
    EXPECT_EQ(station.FirstDayNr, DayNr(from.Day, from.Month, from.Year));
    EXPECT_EQ(station.LastDayNr, DayNr(to.Day, to.Month, to.Year));
    const bool atEnd = row.op == Op::ExpandEnd || row.op == Op::ShrinkEnd;
    EXPECT_EQ(atEnd ? update.EndCounter() : update.BeginningCounter(),
              row.changed ? row.counter : 0);
    EXPECT_EQ(atEnd ? update.BeginningCounter() : update.EndCounter(), 0);
    EXPECT_EQ(update.RecordCount(), NumberOfRecords(station));
  }
}

TEST(RangeUpdate, ExpandAtTheEnd) {
  const StepRow rows[] = {
      {"daily, day", kDaily, {1, 1, 2001}, {10, 1, 2001}, Op::ExpandEnd, kDay, true,
       {1, 1, 2001}, {11, 1, 2001}, 1},
      {"daily, month from mid-month", kDaily, {1, 1, 2001}, {10, 1, 2001}, Op::ExpandEnd, kMonth,
       true, {1, 1, 2001}, {28, 2, 2001}, 49},
      {"daily, month from a month's end", kDaily, {1, 1, 2001}, {31, 1, 2001}, Op::ExpandEnd,
       kMonth, true, {1, 1, 2001}, {28, 2, 2001}, 28},
      {"daily, month from 28 February of a leap year", kDaily, {1, 1, 2004}, {28, 2, 2004},
       Op::ExpandEnd, kMonth, true, {1, 1, 2004}, {29, 2, 2004}, 1},
      {"10-daily, from decade 1", kTenDaily, {1, 1, 2001}, {10, 3, 2001}, Op::ExpandEnd, kDay,
       true, {1, 1, 2001}, {20, 3, 2001}, 1},
      {"10-daily ending on 20 March", kTenDaily, {1, 1, 2001}, {20, 3, 2001}, Op::ExpandEnd,
       kDay, true, {1, 1, 2001}, {31, 3, 2001}, 1},
      {"10-daily, from decade 3", kTenDaily, {1, 1, 2001}, {31, 3, 2001}, Op::ExpandEnd, kDay,
       true, {1, 1, 2001}, {10, 4, 2001}, 1},
      {"10-daily, into a leap February", kTenDaily, {1, 1, 2004}, {20, 2, 2004}, Op::ExpandEnd,
       kDay, true, {1, 1, 2004}, {29, 2, 2004}, 1},
      {"10-daily, out of a leap February", kTenDaily, {1, 1, 2004}, {29, 2, 2004},
       Op::ExpandEnd, kDay, true, {1, 1, 2004}, {10, 3, 2004}, 1},
      {"10-daily, month", kTenDaily, {1, 1, 2001}, {10, 3, 2001}, Op::ExpandEnd, kMonth, true,
       {1, 1, 2001}, {30, 4, 2001}, 5},
      {"monthly ending on 28 February 2003", kMonthly, {1, 1, 2003}, {28, 2, 2003},
       Op::ExpandEnd, kMonth, true, {1, 1, 2003}, {31, 3, 2003}, 1},
      {"monthly from 31 January 2004", kMonthly, {1, 1, 2004}, {31, 1, 2004}, Op::ExpandEnd,
       kMonth, true, {1, 1, 2004}, {29, 2, 2004}, 1},
      {"monthly data step by months whatever the button", kMonthly, {1, 1, 2003},
       {28, 2, 2003}, Op::ExpandEnd, kDay, true, {1, 1, 2003}, {31, 3, 2003}, 1},
      {"daily at the upper bound", kDaily, {1, 12, 2099}, {31, 12, 2099}, Op::ExpandEnd, kDay,
       false, {}, {}, 0},
      {"daily, month clamped to the upper bound", kDaily, {1, 12, 2099}, {30, 12, 2099},
       Op::ExpandEnd, kMonth, true, {1, 12, 2099}, {31, 12, 2099}, 1},
      {"monthly not linked ending in December", kMonthly, {1, 1, 1901}, {31, 12, 1901},
       Op::ExpandEnd, kMonth, false, {}, {}, 0},
      {"10-daily not linked, up to December's end", kTenDaily, {1, 1, 1901}, {20, 12, 1901},
       Op::ExpandEnd, kDay, true, {1, 1, 1901}, {31, 12, 1901}, 1},
      {"daily not linked, month", kDaily, {1, 1, 1901}, {30, 11, 1901}, Op::ExpandEnd, kMonth,
       true, {1, 1, 1901}, {31, 12, 1901}, 31},
      {"daily not linked, month clamped", kDaily, {1, 1, 1901}, {30, 12, 1901}, Op::ExpandEnd,
       kMonth, true, {1, 1, 1901}, {31, 12, 1901}, 1},
  };
  CheckSteps(rows, std::size(rows));
}

TEST(RangeUpdate, ShrinkAtTheEnd) {
  const StepRow rows[] = {
      {"daily, day", kDaily, {1, 1, 2001}, {10, 1, 2001}, Op::ShrinkEnd, kDay, true,
       {1, 1, 2001}, {9, 1, 2001}, -1},
      {"daily, month", kDaily, {1, 1, 2001}, {15, 3, 2001}, Op::ShrinkEnd, kMonth, true,
       {1, 1, 2001}, {28, 2, 2001}, -15},
      {"daily, month from a month's end", kDaily, {1, 1, 2001}, {28, 2, 2001}, Op::ShrinkEnd,
       kMonth, true, {1, 1, 2001}, {31, 1, 2001}, -28},
      {"daily, month", kDaily, {20, 1, 2001}, {15, 2, 2001}, Op::ShrinkEnd, kMonth, true,
       {20, 1, 2001}, {31, 1, 2001}, -15},
      {"daily, month raised to the first record", kDaily, {20, 1, 2001}, {31, 1, 2001},
       Op::ShrinkEnd, kMonth, true, {20, 1, 2001}, {20, 1, 2001}, -11},
      {"daily, one single day", kDaily, {5, 1, 2001}, {5, 1, 2001}, Op::ShrinkEnd, kDay, false,
       {}, {}, 0},
      {"daily, one single day, month", kDaily, {5, 1, 2001}, {5, 1, 2001}, Op::ShrinkEnd,
       kMonth, false, {}, {}, 0},
      {"10-daily, from decade 3", kTenDaily, {1, 1, 2001}, {31, 3, 2001}, Op::ShrinkEnd, kDay,
       true, {1, 1, 2001}, {20, 3, 2001}, -1},
      {"10-daily, from decade 2", kTenDaily, {1, 1, 2001}, {20, 3, 2001}, Op::ShrinkEnd, kDay,
       true, {1, 1, 2001}, {10, 3, 2001}, -1},
      {"10-daily, from decade 1", kTenDaily, {1, 1, 2001}, {10, 3, 2001}, Op::ShrinkEnd, kDay,
       true, {1, 1, 2001}, {28, 2, 2001}, -1},
      {"10-daily, into a leap February", kTenDaily, {1, 1, 2004}, {10, 3, 2004}, Op::ShrinkEnd,
       kDay, true, {1, 1, 2004}, {29, 2, 2004}, -1},
      {"10-daily, one first decade", kTenDaily, {1, 1, 2001}, {10, 1, 2001}, Op::ShrinkEnd,
       kDay, false, {}, {}, 0},
      {"10-daily, one second decade", kTenDaily, {11, 1, 2001}, {20, 1, 2001}, Op::ShrinkEnd,
       kDay, false, {}, {}, 0},
      {"10-daily, one third decade", kTenDaily, {21, 1, 2001}, {31, 1, 2001}, Op::ShrinkEnd,
       kDay, false, {}, {}, 0},
      {"10-daily, down to a third decade", kTenDaily, {21, 1, 2001}, {10, 2, 2001},
       Op::ShrinkEnd, kDay, true, {21, 1, 2001}, {31, 1, 2001}, -1},
      {"10-daily, month", kTenDaily, {1, 1, 2001}, {20, 3, 2001}, Op::ShrinkEnd, kMonth, true,
       {1, 1, 2001}, {28, 2, 2001}, -2},
      {"10-daily, month raised to the shortest span", kTenDaily, {1, 1, 2001}, {20, 1, 2001},
       Op::ShrinkEnd, kMonth, true, {1, 1, 2001}, {10, 1, 2001}, -1},
      {"monthly", kMonthly, {1, 1, 2001}, {31, 3, 2001}, Op::ShrinkEnd, kMonth, true,
       {1, 1, 2001}, {28, 2, 2001}, -1},
      {"monthly, one month", kMonthly, {1, 1, 2001}, {31, 1, 2001}, Op::ShrinkEnd, kMonth, false,
       {}, {}, 0},
  };
  CheckSteps(rows, std::size(rows));
}

TEST(RangeUpdate, ExpandAtTheBeginning) {
  const StepRow rows[] = {
      {"daily, day", kDaily, {1, 1, 2001}, {10, 1, 2001}, Op::ExpandBeginning, kDay, true,
       {31, 12, 2000}, {10, 1, 2001}, 1},
      {"daily, month", kDaily, {15, 3, 2001}, {31, 3, 2001}, Op::ExpandBeginning, kMonth, true,
       {1, 2, 2001}, {31, 3, 2001}, 42},
      {"10-daily, from decade 1", kTenDaily, {1, 3, 2001}, {31, 3, 2001}, Op::ExpandBeginning,
       kDay, true, {21, 2, 2001}, {31, 3, 2001}, 1},
      {"10-daily, from decade 2", kTenDaily, {11, 3, 2001}, {31, 3, 2001}, Op::ExpandBeginning,
       kDay, true, {1, 3, 2001}, {31, 3, 2001}, 1},
      {"10-daily, from decade 3", kTenDaily, {21, 3, 2001}, {31, 3, 2001}, Op::ExpandBeginning,
       kDay, true, {11, 3, 2001}, {31, 3, 2001}, 1},
      {"10-daily, month", kTenDaily, {21, 3, 2001}, {31, 3, 2001}, Op::ExpandBeginning, kMonth,
       true, {1, 2, 2001}, {31, 3, 2001}, 5},
      {"monthly", kMonthly, {1, 3, 2001}, {31, 3, 2001}, Op::ExpandBeginning, kMonth, true,
       {1, 2, 2001}, {31, 3, 2001}, 1},
      {"monthly, into the year before", kMonthly, {1, 1, 2001}, {31, 1, 2001},
       Op::ExpandBeginning, kMonth, true, {1, 12, 2000}, {31, 1, 2001}, 1},
      {"daily at the lower bound", kDaily, {1, 1, 1902}, {5, 1, 1902}, Op::ExpandBeginning,
       kDay, false, {}, {}, 0},
      {"daily, month raised to the lower bound", kDaily, {15, 1, 1902}, {20, 1, 1902},
       Op::ExpandBeginning, kMonth, true, {1, 1, 1902}, {20, 1, 1902}, 14},
      {"monthly not linked starting in January", kMonthly, {1, 1, 1901}, {31, 12, 1901},
       Op::ExpandBeginning, kMonth, false, {}, {}, 0},
      {"10-daily not linked", kTenDaily, {1, 2, 1901}, {31, 12, 1901}, Op::ExpandBeginning,
       kDay, true, {21, 1, 1901}, {31, 12, 1901}, 1},
  };
  CheckSteps(rows, std::size(rows));
}

TEST(RangeUpdate, ShrinkAtTheBeginning) {
  const StepRow rows[] = {
      {"daily, day", kDaily, {1, 1, 2001}, {10, 1, 2001}, Op::ShrinkBeginning, kDay, true,
       {2, 1, 2001}, {10, 1, 2001}, -1},
      {"daily, month", kDaily, {15, 1, 2001}, {31, 3, 2001}, Op::ShrinkBeginning, kMonth, true,
       {1, 2, 2001}, {31, 3, 2001}, -17},
      {"daily, month from the first", kDaily, {1, 2, 2001}, {31, 3, 2001}, Op::ShrinkBeginning,
       kMonth, true, {1, 3, 2001}, {31, 3, 2001}, -28},
      {"daily, month lowered to the last record", kDaily, {15, 1, 2001}, {20, 1, 2001},
       Op::ShrinkBeginning, kMonth, true, {20, 1, 2001}, {20, 1, 2001}, -5},
      {"daily, one single day", kDaily, {5, 1, 2001}, {5, 1, 2001}, Op::ShrinkBeginning, kDay,
       false, {}, {}, 0},
      {"10-daily, from decade 1", kTenDaily, {1, 3, 2001}, {31, 12, 2001}, Op::ShrinkBeginning,
       kDay, true, {11, 3, 2001}, {31, 12, 2001}, -1},
      {"10-daily, from decade 2", kTenDaily, {11, 3, 2001}, {31, 12, 2001}, Op::ShrinkBeginning,
       kDay, true, {21, 3, 2001}, {31, 12, 2001}, -1},
      {"10-daily, from decade 3", kTenDaily, {21, 3, 2001}, {31, 12, 2001}, Op::ShrinkBeginning,
       kDay, true, {1, 4, 2001}, {31, 12, 2001}, -1},
      {"10-daily, out of a leap February", kTenDaily, {21, 2, 2004}, {31, 12, 2004},
       Op::ShrinkBeginning, kDay, true, {1, 3, 2004}, {31, 12, 2004}, -1},
      {"10-daily, latest start in a last third decade", kTenDaily, {21, 3, 2001},
       {31, 3, 2001}, Op::ShrinkBeginning, kDay, false, {}, {}, 0},
      {"10-daily, latest start before a last second decade", kTenDaily, {11, 3, 2001},
       {20, 3, 2001}, Op::ShrinkBeginning, kDay, false, {}, {}, 0},
      {"10-daily, month", kTenDaily, {1, 2, 2001}, {31, 12, 2001}, Op::ShrinkBeginning, kMonth,
       true, {1, 3, 2001}, {31, 12, 2001}, -3},
      {"10-daily, month in a leap year", kTenDaily, {11, 2, 2004}, {31, 12, 2004},
       Op::ShrinkBeginning, kMonth, true, {1, 3, 2004}, {31, 12, 2004}, -2},
      {"10-daily, month lowered to the latest start", kTenDaily, {1, 3, 2001}, {20, 3, 2001},
       Op::ShrinkBeginning, kMonth, true, {11, 3, 2001}, {20, 3, 2001}, -1},
      {"monthly", kMonthly, {1, 1, 2001}, {31, 3, 2001}, Op::ShrinkBeginning, kMonth, true,
       {1, 2, 2001}, {31, 3, 2001}, -1},
      {"monthly, one month", kMonthly, {1, 3, 2001}, {31, 3, 2001}, Op::ShrinkBeginning, kMonth,
       false, {}, {}, 0},
  };
  CheckSteps(rows, std::size(rows));
}

// The counters count records exactly; they agree with the form's rule of the day numbers
// (daily: the difference, 10-daily: divided by 10, monthly: by 30, rounded) on every step.
TEST(RangeUpdate, CountersAgreeWithTheDayDifferenceRule) {
  std::mt19937 random(20240611);
  const struct {
    uint8_t dataType;
    Date from, to;
  } starts[] = {
      {kDaily, {15, 6, 2001}, {20, 8, 2001}},      {kTenDaily, {11, 2, 2003}, {20, 5, 2004}},
      {kTenDaily, {1, 1, 1901}, {31, 12, 1901}},   {kMonthly, {1, 2, 2003}, {29, 2, 2004}},
      {kMonthly, {1, 6, 1901}, {31, 7, 1901}},     {kTenDaily, {21, 12, 2098}, {10, 1, 2099}},
  };
  for (const auto& start : starts) {
    RangeUpdate update(SpanOf(start.dataType, start.from, start.to));
    for (int i = 0; i < 400; ++i) {
      const Op op = static_cast<Op>(random() % 4);
      const RangeStep step = random() % 2 == 0 ? kDay : kMonth;
      const RepClimateFile before = update.Station();
      const int32_t counters = update.BeginningCounter() + update.EndCounter();
      if (!Apply(update, op, step)) continue;
      const RepClimateFile& after = update.Station();
      const double days = (after.LastDayNr - before.LastDayNr) + (before.FirstDayNr - after.FirstDayNr);
      const double divisor = start.dataType == kDaily ? 1.0 : start.dataType == kTenDaily ? 10.0 : 30.0;
      SCOPED_TRACE(DateText(before.From()) + " - " + DateText(before.To()) + " op " +
                   std::to_string(static_cast<int>(op)));
      EXPECT_EQ(update.BeginningCounter() + update.EndCounter() - counters,
                static_cast<int32_t>(std::nearbyint(days / divisor)));
      EXPECT_EQ(update.RecordCount(), NumberOfRecords(after));
      EXPECT_LE(after.FirstDayNr, after.LastDayNr);
    }
  }
}

TEST(RangeUpdate, CounterTextsAndStepChoices) {
  RangeUpdate update(SpanOf(kDaily, {1, 1, 2001}, {10, 1, 2001}));
  EXPECT_EQ(update.RecordCountText(), "    10");
  EXPECT_EQ(update.EndTexts().Label, "Added");
  EXPECT_EQ(update.EndTexts().Count, "         0");
  update.ShrinkBeginning(kDay);
  update.ShrinkBeginning(kDay);
  update.ExpandEnd(kDay);
  EXPECT_EQ(update.BeginningTexts().Label, "Removed");
  EXPECT_EQ(update.BeginningTexts().Count, "         2");
  EXPECT_EQ(update.EndTexts().Label, "Added");
  EXPECT_EQ(update.EndTexts().Count, "         1");
  EXPECT_EQ(update.RecordCountText(), "     9");

  EXPECT_EQ(StepChoices(kDaily).FirstCaption, "day per day");
  EXPECT_TRUE(StepChoices(kDaily).FirstEnabled);
  EXPECT_EQ(StepChoices(kDaily).Chosen, kDay);
  EXPECT_EQ(StepChoices(kTenDaily).FirstCaption, "decade per decade");
  EXPECT_EQ(StepChoices(kTenDaily).Chosen, kDay);
  EXPECT_EQ(StepChoices(kMonthly).FirstCaption, "day per day");
  EXPECT_FALSE(StepChoices(kMonthly).FirstEnabled);
  EXPECT_EQ(StepChoices(kMonthly).Chosen, kMonth);
  EXPECT_EQ(kMonthStepCaption, "month per month");
}

TEST(RangeUpdate, SpanControlsShowTheFirstAndLastRecord) {
  const RangeUpdate tenDaily(SpanOf(kTenDaily, {11, 3, 2001}, {31, 5, 2001}));
  EXPECT_EQ(tenDaily.FirstControls().Decade, 2);
  EXPECT_EQ(tenDaily.FirstControls().Month, 3);
  EXPECT_EQ(tenDaily.FirstControls().YearText, "  2001");
  EXPECT_EQ(tenDaily.LastControls().Decade, 3);
  EXPECT_TRUE(tenDaily.Visibility().DecadeLists);
  EXPECT_FALSE(tenDaily.Visibility().DayLists);
  EXPECT_TRUE(tenDaily.Visibility().Years);

  const RangeUpdate notLinked(SpanOf(kMonthly, {1, 1, 1901}, {31, 12, 1901}));
  EXPECT_FALSE(notLinked.Visibility().Years);
  EXPECT_FALSE(notLinked.Visibility().DayLists);
  EXPECT_FALSE(notLinked.Visibility().DecadeLists);
  EXPECT_TRUE(notLinked.FirstControls().NotLinked);
  EXPECT_EQ(notLinked.LowerBound(), 1);
  EXPECT_EQ(notLinked.UpperBound(), 365);
  EXPECT_EQ(tenDaily.LowerBound(), DayNr(1, 1, 1902));
  EXPECT_EQ(tenDaily.UpperBound(), DayNr(31, 12, 2099));
}

// ---------------------------------------------------------------------------------------------
// The empty record and the rewrite of the files

TEST(RangeUpdateSave, EmptyRecordHasTheDecimalsOfEachColumn) {
  struct Row {
    std::vector<int16_t> codes;
    const char* text;
  };
  const Row rows[] = {
      {{101, 202, 501}, "    -999.0    -999.0    -999.0"},
      {{221}, " -999.0000"},
      {{301, 401, 421}, "   -999.00   -999.00   -999.00"},
      {{999}, "    -999.0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(EmptyRecordText(row.codes), row.text);
  }
}

constexpr std::string_view kTenDays =
    "        Nr       101       501\r\n"
    "         1      10.1       1.1\r\n"
    "         2      10.2       1.2\r\n"
    "         3      10.3       1.3\r\n"
    "         4      10.4       1.4\r\n"
    "         5      10.5       1.5\r\n"
    "         6      10.6       1.6\r\n"
    "         7      10.7       1.7\r\n"
    "         8      10.8       1.8\r\n"
    "         9      10.9       1.9\r\n"
    "        10      11.0       2.0\r\n";

RepClimateFile TenDaysOfJanuary(const ScratchFolder& folder) {
  return WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {10, 1, 2001}, kTenDays);
}

TEST(RangeUpdateSave, OneDayAddedAtEachEnd) {
  ScratchFolder folder;
  RepClimateFile open = TenDaysOfJanuary(folder);
  RangeUpdate update(open);
  EXPECT_TRUE(update.ExpandEnd(kDay));
  EXPECT_TRUE(update.ExpandBeginning(kDay));
  EXPECT_EQ(update.Station().From(), (Date{31, 12, 2000}));
  EXPECT_EQ(update.Station().To(), (Date{11, 1, 2001}));
  EXPECT_EQ(update.RecordCountText(), "    12");
  EXPECT_EQ(update.BeginningTexts().Label, "Added");
  EXPECT_EQ(update.BeginningTexts().Count, "         1");
  EXPECT_EQ(update.EndTexts().Label, "Added");
  EXPECT_EQ(update.EndTexts().Count, "         1");

  ASSERT_TRUE(update.Save(open));
  EXPECT_EQ(ReadBytes(folder.File("alpha.DTA")),
            "        Nr       101       501\r\n"
            "         1    -999.0    -999.0\r\n"
            "         2      10.1       1.1\r\n"
            "         3      10.2       1.2\r\n"
            "         4      10.3       1.3\r\n"
            "         5      10.4       1.4\r\n"
            "         6      10.5       1.5\r\n"
            "         7      10.6       1.6\r\n"
            "         8      10.7       1.7\r\n"
            "         9      10.8       1.8\r\n"
            "        10      10.9       1.9\r\n"
            "        11      11.0       2.0\r\n"
            "        12    -999.0    -999.0\r\n");
  EXPECT_EQ(LineRange(folder.File("alpha.DSC"), 7, 8),
            "  31  12  2000               : From Date (Day - Month - Year)\r\n"
            "  11   1  2001               : To Date (Day - Month - Year)\r\n");
  EXPECT_EQ(open.NumberOfRecords, 12);
  EXPECT_EQ(open.FirstDayNr, DayNr(31, 12, 2000));
  EXPECT_EQ(open.Description, "Alpha (Beta) - daily data: 31 December 2000 - 11 January 2001");
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"alpha.DSC", "alpha.DTA"}));
}

TEST(RangeUpdateSave, TwoRemovedAtTheBeginningAndOneAddedAtTheEnd) {
  ScratchFolder folder;
  RepClimateFile open = TenDaysOfJanuary(folder);
  RangeUpdate update(open);
  EXPECT_TRUE(update.ShrinkBeginning(kDay));
  EXPECT_TRUE(update.ShrinkBeginning(kDay));
  EXPECT_TRUE(update.ExpandEnd(kDay));
  ASSERT_TRUE(update.Save(open));
  EXPECT_EQ(ReadBytes(folder.File("alpha.DTA")),
            "        Nr       101       501\r\n"
            "         1      10.3       1.3\r\n"
            "         2      10.4       1.4\r\n"
            "         3      10.5       1.5\r\n"
            "         4      10.6       1.6\r\n"
            "         5      10.7       1.7\r\n"
            "         6      10.8       1.8\r\n"
            "         7      10.9       1.9\r\n"
            "         8      11.0       2.0\r\n"
            "         9    -999.0    -999.0\r\n");
  EXPECT_EQ(LineRange(folder.File("alpha.DSC"), 7, 8),
            "   3   1  2001               : From Date (Day - Month - Year)\r\n"
            "  11   1  2001               : To Date (Day - Month - Year)\r\n");
  EXPECT_EQ(open.NumberOfRecords, 9);
}

TEST(RangeUpdateSave, RecordsRemovedAtTheEndAreDropped) {
  ScratchFolder folder;
  RepClimateFile open = TenDaysOfJanuary(folder);
  RangeUpdate update(open);
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(update.ShrinkEnd(kDay));
  EXPECT_EQ(update.EndTexts().Label, "Removed");
  EXPECT_EQ(update.EndTexts().Count, "         7");
  ASSERT_TRUE(update.Save(open));
  EXPECT_EQ(ReadBytes(folder.File("alpha.DTA")),
            "        Nr       101       501\r\n"
            "         1      10.1       1.1\r\n"
            "         2      10.2       1.2\r\n"
            "         3      10.3       1.3\r\n");
  EXPECT_EQ(LineRange(folder.File("alpha.DSC"), 8, 8),
            "   3   1  2001               : To Date (Day - Month - Year)\r\n");
}

TEST(RangeUpdateSave, ThreeColumnStationGetsThreeMissingFields) {
  ScratchFolder folder;
  RepClimateFile open =
      WriteStation(folder, "alpha", kMonthly, {1, 1, 2001}, {31, 1, 2001},
                   "        Nr       101       202       501\r\n"
                   "         1      31.2      55.0       5.1\r\n");
  RangeUpdate update(open);
  EXPECT_TRUE(update.ExpandEnd(kMonth));
  ASSERT_TRUE(update.Save(open));
  EXPECT_EQ(ReadBytes(folder.File("alpha.DTA")),
            "        Nr       101       202       501\r\n"
            "         1      31.2      55.0       5.1\r\n"
            "         2    -999.0    -999.0    -999.0\r\n");
  EXPECT_EQ(LineRange(folder.File("alpha.DSC"), 8, 8),
            "  28   2  2001               : To Date (Day - Month - Year)\r\n");
}

TEST(RangeUpdateSave, NothingChangedWritesNothing) {
  ScratchFolder folder;
  RepClimateFile open = TenDaysOfJanuary(folder);
  const auto before = Snapshot(folder);
  RangeUpdate update(open);
  EXPECT_TRUE(update.ExpandEnd(kDay));
  EXPECT_TRUE(update.ShrinkEnd(kDay));
  EXPECT_EQ(update.EndCounter(), 0);
  std::filesystem::remove(folder.File("alpha.DTA"));  // a write would fail now
  EXPECT_TRUE(update.Save(open));
  EXPECT_EQ(open.NumberOfRecords, 10);
}

TEST(RangeUpdateSave, DataFileOfAnotherLengthThanItsSpanBecomesExactlyTheNewSpan) {
  ScratchFolder folder;
  // Four records by the span, but three lines (one of them free-format), a blank line and a
  // fifth line beyond the span.
  RepClimateFile open = WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {4, 1, 2001},
                                     "        Nr       101\r\n"
                                     "         1      10.1\r\n"
                                     "\r\n"
                                     "2 10.2\r\n");
  RangeUpdate update(open);
  EXPECT_TRUE(update.ExpandEnd(kDay));
  ASSERT_TRUE(update.Save(open));
  EXPECT_EQ(ReadBytes(folder.File("alpha.DTA")),
            "        Nr       101\r\n"
            "         1      10.1\r\n"
            "         2 10.2\r\n"
            "         3    -999.0\r\n"
            "         4    -999.0\r\n"
            "         5    -999.0\r\n");

  WriteBytes(folder.File("alpha.DTA"),
             "        Nr       101\r\n"
             "         1      10.1\r\n"
             "         2      10.2\r\n"
             "         3      10.3\r\n"
             "         4      10.4\r\n"
             "         5      10.5\r\n"
             "         6      10.6\r\n"
             "         7      10.7\r\n");
  RangeUpdate again(open);
  EXPECT_TRUE(again.ExpandBeginning(kDay));
  ASSERT_TRUE(again.Save(open));
  EXPECT_EQ(ReadBytes(folder.File("alpha.DTA")),
            "        Nr       101\r\n"
            "         1    -999.0\r\n"
            "         2      10.1\r\n"
            "         3      10.2\r\n"
            "         4      10.3\r\n"
            "         5      10.4\r\n"
            "         6      10.5\r\n");
}

// ---------------------------------------------------------------------------------------------
// Failures: the folder keeps the old pair, or holds the complete new one

TEST(RangeUpdateFailure, DiskFullWhileWritingTheDataFileKeepsTheOldPair) {
  FailureHooksLifted lifted;
  ScratchFolder folder;
  RepClimateFile open = TenDaysOfJanuary(folder);
  const RepClimateFile opened = open;
  const auto before = Snapshot(folder);
  RangeUpdate update(open);
  update.ExpandEnd(kMonth);
  AtomicFile::InjectDiskFullForTesting(".alpha.DTA.", 200);
  const Status status = update.Save(open);
  EXPECT_FALSE(status.Ok);
  EXPECT_EQ(status.Message,
            "ERROR:\ncannot write file " + folder.File("alpha.DTA") + ": No space left on device");
  EXPECT_EQ(Snapshot(folder), before);
  EXPECT_EQ(open.LastDayNr, opened.LastDayNr);
  EXPECT_EQ(open.NumberOfRecords, 10);
}

TEST(RangeUpdateFailure, FailedCommitOfTheDataFileKeepsTheOldPair) {
  FailureHooksLifted lifted;
  ScratchFolder folder;
  RepClimateFile open = TenDaysOfJanuary(folder);
  const auto before = Snapshot(folder);
  RangeUpdate update(open);
  update.ExpandBeginning(kDay);
  AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::Sync);
  EXPECT_FALSE(update.Save(open).Ok);
  EXPECT_EQ(Snapshot(folder), before);
  EXPECT_EQ(open.NumberOfRecords, 10);
}

TEST(RangeUpdateFailure, DiskFullWhileWritingTheDescriptionKeepsTheOldPair) {
  FailureHooksLifted lifted;
  ScratchFolder folder;
  RepClimateFile open = TenDaysOfJanuary(folder);
  const auto before = Snapshot(folder);
  RangeUpdate update(open);
  update.ShrinkEnd(kDay);
  AtomicFile::InjectDiskFullForTesting(".alpha.DSC.", 400);
  const Status status = update.Save(open);
  EXPECT_EQ(status.Message,
            "ERROR:\ncannot write file " + folder.File("alpha.DSC") + ": No space left on device");
  EXPECT_EQ(Snapshot(folder), before);
}

TEST(RangeUpdateFailure, FailedRenameOfTheDescriptionPutsTheOldDataFileBack) {
  FailureHooksLifted lifted;
  ScratchFolder folder;
  RepClimateFile open = TenDaysOfJanuary(folder);
  const auto before = Snapshot(folder);
  RangeUpdate update(open);
  update.ExpandEnd(kDay);
  FileSet::InjectRenameFailureForTesting(2);
  EXPECT_FALSE(update.Save(open).Ok);
  EXPECT_EQ(Snapshot(folder), before);
  EXPECT_EQ(open.NumberOfRecords, 10);

  // The next attempt goes through.
  ASSERT_TRUE(update.Save(open));
  EXPECT_EQ(open.NumberOfRecords, 11);
  EXPECT_EQ(LineRange(folder.File("alpha.DTA"), 12, 12), "        11    -999.0    -999.0\r\n");
}

TEST(RangeUpdateFailure, MissingDataFileChangesNothing) {
  ScratchFolder folder;
  RepClimateFile open = TenDaysOfJanuary(folder);
  std::filesystem::remove(folder.File("alpha.DTA"));
  const auto before = Snapshot(folder);
  RangeUpdate update(open);
  update.ExpandEnd(kDay);
  const Status status = update.Save(open);
  EXPECT_EQ(status.Message,
            "ERROR:\ncannot open file " + folder.File("alpha.DTA") + ": No such file or directory");
  EXPECT_EQ(Snapshot(folder), before);
}

TEST(RangeUpdateFailure, LeftoversOfEarlierFailuresNeverBlock) {
  ScratchFolder folder;
  RepClimateFile open = TenDaysOfJanuary(folder);
  WriteBytes(folder.File("FileDTA.OLD"), "left by an earlier failure");
  WriteBytes(folder.File(".alpha.DTA.0123456789abcdef-0.new"), "half");
  WriteBytes(folder.File(".alpha.DTA.old"), "old");
  WriteBytes(folder.File(".alpha.DSC.old"), "old");
  RangeUpdate update(open);
  update.ExpandEnd(kDay);
  ASSERT_TRUE(update.Save(open));
  EXPECT_EQ(open.NumberOfRecords, 11);
  EXPECT_EQ(ReadBytes(folder.File("FileDTA.OLD")), "left by an earlier failure");
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"FileDTA.OLD", "alpha.DSC", "alpha.DTA"}));
}

}  // namespace
}  // namespace vernoli
