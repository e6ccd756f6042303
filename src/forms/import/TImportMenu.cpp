#include "forms/import/TImportMenu.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "forms/import/filesheet.h"
#include "forms/import/layoutsheet.h"
#include "forms/import/metdatasheet.h"
#include "forms/import/paramsheet.h"
#include "forms/import/reportsheet.h"
#include "forms/import/stationsheet.h"
#include "forms/stations/coordinatefields.h"
#include "forms/stations/spaneditor.h"
#include "import/databases.h"
#include "kit/checkedit.h"
#include "kit/folderbrowser.h"
#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/navigator.h"
#include "kit/text.h"
#include "stations/appstate.h"

namespace vernoli {

namespace {

enum Page { kFilePage, kLayoutPage, kStationPage, kMetDataPage, kParamPage, kReportPage };

constexpr ImportKind kKinds[] = {ImportKind::Text, ImportKind::Hydrolex, ImportKind::Meteorix,
                                 ImportKind::Delimited};

// A folder of the file system as the core names it: ending with '/'.
std::string FolderOf(const QString& folder) {
  std::string name = FileNameOf(folder);
  if (name.empty() || name.back() != '/') name += '/';
  return name;
}

// Copies an edit's text into its twin on another page, without the twin signalling back.
void Mirror(QLineEdit* from, QLineEdit* to) {
  if (to->text() == from->text()) return;
  const QSignalBlocker blocker(to);
  to->setText(from->text());
}

}  // namespace

TImportMenu::TImportMenu(AppState& state, Navigator& navigator, QWidget* parent)
    : ActivatedForm(parent), state_(state), navigator_(navigator), session_(state.ImportFolder) {
  SetUpForm(*this, "ImportMenu", " Data import menu");

  pageControl1_ = new QTabWidget(this);
  pageControl1_->setObjectName("PageControl1");
  fileSheet_ = new FileSheet(pageControl1_);
  layoutSheet_ = new LayoutSheet(pageControl1_);
  stationSheet_ = new StationSheet(pageControl1_);
  metDataSheet_ = new MetDataSheet(pageControl1_);
  paramSheet_ = new ParamSheet(pageControl1_);
  reportSheet_ = new ReportSheet(pageControl1_);
  pageControl1_->addTab(fileSheet_, " File type  ");
  pageControl1_->addTab(layoutSheet_, " Layout  ");
  pageControl1_->addTab(stationSheet_, " Climatic station  ");
  pageControl1_->addTab(metDataSheet_, " Meteorological data  ");
  pageControl1_->addTab(paramSheet_, " Climatic parameters   ");
  pageControl1_->addTab(reportSheet_, " Status Report  ");

  importButton_ = Button("ImportButton", "Import", this);
  importButton_->setDefault(true);
  cancelButton_ = Button("CancelButton", "Cancel", this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pageControl1_, 1);
  layout->addLayout(ButtonRow({importButton_, cancelButton_}));

  // The list of codes, filled once: the parameter table does not change.
  std::array<std::vector<ParamSheet::CodeRow>, ParamSheet::kCodePageCount> pages;
  for (std::size_t page = 0; page < kCodePages.size(); ++page) {
    codeRows_[page] = CodePageRows(kCodePages[page]);
    for (const CodeListRow& row : codeRows_[page]) {
      pages[page].push_back({Cp(row.Code), Cp(row.Symbol), Cp(row.Unit), Cp(row.Description)});
    }
  }
  paramSheet_->SetCodePages(pages);
  metDataSheet_->Span()->Bind(session_);
  layoutSheet_->Bind(session_);

  connect(fileSheet_, &FileSheet::KindChosen, this, &TImportMenu::KindClick);
  connect(fileSheet_->Folders(), &FolderBrowser::FolderChosen, this, &TImportMenu::FolderChosen);
  connect(fileSheet_, &FileSheet::FileChosen, this, &TImportMenu::FileChosen);
  // A layout or column choice read the file again: the span, the columns and the report follow.
  connect(layoutSheet_, &LayoutSheet::Changed, this, &TImportMenu::ShowStatus);

  // The names are typed on the station page or on the report page; each shows the other.
  const auto names = [this](QLineEdit* edit, QLineEdit* twin, bool station) {
    connect(edit, &QLineEdit::textChanged, this, [this, edit, twin, station] {
      Mirror(edit, twin);
      if (station) {
        session_.SetStationName(ToCp1252(edit->text()));
      } else {
        session_.SetCountry(ToCp1252(edit->text()));
      }
    });
  };
  names(stationSheet_->StationEdit(), reportSheet_->StationEdit(), true);
  names(reportSheet_->StationEdit(), stationSheet_->StationEdit(), true);
  names(stationSheet_->CountryEdit(), reportSheet_->CountryEdit(), false);
  names(reportSheet_->CountryEdit(), stationSheet_->CountryEdit(), false);

  connect(stationSheet_->Coordinates(), &CoordinateFields::Changed, this, [this] {
    const CoordinateFields& fields = *stationSheet_->Coordinates();
    session_.SetLocation(fields.Latitude().Value(), fields.Longitude().Value(),
                         fields.Altitude());
    ShowStatus();
  });
  connect(paramSheet_->WindHeight(), &CheckedEdit::Checked, this, [this] {
    // The field has shown its message; the session takes the value it now holds.
    (void)session_.EnterWindHeight(ToCp1252(paramSheet_->WindHeightEdit()->text()));
    Mirror(paramSheet_->WindHeightEdit(), stationSheet_->WindHeightMirror());
  });
  connect(paramSheet_, &ParamSheet::UndefinedEntered, this, [this](double, bool byEnter) {
    (void)session_.EnterUndefined(ToCp1252(paramSheet_->Undefined()->Edit()->text()), byEnter);
    ShowStatus();
  });
  connect(metDataSheet_->Span(), &SpanEditor::Changed, this, &TImportMenu::ShowStatus);
  connect(paramSheet_, &ParamSheet::ColumnClicked, this, &TImportMenu::ColumnClick);
  connect(paramSheet_, &ParamSheet::CodeChosen, this, &TImportMenu::CodeChosen);
  connect(paramSheet_, &ParamSheet::UpdateRangeClicked, this,
          &TImportMenu::UpdateRangeButtonClick);
  connect(reportSheet_, &ReportSheet::ColumnClicked, this, &TImportMenu::ReportColumnClick);
  connect(pageControl1_, &QTabWidget::currentChanged, this, &TImportMenu::PageChanged);
  connect(importButton_, &QPushButton::clicked, this, &TImportMenu::ImportButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  resize(980, 760);
}

TImportMenu::~TImportMenu() = default;

void TImportMenu::FormActivate() {
  imported_ = false;
  session_.Open();
  reportSheet_->FileNameEdit()->clear();
  ShowKind();
  ShowStation();
  ShowFiles();
  ShowStatus();
  paramSheet_->OpenCodeList(false);
  pageControl1_->setCurrentIndex(kFilePage);
  fileSheet_->RadioText()->setFocus();
}

void TImportMenu::ShowKind() {
  const ImportKind kind = session_.Kind();
  fileSheet_->ShowKind(static_cast<int>(kind), Cp(DatabaseName(kind)));
  const bool typed = !session_.DatabaseKind();
  // The codes of a delimited file's columns are chosen on its layout page.
  const bool delimited = kind == ImportKind::Delimited;
  pageControl1_->setTabEnabled(kLayoutPage, delimited);
  stationSheet_->SetLocationEditable(typed);
  metDataSheet_->SetSpanEditable(!session_.SpanFromFile(), delimited);
  paramSheet_->SetAssignable(typed && !delimited);
  reportSheet_->SetReportEnabled(typed && !delimited);
}

void TImportMenu::ShowStation() {
  const RepClimateFile& station = session_.Station();
  // Shown before they are typed over: the session holds what the edits show.
  const std::string name = session_.StationName();
  const std::string country = session_.Country();
  stationSheet_->StationEdit()->setText(Cp(name));
  stationSheet_->CountryEdit()->setText(Cp(country));
  {
    const QSignalBlocker blocker(stationSheet_->Coordinates());
    stationSheet_->Coordinates()->SetLocation(station.Latitude, station.Longitude,
                                              station.Altitude);
  }
  stationSheet_->Classes()->SetClasses(session_.Classes());
  paramSheet_->WindHeight()->SetValue(station.WindHeight);
  stationSheet_->WindHeightMirror()->setText(paramSheet_->WindHeightEdit()->text());
  paramSheet_->Undefined()->Edit()->setText(Cp(session_.UndefinedText()));
  paramSheet_->Undefined()->SetValue(session_.Undefined());
  metDataSheet_->Span()->Show();
}

void TImportMenu::ShowFiles() {
  fileSheet_->Folders()->SetDirectory(FileNameText(session_.Folder()));
  const ImportFileList& files = session_.Files();
  QStringList names;
  for (const std::string& name : files.Files) names << FileNameText(name);
  fileSheet_->ShowFiles(names, Cp(files.InfoText));
}

void TImportMenu::ShowStatus() {
  const FileStatusTexts file = session_.FileStatus();
  const QString selected = FileNameText(session_.SelectedFile());
  fileSheet_->ShowSelectedFile(selected);
  reportSheet_->ShowSelectedFile(selected);
  fileSheet_->ShowInfo(file.ShowInfoPanel);
  fileSheet_->SetInfo(Cp(file.NrLines), Cp(file.NrColumns), Cp(file.CheckLine));
  reportSheet_->ShowLines(Cp(file.NrLines2));
  reportSheet_->SetFileLamp(file.FileLampGreen, Cp(file.Error10), Cp(file.Error2));

  const QString records = Cp(session_.RecordText());
  metDataSheet_->ShowRecordCount(records);
  reportSheet_->ShowRecordCount(records);
  // The span a file decides (a delimited file's dates) is shown as it now is.
  if (session_.Kind() == ImportKind::Delimited) metDataSheet_->Span()->Show();
  const LineLamp line = session_.LineStatus();
  reportSheet_->SetLineLamp(line.Green, Cp(line.Text));

  const ColumnAssignment& columns = session_.Columns();
  std::vector<ParamSheet::ColumnCells> cells;
  if (columns.Defined()) {
    for (int c = 0; c < columns.Columns(); ++c) {
      const ImportColumn& column = columns.Column(c);
      cells.push_back({Cp(column.Number), Cp(column.Symbol), Cp(column.Unit),
                       Cp(column.CodeText), Cp(column.MaximumText), Cp(column.MinimumText),
                       Cp(column.UpperText), Cp(column.LowerText)});
    }
  }
  paramSheet_->ShowColumns(cells);
  paramSheet_->ShowError(file.ShowErrorPanel, Cp(file.Error1), Cp(file.Error2));
  if (columns.Defined()) paramSheet_->SelectColumn(columns.CurrentColumn());
  if (!columns.Defined()) paramSheet_->OpenCodeList(false);

  const ParameterReport report = session_.Report();
  std::vector<ReportSheet::ReportRow> rows;
  for (const ReportRow& row : report.Rows) {
    rows.push_back({Cp(row.Nr), Cp(row.Symbol), Cp(row.Unit), Cp(row.Range), Cp(row.Error),
                    !row.Failed});
  }
  reportSheet_->ShowReport(report.Defined, rows);
  reportSheet_->SetParameterLamp(report.LampGreen, Cp(report.ClimParamEdit),
                                 Cp(report.ErrorParamLabel));

  QStringList values;
  for (const std::string& line : session_.ValuesReportLines()) values << Cp(line);
  reportSheet_->ShowValuesReport(session_.Kind() == ImportKind::Delimited, values);
  layoutSheet_->Show();
}

void TImportMenu::KindClick(int kind) {
  if (!session_.ChangeKind(kKinds[kind])) return;
  ShowKind();
  ShowStation();
  ShowFiles();
  ShowStatus();
}

void TImportMenu::FolderChosen(const QString& folder) {
  session_.ChangeFolder(FolderOf(folder));
  ShowFiles();
  ShowStatus();
}

void TImportMenu::FileChosen(const QString& name) {
  const std::string message = session_.ChooseFile(FileNameOf(name));
  // A database file brings its station, its location and its classes.
  if (session_.DatabaseKind()) ShowStation();
  ShowStatus();
  if (!message.empty()) ShowMessage(message);
}

void TImportMenu::ColumnClick(int column, bool openList) {
  session_.SelectColumn(column);
  paramSheet_->SelectColumn(column);
  if (openList) paramSheet_->OpenCodeList(true);
}

void TImportMenu::CodeChosen(int page, int row) {
  const std::vector<CodeListRow>& rows = codeRows_[static_cast<std::size_t>(page)];
  if (row < 0 || row >= static_cast<int>(rows.size())) return;
  session_.ChooseCode(rows[static_cast<std::size_t>(row)].TableRow);
  paramSheet_->OpenCodeList(false);
  ShowStatus();
  // The focus stays with the columns, ready for the next one.
  paramSheet_->FocusColumns();
}

void TImportMenu::ReportColumnClick(int column) {
  if (session_.DatabaseKind()) return;
  pageControl1_->setCurrentIndex(kParamPage);
  ColumnClick(column, true);
}

void TImportMenu::UpdateRangeButtonClick() {
  // The limits form edits the import's description and writes no file.
  RepClimateFile station = session_.Station();
  navigator_.OpenLimitsForm(station, false);
  session_.SetLimits(station.Limits);
  ShowStatus();
}

void TImportMenu::PageChanged(int index) {
  // The list of codes belongs to the parameter page and its report.
  if (index == kFilePage || index == kStationPage || index == kMetDataPage) {
    paramSheet_->OpenCodeList(false);
  }
}

void TImportMenu::ImportButtonClick() {
  imported_ = false;
  session_.SetClasses(stationSheet_->Classes()->Classes());
  const ImportResult result =
      session_.Import(state_.DataFolder, FileNameOf(reportSheet_->FileNameEdit()->text()));
  if (!result.Imported()) {
    if (result.Failure != ImportFailure::Files) pageControl1_->setCurrentIndex(kReportPage);
    ShowMessage(result.Message);
    if (result.Failure == ImportFailure::FileName) reportSheet_->FileNameEdit()->setFocus();
    return;
  }
  // The new station is the open and selected one.
  state_.Station = result.Station;
  imported_ = true;
  accept();
}

}  // namespace vernoli
