#include "stations/TCreateMenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QShowEvent>
#include <QVBoxLayout>
#include <cmath>

#include "app/appstate.h"
#include "app/checkedit.h"
#include "app/forms.h"
#include "app/messages.h"
#include "app/modal.h"
#include "app/text.h"
#include "model/textfile.h"
#include "stations/TSelectMenu.h"
#include "stations/characteristics.h"
#include "stations/coordinatefields.h"
#include "workspace/TUpdateMenu.h"

namespace vernoli {

namespace {

constexpr SpanEnd kEnds[] = {SpanEnd::First, SpanEnd::Last};

QLabel* Label(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(objectName);
  return label;
}

QLineEdit* LineEdit(const QString& objectName, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(objectName);
  return edit;
}

QComboBox* ComboBox(const QString& objectName, const QStringList& items, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(objectName);
  box->addItems(items);
  return box;
}

QRadioButton* Radio(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* radio = new QRadioButton(caption, parent);
  radio->setObjectName(objectName);
  return radio;
}

QFrame* Line(const QString& objectName, QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setObjectName(objectName);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

QStringList Numbers(int first, int last) {
  QStringList items;
  for (int i = first; i <= last; ++i) items << QString::number(i);
  return items;
}

QStringList Months() {
  QStringList items;
  for (std::string_view name : MonthNames()) items << FromCp1252(name);
  return items;
}

QString Cp(std::string_view text) { return FromCp1252(text); }

// A file name is a name of the file system, not a text of a file.
std::string FileNameOf(const QString& text) { return QFile::encodeName(text).toStdString(); }
QString FileNameText(const std::string& name) {
  return QFile::decodeName(QByteArray::fromStdString(name));
}

}  // namespace

TCreateMenu::TCreateMenu(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent), state_(state), forms_(forms) {
  setObjectName("CreateMenu");
  setWindowTitle(" Create menu");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);

  // Names.
  auto* names = new QWidget(this);
  editName_ = LineEdit("EditName", names);
  newNameEdit_ = LineEdit("NewNameEdit", names);
  newNameLabel_ = Label("NewNameLabel", ">>>  New File name", names);
  newNameShape_ = Line("NewNameShape", names);
  newNameShape2_ = Line("NewNameShape2", names);
  stationEdit_ = LineEdit("StationEdit", names);
  countryEdit_ = LineEdit("CountryEdit", names);
  auto* namesLayout = new QGridLayout(names);
  namesLayout->setContentsMargins(0, 0, 0, 0);
  namesLayout->addWidget(Label("LabelFileName", "File name", names), 0, 0);
  namesLayout->addWidget(editName_, 0, 1);
  namesLayout->addWidget(newNameShape_, 1, 0, 1, 2);
  namesLayout->addWidget(newNameLabel_, 2, 0);
  namesLayout->addWidget(newNameEdit_, 2, 1);
  namesLayout->addWidget(newNameShape2_, 3, 0, 1, 2);
  namesLayout->addWidget(Label("LabelStation", "Station", names), 4, 0);
  namesLayout->addWidget(stationEdit_, 4, 1);
  namesLayout->addWidget(Label("LabelCountry", "Country", names), 5, 0);
  namesLayout->addWidget(countryEdit_, 5, 1);
  namesLayout->setColumnStretch(1, 1);

  // Type of data.
  climDataBox_ = new QGroupBox(" Meteorological Data ", this);
  climDataBox_->setObjectName("ClimDataBox");
  radioDay_ = Radio("RadioDay", "Daily", climDataBox_);
  radioDecade_ = Radio("RadioDecade", "10-daily", climDataBox_);
  radioMonth_ = Radio("RadioMonth", "Monthly", climDataBox_);
  auto* climLayout = new QVBoxLayout(climDataBox_);
  climLayout->addWidget(radioDay_);
  climLayout->addWidget(radioDecade_);
  climLayout->addWidget(radioMonth_);

