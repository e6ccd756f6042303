#include "cli/batch.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <exception>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "cli/importbatch.h"
#include "limits/boundary.h"
#include "model/checks.h"
#include "model/datafile.h"
#include "model/station.h"
#include "model/status.h"
#include "model/textfile.h"
#include "plot/report.h"
#include "stations/fileset.h"
#include "workspace/results.h"
#include "workspace/run.h"
#include "workspace/workingfile.h"

namespace vernoli {

namespace {

constexpr std::string_view kProgram = "vernoli-batch";
constexpr std::string_view kBoundaryOptions[] = {"--first-eto",  "--last-eto",  "--first-tmin",
                                                 "--last-tmin", "--first-tmax", "--last-tmax"};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// ---------------------------------------------------------------------------------------------
// The command line

struct CommandLine {
  std::string DataFolder;
  std::string OutputFolder;
  bool OutputGiven = false;
  std::string Command;
  std::vector<std::string> Stations;
  bool All = false;
  std::optional<std::string> Name;
  std::optional<std::string> Description;
  std::optional<std::string> Columns;
  std::optional<std::string> ResultsFile;  // results: --output FILE
  ResultsFormat Format;                    // results: --separator, --missing
  unsigned Jobs = 0;                       // recompute: --jobs N (0: one per core)
  std::map<std::string, std::string, std::less<>> Boundaries;  // option -> its text
};

bool IsBoundaryOption(std::string_view option) {
  return std::find(std::begin(kBoundaryOptions), std::end(kBoundaryOptions), option) !=
         std::end(kBoundaryOptions);
}

// Reads the command line into `line`; the reason of the first fault, or empty.
std::string ParseCommandLine(const std::vector<std::string>& args, CommandLine& line) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string option = arg;
    std::optional<std::string> attached;  // the value of "--option=value"
    if (StartsWith(arg, "--")) {
      const std::size_t equals = arg.find('=');
      if (equals != std::string::npos) {
        option = arg.substr(0, equals);
        attached = arg.substr(equals + 1);
      }
    }
    const auto value = [&](std::string& target) -> std::string {
      if (attached) {
        target = *attached;
      } else if (i + 1 < args.size()) {
        target = args[++i];
      } else {
        return "option " + option + " needs a value";
      }
      return {};
    };
    const bool isOption = arg.size() > 1 && arg[0] == '-';

    if (line.Command.empty()) {
      if (option == "--data") {
        if (std::string e = value(line.DataFolder); !e.empty()) return e;
      } else if (option == "--output") {
        if (std::string e = value(line.OutputFolder); !e.empty()) return e;
        line.OutputGiven = true;
      } else if (isOption) {
        return "unknown option " + option;
      } else if (arg == "import") {
        line.Command = arg;  // the import reads its own options
        line.Stations.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
        return {};
      } else if (arg == "recompute" || arg == "report" || arg == "crop-files" ||
                 arg == "results") {
        line.Command = arg;
      } else {
        return "unknown command " + arg;
      }
      continue;
    }

    if (!isOption) {
      line.Stations.push_back(arg);
      continue;
    }
    const bool recompute = line.Command == "recompute";
    const bool results = line.Command == "results";
    if (recompute && option == "--all" && !attached) {
      line.All = true;
    } else if (recompute && option == "--jobs") {
      std::string text;
      if (std::string e = value(text); !e.empty()) return e;
      int64_t jobs = 0;
      if (!ParseInt(Trimmed(text), jobs) || jobs < 1 || jobs > 4096) {
        return "option --jobs needs a whole number from 1 to 4096, not \"" + text + "\"";
      }
      line.Jobs = static_cast<unsigned>(jobs);
    } else if (results && option == "--output") {
      if (std::string e = value(line.ResultsFile.emplace()); !e.empty()) return e;
    } else if (results && option == "--separator") {
      std::string text;
      if (std::string e = value(text); !e.empty()) return e;
      if (text != "comma" && text != "tab") {
        return "option --separator takes comma or tab, not \"" + text + "\"";
      }
      line.Format.Separator = text == "tab" ? '\t' : ',';
    } else if (results && option == "--missing") {
      std::string text;
      if (std::string e = value(text); !e.empty()) return e;
      if (text != "empty" && text != "-999") {
        return "option --missing takes empty or -999, not \"" + text + "\"";
      }
      line.Format.MissingAsNumber = text == "-999";
    } else if (results) {
      return "unknown option " + option + " for results";
    } else if (!recompute && option == "--name") {
      if (std::string e = value(line.Name.emplace()); !e.empty()) return e;
    } else if (!recompute && option == "--description") {
      if (std::string e = value(line.Description.emplace()); !e.empty()) return e;
    } else if (line.Command == "report" && option == "--columns") {
      if (std::string e = value(line.Columns.emplace()); !e.empty()) return e;
    } else if (line.Command == "crop-files" && IsBoundaryOption(option)) {
      if (std::string e = value(line.Boundaries[option]); !e.empty()) return e;
    } else {
      return "unknown option " + option + " for " + line.Command;
    }
  }

