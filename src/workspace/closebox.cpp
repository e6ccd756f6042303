#include "workspace/closebox.h"

namespace vernoli {

CloseBoxAction WhatTheCloseBoxDoes(bool cancelEnabled, bool unsaved) {
  if (!unsaved) return CloseBoxAction::Leave;
  return cancelEnabled ? CloseBoxAction::AskThenCancel : CloseBoxAction::AskThenSave;
}

}  // namespace vernoli
