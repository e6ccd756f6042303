#include "forms/stations/TSelectMenu.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "../../kit/form_test_support.h"
#include "../../kit/recording_modals.h"
#include "app/TMainMenu.h"
#include "forms/stations/TCharacteristicsMenu.h"
#include "forms/stations/TCreateMenu.h"
#include "forms/stations/TDataForm.h"
#include "forms/workspace/TUpdateMenu.h"
#include "station_forms.h"

namespace vernoli {
namespace {

using test_support::Click;
using test_support::Control;
using test_support::LinesOf;
using test_support::ReadBytes;
using test_support::Snapshot;
using test_support::TextOf;
using test_support::WriteBytes;
using test_support::WriteStation;

constexpr std::string_view kData =
    "        Nr       101       501\r\n"
    "         1      12.5    -999.0\r\n"
    "         2      13.0       3.1\r\n";

const char* const kStationButtons[] = {"MainMenuButton", "CopyButton", "DeleteButton",
                                       "CharacteristicsButton", "DataButton"};

class SelectMenuTest : public test_support::StationFormTest {
 protected:
  SelectMenuTest() : form(state, navigator) { forms.SelectMenu = &form; }

  // Three stations, written out of alphabetical order.
  void WriteThree() {
    WriteStation(folder, "GAMMA", kDaily, {1, 1, 2001}, {2, 1, 2001}, kData);
    WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {2, 1, 2001}, kData);
    WriteStation(folder, "Beta", kDaily, {1, 1, 2001}, {2, 1, 2001}, kData);
  }
  QTableWidget* Grid() { return Control<QTableWidget>(form, "FileStringGrid"); }
  QStringList Column(int column) {
    QStringList texts;
    for (int row = 0; row < Grid()->rowCount(); ++row) texts << Grid()->item(row, column)->text();
    return texts;
  }
  // A click on a row of the grid.
  void ClickRow(int row) {
    const QRect cell = Grid()->visualRect(Grid()->model()->index(row, 0));
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
  }

