// The calendar of records: day numbers, leap years, decades and the number of records of a span.
//
// Day 1 is 1 January 1901; years count 365.25 days, so every fourth year is a leap year with no
// exception for centuries. Year 1901 stands for data not linked to a specific year.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vernoli {

struct RepClimateFile;

// Year used by data sets of long-term means, shown as no year at all.
inline constexpr int kYearNotLinked = 1901;

// Data types of a station's records.
enum DataTypes : uint8_t { kDaily = 0, kTenDaily = 1, kMonthly = 2 };

struct Date {
  int32_t Day;
  int32_t Month;
  int32_t Year;
  friend bool operator==(const Date&, const Date&) = default;
};

// "January" .. "December"; element i is month i + 1.
const std::array<std::string_view, 12>& MonthNames();
// Name of month 1..12.
std::string_view MonthName(int month);
// Days of month 1..12 in a common year (February 28).
int DaysInMonth(int month);
// Days of month 1..12 in `year` (February 29 in a leap year).
int DaysInMonthOfYear(int month, int year);
// Days before month 1..12, February counted as 28.25 days.
double DaysBefore(int month);

int32_t DayNr(int day, int month, int year);
Date DateOfDayNr(int32_t n);
bool IsLeapYear(int year);
// 1 for days 1-10, 2 for 11-20, 3 for 21-31.
int DecadeOfDay(int day);
// First and last day of decade 1..3 of a month.
int FirstDayOfDecade(int decade);
int LastDayOfDecade(int decade, int month, int year);
// The date with the same day number (31 April becomes 1 May).
Date NormaliseDate(int day, int month, int year);

// Number of records of a span of the given data type.
int32_t NumberOfRecords(uint8_t dataType, const Date& from, const Date& to);

// The first day of the record after the one that starts on `date` (daily, 10-daily or monthly).
Date NextRecordDate(uint8_t dataType, const Date& date);

// First day of record k (0-based offset from the station's first record). 10-daily records start
// on day 1, 11 or 21, monthly records on day 1.
Date DateOfRecord(const RepClimateFile& station, int32_t k);

}  // namespace vernoli
