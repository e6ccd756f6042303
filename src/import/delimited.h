// Reading a delimited text file of weather data, as weather services and loggers export it, into
// what the import of a new station needs: the data type, the span, and per imported column its
// parameter code and its values, one per record.
//
//   # preamble lines (any text; a leading '#' is usual)
//   # STN,YYYYMMDD,TX,TN          <- the header: the last non-empty line before the first data line
//     260,19800101,  26,  -12     <- data lines: one date per line, rising, gaps allowed
//
// The separator (tab, semicolon, comma or runs of blanks), the decimal sign, the date column and
// the form of its dates are found from the file unless the caller gives them. Fields may be
// quoted as RFC 4180 says (separators and doubled quotes inside quotes), within one line. The file
// is read line by line; only the values of the imported columns are kept, one per record, and a
// day (decade, month) that no line gives is a record of missing values.
//
// A file the reader cannot take is refused with "ERROR:", a line break and the reason, naming the
// file, the line and the column and saying what would be accepted. The reader never throws.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/delimiteddates.h"
#include "import/delimitednames.h"
#include "import/delimitedtext.h"
#include "import/scan.h"
#include "model/calendar.h"
#include "model/parameters.h"
#include "model/status.h"

namespace vernoli {

// A column of the file: by its 1-based number, or by its header name (letter case and the blanks
// around it ignored).
struct ColumnRef {
  int Number = 0;    // 1-based; 0 when named
  std::string Name;  // Windows-1252 or UTF-8

  // "3" is column 3, any other text a name.
  static ColumnRef FromText(std::string_view text);
};

// A column to import: the code of its values and the factor each value is multiplied by.
struct ColumnChoice {
  ColumnRef Column;
  int16_t Code = 0;
  double Factor = 1.0;
};

// The rows of one station in a file of several stations, as IndexDelimitedStations finds them.
struct StationRows {
  std::string Id;         // the text of the station column, without the blanks around it
  int32_t FirstLine = 0;  // the line of its first row
  int32_t LastLine = 0;   // the line of its last row
  int64_t Begin = 0;      // byte offset of its first row
  int64_t End = 0;        // byte offset just after its last row
  int64_t Rows = 0;       // its data lines
};

struct DelimitedOptions {
  FieldSeparator Separator = FieldSeparator::Auto;
  // Auto: a decimal point where the separator is a comma, else the sign the numbers show.
  DecimalSign Decimal = DecimalSign::Auto;
  // Auto: the form of the first data line; for DD/MM/YYYY or MM/DD/YYYY the order a date of the
  // file with a day above 12 tells.
  DateFormat Dates = DateFormat::Auto;
  // The order of year, month and day in a date column: only dates of a form in this order are
  // dates, and DD/MM/YYYY or MM/DD/YYYY is read in it. Auto: from the form (and the file).
  DateOrder Order = DateOrder::Auto;
  // The date column, or the year, month and day columns, or the year and month columns of
  // monthly data. Empty: found by the header names, else the first column holding dates.
  std::vector<ColumnRef> DateColumns;
  // kDaily, kTenDaily or kMonthly. Empty: from the dates (all on the 1st, 11th and 21st with
  // some on the 11th or 21st: 10-daily; all on the 1st, more than one: monthly; else daily).
  std::optional<uint8_t> DataType;
  // Values that mark a missing datum, compared after multiplying by 1000 and rounding.
  std::vector<double> UndefinedValues = {-999.0, -9999.0};
  // Further texts that mark a missing datum ("NO RECORD"), beside the empty field, NA, N/A, NaN,
  // null and "-".
  std::vector<std::string> MissingMarkers;
  // The columns imported, in this order. Empty: the columns the header names propose.
  std::optional<std::vector<ColumnChoice>> Columns;
  // False: the file has no header; every line before the first data line is a preamble.
  bool HasHeader = true;
  // A file of several stations: the column that names the station of each line (never a date
  // column, never imported), and the one station read: the lines from its first row to its last
  // whose station column holds its id, read as if they were the data lines of a file alone.
  std::optional<ColumnRef> StationColumn;
  std::optional<StationRows> Station;
};

// A column of the file as the header names it.
struct DelimitedColumn {
  int Number = 0;         // 1-based
  std::string Name;       // Windows-1252; empty without a header
  bool Date = false;      // a date column (never imported)
  bool Station = false;   // the station column of a file of several stations (never imported)
  ColumnProposal Proposal;  // what its name offers
};

// The values of one imported column.
struct DelimitedSeries {
  int Column = 0;  // 1-based number in the file
  std::string Name;
  int16_t Code = 0;
  double Factor = 1.0;
  std::vector<double> Values;  // one per record, times the factor; kMissing when missing
  double Minimum = kMissing;   // of the values that are not missing; kMissing when none is
  double Maximum = kMissing;
};

struct DelimitedFile {
  std::string Path;
  Status Result;  // the refusal, "ERROR:\n" + the reason, when the file cannot be taken

