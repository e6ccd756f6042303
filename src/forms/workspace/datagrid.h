// The workspace's data grid StringGridData: its view, with the date header above the record
// columns and the parameter header beside the rows, and the model that shows the session's grid.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <array>
#include <string>
#include <vector>

#include "workspace/session.h"

class QLabel;

namespace vernoli {

// The unit of a parameter row, beside its title in the row header.
inline constexpr int kUnitRole = Qt::UserRole;

// The grid's texts, straight from the session: one row per parameter, one column per record.
class WorkspaceGridModel final : public QAbstractTableModel {
 public:
  WorkspaceGridModel(WorkspaceSession& session, QObject* parent);

  // Follows the session's grid: a new shape resets the view, the same shape only repaints it (the
  // current cell stays).
  void Refresh();
  void ColumnChanged(int column);
  bool IsETo(int row) const { return row == static_cast<int>(codes_.size()) - 1; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const std::string* Cell(const QModelIndex& index) const;

  WorkspaceSession& session_;
  std::vector<int16_t> codes_;
  int columns_ = 0;
  QStringList titles_;
  QStringList units_;
};

// The data grid StringGridData: one column per visible record, one row per parameter of the
// station (the last is ETo). The date rows are the column headers, the parameter titles and units
// the row headers, and the date-row titles (TimePanel1..3) sit in the corner between them.
//
// The grid reports the moments at which the cell being left is checked: a move to another cell,
// leaving the grid, Enter and a double click. The Delete key empties the current cell.
class DataGrid : public QTableView {
  Q_OBJECT
 public:
  explicit DataGrid(QWidget* parent = nullptr);
  ~DataGrid() override;

  // Closes an open editor, keeping what was typed (the form checks it).
  void FinishEditing();
  // Makes `index` current and focuses the grid without checking the cell being left.
  void FocusCell(const QModelIndex& index);
  // Back to the first record column, the current row kept, without a check.
  void ScrollToFirstColumn();
  // The date-row titles of the corner: "Day" or "Decade", "Month", "Year" (unused ones hidden).
  void SetDateTitles(const QStringList& titles);
  QLabel* TimePanel(int i) const { return timePanels_[static_cast<std::size_t>(i)]; }

 signals:
  // The cell at `index` is being left (or Enter or a double click happened on it): check it.
  void ValidateCell(const QModelIndex& index);
  // The Delete key on a cell that is not being edited.
  void DeleteCell(const QModelIndex& index);

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void updateGeometries() override;

 private:
  void FocusChanged(QWidget* old, QWidget* now);
  void Validate(const QModelIndex& index);
  bool Inside(const QWidget* widget) const;

  QWidget* corner_ = nullptr;  // holds the TimePanels
  std::array<QLabel*, 3> timePanels_{};
  bool quiet_ = false;  // the form moves the current cell: no check
  bool busy_ = false;   // a check is running (its message takes the focus away)
};

}  // namespace vernoli
