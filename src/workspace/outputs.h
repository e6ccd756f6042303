// The output files of a calculation run: the ETo report (.REP), and the crop-model files with
// the ETo (.ETo) and the minimum and maximum temperatures (.TMP) of every record.
//
// Each file starts with its header; the run then writes one line per record. The report's
// lines follow the blocks chosen for it; the crop-model files hold no missing value, their
// series have every gap filled. The temperature file is made from the station's data file
// itself; the filled Tmin series is held in memory meanwhile.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/record.h"
#include "limits/boundary.h"
#include "model/atomicfile.h"
#include "model/status.h"
#include "plot/report.h"

namespace vernoli {

// The output file of a run: 0 report, 1 crop-model ETo file, 2 crop-model temperature file.
enum class OutputKind : uint8_t { Report = 0, EToFile = 1, TemperatureFile = 2 };

// "REP", "ETo" or "TMP".
std::string_view OutputExtension(OutputKind kind);

// True when the data set holds a temperature code in degF (111-113, 211, 233, 234): the
// workspace then opens in Fahrenheit, and the temperature file is made from 113 and 111.
bool TemperaturesInFahrenheit(std::span<const int16_t> codes);

// The temperature file needs Tmin and Tmax under the codes of the temperature unit (103 and 101
// in degC, 113 and 111 in degF). Without them the export is refused, naming the output file.
Status CheckTemperatureColumns(std::span<const int16_t> codes, bool fahrenheit,
                               std::string_view outputFile);

// The outcome of a run, or of writing one output file: done, failed with the program's message,
// or cancelled at a boundary request (then nothing was written: neither the data file nor the
// output file changed).
struct RunResult {
  Status Outcome;
  bool Cancelled = false;
  bool NameRefused = false;  // ExportFile: the output name did not pass the file-name check
  int32_t Records = 0;       // records processed
  explicit operator bool() const { return Outcome.Ok && !Cancelled; }
};

// A run that failed with `status`, and one that the user cancelled.
RunResult FailedRun(Status status);
RunResult CancelledRun();

// ---------------------------------------------------------------------------------------------
// Headers

// The header lines of an output file, without line ends: the description, then for the report
// an empty line, the title line and the units line of the chosen blocks; for the crop-model
// files the data type, first day, month and year lines, an empty line, the column title and a
// line of 23 equals signs.
std::vector<std::string> OutputHeaderLines(const std::string& description, OutputKind kind,
                                           const int16_t* codes, int count, int fromYear,
                                           int fromMonth, int fromDay, uint8_t dataType,
                                           const ReportContent& content);
// Writes them into the output file (which is committed after the run has written the body).
void WriteOutputHeader(AtomicFile& file, const std::string& description, OutputKind kind,
                       const int16_t* codes, int count, int fromYear, int fromMonth, int fromDay,
                       uint8_t dataType, const ReportContent& content);

// ---------------------------------------------------------------------------------------------
// The report

// The report's line of one record, without its line end, in `line`: the blocks of `content` for
// record `number`, dated by `date` (which then steps on to the next record), with the record's
// values in the units of `codes` (ETo last) and its results.
void ReportRecordLine(std::string& line, const ReportContent& content, int32_t number,
                      ReportDateCounter& date, std::span<const int16_t> codes,
                      const double* values, const RecordResults& results);

// ---------------------------------------------------------------------------------------------
// Gap filling

// Writes a series one value per record with its gaps filled by linear interpolation. A gap at
// the start asks for the first value of the series, a gap at the end for the last one; an inner
// gap runs linearly between its neighbours.
class GapFiller {
 public:
  using Sink = std::function<void(double)>;

  // `series` names the parameter and its unit; its `First` is ignored.
  GapFiller(BoundaryRequest series, BoundaryValueSource source, Sink sink);

  // The next value of the series (missing or not). False when a boundary request was cancelled.
  bool Add(double value);
  // Ends the series, asking for the last value when it ends in a gap. False when cancelled.
  bool Finish();

 private:
  bool Ask(bool first, double& value);

  BoundaryRequest series_;
  BoundaryValueSource source_;
  Sink sink_;
  double last_;      // the last value written; missing before the first
  int64_t pending_;  // missing records not written yet
  bool inGap_;
};

// ---------------------------------------------------------------------------------------------
// The crop-model files

// The ETo series of the crop-model ETo file: each value, gaps filled, written R(12,1) on a line
// of its own into `file`.
GapFiller EToFileSeries(AtomicFile& file, BoundaryValueSource boundary);

// Appends to `file` one line per record of the data file `dataFile`: Tmin and Tmax in degC,
// each R(12,1), both series with their gaps filled (in the data's own unit, then converted from
// degF).
RunResult WriteTemperatureFile(const std::string& dataFile, AtomicFile& file, bool fahrenheit,
                               const BoundaryValueSource& boundary);

}  // namespace vernoli
