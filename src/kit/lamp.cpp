#include "kit/lamp.h"

#include <QLabel>
#include <QStackedLayout>

namespace vernoli {

namespace {

constexpr int kDiameter = 16;

QLabel* Disc(const QString& objectName, const char* colour, QWidget* parent) {
  auto* disc = new QLabel(parent);
  disc->setObjectName(objectName);
  disc->setFixedSize(kDiameter, kDiameter);
  disc->setStyleSheet(QString("background-color: %1; border: 1px solid #404040; "
                              "border-radius: %2px;")
                          .arg(colour)
                          .arg(kDiameter / 2));
  return disc;
}

}  // namespace

Lamp::Lamp(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName("Lamp" + name);
  red_ = Disc("Shape" + name + "RED", "#e02020", this);
  greenDisc_ = Disc("Shape" + name + "GREEN", "#20c020", this);
  auto* layout = new QStackedLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setStackingMode(QStackedLayout::StackAll);
  layout->addWidget(red_);
  layout->addWidget(greenDisc_);
  setFixedSize(kDiameter, kDiameter);
  SetGreen(false);
}

void Lamp::SetGreen(bool green) {
  green_ = green;
  red_->setVisible(!green);
  greenDisc_->setVisible(green);
}

}  // namespace vernoli
