#include "forms/stations/TUpdateStationMenu.h"

#include <filesystem>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "../../kit/form_test_support.h"
#include "../../kit/recording_modals.h"
#include "app/TMainMenu.h"
#include "forms/stations/coordinatefields.h"
#include "model/station.h"
#include "station_forms.h"

namespace vernoli {
namespace {

using test_support::Click;
using test_support::Control;
using test_support::Enter;
using test_support::LineRange;
using test_support::Snapshot;
using test_support::TextOf;
using test_support::WriteStation;

class UpdateStationMenuTest : public test_support::StationFormTest {
 protected:
  UpdateStationMenuTest() : form(state) { forms.UpdateStationMenu = &form; }

  // Station ALPHA with the coefficients of an import: DefaultU2 1.8, kRs 0.17.
  void WriteAlpha(double kRs = 0.17, double defaultU2 = 1.8, double tdew = 0.0) {
    WriteStation(folder, "ALPHA", kDaily, {1, 1, 2001}, {2, 1, 2001},
                 "        Nr       501\r\n         1    -999.0\r\n         2    -999.0\r\n");
    RepClimateFile alpha;
    SetStationFiles(alpha, folder.Folder(), "ALPHA");
    ASSERT_TRUE(ReadStationDescription(alpha));
    alpha.HargreavesRsCoefficient = kRs;
    alpha.DefaultU2 = defaultU2;
    alpha.TdewTminDifference = tdew;
    ASSERT_TRUE(WriteStationDescription(alpha));
    SelectInFolder("ALPHA");
  }
  bool Checked(const char* name) { return Control<QRadioButton>(form, name)->isChecked(); }

