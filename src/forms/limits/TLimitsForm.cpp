#include "forms/limits/TLimitsForm.h"

#include <algorithm>
#include <utility>

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/spinbutton.h"
#include "model/stationcodes.h"
#include "stations/appstate.h"
#include "stations/stationupdate.h"

namespace vernoli {

namespace {

QLabel* Value(const QString& objectName, QWidget* parent) {
  QLabel* label = Label(objectName, QString(), parent);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setMinimumWidth(70);
  return label;
}

// A range's end: a shown number, with its text when the end never changes.
QLineEdit* RangeEdit(const QString& objectName, QWidget* parent, const QString& text = {}) {
  QLineEdit* edit = ReadOnlyNumber(objectName, 70, parent);
  if (!text.isEmpty()) edit->setText(text);
  return edit;
}

}  // namespace

TLimitsForm::TLimitsForm(AppState& state, QWidget* parent)
    : ActivatedForm(parent), station_(&state.Station) {
  SetUpForm(*this, "LimitsForm", " Meteorological data limits menu");

  // Identification and the Angstrom equation.
  auto* identity = Group("StationGroup", QString(), this);
  labelStation_ = Label("LabelStation", QString(), identity);
  QFont bold = labelStation_->font();
  bold.setBold(true);
  labelStation_->setFont(bold);
  labelCountry_ = Label("LabelCountry", QString(), identity);
  latLabel_ = Label("LatLabel", QString(), identity);
  auto* identityLayout = new QGridLayout(identity);
  identityLayout->addWidget(labelStation_, 0, 0, 1, 2);
  identityLayout->addWidget(labelCountry_, 1, 0, 1, 2);
  identityLayout->addWidget(Text("Latitude station", identity), 2, 0);
  identityLayout->addWidget(latLabel_, 2, 1);
  identityLayout->setColumnStretch(1, 1);

  auto* angstrom = Group("AngstromGroup", " Angstrom equation ", this);
  labelA_ = Label("LabelA", QString(), angstrom);
  labelB_ = Label("LabelB", QString(), angstrom);
  labelCorrAlt_ = Label("LabelCorrAlt", QString(), angstrom);
  auto* angstromLayout = new QGridLayout(angstrom);
  angstromLayout->addWidget(Text("Rs = a + b (n/N=1) Ra", angstrom), 0, 0, 1, 4);
  angstromLayout->addWidget(Text("a =", angstrom), 1, 0);
  angstromLayout->addWidget(labelA_, 1, 1);
  angstromLayout->addWidget(Text("b =", angstrom), 1, 2);
  angstromLayout->addWidget(labelB_, 1, 3);
  angstromLayout->addWidget(labelCorrAlt_, 2, 0, 1, 4);

  // The limits and the ranges that follow from them: description, lower limit, upper limit,
  // unit.
  auto* ranges = Group("RangesGroup", QString(), this);
  auto* grid = new QGridLayout(ranges);
  grid->setHorizontalSpacing(8);
  int row = 0;
  grid->addWidget(Text("lower limit", ranges), row, 1, 1, 2, Qt::AlignCenter);
  grid->addWidget(Text("upper limit", ranges), row, 3, 1, 2, Qt::AlignCenter);
  ++row;

  // Temperature.
  editTminC_ = RangeEdit("EditTminC", ranges);
  editTmaxC_ = RangeEdit("EditTmaxC", ranges);
  spinButtonTmin_ = new SpinButton("SpinButtonTmin", ranges);
  spinButtonTmax_ = new SpinButton("SpinButtonTmax", ranges);
  labelTminF_ = Value("LabelTminF", ranges);
  labelTmaxF_ = Value("LabelTmaxF", ranges);
  grid->addWidget(Text("Maximum, mean and minimum air temperature", ranges), row, 0);
  grid->addWidget(editTminC_, row, 1);
  grid->addWidget(spinButtonTmin_, row, 2);
  grid->addWidget(editTmaxC_, row, 3);
  grid->addWidget(spinButtonTmax_, row, 4);
  grid->addWidget(Text("degrees Celsius", ranges), row, 5);
  ++row;
  grid->addWidget(Text("Dewpoint temperature, wet and dry bulb temperature", ranges), row, 0);
  grid->addWidget(labelTminF_, row, 1);
  grid->addWidget(labelTmaxF_, row, 3);
  grid->addWidget(Text("degrees Fahrenheit", ranges), row, 5);
  ++row;

  // Relative humidity.
  editRHmin_ = RangeEdit("EditRHmin", ranges);
  editRHmax_ = RangeEdit("EditRHmax", ranges, "  100");
  spinButtonRH_ = new SpinButton("SpinButtonRH", ranges);
  grid->addWidget(Text("Maximum, mean and minimum relative humidity", ranges), row, 0);
  grid->addWidget(editRHmin_, row, 1);
  grid->addWidget(spinButtonRH_, row, 2);
  grid->addWidget(editRHmax_, row, 3);
  grid->addWidget(Text("percent", ranges), row, 5);
  ++row;

  // Vapour pressure.
  editEminkPa_ = RangeEdit("EditEminkPa", ranges);
  editEMaxkPa_ = RangeEdit("EditEMaxkPa", ranges);
  labelEmin_ = Value("LabelEmin", ranges);
  labelEMax_ = Value("LabelEMax", ranges);
  cBoxE_ = ComboBox("CBoxE", {"  mbar", "    psi", "   atm", "mmHG"}, ranges);
  grid->addWidget(Text("Actual vapour pressure", ranges), row, 0);
  grid->addWidget(editEminkPa_, row, 1);
  grid->addWidget(editEMaxkPa_, row, 3);
  grid->addWidget(Text("kPa", ranges), row, 5);
  ++row;
  grid->addWidget(labelEmin_, row, 1);
  grid->addWidget(labelEMax_, row, 3);
  grid->addWidget(cBoxE_, row, 5);
  ++row;

  // Wind speed.
  editUminMS_ = RangeEdit("EditUminMS", ranges, "    0");
  editUMaxMS_ = RangeEdit("EditUMaxMS", ranges);
  spinButtonU_ = new SpinButton("SpinButtonU", ranges);
  labelUMax_ = Value("LabelUMax", ranges);
  cBoxU_ = ComboBox("CBoxU", {" km/day", "     knot", "   ft/sec"}, ranges);
  grid->addWidget(Text("Wind speed", ranges), row, 0);
  grid->addWidget(editUminMS_, row, 1);
  grid->addWidget(editUMaxMS_, row, 3);
  grid->addWidget(spinButtonU_, row, 4);
  grid->addWidget(Text("m/sec", ranges), row, 5);
  ++row;
  grid->addWidget(labelUMax_, row, 3);
  grid->addWidget(cBoxU_, row, 5);
  ++row;
  grid->setColumnStretch(0, 1);

  // Radiation and sunshine: the lower limit, the day of the lowest Ra, the day of the highest.
  auto* radiation = Group("RadiationGroup", QString(), this);
  auto* rgrid = new QGridLayout(radiation);
  rgrid->setHorizontalSpacing(8);
  labelR1_ = Label("LabelR1", QString(), radiation);
  labelRN_ = Label("LabelRN", QString(), radiation);
  labelR1_->setAlignment(Qt::AlignCenter);
  labelRN_->setAlignment(Qt::AlignCenter);
  editNMin_ = RangeEdit("EditNMin", radiation, "    0");
  editRMinMJ_ = RangeEdit("EditRMinMJ", radiation, "    0");
  editNMaxJan_ = RangeEdit("EditNMaxJan", radiation);
  editNMaxJul_ = RangeEdit("EditNMaxJul", radiation);
  editRMaxMJJan_ = RangeEdit("EditRMaxMJJan", radiation);
  editRMaxMJJul_ = RangeEdit("EditRMaxMJJul", radiation);
  labelRMaxJan_ = Value("LabelRMaxJan", radiation);
  labelRMaxJul_ = Value("LabelRMaxJul", radiation);
  cBoxR_ = ComboBox("CBoxR", {"         W/m2", "   J/cm2.day", "      mm/day", "cal/cm2.day"},
                   radiation);
  // The deviation edit sits on the blanks of "+               %".
  auto* plusPercent = Label("LabelDeviation", "+               %", radiation);
  editUP_ = RangeEdit("EditUP", plusPercent);
  const QFontMetrics metrics(plusPercent->font());
  const int editLeft = metrics.horizontalAdvance("+ ");
  const int editWidth = metrics.horizontalAdvance("+              ") - editLeft;
  const int editHeight = editUP_->sizeHint().height();
  editUP_->setFixedSize(std::max(editWidth, 30), editHeight);
  editUP_->move(editLeft, 0);
  plusPercent->setMinimumSize(metrics.horizontalAdvance("+               %") + 4, editHeight);
  spinButtonR_ = new SpinButton("SpinButtonR", radiation);
  row = 0;
  rgrid->addWidget(Text("lower limit", radiation), row, 1, Qt::AlignCenter);
  rgrid->addWidget(labelR1_, row, 2);
  rgrid->addWidget(labelRN_, row, 3);
  ++row;
  rgrid->addWidget(Text("Hours of bright sunshine", radiation), row, 0);
  rgrid->addWidget(editNMin_, row, 1);
  rgrid->addWidget(editNMaxJan_, row, 2, Qt::AlignCenter);
  rgrid->addWidget(editNMaxJul_, row, 3, Qt::AlignCenter);
  rgrid->addWidget(Text("hours/day", radiation), row, 4);
  ++row;
  rgrid->addWidget(Text("Solar or shortwave radiation,", radiation), row, 0);
  rgrid->addWidget(editRMinMJ_, row, 1);
  rgrid->addWidget(editRMaxMJJan_, row, 2, Qt::AlignCenter);
  rgrid->addWidget(editRMaxMJJul_, row, 3, Qt::AlignCenter);
  rgrid->addWidget(Text("MJ/m2.day", radiation), row, 4);
  ++row;
  rgrid->addWidget(Text("Net radiation ", radiation), row, 0);
  rgrid->addWidget(labelRMaxJan_, row, 2, Qt::AlignCenter);
  rgrid->addWidget(labelRMaxJul_, row, 3, Qt::AlignCenter);
  rgrid->addWidget(cBoxR_, row, 4);
  ++row;
  auto* deviation = new QHBoxLayout;
  deviation->addWidget(Text(" accepted deviation ................", radiation));
  deviation->addWidget(plusPercent);
  deviation->addWidget(spinButtonR_);
  deviation->addStretch(1);
  rgrid->addLayout(deviation, row, 0, 1, 5);
  rgrid->setColumnStretch(0, 1);

  // The two year charts.
  auto* charts = Group("ChartGroup", QString(), this);
  chartN_ = new YearChart("ImageN", "Daylight hours N", {"0", "12", "24 hours"}, {0.0, 0.5, 1.0},
                          QColor(225, 160, 20), charts);
  chartRa_ = new YearChart("ImageRa", "Extraterrestrial radiation Ra", {"0", "20", "45 MJ/m2.day"},
                           {0.0, 20.0 / 45.0, 1.0}, QColor(200, 70, 40), charts);
  auto* chartLayout = new QHBoxLayout(charts);
  chartLayout->addWidget(chartN_);
  chartLayout->addWidget(chartRa_);

  mainButton_ = Button("MainButton", "Save and Close", this);
  cancelButton_ = Button("CancelButton", "Cancel", this);
  QHBoxLayout* buttons = ButtonRow({mainButton_, cancelButton_});

  auto* layout = new QGridLayout(this);
  layout->addWidget(identity, 0, 0);
  layout->addWidget(angstrom, 0, 1);
  layout->addWidget(ranges, 1, 0, 1, 2);
  layout->addWidget(radiation, 2, 0, 1, 2);
  layout->addWidget(charts, 3, 0, 1, 2);
  layout->addLayout(buttons, 4, 0, 1, 2);
  layout->setColumnStretch(0, 1);

  // Keys go to the field that shows the focus: a click on a limit or its arrows gives it the
  // focus, and there Up and Down step the limit.
  spinButtonTmin_->SetBuddy(editTminC_);
  spinButtonTmax_->SetBuddy(editTmaxC_);
  spinButtonRH_->SetBuddy(editRHmin_);
  spinButtonU_->SetBuddy(editUMaxMS_);
  spinButtonR_->SetBuddy(editUP_);
  SetUpKeys(*this, mainButton_, EscapeKey::Ignored);

  // The temperatures bound the vapour pressure, so both displays follow them.
  const std::pair<SpinButton*, SteppedLimit> steppedLimits[] = {
      {spinButtonTmin_, {SpinTmin, {&TLimitsForm::ShowTemperature, &TLimitsForm::ShowHumidity}}},
      {spinButtonTmax_, {SpinTmax, {&TLimitsForm::ShowTemperature, &TLimitsForm::ShowHumidity}}},
      {spinButtonRH_, {SpinRHmin, {&TLimitsForm::ShowHumidity, nullptr}}},
      {spinButtonU_, {SpinWind, {&TLimitsForm::ShowWind, nullptr}}},
      {spinButtonR_, {SpinRadiationDeviation, {&TLimitsForm::ShowRadiation, nullptr}}},
  };
  for (const auto& [button, limit] : steppedLimits) {
    connect(button, &SpinButton::UpClick, this,
            [this, limit] { StepLimit(limit, SpinDirection::Up); });
    connect(button, &SpinButton::DownClick, this,
            [this, limit] { StepLimit(limit, SpinDirection::Down); });
  }
  connect(cBoxE_, &QComboBox::currentIndexChanged, this, &TLimitsForm::ShowHumidity);
  connect(cBoxU_, &QComboBox::currentIndexChanged, this, &TLimitsForm::ShowWind);
  connect(cBoxR_, &QComboBox::currentIndexChanged, this, &TLimitsForm::ShowRadiation);
  connect(mainButton_, &QPushButton::clicked, this, &TLimitsForm::MainButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void TLimitsForm::SetStation(RepClimateFile& station, bool writeDescriptionFile) {
  station_ = &station;
  writeDescriptionFile_ = writeDescriptionFile;
}

void TLimitsForm::FormActivate() {
  const RepClimateFile& station = *station_;
  labelStation_->setText(Cp(station.StationName));
  labelCountry_->setText(Cp(station.Country));
  latLabel_->setText(Cp(LatitudeText(station.Latitude)));
  labelA_->setText(Cp(AngstromText(station.Settings.AngstromA)));
  labelB_->setText(Cp(AngstromText(station.Settings.AngstromB)));
  labelCorrAlt_->setText(Cp(AltitudeCorrectionText(station)));
  working_ = station.Limits;

  // The side displays follow the units in which the station's data are stored.
  const LimitsUnits units = UnitsOfCodes(StationCodes(station));
  for (QComboBox* box : {cBoxE_, cBoxU_, cBoxR_}) box->blockSignals(true);
  cBoxE_->setCurrentIndex(static_cast<int>(units.Vapour));
  cBoxU_->setCurrentIndex(static_cast<int>(units.Wind));
  cBoxR_->setCurrentIndex(static_cast<int>(units.Radiation));
  for (QComboBox* box : {cBoxE_, cBoxU_, cBoxR_}) box->blockSignals(false);

  ShowTemperature();
  ShowHumidity();
  ShowWind();
  ShowRadiation();
  DrawCharts();
  editTminC_->setFocus();
}

void TLimitsForm::ShowTemperature() {
  const TemperatureTexts texts = TemperatureDisplay(working_);
  editTminC_->setText(Cp(texts.TminC));
  editTmaxC_->setText(Cp(texts.TmaxC));
  labelTminF_->setText(Cp(texts.TminF));
  labelTmaxF_->setText(Cp(texts.TmaxF));
}

void TLimitsForm::ShowHumidity() {
  const HumidityTexts texts =
      HumidityDisplay(working_, static_cast<VapourUnit>(cBoxE_->currentIndex()));
  editRHmin_->setText(Cp(texts.RHmin));
  editEminkPa_->setText(Cp(texts.EminkPa));
  editEMaxkPa_->setText(Cp(texts.EmaxkPa));
  labelEmin_->setText(Cp(texts.Emin));
  labelEMax_->setText(Cp(texts.Emax));
}

void TLimitsForm::ShowWind() {
  const WindTexts texts = WindDisplay(working_, static_cast<WindUnit>(cBoxU_->currentIndex()));
  editUMaxMS_->setText(Cp(texts.UmaxMS));
  labelUMax_->setText(Cp(texts.Umax));
}

void TLimitsForm::ShowRadiation() {
  const RadiationTexts texts =
      RadiationDisplay(*station_, working_, static_cast<RadiationUnit>(cBoxR_->currentIndex()));
  editUP_->setText(Cp(texts.Deviation));
  labelR1_->setText(Cp(texts.Lowest.DateText));
  labelRN_->setText(Cp(texts.Highest.DateText));
  editNMaxJan_->setText(Cp(texts.Lowest.NmaxText));
  editRMaxMJJan_->setText(Cp(texts.Lowest.RsMaxMJText));
  labelRMaxJan_->setText(Cp(texts.Lowest.RsMaxText));
  editNMaxJul_->setText(Cp(texts.Highest.NmaxText));
  editRMaxMJJul_->setText(Cp(texts.Highest.RsMaxMJText));
  labelRMaxJul_->setText(Cp(texts.Highest.RsMaxText));
}

void TLimitsForm::DrawCharts() {
  const SolarYear year = SolarYearAt(station_->Latitude);
  chartN_->Draw(DaylightColumns(year, kChartWidth, kChartHeight));
  chartRa_->Draw(RadiationColumns(year, kChartWidth, kChartHeight));
}

void TLimitsForm::StepLimit(const SteppedLimit& limit, SpinDirection direction) {
  limit.Step(working_, direction);
  for (const auto display : limit.Displays) {
    if (display != nullptr) (this->*display)();
  }
}

void TLimitsForm::MainButtonClick() {
  if (writeDescriptionFile_) {
    RepClimateFile updated = *station_;
    updated.Limits = working_;
    // A failed write leaves the station as it was and the form open.
    if (Status s = SaveStationDescription(updated); !s) {
      ShowMessage(s.Message);
      return;
    }
  }
  station_->Limits = working_;
  accept();
}

}  // namespace vernoli
