// The content of the ETo report: which column blocks it shows and how they make its lines.
//
// Blocks, left to right: record number, date, the station's data with ETo, the intermediate
// results. The title line, the units line and every record line follow the same choice, and
// each line ends after its last chosen block.
#pragma once

#include <cstdint>
#include <string>

#include "model/calendar.h"

namespace vernoli {

struct RecordResults;

// The four choices of the report options form, with their presets.
struct ReportContent {
  bool RecordNumber = false;
  bool Date = true;
  bool DataAndETo = true;
  bool IntermediateResults = false;
};

// At least one of "data and ETo" and "intermediate results" stays on: when neither is,
// "data and ETo" is switched on.
void EnsureReportHasValues(ReportContent& content);

// "(Day/Month/Year)", "(Decade/Month)", "(Month)", ...: the date format of the records.
std::string ReportDateFormat(uint8_t dataType, bool linkedToYear);

// The title line of the report.
std::string ReportTitleLine(const ReportContent& content, uint8_t dataType, bool linkedToYear,
                            const int16_t* codes, int count);
// The units line of the report.
std::string ReportUnitsLine(const ReportContent& content, uint8_t dataType, bool linkedToYear,
                            const int16_t* codes, int count);

// The date of the report's current record: day (or decade 1..3), month and year, stepping one
// record at a time. February has 29 days in years divisible by 4.
class ReportDateCounter {
 public:
  // Starts at the station's first record.
  ReportDateCounter(uint8_t dataType, const Date& from);
  // Day (or decade), month and year, each right-aligned in 8 characters; the year is left out
  // for data not linked to a year, the day for monthly data.
  std::string Text() const;
  void Step();
  const Date& Current() const { return current_; }  // Day holds the decade for 10-daily data

 private:
  uint8_t dataType_;
  bool linked_;
  Date current_;
};

// Appends the data-and-ETo block of one record: each value (in its code's unit, -999 when
// missing) right-aligned in 12 characters with its code's decimals, ETo last with 1 decimal.
void AppendReportValues(std::string& line, const int16_t* codes, const double* values, int count);
// Appends the intermediate-results block: e(act)*, e(sat) with 3 decimals; u2*, Ra, n*, N,
// Rs*, Rnl, Rn* with 2 decimals; each in 12 characters.
void AppendReportResults(std::string& line, const RecordResults& results);

}  // namespace vernoli
