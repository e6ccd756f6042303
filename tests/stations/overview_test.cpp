#include "stations/overview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/equations.h"
#include "station_folder.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteBytes;
using test_support::WriteStation;

constexpr std::string_view kFiveDays =
    "        Nr       101       203       401       501\r\n"
    "         1     -20.0      35.0   -999.00       6.5\r\n"
    "         2       5.5    -999.0   -999.00       0.0\r\n"
    "         3    -999.0      40.5   -999.00    -999.0\r\n"
    "         4      12.0      38.0   -999.00       4.2\r\n"
    "         5      30.2      36.5   -999.00       2.0\r\n";

TEST(DataOverview, LabelsOfTheFileItsTypeSpanAndRecords) {
  ScratchFolder folder;
  const RepClimateFile station =
      WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {5, 1, 2001}, kFiveDays);
  DataOverview overview;
  ASSERT_TRUE(ReadDataOverview(station, overview));
  EXPECT_EQ(overview.FileText, "alpha.DTA");
  EXPECT_EQ(overview.Type, "Daily data");
  EXPECT_EQ(overview.Range, "from :  1 January 2001    to :  5 January 2001");
  EXPECT_EQ(overview.Records, "Number of record lines : 5");
}

TEST(DataOverview, RangeOfEachDataType) {
  struct Row {
    uint8_t dataType;
    Date from, to;
    const char* text;
  };
  const Row rows[] = {
      {kDaily, {1, 1, 2001}, {10, 12, 2002}, "from :  1 January 2001    to : 10 December 2002"},
      {kTenDaily, {11, 3, 2001}, {31, 5, 2001}, "from :  2 March 2001    to :  3 May 2001"},
      {kMonthly, {1, 2, 2001}, {31, 1, 2003}, "from : February 2001    to : January 2003"},
      {kMonthly, {1, 1, 1901}, {31, 12, 1901}, "from : January    to : December"},
      {kDaily, {1, 1, 1901}, {31, 12, 1901}, "from :  1 January    to : 31 December"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    RepClimateFile station = NewStation();
    station.DataType = row.dataType;
    station.FromDay = row.from.Day;
    station.FromMonth = row.from.Month;
    station.FromYear = row.from.Year;
    station.ToDay = row.to.Day;
    station.ToMonth = row.to.Month;
    station.ToYear = row.to.Year;
    EXPECT_EQ(RangeText(station), row.text);
  }
}

TEST(DataOverview, StatisticsPerParameter) {
  ScratchFolder folder;
  const RepClimateFile station =
      WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {5, 1, 2001}, kFiveDays);
  DataOverview overview;
  ASSERT_TRUE(ReadDataOverview(station, overview));
  ASSERT_EQ(overview.Rows.size(), 4u);
  struct Row {
    int16_t code;
    const char* symbol;
    const char* description;
    const char* unit;
    const char* minimum;
    const char* maximum;
    const char* recorded;
  };
  const Row rows[] = {
      {101, "Tmax   ", "maximum air temperature             ", " \xB0" "C", "  -20.0", "  30.2",
       "      80.0"},
      {203, "RHmin  ", "minimum relative humidity           ", " %", "  35.0", "  40.5",
       "      80.0"},
      {401, "n      ", "actual duration of sunshine in a day", " hour/day", "  ", "  ",
       "       0.0"},
      {501, "ETo    ", "reference crop evapotranspiration   ", " mm/day", "  0.0", "  6.5",
       "      80.0"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].code);
    const ParameterStatistics& row = overview.Rows[i];
    EXPECT_EQ(row.Code, rows[i].code);
    EXPECT_EQ(row.Symbol, rows[i].symbol);
    EXPECT_EQ(row.Description, rows[i].description);
    EXPECT_EQ(row.Unit, rows[i].unit);
    EXPECT_EQ(row.Minimum, rows[i].minimum);
    EXPECT_EQ(row.Maximum, rows[i].maximum);
    EXPECT_EQ(row.Recorded, rows[i].recorded);
  }
  EXPECT_EQ(overview.PlotButtons(), 4);
}

