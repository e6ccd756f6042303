// Crash injection over every operation that changes station files.
//
// Built only with the CMake option VERNOLI_CRASH_INJECTION, in which the Nth file step of a
// process (write, flush, sync, rename, removal; see FileStep) ends it at once. For each operation
// this driver runs the operation in a child process with N = 1, 2, ... until it completes, and
// after every crash checks that
//   - the station list of the folder shows only complete stations,
//   - the station files are all the old ones or all the new ones, and every output file is the
//     old one, the new one or the empty line of its name check (the scratch file of the
//     temperature export may be left),
//   - running the same operation again succeeds and leaves exactly the folder of a run that never
//     crashed (no temporary or staging file is left, none is listed), or, for an operation that
//     the crash let complete and that cannot run twice (create, copy, delete, range update), that
//     the next look at the folder leaves exactly that folder.
//
//   crash_driver VERNOLI_BATCH           runs every operation, prints the crash points
//   crash_driver run OPERATION DATA OUT  one operation in this process (the child)
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/atomicfile.h"
#include "model/calendar.h"
#include "model/linereader.h"
#include "model/station.h"
#include "stations/catalog.h"
#include "stations/newstation.h"
#include "stations/rangeupdate.h"
#include "stations/stationupdate.h"
#include "workspace/run.h"
#include "workspace/session.h"

namespace fs = std::filesystem;
using namespace vernoli;

namespace {

using Files = std::map<std::string, std::string>;  // name -> bytes

constexpr const char* kAlphaDta =
    "        Nr       101       103       201       203       301       401       501\r\n"
    "         1      31.2      18.4      85.0      40.0      2.10     11.30    -999.0\r\n"
    "         2    -999.0    -999.0      80.0      35.0      3.40     10.80    -999.0\r\n"
    "         3      29.8      17.1      90.0      45.0      1.75   -999.00    -999.0\r\n";

std::string ReadAll(const fs::path& path) {
  std::string bytes;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
      bytes.append(buffer, got);
    }
    std::fclose(file);
  }
  return bytes;
}

Files Snapshot(const fs::path& folder) {
  Files files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadAll(entry.path());
  }
  return files;
}

bool IsStationFile(const std::string& name) {
  return name.size() > 4 && name.front() != '.' &&
         (EqualIgnoringCase(name.substr(name.size() - 4), ".DSC") ||
          EqualIgnoringCase(name.substr(name.size() - 4), ".DTA"));
}