  // What was found of the layout (as far as the reading came).
  FieldSeparator Separator = FieldSeparator::Auto;
  DecimalSign Decimal = DecimalSign::Auto;  // Auto while no number told it
  DateFormat Dates = DateFormat::Auto;
  std::vector<int> DateColumns;  // 1-based: the date column, or year, month (and day)
  int HeaderLine = 0;            // 0: no header
  int FirstDataLine = 0;
  int DataLines = 0;
  std::vector<DelimitedColumn> Columns;

  // The records: the first day of the first and of the last record.
  uint8_t DataType = kDaily;
  Date First{1, 1, kFirstImportYear};
  Date Last{1, 1, kFirstImportYear};
  int32_t Records = 0;
  int32_t AbsentRecords = 0;  // records no line of the file gives
  std::vector<DelimitedSeries> Series;

  // A station of a file of several stations: the bytes its reading took (the file's first
  // HeadBytes bytes, up to the line after its first data line, then the station's lines), to
  // tell later whether the file still holds them.
  int64_t HeadBytes = 0;
  std::string StationBytes;

  // A refusal for a date given again or going back: its line and the line of the date before
  // (0 otherwise); where a file of several stations read as one starts its next station.
  int DateAgainLine = 0;
  int DateBeforeLine = 0;

  bool Ok() const { return Result.Ok; }
};

// The 0-based index of the column that `ref` names among the file's columns: by its number, or
// by its header name (letter case and the blanks around it ignored); -1 when there is none.
int ColumnIndex(const DelimitedFile& file, const ColumnRef& ref);

// Reads the file. Never throws; a refusal leaves the layout found so far (for instance the
// header's columns and their proposals, so that a caller can let the user choose) and no series.
DelimitedFile ReadDelimitedFile(const std::string& path, const DelimitedOptions& options = {});

// ---------------------------------------------------------------------------------------------
// A file of several stations

struct DelimitedStations {
  std::string Path;
  Status Result;  // the refusal, "ERROR:\n" + the reason, when the file cannot be taken
  // The layout found (separator, header, columns, the station column marked), without records.
  DelimitedFile Layout;
  int StationColumn = 0;  // 1-based
  // In the order of their first rows.
  std::vector<StationRows> Stations;
  // The rows of each station follow each other. Otherwise the stations are interleaved (a file
  // sorted by date first), and reading one station passes over the rows of the others between
  // its first row and its last.
  bool Grouped = true;

  bool Ok() const { return Result.Ok; }
};

// One pass over a file whose column `options.StationColumn` names the station of each line: the
// layout (as ReadDelimitedFile finds it with the same options, the columns to import checked)
// and where the rows of each station lie; no value is parsed and only the stations' places are
// kept. Refused: a line whose station cannot be told (broken quotes, no station field, an empty
// one). Each station is then read by ReadDelimitedFile with options.Station set to its rows.
DelimitedStations IndexDelimitedStations(const std::string& path,
                                         const DelimitedOptions& options);

// Whether the file still holds the bytes the reading of a station took (file.StationBytes);
// an error naming the file and the station's lines when it does not.
Status SameStationBytes(const std::string& path, const DelimitedFile& file,
                        const StationRows& rows);

// ---------------------------------------------------------------------------------------------
// Towards the import of a new station

// The scan the import form and the status report work with: Lines is the number of records,
// one column per series with its smallest and largest value (the undefined value -999 where a
// column has none). More series than the import's 10 columns, or no series, make it Unreadable.
ScanResult ScanOfDelimitedFile(const DelimitedFile& file);

// The codes of the series, in their order.
std::vector<int16_t> CodesOfDelimitedFile(const DelimitedFile& file);

}  // namespace vernoli
