#include "model/datafile.h"
#include "model/atomicfile.h"
#include "model/linereader.h"
#include "model/numbers.h"

#include <algorithm>

namespace vernoli {

namespace {

bool IsBlankLine(std::string_view line) {
  return std::all_of(line.begin(), line.end(), IsFieldSeparator);
}

}  // namespace

int DecimalsOfCode(int code) {
  int row = RowOfCode(code);
  return row == 0 ? 1 : ParameterRow(row).Decimals;
}

// ---------------------------------------------------------------------------------------------
// Writing

std::string DataHeaderLine(std::span<const int16_t> codes) {
  std::string line(kDataHeaderStart);
  for (int16_t code : codes) line += FormatInt(code, kDataFieldWidth);
  return line;
}

std::string DataRecordLine(int32_t recordNumber, std::span<const double> values,
                           std::span<const int16_t> codes) {
  std::string line;
  line.reserve(static_cast<std::size_t>(kDataFieldWidth) * (codes.size() + 1));
  AppendInt(line, recordNumber, kDataFieldWidth);
  for (std::size_t i = 0; i < codes.size(); ++i) {
    double value = i < values.size() ? values[i] : kMissing;
    // A missing value is written as -999 itself, whatever it was before rounding.
    if (IsMissing(value)) value = kMissing;
    AppendField(line, value, kDataFieldWidth, DecimalsOfCode(codes[i]));
  }
  return line;
}

void WriteDataHeader(AtomicFile& file, std::span<const int16_t> codes) {
  file.WriteLine(DataHeaderLine(codes));
}

void WriteDataRecord(AtomicFile& file, int32_t recordNumber, std::span<const double> values,
                     std::span<const int16_t> codes) {
  file.WriteLine(DataRecordLine(recordNumber, values, codes));
}

Status CreateEmptyDataFile(const RepClimateFile& station) {
  static constexpr int16_t kEToOnly[] = {501};
  static constexpr double kNoValue[] = {kMissing};
  AtomicFile file(station.DtaFileName);
  WriteDataHeader(file, kEToOnly);
  for (int32_t record = 1; record <= station.NumberOfRecords; ++record) {
    WriteDataRecord(file, record, kNoValue, kEToOnly);
  }
  return file.Commit();
}

Status CopyDataFile(const std::string& source, const std::string& destination) {
  LineReader reader;
  if (Status s = reader.Open(source); !s) return s;
  AtomicFile file(destination);
  std::string line;
  while (reader.Next(line)) file.WriteLine(line);
  // A failed read leaves the destination as it was: the writer is dropped without a commit.
  if (!reader.status()) return reader.status();
  return file.Commit();
}

// ---------------------------------------------------------------------------------------------
// Reading

Status ReadDataRecord(std::string_view line, int numberOfParameters, std::string_view file,
                      int64_t lineNumber, DataRecord& record) {
  NumberScanner scanner(line);
  DataRecord read;
  // The number of a record is the first field; a line without it has no values at all.
  if (scanner.AtEnd()) return Status::Error(ReasonTooFewValues(file, lineNumber));
  if (!scanner.ReadInt32(read.Number)) return Status::Error(ReasonNotANumber(file, lineNumber));
  read.Values.reserve(static_cast<std::size_t>(std::max(numberOfParameters, 0)));
  for (int column = 0; column < numberOfParameters; ++column) {
    if (scanner.AtEnd()) return Status::Error(ReasonTooFewValues(file, lineNumber));
    double value = 0.0;
    if (!scanner.ReadReal(value)) return Status::Error(ReasonNotANumber(file, lineNumber));
    read.Values.push_back(value);
  }
  record = std::move(read);
  return Status::Success();
}

Status ParseParameterCodes(std::string_view header, std::string_view file, int64_t lineNumber,
                           std::vector<int16_t>& codes) {
  NumberScanner scanner(header);
  scanner.Skip(kDataHeaderStart.size());
  std::vector<int16_t> read;
  // The station record holds 37 codes; a longer header is read up to them.
  while (!scanner.AtEnd() && read.size() < static_cast<std::size_t>(kParameterCount)) {
    int16_t code = 0;
    if (!scanner.ReadInt16(code)) return Status::Error(ReasonNotANumber(file, lineNumber));
    read.push_back(code);
  }
  codes = std::move(read);
  return Status::Success();
}

Status ReadParameterCodes(RepClimateFile& station) {
  LineReader reader;
  if (Status s = reader.Open(station.DtaFileName); !s) return s;
  std::string header;
  if (!reader.Next(header)) {
    if (!reader.status()) return reader.status();
    return Status::Error(ReasonUnexpectedEnd(station.DtaFileName, 1));
  }
  std::vector<int16_t> codes;
  if (Status s = ParseParameterCodes(header, station.DtaFileName, 1, codes); !s) return s;
  station.ParameterCodes.fill(-999);
  std::copy(codes.begin(), codes.end(), station.ParameterCodes.begin());
  station.NumberOfParameters = static_cast<int32_t>(codes.size());
  return Status::Success();
}

Status DataFileReader::Open(const std::string& path) {
  codes_.clear();
  status_ = lines_.Open(path);
  if (!status_) return status_;
  if (!lines_.Next(line_)) {
    status_ = !lines_.status() ? lines_.status() : Status::Error(ReasonUnexpectedEnd(path, 1));
    return status_;
  }
  status_ = ParseParameterCodes(line_, path, 1, codes_);
  return status_;
}

bool DataFileReader::Next(DataRecord& record) {
  if (!status_) return false;
  while (lines_.Next(line_)) {
    if (IsBlankLine(line_)) continue;
    status_ = ReadDataRecord(line_, static_cast<int>(codes_.size()), lines_.Path(),
                             lines_.LineNumber(), record);
    return static_cast<bool>(status_);
  }
  status_ = lines_.status();
  return false;
}

// ---------------------------------------------------------------------------------------------
// Columns and the 37-slot climatic record

ColumnMapping::ColumnMapping(std::span<const int16_t> codes)
    : codes_(codes.begin(), codes.end()), rows_(codes.size(), 0) {
  for (std::size_t i = 0; i < codes_.size(); ++i) rows_[i] = RowOfCode(codes_[i]);
  if (!codes_.empty()) {
    convert_ = StandardRows(static_cast<int>(codes_.size()), codes_.data(), rows_.data());
  }
}

ClimaticRecord ColumnMapping::ToRecord(std::span<const double> values) const {
  ClimaticRecord record;
  std::size_t columns = std::min(values.size(), codes_.size());
  for (std::size_t i = 0; i < columns; ++i) {
    int row = rows_[i];
    if (row < 1 || row > kParameterCount) continue;
    double value = values[i];
    if (IsMissing(value)) {
      // Never let a missing column wipe out the value of another column of the same quantity.
      continue;
    }
    record[row] = convert_ ? ToStandardUnit(codes_[i], value) : value;
  }
  return record;
}

std::vector<double> ColumnMapping::FromRecord(const ClimaticRecord& record) const {
  std::vector<double> values(codes_.size(), kMissing);
  for (std::size_t i = 0; i < codes_.size(); ++i) {
    int row = rows_[i];
    if (row < 1 || row > kParameterCount) continue;
    double value = record[row];
    if (IsMissing(value)) continue;
    values[i] = convert_ ? FromStandardUnit(codes_[i], value) : value;
  }
  return values;
}

}  // namespace vernoli
