#include "cli/commands.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
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
#include <span>
#include <thread>

#include "limits/boundary.h"
#include "model/atomicfile.h"
#include "model/checks.h"
#include "model/datafile.h"
#include "model/linereader.h"
#include "model/numbers.h"
#include "model/station.h"
#include "model/stationcodes.h"
#include "model/stationlock.h"
#include "model/status.h"
#include "plot/report.h"
#include "stations/fileset.h"
#include "workspace/outputs.h"
#include "workspace/results.h"
#include "workspace/run.h"
#include "workspace/workingdata.h"

namespace vernoli {

namespace {

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

// The station names of every .DSC of the folder, sorted. A name that holds no regular file (a
// named pipe, a folder, a broken link) is a station that fails with its message, not one passed
// over without a word.
std::vector<std::string> StationsOfFolder(const std::string& folder, Status& status) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::filesystem::path& path = it->path();
    if (path.extension() != ".DSC") continue;
    names.push_back(path.stem().string());
  }
  if (error) status = Status::Error(ReasonCannotOpen(folder, error.value()));
  std::sort(names.begin(), names.end());
  return names;
}

struct StationOutcome {
  Status Outcome;
  std::string Report;  // the line for standard output on success
};

StationOutcome Recompute(const std::string& folder, const std::string& name) {
  StationOutcome outcome;
  // Read, computed and rewritten under one lock: no other process changes the station between
  // the reading and the writing, whose values would otherwise be lost.
  StationLock lock;
  if (Status s = lock.Take(PathInFolder(folder, name + ".DSC"), StationLock::Mode::Exclusive);
      !s) {
    return {s, {}};
  }
  RepClimateFile station;
  if (Status s = OpenStation(folder, name, station); !s) return {s, {}};
  // Straight from the .DTA: the same bytes as a run over its working data.
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

// The station of a one-station command, opened under `lock` (shared: held while the command
// reads the station's files), and the checked base name of its output files: the name the line
// gives, else the station's.
Status OpenCommandStation(const CommandLine& line, std::string& name, RepClimateFile& station,
                          StationLock& lock) {
  const std::string& stationName = line.Stations.front();
  if (Status s = CheckOutputName(line.Name.value_or(stationName), name); !s) return s;
  const std::string dsc = PathInFolder(line.DataFolder, stationName + ".DSC");
  if (Status s = lock.Take(dsc, StationLock::Mode::Shared); !s) return s;
  return OpenStation(line.DataFolder, stationName, station);
}

// The file that `results --output` writes: a regular file (new, or replaced atomically), or a
// stream the user named (a device, a named pipe, a socket, or a link to one, /dev/stdout say),
// which is written to as it is and never replaced.
class ResultsOutput {
 public:
  explicit ResultsOutput(std::string path) : path_(std::move(path)) {
    struct stat info {};
    if (::stat(path_.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
      // A named pipe opens once a process reads from it: a few seconds are given for one to
      // come, rather than wait for ever.
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
      for (;;) {
        fd_ = ::open(path_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        if (fd_ >= 0 || errno != ENXIO || !S_ISFIFO(info.st_mode) ||
            std::chrono::steady_clock::now() >= deadline) {
          break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
      if (fd_ < 0) {
        error_ = errno;
        noReader_ = error_ == ENXIO && S_ISFIFO(info.st_mode);
      } else {
        (void)::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
      }
    } else {
      file_.emplace(path_);
    }
  }
  ~ResultsOutput() {
    if (fd_ >= 0) ::close(fd_);
  }
  ResultsOutput(const ResultsOutput&) = delete;
  ResultsOutput& operator=(const ResultsOutput&) = delete;

  Status WriteLine(std::string_view text) {
    if (file_) {
      file_->Write(text);
      file_->Write("\n");
      return file_->Good() ? Status::Success()
                           : Status::Error(ReasonCannotWrite(path_, file_->ErrorNumber()));
    }
    buffer_.append(text);
    buffer_ += '\n';
    return buffer_.size() >= (1 << 16) ? Flush() : Status::Success();
  }
  Status Commit() {
    if (file_) return file_->Commit();
    return Flush();
  }

 private:
  Status Flush() {
    if (error_ == 0 && fd_ < 0) error_ = EBADF;
    for (std::size_t at = 0; error_ == 0 && at < buffer_.size();) {
      const ssize_t done = ::write(fd_, buffer_.data() + at, buffer_.size() - at);
      if (done < 0 && errno == EINTR) continue;
      if (done <= 0) error_ = done < 0 ? errno : EIO;
      if (done > 0) at += static_cast<std::size_t>(done);
    }
    buffer_.clear();
    if (error_ == 0) return Status::Success();
    if (noReader_) {
      return Status::Error("cannot write file " + path_ +
                           ": no process reads from this named pipe");
    }
    return Status::Error(ReasonCannotWrite(path_, error_));
  }

  std::string path_;
  std::optional<AtomicFile> file_;
  int fd_ = -1;
  int error_ = 0;
  bool noReader_ = false;
  std::string buffer_;
};

}  // namespace

uint64_t OpenFileLimit() {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
    return UINT64_MAX;
  }
  return limit.rlim_cur;
}

unsigned JobsWithinOpenFiles(unsigned jobs, uint64_t openFiles) {
  if (openFiles <= kFilesOfTheProcess + kFilesPerJob) return 1;
  return static_cast<unsigned>(
      std::min<uint64_t>(jobs, (openFiles - kFilesOfTheProcess) / kFilesPerJob));
}

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
  // A name found in the folder is held to the rule of a name on the command line; one that
  // fails it is a station that could not be recomputed, reported once and counted as failed,
  // so that the exit status tells a script that not every .DSC of the folder was done.
  std::vector<bool> refused(names.size(), false);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (IsStationBaseName(names[i])) continue;
    refused[i] = true;
    outcomes[i] = {Status::Error(ReasonIllegalStationName(names[i]) + " (file " +
                                 QuotedName(names[i] + ".DSC") + ")"),
                   {}};
  }
  ProgressLine progress(progressOnErr ? &err : nullptr, names.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&]() {
    for (std::size_t i; (i = next++) < names.size();) {
      if (!refused[i]) {
        try {
          outcomes[i] = Recompute(line.DataFolder, names[i]);
        } catch (const std::exception& e) {
          outcomes[i] = {Status::Error("station " + names[i] + ": " + e.what()), {}};
        }
      }
      progress.StationDone(!outcomes[i].Outcome);
    }
  };
  const unsigned wanted =
      line.Jobs > 0 ? line.Jobs : std::max(1u, std::thread::hardware_concurrency());
  const unsigned jobs = JobsWithinOpenFiles(wanted, OpenFileLimit());
  if (jobs < std::min<std::size_t>(wanted, names.size())) {
    // A note, not a failure: every station is still recomputed.
    err << "vernoli-batch: "
        << (line.Jobs > 0 ? "--jobs " + std::to_string(wanted)
                          : std::to_string(wanted) + " jobs (one per core)")
        << " lowered to " << jobs << ": the process may hold " << OpenFileLimit()
        << " files open at once (ulimit -n), each job up to " << kFilesPerJob << '\n';
  }
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
  StationLock lock;
  const std::string dsc = PathInFolder(line.DataFolder, line.Stations.front() + ".DSC");
  Status opened = lock.Take(dsc, StationLock::Mode::Shared);
  if (opened) opened = OpenStation(line.DataFolder, line.Stations.front(), station);
  if (!opened) {
    err << opened.Message << '\n';
    return kBatchFailed;
  }
  std::optional<ResultsOutput> file;
  if (line.ResultsFile) file.emplace(*line.ResultsFile);
  const RunResult run = WriteResults(station, line.Format, [&](std::string_view text) {
    if (file) return file->WriteLine(text);
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

int ReportCommand(const CommandLine& line, std::ostream& out, std::ostream& err) {
  const auto fail = [&err](const Status& s) {
    err << s.Message << '\n';
    return kBatchFailed;
  };
  ReportContent content;
  if (line.Columns) {
    if (std::string e = ParseReportColumns(*line.Columns, content); !e.empty()) {
      err << ErrorText(e) << '\n';
      return kBatchUsageError;
    }
  }
  std::string name;
  RepClimateFile station;
  StationLock lock;
  if (Status s = OpenCommandStation(line, name, station, lock); !s) return fail(s);
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
  StationLock lock;
  if (Status s = OpenCommandStation(line, name, station, lock); !s) return fail(s);
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
  // The two files are one set: both are replaced, or neither; another run writing them at the
  // same time waits for this one.
  FileSet::Recover(line.OutputFolder);
  FileSet files;
  AtomicFile etoFile(files.Add(etoPath));
  AtomicFile tmpFile(files.Add(tmpPath));
  int32_t records = 0;
  for (OutputKind kind : {OutputKind::EToFile, OutputKind::TemperatureFile}) {
    RunOutput output;
    output.Kind = kind;
    output.File = kind == OutputKind::EToFile ? &etoFile : &tmpFile;
    output.Boundary = boundary;
    output.Fahrenheit = fahrenheit;
    WriteOutputHeader(*output.File, description, kind, codes.data(),
                      static_cast<int>(codes.size()), station.FromYear, station.FromMonth,
                      station.FromDay, station.DataType, ReportContent{});
    const RunResult run = RunCalculation(station, data, &output, false);
    if (run.Cancelled) return fail(Status::Error(missing));
    if (!run) return fail(Status{false, files.TargetsNamed(run.Outcome.Message)});
    records = run.Records;
  }
  for (AtomicFile* file : {&etoFile, &tmpFile}) {
    if (Status s = file->Commit(); !s) return fail(Status{false, files.TargetsNamed(s.Message)});
  }
  if (Status s = files.Commit(); !s) return fail(s);
  out << etoPath << ", " << tmpPath << ": crop-model files of " << records
      << " records written\n";
  return 0;
}

}  // namespace vernoli