TEST(DataOverview, ShareIsOfTheRecordsOfTheSpan) {
  ScratchFolder folder;
  // A year by the span, three lines in the file, one value.
  const RepClimateFile station = WriteStation(folder, "alpha", kDaily, {1, 1, 2001},
                                              {31, 12, 2001},
                                              "        Nr       501\r\n"
                                              "         1       3.0\r\n"
                                              "         2    -999.0\r\n"
                                              "         3    -999.0\r\n");
  DataOverview overview;
  ASSERT_TRUE(ReadDataOverview(station, overview));
  EXPECT_EQ(overview.Rows[0].Recorded, "       0.3");
  // 0.3% rounds to 0: nothing is drawn.
  const Chart chart = BuildChart(station, overview, 0, 400, 200);
  EXPECT_TRUE(chart.Empty);
  EXPECT_EQ(chart.Title, "reference crop evapotranspiration");
  EXPECT_TRUE(chart.Bars.empty());
  EXPECT_TRUE(chart.GridLines.empty());
}

TEST(DataOverview, MoreThanSixteenParametersAreListedButOnlySixteenCanBeDrawn) {
  ScratchFolder folder;
  const std::vector<int> codes = {101, 102, 103, 111, 112, 113, 201, 202, 203,
                                  210, 211, 221, 222, 231, 232, 301, 401, 501};
  std::string header = "        Nr";
  std::string record = "         1";
  for (int code : codes) {
    header += "       " + std::to_string(code);
    record += "       1.0";
  }
  const RepClimateFile station = WriteStation(folder, "alpha", kDaily, {1, 1, 2001},
                                              {1, 1, 2001}, header + "\r\n" + record + "\r\n");
  DataOverview overview;
  ASSERT_TRUE(ReadDataOverview(station, overview));
  EXPECT_EQ(overview.Rows.size(), 18u);
  EXPECT_EQ(overview.Rows[17].Code, 501);
  EXPECT_EQ(overview.PlotButtons(), kPlotButtons);
  EXPECT_EQ(kPlotButtons, 16);
}

TEST(DataOverview, FileThatCannotBeReadIsAnError) {
  ScratchFolder folder;
  RepClimateFile station =
      WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {2, 1, 2001},
                   "        Nr       101       501\r\n         1      12.0\r\n");
  DataOverview overview;
  const Status shortLine = ReadDataOverview(station, overview);
  EXPECT_EQ(shortLine.Message,
            "ERROR:\ntoo few values in file " + station.DtaFileName + ", line 2");
  station.DtaFileName = folder.File("missing.DTA");
  EXPECT_EQ(ReadDataOverview(station, overview).Message,
            "ERROR:\ncannot open file " + station.DtaFileName + ": No such file or directory");
}

// ---------------------------------------------------------------------------------------------
// The chart

TEST(DataChart, EToUpTo65IsDrawnOnARangeUpTo84) {
  ScratchFolder folder;
  const RepClimateFile station =
      WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {5, 1, 2001}, kFiveDays);
  DataOverview overview;
  ASSERT_TRUE(ReadDataOverview(station, overview));
  const ValueRange range = ChartRange(station, overview.Rows[3]);
  EXPECT_NEAR(range.Minimum, 0.0, 1e-12);
  EXPECT_NEAR(range.Maximum, 8.4, 1e-12);

  // A larger ETo than 8 sets the range itself.
  ParameterStatistics high = overview.Rows[3];
  high.Highest = 9.0;
  EXPECT_NEAR(ChartRange(station, high).Maximum, 9.45, 1e-12);
}

