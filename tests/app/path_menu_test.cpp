#include "app/TPathMenu.h"

#include <QCoreApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <filesystem>

#include "../kit/form_test_support.h"
#include "../model/scratch_folder.h"
#include "stations/appstate.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;

// A scratch folder holding "Data", "DATA" (another folder on a case-sensitive file system) and
// "Other"; the data folder is "Data" with ALPHA selected.
class PathMenuTest : public ::testing::Test {
 protected:
  PathMenuTest() : state(NewAppState(FoldersOfExecutable("/opt/v/vernoli"))), form(state) {
    for (const char* name : {"Data", "DATA", "Other"}) {
      std::filesystem::create_directory(root.Folder() + name);
    }
    state.DataFolder = root.Folder() + "Data/";
    SetStationFiles(state.Station, state.DataFolder, "ALPHA");
    state.Station.StationName = "Alpha";
  }

  QString Root() const { return QString::fromStdString(root.Folder()); }
  void PressOK() { QTest::mouseClick(form.findChild<QPushButton*>("OKButton"), Qt::LeftButton); }

  ScratchFolder root;
  AppState state;
  TPathMenu form;
};

TEST_F(PathMenuTest, ShowsTheDataFolderInTheTreeAndTheLabel) {
  testing::RecordingMessages messages;
  EXPECT_EQ(form.windowTitle(), " Path menu");
  EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
  ASSERT_NE(form.findChild<QComboBox*>("DriveComboBox1"), nullptr);
  auto* tree = form.findChild<QTreeWidget*>("DirectoryListBox1");
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(form.findChild<QPushButton*>("OKButton")->text(), "OK");
  form.show();
  EXPECT_TRUE(messages.messages.isEmpty());
  EXPECT_EQ(form.Directory(), Root() + "Data");
  EXPECT_EQ(form.findChild<QLabel*>("PathNameLabel")->text(), Root() + "Data");
  ASSERT_NE(tree->currentItem(), nullptr);
  EXPECT_EQ(tree->currentItem()->text(0), "Data");
  QCoreApplication::processEvents();
  testing::SaveScreenshot(&form, "TPathMenu");
}

TEST_F(PathMenuTest, TheSameFolderKeepsTheSelection) {
  form.show();
  PressOK();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(state.DataFolder, root.Folder() + "Data/");
  EXPECT_EQ(state.Station.FileName, "ALPHA");
  EXPECT_EQ(state.Station.StationName, "Alpha");
}

TEST_F(PathMenuTest, AnotherFolderClearsTheSelectionButKeepsThePaths) {
  form.show();
  form.SetDirectory(Root() + "Other");
  EXPECT_EQ(form.findChild<QLabel*>("PathNameLabel")->text(), Root() + "Other");
  PressOK();
  EXPECT_EQ(state.DataFolder, root.Folder() + "Other/");
  EXPECT_EQ(state.Station.FileName, "");
  EXPECT_EQ(state.Station.StationName, "");
  EXPECT_EQ(state.Station.DscFileName, root.Folder() + "Data/ALPHA.DSC");
}

TEST_F(PathMenuTest, TheSameFolderInOtherLetterCaseClearsTheSelection) {
  form.show();
  form.SetDirectory(Root() + "DATA");
  PressOK();
  EXPECT_EQ(state.DataFolder, root.Folder() + "DATA/");
  EXPECT_EQ(state.Station.FileName, "");
}

TEST_F(PathMenuTest, ActivatingAFolderInTheTreeOpensIt) {
  form.show();
  auto* tree = form.findChild<QTreeWidget*>("DirectoryListBox1");
  // Up to the parent, then down into "Other".
  QTreeWidgetItem* parent = tree->currentItem()->parent();
  ASSERT_NE(parent, nullptr);
  emit tree->itemActivated(parent, 0);
  EXPECT_EQ(form.Directory() + "/", Root());
  QTreeWidgetItem* other = nullptr;
  for (int i = 0; i < tree->currentItem()->childCount(); ++i) {
    if (tree->currentItem()->child(i)->text(0) == "Other") other = tree->currentItem()->child(i);
  }
  ASSERT_NE(other, nullptr);
  emit tree->itemActivated(other, 0);
  EXPECT_EQ(form.Directory(), Root() + "Other");
  EXPECT_EQ(form.findChild<QLabel*>("PathNameLabel")->text(), Root() + "Other");
}

TEST_F(PathMenuTest, OnlyOKClosesTheForm) {
  form.show();
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_TRUE(form.isVisible());
  form.close();
  EXPECT_TRUE(form.isVisible());
  PressOK();
  EXPECT_FALSE(form.isVisible());
}

TEST_F(PathMenuTest, AMissingDataFolderIsReportedAndTheProgramGoesOn) {
  testing::RecordingMessages messages;
  state.DataFolder = root.Folder() + "Gone/";
  form.show();
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(messages.messages[0],
            "ERROR:\ndata folder " + Root() + "Gone/ does not exist");
  // The tree shows the nearest folder that exists; OK moves the data folder there.
  EXPECT_EQ(form.Directory() + "/", Root());
  PressOK();
  EXPECT_EQ(state.DataFolder, root.Folder());
  EXPECT_EQ(state.Station.FileName, "");
}

}  // namespace
}  // namespace vernoli
