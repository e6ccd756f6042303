#include "forms/import/paramsheet.h"

#include <algorithm>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "import/columns.h"
#include "kit/checkedit.h"
#include "kit/formkit.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

constexpr int kColumnWidth = 72;
constexpr int kCaptionWidth = 120;
// The widest limit a code has, in the limits' format.
constexpr const char* kWidestLimit = "  -999.0";

// The width a cell of `grid` needs for `text`, its margins included.
int TextWidth(const QTableWidget& grid, const QString& text) {
  return grid.fontMetrics().horizontalAdvance(text) + 12;
}
constexpr int kRowHeight = 22;

// A read-only cell, right aligned as numbers and codes are.
QTableWidgetItem* Cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

QTableWidget* Grid(const QString& objectName, int rows, int columns, QWidget* parent) {
  auto* grid = new QTableWidget(rows, columns, parent);
  grid->setObjectName(objectName);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
  return grid;
}

}  // namespace

ParamSheet::ParamSheet(QWidget* parent) : QWidget(parent) {
  setObjectName("ParamSheet");

  // The four column grids, one below the other, their columns aligned.
  gridPanel_ = new QWidget(this);
  gridPanel_->setObjectName("GridPanel");
  auto* gridLayout = new QVBoxLayout(gridPanel_);
  gridLayout->setContentsMargins(0, 0, 0, 0);
  gridLayout->setSpacing(2);
  columnGrids_[0] = ColumnGrid("StringGridNrCol", {"Column"});
  columnGrids_[1] = ColumnGrid("StringGridClimParam", {"Symbol", "Unit", "Code"});
  columnGrids_[2] = ColumnGrid("StringGridMinMax", {"Maximum in file", "Minimum in file"});
  columnGrids_[3] = ColumnGrid("StringGridUpLow", {"Upper limit", "Lower limit"});
  for (QTableWidget* grid : columnGrids_) gridLayout->addWidget(grid);
  labelClick_ = Label("LabelClick", Cp(kClickToSelectCode), gridPanel_);
  gridLayout->addWidget(labelClick_);

  errorPanel_ = Group("ErrorPanel", QString(), this);
  error1Label_ = BoldLabel("Error1Label", errorPanel_);
  error2Label_ = BoldLabel("Error2Label", errorPanel_);
  for (QLabel* label : {error1Label_, error2Label_}) label->setWordWrap(true);
  auto* errorLayout = new QVBoxLayout(errorPanel_);
  errorLayout->addWidget(error1Label_);
  errorLayout->addWidget(error2Label_);
  errorLayout->addStretch(1);

  // The list of codes.
  groupBoxCode_ = Group("GroupBoxCode", " Code of climatic parameter ", this);
  codePages_ = new QTabWidget(groupBoxCode_);
  codePages_->setObjectName("PageControlCode");
  const char* const gridNames[] = {"StringGridTemp", "StringGridHum", "StringGridWind",
                                   "StringGridRad"};
  const char* const pageNames[] = {"TempSheet", "HumSheet", "WindSheet", "RadSheet"};
  for (int page = 0; page < kCodePageCount; ++page) {
    QTableWidget* grid = Grid(gridNames[page], 0, 4, codePages_);
    grid->setHorizontalHeaderLabels(CpList(kCodeGridTitles));
    grid->verticalHeader()->hide();
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setFocusPolicy(Qt::StrongFocus);
    grid->setObjectName(gridNames[page]);
    auto* sheet = new QWidget(codePages_);
    sheet->setObjectName(pageNames[page]);
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(2, 2, 2, 2);
    sheetLayout->addWidget(grid);
    codePages_->addTab(sheet, Cp(CodePageCaption(kCodePages[static_cast<std::size_t>(page)])));
    codeGrids_[static_cast<std::size_t>(page)] = grid;
    const auto choose = [this, page](int row, int) { emit CodeChosen(page, row); };
    connect(grid, &QTableWidget::cellClicked, this, choose);
    connect(grid, &QTableWidget::cellDoubleClicked, this, choose);
    EnterActivates(grid);
    connect(grid, &QTableWidget::cellActivated, this, choose);
  }
  closeCodeButton_ = Button("CloseCodeButton", Cp(kCloseCodeList), groupBoxCode_);
  auto* codeLayout = new QVBoxLayout(groupBoxCode_);
  codeLayout->addWidget(codePages_, 1);
  codeLayout->addLayout(ButtonRow({closeCodeButton_}));

  // The settings of the import.
  auto* settings = Group("SettingsPanel", QString(), this);
  editU2height_ = NumberEdit("EditU2height", 70, settings);
  editUndef_ = NumberEdit("EditUndef", 90, settings);
  windHeight_ = CheckedEdit::Real(editU2height_, fields::kWindHeight.Minimum,
                                  fields::kWindHeight.Maximum, fields::kWindHeight.Width,
                                  fields::kWindHeight.Decimals, fields::kWindHeight.Fallback);
  undefined_ = CheckedEdit::Real(editUndef_, fields::kUndefinedValue.Minimum,
                                 fields::kUndefinedValue.Maximum, fields::kUndefinedValue.Width,
                                 fields::kUndefinedValue.Decimals,
                                 fields::kUndefinedValue.Fallback);
  // Seen before the check of the field, which takes the key.
  editUndef_->installEventFilter(this);
  updateRangeButton_ = Button("UpdateRangeButton", "Update Data Range", settings);
  auto* settingsLayout = new QGridLayout(settings);
  settingsLayout->addWidget(Label("LabelU2height", "Height wind speed measurement", settings), 0,
                            0);
  settingsLayout->addWidget(editU2height_, 0, 1);
  settingsLayout->addWidget(Label("LabelU2unit", "meter above ground level", settings), 0, 2);
  settingsLayout->addWidget(Label("LabelUndef", "Value of undefined data in file", settings), 1,
                            0);
  settingsLayout->addWidget(editUndef_, 1, 1);
  settingsLayout->addWidget(updateRangeButton_, 0, 4, 2, 1);
  settingsLayout->setColumnStretch(3, 1);

  auto* layout = new QGridLayout(this);
  layout->addWidget(gridPanel_, 0, 0);
  layout->addWidget(errorPanel_, 0, 0);
  layout->addWidget(groupBoxCode_, 1, 0);
  layout->addWidget(settings, 2, 0);
  layout->setRowStretch(1, 1);

  for (int g = 0; g < 4; ++g) {
    const bool openList = g < 2;
    QTableWidget* grid = columnGrids_[static_cast<std::size_t>(g)];
    const auto click = [this, openList](int, int column) { emit ColumnClicked(column, openList); };
    connect(grid, &QTableWidget::cellClicked, this, click);
    // From the keyboard: Enter on a column opens the list of codes.
    EnterActivates(grid);
    connect(grid, &QTableWidget::cellActivated, this, click);
  }
  connect(closeCodeButton_, &QPushButton::clicked, this, [this] { OpenCodeList(false); });
  connect(updateRangeButton_, &QPushButton::clicked, this, &ParamSheet::UpdateRangeClicked);
  connect(undefined_, &CheckedEdit::Checked, this, [this](double value) {
    const bool byEnter = undefinedByEnter_;
    undefinedByEnter_ = false;
    emit UndefinedEntered(value, byEnter);
  });
  OpenCodeList(false);
}

