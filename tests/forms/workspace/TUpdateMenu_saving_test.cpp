#include "forms/workspace/TUpdateMenu.h"

#include "model/atomicfile.h"
#include "workspace_form_fixture.h"

namespace vernoli {
namespace {

// The workspace form's fixture, for the tests of saving, the keyboard and the pictures.
class WorkspaceSavingTest : public WorkspaceFormTest {};

// ---------------------------------------------------------------------------------------------
// Saving

TEST_F(WorkspaceSavingTest, ASaveThatFailsLosesNothing) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  const std::string dta = ReadBytes(station.DtaFileName);
  const std::string dsc = ReadBytes(station.DscFileName);
  Open(station);
  ShowPage("DataSheet");
  Type(0, 0, "25");
  Enter();

  // The data file cannot be put in place: "Main menu" stays in the workspace with the typed value.
  AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::Rename);
  Click("MainMenuButton");
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_TRUE(messages.messages[0].startsWith("ERROR:\n"));
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(Cell(0, 0), "      25.0");
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_EQ(ReadBytes(station.DscFileName), dsc);

  // The data file cannot be written: both station files stay as they were.
  AtomicFile::InjectDiskFullForTesting(".DTA", 100);
  Click("SaveButton");
  AtomicFile::InjectDiskFullForTesting(".DTA", SIZE_MAX);
  ASSERT_EQ(messages.messages.size(), 2);
  EXPECT_TRUE(messages.messages[1].startsWith("ERROR:\n"));
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_EQ(ReadBytes(station.DscFileName), dsc);
  EXPECT_EQ(Cell(0, 0), "      25.0");

  // Once the disk takes it again, the same save goes through.
  Click("SaveButton");
  EXPECT_EQ(messages.messages.size(), 2);
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(WorkingFileExists());
  EXPECT_EQ(ReadBytes(station.DtaFileName).substr(52, 20), "         1      25.0");
}

TEST_F(WorkspaceSavingTest, EditedSavedAndReopenedShowsTheValuesTypedAndMatchesABatchRecompute) {
  const RepClimateFile station = Daily(400);
  Open(station);
  ShowPage("DataSheet");
  Type(10, 0, "31.4");
  Enter();
  Click("NextYearDataButton");
  Type(5, 2, "3.25");
  Enter();
  Grid()->setCurrentIndex(Index(6, 1));
  QTest::keyClick(Grid(), Qt::Key_Delete);
  QTest::keyClick(Grid(), Qt::Key_Return);
  Click("MainMenuButton");
  ASSERT_FALSE(form.isVisible());
  EXPECT_TRUE(messages.messages.isEmpty());
  const std::string saved = ReadBytes(station.DtaFileName);

  Open(state.Station);
  ShowPage("DataSheet");
  EXPECT_EQ(Cell(10, 0), "      31.4");
  Click("NextYearDataButton");
  EXPECT_EQ(Cell(5, 2), "      3.25");
  EXPECT_EQ(Cell(6, 1), "");
  form.close();

  std::ostringstream out, err;
  ProgramFolders folders;
  folders.Data = folder.Folder();
  folders.Report = folder.Folder();
  ASSERT_EQ(RunBatch({"recompute", station.FileName}, out, err, folders), 0) << err.str();
  EXPECT_EQ(ReadBytes(station.DtaFileName), saved);
}

// ---------------------------------------------------------------------------------------------
// Saving and the keyboard

TEST_F(WorkspaceSavingTest, SavingShowsWhatWasWrittenAndTheTitleMarksUnsavedChanges) {
  Open(Daily(30, {1, 7, 2001}));
  EXPECT_EQ(form.windowTitle(), " Data and ETo menu");
  EXPECT_EQ(Text("SaveStatusLabel"), "");
  ShowPage("DataSheet");
  Type(0, 0, "30");
  Enter();
  EXPECT_EQ(form.windowTitle(), "* Data and ETo menu");
  Click("SaveButton");
  EXPECT_TRUE(QRegularExpression("^Saved DAILY.DTA and DAILY.DSC at \\d\\d:\\d\\d:\\d\\d$")
                  .match(Text("SaveStatusLabel"))
                  .hasMatch())
      << Text("SaveStatusLabel").toStdString();
  EXPECT_EQ(form.windowTitle(), " Data and ETo menu");
  // A refused value given back changes nothing.
  Type(1, 0, "99");
  Enter();
  EXPECT_EQ(form.windowTitle(), " Data and ETo menu");
  ShowPage("DescriptionSheet");
  Click("nCheckBox");
  EXPECT_EQ(form.windowTitle(), "* Data and ETo menu");
  // The next opening starts unmarked, without a status.
  form.done(QDialog::Rejected);
  Open(state.Station);
  EXPECT_EQ(form.windowTitle(), " Data and ETo menu");
  EXPECT_EQ(Text("SaveStatusLabel"), "");
}

