// Lengthening or shortening a station's data set at either end, and the rewrite of its two
// files.
//
// The steps work on a copy of the station's span and count, per end, the records added
// (positive) or removed (negative). Saving rewrites the .DTA (new records of missing values,
// removed records dropped, every record renumbered from 1) and the .DSC with the new span, both
// or neither.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/station.h"
#include "model/status.h"
#include "stations/span.h"

namespace vernoli {

// The step of one end: the first radio button ("day per day", "decade per decade") or the
// second ("month per month"). Monthly data always step by months.
enum class RangeStep : uint8_t { DayOrDecade, Month };

// The first step radio button of a data type: its caption, whether it can be chosen, and which
// of the two buttons is chosen on opening. The second button reads "month per month".
struct StepChoice {
  std::string_view FirstCaption;  // "day per day" or "decade per decade"
  bool FirstEnabled;
  RangeStep Chosen;
};
StepChoice StepChoices(uint8_t dataType);
inline constexpr std::string_view kMonthStepCaption = "month per month";

// The label and the number of records of one end's counter.
struct CounterTexts {
  std::string_view Label;  // "Added", or "Removed" for a negative counter
  std::string Count;       // the absolute value, I(10)
};

class RangeUpdate {
 public:
  // Span bounds of a data set linked to calendar years (1 January 1902 to 31 December 2099) and
  // of one not linked to a year (1901).
  static constexpr int32_t kLinkedFirst = 366;
  static constexpr int32_t kLinkedLast = 72684;
  static constexpr int32_t kNotLinkedFirst = 1;
  static constexpr int32_t kNotLinkedLast = 365;

  // Starts from the open station with both counters 0.
  explicit RangeUpdate(const RepClimateFile& station);

  // Each step moves one end and returns true, or does nothing and returns false at a bound of
  // the span or at the shortest span.
  bool ExpandEnd(RangeStep step);
  bool ShrinkEnd(RangeStep step);
  bool ExpandBeginning(RangeStep step);
  bool ShrinkBeginning(RangeStep step);

  // The station with the span as stepped so far.
  const RepClimateFile& Station() const { return copy_; }
  int32_t BeginningCounter() const { return beginning_; }
  int32_t EndCounter() const { return end_; }
  // NumberOfRecords of the open station plus both counters.
  int32_t RecordCount() const { return copy_.NumberOfRecords + beginning_ + end_; }
  int32_t LowerBound() const;
  int32_t UpperBound() const;

  // What the form shows.
  CounterTexts BeginningTexts() const;
  CounterTexts EndTexts() const;
  std::string RecordCountText() const;  // I(6)
  DateControls FirstControls() const;
  DateControls LastControls() const;
  // Day lists for daily, decade lists for 10-daily data; the years hidden (and "not linked to a
  // specific year" shown, checked) for data not linked to a year.
  SpanVisibility Visibility() const;

  // With both counters 0 nothing is written. Otherwise rewrites the .DTA at DtaFileName and the
  // .DSC at DscFileName; on success `open` becomes the station with the new span (Description
  // rebuilt), on failure both files and `open` stay as they were.
  Status Save(RepClimateFile& open) const;

 private:
  void MoveFirst(int32_t dayNr);
  void MoveLast(int32_t dayNr);

  RepClimateFile copy_;
  int32_t beginning_ = 0;
  int32_t end_ = 0;
};

// Rewrites a data file for a changed span into `destination`: `added` records of missing values
// before the old records (or, when negative, that many old records left out), the old records
// renumbered, then `appended` records of missing values (or that many old records left out at
// the end). `oldRecords` is the number of records of the old span; an old file with fewer lines
// is completed with missing values, lines beyond its span are dropped, so the new file always has
// oldRecords + added + appended records.
Status RewriteDataFileForSpan(const std::string& source, const std::string& destination,
                              int32_t oldRecords, int32_t added, int32_t appended);

// The fields of a record of missing values for the columns of `codes`: -999 in R(10, decimals of
// the column's code) each, without the record number.
std::string EmptyRecordText(std::span<const int16_t> codes);

}  // namespace vernoli
