// The overview of a station's climatic data file: type, span and number of records, per
// parameter the minimum, the maximum and the share of records holding a value, and the bar chart
// of one parameter over all records, as data the form paints.
//
// The values are those of the file, in the units of its columns.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/parameters.h"
#include "model/station.h"
#include "model/status.h"

namespace vernoli {

// Parameters beyond the 16th are listed but have no radio button and cannot be drawn.
inline constexpr int kPlotButtons = 16;

// One row of the statistics grid.
struct ParameterStatistics {
  int16_t Code = 0;
  std::string Symbol;       // from the parameter table
  std::string Description;  // from the parameter table
  std::string Unit;         // a blank and the unit, trimmed: " mm/day"
  std::string Minimum;      // two blanks and the value R(11, decimals) trimmed; two blanks alone
  std::string Maximum;      //   when the parameter holds no value
  std::string Recorded;     // 100 x values / records, R(10,1)
  int32_t Count = 0;        // records holding a value
  double Lowest = kMissing;   // the extremes of the values (when Count > 0)
  double Highest = kMissing;
  double RecordedPercent = 0.0;
};

struct DataOverview {
  std::string FileText;  // FileName trimmed + ".DTA"
  std::string Type;      // "Daily data", "10-Daily data" or "Monthly data"
  std::string Range;     // "from :  1 January 2001    to : 10 January 2001"
  std::string Records;   // "Number of record lines : 10"
  std::vector<ParameterStatistics> Rows;  // one per column of the file, in column order
  // The values of every record line, per column, missing values included.
  std::vector<std::vector<double>> Columns;

  // How many of the rows have a radio button: at most 16.
  int PlotButtons() const;
};

// The label texts of a station's span: "from : " and the first record, "    to : " and the last.
// Daily data show the day in I(2), 10-daily data the decade; monthly data neither. The years,
// in I(5), are left out for data not linked to a year.
std::string RangeText(const RepClimateFile& station);

// Reads the station's .DTA (DtaFileName) and fills the overview. A file that cannot be read is an
// error naming it and the line.
Status ReadDataOverview(const RepClimateFile& station, DataOverview& overview);

// ---------------------------------------------------------------------------------------------
// The chart

struct ChartBar {
  int Left, Right;  // the record's stretch of the width
  int Top, Bottom;  // from the 0 line to the value
};

// A value lying on the 0 line: a thick horizontal stroke across its record.
struct ChartZeroMark {
  int Left, Right;
  int Y;
};

struct ChartGridLine {
  double Value;
  int Y;
  bool Labelled;      // the label shows only between 2% and 98% of the height
  std::string Label;  // a blank, the value, a blank, the unit, a blank
  int LabelX, LabelY;  // 2% of the width from the left, 2% of the height above the line
};

struct Chart {
  bool Empty = true;  // a parameter recorded in (rounded) 0% of the records: nothing drawn
  std::string Title;  // the parameter's description, trimmed
  double Minimum = 0.0;
  double Maximum = 0.0;
  double Step = 0.0;       // between grid lines
  int LabelDecimals = 0;
  int ZeroY = 0;
  std::vector<ChartBar> Bars;
  std::vector<ChartZeroMark> ZeroMarks;
  std::vector<ChartGridLine> GridLines;
};

// The first day of the year (1..365) with the largest extraterrestrial radiation at a latitude.
int DayOfHighestRadiation(double latitude);

// The vertical range of the chart of a parameter: its plausible range on the day of highest
// radiation; for ETo the maximum is 8.0 or the largest ETo value when that is larger; the maximum
// then raised by 5% of the range and a minimum above 0 lowered to 0.
ValueRange ChartRange(const RepClimateFile& station, const ParameterStatistics& row);

// The step of the grid lines: the first of 5e-6, 1e-5, 2.5e-5, 5e-5, 1e-4, 2.5e-4, ... that is at
// least maximum / 5.
double GridStep(double maximum);
// The decimals of the grid labels: none for a step of 1 or more other than 2.5, else the
// smallest d for which the fractional part of the step times 10^d reaches 10.
int GridLabelDecimals(double step);

// The chart of row `parameter` (0 for the first) in an image of width x height pixels.
Chart BuildChart(const RepClimateFile& station, const DataOverview& overview, int parameter,
                 int width, int height);

}  // namespace vernoli
