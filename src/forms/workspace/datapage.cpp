#include "forms/workspace/datapage.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "forms/workspace/datagrid.h"
#include "forms/workspace/workspacehost.h"
#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/navigator.h"
#include "kit/symbolgrid.h"
#include "kit/yearnavigator.h"
#include "stations/appstate.h"
#include "workspace/yearchoice.h"

namespace vernoli {

namespace {

constexpr std::array<const char*, kSwitchQuantityCount> kSwitchRadioNames = {
    "RadioTemp", "RadioVapPres", "RadioWindSpeed", "RadioRadiation"};
constexpr std::array<const char*, kSwitchQuantityCount> kSwitchRadioCaptions = {
    "Temperature", "Vapour pressure", "Wind speed", "Radiation"};
constexpr std::array<const char*, kSwitchQuantityCount> kSwitchComboNames = {
    "ComboBoxT", "ComboBoxE", "ComboBoxU", "ComboBoxR"};
constexpr std::array<const char*, kSwitchQuantityCount> kSwitchLabelNames = {
    "TUnitLab", "EUnitLab", "UUnitLab", "RUnitLab"};

}  // namespace

DataPage::DataPage(WorkspaceSession& session, WorkspaceHost& host, AppState& state,
                   Navigator& navigator, QWidget* parent)
    : QWidget(parent), session_(session), host_(host), state_(state), navigator_(navigator) {
  setObjectName("DataSheet");
  stringGridData_ = new DataGrid(this);
  gridModel_ = new WorkspaceGridModel(session_, this);
  stringGridData_->setModel(gridModel_);
  symbolPanel_ = BuildSymbolPanel();
  groupBoxSwitchUnits_ = BuildSwitchUnits();

  // The year navigation and the buttons.
  years_ = new YearNavigator("NextPrevPanelData", "PreviousYearDataButton", "YearDataComboBox",
                             "NextYearDataButton", this);
  unitsButton_ = Button("UnitsButton", Cp(kSwitchUnitsCaption), this);
  saveButton_ = Button("SaveButton", "Save data", this);
  symbolUnit_ = Button("SymbolUnit", "Symbols", this);
  rangeButton_ = Button("RangeButton", "Data Limits", this);
  auto* bar = new QHBoxLayout;
  bar->addWidget(years_);
  bar->addStretch(1);
  bar->addWidget(symbolUnit_);
  bar->addWidget(unitsButton_);
  bar->addWidget(rangeButton_);
  bar->addWidget(saveButton_);

  auto* side = new QVBoxLayout;
  side->addWidget(symbolPanel_, 1);
  side->addWidget(groupBoxSwitchUnits_);
  side->addStretch(0);
  auto* layout = new QGridLayout(this);
  layout->addWidget(stringGridData_, 0, 0);
  layout->addLayout(side, 0, 1);
  layout->addLayout(bar, 1, 0, 1, 2);
  layout->setColumnStretch(0, 1);
  layout->setRowStretch(0, 1);
  Opening();
  Connect();
}

QFrame* DataPage::BuildSymbolPanel() {
  QFrame* panel = Frame("SymbolPanel", this);
  panel->setFrameShape(QFrame::StyledPanel);
  symbolStringGrid_ = SymbolGrid(panel);
  closeSymbolPanelButton_ = Button("CloseSymbolPanelButton", "Close", panel);
  auto* layout = new QVBoxLayout(panel);
  layout->addWidget(symbolStringGrid_, 1);
  layout->addWidget(closeSymbolPanelButton_, 0, Qt::AlignRight);
  return panel;
}

QGroupBox* DataPage::BuildSwitchUnits() {
  QGroupBox* group = Group("GroupBoxSwitchUnits", Cp(kSwitchUnitsBoxCaption), this);
  auto* layout = new QGridLayout(group);
  for (std::size_t q = 0; q < switchRadios_.size(); ++q) {
    const auto quantity = static_cast<SwitchQuantity>(q);
    switchRadios_[q] = Radio(kSwitchRadioNames[q], kSwitchRadioCaptions[q], group);
    switchLabels_[q] = Label(kSwitchLabelNames[q], QString(), group);
    switchLabels_[q]->setMinimumWidth(70);
    switchCombos_[q] = ComboBox(kSwitchComboNames[q], CpList(SwitchTargetItems(quantity)), group);
    const int row = static_cast<int>(q);
    layout->addWidget(switchRadios_[q], row, 0);
    layout->addWidget(switchLabels_[q], row, 1);
    layout->addWidget(Text("convert to", group), row, 2);
    layout->addWidget(switchCombos_[q], row, 3);
  }
  convertButton_ = Button("ConvertButton", "switch", group);
  closeButton_ = Button("CloseButton", "Close", group);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(convertButton_);
  buttons->addWidget(closeButton_);
  layout->addLayout(buttons, kSwitchQuantityCount, 0, 1, 4);
  return group;
}

void DataPage::Connect() {
  connect(stringGridData_, &DataGrid::ValidateCell, this, &DataPage::ValidateCurrentCell);
  connect(stringGridData_, &DataGrid::DeleteCell, this, &DataPage::GridDeleteCell);
  connect(years_, &YearNavigator::PreviousClicked, this, &DataPage::PreviousYearClicked);
  connect(years_, &YearNavigator::NextClicked, this, &DataPage::NextYearClicked);
  connect(years_, &YearNavigator::YearChosen, this, &DataPage::YearChosen);
  connect(saveButton_, &QPushButton::clicked, this, &DataPage::SaveClicked);
  connect(symbolUnit_, &QPushButton::clicked, this, &DataPage::SymbolUnitClick);
  connect(closeSymbolPanelButton_, &QPushButton::clicked, symbolPanel_, &QWidget::hide);
  connect(rangeButton_, &QPushButton::clicked, this, &DataPage::RangeButtonClick);
  connect(unitsButton_, &QPushButton::clicked, this, &DataPage::UnitsButtonClick);
  connect(convertButton_, &QPushButton::clicked, this, &DataPage::ConvertButtonClick);
  connect(closeButton_, &QPushButton::clicked, groupBoxSwitchUnits_, &QWidget::hide);
  for (std::size_t q = 0; q < switchCombos_.size(); ++q) {
    switchCombos_[q]->installEventFilter(this);
    connect(switchCombos_[q], &QComboBox::activated, this, [this, q] { SwitchComboEnter(q); });
    // The quantity that "switch" converts stands out.
    QRadioButton* radio = switchRadios_[q];
    connect(radio, &QRadioButton::toggled, radio, [radio](bool on) {
      QFont font = radio->font();
      font.setBold(on);
      radio->setFont(font);
      radio->setStyleSheet(on ? "color: navy" : "");
    });
  }
}

void DataPage::Detach() {
  QObject::disconnect(stringGridData_, nullptr, this, nullptr);
  stringGridData_->setModel(nullptr);
}

std::vector<QWidget*> DataPage::TabOrder() const {
  std::vector<QWidget*> order = {stringGridData_, symbolStringGrid_, closeSymbolPanelButton_};
  for (std::size_t q = 0; q < switchRadios_.size(); ++q) {
    order.push_back(switchRadios_[q]);
    order.push_back(switchCombos_[q]);
  }
  order.insert(order.end(), {convertButton_, closeButton_, years_->PreviousButton(),
                             years_->Chooser(), years_->NextButton(), symbolUnit_, unitsButton_, rangeButton_,
                             saveButton_});
  return order;
}

// ---------------------------------------------------------------------------------------------
// Showing the session

void DataPage::Opening() {
  symbolPanel_->hide();
  groupBoxSwitchUnits_->hide();
}

void DataPage::ShowNavigation() {
  years_->Show(session_.Page(),
               session_.IsOpen() ? ChoiceOfYears(session_.Station(), session_.Page()) : YearChoice{},
               session_.IsOpen());
}

void DataPage::ShowGrid() {
  gridModel_->Refresh();
  QStringList titles;
  for (const std::string& title : session_.Grid().DateTitles) titles << Cp(title);
  stringGridData_->SetDateTitles(titles);
}

void DataPage::ShowSymbols() {
  if (session_.IsOpen()) ShowSymbolRows(*symbolStringGrid_, session_.Symbols());
}

void DataPage::ScrollToFirstColumn() { stringGridData_->ScrollToFirstColumn(); }

bool DataPage::FinishGridEditing() {
  stringGridData_->FinishEditing();
  const auto cell = session_.UncheckedCell();
  if (!cell) return true;
  refused_ = false;
  ValidateCurrentCell(
      gridModel_->index(static_cast<int>(cell->second), static_cast<int>(cell->first)));
  return !refused_;
}

// ---------------------------------------------------------------------------------------------
// Events

void DataPage::ValidateCurrentCell(const QModelIndex& index) {
  if (!session_.IsOpen() || !index.isValid()) return;
  const CellCheck check = session_.LeaveCell(static_cast<std::size_t>(index.column()),
                                             static_cast<std::size_t>(index.row()));
  gridModel_->ColumnChanged(index.column());
  emit CellChecked();
  refused_ = check.Refused;
  if (check.Refused) {
    ShowMessage(check.Message);
    // The cell is shown again, holding its value from before the edit.
    emit CellRefused();
    stringGridData_->FocusCell(index);
    // A click on another cell moves the current cell once more after this check: the refused
    // cell takes it back then.
    const QPersistentModelIndex cell(index);
    QTimer::singleShot(0, stringGridData_, [grid = stringGridData_, cell] {
      if (cell.isValid()) grid->FocusCell(cell);
    });
  }
}

void DataPage::GridDeleteCell(const QModelIndex& index) {
  if (!session_.IsOpen() || !index.isValid() || gridModel_->IsETo(index.row())) return;
  session_.DeleteCell(static_cast<std::size_t>(index.column()),
                      static_cast<std::size_t>(index.row()));
  gridModel_->ColumnChanged(index.column());
}

void DataPage::SymbolUnitClick() {
  ShowSymbols();
  symbolPanel_->show();
}

void DataPage::RangeButtonClick() {
  if (!FinishGridEditing()) return;
  if (!session_.IsOpen()) return;
  // The limits form edits the station description and writes its file; the working copy then
  // takes the five limits from it.
  navigator_.OpenLimitsForm(state_.Station, true);
  session_.TakeLimits(state_.Station.Limits);
}

void DataPage::UnitsButtonClick() {
  if (!session_.IsOpen()) return;
  const SwitchUnitsBox box = session_.SwitchUnits();
  for (std::size_t q = 0; q < switchRadios_.size(); ++q) {
    switchRadios_[q]->setEnabled(box.Enabled[q]);
    switchCombos_[q]->setEnabled(box.Enabled[q]);
    switchLabels_[q]->setText(Cp(box.Labels[q]));
    switchCombos_[q]->setCurrentIndex(box.Targets[q]);
  }
  if (!box.Checked) {
    groupBoxSwitchUnits_->hide();
    return;
  }
  switchRadios_[static_cast<std::size_t>(*box.Checked)]->setChecked(true);
  groupBoxSwitchUnits_->show();
}

void DataPage::SwitchComboEnter(std::size_t quantity) {
  QRadioButton* radio = switchRadios_[quantity];
  if (radio->isEnabled()) radio->setChecked(true);
}

void DataPage::ConvertButtonClick() {
  if (!session_.IsOpen()) return;
  for (std::size_t q = 0; q < switchRadios_.size(); ++q) {
    if (!switchRadios_[q]->isChecked() || !switchRadios_[q]->isEnabled()) continue;
    if (!FinishGridEditing()) return;
    groupBoxSwitchUnits_->hide();
    const auto quantity = static_cast<SwitchQuantity>(q);
    host_.Done(session_.SwitchUnit(quantity, switchCombos_[q]->currentIndex()));
    return;
  }
}

bool DataPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    for (std::size_t q = 0; q < switchCombos_.size(); ++q) {
      if (watched == switchCombos_[q]) SwitchComboEnter(q);
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vernoli
