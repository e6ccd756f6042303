#include "cli/importbatch.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <sstream>
#include <unordered_set>

#include "cli/delimitedbatch.h"
#include "cli/importoptions.h"
#include "cli/options.h"
#include "import/session.h"
#include "import/stationlist.h"
#include "limits/limits.h"
#include "model/calendar.h"
#include "model/folders.h"
#include "model/numbers.h"
#include "model/parameters.h"
#include "model/status.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

// What a database file decides.
constexpr std::string_view kLockedOptions[] = {"--type",     "--from",      "--to",
                                               "--not-linked", "--latitude", "--longitude",
                                               "--altitude", "--columns",   "--undefined"};
// What the dates of a delimited file decide, and the undefined value its markers replace.
constexpr std::string_view kSpanOptions[] = {"--type", "--from", "--to", "--not-linked"};

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
  return MixedTemperatureReason(codes);
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
      line.Has("--not-linked") || first.Year == kYearNotLinked || last.Year == kYearNotLinked;
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

std::string_view KindName(ImportKind kind) {
  switch (kind) {
    case ImportKind::Hydrolex: return "Hydrolex";
    case ImportKind::Meteorix: return "Meteorix";
    case ImportKind::Delimited: return "delimited";
    case ImportKind::Text: break;
  }
  return "free-format text";
}

