// A spin button: an up arrow above a down arrow, with no value of its own. The form decides
// what a click changes.
#pragma once

#include <QWidget>

class QToolButton;

namespace vernoli {

class SpinButton : public QWidget {
  Q_OBJECT
 public:
  explicit SpinButton(const QString& objectName, QWidget* parent = nullptr);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 signals:
  void UpClick();
  void DownClick();

 private:
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace vernoli
