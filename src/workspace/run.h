// The calculation run.
//
// The run takes the station's working data in memory (workspace/workingdata.h) one record at a
// time, computes each record's ETo, rewrites the station's data file (.DTA) with the ETo as its
// last column and, when asked, writes the body of one output file (workspace/outputs.h): the
// ETo report (.REP), or the crop-model ETo file (.ETo) or temperature file (.TMP). Every file is
// written through a temporary file and an atomic rename: a failure at any point leaves the old
// file exactly as it was.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/block.h"
#include "engine/record.h"
#include "limits/boundary.h"
#include "model/atomicfile.h"
#include "model/station.h"
#include "model/status.h"
#include "plot/report.h"
#include "workspace/outputs.h"
#include "workspace/workingdata.h"

namespace vernoli {

// ---------------------------------------------------------------------------------------------
// One record of the run

// What the run makes of its records: the engine's record from the station's rows of a working
// record, every column's value in its code's unit with the computed ETo last, and the 17 results.
// The records are computed a block at a time (engine/block.h): Add them until the block is
// Full, ComputeBlock, then Select each in turn and read it.
class RecordRun {
 public:
  explicit RecordRun(const RepClimateFile& station);
  ~RecordRun();
  RecordRun(const RecordRun&) = delete;
  RecordRun& operator=(const RecordRun&) = delete;

  // Makes record k of `records` the selected one: all the station's working records, each one
  // value per parameter-table row in standard units (missing values -999), taken in order from
  // k = 0 (the offset from the station's first record). The block starting at k is computed
  // when k starts one.
  void SelectRecord(std::span<const ClimaticRecord> records, int32_t k);

  // Adds record k (the offset from the station's first record) to the block; the block must not
  // be full.
  void Add(int32_t k, const ClimaticRecord& working);
  bool Full() const;
  std::size_t Count() const;
  // Computes the records added since the last Clear.
  void ComputeBlock();
  // Makes record i (0-based, in the order added) of the computed block the one read below.
  void Select(std::size_t i);
  void Clear();

  // The ETo of the station's method (-999 when it cannot be computed).
  double ETo() const { return eto_; }
  // The station's columns in their units, ETo last.
  std::span<const double> Values() const { return {values_.data(), codes_.size()}; }
  const RecordResults& Results() const { return results_; }
  // The record's .DTA line, without its line end: the number I(10), then each column R(10) with
  // its code's decimals. Returns the first field (0 the number, c + 1 column c) whose number
  // does not fit its 10 characters or would not read back (FieldReadsBack); -1 when all do.
  int DataLine(int32_t number, std::string& line) const;
  // The refusal of such a field of line `lineNumber` of `file`, naming the column and the value.
  Status FieldRefusal(int field, int32_t number, std::string_view file, int64_t lineNumber) const;

 private:
  const RepClimateFile& station_;
  std::unique_ptr<StationConstants> constants_;
  std::unique_ptr<BlockDriver> driver_;
  std::unique_ptr<RecordBlock> block_;
  std::unique_ptr<BlockResults> blockResults_;
  std::vector<double> blockValues_;  // the columns in their units, a row of codes per record
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
};

// Runs the calculation over the working data: rewrites DtaFileName (header of the station's
// codes, every value converted back to its column's unit, the computed ETo in the last column,
// which must be code 501) and, with `output`, writes the output file's body; for a temperature
// file it then calls WriteTemperatureFile. With rewriteDataFile false the data file is left as
// it is (the temperature file is then made from it as it stands).
RunResult RunCalculation(const RepClimateFile& station, const WorkingData& data,
                         RunOutput* output = nullptr, bool rewriteDataFile = true);

// Called for each record with its number and what the run made of it; an error stops the run.
using DataFileRecordSink = std::function<Status(int32_t number, const RecordRun& run)>;

// The run straight over the station's data file, without holding its working data: each record
// exactly as RunCalculation computes it after LoadWorkingData, one at a time. Refuses what those
// refuse (a last column that is not ETo, a code that is no climatic parameter, an unreadable
// line).
RunResult RunOverDataFile(const RepClimateFile& station, const DataFileRecordSink& each);

// Rewrites the station's data file with the computed ETo straight from itself: the same bytes as
// LoadWorkingData followed by RunCalculation. On failure the file stays as it was.
RunResult RecomputeDataFile(const RepClimateFile& station);

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
RunResult ExportFile(const RepClimateFile& station, const WorkingData& data,
                     ExportRequest& request);

}  // namespace vernoli
