// A shared data folder turned against the people who use it.
//
// Anyone who can write to a data folder can leave anything under a name the program is about to
// use. For every operation that writes station or output files (those of operations.h, the
// import form's reading of a Meteorix file, the results table and recompute --all), this driver
// first runs the operation on fresh folders and notes every name it creates there (inotify:
// created, or renamed to), its temporary, staged, copied and journal files as much as its
// results. Then, each in a child process bounded in time:
//   - every such name is taken beforehand by a link to a file outside the folders, by a named
//     pipe and by a folder (but a name of the process's own, drawn at random, which no one can
//     take beforehand: those are counted). Afterwards the outside file has its bytes and permissions,
//     nothing hung, and the operation either succeeded with exactly the files of the run on
//     fresh folders, or refused with "ERROR:" and left the station files as they were and each
//     output file old or new. Only a folder in the way, or the name of a new station (which is
//     then taken), may refuse it;
//   - every file the operation changes or removes is made a link to a copy outside: the link is
//     replaced (or removed), never written through;
//   - every station or import file the operation reads (also of the imports of database
//     exports) is replaced by a named pipe, a link to /dev/zero and a folder: the operation
//     refuses at once, naming the file ("is not a regular file"), and changes nothing (but the
//     other stations of recompute --all).
//
//   hostile_driver VERNOLI_BATCH             runs every case, prints a line per operation
//   hostile_driver run OPERATION DATA OUTPUT one core operation in this process (the child)
#include <fcntl.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "import/session.h"
#include "operations.h"

namespace fs = std::filesystem;
using namespace vernoli;
using namespace vernoli::drivers;

namespace {

// A run that takes longer has hung (a pipe waited on, /dev/zero read for ever).
constexpr double kHangSeconds = 10.0;
constexpr const char* kPrecious = "precious content\n";
constexpr mode_t kPreciousMode = 0600;

// ---------------------------------------------------------------------------------------------
// The operations

// Core operations beside those of the crash test: the import form's reading of a Meteorix file,
// which leaves TransposedData.DEL in the import folder (here the output folder).
std::map<std::string, CoreOperation> AllCoreOperations() {
  std::map<std::string, CoreOperation> operations = CoreOperations();
  operations["import-meteorix"] = [](const std::string& data, const std::string& output) {
    ImportSession import(output + "/");
    import.Open();
    import.ChangeKind(ImportKind::Meteorix);
    if (std::string message = import.ChooseFile("LISBON.DAT"); !message.empty()) {
      return Status{false, message};
    }
    const ImportResult result = import.Import(data, "LISBON");
    return result.Imported() ? Status::Success() : Status{false, result.Message};
  };
  return operations;
}

struct HostileOperation {
  Operation Op;
  std::vector<std::string> Reads;  // station or import files it reads: "data/NAME", "output/NAME"
  bool Steps = false;  // several exports one after another, each complete or refused on its own
  // The names it writes are taken beforehand (false: the same names, written the same way, as
  // another operation's, which takes them; only its reading is tried).
  bool TakesNames = true;
  // The output the user names: a named pipe there is written to, not replaced (and with no
  // process reading from it, refused).
  std::string Stream = {};
};

std::vector<HostileOperation> HostileOperations() {
  const std::vector<std::string> alpha = {"data/ALPHA.DSC", "data/ALPHA.DTA"};
  const std::map<std::string, std::vector<std::string>> reads = {
      {"create", {}},
      {"delete", {}},
      {"batch-import", {"output/IMPORTED.CXT"}},
      {"batch-import-delimited", {"output/DAILY.csv"}},
  };
  std::vector<HostileOperation> operations;
  for (const Operation& op : Operations()) {
    const auto it = reads.find(op.Name);
    operations.push_back(
        {op, it != reads.end() ? it->second : alpha, op.Name == "export-crop-files"});
  }
  operations.push_back({{"import-meteorix", {}, false}, {"output/LISBON.DAT"}});
  // The import of a database export writes the new station as batch-import does.
  operations.push_back(
      {{"batch-import-hydrolex", {"import", "@output/ROME.PEN", "--name", "ROME"}, false},
       {"output/ROME.PEN"},
       false,
       false});
  operations.push_back(
      {{"batch-import-meteorix", {"import", "@output/LISBON.DAT", "--name", "LISBON"}, false},
       {"output/LISBON.DAT"},
       false,
       false});
  operations.push_back(
      {{"batch-results", {"results", "ALPHA", "--output", "@output/ALPHA.csv"}, true},
       alpha,
       false,
       true,
       "output/ALPHA.csv"});
  // Each station is recomputed, or refused, on its own.
  operations.push_back({{"batch-recompute-all", {"recompute", "--all"}, true},
                        {"data/ALPHA.DSC", "data/ALPHA.DTA", "data/BRAVO.DSC", "data/BRAVO.DTA"},
                        true});
  return operations;
}

// The folders of one case: data/ and output/ as operations.h seeds them, with the two database
// exports of the samples beside the text file to import, and outside/ with the file that links
// lead to.
struct Folders {
  fs::path Base, Data, Output, Outside;

