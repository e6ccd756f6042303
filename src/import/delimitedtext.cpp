#include "import/delimitedtext.h"

#include <sys/types.h>

#include <algorithm>
#include <charconv>
#include <cstring>

#include "model/codepage.h"
#include "model/linereader.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Lines

BoundedLineReader::~BoundedLineReader() {
  if (file_ != nullptr) std::fclose(file_);
}

Status BoundedLineReader::Open(const std::string& path) {
  if (file_ != nullptr) std::fclose(file_);
  path_ = path;
  status_ = OpenFileForReading(path, file_);
  chunk_.assign(kChunk, '\0');
  begin_ = end_ = 0;
  chunkStart_ = lineStart_ = 0;
  atEnd_ = false;
  lineNumber_ = 0;
  if (file_ == nullptr) atEnd_ = true;
  return status_;
}

Status BoundedLineReader::Seek(int64_t offset, int lineNumber) {
  if (!status_) return status_;
  lineNumber_ = lineNumber;
  if (offset >= chunkStart_ && offset <= chunkStart_ + static_cast<int64_t>(end_)) {
    begin_ = static_cast<std::size_t>(offset - chunkStart_);  // within the bytes at hand
    return status_;
  }
  if (file_ == nullptr) {
    status_ = OpenFileForReading(path_, file_);
    if (file_ == nullptr) return status_;
  }
  if (::fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) {
    status_ = Status::Error(ReasonCannotRead(path_, lineNumber + 1));
    return status_;
  }
  chunkStart_ = offset;
  begin_ = end_ = 0;
  atEnd_ = false;
  return status_;
}

std::string ReasonLineTooLong(std::string_view file, int line) {
  return "line " + std::to_string(line) + " of file " + std::string(file) + " is longer than " +
         std::to_string(kMaxDelimitedLine) + " bytes; lines of up to 64 KiB (" +
         std::to_string(kMaxDelimitedLine) + " bytes) are accepted";
}

bool BoundedLineReader::Fill() {
  if (atEnd_) return false;
  const std::size_t got = std::fread(chunk_.data(), 1, chunk_.size(), file_);
  chunkStart_ += static_cast<int64_t>(end_);
  begin_ = 0;
  end_ = got;
  if (got == 0) {
    atEnd_ = true;
    if (std::ferror(file_)) status_ = Status::Error(ReasonCannotRead(path_, lineNumber_ + 1));
    std::fclose(file_);
    file_ = nullptr;
    return false;
  }
  return true;
}

