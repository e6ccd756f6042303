#include "stations/span.h"

#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

// The year of a span that is linked again to calendar years.
constexpr int kYearLinkedAgain = 2005;

}  // namespace

SpanVisibility SpanControlsVisibility(uint8_t dataType, bool notLinked) {
  SpanVisibility visibility;
  visibility.DayLabel = dataType == kTenDaily ? "Dec" : "Day";
  visibility.DayLabels = dataType != kMonthly;
  visibility.DayLists = dataType == kDaily;
  visibility.DecadeLists = dataType == kTenDaily;
  visibility.FirstLastLabels = dataType != kMonthly;
  visibility.Years = !notLinked;
  return visibility;
}

DateControls ControlsOfDate(const Date& date) {
  DateControls controls;
  controls.Day = date.Day;
  controls.Decade = DecadeOfDay(date.Day);
  controls.Month = date.Month;
  controls.YearText = FormatInt(date.Year, 6);
  controls.NotLinked = date.Year == kYearNotLinked;
  return controls;
}

SpanEntry::SpanEntry() : SpanEntry(kDaily, {1, 1, 2005}, {31, 12, 2005}) {}

SpanEntry::SpanEntry(uint8_t dataType, const Date& first, const Date& last)
    : dataType_(dataType),
      first_(DayNr(first.Day, first.Month, first.Year)),
      last_(DayNr(last.Day, last.Month, last.Year)) {
  KeepOrder(SpanEnd::Last);
}

void SpanEntry::SetDataType(uint8_t dataType) { dataType_ = dataType; }

Date SpanEntry::DateOf(SpanEnd end) const { return DateOfDayNr(DayNumber(end)); }

void SpanEntry::Change(SpanEnd end, int day, int month, int year) {
  (end == SpanEnd::First ? first_ : last_) = DayNr(day, month, year);
  KeepOrder(end);
}

void SpanEntry::KeepOrder(SpanEnd changed) {
  if (last_ >= first_) return;
  if (changed == SpanEnd::First) {
    first_ = last_;
  } else {
    last_ = first_;
  }
}

void SpanEntry::ChooseDay(SpanEnd end, int day) {
  const Date date = DateOf(end);
  Change(end, day, date.Month, date.Year);
}

void SpanEntry::ChooseDecade(SpanEnd end, int decade) {
  const Date date = DateOf(end);
  Change(end, FirstDayOfDecade(decade), date.Month, date.Year);
}

void SpanEntry::ChooseMonth(SpanEnd end, int month) {
  const Date date = DateOf(end);
  Change(end, date.Day, month, date.Year);
}

IntegerEntryCheck SpanEntry::EnterYear(SpanEnd end, std::string_view text) {
  const IntegerEntryCheck check = EnterInteger(fields::kYear, text);
  const Date date = DateOf(end);
  Change(end, date.Day, date.Month, static_cast<int>(check.Value));
  return check;
}

void SpanEntry::SetNotLinked(bool notLinked) {
  const int year = notLinked ? kYearNotLinked : kYearLinkedAgain;
  const Date first = DateOf(SpanEnd::First);
  const Date last = DateOf(SpanEnd::Last);
  first_ = DayNr(first.Day, first.Month, year);
  last_ = DayNr(last.Day, last.Month, year);
  // 1 December 2004 to 1 January 2005 would run backwards within one year: the last record
  // moves to the first.
  KeepOrder(SpanEnd::Last);
}

bool SpanEntry::NotLinked() const { return DateOf(SpanEnd::First).Year == kYearNotLinked; }

DateControls SpanEntry::Controls(SpanEnd end) const { return ControlsOfDate(DateOf(end)); }

SpanVisibility SpanEntry::Visibility() const {
  return SpanControlsVisibility(dataType_, NotLinked());
}

Date SpanEntry::StoredFirst() const {
  Date date = DateOf(SpanEnd::First);
  if (dataType_ == kTenDaily) date.Day = FirstDayOfDecade(DecadeOfDay(date.Day));
  if (dataType_ == kMonthly) date.Day = 1;
  return date;
}

Date SpanEntry::StoredLast() const {
  Date date = DateOf(SpanEnd::Last);
  if (dataType_ == kTenDaily) date.Day = LastDayOfDecade(DecadeOfDay(date.Day), date.Month, date.Year);
  if (dataType_ == kMonthly) date.Day = DaysInMonthOfYear(date.Month, date.Year);
  return date;
}

void SpanEntry::ApplyTo(RepClimateFile& station) const {
  SetSpan(station, dataType_, StoredFirst(), StoredLast());
}

int32_t SpanEntry::NumberOfRecords() const {
  return vernoli::NumberOfRecords(dataType_, StoredFirst(), StoredLast());
}

}  // namespace vernoli
