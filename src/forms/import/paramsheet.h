// The import form's page " Climatic parameters   ": the columns of the file side by side
// (number, parameter, the file's maximum and minimum, the program's limits), the list of codes
// in four pages, and the settings of the import (wind height, the undefined value).
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace vernoli {

class CheckedEdit;

class ParamSheet : public QWidget {
  Q_OBJECT
 public:
  // What the four column grids show of one column.
  struct ColumnCells {
    QString Nr, Symbol, Unit, Code, Maximum, Minimum, Upper, Lower;
  };
  // One row of a page of the list of codes.
  struct CodeRow {
    QString Code, Symbol, Unit, Description;
  };
  static constexpr int kCodePageCount = 4;

  explicit ParamSheet(QWidget* parent = nullptr);

  // The rows of the four pages of the list of codes.
  void SetCodePages(const std::array<std::vector<CodeRow>, kCodePageCount>& pages);
  // The column grids with one column per entry.
  void ShowColumns(const std::vector<ColumnCells>& columns);
  // Moves the selection of every column grid to `column`.
  void SelectColumn(int column);
  // The column grids, or in their place ErrorPanel with its two texts.
  void ShowError(bool error, const QString& error1 = {}, const QString& error2 = {});
  void OpenCodeList(bool open);
  // The keyboard focus to the parameter grid.
  void FocusColumns();
  // The columns can be assigned and the undefined value typed (text files), or both are the
  // file's (database exports).
  void SetAssignable(bool assignable);

  CheckedEdit* WindHeight() const { return windHeight_; }
  CheckedEdit* Undefined() const { return undefined_; }
  QLineEdit* WindHeightEdit() const { return editU2height_; }

 signals:
  // The user clicked a column of a column grid; `openList` for the number and parameter grids.
  void ColumnClicked(int column, bool openList);
  // The user chose row `row` of page `page` of the list of codes.
  void CodeChosen(int page, int row);
  void UpdateRangeClicked();
  // The undefined value was checked: on Enter (`byEnter`) or on leaving the field.
  void UndefinedEntered(double value, bool byEnter);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableWidget* ColumnGrid(const char* name, const QStringList& rows);

  std::array<QTableWidget*, 4> columnGrids_{};
  // Wide enough for every code's symbol and unit: choosing a code never moves a column.
  int codeTextWidth_ = 0;
  QWidget* gridPanel_;
  QGroupBox* errorPanel_;
  QLabel* error1Label_;
  QLabel* error2Label_;
  QLabel* labelClick_;
  QGroupBox* groupBoxCode_;
  QTabWidget* codePages_;
  std::array<QTableWidget*, kCodePageCount> codeGrids_{};
  QPushButton* closeCodeButton_;
  QPushButton* updateRangeButton_;
  QLineEdit* editU2height_;
  QLineEdit* editUndef_;
  CheckedEdit* windHeight_;
  CheckedEdit* undefined_;
  bool undefinedByEnter_ = false;
};

}  // namespace vernoli