bool BoundedLineReader::Next(std::string& line) {
  if (!status_) return false;
  line.clear();
  bool any = false;  // bytes of this line (or its line end) were seen
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      if (!status_ || !any) return false;
      break;  // the last line, without a line end
    }
    if (!any) lineStart_ = Offset();
    any = true;
    const char* start = chunk_.data() + begin_;
    const void* lf = std::memchr(start, '\n', end_ - begin_);
    const std::size_t take =
        lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - start)
                      : end_ - begin_;
    // One byte more than the bound is let in: a CR before the line end is no part of the line.
    if (line.size() + take > kMaxDelimitedLine + 1) {
      ++lineNumber_;
      status_ = Status::Error(ReasonLineTooLong(path_, lineNumber_));
      return false;
    }
    line.append(start, take);
    if (capture_ != nullptr) capture_->append(start, take + (lf != nullptr ? 1 : 0));
    begin_ += take;
    if (lf != nullptr) {
      ++begin_;
      break;
    }
  }
  ++lineNumber_;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > kMaxDelimitedLine) {
    status_ = Status::Error(ReasonLineTooLong(path_, lineNumber_));
    return false;
  }
  if (lineNumber_ == 1 && std::string_view(line).starts_with(kByteOrderMark)) {
    line.erase(0, kByteOrderMark.size());
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Fields

std::string_view SeparatorName(FieldSeparator separator) {
  switch (separator) {
    case FieldSeparator::Tab: return "tab";
    case FieldSeparator::Semicolon: return "semicolon (;)";
    case FieldSeparator::Comma: return "comma (,)";
    case FieldSeparator::Blanks: return "blanks";
    case FieldSeparator::Auto: break;
  }
  return "found from the file";
}

std::string_view SplitFaultText(SplitFault fault) {
  switch (fault) {
    case SplitFault::UnclosedQuote:
      return "a quoted field is not closed before the end of the line";
    case SplitFault::TextAfterQuote:
      return "text follows the closing quote of a quoted field";
    case SplitFault::None: break;
  }
  return "";
}

SplitResult SplitFieldViews(std::string_view line, FieldSeparator separator,
                            std::vector<std::string_view>& fields, std::string& unquoted,
                            std::size_t most) {
  fields.clear();
  unquoted.clear();
  // Room for every quoted field of the line, so that the views of those before stay valid.
  unquoted.reserve(line.size());
  const bool blanks = separator == FieldSeparator::Blanks;
  const char sep = separator == FieldSeparator::Tab         ? '\t'
                   : separator == FieldSeparator::Semicolon ? ';'
                   : separator == FieldSeparator::Comma     ? ','
                                                            : ' ';
  // Blanks around a field: the tab is a blank unless it separates.
  const auto around = [&](char c) { return c == ' ' || (c == '\t' && sep != '\t'); };
  const auto atSeparator = [&](std::size_t i) {
    return blanks ? IsBlank(line[i]) : line[i] == sep;
  };

  std::size_t i = 0;
  const std::size_t n = line.size();
  if (blanks) {
    while (i < n && IsBlank(line[i])) ++i;
    if (i == n) return {};
  }
  for (;;) {
    const int column = static_cast<int>(fields.size()) + 1;
    while (i < n && around(line[i])) ++i;  // with Blanks the run is already passed
    if (i < n && line[i] == '"') {
      // A quoted field: up to the quote that no second quote follows.
      const std::size_t begin = unquoted.size();
      ++i;
      for (;;) {
        if (i == n) {
          fields.emplace_back(unquoted.data() + begin, unquoted.size() - begin);
          return {SplitFault::UnclosedQuote, column};
        }
        if (line[i] == '"') {
          if (i + 1 < n && line[i + 1] == '"') {
            unquoted += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        unquoted += line[i++];
      }
      fields.emplace_back(unquoted.data() + begin, unquoted.size() - begin);
      while (i < n && around(line[i]) && !atSeparator(i)) ++i;
      if (i < n && !atSeparator(i)) return {SplitFault::TextAfterQuote, column};
    } else {
      const std::size_t start = i;
      if (blanks) {
        while (i < n && !IsBlank(line[i])) ++i;
      } else {
        while (i < n && line[i] != sep) ++i;
      }
      std::size_t stop = i;
      while (stop > start && around(line[stop - 1])) --stop;
      fields.push_back(line.substr(start, stop - start));
    }
    if (i == n || fields.size() >= most) return {};
    // At a separator: one character, or with blanks the whole run of them.
    if (blanks) {
      while (i < n && IsBlank(line[i])) ++i;
      if (i == n) return {};
    } else {
      ++i;
    }
  }
}

SplitResult SplitFields(std::string_view line, FieldSeparator separator,
                        std::vector<std::string>& fields, std::size_t most) {
  std::vector<std::string_view> views;
  std::string unquoted;
  const SplitResult result = SplitFieldViews(line, separator, views, unquoted, most);
  fields.assign(views.begin(), views.end());
  return result;
}

// ---------------------------------------------------------------------------------------------
// Numbers and missing values

std::string_view DecimalSignName(DecimalSign sign) {
  switch (sign) {
    case DecimalSign::Point: return "decimal point";
    case DecimalSign::Comma: return "decimal comma";
    case DecimalSign::Auto: break;
  }
  return "decimal sign found from the file";
}

DecimalSign DecimalSignOf(std::string_view text) {
  bool point = false;
  for (char c : text) {
    if (c == ',') return DecimalSign::Comma;
    point = point || c == '.';
  }
  return point ? DecimalSign::Point : DecimalSign::Auto;
}

bool ParseDecimal(std::string_view text, DecimalSign sign, double& value) {
  // ParseReal takes no comma anywhere in a number.
  if (sign != DecimalSign::Comma) return ParseReal(text, value);
  if (text.find('.') != std::string_view::npos || text.size() > 64) return false;
  char buffer[64];
  std::copy(text.begin(), text.end(), buffer);
  std::replace(buffer, buffer + text.size(), ',', '.');
  return ParseReal(std::string_view(buffer, text.size()), value);
}

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

}  // namespace


bool IsMissingMarker(std::string_view text) {
  text = TrimBlanks(text);
  for (std::string_view marker : {"", "NA", "N/A", "NaN", "null", "-"}) {
    if (EqualsIgnoringCase(text, marker)) return true;
  }
  return false;
}

bool IsNamedMarker(std::string_view text, const std::vector<std::string>& markers) {
  text = TrimBlanks(text);
  return std::any_of(markers.begin(), markers.end(), [text](const std::string& marker) {
    return EqualsIgnoringCase(text, TrimBlanks(marker));
  });
}

// ---------------------------------------------------------------------------------------------
// Text

namespace {

// Decodes UTF-8 into code points, each passed to `take`; false when the text is no valid UTF-8.
template <typename Take>
bool DecodeUtf8(std::string_view text, Take take) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = byte(i);
    int more = 0;
    char32_t point = 0;
    if (lead < 0x80) {
      point = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      more = 1;
      point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      more = 2;
      point = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      more = 3;
      point = lead & 0x07;
    } else {
      return false;
    }
    if (more > 0 && i + static_cast<std::size_t>(more) >= text.size()) return false;
    for (int k = 1; k <= more; ++k) {
      const unsigned char next = byte(i + static_cast<std::size_t>(k));
      if ((next & 0xC0) != 0x80) return false;
      point = (point << 6) | (next & 0x3F);
    }
    // Overlong forms and surrogates are no UTF-8.
    if ((more == 2 && point < 0x800) || (more == 3 && (point < 0x10000 || point > 0x10FFFF)) ||
        (point >= 0xD800 && point <= 0xDFFF)) {
      return false;
    }
    take(point);
    i += static_cast<std::size_t>(more) + 1;
  }
  return true;
}

}  // namespace

