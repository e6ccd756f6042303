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
#include <map>
#include <string>
#include <vector>

#include "operations.h"

namespace fs = std::filesystem;
using namespace vernoli;
using namespace vernoli::drivers;

namespace {

using Files = std::map<std::string, std::string>;  // name -> bytes

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

std::string self;
std::string batch;

// Runs the operation in a child process; its exit status (kCrashExitCode when it crashed).
int RunChild(const Operation& op, const fs::path& data, const fs::path& output, long crashAt) {
  std::vector<std::string> args = ChildArguments(op, self, batch, data, output);
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
      // Hidden files are left to the next run.
      if (name.front() == '.') continue;
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
    return RunCoreOperation(CoreOperations(), argv[2], argv[3], argv[4]);
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
  for (const Operation& op : Operations()) {
    const long points = Exercise(op, base / op.Name);
    std::printf("%-18s %4ld crash points\n", op.Name.c_str(), points);
    total += points;
  }
  std::printf("%zu operations, %ld crash points in all, %d failures\n", Operations().size(), total,
              failures);
  fs::remove_all(base);
  return failures == 0 && total > 0 ? 0 : 1;
}
