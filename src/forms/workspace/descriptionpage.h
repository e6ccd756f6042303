// The workspace's description page DescriptionSheet: the temperature unit, the parameters present
// with their units, the psychrometer, the wind height, the estimates of missing humidity, wind and
// radiation, and the Angstrom coefficients.
//
// Every change goes to the session and the form then shows every page again. A change of the
// parameters present or of a unit first has the grid's pending edit checked (a refused value
// leaves the control on the session's choice). The setting edits are read on Enter and when they
// are left; a click into one selects its text.
#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "workspace/session.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vernoli {

class WorkspaceHost;

class DescriptionPage : public QWidget {
  Q_OBJECT
 public:
  DescriptionPage(WorkspaceSession& session, WorkspaceHost& host, QWidget* parent = nullptr);

  // Fills the controls from the session.
  void Show();
  // Closes the Angstrom box (a new opening, another page in front).
  void HideAngstrom();
  // The page's controls in reading order (each column from the top), for the form's tab order.
  std::vector<QWidget*> TabOrder() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The groups of the page, built in reading order.
  QGroupBox* BuildTemperatureUnit();
  QGroupBox* BuildAirTemperature();
  QGroupBox* BuildAirHumidity();
  QGroupBox* BuildWindSpeed();
  QGroupBox* BuildRadiation();
  void Connect();
  QCheckBox* Box(PresenceBox box) const { return presence_[static_cast<std::size_t>(box)]; }

  // Events.
  void PresenceClick(PresenceBox box, bool checked);
  void TemperatureUnitClick(bool fahrenheit);
  void UnitComboChange(QComboBox* box, int item);
  // False when it showed a message.
  bool ReadSettingEdit(QLineEdit* edit);
  void PsychrometerClick(Psychrometer button);
  void HumClassChange(int item);
  void UClassChange(int item);
  void CheckBoxCorrectionZClick(bool checked);
  void DefButtonClick();
  // True when the grid's pending edit was accepted; else the controls show the session again.
  bool GridEditFinished();
  // The setting that a line edit shows, if it is one.
  std::optional<SettingEdit> SettingOf(const QObject* edit) const;

  WorkspaceSession& session_;
  WorkspaceHost& host_;
  bool loading_ = false;         // controls are being filled: their change handlers do nothing
  bool readingSetting_ = false;  // a setting edit is being read (its message takes the focus)

  std::array<QCheckBox*, kPresenceBoxCount> presence_{};
  QRadioButton* radioCelsius_;
  QRadioButton* radioFarenheit_;
  std::array<QLabel*, 4> temperatureLabels_{};  // LabelUTmean, LabelTMinMax, LabelTdew, LabelTPsy
  QComboBox* unitEactComboBox_;
  QComboBox* unitUComboBox_;
  QComboBox* unitRsComboBox_;
  QComboBox* unitRnComboBox_;
  std::array<QRadioButton*, 3> psychrometer_{};  // Ventilated, Natural, Indoors
  QLineEdit* editCoeffaPsy_;
  QLineEdit* editHeightU_;
  QLineEdit* editTminCorr_;
  QLabel* labelMissingT_;
  QComboBox* humClassComboBox_;
  QLineEdit* editU2_;
  QLabel* labelMissingU_;
  QComboBox* uClassComboBox_;
  QLineEdit* editKRs_;
  QPushButton* adjustButton_;
  QGroupBox* groupBoxAngstrom_;
  QLineEdit* editAngA_;
  QLineEdit* editAngB_;
  QCheckBox* checkBoxCorrectionZ_;
  QPushButton* defButton_;
};

}  // namespace vernoli
