// The import report of a delimited file: the values beyond their column's limits that the user
// chose to set missing or to the limit, each listed with its date, column, value and limit; and
// the records whose solar radiation lies above the clear-sky radiation of their day, which the
// calculation replaces by the clear-sky value. The import form shows the lines on its report
// page; `vernoli-batch import` writes them to standard output after the station is written.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/calendar.h"
#include "model/parameters.h"
#include "model/station.h"

namespace vernoli {

// What becomes of a value beyond its column's limits.
enum class BeyondLimits : uint8_t {
  Refuse,      // the column's report turns red and the import refuses (the other kinds' rule)
  SetMissing,  // the value becomes the missing value
  SetToLimit,  // the value becomes the limit it passed
};

// "refuse", "set missing", "set to the limit".
std::string_view BeyondLimitsText(BeyondLimits choice);

// A column of the report: its number and name in the file and its parameter code.
struct ReportColumn {
  int Number = 0;    // 1-based in the file
  std::string Name;  // Windows-1252; empty without a header
  int16_t Code = 0;
};

// A value changed because it lay beyond its column's limits.
struct ChangedValue {
  Date Day;            // the first day of its record
  int Column = 0;      // index into ImportReport::Columns
  double Value = 0.0;  // as read, in the unit of the column's code
  double Limit = 0.0;  // the limit it passed
  bool Upper = false;  // above the upper limit (else below the lower one)
  double Written = 0.0;  // kMissing or the limit
};

// A record whose solar radiation lies above the clear-sky radiation of its day.
struct ClearSkyExcess {
  Date Day;
  int Column = 0;         // index into ImportReport::Columns
  double Value = 0.0;     // in the unit of the column's code
  double ClearSky = 0.0;  // Rso of the record's day, in the same unit
};

struct ImportReport {
  BeyondLimits Choice = BeyondLimits::Refuse;
  std::vector<ReportColumn> Columns;
  std::vector<ChangedValue> Changed;
  std::vector<ClearSkyExcess> AboveClearSky;

  bool Empty() const { return Changed.empty() && AboveClearSky.empty(); }
};

// The values of one column, one per record from `first` on, changed in place as `choice` says
// where they lie beyond `limits`; each change is appended to `changed` with the column index
// `column`. Refuse changes nothing.
void ApplyBeyondLimits(BeyondLimits choice, uint8_t dataType, const Date& first,
                       const ValueRange& limits, int column, std::vector<double>& values,
                       std::vector<ChangedValue>& changed);

// The records of a solar radiation column (codes 421-425; nothing for any other code) above the
// clear-sky radiation of their day for `station` (its span, location and settings), appended to
// `excesses` with the column index `column`.
void FindAboveClearSky(const RepClimateFile& station, int16_t code, std::span<const double> values,
                       int column, std::vector<ClearSkyExcess>& excesses);

// The report's lines (Windows-1252; none when the report is empty):
//   3 values beyond the limits set missing:
//     1980-07-03 column 5 (TX): 52.3 °C above the upper limit 45.0 °C
//   1 record with solar radiation above the clear-sky radiation of its day (the calculation
//   uses the clear-sky radiation):
//     1980-06-21 column 9 (Q): 3100 J/cm2.day above 3052.11 J/cm2.day
std::vector<std::string> ImportReportLines(const ImportReport& report);

}  // namespace vernoli
