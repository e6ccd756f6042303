#include "forms/workspace/TUpdateMenu.h"

#include "forms/workspace/datagrid.h"
#include "forms/workspace/exportpage.h"
#include "forms/workspace/plotpage.h"
#include "kit/symbolgrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

#include "stations/appstate.h"
#include "kit/navigator.h"
#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/modal.h"
#include "kit/text.h"
#include "model/calendar.h"

namespace vernoli {

namespace {

const QString kTitle = " Data and ETo menu";

QLineEdit* SettingField(const char* name, int characters, QWidget* parent) {
  auto* edit = LineEdit(name, parent);
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(characters, '0')) + 16);
  return edit;
}

QFrame* Panel(const char* name, QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  return panel;
}

// The controls' change handlers do nothing while the form fills them.
class Loading {
 public:
  explicit Loading(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~Loading() { flag_ = before_; }
  Loading(const Loading&) = delete;
  Loading& operator=(const Loading&) = delete;

 private:
  bool& flag_;
  bool before_;
};

// Names of the presence check boxes, in the order of PresenceBoxes().
constexpr std::array<const char*, kPresenceBoxCount> kPresenceNames = {
    "TmaxTminCheckBox", "TmeanCheckBox",   "RHMinMaxCheckBox", "RHmeanCheckBox",
    "TdewCheckBox",     "EactCheckBox",    "TdryTwetCheckBox", "WindCheckBox",
    "nCheckBox",        "nNRatioCheckBox", "RsCheckBox",       "RnCheckBox"};

constexpr std::array<const char*, kSwitchQuantityCount> kSwitchRadioNames = {
    "RadioTemp", "RadioVapPres", "RadioWindSpeed", "RadioRadiation"};
constexpr std::array<const char*, kSwitchQuantityCount> kSwitchRadioCaptions = {
    "Temperature", "Vapour pressure", "Wind speed", "Radiation"};
constexpr std::array<const char*, kSwitchQuantityCount> kSwitchComboNames = {
    "ComboBoxT", "ComboBoxE", "ComboBoxU", "ComboBoxR"};
constexpr std::array<const char*, kSwitchQuantityCount> kSwitchLabelNames = {
    "TUnitLab", "EUnitLab", "UUnitLab", "RUnitLab"};

constexpr std::array<const char*, 3> kPsychrometerNames = {"RadioVentilated", "RadioNatural",
                                                           "RadioIndoors"};

constexpr std::array<std::string_view, 2> kHumidityItems = {"(sub)humid", "(semi)arid"};
constexpr std::array<std::string_view, 4> kWindClassItems = {
    "light wind", "light to moderate wind", "moderate to strong wind", "strong wind"};

}  // namespace