  if (line.Command.empty()) return "no command given";
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

// The report's blocks from "nr,date,data,results".
std::string ParseColumns(std::string_view list, ReportContent& content) {
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

// ---------------------------------------------------------------------------------------------
// Files

// The name check of an output file without creating it: blanks removed, not empty, no folder.
// Whatever the file system refuses shows when the file is written.
Status CheckOutputName(const std::string& name, std::string& checked) {
  checked.clear();
  for (char c : name) {
    if (c != ' ') checked += c;
  }
  if (checked.empty()) return Status::Error(kFileNameNotSpecified);
  if (!IsStationBaseName(checked)) return Status::Error(kIllegalFileName);
  return Status::Success();
}

// Reads a station of the data folder, its codes in the workspace's order.
Status OpenStation(const std::string& folder, const std::string& name, RepClimateFile& station) {
  SetStationFiles(station, folder, name);
  if (Status s = ReadStationDescription(station); !s) return s;
  if (Status s = ReadParameterCodes(station); !s) return s;
  SortParameterCodes(station);
  return Status::Success();
}

// The station names of every .DSC of the folder, sorted.
std::vector<std::string> StationsOfFolder(const std::string& folder, Status& status) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::filesystem::path& path = it->path();
    if (path.extension() != ".DSC" || !it->is_regular_file(error)) continue;
    names.push_back(path.stem().string());
  }
  if (error) status = Status::Error(ReasonCannotOpen(folder));
  std::sort(names.begin(), names.end());
  return names;
}

// ---------------------------------------------------------------------------------------------
// Commands

struct StationOutcome {
  Status Outcome;
  std::string Report;  // the line for standard output on success
};

StationOutcome Recompute(const std::string& folder, const std::string& name) {
  StationOutcome outcome;
  RepClimateFile station;
  if (Status s = OpenStation(folder, name, station); !s) return {s, {}};
  // Straight from the .DTA: the same bytes as through a working file.
  const RunResult run = RecomputeDataFile(station);
  if (!run) return {run.Outcome, {}};
  outcome.Report = station.DtaFileName + ": ETo of " + std::to_string(run.Records) +
                   " records recomputed";
  return outcome;
}

// The progress line of a recompute over many stations, rewritten in place on a terminal.
class ProgressLine {
 public:
  ProgressLine(std::ostream* terminal, std::size_t total) : terminal_(terminal), total_(total) {}

  void StationDone(bool failed) {
    if (terminal_ == nullptr) return;
    const std::lock_guard<std::mutex> lock(mutex_);
    ++done_;
    if (failed) ++failed_;
    const auto now = std::chrono::steady_clock::now();
    if (done_ < total_ && now - shown_ < std::chrono::milliseconds(100)) return;
    shown_ = now;
    const std::string text = std::to_string(done_) + " of " + std::to_string(total_) +
                             " stations done, " + std::to_string(failed_) + " failed";
    *terminal_ << '\r' << text << std::flush;
    width_ = std::max(width_, text.size());
  }
  // Clears the line before the final messages.
  void Clear() {
    if (terminal_ == nullptr || width_ == 0) return;
    *terminal_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
  }

 private:
  std::ostream* terminal_;
  std::size_t total_;
  std::mutex mutex_;
  std::size_t done_ = 0;
  std::size_t failed_ = 0;
  std::size_t width_ = 0;
  std::chrono::steady_clock::time_point shown_{};
};

int RecomputeCommand(const CommandLine& line, std::ostream& out, std::ostream& err,
                     bool progressOnErr) {
  // A station named twice is recomputed once: two threads never rewrite one station.
  std::vector<std::string> names;
  for (const std::string& name : line.Stations) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  if (line.All) {
    Status listed;
    names = StationsOfFolder(line.DataFolder, listed);
    if (!listed) {
      err << listed.Message << '\n';
      return kBatchFailed;
    }
    if (names.empty()) {
      err << ErrorText("no station description file (.DSC) in folder " + line.DataFolder) << '\n';
      return kBatchFailed;
    }
  }

  // Stations are independent: each is read and rewritten on its own, by one thread.
  std::vector<StationOutcome> outcomes(names.size());
  ProgressLine progress(progressOnErr ? &err : nullptr, names.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&]() {
    for (std::size_t i; (i = next++) < names.size();) {
      try {
        outcomes[i] = Recompute(line.DataFolder, names[i]);
      } catch (const std::exception& e) {
        outcomes[i] = {Status::Error("station " + names[i] + ": " + e.what()), {}};
      }
      progress.StationDone(!outcomes[i].Outcome);
    }
  };
  const unsigned jobs = line.Jobs > 0 ? line.Jobs : std::max(1u, std::thread::hardware_concurrency());
  const std::size_t threads = std::min<std::size_t>(jobs, names.size());
  std::vector<std::thread> pool;
  for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& thread : pool) thread.join();
  progress.Clear();

  std::size_t failed = 0;
  for (const StationOutcome& outcome : outcomes) {
    if (outcome.Outcome) {
      out << outcome.Report << '\n';
    } else {
      err << outcome.Outcome.Message << '\n';
      ++failed;
    }
  }
  if (line.All || names.size() > 1) {
    err << names.size() - failed << " stations recomputed, " << failed << " failed\n";
  }
  return failed > 0 ? kBatchFailed : 0;
}

