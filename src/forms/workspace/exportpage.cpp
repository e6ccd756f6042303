#include "forms/workspace/exportpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QTime>
#include <QVBoxLayout>
#include <optional>
#include <vector>

#include "forms/workspace/resultspanel.h"
#include "kit/folderbrowser.h"
#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/modal.h"
#include "kit/navigator.h"
#include "kit/text.h"
#include "stations/appstate.h"
#include "workspace/exportplan.h"
#include "workspace/resultsexport.h"
#include "workspace/run.h"
#include "workspace/session.h"

namespace vernoli {

namespace {

// The mark beside the button of the chosen mode.
QLabel* Mark(const char* name, QWidget* parent) {
  auto* mark = Label(name, QString::fromUtf8("\u25B6"), parent);
  mark->setStyleSheet("color: navy");
  QSizePolicy policy = mark->sizePolicy();
  policy.setRetainSizeWhenHidden(true);  // the buttons stay in place
  mark->setSizePolicy(policy);
  mark->setFixedWidth(mark->fontMetrics().horizontalAdvance(mark->text()) + 4);
  return mark;
}

// The frame of a crop-model file: navy while the file is chosen, grey when not.
void ShowChoice(QFrame* frame, QCheckBox* box) {
  const bool on = box->isChecked();
  for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child != box) child->setEnabled(on);
  }
  frame->setStyleSheet(QString("QFrame#%1 { border: 1px solid %2; }")
                           .arg(frame->objectName(), on ? "navy" : "grey"));
}

QString WithSlash(QString folder) { return folder.endsWith('/') ? folder : folder + '/'; }

}  // namespace

