#include "model/station.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "model/atomicfile.h"
#include "scratch_folder.h"

namespace vernoli {
namespace {

using test_support::Fixture;
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

// Alpha in Beta, daily data 1 January 2000 - 31 December 2002, the defaults of a new station.
RepClimateFile AlphaStation(const ScratchFolder& folder) {
  RepClimateFile station = NewStation(Location::Interior, Climate::Arid, WindClass::LightToModerate);
  SetStationFiles(station, folder.Folder(), "ALPHA");
  station.StationName = "Alpha";
  station.Country = "Beta";
  station.Latitude = 41.9;
  station.Longitude = 12.5;
  station.Altitude = 120;
  station.DataType = kDaily;
  station.FromDay = 1;
  station.FromMonth = 1;
  station.FromYear = 2000;
  station.ToDay = 31;
  station.ToMonth = 12;
  station.ToYear = 2002;
  return station;
}

// Writes the station and returns the lines of its .DSC.
std::vector<std::string> WrittenLines(const RepClimateFile& station) {
  Status status = WriteStationDescription(station);
  EXPECT_TRUE(status.Ok) << status.Message;
  return SplitCrLf(ReadBytes(station.DscFileName));
}

// Every field of two records, one expectation each.
void ExpectSameStation(const RepClimateFile& a, const RepClimateFile& b) {
  EXPECT_EQ(a.FileName, b.FileName);
  EXPECT_EQ(a.OutputName, b.OutputName);
  EXPECT_EQ(a.Description, b.Description);
  EXPECT_EQ(a.DscFileName, b.DscFileName);
  EXPECT_EQ(a.DtaFileName, b.DtaFileName);
  EXPECT_EQ(a.StationName, b.StationName);
  EXPECT_EQ(a.Country, b.Country);
  EXPECT_EQ(a.Latitude, b.Latitude);
  EXPECT_EQ(a.Longitude, b.Longitude);
  EXPECT_EQ(a.Altitude, b.Altitude);
  EXPECT_EQ(a.DataType, b.DataType);
  EXPECT_EQ(a.FirstDayNr, b.FirstDayNr);
  EXPECT_EQ(a.LastDayNr, b.LastDayNr);
  EXPECT_EQ(a.From(), b.From());
  EXPECT_EQ(a.To(), b.To());
  EXPECT_EQ(a.Method, b.Method);
  EXPECT_EQ(a.PsychrometerCoefficient, b.PsychrometerCoefficient);
  EXPECT_EQ(a.WindHeight, b.WindHeight);
  EXPECT_EQ(a.TdewTminDifference, b.TdewTminDifference);
  EXPECT_EQ(a.HargreavesRsCoefficient, b.HargreavesRsCoefficient);
  EXPECT_EQ(a.DefaultU2, b.DefaultU2);
  EXPECT_EQ(a.NumberOfRecords, b.NumberOfRecords);
  EXPECT_EQ(a.NumberOfParameters, b.NumberOfParameters);
  EXPECT_EQ(a.ParameterCodes, b.ParameterCodes);
  EXPECT_EQ(a.Settings.AlbedoPM, b.Settings.AlbedoPM);
  EXPECT_EQ(a.Settings.AlbedoPenman, b.Settings.AlbedoPenman);
  EXPECT_EQ(a.Settings.AngstromA, b.Settings.AngstromA);
  EXPECT_EQ(a.Settings.AngstromB, b.Settings.AngstromB);
  EXPECT_EQ(a.Settings.HargreavesCoefficient, b.Settings.HargreavesCoefficient);
  EXPECT_EQ(a.Settings.WindFunctionCoefficient, b.Settings.WindFunctionCoefficient);
  EXPECT_EQ(a.Settings.DayNightWindRatio, b.Settings.DayNightWindRatio);
  EXPECT_EQ(a.Flags.ElevationAdjustment, b.Flags.ElevationAdjustment);
  EXPECT_EQ(a.Flags.AdjustPenman, b.Flags.AdjustPenman);
  EXPECT_EQ(a.Flags.AdjustRadiation, b.Flags.AdjustRadiation);
  EXPECT_EQ(a.Flags.AdjustBlaneyCriddle, b.Flags.AdjustBlaneyCriddle);
  EXPECT_EQ(a.Limits.LimitTmin, b.Limits.LimitTmin);
  EXPECT_EQ(a.Limits.LimitTmax, b.Limits.LimitTmax);
  EXPECT_EQ(a.Limits.LimitRHmin, b.Limits.LimitRHmin);
  EXPECT_EQ(a.Limits.LimitWind, b.Limits.LimitWind);
  EXPECT_EQ(a.Limits.LimitRadiationDeviation, b.Limits.LimitRadiationDeviation);
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

// ---------------------------------------------------------------------------------------------
// Reading

TEST(DscReader, ReadsBackEveryStoredFieldToItsWrittenPrecision) {
  struct Row {
    const char* name;
    double latitude, longitude, psychrometer, windHeight, tdewTmin, kRs, defaultU2, a, b;
    // The values as written and read back.
    double latitudeRead, longitudeRead, psychrometerRead, windHeightRead, tdewTminRead, kRsRead,
        defaultU2Read, aRead, bRead;
  };
  const Row rows[] = {
      {"values held exactly by the layout", 41.9, -3.75, 0.0008, 2.0, 2.0, 0.16, 0.5, 0.25, 0.5,
       41.9, -3.75, 0.0008, 2.0, 2.0, 0.16, 0.5, 0.25, 0.5},
      {"values rounded by the layout", -33.867, 151.2093, 0.00066251, 10.04, 1.96, 0.1749, 3.96,
       0.184, 0.5549, -33.87, 151.21, 0.000663, 10.0, 2.0, 0.17, 4.0, 0.18, 0.55},
      {"small values round to zero", -0.004, 0.004, 0.0000004, 0.04, -0.04, 0.004, 0.04, 0.004,
       -0.004, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
  };
  ScratchFolder folder;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station = AlphaStation(folder);
    station.Latitude = row.latitude;
    station.Longitude = row.longitude;
    station.Altitude = -28;
    station.DataType = kTenDaily;
    station.FromDay = 11;
    station.FromMonth = 3;
    station.FromYear = 1999;
    station.ToDay = 28;
    station.ToMonth = 2;
    station.ToYear = 2001;
    station.PsychrometerCoefficient = row.psychrometer;
    station.WindHeight = row.windHeight;
    station.TdewTminDifference = row.tdewTmin;
    station.HargreavesRsCoefficient = row.kRs;
    station.DefaultU2 = row.defaultU2;
    station.Settings.AngstromA = row.a;
    station.Settings.AngstromB = row.b;
    station.Flags.ElevationAdjustment = 0;
    station.Limits = {-20, 50, 5, 12, 10};
    ASSERT_TRUE(WriteStationDescription(station).Ok);

    RepClimateFile read = NewStation();
    SetStationFiles(read, folder.Folder(), "ALPHA");
    Status status = ReadStationDescription(read);
    ASSERT_TRUE(status.Ok) << status.Message;
    EXPECT_EQ(read.StationName, "Alpha");
    EXPECT_EQ(read.Country, "Beta");
    // Exactly the value of the written text: the reader parses correctly rounded numbers.
    EXPECT_EQ(read.Latitude, row.latitudeRead);
    EXPECT_EQ(read.Longitude, row.longitudeRead);
    EXPECT_EQ(read.Altitude, -28);
    EXPECT_EQ(read.DataType, kTenDaily);
    EXPECT_EQ(read.From(), (Date{11, 3, 1999}));
    EXPECT_EQ(read.To(), (Date{28, 2, 2001}));
    EXPECT_EQ(read.PsychrometerCoefficient, row.psychrometerRead);
    EXPECT_EQ(read.WindHeight, row.windHeightRead);
    EXPECT_EQ(read.TdewTminDifference, row.tdewTminRead);
    EXPECT_EQ(read.HargreavesRsCoefficient, row.kRsRead);
    EXPECT_EQ(read.DefaultU2, row.defaultU2Read);
    EXPECT_EQ(read.Settings.AngstromA, row.aRead);
    EXPECT_EQ(read.Settings.AngstromB, row.bRead);
    EXPECT_EQ(read.Flags.ElevationAdjustment, 0);
    EXPECT_EQ(read.Limits.LimitTmin, -20);
    EXPECT_EQ(read.Limits.LimitTmax, 50);
    EXPECT_EQ(read.Limits.LimitRHmin, 5);
    EXPECT_EQ(read.Limits.LimitWind, 12);
    EXPECT_EQ(read.Limits.LimitRadiationDeviation, 10);
  }
}

TEST(DscReader, CompletesTheRecordWithWhatTheFileDoesNotHold) {
  ScratchFolder folder;
  RepClimateFile station = AlphaStation(folder);
  ASSERT_TRUE(WriteStationDescription(station).Ok);

  RepClimateFile read = station;
  read.Method = 3;
  read.Settings.AlbedoPM = 0.3;
  read.Settings.AlbedoPenman = 0.3;
  read.Settings.HargreavesCoefficient = 0.003;
  read.Settings.WindFunctionCoefficient = 1.0;
  read.Settings.DayNightWindRatio = 4;
  read.Flags.AdjustPenman = 0;
  read.Flags.AdjustRadiation = 0;
  read.Flags.AdjustBlaneyCriddle = 0;
  read.NumberOfRecords = 0;
  read.FirstDayNr = read.LastDayNr = 0;
  read.Description = "stale";
  read.NumberOfParameters = 3;
  read.ParameterCodes[0] = 101;
  read.ParameterCodes[1] = 103;
  read.ParameterCodes[2] = 501;
  ASSERT_TRUE(ReadStationDescription(read).Ok);

  EXPECT_EQ(read.Method, 1);
  EXPECT_EQ(read.Settings.AlbedoPM, 0.23);
  EXPECT_EQ(read.Settings.AlbedoPenman, 0.25);
  EXPECT_EQ(read.Settings.HargreavesCoefficient, 0.0023);
  EXPECT_EQ(read.Settings.WindFunctionCoefficient, 2.7);
  EXPECT_EQ(read.Settings.DayNightWindRatio, 2);
  EXPECT_EQ(read.Flags.AdjustPenman, 1);
  EXPECT_EQ(read.Flags.AdjustRadiation, 1);
  EXPECT_EQ(read.Flags.AdjustBlaneyCriddle, 1);
  EXPECT_EQ(read.FirstDayNr, 36160);  // 1 January 2000
  EXPECT_EQ(read.LastDayNr, 36160 + 1095);
  EXPECT_EQ(read.NumberOfRecords, 1096);
  EXPECT_EQ(read.Description, "Alpha (Beta) - daily data: 1 January 2000 - 31 December 2002");
  // The codes come from the .DTA; reading the .DSC leaves them alone.
  EXPECT_EQ(read.NumberOfParameters, 3);
  EXPECT_EQ(read.ParameterCodes[1], 103);
  EXPECT_EQ(read.FileName, "ALPHA");
}

TEST(DscReader, ReadsTolerantFiles) {
  struct Row {
    const char* fixture;
    const char* stationName;
  };
  const Row rows[] = {
      {"dsc_lf_only.DSC", "Quirk station"},
      {"dsc_no_final_line_end.DSC", "Quirk station"},
      {"dsc_extra_blanks.DSC", "Quirk station   "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fixture);
    RepClimateFile station;
    station.DscFileName = Fixture(row.fixture);
    Status status = ReadStationDescription(station);
    ASSERT_TRUE(status.Ok) << status.Message;
    EXPECT_EQ(station.StationName, row.stationName);
    EXPECT_EQ(station.Country, "Utopia");
    EXPECT_EQ(station.Latitude, -12.35);
    EXPECT_EQ(station.Longitude, 130.85);
    EXPECT_EQ(station.Altitude, 30);
    EXPECT_EQ(station.DataType, kMonthly);
    EXPECT_EQ(station.From(), (Date{1, 1, 1901}));
    EXPECT_EQ(station.To(), (Date{31, 12, 1901}));
    EXPECT_EQ(station.PsychrometerCoefficient, 0.000662);
    EXPECT_EQ(station.WindHeight, 10.0);
    EXPECT_EQ(station.TdewTminDifference, 2.0);
    EXPECT_EQ(station.HargreavesRsCoefficient, 0.19);
    EXPECT_EQ(station.DefaultU2, 4.0);
    EXPECT_EQ(station.Settings.AngstromA, 0.18);
    EXPECT_EQ(station.Settings.AngstromB, 0.55);
    EXPECT_EQ(station.Flags.ElevationAdjustment, 0);
    EXPECT_EQ(station.Limits.LimitTmin, -5);
    EXPECT_EQ(station.Limits.LimitTmax, 50);
    EXPECT_EQ(station.Limits.LimitRHmin, 10);
    EXPECT_EQ(station.Limits.LimitWind, 12);
    EXPECT_EQ(station.Limits.LimitRadiationDeviation, 10);
    EXPECT_EQ(station.NumberOfRecords, 12);
    EXPECT_EQ(station.Description, "Quirk station (Utopia) - monthly data: January - December");
  }
}

// The lines of a .DSC, CR LF, to be changed line by line by a test.
std::vector<std::string> HandTypedDsc() {
  return {
      "Gamma",
      "",
      "  -1.5",
      "  36.8",
      "  1661",
      "  2",
      "  1  1  1901",
      "  31  12  1901",
      "  0.0008",
      "  2.0",
      "  0.0",
      "  0.16",
      "  2.0",
      "  0.25",
      "  0.50",
      "  7",
      "  -15",
      "  45",
      "  15",
      "  8",
      "  5",
  };
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

TEST(DscReader, MapsTheDataTypeCodeAndTheElevationOption) {
  struct Row {
    const char* typeCode;
    uint8_t dataType;
    const char* elevation;
    uint8_t elevationAdjustment;
  };
  const Row rows[] = {
      {"1", kDaily, "0", 0},  {"2", kTenDaily, "1", 1}, {"3", kMonthly, "7", 1},
      {"7", kMonthly, "-1", 1}, {"0", kMonthly, "0", 0},
  };
  ScratchFolder folder;
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("type ") + row.typeCode + ", elevation " + row.elevation);
    std::vector<std::string> lines = HandTypedDsc();
    lines[5] = row.typeCode;
    lines[15] = row.elevation;
    RepClimateFile station;
    station.DscFileName = folder.File("G.DSC");
    WriteBytes(station.DscFileName, JoinCrLf(lines));
    ASSERT_TRUE(ReadStationDescription(station).Ok);
    EXPECT_EQ(station.DataType, row.dataType);
    EXPECT_EQ(station.Flags.ElevationAdjustment, row.elevationAdjustment);
  }
}

TEST(DscReader, KeepsTheLowByteOfALimitOutsideTheSignedByte) {
  ScratchFolder folder;
  std::vector<std::string> lines = HandTypedDsc();
  lines[16] = "200";   // LimitTmin
  lines[17] = "-129";  // LimitTmax
  RepClimateFile station;
  station.DscFileName = folder.File("G.DSC");
  WriteBytes(station.DscFileName, JoinCrLf(lines));
  ASSERT_TRUE(ReadStationDescription(station).Ok);
  EXPECT_EQ(station.Limits.LimitTmin, -56);
  EXPECT_EQ(station.Limits.LimitTmax, 127);
}

TEST(DscReader, EmptyStationNameGivesUndefinedStationWithoutCountry) {
  ScratchFolder folder;
  std::vector<std::string> lines = HandTypedDsc();
  lines[0] = "";
  lines[1] = "Delta";
  RepClimateFile station;
  station.DscFileName = folder.File("G.DSC");
  WriteBytes(station.DscFileName, JoinCrLf(lines));
  ASSERT_TRUE(ReadStationDescription(station).Ok);
  EXPECT_EQ(station.Description, "Undefined station : Dec1 January - Dec3 December");
}

TEST(DscReader, RejectsAFaultyFileNamingTheLineAndChangingNothing) {
  struct Row {
    const char* name;
    std::size_t line;    // 1-based line to replace
    const char* text;    // its new text
    std::string reason;  // after the file name
  };
  const Row rows[] = {
      {"letter in a real", 3, "  4l.9", ", line 3"},
      {"real for an integer", 5, "  120.5", ", line 5"},
      {"empty value line", 10, "", ", line 10"},
      {"label before the value", 13, "U2: 2.0", ", line 13"},
      {"comma as decimal separator", 14, "0,25", ", line 14"},
      {"third date field missing", 7, "  1  1", ", line 7"},
      {"last limit unreadable", 21, "five", ", line 21"},
      {"altitude beyond 32 bits", 5, "3000000000", ", line 5"},
  };
  ScratchFolder folder;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> lines = HandTypedDsc();
    lines[row.line - 1] = row.text;
    RepClimateFile station = AlphaStation(folder);
    station.DscFileName = folder.File("G.DSC");
    WriteBytes(station.DscFileName, JoinCrLf(lines));
    const RepClimateFile before = station;
    Status status = ReadStationDescription(station);
    EXPECT_FALSE(status.Ok);
    EXPECT_EQ(status.Message, "ERROR:\ncannot read a number in file " + station.DscFileName + row.reason);
    ExpectSameStation(station, before);
  }
}

TEST(DscReader, RejectsAFixtureWithAnUnreadableNumber) {
  RepClimateFile station;
  station.DscFileName = Fixture("dsc_bad_number.DSC");
  station.StationName = "unchanged";
  Status status = ReadStationDescription(station);
  EXPECT_EQ(status.Message, "ERROR:\ncannot read a number in file " + station.DscFileName + ", line 9");
  EXPECT_EQ(station.StationName, "unchanged");
  EXPECT_EQ(station.Latitude, 0.0);
}

TEST(DscReader, RejectsAShortFileNamingTheMissingLine) {
  ScratchFolder folder;
  struct Row {
    std::size_t keep;
    int missingLine;
  };
  for (Row row : {Row{12, 13}, Row{20, 21}, Row{0, 1}, Row{1, 2}}) {
    SCOPED_TRACE(row.keep);
    std::vector<std::string> lines = HandTypedDsc();
    lines.resize(row.keep);
    RepClimateFile station = AlphaStation(folder);
    station.DscFileName = folder.File("G.DSC");
    WriteBytes(station.DscFileName, JoinCrLf(lines));
    const RepClimateFile before = station;
    Status status = ReadStationDescription(station);
    EXPECT_EQ(status.Message, "ERROR:\nfile " + station.DscFileName + " ends before line " +
                                  std::to_string(row.missingLine));
    ExpectSameStation(station, before);
  }
}

TEST(DscReader, RejectsADateOutsideTheCalendarOrTheYearFields) {
  struct Row {
    std::size_t line;
    const char* text;
    const char* reason;
  };
  const Row rows[] = {
      {7, "1 13 1901", "1/13/1901 has a month outside 1..12"},
      {7, "0 1 1901", "0/1/1901 has a day outside 1..31 (the days of January)"},
      {8, "32 12 1901", "32/12/1901 has a day outside 1..31 (the days of December)"},
      {8, "31 0 1901", "31/0/1901 has a month outside 1..12"},
      {8, "31 12 0", "31/12/0 has a year outside 1902..2099 (or 1901 for data not linked to a year)"},
      {7, "1 1 2000000000",
       "1/1/2000000000 has a year outside 1902..2099 (or 1901 for data not linked to a year)"},
      // A span a user's file held: from 31 February 9999 to 1 January of year 1.
      {7, "31 2 9999", "31/2/9999 has a year outside 1902..2099 (or 1901 for data not linked to a year)"},
      {8, "1 1 1", "1/1/1 has a year outside 1902..2099 (or 1901 for data not linked to a year)"},
      {8, "1 1 2100", "1/1/2100 has a year outside 1902..2099 (or 1901 for data not linked to a year)"},
      {7, "1 1 1900", "1/1/1900 has a year outside 1902..2099 (or 1901 for data not linked to a year)"},
      // Days the calendar does not have; every fourth year has a 29 February.
      {8, "31 2 2001", "31/2/2001 has a day outside 1..28 (the days of February 2001)"},
      {8, "29 2 1901", "29/2/1901 has a day outside 1..28 (the days of February)"},
      {8, "30 2 2000", "30/2/2000 has a day outside 1..29 (the days of February 2000)"},
      {8, "31 4 2001", "31/4/2001 has a day outside 1..30 (the days of April 2001)"},
  };
  ScratchFolder folder;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    std::vector<std::string> lines = HandTypedDsc();
    // A From date in 2000 keeps the To dates of 2000 and 2001 after it.
    if (row.line == 8) lines[6] = "1 1 2000";
    lines[row.line - 1] = row.text;
    RepClimateFile station = AlphaStation(folder);
    station.DscFileName = folder.File("G.DSC");
    WriteBytes(station.DscFileName, JoinCrLf(lines));
    const RepClimateFile before = station;
    Status status = ReadStationDescription(station);
    EXPECT_EQ(status.Message, "ERROR:\ninvalid date in file " + station.DscFileName + ", line " +
                                  std::to_string(row.line) + ": " + row.reason);
    ExpectSameStation(station, before);
  }
}

