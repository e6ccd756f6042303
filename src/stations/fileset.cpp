#include "stations/fileset.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>
#include <system_error>

#include "model/atomicfile.h"
#include "model/linereader.h"

namespace vernoli {

namespace {

int injectedRenameFailure = 0;

std::string HiddenName(const std::string& target, const char* suffix) {
  const std::size_t slash = target.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  return target.substr(0, nameStart) + "." + target.substr(nameStart) + suffix;
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

bool TakeInjectedRenameFailure(int rename) {
  if (injectedRenameFailure != rename) return false;
  injectedRenameFailure = 0;
  return true;
}

}  // namespace

std::string FileSet::StagingName(const std::string& target) { return HiddenName(target, ".new"); }

std::string FileSet::BackupName(const std::string& target) { return HiddenName(target, ".old"); }

std::string FileSet::JournalName(const std::string& target) {
  return HiddenName(target, ".commit");
}

void FileSet::InjectRenameFailureForTesting(int rename) { injectedRenameFailure = rename; }

std::string FileSet::Add(const std::string& target) {
  Entry entry;
  entry.Target = target;
  entry.Staged = StagingName(target);
  entry.Backup = BackupName(target);
  // A copy left by an ended process is no longer needed: any commit it belonged to has been
  // finished by Recover.
  RemoveFile(entry.Backup);
  entries_.push_back(entry);
  return entries_.back().Staged;
}

void FileSet::Remove(const std::string& target) {
  Add(target);
  entries_.back().Removal = true;
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

FileSet::~FileSet() {
  if (committed_) return;
  for (const Entry& entry : entries_) {
    if (!entry.Removal) RemoveFile(entry.Staged);
  }
}

// The journal: "commit" (or "undo" while a failed commit is rolled back), then one line per file
// in the order of the commit: "replace NAME", "remove NAME", with " existed" when the target was
// there before. NAME is the file's name in the folder of the journal.
Status FileSet::WriteJournal(bool undo) const {
  AtomicFile journal(JournalName(entries_.front().Target));
  journal.WriteLine(undo ? "undo" : "commit");
  for (const Entry& entry : entries_) {
    const std::size_t slash = entry.Target.find_last_of('/');
    journal.WriteLine(std::string(entry.Removal ? "remove " : "replace ") +
                      (entry.Existed ? "existed " : "new ") +
                      entry.Target.substr(slash == std::string::npos ? 0 : slash + 1));
  }
  return journal.Commit();
}

Status FileSet::Commit() {
  if (committed_) return Status::Error("the files have been written already");
  committed_ = true;
  if (entries_.empty()) return Status::Success();

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
  if (!WriteJournal(false)) {
    RollBack();
    return Status::Error(ReasonCannotWrite(entries_.front().Target));
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
  return Status::Success();
}

void FileSet::RollBack() {
  const std::string journal = JournalName(entries_.front().Target);
  const bool journalled = IsRegularFile(journal);
  // An ended process must not finish a commit that is being undone.
  if (journalled) (void)WriteJournal(true);
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
  };
  std::vector<Step> steps;
  while (reader.Next(line)) {
    const std::size_t first = line.find(' ');
    const std::size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    if (second == std::string::npos) return false;
    const std::string name = line.substr(second + 1);
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") {
      return false;
    }
    steps.push_back({line.compare(0, first, "remove") == 0,
                     line.compare(first + 1, second - first - 1, "existed") == 0,
                     PathInFolder(folder, name)});
  }
  if (!reader.status()) return false;
  bool done = true;
  for (const Step& step : steps) {
    const std::string staged = FileSet::StagingName(step.Target);
    const std::string backup = FileSet::BackupName(step.Target);
    if (undo) {
      if (IsThere(backup)) {
        done = RenameFile(backup, step.Target) && done;
      } else if (!step.Existed) {
        done = RemoveFile(step.Target) && done;
      }
      if (!step.Removal) done = RemoveFile(staged) && done;
    } else if (step.Removal) {
      done = RemoveFile(step.Target) && done;
    } else if (IsRegularFile(staged)) {
      // Not renamed yet: the staged content was complete before the journal was written.
      done = RenameFile(staged, step.Target) && done;
    }
  }
  if (!done) return false;
  SyncFolder(journalPath);
  for (const Step& step : steps) RemoveFile(FileSet::BackupName(step.Target));
  return RemoveFile(journalPath);
}

}  // namespace

bool FileSet::Recover(const std::string& folder) {
  DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return false;
  std::vector<std::string> journals;
  constexpr std::string_view kJournal = ".commit";
  while (const dirent* item = ::readdir(listing)) {
    const std::string_view name = item->d_name;
    if (name.size() > kJournal.size() + 1 && name.front() == '.' &&
        name.substr(name.size() - kJournal.size()) == kJournal) {
      journals.emplace_back(name);
    }
  }
  ::closedir(listing);
  bool recovered = true;
  for (const std::string& journal : journals) {
    recovered = FinishCommit(folder, PathInFolder(folder, journal)) && recovered;
  }
  return recovered;
}

}  // namespace vernoli
