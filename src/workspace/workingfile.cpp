#include "workspace/workingfile.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "model/datafile.h"

namespace vernoli {

namespace {

// A missing value in the working file.
constexpr std::string_view kMissingText = "-999.000";
constexpr std::string_view kMissingField = "  -999.000";
// Beyond this length a fixed-point text is written in scientific form instead.
constexpr std::ptrdiff_t kLongestFixedText = 24;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsFieldSeparator(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsFieldSeparator(text.back())) text.remove_suffix(1);
  return text;
}

// The next blank-separated token from `pos` on; empty at the end of the line.
std::string_view NextToken(std::string_view line, std::size_t& pos) {
  while (pos < line.size() && IsFieldSeparator(line[pos])) ++pos;
  const std::size_t start = pos;
  while (pos < line.size() && !IsFieldSeparator(line[pos])) ++pos;
  return line.substr(start, pos - start);
}

std::string ReasonNotAWorkingFile(std::string_view file) {
  return "file " + std::string(file) + " is no working file: unexpected header at line 1";
}

std::string ReasonUnknownCode(int code, std::string_view file) {
  return "unknown parameter code " + std::to_string(code) + " in file " + std::string(file) +
         ", line 1";
}

// Puts the texts of one grid column into the record, in standard units.
void ApplyColumn(const std::vector<std::string>& column, const ColumnMapping& mapping,
                 ClimaticRecord& record) {
  const std::size_t rows = std::min(column.size(), static_cast<std::size_t>(mapping.Columns()));
  for (std::size_t r = 0; r < rows; ++r) {
    const int row = mapping.RowOfColumn(static_cast<int>(r));
    if (row < 1 || row > kParameterCount) continue;
    const std::string_view text = Trimmed(column[r]);
    double value = kMissing;
    if (!text.empty()) {
      // A text that is no number counts as 0, as when the cell is checked.
      if (!ParseReal(text, value)) value = 0.0;
      if (!IsMissing(value)) value = ToStandardUnit(mapping.Codes()[r], value);
    }
    record[row] = value;
  }
}

}  // namespace

std::string WorkingFileHeaderLine() {
  std::string line(kDataHeaderStart);
  for (const ParameterInfo& info : ParameterTable()) line += FormatInt(info.Code, kDataFieldWidth);
  return line;
}

void AppendWorkingValue(std::string& line, double value) {
  if (!std::isfinite(value) || IsMissing(value)) {
    line += kMissingField;
    return;
  }
  char text[64];
  // The shortest digits that read back as the same double; fixed-point for every plausible
  // climatic value, scientific for absurdly large or small ones.
  std::to_chars_result written =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  if (written.ec != std::errc() || written.ptr - text > kLongestFixedText) {
    written = std::to_chars(text, text + sizeof text, value);
  }
  const auto length = static_cast<std::size_t>(written.ptr - text);
  if (length < static_cast<std::size_t>(kDataFieldWidth)) {
    line.append(static_cast<std::size_t>(kDataFieldWidth) - length, ' ');
  } else {
    line += ' ';
  }
  line.append(text, length);
}

std::string WorkingRecordLine(int32_t recordNumber, const ClimaticRecord& record) {
  std::string line = FormatInt(recordNumber, kDataFieldWidth);
  line.reserve(static_cast<std::size_t>(kDataFieldWidth) * (kParameterCount + 1) + 32);
  for (double value : record.Values) AppendWorkingValue(line, value);
  return line;
}

Status ParseWorkingRecord(std::string_view line, std::string_view file, int lineNumber,
                          int32_t& recordNumber, ClimaticRecord& record) {
  std::size_t pos = 0;
  std::string_view token = NextToken(line, pos);
  if (token.empty()) return Status::Error(ReasonTooFewValues(file, lineNumber));
  int64_t number = 0;
  if (!ParseInt(token, number) || number < std::numeric_limits<int32_t>::min() ||
      number > std::numeric_limits<int32_t>::max()) {
    return Status::Error(ReasonNotANumber(file, lineNumber));
  }
  ClimaticRecord read;
  for (double& value : read.Values) {
    token = NextToken(line, pos);
    if (token.empty()) return Status::Error(ReasonTooFewValues(file, lineNumber));
    if (token == kMissingText) continue;  // most columns: no need to parse
    if (!ParseReal(token, value)) return Status::Error(ReasonNotANumber(file, lineNumber));
  }
  recordNumber = static_cast<int32_t>(number);
  record = read;
  return Status::Success();
}

