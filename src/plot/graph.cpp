#include "plot/graph.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "engine/block.h"
#include "engine/equations.h"
#include "model/calendar.h"
#include "model/numbers.h"

namespace vernoli {

namespace {

constexpr std::string_view kEToTitle = "Reference crop evapotranspiration (ETo)";
// Titles of the groups before ETo, in the order of the group marks.
constexpr std::array<std::string_view, kPlotGroupCount - 1> kGroupTitles = {
    "Temperature",      "Relative Humidity", "Vapour pressure",   "Wind speed",
    "Sunshine duration", "Energy fluxes",    "Relative radiation"};

// The default ETo axis.
constexpr int kEToAxisMaximum = 8;
constexpr std::string_view kEToUnit = "mm/day";
// Latent heat of vaporisation (MJ/kg): mm/day of water to MJ/m2.day.
constexpr double kLatentHeat = 2.45;

// At most this many grid lines, whatever the axis says.
constexpr int kMostGridLines = 200;

bool IsResult(int quantity) {
  return quantity >= Quantity::FirstResult && quantity <= Quantity::Last;
}
bool IsDataRow(int quantity) { return quantity >= 1 && quantity <= kParameterCount; }

double Missing(double x) { return std::isfinite(x) ? x : kMissing; }

// The computed stand-in of a data row, or 0 when the row has none.
int StandInOf(int row) {
  switch (row) {
    case Row::Tmean: return Quantity::TmeanStar;
    case Row::RHmean: return Quantity::RHmeanStar;
    case Row::Tdew: return Quantity::TdewStar;
    case Row::Eact: return Quantity::EactStar;
    case Row::Wind: return Quantity::U2Star;
    case Row::Sunshine: return Quantity::SunshineStar;
    case Row::Rs: return Quantity::RsStar;
    case Row::Rn: return Quantity::RnStar;
    default: return Quantity::None;
  }
}

double ClearSky(const PlotRecord& record, const RepClimateFile& station) {
  return ClearSkyRadiation(record.Results.Ra, station.Altitude,
                           station.Flags.ElevationAdjustment != 0, station.Settings.AngstromA,
                           station.Settings.AngstromB);
}

double ResultValue(int quantity, const PlotRecord& record, const RepClimateFile& station) {
  const RecordResults& r = record.Results;
  switch (quantity) {
    case Quantity::TmeanStar: return r.TmeanStar;
    case Quantity::RHmeanStar: return r.RHmeanStar;
    case Quantity::EactStar: return r.EactStar;
    case Quantity::Esat: return r.Esat;
    case Quantity::Edef:
      if (IsMissing(r.Esat) || IsMissing(r.EactStar)) return kMissing;
      return r.Esat - r.EactStar;
    case Quantity::TdewStar: return r.TdewStar;
    case Quantity::U2Star: return r.U2Star;
    case Quantity::SunshineStar: return r.SunshineStar;
    case Quantity::DaylightHours: return r.DaylightHours;
    case Quantity::RelativeSunshine:
      if (IsMissing(r.SunshineStar) || IsMissing(r.DaylightHours)) return kMissing;
      if (RoundsToZero(r.DaylightHours)) return 0.0;
      return 100.0 * r.SunshineStar / r.DaylightHours;
    case Quantity::Ra: return r.Ra;
    case Quantity::Rso: return ClearSky(record, station);
    case Quantity::RsStar: return r.RsStar;
    case Quantity::RelativeRs: {
      const double rso = ClearSky(record, station);
      if (IsMissing(r.RsStar) || IsMissing(rso)) return kMissing;
      // No clear-sky radiation to compare with (polar night): 0, never a division by zero.
      if (RoundsToZero(r.Ra) || rso == 0.0) return 0.0;
      return 100.0 * r.RsStar / rso;
    }
    case Quantity::Rns: {
      if (IsMissing(r.RsStar)) return kMissing;
      const double albedo =
          station.Method == 1 ? station.Settings.AlbedoPM : station.Settings.AlbedoPenman;
      return (1.0 - albedo) * r.RsStar;
    }
    case Quantity::Rnl: return r.Rnl;
    case Quantity::RnStar: return r.RnStar;
    case Quantity::LatentHeat:
      return IsMissing(record.ETo) ? kMissing : kLatentHeat * record.ETo;
    case Quantity::EToPM: return r.EToPM;
    case Quantity::EToPen: return r.EToPen;
    case Quantity::EToHar: return r.EToHar;
    case Quantity::EToMak: return r.EToMak;
    case Quantity::EToBC: return r.EToBC;
    default: return kMissing;
  }
}

}  // namespace

void ClearGraph(GraphDescription& graph) { graph = GraphDescription{}; }

int EToQuantityOfMethod(uint8_t method) {
  switch (method) {
    case 0: return Quantity::EToBC;
    case 2: return Quantity::EToHar;
    case 3: return Quantity::EToMak;
    case 4: return Quantity::EToPen;
    default: return Quantity::EToPM;
  }
}

void DefaultEToGraph(GraphDescription& graph, uint8_t method) {
  ClearGraph(graph);
  graph.Groups[static_cast<std::size_t>(PlotGroup::ETo)] = true;
  SetSeriesQuantity(graph.Series[0], EToQuantityOfMethod(method));
  graph.Series[0].Style = SeriesStyle::Bar;
  graph.SeriesCount = 1;
  graph.AxisMinimum = 0;
  graph.AxisMaximum = kEToAxisMaximum;
  graph.Unit = std::string(kEToUnit);
}

std::string QuantitySymbol(int quantity) {
  if (IsDataRow(quantity)) return std::string(ParameterRow(quantity).Symbol);
  if (IsResult(quantity)) {
    return std::string(ResultTable()[static_cast<std::size_t>(quantity - Quantity::FirstResult)].Symbol);
  }
  return {};
}

std::string QuantityDescription(int quantity) {
  if (IsDataRow(quantity)) return std::string(ParameterRow(quantity).Description);
  if (IsResult(quantity)) {
    return std::string(
        ResultTable()[static_cast<std::size_t>(quantity - Quantity::FirstResult)].Description);
  }
  return {};
}

void SetSeriesQuantity(GraphSeries& series, int quantity) {
  series.Quantity = quantity;
  series.Symbol = QuantitySymbol(quantity);
  series.Description = QuantityDescription(quantity);
}

std::string GraphTitle(const GraphDescription& graph) {
  std::string_view title = kEToTitle;
  for (std::size_t g = 0; g < kGroupTitles.size(); ++g) {
    if (graph.Groups[g]) title = kGroupTitles[g];
  }
  return std::string(title);
}

std::string GraphPictureName(const RepClimateFile& station, const GraphDescription& graph,
                             int32_t first) {
  std::string group = "ETo";
  for (std::size_t g = 0; g < kGroupTitles.size(); ++g) {
    if (graph.Groups[g]) group = kGroupTitles[g];
  }
  std::replace(group.begin(), group.end(), ' ', '_');
  std::string name = station.FileName + "_" + group;
  const Date date = DateOfRecord(station, std::max(first, 1) - 1);
  if (station.FromYear != kYearNotLinked) name += "_" + std::to_string(date.Year);
  return name + ".png";
}

std::string NumberedPictureName(const std::string& name, int number) {
  if (number <= 1) return name;
  const std::size_t dot = name.rfind('.');
  const std::size_t stem = dot == std::string::npos ? name.size() : dot;
  return name.substr(0, stem) + "_" + std::to_string(number) + name.substr(stem);
}

std::string GraphCaption(const RepClimateFile& station, const GraphDescription& graph,
                         int32_t first) {
  std::string caption(Trimmed(station.StationName));
  if (const std::string_view country = Trimmed(station.Country); !country.empty()) {
    caption += (caption.empty() ? "" : ", ") + std::string(country);
  }
  caption += (caption.empty() ? "(" : " (") + station.FileName + ")";
  if (station.FromYear == kYearNotLinked) {
    caption += "   Year: not linked to a specific year";
  } else {
    caption += "   Year " + std::to_string(DateOfRecord(station, std::max(first, 1) - 1).Year);
  }
  const std::string_view unit = Trimmed(graph.Unit);
  if (!unit.empty()) caption += "   Values in " + std::string(unit);
  return caption;
}

// ---------------------------------------------------------------------------------------------
// Values

void ComputePlotRecords(const RepClimateFile& station, std::span<PlotRecord> records,
                        int32_t first) {
  const auto constants = std::make_unique<StationConstants>(station);
  BlockDriver driver(*constants);
  const auto block = std::make_unique_for_overwrite<RecordBlock>();
  const auto results = std::make_unique_for_overwrite<BlockResults>();
  for (std::size_t start = 0; start < records.size(); start += kBlockRecords) {
    block->Clear();
    for (std::size_t i = start; i < records.size() && !block->Full(); ++i) {
      block->Add(DayOfYearForRecord(station, first + static_cast<int32_t>(i)), records[i].Data);
    }
    driver.Compute(*block, *results);
    for (std::size_t i = 0; i < block->Count; ++i) {
      records[start + i].Results = results->Record(i);
      records[start + i].ETo = results->ETo[i];
    }
  }
}

double QuantityValue(int quantity, const PlotRecord& record, const RepClimateFile& station) {
  if (IsDataRow(quantity)) {
    const double value = Missing(record.Data[quantity]);
    if (!IsMissing(value)) return value;
    const int standIn = StandInOf(quantity);
    return standIn == Quantity::None ? kMissing : Missing(ResultValue(standIn, record, station));
  }
  if (IsResult(quantity)) return Missing(ResultValue(quantity, record, station));
  return kMissing;
}

void FillSeriesValues(GraphDescription& graph, const PlotRecord& record,
                      const RepClimateFile& station) {
  const int count = std::clamp(graph.SeriesCount, 0, kGraphSlots);
  for (int s = 0; s < count; ++s) {
    GraphSeries& series = graph.Series[static_cast<std::size_t>(s)];
    series.Value = QuantityValue(series.Quantity, record, station);
  }
}

// ---------------------------------------------------------------------------------------------
// Pixels

PlotScale::PlotScale(int width, int height, int records, double minimum, double maximum)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      records_(std::max(records, 1)),
      minimum_(std::isfinite(minimum) ? minimum : 0.0),
      range_(std::isfinite(maximum) && std::isfinite(minimum) && maximum > minimum
                 ? maximum - minimum
                 : 1.0) {}

int PlotScale::X(int i) const {
  return static_cast<int>(std::lround(static_cast<double>(i - 1) * width_ / records_));
}

int PlotScale::Y(double value) const {
  // Far outside the axis the point stays just beyond the edge: no overflow, the same picture.
  const double offset = std::clamp((value - minimum_) * height_ / range_, -1.0 * height_ - 8.0,
                                   2.0 * height_ + 8.0);
  const int y = height_ - static_cast<int>(std::lround(offset));
  return std::clamp(y, -8, height_ + 8);
}

int AxisStep(const std::string& unit) {
  if (unit == "\xB0" "C" || unit == "MJ/m2.day") return 10;
  if (unit == "%") return 20;
  if (unit == "hour/day") return 5;
  if (unit == "mm/day") return 2;
  return 1;
}

std::vector<PlotGridLine> GridLines(const std::string& unit, int minimum, int maximum,
                                    const PlotScale& scale) {
  const int step = AxisStep(unit);
  std::vector<int> values{0};
  for (int v = step; v < maximum && static_cast<int>(values.size()) < kMostGridLines; v += step) {
    values.push_back(v);
  }
  if (minimum < -10) {
    for (int v = -10; v > minimum && static_cast<int>(values.size()) < kMostGridLines; v -= 10) {
      values.push_back(v);
    }
  }
  const int labelX = static_cast<int>(std::lround(0.02 * scale.Width()));
  const int above = static_cast<int>(std::lround(0.02 * scale.Height()));
  std::vector<PlotGridLine> lines;
  lines.reserve(values.size());
  for (int v : values) {
    PlotGridLine line;
    line.Value = v;
    line.Y = scale.Y(v);
    line.Solid = v == 0;
    line.LabelX = labelX;
    line.LabelY = line.Y - above;
    line.Labelled = line.LabelY < 0.95 * scale.Height();
    line.Label = " " + std::to_string(v) + " " + unit + " ";
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<RangeLabel> RangeLabels(const std::string& unit, int minimum, int maximum,
                                    const PlotScale& scale,
                                    const std::vector<PlotGridLine>& lines) {
  constexpr int kInside = 2;
  constexpr int kLabelGap = 4;  // pixels kept between a range label and a grid label
  const int x = static_cast<int>(std::lround(0.02 * scale.Width()));
  std::vector<RangeLabel> labels;
  // The label's extent from the top of the plot: the maximum's hangs from the top edge, the
  // minimum's stands on the bottom edge.
  const auto add = [&](int value, bool top) {
    const int y = top ? kInside : scale.Height() - kInside;
    const int upper = top ? y : y - kPlotLabelHeight;
    for (const PlotGridLine& line : lines) {
      if (!line.Labelled) continue;
      if (line.Value == value) return;
      // A grid label stands on its LabelY.
      const int lineUpper = line.LabelY - kPlotLabelHeight;
      if (std::abs(lineUpper - upper) < kPlotLabelHeight + kLabelGap) return;
    }
    labels.push_back({value, " " + std::to_string(value) + " " + unit + " ", x, y, top});
  };
  add(maximum, true);
  if (minimum != maximum) add(minimum, false);
  return labels;
}

PlotDrawing DrawGraph(GraphDescription& graph, std::span<const PlotRecord> records,
                      const RepClimateFile& station, int width, int height) {
  PlotDrawing drawing;
  const PlotScale scale(width, height, static_cast<int>(records.size()), graph.AxisMinimum,
                        graph.AxisMaximum);
  drawing.Width = scale.Width();
  drawing.Height = scale.Height();
  const int count = std::clamp(graph.SeriesCount, 0, kGraphSlots);
  drawing.Shapes.reserve(records.size() * static_cast<std::size_t>(count) * 2);

  std::array<double, kGraphSlots> previous;
  previous.fill(kMissing);
  for (std::size_t r = 0; r < records.size(); ++r) {
    FillSeriesValues(graph, records[r], station);
    const int i = static_cast<int>(r) + 1;
    const int left = scale.X(i);
    const int right = scale.X(i + 1);
    for (int s = 0; s < count; ++s) {
      const auto slot = static_cast<std::size_t>(s);
      const double value = graph.Series[slot].Value;
      if (IsMissing(value)) continue;
      const int y = scale.Y(value);
      if (s == 0 && graph.Series[slot].Style == SeriesStyle::Bar) {
        drawing.Shapes.push_back({PlotShape::Bar, s, left, y, right, scale.Height()});
        continue;
      }
      if (!IsMissing(previous[slot])) {
        drawing.Shapes.push_back({PlotShape::Stroke, s, left, scale.Y(previous[slot]), left, y});
      }
      drawing.Shapes.push_back({PlotShape::Stroke, s, left, y, right, y});
    }
    for (int s = 0; s < count; ++s) {
      previous[static_cast<std::size_t>(s)] = graph.Series[static_cast<std::size_t>(s)].Value;
    }
  }
  drawing.GridLines = GridLines(graph.Unit, graph.AxisMinimum, graph.AxisMaximum, scale);
  drawing.RangeLabels =
      RangeLabels(graph.Unit, graph.AxisMinimum, graph.AxisMaximum, scale, drawing.GridLines);
  return drawing;
}

// ---------------------------------------------------------------------------------------------
// The time strip

MonthStretches MonthsOfRange(const RepClimateFile& station, int32_t first, int32_t last) {
  MonthStretches months;
  const int32_t n = last - first + 1;
  if (n < 1) return months;
  const Date date = DateOfRecord(station, first - 1);
  int month = date.Month;
  int year = date.Year;
  int32_t end = 0;
  switch (station.DataType) {
    case kDaily: end = DaysInMonthOfYear(month, year) - date.Day + 1; break;
    case kTenDaily: end = 4 - DecadeOfDay(date.Day); break;
    default: end = 1; break;
  }
  while (true) {
    months.Months.push_back(month);
    months.Ends.push_back(std::min(end, n));
    if (end >= n) break;
    if (++month > 12) {
      month = 1;
      ++year;
    }
    switch (station.DataType) {
      case kDaily: end += DaysInMonthOfYear(month, year); break;
      case kTenDaily: end += 3; break;
      default: end += 1; break;
    }
  }
  return months;
}

TimeStrip BuildTimeStrip(const RepClimateFile& station, int32_t first, int32_t last, int width,
                         int height) {
  TimeStrip strip;
  strip.Width = std::max(width, 1);
  strip.Height = std::max(height, 1);
  const int32_t n = last - first + 1;
  if (n < 1) return strip;
  const Date date = DateOfRecord(station, first - 1);
  if (date.Year != kYearNotLinked) strip.Year = FormatInt(date.Year, 4);

  const double px = static_cast<double>(strip.Width) / n;
  const MonthStretches months = MonthsOfRange(station, first, last);
  const int labelY = static_cast<int>(std::lround(0.4 * strip.Height));
  int left = 0;
  for (std::size_t m = 0; m < months.Ends.size(); ++m) {
    const int right = static_cast<int>(std::lround(months.Ends[m] * px));
    strip.Boundaries.push_back(right);
    strip.Labels.push_back({std::to_string(months.Months[m]),
                            left + static_cast<int>(std::lround(0.45 * (right - left))), labelY});
    left = right;
  }
  if (station.DataType == kDaily) {
    // Ticks at least 4 pixels apart: every day, every 5th or every 10th day of the month.
    int every = 10;
    for (int step : {1, 5}) {
      if (step * px >= 4.0) {
        every = step;
        break;
      }
    }
    strip.TickHeight = std::max(1, static_cast<int>(std::lround(0.3 * strip.Height)));
    for (int32_t r = 1; r < n; ++r) {
      const int day = DateOfRecord(station, first - 1 + r).Day;
      if (day > 1 && (day - 1) % every == 0) {
        strip.DayTicks.push_back(static_cast<int>(std::lround(r * px)));
      }
    }
  }
  return strip;
}

// ---------------------------------------------------------------------------------------------
// The legend

std::vector<LegendRow> LegendRows(const GraphDescription& graph) {
  std::vector<LegendRow> rows;
  const int count = std::clamp(graph.SeriesCount, 0, kGraphSlots);
  for (int s = 0; s < count; ++s) {
    const GraphSeries& series = graph.Series[static_cast<std::size_t>(s)];
    rows.push_back({s,
                    s == 0 && series.Style == SeriesStyle::Bar ? LegendMark::Swatch : LegendMark::LineSample,
                    series.Symbol, series.Description});
  }
  return rows;
}

}  // namespace vernoli