TEST_F(WorkspaceSavingTest, TabFollowsTheReadingOrderAndEnterPressesTheFocusedButton) {
  Open(Daily(30, {1, 7, 2001}));
  const auto walk = [this](const char* from, int steps) {
    QStringList names;
    Control(from)->setFocus();
    for (int i = 0; i < steps; ++i) {
      names << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return names;
  };
  EXPECT_EQ(walk("RadioCelsius", 24),
            (QStringList{"RadioCelsius", "TmaxTminCheckBox", "TmeanCheckBox", "WindCheckBox",
                         "UnitUComboBox", "EditHeightU", "EditU2", "UClassComboBox",
                         "RHMinMaxCheckBox", "RHmeanCheckBox", "TdewCheckBox", "EactCheckBox",
                         "UnitEactComboBox", "TdryTwetCheckBox", "RadioVentilated",
                         "EditCoeffaPsy", "EditTminCorr", "HumClassComboBox", "nCheckBox",
                         "nNRatioCheckBox", "RsCheckBox", "UnitRsComboBox", "RnCheckBox",
                         "UnitRnComboBox"}));
  ShowPage("DataSheet");
  EXPECT_EQ(walk("SymbolUnit", 5), (QStringList{"SymbolUnit", "UnitsButton", "RangeButton",
                                                "SaveButton", "MainMenuButton"}));
  ShowPage("PrintSheet");
  Click("AgrolumeFilesButton");
  EXPECT_EQ(walk("ReportButton", 10),
            (QStringList{"ReportButton", "AgrolumeFilesButton", "ResultsButton", "CheckBoxETo",
                         "EditEToFile",
                         "EditEToDescription", "CheckBoxTMP", "EditTMPfile",
                         "EditTMPdescription", "OutputDriveComboBox"}));

  // Enter on a button presses it; Enter elsewhere presses nothing.
  ShowPage("DataSheet");
  Control("SymbolUnit")->setFocus();
  QTest::keyClick(Control("SymbolUnit"), Qt::Key_Return);
  EXPECT_TRUE(Control("SymbolPanel")->isVisible());
  ShowPage("DescriptionSheet");
  Control("nCheckBox")->setFocus();
  QTest::keyClick(Control("nCheckBox"), Qt::Key_Return);
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.Session().WrittenBack());
}

// ---------------------------------------------------------------------------------------------
// Pictures of the pages

TEST_F(WorkspaceSavingTest, ScreenshotsOfThePages) {
  SelectSample("DEBILT");
  form.resize(1180, 720);
  Open(state.Station);
  Click("AdjustButton");
  QCoreApplication::processEvents();
  testing::SaveScreenshot(&form, "TUpdateMenu_Description");
  ShowPage("DataSheet");
  Grid()->setCurrentIndex(Index(0, 0));
  QCoreApplication::processEvents();
  testing::SaveScreenshot(&form, "TUpdateMenu_Data");
  Click("UnitsButton");
  QCoreApplication::processEvents();
  testing::SaveScreenshot(&form, "TUpdateMenu_SwitchUnits");
  Click("CloseButton");
  ShowPage("PlotSheet");
  QCoreApplication::processEvents();
  testing::SaveScreenshot(&form, "TUpdateMenu_Plot");
  ShowPage("PrintSheet");
  QCoreApplication::processEvents();
  testing::SaveScreenshot(&form, "TUpdateMenu_Export");
  EXPECT_EQ(Model()->columnCount(), 365);
  EXPECT_TRUE(messages.messages.isEmpty());
}

}  // namespace
}  // namespace vernoli
