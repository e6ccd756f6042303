// Two processes on one data folder at once.
//
// Each pair of operations (from operations.h, through vernoli-batch or through the core as the
// forms do them) runs on fresh folders in two child processes at once: the first with every
// rename slowed down (VERNOLI_SLOW_RENAMES_MS), the second started the moment the first holds a
// station's lock, and again the moment the first has written the journal of its commit (when it
// writes one); then all of it the other way round. Afterwards:
//   - the folders hold exactly the files of the runs that reported success, as if they had run
//     one after the other (in either order), and nothing else: no station half of one run and
//     half of another, no staged, temporary or lock file left;
//   - a run that failed failed because the other was changing the station ("is being changed by
//     another process"), or, for two imports of one name, because the name was taken.
//
//   pair_driver VERNOLI_BATCH             runs every pair, prints a line per pair
//   pair_driver run OPERATION DATA OUTPUT one core operation in this process (the child)
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "operations.h"

namespace fs = std::filesystem;
using namespace vernoli;
using namespace vernoli::drivers;

namespace {

constexpr const char* kSlowRenames = "150";  // milliseconds
// The second process starts when the first shows this in a folder, or after this long.
enum class Moment { Locked, Committing };
constexpr auto kLongestWait = std::chrono::milliseconds(1500);
constexpr double kHangSeconds = 30.0;

// The station of the crop-model pair: its Tmin starts with a gap, so the first value given
// decides the temperature file.
constexpr const char* kGappyDta =
    "        Nr       101       103       201       203       301       401       501\r\n"
    "         1      31.2    -999.0      85.0      40.0      2.10     11.30    -999.0\r\n"
    "         2      30.0      18.0      80.0      35.0      3.40     10.80    -999.0\r\n"
    "         3      29.8      17.1      90.0      45.0      1.75   -999.00    -999.0\r\n";

const Operation kImportText = {
    "import-text",
    {"import", "@output/IMPORTED.CXT", "--name", "NEWST", "--columns", "101,103,401", "--type",
     "monthly", "--not-linked", "--station", "Imported"},
    false};
const Operation kImportDelimited = {
    "import-delimited",
    {"import", "@output/DAILY.csv", "--name", "NEWST", "--columns", "tmax=101,tmin=103,sun=401",
     "--latitude", "41.9", "--beyond-limits", "clip", "--station", "Delimited"},
    false};
const Operation kRecompute = {"recompute", {"recompute", "ALPHA"}, true};
const Operation kRecomputeAll = {"recompute-all", {"recompute", "--all"}, true};
const Operation kResults = {"results", {"results", "ALPHA"}, true};
const Operation kReport = {"report", {"report", "ALPHA"}, true};
const Operation kCropFilesWarm = {
    "crop-files-warm",
    {"crop-files", "ALPHA", "--first-tmin", "1.0", "--first-eto", "4.0", "--description", "warm"},
    true};
const Operation kCropFilesCold = {
    "crop-files-cold",
    {"crop-files", "ALPHA", "--first-tmin", "-5.0", "--first-eto", "4.0", "--description",
     "cold"},
    true};
const Operation kSave = {"save", {}, true};

struct Pair {
  Operation First, Second;
  bool NameTaken = false;  // two imports of one name: the later one finds it taken
};

const std::vector<Pair>& Pairs() {
  static const std::vector<Pair> pairs = {
      {kImportText, kImportDelimited, true},
      {kImportText, kResults},
      {kImportDelimited, kRecomputeAll},
      {kImportText, kReport},
      {kRecompute, kRecompute},
      {kCropFilesWarm, kCropFilesCold},
      {kSave, kRecompute},
      {kSave, kCropFilesWarm},
  };
  return pairs;
}

std::string self;
std::string batch;

struct Folders {
  fs::path Base, Data, Output;
  explicit Folders(const fs::path& base) : Base(base), Data(base / "data"), Output(base / "output") {}
  void Seed() const {
    drivers::Seed(Data, Output);
    WriteAll(Data / "ALPHA.DTA", kGappyDta);
  }
};

using Files = std::map<std::string, std::string>;  // "data/NAME" -> bytes; hidden ones too

Files Snapshot(const Folders& folders) {
  Files files;
  for (const char* sub : {"data", "output"}) {
    for (const auto& entry : fs::directory_iterator(folders.Base / sub)) {
      files[std::string(sub) + "/" + entry.path().filename().string()] = ReadAll(entry.path());
    }
  }
  return files;
}

struct Child {
  pid_t Pid = -1;
  fs::path ErrFile;
  int Status = -1;
  std::string Err;
};

Child Start(const Operation& op, const Folders& folders, const std::string& tag, bool slow) {
  std::vector<std::string> args = ChildArguments(op, self, batch, folders.Data, folders.Output);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  Child child;
  child.ErrFile = folders.Base / ("stderr-" + tag + ".txt");
  std::fflush(stdout);
  child.Pid = ::fork();
  if (child.Pid == 0) {
    if (slow) ::setenv("VERNOLI_SLOW_RENAMES_MS", kSlowRenames, 1);
    if (!std::freopen("/dev/null", "w", stdout) ||
        !std::freopen(child.ErrFile.c_str(), "w", stderr)) {
      _exit(4);
    }
    ::execv(argv[0], argv.data());
    _exit(5);
  }
  return child;
}

void Wait(Child& child) {
  const auto start = std::chrono::steady_clock::now();
  int status = 0;
  while (::waitpid(child.Pid, &status, WNOHANG) != child.Pid) {
    if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() >
        kHangSeconds) {
      ::kill(child.Pid, SIGKILL);
      ::waitpid(child.Pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  child.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  child.Err = ReadAll(child.ErrFile);
  fs::remove(child.ErrFile);
}

// The folders after the operations, run one after the other on fresh folders; "" for a run
// that fails on its own.
Files AfterInTurn(const std::vector<Operation>& ops, const Folders& folders) {
  folders.Seed();
  for (const Operation& op : ops) {
    Child child = Start(op, folders, op.Name, false);
    Wait(child);
  }
  return Snapshot(folders);
}

int failures = 0;

void Fail(const std::string& what, const std::string& why) {
  std::fprintf(stderr, "%s: %s\n", what.c_str(), why.c_str());
  ++failures;
}

bool FailedForTheOther(const Child& child, bool nameTaken) {
  if (child.Err.rfind("ERROR:\n", 0) != 0 || child.Status != 1) return false;
  if (child.Err.find("is being changed by another process") != std::string::npos) return true;
  return nameTaken && (child.Err.find("Filename exists already") != std::string::npos ||
                       child.Err.find("has been made by another process meanwhile") !=
                           std::string::npos);
}

std::string Describe(const Files& files) {
  std::string text;
  for (const auto& [name, bytes] : files) text += " " + name + "(" + std::to_string(bytes.size()) + ")";
  return text;
}

// Waits until a folder holds a lock file (or a journal), or the first process has ended, or a
// while has passed. True when it was seen.
bool WaitFor(Moment moment, const Folders& folders, pid_t first) {
  const std::string ending = moment == Moment::Locked ? ".lock" : ".commit";
  const auto until = std::chrono::steady_clock::now() + kLongestWait;
  while (std::chrono::steady_clock::now() < until) {
    for (const fs::path& folder : {folders.Data, folders.Output}) {
      std::error_code error;
      for (fs::directory_iterator it(folder, error), end; !error && it != end;
           it.increment(error)) {
        if (it->path().filename().string().ends_with(ending)) return true;
      }
    }
    siginfo_t ended{};
    if (::waitid(P_PID, static_cast<id_t>(first), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
        ended.si_pid == first) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  return false;
}

// One pair: the first with slow renames, the second started at `moment` of the first.
void RunPair(const Pair& pair, Moment moment, const Folders& folders, const Files& firstAlone,
             const Files& secondAlone, const Files& firstThenSecond, const Files& secondThenFirst,
             const Files& seeded) {
  const std::string what = pair.First.Name + " (slow) + " + pair.Second.Name +
                           (moment == Moment::Locked ? " once locked" : " once committing");
  folders.Seed();
  Child first = Start(pair.First, folders, "first", true);
  WaitFor(moment, folders, first.Pid);
  Child second = Start(pair.Second, folders, "second", false);
  Wait(first);
  Wait(second);
  for (const Child* child : {&first, &second}) {
    if (child->Status != 0 && !FailedForTheOther(*child, pair.NameTaken)) {
      Fail(what, (child == &first ? pair.First.Name : pair.Second.Name) + " failed (status " +
                     std::to_string(child->Status) + "): " + child->Err);
    }
  }
  const Files after = Snapshot(folders);
  const bool firstDone = first.Status == 0;
  const bool secondDone = second.Status == 0;
  bool expected = false;
  if (firstDone && secondDone) {
    expected = after == firstThenSecond || after == secondThenFirst;
  } else if (firstDone) {
    expected = after == firstAlone;
  } else if (secondDone) {
    expected = after == secondAlone;
  } else {
    expected = after == seeded;
  }
  if (!expected) {
    Fail(what, std::string("the folders hold files of no run that succeeded (first ") +
                   (firstDone ? "done" : "failed") + ", second " +
                   (secondDone ? "done" : "failed") + "):" + Describe(after));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "run") {
    return RunCoreOperation(CoreOperations(), argv[2], argv[3], argv[4]);
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: pair_driver VERNOLI_BATCH\n");
    return 2;
  }
  self = fs::canonical("/proc/self/exe").string();
  batch = argv[1];
  char pattern[] = "/tmp/vernoli-pairs-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) return 2;
  const Folders folders{fs::path(pattern)};
  const auto start = std::chrono::steady_clock::now();
  folders.Seed();
  const Files seeded = Snapshot(folders);
  int runs = 0;
  for (const Pair& pair : Pairs()) {
    const Files firstAlone = AfterInTurn({pair.First}, folders);
    const Files secondAlone = AfterInTurn({pair.Second}, folders);
    const Files firstThenSecond = AfterInTurn({pair.First, pair.Second}, folders);
    const Files secondThenFirst = AfterInTurn({pair.Second, pair.First}, folders);
    const Pair swapped{pair.Second, pair.First, pair.NameTaken};
    for (Moment moment : {Moment::Locked, Moment::Committing}) {
      RunPair(pair, moment, folders, firstAlone, secondAlone, firstThenSecond, secondThenFirst,
              seeded);
      RunPair(swapped, moment, folders, secondAlone, firstAlone, secondThenFirst,
              firstThenSecond, seeded);
      runs += 2;
    }
    std::printf("%-16s + %-16s both ways\n", pair.First.Name.c_str(), pair.Second.Name.c_str());
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%zu pairs, %d runs at once in %.1f s, %d failures\n", Pairs().size(), runs,
              seconds, failures);
  fs::remove_all(folders.Base);
  return failures == 0 ? 0 : 1;
}
