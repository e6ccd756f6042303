// The grid SymbolStringGrid that lists the parameters of a data set: symbol and description, the
// first row holding the column titles. The workspace's symbols panel and the report options form
// both show it.
#pragma once

#include <vector>

#include "workspace/parameterlist.h"

class QTableWidget;
class QWidget;

namespace vernoli {

// An empty, read-only grid of two columns.
QTableWidget* SymbolGrid(QWidget* parent);
// Fills it with `rows` (their first row, the titles, in bold).
void ShowSymbolRows(QTableWidget& grid, const std::vector<SymbolRow>& rows);

}  // namespace vernoli
