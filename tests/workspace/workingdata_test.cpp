#include "workspace/workingdata.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/stationcodes.h"
#include "station_files.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteStation;

// A working record that holds the given rows; every other row is missing.
ClimaticRecord Record(std::initializer_list<std::pair<int, double>> rows) {
  ClimaticRecord record;
  for (const auto& [row, value] : rows) record[row] = value;
  return record;
}

void ExpectSameRecord(const ClimaticRecord& actual, const ClimaticRecord& expected) {
  for (int row = 1; row <= kParameterCount; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(actual[row], expected[row]);  // exactly
  }
}

class WorkingDataTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
};

// ---------------------------------------------------------------------------------------------
// Loading

TEST_F(WorkingDataTest, LoadPutsEachValueInItsRowWithItsRecordNumber) {
  const RepClimateFile station = WriteStation(folder_.Folder(), "SMALL", kDaily, {1, 7, 2001},
                                              {3, 7, 2001}, test_support::kSmallDta);
  WorkingData data;
  ASSERT_TRUE(LoadWorkingData(station, data).Ok);
  EXPECT_EQ(data.Numbers, (std::vector<int32_t>{1, 2, 3}));
  ASSERT_EQ(data.Records.size(), 3u);
  ExpectSameRecord(data.Records[0], Record({{Row::Tmax, 31.2}, {Row::Tmin, 18.4},
                                            {Row::RHmax, 85.0}, {Row::RHmin, 40.0},
                                            {Row::Wind, 2.1}, {Row::Sunshine, 11.3}}));
  ExpectSameRecord(data.Records[1], Record({{Row::RHmax, 80.0}, {Row::RHmin, 35.0},
                                            {Row::Wind, 3.4}, {Row::Sunshine, 10.8}}));
  ExpectSameRecord(data.Records[2], Record({{Row::Tmax, 29.8}, {Row::Tmin, 17.1},
                                            {Row::RHmax, 90.0}, {Row::RHmin, 45.0},
                                            {Row::Wind, 1.75}}));
}

TEST_F(WorkingDataTest, LoadConvertsOtherUnitsIntoTheStandardRows) {
  const RepClimateFile station = WriteStation(
      folder_.Folder(), "FAHR", kDaily, {1, 1, 2001}, {2, 1, 2001},
      "        Nr       111       113       222       302       422       501\r\n"
      "         1      88.5      60.1   22.5013    172.80    100.00    -999.0\r\n"
      "         2    -999.0    -999.0     1.0E1    -999.0    -999.0       3.1\r\n");
  WorkingData data;
  ASSERT_TRUE(LoadWorkingData(station, data).Ok);
  ASSERT_EQ(data.Records.size(), 2u);
  ExpectSameRecord(data.Records[0], Record({{Row::Tmax, ToStandardUnit(111, 88.5)},
                                            {Row::Tmin, ToStandardUnit(113, 60.1)},
                                            {Row::Eact, ToStandardUnit(222, 22.5013)},
                                            {Row::Wind, ToStandardUnit(302, 172.80)},
                                            {Row::Rs, ToStandardUnit(422, 100.0)}}));
  // The stored ETo stays.
  ExpectSameRecord(data.Records[1],
                   Record({{Row::Eact, ToStandardUnit(222, 10.0)}, {Row::ETo, 3.1}}));
}

