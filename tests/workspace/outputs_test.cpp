#include "workspace/outputs.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "boundary_answers.h"

namespace vernoli {
namespace {

const std::string kEquals = "=======================";

using test_support::Answers;

// ---------------------------------------------------------------------------------------------
// The temperature unit

TEST(TemperatureUnit, FahrenheitWhenAnyTemperatureCodeIsInFahrenheit) {
  EXPECT_FALSE(TemperaturesInFahrenheit(std::vector<int16_t>{101, 103, 210, 231, 232, 501}));
  for (int16_t code : {111, 112, 113, 211, 233, 234}) {
    SCOPED_TRACE(code);
    EXPECT_TRUE(TemperaturesInFahrenheit(std::vector<int16_t>{101, 103, code, 501}));
  }
}

TEST(TemperatureUnit, TemperatureFileNeedsTminAndTmaxInTheChosenUnit) {
  EXPECT_TRUE(CheckTemperatureColumns(std::vector<int16_t>{101, 103, 501}, false, "A.TMP").Ok);
  EXPECT_TRUE(CheckTemperatureColumns(std::vector<int16_t>{111, 113, 501}, true, "A.TMP").Ok);
  EXPECT_EQ(CheckTemperatureColumns(std::vector<int16_t>{101, 501}, false, "A.TMP").Message,
            "ERROR:\ncannot write the temperature file A.TMP: the data set has no minimum and "
            "maximum air temperature in Celsius (codes 103 and 101)");
  EXPECT_EQ(CheckTemperatureColumns(std::vector<int16_t>{101, 103, 211, 501}, true, "A.TMP").Message,
            "ERROR:\ncannot write the temperature file A.TMP: the data set has no minimum and "
            "maximum air temperature in Fahrenheit (codes 113 and 111)");
}

// ---------------------------------------------------------------------------------------------
// Output headers, typed from the layout

TEST(OutputHeader, EToFileOfDailyData) {
  EXPECT_EQ(OutputHeaderLines("Alpha ETo", OutputKind::EToFile, nullptr, 0, 2001, 7, 1, kDaily, {}),
            (std::vector<std::string>{
                "Alpha ETo",
                "     1  : Daily records (1=daily, 2=10-daily and 3=monthly data)",
                "     1  : First day of record (1, 11 or 21 for 10-day or 1 for months)",
                "     7  : First month of record",
                "  2001  : First year of record (1901 if not linked to a specific year)",
                "",
                "  Average ETo (mm/day)",
                kEquals,
            }));
}

TEST(OutputHeader, TemperatureFileOfTenDailyAndMonthlyData) {
  EXPECT_EQ(OutputHeaderLines("T", OutputKind::TemperatureFile, nullptr, 0, 1901, 4, 11, kTenDaily, {}),
            (std::vector<std::string>{
                "T",
                "     2  : 10-Daily records (1=daily, 2=10-daily and 3=monthly data)",
                "    11  : First day of record (1, 11 or 21 for 10-day or 1 for months)",
                "     4  : First month of record",
                "  1901  : First year of record (1901 if not linked to a specific year)",
                "",
                "  Tmin (C)   TMax (C)",
                kEquals,
            }));
  EXPECT_EQ(OutputHeaderLines("T", OutputKind::EToFile, nullptr, 0, 1999, 12, 1, kMonthly, {})[1],
            "     3  : Monthly records (1=daily, 2=10-daily and 3=monthly data)");
}

TEST(OutputHeader, ReportHasDescriptionEmptyLineTitlesAndUnits) {
  const int16_t codes[] = {101, 501};
  EXPECT_EQ(OutputHeaderLines("Report", OutputKind::Report, codes, 2, 1901, 1, 1, kMonthly,
                              ReportContent{true, true, true, false}),
            (std::vector<std::string>{
                "Report",
                "",
                "      Nr   Month        Tmax         ETo",
                "                          \xB0" "C      mm/day",
            }));
}

// ---------------------------------------------------------------------------------------------
// Gap filling

TEST(GapFiller, FillsEveryGapOfTheWorkedExamples) {
  constexpr double M = -999.0;
  struct Row {
    const char* name;
    std::vector<double> series;
    std::vector<std::optional<double>> answers;
    std::vector<double> written;
    std::vector<bool> askedFirst;  // the ends asked for, in order
  };
  const Row rows[] = {
      {"gap at the start and inside", {M, M, 3.0, M, 5.0}, {2.0}, {2.0, 2.5, 3.0, 4.0, 5.0}, {true}},
      {"gap at the end", {4.0, M, M}, {1.0}, {4.0, 2.5, 1.0}, {false}},
      {"one missing record", {M}, {7.0}, {7.0}, {true}},
      {"all missing", {M, M, M}, {1.0, 3.0}, {1.0, 2.0, 3.0}, {true, false}},
      {"one record missing at the end", {4.0, M}, {6.0}, {4.0, 6.0}, {false}},
      {"no gap asks nothing", {1.0, 2.0, 3.0}, {}, {1.0, 2.0, 3.0}, {}},
      {"inner gap of three", {0.0, M, M, M, 8.0}, {}, {0.0, 2.0, 4.0, 6.0, 8.0}, {}},
      {"almost -999 counts as missing", {1.0, -999.4, 3.0}, {}, {1.0, 2.0, 3.0}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Answers answers;
    answers.values.assign(row.answers.begin(), row.answers.end());
    std::vector<double> written;
    GapFiller filler(BoundaryRequest{"ETo", true, true}, answers.Source(),
                     [&written](double v) { written.push_back(v); });
    for (double value : row.series) ASSERT_TRUE(filler.Add(value));
    ASSERT_TRUE(filler.Finish());
    ASSERT_EQ(written.size(), row.written.size());
    for (std::size_t i = 0; i < written.size(); ++i) EXPECT_DOUBLE_EQ(written[i], row.written[i]);
    ASSERT_EQ(answers.asked.size(), row.askedFirst.size());
    for (std::size_t i = 0; i < answers.asked.size(); ++i) {
      EXPECT_EQ(answers.asked[i].First, row.askedFirst[i]);
      EXPECT_EQ(answers.asked[i].Parameter, "ETo");
    }
  }
}

TEST(GapFiller, RequestCarriesTheParameterAndUnit) {
  Answers answers;
  answers.values = {50.0};
  GapFiller filler(BoundaryRequest{"Tmin", false, false}, answers.Source(), [](double) {});
  ASSERT_TRUE(filler.Add(-999.0));
  ASSERT_EQ(answers.asked.size(), 1u);
  EXPECT_EQ(answers.asked[0].Parameter, "Tmin");
  EXPECT_TRUE(answers.asked[0].First);
  EXPECT_FALSE(answers.asked[0].Celsius);
}

TEST(GapFiller, CancelledRequestStopsTheSeries) {
  Answers answers;  // answers nothing
  std::vector<double> written;
  GapFiller start(BoundaryRequest{}, answers.Source(), [&](double v) { written.push_back(v); });
  EXPECT_FALSE(start.Add(-999.0));
  GapFiller end(BoundaryRequest{}, answers.Source(), [&](double v) { written.push_back(v); });
  EXPECT_TRUE(end.Add(1.0));
  EXPECT_TRUE(end.Add(-999.0));
  EXPECT_FALSE(end.Finish());
  EXPECT_EQ(written, std::vector<double>{1.0});
  GapFiller noSource(BoundaryRequest{}, nullptr, [](double) {});
  EXPECT_FALSE(noSource.Add(-999.0));
}

}  // namespace
}  // namespace vernoli
