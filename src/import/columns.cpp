#include "import/columns.h"

#include <algorithm>
#include <limits>

#include "engine/ranges.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

bool InRange(int code, int low, int high) { return code >= low && code <= high; }

struct PageRows {
  int First;
  int Last;
};

PageRows RowsOfPage(CodePage page) {
  switch (page) {
    case CodePage::Humidity: return {7, 20};
    case CodePage::Wind: return {21, 24};
    case CodePage::Radiation: return {25, 36};
    case CodePage::Temperature: break;
  }
  return {1, 6};
}

// A grid cell's width for `decimals`: decimals + 5, at most 7 unless uncapped.
int CellWidth(int decimals, bool capped) {
  const int width = decimals + 5;
  return capped ? std::min(width, 7) : width;
}

// The degC or degF unit text of the parameter table.
std::string_view TemperatureUnit(bool fahrenheit) {
  return ParameterRow(fahrenheit ? Row::TmaxF : Row::Tmax).Unit;
}

}  // namespace

std::string_view CodePageCaption(CodePage page) {
  switch (page) {
    case CodePage::Humidity: return " Humidity ";
    case CodePage::Wind: return " Wind speed";
    case CodePage::Radiation: return " Sunshine and Radiation ";
    case CodePage::Temperature: break;
  }
  return "Temperature";
}

std::vector<CodeListRow> CodePageRows(CodePage page) {
  const PageRows rows = RowsOfPage(page);
  std::vector<CodeListRow> list;
  for (int row = rows.First; row <= rows.Last; ++row) {
    const ParameterInfo& info = ParameterRow(row);
    list.push_back({row, FormatInt(info.Code, 5), info.Symbol, info.Unit, info.Description});
  }
  return list;
}

std::vector<int16_t> CodesClearedBy(int code) {
  std::vector<int16_t> codes{static_cast<int16_t>(code)};
  const auto range = [&codes](int low, int high) {
    codes.clear();
    for (int c = low; c <= high; ++c) codes.push_back(static_cast<int16_t>(c));
  };
  if (InRange(code, 101, 103)) codes.push_back(static_cast<int16_t>(code + 10));
  if (InRange(code, 111, 113)) codes.push_back(static_cast<int16_t>(code - 10));
  if (code == 210) codes.push_back(211);
  if (code == 211) codes.push_back(210);
  if (InRange(code, 231, 232)) codes.push_back(static_cast<int16_t>(code + 2));
  if (InRange(code, 233, 234)) codes.push_back(static_cast<int16_t>(code - 2));
  if (InRange(code, 221, 225)) range(221, 225);
  if (InRange(code, 301, 304)) range(301, 304);
  if (InRange(code, 421, 425)) range(421, 425);
  if (InRange(code, 431, 435)) range(431, 435);
  return codes;
}

bool IsFahrenheit(int code) { return InRange(code, 111, 113) || code == 211 || InRange(code, 233, 234); }

bool IsTemperatureLike(int code) {
  return IsFahrenheit(code) || InRange(code, 101, 103) || code == 210 || InRange(code, 231, 232);
}

std::pair<int, int> MixedTemperatureUnits(std::span<const int> codes) {
  int celsius = 0;
  int fahrenheit = 0;
  for (int code : codes) {
    if (!IsTemperatureLike(code)) continue;
    int& first = IsFahrenheit(code) ? fahrenheit : celsius;
    if (first == 0) first = code;
  }
  if (celsius == 0 || fahrenheit == 0) return {0, 0};
  return {celsius, fahrenheit};
}

int TemperaturePair(int code) {
  if (InRange(code, 101, 103)) return code + 10;
  if (InRange(code, 111, 113)) return code - 10;
  if (code == 210) return 211;
  if (code == 211) return 210;
  if (InRange(code, 231, 232)) return code + 2;
  if (InRange(code, 233, 234)) return code - 2;
  return 0;
}