ExportPage::ExportPage(WorkspaceSession& session, AppState& state, Navigator& navigator,
                       QWidget* parent)
    : QWidget(parent), session_(session), state_(state), navigator_(navigator) {
  setObjectName("PrintSheet");

  // The two modes, each with its explanation (a click on it presses the button).
  reportMark_ = Mark("ReportMark", this);
  agrolumeMark_ = Mark("AgrolumeMark", this);
  resultsMark_ = Mark("ResultsMark", this);
  reportButton_ = Button("ReportButton", "Compose ETo report", this);
  agrolumeFilesButton_ = Button("AgrolumeFilesButton", "Export climate files", this);
  resultsButton_ = Button("ResultsButton", Cp(kResultsTableCaption), this);
  for (QPushButton* button : {reportButton_, agrolumeFilesButton_, resultsButton_}) {
    button->setMinimumWidth(200);
  }
  reportText_ = Label("ReportText", "A report (.REP) of the data, ETo and intermediate "
                                    "results, with the columns you choose.",
                      this);
  agrolumeText_ = Label("AgrolumeText", "The ETo file (.ETo) and the temperature file (.TMP)"
                                        " for the data base of the crop model Agrolume.",
                        this);
  resultsText_ = Label("ResultsText", "Every record's results at full precision, for analysis"
                                      " elsewhere: the same table as vernoli-batch results.",
                       this);
  for (QLabel* label : {reportText_, agrolumeText_, resultsText_}) {
    label->setWordWrap(true);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
  }

  panelExport_ = Frame("PanelExport", this);
  panelExport_->setFrameShape(QFrame::StyledPanel);
  actionLabel_ = BoldLabel("ActionLabel", panelExport_);

  // The crop-model files.
  agrolumePanel_ = Frame("AgrolumePanel", panelExport_);
  eToFrame_ = Frame("EToFrame", agrolumePanel_);
  checkBoxETo_ = CheckBox("CheckBoxETo", "ETo file ", eToFrame_);
  editEToFile_ = LineEdit("EditEToFile", eToFrame_);
  editEToDescription_ = LineEdit("EditEToDescription", eToFrame_);
  tmpFrame_ = Frame("TMPFrame", agrolumePanel_);
  checkBoxTMP_ = CheckBox("CheckBoxTMP", "Temperature file ", tmpFrame_);
  editTMPfile_ = LineEdit("EditTMPfile", tmpFrame_);
  editTMPdescription_ = LineEdit("EditTMPdescription", tmpFrame_);
  const auto fileRow = [](QFrame* frame, QCheckBox* box, QLineEdit* name, const char* extension,
                          QLineEdit* description) {
    auto* grid = new QGridLayout(frame);
    grid->addWidget(box, 0, 0);
    grid->addWidget(name, 0, 1);
    grid->addWidget(Label(QString("Label%1Dot").arg(extension), ".", frame), 0, 2);
    grid->addWidget(Label(QString("Label%1Extension").arg(extension), extension, frame), 0, 3);
    grid->addWidget(Label(QString("Label%1Description").arg(extension), "description", frame), 1,
                    0);
    grid->addWidget(description, 1, 1, 1, 3);
    grid->setColumnStretch(1, 1);
  };
  fileRow(eToFrame_, checkBoxETo_, editEToFile_, "ETo", editEToDescription_);
  fileRow(tmpFrame_, checkBoxTMP_, editTMPfile_, "TMP", editTMPdescription_);
  auto* agrolumeLayout = new QVBoxLayout(agrolumePanel_);
  agrolumeLayout->setContentsMargins(0, 0, 0, 0);
  agrolumeLayout->addWidget(eToFrame_);
  agrolumeLayout->addWidget(tmpFrame_);

  // The report.
  reportPanel_ = Frame("ReportPanel", panelExport_);
  editReportFile_ = LineEdit("EditReportFile", reportPanel_);
  editReportDescription_ = LineEdit("EditReportDescription", reportPanel_);
  printButton_ = Button("PrintButton", "      Report options", reportPanel_);
  auto* reportLayout = new QGridLayout(reportPanel_);
  reportLayout->setContentsMargins(0, 0, 0, 0);
  reportLayout->addWidget(Text("Report file", reportPanel_), 0, 0);
  reportLayout->addWidget(editReportFile_, 0, 1);
  reportLayout->addWidget(Text(".", reportPanel_), 0, 2);
  reportLayout->addWidget(Label("LabelREPExtension", "REP", reportPanel_), 0, 3);
  reportLayout->addWidget(Text("description", reportPanel_), 1, 0);
  reportLayout->addWidget(editReportDescription_, 1, 1, 1, 3);
  reportLayout->addWidget(printButton_, 2, 0, 1, 2, Qt::AlignLeft);
  // The folder list is not shown for a report: the folder it goes to is named here.
  labelReportPath_ = Label("LabelReportPath", QString(), reportPanel_);
  reportLayout->addWidget(Text("to :  ", reportPanel_), 3, 0);
  reportLayout->addWidget(labelReportPath_, 3, 1, 1, 3);
  reportLayout->setColumnStretch(1, 1);

  // The results table.
  resultsPanel_ = new ResultsPanel(panelExport_);

  // The output folder.
  pathPanel_ = Frame("PathPanel", panelExport_);
  outputFolders_ =
      new FolderBrowser("OutputDriveComboBox", "OutputDirectoryListBox", "PathLabel", pathPanel_);
  outputFolders_->Tree()->setMinimumHeight(150);
  auto* pathLayout = new QVBoxLayout(pathPanel_);
  pathLayout->setContentsMargins(0, 0, 0, 0);
  pathLayout->addWidget(outputFolders_);
  agrolumePathPanel_ = Frame("AgrolumePathPanel", panelExport_);
  labelPath_ = Label("LabelPath", QString(), agrolumePathPanel_);
  auto* agrolumePathLayout = new QGridLayout(agrolumePathPanel_);
  agrolumePathLayout->setContentsMargins(0, 0, 0, 0);
  agrolumePathLayout->addWidget(Text("  select Path of DATA base of Agrolume", agrolumePathPanel_),
                                0, 0, 1, 2);
  agrolumePathLayout->addWidget(Text("to :  ", agrolumePathPanel_), 1, 0);
  agrolumePathLayout->addWidget(labelPath_, 1, 1);
  agrolumePathLayout->setColumnStretch(1, 1);

  saveOutputButton_ = Button("SaveOutputButton", "Export climate files", panelExport_);
  saveOutputButton_->setMinimumWidth(200);

  auto* files = new QVBoxLayout;
  files->addWidget(actionLabel_);
  files->addWidget(agrolumePanel_);
  files->addWidget(reportPanel_);
  files->addWidget(resultsPanel_);
  files->addStretch(1);
  auto* folder = new QVBoxLayout;
  folder->addWidget(agrolumePathPanel_);
  folder->addWidget(pathPanel_, 1);
  auto* panelLayout = new QGridLayout(panelExport_);
  panelLayout->addLayout(files, 0, 0);
  panelLayout->addLayout(folder, 0, 1);
  panelLayout->addWidget(saveOutputButton_, 1, 0, 1, 2, Qt::AlignRight);
  panelLayout->setColumnStretch(0, 3);
  panelLayout->setColumnStretch(1, 2);

  auto* layout = new QGridLayout(this);
  layout->addWidget(reportMark_, 0, 0);
  layout->addWidget(reportButton_, 0, 1);
  layout->addWidget(reportText_, 0, 2);
  layout->addWidget(agrolumeMark_, 1, 0);
  layout->addWidget(agrolumeFilesButton_, 1, 1);
  layout->addWidget(agrolumeText_, 1, 2);
  layout->addWidget(resultsMark_, 2, 0);
  layout->addWidget(resultsButton_, 2, 1);
  layout->addWidget(resultsText_, 2, 2);
  layout->addWidget(panelExport_, 3, 0, 1, 3);
  layout->setColumnStretch(2, 1);
  layout->setRowStretch(3, 1);
  HidePanel();

  connect(reportButton_, &QPushButton::clicked, this, &ExportPage::ReportButtonClick);
  connect(agrolumeFilesButton_, &QPushButton::clicked, this,
          &ExportPage::AgrolumeFilesButtonClick);
  connect(resultsButton_, &QPushButton::clicked, this, &ExportPage::ResultsButtonClick);
  connect(printButton_, &QPushButton::clicked, this, &ExportPage::PrintButtonClick);
  connect(outputFolders_, &FolderBrowser::FolderChosen, this,
          &ExportPage::OutputDirectoryListBoxChange);
  for (QLineEdit* edit : NameEdits()) {
    connect(edit, &QLineEdit::textEdited, this, [this, edit] { NameEdited(edit); });
  }
  for (QCheckBox* box : {checkBoxETo_, checkBoxTMP_}) {
    connect(box, &QCheckBox::clicked, this, &ExportPage::FileChoiceClick);
  }
  connect(saveOutputButton_, &QPushButton::clicked, this, &ExportPage::SaveOutputButtonClick);
}

