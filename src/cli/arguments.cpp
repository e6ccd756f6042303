#include "cli/arguments.h"

#include <algorithm>

namespace vernoli {

ArgumentReader::ArgumentReader(const std::vector<std::string>& args, Dashes options)
    : args_(args), options_(options) {}

bool ArgumentReader::IsOption(const std::string& word) const {
  if (options_ == Dashes::Two) return word.size() >= 2 && word.compare(0, 2, "--") == 0;
  return word.size() >= 2 && word[0] == '-';
}

bool ArgumentReader::Next(std::span<const OptionSpec> options, std::string_view command,
                          Argument& argument) {
  if (!error_.empty() || next_ >= args_.size()) return false;
  const std::string& word = args_[next_++];
  argument = Argument{};
  if (!IsOption(word)) {
    argument.Value = word;
    return true;
  }
  const std::size_t equals = word.compare(0, 2, "--") == 0 ? word.find('=') : std::string::npos;
  const bool attached = equals != std::string::npos;
  argument.Name = word.substr(0, equals);
  const auto spec = std::find_if(options.begin(), options.end(), [&](const OptionSpec& o) {
    return o.Name == argument.Name;
  });
  if (spec == options.end() || (!spec->TakesValue && attached)) {
    error_ = "unknown option " + argument.Name;
    if (!command.empty()) error_ += " for " + std::string(command);
    return false;
  }
  if (!spec->TakesValue) return true;
  if (attached) {
    argument.Value = word.substr(equals + 1);
  } else if (next_ < args_.size()) {
    argument.Value = args_[next_++];
  } else {
    error_ = "option " + argument.Name + " needs a value";
    return false;
  }
  return true;
}

std::vector<std::string> ArgumentReader::Rest() const {
  return {args_.begin() + static_cast<std::ptrdiff_t>(std::min(next_, args_.size())), args_.end()};
}

}  // namespace vernoli
