#include "forms/limits/TFileOptionMenu.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QApplication>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "../../kit/form_test_support.h"
#include "../../kit/recording_modals.h"
#include "model/calendar.h"
#include "stations/appstate.h"

namespace vernoli {
namespace {

RepClimateFile Span(uint8_t dataType, Date from, Date to) {
  RepClimateFile station;
  SetSpan(station, dataType, from, to);
  return station;
}

BoundaryRequest Request(const char* parameter, bool first, bool celsius = true) {
  BoundaryRequest request;
  request.Parameter = parameter;
  request.First = first;
  request.Celsius = celsius;
  return request;
}

class FileOptionMenuTest : public ::testing::Test {
 protected:
  FileOptionMenuTest() : state(NewAppState(FoldersOfExecutable("/opt/v/vernoli"))), form(state) {}

  void Open(const BoundaryRequest& request, const RepClimateFile& station) {
    form.SetRequest(request, station);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  template <typename T = QWidget>
  T* Control(const char* name) {
    T* control = form.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  bool Shown(const char* name) { return Control(name)->isVisible(); }
  QString Text(const char* name) {
    if (auto* edit = form.findChild<QLineEdit*>(name)) return edit->text();
    return Control<QLabel>(name)->text();
  }
  void Type(const char* edit, const QString& text) {
    auto* line = Control<QLineEdit>(edit);
    line->setFocus();
    line->selectAll();
    QTest::keyClicks(line, text);
    QTest::keyClick(line, Qt::Key_Return);
  }

  AppState state;
  TFileOptionMenu form;
};

TEST_F(FileOptionMenuTest, CaptionsAndFixedTexts) {
  EXPECT_EQ(form.windowTitle(), " Interpolation menu");
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(Control<QPushButton>("OKButton")->text(), "OK");
  EXPECT_EQ(Control<QCheckBox>("CheckNotLinked")->text(), "not linked to a specific year");
  EXPECT_FALSE(Control("CheckBoxInitial")->isVisibleTo(&form));
  EXPECT_FALSE(Control("CheckBoxUnitSI")->isVisibleTo(&form));
  EXPECT_TRUE(Control<QLineEdit>("EditParam")->isReadOnly());
  EXPECT_TRUE(Control<QLineEdit>("EditWhich")->isReadOnly());
  QStringList texts;
  for (auto* label : form.findChildren<QLabel*>()) texts << label->text();
  for (const char* text : {"Interpollation is installed", "Adjust ?",
                           "value required for interpolation:", "Climatic parameter",
                           "Missing Value", "First", "Last", "First Month", "Last Month",
                           "First Year", "Last Year"}) {
    EXPECT_TRUE(texts.contains(text)) << text;
  }
  for (const char* name : {"GroupBoxETo", "ComboDay1", "ComboDec1", "ComboMonth1", "FromYearEdit",
                           "ComboDayN", "ComboDecN", "ComboMonthN", "ToYearEdit", "Day1Label",
                           "DayNLabel", "LabelFullInfo", "LabelEditWhich", "EditVal1",
                           "EditValN"}) {
    Control(name);
  }
}

TEST_F(FileOptionMenuTest, MonthlyDataNotLinkedToAYearShowsNoDaysNoDecadesAndNoYears) {
  Open(Request("ETo", true), Span(kMonthly, {1, 1, 1901}, {31, 12, 1901}));
  for (const char* name : {"ComboDay1", "ComboDayN", "ComboDec1", "ComboDecN", "Day1Label",
                           "DayNLabel", "FirstLabel", "LastLabel", "FromYearEdit", "ToYearEdit",
                           "FirstYearLabel", "LastYearLabel", "EditValN"}) {
    EXPECT_FALSE(Shown(name)) << name;
  }
  for (const char* name : {"ComboMonth1", "ComboMonthN", "EditVal1", "CheckNotLinked"}) {
    EXPECT_TRUE(Shown(name)) << name;
  }
  EXPECT_TRUE(Control<QCheckBox>("CheckNotLinked")->isChecked());
  EXPECT_EQ(Control<QComboBox>("ComboMonth1")->currentText(), "January");
  EXPECT_EQ(Control<QComboBox>("ComboMonthN")->currentText(), "December");
  EXPECT_EQ(Text("EditParam"), "ETo");
  EXPECT_EQ(Text("EditWhich"), "Initial");
  EXPECT_EQ(Text("LabelEditWhich"), "Initial");
  EXPECT_EQ(Text("LabelFullInfo"), "Initial ETo value in mm/day");
  EXPECT_EQ(Text("EditVal1"), "   5.0");
  EXPECT_TRUE(Control("EditVal1")->hasFocus());
  QCoreApplication::processEvents();
  testing::SaveScreenshot(&form, "TFileOptionMenu");
}

TEST_F(FileOptionMenuTest, DailyDataShowDaysAndYearsAndAskForTheLastValue) {
  Open(Request("Tmax", false), Span(kDaily, {15, 3, 2000}, {31, 12, 2002}));
  EXPECT_TRUE(Shown("ComboDay1"));
  EXPECT_FALSE(Shown("ComboDec1"));
  EXPECT_TRUE(Shown("FirstLabel"));
  EXPECT_EQ(Text("Day1Label"), "Day");
  EXPECT_EQ(Text("DayNLabel"), "Day");
  EXPECT_EQ(Control<QComboBox>("ComboDay1")->currentText(), "15");
  EXPECT_EQ(Control<QComboBox>("ComboMonth1")->currentText(), "March");
  EXPECT_EQ(Control<QComboBox>("ComboDayN")->currentText(), "31");
  EXPECT_EQ(Text("FromYearEdit"), "  2000");
  EXPECT_EQ(Text("ToYearEdit"), "  2002");
  EXPECT_TRUE(Shown("FromYearEdit"));
  EXPECT_FALSE(Control<QCheckBox>("CheckNotLinked")->isChecked());
  EXPECT_EQ(Text("EditWhich"), "Final");
  EXPECT_EQ(Text("LabelEditWhich"), "Final");
  EXPECT_FALSE(Shown("EditVal1"));
  EXPECT_TRUE(Shown("EditValN"));
  EXPECT_EQ(Text("EditValN"), "  20.0");
  EXPECT_EQ(Text("LabelFullInfo"), QString("Final Tmax value in ") + QChar(0xB0) + "Celsius");
}

TEST_F(FileOptionMenuTest, TenDailyDataShowDecades) {
  Open(Request("Tmin", true), Span(kTenDaily, {11, 2, 2001}, {31, 10, 2001}));
  EXPECT_FALSE(Shown("ComboDay1"));
  EXPECT_TRUE(Shown("ComboDec1"));
  EXPECT_TRUE(Shown("ComboDecN"));
  EXPECT_EQ(Text("Day1Label"), "Dec");
  EXPECT_EQ(Control<QComboBox>("ComboDec1")->currentText(), "2");
  EXPECT_EQ(Control<QComboBox>("ComboDecN")->currentText(), "3");
  EXPECT_EQ(Control<QComboBox>("ComboMonthN")->currentText(), "October");
  EXPECT_EQ(Text("EditVal1"), "  10.0");
}

TEST_F(FileOptionMenuTest, TwentyTwoAsFirstEToGivesTheMaximumMessageAndFifteen) {
  testing::RecordingMessages messages;
  Open(Request("ETo", true), Span(kMonthly, {1, 1, 1901}, {31, 12, 1901}));
  Type("EditVal1", "22");
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nvalue is larger than Maximum (=  15.000)"});
  EXPECT_EQ(Text("EditVal1"), "  15.0");
  EXPECT_TRUE(Control("EditVal1")->hasFocus());
  EXPECT_TRUE(form.isVisible());  // Enter does not close the dialog
  EXPECT_DOUBLE_EQ(form.Value(), 15.0);
}

TEST_F(FileOptionMenuTest, FahrenheitStationRaisesALowTminToFiveAndOffersFifty) {
  testing::RecordingMessages messages;
  RepClimateFile station = Span(kDaily, {1, 1, 2001}, {31, 12, 2001});
  station.Limits.LimitTmin = -15;
  station.Limits.LimitTmax = 45;
  Open(Request("Tmin", true, false), station);
  EXPECT_EQ(Text("EditVal1"), "  50.0");
  EXPECT_EQ(Text("LabelFullInfo"), QString("Initial Tmin value in ") + QChar(0xB0) + "Fahrenheit");
  Type("EditVal1", "2");
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nvalue is smaller than Minimum (=   5.000)"});
  EXPECT_EQ(Text("EditVal1"), "   5.0");
  EXPECT_DOUBLE_EQ(form.Value(), 5.0);

  Type("EditVal1", "120");
  EXPECT_EQ(messages.messages.last(), "ERROR:\nvalue is larger than Maximum (= 113.000)");
  EXPECT_EQ(Text("EditVal1"), " 113.0");
}

TEST_F(FileOptionMenuTest, TextThatIsNoNumberCountsAsFive) {
  testing::RecordingMessages messages;
  RepClimateFile station = Span(kDaily, {1, 1, 2001}, {31, 12, 2001});
  station.Limits.LimitTmin = 10;
  Open(Request("Tmax", false), station);
  Type("EditValN", "warm");
  // 5.0 is then checked like any value: below LimitTmin it becomes 10.
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nvalue is smaller than Minimum (=  10.000)"});
  EXPECT_EQ(Text("EditValN"), "  10.0");
}

// Minimising and restoring the dialog is no new asking: the typed value stays.
TEST_F(FileOptionMenuTest, ATypedValueSurvivesMinimiseAndRestore) {
  Open(Request("ETo", true), Span(kDaily, {1, 1, 2001}, {31, 12, 2001}));
  auto* edit = Control<QLineEdit>("EditVal1");
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "3.2");
  form.showMinimized();
  QApplication::processEvents();
  form.showNormal();
  QApplication::processEvents();
  // Hiding the window checked the field; restoring it did not refill it.
  EXPECT_EQ(edit->text(), "   3.2");
}

TEST_F(FileOptionMenuTest, ClickingTheValueSelectsItsWholeText) {
  Open(Request("ETo", true), Span(kMonthly, {1, 1, 1901}, {31, 12, 1901}));
  auto* edit = Control<QLineEdit>("EditVal1");
  edit->deselect();
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, edit->height() / 2));
  EXPECT_EQ(edit->selectedText(), "   5.0");
}

TEST_F(FileOptionMenuTest, AskReturnsTheCheckedValueOfTheEdit) {
  testing::RecordingMessages messages;
  testing::RecordingModals modals;
  modals.act = [this](QDialog&) {
    auto* edit = form.findChild<QLineEdit*>("EditValN");
    edit->setText("7.25");
    QTest::mouseClick(form.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
  };
  const RepClimateFile station = Span(kDaily, {1, 1, 2001}, {31, 12, 2001});
  std::optional<double> value = form.Ask(Request("ETo", false), station);
  ASSERT_TRUE(value.has_value());
  EXPECT_DOUBLE_EQ(*value, 7.3);  // 7.25 shown with one decimal, half-way rounded up
  EXPECT_EQ(modals.names, QStringList{"FileOptionMenu"});

  // "OK" takes a value typed without a check within the bounds too.
  modals.act = [this](QDialog&) {
    form.findChild<QLineEdit*>("EditVal1")->setText("40");
    form.findChild<QPushButton*>("OKButton")->click();
  };
  value = form.Ask(Request("ETo", true), station);
  ASSERT_TRUE(value.has_value());
  EXPECT_DOUBLE_EQ(*value, 15.0);

  // Closed without "OK" (the close box), no value is given: the export that asked stops.
  modals.act = [this](QDialog&) { form.findChild<QLineEdit*>("EditVal1")->setText("4"); };
  EXPECT_FALSE(form.Ask(Request("ETo", true), station).has_value());
}

}  // namespace
}  // namespace vernoli