  explicit Folders(const fs::path& base)
      : Base(base), Data(base / "data"), Output(base / "output"), Outside(base / "outside") {}

  void Seed() const {
    drivers::Seed(Data, Output);
    for (const char* name : {"ROME.PEN", "LISBON.DAT"}) {
      fs::copy_file(fs::path(VERNOLI_SAMPLES) / "IMPORT" / name, Output / name);
    }
    fs::remove_all(Outside);
    fs::create_directories(Outside);
    WriteAll(Victim(), kPrecious);
    fs::permissions(Victim(), static_cast<fs::perms>(kPreciousMode));
  }
  fs::path Victim() const { return Outside / "victim.txt"; }
  // "data/NAME" or "output/NAME" in this case's folders.
  fs::path Path(const std::string& name) const { return Base / name; }
};

// ---------------------------------------------------------------------------------------------
// Running a child

struct Run {
  int Status = -1;  // exit status; 128 + signal
  bool Hung = false;
  std::string Err;  // its standard error
  double Seconds = 0.0;
};

std::string self;
std::string batch;

// Runs the operation in a child process. `before` is called with the child's process ID before
// the child starts the operation (it waits on a pipe until then).
Run RunChild(const Operation& op, const Folders& folders,
             const std::function<void(pid_t)>& before = {}) {
  std::vector<std::string> args = ChildArguments(op, self, batch, folders.Data, folders.Output);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const fs::path errFile = folders.Base / "stderr.txt";
  const int out = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  int go[2];
  if (out < 0 || err < 0 || ::pipe2(go, O_CLOEXEC) != 0) std::exit(4);
  // Other threads run other cases: the child calls nothing but what is safe after a fork.
  const pid_t child = ::fork();
  if (child == 0) {
    char byte = 0;
    if (::read(go[0], &byte, 1) != 1) _exit(4);
    if (::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0) _exit(4);
    ::execv(argv[0], argv.data());
    _exit(5);
  }
  ::close(out);
  ::close(err);
  ::close(go[0]);
  if (before) before(child);
  const auto start = std::chrono::steady_clock::now();
  if (::write(go[1], "x", 1) != 1) std::exit(4);
  ::close(go[1]);
  Run run;
  int status = 0;
  for (;;) {
    if (::waitpid(child, &status, WNOHANG) == child) break;
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (run.Seconds > kHangSeconds) {
      run.Hung = true;
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      break;
    }
    const timespec pause{0, 2'000'000};
    ::nanosleep(&pause, nullptr);
  }
  run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.Err = ReadAll(errFile);
  fs::remove(errFile);
  return run;
}

// ---------------------------------------------------------------------------------------------
// The folders before and after

using Files = std::map<std::string, std::string>;  // "data/NAME" -> bytes, regular files only

Files RegularFiles(const Folders& folders) {
  Files files;
  for (const char* sub : {"data", "output"}) {
    for (const auto& entry : fs::directory_iterator(folders.Base / sub)) {
      if (fs::is_regular_file(entry.symlink_status())) {
        files[std::string(sub) + "/" + entry.path().filename().string()] = ReadAll(entry.path());
      }
    }
  }
  return files;
}

// The names created in the folders while the operation runs on fresh ones, and what they hold
// afterwards. The part of a name that is the child's own (".NAME.UNIQUE.new", drawn at random)
// becomes "{unique}".
struct Baseline {
  Files Seeded;
  Files Done;
  std::set<std::string> Created;
};

Baseline RunOnFreshFolders(const Operation& op, const Folders& folders, std::string& failure) {
  Baseline baseline;
  folders.Seed();
  baseline.Seeded = RegularFiles(folders);
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  std::map<int, std::string> subs;
  for (const char* sub : {"data", "output"}) {
    const fs::path folder = folders.Base / sub;
    const int wd = ::inotify_add_watch(watch, folder.c_str(), IN_CREATE | IN_MOVED_TO);
    if (wd < 0) {
      failure = "cannot watch the folders (inotify)";
      return baseline;
    }
    subs[wd] = sub;
  }
  const Run run = RunChild(op, folders);
  if (run.Status != 0 || run.Hung) failure = "fails on fresh folders: " + run.Err;
  alignas(inotify_event) char buffer[1 << 16];
  for (ssize_t got; (got = ::read(watch, buffer, sizeof buffer)) > 0;) {
    for (char* at = buffer; at < buffer + got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      if ((event->mask & IN_Q_OVERFLOW) != 0) failure = "too many names to watch (inotify)";
      std::string name = event->len > 0 ? event->name : "";
      for (std::size_t dot = name.find('.', 1); dot != std::string::npos;
           dot = name.find('.', dot + 1)) {
        const std::size_t end = name.find('.', dot + 1);
        if (end != std::string::npos && IsUniqueNamePart(name.substr(dot + 1, end - dot - 1))) {
          name.replace(dot + 1, end - dot - 1, "{unique}");
          break;
        }
      }
      if (!name.empty()) baseline.Created.insert(subs[event->wd] + "/" + name);
      at += sizeof(inotify_event) + event->len;
    }
  }
  ::close(watch);
  baseline.Done = RegularFiles(folders);
  return baseline;
}

// ---------------------------------------------------------------------------------------------
// The cases

enum class Kind { Link, Pipe, Folder };
constexpr Kind kKinds[] = {Kind::Link, Kind::Pipe, Kind::Folder};
const char* KindName(Kind kind) {
  return kind == Kind::Link ? "a link out" : kind == Kind::Pipe ? "a named pipe" : "a folder";
}

void Plant(const fs::path& path, Kind kind, const fs::path& linkTo) {
  if (kind == Kind::Link) fs::create_symlink(linkTo, path);
  if (kind == Kind::Pipe && ::mkfifo(path.c_str(), 0644) != 0) std::exit(4);
  if (kind == Kind::Folder) fs::create_directory(path);
}

// A file of the station that the operation makes ("data/NEW.DSC"): its name is the user's.
bool IsNewStationFile(const std::string& name) {
  return name.starts_with("data/") && name[5] != '.';
}

class Driver {
 public:
  Driver(const HostileOperation& op, const fs::path& base) : op_(op), folders_(base) {}