TUpdateMenu::TUpdateMenu(AppState& state, Navigator& navigator, QWidget* parent)
    : ActivatedForm(parent), state_(state), navigator_(navigator) {
  setObjectName("UpdateMenu");
  setWindowTitle(kTitle);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setModal(true);

  // The station above the pages.
  editStation_ = ReadOnlyEdit("EditStation", this);
  editCountry_ = ReadOnlyEdit("EditCountry", this);
  editFileName_ = ReadOnlyEdit("EditFileName", this);
  auto* header = new QHBoxLayout;
  header->addWidget(Text("Station", this));
  header->addWidget(editStation_, 3);
  header->addWidget(Text("Country", this));
  header->addWidget(editCountry_, 2);
  header->addWidget(Text("File", this));
  header->addWidget(editFileName_, 2);

  pageControl1_ = new QTabWidget(this);
  pageControl1_->setObjectName("PageControl1");
  descriptionSheet_ = BuildDescriptionSheet();
  dataSheet_ = BuildDataSheet();
  plotPage_ = new PlotPage(session_, state_);
  exportPage_ = new ExportPage(session_, state_, navigator_);
  pageControl1_->addTab(descriptionSheet_, " Input data description  ");
  pageControl1_->addTab(dataSheet_, " Meteorological data and ETo   ");
  pageControl1_->addTab(plotPage_, " Plot data  ");
  pageControl1_->addTab(exportPage_, " Export results  ");

  mainMenuButton_ = Button("MainMenuButton", "Main menu", this);
  cancelButton_ = Button("CancelButton", "Cancel", this);
  // What the last save or export wrote, and when.
  saveStatusLabel_ = Label("SaveStatusLabel", QString(), this);
  QHBoxLayout* buttons = ButtonRow({mainMenuButton_, cancelButton_});
  buttons->insertWidget(0, saveStatusLabel_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addWidget(pageControl1_, 1);
  layout->addLayout(buttons);

  Connect();
  SetTabOrder();
  resize(1060, 680);
}

// The session goes before the child widgets: while they are being destroyed the grid neither
// reads the session nor reports to the form (a focus change would ask for a check).
TUpdateMenu::~TUpdateMenu() {
  QObject::disconnect(stringGridData_, nullptr, this, nullptr);
  stringGridData_->setModel(nullptr);
}

QWidget* TUpdateMenu::BuildDescriptionSheet() {
  auto* page = new QWidget;
  page->setObjectName("DescriptionSheet");
  const std::array<PresenceBox, kPresenceBoxCount>& boxes = PresenceBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    presence_[i] = CheckBox(kPresenceNames[i], Cp(PresenceCaption(boxes[i])), page);
  }
  auto box = [this](PresenceBox b) { return presence_[static_cast<std::size_t>(b)]; };
  auto unitLabel = [](const char* name, QWidget* parent) {
    return Label(name, Cp(TemperatureUnitLabel(false)), parent);
  };

  // The temperature unit.
  auto* unitGroup = Group("TemperatureUnitGroup", " Temperature unit ", page);
  radioCelsius_ = Radio("RadioCelsius", Cp(kCelsiusCaption), unitGroup);
  radioFarenheit_ = Radio("RadioFarenheit", Cp(kFahrenheitCaption), unitGroup);
  auto* unitLayout = new QHBoxLayout(unitGroup);
  unitLayout->addWidget(radioCelsius_);
  unitLayout->addWidget(radioFarenheit_);
  unitLayout->addStretch(1);

  // Air temperature.
  auto* temperature = Group("AirTemperatureGroup", " Air temperature ", page);
  temperatureLabels_[1] = unitLabel("LabelTMinMax", temperature);
  temperatureLabels_[0] = unitLabel("LabelUTmean", temperature);
  auto* temperatureLayout = new QGridLayout(temperature);
  temperatureLayout->addWidget(box(PresenceBox::TmaxTmin), 0, 0);
  temperatureLayout->addWidget(temperatureLabels_[1], 0, 1);
  temperatureLayout->addWidget(box(PresenceBox::Tmean), 1, 0);
  temperatureLayout->addWidget(temperatureLabels_[0], 1, 1);
  temperatureLayout->setColumnStretch(2, 1);

  // Air humidity, the psychrometer and the estimate of a missing humidity.
  auto* humidity = Group("AirHumidityGroup", " Air humidity ", page);
  temperatureLabels_[2] = unitLabel("LabelTdew", humidity);
  temperatureLabels_[3] = unitLabel("LabelTPsy", humidity);
  unitEactComboBox_ = ComboBox("UnitEactComboBox", CpList(VapourUnitItems()), humidity);
  auto* psychrometerPanel = Panel("PsychrometerPanel", humidity);
  for (std::size_t i = 0; i < psychrometer_.size(); ++i) {
    psychrometer_[i] = Radio(kPsychrometerNames[i],
                             Cp(PsychrometerCaption(static_cast<Psychrometer>(i))),
                             psychrometerPanel);
  }
  editCoeffaPsy_ = SettingField("EditCoeffaPsy", 20, psychrometerPanel);
  auto* psychrometerLayout = new QGridLayout(psychrometerPanel);
  psychrometerLayout->setContentsMargins(16, 0, 0, 0);
  psychrometerLayout->addWidget(Text("Psychrometer:", psychrometerPanel), 0, 0);
  for (std::size_t i = 0; i < psychrometer_.size(); ++i) {
    psychrometerLayout->addWidget(psychrometer_[i], static_cast<int>(i), 1);
  }
  psychrometerLayout->addWidget(Text("coefficient", psychrometerPanel), 0, 2);
  psychrometerLayout->addWidget(editCoeffaPsy_, 1, 2);
  psychrometerLayout->addWidget(Text(Cp("[1/\xB0"
                                        "C]"),
                                     psychrometerPanel),
                                1, 3);
  psychrometerLayout->setColumnStretch(4, 1);
  editTminCorr_ = SettingField("EditTminCorr", 7, humidity);
  labelMissingT_ = Label("LabelMissingT", QString(), humidity);
  humClassComboBox_ = ComboBox("HumClassComboBox", CpList(kHumidityItems), humidity);
  auto* humidityLayout = new QGridLayout(humidity);
  humidityLayout->addWidget(box(PresenceBox::RHMinMax), 0, 0, 1, 2);
  humidityLayout->addWidget(box(PresenceBox::RHmean), 1, 0, 1, 2);
  humidityLayout->addWidget(box(PresenceBox::Tdew), 2, 0);
  humidityLayout->addWidget(temperatureLabels_[2], 2, 1);
  humidityLayout->addWidget(box(PresenceBox::Eact), 3, 0);
  humidityLayout->addWidget(unitEactComboBox_, 3, 1);
  humidityLayout->addWidget(box(PresenceBox::TdryTwet), 4, 0);
  humidityLayout->addWidget(temperatureLabels_[3], 4, 1);
  humidityLayout->addWidget(psychrometerPanel, 5, 0, 1, 3);
  auto* missingHumidity = new QHBoxLayout;
  missingHumidity->addWidget(Text("Missing humidity data:  Tdew = Tmin  -", humidity));
  missingHumidity->addWidget(editTminCorr_);
  missingHumidity->addWidget(labelMissingT_);
  missingHumidity->addWidget(humClassComboBox_);
  missingHumidity->addStretch(1);
  humidityLayout->addLayout(missingHumidity, 6, 0, 1, 3);
  humidityLayout->setColumnStretch(2, 1);

  // Wind speed, its height and the estimate of a missing wind speed.
  auto* wind = Group("WindSpeedGroup", " Wind speed ", page);
  unitUComboBox_ = ComboBox("UnitUComboBox", CpList(WindUnitItems()), wind);
  editHeightU_ = SettingField("EditHeightU", 6, wind);
  editU2_ = SettingField("EditU2", 7, wind);
  labelMissingU_ = Label("LabelMissingU", QString(), wind);
  uClassComboBox_ = ComboBox("UClassComboBox", CpList(kWindClassItems), wind);
  auto* windLayout = new QGridLayout(wind);
  windLayout->addWidget(box(PresenceBox::Wind), 0, 0);
  windLayout->addWidget(unitUComboBox_, 0, 1);
  auto* height = new QHBoxLayout;
  height->addWidget(Text("height of measurement", wind));
  height->addWidget(editHeightU_);
  height->addWidget(Text("[meter]", wind));
  height->addStretch(1);
  windLayout->addLayout(height, 1, 0, 1, 3);
  auto* missingWind = new QHBoxLayout;
  missingWind->addWidget(Text("Missing wind data:  U2 =", wind));
  missingWind->addWidget(editU2_);
  missingWind->addWidget(labelMissingU_);
  missingWind->addWidget(uClassComboBox_);
  missingWind->addStretch(1);
  windLayout->addLayout(missingWind, 2, 0, 1, 3);
  windLayout->setColumnStretch(2, 1);

  // Sunshine and radiation, the Hargreaves and Angstrom coefficients.
  auto* radiation = Group("SunshineRadiationGroup", " Sunshine and Radiation ", page);
  unitRsComboBox_ = ComboBox("UnitRsComboBox", CpList(RadiationUnitItems()), radiation);
  unitRnComboBox_ = ComboBox("UnitRnComboBox", CpList(RadiationUnitItems()), radiation);
  editKRs_ = SettingField("EditKRs", 8, radiation);
  adjustButton_ = Button("AdjustButton", Cp(kAdjustButtonCaption), radiation);
  groupBoxAngstrom_ = Group("GroupBoxAngstrom", " Angstrom equation ", radiation);
  editAngA_ = SettingField("EditAngA", 7, groupBoxAngstrom_);
  editAngB_ = SettingField("EditAngB", 7, groupBoxAngstrom_);
  checkBoxCorrectionZ_ =
      CheckBox("CheckBoxCorrectionZ", Cp(kElevationCaption), groupBoxAngstrom_);
  defButton_ = Button("DefButton", Cp(kDefaultsButtonCaption), groupBoxAngstrom_);
  auto* angstromLayout = new QGridLayout(groupBoxAngstrom_);
  angstromLayout->addWidget(Text("Rs = (a + b n/N)  Ra", groupBoxAngstrom_), 0, 0, 1, 4);
  angstromLayout->addWidget(Text("a = ", groupBoxAngstrom_), 1, 0);
  angstromLayout->addWidget(editAngA_, 1, 1);
  angstromLayout->addWidget(Text("b = ", groupBoxAngstrom_), 1, 2);
  angstromLayout->addWidget(editAngB_, 1, 3);
  angstromLayout->addWidget(checkBoxCorrectionZ_, 2, 0, 1, 4);
  angstromLayout->addWidget(defButton_, 3, 0, 1, 2);
  angstromLayout->setColumnStretch(4, 1);
  auto* radiationLayout = new QGridLayout(radiation);
  radiationLayout->addWidget(box(PresenceBox::Sunshine), 0, 0, 1, 2);
  radiationLayout->addWidget(box(PresenceBox::RelativeSunshine), 1, 0, 1, 2);
  radiationLayout->addWidget(box(PresenceBox::Rs), 2, 0);
  radiationLayout->addWidget(unitRsComboBox_, 2, 1);
  radiationLayout->addWidget(box(PresenceBox::Rn), 3, 0);
  radiationLayout->addWidget(unitRnComboBox_, 3, 1);
  auto* hargreaves = new QHBoxLayout;
  hargreaves->addWidget(Text("Missing radiation data:", radiation));
  hargreaves->addWidget(Text("Rs = ", radiation));
  hargreaves->addWidget(editKRs_);
  hargreaves->addWidget(Text(" x SQRT(Tmax - Tmin)  x  Ra", radiation));
  hargreaves->addStretch(1);
  radiationLayout->addLayout(hargreaves, 4, 0, 1, 3);
  radiationLayout->addWidget(
      Text("< ... 0.16 (interior) ........ 0.19 (coastal) ... >", radiation), 5, 0, 1, 3,
      Qt::AlignRight);
  radiationLayout->addWidget(adjustButton_, 6, 0);
  radiationLayout->addWidget(groupBoxAngstrom_, 7, 0, 1, 3);
  radiationLayout->setColumnStretch(2, 1);
  radiationLayout->setRowStretch(8, 1);

  auto* left = new QVBoxLayout;
  left->addWidget(unitGroup);
  left->addWidget(temperature);
  left->addWidget(wind);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(humidity);
  right->addWidget(radiation);
  right->addStretch(1);
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left, 1);
  layout->addLayout(right, 1);
  return page;
}

