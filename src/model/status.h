// The outcome of an operation that can fail, with the program's message.
#pragma once

#include <string>
#include <string_view>

namespace vernoli {

// "ERROR:", a line break and the reason: the text of every error message.
std::string ErrorText(std::string_view reason);

// True for a byte or character that a terminal takes as a command rather than text: the
// control characters 0x00-0x1F and 0x7F, and U+0080-U+009F (in UTF-8, 0xC2 0x80-0x9F).
bool HasControlCharacter(std::string_view text);

// A name (of a file, a folder, a station) as a message quotes it: in double quotes, each control
// character written as an escape ("\n", "\r", "\t", else "\x1b"), and a quote or backslash in
// the name preceded by a backslash. A name from outside then stays on its line of the message
// and never acts on the terminal that shows it.
std::string QuotedName(std::string_view name);

// Success, or failure with the complete message to show ("ERROR:\n" + reason).
struct Status {
  bool Ok = true;
  std::string Message;

  static Status Success() { return {}; }
  static Status Error(std::string_view reason) { return {false, ErrorText(reason)}; }
  explicit operator bool() const { return Ok; }
};

}  // namespace vernoli
