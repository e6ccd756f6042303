#include "forms/plot/TPrintForm.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <string_view>

#include "kit/formkit.h"
#include "kit/symbolgrid.h"
#include "model/calendar.h"
#include "plot/report.h"

namespace vernoli {

namespace {

// The nine intermediate results, as the legend beside their box lists them.
constexpr std::string_view kResultLegend[] = {
    "e(act)*.....actual vapour pressure",
    "e(sat).......saturation vapour pressure",
    "u(2)*........wind speed",
    "Ra...........extraterrestrial radiation",
    "n*............actual duration of sunshine in a day",
    "N.............daylight hours",
    "Rs*..........solar or shortwave radiation",
    "Rnl...........net longwave radiation",
    "Rn*..........net radiation",
};

}  // namespace

TPrintForm::TPrintForm(QWidget* parent) : ActivatedForm(parent) {
  SetUpForm(*this, "PrintForm", " Report menu");

  auto* heading = Label("HeadingLabel", "Compose report", this);
  QFont big = heading->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.3);
  heading->setFont(big);

  cBoxNr_ = CheckBox("CBoxNr", "Number ", this);
  nrLabel_ = Label("NrLabel", QString(), this);
  cBoxDate_ = CheckBox("CBoxDate", "Date", this);
  dateLabel_ = Label("DateLabel", QString(), this);
  cBoxClimData_ = CheckBox("CBoxClimData", "Meteo data and ETo", this);
  symbolStringGrid_ = SymbolGrid(this);
  symbolStringGrid_->setFocusPolicy(Qt::NoFocus);
  symbolStringGrid_->setMinimumHeight(160);
  cBoxRes_ = CheckBox("CBoxRes", "Intermediate results", this);
  auto* legend = new QFrame(this);
  legend->setObjectName("ResultLegend");
  legend->setFrameShape(QFrame::StyledPanel);
  auto* legendLayout = new QGridLayout(legend);
  legendLayout->addWidget(Text(" Symbol", legend), 0, 0);
  legendLayout->addWidget(Text("      Description", legend), 0, 1);
  int row = 1;
  for (std::string_view line : kResultLegend) {
    legendLayout->addWidget(Text(Cp(line), legend), row++, 0, 1, 2);
  }
  closeButton_ = Button("CloseButton", "OK", this);
  closeButton_->setDefault(true);

  auto* layout = new QGridLayout(this);
  layout->addWidget(heading, 0, 0, 1, 2);
  layout->addWidget(cBoxNr_, 1, 0);
  layout->addWidget(nrLabel_, 1, 1);
  layout->addWidget(cBoxDate_, 2, 0);
  layout->addWidget(dateLabel_, 2, 1);
  layout->addWidget(cBoxClimData_, 3, 0, Qt::AlignTop);
  layout->addWidget(symbolStringGrid_, 3, 1);
  layout->addWidget(cBoxRes_, 4, 0, Qt::AlignTop);
  layout->addWidget(legend, 4, 1);
  layout->addLayout(ButtonRow({closeButton_}), 5, 0, 1, 2);
  layout->setColumnStretch(1, 1);

  connect(cBoxNr_, &QCheckBox::clicked, this, [this](bool on) { report_->RecordNumber = on; });
  connect(cBoxDate_, &QCheckBox::clicked, this, [this](bool on) { report_->Date = on; });
  connect(cBoxClimData_, &QCheckBox::clicked, this,
          [this](bool on) { report_->DataAndETo = on; });
  connect(cBoxRes_, &QCheckBox::clicked, this,
          [this](bool on) { report_->IntermediateResults = on; });
  connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void TPrintForm::SetDataSet(const RepClimateFile& station, const std::vector<SymbolRow>& symbols,
                            ReportContent& report) {
  report_ = &report;
  records_ = station.NumberOfRecords;
  dataType_ = station.DataType;
  linkedToYear_ = station.FromYear != kYearNotLinked;
  ShowSymbolRows(*symbolStringGrid_, symbols);
}

void TPrintForm::FormActivate() {
  const ReportContent& content = *report_;
  cBoxNr_->setChecked(content.RecordNumber);
  cBoxDate_->setChecked(content.Date);
  cBoxClimData_->setChecked(content.DataAndETo);
  cBoxRes_->setChecked(content.IntermediateResults);
  nrLabel_->setText(QString("(1 ... %1)").arg(records_));
  dateLabel_->setText(Cp(ReportDateFormat(dataType_, linkedToYear_)));
  closeButton_->setFocus(Qt::OtherFocusReason);
}

void TPrintForm::done(int result) {
  // The report always shows values.
  EnsureReportHasValues(*report_);
  QDialog::done(result);
}

}  // namespace vernoli
