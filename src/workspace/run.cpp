#include "workspace/run.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "engine/record.h"
#include "model/checks.h"
#include "model/datafile.h"
#include "model/stationcodes.h"
#include "workspace/workingfile.h"

namespace vernoli {

namespace {

constexpr int16_t kEToCode = 501;
constexpr int kOutputValueWidth = 12;
constexpr std::string_view kEquals = "=======================";

double FahrenheitToCelsius(double x) { return (x - 32.0) * 5.0 / 9.0; }

std::string ReasonNoEToColumn(std::string_view file) {
  return "the last column of file " + std::string(file) + " is not ETo (code 501)";
}

std::string ReasonNoTemperatures(std::string_view outputFile, bool fahrenheit) {
  return "cannot write the temperature file " + std::string(outputFile) +
         ": the data set has no minimum and maximum air temperature in " +
         (fahrenheit ? "Fahrenheit (codes 113 and 111)" : "Celsius (codes 103 and 101)");
}

RunResult Failed(Status status) {
  RunResult result;
  result.Outcome = std::move(status);
  return result;
}

RunResult Cancelled() {
  RunResult result;
  result.Cancelled = true;
  return result;
}

// Position of `code` in `codes`, or -1.
int ColumnOf(std::span<const int16_t> codes, int code) {
  const auto it = std::find(codes.begin(), codes.end(), code);
  return it == codes.end() ? -1 : static_cast<int>(it - codes.begin());
}

// Removes the scratch file when it goes out of scope.
class ScratchFile {
 public:
  explicit ScratchFile(std::string path) : path_(std::move(path)) {}
  ~ScratchFile() { RemoveFile(path_); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

 private:
  std::string path_;
};

}  // namespace

std::string_view OutputExtension(OutputKind kind) {
  switch (kind) {
    case OutputKind::EToFile: return "ETo";
    case OutputKind::TemperatureFile: return "TMP";
    case OutputKind::Report: break;
  }
  return "REP";
}

bool TemperaturesInFahrenheit(std::span<const int16_t> codes) {
  return std::any_of(codes.begin(), codes.end(), [](int16_t code) {
    return (code >= 111 && code <= 113) || code == 211 || code == 233 || code == 234;
  });
}

Status CheckTemperatureColumns(std::span<const int16_t> codes, bool fahrenheit,
                               std::string_view outputFile) {
  const int tmin = fahrenheit ? 113 : 103;
  const int tmax = fahrenheit ? 111 : 101;
  if (ColumnOf(codes, tmin) < 0 || ColumnOf(codes, tmax) < 0) {
    return Status::Error(ReasonNoTemperatures(outputFile, fahrenheit));
  }
  return Status::Success();
}

// ---------------------------------------------------------------------------------------------
// Headers

std::vector<std::string> OutputHeaderLines(const std::string& description, OutputKind kind,
                                           const int16_t* codes, int count, int fromYear,
                                           int fromMonth, int fromDay, uint8_t dataType,
                                           const ReportContent& content) {
  std::vector<std::string> lines{description};
  if (kind == OutputKind::Report) {
    const bool linked = fromYear != kYearNotLinked;
    lines.emplace_back();
    lines.push_back(ReportTitleLine(content, dataType, linked, codes, count));
    lines.push_back(ReportUnitsLine(content, dataType, linked, codes, count));
    return lines;
  }
  const char* records = dataType == kDaily      ? "Daily"
                        : dataType == kTenDaily ? "10-Daily"
                                                : "Monthly";
  const int typeCode = dataType == kDaily ? 1 : dataType == kTenDaily ? 2 : 3;
  lines.push_back(FormatInt(typeCode, 6) + "  : " + records +
                  " records (1=daily, 2=10-daily and 3=monthly data)");
  lines.push_back(FormatInt(fromDay, 6) +
                  "  : First day of record (1, 11 or 21 for 10-day or 1 for months)");
  lines.push_back(FormatInt(fromMonth, 6) + "  : First month of record");
  lines.push_back(FormatInt(fromYear, 6) +
                  "  : First year of record (1901 if not linked to a specific year)");
  lines.emplace_back();
  lines.emplace_back(kind == OutputKind::EToFile ? "  Average ETo (mm/day)"
                                                 : "  Tmin (C)   TMax (C)");
  lines.emplace_back(kEquals);
  return lines;
}

void WriteOutputHeader(AtomicFile& file, const std::string& description, OutputKind kind,
                       const int16_t* codes, int count, int fromYear, int fromMonth, int fromDay,
                       uint8_t dataType, const ReportContent& content) {
  for (const std::string& line : OutputHeaderLines(description, kind, codes, count, fromYear,
                                                   fromMonth, fromDay, dataType, content)) {
    file.WriteLine(line);
  }
}

// ---------------------------------------------------------------------------------------------
// Gap filling

GapFiller::GapFiller(BoundaryRequest series, BoundaryValueSource source, Sink sink)
    : series_(std::move(series)),
      source_(std::move(source)),
      sink_(std::move(sink)),
      last_(kMissing),
      pending_(0),
      inGap_(false) {}

bool GapFiller::Ask(bool first, double& value) {
  if (!source_) return false;
  BoundaryRequest request = series_;
  request.First = first;
  const std::optional<double> answer = source_(request);
  if (!answer) return false;
  value = *answer;
  return true;
}

bool GapFiller::Add(double value) {
  if (IsMissing(value)) {
    inGap_ = true;
    ++pending_;
    if (IsMissing(last_)) {
      // The series starts with a gap: its first record takes the first value.
      double first = kMissing;
      if (!Ask(true, first)) return false;
      sink_(first);
      last_ = first;
      pending_ = 0;
    }
    return true;
  }
  if (inGap_) {
    const double n = static_cast<double>(pending_);
    for (int64_t i = 1; i <= pending_; ++i) {
      sink_(last_ + (value - last_) * static_cast<double>(i) / (n + 1.0));
    }
    inGap_ = false;
    pending_ = 0;
  }
  sink_(value);
  last_ = value;
  return true;
}

bool GapFiller::Finish() {
  if (inGap_ && pending_ >= 1) {
    // The series ends in a gap: it runs to the last value, which the last record takes.
    double lastValue = kMissing;
    if (!Ask(false, lastValue)) return false;
    const double n = static_cast<double>(pending_);
    for (int64_t i = 1; i < pending_; ++i) {
      sink_(last_ + (lastValue - last_) * static_cast<double>(i) / n);
    }
    sink_(lastValue);
    last_ = lastValue;
  }
  inGap_ = false;
  pending_ = 0;
  return true;
}

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

void RecordRun::DataLine(int32_t number, std::string& line) const {
  line.clear();
  AppendInt(line, number, kDataFieldWidth);
  for (std::size_t i = 0; i < codes_.size(); ++i) {
    AppendField(line, values_[i], kDataFieldWidth, decimals_[i]);
  }
}

RunResult RunOverDataFile(const RepClimateFile& station, const DataFileRecordSink& each) {
  // In the order of the checks of BuildWorkingFile and RunCalculation.
  DataFileReader reader;
  if (Status s = reader.Open(station.DtaFileName); !s) return Failed(s);
  if (Status s = CheckDataFileCodes(reader.Codes(), station.DtaFileName); !s) return Failed(s);
  const std::span<const int16_t> codes = StationCodes(station);
  if (codes.empty() || codes.back() != kEToCode) {
    return Failed(Status::Error(ReasonNoEToColumn(station.DtaFileName)));
  }
  const ColumnMapping mapping(reader.Codes());
  RecordRun run(station);
  DataRecord record;
  RunResult result;
  while (reader.Next(record)) {
    run.Compute(result.Records, StandardRecord(mapping, record.Values));
    ++result.Records;
    if (Status s = each(record.Number, run); !s) return Failed(s);
  }
  if (!reader.status()) return Failed(reader.status());
  return result;
}

RunResult RecomputeDataFile(const RepClimateFile& station) {
  AtomicFile dta(station.DtaFileName);
  dta.WriteLine(DataHeaderLine(StationCodes(station)));
  std::string line;
  RunResult result = RunOverDataFile(station, [&](int32_t number, const RecordRun& run) {
    run.DataLine(number, line);
    dta.WriteLine(line);
    return dta.Good() ? Status::Success() : Status::Error(ReasonCannotWrite(dta.Target()));
  });
  if (!result) return result;
  if (Status s = dta.Commit(); !s) return Failed(s);
  return result;
}

// ---------------------------------------------------------------------------------------------
// The run

namespace {

// The records of the working file, one at a time.
class WorkingFileRecords {
 public:
  explicit WorkingFileRecords(const std::string& path) : path_(path) {}
  Status Open() { return reader_.Open(path_); }
  const ClimaticRecord* Next(int32_t& number) {
    return reader_.Next(number, record_) ? &record_ : nullptr;
  }
  const Status& status() const { return reader_.status(); }

