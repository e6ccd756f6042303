// The working data: the whole data set of the open station in memory, in standard units, one
// value for every row of the parameter table.
//
// Each record keeps its number as the data file gives it, and 37 values: value k is
// parameter-table row k. A value always sits in the row of its quantity's standard unit,
// converted there from the unit of its data-file column; the rows of the other units hold
// -999, as does every missing value. The values keep full precision: nothing is rounded before
// the run writes its files.
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

namespace vernoli {

// The working data of the open workspace.
struct WorkingData {
  std::vector<int32_t> Numbers;  // each record's number, as the data file gives it
  std::vector<ClimaticRecord> Records;
};

// The working record of one data-file line: each value in its standard unit and row; a value
// that is missing, or that its conversion made missing or no finite number, is -999.
ClimaticRecord StandardRecord(const ColumnMapping& mapping, std::span<const double> values);

// Refuses a data file whose header holds a code that is not a climatic parameter (its values
// would be lost on the next save), naming the file.
Status CheckDataFileCodes(std::span<const int16_t> codes, std::string_view file);

// Reads the station's data file (DtaFileName) into `data`: each value that is not missing is
// converted to its standard unit and put in its standard row. The columns are those of the data
// file's own header. A code that is not a climatic parameter is refused (CheckDataFileCodes), as
// is a line that cannot be read, naming the file and the line. On failure `data` stays as it
// was.
Status LoadWorkingData(const RepClimateFile& station, WorkingData& data);

// The texts of the grid's visible records: cells[c][r] is the cell of grid row r (the parameter
// codes[r]) in the column of record first + c.
using GridColumns = std::vector<std::vector<std::string>>;

// Stores the grid's visible records first..last (record numbers from 1) into the working data.
// An empty cell is the missing value; any other text is read as a number (a text that is no
// number counts as 0) and converted from the unit of its row's code to the standard unit; a
// number that no finite double holds after its conversion is stored as missing. Rows of
// parameters the grid does not show keep their values. A record beyond the end of the data is
// added, numbered by its place, as is every record between.
void WriteBackVisibleRecords(WorkingData& data, std::span<const int16_t> codes, int32_t first,
                             int32_t last, const GridColumns& cells);

}  // namespace vernoli
