#include "cli/importbatch.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "cli/arguments.h"
#include "cli/options.h"
#include "import/session.h"
#include "limits/limits.h"
#include "model/calendar.h"
#include "model/folders.h"
#include "model/numbers.h"
#include "model/parameters.h"
#include "model/status.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

// The options: each takes a value but the flag --not-linked.
constexpr OptionSpec kOptions[] = {
    {"--name"},        {"--kind"},        {"--columns"},     {"--type"},
    {"--from"},        {"--to"},          {"--not-linked", false},
    {"--undefined"},   {"--station"},     {"--country"},     {"--latitude"},
    {"--longitude"},   {"--altitude"},    {"--wind-height"}, {"--location"},
    {"--climate"},     {"--winds"},       {"--limit-tmin"},  {"--limit-tmax"},
    {"--limit-rhmin"}, {"--limit-wind"},  {"--limit-rad-dev"}};
constexpr std::string_view kNotLinked = "--not-linked";
// What a database file decides.
constexpr std::string_view kLockedOptions[] = {"--type",     "--from",      "--to",
                                               "--not-linked", "--latitude", "--longitude",
                                               "--altitude", "--columns",   "--undefined"};

struct ImportLine {
  std::string File;
  std::map<std::string, std::string, std::less<>> Values;
  bool NotLinked = false;

  std::optional<std::string> Get(std::string_view option) const {
    const auto it = Values.find(option);
    if (it == Values.end()) return std::nullopt;
    return it->second;
  }
  bool Has(std::string_view option) const {
    return option == kNotLinked ? NotLinked : Values.count(option) != 0;
  }
};

// The reason of the first fault of the command line, or empty. A word that does not start with
// "--" is the file, even "-x".
std::string ParseLine(const std::vector<std::string>& args, ImportLine& line) {
  ArgumentReader reader(args, ArgumentReader::Dashes::Two);
  Argument argument;
  bool fileGiven = false;
  while (reader.Next(kOptions, "import", argument)) {
    if (argument.Positional()) {
      if (fileGiven) return "import takes one file, not also " + argument.Value;
      line.File = argument.Value;
      fileGiven = true;
    } else if (argument.Name == kNotLinked) {
      line.NotLinked = true;
    } else {
      line.Values[argument.Name] = argument.Value;
    }
  }
  if (!reader.Error().empty()) return reader.Error();
  if (!fileGiven) return "import needs the file to import";
  if (!line.Has("--name")) return "import needs --name NAME";
  return {};
}

std::string NotANumber(std::string_view option, std::string_view text) {
  return "option " + std::string(option) + ": \"" + std::string(text) + "\" is no number";
}

// A value of a range-checked field: refused (not forced into the range) when outside it.
std::string ReadReal(const ImportLine& line, std::string_view option, const RealFieldSpec& field,
                     double& value) {
  const std::optional<std::string> text = line.Get(option);
  if (!text) return {};
  double parsed = 0.0;
  if (!ParseReal(TrimBlanks(*text), parsed)) return NotANumber(option, *text);
  const RealEntryCheck check = CheckRealEntry(parsed, field.Minimum, field.Maximum, field.Width,
                                              field.Decimals);
  if (!check.Inside()) return "option " + std::string(option) + ": " + check.Message.substr(7);
  value = parsed;
  return {};
}

std::string ReadInteger(const ImportLine& line, std::string_view option, int64_t minimum,
                        int64_t maximum, int width, int64_t& value) {
  const std::optional<std::string> text = line.Get(option);
  if (!text) return {};
  int64_t parsed = 0;
  if (!ParseInt(TrimBlanks(*text), parsed)) return NotANumber(option, *text);
  const IntegerEntryCheck check = CheckIntegerEntry(parsed, minimum, maximum, width);
  if (!check.Inside()) return "option " + std::string(option) + ": " + check.Message.substr(7);
  value = parsed;
  return {};
}

