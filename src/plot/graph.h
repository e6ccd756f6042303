// The graph of the workspace: what it shows (the graph description), the value of each series in
// one record, and where every bar, stroke, grid line and label of the plot and of its time strip
// lies, as pixel data the form paints.
//
// A graph shows one group of quantities in up to seven series. Series 1 may be drawn as bars;
// series 2 to 7 are always lines, drawn over the bars of the same record. A quantity is a row of
// the parameter table (1..37: the record's data value, standard unit) or a row of the result table
// (38..60: a computed value).
//
//   GraphDescription graph;
//   DefaultEToGraph(graph, station.Method);
//   std::vector<PlotRecord> records;  // the visible records, first..last (0-based offsets)
//   for (int32_t k = first; k <= last; ++k) records.emplace_back().Data = data[k];
//   ComputePlotRecords(station, records, first);
//   PlotDrawing drawing = DrawGraph(graph, records, station, width, height);
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/record.h"
#include "model/parameters.h"
#include "model/station.h"

namespace vernoli {

// The groups of quantities, in the order of the group marks.
enum class PlotGroup : uint8_t {
  Temperature,
  RelativeHumidity,
  VapourPressure,
  Wind,
  Sunshine,
  EnergyFluxes,
  RelativeRadiation,
  ETo,
};
inline constexpr int kPlotGroupCount = 8;
// Series a graph can show.
inline constexpr int kGraphSlots = 7;

// Quantity numbers: 0 none, 1..37 the parameter-table rows, 38..60 the result-table rows 1..23.
namespace Quantity {
inline constexpr int None = 0;
inline constexpr int FirstResult = kParameterCount + 1;
inline constexpr int TmeanStar = 38, RHmeanStar = 39, EactStar = 40, Esat = 41, Edef = 42,
                     TdewStar = 43, U2Star = 44, SunshineStar = 45, DaylightHours = 46,
                     RelativeSunshine = 47, Ra = 48, Rso = 49, RsStar = 50, RelativeRs = 51,
                     Rns = 52, Rnl = 53, RnStar = 54, LatentHeat = 55, EToPM = 56, EToPen = 57,
                     EToHar = 58, EToMak = 59, EToBC = 60;
inline constexpr int Last = EToBC;
}  // namespace Quantity

enum class SeriesStyle : uint8_t { Line, Bar };

// One series of the graph.
struct GraphSeries {
  int Quantity = Quantity::None;
  SeriesStyle Style = SeriesStyle::Line;
  double Value = kMissing;  // the value for the record being drawn
  std::string Symbol;       // up to 7 characters, for the legend
  std::string Description;  // up to 36 characters
};

// The graph the workspace shows (one per program run).
struct GraphDescription {
  std::array<bool, kPlotGroupCount> Groups{};  // the group marks
  std::array<GraphSeries, kGraphSlots> Series;
  int SeriesCount = 0;
  int AxisMinimum = -999;
  int AxisMaximum = -999;
  std::string Unit;  // the unit label of the vertical axis (Windows-1252)

