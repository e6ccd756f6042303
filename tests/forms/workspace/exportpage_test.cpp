// The export page of the workspace and the report options form: the two modes, the linked
// names, the file choice, the boundary-value dialog, and files identical to vernoli-batch's.
#include <QFileInfo>
#include <QTreeWidget>
#include <sys/wait.h>

#include <cstdlib>
#include <map>

#include "forms/limits/TFileOptionMenu.h"
#include "forms/plot/TPrintForm.h"
#include "kit/folderbrowser.h"
#include "model/atomicfile.h"
#include "workspace_form_fixture.h"

namespace vernoli {
namespace {

// A folder as the export page names it: with its '/' at the end.
QString Slashed(const std::string& folder) {
  const QString text = QString::fromStdString(folder);
  return text.endsWith('/') ? text : text + "/";
}

class ExportPageTest : public WorkspaceFormTest {
 protected:
  ExportPageTest() : fileOption(state) {
    forms.FileOptionMenu = &fileOption;
    forms.PrintForm = &printForm;
    state.OutputFolder = output.Folder();
  }

  // Opens the crop-model (or report) mode of the export page.
  void ShowExport(const char* mode = "AgrolumeFilesButton") {
    ShowPage("PrintSheet");
    Click(mode);
  }
  void SetName(const char* edit, const QString& text) {
    auto* name = Control<QLineEdit>(edit);
    name->selectAll();
    QTest::keyClicks(name, text);
  }
  void Check(const char* box, bool on) {
    if (Control<QCheckBox>(box)->isChecked() != on) Click(box);
  }

  // Answers the boundary-value dialog with the value given for "Initial ETo", "Final Tmax", ...;
  // a question without an answer closes the dialog with its close box.
  void Answer(std::map<QString, QString> values) {
    modals.act = [this, values](QDialog& dialog) {
      if (&dialog != &fileOption) return;
      const QString which = Text("EditWhich");
      const QString question = which + " " + dialog.findChild<QLineEdit*>("EditParam")->text();
      asked << question;
      const auto it = values.find(question);
      if (it == values.end()) return;
      auto* edit = dialog.findChild<QLineEdit*>(which == "Initial" ? "EditVal1" : "EditValN");
      edit->setText(it->second);
      dialog.findChild<QPushButton*>("OKButton")->click();
    };
  }
  QString Text(const char* name) {
    if (auto* edit = fileOption.findChild<QLineEdit*>(name)) return edit->text();
    return WorkspaceFormTest::Text(name);
  }