TEST_F(WorkingDataTest, LoadRefusesAShortRecordOrAnUnknownCodeAndKeepsTheOldData) {
  struct Case {
    const char* name;
    std::string dta;
    std::string reason;  // @ stands for the data file
  };
  const Case cases[] = {
      {"short record",
       "        Nr       101       501\r\n"
       "         1      20.0    -999.0\r\n"
       "         2      20.0\r\n",
       "too few values in file @, line 3"},
      {"code outside the parameter table",
       "        Nr       101       999       501\r\n"
       "         1      20.0       1.0    -999.0\r\n",
       "unknown parameter code 999 in file @, line 1"},
      // Once made a missing value in silence: its conversion is beyond every double.
      {"value far beyond its plausible range",
       "        Nr       111       113       501\r\n"
       "         1      88.5      60.1    -999.0\r\n"
       "         2   1.7E308    -999.0       3.1\r\n",
       "file @, line 3, column 2 (Tmax, \xB0" "F): the value 1.7E308 lies outside its plausible "
       "range 5.0 .. 113.0 \xB0" "F, set by the station's data limits"},
      // 1 January at 41.9 N: no clear sky gives 250 W/m2 over the day.
      {"radiation above the clear sky of the day",
       "        Nr       422       501\r\n"
       "         1    250.00    -999.0\r\n",
       "file @, line 2, column 2 (Rs, W/m2): the value 250.00 lies outside its plausible range "
       "0.00 .. 115.67 W/m2, set by the station's data limits and the sun of the day"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RepClimateFile station =
        WriteStation(folder_.Folder(), "BAD", kDaily, {1, 1, 2001}, {2, 1, 2001}, c.dta);
    WorkingData data;
    data.Numbers = {7};
    data.Records = {Record({{Row::Tmax, 1.5}})};
    std::string reason = c.reason;
    reason.replace(reason.find('@'), 1, station.DtaFileName);
    EXPECT_EQ(LoadWorkingData(station, data).Message, "ERROR:\n" + reason);
    EXPECT_EQ(data.Numbers, std::vector<int32_t>{7});
    ASSERT_EQ(data.Records.size(), 1u);
    EXPECT_EQ(data.Records[0][Row::Tmax], 1.5);
  }
}

// ---------------------------------------------------------------------------------------------
// Writing back

class WriteBackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Four records; the wind row is hidden from the grid below.
    for (int32_t n = 1; n <= 4; ++n) {
      data_.Numbers.push_back(n);
      data_.Records.push_back(
          Record({{Row::Tmax, 20.0 + n}, {Row::Tmin, 10.0 + n}, {Row::Wind, 1.5 * n}}));
    }
    original_ = data_;
  }
  WorkingData data_;
  WorkingData original_;
  // The grid shows Tmax and Tmin in degF, and ETo.
  const std::vector<int16_t> codes_{111, 113, 501};
};

TEST_F(WriteBackTest, StoresTheVisibleCellsInStandardUnits) {
  const GridColumns cells = {{"  50.0", "  32.0", "   4.1"}, {"", "bad", "      "}};
  WriteBackVisibleRecords(data_, codes_, 2, 3, cells);
  ASSERT_EQ(data_.Records.size(), 4u);
  EXPECT_EQ(data_.Numbers, original_.Numbers);
  // The records outside the visible range are left as they were.
  ExpectSameRecord(data_.Records[0], original_.Records[0]);
  ExpectSameRecord(data_.Records[3], original_.Records[3]);

  const ClimaticRecord& second = data_.Records[1];
  EXPECT_DOUBLE_EQ(second[Row::Tmax], 10.0);
  EXPECT_DOUBLE_EQ(second[Row::Tmin], 0.0);
  EXPECT_DOUBLE_EQ(second[Row::ETo], 4.1);   // the ETo row goes to row 37
  EXPECT_DOUBLE_EQ(second[Row::Wind], 3.0);  // not in the grid: kept
  const ClimaticRecord& third = data_.Records[2];
  EXPECT_EQ(third[Row::Tmax], kMissing);  // empty cell
  EXPECT_DOUBLE_EQ(third[Row::Tmin], ToStandardUnit(113, 0.0));  // no number counts as 0
  EXPECT_EQ(third[Row::ETo], kMissing);
  EXPECT_EQ(third[Row::TmaxF], kMissing);  // the degF rows stay empty
  EXPECT_DOUBLE_EQ(third[Row::Wind], 4.5);
}

TEST_F(WriteBackTest, RecordsBeyondTheEndAreAddedNumberedByTheirPlace) {
  const GridColumns cells = {{"50.0", "", ""}, {"68.0", "", ""}, {"86.0", "", ""}};
  WriteBackVisibleRecords(data_, codes_, 4, 6, cells);
  EXPECT_EQ(data_.Numbers, (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
  ASSERT_EQ(data_.Records.size(), 6u);
  ExpectSameRecord(data_.Records[4], Record({{Row::Tmax, 20.0}}));
  ExpectSameRecord(data_.Records[5], Record({{Row::Tmax, 30.0}}));
}

TEST_F(WriteBackTest, PageBeyondTheEndFillsTheRecordsBetweenWithMissingValues) {
  const GridColumns cells = {{"50.0", "", ""}};
  WriteBackVisibleRecords(data_, codes_, 7, 7, cells);
  EXPECT_EQ(data_.Numbers, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7}));
  ASSERT_EQ(data_.Records.size(), 7u);
  for (std::size_t i = 0; i < 4; ++i) ExpectSameRecord(data_.Records[i], original_.Records[i]);
  ExpectSameRecord(data_.Records[4], ClimaticRecord{});
  ExpectSameRecord(data_.Records[5], ClimaticRecord{});
  ExpectSameRecord(data_.Records[6], Record({{Row::Tmax, 10.0}}));
}

}  // namespace
}  // namespace vernoli
