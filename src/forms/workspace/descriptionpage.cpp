#include "forms/workspace/descriptionpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "forms/workspace/workspacehost.h"
#include "kit/editrule.h"
#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/text.h"

namespace vernoli {

namespace {

QLineEdit* SettingField(const char* name, int characters, QWidget* parent) {
  auto* edit = LineEdit(name, parent);
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(characters, '0')) + 16);
  return edit;
}

// The label of a temperature unit, beside a parameter in degrees.
QLabel* TemperatureUnit(const char* name, QWidget* parent) {
  return Label(name, Cp(TemperatureUnitLabel(false)), parent);
}

// The controls' change handlers do nothing while the page fills them.
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

constexpr std::array<const char*, 3> kPsychrometerNames = {"RadioVentilated", "RadioNatural",
                                                           "RadioIndoors"};

constexpr std::array<std::string_view, 2> kHumidityItems = {"(sub)humid", "(semi)arid"};
constexpr std::array<std::string_view, 4> kWindClassItems = {
    "light wind", "light to moderate wind", "moderate to strong wind", "strong wind"};

}  // namespace

DescriptionPage::DescriptionPage(WorkspaceSession& session, WorkspaceHost& host, QWidget* parent)
    : QWidget(parent), session_(session), host_(host) {
  setObjectName("DescriptionSheet");
  const std::array<PresenceBox, kPresenceBoxCount>& boxes = PresenceBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    presence_[i] = CheckBox(kPresenceNames[i], Cp(PresenceCaption(boxes[i])), this);
  }
  QGroupBox* unit = BuildTemperatureUnit();
  QGroupBox* temperature = BuildAirTemperature();
  QGroupBox* humidity = BuildAirHumidity();
  QGroupBox* wind = BuildWindSpeed();
  QGroupBox* radiation = BuildRadiation();

  auto* left = new QVBoxLayout;
  left->addWidget(unit);
  left->addWidget(temperature);
  left->addWidget(wind);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(humidity);
  right->addWidget(radiation);
  right->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(right, 1);
  Connect();
}

QGroupBox* DescriptionPage::BuildTemperatureUnit() {
  auto* group = Group("TemperatureUnitGroup", " Temperature unit ", this);
  radioCelsius_ = Radio("RadioCelsius", Cp(kCelsiusCaption), group);
  radioFarenheit_ = Radio("RadioFarenheit", Cp(kFahrenheitCaption), group);
  auto* layout = new QHBoxLayout(group);
  layout->addWidget(radioCelsius_);
  layout->addWidget(radioFarenheit_);
  layout->addStretch(1);
  return group;
}

QGroupBox* DescriptionPage::BuildAirTemperature() {
  auto* group = Group("AirTemperatureGroup", " Air temperature ", this);
  temperatureLabels_[1] = TemperatureUnit("LabelTMinMax", group);
  temperatureLabels_[0] = TemperatureUnit("LabelUTmean", group);
  auto* layout = new QGridLayout(group);
  layout->addWidget(Box(PresenceBox::TmaxTmin), 0, 0);
  layout->addWidget(temperatureLabels_[1], 0, 1);
  layout->addWidget(Box(PresenceBox::Tmean), 1, 0);
  layout->addWidget(temperatureLabels_[0], 1, 1);
  layout->setColumnStretch(2, 1);
  return group;
}

// Air humidity, the psychrometer and the estimate of a missing humidity.
QGroupBox* DescriptionPage::BuildAirHumidity() {
  auto* group = Group("AirHumidityGroup", " Air humidity ", this);
  temperatureLabels_[2] = TemperatureUnit("LabelTdew", group);
  temperatureLabels_[3] = TemperatureUnit("LabelTPsy", group);
  unitEactComboBox_ = ComboBox("UnitEactComboBox", CpList(VapourUnitItems()), group);
  QFrame* psychrometerPanel = Frame("PsychrometerPanel", group);
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
  editTminCorr_ = SettingField("EditTminCorr", 7, group);
  labelMissingT_ = Label("LabelMissingT", QString(), group);
  humClassComboBox_ = ComboBox("HumClassComboBox", CpList(kHumidityItems), group);
  auto* layout = new QGridLayout(group);
  layout->addWidget(Box(PresenceBox::RHMinMax), 0, 0, 1, 2);
  layout->addWidget(Box(PresenceBox::RHmean), 1, 0, 1, 2);
  layout->addWidget(Box(PresenceBox::Tdew), 2, 0);
  layout->addWidget(temperatureLabels_[2], 2, 1);
  layout->addWidget(Box(PresenceBox::Eact), 3, 0);
  layout->addWidget(unitEactComboBox_, 3, 1);
  layout->addWidget(Box(PresenceBox::TdryTwet), 4, 0);
  layout->addWidget(temperatureLabels_[3], 4, 1);
  layout->addWidget(psychrometerPanel, 5, 0, 1, 3);
  auto* missing = new QHBoxLayout;
  missing->addWidget(Text("Missing humidity data:  Tdew = Tmin  -", group));
  missing->addWidget(editTminCorr_);
  missing->addWidget(labelMissingT_);
  missing->addWidget(humClassComboBox_);
  missing->addStretch(1);
  layout->addLayout(missing, 6, 0, 1, 3);
  layout->setColumnStretch(2, 1);
  return group;
}

