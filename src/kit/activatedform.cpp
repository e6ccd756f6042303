#include "kit/activatedform.h"

#include <QShowEvent>

namespace vernoli {

void ActivatedForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormActivate();
}

}  // namespace vernoli