  testing::RecordingModals modals;
  TFileOptionMenu fileOption;
  TPrintForm printForm;
  ScratchFolder output;
  QStringList asked;
};

TEST_F(ExportPageTest, TheTwoModesShowTheirPanelsAndCaptions) {
  Open(Daily(30, {1, 7, 2001}));
  ShowPage("PrintSheet");
  EXPECT_FALSE(Control("PanelExport")->isVisible());

  Click("AgrolumeFilesButton");
  EXPECT_TRUE(Control("PanelExport")->isVisible());
  EXPECT_TRUE(Control("AgrolumePanel")->isVisible());
  EXPECT_FALSE(Control("ReportPanel")->isVisible());
  EXPECT_TRUE(Control("AgrolumeMark")->isVisible());
  EXPECT_FALSE(Control("ReportMark")->isVisible());
  EXPECT_TRUE(Control("OutputDirectoryListBox")->isVisible());
  const QString folder = QString::fromStdString(output.Folder());
  EXPECT_EQ(Text("PathLabel"), folder.endsWith('/') ? folder : folder + "/");
  EXPECT_EQ(Text("LabelPath"), Text("PathLabel"));
  EXPECT_TRUE(Control("SaveOutputButton")->hasFocus());
  const std::pair<const char*, QString> captions[] = {
      {"SaveOutputButton", "Export climate files"}, {"ActionLabel", "Export climate files"},
      {"CheckBoxETo", "ETo file "},                 {"CheckBoxTMP", "Temperature file "},
      {"EditEToFile", "DAILY"},                     {"EditTMPfile", "DAILY"},
      {"LabelEToExtension", "ETo"},                 {"LabelTMPExtension", "TMP"},
  };
  for (const auto& [name, caption] : captions) EXPECT_EQ(Text(name), caption) << name;
  EXPECT_EQ(Text("EditEToDescription"), QString::fromStdString(state.Station.Description));

  // The file choice enables its controls; without a file there is nothing to export.
  Check("CheckBoxTMP", false);
  EXPECT_FALSE(Control("EditTMPfile")->isEnabled());
  EXPECT_TRUE(Control("SaveOutputButton")->isEnabled());
  Check("CheckBoxETo", false);
  EXPECT_FALSE(Control("SaveOutputButton")->isEnabled());
  Check("CheckBoxETo", true);
  EXPECT_TRUE(Control("EditEToFile")->isEnabled());

  // The three name edits hold one name.
  Check("CheckBoxTMP", true);
  SetName("EditTMPfile", " My File ");
  EXPECT_EQ(Text("EditEToFile"), "My File");
  EXPECT_EQ(Text("EditReportFile"), "My File");

  Click("ReportButton");
  EXPECT_FALSE(Control("AgrolumePanel")->isVisible());
  EXPECT_TRUE(Control("ReportPanel")->isVisible());
  EXPECT_FALSE(Control("OutputDirectoryListBox")->isVisible());
  EXPECT_TRUE(Control("ReportMark")->isVisible());
  EXPECT_EQ(Text("SaveOutputButton"), "Save report");
  EXPECT_EQ(Text("ActionLabel"), "Compose ETo report");
  EXPECT_EQ(Text("PrintButton"), "      Report options");
  EXPECT_EQ(Text("LabelREPExtension"), "REP");
  EXPECT_TRUE(Control("SaveOutputButton")->isEnabled());

  ShowPage("DataSheet");
  ShowPage("PrintSheet");
  EXPECT_FALSE(Control("PanelExport")->isVisible());
}

// Only the chosen files are written, under the name without its blanks, into the folder of
// the list; the status line says what was written.
TEST_F(ExportPageTest, WritesTheChosenFilesIntoTheChosenFolder) {
  Open(Daily(30, {1, 7, 2001}));
  ShowExport();
  SetName("EditEToFile", " My File ");
  Check("CheckBoxTMP", false);
  Click("SaveOutputButton");
  EXPECT_TRUE(messages.messages.isEmpty());
  EXPECT_EQ(output.Names(), std::set<std::string>{"MyFile.ETo"});
  EXPECT_EQ(Text("EditTMPfile"), "MyFile");
  EXPECT_FALSE(Control("PanelExport")->isVisible());
  EXPECT_TRUE(Text("SaveStatusLabel")
                  .startsWith("Exported MyFile.ETo to " + Slashed(output.Folder()) +
                              ", rewrote DAILY.DTA at "))
      << Text("SaveStatusLabel").toStdString();

  // Another folder of the list, and both files.
  ScratchFolder other;
  Click("AgrolumeFilesButton");
  QString path = QString::fromStdString(other.Folder());
  while (path.endsWith('/')) path.chop(1);
  auto* list = Control<QTreeWidget>("OutputDirectoryListBox");
  qobject_cast<FolderBrowser*>(list->parentWidget())->SetDirectory(path + "/..");  // its parent,
  // then a double click on it
  const QList<QTreeWidgetItem*> entries =
      list->findItems(QFileInfo(path).fileName(), Qt::MatchExactly | Qt::MatchRecursive);
  ASSERT_EQ(entries.size(), 1);
  emit list->itemActivated(entries[0], 0);
  EXPECT_EQ(Text("LabelPath"), path + "/");
  Check("CheckBoxTMP", true);
  Click("SaveOutputButton");
  EXPECT_EQ(other.Names(), (std::set<std::string>{"MyFile.ETo", "MyFile.TMP"}));
  EXPECT_EQ(state.OutputFolder, path.toStdString() + "/");
  EXPECT_TRUE(Text("SaveStatusLabel")
                  .startsWith("Exported MyFile.ETo and MyFile.TMP to " + path + "/, rewrote "
                              "DAILY.DTA at "));
}

TEST_F(ExportPageTest, WithoutTminAndTmaxTheTemperatureFileIsRefusedBeforeAnythingIsWritten) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  Open(station);
  ShowPage("DescriptionSheet");
  Click("TmaxTminCheckBox");  // no Tmax and Tmin any more
  Click("RHmeanCheckBox");    // something to compute ETo from is still there
  const std::string dta = ReadBytes(station.DtaFileName);
  ShowExport();
  Click("SaveOutputButton");
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_TRUE(messages.messages[0].startsWith("ERROR:\ncannot write the temperature file "));
  EXPECT_TRUE(messages.messages[0].contains("DAILY.TMP"));
  EXPECT_TRUE(output.Names().empty());
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_TRUE(Control("PanelExport")->isVisible());

