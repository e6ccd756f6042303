#include "stations/location.h"

#include <gtest/gtest.h>

#include <string>

#include "../model/scratch_folder.h"
#include "stations/entry.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;

// ---------------------------------------------------------------------------------------------
// Entry fields

TEST(EntryField, TextThatIsNoNumberTakesTheFallbackWithoutMessage) {
  struct Row {
    const char* name;
    IntegerFieldSpec field;
    int64_t expected;
    const char* fieldText;
  };
  const Row rows[] = {
      {"latitude degrees", fields::kLatitudeDegrees, 30, "    30"},
      {"minutes", fields::kMinutes, 30, "    30"},
      {"altitude of a new station", fields::kAltitudeNewStation, 222, "   222"},
      {"altitude", fields::kAltitude, 100, "   100"},
      {"year", fields::kYear, 2000, "  2000"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (const char* text : {"abc", "", "  ", "12.5", "1e3"}) {
      const IntegerEntryCheck check = EnterInteger(row.field, text);
      EXPECT_EQ(check.Value, row.expected) << text;
      EXPECT_EQ(check.FieldText, row.fieldText);
      EXPECT_EQ(check.Message, "");
    }
  }
  const RealEntryCheck real = EnterReal(fields::kLongitudeDecimal, "east");
  EXPECT_DOUBLE_EQ(real.Value, 22.37);
  EXPECT_EQ(real.FieldText, "    22.37");
  EXPECT_EQ(real.Message, "");
}

TEST(EntryField, OutOfRangeValueBecomesTheLimitWithTheMessage) {
  struct Row {
    const char* text;
    IntegerFieldSpec field;
    int64_t value;
    const char* fieldText;
    const char* message;
  };
  const Row rows[] = {
      {" 75 ", fields::kLatitudeDegrees, 69, "    69",
       "ERROR:\nvalue is larger than Maximum (=      69)"},
      {"-3", fields::kMinutes, 0, "     0", "ERROR:\nvalue is smaller than Minimum (=       0)"},
      {"180", fields::kLongitudeDegrees, 179, "   179",
       "ERROR:\nvalue is larger than Maximum (=     179)"},
      {"6000", fields::kAltitude, 5000, "  5000",
       "ERROR:\nvalue is larger than Maximum (=    5000)"},
      {"-501", fields::kAltitudeNewStation, -500, "  -500",
       "ERROR:\nvalue is smaller than Minimum (=    -500)"},
      {"1901", fields::kYear, 1902, "  1902", "ERROR:\nvalue is smaller than Minimum (=    1902)"},
      {"2100", fields::kYear, 2099, "  2099", "ERROR:\nvalue is larger than Maximum (=    2099)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const IntegerEntryCheck check = EnterInteger(row.field, row.text);
    EXPECT_EQ(check.Value, row.value);
    EXPECT_EQ(check.FieldText, row.fieldText);
    EXPECT_EQ(check.Message, row.message);
  }
  const RealEntryCheck real = EnterReal(fields::kLatitudeDecimal, "70");
  EXPECT_DOUBLE_EQ(real.Value, 69.99);
  EXPECT_EQ(real.FieldText, "    69.99");
  EXPECT_EQ(real.Message, "ERROR:\nvalue is larger than Maximum (=    69.9900)");
}

// ---------------------------------------------------------------------------------------------
// Coordinate fields

TEST(CoordinateField, ShowsAValueInDegreesMinutesHemisphereAndDecimal) {
  struct Row {
    const char* name;
    Axis axis;
    double value;
    const char* degrees;
    const char* minutes;
    int hemisphere;
    const char* decimal;
  };
  const Row rows[] = {
      {"default of a new station", Axis::Latitude, 22.37, "    22", "    22", kNorthOrEast,
       "    22.37"},
      {"south", Axis::Latitude, -12.25, "    12", "    15", kSouthOrWest, "    12.25"},
      {"west", Axis::Longitude, -0.5, "     0", "    30", kSouthOrWest, "     0.50"},
      {"zero is north", Axis::Latitude, 0.0, "     0", "     0", kNorthOrEast, "     0.00"},
      {"minutes round up to a degree", Axis::Longitude, 12.999, "    13", "     0",
       kNorthOrEast, "    13.00"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const CoordinateField field(row.axis, row.value);
    const CoordinateTexts texts = field.Texts();
    EXPECT_EQ(texts.Degrees, row.degrees);
    EXPECT_EQ(texts.Minutes, row.minutes);
    EXPECT_EQ(texts.Hemisphere, row.hemisphere);
    EXPECT_EQ(texts.Decimal, row.decimal);
    EXPECT_DOUBLE_EQ(field.Value(), row.value);
  }
}

TEST(CoordinateField, DecimalEntryShowsMinutesAndHemisphereChangeRecomposesFromThem) {
  CoordinateField latitude(Axis::Latitude, 22.37);
  EXPECT_EQ(latitude.EnterDecimal("12.34"), "");
  EXPECT_EQ(latitude.Texts().Degrees, "    12");
  EXPECT_EQ(latitude.Texts().Minutes, "    20");
  EXPECT_DOUBLE_EQ(latitude.Value(), 12.34);

  latitude.ChooseHemisphere(kSouthOrWest);
  EXPECT_EQ(latitude.Texts().Decimal, "    12.33");
  EXPECT_EQ(latitude.Texts().Hemisphere, kSouthOrWest);
  EXPECT_NEAR(latitude.Value(), -(12.0 + 20.0 / 60.0), 1e-12);

  // A decimal typed in the southern hemisphere stays south.
  EXPECT_EQ(latitude.EnterDecimal("5.5"), "");
  EXPECT_DOUBLE_EQ(latitude.Value(), -5.5);
  EXPECT_EQ(latitude.Texts().Minutes, "    30");
  EXPECT_EQ(latitude.Texts().Hemisphere, kSouthOrWest);
}

TEST(CoordinateField, DegreesAndMinutesComposeTheDecimalValue) {
  CoordinateField longitude(Axis::Longitude, 22.37);
  longitude.ChooseHemisphere(kSouthOrWest);
  EXPECT_EQ(longitude.EnterDegrees("100"), "");
  EXPECT_EQ(longitude.EnterMinutes("45"), "");
  EXPECT_DOUBLE_EQ(longitude.Value(), -100.75);
  EXPECT_EQ(longitude.Texts().Decimal, "   100.75");
  EXPECT_EQ(longitude.Texts().Degrees, "   100");
  EXPECT_EQ(longitude.Texts().Minutes, "    45");
}

TEST(CoordinateField, LatitudeDegrees75IsClampedTo69WithTheMessage) {
  CoordinateField latitude(Axis::Latitude, 22.37);
  EXPECT_EQ(latitude.EnterDegrees("75"), "ERROR:\nvalue is larger than Maximum (=      69)");
  EXPECT_EQ(latitude.Texts().Degrees, "    69");
  EXPECT_NEAR(latitude.Value(), 69.0 + 22.0 / 60.0, 1e-12);
  EXPECT_EQ(latitude.Texts().Decimal, "    69.37");
}

TEST(CoordinateField, Longitude179Degrees30IsClampedOnlyAfterTheDegreesField) {
  CoordinateField longitude(Axis::Longitude, 179.0);
  EXPECT_EQ(longitude.EnterMinutes("30"), "");
  EXPECT_EQ(longitude.Texts().Degrees, "   179");
  EXPECT_EQ(longitude.Texts().Minutes, "    30");
  EXPECT_DOUBLE_EQ(longitude.Value(), 179.5);
  EXPECT_EQ(longitude.Texts().Decimal, "   179.50");

  EXPECT_EQ(longitude.EnterDegrees("179"), "");
  EXPECT_EQ(longitude.Texts().Degrees, "   179");
  EXPECT_EQ(longitude.Texts().Minutes, "     0");
  EXPECT_DOUBLE_EQ(longitude.Value(), 179.0);
  EXPECT_EQ(longitude.Texts().Decimal, "   179.00");

  // The west keeps its hemisphere when clamped.
  CoordinateField west(Axis::Longitude, -178.5);
  EXPECT_EQ(west.EnterDegrees("179"), "");
  EXPECT_DOUBLE_EQ(west.Value(), -179.0);
  EXPECT_EQ(west.Texts().Hemisphere, kSouthOrWest);
}

TEST(CoordinateField, LatitudeIsNeverClampedAt179) {
  CoordinateField latitude(Axis::Latitude, 60.0);
  EXPECT_EQ(latitude.EnterMinutes("59"), "");
  EXPECT_NEAR(latitude.Value(), 60.0 + 59.0 / 60.0, 1e-12);
}

TEST(CoordinateField, FieldsThatAreNoNumberTakeTheirFallbacks) {
  CoordinateField latitude(Axis::Latitude, 10.0);
  EXPECT_EQ(latitude.EnterDegrees("abc"), "");
  EXPECT_EQ(latitude.EnterMinutes("x"), "");
  EXPECT_DOUBLE_EQ(latitude.Value(), 30.5);
  EXPECT_EQ(latitude.EnterDecimal("?"), "");
  EXPECT_DOUBLE_EQ(latitude.Value(), 22.37);
}

TEST(CoordinateField, OutOfRangeMinutesAndDecimalsAreReported) {
  CoordinateField longitude(Axis::Longitude, 10.0);
  EXPECT_EQ(longitude.EnterMinutes("75"), "ERROR:\nvalue is larger than Maximum (=      59)");
  EXPECT_EQ(longitude.Texts().Minutes, "    59");
  EXPECT_EQ(longitude.EnterDecimal("200"),
            "ERROR:\nvalue is larger than Maximum (=   179.9900)");
  EXPECT_DOUBLE_EQ(longitude.Value(), 179.99);
  EXPECT_EQ(longitude.Texts().Degrees, "   179");
  EXPECT_EQ(longitude.Texts().Minutes, "    59");
}

TEST(CoordinateField, NamesAndLabels) {
  EXPECT_EQ(HemisphereName(Axis::Latitude, kNorthOrEast), "North");
  EXPECT_EQ(HemisphereName(Axis::Latitude, kSouthOrWest), "South");
  EXPECT_EQ(HemisphereName(Axis::Longitude, kNorthOrEast), "East");
  EXPECT_EQ(HemisphereName(Axis::Longitude, kSouthOrWest), "West");
  EXPECT_EQ(DegreesLabel(CoordinateView::DegreesAndMinutes), "degrees");
  EXPECT_EQ(DegreesLabel(CoordinateView::DecimalDegrees), "decimal degrees");
  EXPECT_EQ(kMinutesLabel, "minutes");
}

// ---------------------------------------------------------------------------------------------
// Location classes

TEST(LocationClasses, OpenFromTheStationCoefficients) {
  struct Row {
    const char* name;
    double hargreaves, tdew, u2;
    LocationClasses expected;
  };
  const Row rows[] = {
      {"new station", 0.16, 0.0, 2.0,
       {Location::Interior, Climate::Humid, WindClass::LightToModerate}},
      {"0.17 is coastal", 0.17, 1.0, 1.0,
       {Location::Coast, Climate::Humid, WindClass::Light}},
      {"just below 0.17", 0.169, 1.01, 2.9,
       {Location::Interior, Climate::Arid, WindClass::LightToModerate}},
      {"coast, arid, strong", 0.19, 2.0, 2.91,
       {Location::Coast, Climate::Arid, WindClass::ModerateToStrong}},
      {"imported 1.8", 0.16, 0.0, 1.8,
       {Location::Interior, Climate::Humid, WindClass::LightToModerate}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station = NewStation();
    station.HargreavesRsCoefficient = row.hargreaves;
    station.TdewTminDifference = row.tdew;
    station.DefaultU2 = row.u2;
    EXPECT_EQ(ClassesOfStation(station), row.expected);
  }
}

TEST(LocationClasses, CoefficientOf017ReadFromTheFileOpensAsCoastal) {
  ScratchFolder folder;
  RepClimateFile station = NewStation();
  SetStationFiles(station, folder.Folder(), "alpha");
  station.HargreavesRsCoefficient = 0.17;
  ASSERT_TRUE(WriteStationDescription(station));
  RepClimateFile read;
  SetStationFiles(read, folder.Folder(), "alpha");
  ASSERT_TRUE(ReadStationDescription(read));
  EXPECT_EQ(ClassesOfStation(read).Site, Location::Coast);

  station.HargreavesRsCoefficient = 0.16;
  ASSERT_TRUE(WriteStationDescription(station));
  ASSERT_TRUE(ReadStationDescription(read));
  EXPECT_EQ(ClassesOfStation(read).Site, Location::Interior);
}

TEST(LocationClasses, SavingStoresTheValuesOfTheClasses) {
  struct Row {
    LocationClasses classes;
    double hargreaves, tdew, u2;
  };
  const Row rows[] = {
      {{Location::Interior, Climate::Humid, WindClass::Light}, 0.16, 0.0, 0.5},
      {{Location::Coast, Climate::Arid, WindClass::LightToModerate}, 0.19, 2.0, 2.0},
      {{Location::Coast, Climate::Humid, WindClass::ModerateToStrong}, 0.19, 0.0, 4.0},
  };
  for (const Row& row : rows) {
    RepClimateFile station = NewStation();
    station.HargreavesRsCoefficient = 0.5;
    station.TdewTminDifference = 7.0;
    station.DefaultU2 = 1.8;
    station.PsychrometerCoefficient = 0.000662;
    ApplyClasses(station, row.classes);
    EXPECT_DOUBLE_EQ(station.HargreavesRsCoefficient, row.hargreaves);
    EXPECT_DOUBLE_EQ(station.TdewTminDifference, row.tdew);
    EXPECT_DOUBLE_EQ(station.DefaultU2, row.u2);
    EXPECT_DOUBLE_EQ(station.PsychrometerCoefficient, 0.000662);  // nothing else changes
  }
}

}  // namespace
}  // namespace vernoli
