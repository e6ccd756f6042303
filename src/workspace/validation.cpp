#include "workspace/validation.h"

#include <algorithm>
#include <array>

#include "engine/ranges.h"
#include "engine/record.h"
#include "model/datafile.h"
#include "model/numbers.h"

namespace vernoli {

namespace {

constexpr int kCellWidth = 10;

// A cell's number; a text that is no number counts as 0.
double CellValue(std::string_view text) {
  double value = 0.0;
  if (!ParseReal(Trimmed(text), value)) value = 0.0;
  return value;
}

// The n-th field (0 the record number) of a data line as it is written there.
std::string_view FieldText(std::string_view line, std::size_t n) {
  std::size_t at = 0;
  for (std::size_t field = 0;; ++field) {
    while (at < line.size() && IsFieldSeparator(line[at])) ++at;
    std::size_t end = at;
    while (end < line.size() && !IsFieldSeparator(line[end])) ++end;
    if (field == n || end == at) return line.substr(at, end - at);
    at = end;
  }
}

// "-15.0 .. 45.0": the limits with the decimals of the code.
std::string RangeText(const ValueRange& range, int code) {
  const int decimals = DecimalsOfCode(code);
  return FormatReal(range.Minimum, 0, decimals) + " .. " + FormatReal(range.Maximum, 0, decimals);
}

}  // namespace

DataFileValueCheck::DataFileValueCheck(const RepClimateFile& station,
                                       std::span<const int16_t> codes, std::string_view file)
    : station_(station), codes_(codes.begin(), codes.end()), file_(file) {
  ranges_.reserve(codes_.size());
  for (int16_t code : codes_) ranges_.push_back(RecordRange(station, code, 0));
}

Status DataFileValueCheck::Check(int32_t k, std::span<const double> values, int64_t lineNumber,
                                 std::string_view line) const {
  // The last column is the ETo, which the run replaces.
  const std::size_t columns = std::min(values.size(), codes_.size());
  for (std::size_t c = 0; c + 1 < columns; ++c) {
    const double value = values[c];
    if (IsMissing(value)) continue;
    const int code = codes_[c];
    const bool daily = RangeDependsOnDay(code);
    const ValueRange range = daily ? RecordRange(station_, code, k) : ranges_[c];
    if (CheckRange(value, range.Minimum, range.Maximum) == 0) continue;
    const int row = RowOfCode(code);
    const std::string unit(row == 0 ? std::string_view() : Trimmed(ParameterRow(row).Unit));
    const std::string symbol(row == 0 ? std::string_view() : Trimmed(ParameterRow(row).Symbol));
    return Status::Error("file " + file_ + ", line " + std::to_string(lineNumber) + ", column " +
                         std::to_string(c + 2) + " (" + symbol + ", " + unit + "): the value " +
                         std::string(FieldText(line, c + 1)) +
                         " lies outside its plausible range " + RangeText(range, code) + " " +
                         unit + ", set by the station's data limits" +
                         (daily ? " and the sun of the day" : ""));
  }
  return Status::Success();
}

int CheckRange(double value, double minimum, double maximum) {
  if (value > maximum) return 1;
  if (value >= minimum) return 0;
  return -1;
}

ValueRange RecordRange(const RepClimateFile& station, int code, int32_t k) {
  return ParameterRange(code, station.Limits, DayOfYearForRecord(station, k), station.Latitude,
                        station.Altitude, station.Flags.ElevationAdjustment != 0,
                        station.Settings.AngstromA + station.Settings.AngstromB);
}

std::string RangeRefusalMessage(int outcome, double limit, int code) {
  const int row = RowOfCode(code);
  const std::string unit(row == 0 ? std::string_view() : Trimmed(ParameterRow(row).Unit));
  std::string text = "ERROR:\n";
  text += outcome < 0 ? "value is smaller than Minimum (=" : "value is larger than Maximum (=";
  text += FormatReal(limit, kCellWidth, DecimalsOfCode(code));
  text += ' ';
  text += unit;
  text += ")\n\n";
  if (outcome > 0) text += '\n';
  text +=
      "Possible solutions:\n"
      "1. Verify input data\n"
      "2. Check units (Switch units ?)\n"
      "3. Adjust 'Data range' if required";
  return text;
}

CellCheck CheckCell(std::string_view text, int code, const RepClimateFile& station, int32_t k) {
  CellCheck check;
  if (Trimmed(text).empty()) return check;
  double value = 0.0;
  if (!ParseReal(Trimmed(text), value)) {
    check.Refused = true;
    check.Message = ErrorText(kNotANumber);
    return check;
  }
  const ValueRange range = RecordRange(station, code, k);
  const int outcome = CheckRange(value, range.Minimum, range.Maximum);
  if (outcome == 0) {
    check.CellText = FormatReal(value, kCellWidth, DecimalsOfCode(code));
    return check;
  }
  check.Refused = true;
  check.Message =
      RangeRefusalMessage(outcome, outcome < 0 ? range.Minimum : range.Maximum, code);
  return check;
}

ClimaticRecord ColumnRecord(std::span<const int16_t> codes, std::span<const std::string> cells) {
  std::array<int, kParameterCount> rows{};
  const std::size_t count = std::min(codes.size(), rows.size());
  for (std::size_t i = 0; i < count; ++i) rows[i] = RowOfCode(codes[i]);
  StandardRows(static_cast<int>(count), codes.data(), rows.data());

  ClimaticRecord record;
  for (std::size_t i = 0; i < count && i < cells.size(); ++i) {
    if (rows[i] < 1 || Trimmed(cells[i]).empty()) continue;
    record[rows[i]] = ToStandardUnit(codes[i], CellValue(cells[i]));
  }
  return record;
}

double ColumnETo(const RepClimateFile& station, std::span<const int16_t> codes,
                 std::span<const std::string> cells, int32_t k, RecordResults* results) {
  const ClimaticRecord record = ColumnRecord(codes, cells);
  RecordResults local;
  return ComputeRecord(DayOfYearForRecord(station, k), record, station,
                       results != nullptr ? *results : local);
}

std::string EToCellText(double eto) {
  return IsMissing(eto) ? std::string() : FormatReal(eto, kCellWidth, 1);
}

}  // namespace vernoli
