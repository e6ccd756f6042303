// A delimited file of several stations in the import form: which column looks like the station
// column when a reading as one station is refused, the hint the refusal then ends with, and the
// texts of the station chooser.
#pragma once

#include <cstdint>
#include <string>

#include "import/delimited.h"

namespace vernoli {

// The column (1-based) that seems to name the station of each line of a file refused because a
// date comes again (file.DateAgainLine): the first column that is neither a date column nor one
// the header proposes a code for, and holds the same on the first data line and on the line
// before the date came again, and another value on that line. 0 when no column is such, or when
// the date came again on the second data line (one line tells nothing of a column that stays).
int LikelyStationColumn(const DelimitedFile& file);

// "; the file seems to hold several stations in column STN: choose it as the station column, or
// import every station with vernoli-batch import --station-column STN", for column `number`
// (1-based) named by its header name, else by its number.
std::string SeveralStationsHint(const DelimitedFile& file, int number);

// "260 (14,610 rows)", "7 (1 row)".
std::string StationRowsText(const StationRows& rows);

// 14610 as "14,610".
std::string GroupedThousands(int64_t number);

}  // namespace vernoli
