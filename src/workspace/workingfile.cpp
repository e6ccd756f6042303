#include "workspace/workingfile.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <algorithm>
#include <limits>
#include <utility>

#include "model/datafile.h"

namespace vernoli {

namespace {

// A missing value in the working file.
constexpr std::string_view kMissingText = "-999.000";
constexpr std::string_view kMissingField = "  -999.000";
// Beyond this length a fixed-point text is written in scientific form instead.
constexpr std::ptrdiff_t kLongestFixedText = 24;

// IsFieldSeparator, inline: the working file's lines are long and many.
constexpr bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The next blank-separated token from `pos` on; empty at the end of the line.
std::string_view NextToken(std::string_view line, std::size_t& pos) {
  while (pos < line.size() && IsSeparator(line[pos])) ++pos;
  const std::size_t start = pos;
  while (pos < line.size() && !IsSeparator(line[pos])) ++pos;
  return line.substr(start, pos - start);
}

void AppendRecordLine(std::string& line, int32_t recordNumber, const ClimaticRecord& record) {
  line.clear();
  char digits[16];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, recordNumber);
  (void)ec;  // 16 characters always hold an int32
  const auto length = static_cast<std::size_t>(end - digits);
  if (length < static_cast<std::size_t>(kDataFieldWidth)) {
    line.append(static_cast<std::size_t>(kDataFieldWidth) - length, ' ');
  }
  line.append(digits, length);
  for (double value : record.Values) AppendWorkingValue(line, value);
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
    // A number no finite double holds after its conversion is stored as missing, as the file
    // writes it.
    record[row] = std::isfinite(value) ? value : kMissing;
  }
}

}  // namespace

std::string WorkingFileHeaderLine() {
  std::string line(kDataHeaderStart);
  for (const ParameterInfo& info : ParameterTable()) line += FormatInt(info.Code, kDataFieldWidth);
  return line;
}

namespace {

// The shortest round-trip text of a value with at most four decimals, written without to_chars:
// such a value is the double nearest to n / 10^4 for an integer n, and below 10^9 no shorter
// decimal lies that near, so the digits of n without its trailing zeros are the shortest text.
// False for any other value (and for zero, whose sign to_chars keeps).
bool AppendShortDecimal(std::string& line, double value) {
  constexpr double kScale = 1e4;
  if (!(std::fabs(value) < 1e9) || value == 0.0) return false;
  const double scaled = std::nearbyint(value * kScale);
  if (scaled / kScale != value) return false;
  auto n = static_cast<uint64_t>(std::fabs(scaled));
  int decimals = 4;
  while (decimals > 0 && n % 10 == 0) {
    n /= 10;
    --decimals;
  }
  char digits[32];
  char* const end = digits + sizeof digits;
  char* p = FixedDigitsBefore(end, n, decimals);
  if (value < 0) *--p = '-';
  const auto length = static_cast<std::size_t>(end - p);
  line.append(length < static_cast<std::size_t>(kDataFieldWidth)
                  ? static_cast<std::size_t>(kDataFieldWidth) - length
                  : 1,
              ' ');
  line.append(p, length);
  return true;
}

}  // namespace

