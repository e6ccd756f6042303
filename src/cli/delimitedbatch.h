// What `vernoli-batch import` adds for a delimited file: the options of its layout and of its
// columns, the columns chosen from the header when --columns is not given, the label of a
// column in a message, and the import report on standard output.
//
//   --columns NAME=CODE[*FACTOR],...   NAME a header name or a 1-based column number
//   --date-column NAME|N   or   --date-columns YEAR,MONTH,DAY (YEAR,MONTH for monthly data)
//   --date-order dmy|mdy|ymd   --separator comma|semicolon|tab|blank   --decimal-comma
//   --missing-marker TEXT (repeatable)   --beyond-limits refuse|missing|clip
//
//   --station-column NAME|N --stations LIST.csv --name 'PATTERN_{station}'
//
// A file that holds several stations is imported one station at a time (importbatch.cpp): the
// texts of that import are made here.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/importoptions.h"
#include "import/delimited.h"
#include "import/stationlist.h"

namespace vernoli {

class ImportSession;

// The options that apply to a delimited file only.
std::span<const std::string_view> DelimitedOnlyOptions();

// The choices of --columns: "TX=101*0.1,TN=103*0.1,7=201". Returns the reason of a fault, or
// empty.
std::string ReadColumnChoices(std::string_view list, std::vector<ColumnChoice>& choices);

// Sets the session's layout, its columns (when --columns is given) and what becomes of values
// beyond the limits from the command line, before the file is chosen. Returns the reason of a
// usage fault, or empty.
std::string ApplyDelimitedOptions(const ImportLine& line, ImportSession& import);

// The columns as --columns would give them, "TX=101*0.1,TN=103*0.1" (by number where the name
// cannot be given: none, or one with a comma, '=' or '*' in it, or one named twice).
std::string ColumnChoicesText(const ImportSession& import);

// Without --columns, after the file is read: the columns chosen from the header names
// ("columns chosen from the header: TX=101,TN=103") and those it names but does not take, each
// with the reason, to `out`. Returns the refusal when it takes none (a command-line fault),
// empty otherwise.
std::string ReportChosenColumns(const ImportSession& import, const std::string& file,
                                std::ostream& out);

// An imported column (0-based among them) as a message names it: "column 5 (TX) as 101 (Tmax,
// °C)", in UTF-8.
std::string DelimitedColumnLabel(const ImportSession& import, int column);

// The import report after the station is written, in UTF-8; nothing when it is empty.
void PrintImportReport(const ImportSession& import, std::ostream& out);

// ---- a file of several stations --------------------------------------------------------
// The usage faults of --station-column, --stations and the --name pattern; empty when none.
std::string CheckSeveralStationsOptions(const ImportLine& line);
// The pattern with each "{station}" replaced by the id.
std::string NameOfStation(std::string pattern, std::string_view id);
// The line before the messages of a station that was not imported: "station "260" of file F
// (lines 5 to 9), as DEBILT_260:".
std::string StationHeading(const StationRows& rows, const std::string& file,
                           const std::string& name);
// The reason a station of the file that the list lacks is not imported.
std::string NotInListReason(const DelimitedStations& stations, const StationRows& rows,
                            const std::string& list);
// The note on a station of the list that the file lacks.
std::string NotInFileNote(const ListedStation& listed, const std::string& list,
                          const std::string& file);
// The note on a file whose stations' lines are interleaved.
std::string InterleavedNote(const std::string& file);

// The lines of the usage text that describe the options of a delimited file.
std::string DelimitedUsage();

}  // namespace vernoli
