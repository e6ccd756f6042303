// The calculation run and the result files.
//
// The run reads the working file (or the workspace's working data in memory) one record at a
// time, computes each record's ETo, rewrites the station's data file (.DTA) with the ETo as its
// last column and, when asked, writes the body of one output file: the ETo report (.REP), or the
// crop-model ETo file (.ETo) or temperature file (.TMP). Every file is written through a temporary file
// and an atomic rename: a failure at any point leaves the old file exactly as it was.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/record.h"
#include "limits/boundary.h"
#include "model/station.h"
#include "model/status.h"
#include "model/textfile.h"
#include "plot/report.h"
#include "workspace/workingfile.h"

namespace vernoli {

// The output file of a run: 0 report, 1 crop-model ETo file, 2 crop-model temperature file.
enum class OutputKind : uint8_t { Report = 0, EToFile = 1, TemperatureFile = 2 };

// "REP", "ETo" or "TMP".
std::string_view OutputExtension(OutputKind kind);
// The extension of the temperature file's scratch file.
inline constexpr std::string_view kScratchExtension = "Tmi";

// True when the data set holds a temperature code in degF (111-113, 211, 233, 234): the
// workspace then opens in Fahrenheit, and the temperature file is made from 113 and 111.
bool TemperaturesInFahrenheit(std::span<const int16_t> codes);

// The temperature file needs Tmin and Tmax under the codes of the temperature unit (103 and 101
// in degC, 113 and 111 in degF). Without them the export is refused, naming the output file.
Status CheckTemperatureColumns(std::span<const int16_t> codes, bool fahrenheit,
                               std::string_view outputFile);

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
// One record of the run

// What the run makes of one record: the engine's record from the station's rows of a working
// record, every column's value in its code's unit with the computed ETo last, and the 17 results.
class RecordRun {
 public:
  explicit RecordRun(const RepClimateFile& station);
  // Computes record k (the 0-based offset from the station's first record) from `working`: one
  // value per parameter-table row in standard units, missing values -999.
  void Compute(int32_t k, const ClimaticRecord& working);
  // The ETo of the station's method (-999 when it cannot be computed).
  double ETo() const { return eto_; }
  // The station's columns in their units, ETo last.
  std::span<const double> Values() const { return {values_.data(), codes_.size()}; }
  const RecordResults& Results() const { return results_; }
  // The record's .DTA line, without its line end: the number I(10), then each column R(10) with
  // its code's decimals.
  void DataLine(int32_t number, std::string& line) const;

 private:
  const RepClimateFile& station_;
  StationConstants constants_;
  std::span<const int16_t> codes_;
  std::array<int, kParameterCount> rows_{};
  std::array<int, kParameterCount> decimals_{};
  std::array<double, kParameterCount> values_{};
  bool convert_ = false;  // a code in a unit other than the standard one
  RecordResults results_;
  double eto_ = kMissing;
};

// ---------------------------------------------------------------------------------------------
// The run

// What a run writes besides the data file.
struct RunOutput {
  OutputKind Kind = OutputKind::Report;
  // The output file holding its header; the run appends the body and the caller commits it.
  AtomicFile* File = nullptr;
  ReportContent Content;         // the report's blocks
  BoundaryValueSource Boundary;  // first and last values of the crop-model series
  bool Fahrenheit = false;       // the temperature unit of the temperature file
  std::string ScratchPath;       // the temperature file's scratch file (.Tmi)
};

// The outcome of a run: done, failed with the program's message, or cancelled at a boundary
// request (then nothing was written: neither the data file nor the output file changed).
struct RunResult {
  Status Outcome;
  bool Cancelled = false;
  bool NameRefused = false;  // ExportFile: the output name did not pass the file-name check
  int32_t Records = 0;       // records processed
  explicit operator bool() const { return Outcome.Ok && !Cancelled; }
};

// Runs the calculation over the working file: rewrites DtaFileName (header of the station's
// codes, every value converted back to its column's unit, the computed ETo in the last column,
// which must be code 501) and, with `output`, writes the output file's body; for a temperature
// file it then calls WriteTemperatureFile. With rewriteDataFile false the data file is left as
// it is (the temperature file is then made from it as it stands).
RunResult RunCalculation(const RepClimateFile& station, const std::string& workingFile,
                         RunOutput* output = nullptr, bool rewriteDataFile = true);
// The same over the working data in memory: the very same bytes.
RunResult RunCalculation(const RepClimateFile& station, const WorkingData& data,
                         RunOutput* output = nullptr, bool rewriteDataFile = true);

// Called for each record with its number and what the run made of it; an error stops the run.
using DataFileRecordSink = std::function<Status(int32_t number, const RecordRun& run)>;

// The run straight over the station's data file, without a working file: each record exactly as
// RunCalculation computes it after BuildWorkingFile, one at a time. Refuses what those refuse (a
// last column that is not ETo, a code that is no climatic parameter, an unreadable line).
RunResult RunOverDataFile(const RepClimateFile& station, const DataFileRecordSink& each);

// Rewrites the station's data file with the computed ETo straight from itself: the same bytes as
// BuildWorkingFile followed by RunCalculation. On failure the file stays as it was.
RunResult RecomputeDataFile(const RepClimateFile& station);

// Appends to `file` one line per record of the data file `dataFile`: Tmin and Tmax in degC,
// each R(12,1), both series with their gaps filled (in the data's own unit, then converted from
// degF). The filled Tmin series passes through the scratch file, which is removed afterwards.
RunResult WriteTemperatureFile(const std::string& dataFile, AtomicFile& file,
                               const std::string& scratchPath, bool fahrenheit,
                               const BoundaryValueSource& boundary);

// ---------------------------------------------------------------------------------------------
// One export

struct ExportRequest {
  OutputKind Kind = OutputKind::Report;
  std::string OutputFolder;
  std::string Name;  // the output name; afterwards without blanks, as the name check leaves it
  std::string Description;
  ReportContent Content;
  BoundaryValueSource Boundary;
  bool Fahrenheit = false;
  bool RewriteDataFile = true;
};

// The export of one output file: for a temperature file the check of its columns; the name check
// (existing files allowed); the header; the run; the commit of the output file.
RunResult ExportFile(const RepClimateFile& station, const std::string& workingFile,
                     ExportRequest& request);
RunResult ExportFile(const RepClimateFile& station, const WorkingData& data,
                     ExportRequest& request);

}  // namespace vernoli
