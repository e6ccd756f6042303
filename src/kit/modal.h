// The one way a form shows another form modally.
//
// Every form opens the next one with ShowModal(form); the program runs the form's own modal
// loop. A test installs a handler that records which form was opened and may act on it (click
// its buttons, read its fields) instead of blocking in a modal loop.
//
// Whichever handler runs, ShowModal first places the form centred on the form that opens it (the
// window in front: the top modal form, else the active window), inside that screen, and makes it
// a transient window of that form, so that the window system keeps it in front of its opener.
#pragma once

class QDialog;
class QWidget;

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

// The window that opens `form` now: the top modal form, else the active window, else the
// window of the form's parent; nullptr when none of them is shown.
QWidget* OpenerOf(const QDialog& form);

}  // namespace vernoli
