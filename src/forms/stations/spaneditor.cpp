#include "forms/stations/spaneditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "forms/stations/spanbox.h"
#include "kit/checkedit.h"
#include "kit/formkit.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

constexpr SpanEnd kEnds[] = {SpanEnd::First, SpanEnd::Last};

}  // namespace

DataTypeBox::DataTypeBox(QWidget* parent) : QGroupBox(" Meteorological Data ", parent) {
  setObjectName("ClimDataBox");
  radios_ = {vernoli::Radio("RadioDay", "Daily", this),
             vernoli::Radio("RadioDecade", "10-daily", this),
             vernoli::Radio("RadioMonth", "Monthly", this)};
  auto* layout = new QVBoxLayout(this);
  for (QRadioButton* radio : radios_) layout->addWidget(radio);
}

SpanEditor::SpanEditor(SpanBox* box, DataTypeBox* types, QObject* parent)
    : QObject(parent), box_(box), types_(types) {
  for (int i = 0; i < 2; ++i) {
    yearChecks_[static_cast<std::size_t>(i)] =
        CheckedEdit::Integer(box_->At(i).Year, fields::kYear.Minimum, fields::kYear.Maximum,
                             fields::kYear.Width, fields::kYear.Fallback);
  }
  for (int type = 0; type < 3; ++type) {
    connect(types_->Radio(type), &QRadioButton::clicked, this, [this, type] {
      ops_.SetDataType(static_cast<uint8_t>(type));
      Change();
    });
  }
  // A list acts when the user chooses an item, also the one it shows (decade 3 again is day 21).
  for (int i = 0; i < 2; ++i) {
    const SpanBox::Side& side = box_->At(i);
    const SpanEnd end = kEnds[i];
    connect(side.Day, &QComboBox::activated, this, [this, end](int index) {
      ops_.ChooseDay(end, index + 1);
      Change();
    });
    connect(side.Decade, &QComboBox::activated, this, [this, end](int index) {
      ops_.ChooseDecade(end, index + 1);
      Change();
    });
    connect(side.Month, &QComboBox::activated, this, [this, end](int index) {
      ops_.ChooseMonth(end, index + 1);
      Change();
    });
    // The year edit has checked its text against 1902..2099 and shown its message.
    connect(yearChecks_[static_cast<std::size_t>(i)], &CheckedEdit::Checked, this,
            [this, end](double value) {
              ops_.EnterYear(end, FormatInt(std::llround(value), 0));
              Change();
            });
  }
  connect(box_->NotLinked(), &QCheckBox::clicked, this, [this](bool checked) {
    ops_.SetNotLinked(checked);
    Change();
  });
}

void SpanEditor::Change() {
  Show();
  emit Changed();
}

void SpanEditor::Show() {
  if (!ops_.Span) return;
  const SpanEntry& entry = ops_.Span();
  types_->Radio(entry.DataType())->setChecked(true);
  const SpanVisibility visibility = entry.Visibility();
  for (int i = 0; i < 2; ++i) {
    // The year first: hiding its edit while it has the focus checks what it holds.
    yearChecks_[static_cast<std::size_t>(i)]->SetValue(entry.DateOf(kEnds[i]).Year);
    box_->ShowEnd(i, entry.Controls(kEnds[i]), visibility);
  }
  box_->NotLinked()->setChecked(entry.NotLinked());
}

}  // namespace vernoli
