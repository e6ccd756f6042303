#include "model/station.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alpha_station.h"
#include "scratch_folder.h"

namespace vernoli {
namespace {

using test_support::AlphaStation;
using test_support::Fixture;
using test_support::ScratchFolder;
using test_support::WriteBytes;

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