 private:
  const std::string& path_;
  WorkingFileReader reader_;
  ClimaticRecord record_;
};

// The records of the working data in memory.
class WorkingDataRecords {
 public:
  explicit WorkingDataRecords(const WorkingData& data) : data_(data) {}
  Status Open() { return Status::Success(); }
  const ClimaticRecord* Next(int32_t& number) {
    if (next_ >= data_.Records.size()) return nullptr;
    number = data_.Numbers[next_];
    return &data_.Records[next_++];
  }
  Status status() const { return Status::Success(); }

 private:
  const WorkingData& data_;
  std::size_t next_ = 0;
};

template <class Records>
RunResult Run(const RepClimateFile& station, Records& reader, RunOutput* output,
              bool rewriteDataFile) {
  const std::span<const int16_t> codes = StationCodes(station);
  if (codes.empty() || codes.back() != kEToCode) {
    return Failed(Status::Error(ReasonNoEToColumn(station.DtaFileName)));
  }
  if (output != nullptr && output->File == nullptr) {
    return Failed(Status::Error(ReasonCannotWrite(OutputExtension(output->Kind))));
  }
  const OutputKind kind = output != nullptr ? output->Kind : OutputKind::Report;
  const bool report = output != nullptr && kind == OutputKind::Report;
  const bool etoFile = output != nullptr && kind == OutputKind::EToFile;
  RunResult result;

  if (rewriteDataFile || report || etoFile) {
    const int count = static_cast<int>(codes.size());
    if (Status s = reader.Open(); !s) return Failed(s);

    std::optional<AtomicFile> dta;
    if (rewriteDataFile) {
      dta.emplace(station.DtaFileName);
      dta->WriteLine(DataHeaderLine(codes));
    }
    AtomicFile* out = output != nullptr ? output->File : nullptr;

    ReportDateCounter date(station.DataType, station.From());
    std::optional<GapFiller> etoSeries;
    if (etoFile) {
      etoSeries.emplace(BoundaryRequest{"ETo", true, true}, output->Boundary, [out](double eto) {
        out->WriteLine(FormatReal(eto, kOutputValueWidth, 1));
      });
    }

    int32_t number = 0;
    RecordRun run(station);
    std::string dtaLine;
    std::string reportLine;
    int32_t k = 0;
    while (const ClimaticRecord* working = reader.Next(number)) {
      ++k;
      run.Compute(k - 1, *working);
      const double eto = run.ETo();
      const RecordResults& results = run.Results();
      const double* values = run.Values().data();

      if (dta) {
        run.DataLine(number, dtaLine);
        dta->WriteLine(dtaLine);
        if (!dta->Good()) return Failed(Status::Error(ReasonCannotWrite(dta->Target())));
      }
      if (report) {
        reportLine.clear();
        if (output->Content.RecordNumber) reportLine += FormatInt(number, 8);
        if (output->Content.Date) {
          reportLine += date.Text();
          date.Step();
        }
        if (output->Content.DataAndETo) {
          AppendReportValues(reportLine, codes.data(), values, count);
        }
        if (output->Content.IntermediateResults) AppendReportResults(reportLine, results);
        out->WriteLine(reportLine);
      } else if (etoSeries && !etoSeries->Add(eto)) {
        return Cancelled();
      }
      if (out != nullptr && !out->Good()) {
        return Failed(Status::Error(ReasonCannotWrite(out->Target())));
      }
    }
    if (!reader.status()) return Failed(reader.status());
    if (etoSeries) {
      if (!etoSeries->Finish()) return Cancelled();
      if (!out->Good()) return Failed(Status::Error(ReasonCannotWrite(out->Target())));
    }
    if (dta) {
      if (Status s = dta->Commit(); !s) return Failed(s);
    }
    result.Records = k;
  }

  if (output != nullptr && kind == OutputKind::TemperatureFile) {
    RunResult temperatures = WriteTemperatureFile(station.DtaFileName, *output->File,
                                                  output->ScratchPath, output->Fahrenheit,
                                                  output->Boundary);
    if (!temperatures) return temperatures;
    if (result.Records == 0) result.Records = temperatures.Records;
  }
  return result;
}

}  // namespace

RunResult RunCalculation(const RepClimateFile& station, const std::string& workingFile,
                         RunOutput* output, bool rewriteDataFile) {
  WorkingFileRecords records(workingFile);
  return Run(station, records, output, rewriteDataFile);
}

RunResult RunCalculation(const RepClimateFile& station, const WorkingData& data,
                         RunOutput* output, bool rewriteDataFile) {
  WorkingDataRecords records(data);
  return Run(station, records, output, rewriteDataFile);
}

RunResult WriteTemperatureFile(const std::string& dataFile, AtomicFile& file,
                               const std::string& scratchPath, bool fahrenheit,
                               const BoundaryValueSource& boundary) {
  DataFileReader data;
  if (Status s = data.Open(dataFile); !s) return Failed(s);
  const int tminColumn = ColumnOf(data.Codes(), fahrenheit ? 113 : 103);
  const int tmaxColumn = ColumnOf(data.Codes(), fahrenheit ? 111 : 101);
  if (tminColumn < 0 || tmaxColumn < 0) {
    return Failed(Status::Error(ReasonNoTemperatures(file.Target(), fahrenheit)));
  }
  const bool celsius = !fahrenheit;
  DataRecord record;

  // The filled Tmin series goes to the scratch file, one value per line.
  {
    AtomicFile scratch(scratchPath);
    GapFiller tmin(BoundaryRequest{"Tmin", true, celsius}, boundary, [&scratch](double value) {
      scratch.WriteLine(FormatReal(value, kOutputValueWidth, 1));
    });
    while (data.Next(record)) {
      if (!tmin.Add(record.Values[static_cast<std::size_t>(tminColumn)])) return Cancelled();
      if (!scratch.Good()) return Failed(Status::Error(ReasonCannotWrite(scratchPath)));
    }
    if (!data.status()) return Failed(data.status());
    if (!tmin.Finish()) return Cancelled();
    if (Status s = scratch.Commit(); !s) return Failed(s);
  }
  const ScratchFile removeScratch(scratchPath);

  // Each filled Tmax value is written beside the next Tmin value of the scratch file.
  if (Status s = data.Open(dataFile); !s) return Failed(s);
  LineReader tminLines;
  if (Status s = tminLines.Open(scratchPath); !s) return Failed(s);
  Status pairing;
  int32_t lines = 0;
  GapFiller tmax(BoundaryRequest{"Tmax", true, celsius}, boundary, [&](double maximum) {
    if (!pairing) return;
    std::string text;
    double minimum = kMissing;
    if (!tminLines.Next(text)) {
      pairing = !tminLines.status()
                    ? tminLines.status()
                    : Status::Error(ReasonUnexpectedEnd(scratchPath, tminLines.LineNumber() + 1));
      return;
    }
    if (!ParseReal(Trimmed(text), minimum)) {
      pairing = Status::Error(ReasonNotANumber(scratchPath, tminLines.LineNumber()));
      return;
    }
    if (fahrenheit) {
      minimum = FahrenheitToCelsius(minimum);
      maximum = FahrenheitToCelsius(maximum);
    }
    file.WriteLine(FormatField(minimum, kOutputValueWidth, 1) +
                   FormatField(maximum, kOutputValueWidth, 1));
    ++lines;
  });
  while (data.Next(record)) {
    if (!tmax.Add(record.Values[static_cast<std::size_t>(tmaxColumn)])) return Cancelled();
    if (!pairing) return Failed(pairing);
    if (!file.Good()) return Failed(Status::Error(ReasonCannotWrite(file.Target())));
  }
  if (!data.status()) return Failed(data.status());
  if (!tmax.Finish()) return Cancelled();
  if (!pairing) return Failed(pairing);
  if (!file.Good()) return Failed(Status::Error(ReasonCannotWrite(file.Target())));
  RunResult result;
  result.Records = lines;
  return result;
}

// ---------------------------------------------------------------------------------------------
// One export

namespace {

// The export, with `run(output, rewriteDataFile)` running the calculation.
template <class Calculation>
RunResult Export(const RepClimateFile& station, ExportRequest& request, const Calculation& run) {
  const std::string extension(OutputExtension(request.Kind));
  const std::span<const int16_t> codes = StationCodes(station);
  if (request.Kind == OutputKind::TemperatureFile) {
    const std::string target = PathInFolder(request.OutputFolder, request.Name + "." + extension);
    if (Status s = CheckTemperatureColumns(codes, request.Fahrenheit, target); !s) {
      return Failed(s);
    }
  }
  const FileNameCheck name = CheckNewFileName(request.OutputFolder, request.Name, extension, true);
  request.Name = name.Name;
  if (!name.Ok()) {
    RunResult refused = Failed(Status{false, name.Message});
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
  output.ScratchPath =
      PathInFolder(request.OutputFolder, name.Name + "." + std::string(kScratchExtension));
  RunResult result = run(&output, request.RewriteDataFile);
  if (!result) return result;
  if (Status s = file.Commit(); !s) return Failed(s);
  return result;
}

}  // namespace

RunResult ExportFile(const RepClimateFile& station, const std::string& workingFile,
                     ExportRequest& request) {
  return Export(station, request, [&](RunOutput* output, bool rewrite) {
    return RunCalculation(station, workingFile, output, rewrite);
  });
}

RunResult ExportFile(const RepClimateFile& station, const WorkingData& data,
                     ExportRequest& request) {
  return Export(station, request, [&](RunOutput* output, bool rewrite) {
    return RunCalculation(station, data, output, rewrite);
  });
}

}  // namespace vernoli