ValueRange LimitsOfCode(int code, const RepClimateFile& station) {
  const auto range = [&](int day) {
    return ParameterRange(code, station.Limits, day, station.Latitude, station.Altitude,
                          station.Flags.ElevationAdjustment != 0,
                          station.Settings.AngstromA + station.Settings.AngstromB);
  };
  if (code == 401 || InRange(code, 421, 435)) {
    double upper = kMissing;
    for (int day = 1; day <= 365; ++day) upper = std::max(upper, range(day).Maximum);
    return {range(365).Minimum, upper};
  }
  return range(180);
}

// ---------------------------------------------------------------------------------------------
// The assignment

void ColumnAssignment::Clear() {
  defined_ = false;
  count_ = 0;
  current_ = 0;
  columns_ = {};
}

void ColumnAssignment::SetUp(const ScanResult& scan, double undefined) {
  Clear();
  defined_ = true;
  undefined_ = undefined;
  count_ = std::clamp(scan.Columns, 0, kMaxImportColumns);
  for (int c = 0; c < count_; ++c) {
    ImportColumn& column = columns_[static_cast<std::size_t>(c)];
    column.Number = FormatInt(c + 1, 4);
    column.Maximum = scan.Maximum[static_cast<std::size_t>(c)];
    column.Minimum = scan.Minimum[static_cast<std::size_t>(c)];
    WriteRange(c, 7);
  }
}

int ColumnAssignment::Columns() const { return defined_ ? count_ : kColumnsUndefined; }

const ImportColumn& ColumnAssignment::Column(int column) const {
  return columns_[static_cast<std::size_t>(std::clamp(column, 0, kMaxImportColumns - 1))];
}

void ColumnAssignment::SelectColumn(int column) {
  if (column >= 0 && column < count_) current_ = column;
}

void ColumnAssignment::ClearColumn(int c) {
  ImportColumn& column = columns_[static_cast<std::size_t>(c)];
  column.Symbol.clear();
  column.Unit.clear();
  column.CodeText.clear();
  column.MaximumText.clear();
  column.MinimumText.clear();
  column.UpperText.clear();
  column.LowerText.clear();
  column.Code = -999;
}

// The maximum and minimum cells with the decimals of the column's code.
void ColumnAssignment::WriteRange(int c, int width) {
  ImportColumn& column = columns_[static_cast<std::size_t>(c)];
  const int decimals = column.Code == -999 ? 1 : ParameterRow(RowOfCode(column.Code)).Decimals;
  const auto show = [&](double value) {
    return IsUndefinedValue(RoundHalfEven(value), undefined_) ? std::string()
                                                              : FormatReal(value, width, decimals);
  };
  column.MaximumText = show(column.Maximum);
  column.MinimumText = show(column.Minimum);
}

void ColumnAssignment::WriteLimits(int c, const RepClimateFile& station, int width) {
  ImportColumn& column = columns_[static_cast<std::size_t>(c)];
  const int decimals = ParameterRow(RowOfCode(column.Code)).Decimals;
  const ValueRange limits = LimitsOfCode(column.Code, station);
  column.UpperText = FormatReal(limits.Maximum, width, decimals);
  column.LowerText = FormatReal(limits.Minimum, width, decimals);
}

void ColumnAssignment::AssignTableRow(int tableRow, int c, const RepClimateFile& station) {
  if (!defined_ || c < 0 || c >= count_ || tableRow < 1 || tableRow > kParameterCount) return;
  SetCode(c, tableRow, CellWidth(ParameterRow(tableRow).Decimals, false), station);
}

void ColumnAssignment::SetCode(int c, int tableRow, int width, const RepClimateFile& station) {
  const ParameterInfo& info = ParameterRow(tableRow);
  ImportColumn& column = columns_[static_cast<std::size_t>(c)];
  column.Symbol = info.Symbol;
  column.Unit = info.Unit;
  column.CodeText = FormatInt(info.Code, 5);
  column.Code = info.Code;
  WriteRange(c, width);
  WriteLimits(c, station, width);
}

