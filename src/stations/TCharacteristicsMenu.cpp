#include "stations/TCharacteristicsMenu.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/text.h"
#include "stations/characteristics.h"

namespace vernoli {

namespace {

QLabel* Label(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(objectName);
  return label;
}

QLabel* Value(const QString& objectName, QWidget* parent) {
  QLabel* label = Label(objectName, QString(), parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

QString Cp(std::string_view text) { return FromCp1252(text); }

// A globe with its lines of latitude and longitude and a station on it.
QImage GlobePicture() {
  constexpr int kSize = 64;
  QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF globe(6, 6, 52, 52);
  painter.setPen(QPen(QColor(20, 60, 120), 1.5));
  painter.setBrush(QColor(150, 195, 240));
  painter.drawEllipse(globe);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(40, 90, 160), 1));
  painter.drawEllipse(QRectF(20, 6, 24, 52));
  painter.drawLine(QPointF(32, 6), QPointF(32, 58));
  painter.drawLine(QPointF(6, 32), QPointF(58, 32));
  painter.drawLine(QPointF(10, 20), QPointF(54, 20));
  painter.drawLine(QPointF(10, 44), QPointF(54, 44));
  painter.setPen(QPen(QColor(160, 30, 20), 1.5));
  painter.setBrush(QColor(230, 60, 40));
  painter.drawEllipse(QPointF(40, 25), 4, 4);
  return image;
}

}  // namespace

TCharacteristicsMenu::TCharacteristicsMenu(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
  setObjectName("CharacteristicsMenu");
  setWindowTitle(" Station characteristics menu");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);

  // The file.
  auto* file = new QGroupBox(this);
  file->setObjectName("FileGroup");
  editName_ = new QLineEdit(file);
  editName_->setObjectName("EditName");
  editName_->setReadOnly(true);
  auto* fileLayout = new QHBoxLayout(file);
  fileLayout->addWidget(new QLabel("File ", file));
  fileLayout->addWidget(editName_, 1);

  // Identity and location.
  auto* description = new QGroupBox(" Station description ", this);
  description->setObjectName("StationGroup");
  stationLabel_ = Value("StationLabel", description);
  countryLabel_ = Value("CountryLabel", description);
  latLabel_ = Value("LatLabel", description);
  longLabel_ = Value("LongLabel", description);
  altLabel_ = Value("AltLabel", description);
  auto* picture = Label("Image1", QString(), description);
  picture->setPixmap(QPixmap::fromImage(GlobePicture()));
  auto* descriptionLayout = new QGridLayout(description);
  const std::pair<const char*, QLabel*> rows[] = {{"Station", stationLabel_},
                                                  {"Country", countryLabel_},
                                                  {"Latitude", latLabel_},
                                                  {"Longitude", longLabel_},
                                                  {"Altitude", altLabel_}};
  int row = 0;
  for (const auto& [caption, value] : rows) {
    descriptionLayout->addWidget(new QLabel(caption, description), row, 0);
    descriptionLayout->addWidget(value, row, 1);
    ++row;
  }
  descriptionLayout->addWidget(picture, 0, 2, row, 1, Qt::AlignCenter);
  descriptionLayout->setColumnStretch(1, 1);

