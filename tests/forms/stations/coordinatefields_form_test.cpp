#include "forms/stations/coordinatefields.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "../../kit/form_test_support.h"
#include "station_forms.h"

namespace vernoli {
namespace {

using test_support::Control;
using test_support::Enter;
using test_support::TextOf;
using test_support::TypeAndLeave;

class CoordinateFieldsTest : public ::testing::Test {
 protected:
  CoordinateFieldsTest() : fields(fields::kAltitude) {
    fields.SetLocation(22.37, 22.37, 222);
    fields.show();
  }
  QComboBox* Box(const char* name) { return Control<QComboBox>(fields, name); }
  bool Shown(const char* name) { return Control(fields, name)->isVisible(); }

  testing::RecordingMessages messages;
  CoordinateFields fields;
};

TEST_F(CoordinateFieldsTest, ShowsALocationAsDegreesMinutesAndDecimalDegrees) {
  fields.SetLocation(-33.86, 151.21, 39);
  EXPECT_EQ(TextOf(fields, "LatDegEdit"), "    33");
  EXPECT_EQ(TextOf(fields, "LatMinEdit"), "    52");
  EXPECT_EQ(Box("LatitudeBox")->currentText(), "South");
  EXPECT_EQ(TextOf(fields, "LatDegDecEdit"), "    33.86");
  EXPECT_EQ(TextOf(fields, "LonDegEdit"), "   151");
  EXPECT_EQ(TextOf(fields, "LonMinEdit"), "    13");
  EXPECT_EQ(Box("LongitudeBox")->currentText(), "East");
  EXPECT_EQ(TextOf(fields, "LonDegDecEdit"), "   151.21");
  EXPECT_EQ(TextOf(fields, "AltitudeEdit"), "    39");
  EXPECT_DOUBLE_EQ(fields.Latitude().Value(), -33.86);
  EXPECT_EQ(fields.Altitude(), 39);
}

TEST_F(CoordinateFieldsTest, CaptionsAndHemisphereItems) {
  EXPECT_EQ(Control<QRadioButton>(fields, "RadioDegMin")->text(), "Degrees and Minutes");
  EXPECT_EQ(Control<QRadioButton>(fields, "RadioDecimal")->text(), "Decimal degrees");
  EXPECT_EQ(fields.SwitchPanel()->title(), "Location");
  EXPECT_EQ(fields.SwitchPanel()->objectName(), "PanelSwitch");
  EXPECT_EQ(fields.FieldsPanel()->objectName(), "CoorDinPanel");
  const std::pair<const char*, QStringList> boxes[] = {{"LatitudeBox", {"North", "South"}},
                                                       {"LongitudeBox", {"East", "West"}}};
  for (const auto& [name, items] : boxes) {
    QStringList shown;
    for (int i = 0; i < Box(name)->count(); ++i) shown << Box(name)->itemText(i);
    EXPECT_EQ(shown, items) << name;
  }
  QStringList texts;
  for (auto* label : fields.findChildren<QLabel*>()) texts << label->text();
  for (const char* text : {"Latitude", "Longitude", "Altitude", "meter above", "sea level"}) {
    EXPECT_TRUE(texts.contains(text)) << text;
  }
}

TEST_F(CoordinateFieldsTest, TheTwoViewsShowTheirFieldsAndLabels) {
  EXPECT_TRUE(Control<QRadioButton>(fields, "RadioDegMin")->isChecked());
  for (const char* name : {"LatDegEdit", "LatMinEdit", "LonDegEdit", "LonMinEdit",
                           "LabelLatMin", "LabelLonMin", "LatitudeBox", "LongitudeBox"}) {
    EXPECT_TRUE(Shown(name)) << name;
  }
  EXPECT_FALSE(Shown("LatDegDecEdit"));
  EXPECT_FALSE(Shown("LonDegDecEdit"));
  EXPECT_EQ(TextOf(fields, "LabelDegLat"), "degrees");
  EXPECT_EQ(TextOf(fields, "LabelLatMin"), "minutes");

  Control<QRadioButton>(fields, "RadioDecimal")->click();
  EXPECT_EQ(fields.View(), CoordinateView::DecimalDegrees);
  for (const char* name : {"LatDegDecEdit", "LonDegDecEdit", "LatitudeBox", "LongitudeBox"}) {
    EXPECT_TRUE(Shown(name)) << name;
  }
  for (const char* name : {"LatDegEdit", "LatMinEdit", "LonDegEdit", "LonMinEdit",
                           "LabelLatMin", "LabelLonMin"}) {
    EXPECT_FALSE(Shown(name)) << name;
  }
  EXPECT_EQ(TextOf(fields, "LabelDegLat"), "decimal degrees");
  EXPECT_EQ(TextOf(fields, "LabelDegLon"), "decimal degrees");

  // Showing a location goes back to degrees and minutes.
  fields.SetLocation(1.0, 2.0, 3);
  EXPECT_TRUE(Control<QRadioButton>(fields, "RadioDegMin")->isChecked());
  EXPECT_TRUE(Shown("LatMinEdit"));
}

TEST_F(CoordinateFieldsTest, ADecimalLatitudeShowsDegreesAndMinutesAndAHemisphereRecomposesIt) {
  Control<QRadioButton>(fields, "RadioDecimal")->click();
  Enter(fields, "LatDegDecEdit", "12.34");
  EXPECT_EQ(TextOf(fields, "LatDegEdit"), "    12");
  EXPECT_EQ(TextOf(fields, "LatMinEdit"), "    20");
  EXPECT_DOUBLE_EQ(fields.Latitude().Value(), 12.34);

  // The hemisphere recomputes the value from degrees and minutes: 12 + 20/60.
  Box("LatitudeBox")->setCurrentIndex(1);
  EXPECT_EQ(TextOf(fields, "LatDegDecEdit"), "    12.33");
  EXPECT_NEAR(fields.Latitude().Value(), -(12.0 + 20.0 / 60.0), 1e-12);
  EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(CoordinateFieldsTest, ALongitudeBeyond179DegreesIsClampedOnlyAfterTheDegreesField) {
  Enter(fields, "LonDegEdit", "179");
  TypeAndLeave(fields, "LonMinEdit", "30");
  EXPECT_EQ(TextOf(fields, "LonDegEdit"), "   179");
  EXPECT_EQ(TextOf(fields, "LonMinEdit"), "    30");
  EXPECT_DOUBLE_EQ(fields.Longitude().Value(), 179.5);

  TypeAndLeave(fields, "LonDegEdit", "179");
  EXPECT_EQ(TextOf(fields, "LonDegEdit"), "   179");
  EXPECT_EQ(TextOf(fields, "LonMinEdit"), "     0");
  EXPECT_EQ(TextOf(fields, "LonDegDecEdit"), "   179.00");
  EXPECT_DOUBLE_EQ(fields.Longitude().Value(), 179.0);
  EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(CoordinateFieldsTest, OutOfRangeAndNonNumericEntries) {
  struct Row {
    const char* Field;
    const char* Typed;
    const char* Shown;
    const char* Message;  // empty: none
  };
  const Row rows[] = {
      {"LatDegEdit", "75", "    69", "ERROR:\nvalue is larger than Maximum (=      69)"},
      {"LonDegEdit", "-4", "     0", "ERROR:\nvalue is smaller than Minimum (=       0)"},
      {"LatMinEdit", "60", "    59", "ERROR:\nvalue is larger than Maximum (=      59)"},
      {"LatMinEdit", "x", "    30", ""},
      {"AltitudeEdit", "abc", "   100", ""},
      {"AltitudeEdit", "6000", "  5000", "ERROR:\nvalue is larger than Maximum (=    5000)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Field) + " " + row.Typed);
    messages.messages.clear();
    Enter(fields, row.Field, row.Typed);
    EXPECT_EQ(TextOf(fields, row.Field), row.Shown);
    const QStringList expected =
        QString(row.Message).isEmpty() ? QStringList{} : QStringList{row.Message};
    EXPECT_EQ(messages.messages, expected);
  }
  EXPECT_EQ(fields.Altitude(), 5000);
  Control<QRadioButton>(fields, "RadioDecimal")->click();
  messages.messages.clear();
  Enter(fields, "LonDegDecEdit", "200");
  EXPECT_EQ(TextOf(fields, "LonDegDecEdit"), "   179.99");
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nvalue is larger than Maximum (=   179.9900)"});
  Enter(fields, "LatDegDecEdit", "north");
  EXPECT_EQ(TextOf(fields, "LatDegDecEdit"), "    22.37");
}

TEST_F(CoordinateFieldsTest, ClickingAFieldSelectsItsText) {
  auto* edit = Control<QLineEdit>(fields, "LatDegEdit");
  QTest::mouseClick(edit, Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(edit->selectedText(), edit->text());
}

TEST(LocationClassesBox, ShowsAndReturnsTheThreeClasses) {
  LocationClassesBox box;
  EXPECT_EQ(box.title(), " Location ");
  const std::pair<const char*, const char*> captions[] = {
      {"RadioCoast", "at the coast"},
      {"RadioInter", "interior location"},
      {"RadioArid", "in arid or semi-arid area"},
      {"RadioHumid", "in semi-humid or humid area"},
      {"RadioUSmall", "light winds in area"},
      {"RadioUdef", "light to moderate winds in area"},
      {"RadioUStrong", "moderate to strong winds in area"},
  };
  for (const auto& [name, caption] : captions) {
    EXPECT_EQ(test_support::TextOf(box, name), caption) << name;
  }
  EXPECT_EQ(box.Classes(), LocationClasses{});
  const LocationClasses coastal{Location::Coast, Climate::Arid, WindClass::ModerateToStrong};
  box.SetClasses(coastal);
  EXPECT_EQ(box.Classes(), coastal);
  // Each class is chosen on its own.
  Control<QRadioButton>(box, "RadioUSmall")->click();
  const LocationClasses lightWinds{Location::Coast, Climate::Arid, WindClass::Light};
  EXPECT_EQ(box.Classes(), lightWinds);
}

}  // namespace
}  // namespace vernoli
