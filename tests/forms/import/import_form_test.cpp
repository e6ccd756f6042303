// The import form driven through its real widgets: captions and status texts, a text import and
// a Hydrolex import to a new station that becomes the selected one, the refusals of "Import",
// and the same bytes as vernoli-batch for the same choices.
#include "forms/import/TImportMenu.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest/QTest>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <gtest/gtest.h>

#include "../../kit/form_test_support.h"
#include "../../kit/recording_modals.h"
#include "../stations/station_forms.h"
#include "app/TMainMenu.h"
#include "forms/limits/TLimitsForm.h"
#include "forms/stations/TSelectMenu.h"
#include "kit/spinbutton.h"

namespace vernoli {
namespace {

using test_support::Click;
using test_support::Control;
using test_support::Enter;
using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::TextOf;

// The sample import file: twelve months of De Bilt, Tmax, Tmin (degC), mean RH (%), sunshine
// (hours/day).
std::string DeBiltSample() { return ReadBytes(std::string(VERNOLI_SAMPLES) + "/IMPORT/DEBILT.CXT"); }

// A Hydrolex export: the station line, then per month Tmax, Tmin, RH, wind (km/day), sunshine,
// radiation and a seventh column that is not imported. Wind 172.8 km/day is 2.0 m/sec.
std::string HydrolexFile() {
  std::string text = "1,\"Rome\",131,41.80,x,12.55,0\r\n";
  for (int month = 1; month <= 12; ++month) {
    text += "  " + std::to_string(10 + month) + ".0   " + std::to_string(month) +
            ".5   50.0  172.8   6.0   15.0   1.0\r\n";
  }
  return text;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class ImportMenuTest : public test_support::StationFormTest {
 protected:
  ImportMenuTest() {
    state.ImportFolder = importFolder.Folder();
    form = std::make_unique<TImportMenu>(state, navigator);
    forms.ImportMenu = form.get();
  }

  QTableWidget* Grid(const char* name) { return Control<QTableWidget>(*form, name); }
  QString Cell(const char* grid, int row, int column) {
    QTableWidgetItem* item = Grid(grid)->item(row, column);
    return item == nullptr ? QString() : item->text();
  }
  bool Shown(const char* name) { return !Control(*form, name)->isHidden(); }
  bool Enabled(const char* name) { return Control(*form, name)->isEnabled(); }
  QString Page() { return Control<QTabWidget>(*form, "PageControl1")->currentWidget()->objectName(); }
  // The user clicks the row of the file list that shows `name`.
  void ChooseFile(const QString& name) {
    QTableWidget* files = Grid("FileStringGrid");
    for (int row = 0; row < files->rowCount(); ++row) {
      if (files->item(row, 0)->text() == name) emit files->cellClicked(row, 0);
    }
  }
  // The user clicks column `column` of the parameter grid, then row `row` of a code page.
  void AssignCode(int column, const char* page, int row) {
    emit Grid("StringGridClimParam")->cellClicked(0, column);
    ASSERT_TRUE(Shown("GroupBoxCode"));
    emit Grid(page)->cellClicked(row, 0);
  }
  // Monthly data not linked to a year, as the twelve lines of De Bilt are.
  void MonthlyNotLinked() {
    Click(*form, "RadioMonth");
    Click(*form, "CheckNotLinked");
  }
  void AssignDeBilt() {
    AssignCode(0, "StringGridTemp", 0);  // 101 Tmax
    AssignCode(1, "StringGridTemp", 2);  // 103 Tmin
    AssignCode(2, "StringGridHum", 1);   // 202 RHmean
    AssignCode(3, "StringGridRad", 0);   // 401 sunshine hours
  }

  ScratchFolder importFolder;
  testing::RecordingMessages messages;
  testing::RecordingModals modals;
  std::unique_ptr<TImportMenu> form;
};

// ---------------------------------------------------------------------------------------------
// Opening

TEST_F(ImportMenuTest, OpensOnTheFilePageWithItsCaptions) {
  form->show();
  EXPECT_EQ(form->windowTitle(), " Data import menu");
  EXPECT_EQ(Page(), "FileSheet");
  EXPECT_EQ(form->focusWidget(), Control(*form, "RadioText"));
  auto* pages = Control<QTabWidget>(*form, "PageControl1");
  const QStringList tabs = {" File type  ",          " Layout  ",
                            " Climatic station  ",   " Meteorological data  ",
                            " Climatic parameters   ", " Status Report  "};
  for (int i = 0; i < pages->count(); ++i) EXPECT_EQ(pages->tabText(i), tabs[i]);
  const std::pair<const char*, const char*> captions[] = {
      {"RadioText", "Free format text file (*.CXT files)"},
      {"RadioHydrolex", "Hydrolex file (*.PEN files)"},
      {"RadioMeteorix", "Meteorix 2 file (*.DAT files)"},
      {"RadioDay", "Daily"}, {"RadioDecade", "10-daily"}, {"RadioMonth", "Monthly"},
      {"CheckNotLinked", "not linked to a specific year"},
      {"LabelClick", "<< click in cell to select code >>"},
      {"UpdateRangeButton", "Update Data Range"}, {"CloseCodeButton", "Close"},
      {"LabelU2height", "Height wind speed measurement"},
      {"LabelU2unit", "meter above ground level"}, {"LabelFileName", "File name"},
      {"ImportButton", "Import"}, {"CancelButton", "Cancel"}};
  for (const auto& [name, caption] : captions) EXPECT_EQ(TextOf(*form, name), caption) << name;
  const std::pair<const char*, const char*> groups[] = {
      {"InfoImportFilePanel", "Information on selected file"},
      {"ClimDataBox", " Meteorological Data "}, {"TimeRangeBox", " Time range "},
      {"GroupBoxExtra", " Location "}};
  for (const auto& [name, title] : groups) {
    EXPECT_EQ(Control<QGroupBox>(*form, name)->title(), title) << name;
  }
  auto* codes = Control<QTabWidget>(*form, "PageControlCode");
  const QStringList codePages = {"Temperature", " Humidity ", " Wind speed",
                                 " Sunshine and Radiation "};
  for (int i = 0; i < codes->count(); ++i) EXPECT_EQ(codes->tabText(i), codePages[i]);
  EXPECT_EQ(Grid("StringGridTemp")->rowCount(), 6);
  EXPECT_EQ(Grid("StringGridHum")->horizontalHeaderItem(3)->text(), "Description");
  EXPECT_EQ(Grid("StringGridParamReport")->horizontalHeaderItem(3)->text(), "        Range");
  EXPECT_EQ(Grid("StringGridParamReport2")->horizontalHeaderItem(0)->text(), "   error message");
  EXPECT_FALSE(Shown("LabelSoft"));
  EXPECT_FALSE(Shown("ComboBoxPsycho"));
  EXPECT_FALSE(Shown("EditU1height"));
  EXPECT_TRUE(form->findChild<QPushButton*>("ImportButton")->isDefault());
  testing::SaveScreenshot(form.get(), "TImportMenu_FileSheet");
}

TEST_F(ImportMenuTest, ShowsTheStatusOfNoFileSelected) {
  form->show();
  EXPECT_EQ(TextOf(*form, "FileInfoLabel"), "No import files (*.CXT) found in this directory");
  EXPECT_EQ(Grid("FileStringGrid")->item(0, 0)->text(), "no files");
  EXPECT_FALSE(Enabled("FileStringGrid"));
  EXPECT_EQ(TextOf(*form, "SelectedFileEdit"), "(none)");
  EXPECT_FALSE(Shown("InfoImportFilePanel"));
  EXPECT_TRUE(Shown("ErrorPanel"));
  EXPECT_EQ(TextOf(*form, "Error1Label"),
            "Climatic Parameters can only be specified if file with climatic data is selected");
  EXPECT_EQ(TextOf(*form, "Error10Label"), "no file selected");
  EXPECT_EQ(TextOf(*form, "Error2Label"), "Select file with climatic data");
  EXPECT_EQ(TextOf(*form, "Error20Label"), "Select file with climatic data");
  EXPECT_EQ(TextOf(*form, "NrLinesLabel2"), "(no file selected)");
  EXPECT_EQ(TextOf(*form, "LabelLineOK"), "Select file with climatic data");
  EXPECT_EQ(TextOf(*form, "ErrorParamLabel"), "Undefined number of Climatic parameters");
  for (const char* lamp : {"ShapeLineRED", "ShapeFileRED", "ShapeParamRED"}) {
    EXPECT_TRUE(Shown(lamp)) << lamp;
  }
  EXPECT_TRUE(Control(*form, "LampPar1")->isHidden());
  EXPECT_EQ(TextOf(*form, "RecordLabel"), "number of daily records = 365");
  EXPECT_EQ(TextOf(*form, "RecordLabel2"), "number of daily records = 365");
  EXPECT_EQ(TextOf(*form, "EditUndef"), "  -999.000");
  EXPECT_EQ(TextOf(*form, "EditU2height"), "   2.0");
  EXPECT_EQ(TextOf(*form, "LatDegEdit"), "    22");
  EXPECT_EQ(TextOf(*form, "AltitudeEdit"), "   100");
  EXPECT_TRUE(Control<QRadioButton>(*form, "RadioUdef")->isChecked());
}

// ---------------------------------------------------------------------------------------------
// A text import

TEST_F(ImportMenuTest, ImportsATextFileFromTheMainMenuAsTheSelectedStation) {
  WriteFile(importFolder.File("DEBILT.CXT"), DeBiltSample());
  TSelectMenu select(state, navigator);
  TMainMenu menu(state, navigator);
  forms.SelectMenu = &select;
  forms.MainMenu = &menu;
  modals.act = [this](QDialog& shown) {
    if (&shown != form.get()) return;
    EXPECT_EQ(TextOf(*form, "FileInfoLabel"), "Select file from list");
    EXPECT_EQ(Grid("FileStringGrid")->horizontalHeaderItem(0)->text(), "file");
    ChooseFile("DEBILT.CXT");
    EXPECT_EQ(TextOf(*form, "SelectedFileEdit"), "DEBILT.CXT");
    EXPECT_EQ(TextOf(*form, "SelectedFileEdit2"), "DEBILT.CXT");
    EXPECT_EQ(TextOf(*form, "NrLinesLabel"), "12 data lines");
    EXPECT_EQ(TextOf(*form, "NrColumsLabel"), "4 climatic parameters");
    EXPECT_EQ(TextOf(*form, "LabelLineOK"), "number of records DIFFERENT FROM lines in file");
    MonthlyNotLinked();
    EXPECT_EQ(TextOf(*form, "RecordLabel2"), "number of monthly records = 12");
    EXPECT_TRUE(Shown("ShapeLineGREEN"));
    EXPECT_EQ(TextOf(*form, "LabelLineOK"), "");
    EXPECT_EQ(TextOf(*form, "ErrorParamLabel"), "Check parameter(s) : 1, 2, 3, 4");
    EXPECT_EQ(Cell("StringGridMinMax", 0, 0), "   23.4");
    AssignDeBilt();
    EXPECT_EQ(Cell("StringGridClimParam", 2, 3), "  401");
    EXPECT_EQ(Cell("StringGridParamReport", 2, 2).trimmed(), "%");
    EXPECT_EQ(Cell("StringGridParamReport", 0, 3), "within program limits");
    EXPECT_TRUE(Shown("ShapeParamGREEN"));
    EXPECT_TRUE(Shown("ShapePar4GREEN"));
    EXPECT_EQ(TextOf(*form, "ErrorParamLabel"), "");
    Control<QLineEdit>(*form, "StationEdit")->setText("De Bilt");
    EXPECT_EQ(TextOf(*form, "StationEdit2"), "De Bilt");
    Control<QLineEdit>(*form, "CountryEdit2")->setText("Netherlands");
    EXPECT_EQ(TextOf(*form, "CountryEdit"), "Netherlands");
    Control<QLineEdit>(*form, "EditFileName")->setText("De Bilt");
    for (int page = 0; page < 6; ++page) {
      Control<QTabWidget>(*form, "PageControl1")->setCurrentIndex(page);
      // The parameter page with its list of codes open.
      if (page == 4) emit Grid("StringGridNrCol")->cellClicked(0, 1);
      testing::SaveScreenshot(form.get(), "TImportMenu_" + Page());
    }
    Click(*form, "ImportButton");
  };
  Click(menu, "ImportButton");

  EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("|").toStdString();
  EXPECT_TRUE(form->Imported());
  // The blank is taken out of the name; the new station is the selected one, listed and shown.
  EXPECT_EQ(state.Station.FileName, "DeBilt");
  EXPECT_EQ(state.Station.StationName, "De Bilt");
  EXPECT_EQ(select.Candidate(), "DeBilt");
  EXPECT_EQ(TextOf(menu, "FileNameEdit"), "DeBilt");
  EXPECT_TRUE(Control(menu, "EToButton")->isEnabled());
  EXPECT_EQ(test_support::LineRange(folder.File("DeBilt.DTA"), 1, 2),
            "        Nr       101       103       202       401       501\r\n"
            "         1       6.3       1.0      88.0      2.13    -999.0\r\n");
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"DeBilt.DSC", "DeBilt.DTA"}));
}