QTableWidget* ParamSheet::ColumnGrid(const char* name, const QStringList& rows) {
  QTableWidget* grid = Grid(name, static_cast<int>(rows.size()), 0, gridPanel_);
  grid->setVerticalHeaderLabels(rows);
  grid->verticalHeader()->setFixedWidth(kCaptionWidth);
  grid->horizontalHeader()->hide();
  grid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setFixedHeight(static_cast<int>(rows.size()) * kRowHeight + 2 * grid->frameWidth());
  return grid;
}

void ParamSheet::SetCodePages(const std::array<std::vector<CodeRow>, kCodePageCount>& pages) {
  for (std::size_t page = 0; page < pages.size(); ++page) {
    QTableWidget* grid = codeGrids_[page];
    grid->setRowCount(static_cast<int>(pages[page].size()));
    for (std::size_t row = 0; row < pages[page].size(); ++row) {
      const CodeRow& code = pages[page][row];
      const int r = static_cast<int>(row);
      grid->setItem(r, 0, Cell(code.Code));
      grid->setItem(r, 1, new QTableWidgetItem(code.Symbol));
      grid->setItem(r, 2, new QTableWidgetItem(code.Unit));
      grid->setItem(r, 3, new QTableWidgetItem(code.Description));
      for (const QString& text : {code.Code, code.Symbol, code.Unit}) {
        codeTextWidth_ = std::max(codeTextWidth_, TextWidth(*columnGrids_[1], text));
      }
    }
  }
}

