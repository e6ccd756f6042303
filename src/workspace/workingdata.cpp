#include "workspace/workingdata.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/numbers.h"
#include "workspace/validation.h"

namespace vernoli {

namespace {

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
    // A number no finite double holds after its conversion is stored as missing.
    record[row] = std::isfinite(value) ? value : kMissing;
  }
}

}  // namespace

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
  const DataFileValueCheck check(station, reader.Codes(), station.DtaFileName);
  DataRecord record;
  while (reader.Next(record)) {
    const auto k = static_cast<int32_t>(read.Records.size());
    if (Status s = check.Check(k, record.Values, reader.LineNumber(), reader.Line()); !s) {
      return s;
    }
    read.Numbers.push_back(record.Number);
    read.Records.push_back(StandardRecord(mapping, record.Values));
  }
  if (!reader.status()) return reader.status();
  data = std::move(read);
  return Status::Success();
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