QWidget* TUpdateMenu::BuildDataSheet() {
  auto* page = new QWidget;
  page->setObjectName("DataSheet");
  stringGridData_ = new DataGrid(page);
  gridModel_ = new WorkspaceGridModel(session_, this);
  stringGridData_->setModel(gridModel_);

  // The symbols panel.
  symbolPanel_ = Panel("SymbolPanel", page);
  symbolPanel_->setFrameShape(QFrame::StyledPanel);
  symbolStringGrid_ = SymbolGrid(symbolPanel_);
  closeSymbolPanelButton_ = Button("CloseSymbolPanelButton", "Close", symbolPanel_);
  auto* symbolLayout = new QVBoxLayout(symbolPanel_);
  symbolLayout->addWidget(symbolStringGrid_, 1);
  symbolLayout->addWidget(closeSymbolPanelButton_, 0, Qt::AlignRight);

  // The Switch Units box.
  groupBoxSwitchUnits_ = Group("GroupBoxSwitchUnits", Cp(kSwitchUnitsBoxCaption), page);
  auto* switchLayout = new QGridLayout(groupBoxSwitchUnits_);
  for (std::size_t q = 0; q < switchRadios_.size(); ++q) {
    const auto quantity = static_cast<SwitchQuantity>(q);
    switchRadios_[q] = Radio(kSwitchRadioNames[q], kSwitchRadioCaptions[q], groupBoxSwitchUnits_);
    switchLabels_[q] = Label(kSwitchLabelNames[q], QString(), groupBoxSwitchUnits_);
    switchLabels_[q]->setMinimumWidth(70);
    switchCombos_[q] =
        ComboBox(kSwitchComboNames[q], CpList(SwitchTargetItems(quantity)), groupBoxSwitchUnits_);
    const int row = static_cast<int>(q);
    switchLayout->addWidget(switchRadios_[q], row, 0);
    switchLayout->addWidget(switchLabels_[q], row, 1);
    switchLayout->addWidget(Text("convert to", groupBoxSwitchUnits_), row, 2);
    switchLayout->addWidget(switchCombos_[q], row, 3);
  }
  convertButton_ = Button("ConvertButton", "switch", groupBoxSwitchUnits_);
  closeButton_ = Button("CloseButton", "Close", groupBoxSwitchUnits_);
  auto* switchButtons = new QHBoxLayout;
  switchButtons->addStretch(1);
  switchButtons->addWidget(convertButton_);
  switchButtons->addWidget(closeButton_);
  switchLayout->addLayout(switchButtons, kSwitchQuantityCount, 0, 1, 4);

  // The year navigation and the buttons.
  nextPrevPanelData_ = Panel("NextPrevPanelData", page);
  previousYearDataButton_ =
      Button("PreviousYearDataButton", Cp(kPreviousYearCaption), nextPrevPanelData_);
  nextYearDataButton_ = Button("NextYearDataButton", Cp(kNextYearCaption), nextPrevPanelData_);
  auto* navigation = new QHBoxLayout(nextPrevPanelData_);
  navigation->setContentsMargins(0, 0, 0, 0);
  navigation->addWidget(previousYearDataButton_);
  navigation->addWidget(nextYearDataButton_);
  unitsButton_ = Button("UnitsButton", Cp(kSwitchUnitsCaption), page);
  saveButton_ = Button("SaveButton", "Save data", page);
  symbolUnit_ = Button("SymbolUnit", "Symbols", page);
  rangeButton_ = Button("RangeButton", "Data Limits", page);
  auto* bar = new QHBoxLayout;
  bar->addWidget(nextPrevPanelData_);
  bar->addStretch(1);
  bar->addWidget(symbolUnit_);
  bar->addWidget(unitsButton_);
  bar->addWidget(rangeButton_);
  bar->addWidget(saveButton_);

  auto* side = new QVBoxLayout;
  side->addWidget(symbolPanel_, 1);
  side->addWidget(groupBoxSwitchUnits_);
  side->addStretch(0);
  auto* layout = new QGridLayout(page);
  layout->addWidget(stringGridData_, 0, 0);
  layout->addLayout(side, 0, 1);
  layout->addLayout(bar, 1, 0, 1, 2);
  layout->setColumnStretch(0, 1);
  layout->setRowStretch(0, 1);
  symbolPanel_->hide();
  groupBoxSwitchUnits_->hide();
  return page;
}

