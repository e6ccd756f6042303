#include "stations/fileset.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <set>
#include <string_view>
#include <system_error>

#include "model/atomicfile.h"
#include "model/linereader.h"

namespace vernoli {

namespace {

int injectedRenameFailure = 0;

std::string HiddenName(const std::string& target, std::string_view suffix) {
  const std::size_t slash = target.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  return target.substr(0, nameStart) + "." + target.substr(nameStart) + std::string(suffix);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A regular file under the name itself, not through a link.
bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Anything but a folder under the name: a file, or a link, a pipe ... left there by anyone.
bool IsThere(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// A second name for what the target's name holds: a hard link where the file system has them
// (to a link, the link itself), else a copy of a regular file.
bool KeepCopy(const std::string& target, const std::string& backup) {
  RemoveFile(backup);
  FileStep();
  if (::linkat(AT_FDCWD, target.c_str(), AT_FDCWD, backup.c_str(), 0) == 0) return true;
  return IsRegularFile(target) && CopyFileAfresh(target, backup);
}

void SyncFolder(const std::string& path) {
  const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  FileStep();
  (void)::fsync(folder);
  ::close(folder);
}

bool RecoverFolder(const std::string& folder, const std::string* station);

bool TakeInjectedRenameFailure(int rename) {
  if (injectedRenameFailure != rename) return false;
  injectedRenameFailure = 0;
  return true;
}

std::string StagedName(const std::string& target, const std::string& unique) {
  return HiddenName(target, "." + unique + ".new");
}

}  // namespace

std::string FileSet::StagingName(const std::string& target) {
  return StagedName(target, UniqueNamePart());
}

std::string FileSet::BackupName(const std::string& target) { return HiddenName(target, ".old"); }

std::string FileSet::JournalName(const std::string& target) {
  return HiddenName(target, ".commit");
}

void FileSet::InjectRenameFailureForTesting(int rename) { injectedRenameFailure = rename; }

void FileSet::TakeLock(const std::string& target) {
  if (!locked_) return;
  const std::string lockFile = StationLock::LockFileName(target);
  for (const Entry& entry : entries_) {
    if (StationLock::LockFileName(entry.Target) == lockFile) return;
  }
  StationLock lock;
  locked_ = lock.Take(target, StationLock::Mode::Exclusive);
  if (!locked_) return;
  // What an ended process left of this station goes first: a commit half done is finished, and
  // its staged files are removed. (A lock this thread held already: its files are being staged.)
  if (!lock.Nested()) {
    const std::string name = lockFile.substr(lockFile.find_last_of('/') + 1);
    (void)RecoverFolder(FolderOf(target), &name);
  }
  locks_.push_back(std::move(lock));
}

std::string FileSet::Add(const std::string& target, Target kind) {
  TakeLock(target);
  Entry entry;
  entry.Target = target;
  entry.Unique = UniqueNamePart();
  entry.Staged = StagedName(target, entry.Unique);
  entry.Backup = BackupName(target);
  entry.MustBeNew = kind == Target::New;
  // A copy left by an ended process is no longer needed: any commit it belonged to has been
  // finished by Recover. Another process's copy is its own while it holds the lock.
  if (locked_) RemoveFile(entry.Backup);
  entries_.push_back(entry);
  return entries_.back().Staged;
}

void FileSet::Remove(const std::string& target) {
  Add(target);
  entries_.back().Removal = true;
}

void FileSet::GiveUp() {
  if (committed_) return;
  committed_ = true;
  Discard();
}

void FileSet::Discard() {
  for (const Entry& entry : entries_) {
    if (!entry.Removal) RemoveFile(entry.Staged);
  }
  locks_.clear();
}

std::string FileSet::TargetsNamed(std::string message) const {
  for (const Entry& entry : entries_) {
    for (std::size_t at = message.find(entry.Staged); at != std::string::npos;
         at = message.find(entry.Staged, at + entry.Target.size())) {
      message.replace(at, entry.Staged.size(), entry.Target);
    }
  }
  return message;
}

FileSet::~FileSet() { GiveUp(); }

// The journal: "commit" (or "undo" while a failed commit is rolled back), then one line per file
// in the order of the commit: "replace" or "remove", "existed" or "new" (whether the target was
// there before), the unique part of the staged file's name ("-" for a removal), and NAME, the
// file's name in the folder of the journal (the rest of the line: it may hold blanks).
int FileSet::WriteJournal(bool undo) const {
  AtomicFile journal(JournalName(entries_.front().Target));
  journal.WriteLine(undo ? "undo" : "commit");
  for (const Entry& entry : entries_) {
    const std::size_t slash = entry.Target.find_last_of('/');
    journal.WriteLine(std::string(entry.Removal ? "remove " : "replace ") +
                      (entry.Existed ? "existed " : "new ") +
                      (entry.Removal ? std::string("-") : entry.Unique) + " " +
                      entry.Target.substr(slash == std::string::npos ? 0 : slash + 1));
  }
  if (journal.Commit()) return 0;
  return journal.ErrorNumber() != 0 ? journal.ErrorNumber() : -1;
}

Status FileSet::Commit() {
  if (committed_) return Status::Error("the files have been written already");
  committed_ = true;
  if (entries_.empty()) return Status::Success();
  if (!locked_) {
    Discard();
    return locked_;
  }
  // Under the lock: the name of a new file is still free.
  for (const Entry& entry : entries_) {
    if (entry.MustBeNew && IsThere(entry.Target)) {
      Discard();
      return Status::Error("file " + entry.Target +
                           " has been made by another process meanwhile; nothing was written");
    }
  }

  // Every new content must be there, complete, before any target is touched.
  for (Entry& entry : entries_) {
    if (!entry.Removal && !IsRegularFile(entry.Staged)) {
      RollBack();
      return Status::Error(ReasonCannotWrite(entry.Target));
    }
  }
  for (Entry& entry : entries_) {
    entry.Existed = IsThere(entry.Target);
    if (entry.Existed && !KeepCopy(entry.Target, entry.Backup)) {
      const int error = errno;
      RollBack();
      return Status::Error(ReasonCannotWrite(entry.Target, error));
    }
  }
  // From here on an ended process leaves the journal, and the next operation finishes the commit.
  if (const int error = WriteJournal(false); error != 0) {
    RollBack();
    return Status::Error(ReasonCannotWrite(entries_.front().Target, error > 0 ? error : 0));
  }
  int rename = 0;
  for (Entry& entry : entries_) {
    ++rename;
    errno = 0;  // stays 0 for the test hook's failure
    const bool done = !TakeInjectedRenameFailure(rename) &&
                      (entry.Removal ? RemoveFile(entry.Target)
                                     : RenameFile(entry.Staged, entry.Target));
    if (!done) {
      const int error = errno;
      RollBack();
      if (!entry.Removal) return Status::Error(ReasonCannotWrite(entry.Target, error));
      return Status::Error("cannot delete file " + entry.Target +
                           (error != 0 ? ": " + std::generic_category().message(error) : ""));
    }
    entry.Replaced = true;
  }
  SyncFolder(entries_.front().Target);
  // The copies go before the journal, so that an ended process leaves none without a journal.
  for (const Entry& entry : entries_) {
    if (entry.Existed) RemoveFile(entry.Backup);
  }
  RemoveFile(JournalName(entries_.front().Target));
  locks_.clear();
  return Status::Success();
}

void FileSet::RollBack() {
  const std::string journal = JournalName(entries_.front().Target);
  const bool journalled = IsRegularFile(journal);
  // An ended process must not finish a commit that is being undone.
  if (journalled) (void)WriteJournal(true);  // on failure, the undo goes on all the same
  for (Entry& entry : entries_) {
    if (entry.Replaced || (entry.Removal && entry.Existed && !IsThere(entry.Target))) {
      if (entry.Existed) {
        RenameFile(entry.Backup, entry.Target);
      } else {
        RemoveFile(entry.Target);
      }
      entry.Replaced = false;
    } else if (entry.Existed) {
      RemoveFile(entry.Backup);
    }
    if (!entry.Removal) RemoveFile(entry.Staged);
  }
  SyncFolder(entries_.front().Target);
  if (journalled) RemoveFile(journal);
  locks_.clear();
}

namespace {

// Finishes (or, for "undo", takes back) the commit of one journal. True when it is done and the
// journal is gone.
bool FinishCommit(const std::string& folder, const std::string& journalPath) {
  LineReader reader;
  if (!reader.Open(journalPath)) return false;
  std::string line;
  if (!reader.Next(line) || (line != "commit" && line != "undo")) {
    // A journal is written whole or not at all: this one is no journal of ours.
    return false;
  }
  const bool undo = line == "undo";
  struct Step {
    bool Removal;
    bool Existed;
    std::string Target;
    std::string Staged;
  };
  std::vector<Step> steps;
  while (reader.Next(line)) {
    const std::size_t first = line.find(' ');
    const std::size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    if (second == std::string::npos) return false;
    std::string name = line.substr(second + 1);
    // The staged file's own part; a journal of an earlier version has none (".NAME.new").
    std::string unique;
    if (const std::size_t third = name.find(' '); third != std::string::npos) {
      const std::string_view part = std::string_view(name).substr(0, third);
      if (part == "-" || IsUniqueNamePart(part)) {
        unique = std::string(part);
        name.erase(0, third + 1);
      }
    }
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") {
      return false;
    }
    const std::string target = PathInFolder(folder, name);
    steps.push_back({line.compare(0, first, "remove") == 0,
                     line.compare(first + 1, second - first - 1, "existed") == 0, target,
                     unique.empty() ? HiddenName(target, ".new") : StagedName(target, unique)});
  }
  if (!reader.status()) return false;
  bool done = true;
  for (const Step& step : steps) {
    const std::string backup = FileSet::BackupName(step.Target);
    if (undo) {
      if (IsThere(backup)) {
        done = RenameFile(backup, step.Target) && done;
      } else if (!step.Existed) {
        done = RemoveFile(step.Target) && done;
      }
      if (!step.Removal) done = RemoveFile(step.Staged) && done;
    } else if (step.Removal) {
      done = RemoveFile(step.Target) && done;
    } else if (IsRegularFile(step.Staged)) {
      // Not renamed yet: the staged content was complete before the journal was written.
      done = RenameFile(step.Staged, step.Target) && done;
    }
  }
  if (!done) return false;
  SyncFolder(journalPath);
  for (const Step& step : steps) RemoveFile(FileSet::BackupName(step.Target));
  return RemoveFile(journalPath);
}

// The names this program makes for itself in a folder, as a listing finds them: ".FILE.commit"
// (a journal), ".FILE.UNIQUE.new" (a staged file), ".FILE.UNIQUE.part" (a temporary file of a
// writer whose usual one was taken) and "..FILE.UNIQUE.new.part" (that of a staged file), and
// ".NAME.lock". FILE is the name of the file they belong
// to, NAME that of its station.
enum class OwnName { None, Journal, Staged, Temporary, Lock };

OwnName ClassifyName(std::string_view name, std::string& file) {
  if (name.size() < 2 || name.front() != '.') return OwnName::None;
  const auto ending = [&name](std::string_view suffix) {
    return name.size() > suffix.size() + 1 && name.substr(name.size() - suffix.size()) == suffix;
  };
  const auto withUnique = [&name, &file](std::size_t suffix) {
    const std::string_view body = name.substr(1, name.size() - 1 - suffix);
    const std::size_t dot = body.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0 || !IsUniqueNamePart(body.substr(dot + 1))) {
      return false;
    }
    file = std::string(body.substr(0, dot));
    return true;
  };
  if (ending(".commit")) {
    file = std::string(name.substr(1, name.size() - 8));
    return OwnName::Journal;
  }
  if (ending(".new")) return withUnique(4) ? OwnName::Staged : OwnName::None;
  if (ending(".part")) {
    // The temporary file of a staged file is the staged file's own as well.
    std::string staged;
    const bool own = withUnique(5) ||
                     ClassifyName(name.substr(1, name.size() - 6), staged) == OwnName::Staged;
    return own ? OwnName::Temporary : OwnName::None;
  }
  if (ending(".lock")) {
    // Any extension makes the lock's station name from the file's.
    file = std::string(name.substr(1, name.size() - 6)) + ".DSC";
    return OwnName::Lock;
  }
  return OwnName::None;
}

}  // namespace

namespace {

// Recovers the folder (see FileSet::Recover); with `station` (the name of a lock file, in the
// folder, that this thread has just taken), only that station's files.
bool RecoverFolder(const std::string& folder, const std::string* station) {
  DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return false;
  struct Found {
    OwnName Kind;
    std::string Name;  // in the folder
    std::string File;  // the file it belongs to, in the folder
  };
  std::vector<Found> found;
  while (const dirent* item = ::readdir(listing)) {
    std::string file;
    const OwnName kind = ClassifyName(item->d_name, file);
    if (kind == OwnName::None) continue;
    if (station != nullptr && (kind == OwnName::Lock || StationLock::LockFileName(file) != *station)) {
      continue;
    }
    file = PathInFolder(folder, file);
    found.push_back({kind, item->d_name, file});
  }
  ::closedir(listing);

  // A station whose lock another process holds is being changed by it: its journal, staged
  // files and copies are that process's own. One locked by this thread is changed here, by a
  // file set not committed yet.
  std::map<std::string, StationLock> locks;  // by lock file; one not held: not to be touched
  const auto free = [&locks, station](const std::string& file) {
    if (station != nullptr) return true;
    const std::string lockFile = StationLock::LockFileName(file);
    auto it = locks.find(lockFile);
    if (it == locks.end()) {
      StationLock lock;
      if (lock.TryTake(file, StationLock::Mode::Exclusive) && lock.Nested()) lock.Release();
      it = locks.emplace(lockFile, std::move(lock)).first;
    }
    return it->second.Held();
  };
  bool recovered = true;
  std::set<std::string> unfinished;  // stations whose journal is left: their staged files stay
  for (const Found& each : found) {
    if (each.Kind != OwnName::Journal) continue;
    if (free(each.File) && FinishCommit(folder, PathInFolder(folder, each.Name))) continue;
    recovered = false;
    unfinished.insert(StationLock::LockFileName(each.File));
  }
  for (const Found& each : found) {
    const std::string path = PathInFolder(folder, each.Name);
    if (each.Kind == OwnName::Staged && free(each.File) &&
        unfinished.count(StationLock::LockFileName(each.File)) == 0) {
      recovered = RemoveFile(path) && recovered;
    }
    // A temporary file is locked by its writer while it is written.
    if (each.Kind == OwnName::Temporary) (void)RemoveLeftover(path);
  }
  // The lock files of stations no one holds go with the locks taken here; one left by an ended
  // process is taken and so removed as well.
  for (const Found& each : found) {
    if (each.Kind == OwnName::Lock) (void)free(each.File);
  }
  return recovered;
}

}  // namespace

bool FileSet::Recover(const std::string& folder) { return RecoverFolder(folder, nullptr); }

}  // namespace vernoli
