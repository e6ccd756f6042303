#include "forms/limits/TFileOptionMenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "kit/checkedit.h"
#include "kit/formkit.h"
#include "kit/modal.h"
#include "kit/text.h"
#include "model/calendar.h"
#include "model/numbers.h"
#include "stations/appstate.h"

namespace vernoli {

namespace {

// The span is shown, not chosen.
QComboBox* Combo(const QString& objectName, const QStringList& items, QWidget* parent) {
  QComboBox* combo = ComboBox(objectName, items, parent);
  combo->setEnabled(false);
  return combo;
}

}  // namespace

TFileOptionMenu::TFileOptionMenu(AppState& state, QWidget* parent)
    : ActivatedForm(parent), station_(state.Station) {
  SetUpForm(*this, "FileOptionMenu", " Interpolation menu");

  // The caller's inputs: which end of the series, and whether it is in degC.
  checkBoxInitial_ = CheckBox("CheckBoxInitial", QString(), this);
  checkBoxInitial_->setChecked(true);
  checkBoxInitial_->hide();
  checkBoxUnitSI_ = CheckBox("CheckBoxUnitSI", QString(), this);
  checkBoxUnitSI_->setChecked(true);
  checkBoxUnitSI_->hide();

  editParam_ = ReadOnlyEdit("EditParam", this);
  editParam_->setText("ETo");
  editWhich_ = ReadOnlyEdit("EditWhich", this);
  labelFullInfo_ = Label("LabelFullInfo", QString(), this);
  QFont bold = labelFullInfo_->font();
  bold.setBold(true);
  labelFullInfo_->setFont(bold);
  labelEditWhich_ = Label("LabelEditWhich", QString(), this);
  editVal1_ = NumberEdit("EditVal1", 80, this);
  editValN_ = NumberEdit("EditValN", 80, this);
  checkVal1_ = CheckedEdit::Real(editVal1_, 0.0, 15.0, kBoundaryFieldWidth, kBoundaryFieldDecimals,
                                 kBoundaryNotANumber);
  checkValN_ = CheckedEdit::Real(editValN_, 0.0, 15.0, kBoundaryFieldWidth, kBoundaryFieldDecimals,
                                 kBoundaryNotANumber);
  editVal1_->installEventFilter(this);
  editValN_->installEventFilter(this);

  auto* top = new QGridLayout;
  top->addWidget(Label("LabelInstalled", "Interpollation is installed", this), 0, 0, 1, 2);
  top->addWidget(Label("LabelAdjust", "Adjust ?", this), 0, 2, 1, 2, Qt::AlignRight);
  top->addWidget(Label("LabelParam", "Climatic parameter", this), 1, 0);
  top->addWidget(editParam_, 1, 1);
  top->addWidget(Label("LabelWhich", "Missing Value", this), 1, 2);
  top->addWidget(editWhich_, 1, 3);
  top->addWidget(Label("LabelRequired", "value required for interpolation:", this), 2, 0, 1, 4);
  top->addWidget(labelFullInfo_, 3, 0, 1, 4);
  auto* valueRow = new QHBoxLayout;
  valueRow->addWidget(labelEditWhich_);
  valueRow->addWidget(editVal1_);
  valueRow->addWidget(editValN_);
  valueRow->addStretch(1);
  top->addLayout(valueRow, 4, 0, 1, 4);

  // The span of the data set.
  auto* span = Group("GroupBoxETo", QString(), this);
  firstLabel_ = Label("FirstLabel", "First", span);
  lastLabel_ = Label("LastLabel", "Last", span);
  day1Label_ = Label("Day1Label", "Day", span);
  dayNLabel_ = Label("DayNLabel", "Day", span);
  comboDay1_ = Combo("ComboDay1", Numbers(1, 31), span);
  comboDayN_ = Combo("ComboDayN", Numbers(1, 31), span);
  comboDec1_ = Combo("ComboDec1", Numbers(1, 3), span);
  comboDecN_ = Combo("ComboDecN", Numbers(1, 3), span);
  comboMonth1_ = Combo("ComboMonth1", Months(), span);
  comboMonthN_ = Combo("ComboMonthN", Months(), span);
  firstYearLabel_ = Label("FirstYearLabel", "First Year", span);
  lastYearLabel_ = Label("LastYearLabel", "Last Year", span);
  fromYearEdit_ = ReadOnlyEdit("FromYearEdit", span);
  toYearEdit_ = ReadOnlyEdit("ToYearEdit", span);
  fromYearEdit_->setFixedWidth(70);
  toYearEdit_->setFixedWidth(70);
  checkNotLinked_ = CheckBox("CheckNotLinked", "not linked to a specific year", span);
  checkNotLinked_->setEnabled(false);
  auto* spanLayout = new QGridLayout(span);
  spanLayout->addWidget(firstLabel_, 0, 0);
  spanLayout->addWidget(day1Label_, 0, 1);
  spanLayout->addWidget(comboDay1_, 0, 2);
  spanLayout->addWidget(comboDec1_, 0, 2);
  spanLayout->addWidget(Label("FirstMonthLabel", "First Month", span), 0, 3);
  spanLayout->addWidget(comboMonth1_, 0, 4);
  spanLayout->addWidget(firstYearLabel_, 0, 5);
  spanLayout->addWidget(fromYearEdit_, 0, 6);
  spanLayout->addWidget(lastLabel_, 1, 0);
  spanLayout->addWidget(dayNLabel_, 1, 1);
  spanLayout->addWidget(comboDayN_, 1, 2);
  spanLayout->addWidget(comboDecN_, 1, 2);
  spanLayout->addWidget(Label("LastMonthLabel", "Last Month", span), 1, 3);
  spanLayout->addWidget(comboMonthN_, 1, 4);
  spanLayout->addWidget(lastYearLabel_, 1, 5);
  spanLayout->addWidget(toYearEdit_, 1, 6);
  spanLayout->addWidget(checkNotLinked_, 2, 0, 1, 7);

  okButton_ = Button("OKButton", "OK", this);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(span);
  layout->addWidget(okButton_, 0, Qt::AlignRight);

  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  // The value is asked for: "OK" (or the close box) is the way out.
  SetUpKeys(*this, okButton_, EscapeKey::Ignored);
}

void TFileOptionMenu::SetRequest(const BoundaryRequest& request, const RepClimateFile& station) {
  editParam_->setText(FromCp1252(request.Parameter));
  checkBoxInitial_->setChecked(request.First);
  checkBoxUnitSI_->setChecked(request.Celsius);
  station_ = station;
}

BoundaryRequest TFileOptionMenu::Request() const {
  BoundaryRequest request;
  request.Parameter = ToCp1252(editParam_->text());
  request.First = checkBoxInitial_->isChecked();
  request.Celsius = checkBoxUnitSI_->isChecked();
  return request;
}

double TFileOptionMenu::Value() const {
  const BoundaryRequest request = Request();
  const QLineEdit* edit = request.First ? editVal1_ : editValN_;
  return ParseBoundaryValue(ToCp1252(edit->text()), request, station_.Limits).Value;
}

std::optional<double> TFileOptionMenu::Ask(const BoundaryRequest& request,
                                           const RepClimateFile& station) {
  SetRequest(request, station);
  // Closed without "OK" (the close box, Escape), no value is given: the caller's export stops.
  if (ShowModal(*this) != QDialog::Accepted) return std::nullopt;
  return Value();
}

void TFileOptionMenu::FormActivate() {
  // The span of the data set.
  const Date first = DateOfDayNr(station_.FirstDayNr);
  const Date last = DateOfDayNr(station_.LastDayNr);
  comboDay1_->setCurrentIndex(first.Day - 1);
  comboDayN_->setCurrentIndex(last.Day - 1);
  comboDec1_->setCurrentIndex(DecadeOfDay(first.Day) - 1);
  comboDecN_->setCurrentIndex(DecadeOfDay(last.Day) - 1);
  comboMonth1_->setCurrentIndex(first.Month - 1);
  comboMonthN_->setCurrentIndex(last.Month - 1);
  fromYearEdit_->setText(FromCp1252(FormatInt(first.Year, 6)));
  toYearEdit_->setText(FromCp1252(FormatInt(last.Year, 6)));
  const bool notLinked = first.Year == kYearNotLinked;
  checkNotLinked_->setChecked(notLinked);

  const bool daily = station_.DataType == kDaily;
  const bool tenDaily = station_.DataType == kTenDaily;
  const bool monthly = !daily && !tenDaily;
  comboDay1_->setVisible(daily);
  comboDayN_->setVisible(daily);
  comboDec1_->setVisible(tenDaily);
  comboDecN_->setVisible(tenDaily);
  day1Label_->setText(daily ? "Day" : "Dec");
  dayNLabel_->setText(daily ? "Day" : "Dec");
  day1Label_->setVisible(!monthly);
  dayNLabel_->setVisible(!monthly);
  firstLabel_->setVisible(!monthly);
  lastLabel_->setVisible(!monthly);
  for (QWidget* year : {static_cast<QWidget*>(fromYearEdit_), static_cast<QWidget*>(toYearEdit_),
                        static_cast<QWidget*>(firstYearLabel_),
                        static_cast<QWidget*>(lastYearLabel_)}) {
    year->setVisible(!notLinked);
  }

  // The question and the value edit of its end of the series.
  const BoundaryRequest request = Request();
  const QString end = FromCp1252(std::string(BoundaryEndText(request)));
  editWhich_->setText(end);
  labelEditWhich_->setText(end);
  labelFullInfo_->setText(FromCp1252(BoundaryFullInfo(request)));
  const BoundaryBounds bounds = BoundaryValueBounds(request, station_.Limits);
  for (CheckedEdit* check : {checkVal1_, checkValN_}) {
    check->SetRange(bounds.Minimum, bounds.Maximum);
    check->SetValue(bounds.Default);
  }
  editVal1_->setVisible(request.First);
  editValN_->setVisible(!request.First);
  QLineEdit* edit = request.First ? editVal1_ : editValN_;
  edit->setFocus();
  edit->selectAll();
}

// Clicking a value edit selects its whole text.
bool TFileOptionMenu::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == editVal1_ || watched == editValN_) &&
      event->type() == QEvent::MouseButtonRelease) {
    static_cast<QLineEdit*>(watched)->selectAll();
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace vernoli
