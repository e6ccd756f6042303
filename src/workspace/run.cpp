#include "workspace/run.h"

#include <algorithm>
#include <optional>

#include "model/atomicfile.h"
#include "model/checks.h"
#include "model/datafile.h"
#include "model/linereader.h"
#include "model/numbers.h"
#include "model/stationcodes.h"
#include "model/stationlock.h"
#include "workspace/validation.h"
#include "workspace/workingdata.h"

namespace vernoli {

namespace {

std::string ReasonNoEToColumn(std::string_view file) {
  return "the last column of file " + std::string(file) + " is not ETo (code 501)";
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// One record of the run

RecordRun::RecordRun(const RepClimateFile& station)
    : station_(station),
      constants_(std::make_unique<StationConstants>(station)),
      driver_(std::make_unique<BlockDriver>(*constants_)),
      block_(std::make_unique_for_overwrite<RecordBlock>()),
      blockResults_(std::make_unique_for_overwrite<BlockResults>()),
      codes_(StationCodes(station)) {
  const int count = static_cast<int>(codes_.size());
  for (int i = 0; i < count; ++i) {
    const auto c = static_cast<std::size_t>(i);
    rows_[c] = RowOfCode(codes_[c]);
    decimals_[c] = DecimalsOfCode(codes_[c]);
  }
  if (count > 0) convert_ = StandardRows(count, codes_.data(), rows_.data());
  blockValues_.resize(kBlockRecords * codes_.size());
}

RecordRun::~RecordRun() = default;

void RecordRun::SelectRecord(std::span<const ClimaticRecord> records, int32_t k) {
  const std::size_t inBlock = static_cast<std::size_t>(k) % kBlockRecords;
  if (inBlock == 0) {
    // The block that starts here, computed at once.
    Clear();
    const auto count = static_cast<int32_t>(records.size());
    for (int32_t next = k; next < count && !Full(); ++next) {
      Add(next, records[static_cast<std::size_t>(next)]);
    }
    ComputeBlock();
  }
  Select(inBlock);
}

void RecordRun::Add(int32_t k, const ClimaticRecord& working) {
  const std::size_t count = codes_.size();
  double* const values = blockValues_.data() + block_->Count * count;
  // The engine sees the station's parameters only, whatever else the working record holds.
  ClimaticRecord record;
  for (std::size_t i = 0; i + 1 < count; ++i) {
    const int row = rows_[i];
    double value = kMissing;
    if (row >= 1 && row <= kParameterCount) {
      value = working[row];
      record[row] = value;
    }
    // Every code in its standard unit: the conversion back would change nothing.
    values[i] = IsMissing(value) ? kMissing : convert_ ? FromStandardUnit(codes_[i], value) : value;
  }
  block_->Add(DayOfYearForRecord(station_, k), record);
}

bool RecordRun::Full() const { return block_->Full(); }
std::size_t RecordRun::Count() const { return block_->Count; }
void RecordRun::Clear() { block_->Clear(); }

void RecordRun::ComputeBlock() { driver_->Compute(*block_, *blockResults_); }

void RecordRun::Select(std::size_t i) {
  const std::size_t count = codes_.size();
  std::copy_n(blockValues_.begin() + static_cast<std::ptrdiff_t>(i * count), count, values_.begin());
  results_ = blockResults_->Record(i);
  eto_ = blockResults_->ETo[i];
  if (count > 0) values_[count - 1] = IsMissing(eto_) ? kMissing : eto_;
}

int RecordRun::DataLine(int32_t number, std::string& line) const {
  line.clear();
  AppendInt(line, number, kDataFieldWidth);
  int refused = FieldReadsBack(line, kDataFieldWidth) ? -1 : 0;
  for (std::size_t i = 0; i < codes_.size(); ++i) {
    if (!AppendField(line, values_[i], kDataFieldWidth, decimals_[i]) && refused < 0) {
      refused = static_cast<int>(i) + 1;
    }
  }
  return refused;
}

Status RecordRun::FieldRefusal(int field, int32_t number, std::string_view file,
                               int64_t lineNumber) const {
  std::string what = "the record number " + std::to_string(number);
  std::string column = "1 (Nr)";
  std::string text = FormatInt(number, kDataFieldWidth);
  if (field > 0) {
    const auto c = static_cast<std::size_t>(field - 1);
    const int row = RowOfCode(codes_[c]);
    const std::string_view symbol = row == 0 ? std::string_view() : ParameterRow(row).Symbol;
    const std::string_view unit = row == 0 ? std::string_view() : ParameterRow(row).Unit;
    what = "the value " + ShortestText(values_[c]);
    column = std::to_string(field + 1) + " (" + std::string(Trimmed(symbol)) + ", " +
             std::string(Trimmed(unit)) + ")";
    text = FormatReal(values_[c], kDataFieldWidth, decimals_[c]);
  }
  return Status::Error("file " + std::string(file) + ", line " + std::to_string(lineNumber) +
                       ", column " + column + ": " + what + " " +
                       FieldFault(text, kDataFieldWidth) + "; nothing was written");
}

RunResult RunOverDataFile(const RepClimateFile& station, const DataFileRecordSink& each) {
  // In the order of the checks of LoadWorkingData and RunCalculation.
  DataFileReader reader;
  if (Status s = reader.Open(station.DtaFileName); !s) return FailedRun(s);
  if (Status s = CheckDataFileCodes(reader.Codes(), station.DtaFileName); !s) return FailedRun(s);
  const std::span<const int16_t> codes = StationCodes(station);
  if (codes.empty() || codes.back() != kEToParameterCode) {
    return FailedRun(Status::Error(ReasonNoEToColumn(station.DtaFileName)));
  }
  const ColumnMapping mapping(reader.Codes());
  const DataFileValueCheck check(station, reader.Codes(), station.DtaFileName);
  RecordRun run(station);
  std::array<int32_t, kBlockRecords> numbers{};
  // The records read are computed a block at a time and handed on in their order, before any
  // refusal of a later line.
  const auto handOn = [&run, &numbers, &each] {
    run.ComputeBlock();
    for (std::size_t i = 0; i < run.Count(); ++i) {
      run.Select(i);
      if (Status s = each(numbers[i], run); !s) return s;
    }
    run.Clear();
    return Status::Success();
  };
  DataRecord record;
  RunResult result;
  while (reader.Next(record)) {
    if (Status s = check.Check(result.Records, record.Values, reader.LineNumber(), reader.Line());
        !s) {
      if (Status handed = handOn(); !handed) return FailedRun(handed);
      return FailedRun(s);
    }
    numbers[run.Count()] = record.Number;
    run.Add(result.Records, StandardRecord(mapping, record.Values));
    ++result.Records;
    if (run.Full()) {
      if (Status s = handOn(); !s) return FailedRun(s);
    }
  }
  if (Status s = handOn(); !s) return FailedRun(s);
  if (!reader.status()) return FailedRun(reader.status());
  return result;
}

RunResult RecomputeDataFile(const RepClimateFile& station) {
  AtomicFile dta(station.DtaFileName);
  dta.WriteLine(DataHeaderLine(StationCodes(station)));
  std::string line;
  int64_t lineNumber = 1;
  RunResult result = RunOverDataFile(station, [&](int32_t number, const RecordRun& run) {
    ++lineNumber;
    if (const int field = run.DataLine(number, line); field >= 0) {
      return run.FieldRefusal(field, number, dta.Target(), lineNumber);
    }
    dta.WriteLine(line);
    return dta.Good() ? Status::Success()
                      : Status::Error(ReasonCannotWrite(dta.Target(), dta.ErrorNumber()));
  });
  if (!result) return result;
  if (Status s = dta.Commit(); !s) return FailedRun(s);
  return result;
}

// ---------------------------------------------------------------------------------------------
// The run

RunResult RunCalculation(const RepClimateFile& station, const WorkingData& data,
                         RunOutput* output, bool rewriteDataFile) {
  const std::span<const int16_t> codes = StationCodes(station);
  if (codes.empty() || codes.back() != kEToParameterCode) {
    return FailedRun(Status::Error(ReasonNoEToColumn(station.DtaFileName)));
  }
  if (output != nullptr && output->File == nullptr) {
    return FailedRun(Status::Error(ReasonCannotWrite(OutputExtension(output->Kind))));
  }
  const OutputKind kind = output != nullptr ? output->Kind : OutputKind::Report;
  const bool report = output != nullptr && kind == OutputKind::Report;
  const bool etoFile = output != nullptr && kind == OutputKind::EToFile;
  RunResult result;

  if (rewriteDataFile || report || etoFile) {
    std::optional<AtomicFile> dta;
    // The station's data file is replaced under its lock, as every change of a station is (a
    // hidden staged file of a file set is written under the set's lock already).
    StationLock lock;
    if (rewriteDataFile) {
      const std::string& target = station.DtaFileName;
      const std::size_t slash = target.find_last_of('/');
      const bool staged = target.compare(slash == std::string::npos ? 0 : slash + 1, 1, ".") == 0;
      if (Status s = staged ? Status::Success()
                            : lock.Take(target, StationLock::Mode::Exclusive);
          !s) {
        return FailedRun(s);
      }
      dta.emplace(station.DtaFileName);
      dta->WriteLine(DataHeaderLine(codes));
    }
    AtomicFile* out = output != nullptr ? output->File : nullptr;

    ReportDateCounter date(station.DataType, station.From());
    std::optional<GapFiller> etoSeries;
    if (etoFile) etoSeries.emplace(EToFileSeries(*out, output->Boundary));

    RecordRun run(station);
    std::string dtaLine;
    std::string reportLine;
    const auto records = static_cast<int32_t>(data.Records.size());
    int32_t k = 0;
    while (k < records) {
      const int32_t number = data.Numbers[static_cast<std::size_t>(k)];
      run.SelectRecord(data.Records, k);
      ++k;

      if (dta) {
        if (const int field = run.DataLine(number, dtaLine); field >= 0) {
          return FailedRun(run.FieldRefusal(field, number, dta->Target(), k + 1));
        }
        dta->WriteLine(dtaLine);
        if (!dta->Good()) {
          return FailedRun(Status::Error(ReasonCannotWrite(dta->Target(), dta->ErrorNumber())));
        }
      }
      if (report) {
        ReportRecordLine(reportLine, output->Content, number, date, codes, run.Values().data(),
                         run.Results());
        out->WriteLine(reportLine);
      } else if (etoSeries && !etoSeries->Add(run.ETo())) {
        return CancelledRun();
      }
      if (out != nullptr && !out->Good()) {
        return FailedRun(Status::Error(ReasonCannotWrite(out->Target(), out->ErrorNumber())));
      }
    }
    if (etoSeries) {
      if (!etoSeries->Finish()) return CancelledRun();
      if (!out->Good()) {
        return FailedRun(Status::Error(ReasonCannotWrite(out->Target(), out->ErrorNumber())));
      }
    }
    if (dta) {
      if (Status s = dta->Commit(); !s) return FailedRun(s);
    }
    result.Records = k;
  }

  if (output != nullptr && kind == OutputKind::TemperatureFile) {
    RunResult temperatures = WriteTemperatureFile(station.DtaFileName, *output->File,
                                                  output->Fahrenheit, output->Boundary);
    if (!temperatures) return temperatures;
    if (result.Records == 0) result.Records = temperatures.Records;
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// One export

RunResult ExportFile(const RepClimateFile& station, const WorkingData& data,
                     ExportRequest& request) {
  const std::string extension(OutputExtension(request.Kind));
  const std::span<const int16_t> codes = StationCodes(station);
  if (request.Kind == OutputKind::TemperatureFile) {
    const std::string target = PathInFolder(request.OutputFolder, request.Name + "." + extension);
    if (Status s = CheckTemperatureColumns(codes, request.Fahrenheit, target); !s) {
      return FailedRun(s);
    }
  }
  const FileNameCheck name = CheckNewFileName(request.OutputFolder, request.Name, extension, true);
  request.Name = name.Name;
  if (!name.Ok()) {
    RunResult refused = FailedRun(Status{false, name.Message});
    refused.NameRefused = true;
    return refused;
  }

  AtomicFile file(name.Path);
  WriteOutputHeader(file, request.Description, request.Kind, codes.data(),
                    static_cast<int>(codes.size()), station.FromYear, station.FromMonth,
                    station.FromDay, station.DataType, request.Content);
  RunOutput output;
  output.Kind = request.Kind;
  output.File = &file;
  output.Content = request.Content;
  output.Boundary = request.Boundary;
  output.Fahrenheit = request.Fahrenheit;
  RunResult result = RunCalculation(station, data, &output, request.RewriteDataFile);
  if (!result) return result;
  if (Status s = file.Commit(); !s) return FailedRun(s);
  return result;
}

}  // namespace vernoli
