#include "workspace/closebox.h"

#include <gtest/gtest.h>

namespace vernoli {
namespace {

TEST(CloseBox, CancelsWhileCancelIsEnabledAndNeverDiscardsOnceItIsNot) {
  const struct {
    bool cancelEnabled;
    bool unsaved;
    CloseBoxAction action;
  } cases[] = {
      {true, false, CloseBoxAction::Leave},
      {true, true, CloseBoxAction::AskThenCancel},
      {false, false, CloseBoxAction::Leave},
      {false, true, CloseBoxAction::AskThenSave},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "Cancel enabled " << c.cancelEnabled << ", unsaved "
                                    << c.unsaved);
    EXPECT_EQ(WhatTheCloseBoxDoes(c.cancelEnabled, c.unsaved), c.action);
  }
}

}  // namespace
}  // namespace vernoli
