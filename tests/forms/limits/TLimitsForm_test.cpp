#include "forms/limits/TLimitsForm.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "../../kit/form_test_support.h"
#include "../../model/scratch_folder.h"
#include "kit/spinbutton.h"
#include "model/station.h"
#include "stations/appstate.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;

QString Deg(const char* before, const char* after) {
  return QString::fromUtf8(before) + QChar(0xB0) + QString::fromUtf8(after);
}

class LimitsFormTest : public ::testing::Test {
 protected:
  LimitsFormTest() : state(NewAppState(FoldersOfExecutable("/opt/v/vernoli"))), form(state) {
    station = NewStation();
    SetStationFiles(station, folder.Folder(), "ALPHA");
    station.StationName = "Alpha";
    station.Country = "Beta";
    station.Latitude = 52.10;
    station.Altitude = 350;
    station.FromYear = station.ToYear = 2001;
    station.NumberOfParameters = 5;
    station.ParameterCodes[0] = 101;
    station.ParameterCodes[1] = 103;
    station.ParameterCodes[2] = 202;
    station.ParameterCodes[3] = 401;
    station.ParameterCodes[4] = 501;
  }

  void Open(bool writeFile = true) {
    form.SetStation(station, writeFile);
    form.show();
  }
  QString Text(const char* name) {
    if (auto* edit = form.findChild<QLineEdit*>(name)) return edit->text();
    if (auto* label = form.findChild<QLabel*>(name)) return label->text();
    ADD_FAILURE() << "no control " << name;
    return {};
  }
  void Spin(const char* name, bool up, int clicks = 1) {
    auto* spin = form.findChild<SpinButton*>(name);
    ASSERT_NE(spin, nullptr) << name;
    for (int i = 0; i < clicks; ++i) {
      QTest::mouseClick(up ? spin->UpButton() : spin->DownButton(), Qt::LeftButton);
    }
  }
  void Click(const char* name) {
    QTest::mouseClick(form.findChild<QPushButton*>(name), Qt::LeftButton);
  }
  QComboBox* Box(const char* name) { return form.findChild<QComboBox*>(name); }

  ScratchFolder folder;
  AppState state;
  RepClimateFile station;
  TLimitsForm form;
};

TEST_F(LimitsFormTest, CaptionsAndFixedTexts) {
  EXPECT_EQ(form.windowTitle(), " Meteorological data limits menu");
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(form.findChild<QPushButton*>("MainButton")->text(), "Save and Close");
  ASSERT_NE(form.findChild<QPushButton*>("CancelButton"), nullptr);
  QStringList texts;
  for (auto* label : form.findChildren<QLabel*>()) texts << label->text();
  for (const char* text :
       {"Latitude station", "Maximum, mean and minimum air temperature",
        "Dewpoint temperature, wet and dry bulb temperature", "degrees Celsius",
        "degrees Fahrenheit", "Maximum, mean and minimum relative humidity", "percent",
        "Actual vapour pressure", "kPa", "Wind speed", "m/sec", "Solar or shortwave radiation,",
        "Net radiation ", "Hours of bright sunshine", "hours/day", "MJ/m2.day",
        " accepted deviation ................", "+               %", "Rs = a + b (n/N=1) Ra",
        "a =", "b =", "0", "12", "24 hours", "20", "45 MJ/m2.day", "January", "December"}) {
    EXPECT_TRUE(texts.contains(text)) << text;
  }
  bool angstrom = false;
  for (auto* group : form.findChildren<QGroupBox*>()) {
    angstrom |= group->title() == " Angstrom equation ";
  }
  EXPECT_TRUE(angstrom);
  EXPECT_EQ(Text("EditRHmax"), "  100");
  EXPECT_EQ(Text("EditUminMS"), "    0");
  EXPECT_EQ(Text("EditNMin"), "    0");
  EXPECT_EQ(Text("EditRMinMJ"), "    0");
  const std::pair<const char*, QStringList> boxes[] = {
      {"CBoxE", {"  mbar", "    psi", "   atm", "mmHG"}},
      {"CBoxU", {" km/day", "     knot", "   ft/sec"}},
      {"CBoxR", {"         W/m2", "   J/cm2.day", "      mm/day", "cal/cm2.day"}},
  };
  for (const auto& [name, items] : boxes) {
    QStringList shown;
    for (int i = 0; i < Box(name)->count(); ++i) shown << Box(name)->itemText(i);
    EXPECT_EQ(shown, items) << name;
  }
  for (const char* name : {"ImageN", "ImageRa", "LabelTminF", "LabelTmaxF", "LabelEmin",
                           "LabelEMax", "LabelUMax", "LabelRMaxJan", "LabelRMaxJul", "LabelR1",
                           "LabelRN"}) {
    EXPECT_NE(form.findChild<QLabel*>(name), nullptr) << name;
  }
  for (const char* name : {"EditTminC", "EditTmaxC", "EditRHmin", "EditEminkPa", "EditEMaxkPa",
                           "EditUMaxMS", "EditNMaxJan", "EditNMaxJul", "EditRMaxMJJan",
                           "EditRMaxMJJul", "EditUP"}) {
    auto* edit = form.findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr) << name;
    EXPECT_TRUE(edit->isReadOnly()) << name;
  }
}

