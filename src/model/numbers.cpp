#include "model/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace vernoli {

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// A plain decimal ("-12.5") of at most 15 digits: the digits form an integer m that a double
// holds exactly, so m / 10^d is the correctly rounded value, as from_chars gives it.
bool ParseShortDecimal(std::string_view token, double& value) {
  const char* p = token.data();
  const char* const end = p + token.size();
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  int64_t m = 0;
  int digits = 0;
  int decimals = 0;
  const char* start = p;
  // More than 15 digits are left to the general conversion before they can overflow m.
  for (; p < end && *p >= '0' && *p <= '9'; ++p, ++digits) {
    if (digits == 15) return false;
    m = m * 10 + (*p - '0');
  }
  if (p == start) return false;
  if (p < end && *p == '.') {
    start = ++p;
    for (; p < end && *p >= '0' && *p <= '9'; ++p, ++digits, ++decimals) {
      if (digits == 15) return false;
      m = m * 10 + (*p - '0');
    }
    if (p == start) return false;
  }
  if (p != end) return false;
  const double magnitude = static_cast<double>(m) / kPowersOfTen[decimals];
  value = negative ? -magnitude : magnitude;
  return true;
}

// R(w,d) of a value whose d-decimal rounding is plain: |value| x 10^d below 10^7 and not within
// 10^-6 of a tie, so that rounding the computed product gives the digits that rounding the
// value's 15-digit decimal gives. Written so that it ends just before `end` (room: 32
// characters); returns its first character. nullptr for every other value, which RoundedText
// writes.
char* ShortRealBefore(char* end, double value, int decimals) {
  if (decimals > 9) return nullptr;
  const double scaled = std::fabs(value) * kPowersOfTen[decimals];
  if (!(scaled < 1e7)) return nullptr;
  // Below 10^7 the conversions are exact: truncation is the floor, and with no tie near,
  // adding a half and truncating rounds to the nearest.
  const auto whole = static_cast<uint64_t>(scaled);
  if (std::fabs(scaled - static_cast<double>(whole) - 0.5) < 1e-6) return nullptr;
  const auto n = static_cast<uint64_t>(scaled + 0.5);
  char* p = FixedDigitsBefore(end, n, decimals);
  // A value that rounds to zero has no sign.
  if (value < 0 && n != 0) *--p = '-';
  return p;
}

bool AppendShortReal(std::string& line, double value, int width, int decimals) {
  char digits[32];
  char* const end = digits + sizeof digits;
  const char* p = ShortRealBefore(end, value, decimals);
  if (p == nullptr) return false;
  const auto length = static_cast<std::size_t>(end - p);
  if (width > 0 && length < static_cast<std::size_t>(width)) {
    line.append(static_cast<std::size_t>(width) - length, ' ');
  }
  line.append(p, length);
  return true;
}

// The significant digits of a double that FormatReal rounds from: every decimal of up to 15
// digits reads back as itself, and the last-bit error of a few operations disappears.
constexpr int kSignificantDigits = 15;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Formatting

char* FixedDigitsBefore(char* end, uint64_t n, int decimals) {
  char* p = end;
  for (int d = 0; d < decimals; ++d) {
    *--p = static_cast<char>('0' + n % 10);
    n /= 10;
  }
  if (decimals > 0) *--p = '.';
  do {
    *--p = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n > 0);
  return p;
}

