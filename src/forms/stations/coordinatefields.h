// The coordinate fields of the create, station update and import forms: latitude and longitude
// as degrees, minutes and hemisphere or as decimal degrees, the switch between the two views,
// and the altitude; and the group of the three location classes.
//
// Every numeric field is range-checked on Enter and when it is left; a changed degree, minute or
// hemisphere recomposes the value and the decimal field follows, a changed decimal field shows
// its value again as degrees and minutes. The controls carry the names the forms use
// (LatDegEdit, LonMinEdit, LatitudeBox, LatDegDecEdit, AltitudeEdit, RadioDegMin, ...).
#pragma once

#include <QGroupBox>
#include <QWidget>
#include <cstdint>

#include "stations/entry.h"
#include "stations/location.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vernoli {

class CheckedEdit;

class CoordinateFields : public QWidget {
  Q_OBJECT
 public:
  // `altitude` is the range and fallback of the altitude field (a new station falls back to
  // 222 m, the other forms to 100 m). The switch between the views ("PanelSwitch") and the
  // fields ("CoorDinPanel") are two panels side by side.
  explicit CoordinateFields(const IntegerFieldSpec& altitude, QWidget* parent = nullptr);

  // Fills every field from a location (signed decimal degrees) and selects "Degrees and
  // Minutes".
  void SetLocation(double latitude, double longitude, int32_t altitude);

  const CoordinateField& Latitude() const { return latitude_; }
  const CoordinateField& Longitude() const { return longitude_; }
  int32_t Altitude() const { return altitude_; }

  CoordinateView View() const { return view_; }
  void SetView(CoordinateView view);

  // The two panels, for forms that place them apart.
  QGroupBox* SwitchPanel() const { return panelSwitch_; }
  QGroupBox* FieldsPanel() const { return coorDinPanel_; }

 signals:
  // After every change of the latitude, the longitude or the altitude.
  void Changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The controls of the latitude or of the longitude.
  struct AxisFields {
    CoordinateField* Field;
    QLineEdit* Degrees;
    QLineEdit* Minutes;
    QComboBox* Hemisphere;
    QLineEdit* Decimal;
    QLabel* DegreesLabel;
    QLabel* MinutesLabel;
  };

  void BuildAxis(AxisFields& axis, const QString& prefix, const QString& title,
                 const QString& north, const QString& south, int row, QGridLayout* grid);
  void ConnectAxis(AxisFields& axis, const IntegerFieldSpec& degrees,
                   const RealFieldSpec& decimal);
  // Shows the value of one axis in its four fields.
  void ShowAxis(const AxisFields& axis);

  CoordinateField latitude_{vernoli::Axis::Latitude, 0.0};
  CoordinateField longitude_{vernoli::Axis::Longitude, 0.0};
  int32_t altitude_ = 0;
  CoordinateView view_ = CoordinateView::DegreesAndMinutes;

  QGroupBox* panelSwitch_;
  QGroupBox* coorDinPanel_;
  QRadioButton* radioDegMin_;
  QRadioButton* radioDecimal_;
  AxisFields lat_{};
  AxisFields lon_{};
  QLineEdit* altitudeEdit_;
  CheckedEdit* altitudeCheck_;
};

// The group " Location " of the create, station update and import forms: the three location
// classes (interior or coastal, humid or arid, wind class) as radio buttons RadioCoast,
// RadioInter, RadioArid, RadioHumid, RadioUSmall, RadioUdef and RadioUStrong.
class LocationClassesBox : public QGroupBox {
  Q_OBJECT
 public:
  explicit LocationClassesBox(QWidget* parent = nullptr);

  void SetClasses(const LocationClasses& classes);
  LocationClasses Classes() const;

 private:
  QRadioButton* radioCoast_;
  QRadioButton* radioInter_;
  QRadioButton* radioArid_;
  QRadioButton* radioHumid_;
  QRadioButton* radioUSmall_;
  QRadioButton* radioUdef_;
  QRadioButton* radioUStrong_;
};

}  // namespace vernoli