// Tab follows the reading order: each column of the description page from the top, the data
// page's grid and then its buttons from the left, the export page from its mode buttons to its
// export button, and last "Main menu" and "Cancel". Hidden controls are passed over.
void TUpdateMenu::SetTabOrder() {
  const auto box = [this](PresenceBox b) { return presence_[static_cast<std::size_t>(b)]; };
  std::vector<QWidget*> order = {
      pageControl1_->tabBar(),
      // Left column.
      radioCelsius_, radioFarenheit_, box(PresenceBox::TmaxTmin), box(PresenceBox::Tmean),
      box(PresenceBox::Wind), unitUComboBox_, editHeightU_, editU2_, uClassComboBox_,
      // Right column.
      box(PresenceBox::RHMinMax), box(PresenceBox::RHmean), box(PresenceBox::Tdew),
      box(PresenceBox::Eact), unitEactComboBox_, box(PresenceBox::TdryTwet), psychrometer_[0],
      psychrometer_[1], psychrometer_[2], editCoeffaPsy_, editTminCorr_, humClassComboBox_,
      box(PresenceBox::Sunshine), box(PresenceBox::RelativeSunshine), box(PresenceBox::Rs),
      unitRsComboBox_, box(PresenceBox::Rn), unitRnComboBox_, editKRs_, adjustButton_, editAngA_,
      editAngB_, checkBoxCorrectionZ_, defButton_,
      // Data page.
      stringGridData_, symbolStringGrid_, closeSymbolPanelButton_};
  for (std::size_t q = 0; q < switchRadios_.size(); ++q) {
    order.push_back(switchRadios_[q]);
    order.push_back(switchCombos_[q]);
  }
  order.insert(order.end(), {convertButton_, closeButton_, previousYearDataButton_,
                             nextYearDataButton_, symbolUnit_, unitsButton_, rangeButton_,
                             saveButton_});
  // The plot page keeps the order of its controls.
  for (QWidget* widget : exportPage_->TabOrder()) order.push_back(widget);
  order.insert(order.end(), {mainMenuButton_, cancelButton_});
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void TUpdateMenu::Connect() {
  connect(mainMenuButton_, &QPushButton::clicked, this, &TUpdateMenu::MainMenuButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, &TUpdateMenu::CancelButtonClick);
  connect(pageControl1_, &QTabWidget::currentChanged, this, &TUpdateMenu::PageControl1Change);

  // Description page.
  const std::array<PresenceBox, kPresenceBoxCount>& boxes = PresenceBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const PresenceBox box = boxes[i];
    connect(presence_[i], &QCheckBox::clicked, this,
            [this, box](bool checked) { PresenceClick(box, checked); });
  }
  connect(radioCelsius_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) TemperatureUnitClick(false);
  });
  connect(radioFarenheit_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) TemperatureUnitClick(true);
  });
  for (QComboBox* box : {unitEactComboBox_, unitUComboBox_, unitRsComboBox_, unitRnComboBox_}) {
    connect(box, &QComboBox::currentIndexChanged, this,
            [this, box](int item) { UnitComboChange(box, item); });
  }
  for (std::size_t i = 0; i < psychrometer_.size(); ++i) {
    const auto button = static_cast<Psychrometer>(i);
    connect(psychrometer_[i], &QRadioButton::toggled, this, [this, button](bool on) {
      if (on) PsychrometerClick(button);
    });
  }
  connect(humClassComboBox_, &QComboBox::currentIndexChanged, this, &TUpdateMenu::HumClassChange);
  connect(uClassComboBox_, &QComboBox::currentIndexChanged, this, &TUpdateMenu::UClassChange);
  connect(checkBoxCorrectionZ_, &QCheckBox::clicked, this,
          &TUpdateMenu::CheckBoxCorrectionZClick);
  connect(defButton_, &QPushButton::clicked, this, &TUpdateMenu::DefButtonClick);
  connect(adjustButton_, &QPushButton::clicked, this, &TUpdateMenu::AdjustButtonClick);
  for (QLineEdit* edit : {editCoeffaPsy_, editHeightU_, editTminCorr_, editU2_, editKRs_,
                          editAngA_, editAngB_}) {
    edit->installEventFilter(this);
  }

  // Data page.
  connect(stringGridData_, &DataGrid::ValidateCell, this, &TUpdateMenu::ValidateCurrentCell);
  connect(stringGridData_, &DataGrid::DeleteCell, this, &TUpdateMenu::GridDeleteCell);
  connect(saveButton_, &QPushButton::clicked, this, &TUpdateMenu::SaveButtonClick);
  connect(symbolUnit_, &QPushButton::clicked, this, &TUpdateMenu::SymbolUnitClick);
  connect(closeSymbolPanelButton_, &QPushButton::clicked, this,
          &TUpdateMenu::CloseSymbolPanelButtonClick);
  connect(rangeButton_, &QPushButton::clicked, this, &TUpdateMenu::RangeButtonClick);
  connect(unitsButton_, &QPushButton::clicked, this, &TUpdateMenu::UnitsButtonClick);
  connect(convertButton_, &QPushButton::clicked, this, &TUpdateMenu::ConvertButtonClick);
  connect(closeButton_, &QPushButton::clicked, groupBoxSwitchUnits_, &QWidget::hide);
  for (std::size_t q = 0; q < switchCombos_.size(); ++q) {
    const int quantity = static_cast<int>(q);
    switchCombos_[q]->installEventFilter(this);
    connect(switchCombos_[q], &QComboBox::activated, this,
            [this, quantity] { SwitchComboEnter(quantity); });
    // The quantity that "switch" converts stands out.
    connect(switchRadios_[q], &QRadioButton::toggled, switchRadios_[q], [radio = switchRadios_[q]](
                                                                            bool on) {
      QFont font = radio->font();
      font.setBold(on);
      radio->setFont(font);
      radio->setStyleSheet(on ? "color: navy" : "");
    });
  }

  // Both year navigations.
  connect(nextYearDataButton_, &QPushButton::clicked, this, &TUpdateMenu::NextYearDataButtonClick);
  connect(plotPage_, &PlotPage::NextYearClicked, this, &TUpdateMenu::NextYearDataButtonClick);
  connect(previousYearDataButton_, &QPushButton::clicked, this,
          &TUpdateMenu::PreviousYearDataButtonClick);
  connect(plotPage_, &PlotPage::PreviousYearClicked, this,
          &TUpdateMenu::PreviousYearDataButtonClick);
  connect(exportPage_, &ExportPage::Exported, this, [this](const QString& written) {
    if (!written.isEmpty()) saveStatusLabel_->setText(written);
    Done(Status::Success());
  });
  connect(plotPage_, &PlotPage::PlotOptionsClicked, this, [this] {
    if (!session_.IsOpen()) return;
    if (!FinishGridEditing()) return;
    plotPage_->HideLegend();
    navigator_.OpenPlotMenuForm(StationCodes(session_.Station()), session_.Station().Limits,
                                session_.Graph());
    Status status = session_.WriteBack();
    if (status) session_.Refill();
    Done(status);
  });
}

