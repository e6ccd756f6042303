#include "model/calendar.h"

#include <cmath>

#include "model/parameters.h"
#include "model/station.h"

namespace vernoli {

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

constexpr std::array<int, 12> kDaysInMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// February counts 28.25 days, so four years make 1461 days.
constexpr std::array<double, 12> kDaysBefore = {0,      31,     59.25,  90.25,  120.25, 151.25,
                                                181.25, 212.25, 243.25, 273.25, 304.25, 334.25};

}  // namespace

const std::array<std::string_view, 12>& MonthNames() { return kMonthNames; }
std::string_view MonthName(int month) { return kMonthNames[month - 1]; }
int DaysInMonth(int month) { return kDaysInMonth[month - 1]; }

int DaysInMonthOfYear(int month, int year) {
  return DaysInMonth(month) + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

double DaysBefore(int month) { return kDaysBefore[month - 1]; }

int32_t DayNr(int day, int month, int year) {
  return static_cast<int32_t>(std::trunc((year - 1901) * 365.25 + DaysBefore(month) + day + 0.05));
}

Date DateOfDayNr(int32_t n) {
  const double years = std::trunc((n - 0.05) / 365.25);
  const double x = n - years * 365.25;
  int month = 1;
  while (month < 12 && x > DaysBefore(month + 1)) ++month;
  const int day = static_cast<int>(RoundHalfEven(x - DaysBefore(month) + 0.25 + 0.06));
  return {day, month, static_cast<int32_t>(years) + 1901};
}

bool IsLeapYear(int year) { return ((year % 4) + 4) % 4 == 0; }

int DecadeOfDay(int day) { return day <= 10 ? 1 : (day <= 20 ? 2 : 3); }

int FirstDayOfDecade(int decade) { return 10 * (decade - 1) + 1; }

int LastDayOfDecade(int decade, int month, int year) {
  return decade == 1 ? 10 : (decade == 2 ? 20 : DaysInMonthOfYear(month, year));
}

Date NormaliseDate(int day, int month, int year) { return DateOfDayNr(DayNr(day, month, year)); }

int32_t NumberOfRecords(uint8_t dataType, const Date& from, const Date& to) {
  switch (dataType) {
    case kDaily:
      return DayNr(to.Day, to.Month, to.Year) - DayNr(from.Day, from.Month, from.Year) + 1;
    case kTenDaily:
      return (to.Year * 36 + to.Month * 3 + DecadeOfDay(to.Day)) -
             (from.Year * 36 + from.Month * 3 + DecadeOfDay(from.Day)) + 1;
    default:
      return (to.Year * 12 + to.Month) - (from.Year * 12 + from.Month) + 1;
  }
}

Date NextRecordDate(uint8_t dataType, const Date& date) {
  // Every month has 28 days, so the day after one before the 28th is found without the day
  // numbers (which count from 1901).
  if (dataType == kDaily && date.Day >= 1 && date.Day < 28 && date.Year >= kYearNotLinked) {
    return {date.Day + 1, date.Month, date.Year};
  }
  const int32_t n = DayNr(date.Day, date.Month, date.Year);
  switch (dataType) {
    case kDaily:
      return DateOfDayNr(n + 1);
    case kTenDaily:
      if (DecadeOfDay(date.Day) < 3) return DateOfDayNr(n + 10);
      return DateOfDayNr(n + DaysInMonthOfYear(date.Month, date.Year) - 20);
    default:
      return DateOfDayNr(n + DaysInMonthOfYear(date.Month, date.Year));
  }
}

Date DateOfRecord(const RepClimateFile& station, int32_t k) {
  switch (station.DataType) {
    case kDaily:
      return DateOfDayNr(station.FirstDayNr + k);
    case kTenDaily: {
      const int32_t decades = (station.FromMonth - 1) * 3 + DecadeOfDay(station.FromDay) - 1 + k;
      const int32_t inYear = decades % 36;
      return {FirstDayOfDecade(inYear % 3 + 1), inYear / 3 + 1, station.FromYear + decades / 36};
    }
    default: {
      const int32_t months = station.FromMonth - 1 + k;
      return {1, months % 12 + 1, station.FromYear + months / 12};
    }
  }
}

}  // namespace vernoli