  // Time range.
  timeRangeBox_ = new QGroupBox(" Time range ", this);
  timeRangeBox_->setObjectName("TimeRangeBox");
  auto* timeLayout = new QGridLayout(timeRangeBox_);
  const char* const suffix[] = {"1", "N"};
  for (int i = 0; i < 2; ++i) {
    DateSide& side = sides_[static_cast<std::size_t>(i)];
    const QString s = suffix[i];
    side.Day = ComboBox("ComboDay" + s, Numbers(1, 31), timeRangeBox_);
    side.Decade = ComboBox("ComboDec" + s, Numbers(1, 3), timeRangeBox_);
    side.Month = ComboBox("ComboMonth" + s, Months(), timeRangeBox_);
    side.Year = LineEdit(i == 0 ? "FromYearEdit" : "ToYearEdit", timeRangeBox_);
    side.Year->setAlignment(Qt::AlignRight);
    side.Year->setFixedWidth(70);
    side.DayLabel = Label("Day" + s + "Label", "Day", timeRangeBox_);
    side.YearLabel = Label("Year" + s + "Label", i == 0 ? "First Year" : "Last Year",
                           timeRangeBox_);
    side.FirstLastLabel =
        Label(i == 0 ? "FirstLabel" : "LastLabel", i == 0 ? "First" : "Last", timeRangeBox_);
    side.YearCheck = CheckedEdit::Integer(side.Year, fields::kYear.Minimum,
                                          fields::kYear.Maximum, fields::kYear.Width,
                                          fields::kYear.Fallback);
    timeLayout->addWidget(side.FirstLastLabel, i, 0);
    timeLayout->addWidget(side.DayLabel, i, 1);
    timeLayout->addWidget(side.Day, i, 2);
    timeLayout->addWidget(side.Decade, i, 2);
    timeLayout->addWidget(side.Month, i, 3);
    timeLayout->addWidget(side.YearLabel, i, 4);
    timeLayout->addWidget(side.Year, i, 5);
  }
  checkNotLinked_ = new QCheckBox("not linked to a specific year", timeRangeBox_);
  checkNotLinked_->setObjectName("CheckNotLinked");
  timeLayout->addWidget(checkNotLinked_, 2, 0, 1, 6);
  timeLayout->setColumnStretch(6, 1);

  // Location.
  coordinates_ = new CoordinateFields(fields::kAltitudeNewStation, this);
  groupBoxExtra_ = new LocationClassesBox(this);
  groupBoxExtra_->setObjectName("GroupBoxExtra");

  // Copy mode: what is copied, read only.
  coorCopyPanel_ = new QGroupBox(this);
  coorCopyPanel_->setObjectName("CoorCopyPanel");
  latLabel_ = Label("LatLabel", QString(), coorCopyPanel_);
  longLabel_ = Label("LongLabel", QString(), coorCopyPanel_);
  altLabel_ = Label("AltLabel", QString(), coorCopyPanel_);
  auto* copyLayout = new QGridLayout(coorCopyPanel_);
  copyLayout->addWidget(new QLabel("Latitude", coorCopyPanel_), 0, 0);
  copyLayout->addWidget(latLabel_, 0, 1);
  copyLayout->addWidget(new QLabel("Longitude", coorCopyPanel_), 1, 0);
  copyLayout->addWidget(longLabel_, 1, 1);
  copyLayout->addWidget(new QLabel("Altitude", coorCopyPanel_), 2, 0);
  copyLayout->addWidget(altLabel_, 2, 1);
  copyLayout->setColumnStretch(1, 1);

  typePanel_ = new QGroupBox(this);
  typePanel_->setObjectName("TypePanel");
  typeLabel_ = Label("TypeLabel", QString(), typePanel_);
  auto* typeLayout = new QHBoxLayout(typePanel_);
  typeLayout->addWidget(new QLabel("Type", typePanel_));
  typeLayout->addWidget(typeLabel_, 1);