void ExportPage::Opening() {
  HidePanel();
  const RepClimateFile& station = session_.Station();
  ShowName(station.OutputName);
  for (QLineEdit* edit : {editEToDescription_, editTMPdescription_, editReportDescription_}) {
    edit->setText(Cp(station.Description));
  }
  checkBoxETo_->setChecked(true);
  checkBoxTMP_->setChecked(true);
  FileChoiceClick();
  resultsPanel_->Opening();
  // A folder chosen at an earlier visit that is gone since: the files go to the report folder.
  state_.OutputFolder = OpeningOutputFolder(state_.OutputFolder, state_.Folders.Report);
  ShowFolder();
}

std::vector<QWidget*> ExportPage::TabOrder() const {
  std::vector<QWidget*> order = {reportButton_,       agrolumeFilesButton_, resultsButton_,
                                 checkBoxETo_,        editEToFile_,         editEToDescription_,
                                 checkBoxTMP_,        editTMPfile_,         editTMPdescription_,
                                 editReportFile_,     editReportDescription_, printButton_};
  for (QWidget* control : resultsPanel_->TabOrder()) order.push_back(control);
  order.insert(order.end(), {outputFolders_->DriveBox(), outputFolders_->Tree(), saveOutputButton_});
  return order;
}

void ExportPage::HidePanel() {
  panelExport_->hide();
  reportMark_->hide();
  agrolumeMark_->hide();
  resultsMark_->hide();
}

