#include "forms/import/reportsheet.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "import/columns.h"
#include "kit/formkit.h"
#include "kit/lamp.h"

namespace vernoli {

namespace {

constexpr int kRowHeight = 22;

QTableWidget* ReportGrid(const QString& objectName, const QStringList& titles, QWidget* parent) {
  auto* grid = new QTableWidget(0, static_cast<int>(titles.size()), parent);
  grid->setObjectName(objectName);
  grid->setHorizontalHeaderLabels(titles);
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->horizontalHeader()->setStretchLastSection(true);
  return grid;
}

}  // namespace

ReportSheet::ReportSheet(QWidget* parent) : QWidget(parent) {
  setObjectName("ReportSheet");

  auto* station = Group("NewStationPanel", " New station ", this);
  editFileName_ = LineEdit("EditFileName", station);
  stationEdit2_ = LineEdit("StationEdit2", station);
  countryEdit2_ = LineEdit("CountryEdit2", station);
  selectedFileEdit2_ = ReadOnlyEdit("SelectedFileEdit2", station);
  auto* stationLayout = new QGridLayout(station);
  stationLayout->addWidget(Label("LabelFileName", "File name", station), 0, 0);
  stationLayout->addWidget(editFileName_, 0, 1);
  stationLayout->addWidget(Label("LabelStation2", "Station", station), 1, 0);
  stationLayout->addWidget(stationEdit2_, 1, 1);
  stationLayout->addWidget(Label("LabelCountry2", "Country", station), 2, 0);
  stationLayout->addWidget(countryEdit2_, 2, 1);
  stationLayout->addWidget(Label("LabelSelectedFile2", "Import file", station), 3, 0);
  stationLayout->addWidget(selectedFileEdit2_, 3, 1);
  stationLayout->setColumnStretch(1, 1);

  auto* status = Group("StatusPanel", " Status ", this);
  recordLabel2_ = Label("RecordLabel2", QString(), status);
  nrLinesLabel2_ = Label("NrLinesLabel2", QString(), status);
  lineLamp_ = new Lamp("Line", status);
  labelLineOK_ = BoldLabel("LabelLineOK", status);
  fileLamp_ = new Lamp("File", status);
  error10Label_ = BoldLabel("Error10Label", status);
  error20Label_ = Label("Error20Label", QString(), status);
  paramLamp_ = new Lamp("Param", status);
  climParamEdit_ = ReadOnlyNumber("ClimParamEdit", 60, status);
  errorParamLabel_ = BoldLabel("ErrorParamLabel", status);
  for (QLabel* label : {labelLineOK_, error10Label_, error20Label_, errorParamLabel_}) {
    label->setWordWrap(true);
  }
  auto* statusLayout = new QGridLayout(status);
  statusLayout->addWidget(Text("Time range", status), 0, 1);
  statusLayout->addWidget(recordLabel2_, 0, 2);
  statusLayout->addWidget(Text("Lines in file", status), 1, 1);
  statusLayout->addWidget(nrLinesLabel2_, 1, 2);
  statusLayout->addWidget(lineLamp_, 2, 0);
  statusLayout->addWidget(Text("Lines and records", status), 2, 1);
  statusLayout->addWidget(labelLineOK_, 2, 2);
  statusLayout->addWidget(fileLamp_, 3, 0);
  statusLayout->addWidget(Text("File", status), 3, 1);
  auto* fileTexts = new QVBoxLayout;
  fileTexts->setSpacing(0);
  fileTexts->addWidget(error10Label_);
  fileTexts->addWidget(error20Label_);
  statusLayout->addLayout(fileTexts, 3, 2);
  statusLayout->addWidget(paramLamp_, 4, 0);
  auto* count = new QHBoxLayout;
  count->addWidget(Text("Climatic parameters", status));
  count->addWidget(climParamEdit_);
  statusLayout->addLayout(count, 4, 1);
  statusLayout->addWidget(errorParamLabel_, 4, 2);
  statusLayout->setColumnStretch(2, 1);

  auto* report = new QWidget(this);
  stringGridParamReport_ =
      ReportGrid("StringGridParamReport", CpList(kReportTitles), report);
  stringGridParamReport_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  stringGridParamReport2_ =
      ReportGrid("StringGridParamReport2", {Cp(kReportErrorTitle)}, report);
  lampStrip_ = new QWidget(report);
  lampStrip_->setFixedWidth(24);
  for (int i = 0; i < kMaxColumns; ++i) {
    columnLamps_[static_cast<std::size_t>(i)] = new Lamp("Par" + QString::number(i + 1), lampStrip_);
    columnLamps_[static_cast<std::size_t>(i)]->hide();
  }
  auto* reportLayout = new QHBoxLayout(report);
  reportLayout->setContentsMargins(0, 0, 0, 0);
  reportLayout->setSpacing(2);
  reportLayout->addWidget(stringGridParamReport_, 3);
  reportLayout->addWidget(lampStrip_);
  reportLayout->addWidget(stringGridParamReport2_, 2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(station);
  layout->addWidget(status);
  layout->addWidget(report, 1);
  // A delimited file's values set missing or to their limit, and its radiation above the clear
  // sky.
  valuesReportList_ = new QListWidget(this);
  valuesReportList_->setObjectName("ValuesReportList");
  valuesReportList_->hide();
  layout->addWidget(valuesReportList_, 1);

  connect(stringGridParamReport_, &QTableWidget::cellClicked, this,
          [this](int row, int) { emit ColumnClicked(row); });
  connect(stringGridParamReport2_, &QTableWidget::cellClicked, this,
          [this](int row, int) { emit ColumnClicked(row); });
  for (QTableWidget* grid : {stringGridParamReport_, stringGridParamReport2_}) {
    EnterActivates(grid);
    connect(grid, &QTableWidget::cellActivated, this, [this](int row, int) { emit ColumnClicked(row); });
  }
  ShowReport(false);
}

void ReportSheet::ShowValuesReport(bool visible, const QStringList& lines) {
  valuesReportList_->clear();
  valuesReportList_->addItems(lines);
  valuesReportList_->setVisible(visible);
}

void ReportSheet::ShowSelectedFile(const QString& name) { selectedFileEdit2_->setText(name); }
void ReportSheet::ShowRecordCount(const QString& text) { recordLabel2_->setText(text); }
void ReportSheet::ShowLines(const QString& text) { nrLinesLabel2_->setText(text); }

void ReportSheet::SetLineLamp(bool green, const QString& text) {
  lineLamp_->SetGreen(green);
  labelLineOK_->setText(text);
}

void ReportSheet::SetFileLamp(bool green, const QString& error10, const QString& error20) {
  fileLamp_->SetGreen(green);
  error10Label_->setText(error10);
  error20Label_->setText(error20);
}

void ReportSheet::SetParameterLamp(bool green, const QString& count, const QString& errors) {
  paramLamp_->SetGreen(green);
  climParamEdit_->setText(count);
  errorParamLabel_->setText(errors);
}

void ReportSheet::ShowReport(bool visible, const std::vector<ReportRow>& rows) {
  stringGridParamReport_->setVisible(visible);
  stringGridParamReport2_->setVisible(visible);
  reportRows_ = visible ? static_cast<int>(rows.size()) : 0;
  stringGridParamReport_->setRowCount(reportRows_);
  stringGridParamReport2_->setRowCount(reportRows_);
  for (int i = 0; i < reportRows_; ++i) {
    const ReportRow& row = rows[static_cast<std::size_t>(i)];
    const QString cells[] = {row.Nr, row.Symbol, row.Unit, row.Range};
    for (int c = 0; c < 4; ++c) stringGridParamReport_->setItem(i, c, new QTableWidgetItem(cells[c]));
    stringGridParamReport2_->setItem(i, 0, new QTableWidgetItem(row.Error));
  }
  for (int i = 0; i < kMaxColumns; ++i) {
    Lamp* lamp = columnLamps_[static_cast<std::size_t>(i)];
    lamp->setVisible(i < reportRows_);
    if (i < reportRows_) lamp->SetGreen(rows[static_cast<std::size_t>(i)].Ok);
  }
  PlaceLamps();
}

void ReportSheet::SetReportEnabled(bool enabled) {
  stringGridParamReport_->setEnabled(enabled);
  stringGridParamReport2_->setEnabled(enabled);
}

void ReportSheet::PlaceLamps() {
  const int top = stringGridParamReport_->y() - lampStrip_->y() +
                  stringGridParamReport_->frameWidth() +
                  stringGridParamReport_->horizontalHeader()->sizeHint().height();
  for (int i = 0; i < kMaxColumns; ++i) {
    Lamp* lamp = columnLamps_[static_cast<std::size_t>(i)];
    lamp->move((lampStrip_->width() - lamp->width()) / 2,
               top + i * kRowHeight + (kRowHeight - lamp->height()) / 2);
  }
}

void ReportSheet::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceLamps();
}

void ReportSheet::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  PlaceLamps();
}

}  // namespace vernoli