  // The ETo file alone is written (the humidity column is empty: ETo has to be filled in).
  Answer({{"Initial ETo", "3"}, {"Final ETo", "3"}});
  Check("CheckBoxTMP", false);
  Click("SaveOutputButton");
  EXPECT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(output.Names(), std::set<std::string>{"DAILY.ETo"});
}

// A series that starts with a gap asks for its first value; closing the dialog without a value
// cancels the export, and every question comes before anything is written: nothing is
// half-written, nor is the .DTA rewritten.
TEST_F(ExportPageTest, ABoundaryDialogClosedWithoutAValueCancelsTheExport) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  Open(station);
  ShowPage("DataSheet");
  Grid()->setCurrentIndex(Index(0, RowOf(101)));
  QTest::keyClick(Grid(), Qt::Key_Delete);  // no Tmax, so no ETo, in the first record
  QTest::keyClick(Grid(), Qt::Key_Return);
  const std::string dta = ReadBytes(station.DtaFileName);
  ShowExport();

  Answer({});
  Click("SaveOutputButton");
  EXPECT_EQ(asked, QStringList{"Initial ETo"});
  EXPECT_TRUE(output.Names().empty());
  EXPECT_TRUE(Text("SaveStatusLabel").startsWith("export cancelled at "));
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_TRUE(Control("PanelExport")->isVisible());

  // The ETo file's question answered, the temperature file's not: neither file is written.
  asked.clear();
  Answer({{"Initial ETo", "2"}});
  Click("SaveOutputButton");
  EXPECT_EQ(asked, (QStringList{"Initial ETo", "Initial Tmax"}));
  EXPECT_TRUE(output.Names().empty());
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_TRUE(Control("PanelExport")->isVisible());

  // Both answered: both files, each question asked once.
  asked.clear();
  Answer({{"Initial ETo", "2"}, {"Initial Tmax", "25"}});
  Click("SaveOutputButton");
  EXPECT_EQ(asked, (QStringList{"Initial ETo", "Initial Tmax"}));
  EXPECT_EQ(output.Names(), (std::set<std::string>{"DAILY.ETo", "DAILY.TMP"}));
  EXPECT_FALSE(Control("PanelExport")->isVisible());
  EXPECT_TRUE(messages.messages.isEmpty());
}

