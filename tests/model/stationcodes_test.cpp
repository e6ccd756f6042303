#include "model/stationcodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "station_codes.h"

namespace vernoli {
namespace {

using test_support::Codes;
using test_support::WithCodes;

// ---------------------------------------------------------------------------------------------
// Reading the list

TEST(StationCodes, TakesTheCountOfTheRecordWithinTheThirtySevenEntries) {
  RepClimateFile station = WithCodes({101, 103, 501});
  EXPECT_EQ(Codes(station), (std::vector<int16_t>{101, 103, 501}));
  // A count read from a damaged description never reaches outside the record.
  station.NumberOfParameters = -4;
  EXPECT_TRUE(StationCodes(station).empty());
  station.NumberOfParameters = 60;
  EXPECT_EQ(StationCodes(station).size(), static_cast<std::size_t>(kParameterCount));
  EXPECT_EQ(StationCodes(station).data(), station.ParameterCodes.data());
}

TEST(StationCodes, HasCodeLooksOnlyAtTheEntriesInUse) {
  RepClimateFile station = WithCodes({101, 103, 501});
  EXPECT_TRUE(HasCode(station, 103));
  EXPECT_FALSE(HasCode(station, 102));
  EXPECT_FALSE(HasCode(station, -999));  // the free entries behind the list
  station.ParameterCodes[3] = 301;       // an entry behind the count is no code of the station
  EXPECT_FALSE(HasCode(station, 301));
}

// ---------------------------------------------------------------------------------------------
// Changing the list

TEST(SortParameterCodes, PutsTheCodesInAscendingOrderWithEToLast) {
  RepClimateFile station;
  const int16_t codes[] = {301, 101, 501, 103};
  std::copy(std::begin(codes), std::end(codes), station.ParameterCodes.begin());
  station.NumberOfParameters = 4;
  SortParameterCodes(station);
  EXPECT_EQ(
      std::vector<int16_t>(station.ParameterCodes.begin(), station.ParameterCodes.begin() + 5),
      (std::vector<int16_t>{101, 103, 301, 501, -999}));
}

TEST(StationCodes, AddingKeepsTheListSortedWithEToLast) {
  RepClimateFile station = WithCodes({101, 103, 501});
  EXPECT_TRUE(AddParameterCode(station, 301));
  EXPECT_TRUE(AddParameterCode(station, 102));
  EXPECT_EQ(Codes(station), (std::vector<int16_t>{101, 102, 103, 301, 501}));
  EXPECT_EQ(station.NumberOfParameters, 5);
  EXPECT_FALSE(AddParameterCode(station, 301));  // already there
  EXPECT_FALSE(AddParameterCode(station, 999));  // no parameter
  EXPECT_EQ(station.NumberOfParameters, 5);
}

TEST(StationCodes, RemovingShiftsTheRestAndFreesTheLastEntry) {
  RepClimateFile station = WithCodes({101, 103, 301, 501});
  EXPECT_TRUE(RemoveParameterCode(station, 103));
  EXPECT_EQ(Codes(station), (std::vector<int16_t>{101, 301, 501}));
  EXPECT_EQ(station.ParameterCodes[3], -999);
  EXPECT_EQ(station.ParameterCodes[36], -999);
  EXPECT_FALSE(RemoveParameterCode(station, 103));
  EXPECT_EQ(station.NumberOfParameters, 3);

  // A full list of 37 codes: the last entry becomes -999 after a removal.
  RepClimateFile full = NewStation();
  for (int i = 0; i < kParameterCount; ++i) {
    full.ParameterCodes[static_cast<std::size_t>(i)] =
        ParameterTable()[static_cast<std::size_t>(i)].Code;
  }
  full.NumberOfParameters = kParameterCount;
  EXPECT_FALSE(AddParameterCode(full, 101));
  EXPECT_TRUE(RemoveParameterCode(full, 101));
  EXPECT_EQ(full.ParameterCodes[35], 501);
  EXPECT_EQ(full.ParameterCodes[36], -999);
  EXPECT_EQ(full.NumberOfParameters, 36);
}

TEST(ReplaceCode, ReplacesInPlaceOrDropsTheCodeWhenItsTargetIsThere) {
  struct Row {
    const char* name;
    std::initializer_list<int16_t> before;
    int from;
    int to;
    std::vector<int16_t> after;
    bool changed;
  };
  // clang-format off
  const Row rows[] = {
      {"the new code sorts into its place", {102, 210, 501}, 102, 112, {112, 210, 501}, true},
      {"a lower code moves to the front", {201, 301, 501}, 301, 102, {102, 201, 501}, true},
      {"the target there already: the old code goes", {101, 111, 501}, 101, 111,
       {111, 501}, true},
      {"an absent code changes nothing", {101, 501}, 102, 112, {101, 501}, false},
      {"a code replaced by itself", {101, 501}, 101, 101, {101, 501}, false},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station = WithCodes(row.before);
    EXPECT_EQ(ReplaceCode(station, row.from, row.to), row.changed);
    EXPECT_EQ(Codes(station), row.after);
    EXPECT_EQ(station.ParameterCodes[row.after.size()], -999);
  }
}

}  // namespace
}  // namespace vernoli
