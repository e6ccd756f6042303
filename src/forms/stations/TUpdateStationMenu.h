// The station update form: the name, country, location and location classes of the selected
// station, written to its description file on "Save and Main menu".
#pragma once

#include "kit/activatedform.h"

#include <optional>

#include "stations/stationupdate.h"

class QLineEdit;
class QPushButton;

namespace vernoli {

struct AppState;
class CoordinateFields;
class LocationClassesBox;

class TUpdateStationMenu : public ActivatedForm {
  Q_OBJECT
 public:
  explicit TUpdateStationMenu(AppState& state, QWidget* parent = nullptr);

 private:
  void FormActivate() override;
  void MainMenuButtonClick();

  AppState& state_;
  std::optional<StationUpdate> update_;  // the copy of the open station, from activation on

  QLineEdit* editName_;
  QLineEdit* editExtension_;
  QLineEdit* stationEdit_;
  QLineEdit* countryEdit_;
  CoordinateFields* coordinates_;
  LocationClassesBox* locationBox_;
  QPushButton* mainMenuButton_;
  QPushButton* cancelButton_;
};

}  // namespace vernoli
