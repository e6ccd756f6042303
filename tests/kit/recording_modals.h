// Support for form tests: a modal handler that records every form shown modally and lets the
// test act on it, instead of blocking in the form's modal loop.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "kit/modal.h"

namespace vernoli::testing {

class RecordingModals final : public ModalHandler {
 public:
  RecordingModals() : before_(SetModalHandler(this)) {}
  ~RecordingModals() override { SetModalHandler(before_); }
  RecordingModals(const RecordingModals&) = delete;
  RecordingModals& operator=(const RecordingModals&) = delete;

  // Shows the form (so that it activates), runs `act` on it, and closes it with Rejected when
  // `act` left it open. Returns the form's result.
  int ShowModal(QDialog& form) override {
    shown.push_back(&form);
    names.push_back(form.objectName());
    form.setResult(QDialog::Rejected);
    form.show();
    if (act) act(form);
    if (form.isVisible()) form.done(QDialog::Rejected);
    return form.result();
  }

  std::vector<QDialog*> shown;  // every form shown, in order
  QStringList names;            // their object names
  std::function<void(QDialog&)> act;

 private:
  ModalHandler* before_;
};

}  // namespace vernoli::testing