TEST(DscReader, RejectsASpanThatEndsBeforeItStarts) {
  ScratchFolder folder;
  std::vector<std::string> lines = HandTypedDsc();
  lines[6] = "   1   1  2000";
  lines[7] = "  31  12  1999";
  RepClimateFile station = AlphaStation(folder);
  station.DscFileName = folder.File("G.DSC");
  WriteBytes(station.DscFileName, JoinCrLf(lines));
  const RepClimateFile before = station;
  EXPECT_EQ(ReadStationDescription(station).Message,
            "ERROR:\ninvalid date in file " + station.DscFileName +
                ", line 8: the span ends on 31/12/1999, before it starts on 1/1/2000 (line 7)");
  ExpectSameStation(station, before);
  // A span of one day is a span.
  lines[7] = "   1   1  2000";
  WriteBytes(station.DscFileName, JoinCrLf(lines));
  ASSERT_TRUE(ReadStationDescription(station));
  EXPECT_EQ(station.NumberOfRecords, 1);
}

TEST(DscReader, MissingFileIsAnErrorNamingIt) {
  ScratchFolder folder;
  RepClimateFile station;
  station.DscFileName = folder.File("NONE.DSC");
  Status status = ReadStationDescription(station);
  EXPECT_EQ(status.Message,
            "ERROR:\ncannot open file " + station.DscFileName + ": No such file or directory");
}

}  // namespace
}  // namespace vernoli