  // Runs every case of the operation; the number of runs.
  int Exercise() {
    std::string failure;
    base_ = RunOnFreshFolders(op_.Op, folders_, failure);
    if (!failure.empty()) {
      Fail("", failure);
      return 1;
    }
    int runs = 1;
    for (const std::string& name : base_.Created) {
      if (!op_.TakesNames) break;
      if (base_.Seeded.count(name) > 0) continue;  // a file replaced: see the links below
      // A name of the process's own, drawn at random, cannot be taken beforehand.
      if (name.find("{unique}") != std::string::npos) {
        ++unforeseeable_;
        continue;
      }
      for (Kind kind : kKinds) {
        TakeName(name, kind);
        ++runs;
      }
      ++planted_;
    }
    for (const auto& [name, bytes] : base_.Seeded) {
      const auto done = base_.Done.find(name);
      if (done != base_.Done.end() && done->second == bytes) continue;
      LinkOut(name);
      ++runs;
      ++linked_;
    }
    for (const std::string& name : op_.Reads) {
      for (Kind kind : kKinds) {
        ReplaceRead(name, kind);
        ++runs;
      }
    }
    return runs;
  }

  int Planted() const { return planted_; }
  int Unforeseeable() const { return unforeseeable_; }
  int Linked() const { return linked_; }
  static int Failures() { return failures_; }
  static double SlowestRefusal() { return slowestRefusal_; }