// The altitude typed and left by a click on a page tab reaches the description file: the page
// tab takes no focus, and the field is hidden before it could be left.
TEST_F(ImportMenuTest, AnAltitudeLeftByAPageTabIsTheOneImported) {
  WriteFile(importFolder.File("DEBILT.CXT"), DeBiltSample());
  modals.act = [this](QDialog& shown) {
    ChooseFile("DEBILT.CXT");
    MonthlyNotLinked();
    AssignDeBilt();
    Control<QLineEdit>(*form, "EditFileName")->setText("DeBilt");
    auto* pages = Control<QTabWidget>(*form, "PageControl1");
    pages->setCurrentIndex(2);
    shown.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown));
    auto* altitude = Control<QLineEdit>(*form, "AltitudeEdit");
    altitude->setFocus();
    altitude->selectAll();
    QTest::keyClicks(altitude, "2");
    QTabBar* tabs = pages->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    ASSERT_EQ(pages->currentIndex(), 3);
    QTest::mouseClick(Control<QPushButton>(*form, "ImportButton"), Qt::LeftButton);
  };
  navigator.OpenImportMenu();
  ASSERT_TRUE(form->Imported()) << messages.messages.join("|").toStdString();
  RepClimateFile station;
  SetStationFiles(station, state.DataFolder, "DeBilt");
  ASSERT_TRUE(ReadStationDescription(station));
  EXPECT_EQ(station.Altitude, 2);
}

