#include "forms/stations/coordinatefields.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QButtonGroup>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "kit/checkedit.h"
#include "kit/formkit.h"
#include "model/numbers.h"

namespace vernoli {

CoordinateFields::CoordinateFields(const IntegerFieldSpec& altitude, QWidget* parent)
    : QWidget(parent) {
  setObjectName("CoordinateFields");

  panelSwitch_ = Group("PanelSwitch", "Location", this);
  radioDegMin_ = Radio("RadioDegMin", "Degrees and Minutes", panelSwitch_);
  radioDecimal_ = Radio("RadioDecimal", "Decimal degrees", panelSwitch_);
  auto* switchLayout = new QVBoxLayout(panelSwitch_);
  switchLayout->addWidget(radioDegMin_);
  switchLayout->addWidget(radioDecimal_);
  switchLayout->addStretch(1);

  coorDinPanel_ = Group("CoorDinPanel", QString(), this);
  auto* grid = new QGridLayout(coorDinPanel_);
  lat_.Field = &latitude_;
  lon_.Field = &longitude_;
  BuildAxis(lat_, "Lat", "Latitude", "North", "South", 0, grid);
  BuildAxis(lon_, "Lon", "Longitude", "East", "West", 1, grid);
  altitudeEdit_ = NumberEdit("AltitudeEdit", 70, coorDinPanel_);
  altitudeEdit_->installEventFilter(this);
  grid->addWidget(new QLabel("Altitude", coorDinPanel_), 2, 0);
  grid->addWidget(altitudeEdit_, 2, 1);
  auto* altitudeUnit = new QVBoxLayout;
  altitudeUnit->setSpacing(0);
  altitudeUnit->addWidget(new QLabel("meter above", coorDinPanel_));
  altitudeUnit->addWidget(new QLabel("sea level", coorDinPanel_));
  grid->addLayout(altitudeUnit, 2, 2, 1, 3);
  grid->setColumnStretch(6, 1);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(coorDinPanel_, 1);
  layout->addWidget(panelSwitch_);

  ConnectAxis(lat_, fields::kLatitudeDegrees, fields::kLatitudeDecimal);
  ConnectAxis(lon_, fields::kLongitudeDegrees, fields::kLongitudeDecimal);
  altitudeCheck_ = CheckedEdit::Integer(altitudeEdit_, altitude.Minimum, altitude.Maximum,
                                        altitude.Width, altitude.Fallback);
  connect(altitudeCheck_, &CheckedEdit::Checked, this, [this](double value) {
    altitude_ = static_cast<int32_t>(std::lround(value));
    emit Changed();
  });
  connect(radioDegMin_, &QRadioButton::clicked, this,
          [this] { SetView(CoordinateView::DegreesAndMinutes); });
  connect(radioDecimal_, &QRadioButton::clicked, this,
          [this] { SetView(CoordinateView::DecimalDegrees); });
  SetView(CoordinateView::DegreesAndMinutes);
  // Reading order: the fields, then the choice of their view beside them.
  setTabOrder(altitudeEdit_, radioDegMin_);
  setTabOrder(radioDegMin_, radioDecimal_);
}

void CoordinateFields::BuildAxis(AxisFields& axis, const QString& prefix, const QString& title,
                                 const QString& north, const QString& south, int row,
                                 QGridLayout* grid) {
  QWidget* panel = coorDinPanel_;
  axis.Degrees = NumberEdit(prefix + "DegEdit", 70, panel);
  axis.Decimal = NumberEdit(prefix + "DegDecEdit", 70, panel);
  axis.Minutes = NumberEdit(prefix + "MinEdit", 70, panel);
  axis.DegreesLabel = Label("LabelDeg" + prefix, QString(), panel);
  axis.MinutesLabel = Label("Label" + prefix + "Min", Cp(kMinutesLabel), panel);
  axis.Hemisphere = new QComboBox(panel);
  axis.Hemisphere->setObjectName(prefix == "Lat" ? "LatitudeBox" : "LongitudeBox");
  axis.Hemisphere->addItems({north, south});
  grid->addWidget(new QLabel(title, panel), row, 0);
  // The decimal field takes the place of the degree field.
  grid->addWidget(axis.Degrees, row, 1);
  grid->addWidget(axis.Decimal, row, 1);
  grid->addWidget(axis.DegreesLabel, row, 2);
  grid->addWidget(axis.Minutes, row, 3);
  grid->addWidget(axis.MinutesLabel, row, 4);
  grid->addWidget(axis.Hemisphere, row, 5);
  for (QLineEdit* edit : {axis.Degrees, axis.Minutes, axis.Decimal}) {
    edit->installEventFilter(this);
  }
}

void CoordinateFields::ConnectAxis(AxisFields& axis, const IntegerFieldSpec& degrees,
                                   const RealFieldSpec& decimal) {
  const IntegerFieldSpec& minutes = fields::kMinutes;
  auto* degreesCheck = CheckedEdit::Integer(axis.Degrees, degrees.Minimum, degrees.Maximum,
                                            degrees.Width, degrees.Fallback);
  auto* minutesCheck = CheckedEdit::Integer(axis.Minutes, minutes.Minimum, minutes.Maximum,
                                            minutes.Width, minutes.Fallback);
  auto* decimalCheck = CheckedEdit::Real(axis.Decimal, decimal.Minimum, decimal.Maximum,
                                         decimal.Width, decimal.Decimals, decimal.Fallback);
  // The field has checked its text and shown its message; the value it now holds is inside
  // its range, and the coordinate takes it.
  AxisFields* fields = &axis;
  connect(degreesCheck, &CheckedEdit::Checked, this, [this, fields](double value) {
    (void)fields->Field->EnterDegrees(FormatInt(std::llround(value), 0));
    ShowAxis(*fields);
    emit Changed();
  });
  connect(minutesCheck, &CheckedEdit::Checked, this, [this, fields](double value) {
    (void)fields->Field->EnterMinutes(FormatInt(std::llround(value), 0));
    ShowAxis(*fields);
    emit Changed();
  });
  connect(decimalCheck, &CheckedEdit::Checked, this, [this, fields](double value) {
    (void)fields->Field->EnterDecimal(FormatReal(value, 0, 2));
    ShowAxis(*fields);
    emit Changed();
  });
  connect(axis.Hemisphere, &QComboBox::currentIndexChanged, this, [this, fields](int index) {
    fields->Field->ChooseHemisphere(index == 1 ? kSouthOrWest : kNorthOrEast);
    ShowAxis(*fields);
    emit Changed();
  });
}

void CoordinateFields::ShowAxis(const AxisFields& axis) {
  const CoordinateTexts texts = axis.Field->Texts();
  axis.Degrees->setText(Cp(texts.Degrees));
  axis.Minutes->setText(Cp(texts.Minutes));
  axis.Decimal->setText(Cp(texts.Decimal));
  const QSignalBlocker blocker(axis.Hemisphere);
  axis.Hemisphere->setCurrentIndex(texts.Hemisphere == kSouthOrWest ? 1 : 0);
}

void CoordinateFields::SetLocation(double latitude, double longitude, int32_t altitude) {
  latitude_.Show(latitude);
  longitude_.Show(longitude);
  altitude_ = altitude;
  ShowAxis(lat_);
  ShowAxis(lon_);
  altitudeCheck_->SetValue(altitude);
  SetView(CoordinateView::DegreesAndMinutes);
}

void CoordinateFields::SetView(CoordinateView view) {
  view_ = view;
  const bool decimal = view == CoordinateView::DecimalDegrees;
  radioDegMin_->setChecked(!decimal);
  radioDecimal_->setChecked(decimal);
  TabToChecked({radioDegMin_, radioDecimal_});
  for (const AxisFields* axis : {&lat_, &lon_}) {
    axis->Degrees->setVisible(!decimal);
    axis->Minutes->setVisible(!decimal);
    axis->MinutesLabel->setVisible(!decimal);
    axis->Decimal->setVisible(decimal);
    axis->DegreesLabel->setText(Cp(DegreesLabel(view)));
  }
}

bool CoordinateFields::eventFilter(QObject* watched, QEvent* event) {
  // Clicking a field selects its whole text, ready to be typed over.
  if (event->type() == QEvent::MouseButtonRelease) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
      QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    }
  }
  return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Location classes