TEST(DataChart, BarsGridLinesAndLabelsOfTheETo) {
  ScratchFolder folder;
  const RepClimateFile station = WriteStation(folder, "alpha", kDaily, {1, 1, 2001},
                                              {4, 1, 2001},
                                              "        Nr       501\r\n"
                                              "         1       6.5\r\n"
                                              "         2       0.0\r\n"
                                              "         3    -999.0\r\n"
                                              "         4       4.2\r\n");
  DataOverview overview;
  ASSERT_TRUE(ReadDataOverview(station, overview));
  // 84 pixels for the range 0..8.4: one pixel per 0.1 mm/day.
  const Chart chart = BuildChart(station, overview, 0, 100, 84);
  ASSERT_FALSE(chart.Empty);
  EXPECT_EQ(chart.Title, "reference crop evapotranspiration");
  EXPECT_EQ(chart.ZeroY, 84);

  ASSERT_EQ(chart.Bars.size(), 3u);
  const int bars[3][4] = {{0, 25, 19, 84}, {25, 50, 84, 84}, {75, 100, 42, 84}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(chart.Bars[i].Left, bars[i][0]);
    EXPECT_EQ(chart.Bars[i].Right, bars[i][1]);
    EXPECT_EQ(chart.Bars[i].Top, bars[i][2]);
    EXPECT_EQ(chart.Bars[i].Bottom, bars[i][3]);
  }
  ASSERT_EQ(chart.ZeroMarks.size(), 1u);
  EXPECT_EQ(chart.ZeroMarks[0].Left, 25);
  EXPECT_EQ(chart.ZeroMarks[0].Right, 50);
  EXPECT_EQ(chart.ZeroMarks[0].Y, 84);

  EXPECT_DOUBLE_EQ(chart.Step, 2.5);
  EXPECT_EQ(chart.LabelDecimals, 2);
  ASSERT_EQ(chart.GridLines.size(), 4u);
  const struct {
    double value;
    int y;
    bool labelled;
    const char* label;
  } lines[] = {{0.0, 84, false, " 0.00 mm/day "},
               {2.5, 59, true, " 2.50 mm/day "},
               {5.0, 34, true, " 5.00 mm/day "},
               {7.5, 9, true, " 7.50 mm/day "}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(lines[i].label);
    EXPECT_DOUBLE_EQ(chart.GridLines[i].Value, lines[i].value);
    EXPECT_EQ(chart.GridLines[i].Y, lines[i].y);
    EXPECT_EQ(chart.GridLines[i].Labelled, lines[i].labelled);
    EXPECT_EQ(chart.GridLines[i].Label, lines[i].label);
    EXPECT_EQ(chart.GridLines[i].LabelX, 2);
    EXPECT_EQ(chart.GridLines[i].LabelY, lines[i].y - 2);
  }
}

TEST(DataChart, TemperaturesBelowZeroGetGridLinesBelowZero) {
  ScratchFolder folder;
  RepClimateFile station =
      WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {5, 1, 2001}, kFiveDays);
  station.Limits.LimitTmin = -25;
  DataOverview overview;
  ASSERT_TRUE(ReadDataOverview(station, overview));
  const Chart chart = BuildChart(station, overview, 0, 500, 300);
  ASSERT_FALSE(chart.Empty);
  EXPECT_DOUBLE_EQ(chart.Minimum, -25.0);
  EXPECT_DOUBLE_EQ(chart.Maximum, 45.0 + 0.05 * 70.0);
  EXPECT_DOUBLE_EQ(chart.Step, 10.0);
  EXPECT_EQ(chart.LabelDecimals, 0);
  std::vector<double> values;
  for (const ChartGridLine& line : chart.GridLines) values.push_back(line.Value);
  EXPECT_EQ(values, (std::vector<double>{0, 10, 20, 30, 40, -10, -20}));
  EXPECT_EQ(chart.GridLines[5].Label, " -10 \xB0" "C ");
  // The bar of -20 hangs from the 0 line down.
  EXPECT_EQ(chart.Bars[0].Top, chart.ZeroY);
  EXPECT_GT(chart.Bars[0].Bottom, chart.ZeroY);
  // The never recorded sunshine draws nothing.
  EXPECT_TRUE(BuildChart(station, overview, 2, 500, 300).Empty);
}

TEST(DataChart, GridStepAndLabelDecimals) {
  struct Row {
    double maximum;
    double step;
    int decimals;
  };
  const Row rows[] = {
      {8.4, 2.5, 2},   {48.5, 10.0, 0},  {105.0, 25.0, 0}, {1.05, 0.25, 2}, {0.5, 0.1, 2},
      {24.0, 5.0, 0},  {5.0, 1.0, 0},    {0.2, 0.05, 3},   {0.00002, 5e-6, 7},
      {3.0, 1.0, 0},   {5000.0, 1000.0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.maximum);
    const double step = GridStep(row.maximum);
    EXPECT_NEAR(step, row.step, row.step * 1e-12);
    EXPECT_EQ(GridLabelDecimals(step), row.decimals);
  }
}

TEST(DataChart, RangeIsTakenOnTheDayOfHighestRadiation) {
  const int north = DayOfHighestRadiation(50.0);
  const int south = DayOfHighestRadiation(-50.0);
  EXPECT_GE(north, 165);
  EXPECT_LE(north, 180);
  EXPECT_TRUE(south >= 350 || south <= 5) << south;
  for (int day : {1, 100, 200, 300}) {
    EXPECT_LE(ExtraterrestrialRadiation(day, 50.0).Ra, ExtraterrestrialRadiation(north, 50.0).Ra);
  }
}

}  // namespace
}  // namespace vernoli