// Wind speed, its height and the estimate of a missing wind speed.
QGroupBox* DescriptionPage::BuildWindSpeed() {
  auto* group = Group("WindSpeedGroup", " Wind speed ", this);
  unitUComboBox_ = ComboBox("UnitUComboBox", CpList(WindUnitItems()), group);
  editHeightU_ = SettingField("EditHeightU", 6, group);
  editU2_ = SettingField("EditU2", 7, group);
  labelMissingU_ = Label("LabelMissingU", QString(), group);
  uClassComboBox_ = ComboBox("UClassComboBox", CpList(kWindClassItems), group);
  auto* layout = new QGridLayout(group);
  layout->addWidget(Box(PresenceBox::Wind), 0, 0);
  layout->addWidget(unitUComboBox_, 0, 1);
  auto* height = new QHBoxLayout;
  height->addWidget(Text("height of measurement", group));
  height->addWidget(editHeightU_);
  height->addWidget(Text("[meter]", group));
  height->addStretch(1);
  layout->addLayout(height, 1, 0, 1, 3);
  auto* missing = new QHBoxLayout;
  missing->addWidget(Text("Missing wind data:  U2 =", group));
  missing->addWidget(editU2_);
  missing->addWidget(labelMissingU_);
  missing->addWidget(uClassComboBox_);
  missing->addStretch(1);
  layout->addLayout(missing, 2, 0, 1, 3);
  layout->setColumnStretch(2, 1);
  return group;
}

// Sunshine and radiation, the Hargreaves and Angstrom coefficients.
QGroupBox* DescriptionPage::BuildRadiation() {
  auto* group = Group("SunshineRadiationGroup", " Sunshine and Radiation ", this);
  unitRsComboBox_ = ComboBox("UnitRsComboBox", CpList(RadiationUnitItems()), group);
  unitRnComboBox_ = ComboBox("UnitRnComboBox", CpList(RadiationUnitItems()), group);
  editKRs_ = SettingField("EditKRs", 8, group);
  adjustButton_ = Button("AdjustButton", Cp(kAdjustButtonCaption), group);
  groupBoxAngstrom_ = Group("GroupBoxAngstrom", " Angstrom equation ", group);
  editAngA_ = SettingField("EditAngA", 7, groupBoxAngstrom_);
  editAngB_ = SettingField("EditAngB", 7, groupBoxAngstrom_);
  checkBoxCorrectionZ_ =
      CheckBox("CheckBoxCorrectionZ", Cp(kElevationCaption), groupBoxAngstrom_);
  defButton_ = Button("DefButton", Cp(kDefaultsButtonCaption), groupBoxAngstrom_);
  auto* angstrom = new QGridLayout(groupBoxAngstrom_);
  angstrom->addWidget(Text("Rs = (a + b n/N)  Ra", groupBoxAngstrom_), 0, 0, 1, 4);
  angstrom->addWidget(Text("a = ", groupBoxAngstrom_), 1, 0);
  angstrom->addWidget(editAngA_, 1, 1);
  angstrom->addWidget(Text("b = ", groupBoxAngstrom_), 1, 2);
  angstrom->addWidget(editAngB_, 1, 3);
  angstrom->addWidget(checkBoxCorrectionZ_, 2, 0, 1, 4);
  angstrom->addWidget(defButton_, 3, 0, 1, 2);
  angstrom->setColumnStretch(4, 1);
  auto* layout = new QGridLayout(group);
  layout->addWidget(Box(PresenceBox::Sunshine), 0, 0, 1, 2);
  layout->addWidget(Box(PresenceBox::RelativeSunshine), 1, 0, 1, 2);
  layout->addWidget(Box(PresenceBox::Rs), 2, 0);
  layout->addWidget(unitRsComboBox_, 2, 1);
  layout->addWidget(Box(PresenceBox::Rn), 3, 0);
  layout->addWidget(unitRnComboBox_, 3, 1);
  auto* hargreaves = new QHBoxLayout;
  hargreaves->addWidget(Text("Missing radiation data:", group));
  hargreaves->addWidget(Text("Rs = ", group));
  hargreaves->addWidget(editKRs_);
  hargreaves->addWidget(Text(" x SQRT(Tmax - Tmin)  x  Ra", group));
  hargreaves->addStretch(1);
  layout->addLayout(hargreaves, 4, 0, 1, 3);
  layout->addWidget(Text("< ... 0.16 (interior) ........ 0.19 (coastal) ... >", group), 5, 0,
                    1, 3, Qt::AlignRight);
  layout->addWidget(adjustButton_, 6, 0);
  layout->addWidget(groupBoxAngstrom_, 7, 0, 1, 3);
  layout->setColumnStretch(2, 1);
  layout->setRowStretch(8, 1);
  return group;
}