int ResultsCommand(const CommandLine& line, std::ostream& out, std::ostream& err) {
  RepClimateFile station;
  if (Status s = OpenStation(line.DataFolder, line.Stations.front(), station); !s) {
    err << s.Message << '\n';
    return kBatchFailed;
  }
  std::optional<AtomicFile> file;
  if (line.ResultsFile) file.emplace(*line.ResultsFile);
  const RunResult run = WriteResults(station, line.Format, [&](std::string_view text) {
    if (file) {
      file->Write(text);
      file->Write("\n");
      return file->Good() ? Status::Success() : Status::Error(ReasonCannotWrite(file->Target()));
    }
    out << text << '\n';
    return out ? Status::Success() : Status::Error(ReasonCannotWrite("standard output"));
  });
  Status outcome = run.Outcome;
  if (outcome && file) outcome = file->Commit();
  if (!outcome) {
    err << outcome.Message << '\n';
    return kBatchFailed;
  }
  if (file) out << *line.ResultsFile << ": results of " << run.Records << " records written\n";
  return 0;
}

// The station of a one-station command, opened, and the checked base name of its output files:
// the name the line gives, else the station's.
Status OpenCommandStation(const CommandLine& line, std::string& name, RepClimateFile& station) {
  const std::string& stationName = line.Stations.front();
  if (Status s = CheckOutputName(line.Name.value_or(stationName), name); !s) return s;
  return OpenStation(line.DataFolder, stationName, station);
}

int ReportCommand(const CommandLine& line, std::ostream& out, std::ostream& err) {
  const auto fail = [&err](const Status& s) {
    err << s.Message << '\n';
    return kBatchFailed;
  };
  ReportContent content;
  if (line.Columns) {
    if (std::string e = ParseColumns(*line.Columns, content); !e.empty()) {
      err << ErrorText(e) << '\n';
      return kBatchUsageError;
    }
  }
  std::string name;
  RepClimateFile station;
  if (Status s = OpenCommandStation(line, name, station); !s) return fail(s);
  const std::span<const int16_t> codes = StationCodes(station);
  const std::string path = PathInFolder(line.OutputFolder, name + ".REP");

  WorkingData data;
  if (Status s = LoadWorkingData(station, data); !s) return fail(s);
  AtomicFile file(path);
  WriteOutputHeader(file, line.Description.value_or(station.Description), OutputKind::Report,
                    codes.data(), static_cast<int>(codes.size()), station.FromYear,
                    station.FromMonth, station.FromDay, station.DataType, content);
  RunOutput output;
  output.Kind = OutputKind::Report;
  output.File = &file;
  output.Content = content;
  const RunResult run = RunCalculation(station, data, &output, false);
  if (!run) return fail(run.Outcome);
  if (Status s = file.Commit(); !s) return fail(s);
  out << path << ": report of " << run.Records << " records written\n";
  return 0;
}

