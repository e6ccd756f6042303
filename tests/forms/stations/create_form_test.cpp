#include "forms/stations/TCreateMenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <set>
#include <vector>
#include <gtest/gtest.h>

#include "../../kit/form_test_support.h"
#include "../../kit/recording_modals.h"
#include "forms/workspace/TUpdateMenu.h"
#include "station_forms.h"
#include "stations/fileset.h"

namespace vernoli {
namespace {

using test_support::Click;
using test_support::Control;
using test_support::Enter;
using test_support::FailureHooksLifted;
using test_support::LineRange;
using test_support::LinesOf;
using test_support::ReadBytes;
using test_support::Snapshot;
using test_support::TextOf;
using test_support::WriteStation;

constexpr std::string_view kTenDailyData =
    "        Nr       101       501\r\n"
    "         1      12.5    -999.0\r\n"
    "         2      13.0       3.1\r\n";

class CreateMenuTest : public test_support::StationFormTest {
 protected:
  CreateMenuTest() : workspace(state, navigator), form(state, navigator) {
    forms.CreateMenu = &form;
    forms.UpdateMenu = &workspace;
  }

  void Open(CreateMode mode) {
    form.SetMode(mode);
    form.show();
  }
  bool Shown(const char* name) { return Control(form, name)->isVisible(); }
  bool Checked(const char* name) { return Control<QAbstractButton>(form, name)->isChecked(); }
  QComboBox* Box(const char* name) { return Control<QComboBox>(form, name); }
  // The user chooses item `index` of a list (also the one it shows).
  void Choose(const char* box, int index) {
    Box(box)->setCurrentIndex(index);
    emit Box(box)->activated(index);
  }

  // A station "ALPHA" whose settings all differ from those of a new station.
  void WriteAlpha() {
    WriteStation(folder, "ALPHA", kTenDaily, {1, 4, 2001}, {20, 4, 2001}, kTenDailyData);
    RepClimateFile alpha;
    SetStationFiles(alpha, folder.Folder(), "ALPHA");
    ASSERT_TRUE(ReadStationDescription(alpha));
    alpha.WindHeight = 10.0;
    alpha.PsychrometerCoefficient = 0.000662;
    alpha.TdewTminDifference = 2.0;
    alpha.DefaultU2 = 4.0;
    alpha.Settings.AngstromA = 0.18;
    alpha.Flags.ElevationAdjustment = 0;
    alpha.Limits.LimitTmax = 50;
    alpha.Longitude = -3.68;  // shown with its hemisphere, without the sign
    ASSERT_TRUE(WriteStationDescription(alpha));
    SelectInFolder("ALPHA");
  }

