#include "forms/stations/TUpdateRangeMenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "forms/stations/spanbox.h"
#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/spinbutton.h"
#include "stations/appstate.h"
#include "stations/characteristics.h"

namespace vernoli {

namespace {

// One end's group: the spin button with its "Expand" and "Shrink" labels, the two steps and the
// counter.
QGroupBox* EndGroup(const QString& title, const QString& objectName, SpinButton* spin,
                    QLabel* expand, QLabel* shrink, QRadioButton* dayStep,
                    QRadioButton* monthStep, QLabel* counterLabel, QLineEdit* counter) {
  QGroupBox* group = Group(objectName, title, nullptr);
  for (QWidget* child : {static_cast<QWidget*>(spin), static_cast<QWidget*>(expand),
                         static_cast<QWidget*>(shrink), static_cast<QWidget*>(dayStep),
                         static_cast<QWidget*>(monthStep), static_cast<QWidget*>(counterLabel),
                         static_cast<QWidget*>(counter)}) {
    child->setParent(group);
  }
  auto* labels = new QVBoxLayout;
  labels->setSpacing(0);
  labels->addWidget(expand);
  labels->addWidget(shrink);
  auto* spinRow = new QHBoxLayout;
  spinRow->addLayout(labels);
  spinRow->addWidget(spin);
  spinRow->addStretch(1);
  auto* steps = new QVBoxLayout;
  steps->addWidget(dayStep);
  steps->addWidget(monthStep);
  auto* counterRow = new QHBoxLayout;
  counterRow->addWidget(counterLabel);
  counterRow->addWidget(counter);
  counterRow->addStretch(1);
  auto* layout = new QVBoxLayout(group);
  layout->addLayout(spinRow);
  layout->addLayout(steps);
  layout->addLayout(counterRow);
  return group;
}

}  // namespace

TUpdateRangeMenu::TUpdateRangeMenu(AppState& state, QWidget* parent)
    : ActivatedForm(parent), state_(state) {
  SetUpForm(*this, "UpdateRangeMenu", " Update range menu");

  // The station.
  stationEdit_ = ReadOnlyEdit("StationEdit", this);
  countryEdit_ = ReadOnlyEdit("CountryEdit", this);
  typeLabel_ = Label("TypeLabel", QString(), this);
  auto* identity = new QGridLayout;
  identity->addWidget(new QLabel("Station", this), 0, 0);
  identity->addWidget(stationEdit_, 0, 1);
  identity->addWidget(new QLabel("Country", this), 1, 0);
  identity->addWidget(countryEdit_, 1, 1);
  identity->addWidget(typeLabel_, 2, 1);
  identity->setColumnStretch(1, 1);

  // The span as stepped so far: display only.
  timeRange_ = new SpanBox(SpanBox::YearEdit::Shown, this);
  checkNotLinked_ = timeRange_->NotLinked();
  for (QWidget* control : timeRange_->findChildren<QWidget*>()) control->setEnabled(false);

  editLnNr_ = ReadOnlyNumber("EditLnNr", 70, this);
  auto* count = new QHBoxLayout;
  count->addWidget(new QLabel("Number of records", this));
  count->addWidget(editLnNr_);
  count->addStretch(1);

  // The two ends.
  spinButtonFirst_ = new SpinButton("SpinButtonFirst");
  expandFirstLabel_ = Label("LabelExpandFirst", ".........Expand", nullptr);
  shrinkFirstLabel_ = Label("LabelShrinkFirst", ".......Shrink", nullptr);
  radioDayFirst_ = Radio("RadioDayFirst", "day per day", nullptr);
  radioMonthFirst_ = Radio("RadioMonthFirst", Cp(kMonthStepCaption), nullptr);
  labelLOW_ = Label("LabelLOW", "Added", nullptr);
  editRecLOW_ = ReadOnlyNumber("EditRecLOW", 90, nullptr);
  QGroupBox* lower =
      EndGroup("adjust Lower range", "LowerRangeBox", spinButtonFirst_, expandFirstLabel_,
               shrinkFirstLabel_, radioDayFirst_, radioMonthFirst_, labelLOW_, editRecLOW_);
  spinButtonLast_ = new SpinButton("SpinButtonLast");
  expandLastLabel_ = Label("LabelExpandLast", "Expand........", nullptr);
  shrinkLastLabel_ = Label("LabelShrinkLast", "Shrink..........", nullptr);
  radioDayLast_ = Radio("RadioDayLast", "day per day", nullptr);
  radioMonthLast_ = Radio("RadioMonthLast", Cp(kMonthStepCaption), nullptr);
  labelUP_ = Label("LabelUP", "Added", nullptr);
  editRecUP_ = ReadOnlyNumber("EditRecUP", 90, nullptr);
  QGroupBox* upper =
      EndGroup("adjust Upper range", "UpperRangeBox", spinButtonLast_, expandLastLabel_,
               shrinkLastLabel_, radioDayLast_, radioMonthLast_, labelUP_, editRecUP_);
  auto* ends = new QHBoxLayout;
  ends->addWidget(lower);
  ends->addWidget(upper);
  // A click on "Expand" or "Shrink" acts like the arrow beside it.
  for (QLabel* label : {expandFirstLabel_, shrinkFirstLabel_, expandLastLabel_,
                        shrinkLastLabel_}) {
    label->installEventFilter(this);
    label->setCursor(Qt::PointingHandCursor);
  }

  saveButton_ = Button("SaveButton", "Save and Main menu", this);
  cancelButton_ = Button("CancelButton", "Cancel", this);
  QHBoxLayout* buttons = ButtonRow({saveButton_, cancelButton_});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(identity);
  layout->addWidget(timeRange_);
  layout->addLayout(count);
  layout->addLayout(ends);
  layout->addLayout(buttons);

  connect(spinButtonFirst_, &SpinButton::UpClick, this,
          &TUpdateRangeMenu::SpinButtonFirstUpClick);
  connect(spinButtonFirst_, &SpinButton::DownClick, this,
          &TUpdateRangeMenu::SpinButtonFirstDownClick);
  connect(spinButtonLast_, &SpinButton::UpClick, this, &TUpdateRangeMenu::SpinButtonLastUpClick);
  connect(spinButtonLast_, &SpinButton::DownClick, this,
          &TUpdateRangeMenu::SpinButtonLastDownClick);
  connect(saveButton_, &QPushButton::clicked, this, &TUpdateRangeMenu::SaveButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  // Each end's counter takes the focus; there Up and Down expand and shrink. Escape would lose
  // the steps made.
  spinButtonFirst_->SetBuddy(editRecLOW_);
  spinButtonLast_->SetBuddy(editRecUP_);
  SetUpKeys(*this, saveButton_, EscapeKey::Ignored);
}

bool TUpdateRangeMenu::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == expandFirstLabel_) SpinButtonFirstUpClick();
    if (watched == shrinkFirstLabel_) SpinButtonFirstDownClick();
    if (watched == expandLastLabel_) SpinButtonLastUpClick();
    if (watched == shrinkLastLabel_) SpinButtonLastDownClick();
  }
  return QDialog::eventFilter(watched, event);
}

