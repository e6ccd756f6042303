#include "forms/stations/TUpdateRangeMenu.h"

#include <set>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include "../../kit/form_test_support.h"
#include "kit/spinbutton.h"
#include "model/numbers.h"
#include "station_forms.h"
#include "stations/fileset.h"

namespace vernoli {
namespace {

using test_support::Click;
using test_support::Control;
using test_support::FailureHooksLifted;
using test_support::LineRange;
using test_support::ReadBytes;
using test_support::Snapshot;
using test_support::TextOf;
using test_support::WriteBytes;
using test_support::WriteStation;

// Ten days of January 2001 with a temperature, sunshine and ETo column.
constexpr std::string_view kTenDays =
    "        Nr       101       401       501\r\n"
    "         1       1.0      1.00       0.1\r\n"
    "         2       2.0      2.00       0.2\r\n"
    "         3       3.0      3.00       0.3\r\n"
    "         4       4.0      4.00       0.4\r\n"
    "         5       5.0      5.00       0.5\r\n"
    "         6       6.0      6.00       0.6\r\n"
    "         7       7.0      7.00       0.7\r\n"
    "         8       8.0      8.00       0.8\r\n"
    "         9       9.0      9.00       0.9\r\n"
    "        10      10.0     10.00       1.0\r\n";

constexpr std::string_view kEmpty = "    -999.0   -999.00    -999.0";

class UpdateRangeMenuTest : public test_support::StationFormTest {
 protected:
  UpdateRangeMenuTest() : form(state) { forms.UpdateRangeMenu = &form; }

  void WriteAlpha(uint8_t dataType, Date from, Date to, std::string_view data = kTenDays) {
    WriteStation(folder, "ALPHA", dataType, from, to, data);
    SelectInFolder("ALPHA");
  }
  void Spin(const char* name, bool up, int clicks = 1) {
    auto* spin = Control<SpinButton>(form, name);
    for (int i = 0; i < clicks; ++i) {
      QTest::mouseClick(up ? spin->UpButton() : spin->DownButton(), Qt::LeftButton);
    }
  }
  QString Combo(const char* name) { return Control<QComboBox>(form, name)->currentText(); }
  bool Shown(const char* name) { return Control(form, name)->isVisible(); }
  QRadioButton* Radio(const char* name) { return Control<QRadioButton>(form, name); }

