#include "import/metdatasheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/formkit.h"
#include "stations/spanbox.h"
#include "stations/spaneditor.h"

namespace vernoli {

MetDataSheet::MetDataSheet(QWidget* parent) : QWidget(parent) {
  setObjectName("MetDataSheet");

  climDataBox_ = Group("ClimDataBox", " Meteorological Data ", this);
  radioDay_ = Radio("RadioDay", "Daily", climDataBox_);
  radioDecade_ = Radio("RadioDecade", "10-daily", climDataBox_);
  radioMonth_ = Radio("RadioMonth", "Monthly", climDataBox_);
  auto* climLayout = new QVBoxLayout(climDataBox_);
  climLayout->addWidget(radioDay_);
  climLayout->addWidget(radioDecade_);
  climLayout->addWidget(radioMonth_);

  timeRangeBox_ = new SpanBox(SpanBox::YearEdit::Typed, this);
  span_ = new SpanEditor(timeRangeBox_, radioDay_, radioDecade_, radioMonth_, this);
  recordLabel_ = BoldLabel("RecordLabel", this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(climDataBox_);
  layout->addWidget(timeRangeBox_);
  layout->addWidget(recordLabel_);
  layout->addStretch(1);
}

void MetDataSheet::ShowRecordCount(const QString& text) { recordLabel_->setText(text); }

void MetDataSheet::SetSpanEditable(bool editable) {
  radioDay_->setEnabled(editable);
  radioDecade_->setEnabled(editable);
  timeRangeBox_->NotLinked()->setEnabled(editable);
  for (int end = 0; end < 2; ++end) {
    const SpanBox::Side& side = timeRangeBox_->At(end);
    side.Decade->setEnabled(editable);
    side.Month->setEnabled(editable);
    side.Year->setEnabled(editable);
  }
}

}  // namespace vernoli