TEST_F(LimitsFormTest, ActivationShowsTheStationAndItsLimits) {
  Open();
  EXPECT_EQ(Text("LabelStation"), "Alpha");
  EXPECT_EQ(Text("LabelCountry"), "Beta");
  EXPECT_EQ(Text("LatLabel"), Deg("52", " 6  North "));
  EXPECT_EQ(Text("LabelA"), "0.25");
  EXPECT_EQ(Text("LabelB"), "0.50");
  EXPECT_EQ(Text("LabelCorrAlt"), "correction for altitude (350m)");
  EXPECT_EQ(Text("EditTminC"), " -15");
  EXPECT_EQ(Text("EditTmaxC"), "  45");
  EXPECT_EQ(Text("LabelTminF"), "   5.0");
  EXPECT_EQ(Text("LabelTmaxF"), " 113.0");
  EXPECT_EQ(Text("EditRHmin"), "  15");
  EXPECT_EQ(Text("EditEminkPa"), " 0.0286");
  EXPECT_EQ(Text("EditEMaxkPa"), " 9.5825");
  EXPECT_EQ(Text("LabelEmin"), "    0.2857");
  EXPECT_EQ(Text("LabelEMax"), "   95.8248");
  EXPECT_EQ(Text("EditUMaxMS"), "   8");
  EXPECT_EQ(Text("LabelUMax"), " 691.2");
  EXPECT_EQ(Text("EditUP"), "  5");
  // A northern station has its lowest Ra in December.
  EXPECT_EQ(Text("LabelR1"), "20 December");
  EXPECT_EQ(Text("LabelRN"), "20 June");
  EXPECT_EQ(Box("CBoxE")->currentIndex(), 0);
  EXPECT_EQ(Box("CBoxU")->currentIndex(), 0);
  EXPECT_EQ(Box("CBoxR")->currentIndex(), 2);

  station.Flags.ElevationAdjustment = 0;
  form.hide();
  Open();
  EXPECT_EQ(Text("LabelCorrAlt"), "");
}

TEST_F(LimitsFormTest, SouthernStationHasItsLowestRaInJune) {
  station.Latitude = -33.86;
  station.Altitude = 39;
  station.Flags.ElevationAdjustment = 0;
  Open();
  EXPECT_EQ(Text("LatLabel"), Deg("33", " 52  South "));
  EXPECT_EQ(Text("LabelR1"), "21 June");
  EXPECT_EQ(Text("EditNMaxJan"), "  10.2");
  EXPECT_EQ(Text("EditRMaxMJJan"), "  12.8");
  EXPECT_EQ(Text("LabelRMaxJan"), "   5.2");
  EXPECT_EQ(Text("LabelRN"), "22 December");
  EXPECT_EQ(Text("EditNMaxJul"), "  15.0");
  EXPECT_EQ(Text("EditRMaxMJJul"), "  34.9");
  EXPECT_EQ(Text("LabelRMaxJul"), "  14.3");
}

