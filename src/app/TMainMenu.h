// The main menu: opens every other form and shows the selected station.
#pragma once

#include "kit/activatedform.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vernoli {

struct AppState;
class Navigator;
class PictureButton;

class TMainMenu : public ActivatedForm {
  Q_OBJECT
 public:
  TMainMenu(AppState& state, Navigator& navigator, QWidget* parent = nullptr);

  // Shows the selection and enables the station controls exactly while a station is selected.
  void Refresh();

 private:
  void FormActivate() override;
  void RefreshLabels();
  void PathButtonClick();
  void SelectButtonClick();
  void CreateButtonClick();
  void ImportButtonClick();
  void CharacteristicsButtonClick();
  void DataRangeButtonClick();
  void LimitsButtonClick();
  void DataCharacButtonClick();
  void EToButtonClick();
  void ExitButtonClick();

  AppState& state_;
  Navigator& navigator_;

  QPushButton* pathButton_;
  QPushButton* selectButton_;
  PictureButton* image2_;
  QPushButton* createButton_;
  QPushButton* importButton_;
  QLineEdit* fileNameEdit_;
  QLabel* labelStat_;
  QLabel* stationLabel_;
  QLabel* labelCont_;
  QLabel* countryLabel_;
  QPushButton* characteristicsButton_;
  QPushButton* dataRangeButton_;
  QPushButton* limitsButton_;
  QPushButton* dataCharacButton_;
  QPushButton* etoButton_;
  PictureButton* imageETo_;
  QPushButton* exitButton_;
};

}  // namespace vernoli
