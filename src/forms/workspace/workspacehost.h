// What a page of the workspace asks of the form that holds it: the grid's pending edit checked
// before anything else happens, and every page shown again after an operation.
#pragma once

#include "model/status.h"

namespace vernoli {

class WorkspaceHost {
 public:
  // Every way of leaving a grid cell passes here before anything is written: an open editor is
  // closed and a typed text not checked yet is checked. False when it was refused (the cell then
  // holds its value from before the edit, the message has been shown and the cell has the focus).
  virtual bool FinishGridEditing() = 0;
  // After an operation: its message when it failed, then every page redisplayed from the session.
  virtual void Done(const Status& status) = 0;

 protected:
  ~WorkspaceHost() = default;
};

}  // namespace vernoli
