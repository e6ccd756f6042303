// The range update form: the selected station's data set lengthened or shortened at either end,
// by days, decades or months; saving rewrites its data file and its description file.
#pragma once

#include "kit/activatedform.h"

#include <optional>

#include "stations/rangeupdate.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vernoli {

struct AppState;
class SpanBox;
class SpinButton;

class TUpdateRangeMenu : public ActivatedForm {
  Q_OBJECT
 public:
  explicit TUpdateRangeMenu(AppState& state, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormActivate() override;
  void ShowRange();
  RangeStep FirstStep() const;
  RangeStep LastStep() const;
  void SpinButtonFirstUpClick();
  void SpinButtonFirstDownClick();
  void SpinButtonLastUpClick();
  void SpinButtonLastDownClick();
  void SaveButtonClick();

  AppState& state_;
  std::optional<RangeUpdate> range_;  // the copy of the open station, from activation on

  QLineEdit* stationEdit_;
  QLineEdit* countryEdit_;
  QLabel* typeLabel_;
  SpanBox* timeRange_;
  QCheckBox* checkNotLinked_;
  QLineEdit* editLnNr_;
  SpinButton* spinButtonFirst_;
  QLabel* expandFirstLabel_;
  QLabel* shrinkFirstLabel_;
  QRadioButton* radioDayFirst_;
  QRadioButton* radioMonthFirst_;
  QLabel* labelLOW_;
  QLineEdit* editRecLOW_;
  SpinButton* spinButtonLast_;
  QLabel* expandLastLabel_;
  QLabel* shrinkLastLabel_;
  QRadioButton* radioDayLast_;
  QRadioButton* radioMonthLast_;
  QLabel* labelUP_;
  QLineEdit* editRecUP_;
  QPushButton* saveButton_;
  QPushButton* cancelButton_;
};

}  // namespace vernoli
