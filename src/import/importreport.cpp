#include "import/importreport.h"

#include <memory>

#include "engine/record.h"
#include "model/datafile.h"
#include "import/delimiteddates.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

// A value as the file gave it (times its factor): at most six decimals, no trailing zeros.
std::string ValueText(double value) {
  std::string text = FormatReal(value, 0, 6);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

std::string UnitOf(int16_t code) {
  return std::string(TrimBlanks(ParameterRow(RowOfCode(code)).Unit));
}

std::string ColumnText(const ReportColumn& column) {
  std::string text = "column " + std::to_string(column.Number);
  if (!column.Name.empty()) text += " (" + column.Name + ")";
  return text;
}

std::string Counted(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

std::string_view BeyondLimitsText(BeyondLimits choice) {
  switch (choice) {
    case BeyondLimits::SetMissing: return "set missing";
    case BeyondLimits::SetToLimit: return "set to the limit";
    case BeyondLimits::Refuse: break;
  }
  return "refuse";
}

void ApplyBeyondLimits(BeyondLimits choice, uint8_t dataType, const Date& first,
                       const ValueRange& limits, int column, std::vector<double>& values,
                       std::vector<ChangedValue>& changed) {
  if (choice == BeyondLimits::Refuse) return;
  Date day = first;
  for (std::size_t k = 0; k < values.size(); ++k, day = NextRecordDate(dataType, day)) {
    double& value = values[k];
    if (IsMissing(value)) continue;
    const bool upper = value > limits.Maximum;
    if (!upper && value >= limits.Minimum) continue;
    ChangedValue change;
    change.Day = day;
    change.Column = column;
    change.Value = value;
    change.Limit = upper ? limits.Maximum : limits.Minimum;
    change.Upper = upper;
    change.Written = choice == BeyondLimits::SetMissing ? kMissing : change.Limit;
    value = change.Written;
    changed.push_back(change);
  }
}

void FindAboveClearSky(const RepClimateFile& station, int16_t code, std::span<const double> values,
                       int column, std::vector<ClearSkyExcess>& excesses) {
  if (code < 421 || code > 425) return;
  // Ra, N and Rso of every day of the year, once (a few kilobytes: on the heap).
  const auto constants = std::make_unique<StationConstants>(station);
  Date day = station.From();
  for (std::size_t k = 0; k < values.size(); ++k, day = NextRecordDate(station.DataType, day)) {
    if (IsMissing(values[k])) continue;
    const int32_t dayOfYear = DayOfYearOfRecordDate(station.DataType, day);
    if (dayOfYear < 1 || dayOfYear > 365) continue;
    const double rso = constants->Rso[static_cast<std::size_t>(dayOfYear)];
    if (IsMissing(rso) || ToStandardUnit(code, values[k]) <= rso) continue;
    excesses.push_back({day, column, values[k], FromStandardUnit(code, rso)});
  }
}

std::vector<std::string> ImportReportLines(const ImportReport& report) {
  std::vector<std::string> lines;
  if (!report.Changed.empty()) {
    lines.push_back(Counted(report.Changed.size(), "value", "values") + " beyond the limits " +
                    std::string(BeyondLimitsText(report.Choice)) + ":");
  }
  for (const ChangedValue& change : report.Changed) {
    const ReportColumn& column = report.Columns[static_cast<std::size_t>(change.Column)];
    const std::string unit = UnitOf(column.Code);
    const int decimals = DecimalsOfCode(column.Code);
    lines.push_back("  " + DateForMessage(change.Day) + " " + ColumnText(column) + ": " +
                    ValueText(change.Value) + " " + unit +
                    (change.Upper ? " above the upper" : " below the lower") + " limit " +
                    FormatReal(change.Limit, 0, decimals) + " " + unit);
  }
  if (!report.AboveClearSky.empty()) {
    lines.push_back(Counted(report.AboveClearSky.size(), "record", "records") +
                    " with solar radiation above the clear-sky radiation of its day (the "
                    "calculation uses the clear-sky radiation):");
  }
  for (const ClearSkyExcess& excess : report.AboveClearSky) {
    const ReportColumn& column = report.Columns[static_cast<std::size_t>(excess.Column)];
    const std::string unit = UnitOf(column.Code);
    lines.push_back("  " + DateForMessage(excess.Day) + " " + ColumnText(column) + ": " +
                    ValueText(excess.Value) + " " + unit + " above " +
                    FormatReal(excess.ClearSky, 0, DecimalsOfCode(column.Code)) + " " + unit);
  }
  return lines;
}

}  // namespace vernoli
