#include "stations/stationupdate.h"

#include <gtest/gtest.h>

#include <string>

#include "station_folder.h"

namespace vernoli {
namespace {

using test_support::LineRange;
using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteStation;

constexpr std::string_view kEToOnly = "        Nr       501\r\n         1    -999.0\r\n";

TEST(StationUpdate, OpensWithTheStationsLocationAndClasses) {
  RepClimateFile open = NewStation();
  open.Latitude = -12.25;
  open.Longitude = 41.9;
  open.Altitude = 350;
  open.HargreavesRsCoefficient = 0.17;
  open.TdewTminDifference = 1.5;
  open.DefaultU2 = 1.8;
  const StationUpdate update(open);
  EXPECT_EQ(update.Latitude.Texts().Degrees, "    12");
  EXPECT_EQ(update.Latitude.Texts().Minutes, "    15");
  EXPECT_EQ(update.Latitude.Texts().Hemisphere, kSouthOrWest);
  EXPECT_EQ(update.Longitude.Texts().Minutes, "    54");
  EXPECT_EQ(update.AltitudeText(), "   350");
  EXPECT_EQ(update.Classes,
            (LocationClasses{Location::Coast, Climate::Arid, WindClass::LightToModerate}));
}

TEST(StationUpdate, AltitudeThatIsNoNumberBecomes100WithoutMessage) {
  StationUpdate update(NewStation());
  EXPECT_EQ(update.EnterAltitude("abc").Message, "");
  EXPECT_EQ(update.Altitude(), 100);
  EXPECT_EQ(update.AltitudeText(), "   100");
  EXPECT_EQ(update.EnterAltitude("-600").Message,
            "ERROR:\nvalue is smaller than Minimum (=    -500)");
  EXPECT_EQ(update.Altitude(), -500);
}

TEST(StationUpdate, DefaultU2Of18IsSavedAs20) {
  ScratchFolder folder;
  RepClimateFile open = WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {1, 1, 2001}, kEToOnly);
  open.DefaultU2 = 1.8;
  open.HargreavesRsCoefficient = 0.17;
  ASSERT_TRUE(WriteStationDescription(open));
  ASSERT_TRUE(ReadStationDescription(open));
  const StationUpdate update(open);
  ASSERT_TRUE(update.Save("Alpha", "Beta", open));
  EXPECT_DOUBLE_EQ(open.DefaultU2, 2.0);
  EXPECT_DOUBLE_EQ(open.HargreavesRsCoefficient, 0.19);
  EXPECT_EQ(LineRange(open.DscFileName, 12, 13),
            "      0.19                   : Missing radiation data: Coefficient of Hargreaves "
            "Equation (MJ/m2.day)\r\n"
            "      2.0                    : Missing wind speed: estimate for U2 (m/sec)\r\n");
}

TEST(StationUpdate, SaveWritesIdentityAndLocationAndRebuildsTheDescription) {
  ScratchFolder folder;
  RepClimateFile open = WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {1, 1, 2001}, kEToOnly);
  StationUpdate update(open);
  EXPECT_EQ(update.Latitude.EnterDecimal("12.34"), "");
  update.Latitude.ChooseHemisphere(kSouthOrWest);
  EXPECT_EQ(update.Longitude.EnterDegrees("5"), "");
  EXPECT_EQ(update.EnterAltitude("1250").Message, "");
  update.Classes = {Location::Interior, Climate::Humid, WindClass::Light};
  ASSERT_TRUE(update.Save("Gamma", "Delta", open));
  EXPECT_EQ(open.StationName, "Gamma");
  EXPECT_EQ(open.Description, "Gamma (Delta) - daily data: 1 January 2001 - 1 January 2001");
  EXPECT_EQ(LineRange(open.DscFileName, 1, 5),
            "Gamma\r\n"
            "Delta\r\n"
            "    -12.33                   : Latitude (degrees)\r\n"
            "      5.50                   : Longitude (degrees)\r\n"
            "   1250                      : Altitude (meters above sea level)\r\n");
  EXPECT_EQ(LineRange(open.DscFileName, 13, 13),
            "      0.5                    : Missing wind speed: estimate for U2 (m/sec)\r\n");
}

TEST(StationUpdate, FailedWriteLeavesTheOpenStationAsItWas) {
  ScratchFolder folder;
  RepClimateFile open = WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {1, 1, 2001}, kEToOnly);
  open.DscFileName = folder.File("gone") + "/alpha.DSC";
  const RepClimateFile before = open;
  StationUpdate update(open);
  update.EnterAltitude("10");
  EXPECT_FALSE(update.Save("Gamma", "Delta", open).Ok);
  EXPECT_EQ(open.StationName, before.StationName);
  EXPECT_EQ(open.Altitude, before.Altitude);
}

}  // namespace
}  // namespace vernoli