std::vector<QWidget*> DescriptionPage::TabOrder() const {
  return {
      // Left column.
      radioCelsius_, radioFarenheit_, Box(PresenceBox::TmaxTmin), Box(PresenceBox::Tmean),
      Box(PresenceBox::Wind), unitUComboBox_, editHeightU_, editU2_, uClassComboBox_,
      // Right column.
      Box(PresenceBox::RHMinMax), Box(PresenceBox::RHmean), Box(PresenceBox::Tdew),
      Box(PresenceBox::Eact), unitEactComboBox_, Box(PresenceBox::TdryTwet), psychrometer_[0],
      psychrometer_[1], psychrometer_[2], editCoeffaPsy_, editTminCorr_, humClassComboBox_,
      Box(PresenceBox::Sunshine), Box(PresenceBox::RelativeSunshine), Box(PresenceBox::Rs),
      unitRsComboBox_, Box(PresenceBox::Rn), unitRnComboBox_, editKRs_, adjustButton_, editAngA_,
      editAngB_, checkBoxCorrectionZ_, defButton_};
}

void DescriptionPage::Connect() {
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
  connect(humClassComboBox_, &QComboBox::currentIndexChanged, this,
          &DescriptionPage::HumClassChange);
  connect(uClassComboBox_, &QComboBox::currentIndexChanged, this, &DescriptionPage::UClassChange);
  connect(checkBoxCorrectionZ_, &QCheckBox::clicked, this,
          &DescriptionPage::CheckBoxCorrectionZClick);
  connect(defButton_, &QPushButton::clicked, this, &DescriptionPage::DefButtonClick);
  connect(adjustButton_, &QPushButton::clicked, groupBoxAngstrom_, &QWidget::show);
  for (QLineEdit* edit : {editCoeffaPsy_, editHeightU_, editTminCorr_, editU2_, editKRs_,
                          editAngA_, editAngB_}) {
    edit->installEventFilter(this);
    EditRule::Attach(edit, [this, edit] { return ReadSettingEdit(edit); });
  }
}

// ---------------------------------------------------------------------------------------------
// Showing the session

void DescriptionPage::Show() {
  Loading loading(loading_);
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

void DescriptionPage::HideAngstrom() { groupBoxAngstrom_->hide(); }

// ---------------------------------------------------------------------------------------------
// Events

bool DescriptionPage::GridEditFinished() {
  if (host_.FinishGridEditing()) return true;
  host_.Done(Status::Success());  // the control shows the session's choice again
  return false;
}

void DescriptionPage::PresenceClick(PresenceBox box, bool checked) {
  if (loading_ || !session_.IsOpen() || !GridEditFinished()) return;
  host_.Done(session_.SetPresence(box, checked));
}

void DescriptionPage::TemperatureUnitClick(bool fahrenheit) {
  if (loading_ || !session_.IsOpen() || !GridEditFinished()) return;
  host_.Done(session_.SelectTemperatureUnit(fahrenheit));
}

void DescriptionPage::UnitComboChange(QComboBox* box, int item) {
  if (loading_ || !session_.IsOpen() || item < 0 || !GridEditFinished()) return;
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
  host_.Done(s);
}

std::optional<SettingEdit> DescriptionPage::SettingOf(const QObject* edit) const {
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

bool DescriptionPage::ReadSettingEdit(QLineEdit* edit) {
  const std::optional<SettingEdit> setting = SettingOf(edit);
  if (!setting || loading_ || readingSetting_ || !session_.IsOpen()) return true;
  readingSetting_ = true;
  SettingOutcome outcome;
  const Status s = session_.ReadSetting(*setting, ToCp1252(edit->text()), outcome);
  // The edits show the stored values before a message explains them.
  host_.Done(Status::Success());
  for (const std::string& message : outcome.Messages) ShowMessage(message);
  if (!s) ShowMessage(s.Message);
  if (outcome.Refocus) edit->setFocus(Qt::OtherFocusReason);
  readingSetting_ = false;
  return s && outcome.Messages.empty();
}

void DescriptionPage::PsychrometerClick(Psychrometer button) {
  if (loading_ || !session_.IsOpen()) return;
  host_.Done(session_.SelectPsychrometer(button));
}

void DescriptionPage::HumClassChange(int item) {
  if (loading_ || !session_.IsOpen() || item < 0) return;
  host_.Done(session_.SelectHumidityClass(static_cast<HumidityClass>(item)));
}

void DescriptionPage::UClassChange(int item) {
  if (loading_ || !session_.IsOpen() || item < 0) return;
  host_.Done(session_.SelectWindSpeedClass(static_cast<WindSpeedClass>(item)));
}

void DescriptionPage::CheckBoxCorrectionZClick(bool checked) {
  if (loading_ || !session_.IsOpen()) return;
  host_.Done(session_.SetElevationAdjustment(checked));
}

void DescriptionPage::DefButtonClick() {
  if (!session_.IsOpen()) return;
  host_.Done(session_.AngstromDefaults());
}

// A click into a setting edit selects its text.
bool DescriptionPage::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit == nullptr || !SettingOf(edit)) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::FocusIn &&
             static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
    QTimer::singleShot(0, edit, &QLineEdit::selectAll);
  }
  return false;
}

}  // namespace vernoli