// One of the words of an option; -1 when the option is absent.
std::string ReadChoice(const ImportLine& line, std::string_view option,
                       std::initializer_list<std::string_view> words, int& choice) {
  choice = -1;
  const std::optional<std::string> text = line.Get(option);
  if (!text) return {};
  int i = 0;
  for (std::string_view word : words) {
    if (*text == word) {
      choice = i;
      return {};
    }
    ++i;
  }
  std::string list;
  for (std::string_view word : words) list += (list.empty() ? "" : "|") + std::string(word);
  return "option " + std::string(option) + " takes " + list + ", not \"" + *text + "\"";
}

// "D/M/YYYY", or "D/M" for data not linked to a year.
std::string ReadDate(const ImportLine& line, std::string_view option, Date& date) {
  const std::optional<std::string> text = line.Get(option);
  if (!text) return {};
  const std::string bad = "option " + std::string(option) + ": \"" + *text +
                          "\" is no date D/M/YYYY";
  std::vector<int64_t> parts;
  std::string_view rest = *text;
  for (;;) {
    const std::size_t slash = rest.find('/');
    int64_t part = 0;
    if (!ParseInt(rest.substr(0, slash), part)) return bad;
    parts.push_back(part);
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  if (parts.size() != 3 && !(parts.size() == 2 && line.NotLinked)) return bad;
  if (parts.size() == 2) parts.push_back(kYearNotLinked);
  const int64_t year = parts[2];
  if (year != kYearNotLinked && (year < 1902 || year > 2099)) {
    return "option " + std::string(option) + ": the year must be 1901 (not linked) or 1902..2099";
  }
  if (parts[1] < 1 || parts[1] > 12 || parts[0] < 1 || parts[0] > 31) return bad;
  date = {static_cast<int32_t>(parts[0]), static_cast<int32_t>(parts[1]),
          static_cast<int32_t>(year)};
  return {};
}

// The unit of a code as a terminal shows it: without the blanks around it, the degree sign in
// UTF-8.
std::string UnitText(int code) {
  std::string unit(TrimBlanks(ParameterRow(RowOfCode(code)).Unit));
  for (std::size_t at = unit.find('\xB0'); at != std::string::npos; at = unit.find('\xB0', at + 2)) {
    unit.replace(at, 1, "\xC2\xB0");
  }
  return unit;
}

// An altitude in metres, with decimals or without: rounded to the whole metre that the
// description holds (half a metre away from zero), then held to the altitude field's range.
std::string ReadAltitude(const ImportLine& line, int64_t& altitude) {
  const std::optional<std::string> text = line.Get("--altitude");
  if (!text) return {};
  double parsed = 0.0;
  if (!ParseReal(TrimBlanks(*text), parsed)) return NotANumber("--altitude", *text);
  const IntegerFieldSpec& field = fields::kAltitude;
  const double metres = std::round(parsed);
  // Far beyond the range, the number is only known to lie outside it.
  const int64_t whole = metres > static_cast<double>(field.Maximum)   ? field.Maximum + 1
                        : metres < static_cast<double>(field.Minimum) ? field.Minimum - 1
                                                                      : static_cast<int64_t>(metres);
  const IntegerEntryCheck check = CheckIntegerEntry(whole, field.Minimum, field.Maximum, field.Width);
  if (!check.Inside()) return "option --altitude: " + check.Message.substr(7);
  altitude = whole;
  return {};
}

// The columns' codes; every code must be one of the code list, and the temperatures of one unit
// (the form turns the others into it; a command line is refused instead).
std::string ReadCodes(const std::string& list, std::vector<int>& rows) {
  std::string_view rest = list;
  std::vector<int> codes;
  for (;;) {
    const std::size_t comma = rest.find(',');
    int64_t code = 0;
    const std::string_view item = TrimBlanks(rest.substr(0, comma));
    const int row = ParseInt(item, code) && code >= 0 && code < 1000 ? RowOfCode(static_cast<int>(code)) : 0;
    if (row == 0 || row == Row::ETo) {
      return "option --columns: \"" + std::string(item) + "\" is no parameter code of the import";
    }
    rows.push_back(row);
    codes.push_back(static_cast<int>(code));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (const auto [celsius, fahrenheit] = MixedTemperatureUnits(codes); celsius != 0) {
    return "option --columns: " + std::to_string(celsius) + " (" + UnitText(celsius) + ") and " +
           std::to_string(fahrenheit) + " (" + UnitText(fahrenheit) +
           ") mix the temperature units; give every temperature in " + UnitText(101) +
           " or every one in " + UnitText(111);
  }
  return {};
}

// The span of the command line for a free-format text file.
std::string ApplySpan(const ImportLine& line, ImportSession& import) {
  int type = 0;
  if (std::string e = ReadChoice(line, "--type", {"daily", "10-daily", "monthly"}, type);
      !e.empty()) {
    return e;
  }
  const uint8_t dataType = type < 0 ? static_cast<uint8_t>(kDaily) : static_cast<uint8_t>(type);
  Date first = import.Span().StoredFirst();
  Date last = import.Span().StoredLast();
  if (std::string e = ReadDate(line, "--from", first); !e.empty()) return e;
  if (std::string e = ReadDate(line, "--to", last); !e.empty()) return e;
  const bool notLinked =
      line.NotLinked || first.Year == kYearNotLinked || last.Year == kYearNotLinked;
  if (notLinked) first.Year = last.Year = kYearNotLinked;
  for (Date* date : {&first, &last}) {
    if (dataType == kMonthly) date->Day = 1;
    if (dataType == kTenDaily) date->Day = FirstDayOfDecade(DecadeOfDay(date->Day));
    if (date->Day > DaysInMonthOfYear(date->Month, date->Year)) {
      return "the date " + std::to_string(date->Day) + "/" + std::to_string(date->Month) + "/" +
             std::to_string(date->Year) + " does not exist";
    }
  }
  if (DayNr(last.Day, last.Month, last.Year) < DayNr(first.Day, first.Month, first.Year)) {
    return "option --to: the last record lies before the first";
  }
  import.SetSpan(dataType, first, last);
  return {};
}

std::string ApplyLimits(const ImportLine& line, ImportSession& import) {
  StationLimits limits = import.Station().Limits;
  struct LimitOption {
    std::string_view Option;
    int Lowest, Highest;
    int8_t* Limit;
  };
  const LimitOption options[] = {
      {"--limit-tmin", kLimitTminLowest, kLimitTminHighest, &limits.LimitTmin},
      {"--limit-tmax", kLimitTmaxLowest, kLimitTmaxHighest, &limits.LimitTmax},
      {"--limit-rhmin", kLimitRHminLowest, kLimitRHminHighest, &limits.LimitRHmin},
      {"--limit-wind", kLimitWindLowest, kLimitWindHighest, &limits.LimitWind},
      {"--limit-rad-dev", kLimitDeviationLowest, kLimitDeviationHighest,
       &limits.LimitRadiationDeviation},
  };
  bool given = false;
  for (const LimitOption& o : options) {
    int64_t value = *o.Limit;
    if (std::string e = ReadInteger(line, o.Option, o.Lowest, o.Highest, 4, value); !e.empty()) {
      return e;
    }
    given = given || line.Has(o.Option);
    *o.Limit = static_cast<int8_t>(value);
  }
  if (limits.LimitTmax < limits.LimitTmin + kLimitTemperatureGap) {
    return "the maximum temperature limit must be at least " +
           std::to_string(kLimitTemperatureGap) + " above the minimum temperature limit";
  }
  if (given) import.SetLimits(limits);
  return {};
}

std::string ApplyClasses(const ImportLine& line, ImportSession& import) {
  LocationClasses classes = import.Classes();
  int site = 0;
  int climate = 0;
  int winds = 0;
  if (std::string e = ReadChoice(line, "--location", {"coast", "interior"}, site); !e.empty()) {
    return e;
  }
  if (std::string e = ReadChoice(line, "--climate", {"arid", "humid"}, climate); !e.empty()) {
    return e;
  }
  if (std::string e = ReadChoice(line, "--winds", {"light", "moderate", "strong"}, winds);
      !e.empty()) {
    return e;
  }
  if (site >= 0) classes.Site = site == 0 ? Location::Coast : Location::Interior;
  if (climate >= 0) classes.Humidity = climate == 0 ? Climate::Arid : Climate::Humid;
  if (winds >= 0) {
    classes.Wind = winds == 0   ? WindClass::Light
                   : winds == 1 ? WindClass::LightToModerate
                                : WindClass::ModerateToStrong;
  }
  import.SetClasses(classes);
  return {};
}

// The usage faults that do not depend on the file: checked before it is read.
std::string CheckOptions(const ImportLine& line, ImportKind kind) {
  if (kind != ImportKind::Text) {
    for (std::string_view option : kLockedOptions) {
      if (line.Has(option)) {
        return "option " + std::string(option) + " does not apply to a " +
               (kind == ImportKind::Hydrolex ? "Hydrolex" : "Meteorix") +
               " file: the file decides it";
      }
    }
  } else if (!line.Has("--columns")) {
    return "import of a text file needs --columns CODE,CODE,...";
  }
  return {};
}

// The options that set the lower or upper program limit of a code, each with its unit, and the
// verb: "--limit-tmin (whole degC) sets"; empty for a limit that no option changes.
std::string LimitOptions(int code, bool upper) {
  const std::string celsius = "(whole " + UnitText(101) + ")";
  const std::string percent = "(whole " + UnitText(202) + ")";
  std::vector<std::string> options;
  if (IsTemperatureLike(code)) {
    options = {upper ? "--limit-tmax " + celsius : "--limit-tmin " + celsius};
  } else if (code >= 201 && code <= 203) {
    if (!upper) options = {"--limit-rhmin " + percent};
  } else if (code >= 221 && code <= 225) {
    options = upper ? std::vector<std::string>{"--limit-tmax " + celsius}
                    : std::vector<std::string>{"--limit-rhmin " + percent, "--limit-tmin " + celsius};
  } else if (code >= 301 && code <= 304) {
    if (upper) options = {"--limit-wind (whole " + UnitText(301) + ")"};
  } else if (code == 401 || (code >= 421 && code <= 435)) {
    if (upper) options = {"--limit-rad-dev " + percent};
  }
  if (options.empty()) return {};
  std::string text = options.front();
  for (std::size_t i = 1; i < options.size(); ++i) text += " and " + options[i];
  return text + (options.size() == 1 ? " sets" : " set");
}

// After "CHECK climatic parameters": each column that failed, with its data and limits in its
// unit and the options that set the limits it exceeds.
void ExplainColumns(const ImportSession& import, std::ostream& err) {
  const std::vector<ValueRange> limits = import.Columns().CheckedLimits();
  for (const ReportRow& row : import.Report().Rows) {
    if (!row.Failed) continue;
    const int c = std::stoi(row.Nr) - 1;
    const ImportColumn& column = import.Columns().Column(c);
    const std::string symbol(TrimBlanks(row.Symbol));
    err << "column " << TrimBlanks(row.Nr);
    if (!symbol.empty()) err << " (" << symbol << ", " << UnitText(column.Code) << ")";
    err << ": " << row.Error;
    if (!row.Range.empty()) {
      err << ", data " << TrimBlanks(column.MinimumText) << " .. "
          << TrimBlanks(column.MaximumText) << " beyond the limits "
          << TrimBlanks(column.LowerText) << " .. " << TrimBlanks(column.UpperText)
          << ", all in " << UnitText(column.Code);
      const ValueRange& checked = limits[static_cast<std::size_t>(c)];
      for (const bool upper : {false, true}) {
        if (upper ? column.Maximum <= checked.Maximum : column.Minimum >= checked.Minimum) continue;
        const std::string side = upper ? "upper" : "lower";
        const std::string options = LimitOptions(column.Code, upper);
        err << "; " << (options.empty() ? "the " + side + " limit is fixed"
                                         : options + " the " + side + " limit");
      }
    }
    err << '\n';
  }
}

// After "number of records DIFFERENT FROM lines in file": both numbers and the span.
std::string LineCountText(const ImportSession& import, const std::string& file) {
  const SpanEntry& span = import.Span();
  const auto date = [](const Date& d) {
    return std::to_string(d.Day) + "/" + std::to_string(d.Month) +
           (d.Year == kYearNotLinked ? std::string() : "/" + std::to_string(d.Year));
  };
  const Date first = span.StoredFirst();
  const Date last = span.StoredLast();
  std::string text = "file " + file + " holds " + std::to_string(import.Scan().Lines) +
                     (import.Scan().Months ? " months" : " data lines") + "; the span " +
                     date(first) + " .. " + date(last);
  if (first.Year == kYearNotLinked) text += " (not linked to a year)";
  const uint8_t type = span.DataType();
  text += " has " + std::to_string(span.NumberOfRecords()) + " " +
          (type == kDaily ? "daily" : type == kTenDaily ? "10-daily" : "monthly") + " records";
  if (import.DatabaseKind()) {
    return text + ", as for every " +
           (import.Kind() == ImportKind::Hydrolex ? "Hydrolex" : "Meteorix") + " file";
  }
  return text + " (--type, --from, --to and --not-linked set it)";
}

// Splits "folder/name" into the folder (with its '/') and the name.
void SplitPath(const std::string& path, std::string& folder, std::string& name) {
  const std::size_t slash = path.rfind('/');
  folder = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
  name = slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string ImportBatchUsage() {
  return "  import      makes the new station NAME from an import file, with the checks and\n"
         "              the files of the import form:\n"
         "                import FILE --name NAME [--kind text|hydrolex|meteorix]\n"
         "                [--columns CODE,CODE,...] [--type daily|10-daily|monthly]\n"
         "                [--from D/M/YYYY] [--to D/M/YYYY] [--not-linked] [--undefined V]\n"
         "                [--station TEXT] [--country TEXT] [--latitude DEG]\n"
         "                [--longitude DEG] [--altitude M] [--wind-height M]\n"
         "                [--location coast|interior] [--climate arid|humid]\n"
         "                [--winds light|moderate|strong] [--limit-tmin V] [--limit-tmax V]\n"
         "                [--limit-rhmin V] [--limit-wind V] [--limit-rad-dev V]\n"
         "              --columns gives one parameter code per column of a text file (.CXT),\n"
         "              every temperature in one unit (codes of \xC2\xB0" "C and \xC2\xB0" "F together are\n"
         "              refused). A Hydrolex (.PEN) or Meteorix (.DAT) file decides its span,\n"
         "              location, columns and undefined value. Latitude and longitude are\n"
         "              signed decimal degrees (negative: South, West); the altitude is in\n"
         "              metres, a decimal altitude rounded to the whole metre. For 10-daily\n"
         "              data the day of --from and --to names its decade; for monthly data it\n"
         "              is ignored. The limits are whole numbers: --limit-tmin, --limit-tmax\n"
         "              in \xC2\xB0" "C, --limit-rhmin and --limit-rad-dev in %, --limit-wind in m/sec,\n"
         "              whatever the units of the file's columns. A column beyond its limits\n"
         "              is reported in its own unit with the option that moves the limit; a\n"
         "              file whose number of lines differs from the span's records, with\n"
         "              both numbers and the span.\n";
}

int RunImportBatch(const std::vector<std::string>& args, const std::string& dataFolder,
                   std::ostream& out, std::ostream& err) {
  const auto usage = [&err](const std::string& reason) {
    err << ErrorText(reason) << '\n' << "Try 'vernoli-batch --help'.\n";
    return kBatchUsageError;
  };
  ImportLine line;
  if (std::string e = ParseLine(args, line); !e.empty()) return usage(e);
  ImportKind kind = ImportKindOfFile(line.File);
  int chosen = 0;
  if (std::string e = ReadChoice(line, "--kind", {"text", "hydrolex", "meteorix"}, chosen);
      !e.empty()) {
    return usage(e);
  }
  if (chosen >= 0) kind = static_cast<ImportKind>(chosen);
  if (std::string e = CheckOptions(line, kind); !e.empty()) return usage(e);

  std::vector<int> rows;
  if (const auto columns = line.Get("--columns")) {
    if (std::string e = ReadCodes(*columns, rows); !e.empty()) return usage(e);
  }
  double undefined = kDefaultUndefinedValue;
  double windHeight = fields::kWindHeight.Fallback;
  if (std::string e = ReadReal(line, "--undefined", fields::kUndefinedValue, undefined);
      !e.empty()) {
    return usage(e);
  }
  if (std::string e = ReadReal(line, "--wind-height", fields::kWindHeight, windHeight);
      !e.empty()) {
    return usage(e);
  }

  const std::string data =
      dataFolder.empty() || dataFolder.back() == '/' ? dataFolder : dataFolder + "/";
  if (Status s = CheckFolder(data, "data folder"); !s) {
    err << s.Message << '\n';
    return kBatchFailed;
  }

  std::string folder;
  std::string name;
  SplitPath(line.File, folder, name);
  ImportSession import(folder);
  import.SetWriteTransposedFile(false);  // nothing is left beside the input file
  import.ChangeKind(kind);
  if (line.Has("--undefined")) import.EnterUndefined(FormatReal(undefined, 10, 3), true);
  const std::string readMessage = import.ChooseFile(name);

  // What the user may change on the form after the file is read.
  if (const auto station = line.Get("--station")) import.SetStationName(*station);
  if (const auto country = line.Get("--country")) import.SetCountry(*country);
  if (kind == ImportKind::Text) {
    double latitude = import.Station().Latitude;
    double longitude = import.Station().Longitude;
    int64_t altitude = import.Station().Altitude;
    const RealFieldSpec lat{-fields::kLatitudeDecimal.Maximum, fields::kLatitudeDecimal.Maximum,
                            9, 2, 0.0};
    const RealFieldSpec lon{-fields::kLongitudeDecimal.Maximum,
                            fields::kLongitudeDecimal.Maximum, 9, 2, 0.0};
    if (std::string e = ReadReal(line, "--latitude", lat, latitude); !e.empty()) return usage(e);
    if (std::string e = ReadReal(line, "--longitude", lon, longitude); !e.empty()) {
      return usage(e);
    }
    if (std::string e = ReadAltitude(line, altitude); !e.empty()) return usage(e);
    import.SetLocation(latitude, longitude, static_cast<int32_t>(altitude));
    if (std::string e = ApplySpan(line, import); !e.empty()) return usage(e);
  }
  if (std::string e = ApplyClasses(line, import); !e.empty()) return usage(e);
  if (std::string e = ApplyLimits(line, import); !e.empty()) return usage(e);
  import.EnterWindHeight(FormatReal(windHeight, 6, 1));

  if (!readMessage.empty()) err << readMessage << '\n';
  if (!rows.empty() && import.Columns().Defined()) {
    if (static_cast<int>(rows.size()) > import.Columns().Columns()) {
      err << CannotImportMessage("--columns gives " + std::to_string(rows.size()) +
                                 " codes for the " +
                                 std::to_string(import.Columns().Columns()) +
                                 " columns of file " + line.File)
          << '\n';
      return kBatchFailed;
    }
    for (std::size_t c = 0; c < rows.size(); ++c) {
      import.SelectColumn(static_cast<int>(c));
      import.ChooseCode(rows[c]);
    }
  }

  const ImportResult result = import.Import(data, line.Get("--name").value_or(""));
  if (!result.Imported()) {
    err << result.Message << '\n';
    if (result.Message == CannotImportMessage(kCheckParameters)) ExplainColumns(import, err);
    if (result.Message == CannotImportMessage(kRecordsDifferent)) {
      err << LineCountText(import, line.File) << '\n';
    }
    return kBatchFailed;
  }
  out << result.Station.DscFileName << ", " << result.Station.DtaFileName << ": station "
      << result.Station.FileName << " imported, " << result.Station.NumberOfRecords
      << " records\n";
  return 0;
}

}  // namespace vernoli
