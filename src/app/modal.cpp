#include "app/modal.h"

#include <QDialog>

namespace vernoli {

namespace {

class ExecHandler final : public ModalHandler {
 public:
  int ShowModal(QDialog& form) override { return form.exec(); }
};

ExecHandler gExec;
ModalHandler* gHandler = &gExec;

}  // namespace

ModalHandler* SetModalHandler(ModalHandler* handler) {
  ModalHandler* before = gHandler;
  gHandler = handler != nullptr ? handler : &gExec;
  return before;
}

int ShowModal(QDialog& form) { return gHandler->ShowModal(form); }

}  // namespace vernoli
