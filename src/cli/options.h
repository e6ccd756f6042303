// The command line of vernoli-batch: its structure, its parser and the usage text.
//
//   vernoli-batch [--data DIR] recompute STATION... | recompute --all  [--jobs N]
//   vernoli-batch [--data DIR] results STATION [--output FILE] [--separator comma|tab]
//                 [--missing empty|-999]
//   vernoli-batch [--data DIR] [--output DIR] report STATION [--name NAME] [--description TEXT]
//                 [--columns LIST]
//   vernoli-batch [--data DIR] [--output DIR] crop-files STATION [--name NAME]
//                 [--description TEXT] [--first-eto V] [--last-eto V] [--first-tmin V]
//                 [--last-tmin V] [--first-tmax V] [--last-tmax V]
//   vernoli-batch [--data DIR] import FILE --name NAME [options]   (cli/importbatch.h)
//   vernoli-batch --help | --version
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plot/report.h"
#include "workspace/results.h"

namespace vernoli {

// Exit status of a run that failed, and of a command line that could not be understood.
inline constexpr int kBatchFailed = 1;
inline constexpr int kBatchUsageError = 2;

// What the command line asks for.
struct CommandLine {
  std::string DataFolder;    // --data DIR, else the program's data folder
  std::string OutputFolder;  // --output DIR before the command, else the program's report folder
  bool OutputGiven = false;
  std::string Command;  // "recompute", "results", "report", "crop-files" or "import"
  // The stations named; for import, every word after "import", left to the import to read.
  std::vector<std::string> Stations;
  bool All = false;  // recompute --all
  std::optional<std::string> Name;
  std::optional<std::string> Description;
  std::optional<std::string> Columns;      // report: --columns LIST, read by ParseReportColumns
  std::optional<std::string> ResultsFile;  // results: --output FILE
  ResultsFormat Format;                    // results: --separator, --missing
  unsigned Jobs = 0;                       // recompute: --jobs N (0: one per core)
  // crop-files: "--first-eto" ... "--last-tmax", each with its text as given.
  std::map<std::string, std::string, std::less<>> Boundaries;
};

// Reads the command line `args` (the words after the program's name) into `line`, whose folders
// hold the defaults. Returns the reason of the first fault, or empty.
std::string ParseCommandLine(const std::vector<std::string>& args, CommandLine& line);

// The report's blocks from a --columns list "nr,date,data,results" (any of them, in any order);
// data and ETo are added when neither values block is chosen. Returns the reason of a fault, or
// empty.
std::string ParseReportColumns(std::string_view list, ReportContent& content);

// True for the base name of a station's files: not empty, no '/' or '\\', no "..", no control
// character (HasControlCharacter).
bool IsStationBaseName(std::string_view name);
// The refusal of a name that is not one: "illegal station name "NAME": give the base name of a
// station in the data folder", the name quoted with its control characters escaped.
std::string ReasonIllegalStationName(std::string_view name);

// The text of --help.
std::string BatchUsage();

}  // namespace vernoli