void TUpdateRangeMenu::FormActivate() {
  const RepClimateFile& open = state_.Station;
  range_.emplace(open);
  stationEdit_->setText(Cp(open.StationName));
  countryEdit_->setText(Cp(open.Country));
  typeLabel_->setText(Cp(DataTypeText(open.DataType)));
  const StepChoice steps = StepChoices(open.DataType);
  for (QRadioButton* first : {radioDayFirst_, radioDayLast_}) {
    first->setText(Cp(steps.FirstCaption));
    first->setEnabled(steps.FirstEnabled);
  }
  const bool byDay = steps.Chosen == RangeStep::DayOrDecade;
  radioDayFirst_->setChecked(byDay);
  radioMonthFirst_->setChecked(!byDay);
  radioDayLast_->setChecked(byDay);
  radioMonthLast_->setChecked(!byDay);
  ShowRange();
  saveButton_->setFocus();
}

void TUpdateRangeMenu::ShowRange() {
  const RangeUpdate& range = *range_;
  const SpanVisibility visibility = range.Visibility();
  const DateControls controls[] = {range.FirstControls(), range.LastControls()};
  for (int i = 0; i < 2; ++i) {
    timeRange_->At(i).Year->setText(Cp(controls[i].YearText));
    timeRange_->ShowEnd(i, controls[i], visibility);
  }
  // "not linked to a specific year" shows only for such data, checked.
  checkNotLinked_->setVisible(!visibility.Years);
  checkNotLinked_->setChecked(!visibility.Years);

  const CounterTexts beginning = range.BeginningTexts();
  const CounterTexts end = range.EndTexts();
  labelLOW_->setText(Cp(beginning.Label));
  editRecLOW_->setText(Cp(beginning.Count));
  labelUP_->setText(Cp(end.Label));
  editRecUP_->setText(Cp(end.Count));
  editLnNr_->setText(Cp(range.RecordCountText()));
}

RangeStep TUpdateRangeMenu::FirstStep() const {
  return radioMonthFirst_->isChecked() ? RangeStep::Month : RangeStep::DayOrDecade;
}

RangeStep TUpdateRangeMenu::LastStep() const {
  return radioMonthLast_->isChecked() ? RangeStep::Month : RangeStep::DayOrDecade;
}

void TUpdateRangeMenu::SpinButtonFirstUpClick() {
  if (range_ && range_->ExpandBeginning(FirstStep())) ShowRange();
}

void TUpdateRangeMenu::SpinButtonFirstDownClick() {
  if (range_ && range_->ShrinkBeginning(FirstStep())) ShowRange();
}

void TUpdateRangeMenu::SpinButtonLastUpClick() {
  if (range_ && range_->ExpandEnd(LastStep())) ShowRange();
}

void TUpdateRangeMenu::SpinButtonLastDownClick() {
  if (range_ && range_->ShrinkEnd(LastStep())) ShowRange();
}

void TUpdateRangeMenu::SaveButtonClick() {
  if (!range_) return;
  // With both counters 0 nothing is written and the form only closes.
  if (Status s = range_->Save(state_.Station); !s) {
    // Both files and the open station stay as they were; the form stays open.
    ShowMessage(s.Message);
    return;
  }
  accept();
}

}  // namespace vernoli
