// The import form's page " Climatic station  ": name, country, the coordinate fields and the
// location classes of the new station.
#pragma once

#include <QWidget>
#include <cstdint>

#include "stations/location.h"

class QComboBox;
class QLineEdit;

namespace vernoli {

class CoordinateFields;
class LocationClassesBox;

class StationSheet : public QWidget {
  Q_OBJECT
 public:
  explicit StationSheet(QWidget* parent = nullptr);

  QLineEdit* StationEdit() const { return stationEdit_; }
  QLineEdit* CountryEdit() const { return countryEdit_; }
  CoordinateFields* Coordinates() const { return coordinates_; }
  LocationClassesBox* Classes() const { return groupBoxExtra_; }
  // The hidden mirror of the wind height edit of the parameter page.
  QLineEdit* WindHeightMirror() const { return editU1height_; }

  // Latitude, longitude and altitude can be typed (text files) or come from the file
  // (database exports).
  void SetLocationEditable(bool editable);

 private:
  QLineEdit* stationEdit_;
  QLineEdit* countryEdit_;
  CoordinateFields* coordinates_;
  LocationClassesBox* groupBoxExtra_;
  QComboBox* comboBoxPsycho_;
  QLineEdit* editU1height_;
};

}  // namespace vernoli