// Choosing a code never moves the columns under the mouse: the next click lands where the user
// aimed it, whatever the symbol and unit of the code chosen.
TEST_F(ImportMenuTest, ChoosingACodeKeepsTheColumnsWhereTheyAre) {
  WriteFile(importFolder.File("DEBILT.CXT"), DeBiltSample());
  form->show();
  ChooseFile("DEBILT.CXT");
  MonthlyNotLinked();
  QTableWidget* params = Grid("StringGridClimParam");
  const auto positions = [params] {
    QList<int> x;
    for (int c = 0; c < params->columnCount(); ++c) x << params->columnViewportPosition(c);
    return x << params->width();
  };
  const QList<int> before = positions();
  for (const char* page : {"StringGridTemp", "StringGridHum", "StringGridWind", "StringGridRad"}) {
    for (int row = 0; row < Grid(page)->rowCount(); ++row) {
      SCOPED_TRACE(std::string(page) + " row " + std::to_string(row));
      AssignCode(0, page, row);
      EXPECT_EQ(positions(), before);
    }
  }
}

TEST_F(ImportMenuTest, ImportRefusesWithTheTextOfTheRedLampAndWritesNothing) {
  WriteFile(importFolder.File("DEBILT.CXT"), DeBiltSample());
  form->show();
  Click(*form, "ImportButton");
  ChooseFile("DEBILT.CXT");
  Click(*form, "ImportButton");
  MonthlyNotLinked();
  Click(*form, "ImportButton");
  EXPECT_EQ(Page(), "ReportSheet");
  AssignDeBilt();
  Click(*form, "ImportButton");
  EXPECT_EQ(form->focusWidget(), Control(*form, "EditFileName"));
  EXPECT_EQ(messages.messages,
            (QStringList{"ERROR:\nCANNOT import data\nSelect file with climatic data",
                         "ERROR:\nCANNOT import data\nnumber of records DIFFERENT FROM lines in file",
                         "ERROR:\nCANNOT import data\nCHECK climatic parameters",
                         "ERROR:\nFileName is not yet specified"}));
  EXPECT_TRUE(folder.Names().empty());
  EXPECT_TRUE(form->isVisible());
}

