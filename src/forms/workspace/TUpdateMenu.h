// The workspace " Data and ETo menu": the open station's parameters, units and settings, its data
// one calendar year at a time in a grid where every typed value is checked and every record's ETo
// is recomputed, the plot page and the export page.
//
// The form is a view over a WorkspaceSession: it shows what the session holds and forwards its
// controls' events to it. When an operation fails the form shows the message and redisplays its
// controls from the session, which is left as it was (the grid keeps the user's edits).
//
// The opener says how the next opening starts, then shows the form modally:
//
//   form->PrepareOpening(true);   // the main menu: "Cancel" enabled, the description page in front
//   form->PrepareOpening(false);  // the create form: the new station cannot be cancelled
//   ShowModal(*form);
#pragma once

#include "kit/activatedform.h"

#include <array>
#include <optional>

#include "workspace/session.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace vernoli {

struct AppState;
class Navigator;
class DataGrid;
class ExportPage;
class PlotPage;
class WorkspaceGridModel;

class TUpdateMenu : public ActivatedForm {
  Q_OBJECT
 public:
  TUpdateMenu(AppState& state, Navigator& navigator, QWidget* parent = nullptr);
  ~TUpdateMenu() override;

  // How the next opening starts: "Cancel" enabled (from the main menu) or disabled (from the
  // create form, after a new data file has been made), and the description page in front.
  void PrepareOpening(bool cancelEnabled);

  // The session behind the form (for the tests and the forms that work with the workspace).
  const WorkspaceSession& Session() const { return session_; }
  WorkspaceSession& Session() { return session_; }

  // Leaving: the working data are let go; "Main menu" has saved first, every other way out
  // (Cancel, the close box) leaves the station's files as they were at the last save.
  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building the pages.
  QWidget* BuildDescriptionSheet();
  QWidget* BuildDataSheet();
  void Connect();
  void SetTabOrder();

  // What the form shows, always from the session.
  void FormActivate() override;
  void ShowDescription();
  void ShowNavigation();
  void ShowGrid();
  void ShowSymbols();
  void ShowCancel();
  // After an operation: its message when it failed, then everything redisplayed.
  void Done(const Status& status);

  // Events.
  void MainMenuButtonClick();
  void SaveButtonClick();
  void CancelButtonClick();
  void ValidateCurrentCell(const QModelIndex& index);
  void GridDeleteCell(const QModelIndex& index);
  void PresenceClick(PresenceBox box, bool checked);
  void NextYearDataButtonClick();
  void PreviousYearDataButtonClick();
  void SymbolUnitClick();
  void CloseSymbolPanelButtonClick();
  void RangeButtonClick();
  void PageControl1Change(int page);
  void PlotSheetShow();
  void TemperatureUnitClick(bool fahrenheit);
  void UnitComboChange(QComboBox* box, int item);
  void ReadSettingEdit(QLineEdit* edit);
  void PsychrometerClick(Psychrometer button);
  void HumClassChange(int item);
  void UClassChange(int item);
  void CheckBoxCorrectionZClick(bool checked);
  void DefButtonClick();
  void AdjustButtonClick();
  void UnitsButtonClick();
  void ConvertButtonClick();
  void SwitchComboEnter(int quantity);

  // Every way of leaving a grid cell passes here before anything is written: an open editor is
  // closed and a typed text not checked yet is checked. False when it was refused (the cell then
  // holds its value from before the edit, the message has been shown and the cell has the focus).
  bool FinishGridEditing();
  // The setting that a line edit of the description page shows, if it is one.
  std::optional<SettingEdit> SettingOf(const QObject* edit) const;

  AppState& state_;
  Navigator& navigator_;
  WorkspaceSession session_;
  bool cancelEnabled_ = true;
  bool loading_ = false;         // controls are being filled: their change handlers do nothing
  bool readingSetting_ = false;  // a setting edit is being read (its message takes the focus)
  bool refused_ = false;         // the last check of a cell refused its value

  // Header and buttons.
  QLineEdit* editStation_;
  QLineEdit* editCountry_;
  QLineEdit* editFileName_;
  QTabWidget* pageControl1_;
  QWidget* descriptionSheet_;
  QWidget* dataSheet_;
  QPushButton* mainMenuButton_;
  QPushButton* cancelButton_;
  QLabel* saveStatusLabel_;

  // Description page.
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

  // Data page.
  DataGrid* stringGridData_;
  WorkspaceGridModel* gridModel_;
  QPushButton* unitsButton_;
  QPushButton* saveButton_;
  QPushButton* symbolUnit_;
  QPushButton* rangeButton_;
  QFrame* nextPrevPanelData_;
  QPushButton* previousYearDataButton_;
  QPushButton* nextYearDataButton_;
  QFrame* symbolPanel_;
  QTableWidget* symbolStringGrid_;
  QPushButton* closeSymbolPanelButton_;
  QGroupBox* groupBoxSwitchUnits_;
  std::array<QRadioButton*, kSwitchQuantityCount> switchRadios_{};  // RadioTemp, ...
  std::array<QComboBox*, kSwitchQuantityCount> switchCombos_{};     // ComboBoxT, ...
  std::array<QLabel*, kSwitchQuantityCount> switchLabels_{};        // TUnitLab, ...
  QPushButton* convertButton_;
  QPushButton* closeButton_;

  // The plot page and the export page.
  PlotPage* plotPage_;
  ExportPage* exportPage_;
};

}  // namespace vernoli