// The temperature file alone, for a station whose Tmin starts with a gap, after a value typed in
// the grid: the question comes while the .DTA still holds the old value; unanswered, nothing
// changes and the status says so. Answered, the .DTA holds what the workspace shows, and the
// title's mark of unsaved changes goes.
TEST_F(ExportPageTest, TheTemperatureFileAsksBeforeTheDtaIsRewritten) {
  const RepClimateFile station =
      WriteStation(folder.Folder(), "GAP", kDaily, {1, 7, 2001}, {30, 7, 2001},
                   Dta("        Nr       101       103       301       501", 30, [](int n) {
                     return n == 1 ? std::string("      21.0    -999.0      2.50    -999.0")
                                   : DailyValues(n);
                   }));
  const std::string dta = ReadBytes(station.DtaFileName);
  Open(station);
  ShowPage("DataSheet");
  Type(5, RowOf(101), "30");
  Enter();
  ShowExport();
  Check("CheckBoxETo", false);

  Answer({});
  Click("SaveOutputButton");
  EXPECT_EQ(asked, QStringList{"Initial Tmin"});
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_TRUE(output.Names().empty());
  EXPECT_TRUE(QRegularExpression("^export cancelled at \\d\\d:\\d\\d:\\d\\d: no value given for "
                                 "a gap; no file changed$")
                  .match(Text("SaveStatusLabel"))
                  .hasMatch())
      << Text("SaveStatusLabel").toStdString();
  EXPECT_EQ(form.windowTitle(), "* Data and ETo menu");
  EXPECT_TRUE(Control("CancelButton")->isEnabled());  // nothing was written back either

  asked.clear();
  Answer({{"Initial Tmin", "8"}});
  Click("SaveOutputButton");
  EXPECT_EQ(asked, QStringList{"Initial Tmin"});
  EXPECT_EQ(output.Names(), std::set<std::string>{"GAP.TMP"});
  const std::string written = ReadBytes(station.DtaFileName);
  EXPECT_EQ(written.substr(written.find("\r\n         6") + 12, 10), "      30.0");
  EXPECT_EQ(form.windowTitle(), " Data and ETo menu");
  EXPECT_FALSE(Control("CancelButton")->isEnabled());
  EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(ExportPageTest, AFailedWriteNamesTheFileAndLeavesTheOlderOne) {
  Open(Daily(30, {1, 7, 2001}));
  test_support::WriteBytes(output.File("DAILY.ETo"), "an older ETo file\r\n");
  ShowExport();
  AtomicFile::InjectDiskFullForTesting(".ETo", 100);
  Click("SaveOutputButton");
  AtomicFile::InjectDiskFullForTesting(".ETo", SIZE_MAX);
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(messages.messages[0],
            QString::fromStdString("ERROR:\ncannot write file " + output.File("DAILY.ETo") +
                                   ": No space left on device"));
  EXPECT_EQ(ReadBytes(output.File("DAILY.ETo")), "an older ETo file\r\n");
  EXPECT_EQ(output.Names(), std::set<std::string>{"DAILY.ETo"});

  // An empty name is refused and its edit takes the focus.
  SetName("EditEToFile", "  ");
  Click("SaveOutputButton");
  ASSERT_EQ(messages.messages.size(), 2);
  EXPECT_EQ(messages.messages[1], "ERROR:\nFileName is not yet specified");
  EXPECT_TRUE(Control("EditEToFile")->hasFocus());
}

// ---------------------------------------------------------------------------------------------
// The output folder

// A folder chosen at an earlier visit and deleted since gives way to the program's report
// folder: the export page and the status line name the folder the files go to, and the next
// station's files go there too.
TEST_F(ExportPageTest, AnOutputFolderDeletedSinceGivesWayToTheReportFolder) {
  ScratchFolder report;
  state.Folders.Report = report.Folder();
  const std::string gone = output.File("GONE");
  std::filesystem::create_directory(gone);
  state.OutputFolder = gone + "/";
  Open(Daily(30, {1, 7, 2001}));
  form.done(QDialog::Rejected);
  std::filesystem::remove(gone);

  Open(state.Station);
  ShowExport("ReportButton");
  const QString folder = QString::fromStdString(report.Folder());
  EXPECT_EQ(Text("LabelReportPath"), folder);
  Click("SaveOutputButton");
  EXPECT_TRUE(messages.messages.isEmpty());
  EXPECT_EQ(report.Names(), std::set<std::string>{"DAILY.REP"});
  EXPECT_TRUE(output.Names().empty());
  EXPECT_TRUE(Text("SaveStatusLabel")
                  .startsWith("Exported DAILY.REP to " + folder + ", rewrote DAILY.DTA at "))
      << Text("SaveStatusLabel").toStdString();
  EXPECT_EQ(state.OutputFolder, report.Folder());
  ShowExport();
  EXPECT_EQ(Text("PathLabel"), folder);
  EXPECT_EQ(Text("LabelPath"), folder);

  form.done(QDialog::Rejected);
  Open(state.Station);
  ShowExport();
  EXPECT_EQ(Text("LabelPath"), folder);
}

// A folder that goes while the workspace is open is named in the message; nothing is written
// anywhere else.
TEST_F(ExportPageTest, AnOutputFolderDeletedWhileOpenIsNamedAndNothingIsWritten) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  const std::string dta = ReadBytes(station.DtaFileName);
  const std::string later = output.File("LATER");
  std::filesystem::create_directory(later);
  state.OutputFolder = later + "/";
  Open(station);
  std::filesystem::remove(later);
  ShowExport("ReportButton");
  Click("SaveOutputButton");
  EXPECT_EQ(messages.messages,
            QStringList{QString::fromStdString("ERROR:\noutput folder " + later +
                                               "/ does not exist")});
  EXPECT_TRUE(output.Names().empty());
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_TRUE(Control("PanelExport")->isVisible());
}