  testing::RecordingMessages messages;
  testing::RecordingModals modals;
  TUpdateMenu workspace;
  TCreateMenu form;
};

TEST_F(CreateMenuTest, NewFileModeOpensWithItsCaptionsAndDefaults) {
  Open(CreateMode::NewFile);
  EXPECT_EQ(form.windowTitle(), " Create menu");
  EXPECT_EQ(TextOf(form, "CreateButton"), "Create");
  EXPECT_EQ(TextOf(form, "CancelButton"), "Cancel");
  EXPECT_TRUE(Control(form, "EditName")->isEnabled());
  EXPECT_EQ(form.focusWidget(), Control(form, "EditName"));
  for (const char* name : {"EditName", "StationEdit", "CountryEdit"}) {
    EXPECT_EQ(TextOf(form, name), "") << name;
  }
  for (const char* name : {"ClimDataBox", "TimeRangeBox", "CoorDinPanel", "PanelSwitch",
                           "GroupBoxExtra"}) {
    EXPECT_TRUE(Shown(name)) << name;
  }
  for (const char* name : {"NewNameEdit", "NewNameLabel", "NewNameShape", "NewNameShape2",
                           "CoorCopyPanel", "TypePanel", "GroupBoxTimeCopy"}) {
    EXPECT_FALSE(Shown(name)) << name;
  }
  const std::pair<const char*, const char*> groups[] = {{"ClimDataBox", " Meteorological Data "},
                                                        {"TimeRangeBox", " Time range "},
                                                        {"GroupBoxExtra", " Location "},
                                                        {"GroupBoxTimeCopy", " Time range "}};
  for (const auto& [name, title] : groups) {
    EXPECT_EQ(Control<QGroupBox>(form, name)->title(), title) << name;
  }
  const std::pair<const char*, const char*> captions[] = {
      {"RadioDay", "Daily"},        {"RadioDecade", "10-daily"},
      {"RadioMonth", "Monthly"},    {"CheckNotLinked", "not linked to a specific year"},
      {"Day1Label", "Day"},         {"DayNLabel", "Day"},
      {"Year1Label", "First Year"}, {"YearNLabel", "Last Year"},
      {"FirstLabel", "First"},      {"LastLabel", "Last"},
      {"NewNameLabel", ">>>  New File name"}};
  for (const auto& [name, caption] : captions) EXPECT_EQ(TextOf(form, name), caption) << name;

  // The defaults of a new station.
  EXPECT_EQ(TextOf(form, "LatDegEdit"), "    22");
  EXPECT_EQ(TextOf(form, "LatMinEdit"), "    22");
  EXPECT_EQ(Box("LatitudeBox")->currentText(), "North");
  EXPECT_EQ(TextOf(form, "LonDegDecEdit"), "    22.37");
  EXPECT_EQ(Box("LongitudeBox")->currentText(), "East");
  EXPECT_EQ(TextOf(form, "AltitudeEdit"), "   222");
  for (const char* name : {"RadioInter", "RadioHumid", "RadioUdef", "RadioDay", "RadioDegMin"}) {
    EXPECT_TRUE(Checked(name)) << name;
  }
  EXPECT_FALSE(Checked("CheckNotLinked"));
  EXPECT_EQ(Box("ComboDay1")->currentText(), "1");
  EXPECT_EQ(Box("ComboMonth1")->currentText(), "January");
  EXPECT_EQ(TextOf(form, "FromYearEdit"), "  2005");
  EXPECT_EQ(Box("ComboDayN")->currentText(), "31");
  EXPECT_EQ(Box("ComboMonthN")->currentText(), "December");
  EXPECT_EQ(TextOf(form, "ToYearEdit"), "  2005");
  EXPECT_TRUE(Shown("ComboDay1"));
  EXPECT_FALSE(Shown("ComboDec1"));
  testing::SaveScreenshot(&form, "TCreateMenu");

  // Every opening starts from the defaults again.
  Control<QRadioButton>(form, "RadioMonth")->click();
  Enter(form, "AltitudeEdit", "15");
  form.reject();
  Open(CreateMode::NewFile);
  EXPECT_TRUE(Checked("RadioDay"));
  EXPECT_EQ(TextOf(form, "AltitudeEdit"), "   222");
}

TEST_F(CreateMenuTest, ANameWithBlanksMakesTheStationAndOpensTheWorkspaceOnIt) {
  bool cancelEnabled = true;
  QString page;
  std::string station;
  modals.act = [&](QDialog&) {
    cancelEnabled = Control(workspace, "CancelButton")->isEnabled();
    page = Control<QTabWidget>(workspace, "PageControl1")->currentWidget()->objectName();
    station = state.Station.FileName;
  };
  Open(CreateMode::NewFile);
  Control<QLineEdit>(form, "EditName")->setText("my station");
  Control<QLineEdit>(form, "StationEdit")->setText("Alpha");
  Control<QLineEdit>(form, "CountryEdit")->setText(QString::fromUtf8("C\u00F4te"));
  Click(form, "CreateButton");
  EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("|").toStdString();
  const std::set<std::string> files{"mystation.DSC", "mystation.DTA"};
  EXPECT_EQ(folder.Names(), files);
  const std::vector<std::string> data = LinesOf(ReadBytes(folder.File("mystation.DTA")));
  ASSERT_EQ(data.size(), 366u);
  EXPECT_EQ(data[0], "        Nr       501");
  EXPECT_EQ(data[1], "         1    -999.0");
  EXPECT_EQ(data[365], "       365    -999.0");
  // The country is a text of the file, in Windows-1252.
  EXPECT_EQ(LineRange(folder.File("mystation.DSC"), 1, 2), "Alpha\r\nC\xF4te\r\n");

  // The new station is the selected one, and the workspace opened on it.
  EXPECT_EQ(state.Station.FileName, "mystation");
  EXPECT_EQ(state.Station.OutputName, "mystation");
  EXPECT_EQ(state.Station.DtaFileName, folder.File("mystation.DTA"));
  EXPECT_EQ(modals.names, QStringList{"UpdateMenu"});
  EXPECT_EQ(station, "mystation");
  // The new station cannot be cancelled in the workspace; its description page is in front.
  EXPECT_FALSE(cancelEnabled);
  EXPECT_EQ(page, "DescriptionSheet");
  EXPECT_TRUE(form.Created());
  EXPECT_FALSE(form.isVisible());
}

TEST_F(CreateMenuTest, TenDailyDataFromJanuaryToFebruary2004MakeSixRecords) {
  Open(CreateMode::NewFile);
  Control<QLineEdit>(form, "EditName")->setText("alpha");
  Control<QRadioButton>(form, "RadioDecade")->click();
  EXPECT_EQ(TextOf(form, "Day1Label"), "Dec");
  EXPECT_TRUE(Shown("ComboDec1"));
  EXPECT_FALSE(Shown("ComboDay1"));
  Choose("ComboDec1", 0);
  Choose("ComboMonth1", 0);
  Enter(form, "FromYearEdit", "2004");
  Choose("ComboDecN", 2);  // decade 3 of December: day 21
  EXPECT_EQ(Box("ComboDayN")->currentText(), "21");
  Choose("ComboMonthN", 1);
  Enter(form, "ToYearEdit", "2004");
  EXPECT_EQ(Box("ComboDecN")->currentText(), "3");
  EXPECT_EQ(Box("ComboMonthN")->currentText(), "February");
  EXPECT_EQ(TextOf(form, "ToYearEdit"), "  2004");
  Click(form, "CreateButton");
  ASSERT_TRUE(form.Created()) << messages.messages.join("|").toStdString();
  EXPECT_EQ(state.Station.FromDay, 1);
  EXPECT_EQ(state.Station.ToDay, 29);
  EXPECT_EQ(state.Station.NumberOfRecords, 6);
  EXPECT_EQ(LineRange(folder.File("alpha.DSC"), 6, 8),
            "      2                      : 10-daily data\r\n"
            "   1   1  2004               : From Date (Day - Month - Year)\r\n"
            "  29   2  2004               : To Date (Day - Month - Year)\r\n");
  EXPECT_EQ(ReadBytes(folder.File("alpha.DTA")),
            "        Nr       501\r\n"
            "         1    -999.0\r\n"
            "         2    -999.0\r\n"
            "         3    -999.0\r\n"
            "         4    -999.0\r\n"
            "         5    -999.0\r\n"
            "         6    -999.0\r\n");
}

TEST_F(CreateMenuTest, MonthlyDataNotLinkedToAYearHideDaysAndYears) {
  Open(CreateMode::NewFile);
  Control<QLineEdit>(form, "EditName")->setText("means");
  Control<QRadioButton>(form, "RadioMonth")->click();
  Control<QCheckBox>(form, "CheckNotLinked")->click();
  for (const char* name : {"Day1Label", "DayNLabel", "ComboDay1", "ComboDayN", "ComboDec1",
                           "ComboDecN", "FirstLabel", "LastLabel", "FromYearEdit", "ToYearEdit",
                           "Year1Label", "YearNLabel"}) {
    EXPECT_FALSE(Shown(name)) << name;
  }
  EXPECT_TRUE(Shown("ComboMonth1"));
  Click(form, "CreateButton");
  ASSERT_TRUE(form.Created()) << messages.messages.join("|").toStdString();
  EXPECT_EQ(LineRange(folder.File("means.DSC"), 6, 8),
            "      3                      : monthly data\r\n"
            "   1   1  1901               : From Date (Day - Month - Year)\r\n"
            "  31  12  1901               : To Date (Day - Month - Year)\r\n");
  EXPECT_EQ(LinesOf(ReadBytes(folder.File("means.DTA"))).size(), 13u);
  EXPECT_EQ(state.Station.NumberOfRecords, 12);

  // Unchecking links the span to 2005 again.
  Open(CreateMode::NewFile);
  Control<QCheckBox>(form, "CheckNotLinked")->click();
  Control<QCheckBox>(form, "CheckNotLinked")->click();
  EXPECT_TRUE(Shown("FromYearEdit"));
  EXPECT_EQ(TextOf(form, "FromYearEdit"), "  2005");
}

TEST_F(CreateMenuTest, DatesAreNormalisedAndTheSpanIsNeverInverted) {
  Open(CreateMode::NewFile);
  Choose("ComboDay1", 30);  // 31
  Choose("ComboMonth1", 3);  // April: 31 April is 1 May
  EXPECT_EQ(Box("ComboDay1")->currentText(), "1");
  EXPECT_EQ(Box("ComboMonth1")->currentText(), "May");
  // A first year after the last record: the first record becomes the last one.
  Enter(form, "FromYearEdit", "2006");
  EXPECT_EQ(Box("ComboDay1")->currentText(), "31");
  EXPECT_EQ(Box("ComboMonth1")->currentText(), "December");
  EXPECT_EQ(TextOf(form, "FromYearEdit"), "  2005");
  // A year outside 1902..2099 is set to the limit with the message.
  Enter(form, "ToYearEdit", "2100");
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nvalue is larger than Maximum (=    2099)"});
  EXPECT_EQ(TextOf(form, "ToYearEdit"), "  2099");
  Enter(form, "ToYearEdit", "soon");
  EXPECT_EQ(TextOf(form, "ToYearEdit"), "  2005");  // 2000 would lie before the first record
}

TEST_F(CreateMenuTest, ALatitudeOf75IsSetTo69WithTheMessage) {
  Open(CreateMode::NewFile);
  Control<QLineEdit>(form, "EditName")->setText("north");
  Enter(form, "LatDegEdit", "75");
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nvalue is larger than Maximum (=      69)"});
  EXPECT_EQ(TextOf(form, "LatDegEdit"), "    69");
  EXPECT_EQ(TextOf(form, "LatDegDecEdit"), "    69.37");
  Click(form, "CreateButton");
  ASSERT_TRUE(form.Created());
  EXPECT_NEAR(state.Station.Latitude, 69.0 + 22.0 / 60.0, 1e-12);
  EXPECT_EQ(LineRange(folder.File("north.DSC"), 3, 3),
            "     69.37                   : Latitude (degrees)\r\n");
}

TEST_F(CreateMenuTest, RefusedNamesChangeNothingAndKeepTheFormOpen) {
  WriteAlpha();
  const auto before = Snapshot(folder);
  const RepClimateFile selected = state.Station;
  const std::pair<const char*, const char*> rows[] = {
      {"ALPHA", "ERROR:\nFilename exists already"},
      {"  ", "ERROR:\nFileName is not yet specified"},
      {"a/b", "ERROR:\nillegal filename"},
  };
  Open(CreateMode::NewFile);
  for (const auto& [name, message] : rows) {
    SCOPED_TRACE(name);
    messages.messages.clear();
    Control<QLineEdit>(form, "EditName")->setText(name);
    Click(form, "CreateButton");
    EXPECT_EQ(messages.messages, QStringList{message});
    EXPECT_EQ(Snapshot(folder), before);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.Created());
    EXPECT_EQ(form.focusWidget(), Control(form, "EditName"));
  }
  EXPECT_EQ(state.Station.FileName, selected.FileName);
  EXPECT_TRUE(modals.shown.empty());
}

TEST_F(CreateMenuTest, CopyModeShowsTheStationThatIsCopied) {
  WriteAlpha();
  Open(CreateMode::Copy);
  EXPECT_EQ(form.windowTitle(), " Copy menu");
  EXPECT_EQ(TextOf(form, "CreateButton"), "Copy");
  EXPECT_EQ(TextOf(form, "EditName"), "ALPHA");
  EXPECT_FALSE(Control(form, "EditName")->isEnabled());
  EXPECT_EQ(TextOf(form, "StationEdit"), "Alpha");
  EXPECT_EQ(TextOf(form, "CountryEdit"), "Beta");
  EXPECT_EQ(TextOf(form, "NewNameEdit"), "");
  EXPECT_EQ(form.focusWidget(), Control(form, "NewNameEdit"));
  for (const char* name : {"NewNameEdit", "NewNameLabel", "CoorCopyPanel", "TypePanel",
                           "GroupBoxTimeCopy", "Day1LabelC", "FirstLabelC", "Year1Lab"}) {
    EXPECT_TRUE(Shown(name)) << name;
  }
  for (const char* name : {"ClimDataBox", "TimeRangeBox", "CoorDinPanel", "PanelSwitch",
                           "GroupBoxExtra", "LabelNotLinked"}) {
    EXPECT_FALSE(Shown(name)) << name;
  }
  const std::pair<const char*, const char*> texts[] = {
      {"LatLabel", "41.90 North (41 degrees 54 minutes)"},
      {"LongLabel", "3.68 West (3 degrees 41 minutes)"},
      {"AltLabel", "100 meter above sea level"},
      {"TypeLabel", "10-Daily meteorological data"},
      {"Day1LabelC", "Dec:"},
      {"Day1Lab", " 1"},
      {"Month1Lab", "April"},
      {"Year1Lab", "2001"},
      {"DayNLab", " 2"},
      {"MonthNLab", "April"},
      {"YearNLab", "2001"},
      {"Month1LabelC", "First Month:"},
      {"MonthNLabelC", "Last Month:"},
      {"Year1LabelC", "First Year:"},
      {"YearNLabelC", "Last Year:"},
      {"LabelNotLinked", "Not linked to a specific year"},
  };
  for (const auto& [name, text] : texts) EXPECT_EQ(TextOf(form, name), text) << name;
}

TEST_F(CreateMenuTest, ACopyWithANewNameKeepsEverySettingAndTheData) {
  WriteAlpha();
  Open(CreateMode::Copy);
  Control<QLineEdit>(form, "NewNameEdit")->setText("GAMMA");
  Control<QLineEdit>(form, "StationEdit")->setText("Gamma");
  Control<QLineEdit>(form, "CountryEdit")->setText("Delta");
  Click(form, "CreateButton");
  ASSERT_TRUE(form.Created()) << messages.messages.join("|").toStdString();
  EXPECT_EQ(ReadBytes(folder.File("GAMMA.DTA")), ReadBytes(folder.File("ALPHA.DTA")));
  const std::vector<std::string> copy = LinesOf(ReadBytes(folder.File("GAMMA.DSC")));
  const std::vector<std::string> original = LinesOf(ReadBytes(folder.File("ALPHA.DSC")));
  ASSERT_EQ(copy.size(), original.size());
  EXPECT_EQ(copy[0], "Gamma");
  EXPECT_EQ(copy[1], "Delta");
  for (std::size_t i = 2; i < copy.size(); ++i) EXPECT_EQ(copy[i], original[i]) << "line " << i + 1;
  EXPECT_EQ(state.Station.FileName, "GAMMA");
  EXPECT_EQ(state.Station.StationName, "Gamma");
  EXPECT_DOUBLE_EQ(state.Station.WindHeight, 10.0);
  EXPECT_EQ(modals.names, QStringList{"UpdateMenu"});
}

TEST_F(CreateMenuTest, ACopyToTheNameOfAnExistingStationChangesNothing) {
  WriteAlpha();
  WriteStation(folder, "BETA", kDaily, {1, 1, 2001}, {2, 1, 2001}, "        Nr       501\r\n");
  const auto before = Snapshot(folder);
  Open(CreateMode::Copy);
  Control<QLineEdit>(form, "NewNameEdit")->setText("BETA");
  Click(form, "CreateButton");
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nFilename exists already"});
  EXPECT_EQ(Snapshot(folder), before);
  EXPECT_FALSE(form.Created());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.focusWidget(), Control(form, "NewNameEdit"));
  EXPECT_EQ(state.Station.FileName, "ALPHA");
}

TEST_F(CreateMenuTest, AFailureInTheMiddleLeavesTheFolderAsItWas) {
  FailureHooksLifted lifted;
  WriteAlpha();
  const auto before = Snapshot(folder);
  for (CreateMode mode : {CreateMode::NewFile, CreateMode::Copy}) {
    SCOPED_TRACE(mode == CreateMode::Copy ? "copy" : "new file");
    messages.messages.clear();
    Open(mode);
    Control<QLineEdit>(form, mode == CreateMode::Copy ? "NewNameEdit" : "EditName")
        ->setText("DELTA");
    // The second file cannot be put in place: the first goes back out again.
    FileSet::InjectRenameFailureForTesting(2);
    Click(form, "CreateButton");
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].startsWith("ERROR:\n")) << messages.messages[0].toStdString();
    EXPECT_EQ(Snapshot(folder), before);
    EXPECT_FALSE(form.Created());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(state.Station.FileName, "ALPHA");
    EXPECT_TRUE(modals.shown.empty());
    form.reject();
  }
}

}  // namespace
}  // namespace vernoli
