#include "forms/workspace/datagrid.h"

#include <QApplication>
#include <QColor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <functional>

#include "kit/formkit.h"
#include "kit/text.h"

namespace vernoli {

namespace {

constexpr int kRecordColumnWidth = 76;
constexpr int kTitleWidth = 64;
constexpr int kUnitWidth = 84;
// Space above the first line of the date header.
constexpr int kHeaderTop = 5;

// ---------------------------------------------------------------------------------------------
// The grid's pieces

// A fixed, unclickable header that draws its section's frame and leaves the text to the kind.
class GridHeader : public QHeaderView {
 public:
  GridHeader(Qt::Orientation orientation, QWidget* parent) : QHeaderView(orientation, parent) {
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
  }

 protected:
  virtual void PaintText(QPainter& painter, const QRect& rect, int section) const = 0;

  void paintSection(QPainter* painter, const QRect& rect, int section) const override {
    if (!rect.isValid() || model() == nullptr) return;
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = section;
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    painter->save();
    painter->setPen(palette().color(QPalette::ButtonText));
    PaintText(*painter, rect, section);
    painter->restore();
  }
};

// The row header: the parameter's title and, beside it, its unit.
class ParameterHeader final : public GridHeader {
 public:
  explicit ParameterHeader(QWidget* parent) : GridHeader(Qt::Vertical, parent) {}
  QSize sizeHint() const override {
    QSize size = QHeaderView::sizeHint();
    size.setWidth(kTitleWidth + kUnitWidth + 12);
    return size;
  }

