#include "forms/stations/TCharacteristicsMenu.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "station_forms.h"

namespace vernoli {
namespace {

using test_support::Control;
using test_support::TextOf;

class CharacteristicsMenuTest : public test_support::StationFormTest {
 protected:
  CharacteristicsMenuTest() : form(state) {}

  void Show(uint8_t dataType, Date from, Date to) {
    RepClimateFile& station = state.Station;
    station = NewStation();
    SetStationFiles(station, folder.Folder(), "ALPHA");
    station.StationName = "Alpha";
    station.Country = "Beta";
    station.Latitude = -12.25;
    station.Longitude = -0.5;
    station.Altitude = -20;
    station.DataType = dataType;
    station.FirstDayNr = DayNr(from.Day, from.Month, from.Year);
    station.LastDayNr = DayNr(to.Day, to.Month, to.Year);
    form.show();
  }
  bool Shown(const char* name) { return Control(form, name)->isVisible(); }

  TCharacteristicsMenu form;
};

TEST_F(CharacteristicsMenuTest, ShowsTheStationReadOnly) {
  Show(kTenDaily, {11, 3, 2001}, {31, 12, 2003});
  EXPECT_EQ(form.windowTitle(), " Station characteristics menu");
  EXPECT_EQ(TextOf(form, "BitBtn1"), "OK");
  const std::pair<const char*, const char*> texts[] = {
      {"EditName", "ALPHA"},
      {"StationLabel", "Alpha"},
      {"CountryLabel", "Beta"},
      {"LatLabel", "12.25 South (12 degrees 15 minutes)"},
      {"LongLabel", "0.50 West (0 degrees 30 minutes)"},
      {"AltLabel", "-20 meter above sea level"},
      {"TypeLabel", "10-Daily meteorological data"},
      {"Day1Label", "Dec:"},
      {"DayNLabel", "Dec:"},
      {"Day1Lab", " 2"},
      {"DayNLab", " 3"},
      {"Month1Lab", "March"},
      {"MonthNLab", "December"},
      {"Year1Lab", "2001"},
      {"YearNLab", "2003"},
      {"Year1Label", "First Year:"},
      {"YearNLabel", "Last Year:"},
      {"Month1Label", "First Month:"},
      {"MonthNLabel", "Last Month:"},
      {"FirstLabel", "First"},
      {"LastLabel", "Last"},
      {"LabelNotLinked", "Not linked to a specific year"},
  };
  for (const auto& [name, text] : texts) EXPECT_EQ(TextOf(form, name), text) << name;
  EXPECT_FALSE(Shown("LabelNotLinked"));
  EXPECT_TRUE(Shown("Year1Lab"));
  QStringList titles;
  for (auto* group : form.findChildren<QGroupBox*>()) {
    titles << group->title();
  }
  for (const char* title : {" Station description ", " Meteorological Data ", " Time range "}) {
    EXPECT_TRUE(titles.contains(title)) << title;
  }
  QStringList labels;
  for (auto* label : form.findChildren<QLabel*>()) labels << label->text();
  for (const char* text : {"File ", "Station", "Country", "Latitude", "Longitude", "Altitude",
                           "Type :"}) {
    EXPECT_TRUE(labels.contains(text)) << text;
  }
}

// Display only, yet not greyed: every text is drawn as enabled, and the file name can be neither
// changed nor reached.
TEST_F(CharacteristicsMenuTest, ShowsItsTextsInNormalContrast) {
  Show(kDaily, {1, 1, 2001}, {31, 12, 2001});
  for (const QWidget* widget : form.findChildren<QWidget*>()) {
    EXPECT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
  }
  const auto* name = Control<QLineEdit>(form, "EditName");
  EXPECT_TRUE(name->isReadOnly());
  EXPECT_EQ(name->focusPolicy(), Qt::NoFocus);
  const QPalette palette = Control<QLabel>(form, "StationLabel")->palette();
  EXPECT_NE(palette.color(QPalette::Active, QPalette::WindowText),
            palette.color(QPalette::Disabled, QPalette::WindowText));
}

TEST_F(CharacteristicsMenuTest, MonthlyMeansShowOnlyTheMonthsAndNotLinked) {
  Show(kMonthly, {1, 1, 1901}, {31, 12, 1901});
  EXPECT_EQ(TextOf(form, "Month1Lab"), "January");
  EXPECT_EQ(TextOf(form, "MonthNLab"), "December");
  EXPECT_TRUE(Shown("LabelNotLinked"));
  for (const char* name : {"Day1Label", "DayNLabel", "Day1Lab", "DayNLab", "FirstLabel",
                           "LastLabel", "Year1Label", "YearNLabel", "Year1Lab", "YearNLab"}) {
    EXPECT_FALSE(Shown(name)) << name;
  }
}

}  // namespace
}  // namespace vernoli