TEST_F(ImportMenuTest, ScanFailuresShowTheirTextsOnEveryPage) {
  WriteFile(importFolder.File("COMMA.CXT"), "1.0 2.0\r\n12,5 3.0\r\n");
  form->show();
  ChooseFile("COMMA.CXT");
  EXPECT_EQ(TextOf(*form, "Error10Label"), "CAN NOT import data from requested file");
  EXPECT_EQ(TextOf(*form, "Error20Label"), "(some) lines might contain text, or are empty");
  EXPECT_EQ(TextOf(*form, "NrColumsLabel"),
            "cannot read data : (some) lines might contain text, or are empty");
  EXPECT_EQ(TextOf(*form, "CheckLineLabel"), "check line : 2");
  EXPECT_TRUE(Shown("ErrorPanel"));
  EXPECT_TRUE(Shown("ShapeFileRED"));
}

TEST_F(ImportMenuTest, EnterInTheUndefinedValueScansAgain) {
  WriteFile(importFolder.File("GAPS.CXT"), "1.0 -99.9\r\n2.0 5.0\r\n");
  form->show();
  ChooseFile("GAPS.CXT");
  EXPECT_EQ(Cell("StringGridMinMax", 1, 1), "  -99.9");
  Enter(*form, "EditUndef", "-99.9");
  EXPECT_EQ(TextOf(*form, "EditUndef"), "   -99.900");
  EXPECT_EQ(Cell("StringGridMinMax", 1, 1), "    5.0");
}

