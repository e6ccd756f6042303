#include "kit/spinbutton.h"

#include <QKeyEvent>
#include <QLineEdit>
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
  // An arrow clicked moves the focus to what it changes.
  for (QToolButton* button : {up_, down_}) {
    connect(button, &QToolButton::pressed, this, [this] {
      if (buddy_ != nullptr) buddy_->setFocus(Qt::MouseFocusReason);
    });
  }
}

void SpinButton::SetBuddy(QLineEdit* field) {
  buddy_ = field;
  field->setFocusPolicy(Qt::StrongFocus);
  field->installEventFilter(this);
}

bool SpinButton::eventFilter(QObject* watched, QEvent* event) {
  if (watched != buddy_ || event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Up) {
    emit UpClick();
    return true;
  }
  if (key->key() == Qt::Key_Down) {
    emit DownClick();
    return true;
  }
  // The field is read only: a typed character changes nothing, and nothing else gets it.
  return false;
}

}  // namespace vernoli
