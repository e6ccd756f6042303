// The words of a command line, read one argument at a time: options with a value
// ("--name NAME" or "--name=NAME"), flags ("--all") and positional arguments. The caller judges
// each argument as it comes, so the first fault of the line is the one reported, whether the
// reader or the caller finds it.
//
//   ArgumentReader reader(args);
//   Argument argument;
//   while (reader.Next(kOptions, "report", argument)) { ... }
//   if (!reader.Error().empty()) return reader.Error();
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vernoli {

// An option that a command takes.
struct OptionSpec {
  std::string_view Name;    // with its dashes: "--name"
  bool TakesValue = true;   // false: a flag, which takes no value
};

// One argument: an option with its value, or a positional argument.
struct Argument {
  std::string Name;   // the option; empty for a positional argument
  std::string Value;  // the option's value, or the positional argument
  bool Positional() const { return Name.empty(); }
};

class ArgumentReader {
 public:
  // Which words are options: every word of two characters or more that starts with '-'
  // ("-x" too), or only those that start with "--" (then "-x" is a positional argument).
  enum class Dashes { One, Two };

  // Reads `args`, which must outlive the reader.
  explicit ArgumentReader(const std::vector<std::string>& args, Dashes options = Dashes::One);
  ArgumentReader(std::vector<std::string>&& args, Dashes options = Dashes::One) = delete;

  // The next argument. An option's value is the text after its '=' (options starting "--"), or
  // else the next word, whatever it is. False at the end of the line, and at a fault, whose
  // reason Error() then gives: "unknown option X for COMMAND" (without " for COMMAND" when
  // `command` is empty) for an option that is not in `options` and for a flag given a value,
  // "option X needs a value" when the line ends before its value.
  bool Next(std::span<const OptionSpec> options, std::string_view command, Argument& argument);

  // The reason of the fault that stopped Next; empty when it stopped at the end of the line.
  const std::string& Error() const { return error_; }
  // The words after the last argument read, as they are.
  std::vector<std::string> Rest() const;

 private:
  bool IsOption(const std::string& word) const;

  const std::vector<std::string>& args_;
  Dashes options_;
  std::size_t next_ = 0;
  std::string error_;
};

}  // namespace vernoli