namespace {

void AppendPadded(std::string& line, const char* text, std::size_t length, int width) {
  if (width > 0 && length < static_cast<std::size_t>(width)) {
    line.append(static_cast<std::size_t>(width) - length, ' ');
  }
  line.append(text, length);
}

// R(w,d) without its padding, rounded half away from zero from the value as a person reads it:
// its nearest decimal of kSignificantDigits digits, so that 2.15 (2.149999.. in binary) and a
// computed 2.2499999999999996 are seen as 2.15 and 2.25.
std::string RoundedText(double value, int decimals) {
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
  char scientific[40];
  auto [end, ec] = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                 std::chars_format::scientific, kSignificantDigits - 1);
  (void)ec;  // 40 characters always hold 15 digits and an exponent
  std::string digits;  // the significant digits d0 d1 d2 ...: d0.d1d2.. x 10^exponent
  const char* p = scientific;
  for (; p < end && *p != 'e'; ++p) {
    if (*p != '.') digits += *p;
  }
  int exponent = 0;
  std::from_chars(*p == 'e' ? p + (p[1] == '+' ? 2 : 1) : end, end, exponent);
  // Keep the digits down to the last decimal; the first digit dropped rounds half away from
  // zero.
  const int keep = exponent + decimals + 1;
  std::string kept;  // the value times 10^decimals, as an integer
  if (keep >= 0) {
    kept = digits.substr(0, static_cast<std::size_t>(std::min<int>(keep, kSignificantDigits)));
    if (keep > kSignificantDigits) kept.append(static_cast<std::size_t>(keep - kSignificantDigits), '0');
    if (keep < kSignificantDigits && digits[static_cast<std::size_t>(keep)] >= '5') {
      std::size_t i = kept.size();
      while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
      if (i == 0) {
        kept.insert(kept.begin(), '1');
      } else {
        ++kept[i - 1];
      }
    }
  }
  if (kept.size() < static_cast<std::size_t>(decimals) + 1) {
    kept.insert(0, static_cast<std::size_t>(decimals) + 1 - kept.size(), '0');
  }
  // A value that rounds to zero is written without its sign ("0.0", never "-0.0").
  const bool zero = kept.find_first_not_of('0') == std::string::npos;
  std::string text = std::signbit(value) && !zero ? "-" : "";
  text.append(kept, 0, kept.size() - static_cast<std::size_t>(decimals));
  if (decimals > 0) {
    text += '.';
    text.append(kept, kept.size() - static_cast<std::size_t>(decimals), std::string::npos);
  }
  return text;
}

}  // namespace

void AppendInt(std::string& line, int64_t value, int width) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  (void)ec;  // 24 characters always hold an int64
  AppendPadded(line, digits, static_cast<std::size_t>(end - digits), width);
}

void AppendReal(std::string& line, double value, int width, int decimals) {
  decimals = std::clamp(decimals, 0, 30);
  if (AppendShortReal(line, value, width, decimals)) return;
  const std::string text = RoundedText(value, decimals);
  AppendPadded(line, text.data(), text.size(), width);
}

bool PutIntField(char* field, int64_t value, int width) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  (void)ec;  // 24 characters always hold an int64
  const auto length = end - digits;
  if (length > width) return false;
  std::memset(field, ' ', static_cast<std::size_t>(width - length));
  std::memcpy(field + (width - length), digits, static_cast<std::size_t>(length));
  return true;
}

bool PutRealField(char* field, double value, int width, int decimals) {
  decimals = std::clamp(decimals, 0, 30);
  char digits[32];
  char* const end = digits + sizeof digits;
  const char* p = ShortRealBefore(end, value, decimals);
  if (p == nullptr || end - p > width) return false;
  const auto length = end - p;
  std::memset(field, ' ', static_cast<std::size_t>(width - length));
  std::memcpy(field + (width - length), p, static_cast<std::size_t>(length));
  return true;
}

std::string FormatInt(int64_t value, int width) {
  std::string text;
  AppendInt(text, value, width);
  return text;
}

std::string FormatReal(double value, int width, int decimals) {
  std::string text;
  AppendReal(text, value, width, decimals);
  return text;
}

std::string FormatField(double value, int width, int decimals) {
  std::string text;
  AppendField(text, value, width, decimals);
  return text;
}

bool AppendField(std::string& line, double value, int width, int decimals) {
  const std::size_t start = line.size();
  AppendReal(line, value, width, decimals);
  if (line.size() == start || line[start] != ' ') line.insert(start, 1, ' ');
  return FieldReadsBack(std::string_view(line).substr(start), width);
}

