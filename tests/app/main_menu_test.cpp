#include "app/TMainMenu.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "../kit/form_test_support.h"
#include "../kit/recording_modals.h"
#include "app/TPathMenu.h"
#include "app/formnavigator.h"
#include "forms/import/TImportMenu.h"
#include "forms/limits/TLimitsForm.h"
#include "forms/stations/TCreateMenu.h"
#include "forms/stations/TDataForm.h"
#include "forms/stations/TSelectMenu.h"
#include "forms/stations/TUpdateRangeMenu.h"
#include "forms/stations/TUpdateStationMenu.h"
#include "forms/workspace/TUpdateMenu.h"
#include "stations/appstate.h"

namespace vernoli {
namespace {

// The controls that follow the selection.
const char* const kStationControls[] = {"EToButton",        "ImageETo",
                                        "CharacteristicsButton", "DataCharacButton",
                                        "DataRangeButton",  "LimitsButton"};
const char* const kAlwaysEnabled[] = {"PathButton", "SelectButton", "Image2", "CreateButton",
                                      "ImportButton", "ExitButton"};

class MainMenuTest : public ::testing::Test {
 protected:
  MainMenuTest() : state(NewAppState(FoldersOfExecutable("/opt/v/vernoli"))), menu(state, navigator) {
    forms.MainMenu = &menu;
  }