Files StationFiles(const Files& files) {
  Files station;
  for (const auto& [name, bytes] : files) {
    if (IsStationFile(name)) station[name] = bytes;
  }
  return station;
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// Two daily stations of three records.
void Seed(const fs::path& data, const fs::path& output) {
  fs::remove_all(data);
  fs::remove_all(output);
  fs::create_directories(data);
  fs::create_directories(output);
  for (const char* name : {"ALPHA", "BRAVO"}) {
    RepClimateFile station = NewStation();
    SetStationFiles(station, data.string() + "/", name);
    station.StationName = name;
    station.Country = "Testland";
    station.Latitude = 41.9;
    station.Longitude = -3.68;
    station.Altitude = 100;
    SetSpan(station, kDaily, {1, 7, 2001}, {3, 7, 2001});
    if (!WriteStationDescription(station)) std::exit(3);
    WriteAll(data / (std::string(name) + ".DTA"), kAlphaDta);
  }
  WriteAll(output / "ALPHA.REP", "an old report\r\n");
  // A text file to import: Tmax, Tmin and sunshine of twelve months.
  std::string months;
  for (int month = 1; month <= 12; ++month) {
    months += std::to_string(10 + month) + " " + std::to_string(month) + " 5.5\r\n";
  }
  WriteAll(output / "IMPORTED.CXT", months);
  // A delimited export of four days, one of them absent and one too hot for the limits.
  WriteAll(output / "DAILY.csv",
           "date,tmax,tmin,sun\r\n2001-07-01,31.5,18.0,11.2\r\n2001-07-02,47.0,20.5,12.0\r\n"
           "2001-07-04,29.0,NA,9.5\r\n");
}

RepClimateFile Alpha(const std::string& data) {
  RepClimateFile station;
  if (!ChooseStation(data, "ALPHA", OutputNameRule::SetToFileName, station)) std::exit(3);
  return station;
}

Status Export(const std::string& data, const std::string& output, OutputKind kind) {
  WorkspaceSession session;
  if (Status s = session.Open(Alpha(data)); !s) return s;
  ExportRequest request;
  request.Kind = kind;
  request.OutputFolder = output + "/";
  request.Name = "ALPHA";
  request.Description = "exported";
  RunResult run = ExportFile(session.Station(), session.Data(), request);
  if (run && kind == OutputKind::EToFile) {
    request.Kind = OutputKind::TemperatureFile;
    run = ExportFile(session.Station(), session.Data(), request);
  }
  session.Close();
  return run.Outcome;
}

// The operations done through the core, as the forms do them.
const std::map<std::string, std::function<Status(const std::string&, const std::string&)>>
    kCoreOperations = {
        {"create",
         [](const std::string& data, const std::string&) {
           NewStationInput input;
           input.Name = "NEWONE";
           input.StationName = "New one";
           const CreateResult made = CreateStation(data, input);
           return made.Created() ? Status::Success() : Status{false, made.Message};
         }},
        {"copy",
         [](const std::string& data, const std::string&) {
           const CreateResult made = CopyStation(data, Alpha(data), "COPY", "Copied", "Here");
           return made.Created() ? Status::Success() : Status{false, made.Message};
         }},
        {"station-update",
         [](const std::string& data, const std::string&) {
           RepClimateFile open = Alpha(data);
           StationUpdate update(open);
           update.EnterAltitude("250");
           return update.Save("Alpha renamed", "Elsewhere", open);
         }},
        {"range-update",
         [](const std::string& data, const std::string&) {
           RepClimateFile open = Alpha(data);
           RangeUpdate range(open);
           range.ExpandEnd(RangeStep::DayOrDecade);
           range.ShrinkBeginning(RangeStep::DayOrDecade);
           return range.Save(open);
         }},
        {"limits-save",
         [](const std::string& data, const std::string&) {
           RepClimateFile open = Alpha(data);
           open.Limits.LimitTmax = 50;
           return WriteStationDescription(open);
         }},
        {"delete",
         [](const std::string& data, const std::string&) {
           RepClimateFile selected;
           return DeleteStation(data, "ALPHA", selected).Result;
         }},
        {"save",
         [](const std::string& data, const std::string&) {
           WorkspaceSession session;
           if (Status s = session.Open(Alpha(data)); !s) return s;
           session.SetCellText(1, 0, "25.0");
           session.LeaveCell(1, 0);
           SettingOutcome outcome;
           if (Status s = session.ReadSetting(SettingEdit::HargreavesCoefficient, "0.19", outcome);
               !s) {
             return s;
           }
           Status saved = session.Save();
           session.Close();
           return saved;
         }},
        {"export-report",
         [](const std::string& data, const std::string& output) {
           return Export(data, output, OutputKind::Report);
         }},
        {"export-crop-files",
         [](const std::string& data, const std::string& output) {
           return Export(data, output, OutputKind::EToFile);
         }},
};

struct Operation {
  std::string Name;
  std::vector<std::string> BatchArgs;  // empty: done through the core
  bool RunsTwice;                      // running it again on its own result gives that result
};

const std::vector<Operation> kOperations = {
    {"create", {}, false},
    {"copy", {}, false},
    {"station-update", {}, true},
    {"range-update", {}, false},
    {"limits-save", {}, true},
    {"delete", {}, false},
    {"save", {}, true},
    {"export-report", {}, true},
    {"export-crop-files", {}, true},
    {"batch-recompute", {"recompute", "ALPHA"}, true},
    {"batch-report", {"report", "ALPHA", "--columns", "nr,date,data,results"}, true},
    {"batch-crop-files", {"crop-files", "ALPHA"}, true},
    {"batch-import",
     {"import", "@output/IMPORTED.CXT", "--name", "IMPORTED", "--columns", "101,103,401", "--type",
      "monthly", "--not-linked", "--station", "Imported"},
     false},
    {"batch-import-delimited",
     {"import", "@output/DAILY.csv", "--name", "DELIMITED", "--columns",
      "tmax=101,tmin=103,sun=401", "--latitude", "41.9", "--beyond-limits", "clip", "--station",
      "Delimited"},
     false},
};

std::string self;
std::string batch;

// Runs the operation in a child process; its exit status (kCrashExitCode when it crashed).
int RunChild(const Operation& op, const fs::path& data, const fs::path& output, long crashAt) {
  std::vector<std::string> args;
  if (op.BatchArgs.empty()) {
    args = {self, "run", op.Name, data.string(), output.string()};
  } else {
    args = {batch, "--data", data.string()};
    if (op.BatchArgs.front() != "recompute" && op.BatchArgs.front() != "import") {
      args.insert(args.end(), {"--output", output.string()});
    }
    for (const std::string& arg : op.BatchArgs) {
      // "@output/" stands for the output folder (the import reads its file from there).
      args.push_back(arg.rfind("@output/", 0) == 0 ? (output / arg.substr(8)).string() : arg);
    }
  }
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t child = ::fork();
  if (child == 0) {
    if (crashAt > 0) {
      ::setenv("VERNOLI_CRASH_AT", std::to_string(crashAt).c_str(), 1);
    } else {
      ::unsetenv("VERNOLI_CRASH_AT");
    }
    if (!::freopen("/dev/null", "w", stdout) || !::freopen("/dev/null", "w", stderr)) _exit(4);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    _exit(5);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int failures = 0;

void Fail(const Operation& op, long n, const std::string& what) {
  std::fprintf(stderr, "%s, crash at step %ld: %s\n", op.Name.c_str(), n, what.c_str());
  ++failures;
}

// Every listed station can be chosen and its data file holds one line per record.
bool ListShowsOnlyCompleteStations(const fs::path& data, std::string& why) {
  std::vector<StationEntry> stations;
  if (!ListStations(data.string() + "/", stations)) {
    why = "the folder cannot be listed";
    return false;
  }
  for (const StationEntry& entry : stations) {
    RepClimateFile station;
    if (Status s = ChooseStation(data.string() + "/", entry.File, OutputNameRule::SetToFileName,
                                 station);
        !s) {
      why = "listed station " + entry.File + " cannot be opened: " + s.Message;
      return false;
    }
    LineReader reader;
    std::string line;
    int lines = 0;
    if (!reader.Open(station.DtaFileName)) return false;
    while (reader.Next(line)) ++lines;
    if (lines != station.NumberOfRecords + 1) {
      why = "listed station " + entry.File + " has an incomplete data file";
      return false;
    }
  }
  return true;
}

// The crash test of one operation; the number of crash points.
long Exercise(const Operation& op, const fs::path& base) {
  const fs::path data = base / "data";
  const fs::path output = base / "output";
  const fs::path checkData = base / "check-data";
  const fs::path checkOutput = base / "check-output";

  Seed(data, output);
  const Files oldData = Snapshot(data);
  const Files oldOutput = Snapshot(output);
  if (RunChild(op, data, output, 0) != 0) {
    Fail(op, 0, "the operation fails without a crash");
    return 0;
  }
  const Files newData = Snapshot(data);
  const Files newOutput = Snapshot(output);

  for (long n = 1;; ++n) {
    Seed(data, output);
    const int status = RunChild(op, data, output, n);
    if (status == 0) return n - 1;
    if (status != kCrashExitCode) {
      Fail(op, n, "the operation ended with status " + std::to_string(status));
      return n - 1;
    }
    // The state as the next look at the folder finds it, on a copy.
    fs::remove_all(checkData);
    fs::remove_all(checkOutput);
    fs::copy(data, checkData);
    fs::copy(output, checkOutput);
    std::string why;
    if (!ListShowsOnlyCompleteStations(checkData, why)) Fail(op, n, why);
    const Files stations = StationFiles(Snapshot(checkData));
    const bool isOld = stations == StationFiles(oldData);
    const bool isNew = stations == StationFiles(newData);
    if (!isOld && !isNew) Fail(op, n, "the station files are neither the old nor the new ones");
    for (const auto& [name, bytes] : Snapshot(checkOutput)) {
      // Hidden files and the scratch file of the temperature export are left to the next run.
      if (name.front() == '.' || name.ends_with(".Tmi")) continue;
      const auto old = oldOutput.find(name);
      const auto made = newOutput.find(name);
      if (!(old != oldOutput.end() && old->second == bytes) &&
          !(made != newOutput.end() && made->second == bytes) && bytes != "\r\n") {
        Fail(op, n, "output file " + name + " is neither old nor new");
      }
    }
    // The same operation again, on the folder as the crash left it.
    if (isNew && !op.RunsTwice) {
      std::vector<StationEntry> listed;
      (void)ListStations(data.string() + "/", listed);
    } else if (RunChild(op, data, output, 0) != 0) {
      Fail(op, n, "the operation fails after the crash");
      continue;
    }
    if (Snapshot(data) != newData || Snapshot(output) != newOutput) {
      std::string left;
      for (const auto& [name, bytes] : Snapshot(data)) {
        if (newData.count(name) == 0 || newData.at(name) != bytes) left += " data/" + name;
      }
      for (const auto& [name, bytes] : Snapshot(output)) {
        if (newOutput.count(name) == 0 || newOutput.at(name) != bytes) left += " output/" + name;
      }
      Fail(op, n, "after the next run the folders differ from a run without crash:" + left);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  self = fs::absolute(argv[0]).string();
  if (argc == 5 && std::string(argv[1]) == "run") {
    const auto op = kCoreOperations.find(argv[2]);
    if (op == kCoreOperations.end()) return 2;
    const Status s = op->second(std::string(argv[3]) + "/", argv[4]);
    if (!s) std::fprintf(stderr, "%s\n", s.Message.c_str());
    return s ? 0 : 1;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: crash_driver VERNOLI_BATCH\n");
    return 2;
  }
  batch = fs::absolute(argv[1]).string();
  char pattern[] = "/tmp/vernoli-crash-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) return 2;
  const fs::path base = pattern;
  long total = 0;
  for (const Operation& op : kOperations) {
    const long points = Exercise(op, base / op.Name);
    std::printf("%-18s %4ld crash points\n", op.Name.c_str(), points);
    total += points;
  }
  std::printf("%zu operations, %ld crash points in all, %d failures\n", kOperations.size(), total,
              failures);
  fs::remove_all(base);
  return failures == 0 && total > 0 ? 0 : 1;
}
