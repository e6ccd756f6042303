// The workspace's export page PrintSheet: the ETo report (.REP), the two climate files of the
// crop model (.ETo and .TMP) or the results table (.csv or .tsv), written by the calculation run
// into the chosen folder.
//
// "Compose ETo report", "Export climate files" and "Results table (CSV)" choose the mode and open
// the export panel; the panel holds the folder list, the output name (four linked edits), the
// descriptions, the file choice of the crop-model mode, "Report options", the table's separator
// and missing value, and the export button SaveOutputButton. The table asks before it replaces
// a file.
// A gap at the start or the end of an exported series is asked of the user with the
// boundary-value dialog, every one before anything is written; closing it without a value
// cancels the export and leaves every file as it was. The labels of the panel name the folder
// the files go to; one chosen at an earlier visit that is gone since gives way to the report
// folder.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vernoli {

struct AppState;
class FolderBrowser;
class Navigator;
class ResultsPanel;
class WorkspaceSession;

class ExportPage : public QWidget {
  Q_OBJECT
 public:
  ExportPage(WorkspaceSession& session, AppState& state, Navigator& navigator,
             QWidget* parent = nullptr);

  // A new opening of the workspace: the panel hidden, the name and descriptions of the working
  // copy, both crop-model files chosen, the folder list on the output folder (the report folder
  // when the one chosen last is gone).
  void Opening();
  // Another page in front: the export panel is hidden.
  void HidePanel();
  // The page's controls in reading order, for the form's tab order.
  std::vector<QWidget*> TabOrder() const;

 signals:
  // An export ended (written whole or in part, cancelled or refused): the .DTA may have been
  // rewritten. `status` says what was written and where, or that nothing was; empty when
  // there is nothing to tell.
  void Exported(const QString& status);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AgrolumeFilesButtonClick();
  void ReportButtonClick();
  void ResultsButtonClick();
  void PrintButtonClick();
  void OutputDirectoryListBoxChange();
  // The four linked edits of the output name: .ETo, .TMP, .REP and the results table.
  std::array<QLineEdit*, 4> NameEdits() const;
  void ShowName(const std::string& name);
  void NameEdited(QLineEdit* edit);
  void FileChoiceClick();
  void SaveOutputButtonClick();
  void SaveResultsTable();
  // Shows the mode's marks, panels and captions.
  enum class Mode { CropFiles, Report, ResultsTable };
  void ShowMode(Mode mode);
  // The output folder in the list and in the labels that name it; in the labels only.
  void ShowFolder();
  void ShowFolderLabels();

  WorkspaceSession& session_;
  AppState& state_;
  Navigator& navigator_;
  Mode mode_ = Mode::CropFiles;

  QPushButton* reportButton_;
  QPushButton* agrolumeFilesButton_;
  QPushButton* resultsButton_;
  QLabel* reportText_;
  QLabel* agrolumeText_;
  QLabel* resultsText_;
  QLabel* reportMark_;
  QLabel* agrolumeMark_;
  QLabel* resultsMark_;
  QFrame* panelExport_;
  QLabel* actionLabel_;
  QFrame* agrolumePanel_;
  QFrame* reportPanel_;
  ResultsPanel* resultsPanel_;
  QFrame* pathPanel_;
  QFrame* agrolumePathPanel_;
  QFrame* eToFrame_;
  QFrame* tmpFrame_;
  QCheckBox* checkBoxETo_;
  QCheckBox* checkBoxTMP_;
  QLineEdit* editEToFile_;
  QLineEdit* editTMPfile_;
  QLineEdit* editReportFile_;
  QLineEdit* editEToDescription_;
  QLineEdit* editTMPdescription_;
  QLineEdit* editReportDescription_;
  QPushButton* printButton_;
  FolderBrowser* outputFolders_;  // OutputDriveComboBox, OutputDirectoryListBox, PathLabel
  QLabel* labelPath_;
  QLabel* labelReportPath_;
  QPushButton* saveOutputButton_;
};

}  // namespace vernoli
