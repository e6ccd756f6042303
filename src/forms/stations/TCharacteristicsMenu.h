// The station characteristics view: the selected station's identity, location, type of data
// and span, read only.
#pragma once

#include "kit/activatedform.h"


class QLabel;
class QLineEdit;
class QPushButton;

namespace vernoli {

struct AppState;
class SpanPanel;

class TCharacteristicsMenu : public ActivatedForm {
  Q_OBJECT
 public:
  explicit TCharacteristicsMenu(AppState& state, QWidget* parent = nullptr);

 private:
  void FormActivate() override;

  AppState& state_;

  QLineEdit* editName_;
  QLabel* stationLabel_;
  QLabel* countryLabel_;
  QLabel* latLabel_;
  QLabel* longLabel_;
  QLabel* altLabel_;
  QLabel* typeLabel_;
  SpanPanel* span_;
  QPushButton* bitBtn1_;
};

}  // namespace vernoli