  groupBoxTimeCopy_ = new QGroupBox(" Time range ", this);
  groupBoxTimeCopy_->setObjectName("GroupBoxTimeCopy");
  QWidget* t = groupBoxTimeCopy_;
  firstLabelC_ = Label("FirstLabelC", "First", t);
  lastLabelC_ = Label("LastLabelC", "Last", t);
  day1LabelC_ = Label("Day1LabelC", "Day:", t);
  dayNLabelC_ = Label("DayNLabelC", "Day:", t);
  day1Lab_ = Label("Day1Lab", QString(), t);
  dayNLab_ = Label("DayNLab", QString(), t);
  month1Lab_ = Label("Month1Lab", QString(), t);
  monthNLab_ = Label("MonthNLab", QString(), t);
  year1LabelC_ = Label("Year1LabelC", "First Year:", t);
  yearNLabelC_ = Label("YearNLabelC", "Last Year:", t);
  year1Lab_ = Label("Year1Lab", QString(), t);
  yearNLab_ = Label("YearNLab", QString(), t);
  labelNotLinked_ = Label("LabelNotLinked", "Not linked to a specific year", t);
  auto* timeCopyLayout = new QGridLayout(groupBoxTimeCopy_);
  timeCopyLayout->addWidget(firstLabelC_, 0, 0);
  timeCopyLayout->addWidget(day1LabelC_, 0, 1);
  timeCopyLayout->addWidget(day1Lab_, 0, 2);
  timeCopyLayout->addWidget(Label("Month1LabelC", "First Month:", t), 0, 3);
  timeCopyLayout->addWidget(month1Lab_, 0, 4);
  timeCopyLayout->addWidget(year1LabelC_, 0, 5);
  timeCopyLayout->addWidget(year1Lab_, 0, 6);
  timeCopyLayout->addWidget(lastLabelC_, 1, 0);
  timeCopyLayout->addWidget(dayNLabelC_, 1, 1);
  timeCopyLayout->addWidget(dayNLab_, 1, 2);
  timeCopyLayout->addWidget(Label("MonthNLabelC", "Last Month:", t), 1, 3);
  timeCopyLayout->addWidget(monthNLab_, 1, 4);
  timeCopyLayout->addWidget(yearNLabelC_, 1, 5);
  timeCopyLayout->addWidget(yearNLab_, 1, 6);
  timeCopyLayout->addWidget(labelNotLinked_, 2, 0, 1, 7);
  timeCopyLayout->setColumnStretch(7, 1);

  createButton_ = new QPushButton("Create", this);
  createButton_->setObjectName("CreateButton");
  createButton_->setAutoDefault(false);
  cancelButton_ = new QPushButton("Cancel", this);
  cancelButton_->setObjectName("CancelButton");
  cancelButton_->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(createButton_);
  buttons->addWidget(cancelButton_);

