// The check of a value typed into the workspace grid, and the recomputation of the ETo of its
// record from the texts of the record's column.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/parameters.h"
#include "model/station.h"
#include "model/status.h"

namespace vernoli {

struct RecordResults;

// -1 below the minimum, 0 within (either limit included), +1 above the maximum.
int CheckRange(double value, double minimum, double maximum);

// The plausible range of a value of `code` in the record k (0-based offset from the station's
// first record), in the code's own unit: the station's limits and the record's day of the year.
ValueRange RecordRange(const RepClimateFile& station, int code, int32_t k);

// The refusal of a value outside its range (`outcome` -1 or +1): the limit written R(10) with the
// decimals of the code, the unit of the code trimmed, and the three remedies. Above the maximum
// the message has one empty line more before the remedies.
std::string RangeRefusalMessage(int outcome, double limit, int code);

// The check of the values a data file gives the engine, for a file written by hand or by
// another program: a value that the workspace would refuse typed into its cell is refused here
// too, naming the file, the line, the column, the value and its range. The last column, the ETo
// that every run computes afresh, and missing values pass.
//
//   const DataFileValueCheck check(station, reader.Codes(), path);
//   while (reader.Next(record)) {
//     if (Status s = check.Check(k, record.Values, reader.LineNumber(), reader.Line()); !s) ...
class DataFileValueCheck {
 public:
  // `codes` are the columns of the file at `file`; the limits and location are the station's.
  DataFileValueCheck(const RepClimateFile& station, std::span<const int16_t> codes,
                     std::string_view file);
  // Checks the values of record k (0-based offset from the station's first record), read from
  // line `lineNumber` whose text is `line`.
  Status Check(int32_t k, std::span<const double> values, int64_t lineNumber,
               std::string_view line) const;

 private:
  const RepClimateFile& station_;
  std::vector<int16_t> codes_;
  std::vector<ValueRange> ranges_;  // of each column whose range is the same every day
  std::string file_;
};

// The outcome of leaving a cell.
struct CellCheck {
  std::string CellText;  // what the cell shows afterwards: R(10) of the value, or empty
  bool Refused = false;  // the value was outside its range (or no number)
  std::string Message;   // the refusal message; empty when nothing was refused
};

// The reason given for a cell whose text is no number.
inline constexpr std::string_view kNotANumber = "value is not a number";

// Checks the text of a cell of `code` in the record k: an empty cell stays empty; a text that is
// no number is refused (a typing slip must never become a measurement of 0); a number is written
// back R(10) with the code's decimals, and refused when it is outside the record's range.
CellCheck CheckCell(std::string_view text, int code, const RepClimateFile& station, int32_t k);

// The record of a grid column in standard units: cells[r] is the text of the row of codes[r] in
// the unit of that code; empty cells (and rows of no climatic parameter) are missing values.
ClimaticRecord ColumnRecord(std::span<const int16_t> codes, std::span<const std::string> cells);

// The ETo of the record k computed from the texts of its grid column: cells[r] is the text of
// the row of codes[r] in the unit of that code; empty cells are missing values. The station's
// settings and method are used. `results`, when given, receives the intermediate results.
double ColumnETo(const RepClimateFile& station, std::span<const int16_t> codes,
                 std::span<const std::string> cells, int32_t k, RecordResults* results = nullptr);

// The text of the grid's ETo cell: R(10,1), or empty when ETo could not be computed.
std::string EToCellText(double eto);

}  // namespace vernoli