int CropFilesCommand(const CommandLine& line, std::ostream& out, std::ostream& err) {
  const auto fail = [&err](const Status& s) {
    err << s.Message << '\n';
    return kBatchFailed;
  };
  std::map<std::string, double, std::less<>> given;
  for (const auto& [option, text] : line.Boundaries) {
    double value = 0.0;
    if (!ParseReal(Trimmed(text), value)) {
      err << ErrorText("option " + option + " needs a number, not \"" + text + "\"") << '\n';
      return kBatchUsageError;
    }
    given[option] = value;
  }
  std::string name;
  RepClimateFile station;
  if (Status s = OpenCommandStation(line, name, station); !s) return fail(s);
  const std::span<const int16_t> codes = StationCodes(station);
  const std::string etoPath = PathInFolder(line.OutputFolder, name + ".ETo");
  const std::string tmpPath = PathInFolder(line.OutputFolder, name + ".TMP");
  // The temperature unit the workspace opens with decides the temperature columns; without
  // them nothing is written.
  const bool fahrenheit = TemperaturesInFahrenheit(codes);
  if (Status s = CheckTemperatureColumns(codes, fahrenheit, tmpPath); !s) return fail(s);

  // First and last values come from the options, forced into the dialog's bounds with its
  // message; a value asked for but not given ends the command, naming the option.
  std::string missing;
  const BoundaryValueSource boundary =
      [&](const BoundaryRequest& request) -> std::optional<double> {
    std::string option = request.First ? "--first-" : "--last-";
    for (char c : request.Parameter) option += static_cast<char>(std::tolower(c));
    const auto it = given.find(option);
    if (it == given.end()) {
      missing = "the " + request.Parameter + " series of " +
                (request.Parameter == "ETo" ? etoPath : tmpPath) +
                (request.First ? " starts" : " ends") + " with missing records: give its " +
                (request.First ? "first" : "last") + " value with " + option;
      return std::nullopt;
    }
    const RealEntryCheck check = CheckBoundaryValue(it->second, request, station.Limits);
    if (!check.Inside()) err << check.Message << '\n';
    return check.Value;
  };

  WorkingData data;
  if (Status s = LoadWorkingData(station, data); !s) return fail(s);
  const std::string description = line.Description.value_or(station.Description);
  AtomicFile etoFile(etoPath);
  AtomicFile tmpFile(tmpPath);
  int32_t records = 0;
  for (OutputKind kind : {OutputKind::EToFile, OutputKind::TemperatureFile}) {
    RunOutput output;
    output.Kind = kind;
    output.File = kind == OutputKind::EToFile ? &etoFile : &tmpFile;
    output.Boundary = boundary;
    output.Fahrenheit = fahrenheit;
    output.ScratchPath = PathInFolder(line.OutputFolder, name + "." + std::string(kScratchExtension));
    WriteOutputHeader(*output.File, description, kind, codes.data(),
                      static_cast<int>(codes.size()), station.FromYear, station.FromMonth,
                      station.FromDay, station.DataType, ReportContent{});
    const RunResult run = RunCalculation(station, data, &output, false);
    if (run.Cancelled) return fail(Status::Error(missing));
    if (!run) return fail(run.Outcome);
    records = run.Records;
  }
  // Both files or neither.
  if (Status s = etoFile.Commit(); !s) return fail(s);
  if (Status s = tmpFile.Commit(); !s) return fail(s);
  out << etoPath << ", " << tmpPath << ": crop-model files of " << records
      << " records written\n";
  return 0;
}

}  // namespace

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
      "  vernoli-batch --help\n"
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
      "\n"
      "STATION is the base name of a station's files in the data folder (STATION.DSC and\n"
      "STATION.DTA). The exit status is 0 on success; on a failure it is not 0 and the\n"
      "message is written to standard error.\n";
}

bool IsStationBaseName(std::string_view name) {
  if (name.empty() || name.find("..") != std::string_view::npos) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F;
  });
}

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             const ProgramFolders& folders, bool progressOnErr) {
  try {
    if (std::any_of(args.begin(), args.end(),
                    [](const std::string& a) { return a == "--help" || a == "-h"; })) {
      out << BatchUsage();
      return 0;
    }
    CommandLine line;
    line.DataFolder = folders.Data;
    line.OutputFolder = folders.Report;
    if (std::string e = ParseCommandLine(args, line); !e.empty()) {
      err << ErrorText(e) << '\n' << "Try '" << kProgram << " --help'.\n";
      return kBatchUsageError;
    }
    if (line.Command == "import") return RunImportBatch(line.Stations, line.DataFolder, out, err);
    // A station is a base name in the data folder: nothing is opened for any other name.
    for (const std::string& station : line.Stations) {
      if (!IsStationBaseName(station)) {
        err << ErrorText("illegal station name \"" + station +
                         "\": give the base name of a station in the data folder")
            << '\n';
        return kBatchUsageError;
      }
    }
    if (Status s = CheckFolder(line.DataFolder, "data folder"); !s) {
      err << s.Message << '\n';
      return kBatchFailed;
    }
    // A station whose files an ended process left half replaced is finished first.
    FileSet::Recover(line.DataFolder);
    if (line.Command == "recompute") return RecomputeCommand(line, out, err, progressOnErr);
    if (line.Command == "results") return ResultsCommand(line, out, err);
    if (Status s = CheckFolder(line.OutputFolder, "output folder"); !s) {
      err << s.Message << '\n';
      return kBatchFailed;
    }
    if (line.Command == "report") return ReportCommand(line, out, err);
    return CropFilesCommand(line, out, err);
  } catch (const std::exception& e) {
    err << ErrorText(e.what()) << '\n';
    return kBatchFailed;
  }
}

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunBatch(args, out, err, FoldersOfThisProgram(), ::isatty(STDERR_FILENO) == 1);
}

}  // namespace vernoli
