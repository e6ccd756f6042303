// The one way a form shows another form modally.
//
// Every form opens the next one with ShowModal(form); the program runs the form's own modal
// loop. A test installs a handler that records which form was opened and may act on it (click
// its buttons, read its fields) instead of blocking in a modal loop.
#pragma once

class QDialog;

namespace vernoli {

class ModalHandler {
 public:
  virtual ~ModalHandler() = default;
  // Shows `form` modally and returns its result (QDialog::Accepted or QDialog::Rejected).
  virtual int ShowModal(QDialog& form) = 0;
};

// Installs `handler` (nullptr: the forms' own modal loops) and returns the one installed before.
ModalHandler* SetModalHandler(ModalHandler* handler);

// Shows `form` modally through the installed handler; returns when it is closed.
int ShowModal(QDialog& form);

}  // namespace vernoli
