#include "forms/plot/TPlotMenuForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "kit/formkit.h"

namespace vernoli {

namespace {

// Every series caption is followed by a run of dots up to this many characters.
constexpr int kCaptionWidth = 66;

constexpr std::array<std::string_view, kPlotGroupCount> kMaximumSpins = {
    "SpinEditTmax", "SpinEditRHmax", "SpinEditEmax", "SpinEditUMax",
    "SpinEditNMax", "SpinEditRMax",  "",             "SpinEditETmax"};

std::size_t Index(PlotSeries s) { return static_cast<std::size_t>(s); }
std::size_t Index(PlotGroup g) { return static_cast<std::size_t>(g); }

QString Dotted(std::string_view caption) {
  const QString text = Cp(caption) + ' ';
  return text + QString(std::max<qsizetype>(3, kCaptionWidth - text.size()), '.');
}

// A spin edit that only its arrows change.
QSpinBox* SpinEdit(const QString& objectName, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(objectName);
  // Typing is refused; the arrows and the arrow keys still step the value.
  if (auto* edit = spin->findChild<QLineEdit*>()) edit->setReadOnly(true);
  spin->setFixedWidth(64);
  return spin;
}

}  // namespace

TPlotMenuForm::TPlotMenuForm(QWidget* parent) : ActivatedForm(parent) {
  SetUpForm(*this, "PlotMenuForm", " Plot menu");
  // No close box: "Plot" or Cancel closes the form.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  // The groups, in reading order: the radio buttons, then the box of the chosen group.
  auto* options = Group("GroupBoxPlotOptions", " Plot options ", this);
  auto* radios = new QVBoxLayout(options);
  for (const PlotGroupInfo& info : PlotGroupTable()) {
    QRadioButton* radio = Radio(Cp(info.Radio), Cp(info.Caption), options);
    radios_[Index(info.Group)] = radio;
    radios->addWidget(radio);
    if (info.Group == PlotGroup::EnergyFluxes) {
      QLabel* note = Text("      (radiation and latent heat flux)", options);
      radios->addWidget(note);
    }
    connect(radio, &QRadioButton::clicked, this, [this, group = info.Group] { GroupClick(group); });
  }
  radios->addStretch(1);

  // One box at a time, in a place as large as the largest; nothing while no group is chosen.
  auto* boxes = new QWidget(this);
  boxStack_ = new QStackedLayout(boxes);
  for (const PlotGroupInfo& info : PlotGroupTable()) {
    boxes_[Index(info.Group)] = BuildGroupBox(info.Group);
    boxStack_->addWidget(boxes_[Index(info.Group)]);
  }
  noGroup_ = new QWidget(boxes);
  boxStack_->addWidget(noGroup_);
  boxStack_->setCurrentWidget(noGroup_);

  closeButton_ = Button("CloseButton", "Plot", this);
  closeButton_->setDefault(true);
  cancelButton_ = Button("CancelButton", "Cancel", this);
  connect(closeButton_, &QPushButton::clicked, this, &TPlotMenuForm::CloseButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  auto* top = new QHBoxLayout;
  top->addWidget(options);
  top->addWidget(boxes, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(ButtonRow({closeButton_, cancelButton_}));
}

QGroupBox* TPlotMenuForm::BuildGroupBox(PlotGroup group) {
  const PlotGroupInfo& info = InfoOf(group);
  QGroupBox* box = Group(Cp(info.Box), Cp(info.BoxTitle), nullptr);
  auto* grid = new QGridLayout(box);
  int row = 0;
  for (const PlotSeriesInfo& series : SeriesOfGroup(group)) {
    QCheckBox* check = CheckBox(Cp(series.CheckBox), Dotted(series.Caption), box);
    QComboBox* style = ComboBox(Cp(series.StyleBox), {Cp(kLineItem), Cp(kBarItem)}, box);
    checks_[Index(series.Series)] = check;
    styles_[Index(series.Series)] = style;
    grid->addWidget(check, row, 0);
    grid->addWidget(style, row, 1);
    if (series.Hidden) {
      check->hide();
      style->hide();
    }
    ++row;
    connect(check, &QCheckBox::clicked, this,
            [this, s = series.Series](bool on) { SeriesClick(s, on); });
    connect(style, &QComboBox::activated, this,
            [this, s = series.Series](int item) { StyleChange(s, item); });
  }

  auto* range = Group(QString(), " plot range ", box);
  auto* rangeRow = new QHBoxLayout(range);
  if (group == PlotGroup::Temperature) {
    spinEditTmin_ = SpinEdit("SpinEditTmin", range);
    rangeRow->addWidget(Text("from", range));
    rangeRow->addWidget(spinEditTmin_);
    rangeRow->addWidget(Text("to", range));
    connect(spinEditTmin_, &QSpinBox::valueChanged, this,
            [this](int v) { SpinChange(spinEditTmin_, v); });
  }
  const std::string_view name = kMaximumSpins[Index(group)];
  if (name.empty()) {
    rangeRow->addWidget(Text("0 - 100", range));
  } else {
    QSpinBox* spin = SpinEdit(Cp(name), range);
    maximum_[Index(group)] = spin;
    if (group != PlotGroup::Temperature) rangeRow->addWidget(Text("0 to", range));
    rangeRow->addWidget(spin);
    connect(spin, &QSpinBox::valueChanged, this, [this, spin](int v) { SpinChange(spin, v); });
  }
  rangeRow->addWidget(Text(Cp(info.Unit), range));
  rangeRow->addStretch(1);
  grid->addWidget(range, row, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(row + 1, 1);
  return box;
}

void TPlotMenuForm::SetDataSet(std::span<const int16_t> codes, const StationLimits& limits,
                               GraphDescription& graph) {
  codes_.assign(codes.begin(), codes.end());
  limits_ = limits;
  graph_ = &graph;
}

void TPlotMenuForm::FormActivate() {
  options_ = ActivatePlotOptions(*graph_, OfferedSeries(codes_), limits_);
  Show();
  closeButton_->setFocus(Qt::OtherFocusReason);
}

void TPlotMenuForm::Show() {
  const bool wasLoading = loading_;
  loading_ = true;
  for (const PlotGroupInfo& info : PlotGroupTable()) {
    const std::size_t g = Index(info.Group);
    const bool selected = options_.Selected == info.Group;
    radios_[g]->setEnabled(GroupOffered(options_.Offer, info.Group));
    // Exclusive radio buttons cannot all be cleared one by one.
    radios_[g]->setAutoExclusive(false);
    radios_[g]->setChecked(selected);
    radios_[g]->setAutoExclusive(true);
    if (selected) boxStack_->setCurrentWidget(boxes_[g]);
    const GroupRange& range = options_.RangeOf(info.Group);
    if (QSpinBox* spin = maximum_[g]; spin != nullptr) {
      spin->setRange(range.Maximum.Minimum, range.Maximum.Maximum);
      spin->setValue(range.Maximum.Value);
    }
  }
  if (!options_.Selected) boxStack_->setCurrentWidget(noGroup_);
  const GroupRange& temperature = options_.RangeOf(PlotGroup::Temperature);
  spinEditTmin_->setRange(temperature.Minimum.Minimum, temperature.Minimum.Maximum);
  spinEditTmin_->setValue(temperature.Minimum.Value);
  for (const PlotSeriesInfo& info : PlotSeriesTable()) {
    const std::size_t s = Index(info.Series);
    const bool offered = Offered(options_.Offer, info.Series);
    checks_[s]->setEnabled(offered);
    checks_[s]->setChecked(options_.IsChecked(info.Series));
    styles_[s]->setEnabled(offered);
    styles_[s]->setCurrentIndex(options_.StyleOf(info.Series) == SeriesStyle::Bar ? 1 : 0);
  }
  loading_ = wasLoading;
}

void TPlotMenuForm::GroupClick(PlotGroup group) {
  if (loading_) return;
  ClickGroup(options_, group);
  Show();
}

void TPlotMenuForm::SeriesClick(PlotSeries series, bool checked) {
  if (loading_) return;
  CheckSeries(options_, series, checked);
  Show();
}

void TPlotMenuForm::StyleChange(PlotSeries series, int item) {
  if (loading_) return;
  ChooseStyle(options_, series, item == 1 ? SeriesStyle::Bar : SeriesStyle::Line);
  Show();
}

void TPlotMenuForm::SpinChange(QSpinBox* spin, int value) {
  if (loading_) return;
  if (spin == spinEditTmin_) {
    SetTemperatureMinimum(options_, value);
  } else {
    for (std::size_t g = 0; g < maximum_.size(); ++g) {
      if (maximum_[g] == spin) SetRangeMaximum(options_, static_cast<PlotGroup>(g), value);
    }
  }
  Show();
}

void TPlotMenuForm::CloseButtonClick() {
  BuildGraph(*graph_, options_, codes_);
  accept();
}

}  // namespace vernoli