void ParamSheet::ShowColumns(const std::vector<ColumnCells>& columns) {
  const int n = static_cast<int>(columns.size());
  for (QTableWidget* grid : columnGrids_) {
    const QSignalBlocker blocker(grid);
    grid->setColumnCount(n);
  }
  for (int c = 0; c < n; ++c) {
    const ColumnCells& cells = columns[static_cast<std::size_t>(c)];
    columnGrids_[0]->setItem(0, c, Cell(cells.Nr));
    columnGrids_[1]->setItem(0, c, Cell(cells.Symbol));
    columnGrids_[1]->setItem(1, c, Cell(cells.Unit));
    columnGrids_[1]->setItem(2, c, Cell(cells.Code));
    columnGrids_[2]->setItem(0, c, Cell(cells.Maximum));
    columnGrids_[2]->setItem(1, c, Cell(cells.Minimum));
    columnGrids_[3]->setItem(0, c, Cell(cells.Upper));
    columnGrids_[3]->setItem(1, c, Cell(cells.Lower));
  }
  // One width for every column of the four grids, so that the columns stay aligned: wide
  // enough for what the file decides (its numbers) and for any code's symbol and unit (such as
  // MJ/m2.day), so that choosing a code moves nothing under the mouse.
  int width = std::max({kColumnWidth, codeTextWidth_, TextWidth(*columnGrids_[3], kWidestLimit)});
  for (QTableWidget* grid : {columnGrids_[0], columnGrids_[2]}) {
    for (int row = 0; row < grid->rowCount(); ++row) {
      for (int c = 0; c < n; ++c) {
        if (const QTableWidgetItem* item = grid->item(row, c); item != nullptr) {
          width = std::max(width, TextWidth(*grid, item->text()));
        }
      }
    }
  }
  for (QTableWidget* grid : columnGrids_) {
    for (int c = 0; c < n; ++c) grid->setColumnWidth(c, width);
    grid->setFixedWidth(kCaptionWidth + n * width + 2 * grid->frameWidth());
  }
}

void ParamSheet::SelectColumn(int column) {
  for (QTableWidget* grid : columnGrids_) {
    if (column < 0 || column >= grid->columnCount()) continue;
    const QSignalBlocker blocker(grid);
    const int row = grid->currentColumn() == column ? std::max(grid->currentRow(), 0) : 0;
    grid->setCurrentCell(row, column);
  }
}

void ParamSheet::ShowError(bool error, const QString& error1, const QString& error2) {
  errorPanel_->setVisible(error);
  gridPanel_->setVisible(!error);
  error1Label_->setText(error1);
  error2Label_->setText(error2);
}

void ParamSheet::OpenCodeList(bool open) { groupBoxCode_->setVisible(open); }

void ParamSheet::FocusColumns() { columnGrids_[1]->setFocus(); }

void ParamSheet::SetAssignable(bool assignable) {
  for (QTableWidget* grid : columnGrids_) grid->setEnabled(assignable);
  editUndef_->setEnabled(assignable);
  labelClick_->setVisible(assignable);
}

bool ParamSheet::eventFilter(QObject* watched, QEvent* event) {
  if (watched == editUndef_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) undefinedByEnter_ = true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vernoli
