// The interpolation boundary-value dialog: asks for the first or the last value of an exported
// series that starts or ends with a gap, and keeps it within plausible bounds.
#pragma once

#include <optional>

#include "kit/activatedform.h"
#include "limits/boundary.h"
#include "model/station.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vernoli {

struct AppState;
class CheckedEdit;

class TFileOptionMenu : public ActivatedForm {
  Q_OBJECT
 public:
  explicit TFileOptionMenu(AppState& state, QWidget* parent = nullptr);

  // The question of the next opening and the station whose span and limits it shows.
  void SetRequest(const BoundaryRequest& request, const RepClimateFile& station);
  // The value in the visible edit, within the bounds of the request (what the caller takes).
  double Value() const;
  // Asks the user: sets the request, shows the dialog modally and returns the value of "OK";
  // nothing when the dialog was closed otherwise.
  std::optional<double> Ask(const BoundaryRequest& request, const RepClimateFile& station);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormActivate() override;
  BoundaryRequest Request() const;

  RepClimateFile station_;  // the span and the limits of the data set asked about

  QLineEdit* editParam_;
  QLineEdit* editWhich_;
  QCheckBox* checkBoxInitial_;
  QCheckBox* checkBoxUnitSI_;
  QLabel* labelFullInfo_;
  QLabel* labelEditWhich_;
  QLineEdit* editVal1_;
  QLineEdit* editValN_;
  CheckedEdit* checkVal1_;
  CheckedEdit* checkValN_;
  QLabel* firstLabel_;
  QLabel* lastLabel_;
  QLabel* day1Label_;
  QLabel* dayNLabel_;
  QComboBox* comboDay1_;
  QComboBox* comboDayN_;
  QComboBox* comboDec1_;
  QComboBox* comboDecN_;
  QComboBox* comboMonth1_;
  QComboBox* comboMonthN_;
  QLabel* firstYearLabel_;
  QLabel* lastYearLabel_;
  QLineEdit* fromYearEdit_;
  QLineEdit* toYearEdit_;
  QCheckBox* checkNotLinked_;
  QPushButton* okButton_;
};

}  // namespace vernoli