TEST_F(ImportMenuTest, UpdateDataRangeEditsTheImportsLimitsWithoutWritingAFile) {
  WriteFile(importFolder.File("DEBILT.CXT"), DeBiltSample());
  TLimitsForm limits(state);
  forms.LimitsForm = &limits;
  form->show();
  ChooseFile("DEBILT.CXT");
  AssignCode(0, "StringGridTemp", 0);
  EXPECT_EQ(Cell("StringGridUpLow", 0, 0), "  45.0");
  modals.act = [](QDialog& shown) {
    // The limits form shows the station being imported; Tmax one degree up, then saved.
    auto* spin = Control<SpinButton>(shown, "SpinButtonTmax");
    QTest::mouseClick(spin->UpButton(), Qt::LeftButton);
    Click(shown, "MainButton");
  };
  Click(*form, "UpdateRangeButton");
  EXPECT_EQ(modals.names, QStringList{"LimitsForm"});
  EXPECT_EQ(form->Session().Station().Limits.LimitTmax, 46);
  EXPECT_EQ(Cell("StringGridUpLow", 0, 0), "  46.0");
  // The selected station's limits are not touched, and no file is written.
  EXPECT_EQ(state.Station.Limits.LimitTmax, 45);
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(ImportMenuTest, TabGoesFromTheNamesToTheCoordinateFieldsInReadingOrder) {
  form->show();
  Control<QTabWidget>(*form, "PageControl1")->setCurrentIndex(2);
  QWidget* next = Control(*form, "CountryEdit");
  for (const char* name : {"LatDegEdit", "LatMinEdit", "LatitudeBox", "LonDegEdit"}) {
    do {
      next = next->nextInFocusChain();
    } while (!(next->focusPolicy() & Qt::TabFocus) || next->isHidden());
    EXPECT_EQ(next->objectName(), name);
  }
}

TEST_F(ImportMenuTest, EnterInTheListsChoosesWithoutPressingImport) {
  WriteFile(importFolder.File("DEBILT.CXT"), DeBiltSample());
  form->show();
  QTableWidget* files = Grid("FileStringGrid");
  files->setCurrentCell(0, 0);
  QTest::keyClick(files, Qt::Key_Return);
  EXPECT_EQ(TextOf(*form, "SelectedFileEdit"), "DEBILT.CXT");
  QTest::keyClick(Grid("StringGridClimParam"), Qt::Key_Return);
  EXPECT_TRUE(Shown("GroupBoxCode"));
  Grid("StringGridTemp")->setCurrentCell(2, 0);
  QTest::keyClick(Grid("StringGridTemp"), Qt::Key_Return);
  EXPECT_EQ(Cell("StringGridClimParam", 2, 0), "  103");
  EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("|").toStdString();
}

TEST_F(ImportMenuTest, EscapeClosesWithoutWriting) {
  WriteFile(importFolder.File("DEBILT.CXT"), DeBiltSample());
  form->show();
  ChooseFile("DEBILT.CXT");
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(folder.Names().empty());
}

// ---------------------------------------------------------------------------------------------
// A database export

TEST_F(ImportMenuTest, ImportsAHydrolexFileWithItsStationAndPresetColumns) {
  WriteFile(importFolder.File("ROME.PEN"), HydrolexFile());
  form->show();
  Click(*form, "RadioHydrolex");
  EXPECT_EQ(TextOf(*form, "LabelSoft"), "Hydrolex 2.0");
  EXPECT_TRUE(Shown("LabelSoft"));
  EXPECT_FALSE(Shown("LabelClick"));
  for (const char* name :
       {"RadioDay", "RadioDecade", "CheckNotLinked", "ComboDec1", "ComboMonth1", "FromYearEdit",
        "ComboDecN", "ComboMonthN", "ToYearEdit", "LatDegEdit", "LatMinEdit", "LatitudeBox",
        "LatDegDecEdit", "LonDegEdit", "LonMinEdit", "LongitudeBox", "LonDegDecEdit",
        "AltitudeEdit", "StringGridNrCol", "StringGridClimParam", "StringGridMinMax",
        "StringGridUpLow", "StringGridParamReport", "EditUndef"}) {
    EXPECT_FALSE(Enabled(name)) << name;
  }
  EXPECT_EQ(TextOf(*form, "RecordLabel"), "number of monthly records = 12");
  ChooseFile("ROME.PEN");
  EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("|").toStdString();
  EXPECT_EQ(TextOf(*form, "StationEdit"), "Rome");
  EXPECT_EQ(TextOf(*form, "LonDegDecEdit"), "    12.55");
  EXPECT_EQ(TextOf(*form, "AltitudeEdit"), "   131");
  EXPECT_TRUE(Control<QRadioButton>(*form, "RadioArid")->isChecked());
  EXPECT_EQ(Cell("StringGridClimParam", 2, 5), "  421");
  EXPECT_TRUE(Shown("ShapeParamGREEN"));
  Control<QLineEdit>(*form, "EditFileName")->setText("ROME");
  Click(*form, "ImportButton");
  EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("|").toStdString();
  EXPECT_EQ(state.Station.FileName, "ROME");
  EXPECT_EQ(state.Station.DataType, kMonthly);
  EXPECT_EQ(test_support::LineRange(folder.File("ROME.DTA"), 1, 1),
            "        Nr       101       103       202       302       401       421       501\r\n");

  // A Meteorix file counts months and leaves its transposed lines in the import folder.
  form->show();
  WriteFile(importFolder.File("LISBON.DAT"),
            ReadBytes(std::string(VERNOLI_SAMPLES) + "/IMPORT/LISBON.DAT"));
  Click(*form, "RadioMeteorix");
  EXPECT_EQ(TextOf(*form, "LabelSoft"), "Meteorix2");
  ChooseFile("LISBON.DAT");
  EXPECT_EQ(TextOf(*form, "NrLinesLabel"), "12 months");
  EXPECT_TRUE(importFolder.Names().contains("TransposedData.DEL"));
  EXPECT_TRUE(Shown("ShapeLineGREEN"));

  // Back to text: every control is the user's again.
  Click(*form, "RadioText");
  EXPECT_FALSE(Shown("LabelSoft"));
  EXPECT_TRUE(Enabled("LatDegEdit"));
  EXPECT_TRUE(Enabled("RadioDay"));
}

// ---------------------------------------------------------------------------------------------
// The form and the batch write the same files

struct Outcome {
  int status = -1;
  std::string err;
};

Outcome RunBatch(const ScratchFolder& scratch, const std::string& arguments) {
  const std::string err = scratch.File("stderr");
  const std::string command = std::string("'") + VERNOLI_BATCH + "' " + arguments + " >/dev/null 2>'" +
                              err + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(err)};
}

