// A picture that acts like the button beside it: a click on it is a click on the button.
// Disabled, it does not respond.
#pragma once

#include <QLabel>

namespace vernoli {

class PictureButton : public QLabel {
  Q_OBJECT
 public:
  PictureButton(const QString& objectName, const QImage& picture, QWidget* parent = nullptr);

 signals:
  void Click();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace vernoli
