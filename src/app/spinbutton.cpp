#include "app/spinbutton.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace vernoli {

SpinButton::SpinButton(const QString& objectName, QWidget* parent) : QWidget(parent) {
  setObjectName(objectName);
  up_ = new QToolButton(this);
  up_->setObjectName("UpButton");
  up_->setArrowType(Qt::UpArrow);
  down_ = new QToolButton(this);
  down_->setObjectName("DownButton");
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up_, down_}) {
    button->setFixedSize(18, 12);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  connect(up_, &QToolButton::clicked, this, &SpinButton::UpClick);
  connect(down_, &QToolButton::clicked, this, &SpinButton::DownClick);
}

}  // namespace vernoli