std::string ToWindows1252(std::string_view text) {
  const bool ascii = std::all_of(text.begin(), text.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  std::vector<char32_t> points;
  if (ascii || !DecodeUtf8(text, [&points](char32_t point) { points.push_back(point); })) {
    return std::string(text);
  }
  std::string out;
  out.reserve(points.size());
  for (char32_t point : points) {
    if (point == 0x2103) {
      out += "\xB0" "C";  // the one character of the degree Celsius
    } else if (const unsigned char byte = Cp1252OfUnicode(point); byte != 0 || point == 0) {
      out += static_cast<char>(byte);
    } else {
      out += '?';
    }
  }
  return out;
}

bool IsUtf8(std::string_view text) {
  const bool ascii = std::all_of(text.begin(), text.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii || DecodeUtf8(text, [](char32_t) {});
}

std::string FromWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const char16_t point = UnicodeOfCp1252(static_cast<unsigned char>(c));
    AppendUtf8(point != 0 || c == 0 ? point : U'?', out);
  }
  return out;
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string NumberForMessage(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string QuotedForMessage(std::string_view text) {
  constexpr std::size_t kShown = 40;
  if (text.size() <= kShown) return "\"" + std::string(text) + "\"";
  return "\"" + std::string(text.substr(0, kShown)) + "...\"";
}

}  // namespace vernoli