// ---------------------------------------------------------------------------------------------
// Reader

Status WorkingFileReader::Open(const std::string& path) {
  status_ = lines_.Open(path);
  if (!status_) return status_;
  if (!lines_.Next(line_)) {
    status_ = !lines_.status() ? lines_.status() : Status::Error(ReasonUnexpectedEnd(path, 1));
    return status_;
  }
  if (Trimmed(line_) != Trimmed(WorkingFileHeaderLine())) {
    status_ = Status::Error(ReasonNotAWorkingFile(path));
  }
  return status_;
}

bool WorkingFileReader::Next(int32_t& recordNumber, ClimaticRecord& record) {
  if (!status_) return false;
  if (!lines_.Next(line_)) {
    status_ = lines_.status();
    return false;
  }
  status_ = ParseWorkingRecord(line_, lines_.Path(), lines_.LineNumber(), recordNumber, record);
  return static_cast<bool>(status_);
}

// ---------------------------------------------------------------------------------------------
// Building and writing back

Status BuildWorkingFile(const RepClimateFile& station, const std::string& workingFile) {
  DataFileReader reader;
  if (Status s = reader.Open(station.DtaFileName); !s) return s;
  for (int16_t code : reader.Codes()) {
    if (RowOfCode(code) == 0) return Status::Error(ReasonUnknownCode(code, station.DtaFileName));
  }
  const ColumnMapping mapping(reader.Codes());

  AtomicFile file(workingFile);
  file.WriteLine(WorkingFileHeaderLine());
  DataRecord record;
  while (reader.Next(record)) {
    file.WriteLine(WorkingRecordLine(record.Number, mapping.ToRecord(record.Values)));
    if (!file.Good()) return Status::Error(ReasonCannotWrite(workingFile));
  }
  if (!reader.status()) return reader.status();
  return file.Commit();
}

Status WriteBackVisibleRecords(const std::string& workingFile, std::span<const int16_t> codes,
                               int32_t first, int32_t last, const GridColumns& cells) {
  const ColumnMapping mapping(codes);
  // The grid column of a record, or null when the record is not visible.
  const auto columnOf = [&](int32_t record) -> const std::vector<std::string>* {
    if (record < first || record > last) return nullptr;
    const auto c = static_cast<std::size_t>(record - first);
    return c < cells.size() ? &cells[c] : nullptr;
  };

  LineReader reader;
  if (Status s = reader.Open(workingFile); !s) return s;
  std::string line;
  if (!reader.Next(line)) {
    return !reader.status() ? reader.status()
                            : Status::Error(ReasonUnexpectedEnd(workingFile, 1));
  }
  if (Trimmed(line) != Trimmed(WorkingFileHeaderLine())) {
    return Status::Error(ReasonNotAWorkingFile(workingFile));
  }

  AtomicFile file(workingFile);
  file.WriteLine(line);
  int32_t record = 0;
  while (reader.Next(line)) {
    ++record;
    if (record < first || record > last) {
      file.WriteLine(line);
    } else {
      int32_t number = 0;
      ClimaticRecord values;
      if (Status s = ParseWorkingRecord(line, workingFile, reader.LineNumber(), number, values);
          !s) {
        return s;
      }
      if (const auto* column = columnOf(record)) ApplyColumn(*column, mapping, values);
      file.WriteLine(WorkingRecordLine(number, values));
    }
    if (!file.Good()) return Status::Error(ReasonCannotWrite(workingFile));
  }
  if (!reader.status()) return reader.status();
  // Visible records that the file does not reach yet become new lines.
  for (++record; record <= last; ++record) {
    ClimaticRecord values;
    if (const auto* column = columnOf(record)) ApplyColumn(*column, mapping, values);
    file.WriteLine(WorkingRecordLine(record, values));
  }
  return file.Commit();
}

}  // namespace vernoli