void AppendWorkingValue(std::string& line, double value) {
  if (IsMissing(value) || !std::isfinite(value)) {
    line += kMissingField;
    return;
  }
  if (AppendShortDecimal(line, value)) return;
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
  std::string line;
  line.reserve(static_cast<std::size_t>(kDataFieldWidth) * (kParameterCount + 1) + 32);
  AppendRecordLine(line, recordNumber, record);
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
  const char* p = line.data() + pos;
  const char* const end = line.data() + line.size();
  for (double& value : read.Values) {
    // Most fields are missing values as the file writes them: passed over whole.
    if (end - p >= kDataFieldWidth &&
        std::memcmp(p, kMissingField.data(), kMissingField.size()) == 0 &&
        (end - p == kDataFieldWidth || IsSeparator(p[kDataFieldWidth]))) {
      p += kDataFieldWidth;
      continue;
    }
    while (p < end && IsSeparator(*p)) ++p;
    const char* start = p;
    while (p < end && !IsSeparator(*p)) ++p;
    const auto length = static_cast<std::size_t>(p - start);
    if (length == 0) return Status::Error(ReasonTooFewValues(file, lineNumber));
    if (length == kMissingText.size() && std::memcmp(start, kMissingText.data(), length) == 0) {
      continue;
    }
    if (!ParseReal(std::string_view(start, length), value)) {
      return Status::Error(ReasonNotANumber(file, lineNumber));
    }
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

Status CheckDataFileCodes(std::span<const int16_t> codes, std::string_view file) {
  for (int16_t code : codes) {
    if (RowOfCode(code) == 0) return Status::Error(ReasonUnknownCode(code, file));
  }
  return Status::Success();
}

ClimaticRecord StandardRecord(const ColumnMapping& mapping, std::span<const double> values) {
  // Without conversion, ToRecord leaves only -999 and read numbers.
  ClimaticRecord record = mapping.ToRecord(values);
  if (mapping.NeedsConversion()) {
    for (int column = 0; column < mapping.Columns(); ++column) {
      const int row = mapping.RowOfColumn(column);
      if (row < 1 || row > kParameterCount) continue;
      double& value = record[row];
      if (IsMissing(value) || !std::isfinite(value)) value = kMissing;
    }
  }
  return record;
}

Status LoadWorkingData(const RepClimateFile& station, WorkingData& data) {
  DataFileReader reader;
  if (Status s = reader.Open(station.DtaFileName); !s) return s;
  if (Status s = CheckDataFileCodes(reader.Codes(), station.DtaFileName); !s) return s;
  const ColumnMapping mapping(reader.Codes());
  WorkingData read;
  // Room for the records the description announces, up to the largest station the program
  // makes (a description may claim thousands of years over a short data file).
  const auto expected =
      static_cast<std::size_t>(std::clamp(station.NumberOfRecords, 0, int32_t{1} << 17));
  read.Numbers.reserve(expected);
  read.Records.reserve(expected);
  DataRecord record;
  while (reader.Next(record)) {
    read.Numbers.push_back(record.Number);
    read.Records.push_back(StandardRecord(mapping, record.Values));
  }
  if (!reader.status()) return reader.status();
  data = std::move(read);
  return Status::Success();
}

Status BuildWorkingFile(const RepClimateFile& station, const std::string& workingFile) {
  DataFileReader reader;
  if (Status s = reader.Open(station.DtaFileName); !s) return s;
  if (Status s = CheckDataFileCodes(reader.Codes(), station.DtaFileName); !s) return s;
  const ColumnMapping mapping(reader.Codes());

  // Rebuilt from the .DTA whenever the workspace opens: no need to sync it to the disk.
  AtomicFile file(workingFile, AtomicFile::Durability::Scratch);
  file.WriteLine(WorkingFileHeaderLine());
  DataRecord record;
  std::string line;
  line.reserve(static_cast<std::size_t>(kDataFieldWidth) * (kParameterCount + 1) + 32);
  while (reader.Next(record)) {
    AppendRecordLine(line, record.Number, mapping.ToRecord(record.Values));
    file.WriteLine(line);
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
  const auto openAtRecords = [&](LineReader& reader, std::string& header) -> Status {
    if (Status s = reader.Open(workingFile); !s) return s;
    if (!reader.Next(header)) {
      return !reader.status() ? reader.status()
                              : Status::Error(ReasonUnexpectedEnd(workingFile, 1));
    }
    if (Trimmed(header) != Trimmed(WorkingFileHeaderLine())) {
      return Status::Error(ReasonNotAWorkingFile(workingFile));
    }
    return Status::Success();
  };

  // The new lines of the visible records. When each is the line the file holds already (the
  // grid shows what the file has), the file stays as it is.
  LineReader reader;
  std::string header;
  if (Status s = openAtRecords(reader, header); !s) return s;
  const int32_t before = std::max<int32_t>(first, 1) - 1;
  // Lines of the records before the page, and of the visible records, that the file holds.
  const int64_t present = reader.SkipLines(before);
  if (!reader.status()) return reader.status();
  auto record = static_cast<int32_t>(present);
  std::vector<std::string> lines;
  bool changed = false;
  std::string line;
  while (record < last && reader.Next(line)) {
    ++record;
    int32_t number = 0;
    ClimaticRecord values;
    if (Status s = ParseWorkingRecord(line, workingFile, reader.LineNumber(), number, values); !s) {
      return s;
    }
    if (const auto* column = columnOf(record)) ApplyColumn(*column, mapping, values);
    lines.push_back(WorkingRecordLine(number, values));
    changed = changed || lines.back() != line;
  }
  if (!reader.status()) return reader.status();
  const auto visible = static_cast<int64_t>(lines.size());
  // Visible records that the file does not reach yet become new lines.
  for (++record; record <= last; ++record) {
    ClimaticRecord values;
    if (const auto* column = columnOf(record)) ApplyColumn(*column, mapping, values);
    lines.push_back(WorkingRecordLine(record, values));
    changed = true;
  }
  if (!changed) return Status::Success();

  // The new file: the lines before and after the visible records copied as they are.
  if (Status s = openAtRecords(reader, header); !s) return s;
  AtomicFile file(workingFile, AtomicFile::Durability::Scratch);
  const auto copy = [&file](std::string_view bytes) { file.Write(bytes); };
  file.WriteLine(header);
  const bool same = reader.SkipLines(present, copy) == present &&
                    reader.SkipLines(visible) == visible;
  if (!reader.status()) return reader.status();
  if (!same) return Status::Error(ReasonUnexpectedEnd(workingFile, reader.LineNumber() + 1));
  for (const std::string& l : lines) file.WriteLine(l);
  reader.SkipLines(std::numeric_limits<int64_t>::max(), copy);
  if (!reader.status()) return reader.status();
  if (!file.Good()) return Status::Error(ReasonCannotWrite(workingFile));
  return file.Commit();
}

void WriteBackVisibleRecords(WorkingData& data, std::span<const int16_t> codes, int32_t first,
                             int32_t last, const GridColumns& cells) {
  if (last < 1 || last < first) return;
  const ColumnMapping mapping(codes);
  const auto end = static_cast<std::size_t>(last);
  for (std::size_t i = data.Records.size(); i < end; ++i) {
    data.Numbers.push_back(static_cast<int32_t>(i + 1));
    data.Records.emplace_back();
  }
  for (int32_t record = std::max(first, 1); record <= last; ++record) {
    const auto c = static_cast<std::size_t>(record - first);
    if (c >= cells.size()) break;
    ApplyColumn(cells[c], mapping, data.Records[static_cast<std::size_t>(record - 1)]);
  }
}

}  // namespace vernoli
