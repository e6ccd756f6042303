#include "import/delimiteddates.h"

#include <algorithm>
#include <initializer_list>

#include "import/delimitedtext.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

std::string_view DateFormatText(DateFormat format) {
  switch (format) {
    case DateFormat::YearMonthDay: return "YYYY-MM-DD";
    case DateFormat::YearMonthDayPacked: return "YYYYMMDD";
    case DateFormat::YearMonthDaySlash: return "YYYY/MM/DD";
    case DateFormat::DayMonthYearDot: return "DD.MM.YYYY";
    case DateFormat::DayMonthYearSlash: return "DD/MM/YYYY";
    case DateFormat::MonthDayYearSlash: return "MM/DD/YYYY";
    case DateFormat::YearMonth: return "YYYY-MM";
    case DateFormat::Columns: return "year, month and day columns";
    case DateFormat::Auto: break;
  }
  return "DD/MM/YYYY or MM/DD/YYYY";
}

std::string_view DateOrderText(DateOrder order) {
  switch (order) {
    case DateOrder::DayMonthYear: return "day, month, year";
    case DateOrder::MonthDayYear: return "month, day, year";
    case DateOrder::YearMonthDay: return "year, month, day";
    case DateOrder::Auto: break;
  }
  return "found from the file";
}

std::string_view DateFormatsOfOrder(DateOrder order) {
  switch (order) {
    case DateOrder::DayMonthYear: return "DD.MM.YYYY or DD/MM/YYYY";
    case DateOrder::MonthDayYear: return "MM/DD/YYYY";
    case DateOrder::YearMonthDay: return "YYYY-MM-DD, YYYYMMDD, YYYY/MM/DD or YYYY-MM";
    case DateOrder::Auto: break;
  }
  return AcceptedDateFormats();
}

bool ShapeHasOrder(DateShape shape, DateOrder order) {
  switch (shape) {
    case DateShape::Dashes:
    case DateShape::Packed:
    case DateShape::SlashYearFirst:
    case DateShape::YearMonth:
      return order == DateOrder::Auto || order == DateOrder::YearMonthDay;
    case DateShape::Dots:
      return order == DateOrder::Auto || order == DateOrder::DayMonthYear;
    case DateShape::SlashYearLast:
      return order != DateOrder::YearMonthDay;
    case DateShape::None: break;
  }
  return false;
}

DateFormat SlashFormatOfOrder(DateOrder order) {
  if (order == DateOrder::DayMonthYear) return DateFormat::DayMonthYearSlash;
  if (order == DateOrder::MonthDayYear) return DateFormat::MonthDayYearSlash;
  return DateFormat::Auto;
}

std::string_view AcceptedDateFormats() {
  return "YYYY-MM-DD, YYYYMMDD, YYYY/MM/DD, DD.MM.YYYY, DD/MM/YYYY, MM/DD/YYYY, YYYY-MM, or year, "
         "month and day columns";
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a number of minDigits..maxDigits digits from `text` at `pos`; no digit may follow it.
bool ReadNumber(std::string_view text, std::size_t& pos, int minDigits, int maxDigits, int& value) {
  const std::size_t start = pos;
  value = 0;
  while (pos < text.size() && IsDigit(text[pos]) && pos - start < std::size_t(maxDigits)) {
    value = value * 10 + (text[pos] - '0');
    ++pos;
  }
  const auto digits = static_cast<int>(pos - start);
  return digits >= minDigits && (pos == text.size() || !IsDigit(text[pos]));
}

// Three (or two) numbers of the given digit counts, separated by `sep`, filling the whole text.
bool ReadParts(std::string_view text, char sep, const std::array<int, 3>& digits, int count,
               std::array<int, 3>& parts) {
  std::size_t pos = 0;
  for (int k = 0; k < count; ++k) {
    if (k > 0) {
      if (pos == text.size() || text[pos] != sep) return false;
      ++pos;
    }
    // A year has four digits, a month or a day one or two.
    const int n = digits[std::size_t(k)];
    if (!ReadNumber(text, pos, n == 4 ? 4 : 1, n, parts[std::size_t(k)])) return false;
  }
  return pos == text.size();
}

}  // namespace

DateText ReadDateText(std::string_view field) {
  field = TrimBlanks(field);
  DateText text;
  std::array<int, 3>& p = text.Parts;
  if (field.size() == 8 && std::all_of(field.begin(), field.end(), IsDigit)) {
    int64_t n = 0;
    ParseInt(field, n);
    p = {static_cast<int>(n / 10000), static_cast<int>(n / 100 % 100), static_cast<int>(n % 100)};
    text.Shape = DateShape::Packed;
  } else if (ReadParts(field, '-', {4, 2, 2}, 3, p)) {
    text.Shape = DateShape::Dashes;
  } else if (ReadParts(field, '-', {4, 2, 0}, 2, p)) {
    p[2] = 0;
    text.Shape = DateShape::YearMonth;
  } else if (ReadParts(field, '/', {4, 2, 2}, 3, p)) {
    text.Shape = DateShape::SlashYearFirst;
  } else if (ReadParts(field, '.', {2, 2, 4}, 3, p)) {
    text.Shape = DateShape::Dots;
  } else if (ReadParts(field, '/', {2, 2, 4}, 3, p)) {
    text.Shape = DateShape::SlashYearLast;
  } else {
    p = {};
  }
  return text;
}

