#include "stations/characteristics.h"

#include <gtest/gtest.h>

#include "model/calendar.h"

namespace vernoli {
namespace {

RepClimateFile StationOf(uint8_t dataType, Date from, Date to) {
  RepClimateFile station = NewStation();
  station.FileName = "alpha";
  station.StationName = "Alpha";
  station.Country = "Beta";
  station.Latitude = -12.25;
  station.Longitude = 41.9;
  station.Altitude = 222;
  SetSpan(station, dataType, from, to);
  return station;
}

TEST(CharacteristicsTexts, CoordinatesAltitudeAndType) {
  struct Row {
    double value;
    Axis axis;
    const char* text;
  };
  const Row rows[] = {
      {-12.25, Axis::Latitude, "12.25 South (12 degrees 15 minutes)"},
      {41.90, Axis::Latitude, "41.90 North (41 degrees 54 minutes)"},
      {0.0, Axis::Latitude, "0.00 North (0 degrees 0 minutes)"},
      {-73.5, Axis::Longitude, "73.50 West (73 degrees 30 minutes)"},
      {179.99, Axis::Longitude, "179.99 East (179 degrees 59 minutes)"},
      {-3.68, Axis::Longitude, "3.68 West (3 degrees 41 minutes)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(CoordinateText(row.value, row.axis), row.text);
  }
  EXPECT_EQ(AltitudeText(222), "222 meter above sea level");
  EXPECT_EQ(AltitudeText(-5), "-5 meter above sea level");
  EXPECT_EQ(DataTypeText(kDaily), "daily meteorological data");
  EXPECT_EQ(DataTypeText(kTenDaily), "10-Daily meteorological data");
  EXPECT_EQ(DataTypeText(kMonthly), "monthly meteorological data");
}

TEST(CharacteristicsView, DailyStationAtLatitudeMinus1225) {
  const CharacteristicsView view =
      StationCharacteristics(StationOf(kDaily, {5, 1, 2001}, {31, 12, 2002}));
  EXPECT_EQ(view.FileName, "alpha");
  EXPECT_EQ(view.StationName, "Alpha");
  EXPECT_EQ(view.Country, "Beta");
  EXPECT_EQ(view.Latitude, "12.25 South (12 degrees 15 minutes)");
  EXPECT_EQ(view.Longitude, "41.90 East (41 degrees 54 minutes)");
  EXPECT_EQ(view.Altitude, "222 meter above sea level");
  EXPECT_EQ(view.Type, "daily meteorological data");
  EXPECT_EQ(view.DayLabel, "Day:");
  EXPECT_TRUE(view.DayFieldsVisible);
  EXPECT_TRUE(view.FirstLastVisible);
  EXPECT_FALSE(view.NotLinked);
  EXPECT_EQ(view.First.Day, " 5");
  EXPECT_EQ(view.First.Month, "January");
  EXPECT_EQ(view.First.Year, "2001");
  EXPECT_EQ(view.Last.Day, "31");
  EXPECT_EQ(view.Last.Month, "December");
  EXPECT_EQ(view.Last.Year, "2002");
}

TEST(CharacteristicsView, TenDailyStationShowsDecades) {
  const CharacteristicsView view =
      StationCharacteristics(StationOf(kTenDaily, {11, 3, 2001}, {31, 5, 2001}));
  EXPECT_EQ(view.DayLabel, "Dec:");
  EXPECT_EQ(view.Type, "10-Daily meteorological data");
  EXPECT_EQ(view.First.Day, " 2");
  EXPECT_EQ(view.Last.Day, " 3");
  EXPECT_EQ(view.Last.Month, "May");
}

TEST(CharacteristicsView, MonthlyDataNotLinkedShowOnlyTheMonths) {
  const CharacteristicsView view =
      StationCharacteristics(StationOf(kMonthly, {1, 1, 1901}, {31, 12, 1901}));
  EXPECT_EQ(view.Type, "monthly meteorological data");
  EXPECT_FALSE(view.DayFieldsVisible);
  EXPECT_FALSE(view.FirstLastVisible);
  EXPECT_TRUE(view.NotLinked);
  EXPECT_EQ(view.First.Day, "");
  EXPECT_EQ(view.First.Month, "January");
  EXPECT_EQ(view.First.Year, "");
  EXPECT_EQ(view.Last.Day, "");
  EXPECT_EQ(view.Last.Month, "December");
  EXPECT_EQ(view.Last.Year, "");
}

}  // namespace
}  // namespace vernoli