  bool Marked(PlotGroup group) const { return Groups[static_cast<std::size_t>(group)]; }
};

// Every group mark off, every series none and line style with value -999, no series, both axis
// bounds -999, no unit.
void ClearGraph(GraphDescription& graph);

// The ETo quantity of a method selector (0 Blaney-Criddle, 1 Penman-Monteith, 2 Hargreaves,
// 3 Makkink, 4 modified Penman); Penman-Monteith for any other value.
int EToQuantityOfMethod(uint8_t method);

// The graph shown on opening and after a change of the method, the parameters, their units or
// the wind height: the ETo of the method as bars, 0 to 8 "mm/day".
void DefaultEToGraph(GraphDescription& graph, uint8_t method);

// Symbol and description of a quantity: the parameter table's for a data row, the result table's
// for a computed one; empty for none.
std::string QuantitySymbol(int quantity);
std::string QuantityDescription(int quantity);
// Sets the quantity of a series with its symbol and description.
void SetSeriesQuantity(GraphSeries& series, int quantity);

// The title above the plot: "Reference crop evapotranspiration (ETo)", or the name of the last
// marked group of "Temperature" .. "Relative radiation".
std::string GraphTitle(const GraphDescription& graph);

// The file name of a picture of the graph: the station's file name, the last marked group (as
// the title) and, for data linked to a year, the year of the first visible record (counted from
// 1), blanks as underscores: "DEBILT_ETo_2001.png", "SYDNEY_Energy_fluxes_2001.png",
// "MADRID_Temperature.png".
std::string GraphPictureName(const RepClimateFile& station, const GraphDescription& graph,
                             int32_t first);
// The same name numbered, for a picture that must not replace an older one:
// "DEBILT_ETo_2001.png", 2 -> "DEBILT_ETo_2001_2.png". Number 1 leaves the name as it is.
std::string NumberedPictureName(const std::string& name, int number);

// The caption line of a saved picture: the station, the year of the first visible record and the
// unit of the vertical axis (Windows-1252):
// "De Bilt, Netherlands (DEBILT)   Year 2001   Values in mm/day";
// "Year: not linked to a specific year" for long-term means.
std::string GraphCaption(const RepClimateFile& station, const GraphDescription& graph,
                         int32_t first);

// ---------------------------------------------------------------------------------------------
// Values

// One visible record as the graph sees it: its data (standard units, -999 when missing), the
// results of the per-record driver and the ETo of the station's method.
struct PlotRecord {
  ClimaticRecord Data;
  RecordResults Results;
  double ETo = kMissing;
};

// Every record of `records` computed from its data, record i being record first + i (the 0-based
// offset from the station's first record), a block of records at a time.
void ComputePlotRecords(const RepClimateFile& station, std::span<PlotRecord> records,
                        int32_t first);

// The value of `quantity` in a record: a data row, or its computed stand-in for the rows that have
// one (Tmean, RHmean, Tdew, e(act), wind speed, n, Rs, Rn) when it is missing; a computed
// quantity, with e(def), n/N (%), Rso, Rs/Rso (%), Rns and L(ET) derived from the results.
// -999 when missing (a derived value is missing when any of its inputs is).
double QuantityValue(int quantity, const PlotRecord& record, const RepClimateFile& station);
// Fills the value of every series in use for one record.
void FillSeriesValues(GraphDescription& graph, const PlotRecord& record,
                      const RepClimateFile& station);

// ---------------------------------------------------------------------------------------------
// Pixels

// The mapping of records and values to the pixels of a plot area of width x height. An axis
// whose maximum is not above its minimum is taken one unit high; a value far outside the axis
// lands just outside the area.
class PlotScale {
 public:
  PlotScale(int width, int height, int records, double minimum, double maximum);
  // Left edge of the record at position i (1..records): round((i - 1) W / n).
  int X(int i) const;
  // Height of the area minus round((v - min) H / (max - min)), kept within a few pixels of it.
  int Y(double value) const;
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_, height_, records_;
  double minimum_, range_;
};

// One shape of the plot, in drawing order: a bar (a rectangle Left..Right, Top..Bottom) or a
// stroke (a line from (X1, Y1) to (X2, Y2)), in the colour of its slot (0 for series 1).
struct PlotShape {
  enum Kind : uint8_t { Bar, Stroke };
  Kind Shape;
  int Slot;
  int X1, Y1, X2, Y2;
};

struct PlotGridLine {
  int Value;
  int Y;
  bool Solid;         // the 0 line; the others are dotted
  bool Labelled;      // the label is left out in the bottom 5% of the area
  std::string Label;  // a blank, the value, a blank, the unit, a blank
  int LabelX, LabelY;  // 2% of the width from the left, 2% of the height above the line
};

// The label of an end of the vertical range, inside the plot against its top edge (the maximum)
// or its bottom edge (the minimum), at the grid labels' x.
struct RangeLabel {
  int Value;
  std::string Label;  // as a grid line's: " 8 mm/day "
  int X;
  int Y;              // the edge the label keeps to: 2 pixels inside the plot
  bool Top;           // true: the label hangs below Y; false: it stands on Y
};

// The height in pixels that the labels of the plot take (the painter's small font fits in it).
inline constexpr int kPlotLabelHeight = 14;

struct PlotDrawing {
  int Width = 0, Height = 0;
  std::vector<PlotShape> Shapes;  // record by record: series 1 first, the lines over it
  std::vector<PlotGridLine> GridLines;  // drawn over the series
  std::vector<RangeLabel> RangeLabels;  // drawn last, with the grid labels
};

// The step between grid lines: 10 for "°C" and "MJ/m2.day", 20 for "%", 5 for "hour/day", 2 for
// "mm/day", 1 for any other unit.
int AxisStep(const std::string& unit);
// The grid lines of an axis: 0 (solid), every multiple of the step below the maximum, and below a
// minimum under -10 the lines -10, -20, ... above it.
std::vector<PlotGridLine> GridLines(const std::string& unit, int minimum, int maximum,
                                    const PlotScale& scale);
// The labels of the range's maximum and minimum; an end is left unlabelled when a labelled grid
// line carries its value or a grid label lies within a label's height of it.
std::vector<RangeLabel> RangeLabels(const std::string& unit, int minimum, int maximum,
                                    const PlotScale& scale,
                                    const std::vector<PlotGridLine>& lines);

// The whole plot of the records, record by record: the series values filled, each record drawn
// (series 1 as bars or a line, the others as lines joining the previous record's value unless it
// was missing), and the grid lines over them.
PlotDrawing DrawGraph(GraphDescription& graph, std::span<const PlotRecord> records,
                      const RepClimateFile& station, int width, int height);

// ---------------------------------------------------------------------------------------------
// The time strip

struct TimeLabel {
  std::string Text;  // the month's number
  int X, Y;
};

struct TimeStrip {
  int Width = 0, Height = 0;
  std::vector<int> Boundaries;  // x of the month boundaries
  std::vector<TimeLabel> Labels;
  // Daily data: x of the day ticks inside the months, every day, every 5th or every 10th day (the
  // first that leaves ticks at least 4 pixels apart), TickHeight long from the top; none else.
  std::vector<int> DayTicks;
  int TickHeight = 0;
  std::string Year;  // YearLabel: the first record's year I(4), empty when not linked to a year
};

// The record counts, from the first visible record, after which a month ends (the last one at
// most the number of records); and the month of each stretch.
struct MonthStretches {
  std::vector<int32_t> Ends;
  std::vector<int> Months;
};
MonthStretches MonthsOfRange(const RepClimateFile& station, int32_t first, int32_t last);

// The time strip of records first..last (counted from 1) in an image of width x height.
TimeStrip BuildTimeStrip(const RepClimateFile& station, int32_t first, int32_t last, int width,
                         int height);

// ---------------------------------------------------------------------------------------------
// The legend

// How the legend marks a series: a filled swatch for bars, a line sample for a line.
enum class LegendMark : uint8_t { Swatch, LineSample };

struct LegendRow {
  int Slot = 0;  // the colour of the mark
  LegendMark Mark = LegendMark::LineSample;
  std::string Symbol;
  std::string Description;
};
// One row per series in use, in slot order; series 1 drawn as bars has the swatch (the others are
// lines whatever their style).
std::vector<LegendRow> LegendRows(const GraphDescription& graph);

}  // namespace vernoli