  testing::RecordingMessages messages;
  testing::RecordingModals modals;
  TSelectMenu form;
};

TEST_F(SelectMenuTest, CaptionsAndTheHeadingOfTheList) {
  form.show();
  EXPECT_EQ(form.windowTitle(), " Select station menu");
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  const std::pair<const char*, const char*> buttons[] = {
      {"MainMenuButton", "Select and Main menu"},
      {"CopyButton", "  Copy file"},
      {"DeleteButton", "Delete file"},
      {"CharacteristicsButton", "Display Station characteristics"},
      {"DataButton", "  Display Data characteristics"},
      {"CancelButton", "Cancel"},
  };
  for (const auto& [name, caption] : buttons) EXPECT_EQ(TextOf(form, name), caption) << name;
  QStringList heading;
  for (int c = 0; c < Grid()->columnCount(); ++c) heading << Grid()->horizontalHeaderItem(c)->text();
  EXPECT_EQ(heading, (QStringList{"file", "Station", "Country"}));
  QStringList texts;
  for (auto* label : form.findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains("Path: "));
  EXPECT_TRUE(texts.contains("Select a data file from list"));
  EXPECT_EQ(Control<QGroupBox>(form, "SelectedFileBox")->title(), " selected file ");
  EXPECT_EQ(TextOf(form, "PathLabel"), QString::fromStdString(folder.Folder()));
  EXPECT_TRUE(Control<QLineEdit>(form, "SelectedFileEdit")->isReadOnly());
  EXPECT_EQ(Grid()->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(SelectMenuTest, WithNoStationSelectedTheFirstListedIsTheCandidate) {
  WriteThree();
  WriteBytes(folder.File("A.B.DSC"), "Dotted\r\nName\r\n");
  WriteBytes(folder.File(".hidden.DSC"), "Hidden\r\nFile\r\n");
  WriteBytes(folder.File("FileDTA.OLD"), "        Nr       501\r\n");
  form.show();
  EXPECT_EQ(Column(0), (QStringList{"A", "alpha", "Beta", "GAMMA"}));
  EXPECT_EQ(Column(1), (QStringList{"Dotted", "Alpha", "Alpha", "Alpha"}));
  EXPECT_EQ(Column(2), (QStringList{"Name", "Beta", "Beta", "Beta"}));
  EXPECT_EQ(TextOf(form, "SelectedFileEdit"), "A");
  EXPECT_EQ(form.Candidate(), "A");
  EXPECT_EQ(Grid()->currentRow(), 0);
  for (const char* name : kStationButtons) EXPECT_TRUE(Control(form, name)->isEnabled()) << name;
  EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(SelectMenuTest, TheCursorFindsTheSelectedStationWithoutRegardToLetterCase) {
  WriteThree();
  SelectInFolder("Beta");
  state.Station.FileName = "BETA";  // as stored by an earlier run, in other letters
  form.show();
  EXPECT_EQ(Grid()->currentRow(), 1);
  EXPECT_EQ(TextOf(form, "SelectedFileEdit"), "BETA");

  // A click makes the clicked row's file the candidate; the selection stays.
  ClickRow(2);
  EXPECT_EQ(TextOf(form, "SelectedFileEdit"), "GAMMA");
  EXPECT_EQ(state.Station.FileName, "BETA");
}

TEST_F(SelectMenuTest, AnEmptyFolderLeavesOnlyCancel) {
  form.show();
  EXPECT_EQ(Grid()->rowCount(), 0);
  EXPECT_FALSE(Grid()->isEnabled());
  for (const char* name : kStationButtons) EXPECT_FALSE(Control(form, name)->isEnabled()) << name;
  EXPECT_TRUE(Control(form, "CancelButton")->isEnabled());
  EXPECT_EQ(TextOf(form, "SelectedFileEdit"), "");
}

TEST_F(SelectMenuTest, AFolderThatCannotBeListedIsReported) {
  state.DataFolder = folder.File("missing") + "/";
  form.show();
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_TRUE(messages.messages[0].startsWith("ERROR:\n"));
  EXPECT_EQ(Grid()->rowCount(), 0);
  EXPECT_FALSE(Control(form, "MainMenuButton")->isEnabled());
}

TEST_F(SelectMenuTest, AnUnreadableDescriptionIsListedWithoutAName) {
  WriteThree();
  ASSERT_EQ(::mkdir(folder.File("broken.DSC").c_str(), 0700), 0);  // a folder is skipped
  ASSERT_EQ(::symlink(folder.File("nowhere").c_str(), folder.File("dangling.DSC").c_str()), 0);
  form.show();
  EXPECT_EQ(Column(0), (QStringList{"alpha", "Beta", "dangling", "GAMMA"}));
  EXPECT_EQ(Column(1), (QStringList{"Alpha", "Alpha", "", "Alpha"}));
}

TEST_F(SelectMenuTest, SelectAndMainMenuSelectsTheCandidateAndCloses) {
  WriteThree();
  form.show();
  ClickRow(1);
  Click(form, "MainMenuButton");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(state.Station.FileName, "Beta");
  EXPECT_EQ(state.Station.OutputName, "Beta");
  EXPECT_EQ(state.Station.DscFileName, folder.File("Beta.DSC"));
  EXPECT_EQ(state.Station.DtaFileName, folder.File("Beta.DTA"));
  EXPECT_EQ(state.Station.StationName, "Alpha");
  EXPECT_EQ(state.Station.NumberOfParameters, 2);
}

TEST_F(SelectMenuTest, ADoubleClickSelectsThatRowAndCloses) {
  WriteThree();
  form.show();
  const QRect cell = Grid()->visualRect(Grid()->model()->index(2, 1));
  QTest::mousePress(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseRelease(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(state.Station.FileName, "GAMMA");
}

TEST_F(SelectMenuTest, TheViewsSelectTheCandidateKeepingTheOutputName) {
  WriteThree();
  TCharacteristicsMenu characteristics(state);
  TDataForm data(state);
  forms.CharacteristicsMenu = &characteristics;
  forms.DataForm = &data;
  SelectInFolder("alpha");
  state.Station.OutputName = "report";
  form.show();
  ClickRow(2);
  Click(form, "CharacteristicsButton");
  ClickRow(1);
  Click(form, "DataButton");
  EXPECT_EQ(modals.names, (QStringList{"CharacteristicsMenu", "DataForm"}));
  EXPECT_TRUE(form.isVisible());
  // Cancel leaves the station last viewed selected, with the paths of both of its files.
  Click(form, "CancelButton");
  EXPECT_EQ(state.Station.FileName, "Beta");
  EXPECT_EQ(state.Station.DscFileName, folder.File("Beta.DSC"));
  EXPECT_EQ(state.Station.DtaFileName, folder.File("Beta.DTA"));
  EXPECT_EQ(state.Station.OutputName, "report");
}

TEST_F(SelectMenuTest, DeletingTheSelectedStationClearsTheMainMenusSelection) {
  WriteThree();
  TMainMenu menu(state, navigator);
  forms.MainMenu = &menu;
  SelectInFolder("Beta");
  menu.show();
  modals.act = [&](QDialog& shown) {
    if (&shown != &form) return;
    EXPECT_EQ(TextOf(form, "SelectedFileEdit"), "Beta");
    messages.answers = {true};
    Click(form, "DeleteButton");
    EXPECT_EQ(messages.questions,
              QStringList{QString::fromUtf8("Delete File \u00ABBeta\u00BB ?")});
    EXPECT_EQ(Column(0), (QStringList{"alpha", "GAMMA"}));
    // No station is selected any more: the first listed is the candidate.
    EXPECT_EQ(TextOf(form, "SelectedFileEdit"), "alpha");
    Click(form, "CancelButton");
  };
  Click(menu, "SelectButton");
  EXPECT_EQ(modals.names, QStringList{"SelectMenu"});
  EXPECT_EQ(folder.Names().count("Beta.DSC"), 0u);
  EXPECT_EQ(folder.Names().count("Beta.DTA"), 0u);
  EXPECT_EQ(state.Station.FileName, "");
  EXPECT_EQ(TextOf(menu, "FileNameEdit"), " None");
  EXPECT_FALSE(Control(menu, "EToButton")->isEnabled());
}

TEST_F(SelectMenuTest, DeletingAnotherStationKeepsTheSelectionAndNoKeepsTheFiles) {
  WriteThree();
  SelectInFolder("Beta");
  form.show();
  ClickRow(2);
  const auto before = Snapshot(folder);
  messages.answers = {false};
  Click(form, "DeleteButton");
  EXPECT_EQ(Snapshot(folder), before);

  messages.answers = {true};
  Click(form, "DeleteButton");
  EXPECT_EQ(messages.questions.last(), QString::fromUtf8("Delete File \u00ABGAMMA\u00BB ?"));
  EXPECT_EQ(Column(0), (QStringList{"alpha", "Beta"}));
  EXPECT_EQ(state.Station.FileName, "Beta");
  EXPECT_EQ(TextOf(form, "SelectedFileEdit"), "Beta");
  EXPECT_EQ(Grid()->currentRow(), 1);
}

TEST_F(SelectMenuTest, DeletingAStationWhoseDataFileIsMissingSaysSo) {
  WriteThree();
  ASSERT_EQ(::unlink(folder.File("GAMMA.DTA").c_str()), 0);
  form.show();
  ClickRow(2);
  messages.answers = {true};
  Click(form, "DeleteButton");
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_NE(messages.messages[0].indexOf("was not there"), -1);
  EXPECT_EQ(Column(0), (QStringList{"alpha", "Beta"}));
}

TEST_F(SelectMenuTest, ACopyThroughTheCreateFormSelectsItAndClosesTheList) {
  WriteThree();
  TCreateMenu create(state, navigator);
  forms.CreateMenu = &create;
  TUpdateMenu workspace(state, navigator);
  forms.UpdateMenu = &workspace;
  form.show();
  ClickRow(1);
  modals.act = [&](QDialog& shown) {
    if (&shown != &create) return;
    EXPECT_EQ(create.Mode(), CreateMode::Copy);
    EXPECT_EQ(TextOf(create, "EditName"), "Beta");
    Control<QLineEdit>(create, "NewNameEdit")->setText("DELTA");
    Control<QLineEdit>(create, "StationEdit")->setText("Delta station");
    Click(create, "CreateButton");
  };
  Click(form, "CopyButton");
  EXPECT_EQ(modals.names, (QStringList{"CreateMenu", "UpdateMenu"}));
  EXPECT_EQ(state.Station.FileName, "DELTA");
  EXPECT_EQ(state.Station.StationName, "Delta station");
  EXPECT_EQ(ReadBytes(folder.File("DELTA.DTA")), kData);
  EXPECT_EQ(LinesOf(ReadBytes(folder.File("DELTA.DSC")))[0], "Delta station");
  EXPECT_FALSE(form.isVisible());
}

TEST_F(SelectMenuTest, ACopyToAnExistingNameLeavesTheListOpen) {
  WriteThree();
  TCreateMenu create(state, navigator);
  forms.CreateMenu = &create;
  form.show();
  ClickRow(1);
  const auto before = Snapshot(folder);
  modals.act = [&](QDialog& shown) {
    if (&shown != &create) return;
    Control<QLineEdit>(create, "NewNameEdit")->setText("GAMMA");
    Click(create, "CreateButton");
  };
  Click(form, "CopyButton");
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nFilename exists already"});
  EXPECT_EQ(Snapshot(folder), before);
  EXPECT_TRUE(form.isVisible());
  // The copied station became the selected one and the candidate.
  EXPECT_EQ(state.Station.FileName, "Beta");
  EXPECT_EQ(TextOf(form, "SelectedFileEdit"), "Beta");
}

// After a copy, Enter in the list or on a new showing chooses the station; it never copies again.
TEST_F(SelectMenuTest, TheDefaultButtonStaysMainMenuAfterACopy) {
  WriteThree();
  TCreateMenu create(state, navigator);
  forms.CreateMenu = &create;
  TUpdateMenu workspace(state, navigator);
  forms.UpdateMenu = &workspace;
  auto* copy = Control<QPushButton>(form, "CopyButton");
  auto* mainMenu = Control<QPushButton>(form, "MainMenuButton");
  form.show();
  ClickRow(1);
  modals.act = [&](QDialog& shown) {
    if (&shown != &create) return;
    Control<QLineEdit>(create, "NewNameEdit")->setText("GAMMA");  // exists: the list stays
    Click(create, "CreateButton");
  };
  Click(form, "CopyButton");
  ASSERT_TRUE(form.isVisible());
  EXPECT_TRUE(mainMenu->isDefault());
  EXPECT_FALSE(copy->hasFocus());

  modals.act = [&](QDialog& shown) {
    if (&shown != &create) return;
    Control<QLineEdit>(create, "NewNameEdit")->setText("DELTA");
    Click(create, "CreateButton");
  };
  Click(form, "CopyButton");
  ASSERT_FALSE(form.isVisible());
  form.show();
  EXPECT_TRUE(mainMenu->isDefault());
  EXPECT_FALSE(copy->isDefault());
}

}  // namespace
}  // namespace vernoli