bool ExportPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == reportText_) reportButton_->click();
    if (watched == agrolumeText_) agrolumeFilesButton_->click();
    if (watched == resultsText_) resultsButton_->click();
  }
  return QWidget::eventFilter(watched, event);
}

void ExportPage::AgrolumeFilesButtonClick() { ShowMode(Mode::CropFiles); }

void ExportPage::ReportButtonClick() { ShowMode(Mode::Report); }

void ExportPage::ResultsButtonClick() { ShowMode(Mode::ResultsTable); }

void ExportPage::ShowMode(Mode mode) {
  mode_ = mode;
  const bool crop = mode == Mode::CropFiles;
  const bool report = mode == Mode::Report;
  const bool results = mode == Mode::ResultsTable;
  agrolumeMark_->setVisible(crop);
  reportMark_->setVisible(report);
  resultsMark_->setVisible(results);
  agrolumePanel_->setVisible(crop);
  reportPanel_->setVisible(report);
  resultsPanel_->setVisible(results);
  // The report names its folder in its own panel; the other files show the folder list.
  pathPanel_->setVisible(!report);
  agrolumePathPanel_->setVisible(crop);
  const QString action = crop ? "Export climate files"
                              : report ? "Compose ETo report" : Cp(kResultsTableCaption);
  actionLabel_->setText(action);
  saveOutputButton_->setText(crop ? "Export climate files"
                                  : report ? "Save report" : "Save results table");
  ShowFolderLabels();
  FileChoiceClick();
  panelExport_->show();
  saveOutputButton_->setFocus(Qt::OtherFocusReason);
}

void ExportPage::PrintButtonClick() {
  navigator_.OpenPrintForm(session_.Station(), session_.Symbols(), session_.Report());
  saveOutputButton_->setFocus(Qt::OtherFocusReason);
}

void ExportPage::ShowFolder() {
  outputFolders_->SetDirectory(FileNameText(state_.OutputFolder));
  ShowFolderLabels();
}

// The list can only show a folder that exists (else its nearest parent); the labels name the
// output folder itself, where the files go.
void ExportPage::ShowFolderLabels() {
  const QString folder = WithSlash(FileNameText(state_.OutputFolder));
  for (QLabel* label : {outputFolders_->PathLabel(), labelPath_, labelReportPath_}) {
    label->setText(folder);
  }
}

void ExportPage::OutputDirectoryListBoxChange() {
  state_.OutputFolder = FileNameOf(WithSlash(outputFolders_->Directory()));
  ShowFolderLabels();
}

void ExportPage::NameEdited(QLineEdit* edit) {
  const QString name = edit->text().trimmed();
  session_.SetOutputName(FileNameOf(name));
  for (QLineEdit* other : NameEdits()) {
    if (other != edit) other->setText(name);
  }
}

std::array<QLineEdit*, 4> ExportPage::NameEdits() const {
  return {editEToFile_, editTMPfile_, editReportFile_, resultsPanel_->NameEdit()};
}

void ExportPage::ShowName(const std::string& name) {
  for (QLineEdit* edit : NameEdits()) edit->setText(FileNameText(name));
}

void ExportPage::FileChoiceClick() {
  ShowChoice(eToFrame_, checkBoxETo_);
  ShowChoice(tmpFrame_, checkBoxTMP_);
  saveOutputButton_->setEnabled(mode_ != Mode::CropFiles || checkBoxETo_->isChecked() ||
                                checkBoxTMP_->isChecked());
}

