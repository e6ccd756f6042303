#include "stations/entry.h"

#include "model/numbers.h"

namespace vernoli {

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  const std::size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

IntegerEntryCheck EnterInteger(const IntegerFieldSpec& field, std::string_view text) {
  int64_t value = 0;
  if (!ParseInt(TrimBlanks(text), value)) value = field.Fallback;
  return CheckIntegerEntry(value, field.Minimum, field.Maximum, field.Width);
}

RealEntryCheck EnterReal(const RealFieldSpec& field, std::string_view text) {
  double value = 0.0;
  if (!ParseReal(TrimBlanks(text), value)) value = field.Fallback;
  return CheckRealEntry(value, field.Minimum, field.Maximum, field.Width, field.Decimals);
}

}  // namespace vernoli