  // Type and span.
  auto* data = new QGroupBox(" Meteorological Data ", this);
  data->setObjectName("DataGroup");
  typeLabel_ = Value("TypeLabel", data);
  auto* type = new QHBoxLayout;
  type->addWidget(new QLabel("Type :", data));
  type->addWidget(typeLabel_, 1);
  auto* range = new QGroupBox(" Time range ", data);
  range->setObjectName("TimeRangeGroup");
  firstLabel_ = Label("FirstLabel", "First", range);
  lastLabel_ = Label("LastLabel", "Last", range);
  day1Label_ = Label("Day1Label", "Day:", range);
  dayNLabel_ = Label("DayNLabel", "Day:", range);
  day1Lab_ = Value("Day1Lab", range);
  dayNLab_ = Value("DayNLab", range);
  month1Lab_ = Value("Month1Lab", range);
  monthNLab_ = Value("MonthNLab", range);
  year1Label_ = Label("Year1Label", "First Year:", range);
  yearNLabel_ = Label("YearNLabel", "Last Year:", range);
  year1Lab_ = Value("Year1Lab", range);
  yearNLab_ = Value("YearNLab", range);
  labelNotLinked_ = Label("LabelNotLinked", "Not linked to a specific year", range);
  auto* rangeLayout = new QGridLayout(range);
  rangeLayout->addWidget(firstLabel_, 0, 0);
  rangeLayout->addWidget(day1Label_, 0, 1);
  rangeLayout->addWidget(day1Lab_, 0, 2);
  rangeLayout->addWidget(Label("Month1Label", "First Month:", range), 0, 3);
  rangeLayout->addWidget(month1Lab_, 0, 4);
  rangeLayout->addWidget(year1Label_, 0, 5);
  rangeLayout->addWidget(year1Lab_, 0, 6);
  rangeLayout->addWidget(lastLabel_, 1, 0);
  rangeLayout->addWidget(dayNLabel_, 1, 1);
  rangeLayout->addWidget(dayNLab_, 1, 2);
  rangeLayout->addWidget(Label("MonthNLabel", "Last Month:", range), 1, 3);
  rangeLayout->addWidget(monthNLab_, 1, 4);
  rangeLayout->addWidget(yearNLabel_, 1, 5);
  rangeLayout->addWidget(yearNLab_, 1, 6);
  rangeLayout->addWidget(labelNotLinked_, 2, 0, 1, 7);
  rangeLayout->setColumnStretch(7, 1);
  auto* dataLayout = new QVBoxLayout(data);
  dataLayout->addLayout(type);
  dataLayout->addWidget(range);

  // Display only.
  for (QWidget* group : {static_cast<QWidget*>(file), static_cast<QWidget*>(description),
                         static_cast<QWidget*>(data)}) {
    group->setEnabled(false);
  }

  bitBtn1_ = new QPushButton("OK", this);
  bitBtn1_->setObjectName("BitBtn1");
  bitBtn1_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(bitBtn1_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(file);
  layout->addWidget(description);
  layout->addWidget(data);
  layout->addLayout(buttons);

  connect(bitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
}

void TCharacteristicsMenu::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window shown again by the window system (after minimising) keeps what it shows.
  if (!event->spontaneous()) FormActivate();
}

void TCharacteristicsMenu::FormActivate() {
  const CharacteristicsView view = StationCharacteristics(state_.Station);
  // The file name is a name of the file system; the other texts are texts of the file.
  editName_->setText(QFile::decodeName(QByteArray::fromStdString(view.FileName)));
  stationLabel_->setText(Cp(view.StationName));
  countryLabel_->setText(Cp(view.Country));
  latLabel_->setText(Cp(view.Latitude));
  longLabel_->setText(Cp(view.Longitude));
  altLabel_->setText(Cp(view.Altitude));
  typeLabel_->setText(Cp(view.Type));
  day1Label_->setText(Cp(view.DayLabel));
  dayNLabel_->setText(Cp(view.DayLabel));
  day1Lab_->setText(Cp(view.First.Day));
  dayNLab_->setText(Cp(view.Last.Day));
  month1Lab_->setText(Cp(view.First.Month));
  monthNLab_->setText(Cp(view.Last.Month));
  year1Lab_->setText(Cp(view.First.Year));
  yearNLab_->setText(Cp(view.Last.Year));
  for (QWidget* day : {day1Label_, dayNLabel_, day1Lab_, dayNLab_}) {
    day->setVisible(view.DayFieldsVisible);
  }
  firstLabel_->setVisible(view.FirstLastVisible);
  lastLabel_->setVisible(view.FirstLastVisible);
  for (QWidget* year : {year1Label_, yearNLabel_, year1Lab_, yearNLab_}) {
    year->setVisible(!view.NotLinked);
  }
  labelNotLinked_->setVisible(view.NotLinked);
  bitBtn1_->setFocus();
}

}  // namespace vernoli
