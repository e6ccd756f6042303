#include "workspace/outputs.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "model/atomicfile.h"
#include "model/checks.h"
#include "model/datafile.h"
#include "model/linereader.h"
#include "model/numbers.h"

namespace vernoli {

namespace {

constexpr int kOutputValueWidth = 12;
constexpr std::string_view kEquals = "=======================";

double FahrenheitToCelsius(double x) { return (x - 32.0) * 5.0 / 9.0; }

std::string ReasonNoTemperatures(std::string_view outputFile, bool fahrenheit) {
  return "cannot write the temperature file " + std::string(outputFile) +
         ": the data set has no minimum and maximum air temperature in " +
         (fahrenheit ? "Fahrenheit (codes 113 and 111)" : "Celsius (codes 103 and 101)");
}

// Position of `code` in `codes`, or -1.
int ColumnOf(std::span<const int16_t> codes, int code) {
  const auto it = std::find(codes.begin(), codes.end(), code);
  return it == codes.end() ? -1 : static_cast<int>(it - codes.begin());
}

}  // namespace

RunResult FailedRun(Status status) {
  RunResult result;
  result.Outcome = std::move(status);
  return result;
}

RunResult CancelledRun() {
  RunResult result;
  result.Cancelled = true;
  return result;
}

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
// The report

void ReportRecordLine(std::string& line, const ReportContent& content, int32_t number,
                      ReportDateCounter& date, std::span<const int16_t> codes,
                      const double* values, const RecordResults& results) {
  line.clear();
  if (content.RecordNumber) line += FormatInt(number, 8);
  if (content.Date) {
    line += date.Text();
    date.Step();
  }
  if (content.DataAndETo) {
    AppendReportValues(line, codes.data(), values, static_cast<int>(codes.size()));
  }
  if (content.IntermediateResults) AppendReportResults(line, results);
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
// The crop-model files

GapFiller EToFileSeries(AtomicFile& file, BoundaryValueSource boundary) {
  return GapFiller(BoundaryRequest{"ETo", true, true}, std::move(boundary), [&file](double eto) {
    file.WriteLine(FormatReal(eto, kOutputValueWidth, 1));
  });
}

RunResult WriteTemperatureFile(const std::string& dataFile, AtomicFile& file, bool fahrenheit,
                               const BoundaryValueSource& boundary) {
  DataFileReader data;
  if (Status s = data.Open(dataFile); !s) return FailedRun(s);
  const int tminColumn = ColumnOf(data.Codes(), fahrenheit ? 113 : 103);
  const int tmaxColumn = ColumnOf(data.Codes(), fahrenheit ? 111 : 101);
  if (tminColumn < 0 || tmaxColumn < 0) {
    return FailedRun(Status::Error(ReasonNoTemperatures(file.Target(), fahrenheit)));
  }
  // Both series as the file holds them, read once.
  std::vector<double> tminRead;
  std::vector<double> tmaxRead;
  DataRecord record;
  while (data.Next(record)) {
    tminRead.push_back(record.Values[static_cast<std::size_t>(tminColumn)]);
    tmaxRead.push_back(record.Values[static_cast<std::size_t>(tmaxColumn)]);
  }
  if (!data.status()) return FailedRun(data.status());

  // The filled Tmin series, each value as its line of the file gives it (one decimal); its
  // first and last values are asked for before those of Tmax.
  const bool celsius = !fahrenheit;
  std::vector<double> tminSeries;
  tminSeries.reserve(tminRead.size());
  GapFiller tmin(BoundaryRequest{"Tmin", true, celsius}, boundary, [&tminSeries](double value) {
    double shown = value;
    if (!ParseReal(Trimmed(FormatReal(value, kOutputValueWidth, 1)), shown)) shown = value;
    tminSeries.push_back(shown);
  });
  for (double value : tminRead) {
    if (!tmin.Add(value)) return CancelledRun();
  }
  if (!tmin.Finish()) return CancelledRun();

  // Each filled Tmax value is written beside the Tmin value of its record.
  std::size_t lines = 0;
  GapFiller tmax(BoundaryRequest{"Tmax", true, celsius}, boundary, [&](double maximum) {
    double minimum = tminSeries[lines];
    if (fahrenheit) {
      minimum = FahrenheitToCelsius(minimum);
      maximum = FahrenheitToCelsius(maximum);
    }
    file.WriteLine(FormatField(minimum, kOutputValueWidth, 1) +
                   FormatField(maximum, kOutputValueWidth, 1));
    ++lines;
  });
  for (double value : tmaxRead) {
    if (!tmax.Add(value)) return CancelledRun();
    if (!file.Good()) {
      return FailedRun(Status::Error(ReasonCannotWrite(file.Target(), file.ErrorNumber())));
    }
  }
  if (!tmax.Finish()) return CancelledRun();
  if (!file.Good()) {
    return FailedRun(Status::Error(ReasonCannotWrite(file.Target(), file.ErrorNumber())));
  }
  RunResult result;
  result.Records = static_cast<int32_t>(lines);
  return result;
}

}  // namespace vernoli
