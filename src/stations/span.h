// The entry of a station's record span on a form: data type, first and last record picked from
// day, decade and month lists and year edits, or "not linked to a specific year".
//
// Each end is held as a day number. After every change of one end its date is normalised (31
// April becomes 1 May) and, when the last record would then lie before the first, the end just
// changed is set equal to the other one: the span is never inverted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/calendar.h"
#include "model/checks.h"
#include "model/station.h"

namespace vernoli {

enum class SpanEnd : uint8_t { First, Last };

// What the controls of one end show.
struct DateControls {
  int Day = 1;             // the day list: 1..31
  int Decade = 1;          // the decade list: 1..3, the decade of Day
  int Month = 1;           // the month list: 1..12
  std::string YearText;    // the year edit: I(6)
  bool NotLinked = false;  // the year is 1901
};

// Which span controls a data type shows.
struct SpanVisibility {
  std::string_view DayLabel;   // "Day" or "Dec"
  bool DayLabels = true;       // the labels before the day or decade lists
  bool DayLists = true;        // daily data
  bool DecadeLists = false;    // 10-daily data
  bool FirstLastLabels = true; // "First" and "Last"
  bool Years = true;           // the year edits and their labels: not for data not linked
};

class SpanEntry {
 public:
  // Daily data from 1 January 2005 to 31 December 2005.
  SpanEntry();
  SpanEntry(uint8_t dataType, const Date& first, const Date& last);

  uint8_t DataType() const { return dataType_; }
  void SetDataType(uint8_t dataType);

  void ChooseDay(SpanEnd end, int day);
  // Decade 1, 2 or 3 sets the day to 1, 11 or 21.
  void ChooseDecade(SpanEnd end, int decade);
  void ChooseMonth(SpanEnd end, int month);
  // The text of a year edit that was left: checked as a year of 1902..2099 (2000 when it is no
  // number); the message is empty when the year was inside the range.
  IntegerEntryCheck EnterYear(SpanEnd end, std::string_view text);
  // Checked: both years become 1901; unchecked: both 2005. Day and month stay.
  void SetNotLinked(bool notLinked);
  bool NotLinked() const;

  // The date and day number of an end, normalised.
  Date DateOf(SpanEnd end) const;
  int32_t DayNumber(SpanEnd end) const { return end == SpanEnd::First ? first_ : last_; }
  DateControls Controls(SpanEnd end) const;
  SpanVisibility Visibility() const;

  // The span as a station stores it: for 10-daily data the first day of the first decade and the
  // last day of the last one; for monthly data day 1 and the last day of the last month.
  Date StoredFirst() const;
  Date StoredLast() const;
  // Sets DataType, the From and To dates, FirstDayNr, LastDayNr and NumberOfRecords.
  void ApplyTo(RepClimateFile& station) const;
  int32_t NumberOfRecords() const;

 private:
  void Change(SpanEnd end, int day, int month, int year);
  void KeepOrder(SpanEnd changed);

  uint8_t dataType_ = kDaily;
  int32_t first_ = 0;
  int32_t last_ = 0;
};

// The visibility of the span controls for a data type and the year of the span.
SpanVisibility SpanControlsVisibility(uint8_t dataType, bool notLinked);
// The controls showing a date.
DateControls ControlsOfDate(const Date& date);

}  // namespace vernoli
