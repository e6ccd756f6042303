// The working file: the whole data set of the open station, in standard units, one column for
// every row of the parameter table.
//
// Line 1: "        Nr" and the 37 codes of the parameter table, each I(10). Every other line is one
// record: its number I(10), then the 37 values, column k holding parameter-table row k. A value
// is written at full precision (the shortest text that reads back as the same double), in a field
// of at least 10 characters with at least one blank before it; a missing value is "-999.000".
// Values always sit in the column of their quantity's standard unit; the columns of the other
// units hold -999.000.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/datafile.h"
#include "model/parameters.h"
#include "model/station.h"
#include "model/status.h"
#include "model/textfile.h"

namespace vernoli {

// Name of the workspace's working file in the data folder.
inline constexpr std::string_view kWorkingFileName = "FullSet.TMP";

// The header line, without its line end.
std::string WorkingFileHeaderLine();
// Appends one value field: the shortest round-trip text of the value, right-aligned in 10
// characters, or after one blank when it is longer; "  -999.000" for a missing value.
void AppendWorkingValue(std::string& line, double value);
// One record line, without its line end.
std::string WorkingRecordLine(int32_t recordNumber, const ClimaticRecord& record);

// Parses one record line: the record number and the 37 values. A line with fewer values or a
// field that is no number is an error naming the file and the line; nothing past the line's end
// is read.
Status ParseWorkingRecord(std::string_view line, std::string_view file, int lineNumber,
                          int32_t& recordNumber, ClimaticRecord& record);

// Reads the records of a working file one at a time.
//
//   WorkingFileReader reader;
//   if (Status s = reader.Open(path); !s) return s;
//   while (reader.Next(number, record)) { ... }
//   if (!reader.status()) return reader.status();
class WorkingFileReader {
 public:
  // Opens the file and checks its header line.
  Status Open(const std::string& path);
  // The next record; false at the end of the file or on an error (status() tells them apart).
  bool Next(int32_t& recordNumber, ClimaticRecord& record);
  const Status& status() const { return status_; }
  // Line of the record last returned.
  int LineNumber() const { return lines_.LineNumber(); }
  const std::string& Path() const { return lines_.Path(); }

 private:
  LineReader lines_;
  std::string line_;
  Status status_;
};

// The working data of the open workspace, in memory: record for record what the working file
// holds. Every value sits at full precision in its standard column, as the file keeps it, so a
// run over the working data gives the very bytes of a run over the working file.
struct WorkingData {
  std::vector<int32_t> Numbers;  // each record's number, as the data file gives it
  std::vector<ClimaticRecord> Records;
};

// The working record of one data-file line: each value in its standard unit and column; a value
// that is missing, or that its conversion made missing or no finite number, is -999 (the
// working file writes nothing else).
ClimaticRecord StandardRecord(const ColumnMapping& mapping, std::span<const double> values);

// Refuses a data file whose header holds a code that is not a climatic parameter (its values
// would be lost on the next save), naming the file.
Status CheckDataFileCodes(std::span<const int16_t> codes, std::string_view file);

// Builds the working file at `workingFile` from the station's data file (DtaFileName): each
// value that is not missing is converted to its standard unit and put in its standard column.
// The columns are those of the data file's own header. A code that is not a climatic parameter
// is refused (CheckDataFileCodes). The working file is written through a temporary file: on any
// failure an earlier working file stays as it was.
Status BuildWorkingFile(const RepClimateFile& station, const std::string& workingFile);

// Reads the station's data file into `data`, record for record as BuildWorkingFile writes the
// working file, with the same checks. On failure `data` stays as it was.
Status LoadWorkingData(const RepClimateFile& station, WorkingData& data);

// The texts of the grid's visible records: cells[c][r] is the cell of grid row r (the parameter
// codes[r]) in the column of record first + c.
using GridColumns = std::vector<std::vector<std::string>>;

// Stores the grid's visible records first..last (record numbers from 1) into the working file.
// An empty cell is the missing value; any other text is read as a number (a text that is no
// number counts as 0) and converted from the unit of its row's code to the standard unit. Columns
// of parameters the grid does not show keep their values. A record beyond the end of the file is
// added as a new line. The new file replaces the old one only when it is complete; when every
// visible record's line comes out as it was, the file is left untouched.
Status WriteBackVisibleRecords(const std::string& workingFile, std::span<const int16_t> codes,
                               int32_t first, int32_t last, const GridColumns& cells);

// The same into the working data: a record beyond its end is added, numbered by its place.
void WriteBackVisibleRecords(WorkingData& data, std::span<const int16_t> codes, int32_t first,
                             int32_t last, const GridColumns& cells);

}  // namespace vernoli
