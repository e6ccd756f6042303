#include "model/station.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "alpha_station.h"
#include "model/atomicfile.h"
#include "scratch_folder.h"

namespace vernoli {
namespace {

using test_support::AlphaStation;
using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;

std::string Blanks(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

// The lines of a file, split at CR LF; fails the test on a line end of another kind.
std::vector<std::string> SplitCrLf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "last line without CR LF";
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find('\n'), std::string::npos) << "LF without CR in: " << line;
    EXPECT_EQ(line.find('\r'), std::string::npos) << "CR without LF in: " << line;
  }
  return lines;
}

// Writes the station and returns the lines of its .DSC.
std::vector<std::string> WrittenLines(const RepClimateFile& station) {
  Status status = WriteStationDescription(station);
  EXPECT_TRUE(status.Ok) << status.Message;
  return SplitCrLf(ReadBytes(station.DscFileName));
}

// ---------------------------------------------------------------------------------------------
// Writing: the bytes of the layout, typed from the layout

TEST(DscWriter, WritesSixtyTwoLinesEndedByCrLf) {
  ScratchFolder folder;
  RepClimateFile station = AlphaStation(folder);
  ASSERT_TRUE(WriteStationDescription(station).Ok);
  std::string bytes = ReadBytes(station.DscFileName);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  EXPECT_EQ(SplitCrLf(bytes).size(), 62u);
  EXPECT_EQ(folder.Names(), std::set<std::string>{"ALPHA.DSC"});
}

TEST(DscWriter, WritesTheValueLinesOfTheLayout) {
  ScratchFolder folder;
  std::vector<std::string> lines = WrittenLines(AlphaStation(folder));
  ASSERT_EQ(lines.size(), 62u);
  const std::string expected[] = {
      "Alpha",
      "Beta",
      "     41.90" + Blanks(19) + ": Latitude (degrees)",
      "     12.50" + Blanks(19) + ": Longitude (degrees)",
      "    120" + Blanks(22) + ": Altitude (meters above sea level)",
      "      1" + Blanks(22) + ": daily data",
      "   1   1  2000" + Blanks(15) + ": From Date (Day - Month - Year)",
      "  31  12  2002" + Blanks(15) + ": To Date (Day - Month - Year)",
      "      0.000800" + Blanks(15) +
          ": coefficient psychrometer (depending on type of ventilation)",
      "      2.0" + Blanks(20) + ": height wind speed measurement (meter)",
      "      2.0" + Blanks(20) +
          ": Missing air humidity data: difference between Tdew and Tmin (\xB0" "C)",
      "      0.16" + Blanks(19) +
          ": Missing radiation data: Coefficient of Hargreaves Equation (MJ/m2.day)",
      "      2.0" + Blanks(20) + ": Missing wind speed: estimate for U2 (m/sec)",
      "      0.25" + Blanks(19) + ": Coefficient: a Angstrom formula",
      "      0.50" + Blanks(19) + ": Coefficient: b Angstrom formula",
      "      1" + Blanks(22) + ": Option: Adjustment for station elevation (Angstrom formula)",
      "    -15" + Blanks(22) +
          ": Climatic data range: lower limit for Minimal temperature (\xB0" "C)",
      "     45" + Blanks(22) +
          ": Climatic data range: upper limit for Maximal temperature (\xB0" "C)",
      "     15" + Blanks(22) +
          ": Climatic data range: lower limit for Minimal Relative Humidity (%)",
      "      8" + Blanks(22) + ": Climatic data range: upper limit for Maximal wind speed (m/sec)",
      "      5" + Blanks(22) +
          ": Climatic data range: Allowable deviation (%) from theoretical maximum radiation",
      "",
      "List of CLIMATIC PARAMETERS=====================================",
      "Code  Symbol  Description                             Unit",
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    EXPECT_EQ(lines[i], expected[i]);
  }
  // The colon of every value line is in column 30.
  for (std::size_t i = 2; i < 21; ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    EXPECT_EQ(lines[i].find(':'), 29u);
  }
}

