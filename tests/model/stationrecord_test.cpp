// The station record beside its files: the one-line description, a location in degrees and
// minutes, the defaults of a new station, its span and the names of its files.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/station.h"

namespace vernoli {
namespace {

TEST(BuildDescription, DescribesStationAndSpan) {
  struct Row {
    const char* name;
    std::string stationName, country;
    uint8_t dataType;
    Date from, to;
    std::string expected;
  };
  const Row rows[] = {
      {"daily", "Alpha", "Beta", kDaily, {1, 1, 2000}, {31, 12, 2002},
       "Alpha (Beta) - daily data: 1 January 2000 - 31 December 2002"},
      {"monthly not linked to a year", "Alpha", "Beta", kMonthly, {1, 1, 1901}, {31, 12, 1901},
       "Alpha (Beta) - monthly data: January - December"},
      {"10-daily", "Alpha", "Beta", kTenDaily, {1, 1, 2000}, {31, 12, 2002},
       "Alpha (Beta) : Dec1 January 2000 - Dec3 December 2002"},
      {"10-daily from decades 2 and 3", "Alpha", "Beta", kTenDaily, {11, 3, 1995}, {10, 4, 1996},
       "Alpha (Beta) : Dec2 March 1995 - Dec1 April 1996"},
      {"10-daily from decade 3 to decade 2", "Alpha", "Beta", kTenDaily, {21, 3, 1995},
       {20, 4, 1995}, "Alpha (Beta) : Dec3 March 1995 - Dec2 April 1995"},
      {"daily not linked to a year", "Alpha", "", kDaily, {1, 1, 1901}, {31, 12, 1901},
       "Alpha - daily data: 1 January - 31 December"},
      {"monthly, one year shown", "Alpha", "", kMonthly, {1, 1, 1901}, {30, 6, 1950},
       "Alpha - monthly data: January - June 1950"},
      {"trailing blanks removed", "Alpha   ", "Beta  ", kMonthly, {1, 2, 1999}, {31, 3, 1999},
       "Alpha (Beta) - monthly data: February 1999 - March 1999"},
      {"leading blanks kept", "  Alpha", " Beta", kMonthly, {1, 2, 1999}, {31, 3, 1999},
       "  Alpha ( Beta) - monthly data: February 1999 - March 1999"},
      {"empty name", "", "Beta", kMonthly, {1, 1, 1901}, {31, 12, 1901},
       "Undefined station - monthly data: January - December"},
      {"name of blanks", "   ", "Beta", kDaily, {1, 1, 1901}, {31, 12, 1901},
       "Undefined station - daily data: 1 January - 31 December"},
      {"country of blanks", "Alpha", "   ", kMonthly, {1, 1, 1901}, {31, 12, 1901},
       "Alpha - monthly data: January - December"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(BuildDescription(row.stationName, row.country, row.dataType, row.from, row.to),
              row.expected);
  }
}

TEST(DegreesAndMinutes, SplitsALocationIntoDegreesMinutesAndHemisphere) {
  struct Row {
    double value;
    bool isLatitude;
    const char* degrees;
    const char* minutes;
    const char* hemisphere;
  };
  const Row rows[] = {
      {41.9, true, "41", "54", "North"},
      {-33.87, true, "33", "52", "South"},
      {12.5, false, "12", "30", "East"},
      {-3.75, false, "3", "45", "West"},
      {0.0, true, "0", "0", "North"},
      {0.0, false, "0", "0", "East"},
      {-0.5, true, "0", "30", "South"},
      // Minutes that round to 60 carry into the degrees.
      {12.999, true, "13", "0", "North"},
      {-179.9999, false, "180", "0", "West"},
      {89.99, true, "89", "59", "North"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    DegreesMinutes result = DegreesAndMinutes(row.value, row.isLatitude);
    EXPECT_EQ(result.Degrees, row.degrees);
    EXPECT_EQ(result.Minutes, row.minutes);
    EXPECT_EQ(result.Hemisphere, row.hemisphere);
  }
}

TEST(NewStation, SetsTheDefaultsOfANewStation) {
  RepClimateFile station = NewStation();
  EXPECT_EQ(station.Method, 1);
  EXPECT_EQ(station.PsychrometerCoefficient, 0.0008);
  EXPECT_EQ(station.WindHeight, 2.0);
  EXPECT_EQ(station.Settings.AlbedoPM, 0.23);
  EXPECT_EQ(station.Settings.AlbedoPenman, 0.25);
  EXPECT_EQ(station.Settings.AngstromA, 0.25);
  EXPECT_EQ(station.Settings.AngstromB, 0.50);
  EXPECT_EQ(station.Settings.HargreavesCoefficient, 0.0023);
  EXPECT_EQ(station.Settings.WindFunctionCoefficient, 2.7);
  EXPECT_EQ(station.Settings.DayNightWindRatio, 2);
  EXPECT_EQ(station.Flags.ElevationAdjustment, 1);
  EXPECT_EQ(station.Flags.AdjustPenman, 1);
  EXPECT_EQ(station.Flags.AdjustRadiation, 1);
  EXPECT_EQ(station.Flags.AdjustBlaneyCriddle, 1);
  EXPECT_EQ(station.Limits.LimitTmin, -15);
  EXPECT_EQ(station.Limits.LimitTmax, 45);
  EXPECT_EQ(station.Limits.LimitRHmin, 15);
  EXPECT_EQ(station.Limits.LimitWind, 8);
  EXPECT_EQ(station.Limits.LimitRadiationDeviation, 5);
  EXPECT_EQ(station.NumberOfParameters, 1);
  EXPECT_EQ(station.ParameterCodes[0], 501);
  for (std::size_t i = 1; i < station.ParameterCodes.size(); ++i) {
    EXPECT_EQ(station.ParameterCodes[i], -999) << "entry " << i + 1;
  }
  // The default span is one year of daily data not linked to a year.
  EXPECT_EQ(station.NumberOfRecords, 365);
  EXPECT_EQ(station.FirstDayNr, 1);
  EXPECT_EQ(station.LastDayNr, 365);
}

TEST(NewStation, LocationClassesGiveTheirCoefficients) {
  struct Row {
    const char* name;
    Location location;
    Climate climate;
    WindClass wind;
    double kRs, tdewTmin, u2;
  };
  const Row rows[] = {
      {"interior, humid, light", Location::Interior, Climate::Humid, WindClass::Light, 0.16, 0.0, 0.5},
      {"coast, arid, light to moderate", Location::Coast, Climate::Arid, WindClass::LightToModerate,
       0.19, 2.0, 2.0},
      {"interior, arid, moderate to strong", Location::Interior, Climate::Arid,
       WindClass::ModerateToStrong, 0.16, 2.0, 4.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station = NewStation(row.location, row.climate, row.wind);
    EXPECT_EQ(station.HargreavesRsCoefficient, row.kRs);
    EXPECT_EQ(station.TdewTminDifference, row.tdewTmin);
    EXPECT_EQ(station.DefaultU2, row.u2);
  }
}

// Records and day spans counted by hand from the calendar.
TEST(SetSpan, SetsTheTypeDatesDayNumbersAndRecords) {
  struct Row {
    uint8_t dataType;
    Date from, to;
    int32_t days;  // LastDayNr - FirstDayNr
    int32_t records;
  };
  const Row rows[] = {
      {kDaily, {1, 1, 2004}, {31, 12, 2004}, 365, 366},   // a leap year
      {kTenDaily, {11, 3, 2001}, {20, 4, 2001}, 40, 4},   // 2nd decade of March to 2nd of April
      {kMonthly, {1, 2, 2003}, {30, 11, 2003}, 302, 10},  // February to November
      {kDaily, {28, 2, 1901}, {1, 3, 1901}, 1, 2},        // not linked: no 29 February
  };
  for (const Row& row : rows) {
    RepClimateFile station = NewStation();  // a daily span of its own, to be replaced
    SetSpan(station, row.dataType, row.from, row.to);
    EXPECT_EQ(station.DataType, row.dataType);
    EXPECT_EQ(station.From(), row.from);
    EXPECT_EQ(station.To(), row.to);
    EXPECT_EQ(station.LastDayNr - station.FirstDayNr, row.days);
    EXPECT_EQ(station.NumberOfRecords, row.records);
  }
}

TEST(SetStationFiles, NamesBothFilesInTheFolder) {
  RepClimateFile station;
  SetStationFiles(station, "data/", "ROMA");
  EXPECT_EQ(station.FileName, "ROMA");
  EXPECT_EQ(station.OutputName, "ROMA");
  EXPECT_EQ(station.DscFileName, "data/ROMA.DSC");
  EXPECT_EQ(station.DtaFileName, "data/ROMA.DTA");
  SetStationFiles(station, "data", "ROMA");
  EXPECT_EQ(station.DscFileName, "data/ROMA.DSC");
}

}  // namespace
}  // namespace vernoli
