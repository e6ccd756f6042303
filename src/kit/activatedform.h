// A form that fills itself from the program's state each time the program shows it.
//
// The program shows a form, the form fills its controls: FormActivate. A window that the window
// system shows again (after minimising, or when its desktop comes back) is the same showing, and
// keeps what it shows, typed values included.
#pragma once

#include <QDialog>

namespace vernoli {

class ActivatedForm : public QDialog {
  Q_OBJECT
 public:
  using QDialog::QDialog;

 protected:
  void showEvent(QShowEvent* event) override;
  // Fills the form's controls for the showing that begins.
  virtual void FormActivate() = 0;
};

}  // namespace vernoli
