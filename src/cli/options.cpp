#include "cli/options.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "cli/arguments.h"
#include "cli/importbatch.h"
#include "model/numbers.h"
#include "model/status.h"

namespace vernoli {

namespace {

constexpr std::string_view kCommands[] = {"recompute", "results", "report", "crop-files"};

// The options before the command.
constexpr OptionSpec kFolderOptions[] = {{"--data"}, {"--output"}};

// The options of each command.
constexpr OptionSpec kRecomputeOptions[] = {{"--all", false}, {"--jobs"}};
constexpr OptionSpec kResultsOptions[] = {{"--output"}, {"--separator"}, {"--missing"}};
constexpr OptionSpec kReportOptions[] = {{"--name"}, {"--description"}, {"--columns"}};
constexpr OptionSpec kCropFilesOptions[] = {
    {"--name"},       {"--description"}, {"--first-eto"},  {"--last-eto"},
    {"--first-tmin"}, {"--last-tmin"},   {"--first-tmax"}, {"--last-tmax"}};

std::span<const OptionSpec> OptionsOf(std::string_view command) {
  if (command == "recompute") return kRecomputeOptions;
  if (command == "results") return kResultsOptions;
  if (command == "report") return kReportOptions;
  return kCropFilesOptions;
}

// Takes one option of the command into `line`; the reason of a value it refuses, or empty.
std::string TakeOption(const Argument& option, CommandLine& line) {
  const std::string& name = option.Name;
  const std::string& text = option.Value;
  if (name == "--all") {
    line.All = true;
  } else if (name == "--jobs") {
    int64_t jobs = 0;
    if (!ParseInt(Trimmed(text), jobs) || jobs < 1 || jobs > 4096) {
      return "option --jobs needs a whole number from 1 to 4096, not \"" + text + "\"";
    }
    line.Jobs = static_cast<unsigned>(jobs);
  } else if (name == "--output") {
    line.ResultsFile = text;
  } else if (name == "--separator") {
    if (text != "comma" && text != "tab") {
      return "option --separator takes comma or tab, not \"" + text + "\"";
    }
    line.Format.Separator = text == "tab" ? '\t' : ',';
  } else if (name == "--missing") {
    if (text != "empty" && text != "-999") {
      return "option --missing takes empty or -999, not \"" + text + "\"";
    }
    line.Format.MissingAsNumber = text == "-999";
  } else if (name == "--name") {
    line.Name = text;
  } else if (name == "--description") {
    line.Description = text;
  } else if (name == "--columns") {
    line.Columns = text;
  } else {
    line.Boundaries[name] = text;
  }
  return {};
}

}  // namespace

std::string ParseCommandLine(const std::vector<std::string>& args, CommandLine& line) {
  ArgumentReader reader(args);
  Argument argument;
  while (line.Command.empty() && reader.Next(kFolderOptions, "", argument)) {
    if (argument.Name == "--data") {
      line.DataFolder = argument.Value;
    } else if (argument.Name == "--output") {
      line.OutputFolder = argument.Value;
      line.OutputGiven = true;
    } else if (argument.Value == "import") {
      line.Command = argument.Value;  // the import reads its own options
      line.Stations = reader.Rest();
      return {};
    } else if (std::find(std::begin(kCommands), std::end(kCommands), argument.Value) !=
               std::end(kCommands)) {
      line.Command = argument.Value;
    } else {
      return "unknown command " + argument.Value;
    }
  }
  if (!reader.Error().empty()) return reader.Error();
  if (line.Command.empty()) return "no command given";

  while (reader.Next(OptionsOf(line.Command), line.Command, argument)) {
    if (argument.Positional()) {
      line.Stations.push_back(argument.Value);
    } else if (std::string e = TakeOption(argument, line); !e.empty()) {
      return e;
    }
  }
  if (!reader.Error().empty()) return reader.Error();

  if (line.Command == "recompute") {
    if (line.OutputGiven) return "option --output does not apply to recompute";
    if (line.All && !line.Stations.empty()) return "recompute takes station names or --all, not both";
    if (!line.All && line.Stations.empty()) return "recompute needs a station name or --all";
  } else if (line.Command == "results" && line.OutputGiven) {
    return "option --output DIR does not apply to results (give --output FILE after the station)";
  } else if (line.Stations.size() != 1) {
    return line.Command + " needs exactly one station name";
  }
  return {};
}

std::string ParseReportColumns(std::string_view list, ReportContent& content) {
  content = ReportContent{false, false, false, false};
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    const std::string_view item =
        Trimmed(list.substr(start, comma == std::string_view::npos ? list.npos : comma - start));
    if (item == "nr") {
      content.RecordNumber = true;
    } else if (item == "date") {
      content.Date = true;
    } else if (item == "data") {
      content.DataAndETo = true;
    } else if (item == "results") {
      content.IntermediateResults = true;
    } else {
      return "unknown report column \"" + std::string(item) +
             "\" (choose from nr, date, data, results)";
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  // As on the report options form: the report always shows values.
  EnsureReportHasValues(content);
  return {};
}

bool IsStationBaseName(std::string_view name) {
  if (name.empty() || name.find("..") != std::string_view::npos) return false;
  if (name.find_first_of("/\\") != std::string_view::npos) return false;
  return !HasControlCharacter(name);
}

std::string ReasonIllegalStationName(std::string_view name) {
  return "illegal station name " + QuotedName(name) +
         ": give the base name of a station in the data folder";
}

std::string BatchUsage() {
  return
      "Usage:\n"
      "  vernoli-batch [--data DIR] recompute STATION... [--jobs N]\n"
      "  vernoli-batch [--data DIR] recompute --all [--jobs N]\n"
      "  vernoli-batch [--data DIR] results STATION [--output FILE]\n"
      "                [--separator comma|tab] [--missing empty|-999]\n"
      "  vernoli-batch [--data DIR] [--output DIR] report STATION [--name NAME]\n"
      "                [--description TEXT] [--columns LIST]\n"
      "  vernoli-batch [--data DIR] [--output DIR] crop-files STATION [--name NAME]\n"
      "                [--description TEXT] [--first-eto V] [--last-eto V]\n"
      "                [--first-tmin V] [--last-tmin V] [--first-tmax V] [--last-tmax V]\n"
      "  vernoli-batch [--data DIR] import FILE --name NAME [options]\n"
      "  vernoli-batch --help | --version\n"
      "\n"
      "Commands:\n"
      "  recompute   computes the ETo of every record of each station and rewrites\n"
      "              STATION.DTA with it, as \"Save data\" does; the .DSC is not changed.\n"
      "              --all takes every station (*.DSC) of the data folder. The stations\n"
      "              are recomputed side by side, one per core, or N at a time with\n"
      "              --jobs N; a station that fails does not stop the others. For more\n"
      "              than one station the last line reads \"N stations recomputed,\n"
      "              M failed\".\n"
      "  results     writes every record's number, date and the 17 results of its\n"
      "              computation (ETo of the five methods among them) at full precision,\n"
      "              as a table with a header of column names and units, to standard\n"
      "              output or to FILE. Missing values are empty fields, or -999 with\n"
      "              --missing -999; columns are separated by commas, or tabs with\n"
      "              --separator tab.\n"
      "  report      writes the ETo report NAME.REP. LIST is a comma-separated choice of\n"
      "              nr, date, data, results (default date,data).\n"
      "  crop-files  writes the crop-model files NAME.ETo and NAME.TMP with their gaps\n"
      "              filled. A series that starts or ends with missing records needs its\n"
      "              first or last value: --first-eto, --last-eto (mm/day), --first-tmin,\n"
      "              --last-tmin, --first-tmax, --last-tmax (in the station's temperature\n"
      "              unit). A value outside the plausible bounds is forced into them.\n"
      + ImportBatchUsage() +
      "\n"
      "Options:\n"
      "  --data DIR          folder of the stations (default: DATA/ beside the program,\n"
      "                      or in ~/.local/share/Vernoli/ for an installed program)\n"
      "  --output DIR        folder of the report and crop-model files (default: REPORT/\n"
      "                      in the same place)\n"
      "  --name NAME         base name of the output files (default: STATION)\n"
      "  --description TEXT  first line of the output files (default: the station's\n"
      "                      description)\n"
      "  --help              shows this text\n"
      "  --version           shows the program's version\n"
      "\n"
      "STATION is the base name of a station's files in the data folder (STATION.DSC and\n"
      "STATION.DTA). The exit status is 0 on success; on a failure it is not 0 and the\n"
      "message is written to standard error.\n";
}

}  // namespace vernoli