 private:
  void Fail(const std::string& what, const std::string& why) {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::fprintf(stderr, "%s%s%s: %s\n", op_.Op.Name.c_str(), what.empty() ? "" : ", ",
                 what.c_str(), why.c_str());
    ++failures_;
  }

  // Nothing outside the folders changed: the file links lead to (its bytes `bytes` and its
  // permissions), and no file was made beside it.
  void CheckOutside(const std::string& what, const std::string& bytes = kPrecious) {
    struct stat info {};
    if (::lstat(folders_.Victim().c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        (info.st_mode & 07777) != kPreciousMode || ReadAll(folders_.Victim()) != bytes) {
      Fail(what, "the file outside the folders changed");
    }
    if (std::distance(fs::directory_iterator(folders_.Outside), fs::directory_iterator()) != 1) {
      Fail(what, "a file was made outside the folders");
    }
  }

  // Each name `name` stands for with the name taken by `kind`.
  void TakeName(const std::string& name, Kind kind) {
    const std::string what = name + " taken by " + KindName(kind);
    folders_.Seed();
    std::set<std::string> taken;
    const Run run = RunChild(op_.Op, folders_, [&](pid_t) {
      taken.insert(name);
      Plant(folders_.Path(name), kind, folders_.Victim());
    });
    CheckOutside(what);
    if (run.Hung) return Fail(what, "hung");
    const Files after = RegularFiles(folders_);
    if (run.Status == 0) {
      // Every file of the run on fresh folders is there, with its bytes; nothing else is left
      // but what was put in the way.
      for (const auto& [file, bytes] : base_.Done) {
        const auto it = after.find(file);
        if (it == after.end() || it->second != bytes) Fail(what, file + " is not complete");
      }
      for (const auto& [file, bytes] : after) {
        if (base_.Done.count(file) == 0 && taken.count(file) == 0) Fail(what, file + " is left");
      }
      return;
    }
    if (run.Status != 1 || run.Err.rfind("ERROR:\n", 0) != 0) {
      return Fail(what, "ended with status " + std::to_string(run.Status) + ": " + run.Err);
    }
    // A link or a pipe is replaced, but under the name of a new station: that name is taken.
    if (kind != Kind::Folder && !IsNewStationFile(name) &&
        !(kind == Kind::Pipe && name == op_.Stream)) {
      Fail(what, "refused: " + run.Err);
    }
    for (const auto& [file, bytes] : after) {
      const auto old = base_.Seeded.find(file);
      const auto made = base_.Done.find(file);
      const bool isOld = old != base_.Seeded.end() && old->second == bytes;
      const bool isNew = made != base_.Done.end() && made->second == bytes;
      // The station files as they were (or, after a step of the operation that was complete, as
      // it left them); each output file old or new.
      if (file.starts_with("data/") && !op_.Steps ? !isOld : !isOld && !isNew) {
        Fail(what, "refused, and " + file + " is neither as it was nor complete");
      }
    }
    for (const auto& [file, bytes] : base_.Seeded) {
      if (after.count(file) == 0) Fail(what, "refused, and " + file + " is gone");
    }
  }

  // The file `name`, which the operation changes or removes, made a link to its copy outside.
  void LinkOut(const std::string& name) {
    const std::string what = name + " a link out";
    folders_.Seed();
    const fs::path path = folders_.Path(name);
    const std::string bytes = base_.Seeded.at(name);
    fs::remove(folders_.Victim());
    WriteAll(folders_.Victim(), bytes);
    fs::permissions(folders_.Victim(), static_cast<fs::perms>(kPreciousMode));
    fs::remove(path);
    fs::create_symlink(folders_.Victim(), path);
    const Run run = RunChild(op_.Op, folders_);
    CheckOutside(what, bytes);
    if (run.Hung) return Fail(what, "hung");
    if (run.Status != 0) return Fail(what, "failed: " + run.Err);
    const auto done = base_.Done.find(name);
    const fs::file_status left = fs::symlink_status(path);
    if (done == base_.Done.end() ? fs::exists(left)
                                 : !fs::is_regular_file(left) || ReadAll(path) != done->second) {
      Fail(what, "the link was not replaced by the complete file");
    }
  }

  // A file the operation reads replaced by `kind` (a link to /dev/zero for a link).
  void ReplaceRead(const std::string& name, Kind kind) {
    const std::string what = name + " replaced by " + (kind == Kind::Link ? "a link to /dev/zero"
                                                                          : KindName(kind));
    folders_.Seed();
    fs::remove(folders_.Path(name));
    Plant(folders_.Path(name), kind, "/dev/zero");
    const Files before = RegularFiles(folders_);
    const Run run = RunChild(op_.Op, folders_);
    if (run.Hung) return Fail(what, "hung");
    const std::string file = name.substr(name.find('/') + 1);
    if (run.Status != 1 || run.Err.rfind("ERROR:\n", 0) != 0 ||
        run.Err.find(file + " is not a regular file") == std::string::npos) {
      return Fail(what, "not refused naming the file: status " + std::to_string(run.Status) +
                            ", " + run.Err);
    }
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      slowestRefusal_ = std::max(slowestRefusal_, run.Seconds);
    }
    // Nothing changed, but another station that the same command recomputes (--all).
    const std::string station = file.substr(0, file.find('.'));
    const Files after = RegularFiles(folders_);
    for (const auto& [each, bytes] : before) {
      const auto it = after.find(each);
      const auto done = base_.Done.find(each);
      const bool other = each.starts_with("data/") && !each.starts_with("data/" + station + ".");
      if (it == after.end()) {
        Fail(what, "refused, and " + each + " is gone");
        continue;
      }
      const bool recomputed = other && done != base_.Done.end() && done->second == it->second;
      if (it->second != bytes && !recomputed) {
        Fail(what, "refused, and " + each + " changed");
      }
    }
    for (const auto& [each, bytes] : after) {
      if (before.count(each) == 0) Fail(what, "refused, and " + each + " was made");
    }
  }