  void Select(const std::string& name) {
    SetStationFiles(state.Station, state.DataFolder, name);
    state.Station.StationName = "Alpha";
    state.Station.Country = "Beta";
  }
  template <typename T = QWidget>
  T* Control(const char* name) {
    T* control = menu.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  void Click(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }

  AppState state;
  Forms forms;
  FormNavigator navigator{forms, state};
  TMainMenu menu;
};

TEST_F(MainMenuTest, CaptionsAreThoseOfTheMenu) {
  EXPECT_EQ(menu.windowTitle(), " Main menu");
  EXPECT_FALSE(menu.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(menu.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(menu.windowFlags() & Qt::WindowCloseButtonHint);
  const std::pair<const char*, const char*> buttons[] = {
      {"PathButton", "Path"},
      {"SelectButton", "         Select a data file         "},
      {"CreateButton", "Create a new file"},
      {"ImportButton", "Import climatic data from file"},
      {"CharacteristicsButton", "Station characteristics"},
      {"DataRangeButton", "Data range"},
      {"LimitsButton", "Data limits"},
      {"DataCharacButton", "Meteorological data"},
      {"EToButton", "Vernoli"},
      {"ExitButton", "Exit Program"},
  };
  for (const auto& [name, caption] : buttons) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Control<QPushButton>(name)->text(), caption);
  }
  EXPECT_EQ(Control<QLabel>("LabelStat")->text(), "Station");
  EXPECT_EQ(Control<QLabel>("LabelCont")->text(), "Country");
  for (const char* panel : {"DataBasePanel", "SelectedFilePanel", "EToPanel", "Panel1"}) {
    Control(panel);
  }
  QStringList texts;
  for (auto* label : menu.findChildren<QLabel*>()) texts << label->text();
  for (const char* text :
       {"File", "Update ", "Display ", "Update meteorological data", "Calculate ETo"}) {
    EXPECT_TRUE(texts.contains(text)) << text;
  }
}

TEST_F(MainMenuTest, WithNoSelectionOnlyTheDataBaseButtonsWork) {
  testing::RecordingModals modals;
  forms.UpdateMenu = new TUpdateMenu(state, navigator, &menu);
  forms.UpdateStationMenu = new TUpdateStationMenu(state, &menu);
  menu.show();
  EXPECT_EQ(Control<QLineEdit>("FileNameEdit")->text(), " None");
  EXPECT_TRUE(Control<QLineEdit>("FileNameEdit")->isReadOnly());
  EXPECT_FALSE(Control("LabelStat")->isVisible());
  EXPECT_FALSE(Control("LabelCont")->isVisible());
  EXPECT_EQ(Control<QLabel>("StationLabel")->text(), "");
  for (const char* name : kStationControls) EXPECT_FALSE(Control(name)->isEnabled()) << name;
  for (const char* name : kAlwaysEnabled) EXPECT_TRUE(Control(name)->isEnabled()) << name;

  // The station buttons and the ETo picture do not respond.
  Click("EToButton");
  Click("ImageETo");
  Click("CharacteristicsButton");
  EXPECT_TRUE(modals.shown.empty());
}

TEST_F(MainMenuTest, ASelectionEnablesTheStationControls) {
  Select("ALPHA");
  menu.show();
  EXPECT_EQ(Control<QLineEdit>("FileNameEdit")->text(), "ALPHA");
  EXPECT_TRUE(Control("LabelStat")->isVisible());
  EXPECT_TRUE(Control("LabelCont")->isVisible());
  EXPECT_EQ(Control<QLabel>("StationLabel")->text(), "Alpha");
  EXPECT_EQ(Control<QLabel>("CountryLabel")->text(), "Beta");
  for (const char* name : kStationControls) EXPECT_TRUE(Control(name)->isEnabled()) << name;
  for (const char* name : kAlwaysEnabled) EXPECT_TRUE(Control(name)->isEnabled()) << name;

  // Cleared by another form, the menu follows at its next refresh.
  ClearSelection(state);
  menu.Refresh();
  EXPECT_EQ(Control<QLineEdit>("FileNameEdit")->text(), " None");
  EXPECT_FALSE(Control("LabelStat")->isVisible());
  for (const char* name : kStationControls) EXPECT_FALSE(Control(name)->isEnabled()) << name;
}

TEST_F(MainMenuTest, EachButtonOpensItsForm) {
  Select("ALPHA");
  struct Case {
    const char* Button;
    QDialog* Form;
  };
  forms.SelectMenu = new TSelectMenu(state, navigator, &menu);
  forms.CreateMenu = new TCreateMenu(state, navigator, &menu);
  forms.ImportMenu = new TImportMenu(state, navigator, &menu);
  forms.UpdateStationMenu = new TUpdateStationMenu(state, &menu);
  forms.UpdateRangeMenu = new TUpdateRangeMenu(state, &menu);
  forms.DataForm = new TDataForm(state, &menu);
  forms.UpdateMenu = new TUpdateMenu(state, navigator, &menu);
  const Case cases[] = {
      {"SelectButton", forms.SelectMenu},      {"Image2", forms.SelectMenu},
      {"CreateButton", forms.CreateMenu},      {"ImportButton", forms.ImportMenu},
      {"CharacteristicsButton", forms.UpdateStationMenu},
      {"DataRangeButton", forms.UpdateRangeMenu},
      {"DataCharacButton", forms.DataForm},    {"EToButton", forms.UpdateMenu},
      {"ImageETo", forms.UpdateMenu},
  };
  menu.show();
  testing::RecordingMessages messages;  // the station of this test has no files
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Button);
    testing::RecordingModals modals;
    Click(c.Button);
    ASSERT_EQ(modals.shown.size(), 1u);
    EXPECT_EQ(modals.shown[0], c.Form);
  }
}

TEST_F(MainMenuTest, FormsThatDoNotExistYetAreNotOpened) {
  Select("ALPHA");
  menu.show();
  testing::RecordingModals modals;
  for (const char* name : {"PathButton", "SelectButton", "CreateButton", "ImportButton",
                           "CharacteristicsButton", "DataRangeButton", "LimitsButton",
                           "DataCharacButton", "EToButton"}) {
    Click(name);
  }
  EXPECT_TRUE(modals.shown.empty());
  EXPECT_TRUE(menu.isVisible());
}

TEST_F(MainMenuTest, AfterTheSelectFormTheFocusGoesToEToWhenAStationIsSelected) {
  forms.SelectMenu = new TSelectMenu(state, navigator, &menu);
  testing::RecordingMessages messages;  // the data folder of this test does not exist
  menu.show();
  menu.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&menu));
  EXPECT_TRUE(Control("SelectButton")->hasFocus());
  testing::RecordingModals modals;
  modals.act = [this](QDialog&) { Select("ALPHA"); };
  Click("SelectButton");
  EXPECT_EQ(Control<QLineEdit>("FileNameEdit")->text(), "ALPHA");
  EXPECT_TRUE(Control("EToButton")->hasFocus());

  modals.act = [this](QDialog&) { ClearSelection(state); };
  Click("SelectButton");
  EXPECT_EQ(Control<QLineEdit>("FileNameEdit")->text(), " None");
  EXPECT_TRUE(Control("SelectButton")->hasFocus());
}