DateShape ShapeOfFormat(DateFormat format) {
  switch (format) {
    case DateFormat::YearMonthDay: return DateShape::Dashes;
    case DateFormat::YearMonthDayPacked: return DateShape::Packed;
    case DateFormat::YearMonthDaySlash: return DateShape::SlashYearFirst;
    case DateFormat::DayMonthYearDot: return DateShape::Dots;
    case DateFormat::DayMonthYearSlash:
    case DateFormat::MonthDayYearSlash: return DateShape::SlashYearLast;
    case DateFormat::YearMonth: return DateShape::YearMonth;
    case DateFormat::Auto:
    case DateFormat::Columns: break;
  }
  return DateShape::None;
}

DateFormat FormatOfShape(DateShape shape) {
  switch (shape) {
    case DateShape::Dashes: return DateFormat::YearMonthDay;
    case DateShape::Packed: return DateFormat::YearMonthDayPacked;
    case DateShape::SlashYearFirst: return DateFormat::YearMonthDaySlash;
    case DateShape::Dots: return DateFormat::DayMonthYearDot;
    case DateShape::YearMonth: return DateFormat::YearMonth;
    case DateShape::SlashYearLast:
    case DateShape::None: break;
  }
  return DateFormat::Auto;
}

bool DateOfText(const DateText& text, DateFormat format, Date& date) {
  if (text.Shape == DateShape::None || ShapeOfFormat(format) != text.Shape) return false;
  const std::array<int, 3>& p = text.Parts;
  switch (format) {
    case DateFormat::DayMonthYearDot:
    case DateFormat::DayMonthYearSlash: date = {p[0], p[1], p[2]}; break;
    case DateFormat::MonthDayYearSlash: date = {p[1], p[0], p[2]}; break;
    case DateFormat::YearMonth: date = {1, p[1], p[0]}; break;
    default: date = {p[2], p[1], p[0]}; break;
  }
  return date.Month >= 1 && date.Month <= 12 && date.Day >= 1 &&
         date.Day <= DaysInMonthOfYear(date.Month, date.Year);
}

DateFormat OrderTold(const DateText& text) {
  if (text.Shape != DateShape::SlashYearLast) return DateFormat::Auto;
  const bool firstIsDay = text.Parts[0] > 12;
  const bool secondIsDay = text.Parts[1] > 12;
  if (firstIsDay == secondIsDay) return DateFormat::Auto;
  return firstIsDay ? DateFormat::DayMonthYearSlash : DateFormat::MonthDayYearSlash;
}

// ---------------------------------------------------------------------------------------------
// Date columns by their names

namespace {

// The name in lower case without blanks, underscores, hyphens, dots and a leading '#'.
std::string NameKey(std::string_view name) {
  std::string key;
  for (char c : LowerAscii(name)) {
    if (c != ' ' && c != '\t' && c != '_' && c != '-' && c != '.' && c != '#') key += c;
  }
  return key;
}

bool NameIn(std::string_view name, std::initializer_list<std::string_view> names) {
  const std::string key = NameKey(name);
  return std::find(names.begin(), names.end(), key) != names.end();
}

}  // namespace

bool IsDateColumnName(std::string_view name) {
  return NameIn(name, {"date", "dates", "time", "datum", "yyyymmdd", "jjjjmmdd", "day",
                       "timestamp", "datetime", "messdatum", "obsdate", "observationdate",
                       "ddmmyyyy", "mmddyyyy", "yyyymm", "fecha"});
}

bool IsYearColumnName(std::string_view name) {
  return NameIn(name, {"year", "yyyy", "yr", "jahr"});
}

bool IsMonthColumnName(std::string_view name) {
  return NameIn(name, {"month", "mm", "mon", "mo", "monat"});
}

bool IsDayColumnName(std::string_view name) { return NameIn(name, {"day", "dd", "dy", "tag"}); }

// ---------------------------------------------------------------------------------------------
// Records

std::string_view DataTypeName(uint8_t dataType) {
  switch (dataType) {
    case kDaily: return "daily";
    case kTenDaily: return "10-daily";
    default: return "monthly";
  }
}

bool StartsRecord(uint8_t dataType, const Date& date) {
  switch (dataType) {
    case kDaily: return true;
    case kTenDaily: return date.Day == 1 || date.Day == 11 || date.Day == 21;
    default: return date.Day == 1;
  }
}

int32_t RecordNumber(uint8_t dataType, const Date& date) {
  switch (dataType) {
    case kDaily: return DayNr(date.Day, date.Month, date.Year);
    case kTenDaily: return date.Year * 36 + (date.Month - 1) * 3 + DecadeOfDay(date.Day) - 1;
    default: return date.Year * 12 + date.Month - 1;
  }
}

std::string DateForMessage(const Date& date) {
  const auto two = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  return std::to_string(date.Year) + "-" + two(date.Month) + "-" + two(date.Day);
}

}  // namespace vernoli