// Every question is asked before anything is written: the names and the folder are checked,
// then each boundary value the files need is asked; only when all are answered are the files
// written. A question left without an answer leaves every file as it was.
void ExportPage::SaveOutputButtonClick() {
  if (!session_.IsOpen()) return;
  if (mode_ == Mode::ResultsTable) {
    SaveResultsTable();
    return;
  }
  struct Chosen {
    OutputKind Kind;
    QLineEdit* Name;
    QLineEdit* Description;
  };
  std::vector<Chosen> chosen;
  if (mode_ == Mode::Report) {
    chosen.push_back({OutputKind::Report, editReportFile_, editReportDescription_});
  } else {
    // Only the files the user chose are written.
    if (checkBoxETo_->isChecked()) {
      chosen.push_back({OutputKind::EToFile, editEToFile_, editEToDescription_});
    }
    if (checkBoxTMP_->isChecked()) {
      chosen.push_back({OutputKind::TemperatureFile, editTMPfile_, editTMPdescription_});
    }
  }
  std::vector<ExportRequest> files;
  for (const Chosen& file : chosen) {
    ExportRequest request;
    request.Kind = file.Kind;
    request.OutputFolder = state_.OutputFolder;
    request.Name = FileNameOf(file.Name->text().trimmed());
    request.Description = ToCp1252(file.Description->text());
    request.Content = session_.Report();
    request.Fahrenheit = session_.Units().Fahrenheit;
    files.push_back(std::move(request));
  }

  const ExportPlan plan = session_.PrepareExport(std::move(files));
  // The edits show the name as the files are named (without blanks).
  ShowName(session_.Station().OutputName);
  if (!plan) {
    ShowMessage(plan.Outcome.Message);
    if (plan.RefusedFile >= 0) {
      chosen[static_cast<std::size_t>(plan.RefusedFile)].Name->setFocus(Qt::OtherFocusReason);
    }
    emit Exported(QString());
    return;
  }

  BoundaryAnswers answers;
  for (const BoundaryRequest& question : plan.Questions) {
    const std::optional<double> value = navigator_.AskBoundary(question, session_.Station());
    if (!value) {
      emit Exported(QString("export cancelled at %1: no value given for a gap; no file changed")
                        .arg(QTime::currentTime().toString("HH:mm:ss")));
      return;
    }
    answers.Give(question, *value);
  }

  std::size_t written = 0;
  const RunResult result = session_.WriteExport(plan, answers, written);
  QString status;
  if (written > 0) {
    QStringList names;
    for (std::size_t i = 0; i < written; ++i) {
      const ExportRequest& file = plan.Files[i];
      names << FileNameText(file.Name) + "." + Cp(OutputExtension(file.Kind));
    }
    status = QString("Exported %1 to %2, rewrote %3 at %4")
                 .arg(names.join(" and "), WithSlash(FileNameText(state_.OutputFolder)),
                      FileNameText(session_.Station().FileName) + ".DTA",
                      QTime::currentTime().toString("HH:mm:ss"));
  }
  if (result) {
    HidePanel();
  } else {
    ShowMessage(result.Outcome.Message);
    if (result.NameRefused && written < chosen.size()) {
      chosen[written].Name->setFocus(Qt::OtherFocusReason);
    }
  }
  emit Exported(status);
}

// The table is checked, and the user asked before it replaces a file, before anything is written.
void ExportPage::SaveResultsTable() {
  QLineEdit* edit = resultsPanel_->NameEdit();
  const ResultsFormat format = resultsPanel_->Format();
  const ResultsTableTarget target =
      CheckResultsTable(state_.OutputFolder, FileNameOf(edit->text().trimmed()), format);
  // The edits show the name as the file is named (without blanks).
  if (!target.Name.empty()) {
    session_.SetOutputName(target.Name);
    ShowName(target.Name);
  }
  if (!target) {
    ShowMessage(target.Message);
    edit->setFocus(Qt::OtherFocusReason);
    emit Exported(QString());
    return;
  }
  if (target.Replaces && !AskYesNo(FileNameText(ReplaceResultsTableQuestion(target.FileName)))) {
    edit->setFocus(Qt::OtherFocusReason);
    emit Exported(QString());
    return;
  }
  const RunResult result = ExportResultsTable(session_, target.Path, format);
  if (!result) {
    ShowMessage(result.Outcome.Message);
    emit Exported(QString());
    return;
  }
  HidePanel();
  emit Exported(QString("Exported %1 to %2, rewrote %3 at %4")
                    .arg(FileNameText(target.FileName),
                         WithSlash(FileNameText(state_.OutputFolder)),
                         FileNameText(session_.Station().FileName) + ".DTA",
                         QTime::currentTime().toString("HH:mm:ss")));
}

}  // namespace vernoli
