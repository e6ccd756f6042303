#include "forms/stations/TCreateMenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "forms/stations/coordinatefields.h"
#include "forms/stations/spanbox.h"
#include "forms/stations/spaneditor.h"
#include "forms/stations/spanpanel.h"
#include "kit/checkedit.h"
#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/navigator.h"
#include "kit/text.h"
#include "stations/appstate.h"
#include "stations/characteristics.h"

namespace vernoli {

TCreateMenu::TCreateMenu(AppState& state, Navigator& navigator, QWidget* parent)
    : ActivatedForm(parent), state_(state), navigator_(navigator) {
  SetUpForm(*this, "CreateMenu", " Create menu");

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
  climDataBox_ = new DataTypeBox(this);

  // Time range.
  timeRangeBox_ = new SpanBox(SpanBox::YearEdit::Typed, this);
  span_ = new SpanEditor(timeRangeBox_, climDataBox_, this);
  span_->Bind(input_.Span);

  // Location.
  coordinates_ = new CoordinateFields(fields::kAltitudeNewStation, this);
  groupBoxExtra_ = new LocationClassesBox(this);
  groupBoxExtra_->setObjectName("GroupBoxExtra");

  // Copy mode: what is copied, read only.
  coorCopyPanel_ = Group("CoorCopyPanel", QString(), this);
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

  typePanel_ = Group("TypePanel", QString(), this);
  typeLabel_ = Label("TypeLabel", QString(), typePanel_);
  auto* typeLayout = new QHBoxLayout(typePanel_);
  typeLayout->addWidget(new QLabel("Type", typePanel_));
  typeLayout->addWidget(typeLabel_, 1);

  // The span's captions end in "C": the new-file span above has captions of the same names.
  groupBoxTimeCopy_ = new SpanPanel("GroupBoxTimeCopy", "C", SpanPanel::ValueFont::Plain, this);

  createButton_ = Button("CreateButton", "Create", this);
  cancelButton_ = Button("CancelButton", "Cancel", this);
  QHBoxLayout* buttons = ButtonRow({createButton_, cancelButton_});

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

  connect(createButton_, &QPushButton::clicked, this, &TCreateMenu::CreateButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  // Escape would lose what was typed.
  SetUpKeys(*this, createButton_, EscapeKey::Ignored);
}

void TCreateMenu::SetMode(CreateMode mode) { mode_ = mode; }

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
  span_->Show();
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
  groupBoxTimeCopy_->Show(view);
  newNameEdit_->setFocus();
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
  navigator_.StationsChanged();
}

void TCreateMenu::OpenWorkspace() {
  // The new station has nothing to go back to: "Cancel" is disabled.
  navigator_.OpenWorkspace(false);
}

}  // namespace vernoli
