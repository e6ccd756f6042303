#include "forms/import/metdatasheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "forms/stations/spanbox.h"
#include "forms/stations/spaneditor.h"
#include "kit/formkit.h"
#include "model/calendar.h"

namespace vernoli {

MetDataSheet::MetDataSheet(QWidget* parent) : QWidget(parent) {
  setObjectName("MetDataSheet");

  climDataBox_ = new DataTypeBox(this);
  timeRangeBox_ = new SpanBox(SpanBox::YearEdit::Typed, this);
  span_ = new SpanEditor(timeRangeBox_, climDataBox_, this);
  recordLabel_ = BoldLabel("RecordLabel", this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(climDataBox_);
  layout->addWidget(timeRangeBox_);
  layout->addWidget(recordLabel_);
  layout->addStretch(1);
}

void MetDataSheet::ShowRecordCount(const QString& text) { recordLabel_->setText(text); }

void MetDataSheet::SetSpanEditable(bool editable, bool fromDates) {
  climDataBox_->Radio(kMonthly)->setEnabled(!fromDates);
  climDataBox_->Radio(kDaily)->setEnabled(editable);
  climDataBox_->Radio(kTenDaily)->setEnabled(editable);
  timeRangeBox_->NotLinked()->setEnabled(editable);
  for (int end = 0; end < 2; ++end) {
    const SpanBox::Side& side = timeRangeBox_->At(end);
    side.Day->setEnabled(!fromDates);
    side.Decade->setEnabled(editable);
    side.Month->setEnabled(editable);
    side.Year->setEnabled(editable);
  }
}

}  // namespace vernoli