LocationClassesBox::LocationClassesBox(QWidget* parent) : QGroupBox(" Location ", parent) {
  const auto radio = [this](const char* objectName, const char* caption) {
    auto* button = Radio(objectName, caption, this);
    return button;
  };
  radioCoast_ = radio("RadioCoast", "at the coast");
  radioInter_ = radio("RadioInter", "interior location");
  radioArid_ = radio("RadioArid", "in arid or semi-arid area");
  radioHumid_ = radio("RadioHumid", "in semi-humid or humid area");
  radioUSmall_ = radio("RadioUSmall", "light winds in area");
  radioUdef_ = radio("RadioUdef", "light to moderate winds in area");
  radioUStrong_ = radio("RadioUStrong", "moderate to strong winds in area");
  auto* layout = new QVBoxLayout(this);
  const std::initializer_list<QRadioButton*> groups[] = {
      {radioCoast_, radioInter_}, {radioArid_, radioHumid_},
      {radioUSmall_, radioUdef_, radioUStrong_}};
  for (const auto& group : groups) {
    // Each class is chosen on its own.
    auto* buttons = new QButtonGroup(this);
    for (QRadioButton* button : group) {
      buttons->addButton(button);
      layout->addWidget(button);
    }
    layout->addSpacing(6);
  }
  SetClasses(LocationClasses{});
}

void LocationClassesBox::SetClasses(const LocationClasses& classes) {
  (classes.Site == Location::Coast ? radioCoast_ : radioInter_)->setChecked(true);
  (classes.Humidity == Climate::Arid ? radioArid_ : radioHumid_)->setChecked(true);
  switch (classes.Wind) {
    case WindClass::Light: radioUSmall_->setChecked(true); break;
    case WindClass::LightToModerate: radioUdef_->setChecked(true); break;
    case WindClass::ModerateToStrong: radioUStrong_->setChecked(true); break;
  }
  TabToChecked({radioCoast_, radioInter_});
  TabToChecked({radioArid_, radioHumid_});
  TabToChecked({radioUSmall_, radioUdef_, radioUStrong_});
}

LocationClasses LocationClassesBox::Classes() const {
  LocationClasses classes;
  classes.Site = radioCoast_->isChecked() ? Location::Coast : Location::Interior;
  classes.Humidity = radioArid_->isChecked() ? Climate::Arid : Climate::Humid;
  if (radioUSmall_->isChecked()) {
    classes.Wind = WindClass::Light;
  } else if (radioUStrong_->isChecked()) {
    classes.Wind = WindClass::ModerateToStrong;
  } else {
    classes.Wind = WindClass::LightToModerate;
  }
  return classes;
}

}  // namespace vernoli
