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
    : station_(station), constants_(station), codes_(StationCodes(station)) {
  const int count = static_cast<int>(codes_.size());
  for (int i = 0; i < count; ++i) {
    const auto c = static_cast<std::size_t>(i);
    rows_[c] = RowOfCode(codes_[c]);
    decimals_[c] = DecimalsOfCode(codes_[c]);
  }
  if (count > 0) convert_ = StandardRows(count, codes_.data(), rows_.data());
}

void RecordRun::Compute(int32_t k, const ClimaticRecord& working) {
  const std::size_t count = codes_.size();
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
    values_[i] = IsMissing(value) ? kMissing : convert_ ? FromStandardUnit(codes_[i], value) : value;
  }
  eto_ = ComputeRecord(DayOfYearForRecord(station_, k), record, constants_, results_);
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
  DataRecord record;
  RunResult result;
  while (reader.Next(record)) {
    if (Status s = check.Check(result.Records, record.Values, reader.LineNumber(), reader.Line());
        !s) {
      return FailedRun(s);
    }
    run.Compute(result.Records, StandardRecord(mapping, record.Values));
    ++result.Records;
    if (Status s = each(record.Number, run); !s) return FailedRun(s);
  }
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
    int32_t k = 0;
    for (const ClimaticRecord& working : data.Records) {
      const int32_t number = data.Numbers[static_cast<std::size_t>(k)];
      run.Compute(k, working);
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
