// The dates of a delimited import file: the forms a date field may take, the order of day and
// month, the names of date columns, the years the import accepts, and the record a date starts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/calendar.h"

namespace vernoli {

// The years a date of an import file may lie in: those of a span linked to calendar years. Year
// 1901 stands for data not linked to a year and is no year of a file.
inline constexpr int kFirstImportYear = 1902;
inline constexpr int kLastImportYear = 2099;

enum class DateFormat : uint8_t {
  Auto,               // found from the first data line (and the file, for the order of d and m)
  YearMonthDay,       // YYYY-MM-DD
  YearMonthDayPacked, // YYYYMMDD
  YearMonthDaySlash,  // YYYY/MM/DD
  DayMonthYearDot,    // DD.MM.YYYY
  DayMonthYearSlash,  // DD/MM/YYYY
  MonthDayYearSlash,  // MM/DD/YYYY
  YearMonth,          // YYYY-MM: monthly data
  Columns,            // year, month and day (or year and month) in columns of their own
};

// The order of year, month and day in a date field, when the user gives it: a file whose dates
// are all of the form DD/MM/YYYY or MM/DD/YYYY with no day above 12 cannot tell it.
enum class DateOrder : uint8_t { Auto, DayMonthYear, MonthDayYear, YearMonthDay };

// "day, month, year", "month, day, year", "year, month, day"; "found from the file" for Auto.
std::string_view DateOrderText(DateOrder order);
// The forms of a date field in the order: "DD.MM.YYYY or DD/MM/YYYY", "MM/DD/YYYY",
// "YYYY-MM-DD, YYYYMMDD, YYYY/MM/DD or YYYY-MM"; every form for Auto.
std::string_view DateFormatsOfOrder(DateOrder order);

// The form as a message shows it: "YYYY-MM-DD", ..., "year, month and day columns".
std::string_view DateFormatText(DateFormat format);
// Every form a date field may take, for a message.
std::string_view AcceptedDateFormats();

// The shape of a date field, before the order of day and month is known.
enum class DateShape : uint8_t {
  None,
  Dashes,          // YYYY-MM-DD
  Packed,          // YYYYMMDD
  SlashYearFirst,  // YYYY/MM/DD
  Dots,            // DD.MM.YYYY
  SlashYearLast,   // DD/MM/YYYY or MM/DD/YYYY
  YearMonth,       // YYYY-MM
};

// A date field (blanks around it ignored) read as its shape and its three numbers in the order of
// the text (the third 0 for YearMonth). Months and days have one or two digits, years four.
struct DateText {
  DateShape Shape = DateShape::None;
  std::array<int, 3> Parts{};
};
DateText ReadDateText(std::string_view field);

// The shape that the fields of a format have (None for Auto and Columns).
DateShape ShapeOfFormat(DateFormat format);
// The format of a shape whose order of day and month the shape itself tells; Auto for
// SlashYearLast and None.
DateFormat FormatOfShape(DateShape shape);

// The date a field of `format` names; false when the numbers make no date of the calendar (month
// 13, 31 April, 29 February of a year that is no leap year). For YearMonth the day is 1. The year
// is not checked against the import's years.
bool DateOfText(const DateText& text, DateFormat format, Date& date);

// Whether the fields of a shape may have the order: dashes, packed, year-first slashes and
// year-month are year first; dots day first; DD/MM/YYYY and MM/DD/YYYY (SlashYearLast) either
// way. Every shape has the order Auto.
bool ShapeHasOrder(DateShape shape, DateOrder order);
// The format of a SlashYearLast field in the order (DayMonthYearSlash, MonthDayYearSlash); Auto
// for the other orders.
DateFormat SlashFormatOfOrder(DateOrder order);

// The order of day and month that a SlashYearLast field tells: DayMonthYearSlash when its first
// number is above 12, MonthDayYearSlash when its second is; Auto when both could be a month (or
// both are above 12, or the field has another shape).
DateFormat OrderTold(const DateText& text);

// ---------------------------------------------------------------------------------------------
// Date columns by their names (letter case, blanks, underscores and a '#' ignored)

// date, time, datum, YYYYMMDD, day, timestamp, ...
bool IsDateColumnName(std::string_view name);
bool IsYearColumnName(std::string_view name);   // year, yyyy, yr, jahr
bool IsMonthColumnName(std::string_view name);  // month, mm, mon, mo, monat
bool IsDayColumnName(std::string_view name);    // day, dd, dy, tag

// ---------------------------------------------------------------------------------------------
// Records

// "daily", "10-daily", "monthly".
std::string_view DataTypeName(uint8_t dataType);
// True when `date` is the first day of a record of the data type (any day, day 1, 11 or 21, or
// day 1).
bool StartsRecord(uint8_t dataType, const Date& date);
// The number of the record that starts on `date` counted on a scale of its own data type
// (days, decades or months); two dates are n records apart when their numbers differ by n.
int32_t RecordNumber(uint8_t dataType, const Date& date);
// The date as YYYY-MM-DD, for messages.
std::string DateForMessage(const Date& date);

}  // namespace vernoli
