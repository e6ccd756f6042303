#include "cli/delimitedbatch.h"

#include <algorithm>
#include <cmath>

#include "import/columns.h"
#include "import/session.h"
#include "model/numbers.h"
#include "model/parameters.h"

namespace vernoli {

namespace {

constexpr std::string_view kDelimitedOnly[] = {
    "--date-column",   "--date-columns",   "--date-order",    "--separator",
    "--decimal-comma", "--missing-marker", "--beyond-limits", "--station-column",
    "--stations"};

// What the station list gives each station of a file of several stations.
constexpr std::string_view kListedOptions[] = {"--station", "--country", "--latitude",
                                               "--longitude", "--altitude"};

constexpr std::string_view kStationField = "{station}";

// The items of a comma-separated list, each without the blanks around it.
std::vector<std::string_view> Items(std::string_view list) {
  std::vector<std::string_view> items;
  for (;;) {
    const std::size_t comma = list.find(',');
    items.push_back(TrimBlanks(list.substr(0, comma)));
    if (comma == std::string_view::npos) return items;
    list.remove_prefix(comma + 1);
  }
}

// A name that --columns can give: not empty, no comma, '=' or '*', and no other column of the
// file bears it.
bool UsableName(const std::vector<DelimitedColumnView>& columns,
                const DelimitedColumnView& column) {
  const std::string& name = column.Name;
  if (TrimBlanks(name).empty() || name.find_first_of(",=*") != std::string::npos) return false;
  const std::string key = LowerAscii(TrimBlanks(name));
  ColumnRef number = ColumnRef::FromText(name);
  if (number.Number > 0) return false;  // a name of digits reads as a column number
  return std::count_if(columns.begin(), columns.end(), [&key](const DelimitedColumnView& c) {
           return LowerAscii(TrimBlanks(c.Name)) == key;
         }) == 1;
}

std::string FactorText(double factor) {
  return factor == 1.0 ? "" : "*" + NumberForMessage(factor);
}

}  // namespace

std::span<const std::string_view> DelimitedOnlyOptions() { return kDelimitedOnly; }

std::string ReadColumnChoices(std::string_view list, std::vector<ColumnChoice>& choices) {
  const std::string form =
      "; --columns takes NAME=CODE or NAME=CODE*FACTOR for each column to import, NAME a header "
      "name or a column number (such as TX=101*0.1,TN=103*0.1)";
  std::vector<int> codes;
  for (std::string_view item : Items(list)) {
    const std::size_t equals = item.rfind('=');
    if (equals == std::string_view::npos || TrimBlanks(item.substr(0, equals)).empty()) {
      return "option --columns: \"" + std::string(item) + "\" names no column" + form;
    }
    const std::string_view name = TrimBlanks(item.substr(0, equals));
    const std::string_view rest = TrimBlanks(item.substr(equals + 1));
    const std::size_t star = rest.find('*');
    const std::string_view codeText = TrimBlanks(rest.substr(0, star));
    int64_t code = 0;
    const int row = ParseInt(codeText, code) && code > 0 && code < 1000
                        ? RowOfCode(static_cast<int>(code))
                        : 0;
    if (row == 0 || row == Row::ETo) {
      return "option --columns: \"" + std::string(codeText) + "\" of " + std::string(name) +
             " is no parameter code of the import";
    }
    double factor = 1.0;
    if (star != std::string_view::npos) {
      const std::string_view factorText = TrimBlanks(rest.substr(star + 1));
      if (!ParseReal(factorText, factor) || factor == 0.0 || !std::isfinite(factor)) {
        return "option --columns: the factor \"" + std::string(factorText) + "\" of " +
               std::string(name) + " is no number other than 0";
      }
    }
    choices.push_back({ColumnRef::FromText(name), static_cast<int16_t>(code), factor});
    codes.push_back(static_cast<int>(code));
  }
  return MixedTemperatureReason(codes);
}

std::string ApplyDelimitedOptions(const ImportLine& line, ImportSession& import) {
  int separator = 0;
  int order = 0;
  int beyond = 0;
  if (std::string e = ReadChoice(line, "--separator", {"comma", "semicolon", "tab", "blank"},
                                 separator);
      !e.empty()) {
    return e;
  }
  if (std::string e = ReadChoice(line, "--date-order", {"dmy", "mdy", "ymd"}, order); !e.empty()) {
    return e;
  }
  if (std::string e = ReadChoice(line, "--beyond-limits", {"refuse", "missing", "clip"}, beyond);
      !e.empty()) {
    return e;
  }
  std::vector<ColumnRef> dates;
  if (line.Has("--date-column") && line.Has("--date-columns")) {
    return "options --date-column and --date-columns exclude each other: the dates are in one "
           "column or in year, month and day columns";
  }
  if (const auto column = line.Get("--date-column")) {
    if (TrimBlanks(*column).empty()) return "option --date-column needs a column name or number";
    dates.push_back(ColumnRef::FromText(*column));
  }
  if (const auto columns = line.Get("--date-columns")) {
    for (std::string_view item : Items(*columns)) dates.push_back(ColumnRef::FromText(item));
    const bool named = std::all_of(dates.begin(), dates.end(), [](const ColumnRef& ref) {
      return ref.Number > 0 || !ref.Name.empty();
    });
    if ((dates.size() != 2 && dates.size() != 3) || !named) {
      return "option --date-columns takes YEAR,MONTH,DAY (or YEAR,MONTH for monthly data), each "
             "a header name or a column number, not \"" + *columns + "\"";
    }
    if (order >= 0) {
      return "option --date-order applies to a date column, not to the year, month and day "
             "columns of --date-columns";
    }
  }
  std::optional<std::vector<ColumnChoice>> choices;
  if (const auto list = line.Get("--columns")) {
    choices.emplace();
    if (std::string e = ReadColumnChoices(*list, *choices); !e.empty()) return e;
  }

  constexpr FieldSeparator kSeparators[] = {FieldSeparator::Comma, FieldSeparator::Semicolon,
                                            FieldSeparator::Tab, FieldSeparator::Blanks};
  constexpr DateOrder kOrders[] = {DateOrder::DayMonthYear, DateOrder::MonthDayYear,
                                   DateOrder::YearMonthDay};
  constexpr BeyondLimits kBeyond[] = {BeyondLimits::Refuse, BeyondLimits::SetMissing,
                                      BeyondLimits::SetToLimit};
  // No file is chosen yet: the choices are kept for its reading.
  if (separator >= 0) import.SetSeparator(kSeparators[separator]);
  if (order >= 0) import.SetDateOrder(kOrders[order]);
  if (line.Has("--decimal-comma")) import.SetDecimalSign(DecimalSign::Comma);
  if (!dates.empty()) import.SetDateColumns(std::move(dates));
  if (!line.Markers.empty()) import.SetMissingMarkers(line.Markers);
  import.SetColumnChoices(std::move(choices));
  if (beyond >= 0) import.SetBeyondLimits(kBeyond[beyond]);
  return {};
}

std::string ColumnChoicesText(const ImportSession& import) {
  const std::vector<DelimitedColumnView> columns = import.DelimitedColumns();
  std::string text;
  for (const DelimitedColumnView& column : columns) {
    if (column.Code == 0) continue;
    const std::string name = UsableName(columns, column) ? std::string(TrimBlanks(column.Name))
                                                         : std::to_string(column.Number);
    text += (text.empty() ? "" : ",") + name + "=" + std::to_string(column.Code) +
            FactorText(column.Factor);
  }
  return TerminalText(text);
}

std::string ReportChosenColumns(const ImportSession& import, const std::string& file,
                                std::ostream& out) {
  const std::vector<DelimitedColumnView> columns = import.DelimitedColumns();
  const std::string chosen = ColumnChoicesText(import);
  if (!chosen.empty()) out << "columns chosen from the header: " << chosen << '\n';
  for (const DelimitedColumnView& column : columns) {
    if (column.Code == 0 && !column.Proposal.Note.empty()) {
      out << TerminalText("column " + std::to_string(column.Number) + " (" + column.Name +
                          ") not imported: " + column.Proposal.Note)
          << '\n';
    }
  }
  if (!chosen.empty() || columns.empty()) return {};
  const DelimitedFile& read = import.DelimitedRead();
  std::string names;
  for (const DelimitedColumnView& column : columns) {
    if (!column.Date) names += (names.empty() ? "" : ", ") + column.Name;
  }
  if (read.HeaderLine == 0) {
    return "file " + file + " has no header naming its columns; give the columns to import with "
           "--columns N=CODE[*FACTOR],... (N the column's number)";
  }
  return TerminalText("file " + file + ": no column the header (line " +
                      std::to_string(read.HeaderLine) + ") names is one the import knows (" +
                      names + "); give the columns to import with --columns "
                      "NAME=CODE[*FACTOR],...");
}

std::string DelimitedColumnLabel(const ImportSession& import, int column) {
  const DelimitedFile& read = import.DelimitedRead();
  const auto c = static_cast<std::size_t>(column);
  if (c >= read.Series.size()) return "column " + std::to_string(column + 1);
  const DelimitedSeries& series = read.Series[c];
  const ParameterInfo& row = ParameterRow(RowOfCode(series.Code));
  std::string label = "column " + std::to_string(series.Column);
  if (!series.Name.empty()) label += " (" + series.Name + ")";
  label += " as " + std::to_string(series.Code) + " (" + std::string(TrimBlanks(row.Symbol)) +
           ", " + std::string(TrimBlanks(row.Unit)) + ")";
  return TerminalText(label);
}

void PrintImportReport(const ImportSession& import, std::ostream& out) {
  for (const std::string& line : import.ValuesReportLines()) out << TerminalText(line) << '\n';
}

// ---------------------------------------------------------------------------------------------
// A file of several stations

std::string CheckSeveralStationsOptions(const ImportLine& line) {
  const bool column = line.Has("--station-column");
  if (column != line.Has("--stations")) {
    return "options --station-column and --stations go together: the column that names the "
           "station of each line, and the list (id, name, country, latitude, longitude, "
           "altitude) that describes each station";
  }
  if (!column) return {};
  if (TrimBlanks(line.Get("--station-column").value_or("")).empty()) {
    return "option --station-column needs a column name or number";
  }
  if (line.Get("--name").value_or("").find(kStationField) == std::string::npos) {
    return "option --name: with --station-column it is a pattern holding {station} (such as "
           "CO_{station}), which each station's id replaces, not \"" +
           line.Get("--name").value_or("") + "\"";
  }
  for (std::string_view option : kListedOptions) {
    if (line.Has(option)) {
      return "option " + std::string(option) + " does not apply to a file of several stations: "
             "the station list gives each station its name, country and location";
    }
  }
  return {};
}

std::string NameOfStation(std::string pattern, std::string_view id) {
  for (std::size_t at = 0; (at = pattern.find(kStationField, at)) != std::string::npos;) {
    pattern.replace(at, kStationField.size(), id);
    at += id.size();
  }
  return pattern;
}

// "lines 5 to 9", or "line 5".
std::string LinesText(const StationRows& rows) {
  if (rows.FirstLine == rows.LastLine) return "line " + std::to_string(rows.FirstLine);
  return "lines " + std::to_string(rows.FirstLine) + " to " + std::to_string(rows.LastLine);
}

std::string StationHeading(const StationRows& rows, const std::string& file,
                           const std::string& name) {
  return TerminalText("station " + QuotedForMessage(rows.Id) + " of file " + file + " (" +
                      LinesText(rows) + "), as " + name + ":");
}

std::string NotInListReason(const DelimitedStations& stations, const StationRows& rows,
                            const std::string& list) {
  const int column = stations.StationColumn;
  const auto index = static_cast<std::size_t>(column - 1);
  std::string where = "column " + std::to_string(column);
  if (index < stations.Layout.Columns.size() && !stations.Layout.Columns[index].Name.empty()) {
    where += " (" + stations.Layout.Columns[index].Name + ")";
  }
  return TerminalText("file " + stations.Path + ", " + LinesText(rows) + ", " + where +
                      ": station " +
                      QuotedForMessage(rows.Id) + " is not in the station list " + list +
                      "; its " + std::to_string(rows.Rows) + " lines are not imported: a "
                      "station is imported with the name, country and location the list gives "
                      "it");
}

std::string NotInFileNote(const ListedStation& listed, const std::string& list,
                          const std::string& file) {
  return TerminalText("vernoli-batch: station " + QuotedForMessage(listed.Id) + " of list " +
                      list + " (line " + std::to_string(listed.Line) + ") has no lines in file " +
                      file + "; nothing is imported for it");
}

std::string InterleavedNote(const std::string& file) {
  return "vernoli-batch: the lines of the stations of file " + file + " are not grouped by "
         "station; each station is read in a pass of its own over the lines from its first to "
         "its last, which takes longer than for a file whose lines are grouped";
}

std::string DelimitedUsage() {
  return "              A delimited file (any extension but .CXT, .PEN and .DAT, or\n"
         "              --kind delimited; a header, then a date and values per line)\n"
         "              decides its span by its dates and takes:\n"
         "                [--columns NAME=CODE[*FACTOR],...] [--date-column NAME|N]\n"
         "                [--date-columns YEAR,MONTH,DAY] [--date-order dmy|mdy|ymd]\n"
         "                [--separator comma|semicolon|tab|blank] [--decimal-comma]\n"
         "                [--missing-marker TEXT]... [--beyond-limits refuse|missing|clip]\n"
         "              NAME is a header name or a column number; each value is multiplied\n"
         "              by FACTOR (0.1 for tenths). Without --columns the columns whose\n"
         "              names are known are taken and the choice is printed. The separator,\n"
         "              the decimal sign, the date column and the order of day and month\n"
         "              are found from the file unless given. Empty fields, NA, N/A, NaN,\n"
         "              null, -, -999 and -9999 mark missing values; --missing-marker adds\n"
         "              one. Values beyond the limits are refused (the default), set missing\n"
         "              or set to the limit (clip); the values changed and the solar\n"
         "              radiation above the clear sky of its day are listed on standard\n"
         "              output after the station is written.\n"
         "              A file of several stations takes --station-column NAME|N and\n"
         "              --stations LIST.csv, and --name is a pattern such as CO_{station}:\n"
         "              each station of the column is imported on its own, all or nothing,\n"
         "              named by the pattern with its id and described by its line of the\n"
         "              list (id, name, country, latitude, longitude, altitude and\n"
         "              optionally wind height). A station missing from the list is not\n"
         "              imported; the layout options apply to every station.\n";
}

}  // namespace vernoli
