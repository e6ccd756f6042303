#include "workspace/validation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/equations.h"
#include "engine/record.h"

namespace vernoli {
namespace {

const std::string kRemedies =
    "Possible solutions:\n"
    "1. Verify input data\n"
    "2. Check units (Switch units ?)\n"
    "3. Adjust 'Data range' if required";

// A daily station from 1 January 2001 at 41.9 N with the default limits.
RepClimateFile DailyStation() {
  RepClimateFile station = NewStation();
  station.Latitude = 41.9;
  station.Altitude = 100;
  station.DataType = kDaily;
  station.FromDay = 1;
  station.FromMonth = 1;
  station.FromYear = 2001;
  station.FirstDayNr = DayNr(1, 1, 2001);
  return station;
}

// ---------------------------------------------------------------------------------------------
// The range

TEST(CheckRange, BothLimitsAreWithin) {
  struct Row {
    const char* name;
    double value;
    int expected;
  };
  const Row rows[] = {
      {"below", 14.9, -1}, {"the minimum", 15.0, 0}, {"inside", 50.0, 0},
      {"the maximum", 100.0, 0}, {"above", 100.1, 1}, {"missing value", -999.0, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CheckRange(row.value, 15.0, 100.0), row.expected);
  }
}

TEST(RecordRange, SunshineFollowsTheMidPeriodDayOfAMonthlyRecord) {
  RepClimateFile station = DailyStation();
  station.DataType = kMonthly;
  // Record k = 5 is June: day 15 of June, day of year 166, not 1 June.
  const ValueRange june = RecordRange(station, 401, 5);
  EXPECT_DOUBLE_EQ(june.Minimum, 0.0);
  EXPECT_NEAR(june.Maximum, 1.05 * ExtraterrestrialRadiation(166, 41.9).N, 1e-9);
  EXPECT_NE(june.Maximum, 1.05 * ExtraterrestrialRadiation(152, 41.9).N);
}

// ---------------------------------------------------------------------------------------------
// Values read from a data file

// "Tmax 1e15" in a .DTA gave an ETo of 0.0 and no message; a value of 1.7976931348623157e308
// was recomputed and written back in a field that no reader could read again.
TEST(DataFileValueCheck, RefusesWhatTheGridWouldRefuseNamingFileLineColumnValueAndRange) {
  const RepClimateFile station = DailyStation();
  const int16_t codes[] = {101, 103, 203, 301, 401, 501};
  const DataFileValueCheck check(station, codes, "d/A.DTA");
  struct Row {
    const char* line;
    std::vector<double> values;
    const char* reason;  // empty: accepted
  };
  const Row rows[] = {
      {"1 31.2 18.4 40.0 2.10 9.30 -999.0", {31.2, 18.4, 40.0, 2.1, 9.3, -999.0}, ""},
      {"1 1e15 18.4 40.0 2.10 9.30 -999.0", {1e15, 18.4, 40.0, 2.1, 9.3, -999.0},
       "file d/A.DTA, line 7, column 2 (Tmax, \xB0" "C): the value 1e15 lies outside its "
       "plausible range -15.0 .. 45.0 \xB0" "C, set by the station's data limits"},
      {"1   31.2   18.4   40.0  1.7976931348623157e308  9.30 -999.0",
       {31.2, 18.4, 40.0, 1.7976931348623157e308, 9.3, -999.0},
       "file d/A.DTA, line 7, column 5 (u(x), m/sec): the value 1.7976931348623157e308 lies "
       "outside its plausible range 0.00 .. 8.00 m/sec, set by the station's data limits"},
      {"1 31.2 18.4 14.9 2.10 9.30 -999.0", {31.2, 18.4, 14.9, 2.1, 9.3, -999.0},
       "file d/A.DTA, line 7, column 4 (RHmin, %): the value 14.9 lies outside its plausible "
       "range 15.0 .. 100.0 %, set by the station's data limits"},
      // 1 January at 41.9 N has 9.0 hours of daylight: 11 hours of sunshine are too many.
      {"1 31.2 18.4 40.0 2.10 11.00 -999.0", {31.2, 18.4, 40.0, 2.1, 11.0, -999.0},
       "file d/A.DTA, line 7, column 6 (n, hour/day): the value 11.00 lies outside its plausible "
       "range 0.00 .. 9.47 hour/day, set by the station's data limits and the sun of the day"},
      // Missing values, a value on its limit and any old ETo pass.
      {"1 -999.0 -15.0 -999.4 8.00 -999 1e300", {-999.0, -15.0, -999.4, 8.0, -999.0, 1e300}, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const Status status = check.Check(0, row.values, 7, row.line);
    if (row.reason[0] == '\0') {
      EXPECT_TRUE(status) << status.Message;
    } else {
      EXPECT_EQ(status.Message, std::string("ERROR:\n") + row.reason);
    }
  }
}

TEST(DataFileValueCheck, SunshineIsHeldToTheDayOfItsRecord) {
  const RepClimateFile station = DailyStation();
  const int16_t codes[] = {401, 501};
  const DataFileValueCheck check(station, codes, "d/A.DTA");
  const std::vector<double> values{11.0, -999.0};
  // Record 0 is 1 January, record 180 is 30 June, with about 15 hours of daylight.
  EXPECT_FALSE(check.Check(0, values, 2, "1 11.00 -999.0"));
  EXPECT_TRUE(check.Check(180, values, 182, "181 11.00 -999.0"));
}

// ---------------------------------------------------------------------------------------------
// Messages, typed from the program's texts

TEST(RangeRefusalMessage, BelowTheMinimum) {
  EXPECT_EQ(RangeRefusalMessage(-1, 15.0, 203),
            "ERROR:\nvalue is smaller than Minimum (=      15.0 %)\n\n" + kRemedies);
}

TEST(RangeRefusalMessage, AboveTheMaximumHasOneEmptyLineMore) {
  EXPECT_EQ(RangeRefusalMessage(1, 45.0, 101),
            "ERROR:\nvalue is larger than Maximum (=      45.0 \xB0" "C)\n\n\n" + kRemedies);
  EXPECT_EQ(RangeRefusalMessage(1, 4.2479, 222),
            "ERROR:\nvalue is larger than Maximum (=    4.2479 hPa (mbar))\n\n\n" + kRemedies);
}

// ---------------------------------------------------------------------------------------------
// Leaving a cell

TEST(CheckCell, AcceptedValueIsRewrittenWithTheDecimalsOfItsCode) {
  const RepClimateFile station = DailyStation();
  struct Row {
    const char* name;
    const char* text;
    int code;
    const char* shown;
  };
  const Row rows[] = {
      {"temperature", " 12.345 ", 101, "      12.3"},
      {"the maximum itself", "45", 101, "      45.0"},
      {"vapour pressure", "1.5", 221, "    1.5000"},
      {"wind", "3", 301, "      3.00"},
      {"empty cell stays empty", "   ", 101, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const CellCheck check = CheckCell(row.text, row.code, station, 0);
    EXPECT_FALSE(check.Refused);
    EXPECT_EQ(check.CellText, row.shown);
    EXPECT_EQ(check.Message, "");
  }
}

TEST(CheckCell, ValueOutsideItsRangeIsRefusedAndTheCellEmptied) {
  const RepClimateFile station = DailyStation();
  CellCheck check = CheckCell("52", 101, station, 0);
  EXPECT_TRUE(check.Refused);
  EXPECT_EQ(check.CellText, "");
  EXPECT_EQ(check.Message, RangeRefusalMessage(1, 45.0, 101));

  check = CheckCell("0", 201, station, 0);  // below LimitRHmin 15
  EXPECT_TRUE(check.Refused);
  EXPECT_EQ(check.Message,
            "ERROR:\nvalue is smaller than Minimum (=      15.0 %)\n\n" + kRemedies);

  // A typing slip is refused, never taken for a measurement of 0.
  check = CheckCell("abc", 101, station, 0);
  EXPECT_TRUE(check.Refused);
  EXPECT_EQ(check.CellText, "");
  EXPECT_EQ(check.Message, "ERROR:\nvalue is not a number");

  EXPECT_TRUE(CheckCell("-999", 101, station, 0).Refused);  // typed -999 is no missing value
  EXPECT_TRUE(CheckCell("101", 501, station, 0).Refused);   // ETo: 0 to 100 mm/day
}

// ---------------------------------------------------------------------------------------------
// ETo of a column

TEST(ColumnETo, ComputesFromTheCellsInTheirUnits) {
  const RepClimateFile station = DailyStation();
  ClimaticRecord record;
  record[Row::Tmax] = 30.0;
  record[Row::Tmin] = 15.0;
  record[Row::Wind] = 2.0;
  RecordResults expectedResults;
  const double expected =
      ComputeRecord(DayOfYearForRecord(station, 180), record, station, expectedResults);
  ASSERT_FALSE(IsMissing(expected));

  const std::vector<int16_t> celsius{101, 103, 301, 501};
  const std::vector<std::string> cells{"      30.0", "      15.0", "      2.00", "       9.9"};
  EXPECT_DOUBLE_EQ(ColumnETo(station, celsius, cells, 180), expected);

  const std::vector<int16_t> other{111, 113, 302, 501};
  const std::vector<std::string> otherCells{"86.0", "59.0", "172.80", ""};
  RecordResults results;
  EXPECT_DOUBLE_EQ(ColumnETo(station, other, otherCells, 180, &results), expected);
  EXPECT_DOUBLE_EQ(results.U2Star, expectedResults.U2Star);
}

TEST(ColumnETo, EmptyCellsAreMissingAndTheEngineEstimates) {
  const RepClimateFile station = DailyStation();
  const std::vector<int16_t> codes{101, 103, 301, 501};
  const std::vector<std::string> withWind{"30.0", "15.0", "5.00", ""};
  const std::vector<std::string> withoutWind{"30.0", "15.0", "", ""};
  // Without wind the default U2 of 2 m/sec is used instead of 5.
  EXPECT_GT(ColumnETo(station, codes, withWind, 180), ColumnETo(station, codes, withoutWind, 180));
  EXPECT_FALSE(IsMissing(ColumnETo(station, codes, withoutWind, 180)));
  const std::vector<std::string> nothing{"", "", "", ""};
  EXPECT_TRUE(IsMissing(ColumnETo(station, codes, nothing, 180)));
}

TEST(EToCellText, OneDecimalOrEmpty) {
  EXPECT_EQ(EToCellText(4.26), "       4.3");
  EXPECT_EQ(EToCellText(0.0), "       0.0");
  EXPECT_EQ(EToCellText(-999.0), "");
}

}  // namespace
}  // namespace vernoli