TEST_F(LimitsFormTest, PolarStationShowsNoSunAndSunAllDay) {
  station.Latitude = 80.0;
  Open();
  EXPECT_EQ(Text("LabelR1"), "1 January");
  EXPECT_EQ(Text("EditNMaxJan"), "   0.0");
  EXPECT_EQ(Text("EditRMaxMJJan"), "   0.0");
  EXPECT_EQ(Text("EditNMaxJul"), "  24.0");
  Spin("SpinButtonR", true, 30);
  EXPECT_EQ(Text("EditUP"), " 25");
  EXPECT_EQ(Text("EditNMaxJul"), "  24.0");
}

TEST_F(LimitsFormTest, UnitBoxesFollowTheCodesOfTheDataFileAndRecomputeTheirDisplays) {
  station.ParameterCodes[1] = 224;
  station.ParameterCodes[2] = 304;
  station.ParameterCodes[3] = 423;
  Open();
  EXPECT_EQ(Box("CBoxE")->currentIndex(), 2);
  EXPECT_EQ(Box("CBoxU")->currentIndex(), 2);
  EXPECT_EQ(Box("CBoxR")->currentIndex(), 1);
  EXPECT_EQ(Text("LabelUMax"), "  26.2");
  EXPECT_EQ(Text("LabelEMax"), "    0.0946");

  Box("CBoxU")->setCurrentIndex(1);
  EXPECT_EQ(Text("LabelUMax"), "  15.6");
  Box("CBoxE")->setCurrentIndex(3);
  EXPECT_EQ(Text("LabelEMax"), "   71.8747");
  const QString joules = Text("LabelRMaxJul");
  Box("CBoxR")->setCurrentIndex(0);
  EXPECT_NE(Text("LabelRMaxJul"), joules);

  // The choice is not kept: the next opening follows the codes again.
  form.hide();
  Open();
  EXPECT_EQ(Box("CBoxU")->currentIndex(), 2);
}

TEST_F(LimitsFormTest, SpinButtonsMoveTheirLimitAndItsDisplays) {
  station.Limits.LimitTmin = 44;
  station.Limits.LimitTmax = 45;
  Open();
  Spin("SpinButtonTmin", true);
  EXPECT_EQ(Text("EditTminC"), "  45");
  EXPECT_EQ(Text("EditTmaxC"), "  50");
  EXPECT_EQ(Text("LabelTmaxF"), " 122.0");
  EXPECT_EQ(Text("EditEMaxkPa"), "12.3368");
  Spin("SpinButtonTmin", true);
  EXPECT_EQ(Text("EditTminC"), "  45");

  Spin("SpinButtonTmax", false, 200);
  EXPECT_EQ(Text("EditTmaxC"), " -40");
  EXPECT_EQ(Text("EditTminC"), " -45");
  EXPECT_EQ(Text("LabelTminF"), " -49.0");

  Spin("SpinButtonRH", false, 100);
  EXPECT_EQ(Text("EditRHmin"), "   1");
  Spin("SpinButtonRH", true, 100);
  EXPECT_EQ(Text("EditRHmin"), "  90");
  Spin("SpinButtonU", false, 20);
  EXPECT_EQ(Text("EditUMaxMS"), "   1");
  EXPECT_EQ(Text("LabelUMax"), "  86.4");
  Spin("SpinButtonU", true, 20);
  EXPECT_EQ(Text("EditUMaxMS"), "  15");
  Spin("SpinButtonR", false, 10);
  EXPECT_EQ(Text("EditUP"), "  0");
  EXPECT_EQ(Text("EditNMaxJul"), "  16.5");

  // Nothing reaches the station before "Save and Close".
  EXPECT_EQ(station.Limits.LimitTmin, 44);
  EXPECT_EQ(station.Limits.LimitRHmin, 15);
}