  auto* layout = new QGridLayout(this);
  layout->addWidget(names, 0, 0, 1, 2);
  layout->addWidget(climDataBox_, 1, 0);
  layout->addWidget(typePanel_, 1, 0, 1, 2);
  layout->addWidget(timeRangeBox_, 1, 1);
  layout->addWidget(groupBoxTimeCopy_, 2, 0, 1, 2);
  layout->addWidget(coordinates_, 3, 0, 1, 2);
  layout->addWidget(coorCopyPanel_, 4, 0, 1, 2);
  layout->addWidget(groupBoxExtra_, 5, 0, 1, 2);
  layout->addLayout(buttons, 6, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(7, 1);

  connect(radioDay_, &QRadioButton::clicked, this, [this] { DataTypeClick(kDaily); });
  connect(radioDecade_, &QRadioButton::clicked, this, [this] { DataTypeClick(kTenDaily); });
  connect(radioMonth_, &QRadioButton::clicked, this, [this] { DataTypeClick(kMonthly); });
  // A list acts when the user chooses an item, also the one it shows (decade 3 again is day 21).
  for (int i = 0; i < 2; ++i) {
    const DateSide& side = sides_[static_cast<std::size_t>(i)];
    const SpanEnd end = kEnds[i];
    connect(side.Day, &QComboBox::activated, this, [this, end](int index) {
      input_.Span.ChooseDay(end, index + 1);
      ShowSpan();
    });
    connect(side.Decade, &QComboBox::activated, this, [this, end](int index) {
      input_.Span.ChooseDecade(end, index + 1);
      ShowSpan();
    });
    connect(side.Month, &QComboBox::activated, this, [this, end](int index) {
      input_.Span.ChooseMonth(end, index + 1);
      ShowSpan();
    });
    // The year edit has checked its text against 1902..2099 and shown its message.
    connect(side.YearCheck, &CheckedEdit::Checked, this, [this, end](double value) {
      (void)input_.Span.EnterYear(end, FormatInt(std::llround(value), 0));
      ShowSpan();
    });
  }
  connect(checkNotLinked_, &QCheckBox::clicked, this, &TCreateMenu::CheckNotLinkedClick);
  connect(createButton_, &QPushButton::clicked, this, &TCreateMenu::CreateButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void TCreateMenu::SetMode(CreateMode mode) { mode_ = mode; }

void TCreateMenu::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window shown again by the window system (after minimising) keeps what it shows.
  if (!event->spontaneous()) FormActivate();
}

void TCreateMenu::FormActivate() {
  // A station made at an earlier opening is no station made now.
  created_ = false;
  const bool copy = mode_ == CreateMode::Copy;
  for (QWidget* control : {static_cast<QWidget*>(newNameEdit_),
                           static_cast<QWidget*>(newNameLabel_), newNameShape_, newNameShape2_,
                           static_cast<QWidget*>(coorCopyPanel_),
                           static_cast<QWidget*>(typePanel_),
                           static_cast<QWidget*>(groupBoxTimeCopy_)}) {
    control->setVisible(copy);
  }
  for (QWidget* control : {static_cast<QWidget*>(climDataBox_),
                           static_cast<QWidget*>(timeRangeBox_),
                           static_cast<QWidget*>(coordinates_),
                           static_cast<QWidget*>(groupBoxExtra_)}) {
    control->setVisible(!copy);
  }
  if (copy) {
    ShowCopy();
  } else {
    ShowNewFile();
  }
  // The two modes show different panels: the form takes the size of the shown ones.
  layout()->activate();
  adjustSize();
}

void TCreateMenu::ShowNewFile() {
  setWindowTitle(" Create menu");
  createButton_->setText("Create");
  editName_->setEnabled(true);
  editName_->clear();
  stationEdit_->clear();
  countryEdit_->clear();
  input_ = NewStationInput{};
  coordinates_->SetLocation(input_.Latitude.Value(), input_.Longitude.Value(), input_.Altitude);
  groupBoxExtra_->SetClasses(input_.Classes);
  radioDay_->setChecked(true);
  ShowSpan();
  editName_->setFocus();
}

void TCreateMenu::ShowCopy() {
  setWindowTitle(" Copy menu");
  createButton_->setText("Copy");
  const RepClimateFile& station = state_.Station;
  editName_->setText(FileNameText(station.FileName));
  editName_->setEnabled(false);
  stationEdit_->setText(Cp(station.StationName));
  countryEdit_->setText(Cp(station.Country));
  newNameEdit_->clear();
  const CharacteristicsView view = StationCharacteristics(station);
  latLabel_->setText(Cp(view.Latitude));
  longLabel_->setText(Cp(view.Longitude));
  altLabel_->setText(Cp(view.Altitude));
  typeLabel_->setText(Cp(view.Type));
  day1LabelC_->setText(Cp(view.DayLabel));
  dayNLabelC_->setText(Cp(view.DayLabel));
  day1Lab_->setText(Cp(view.First.Day));
  dayNLab_->setText(Cp(view.Last.Day));
  month1Lab_->setText(Cp(view.First.Month));
  monthNLab_->setText(Cp(view.Last.Month));
  year1Lab_->setText(Cp(view.First.Year));
  yearNLab_->setText(Cp(view.Last.Year));
  for (QWidget* day : {day1LabelC_, dayNLabelC_, day1Lab_, dayNLab_}) {
    day->setVisible(view.DayFieldsVisible);
  }
  firstLabelC_->setVisible(view.FirstLastVisible);
  lastLabelC_->setVisible(view.FirstLastVisible);
  for (QWidget* year : {year1LabelC_, yearNLabelC_, year1Lab_, yearNLab_}) {
    year->setVisible(!view.NotLinked);
  }
  labelNotLinked_->setVisible(view.NotLinked);
  newNameEdit_->setFocus();
}

void TCreateMenu::ShowSpan() {
  const SpanVisibility visibility = input_.Span.Visibility();
  for (int i = 0; i < 2; ++i) {
    const DateSide& side = sides_[static_cast<std::size_t>(i)];
    const DateControls controls = input_.Span.Controls(kEnds[i]);
    {
      const QSignalBlocker day(side.Day);
      const QSignalBlocker decade(side.Decade);
      const QSignalBlocker month(side.Month);
      side.Day->setCurrentIndex(controls.Day - 1);
      side.Decade->setCurrentIndex(controls.Decade - 1);
      side.Month->setCurrentIndex(controls.Month - 1);
    }
    side.YearCheck->SetValue(input_.Span.DateOf(kEnds[i]).Year);
    side.DayLabel->setText(Cp(visibility.DayLabel));
    side.DayLabel->setVisible(visibility.DayLabels);
    side.Day->setVisible(visibility.DayLists);
    side.Decade->setVisible(visibility.DecadeLists);
    side.FirstLastLabel->setVisible(visibility.FirstLastLabels);
    side.Year->setVisible(visibility.Years);
    side.YearLabel->setVisible(visibility.Years);
  }
  checkNotLinked_->setChecked(input_.Span.NotLinked());
}

void TCreateMenu::DataTypeClick(uint8_t dataType) {
  input_.Span.SetDataType(dataType);
  ShowSpan();
}

void TCreateMenu::CheckNotLinkedClick(bool checked) {
  input_.Span.SetNotLinked(checked);
  ShowSpan();
}

void TCreateMenu::CreateButtonClick() {
  created_ = false;
  const std::string stationName = ToCp1252(stationEdit_->text());
  const std::string country = ToCp1252(countryEdit_->text());
  CreateResult result;
  QLineEdit* nameEdit = editName_;
  if (mode_ == CreateMode::NewFile) {
    input_.Name = FileNameOf(editName_->text());
    input_.StationName = stationName;
    input_.Country = country;
    input_.Latitude = coordinates_->Latitude();
    input_.Longitude = coordinates_->Longitude();
    input_.Altitude = coordinates_->Altitude();
    input_.Classes = groupBoxExtra_->Classes();
    result = CreateStation(state_.DataFolder, input_);
  } else {
    nameEdit = newNameEdit_;
    result = CopyStation(state_.DataFolder, state_.Station, FileNameOf(newNameEdit_->text()),
                         stationName, country);
  }
  if (!result.Created()) {
    ShowMessage(result.Message);
    if (result.Failure == CreateFailure::FileName) nameEdit->setFocus();
    return;
  }
  state_.Station = result.Station;
  created_ = true;
  OpenWorkspace();
  accept();
  if (forms_.SelectMenu != nullptr) forms_.SelectMenu->ReloadFileList();
}

void TCreateMenu::OpenWorkspace() {
  if (forms_.UpdateMenu == nullptr) return;
  // The new station has nothing to go back to: "Cancel" is disabled.
  forms_.UpdateMenu->PrepareOpening(false);
  ShowModal(*forms_.UpdateMenu);
}

}  // namespace vernoli
