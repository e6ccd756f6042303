// The climatic data file (.DTA): one line per record, one column per parameter code.
//
// Line 1 is the header: "        Nr" and I(10) of each code in column order. Every other line is
// one record: I(10) record number, then R(10, decimals of the column's code) of each value in
// the column's own unit; a missing value is -999 with the column's decimals. Values are read
// free-format, so a file edited by hand with other spacing still reads.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/atomicfile.h"
#include "model/linereader.h"
#include "model/parameters.h"
#include "model/station.h"
#include "model/status.h"

namespace vernoli {

// The first 10 characters of the header line.
inline constexpr std::string_view kDataHeaderStart = "        Nr";
// Width of every field of the file.
inline constexpr int kDataFieldWidth = 10;

// Decimals of a column: those of the code's row in the parameter table, 1 for a code that is not
// in the table.
int DecimalsOfCode(int code);

// ---------------------------------------------------------------------------------------------
// Writing

// The header line, without its line end. Nothing follows the last code.
std::string DataHeaderLine(std::span<const int16_t> codes);
// One record line, without its line end. values[i] is in the unit of codes[i]; a missing value
// (and a value absent because `values` is shorter than `codes`) is written as -999.
std::string DataRecordLine(int32_t recordNumber, std::span<const double> values,
                           std::span<const int16_t> codes);
void WriteDataHeader(AtomicFile& file, std::span<const int16_t> codes);
void WriteDataRecord(AtomicFile& file, int32_t recordNumber, std::span<const double> values,
                     std::span<const int16_t> codes);

// The data file of a new station at DtaFileName: the header with the single code 501, then
// NumberOfRecords lines of the record number and -999.0. Written through a temporary file.
Status CreateEmptyDataFile(const RepClimateFile& station);

// Copies a file line by line (used when a station is copied under a new name). The lines are
// unchanged; each is written with CR LF. The destination is written through a temporary file,
// so a failed copy leaves it as it was.
Status CopyDataFile(const std::string& source, const std::string& destination);

// ---------------------------------------------------------------------------------------------
// Reading

// One record of the file: its number and the values of its columns in their own units.
struct DataRecord {
  int32_t Number = 0;
  std::vector<double> Values;
};

// Parses one record line: the record number and numberOfParameters reals; anything after them is
// skipped. A line with fewer values, or a field that is no number, is an error naming the file
// and the line; `record` is then left unchanged.
Status ReadDataRecord(std::string_view line, int numberOfParameters, std::string_view file,
                      int64_t lineNumber, DataRecord& record);

// The parameter codes of a header line: the first 10 characters are skipped, then integers are
// read to the end of the line, at most 37 (further codes are ignored). A field that is no
// 16-bit integer is an error naming the file and the line; `codes` is then left unchanged.
Status ParseParameterCodes(std::string_view header, std::string_view file, int64_t lineNumber,
                           std::vector<int16_t>& codes);

// Reads all records of a .DTA in file order.
//
//   DataFileReader reader;
//   if (Status s = reader.Open(path); !s) return s;
//   DataRecord record;
//   while (reader.Next(record)) { ... }
//   if (!reader.status()) return reader.status();
//
// Blank lines are skipped. A file with fewer lines than the station's span ends at the end of
// the file; a file with more is read to its end.
class DataFileReader {
 public:
  // Opens the file and reads its header; the number of codes fixes the values of each record.
  Status Open(const std::string& path);
  // The next record; false at the end of the file or on an error (status() tells them apart).
  bool Next(DataRecord& record);
  const std::vector<int16_t>& Codes() const { return codes_; }
  const Status& status() const { return status_; }
  // Line of the record last returned, and its text.
  int64_t LineNumber() const { return lines_.LineNumber(); }
  std::string_view Line() const { return line_; }

 private:
  LineReader lines_;
  std::vector<int16_t> codes_;
  std::string line_;
  Status status_;
};

// ---------------------------------------------------------------------------------------------
// Columns and the 37-slot climatic record

// Maps the columns of a station's data file onto the rows of the parameter table and back.
// The column with code c goes to the row of c. When any code is non-standard, every column goes
// to the row of its quantity in the standard unit and every value that is not missing is
// converted to it; missing values stay -999. A column whose code is not in the parameter table
// is ignored on reading and written as missing.
class ColumnMapping {
 public:
  ColumnMapping() = default;
  explicit ColumnMapping(std::span<const int16_t> codes);

  int Columns() const { return static_cast<int>(codes_.size()); }
  // True when the station has a code in a unit other than the standard one.
  bool NeedsConversion() const { return convert_; }
  // Row (1..37) that column `column` (0-based) fills; 0 for a code not in the table.
  int RowOfColumn(int column) const { return rows_[static_cast<std::size_t>(column)]; }
  const std::vector<int16_t>& Codes() const { return codes_; }

  // The climatic record of one line's values (column units). Rows no column fills hold -999.
  // When two columns fill one row, a missing value does not replace a value already there.
  ClimaticRecord ToRecord(std::span<const double> values) const;
  // The values of the columns (column units) of a record in standard units.
  std::vector<double> FromRecord(const ClimaticRecord& record) const;

 private:
  std::vector<int16_t> codes_;
  std::vector<int> rows_;
  bool convert_ = false;
};

}  // namespace vernoli