// A click on a limit gives it the focus; its keys then step that limit and reach no unit list.
TEST_F(LimitsFormTest, KeysGoToTheLimitThatShowsTheFocus) {
  Open();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  auto* wind = form.findChild<QLineEdit*>("EditUMaxMS");
  Box("CBoxU")->setFocus();
  QTest::mouseClick(wind, Qt::LeftButton);
  EXPECT_TRUE(wind->hasFocus());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  QTest::keyClicks(QApplication::focusWidget(), "12k ");
  EXPECT_EQ(Text("EditUMaxMS"), "   9");
  EXPECT_EQ(Box("CBoxU")->currentIndex(), 0);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(Text("EditUMaxMS"), "   7");

  // An arrow clicked moves the focus to its limit, so that the keys follow it.
  Spin("SpinButtonRH", false);
  EXPECT_TRUE(form.findChild<QLineEdit*>("EditRHmin")->hasFocus());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(Text("EditRHmin"), "  13");
  EXPECT_EQ(Text("EditUMaxMS"), "   7");
}

TEST_F(LimitsFormTest, SaveAndCloseWritesTheDescriptionWhenAsked) {
  ASSERT_TRUE(WriteStationDescription(station));
  Open(true);
  Spin("SpinButtonRH", true, 5);
  Spin("SpinButtonU", false, 2);
  Click("MainButton");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(station.Limits.LimitRHmin, 20);
  EXPECT_EQ(station.Limits.LimitWind, 6);
  RepClimateFile reread;
  reread.DscFileName = station.DscFileName;
  ASSERT_TRUE(ReadStationDescription(reread));
  EXPECT_EQ(reread.Limits.LimitRHmin, 20);
  EXPECT_EQ(reread.Limits.LimitWind, 6);
  EXPECT_EQ(reread.StationName, "Alpha");
}

TEST_F(LimitsFormTest, SaveAndCloseForTheImportWritesNoFile) {
  ASSERT_TRUE(WriteStationDescription(station));
  const std::string before = ReadBytes(station.DscFileName);
  Open(false);
  Spin("SpinButtonTmin", false, 3);
  Click("MainButton");
  EXPECT_EQ(station.Limits.LimitTmin, -18);
  EXPECT_EQ(ReadBytes(station.DscFileName), before);
}

TEST_F(LimitsFormTest, CancelKeepsTheLimitsAndTheNextOpeningStartsFromThem) {
  Open();
  Spin("SpinButtonTmax", true, 3);
  Click("CancelButton");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(station.Limits.LimitTmax, 45);
  Open();
  EXPECT_EQ(Text("EditTmaxC"), "  45");
}

TEST_F(LimitsFormTest, AFailedWriteIsReportedAndChangesNothing) {
  testing::RecordingMessages messages;
  station.DscFileName = folder.Folder() + "GONE/ALPHA.DSC";
  Open(true);
  Spin("SpinButtonRH", true);
  Click("MainButton");
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_TRUE(messages.messages[0].startsWith("ERROR:\n"));
  EXPECT_TRUE(messages.messages[0].contains("GONE/ALPHA.DSC"));
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(station.Limits.LimitRHmin, 15);
}

TEST_F(LimitsFormTest, ChartsDrawOneColumnPerDayFromTheBottom) {
  station.Latitude = 0.0;  // N is 12 hours every day
  Open();
  const QImage n = form.findChild<QLabel*>("ImageN")->pixmap().toImage();
  ASSERT_EQ(n.width(), TLimitsForm::kChartWidth);
  ASSERT_EQ(n.height(), TLimitsForm::kChartHeight);
  const QRgb white = qRgb(255, 255, 255);
  for (int x : {1, 200, 398}) {
    SCOPED_TRACE(x);
    EXPECT_NE(n.pixel(x, 99), white);
    EXPECT_NE(n.pixel(x, 51), white);
    EXPECT_EQ(n.pixel(x, 30), white);
  }
  // Ra near 37 MJ/m2.day at the equator: columns up to about 18 of 100 pixels from the top.
  const QImage ra = form.findChild<QLabel*>("ImageRa")->pixmap().toImage();
  EXPECT_NE(ra.pixel(200, 30), white);
  EXPECT_EQ(ra.pixel(200, 5), white);
}

}  // namespace
}  // namespace vernoli
