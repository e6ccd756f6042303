#include "kit/picturebutton.h"

#include <QMouseEvent>
#include <QPixmap>

namespace vernoli {

PictureButton::PictureButton(const QString& objectName, const QImage& picture, QWidget* parent)
    : QLabel(parent) {
  setObjectName(objectName);
  setPixmap(QPixmap::fromImage(picture));
  setCursor(Qt::PointingHandCursor);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QLabel::mousePressEvent(event);
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click && isEnabled()) emit Click();
}

}  // namespace vernoli