// The usage faults that do not depend on the file: checked before it is read.
std::string CheckOptions(const ImportLine& line, ImportKind kind) {
  if (kind != ImportKind::Delimited) {
    for (std::string_view option : DelimitedOnlyOptions()) {
      if (line.Has(option)) {
        return "option " + std::string(option) + " applies to a delimited file, not to a " +
               std::string(KindName(kind)) + " file";
      }
    }
  }
  if (kind == ImportKind::Delimited) {
    for (std::string_view option : kSpanOptions) {
      if (line.Has(option)) {
        return "option " + std::string(option) +
               " does not apply to a delimited file: its dates decide the span";
      }
    }
    if (line.Has("--undefined")) {
      return "option --undefined does not apply to a delimited file: give the texts or numbers "
             "that mark a missing value with --missing-marker";
    }
  } else if (kind != ImportKind::Text) {
    for (std::string_view option : kLockedOptions) {
      if (line.Has(option)) {
        return "option " + std::string(option) + " does not apply to a " +
               std::string(KindName(kind)) + " file: the file decides it";
      }
    }
  } else if (!line.Has("--columns")) {
    return "import of a text file needs --columns CODE,CODE,...";
  }
  return kind == ImportKind::Delimited ? CheckSeveralStationsOptions(line) : std::string();
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
  const bool delimited = import.Kind() == ImportKind::Delimited;
  for (const ReportRow& row : import.Report().Rows) {
    if (!row.Failed) continue;
    const int c = std::stoi(row.Nr) - 1;
    const ImportColumn& column = import.Columns().Column(c);
    const std::string symbol(TrimBlanks(row.Symbol));
    if (delimited) {
      err << DelimitedColumnLabel(import, c);
    } else {
      err << "column " << TrimBlanks(row.Nr);
      if (!symbol.empty()) err << " (" << symbol << ", " << UnitText(column.Code) << ")";
    }
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
      if (delimited) err << "; or --beyond-limits missing|clip changes the values beyond them";
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

// What the command line asks for, read and checked before any file is opened.
struct ImportPlan {
  ImportLine Line;
  ImportKind Kind = ImportKind::Text;
  std::string DataFolder;         // ends with '/'
  std::vector<int> Rows;          // a text file: the table row of each column's code
  double Undefined = kDefaultUndefinedValue;
  double WindHeight = 2.0;
};

// One station of a file of several stations.
struct OneOfSeveral {
  ColumnRef Column;              // the station column
  StationRows Rows;              // where its lines lie
  const ListedStation* Listed;   // its line of the station list
  std::string Name;              // from the --name pattern
  bool PrintColumns = false;     // the columns chosen from the header are printed (once)
  bool NoColumns = false;        // set: no column is chosen, for any station
};

// The import of one station as the plan says: the file's, or one of a file of several stations
// (`part`), whose lines the session's choices then pick and whose description the list gives.
int ImportStation(const ImportPlan& plan, std::ostream& out, std::ostream& err,
                  OneOfSeveral* part = nullptr) {
  const auto usage = [&err](const std::string& reason) {
    err << ErrorText(reason) << '\n' << "Try 'vernoli-batch --help'.\n";
    return kBatchUsageError;
  };
  const ImportLine& line = plan.Line;
  const ImportKind kind = plan.Kind;
  std::string folder;
  std::string name;
  SplitPath(line.File, folder, name);
  ImportSession import(folder);
  import.SetWriteTransposedFile(false);  // nothing is left beside the input file
  import.ChangeKind(kind);
  if (kind == ImportKind::Delimited) {
    if (std::string e = ApplyDelimitedOptions(line, import); !e.empty()) return usage(e);
    if (part != nullptr) import.SetStationRows(part->Column, part->Rows);
  }
  if (line.Has("--undefined")) import.EnterUndefined(FormatReal(plan.Undefined, 10, 3), true);
  const std::string readMessage = import.ChooseFile(name);

  // What the user may change on the form after the file is read.
  if (const auto station = line.Get("--station")) import.SetStationName(*station);
  if (const auto country = line.Get("--country")) import.SetCountry(*country);
  if (part != nullptr) {
    import.SetStationName(part->Listed->Name);
    import.SetCountry(part->Listed->Country);
    import.SetLocation(part->Listed->Latitude, part->Listed->Longitude, part->Listed->Altitude);
  } else if (!import.DatabaseKind()) {
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
  }
  if (kind == ImportKind::Text) {
    if (std::string e = ApplySpan(line, import); !e.empty()) return usage(e);
  }
  if (std::string e = ApplyClasses(line, import); !e.empty()) return usage(e);
  if (std::string e = ApplyLimits(line, import); !e.empty()) return usage(e);
  const bool listedHeight = part != nullptr && part->Listed->WindHeight.has_value();
  import.EnterWindHeight(FormatReal(listedHeight ? *part->Listed->WindHeight : plan.WindHeight,
                                    6, 1));

  if (kind == ImportKind::Delimited && !line.Has("--columns") &&
      (part == nullptr || part->PrintColumns)) {
    // The columns the header names: printed, so that a script can give them with --columns.
    if (std::string e = ReportChosenColumns(import, line.File, out); !e.empty()) {
      err << ErrorText(e) << '\n';
      if (part != nullptr) part->NoColumns = true;
      return kBatchFailed;
    }
  }
  if (!readMessage.empty()) err << TerminalText(readMessage) << '\n';
  if (!plan.Rows.empty() && import.Columns().Defined()) {
    if (static_cast<int>(plan.Rows.size()) > import.Columns().Columns()) {
      err << CannotImportMessage("--columns gives " + std::to_string(plan.Rows.size()) +
                                 " codes for the " +
                                 std::to_string(import.Columns().Columns()) +
                                 " columns of file " + line.File)
          << '\n';
      return kBatchFailed;
    }
    for (std::size_t c = 0; c < plan.Rows.size(); ++c) {
      import.SelectColumn(static_cast<int>(c));
      import.ChooseCode(plan.Rows[c]);
    }
  }

  const ImportResult result =
      import.Import(plan.DataFolder, part != nullptr ? part->Name : line.Get("--name").value_or(""));
  if (!result.Imported() && part != nullptr && result.Failure == ImportFailure::FileName) {
    // The name the pattern gave: the reason says which name and where it came from.
    std::string_view reason = result.Message;
    if (reason.starts_with("ERROR:\n")) reason.remove_prefix(7);
    err << TerminalText(ErrorText("the name " + part->Name + " that --name " +
                                  line.Get("--name").value_or("") + " gives station " +
                                  QuotedForMessage(part->Rows.Id) + " is refused: " +
                                  std::string(reason)))
        << '\n';
    return kBatchFailed;
  }
  if (!result.Imported()) {
    err << TerminalText(result.Message) << '\n';
    if (result.Message == CannotImportMessage(kCheckParameters)) ExplainColumns(import, err);
    if (result.Message == CannotImportMessage(kRecordsDifferent)) {
      err << LineCountText(import, line.File) << '\n';
    }
    return kBatchFailed;
  }
  out << result.Station.DscFileName << ", " << result.Station.DtaFileName << ": station "
      << result.Station.FileName << " imported, " << result.Station.NumberOfRecords
      << " records\n";
  // The report of a delimited file: on standard output with the station it describes (no third
  // file beside the station's two, and standard error stays for the program's messages).
  PrintImportReport(import, out);
  return 0;
}

// A file of several stations: each station of its station column that the list describes is
// imported on its own, all or nothing, one after the other; the messages of a station that
// fails follow a line naming it. Returns 0 when every station of the file was imported.
int ImportStations(const ImportPlan& plan, std::ostream& out, std::ostream& err) {
  const ImportLine& line = plan.Line;
  const std::string listPath = line.Get("--stations").value_or("");
  const StationList list = ReadStationList(listPath);
  if (!list.Ok()) {
    err << TerminalText(list.Result.Message) << '\n';
    return kBatchFailed;
  }
  // The layout choices of the command line, as each station's import will take them.
  std::string folder;
  std::string name;
  SplitPath(line.File, folder, name);
  ImportSession layout(folder);
  layout.ChangeKind(ImportKind::Delimited);
  if (std::string e = ApplyDelimitedOptions(line, layout); !e.empty()) {
    err << ErrorText(e) << '\n' << "Try 'vernoli-batch --help'.\n";
    return kBatchUsageError;
  }
  DelimitedOptions options = layout.Layout();
  const ColumnRef column = ColumnRef::FromText(line.Get("--station-column").value_or(""));
  options.StationColumn = column;
  const DelimitedStations stations = IndexDelimitedStations(line.File, options);
  if (!stations.Ok()) {
    err << TerminalText(stations.Result.Message) << '\n';
    return kBatchFailed;
  }
  if (!stations.Grouped) err << TerminalText(InterleavedNote(line.File)) << '\n';

  std::size_t imported = 0;
  std::size_t failed = 0;
  bool first = true;
  for (const StationRows& rows : stations.Stations) {
    const ListedStation* listed = list.Find(rows.Id);
    if (listed == nullptr) {
      err << ErrorText(NotInListReason(stations, rows, listPath)) << '\n';
      ++failed;
      continue;
    }
    OneOfSeveral part{column, rows, listed, NameOfStation(line.Get("--name").value_or(""), rows.Id)};
    part.PrintColumns = first;
    first = false;
    std::ostringstream messages;
    const int status = ImportStation(plan, out, messages, &part);
    if (status == 0) {
      ++imported;
    } else {
      ++failed;
    }
    if (!messages.str().empty()) {
      err << StationHeading(rows, line.File, part.Name) << '\n' << messages.str();
    }
    if (part.NoColumns || status == kBatchUsageError) return status;
  }
  std::unordered_set<std::string_view> inFile;
  for (const StationRows& rows : stations.Stations) inFile.insert(rows.Id);
  for (const ListedStation& listed : list.Stations) {
    if (inFile.count(listed.Id) == 0) err << NotInFileNote(listed, listPath, line.File) << '\n';
  }
  err << imported << " stations imported, " << failed << " failed\n";
  return failed > 0 ? kBatchFailed : 0;
}

}  // namespace

std::string ImportBatchUsage() {
  return "  import      makes the new station NAME from an import file, with the checks and\n"
         "              the files of the import form:\n"
         "                import FILE --name NAME [--kind text|hydrolex|meteorix|delimited]\n"
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
         "              both numbers and the span.\n" +
         DelimitedUsage();
}

int RunImportBatch(const std::vector<std::string>& args, const std::string& dataFolder,
                   std::ostream& out, std::ostream& err) {
  const auto usage = [&err](const std::string& reason) {
    err << ErrorText(reason) << '\n' << "Try 'vernoli-batch --help'.\n";
    return kBatchUsageError;
  };
  ImportPlan plan;
  ImportLine& line = plan.Line;
  if (std::string e = ParseImportLine(args, line); !e.empty()) return usage(e);
  plan.Kind = ImportKindOfFile(line.File);
  int chosen = 0;
  if (std::string e =
          ReadChoice(line, "--kind", {"text", "hydrolex", "meteorix", "delimited"}, chosen);
      !e.empty()) {
    return usage(e);
  }
  if (chosen >= 0) plan.Kind = static_cast<ImportKind>(chosen);
  if (std::string e = CheckOptions(line, plan.Kind); !e.empty()) return usage(e);

  if (const auto columns = line.Get("--columns"); columns && plan.Kind == ImportKind::Text) {
    if (std::string e = ReadCodes(*columns, plan.Rows); !e.empty()) return usage(e);
  }
  plan.WindHeight = fields::kWindHeight.Fallback;
  if (std::string e = ReadReal(line, "--undefined", fields::kUndefinedValue, plan.Undefined);
      !e.empty()) {
    return usage(e);
  }
  if (std::string e = ReadReal(line, "--wind-height", fields::kWindHeight, plan.WindHeight);
      !e.empty()) {
    return usage(e);
  }

  plan.DataFolder = dataFolder.empty() || dataFolder.back() == '/' ? dataFolder : dataFolder + "/";
  if (Status s = CheckFolder(plan.DataFolder, "data folder"); !s) {
    err << s.Message << '\n';
    return kBatchFailed;
  }
  if (plan.Kind == ImportKind::Delimited && line.Has("--station-column")) {
    return ImportStations(plan, out, err);
  }
  return ImportStation(plan, out, err);
}

}  // namespace vernoli