  testing::RecordingMessages messages;
  TUpdateRangeMenu form;
};

TEST_F(UpdateRangeMenuTest, OpensOnTheSelectedStationWithBothCountersZero) {
  WriteAlpha(kDaily, {1, 1, 2001}, {10, 1, 2001});
  form.show();
  EXPECT_EQ(form.windowTitle(), " Update range menu");
  EXPECT_EQ(TextOf(form, "SaveButton"), "Save and Main menu");
  EXPECT_EQ(TextOf(form, "CancelButton"), "Cancel");
  EXPECT_EQ(TextOf(form, "StationEdit"), "Alpha");
  EXPECT_EQ(TextOf(form, "CountryEdit"), "Beta");
  EXPECT_EQ(TextOf(form, "TypeLabel"), "daily meteorological data");
  EXPECT_EQ(Control<QGroupBox>(form, "TimeRangeBox")->title(), " Time range ");
  EXPECT_EQ(Control<QGroupBox>(form, "LowerRangeBox")->title(), "adjust Lower range");
  EXPECT_EQ(Control<QGroupBox>(form, "UpperRangeBox")->title(), "adjust Upper range");
  const std::pair<const char*, const char*> texts[] = {
      {"LabelExpandFirst", ".........Expand"}, {"LabelShrinkFirst", ".......Shrink"},
      {"LabelExpandLast", "Expand........"},   {"LabelShrinkLast", "Shrink.........."},
      {"RadioDayFirst", "day per day"},        {"RadioMonthFirst", "month per month"},
      {"RadioDayLast", "day per day"},         {"RadioMonthLast", "month per month"},
      {"LabelLOW", "Added"},                   {"EditRecLOW", "         0"},
      {"LabelUP", "Added"},                    {"EditRecUP", "         0"},
      {"EditLnNr", "    10"},                  {"FromYearEdit", "  2001"},
  };
  for (const auto& [name, text] : texts) EXPECT_EQ(TextOf(form, name), text) << name;
  EXPECT_TRUE(Radio("RadioDayFirst")->isChecked());
  EXPECT_TRUE(Radio("RadioDayLast")->isChecked());
  EXPECT_EQ(Combo("ComboDay1"), "1");
  EXPECT_EQ(Combo("ComboDayN"), "10");
  EXPECT_EQ(Combo("ComboMonthN"), "January");
  EXPECT_FALSE(Shown("ComboDec1"));
  EXPECT_FALSE(Shown("CheckNotLinked"));
  EXPECT_FALSE(Control(form, "ComboDay1")->isEnabled());
  EXPECT_FALSE(Control(form, "ToYearEdit")->isEnabled());
}

TEST_F(UpdateRangeMenuTest, TheStepsOfEachDataType) {
  struct Row {
    uint8_t DataType;
    Date From, To;
    const char* First;
    bool FirstEnabled;
    bool MonthChosen;
    const char* Type;
  };
  const Row rows[] = {
      {kDaily, {1, 1, 2001}, {10, 1, 2001}, "day per day", true, false,
       "daily meteorological data"},
      {kTenDaily, {1, 1, 2001}, {31, 3, 2001}, "decade per decade", true, false,
       "10-Daily meteorological data"},
      {kMonthly, {1, 1, 2001}, {31, 12, 2001}, "day per day", false, true,
       "monthly meteorological data"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Type);
    WriteAlpha(row.DataType, row.From, row.To);
    form.show();
    EXPECT_EQ(TextOf(form, "TypeLabel"), row.Type);
    for (const char* name : {"RadioDayFirst", "RadioDayLast"}) {
      EXPECT_EQ(Radio(name)->text(), row.First);
      EXPECT_EQ(Radio(name)->isEnabled(), row.FirstEnabled);
      EXPECT_EQ(Radio(name)->isChecked(), !row.MonthChosen);
    }
    EXPECT_EQ(Radio("RadioMonthLast")->isChecked(), row.MonthChosen);
    EXPECT_EQ(Shown("ComboDayN"), row.DataType == kDaily);
    EXPECT_EQ(Shown("ComboDecN"), row.DataType == kTenDaily);
    EXPECT_EQ(Shown("DayNLabel"), row.DataType != kMonthly);
    form.reject();
  }
}

TEST_F(UpdateRangeMenuTest, ADayMoreAtEachEndIsSavedInBothFiles) {
  WriteAlpha(kDaily, {1, 1, 2001}, {10, 1, 2001});
  // Left by an earlier failure: neither blocks the update nor is touched by it.
  WriteBytes(folder.File("FileDTA.OLD"), "left over\r\n");
  form.show();
  Spin("SpinButtonLast", true);
  // A click on ".........Expand" acts like the up arrow of its end.
  QTest::mouseClick(Control(form, "LabelExpandFirst"), Qt::LeftButton);
  EXPECT_EQ(Combo("ComboDay1"), "31");
  EXPECT_EQ(Combo("ComboMonth1"), "December");
  EXPECT_EQ(TextOf(form, "FromYearEdit"), "  2000");
  EXPECT_EQ(Combo("ComboDayN"), "11");
  EXPECT_EQ(TextOf(form, "EditLnNr"), "    12");
  EXPECT_EQ(TextOf(form, "LabelUP"), "Added");
  EXPECT_EQ(TextOf(form, "EditRecUP"), "         1");
  EXPECT_EQ(TextOf(form, "LabelLOW"), "Added");
  EXPECT_EQ(TextOf(form, "EditRecLOW"), "         1");
  // Nothing is written before Save.
  EXPECT_EQ(ReadBytes(folder.File("ALPHA.DTA")), kTenDays);

  Click(form, "SaveButton");
  EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("|").toStdString();
  EXPECT_FALSE(form.isVisible());
  std::string expected = "        Nr       101       401       501\r\n";
  expected += "         1" + std::string(kEmpty) + "\r\n";
  expected +=
      "         2       1.0      1.00       0.1\r\n"
      "         3       2.0      2.00       0.2\r\n"
      "         4       3.0      3.00       0.3\r\n"
      "         5       4.0      4.00       0.4\r\n"
      "         6       5.0      5.00       0.5\r\n"
      "         7       6.0      6.00       0.6\r\n"
      "         8       7.0      7.00       0.7\r\n"
      "         9       8.0      8.00       0.8\r\n"
      "        10       9.0      9.00       0.9\r\n"
      "        11      10.0     10.00       1.0\r\n";
  expected += "        12" + std::string(kEmpty) + "\r\n";
  EXPECT_EQ(ReadBytes(folder.File("ALPHA.DTA")), expected);
  EXPECT_EQ(LineRange(folder.File("ALPHA.DSC"), 7, 8),
            "  31  12  2000               : From Date (Day - Month - Year)\r\n"
            "  11   1  2001               : To Date (Day - Month - Year)\r\n");
  EXPECT_EQ(ReadBytes(folder.File("FileDTA.OLD")), "left over\r\n");
  const std::set<std::string> files{"ALPHA.DSC", "ALPHA.DTA", "FileDTA.OLD"};
  EXPECT_EQ(folder.Names(), files);
  EXPECT_EQ(state.Station.NumberOfRecords, 12);
  EXPECT_EQ(state.Station.From(), (Date{31, 12, 2000}));
  EXPECT_EQ(state.Station.To(), (Date{11, 1, 2001}));
}

TEST_F(UpdateRangeMenuTest, TwoRemovedAtTheBeginningAndOneAddedAtTheEnd) {
  WriteAlpha(kDaily, {1, 1, 2001}, {10, 1, 2001});
  form.show();
  Spin("SpinButtonFirst", false, 2);
  QTest::mouseClick(Control(form, "LabelExpandLast"), Qt::LeftButton);
  EXPECT_EQ(TextOf(form, "LabelLOW"), "Removed");
  EXPECT_EQ(TextOf(form, "EditRecLOW"), "         2");
  EXPECT_EQ(TextOf(form, "EditLnNr"), "     9");
  Click(form, "SaveButton");
  std::string expected =
      "        Nr       101       401       501\r\n"
      "         1       3.0      3.00       0.3\r\n"
      "         2       4.0      4.00       0.4\r\n"
      "         3       5.0      5.00       0.5\r\n"
      "         4       6.0      6.00       0.6\r\n"
      "         5       7.0      7.00       0.7\r\n"
      "         6       8.0      8.00       0.8\r\n"
      "         7       9.0      9.00       0.9\r\n"
      "         8      10.0     10.00       1.0\r\n";
  expected += "         9" + std::string(kEmpty) + "\r\n";
  EXPECT_EQ(ReadBytes(folder.File("ALPHA.DTA")), expected);
  EXPECT_EQ(state.Station.From(), (Date{3, 1, 2001}));
}

TEST_F(UpdateRangeMenuTest, ShrinkingAtTheEndByMonthsAndTheShortestSpan) {
  WriteAlpha(kDaily, {30, 12, 2000}, {2, 1, 2001},
             "        Nr       501\r\n         1       0.1\r\n         2       0.2\r\n"
             "         3       0.3\r\n         4       0.4\r\n");
  form.show();
  Radio("RadioMonthLast")->click();
  Spin("SpinButtonLast", false);
  EXPECT_EQ(Combo("ComboDayN"), "31");
  EXPECT_EQ(Combo("ComboMonthN"), "December");
  EXPECT_EQ(TextOf(form, "LabelUP"), "Removed");
  EXPECT_EQ(TextOf(form, "EditRecUP"), "         2");
  // One day is the shortest span: further steps do nothing.
  QTest::mouseClick(Control(form, "LabelShrinkLast"), Qt::LeftButton);
  Spin("SpinButtonLast", false);
  EXPECT_EQ(Combo("ComboDayN"), "30");
  EXPECT_EQ(TextOf(form, "EditRecUP"), "         3");
  EXPECT_EQ(TextOf(form, "EditLnNr"), "     1");
}

TEST_F(UpdateRangeMenuTest, MonthlyMeansNotLinkedToAYearCannotGrowBeyondTheirYear) {
  std::string data = "        Nr       501\r\n";
  for (int i = 1; i <= 12; ++i) data += FormatInt(i, 10) + "       1.0\r\n";
  WriteAlpha(kMonthly, {1, 1, 1901}, {31, 12, 1901}, data);
  form.show();
  EXPECT_TRUE(Shown("CheckNotLinked"));
  EXPECT_TRUE(Control<QCheckBox>(form, "CheckNotLinked")->isChecked());
  EXPECT_FALSE(Shown("FromYearEdit"));
  EXPECT_FALSE(Shown("Year1Label"));
  EXPECT_FALSE(Shown("FirstLabel"));
  Spin("SpinButtonLast", true);
  Spin("SpinButtonFirst", true);
  EXPECT_EQ(TextOf(form, "EditRecUP"), "         0");
  EXPECT_EQ(TextOf(form, "EditRecLOW"), "         0");
  EXPECT_EQ(TextOf(form, "EditLnNr"), "    12");
  // Saving with both counters 0 writes nothing.
  const auto before = Snapshot(folder);
  Click(form, "SaveButton");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(Snapshot(folder), before);
}

TEST_F(UpdateRangeMenuTest, CancelAndAFailedSaveLeaveBothFilesAsTheyWere) {
  FailureHooksLifted lifted;
  WriteAlpha(kDaily, {1, 1, 2001}, {10, 1, 2001});
  const auto before = Snapshot(folder);
  const RepClimateFile open = state.Station;
  form.show();
  Spin("SpinButtonLast", true);
  Click(form, "CancelButton");
  EXPECT_EQ(Snapshot(folder), before);
  EXPECT_EQ(state.Station.LastDayNr, open.LastDayNr);

  // The next opening starts from the open station again.
  form.show();
  EXPECT_EQ(TextOf(form, "EditRecUP"), "         0");
  Spin("SpinButtonLast", true);
  FileSet::InjectRenameFailureForTesting(2);  // the .DSC cannot be put in place
  Click(form, "SaveButton");
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_TRUE(messages.messages[0].startsWith("ERROR:\n"));
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(Snapshot(folder), before);
  EXPECT_EQ(state.Station.LastDayNr, open.LastDayNr);
  EXPECT_EQ(state.Station.NumberOfRecords, 10);
}

}  // namespace
}  // namespace vernoli
