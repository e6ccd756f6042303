#include "forms/import/layoutsheet.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "import/delimitedpreview.h"
#include "import/session.h"
#include "import/stationchoice.h"
#include "kit/editrule.h"
#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/text.h"

namespace vernoli {

namespace {

constexpr int kPreviewLines = 12;

// The choices in the order of their boxes' items: "found from the file" first.
constexpr FieldSeparator kSeparators[] = {FieldSeparator::Auto, FieldSeparator::Comma,
                                          FieldSeparator::Semicolon, FieldSeparator::Tab,
                                          FieldSeparator::Blanks};
constexpr DecimalSign kSigns[] = {DecimalSign::Auto, DecimalSign::Point, DecimalSign::Comma};
constexpr DateOrder kOrders[] = {DateOrder::Auto, DateOrder::DayMonthYear,
                                 DateOrder::MonthDayYear, DateOrder::YearMonthDay};
constexpr BeyondLimits kBeyond[] = {BeyondLimits::Refuse, BeyondLimits::SetMissing,
                                    BeyondLimits::SetToLimit};

enum ColumnCell { kNameCell, kProposedCell, kCodeCell, kFactorCell };

template <typename T, std::size_t N>
int IndexOf(const T (&items)[N], T item) {
  return static_cast<int>(std::find(items, items + N, item) - items);
}

template <typename T, std::size_t N, typename Name>
QStringList Captions(const T (&items)[N], Name name) {
  QStringList captions;
  for (T item : items) captions << Cp(name(item));
  return captions;
}

// A column as the choices name it: its header name, else "column 3".
QString ColumnCaption(const DelimitedColumnView& column) {
  if (!column.Name.empty()) return Cp(column.Name);
  return QStringLiteral("column %1").arg(column.Number);
}

QString Joined(const std::vector<std::string>& markers) {
  QStringList texts;
  for (const std::string& marker : markers) texts << Cp(marker);
  return texts.join(QStringLiteral("; "));
}

}  // namespace

LayoutSheet::LayoutSheet(QWidget* parent) : QWidget(parent) {
  setObjectName("LayoutSheet");

  auto* previewBox = Group("PreviewBox", " First lines of the file ", this);
  previewGrid_ = new QTableWidget(0, 0, previewBox);
  previewGrid_->setObjectName("PreviewGrid");
  previewGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  previewGrid_->setWordWrap(false);
  auto* previewLayout = new QVBoxLayout(previewBox);
  previewLayout->addWidget(previewGrid_);

  auto* choiceBox = Group("LayoutChoiceBox", " Layout ", this);
  separatorBox_ = ComboBox("SeparatorBox", Captions(kSeparators, SeparatorName), choiceBox);
  decimalBox_ = ComboBox("DecimalBox", Captions(kSigns, DecimalSignName), choiceBox);
  dateColumnBox_ = ComboBox("DateColumnBox", {Cp(FoundChoiceText({}))}, choiceBox);
  dateOrderBox_ = ComboBox("DateOrderBox", Captions(kOrders, DateOrderText), choiceBox);
  yearColumnBox_ = ComboBox("YearColumnBox", {}, choiceBox);
  monthColumnBox_ = ComboBox("MonthColumnBox", {}, choiceBox);
  dayColumnBox_ = ComboBox("DayColumnBox", {}, choiceBox);
  markersEdit_ = LineEdit("MarkersEdit", choiceBox);
  beyondBox_ = ComboBox("BeyondBox", Captions(kBeyond, BeyondLimitsText), choiceBox);
  dataTypeEdit_ = ReadOnlyEdit("DataTypeEdit", choiceBox);
  spanEdit_ = ReadOnlyEdit("DelimitedSpanEdit", choiceBox);
  stationColumnBox_ =
      ComboBox("StationColumnBox", {QStringLiteral("none (one station)")}, choiceBox);
  stationBox_ = ComboBox("StationBox", {}, choiceBox);
  auto* parts = new QHBoxLayout;
  parts->setContentsMargins(0, 0, 0, 0);
  for (QComboBox* box : {yearColumnBox_, monthColumnBox_, dayColumnBox_}) {
    parts->addWidget(box, 1);
    connect(box, &QComboBox::activated, this, &LayoutSheet::DatePartChosen);
  }
  auto* choices = new QGridLayout(choiceBox);
  const std::pair<const char*, QWidget*> rows[] = {
      {"Separator", separatorBox_},          {"Decimal sign", decimalBox_},
      {"Date column", dateColumnBox_},       {"Order of the date", dateOrderBox_},
      {"Missing markers (;)", markersEdit_}, {"Beyond the limits", beyondBox_},
      {"Data type", dataTypeEdit_},          {"Span", spanEdit_},
      {"Station column", stationColumnBox_}, {"Station", stationBox_}};
  int row = 0;
  for (const auto& [caption, control] : rows) {
    const int line = row / 2 + (row >= 4 ? 1 : 0);  // the date parts take the third line
    choices->addWidget(Text(caption, choiceBox), line, (row % 2) * 2);
    choices->addWidget(control, line, (row % 2) * 2 + 1);
    ++row;
  }
  choices->addWidget(Text("Year, month, day", choiceBox), 2, 0);
  choices->addLayout(parts, 2, 1, 1, 3);
  choices->setColumnStretch(1, 1);
  choices->setColumnStretch(3, 1);

  auto* columnBox = Group("DelimitedColumnBox", " Columns of the file ", this);
  columnGrid_ = new QTableWidget(0, 4, columnBox);
  columnGrid_->setObjectName("DelimitedColumnGrid");
  columnGrid_->setHorizontalHeaderLabels({"Column", "Proposed", "Code", "Factor"});
  columnGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  columnGrid_->horizontalHeader()->setSectionResizeMode(kProposedCell, QHeaderView::Stretch);
  // Wide enough for the widest code with its symbol and unit, and the chooser's arrow.
  int codeWidth = 0;
  for (const CodeChoice& code : ImportCodeChoices()) {
    codeWidth = std::max(codeWidth, columnGrid_->fontMetrics().horizontalAdvance(Cp(code.Text)));
  }
  columnGrid_->setColumnWidth(kCodeCell, codeWidth + 48);
  auto* columnLayout = new QVBoxLayout(columnBox);
  columnLayout->addWidget(columnGrid_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(previewBox, 2);
  layout->addWidget(choiceBox);
  layout->addWidget(columnBox, 3);

  connect(separatorBox_, &QComboBox::activated, this, &LayoutSheet::SeparatorChosen);
  connect(decimalBox_, &QComboBox::activated, this, &LayoutSheet::DecimalChosen);
  connect(dateColumnBox_, &QComboBox::activated, this, &LayoutSheet::DateColumnChosen);
  connect(dateOrderBox_, &QComboBox::activated, this, &LayoutSheet::DateOrderChosen);
  connect(beyondBox_, &QComboBox::activated, this, &LayoutSheet::BeyondChosen);
  connect(stationColumnBox_, &QComboBox::activated, this, &LayoutSheet::StationColumnChosen);
  connect(stationBox_, &QComboBox::activated, this, &LayoutSheet::StationChosen);
  EditRule::Attach(markersEdit_, [this] { return CommitMarkers(); });
}

void LayoutSheet::Show() {
  if (session_ == nullptr) return;
  ShowPreview();
  ShowChoices();
  ShowColumns();
}

void LayoutSheet::ShowPreview() {
  const std::vector<PreviewLine> lines = session_->PreviewLines(kPreviewLines);
  std::size_t width = 0;
  for (const PreviewLine& line : lines) width = std::max(width, line.Fields.size());
  previewGrid_->clear();
  previewGrid_->setRowCount(static_cast<int>(lines.size()));
  previewGrid_->setColumnCount(static_cast<int>(width));
  QStringList numbers;  // the rows are the file's lines, as the messages name them
  for (std::size_t r = 0; r < lines.size(); ++r) {
    numbers << QString::number(lines[r].Number);
    for (std::size_t c = 0; c < lines[r].Fields.size(); ++c) {
      previewGrid_->setItem(static_cast<int>(r), static_cast<int>(c),
                            new QTableWidgetItem(Cp(lines[r].Fields[c])));
    }
  }
  previewGrid_->setVerticalHeaderLabels(numbers);
}

void LayoutSheet::ShowChoices() {
  const DelimitedOptions& layout = session_->Layout();
  const DelimitedFile& read = session_->DelimitedRead();
  const FoundLayout found = FoundLayoutOf(read);
  separatorBox_->setItemText(0, Cp(FoundChoiceText(found.Separator)));
  decimalBox_->setItemText(0, Cp(FoundChoiceText(found.Decimal)));
  dateOrderBox_->setItemText(0, Cp(FoundChoiceText(found.DateOrder)));
  separatorBox_->setCurrentIndex(IndexOf(kSeparators, layout.Separator));
  decimalBox_->setCurrentIndex(IndexOf(kSigns, layout.Decimal));
  dateOrderBox_->setCurrentIndex(IndexOf(kOrders, layout.Order));
  beyondBox_->setCurrentIndex(IndexOf(kBeyond, session_->BeyondLimitsChoice()));
  if (!markersEdit_->hasFocus()) markersEdit_->setText(Joined(session_->MissingMarkers()));
  dataTypeEdit_->setText(Cp(found.DataType));
  spanEdit_->setText(Cp(found.Span));

  // The date: left to the file, one column, or year, month and day in three columns.
  const std::vector<DelimitedColumnView> columns = session_->DelimitedColumns();
  QStringList captions;
  for (const DelimitedColumnView& column : columns) captions << ColumnCaption(column);
  dateColumnBox_->clear();
  dateColumnBox_->addItem(Cp(FoundChoiceText(found.DateColumns)));
  dateColumnBox_->addItems(captions);
  dateColumnBox_->addItem(QStringLiteral("year, month and day columns"));
  const std::vector<int> dates = DateColumnsInUse(layout, read);
  const int parts = dates.size() >= 2 ? 1 : 0;
  if (layout.DateColumns.empty()) {
    dateColumnBox_->setCurrentIndex(0);
  } else {
    dateColumnBox_->setCurrentIndex(parts ? dateColumnBox_->count() - 1 : dates.front());
  }
  yearColumnBox_->clear();
  monthColumnBox_->clear();
  dayColumnBox_->clear();
  yearColumnBox_->addItems(captions);
  monthColumnBox_->addItems(captions);
  dayColumnBox_->addItem(QStringLiteral("no day (monthly data)"));
  dayColumnBox_->addItems(captions);
  yearColumnBox_->setCurrentIndex(parts ? dates[0] - 1 : -1);
  monthColumnBox_->setCurrentIndex(parts ? dates[1] - 1 : -1);
  dayColumnBox_->setCurrentIndex(!parts ? -1 : dates.size() > 2 ? dates[2] : 0);
  for (QComboBox* box : {yearColumnBox_, monthColumnBox_, dayColumnBox_}) box->setEnabled(parts);

  // A file of several stations: the station column, then the station read.
  stationColumnBox_->clear();
  stationColumnBox_->addItem(QStringLiteral("none (one station)"));
  stationColumnBox_->addItems(captions);
  stationColumnBox_->setCurrentIndex(session_->StationColumn());
  stationBox_->clear();
  for (const StationRows& rows : session_->StationsFound()) {
    stationBox_->addItem(Cp(StationRowsText(rows)));
  }
  stationBox_->setCurrentIndex(session_->ChosenStation());
  stationBox_->setEnabled(session_->StationColumn() > 0 && stationBox_->count() > 0);
}

void LayoutSheet::ShowColumns() {
  const std::vector<DelimitedColumnView> columns = session_->DelimitedColumns();
  QStringList names;
  for (const DelimitedColumnView& column : columns) names << ColumnCaption(column);
  if (names != columnNames_) {
    columnNames_ = names;
    // The old fields go when the event loop comes back (one may be committing now); until
    // then they answer to no name.
    for (int row = 0; row < columnGrid_->rowCount(); ++row) {
      for (int cell : {kCodeCell, kFactorCell}) {
        if (QWidget* widget = columnGrid_->cellWidget(row, cell)) widget->setObjectName(QString());
      }
    }
    columnGrid_->clearContents();
    columnGrid_->setRowCount(static_cast<int>(columns.size()));
    static const std::vector<CodeChoice> codes = ImportCodeChoices();
    QStringList items{"not imported"};
    for (const CodeChoice& code : codes) items << Cp(code.Text);
    for (int row = 0; row < columnGrid_->rowCount(); ++row) {
      const int number = columns[static_cast<std::size_t>(row)].Number;
      columnGrid_->setItem(row, kNameCell, new QTableWidgetItem(names[row]));
      columnGrid_->setItem(row, kProposedCell, new QTableWidgetItem);
      auto* code = ComboBox(QStringLiteral("CodeBox%1").arg(number), items, columnGrid_);
      columnGrid_->setCellWidget(row, kCodeCell, code);
      connect(code, &QComboBox::activated, this,
              [this, number](int index) { CodeChosen(number, index); });
      QLineEdit* factor = NumberEdit(QStringLiteral("FactorEdit%1").arg(number), 80, columnGrid_);
      columnGrid_->setCellWidget(row, kFactorCell, factor);
      EditRule::Attach(factor, [this, number, factor] { return CommitFactor(number, factor); });
    }
  }
  static const std::vector<CodeChoice> codes = ImportCodeChoices();
  for (int row = 0; row < columnGrid_->rowCount(); ++row) {
    const DelimitedColumnView& column = columns[static_cast<std::size_t>(row)];
    QString proposed = column.Date      ? QStringLiteral("date")
                       : column.Station ? QStringLiteral("station")
                                        : Cp(column.Proposal.Note);
    if (!column.Date && !column.Station && column.Proposal.Imported() && proposed.isEmpty()) {
      proposed = QStringLiteral("code %1, factor %2")
                     .arg(column.Proposal.Code)
                     .arg(Cp(NumberForMessage(column.Proposal.Factor)));
    }
    columnGrid_->item(row, kProposedCell)->setText(proposed);
    auto* code = static_cast<QComboBox*>(columnGrid_->cellWidget(row, kCodeCell));
    const auto found = std::find_if(codes.begin(), codes.end(), [&column](const CodeChoice& c) {
      return c.Code == column.Code;
    });
    code->setCurrentIndex(found == codes.end() ? 0 : static_cast<int>(found - codes.begin()) + 1);
    code->setEnabled(!column.Date && !column.Station);
    auto* factor = static_cast<QLineEdit*>(columnGrid_->cellWidget(row, kFactorCell));
    factor->setText(Cp(NumberForMessage(column.Factor)));
    factor->setEnabled(column.Code != 0);
  }
}

void LayoutSheet::Done(const std::string& message) {
  if (!message.empty()) ShowMessage(message);
  Show();
  emit Changed();
}

void LayoutSheet::SeparatorChosen(int index) {
  Done(session_->SetSeparator(kSeparators[index]));
}

void LayoutSheet::DecimalChosen(int index) { Done(session_->SetDecimalSign(kSigns[index])); }

void LayoutSheet::DateColumnChosen(int index) {
  std::vector<ColumnRef> columns;
  if (index == dateColumnBox_->count() - 1) {
    columns = ProposedDateParts(session_->Layout(), session_->DelimitedRead());
  } else if (index > 0) {
    columns.push_back({index, {}});
  }
  Done(session_->SetDateColumns(std::move(columns)));
}

void LayoutSheet::DatePartChosen() {
  std::vector<ColumnRef> columns{{yearColumnBox_->currentIndex() + 1, {}},
                                 {monthColumnBox_->currentIndex() + 1, {}}};
  if (dayColumnBox_->currentIndex() > 0) columns.push_back({dayColumnBox_->currentIndex(), {}});
  Done(session_->SetDateColumns(std::move(columns)));
}

void LayoutSheet::DateOrderChosen(int index) { Done(session_->SetDateOrder(kOrders[index])); }

void LayoutSheet::StationColumnChosen(int index) {
  Done(session_->ChooseStationColumn(index));
}

void LayoutSheet::StationChosen(int index) { Done(session_->ChooseStation(index)); }

bool LayoutSheet::CommitMarkers() {
  std::vector<std::string> markers;
  for (const QString& text : markersEdit_->text().split(';', Qt::SkipEmptyParts)) {
    const QString marker = text.trimmed();
    if (!marker.isEmpty()) markers.push_back(ToCp1252(marker));
  }
  if (markers == session_->MissingMarkers()) return true;
  const std::string message = session_->SetMissingMarkers(markers);
  markersEdit_->setText(Joined(session_->MissingMarkers()));
  Done(message);
  return message.empty();
}

void LayoutSheet::BeyondChosen(int index) {
  session_->SetBeyondLimits(kBeyond[index]);
  Done({});
}

void LayoutSheet::CodeChosen(int column, int index) {
  static const std::vector<CodeChoice> codes = ImportCodeChoices();
  const int16_t code = index <= 0 ? int16_t{0} : codes[static_cast<std::size_t>(index - 1)].Code;
  Done(session_->SetColumnCode(column, code));
}

bool LayoutSheet::CommitFactor(int column, QLineEdit* edit) {
  const std::vector<DelimitedColumnView> columns = session_->DelimitedColumns();
  const auto view =
      std::find_if(columns.begin(), columns.end(),
                   [column](const DelimitedColumnView& c) { return c.Number == column; });
  if (view == columns.end()) return true;
  const QString old = Cp(NumberForMessage(view->Factor));
  const QString text = edit->text().trimmed();
  if (text == old) return true;
  double factor = 0.0;
  if (!ParseDecimal(ToCp1252(text), DecimalSign::Point, factor)) {
    ShowMessage(QStringLiteral("The factor of %1 must be a number: \"%2\" is none.")
                    .arg(ColumnCaption(*view), text));
    edit->setText(old);
    return false;
  }
  const std::string message = session_->SetColumnFactor(column, factor);
  Done(message);
  return message.empty();
}

}  // namespace vernoli
