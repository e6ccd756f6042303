// A status lamp: a red and a green disc in one place, of which at most one shows.
#pragma once

#include <QWidget>

class QLabel;

namespace vernoli {

class Lamp : public QWidget {
  Q_OBJECT
 public:
  // The discs are named "Shape" + name + "RED" and "Shape" + name + "GREEN".
  Lamp(const QString& name, QWidget* parent);

  // Shows the green disc (true) or the red one (false).
  void SetGreen(bool green);
  bool IsGreen() const { return green_; }

 private:
  bool green_ = false;
  QLabel* red_;
  QLabel* greenDisc_;
};

}  // namespace vernoli