bool FieldReadsBack(std::string_view text, int width) {
  const std::string_view number = Trimmed(text);
  double value = 0.0;
  return number.size() <= static_cast<std::size_t>(std::max(width, 0)) &&
         ParseReal(number, value);
}

std::string FieldFault(std::string_view text, int width) {
  if (FieldReadsBack(text, width)) return {};
  if (Trimmed(text).size() > static_cast<std::size_t>(std::max(width, 0))) {
    return "does not fit the " + std::to_string(width) + " characters of its field";
  }
  return "would not read back as a number";
}

std::string ShortestText(double value) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)ec;  // 32 characters always hold the shortest text of a double
  return std::string(buffer, end);
}

// ---------------------------------------------------------------------------------------------
// Free-format numbers

bool IsFieldSeparator(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsFieldSeparator(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsFieldSeparator(text.back())) text.remove_suffix(1);
  return text;
}

bool ParseReal(std::string_view token, double& value) {
  if (token.empty()) return false;
  if (ParseShortDecimal(token, value)) return true;
  std::string_view digits = token;
  if (digits.front() == '+') {
    digits.remove_prefix(1);
    // "+-1" is no number; from_chars would take the "-1" that follows.
    if (digits.empty() || digits.front() == '-') return false;
  }
  double parsed = 0.0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed,
                                   std::chars_format::general);
  if (ec != std::errc() || end != digits.data() + digits.size()) return false;
  if (!std::isfinite(parsed)) return false;  // "inf", "nan"
  value = parsed;
  return true;
}

bool ParseInt(std::string_view token, int64_t& value) {
  if (token.empty()) return false;
  std::string_view digits = token;
  if (digits.front() == '+') {
    digits.remove_prefix(1);
    if (digits.empty() || digits.front() == '-') return false;
  }
  int64_t parsed = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
  if (ec != std::errc() || end != digits.data() + digits.size()) return false;
  value = parsed;
  return true;
}

std::string_view NumberScanner::PeekToken(std::size_t& tokenEnd) const {
  std::size_t start = pos_;
  while (start < text_.size() && IsFieldSeparator(text_[start])) ++start;
  std::size_t end = start;
  while (end < text_.size() && !IsFieldSeparator(text_[end])) ++end;
  tokenEnd = end;
  return text_.substr(start, end - start);
}

bool NumberScanner::ReadReal(double& value) {
  std::size_t end = 0;
  if (!ParseReal(PeekToken(end), value)) return false;
  pos_ = end;
  return true;
}

bool NumberScanner::ReadInt(int64_t& value) {
  std::size_t end = 0;
  if (!ParseInt(PeekToken(end), value)) return false;
  pos_ = end;
  return true;
}

bool NumberScanner::ReadInt32(int32_t& value) {
  std::size_t end = 0;
  int64_t parsed = 0;
  if (!ParseInt(PeekToken(end), parsed)) return false;
  if (parsed < std::numeric_limits<int32_t>::min() || parsed > std::numeric_limits<int32_t>::max()) {
    return false;
  }
  value = static_cast<int32_t>(parsed);
  pos_ = end;
  return true;
}

bool NumberScanner::ReadInt16(int16_t& value) {
  std::size_t end = 0;
  int64_t parsed = 0;
  if (!ParseInt(PeekToken(end), parsed)) return false;
  if (parsed < std::numeric_limits<int16_t>::min() || parsed > std::numeric_limits<int16_t>::max()) {
    return false;
  }
  value = static_cast<int16_t>(parsed);
  pos_ = end;
  return true;
}

void NumberScanner::Skip(std::size_t count) {
  pos_ = count < text_.size() - pos_ ? pos_ + count : text_.size();
}

bool NumberScanner::AtEnd() const {
  for (std::size_t i = pos_; i < text_.size(); ++i) {
    if (!IsFieldSeparator(text_[i])) return false;
  }
  return true;
}

}  // namespace vernoli