TEST_F(ImportMenuTest, WritesTheSameBytesAsTheBatchForTheSameChoices) {
  WriteFile(importFolder.File("DEBILT.CXT"), DeBiltSample());
  form->show();
  ChooseFile("DEBILT.CXT");
  MonthlyNotLinked();
  AssignDeBilt();
  Control<QLineEdit>(*form, "StationEdit")->setText("De Bilt");
  Control<QLineEdit>(*form, "CountryEdit")->setText("Netherlands");
  Click(*form, "RadioCoast");
  Enter(*form, "EditU2height", "10");
  Control<QLineEdit>(*form, "EditFileName")->setText("DEBILT");
  Click(*form, "ImportButton");
  ASSERT_TRUE(form->Imported()) << messages.messages.join("|").toStdString();

  ScratchFolder batchData;
  ScratchFolder scratch;
  const Outcome outcome = RunBatch(
      scratch, "--data '" + batchData.Folder() + "' import '" + importFolder.File("DEBILT.CXT") +
                   "' --name DEBILT --columns 101,103,202,401 --type monthly --not-linked"
                   " --station 'De Bilt' --country Netherlands --location coast"
                   " --wind-height 10");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  for (const char* file : {"DEBILT.DSC", "DEBILT.DTA"}) {
    EXPECT_EQ(ReadBytes(folder.File(file)), ReadBytes(batchData.File(file))) << file;
  }
}

}  // namespace
}  // namespace vernoli