// ---------------------------------------------------------------------------------------------
// Opening and leaving

void TUpdateMenu::PrepareOpening(bool cancelEnabled) {
  cancelEnabled_ = cancelEnabled;
  pageControl1_->setCurrentWidget(descriptionSheet_);
}

void TUpdateMenu::FormActivate() {
  if (Status s = session_.Open(state_.Station); !s) {
    ShowMessage(s.Message);
    // The form cannot work without its working data: it closes as soon as it is up.
    QTimer::singleShot(0, this, [this] {
      if (isVisible()) done(QDialog::Rejected);
    });
    return;
  }
  symbolPanel_->hide();
  groupBoxSwitchUnits_->hide();
  groupBoxAngstrom_->hide();
  plotPage_->Opening();
  exportPage_->Opening();
  saveStatusLabel_->clear();
  // The opening's refill draws the plot of the visible range.
  session_.PlotDrawn();
  session_.Report() = ReportContent{};

  ShowDescription();
  ShowNavigation();
  ShowGrid();
  stringGridData_->ScrollToFirstColumn();
  ShowSymbols();
  ShowCancel();
  mainMenuButton_->setFocus(Qt::OtherFocusReason);
}

void TUpdateMenu::done(int result) {
  if (session_.IsOpen()) {
    session_.Close();
    // Left without saving: the station's codes are those of its .DTA as it is now (a save that
    // failed after rewriting the data file must not leave the selection with other codes).
    RepClimateFile station = state_.Station;
    if (ReadParameterCodes(station).Ok) state_.Station = station;
  }
  QDialog::done(result);
}

