// "Results table (CSV)" on the export page: its choices, the question before a file is replaced,
// and a table byte for byte that of `vernoli-batch results` for the same station and choices.
#include "workspace_form_fixture.h"

namespace vernoli {
namespace {

class ResultsExportFormTest : public WorkspaceFormTest {
 protected:
  ResultsExportFormTest() { state.OutputFolder = output.Folder(); }

  void ShowResults() {
    ShowPage("PrintSheet");
    Click("ResultsButton");
  }

  ScratchFolder output;
};

TEST_F(ResultsExportFormTest, TheModeShowsItsChoicesAndSharesTheOutputName) {
  Open(Daily(30, {1, 7, 2001}));
  ShowResults();
  EXPECT_EQ(Text("ResultsButton"), "Results table (CSV)");
  EXPECT_EQ(Text("ActionLabel"), "Results table (CSV)");
  EXPECT_EQ(Text("SaveOutputButton"), "Save results table");
  EXPECT_TRUE(Control("SaveOutputButton")->isEnabled());
  EXPECT_TRUE(Control("ResultsPanel")->isVisible());
  EXPECT_TRUE(Control("ResultsMark")->isVisible());
  EXPECT_TRUE(Control("OutputDirectoryListBox")->isVisible());
  EXPECT_FALSE(Control("ReportPanel")->isVisible());
  EXPECT_FALSE(Control("AgrolumePanel")->isVisible());
  EXPECT_FALSE(Control("AgrolumePathPanel")->isVisible());
  EXPECT_TRUE(Control<QRadioButton>("RadioResultsComma")->isChecked());
  EXPECT_TRUE(Control<QRadioButton>("RadioMissingEmpty")->isChecked());
  EXPECT_EQ(Text("EditResultsFile"), "DAILY");
  EXPECT_EQ(Text("LabelResultsExtension"), "csv");
  Click("RadioResultsTab");
  EXPECT_EQ(Text("LabelResultsExtension"), "tsv");

  auto* name = Control<QLineEdit>("EditResultsFile");
  name->selectAll();
  QTest::keyClicks(name, "Other");
  EXPECT_EQ(Text("EditReportFile"), "Other");
  EXPECT_EQ(Text("EditEToFile"), "Other");

  // The crop-model mode takes its own panel back.
  Click("AgrolumeFilesButton");
  EXPECT_FALSE(Control("ResultsPanel")->isVisible());
  EXPECT_FALSE(Control("ResultsMark")->isVisible());
  EXPECT_EQ(Text("SaveOutputButton"), "Export climate files");
}

// The table holds a value typed in the grid; the batch tool, run on the files the export leaves,
// writes the same bytes with the same choices.
TEST_F(ResultsExportFormTest, TheTableIsThatOfTheBatchToolWithTheSameChoices) {
  SelectSample("DEBILT");
  form.resize(1180, 720);
  Open(state.Station);
  ShowPage("DataSheet");
  Type(40, RowOf(101), "17.5");
  Enter();

  struct Choice {
    const char* separator;
    const char* missing;
    const char* file;
    std::vector<std::string> options;
  };
  const Choice choices[] = {
      {"RadioResultsComma", "RadioMissingEmpty", "DEBILT.csv", {}},
      {"RadioResultsTab", "RadioMissingNumber", "DEBILT.tsv",
       {"--separator", "tab", "--missing", "-999"}},
  };
  QString outputFolder = QString::fromStdString(output.Folder());
  if (!outputFolder.endsWith('/')) outputFolder += '/';
  for (const Choice& choice : choices) {
    SCOPED_TRACE(choice.file);
    ShowResults();
    Click(choice.separator);
    Click(choice.missing);
    if (choice.options.empty()) {
      QCoreApplication::processEvents();
      testing::SaveScreenshot(&form, "TUpdateMenu_ExportResults");
    }
    Click("SaveOutputButton");
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("|").toStdString();
    EXPECT_FALSE(Control("PanelExport")->isVisible());
    EXPECT_TRUE(Text("SaveStatusLabel").startsWith(
        QString("Exported %1 to %2, rewrote DEBILT.DTA at ").arg(choice.file, outputFolder)))
        << Text("SaveStatusLabel").toStdString();

    ScratchFolder batch;
    std::vector<std::string> args = {"--data",  folder.Folder(), "results",
                                     "DEBILT",  "--output",      batch.File("table")};
    args.insert(args.end(), choice.options.begin(), choice.options.end());
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunBatch(args, out, err), 0) << err.str();
    const std::string ours = ReadBytes(output.File(choice.file));
    EXPECT_EQ(std::count(ours.begin(), ours.end(), '\n'), 366);
    EXPECT_NE(ours.find("2001-02-10"), std::string::npos);
    EXPECT_TRUE(ours == ReadBytes(batch.File("table")));
  }
  EXPECT_NE(ReadBytes(folder.File("DEBILT.DTA")).find("\r\n        41      17.5"),
            std::string::npos);
}

TEST_F(ResultsExportFormTest, AsksBeforeItReplacesAFile) {
  Open(Daily(30, {1, 7, 2001}));
  test_support::WriteBytes(output.File("DAILY.csv"), "older");
  ShowResults();
  Click("SaveOutputButton");  // answered No
  EXPECT_EQ(messages.questions, QStringList{"DAILY.csv exists already. Replace it ?"});
  EXPECT_EQ(ReadBytes(output.File("DAILY.csv")), "older");
  EXPECT_TRUE(Control("PanelExport")->isVisible());

  messages.answers = {true};
  Click("SaveOutputButton");
  EXPECT_EQ(messages.questions.size(), 2);
  EXPECT_EQ(ReadBytes(output.File("DAILY.csv")).rfind("record,date,Tmean_C,", 0), 0u);
  EXPECT_FALSE(Control("PanelExport")->isVisible());
  EXPECT_TRUE(messages.messages.isEmpty());
}

}  // namespace
}  // namespace vernoli
