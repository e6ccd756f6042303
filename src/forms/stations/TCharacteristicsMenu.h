// The station characteristics view: the selected station's identity, location, type of data
// and span, read only.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vernoli {

struct AppState;
class SpanPanel;

class TCharacteristicsMenu : public QDialog {
  Q_OBJECT
 public:
  explicit TCharacteristicsMenu(AppState& state, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();

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