  testing::RecordingMessages messages;
  TUpdateStationMenu form;
};

TEST_F(UpdateStationMenuTest, OpensOnTheSelectedStation) {
  WriteAlpha();
  form.show();
  EXPECT_EQ(form.windowTitle(), " Update Station characteristics menu");
  EXPECT_EQ(TextOf(form, "MainMenuButton"), "Save and Main menu");
  EXPECT_EQ(TextOf(form, "CancelButton"), "Cancel");
  EXPECT_EQ(TextOf(form, "EditName"), "ALPHA");
  EXPECT_EQ(TextOf(form, "EditExtension"), " DSC");
  EXPECT_TRUE(Control<QLineEdit>(form, "EditName")->isReadOnly());
  EXPECT_TRUE(Control<QLineEdit>(form, "EditExtension")->isReadOnly());
  EXPECT_EQ(TextOf(form, "StationEdit"), "Alpha");
  EXPECT_EQ(TextOf(form, "CountryEdit"), "Beta");
  EXPECT_EQ(TextOf(form, "LatDegEdit"), "    41");
  EXPECT_EQ(TextOf(form, "LatMinEdit"), "    54");
  EXPECT_EQ(TextOf(form, "LonDegDecEdit"), "    12.50");
  EXPECT_EQ(TextOf(form, "AltitudeEdit"), "   100");
  EXPECT_TRUE(Checked("RadioDegMin"));
  EXPECT_EQ(Control<QGroupBox>(form, "GroupBoxLocation")->title(), " Location ");
}

TEST_F(UpdateStationMenuTest, TheClassesFollowTheCoefficients) {
  struct Row {
    const char* Name;
    double KRs, U2, Tdew;
    const char* Site;
    const char* Humidity;
    const char* Wind;
  };
  const Row rows[] = {
      {"imported", 0.17, 1.8, 0.0, "RadioCoast", "RadioHumid", "RadioUdef"},
      {"interior", 0.16, 1.0, 1.0, "RadioInter", "RadioHumid", "RadioUSmall"},
      {"arid", 0.19, 3.0, 1.1, "RadioCoast", "RadioArid", "RadioUStrong"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    WriteAlpha(row.KRs, row.U2, row.Tdew);
    form.show();
    EXPECT_TRUE(Checked(row.Site));
    EXPECT_TRUE(Checked(row.Humidity));
    EXPECT_TRUE(Checked(row.Wind));
    form.reject();
    std::filesystem::remove(folder.File("ALPHA.DSC"));
    std::filesystem::remove(folder.File("ALPHA.DTA"));
  }
}

TEST_F(UpdateStationMenuTest, SaveWritesTheDescriptionWithTheValuesOfTheClasses) {
  WriteAlpha();
  TMainMenu menu(state, navigator);
  menu.show();
  testing::RecordingModals modals;
  modals.act = [&](QDialog&) {
    Control<QLineEdit>(form, "StationEdit")->setText("Rome");
    Control<QLineEdit>(form, "CountryEdit")->setText("Italy");
    Enter(form, "LatDegEdit", "75");
    Control<QComboBox>(form, "LongitudeBox")->setCurrentIndex(1);
    Enter(form, "AltitudeEdit", "250");
    Enter(form, "AltitudeEdit", "abc");
    Control<QRadioButton>(form, "RadioArid")->click();
    Click(form, "MainMenuButton");
  };
  Click(menu, "CharacteristicsButton");
  ASSERT_EQ(modals.names, QStringList{"UpdateStationMenu"});
  // 75 degrees are 69; abc in the altitude is 100, without a message.
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nvalue is larger than Maximum (=      69)"});
  EXPECT_FALSE(form.isVisible());
  const std::string dsc = folder.File("ALPHA.DSC");
  EXPECT_EQ(LineRange(dsc, 1, 5),
            "Rome\r\n"
            "Italy\r\n"
            "     69.90                   : Latitude (degrees)\r\n"
            "    -12.50                   : Longitude (degrees)\r\n"
            "    100                      : Altitude (meters above sea level)\r\n");
  EXPECT_EQ(LineRange(dsc, 11, 13),
            "      2.0                    : Missing air humidity data: difference between Tdew "
            "and Tmin (\xB0"
            "C)\r\n"
            "      0.19                   : Missing radiation data: Coefficient of Hargreaves "
            "Equation (MJ/m2.day)\r\n"
            "      2.0                    : Missing wind speed: estimate for U2 (m/sec)\r\n");
  EXPECT_EQ(state.Station.StationName, "Rome");
  EXPECT_DOUBLE_EQ(state.Station.DefaultU2, 2.0);
  EXPECT_NE(state.Station.Description.find("Rome"), std::string::npos);
  // The main menu shows the new name at once.
  EXPECT_EQ(TextOf(menu, "StationLabel"), "Rome");
  EXPECT_EQ(TextOf(menu, "CountryLabel"), "Italy");
}

TEST_F(UpdateStationMenuTest, CancelLeavesTheStationAndItsFile) {
  WriteAlpha();
  const auto before = Snapshot(folder);
  form.show();
  Control<QLineEdit>(form, "StationEdit")->setText("Rome");
  Enter(form, "LatDegEdit", "10");
  Click(form, "CancelButton");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(Snapshot(folder), before);
  EXPECT_EQ(state.Station.StationName, "Alpha");
  EXPECT_DOUBLE_EQ(state.Station.Latitude, 41.9);
  // The next opening starts from the station again.
  form.show();
  EXPECT_EQ(TextOf(form, "StationEdit"), "Alpha");
  EXPECT_EQ(TextOf(form, "LatDegEdit"), "    41");
}

TEST_F(UpdateStationMenuTest, AFailedWriteKeepsTheStationAndTheFormOpen) {
  WriteAlpha();
  state.Station.DscFileName = folder.File("gone/ALPHA.DSC");
  form.show();
  Control<QLineEdit>(form, "StationEdit")->setText("Rome");
  Click(form, "MainMenuButton");
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_TRUE(messages.messages[0].startsWith("ERROR:\n"));
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(state.Station.StationName, "Alpha");
}

}  // namespace
}  // namespace vernoli
