// The about box: version, development and disclaimer pages.
#pragma once

#include <QDialog>

class QTabWidget;

namespace vernoli {

class TFormAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TFormAbout(QWidget* parent = nullptr);

 private:
  QTabWidget* pages_;
};

}  // namespace vernoli