TEST(DscWriter, WritesTheWholeParameterTable) {
  ScratchFolder folder;
  std::vector<std::string> lines = WrittenLines(AlphaStation(folder));
  ASSERT_EQ(lines.size(), 62u);
  struct Row {
    std::size_t line;
    std::string expected;
  };
  const Row rows[] = {
      {25, " 101  Tmax     maximum air temperature                  \xB0" "C     "},
      {29, " 112  Tmean    mean air temperature                     \xB0" "F     "},
      {37, " 222  e(act)   actual vapour pressure                hPa (mbar)"},
      {45, " 301  u(x)     wind speed (x m above soil surface)     m/sec   "},
      {49, " 401  n        actual duration of sunshine in a day  hour/day  "},
      {55, " 425  Rs       solar or shortwave radiation         cal/cm2.day"},
      {61, " 501  ETo      reference crop evapotranspiration       mm/day  "},
      {62, "================================================================"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("line " + std::to_string(row.line));
    EXPECT_EQ(lines[row.line - 1], row.expected);
  }
  for (std::size_t line = 25; line <= 61; ++line) {
    SCOPED_TRACE("line " + std::to_string(line));
    EXPECT_EQ(lines[line - 1].size(), 63u);
  }
}

// A value no field of the file holds (a hand-edited file read, then written by a form) would be
// written in full and shift the labels, or would not read back at all.
TEST(DscWriter, RefusesAValueThatDoesNotFitItsFieldAndWritesNothing) {
  ScratchFolder folder;
  const RepClimateFile good = AlphaStation(folder);
  ASSERT_TRUE(WriteStationDescription(good));
  const std::string before = ReadBytes(good.DscFileName);
  const struct {
    void (*change)(RepClimateFile&);
    const char* reason;
  } rows[] = {
      {[](RepClimateFile& s) { s.Latitude = 1.7976931348623157e308; },
       ", line 3, column 1 (latitude): the value 1.7976931348623157e+308 does not fit the 10 "
       "characters of its field; nothing was written"},
      {[](RepClimateFile& s) { s.Altitude = -12345678; },
       ", line 5, column 1 (altitude): the value -12345678 does not fit the 7 characters of its "
       "field; nothing was written"},
      {[](RepClimateFile& s) { s.ToYear = 1000000; },
       ", line 8, column 9 (year): the value 1000000 does not fit the 6 characters of its field; "
       "nothing was written"},
      {[](RepClimateFile& s) { s.Settings.AngstromB = std::nan(""); },
       ", line 15, column 1 (Angstrom b): the value nan would not read back as a number; nothing "
       "was written"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.reason);
    RepClimateFile station = good;
    row.change(station);
    EXPECT_EQ(WriteStationDescription(station).Message,
              "ERROR:\nfile " + station.DscFileName + row.reason);
    EXPECT_EQ(ReadBytes(good.DscFileName), before);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"ALPHA.DSC"});
  }
}

TEST(DscWriter, WritesTheDataTypeCodeAndItsLabel) {
  struct Row {
    const char* name;
    uint8_t dataType;
    std::string expected;
  };
  const Row rows[] = {
      {"daily", kDaily, "      1" + Blanks(22) + ": daily data"},
      {"10-daily", kTenDaily, "      2" + Blanks(22) + ": 10-daily data"},
      {"monthly", kMonthly, "      3" + Blanks(22) + ": monthly data"},
  };
  ScratchFolder folder;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station = AlphaStation(folder);
    station.DataType = row.dataType;
    std::vector<std::string> lines = WrittenLines(station);
    ASSERT_EQ(lines.size(), 62u);
    EXPECT_EQ(lines[5], row.expected);
  }
}

TEST(DscWriter, WritesBothFormsOfTheElevationOption) {
  ScratchFolder folder;
  RepClimateFile station = AlphaStation(folder);
  station.Flags.ElevationAdjustment = 0;
  std::vector<std::string> lines = WrittenLines(station);
  ASSERT_EQ(lines.size(), 62u);
  EXPECT_EQ(lines[15],
            "      0" + Blanks(22) + ": Option: NO Adjustment for station elevation (Angstrom formula)");
  station.Flags.ElevationAdjustment = 1;
  lines = WrittenLines(station);
  ASSERT_EQ(lines.size(), 62u);
  EXPECT_EQ(lines[15],
            "      1" + Blanks(22) + ": Option: Adjustment for station elevation (Angstrom formula)");
}

TEST(DscWriter, WritesLimitsAsSignedEightBitNumbers) {
  ScratchFolder folder;
  RepClimateFile station = AlphaStation(folder);
  station.Limits.LimitTmin = -128;
  station.Limits.LimitTmax = 127;
  station.Limits.LimitRHmin = static_cast<int8_t>(200);  // cannot be held: -56
  std::vector<std::string> lines = WrittenLines(station);
  ASSERT_EQ(lines.size(), 62u);
  EXPECT_EQ(lines[16].substr(0, 7), "   -128");
  EXPECT_EQ(lines[17].substr(0, 7), "    127");
  EXPECT_EQ(lines[18].substr(0, 7), "    -56");
}

TEST(DscWriter, KeepsNameAndCountryOnTheirOwnLines) {
  ScratchFolder folder;
  RepClimateFile station = AlphaStation(folder);
  station.StationName = "Two\r\nlines";
  station.Country = "  Beta\xE9  ";  // blanks and Windows-1252 bytes as typed
  std::vector<std::string> lines = WrittenLines(station);
  ASSERT_EQ(lines.size(), 62u);
  EXPECT_EQ(lines[0], "Two  lines");
  EXPECT_EQ(lines[1], "  Beta\xE9  ");
}

TEST(DscWriter, FailedWriteLeavesTheOldFile) {
  ScratchFolder folder;
  RepClimateFile station = AlphaStation(folder);
  WriteBytes(station.DscFileName, "old\r\n");
  AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::Rename);
  Status status = WriteStationDescription(station);
  AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::None);
  EXPECT_EQ(status.Message, "ERROR:\ncannot write file " + station.DscFileName);
  EXPECT_EQ(ReadBytes(station.DscFileName), "old\r\n");
  EXPECT_EQ(folder.Names(), std::set<std::string>{"ALPHA.DSC"});
}

}  // namespace
}  // namespace vernoli