 protected:
  void PaintText(QPainter& painter, const QRect& rect, int section) const override {
    const QString title = model()->headerData(section, Qt::Vertical, Qt::DisplayRole).toString();
    const QString unit = model()->headerData(section, Qt::Vertical, kUnitRole).toString();
    painter.drawText(QRect(rect.left() + 6, rect.top(), kTitleWidth, rect.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.drawText(QRect(rect.left() + 6 + kTitleWidth, rect.top(), kUnitWidth, rect.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, unit.trimmed());
  }
};

// The column header: the record's date, one line per date row.
class DateHeader final : public GridHeader {
 public:
  explicit DateHeader(QWidget* parent) : GridHeader(Qt::Horizontal, parent) {}
  void SetLines(int lines) {
    lines_ = lines;
    updateGeometry();
  }
  QSize sizeHint() const override {
    QSize size = QHeaderView::sizeHint();
    size.setHeight(2 * kHeaderTop + lines_ * fontMetrics().lineSpacing());
    return size;
  }

 protected:
  void PaintText(QPainter& painter, const QRect& rect, int section) const override {
    const QStringList lines =
        model()->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString().split('\n');
    const int spacing = fontMetrics().lineSpacing();
    for (int i = 0; i < lines.size(); ++i) {
      painter.drawText(
          QRect(rect.left(), rect.top() + kHeaderTop + i * spacing, rect.width(), spacing),
          Qt::AlignCenter, lines[i]);
    }
  }

 private:
  int lines_ = 3;
};

// The cell editor: Enter keeps the text, closes the editor and asks for the check.
class CellDelegate final : public QStyledItemDelegate {
 public:
  CellDelegate(QObject* parent, std::function<void()> enter)
      : QStyledItemDelegate(parent), enter_(std::move(enter)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex&) const override {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor != nullptr && event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        enter_();
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  std::function<void()> enter_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// WorkspaceGridModel

WorkspaceGridModel::WorkspaceGridModel(WorkspaceSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

void WorkspaceGridModel::Refresh() {
  const GridPage& grid = session_.Grid();
  const int columns = static_cast<int>(grid.Cells.size());
  const bool sameShape = grid.Codes == codes_ && columns == columns_;
  if (!sameShape) beginResetModel();
  codes_ = grid.Codes;
  columns_ = columns;
  titles_.clear();
  units_.clear();
  if (session_.IsOpen()) {
    for (const ParameterRowTitle& row : session_.RowTitles()) {
      titles_.push_back(Cp(row.Title));
      units_.push_back(Cp(row.Unit));
    }
  }
  if (!sameShape) {
    endResetModel();
    return;
  }
  const int rows = static_cast<int>(codes_.size());
  if (rows > 0 && columns_ > 0) {
    emit dataChanged(index(0, 0), index(rows - 1, columns_ - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    emit headerDataChanged(Qt::Vertical, 0, rows - 1);
  }
}

void WorkspaceGridModel::ColumnChanged(int column) {
  const int rows = static_cast<int>(codes_.size());
  if (rows > 0) emit dataChanged(index(0, column), index(rows - 1, column));
}

int WorkspaceGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(codes_.size());
}

int WorkspaceGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant WorkspaceGridModel::data(const QModelIndex& index, int role) const {
  const std::string* text = Cell(index);
  if (text == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole:
      return Cp(*text);
    case Qt::EditRole:
      return Cp(*text).trimmed();
    case Qt::TextAlignmentRole:
      return static_cast<int>(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      if (IsETo(index.row())) return QColor(255, 248, 220);
      return {};
    default:
      return {};
  }
}

bool WorkspaceGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || Cell(index) == nullptr) return false;
  session_.SetCellText(static_cast<std::size_t>(index.column()),
                       static_cast<std::size_t>(index.row()), ToCp1252(value.toString()));
  emit dataChanged(index, index);
  return true;
}

Qt::ItemFlags WorkspaceGridModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  // ETo is computed from the column, never typed.
  if (index.isValid() && !IsETo(index.row())) flags |= Qt::ItemIsEditable;
  return flags;
}

QVariant WorkspaceGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (section < 0) return {};
  const auto s = static_cast<std::size_t>(section);
  if (orientation == Qt::Horizontal) {
    const GridPage& grid = session_.Grid();
    if (role != Qt::DisplayRole || s >= grid.Dates.size()) return {};
    QStringList lines;
    for (const std::string& date : grid.Dates[s]) lines << Cp(date).trimmed();
    return lines.join('\n');
  }
  if (s >= static_cast<std::size_t>(titles_.size())) return {};
  if (role == Qt::DisplayRole) return titles_[section];
  if (role == kUnitRole) return units_[section];
  return {};
}

const std::string* WorkspaceGridModel::Cell(const QModelIndex& index) const {
  if (!index.isValid()) return nullptr;
  const GridPage& grid = session_.Grid();
  const auto c = static_cast<std::size_t>(index.column());
  const auto r = static_cast<std::size_t>(index.row());
  if (c >= grid.Cells.size() || r >= grid.Cells[c].size()) return nullptr;
  return &grid.Cells[c][r];
}

// ---------------------------------------------------------------------------------------------
// DataGrid

DataGrid::DataGrid(QWidget* parent) : QTableView(parent) {
  setObjectName("StringGridData");
  setHorizontalHeader(new DateHeader(this));
  setVerticalHeader(new ParameterHeader(this));
  horizontalHeader()->setDefaultSectionSize(kRecordColumnWidth);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setCornerButtonEnabled(false);
  setWordWrap(false);
  setItemDelegate(new CellDelegate(this, [this] { Validate(currentIndex()); }));

  corner_ = new QWidget(this);
  corner_->setObjectName("TimePanels");
  corner_->setAutoFillBackground(true);
  corner_->setBackgroundRole(QPalette::Button);
  for (std::size_t i = 0; i < timePanels_.size(); ++i) {
    auto* label = Label(QString("TimePanel%1").arg(i + 1), QString(), corner_);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    timePanels_[i] = label;
  }
  connect(qApp, &QApplication::focusChanged, this, &DataGrid::FocusChanged);
}

DataGrid::~DataGrid() { QObject::disconnect(qApp, nullptr, this, nullptr); }

void DataGrid::SetDateTitles(const QStringList& titles) {
  for (std::size_t i = 0; i < timePanels_.size(); ++i) {
    const auto n = static_cast<qsizetype>(i);
    timePanels_[i]->setText(n < titles.size() ? titles[n] : QString());
    timePanels_[i]->setVisible(n < titles.size());
  }
  static_cast<DateHeader*>(horizontalHeader())->SetLines(static_cast<int>(titles.size()));
  updateGeometries();
}

void DataGrid::FinishEditing() {
  const QModelIndex index = currentIndex();
  QWidget* editor = index.isValid() ? indexWidget(index) : nullptr;
  if (editor == nullptr) return;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DataGrid::FocusCell(const QModelIndex& index) {
  quiet_ = true;
  setCurrentIndex(index);
  scrollTo(index);
  setFocus(Qt::OtherFocusReason);
  quiet_ = false;
}

void DataGrid::ScrollToFirstColumn() {
  if (model() == nullptr || model()->columnCount() == 0 || model()->rowCount() == 0) return;
  quiet_ = true;
  const int row = currentIndex().isValid() ? currentIndex().row() : 0;
  setCurrentIndex(model()->index(row, 0));
  horizontalScrollBar()->setValue(0);
  quiet_ = false;
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  // The base class first hands an open editor's text to the cell being left.
  QTableView::currentChanged(current, previous);
  if (previous.isValid() && previous != current) Validate(previous);
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
  if (state() != QAbstractItemView::EditingState) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      Validate(currentIndex());
      event->accept();
      return;
    }
    if (event->key() == Qt::Key_Delete && currentIndex().isValid()) {
      emit DeleteCell(currentIndex());
      event->accept();
      return;
    }
  }
  QTableView::keyPressEvent(event);
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && index == currentIndex()) Validate(index);
  QTableView::mouseDoubleClickEvent(event);
}

void DataGrid::updateGeometries() {
  QTableView::updateGeometries();
  if (corner_ == nullptr) return;
  corner_->setGeometry(frameWidth(), frameWidth(), verticalHeader()->width(),
                       horizontalHeader()->height());
  const int spacing = fontMetrics().lineSpacing();
  for (std::size_t i = 0; i < timePanels_.size(); ++i) {
    timePanels_[i]->setGeometry(2, kHeaderTop + static_cast<int>(i) * spacing,
                                corner_->width() - 10, spacing);
  }
  corner_->raise();
}

bool DataGrid::Inside(const QWidget* widget) const {
  return widget != nullptr && (widget == this || isAncestorOf(widget));
}

// Leaving the grid for another control of the form checks the current cell; a window that comes
// to the front (a message, another form) does not.
void DataGrid::FocusChanged(QWidget* old, QWidget* now) {
  if (!Inside(old) || now == nullptr || Inside(now) || !isVisible()) return;
  if (now->window() != window()) return;
  Validate(currentIndex());
}

void DataGrid::Validate(const QModelIndex& index) {
  if (quiet_ || busy_ || !index.isValid()) return;
  busy_ = true;
  emit ValidateCell(index);
  busy_ = false;
}

}  // namespace vernoli
