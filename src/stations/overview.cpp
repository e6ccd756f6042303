#include "stations/overview.h"

#include <algorithm>
#include <cmath>

#include "engine/equations.h"
#include "engine/ranges.h"
#include "model/calendar.h"
#include "model/datafile.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

constexpr int kEToCode = 501;
constexpr double kEToChartMaximum = 8.0;

std::string BlankTrimmed(std::string_view text) { return std::string(TrimBlanks(text)); }

std::string_view OverviewTypeText(uint8_t dataType) {
  switch (dataType) {
    case kDaily: return "Daily data";
    case kTenDaily: return "10-Daily data";
    default: return "Monthly data";
  }
}

std::string RecordDateText(uint8_t dataType, const Date& date) {
  std::string text;
  if (dataType == kDaily) text = FormatInt(date.Day, 2) + " ";
  if (dataType == kTenDaily) text = FormatInt(DecadeOfDay(date.Day), 2) + " ";
  if (date.Month >= 1 && date.Month <= 12) text += MonthName(date.Month);
  if (date.Year != kYearNotLinked) text += FormatInt(date.Year, 5);
  return text;
}

std::string ExtremeText(double value, int decimals) {
  return "  " + BlankTrimmed(FormatReal(value, 11, decimals));
}

int RoundToInt(double x) { return static_cast<int>(RoundHalfEven(x)); }

}  // namespace

int DataOverview::PlotButtons() const {
  return std::min(static_cast<int>(Rows.size()), kPlotButtons);
}

std::string RangeText(const RepClimateFile& station) {
  return "from : " + RecordDateText(station.DataType, station.From()) + "    to : " +
         RecordDateText(station.DataType, station.To());
}

Status ReadDataOverview(const RepClimateFile& station, DataOverview& overview) {
  DataFileReader reader;
  if (Status s = reader.Open(station.DtaFileName); !s) return s;
  const std::vector<int16_t>& codes = reader.Codes();
  std::vector<std::vector<double>> columns(codes.size());
  DataRecord record;
  while (reader.Next(record)) {
    for (std::size_t i = 0; i < codes.size(); ++i) columns[i].push_back(record.Values[i]);
  }
  if (!reader.status()) return reader.status();

  DataOverview result;
  result.FileText = BlankTrimmed(station.FileName) + ".DTA";
  result.Type = OverviewTypeText(station.DataType);
  result.Range = RangeText(station);
  result.Records = "Number of record lines : " + std::to_string(station.NumberOfRecords);
  for (std::size_t i = 0; i < codes.size(); ++i) {
    ParameterStatistics row;
    row.Code = codes[i];
    const int tableRow = RowOfCode(row.Code);
    if (tableRow != 0) {
      const ParameterInfo& info = ParameterRow(tableRow);
      row.Symbol = info.Symbol;
      row.Description = info.Description;
      row.Unit = " " + BlankTrimmed(info.Unit);
    } else {
      // A column the parameter table does not know is listed by its code.
      row.Symbol = std::to_string(row.Code);
      row.Unit = " ";
    }
    for (double value : columns[i]) {
      if (IsMissing(value)) continue;
      if (row.Count == 0 || value < row.Lowest) row.Lowest = value;
      if (row.Count == 0 || value > row.Highest) row.Highest = value;
      ++row.Count;
    }
    const int decimals = DecimalsOfCode(row.Code);
    row.Minimum = row.Count > 0 ? ExtremeText(row.Lowest, decimals) : "  ";
    row.Maximum = row.Count > 0 ? ExtremeText(row.Highest, decimals) : "  ";
    row.RecordedPercent =
        station.NumberOfRecords > 0 ? 100.0 * row.Count / station.NumberOfRecords : 0.0;
    row.Recorded = FormatReal(row.RecordedPercent, 10, 1);
    result.Rows.push_back(std::move(row));
  }
  result.Columns = std::move(columns);
  overview = std::move(result);
  return Status::Success();
}

// ---------------------------------------------------------------------------------------------
// The chart

int DayOfHighestRadiation(double latitude) {
  int best = 1;
  double highest = ExtraterrestrialRadiation(1, latitude).Ra;
  for (int day = 2; day <= 365; ++day) {
    const double ra = ExtraterrestrialRadiation(day, latitude).Ra;
    if (ra > highest) {
      highest = ra;
      best = day;
    }
  }
  return best;
}