TEST_F(MainMenuTest, ThePathFormMayClearTheSelection) {
  TPathMenu path(state);
  forms.PathMenu = &path;
  Select("ALPHA");
  menu.show();
  testing::RecordingMessages messages;  // the data folder of this test does not exist
  testing::RecordingModals modals;
  modals.act = [&path](QDialog&) {
    path.SetDirectory("/");
    QTest::mouseClick(path.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
  };
  Click("PathButton");
  ASSERT_EQ(modals.shown.size(), 1u);
  EXPECT_EQ(state.DataFolder, "/");
  EXPECT_EQ(Control<QLineEdit>("FileNameEdit")->text(), " None");
  EXPECT_FALSE(Control("LimitsButton")->isEnabled());
}

TEST_F(MainMenuTest, CharacteristicsRefreshesTheNamesOnly) {
  forms.UpdateStationMenu = new TUpdateStationMenu(state, &menu);
  Select("ALPHA");
  menu.show();
  testing::RecordingModals modals;
  modals.act = [this](QDialog&) {
    state.Station.StationName = "Gamma";
    state.Station.Country = "Delta";
  };
  Click("CharacteristicsButton");
  EXPECT_EQ(Control<QLabel>("StationLabel")->text(), "Gamma");
  EXPECT_EQ(Control<QLabel>("CountryLabel")->text(), "Delta");
}

TEST_F(MainMenuTest, LimitsOpensTheLimitsFormForTheSelectedStationWritingTheFile) {
  TLimitsForm limits(state);
  forms.LimitsForm = &limits;
  RepClimateFile other;
  limits.SetStation(other, false);  // left over from another caller
  Select("ALPHA");
  state.Station.Latitude = 10.0;
  menu.show();
  testing::RecordingModals modals;
  QString shownStation;
  modals.act = [&](QDialog&) { shownStation = limits.findChild<QLabel*>("LabelStation")->text(); };
  Click("LimitsButton");
  ASSERT_EQ(modals.shown.size(), 1u);
  EXPECT_EQ(modals.shown[0], &limits);
  EXPECT_EQ(shownStation, "Alpha");
}

TEST_F(MainMenuTest, ExitAsksAndEndsOnlyOnYes) {
  menu.show();
  testing::RecordingMessages messages;
  messages.answers = {false};
  Click("ExitButton");
  EXPECT_EQ(messages.questions, QStringList{"Exit Vernoli ?"});
  EXPECT_TRUE(menu.isVisible());

  messages.answers = {true};
  Click("ExitButton");
  EXPECT_EQ(messages.questions.size(), 2);
  EXPECT_FALSE(menu.isVisible());
}

TEST_F(MainMenuTest, TheCloseBoxEndsWithoutAQuestionAndEscapeDoesNothing) {
  menu.show();
  testing::RecordingMessages messages;
  QTest::keyClick(&menu, Qt::Key_Escape);
  EXPECT_TRUE(menu.isVisible());
  menu.close();
  EXPECT_FALSE(menu.isVisible());
  EXPECT_TRUE(messages.questions.isEmpty());
}

}  // namespace
}  // namespace vernoli