// ---------------------------------------------------------------------------------------------
// The same files as vernoli-batch

std::string RunBatchProgram(const std::string& arguments) {
  const std::string command = std::string("'") + VERNOLI_BATCH + "' " + arguments + " 2>&1";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) out = "FAILED: " + out;
  }
  return out;
}

TEST_F(ExportPageTest, ReportAndCropFilesAreThoseOfTheBatchTool) {
  SelectSample("DEBILT");
  Open(state.Station);
  // Gaps at both ends: the first Tmin and the last Tmax are deleted.
  ShowPage("DataSheet");
  const int last = Model()->columnCount() - 1;
  for (const auto& [column, code] : {std::pair{0, 103}, std::pair{last, 101}}) {
    Grid()->setCurrentIndex(Index(column, RowOf(code)));
    QTest::keyClick(Grid(), Qt::Key_Delete);
    QTest::keyClick(Grid(), Qt::Key_Return);
  }

  // A report of the record numbers, dates, data and intermediate results.
  ShowExport("ReportButton");
  modals.act = [this](QDialog& dialog) {
    if (&dialog != &printForm) return;
    EXPECT_EQ(printForm.findChild<QLabel*>("NrLabel")->text(), "(1 ... 365)");
    printForm.findChild<QCheckBox*>("CBoxNr")->click();
    printForm.findChild<QCheckBox*>("CBoxRes")->click();
    printForm.findChild<QPushButton*>("CloseButton")->click();
  };
  Click("PrintButton");
  Click("SaveOutputButton");
  // Both crop-model files, the dialog answered for each end of each series it asks about.
  Answer({{"Initial ETo", "1.5"}, {"Final ETo", "0.8"}, {"Initial Tmin", "-2"},
          {"Final Tmax", "4.5"}});
  ShowExport();
  Click("SaveOutputButton");
  EXPECT_TRUE(messages.messages.isEmpty());
  ASSERT_EQ(output.Names(), (std::set<std::string>{"DEBILT.ETo", "DEBILT.REP", "DEBILT.TMP"}));
  EXPECT_TRUE(asked.contains("Initial Tmin"));
  EXPECT_TRUE(asked.contains("Final Tmax"));

  // The batch tool on the .DTA the export left, with the same choices.
  ScratchFolder batch;
  const std::string common = "--data '" + folder.Folder() + "' --output '" + batch.Folder() + "' ";
  EXPECT_EQ(RunBatchProgram(common + "report DEBILT --columns nr,date,data,results").rfind(
                "FAILED", 0),
            std::string::npos);
  std::string boundaries;
  const std::pair<QString, const char*> options[] = {{"Initial ETo", "--first-eto 1.5"},
                                                     {"Final ETo", "--last-eto 0.8"},
                                                     {"Initial Tmin", "--first-tmin -2"},
                                                     {"Final Tmax", "--last-tmax 4.5"}};
  for (const auto& [question, option] : options) {
    if (asked.contains(question)) boundaries += std::string(" ") + option;
  }
  const std::string crop = RunBatchProgram(common + "crop-files DEBILT" + boundaries);
  EXPECT_EQ(crop.rfind("FAILED", 0), std::string::npos) << crop;
  for (const char* file : {"DEBILT.REP", "DEBILT.ETo", "DEBILT.TMP"}) {
    SCOPED_TRACE(file);
    const std::string ours = ReadBytes(output.File(file));
    EXPECT_GT(ours.size(), 365u * 12);
    EXPECT_TRUE(ours == ReadBytes(batch.File(file)));
  }
}