ValueRange ChartRange(const RepClimateFile& station, const ParameterStatistics& row) {
  ValueRange range = ParameterRange(
      row.Code, station.Limits, DayOfHighestRadiation(station.Latitude), station.Latitude,
      station.Altitude, station.Flags.ElevationAdjustment != 0,
      station.Settings.AngstromA + station.Settings.AngstromB);
  if (row.Code == kEToCode) {
    range.Maximum = kEToChartMaximum;
    if (row.Count > 0 && row.Highest > range.Maximum) range.Maximum = row.Highest;
  }
  if (!(range.Maximum > range.Minimum)) {
    // A code without a plausible range: the range of its values.
    range = row.Count > 0 ? ValueRange{row.Lowest, row.Highest} : ValueRange{0.0, 0.0};
    if (!(range.Maximum > range.Minimum)) range.Maximum = range.Minimum + 1.0;
  }
  range.Maximum += 0.05 * (range.Maximum - range.Minimum);
  if (range.Minimum > 0.0) range.Minimum = 0.0;
  return range;
}

double GridStep(double maximum) {
  static constexpr double kMantissas[] = {1.0, 2.5, 5.0};
  const double wanted = maximum / 5.0;
  // 5e-6 is the first step of the series.
  if (wanted <= 5e-6) return 5e-6;
  for (int exponent = -5; exponent <= 300; ++exponent) {
    for (double mantissa : kMantissas) {
      const double step = exponent < 0 ? mantissa / std::pow(10.0, -exponent)
                                       : mantissa * std::pow(10.0, exponent);
      if (step >= wanted) return step;
    }
  }
  return wanted;
}

int GridLabelDecimals(double step) {
  if (step >= 1.0 && step != 2.5) return 0;
  const double fraction = step - std::floor(step);
  int decimals = 0;
  // A small tolerance: 0.1 x 100 must count as 10.
  while (decimals < 15 && fraction * std::pow(10.0, decimals) < 10.0 - 1e-9) ++decimals;
  return decimals;
}

Chart BuildChart(const RepClimateFile& station, const DataOverview& overview, int parameter,
                 int width, int height) {
  Chart chart;
  if (parameter < 0 || parameter >= static_cast<int>(overview.Rows.size()) ||
      parameter >= static_cast<int>(overview.Columns.size())) {
    return chart;
  }
  const ParameterStatistics& row = overview.Rows[static_cast<std::size_t>(parameter)];
  const std::vector<double>& values = overview.Columns[static_cast<std::size_t>(parameter)];
  chart.Title = BlankTrimmed(row.Description);
  if (RoundHalfEven(row.RecordedPercent) == 0.0 || values.empty() || width <= 0 || height <= 0) {
    return chart;
  }
  chart.Empty = false;

  const ValueRange range = ChartRange(station, row);
  chart.Minimum = range.Minimum;
  chart.Maximum = range.Maximum;
  const double span = range.Maximum - range.Minimum;
  const auto yOf = [&](double value) {
    const int y = RoundToInt((1.0 - (value - range.Minimum) / span) * height);
    return std::clamp(y, 0, height);
  };
  chart.ZeroY = yOf(0.0);

  const double n = static_cast<double>(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (IsMissing(values[i])) continue;
    const int left = RoundToInt(static_cast<double>(i) * width / n);
    const int right = RoundToInt(static_cast<double>(i + 1) * width / n);
    const int y = yOf(values[i]);
    chart.Bars.push_back({left, right, std::min(y, chart.ZeroY), std::max(y, chart.ZeroY)});
    if (y == chart.ZeroY) chart.ZeroMarks.push_back({left, right, y});
  }

  chart.Step = GridStep(range.Maximum);
  chart.LabelDecimals = GridLabelDecimals(chart.Step);
  const int tableRow = RowOfCode(row.Code);
  const std::string unit =
      tableRow != 0 ? BlankTrimmed(ParameterRow(tableRow).Unit) : std::string();
  const auto addLine = [&](double value) {
    ChartGridLine line;
    line.Value = value;
    line.Y = yOf(value);
    line.Labelled = line.Y >= 0.02 * height && line.Y <= 0.98 * height;
    line.Label = " " + FormatReal(value, 0, chart.LabelDecimals) + " " + unit + " ";
    line.LabelX = RoundToInt(0.02 * width);
    line.LabelY = line.Y - RoundToInt(0.02 * height);
    chart.GridLines.push_back(std::move(line));
  };
  // Far more lines than an image has pixels would only be drawn over each other.
  const int most = std::max(height, 1);
  for (int k = 0; k * chart.Step <= range.Maximum && k <= most; ++k) addLine(k * chart.Step);
  for (int k = 1; -k * chart.Step >= range.Minimum && k <= most; ++k) addLine(-k * chart.Step);
  return chart;
}

}  // namespace vernoli
