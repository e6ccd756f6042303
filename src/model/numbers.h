// Numbers in the program's text files: fixed-width fields written as the files lay them out, and
// free-format numbers read back.
//
// Numbers are formatted and parsed without regard to the user's locale: the decimal separator is
// always the point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vernoli {

// The line end of every file the program writes.
inline constexpr std::string_view kLineEnd = "\r\n";

// ---------------------------------------------------------------------------------------------
// Formatting

// I(w): the integer right-aligned in `width` characters. A number longer than the width is
// written in full (the field grows, nothing is cut off).
std::string FormatInt(int64_t value, int width);

// R(w,d): the real with `decimals` decimals, right-aligned in `width` characters. It is rounded
// as a person rounds by hand: from the value's decimal text (its nearest decimal of 15
// significant digits, so 2.15 is 2.15 although the double is 2.1499..), half-way away from zero
// (2.25 and 2.15 with one decimal are 2.3 and 2.2, -1.25 is -1.3). A value that rounds to zero
// is written without a sign ("0.0", never "-0.0"). A number longer than the width is written
// in full.
std::string FormatReal(double value, int width, int decimals);

// R(w,d) as one field of a row of numbers: FormatReal, with a blank before a number that fills
// the whole width or more, so that it never runs into the field before it and the row still
// reads back value by value.
std::string FormatField(double value, int width, int decimals);
// The same, appended to `line`. Returns FieldReadsBack of what it appended: false for a number
// that a file must not be given.
bool AppendField(std::string& line, double value, int width, int decimals);

// True when `text`, a number written into a field of `width` characters, fits the field and
// reads back: at most `width` characters besides the blanks around it, and a finite number.
// A value too large for its field ("1e15" with one decimal in 10 characters), or beyond the
// largest double once rounded to the digits written, is not.
bool FieldReadsBack(std::string_view text, int width);
// Why it does not: "does not fit the 10 characters of its field" or "would not read back as a
// number"; empty when it does.
std::string FieldFault(std::string_view text, int width);

// The shortest text that reads back as the value ("31.2", "1e+15"), for a message.
std::string ShortestText(double value);

// Writes n / 10^decimals in fixed point so that it ends just before `end` ("12.50" for n 1250
// and 2 decimals, "0.05" for 5 and 2); returns its first character. Room: 22 characters.
char* FixedDigitsBefore(char* end, uint64_t n, int decimals);

// The same, appended to `line` (no allocation once the line has room).
void AppendInt(std::string& line, int64_t value, int width);
void AppendReal(std::string& line, double value, int width, int decimals);

// I(w) and R(w,d) written into the `width` characters at `field`, exactly as AppendInt and
// AppendReal would append them, for the numbers whose text fills at most the width; false, with
// the field left unspecified, for any other (a longer text, or a real whose rounding
// AppendReal works out the long way), which the caller then appends.
bool PutIntField(char* field, int64_t value, int width);
bool PutRealField(char* field, double value, int width, int decimals);

// ---------------------------------------------------------------------------------------------
// Free-format numbers

// True for the characters that separate numbers on a line: blank, tab (and a stray CR).
bool IsFieldSeparator(char c);
// The text without the separators before and after it.
std::string_view Trimmed(std::string_view text);

// Parses a whole token as a real: optional sign, digits, optional point and decimals, optional
// exponent ("12", "-999.0", "+1.5", "1e3", ".5"). Infinities, NaN and out-of-range numbers are
// refused. Never throws.
bool ParseReal(std::string_view token, double& value);

// Parses a whole token as an integer with an optional sign ("12", "-15", "+7"). Refuses
// decimals, exponents and numbers outside the range of int64. Never throws.
bool ParseInt(std::string_view token, int64_t& value);

// Reads numbers one after the other from a line of text; blanks and tabs separate them.
// A failed read leaves the position where it was.
class NumberScanner {
 public:
  explicit NumberScanner(std::string_view text) : text_(text) {}

  // Reads the next token as a real / an integer. False when the line has no more tokens or
  // the token is not such a number.
  bool ReadReal(double& value);
  bool ReadInt(int64_t& value);
  // Reads an integer that must also fit the range of int32 / int16.
  bool ReadInt32(int32_t& value);
  bool ReadInt16(int16_t& value);

  // Skips `count` characters (fewer when the line is shorter).
  void Skip(std::size_t count);
  // True when nothing but separators is left on the line.
  bool AtEnd() const;
  // Position of the next character to read.
  std::size_t Position() const { return pos_; }

 private:
  // The next token, after the separators before it; empty at the end of the line.
  std::string_view PeekToken(std::size_t& tokenEnd) const;

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace vernoli
