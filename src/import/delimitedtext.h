// The text level of a delimited import file (weather-service and logger exports): lines of at
// most 64 KiB read from the file, fields split at a separator with double-quote quoting, numbers
// with a decimal point or a decimal comma, the markers of a missing value, and names decoded from
// UTF-8 or Windows-1252.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "model/status.h"

namespace vernoli {

// The longest line a delimited file may hold, line end not counted.
inline constexpr std::size_t kMaxDelimitedLine = 64 * 1024;

// ---------------------------------------------------------------------------------------------
// Lines

// Reads a file line by line with a buffer of bounded size: the memory it takes does not grow
// with the file. Lines end in LF or CR LF; the last may lack its line end. A UTF-8 byte order
// mark at the start of the file is dropped.
class BoundedLineReader {
 public:
  BoundedLineReader() = default;
  ~BoundedLineReader();
  BoundedLineReader(const BoundedLineReader&) = delete;
  BoundedLineReader& operator=(const BoundedLineReader&) = delete;

  // Opens the file; an error names it.
  Status Open(const std::string& path);
  // The next line without its line end. False at the end of the file, after a read error and at
  // a line longer than kMaxDelimitedLine (status() tells them apart).
  bool Next(std::string& line);
  // Number of the line last returned (or refused), 1 for the first line.
  int LineNumber() const { return lineNumber_; }
  // Byte offset in the file of the line last returned, and of the next line.
  int64_t LineStart() const { return lineStart_; }
  int64_t Offset() const { return chunkStart_ + static_cast<int64_t>(begin_); }
  // Goes on at the byte offset `offset`, which starts a line, numbering the line found there
  // `lineNumber` + 1. An error names the file.
  Status Seek(int64_t offset, int lineNumber);
  // From now on, the bytes of every line returned, its line end included, are added to `bytes`
  // (nullptr: no longer).
  void Capture(std::string* bytes) { capture_ = bytes; }
  const Status& status() const { return status_; }

 private:
  bool Fill();  // more bytes into the chunk; false at the end of the file or on an error

  std::string path_;
  std::FILE* file_ = nullptr;
  std::vector<char> chunk_;
  std::size_t begin_ = 0;  // first unread byte of the chunk
  std::size_t end_ = 0;    // end of the bytes in the chunk
  int64_t chunkStart_ = 0;  // byte offset in the file of the chunk's first byte
  int64_t lineStart_ = 0;
  bool atEnd_ = false;
  int lineNumber_ = 0;
  std::string* capture_ = nullptr;
  Status status_;
};

// "line 12 of file X is longer than 65536 bytes; lines of up to 64 KiB (65536 bytes) are
// accepted".
std::string ReasonLineTooLong(std::string_view file, int line);

// ---------------------------------------------------------------------------------------------
// Fields

enum class FieldSeparator : uint8_t { Auto, Tab, Semicolon, Comma, Blanks };

// "tab", "semicolon (;)", "comma (,)", "blanks"; "found from the file" for Auto.
std::string_view SeparatorName(FieldSeparator separator);

// Why a line could not be split.
enum class SplitFault : uint8_t {
  None,
  UnclosedQuote,       // a quoted field runs past the end of the line
  TextAfterQuote,      // the closing quote is followed by more than blanks
};

struct SplitResult {
  SplitFault Fault = SplitFault::None;
  int Column = 0;  // 1-based column of the fault
  bool Ok() const { return Fault == SplitFault::None; }
};

// Splits a line into its fields at `separator` (never Auto). Blanks around a field are dropped;
// with Blanks every run of blanks and tabs separates and the line's leading and trailing blanks
// give no field. A field that starts with a double quote runs to the matching quote: separators
// and blanks inside it are its own, and "" stands for one quote. `fields` is overwritten. With
// `most` the split stops after that many fields (the rest of the line is not looked at).
SplitResult SplitFields(std::string_view line, FieldSeparator separator,
                        std::vector<std::string>& fields,
                        std::size_t most = std::string_view::npos);

// The same, the fields as views: of `line` itself, or for a quoted field of its text without the
// quotes in `unquoted` (overwritten). The views are valid while both are.
SplitResult SplitFieldViews(std::string_view line, FieldSeparator separator,
                            std::vector<std::string_view>& fields, std::string& unquoted,
                            std::size_t most = std::string_view::npos);

// The text of a fault, for a message: "a quoted field is not closed before the end of the line".
std::string_view SplitFaultText(SplitFault fault);

// ---------------------------------------------------------------------------------------------
// Numbers and missing values

enum class DecimalSign : uint8_t { Auto, Point, Comma };

// "decimal point" or "decimal comma"; "decimal sign found from the file" for Auto.
std::string_view DecimalSignName(DecimalSign sign);

// The decimal sign a number text shows: Point or Comma, Auto when it holds neither.
DecimalSign DecimalSignOf(std::string_view text);

// Parses a whole field as a number whose decimal sign is `sign` (Point or Comma; the other sign
// makes it no number): optional sign, digits, decimals, exponent. Never throws.
bool ParseDecimal(std::string_view text, DecimalSign sign, double& value);

// True for the fields that mark a missing value whatever the caller says: an empty field, "NA",
// "N/A", "NaN", "null" (letter case ignored) and "-".
bool IsMissingMarker(std::string_view text);
// True when the field is one of `markers` (letter case and the blanks around it ignored).
bool IsNamedMarker(std::string_view text, const std::vector<std::string>& markers);

// ---------------------------------------------------------------------------------------------
// Text

// The text in the program's single-byte Windows-1252: UTF-8 (recognised when the whole text is
// valid UTF-8 and holds a multi-byte character) is decoded, a character with no single-byte form
// becoming '?', and U+2103 (degree Celsius) "\xB0" "C"; any other text is taken as Windows-1252
// already.
std::string ToWindows1252(std::string_view text);

// True when the text is valid UTF-8 (ASCII text is).
bool IsUtf8(std::string_view text);
// Windows-1252 text in UTF-8 (the five bytes the code page leaves unassigned become '?').
std::string FromWindows1252(std::string_view text);

// ASCII letters to lower case; other bytes stay.
std::string LowerAscii(std::string_view text);

// A number for a message, in its shortest form ("-999", "0.1").
std::string NumberForMessage(double value);

// The text for a message: at most 40 bytes of it, in double quotes, "..." marking a cut.
std::string QuotedForMessage(std::string_view text);

}  // namespace vernoli
