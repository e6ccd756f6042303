// A spin button: an up arrow above a down arrow, with no value of its own. The form decides
// what a click changes.
//
// Its buddy is the read-only field that shows what it changes: the field takes the focus (by
// Tab or a click, on the field or on an arrow), and there the Up and Down keys act as the arrows;
// typing changes nothing.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace vernoli {

class SpinButton : public QWidget {
  Q_OBJECT
 public:
  explicit SpinButton(const QString& objectName, QWidget* parent = nullptr);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }
  void SetBuddy(QLineEdit* field);

 signals:
  void UpClick();
  void DownClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
  QLineEdit* buddy_ = nullptr;
};

}  // namespace vernoli
