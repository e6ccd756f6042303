// The data-limits form: the five limits of a station, changed in steps of one, and the ranges
// of vapour pressure, wind, sunshine and radiation that follow from them.
#pragma once


#include <array>

#include "forms/limits/yearchart.h"
#include "kit/activatedform.h"
#include "limits/limits.h"
#include "model/parameters.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vernoli {

struct AppState;
class SpinButton;

class TLimitsForm : public ActivatedForm {
  Q_OBJECT
 public:
  explicit TLimitsForm(AppState& state, QWidget* parent = nullptr);

  // The station whose limits the next opening edits, and whether "Save and Close" also writes
  // its description file (the main menu and the workspace ask for it, the import does not).
  // Until a caller says otherwise the form edits the selected station and writes the file.
  void SetStation(RepClimateFile& station, bool writeDescriptionFile);

  // Size of the two year charts.
  static constexpr int kChartWidth = YearChart::kWidth;
  static constexpr int kChartHeight = YearChart::kHeight;

 private:
  void FormActivate() override;
  void ShowTemperature();
  void ShowHumidity();
  void ShowWind();
  void ShowRadiation();
  void DrawCharts();
  void MainButtonClick();

  // A limit that a spin button steps, and the displays that follow from it.
  struct SteppedLimit {
    void (*Step)(StationLimits& limits, SpinDirection direction);
    std::array<void (TLimitsForm::*)(), 2> Displays;  // the second may be null
  };
  // A click on an arrow of a limit's spin button.
  void StepLimit(const SteppedLimit& limit, SpinDirection direction);

  RepClimateFile* station_;
  bool writeDescriptionFile_ = true;
  StationLimits working_;  // the limits while the form is open

  QLabel* labelStation_;
  QLabel* labelCountry_;
  QLabel* latLabel_;
  QLineEdit* editTminC_;
  QLineEdit* editTmaxC_;
  QLabel* labelTminF_;
  QLabel* labelTmaxF_;
  SpinButton* spinButtonTmin_;
  SpinButton* spinButtonTmax_;
  QLineEdit* editRHmin_;
  QLineEdit* editRHmax_;
  SpinButton* spinButtonRH_;
  QLineEdit* editEminkPa_;
  QLineEdit* editEMaxkPa_;
  QLabel* labelEmin_;
  QLabel* labelEMax_;
  QComboBox* cBoxE_;
  QLineEdit* editUminMS_;
  QLineEdit* editUMaxMS_;
  SpinButton* spinButtonU_;
  QLabel* labelUMax_;
  QComboBox* cBoxU_;
  QLineEdit* editNMin_;
  QLineEdit* editRMinMJ_;
  QLineEdit* editNMaxJan_;
  QLineEdit* editNMaxJul_;
  QLineEdit* editRMaxMJJan_;
  QLineEdit* editRMaxMJJul_;
  QLabel* labelRMaxJan_;
  QLabel* labelRMaxJul_;
  QComboBox* cBoxR_;
  QLabel* labelR1_;
  QLabel* labelRN_;
  QLineEdit* editUP_;
  SpinButton* spinButtonR_;
  QLabel* labelA_;
  QLabel* labelB_;
  QLabel* labelCorrAlt_;
  YearChart* chartN_;
  YearChart* chartRa_;
  QPushButton* mainButton_;
  QPushButton* cancelButton_;
};

}  // namespace vernoli
