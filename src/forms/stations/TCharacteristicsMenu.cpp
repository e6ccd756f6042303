#include "forms/stations/TCharacteristicsMenu.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/stations/spanpanel.h"
#include "kit/formkit.h"
#include "stations/appstate.h"
#include "stations/characteristics.h"

namespace vernoli {

namespace {

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
    : ActivatedForm(parent), state_(state) {
  SetUpForm(*this, "CharacteristicsMenu", " Station characteristics menu");

  // The file.
  auto* file = Group("FileGroup", QString(), this);
  editName_ = ReadOnlyEdit("EditName", file);
  auto* fileLayout = new QHBoxLayout(file);
  fileLayout->addWidget(new QLabel("File ", file));
  fileLayout->addWidget(editName_, 1);

  // Identity and location.
  QGroupBox* description = Group("StationGroup", " Station description ", this);
  stationLabel_ = BoldLabel("StationLabel", description);
  countryLabel_ = BoldLabel("CountryLabel", description);
  latLabel_ = BoldLabel("LatLabel", description);
  longLabel_ = BoldLabel("LongLabel", description);
  altLabel_ = BoldLabel("AltLabel", description);
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
  QGroupBox* data = Group("DataGroup", " Meteorological Data ", this);
  typeLabel_ = BoldLabel("TypeLabel", data);
  auto* type = new QHBoxLayout;
  type->addWidget(new QLabel("Type :", data));
  type->addWidget(typeLabel_, 1);
  span_ = new SpanPanel("TimeRangeGroup", QString(), SpanPanel::ValueFont::Bold, data);
  auto* dataLayout = new QVBoxLayout(data);
  dataLayout->addLayout(type);
  dataLayout->addWidget(span_);

  // Display only: nothing here takes the focus or a change, and the texts keep their normal
  // contrast (disabled groups would grey them all).

  bitBtn1_ = new QPushButton("OK", this);
  bitBtn1_->setObjectName("BitBtn1");
  bitBtn1_->setDefault(true);
  QHBoxLayout* buttons = ButtonRow({bitBtn1_});

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(file);
  layout->addWidget(description);
  layout->addWidget(data);
  layout->addLayout(buttons);

  connect(bitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
  SetUpKeys(*this, bitBtn1_, EscapeKey::Closes);
}

void TCharacteristicsMenu::FormActivate() {
  const CharacteristicsView view = StationCharacteristics(state_.Station);
  // The file name is a name of the file system; the other texts are texts of the file.
  editName_->setText(FileNameText(view.FileName));
  stationLabel_->setText(Cp(view.StationName));
  countryLabel_->setText(Cp(view.Country));
  latLabel_->setText(Cp(view.Latitude));
  longLabel_->setText(Cp(view.Longitude));
  altLabel_->setText(Cp(view.Altitude));
  typeLabel_->setText(Cp(view.Type));
  span_->Show(view);
  bitBtn1_->setFocus();
}

}  // namespace vernoli
