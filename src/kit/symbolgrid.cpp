#include "kit/symbolgrid.h"

#include <QFont>
#include <QHeaderView>
#include <QTableWidget>

#include "kit/formkit.h"

namespace vernoli {

QTableWidget* SymbolGrid(QWidget* parent) {
  auto* grid = new QTableWidget(0, 2, parent);
  grid->setObjectName("SymbolStringGrid");
  // Its first row holds the column titles.
  grid->horizontalHeader()->hide();
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setColumnWidth(0, 80);
  grid->setMinimumWidth(380);
  return grid;
}

void ShowSymbolRows(QTableWidget& grid, const std::vector<SymbolRow>& rows) {
  grid.setRowCount(static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (int column = 0; column < 2; ++column) {
      auto* item = new QTableWidgetItem(Cp(column == 0 ? rows[i].Symbol : rows[i].Description));
      if (i == 0) {
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
      }
      grid.setItem(static_cast<int>(i), column, item);
    }
  }
}

}  // namespace vernoli