TEST_F(ExportPageTest, ScreenshotsOfBothModesAndTheReportOptions) {
  SelectSample("DEBILT");
  form.resize(1180, 720);
  Open(state.Station);
  ShowExport();
  QCoreApplication::processEvents();
  testing::SaveScreenshot(&form, "TUpdateMenu_ExportClimateFiles");
  ShowExport("ReportButton");
  QCoreApplication::processEvents();
  testing::SaveScreenshot(&form, "TUpdateMenu_ExportReport");
  modals.act = [](QDialog& dialog) {
    dialog.adjustSize();
    QCoreApplication::processEvents();
    testing::SaveScreenshot(&dialog, "TPrintForm");
  };
  Click("PrintButton");
  EXPECT_EQ(modals.names, QStringList{"PrintForm"});
  EXPECT_TRUE(messages.messages.isEmpty());
}

// ---------------------------------------------------------------------------------------------
// The report options form

TEST_F(ExportPageTest, TheReportOptionsFormSetsTheReportsBlocks) {
  EXPECT_EQ(printForm.windowTitle(), " Report menu");
  Open(Daily(30, {1, 7, 2001}));
  ShowExport("ReportButton");
  QStringList texts;
  modals.act = [&texts, this](QDialog& dialog) {
    for (const char* name : {"HeadingLabel", "NrLabel", "DateLabel"}) {
      texts << dialog.findChild<QLabel*>(name)->text();
    }
    for (const char* name : {"CBoxNr", "CBoxDate", "CBoxClimData", "CBoxRes"}) {
      texts << dialog.findChild<QCheckBox*>(name)->text();
    }
    texts << dialog.findChild<QPushButton*>("CloseButton")->text();
    EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QPushButton*>("CloseButton"));
    auto* grid = dialog.findChild<QTableWidget*>("SymbolStringGrid");
    EXPECT_EQ(grid->rowCount(), 5);  // the titles and four parameters
    EXPECT_EQ(grid->item(0, 0)->text(), "    Symbol");
    // Neither values nor results: OK switches the data on again.
    dialog.findChild<QCheckBox*>("CBoxClimData")->click();
    dialog.findChild<QCheckBox*>("CBoxNr")->click();
    QTest::keyClick(&dialog, Qt::Key_Escape);  // closes it as OK does: nothing is lost
  };
  Click("PrintButton");
  EXPECT_EQ(texts, (QStringList{"Compose report", "(1 ... 30)", "(Day/Month/Year)", "Number ",
                                "Date", "Meteo data and ETo", "Intermediate results", "OK"}));
  EXPECT_FALSE(printForm.isVisible());
  EXPECT_TRUE(form.Session().Report().RecordNumber);
  EXPECT_TRUE(form.Session().Report().DataAndETo);
  EXPECT_FALSE(form.Session().Report().IntermediateResults);
  EXPECT_TRUE(Control("SaveOutputButton")->hasFocus());

  const QStringList legend = {"e(act)*.....actual vapour pressure",
                              "e(sat).......saturation vapour pressure",
                              "u(2)*........wind speed",
                              "Ra...........extraterrestrial radiation",
                              "n*............actual duration of sunshine in a day",
                              "N.............daylight hours",
                              "Rs*..........solar or shortwave radiation",
                              "Rnl...........net longwave radiation",
                              "Rn*..........net radiation",
                              " Symbol",
                              "      Description"};
  QStringList shown;
  for (QLabel* label : printForm.findChild<QWidget*>("ResultLegend")->findChildren<QLabel*>()) {
    shown << label->text();
  }
  for (const QString& line : legend) EXPECT_TRUE(shown.contains(line)) << line.toStdString();

  // The opening of the workspace presets the blocks again.
  form.done(QDialog::Rejected);
  Open(state.Station);
  EXPECT_FALSE(form.Session().Report().RecordNumber);
}

}  // namespace
}  // namespace vernoli
