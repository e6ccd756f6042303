#include "plot/report.h"

#include <gtest/gtest.h>

#include "engine/record.h"

namespace vernoli {
namespace {

const int16_t kCodes[] = {101, 103, 222, 302, 501};

TEST(ReportContent, PresetsAndTheValueInvariant) {
  ReportContent content;
  EXPECT_FALSE(content.RecordNumber);
  EXPECT_TRUE(content.Date);
  EXPECT_TRUE(content.DataAndETo);
  EXPECT_FALSE(content.IntermediateResults);
  content.DataAndETo = false;
  EnsureReportHasValues(content);
  EXPECT_TRUE(content.DataAndETo);
  content = {false, false, false, true};
  EnsureReportHasValues(content);
  EXPECT_FALSE(content.DataAndETo);
}

TEST(ReportContent, DateFormats) {
  EXPECT_EQ(ReportDateFormat(kDaily, true), "(Day/Month/Year)");
  EXPECT_EQ(ReportDateFormat(kDaily, false), "(Day/Month)");
  EXPECT_EQ(ReportDateFormat(kTenDaily, true), "(Decade/Month/Year)");
  EXPECT_EQ(ReportDateFormat(kTenDaily, false), "(Decade/Month)");
  EXPECT_EQ(ReportDateFormat(kMonthly, true), "(Month/Year)");
  EXPECT_EQ(ReportDateFormat(kMonthly, false), "(Month)");
}

TEST(ReportLines, TitlesAndUnitsForEveryChoice) {
  const ReportContent all{true, true, true, true};
  EXPECT_EQ(ReportTitleLine(all, kDaily, true, kCodes, 5),
            "      Nr     Day   Month    Year"
            "        Tmax        Tmin      e(act)        u(x)         ETo"
            "     e(act)*      e(sat)         u2*          Ra          n*"
            "           N         Rs*         Rnl         Rn*");
  EXPECT_EQ(ReportUnitsLine(all, kDaily, true, kCodes, 5),
            std::string(32, ' ') + std::string(10, ' ') + "\xB0" "C" + std::string(10, ' ') +
                "\xB0" "C  hPa (mbar)      km/day      mm/day"
                "         kPa         kPa       m/sec   MJ/m2.day    hour/day"
                "    hour/day   MJ/m2.day   MJ/m2.day   MJ/m2.day");

  const ReportContent dateOnly{false, true, false, false};
  EXPECT_EQ(ReportTitleLine(dateOnly, kTenDaily, true, kCodes, 5), "  Decade   Month    Year");
  EXPECT_EQ(ReportTitleLine(dateOnly, kTenDaily, false, kCodes, 5), "  Decade   Month");
  EXPECT_EQ(ReportTitleLine(dateOnly, kDaily, false, kCodes, 5), "     Day   Month");
  EXPECT_EQ(ReportTitleLine(dateOnly, kMonthly, true, kCodes, 5), "   Month    Year");
  EXPECT_EQ(ReportTitleLine(dateOnly, kMonthly, false, kCodes, 5), "   Month");
  EXPECT_EQ(ReportUnitsLine(dateOnly, kMonthly, false, kCodes, 5), std::string(8, ' '));
  EXPECT_EQ(ReportUnitsLine(dateOnly, kDaily, false, kCodes, 5), std::string(16, ' '));
  EXPECT_EQ(ReportUnitsLine(dateOnly, kMonthly, true, kCodes, 5), std::string(16, ' '));

  const ReportContent numberAndResults{true, false, false, true};
  EXPECT_EQ(ReportTitleLine(numberAndResults, kDaily, true, kCodes, 5).substr(0, 20),
            "      Nr     e(act)*");
}

TEST(ReportLines, RecordLineWidthWithEveryBlock) {
  // 8 + 24 (dated daily data) + 12 per code + 108.
  ReportDateCounter counter(kDaily, {1, 1, 2000});
  std::string line = "       1" + counter.Text();
  const double values[] = {30.0, -999.0, 12.3456, 172.8, 5.04};
  AppendReportValues(line, kCodes, values, 5);
  RecordResults results{};
  AppendReportResults(line, results);
  EXPECT_EQ(line.size(), 8u + 24u + 12u * 5u + 108u);
  EXPECT_EQ(line.substr(32, 60),
            "        30.0      -999.0     12.3456      172.80         5.0");
}

TEST(ReportLines, IntermediateResultsDecimals) {
  RecordResults r{};
  r.EactStar = 1.23456;
  r.Esat = 2.5;
  r.U2Star = 2.0;
  r.Ra = 40.126;
  r.SunshineStar = 8.0;
  r.DaylightHours = 14.5;
  r.RsStar = 25.0;
  r.Rnl = 4.0;
  r.RnStar = -999.0;
  std::string line;
  AppendReportResults(line, r);
  EXPECT_EQ(line,
            "       1.235       2.500        2.00       40.13        8.00"
            "       14.50       25.00        4.00     -999.00");
}

struct DateCase {
  const char* name;
  uint8_t type;
  Date from;
  int steps;
  const char* expected;
};

TEST(ReportDateCounter, StepsEachDataType) {
  const DateCase cases[] = {
      {"daily into 29 February", kDaily, {28, 2, 2004}, 1, "      29       2    2004"},
      {"daily past 29 February", kDaily, {28, 2, 2004}, 2, "       1       3    2004"},
      {"daily common February", kDaily, {28, 2, 2003}, 1, "       1       3    2003"},
      {"daily new year", kDaily, {31, 12, 2003}, 1, "       1       1    2004"},
      {"daily not linked", kDaily, {28, 2, 1901}, 1, "       1       3"},
      {"10-daily from decade 2", kTenDaily, {11, 4, 2001}, 0, "       2       4    2001"},
      {"10-daily decade 3", kTenDaily, {11, 4, 2001}, 1, "       3       4    2001"},
      {"10-daily next month", kTenDaily, {11, 4, 2001}, 2, "       1       5    2001"},
      {"10-daily not linked", kTenDaily, {21, 12, 1901}, 0, "       3      12"},
      {"monthly", kMonthly, {1, 11, 2000}, 2, "       1    2001"},
      {"monthly not linked", kMonthly, {1, 1, 1901}, 11, "      12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReportDateCounter counter(c.type, c.from);
    for (int i = 0; i < c.steps; ++i) counter.Step();
    EXPECT_EQ(counter.Text(), c.expected);
  }
}

}  // namespace
}  // namespace vernoli