void ColumnAssignment::ChooseCode(int tableRow, const RepClimateFile& station) {
  if (!defined_ || count_ == 0 || tableRow < 1 || tableRow >= kParameterCount) return;
  const ParameterInfo& info = ParameterRow(tableRow);
  const std::vector<int16_t> cleared = CodesClearedBy(info.Code);
  for (int i = 0; i < count_; ++i) {
    if (std::find(cleared.begin(), cleared.end(), columns_[static_cast<std::size_t>(i)].Code) !=
        cleared.end()) {
      ClearColumn(i);
    }
  }
  SetCode(current_, tableRow, CellWidth(info.Decimals, true), station);
  const ImportColumn& chosen = columns_[static_cast<std::size_t>(current_)];

  if (IsTemperatureLike(info.Code)) {
    const bool fahrenheit = IsFahrenheit(info.Code);
    for (int i = 0; i < count_; ++i) {
      ImportColumn& other = columns_[static_cast<std::size_t>(i)];
      if (i == current_ || !IsTemperatureLike(other.Code) || IsFahrenheit(other.Code) == fahrenheit) {
        continue;
      }
      other.Code = static_cast<int16_t>(TemperaturePair(other.Code));
      other.CodeText = FormatInt(other.Code, 5);
      other.Unit = TemperatureUnit(fahrenheit);
      other.UpperText = chosen.UpperText;
      other.LowerText = chosen.LowerText;
    }
  }
}

void ColumnAssignment::RecomputeLimits(const RepClimateFile& station) {
  if (!defined_) return;
  for (int c = 0; c < count_; ++c) {
    const int16_t code = columns_[static_cast<std::size_t>(c)].Code;
    if (code == -999) continue;
    WriteLimits(c, station, CellWidth(ParameterRow(RowOfCode(code)).Decimals, true));
  }
}

std::vector<int16_t> ColumnAssignment::Codes() const {
  std::vector<int16_t> codes;
  for (int c = 0; c < count_; ++c) codes.push_back(columns_[static_cast<std::size_t>(c)].Code);
  return codes;
}

ValueRange ColumnAssignment::ShownLimits(int c) const {
  const ImportColumn& column = columns_[static_cast<std::size_t>(c)];
  ValueRange limits{-std::numeric_limits<double>::infinity(),
                    std::numeric_limits<double>::infinity()};
  double value = 0.0;
  if (ParseReal(TrimBlanks(column.LowerText), value)) limits.Minimum = value;
  if (ParseReal(TrimBlanks(column.UpperText), value)) limits.Maximum = value;
  return limits;
}

std::vector<ValueRange> ColumnAssignment::CheckedLimits() const {
  std::vector<ValueRange> limits;
  for (int c = 0; c < count_; ++c) limits.push_back(ShownLimits(c));
  return limits;
}

ParameterReport ColumnAssignment::Report() const {
  ParameterReport report;
  if (!defined_) {
    report.ErrorParamLabel = kUndefinedParameters;
    return report;
  }
  report.Defined = true;
  report.ClimParamEdit = FormatInt(count_, 6);
  if (count_ == 0) {
    // A Hydrolex file of one value a line leaves no column to import.
    report.ErrorParamLabel = kUndefinedParameters;
    return report;
  }
  report.LampGreen = true;
  std::string text = "Check parameter(s) :";
  for (int c = 0; c < count_; ++c) {
    const ImportColumn& column = columns_[static_cast<std::size_t>(c)];
    ReportRow row;
    row.Nr = FormatInt(c + 1, 3);
    row.Symbol = column.Symbol;
    row.Unit = column.Unit;
    row.Error = kReportNoError;
    const ValueRange limits = ShownLimits(c);
    if (column.Symbol.empty()) {
      row.Error = kParameterNotSpecified;
    } else if (column.Maximum > limits.Maximum) {
      row.Error = kUpdateDataRange;
      row.Range = kRangeExceedsLimits;
    } else {
      row.Range = kWithinLimits;
      if (column.Minimum < limits.Minimum) {
        row.Error = kUpdateDataRange;
        row.Range = kRangeExceedsLimits;
      }
    }
    row.Failed = row.Error != kReportNoError;
    if (row.Failed) {
      report.LampGreen = false;
      text += " " + std::to_string(c + 1) + ",";
    }
    report.Rows.push_back(std::move(row));
  }
  if (!report.LampGreen) report.ErrorParamLabel = text.substr(0, text.size() - 1);
  return report;
}

}  // namespace vernoli
