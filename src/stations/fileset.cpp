#include "stations/fileset.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "model/textfile.h"

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

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Copies a file byte for byte and flushes the copy to the disk.
bool CopyBytes(const std::string& source, const std::string& destination) {
  const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  const int out = ::open(destination.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0) {
    ::close(in);
    return false;
  }
  bool good = true;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      good = got == 0;
      break;
    }
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = ::write(out, buffer + done, static_cast<std::size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) {
        good = false;
        break;
      }
      done += put;
    }
    if (!good) break;
  }
  if (good && ::fsync(out) != 0) good = false;
  if (::close(out) != 0) good = false;
  ::close(in);
  if (!good) ::unlink(destination.c_str());
  return good;
}

// A second name for the target's content: a hard link where the file system has them, else a
// copy.
bool KeepCopy(const std::string& target, const std::string& backup) {
  RemoveFile(backup);
  if (::link(target.c_str(), backup.c_str()) == 0) return true;
  return CopyBytes(target, backup);
}

void SyncFolder(const std::string& path) {
  const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  (void)::fsync(folder);
  ::close(folder);
}

bool TakeInjectedRenameFailure(int rename) {
  if (injectedRenameFailure != rename) return false;
  injectedRenameFailure = 0;
  return true;
}

}  // namespace

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

std::string FileSet::StagingName(const std::string& target) { return HiddenName(target, ".new"); }

std::string FileSet::BackupName(const std::string& target) { return HiddenName(target, ".old"); }

void FileSet::InjectRenameFailureForTesting(int rename) { injectedRenameFailure = rename; }

std::string FileSet::Add(const std::string& target) {
  Entry entry;
  entry.Target = target;
  entry.Staged = StagingName(target);
  entry.Backup = BackupName(target);
  entries_.push_back(entry);
  return entries_.back().Staged;
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
  for (const Entry& entry : entries_) RemoveFile(entry.Staged);
}

Status FileSet::Commit() {
  if (committed_) return Status::Error("the files have been written already");
  committed_ = true;

  // Every new content must be there, complete, before any target is touched.
  for (Entry& entry : entries_) {
    if (!IsRegularFile(entry.Staged)) {
      RollBack();
      return Status::Error(ReasonCannotWrite(entry.Target));
    }
  }
  for (Entry& entry : entries_) {
    entry.Existed = IsRegularFile(entry.Target);
    if (entry.Existed && !KeepCopy(entry.Target, entry.Backup)) {
      RollBack();
      return Status::Error(ReasonCannotWrite(entry.Target));
    }
  }
  int rename = 0;
  for (Entry& entry : entries_) {
    ++rename;
    if (TakeInjectedRenameFailure(rename) ||
        ::rename(entry.Staged.c_str(), entry.Target.c_str()) != 0) {
      RollBack();
      return Status::Error(ReasonCannotWrite(entry.Target));
    }
    entry.Replaced = true;
  }
  for (const Entry& entry : entries_) {
    if (entry.Existed) RemoveFile(entry.Backup);
  }
  if (!entries_.empty()) SyncFolder(entries_.front().Target);
  return Status::Success();
}

void FileSet::RollBack() {
  for (Entry& entry : entries_) {
    if (entry.Replaced) {
      if (entry.Existed) {
        (void)::rename(entry.Backup.c_str(), entry.Target.c_str());
      } else {
        RemoveFile(entry.Target);
      }
      entry.Replaced = false;
    } else if (entry.Existed) {
      RemoveFile(entry.Backup);
    }
    RemoveFile(entry.Staged);
  }
  if (!entries_.empty()) SyncFolder(entries_.front().Target);
}

}  // namespace vernoli
