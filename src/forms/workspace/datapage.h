// The workspace's data page DataSheet: the grid of the visible records, where every typed value is
// checked and every record's ETo recomputed, the year navigation, the symbols panel, the Switch
// Units box, "Data Limits" and "Save data".
//
// The page reports what concerns the whole form: a checked cell (the plot and the title follow
// it), a refused cell (the page comes to the front), the year buttons, the year chooser and "Save
// data".
#pragma once

#include <QModelIndex>
#include <QWidget>
#include <array>
#include <vector>

#include "workspace/session.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace vernoli {

struct AppState;
class DataGrid;
class Navigator;
class WorkspaceGridModel;
class WorkspaceHost;
class YearNavigator;

class DataPage : public QWidget {
  Q_OBJECT
 public:
  DataPage(WorkspaceSession& session, WorkspaceHost& host, AppState& state, Navigator& navigator,
           QWidget* parent = nullptr);

  // The grid lets go of the session before the session goes: it neither reads it nor reports a
  // cell to check afterwards.
  void Detach();

  // A new opening: the symbols panel and the Switch Units box closed.
  void Opening();
  // What the page shows, from the session.
  void ShowNavigation();
  void ShowGrid();
  void ShowSymbols();
  // Back to the first record column, the current row kept, without a check.
  void ScrollToFirstColumn();

  // See WorkspaceHost::FinishGridEditing.
  bool FinishGridEditing();

  // The page's controls in reading order, for the form's tab order.
  std::vector<QWidget*> TabOrder() const;

 signals:
  // A cell has been checked (its value kept or refused): the session may hold new values.
  void CellChecked();
  // A cell's value was refused: its message has been shown, the page is to be in front.
  void CellRefused();
  void PreviousYearClicked();
  void NextYearClicked();
  // The year chooser: a year other than the one shown.
  void YearChosen(int year);
  void SaveClicked();

 protected:
  // Entering a "convert to" box checks its quantity.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QFrame* BuildSymbolPanel();
  QGroupBox* BuildSwitchUnits();
  void Connect();

  // Events.
  void ValidateCurrentCell(const QModelIndex& index);
  void GridDeleteCell(const QModelIndex& index);
  void SymbolUnitClick();
  void RangeButtonClick();
  void UnitsButtonClick();
  void ConvertButtonClick();
  void SwitchComboEnter(std::size_t quantity);

  WorkspaceSession& session_;
  WorkspaceHost& host_;
  AppState& state_;
  Navigator& navigator_;
  bool refused_ = false;  // the last check of a cell refused its value

  DataGrid* stringGridData_;
  WorkspaceGridModel* gridModel_;
  QPushButton* unitsButton_;
  QPushButton* saveButton_;
  QPushButton* symbolUnit_;
  QPushButton* rangeButton_;
  // NextPrevPanelData: PreviousYearDataButton, YearDataComboBox, NextYearDataButton
  YearNavigator* years_;
  QFrame* symbolPanel_;
  QTableWidget* symbolStringGrid_;
  QPushButton* closeSymbolPanelButton_;
  QGroupBox* groupBoxSwitchUnits_;
  std::array<QRadioButton*, kSwitchQuantityCount> switchRadios_{};  // RadioTemp, ...
  std::array<QComboBox*, kSwitchQuantityCount> switchCombos_{};     // ComboBoxT, ...
  std::array<QLabel*, kSwitchQuantityCount> switchLabels_{};        // TUnitLab, ...
  QPushButton* convertButton_;
  QPushButton* closeButton_;
};

}  // namespace vernoli
