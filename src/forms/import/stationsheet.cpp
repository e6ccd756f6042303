#include "forms/import/stationsheet.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "forms/stations/coordinatefields.h"
#include "kit/formkit.h"
#include "stations/entry.h"

namespace vernoli {

StationSheet::StationSheet(QWidget* parent) : QWidget(parent) {
  setObjectName("StationSheet");

  auto* names = Group("NamePanel", " Climatic station ", this);
  stationEdit_ = LineEdit("StationEdit", names);
  countryEdit_ = LineEdit("CountryEdit", names);
  auto* namesLayout = new QGridLayout(names);
  namesLayout->addWidget(Label("LabelStation", "Station", names), 0, 0);
  namesLayout->addWidget(stationEdit_, 0, 1);
  namesLayout->addWidget(Label("LabelCountry", "Country", names), 1, 0);
  namesLayout->addWidget(countryEdit_, 1, 1);
  namesLayout->setColumnStretch(1, 1);

  coordinates_ = new CoordinateFields(fields::kAltitude, this);
  groupBoxExtra_ = new LocationClassesBox(this);
  groupBoxExtra_->setObjectName("GroupBoxExtra");

  // An imported station always gets the psychrometer coefficient of a ventilated psychrometer;
  // the wind height is entered on the parameter page.
  comboBoxPsycho_ = ComboBox("ComboBoxPsycho", {}, this);
  comboBoxPsycho_->hide();
  editU1height_ = NumberEdit("EditU1height", 70, this);
  editU1height_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(names);
  layout->addWidget(coordinates_);
  layout->addWidget(groupBoxExtra_);
  layout->addStretch(1);

  // Reading order: the names, the fields on the left, the switch of their view on the right,
  // then the location classes.
  QWidget* previous = countryEdit_;
  for (const char* name : {"LatDegEdit", "LatDegDecEdit", "LatMinEdit", "LatitudeBox",
                           "LonDegEdit", "LonDegDecEdit", "LonMinEdit", "LongitudeBox",
                           "AltitudeEdit", "RadioDegMin", "RadioDecimal"}) {
    if (auto* next = coordinates_->findChild<QWidget*>(name)) {
      setTabOrder(previous, next);
      previous = next;
    }
  }
}

void StationSheet::SetLocationEditable(bool editable) {
  for (const char* name : {"LatDegEdit", "LatMinEdit", "LatitudeBox", "LatDegDecEdit",
                           "LonDegEdit", "LonMinEdit", "LongitudeBox", "LonDegDecEdit",
                           "AltitudeEdit"}) {
    if (auto* control = coordinates_->findChild<QWidget*>(name)) control->setEnabled(editable);
  }
}

}  // namespace vernoli