// The close box checks a typed cell like every other way out; a refused value keeps the form
// open on it.
void TUpdateMenu::closeEvent(QCloseEvent* event) {
  if (session_.IsOpen() && !FinishGridEditing()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

// Escape would throw the visit's edits away: only "Cancel" and the close box leave unsaved.
void TUpdateMenu::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  // Enter presses the button that has the focus, and no other: the workspace has no default
  // button, so Enter in a check box or a list never saves or leaves.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) {
      button->click();
    }
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TUpdateMenu::MainMenuButtonClick() {
  if (!FinishGridEditing()) return;
  if (!session_.IsOpen()) return;
  if (const Status s = session_.Save(); !s) {
    Done(s);
    return;
  }
  state_.Station = session_.Station();
  session_.Close();
  accept();
}

void TUpdateMenu::SaveButtonClick() {
  if (!FinishGridEditing()) return;
  if (!session_.IsOpen()) return;
  const Status s = session_.Save();
  if (s) {
    state_.Station = session_.Station();
    const QString name = FileNameText(session_.Station().FileName);
    saveStatusLabel_->setText(QString("Saved %1.DTA and %1.DSC at %2")
                                  .arg(name, QTime::currentTime().toString("HH:mm:ss")));
  }
  Done(s);
}

void TUpdateMenu::CancelButtonClick() { reject(); }

// ---------------------------------------------------------------------------------------------
// Showing the session

void TUpdateMenu::ShowDescription() {
  if (!session_.IsOpen()) return;
  Loading loading(loading_);
  const RepClimateFile& station = session_.Station();
  editStation_->setText(Cp(station.StationName));
  editCountry_->setText(Cp(station.Country));
  // The file name is a name of the file system; station name and country are texts of the file.
  editFileName_->setText(FileNameText(station.FileName) + ".DTA");

  const UnitChoice& units = session_.Units();
  radioCelsius_->setChecked(!units.Fahrenheit);
  radioFarenheit_->setChecked(units.Fahrenheit);
  for (QLabel* label : temperatureLabels_) {
    label->setText(Cp(TemperatureUnitLabel(units.Fahrenheit)));
  }
  unitEactComboBox_->setCurrentIndex(units.Vapour);
  unitUComboBox_->setCurrentIndex(units.Wind);
  unitRsComboBox_->setCurrentIndex(units.Rs);
  unitRnComboBox_->setCurrentIndex(units.Rn);

  const PresenceStates presence = session_.Presence();
  for (std::size_t i = 0; i < presence_.size(); ++i) presence_[i]->setChecked(presence[i]);

  const SettingsView view = session_.Settings();
  psychrometer_[static_cast<std::size_t>(view.PsychrometerButton)]->setChecked(true);
  editCoeffaPsy_->setText(Cp(view.PsychrometerText));
  editHeightU_->setText(Cp(view.WindHeightText));
  editTminCorr_->setText(Cp(view.TminCorrectionText));
  labelMissingT_->setText(Cp(view.TminCorrectionUnit));
  humClassComboBox_->setCurrentIndex(static_cast<int>(view.Humidity));
  editU2_->setText(Cp(view.U2Text));
  labelMissingU_->setText(Cp(view.U2Unit));
  uClassComboBox_->setCurrentIndex(static_cast<int>(view.WindSpeed));
  editKRs_->setText(Cp(view.HargreavesText));
  editAngA_->setText(Cp(view.AngstromAText));
  editAngB_->setText(Cp(view.AngstromBText));
  checkBoxCorrectionZ_->setChecked(view.ElevationAdjustment);
}

void TUpdateMenu::ShowNavigation() {
  const YearPage& page = session_.Page();
  const QString previous = Cp(PreviousYearCaption(page));
  const QString next = Cp(NextYearCaption(page));
  nextPrevPanelData_->setVisible(session_.IsOpen() && page.Navigation);
  previousYearDataButton_->setText(previous);
  previousYearDataButton_->setEnabled(page.PreviousEnabled);
  nextYearDataButton_->setText(next);
  nextYearDataButton_->setEnabled(page.NextEnabled);
  plotPage_->ShowNavigation();
}

void TUpdateMenu::ShowGrid() {
  gridModel_->Refresh();
  QStringList titles;
  for (const std::string& title : session_.Grid().DateTitles) titles << Cp(title);
  stringGridData_->SetDateTitles(titles);
  plotPage_->Redraw();
}

void TUpdateMenu::ShowSymbols() {
  if (session_.IsOpen()) ShowSymbolRows(*symbolStringGrid_, session_.Symbols());
}

void TUpdateMenu::ShowCancel() {
  cancelButton_->setEnabled(cancelEnabled_ && !session_.WrittenBack());
  // The title is marked while there are changes not yet saved.
  setWindowTitle(session_.IsOpen() && session_.Unsaved() ? QString("*") + kTitle : kTitle);
}

void TUpdateMenu::Done(const Status& status) {
  if (!status.Ok) ShowMessage(status.Message);
  ShowDescription();
  ShowNavigation();
  ShowGrid();
  ShowSymbols();
  ShowCancel();
}

bool TUpdateMenu::FinishGridEditing() {
  stringGridData_->FinishEditing();
  const auto cell = session_.UncheckedCell();
  if (!cell) return true;
  refused_ = false;
  ValidateCurrentCell(
      gridModel_->index(static_cast<int>(cell->second), static_cast<int>(cell->first)));
  return !refused_;
}

// ---------------------------------------------------------------------------------------------
// The grid

void TUpdateMenu::ValidateCurrentCell(const QModelIndex& index) {
  if (!session_.IsOpen() || !index.isValid()) return;
  const CellCheck check = session_.LeaveCell(static_cast<std::size_t>(index.column()),
                                             static_cast<std::size_t>(index.row()));
  gridModel_->ColumnChanged(index.column());
  plotPage_->Redraw();
  ShowCancel();
  refused_ = check.Refused;
  if (check.Refused) {
    ShowMessage(check.Message);
    // The cell is shown again, holding its value from before the edit.
    if (pageControl1_->currentWidget() != dataSheet_) pageControl1_->setCurrentWidget(dataSheet_);
    stringGridData_->FocusCell(index);
    // A click on another cell moves the current cell once more after this check: the refused
    // cell takes it back then.
    const QPersistentModelIndex cell(index);
    QTimer::singleShot(0, stringGridData_, [grid = stringGridData_, cell] {
      if (cell.isValid()) grid->FocusCell(cell);
    });
  }
}

void TUpdateMenu::GridDeleteCell(const QModelIndex& index) {
  if (!session_.IsOpen() || !index.isValid() || gridModel_->IsETo(index.row())) return;
  session_.DeleteCell(static_cast<std::size_t>(index.column()),
                      static_cast<std::size_t>(index.row()));
  gridModel_->ColumnChanged(index.column());
}

void TUpdateMenu::NextYearDataButtonClick() {
  if (!FinishGridEditing()) return;
  const Status s = session_.NextYear();
  Done(s);
  if (s) stringGridData_->ScrollToFirstColumn();
}

void TUpdateMenu::PreviousYearDataButtonClick() {
  if (!FinishGridEditing()) return;
  const Status s = session_.PreviousYear();
  Done(s);
  if (s) stringGridData_->ScrollToFirstColumn();
}

void TUpdateMenu::SymbolUnitClick() {
  ShowSymbols();
  symbolPanel_->show();
}

void TUpdateMenu::CloseSymbolPanelButtonClick() { symbolPanel_->hide(); }

void TUpdateMenu::RangeButtonClick() {
  if (!FinishGridEditing()) return;
  if (!session_.IsOpen()) return;
  // The limits form edits the station description and writes its file; the working copy then
  // takes the five limits from it.
  navigator_.OpenLimitsForm(state_.Station, true);
  session_.TakeLimits(state_.Station.Limits);
}

void TUpdateMenu::PageControl1Change(int page) {
  // A cell typed into on the data page is checked before any other page shows its value; when
  // it is refused the data page comes back.
  if (!FinishGridEditing()) return;
  groupBoxAngstrom_->hide();
  exportPage_->HidePanel();
  if (pageControl1_->widget(page) == plotPage_) PlotSheetShow();
}

void TUpdateMenu::PlotSheetShow() {
  if (!session_.IsOpen() || !session_.PlotStale()) return;
  if (!FinishGridEditing()) return;
  const Status s = session_.RefreshForPlot();
  if (s) session_.PlotDrawn();
  Done(s);
}

// ---------------------------------------------------------------------------------------------
// The description page and the Switch Units box

void TUpdateMenu::PresenceClick(PresenceBox box, bool checked) {
  if (loading_ || !session_.IsOpen()) return;
  if (!FinishGridEditing()) {
    Done(Status::Success());  // the control shows the session's choice again
    return;
  }
  Done(session_.SetPresence(box, checked));
}

void TUpdateMenu::TemperatureUnitClick(bool fahrenheit) {
  if (loading_ || !session_.IsOpen()) return;
  if (!FinishGridEditing()) {
    Done(Status::Success());  // the control shows the session's choice again
    return;
  }
  Done(session_.SelectTemperatureUnit(fahrenheit));
}

void TUpdateMenu::UnitComboChange(QComboBox* box, int item) {
  if (loading_ || !session_.IsOpen() || item < 0) return;
  if (!FinishGridEditing()) {
    Done(Status::Success());  // the control shows the session's choice again
    return;
  }
  Status s;
  if (box == unitEactComboBox_) {
    s = session_.SelectVapourUnit(item);
  } else if (box == unitUComboBox_) {
    s = session_.SelectWindUnit(item);
  } else if (box == unitRsComboBox_) {
    s = session_.SelectRsUnit(item);
  } else {
    s = session_.SelectRnUnit(item);
  }
  Done(s);
}

std::optional<SettingEdit> TUpdateMenu::SettingOf(const QObject* edit) const {
  const std::pair<const QLineEdit*, SettingEdit> edits[] = {
      {editCoeffaPsy_, SettingEdit::PsychrometerCoefficient},
      {editHeightU_, SettingEdit::WindHeight},
      {editTminCorr_, SettingEdit::TminCorrection},
      {editU2_, SettingEdit::DefaultU2},
      {editKRs_, SettingEdit::HargreavesCoefficient},
      {editAngA_, SettingEdit::AngstromA},
      {editAngB_, SettingEdit::AngstromB},
  };
  for (const auto& [field, setting] : edits) {
    if (field == edit) return setting;
  }
  return std::nullopt;
}

void TUpdateMenu::ReadSettingEdit(QLineEdit* edit) {
  const std::optional<SettingEdit> setting = SettingOf(edit);
  if (!setting || loading_ || readingSetting_ || !session_.IsOpen()) return;
  readingSetting_ = true;
  SettingOutcome outcome;
  const Status s = session_.ReadSetting(*setting, ToCp1252(edit->text()), outcome);
  // The edits show the stored values before a message explains them.
  Done(Status::Success());
  for (const std::string& message : outcome.Messages) ShowMessage(message);
  if (!s) ShowMessage(s.Message);
  if (outcome.Refocus) edit->setFocus(Qt::OtherFocusReason);
  readingSetting_ = false;
}

void TUpdateMenu::PsychrometerClick(Psychrometer button) {
  if (loading_ || !session_.IsOpen()) return;
  Done(session_.SelectPsychrometer(button));
}

void TUpdateMenu::HumClassChange(int item) {
  if (loading_ || !session_.IsOpen() || item < 0) return;
  Done(session_.SelectHumidityClass(static_cast<HumidityClass>(item)));
}

void TUpdateMenu::UClassChange(int item) {
  if (loading_ || !session_.IsOpen() || item < 0) return;
  Done(session_.SelectWindSpeedClass(static_cast<WindSpeedClass>(item)));
}

void TUpdateMenu::CheckBoxCorrectionZClick(bool checked) {
  if (loading_ || !session_.IsOpen()) return;
  Done(session_.SetElevationAdjustment(checked));
}

void TUpdateMenu::DefButtonClick() {
  if (!session_.IsOpen()) return;
  Done(session_.AngstromDefaults());
}

void TUpdateMenu::AdjustButtonClick() { groupBoxAngstrom_->show(); }

void TUpdateMenu::UnitsButtonClick() {
  if (!session_.IsOpen()) return;
  const SwitchUnitsBox box = session_.SwitchUnits();
  {
    Loading loading(loading_);
    for (std::size_t q = 0; q < switchRadios_.size(); ++q) {
      switchRadios_[q]->setEnabled(box.Enabled[q]);
      switchCombos_[q]->setEnabled(box.Enabled[q]);
      switchLabels_[q]->setText(Cp(box.Labels[q]));
      switchCombos_[q]->setCurrentIndex(box.Targets[q]);
    }
  }
  if (!box.Checked) {
    groupBoxSwitchUnits_->hide();
    return;
  }
  switchRadios_[static_cast<std::size_t>(*box.Checked)]->setChecked(true);
  groupBoxSwitchUnits_->show();
}

void TUpdateMenu::SwitchComboEnter(int quantity) {
  QRadioButton* radio = switchRadios_[static_cast<std::size_t>(quantity)];
  if (radio->isEnabled()) radio->setChecked(true);
}

void TUpdateMenu::ConvertButtonClick() {
  if (!session_.IsOpen()) return;
  for (std::size_t q = 0; q < switchRadios_.size(); ++q) {
    if (!switchRadios_[q]->isChecked() || !switchRadios_[q]->isEnabled()) continue;
    if (!FinishGridEditing()) return;
    groupBoxSwitchUnits_->hide();
    Done(session_.SwitchUnit(static_cast<SwitchQuantity>(q), switchCombos_[q]->currentIndex()));
    return;
  }
}

// The setting edits are read on Enter and when they are left; a click into one selects its text.
// Entering a "convert to" box checks its quantity.
bool TUpdateMenu::eventFilter(QObject* watched, QEvent* event) {
  if (auto* edit = qobject_cast<QLineEdit*>(watched); edit != nullptr && SettingOf(edit)) {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ReadSettingEdit(edit);
        return true;
      }
    } else if (event->type() == QEvent::FocusOut) {
      // Switching to another window or opening the edit's context menu does not leave it.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        ReadSettingEdit(edit);
      }
    } else if (event->type() == QEvent::FocusIn &&
               static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
      QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    }
    return false;
  }
  if (event->type() == QEvent::FocusIn) {
    for (std::size_t q = 0; q < switchCombos_.size(); ++q) {
      if (watched == switchCombos_[q]) SwitchComboEnter(static_cast<int>(q));
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace vernoli
