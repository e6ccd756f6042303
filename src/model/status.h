// The outcome of an operation that can fail, with the program's message.
#pragma once

#include <string>
#include <string_view>

namespace vernoli {

// "ERROR:", a line break and the reason: the text of every error message.
std::string ErrorText(std::string_view reason);

// Success, or failure with the complete message to show ("ERROR:\n" + reason).
struct Status {
  bool Ok = true;
  std::string Message;

  static Status Success() { return {}; }
  static Status Error(std::string_view reason) { return {false, ErrorText(reason)}; }
  explicit operator bool() const { return Ok; }
};

}  // namespace vernoli