  const HostileOperation& op_;
  Folders folders_;
  Baseline base_;
  int planted_ = 0;
  int unforeseeable_ = 0;
  int linked_ = 0;
  static inline std::mutex mutex_;  // the counts below and standard error, for every thread
  static inline int failures_ = 0;
  static inline double slowestRefusal_ = 0.0;
};

}  // namespace

int main(int argc, char** argv) {
  self = fs::absolute(argv[0]).string();
  if (argc == 5 && std::string(argv[1]) == "run") {
    return RunCoreOperation(AllCoreOperations(), argv[2], argv[3], argv[4]);
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: hostile_driver VERNOLI_BATCH\n");
    return 2;
  }
  batch = fs::absolute(argv[1]).string();
  char pattern[] = "/tmp/vernoli-hostile-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) return 2;
  const fs::path base = pattern;
  // The children's leaks are the business of the other tests; without the leak check at their
  // exit a run under AddressSanitizer takes a third of the time.
  const char* sanitizer = std::getenv("ASAN_OPTIONS");
  ::setenv("ASAN_OPTIONS",
           (std::string(sanitizer != nullptr ? sanitizer : "") + ":detect_leaks=0").c_str(), 1);

  // The operations run on their own folders, two per core at a time (a run mostly waits for the
  // disk: every station file is flushed to it).
  const auto start = std::chrono::steady_clock::now();
  const std::vector<HostileOperation> operations = HostileOperations();
  std::vector<std::string> lines(operations.size());
  std::atomic<int> runs{0};
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; (i = next++) < operations.size();) {
      const HostileOperation& op = operations[i];
      Driver driver(op, base / op.Op.Name);
      runs += driver.Exercise();
      char line[200];
      std::snprintf(line, sizeof line,
                    "%-22s %2d names taken 3 ways (%d unforeseeable), %d files made links, "
                    "%zu reads refused 3 ways\n",
                    op.Op.Name.c_str(), driver.Planted(), driver.Unforeseeable(), driver.Linked(),
                    op.Reads.size());
      lines[i] = line;
    }
  };
  std::vector<std::thread> threads(std::clamp(2 * std::thread::hardware_concurrency(), 4u, 8u));
  for (std::thread& thread : threads) thread = std::thread(work);
  for (std::thread& thread : threads) thread.join();
  for (const std::string& line : lines) std::fputs(line.c_str(), stdout);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%zu operations, %d runs in %.1f s, slowest refusal to read %.2f s, %d failures\n",
              operations.size(), runs.load(), seconds, Driver::SlowestRefusal(),
              Driver::Failures());
  fs::remove_all(base);
  return Driver::Failures() == 0 ? 0 : 1;
}
