// What the workspace's close box does: it follows the form's buttons.
//
// While "Cancel" is enabled the close box cancels, asking first when changes would be lost.
// Once "Cancel" is disabled (the visible records have been written back, or the station has
// just been made) the close box never throws anything away: with changes not saved it asks
// whether to save and return to the main menu as "Main menu" does; No goes back to the
// workspace.
#pragma once

#include <string_view>

namespace vernoli {

enum class CloseBoxAction {
  Leave,          // nothing would be lost: the form closes
  AskThenCancel,  // kLeaveUnsavedQuestion; Yes: as "Cancel"; No: back to the workspace
  AskThenSave,    // kSaveAndLeaveQuestion; Yes: as "Main menu"; No: back to the workspace
};

// `cancelEnabled`: the state of the "Cancel" button; `unsaved`: the files do not hold what the
// workspace shows.
CloseBoxAction WhatTheCloseBoxDoes(bool cancelEnabled, bool unsaved);

// The questions of the close box, with the buttons Yes and No. The first is asked again when the
// save of the second fails, so that a station whose files cannot be written does not hold the
// user in the workspace.
inline constexpr std::string_view kLeaveUnsavedQuestion =
    "Leave without saving ?\n(No: back to the workspace)";
inline constexpr std::string_view kSaveAndLeaveQuestion =
    "Save data and return to Main menu ?\n(No: back to the workspace)";

}  // namespace vernoli
