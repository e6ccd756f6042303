#include "model/atomicfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "model/linereader.h"
#include "model/numbers.h"

namespace vernoli {

// ---------------------------------------------------------------------------------------------
// Changing files

void FileStep() {
#ifdef VERNOLI_CRASH_INJECTION
  static std::atomic<long> steps{0};
  static const long crashAt = [] {
    const char* at = std::getenv("VERNOLI_CRASH_AT");
    return at != nullptr ? std::atol(at) : 0L;
  }();
  if (crashAt > 0 && ++steps == crashAt) std::_Exit(kCrashExitCode);
#endif
}

bool RemoveFile(const std::string& path) {
  FileStep();
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool RenameFile(const std::string& from, const std::string& to) {
  FileStep();
#ifdef VERNOLI_CRASH_INJECTION
  // Test builds: VERNOLI_SLOW_RENAMES_MS slows every rename down, so that another process
  // meets this one in the middle of its changes.
  static const long slow = [] {
    const char* ms = std::getenv("VERNOLI_SLOW_RENAMES_MS");
    return ms != nullptr ? std::atol(ms) : 0L;
  }();
  if (slow > 0) std::this_thread::sleep_for(std::chrono::milliseconds(slow));
#endif
  return ::rename(from.c_str(), to.c_str()) == 0;
}

std::string UniqueNamePart() {
  static const std::string token = [] {
    uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, 0) != static_cast<ssize_t>(sizeof bits)) {
      std::random_device device;
      bits = (static_cast<uint64_t>(device()) << 32) ^ device();
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text(16, '0');
    for (char& c : text) {
      c = kHex[bits & 15];
      bits >>= 4;
    }
    return text;
  }();
  static std::atomic<unsigned long> counter{0};
  return token + "-" + std::to_string(counter++);
}

bool IsUniqueNamePart(std::string_view text) {
  if (text.size() < 18 || text[16] != '-') return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (i < 16 ? !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))
               : i > 16 && !(c >= '0' && c <= '9')) {
      return false;
    }
  }
  return text.size() == 18 || text[17] != '0';
}

// ---------------------------------------------------------------------------------------------
// Writing

namespace {

constexpr std::size_t kWriteChunk = 64 * 1024;

// Every file the program writes is made new by this open: it fails on any name that is taken,
// a link included (O_EXCL), rather than open what is there.
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

AtomicFile::FailAt injectedFailure = AtomicFile::FailAt::None;

bool TakeInjectedFailure(AtomicFile::FailAt step) {
  if (injectedFailure != step) return false;
  injectedFailure = AtomicFile::FailAt::None;
  return true;
}

// Writes all bytes, resuming after interruptions.
bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t done = ::write(fd, data, size);
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += done;
    size -= static_cast<std::size_t>(done);
  }
  return true;
}

// The folder part of a path, "." when there is none.
std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

bool IsNamedBy(int fd, const std::string& path) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         opened.st_ino == named.st_ino && opened.st_dev == named.st_dev;
}

bool RemoveLeftover(const std::string& path) {
  struct stat named {};
  if (::lstat(path.c_str(), &named) != 0) return errno == ENOENT;
  if (S_ISDIR(named.st_mode)) return false;
  if (!S_ISREG(named.st_mode)) return RemoveFile(path);
  // A regular file: is it locked? Opened without waiting and without following a link, in case
  // it has been replaced since it was looked at; opened to write only when it cannot be read,
  // and never written.
  constexpr int kLook = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  int fd = ::open(path.c_str(), O_RDONLY | kLook);
  if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_WRONLY | kLook);
  if (fd < 0) return errno == ENOENT || errno == ELOOP;
  struct stat opened {};
  if (::fstat(fd, &opened) != 0 || opened.st_ino != named.st_ino ||
      opened.st_dev != named.st_dev) {
    ::close(fd);
    return true;  // replaced meanwhile: look again
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  // Under the lock no other writer removes or renames it (they take the lock first).
  const bool removed = !IsNamedBy(fd, path) || RemoveFile(path);
  ::close(fd);
  return removed;
}

namespace {

// Makes the shared temporary file `path` afresh, empty, for writing under an exclusive lock; -1
// when it cannot be made or another writer holds it. Nothing under the name is ever opened for
// writing: not a file of another writer, not a link (which could lead out of the folder), not a
// pipe (which would wait).
int CreateLockedTemporary(const std::string& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(path.c_str(), kCreateFlags, 0666);
    if (fd >= 0) {
      // Another writer may have taken the new file for a leftover and removed it before the
      // lock: then it is no longer the one under the name.
      if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && IsNamedBy(fd, path)) return fd;
      ::close(fd);
      return -1;
    }
    if (errno != EEXIST || !RemoveLeftover(path)) return -1;
  }
  return -1;
}

}  // namespace

int CreateFileAfresh(const std::string& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(path.c_str(), kCreateFlags, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
    struct stat named {};
    if (::lstat(path.c_str(), &named) == 0 && S_ISDIR(named.st_mode)) return -1;
    if (!RemoveFile(path)) return -1;
  }
  return -1;
}

bool CopyFileAfresh(const std::string& source, const std::string& destination) {
  int in = -1;
  if (!OpenFileForReading(source, in)) return false;
  struct stat info {};
  const int out = ::fstat(in, &info) == 0 ? CreateFileAfresh(destination) : -1;
  if (out < 0) {
    ::close(in);
    return false;
  }
  bool good = ::fchmod(out, info.st_mode & 0777) == 0;
  char buffer[1 << 16];
  while (good) {
    const ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      good = got == 0;
      break;
    }
    FileStep();
    good = WriteAll(out, buffer, static_cast<std::size_t>(got));
  }
  if (good) FileStep();
  if (good && ::fsync(out) != 0) good = false;
  if (::close(out) != 0) good = false;
  ::close(in);
  if (!good) ::unlink(destination.c_str());
  return good;
}

void AtomicFile::InjectFailureForTesting(FailAt step) { injectedFailure = step; }

namespace {
std::atomic<bool> diskFullActive{false};
std::string diskFullEnding;
std::size_t diskFullBytes = SIZE_MAX;
}  // namespace

void AtomicFile::InjectDiskFullForTesting(std::string targetEnding, std::size_t bytes) {
  diskFullActive = false;
  diskFullEnding = std::move(targetEnding);
  diskFullBytes = bytes;
  diskFullActive = bytes != SIZE_MAX;
}

namespace {
std::atomic<bool> syncEnabled{true};
}  // namespace

void AtomicFile::SyncForTesting(bool sync) { syncEnabled = sync; }

AtomicFile::AtomicFile(std::string target)
    : target_(std::move(target)), synced_(syncEnabled) {
  // The content of a station file may be written under a hidden name beside it first
  // (".NAME.DTA.new"), so the ending is looked for inside the name.
  if (diskFullActive && target_.find(diskFullEnding) != std::string::npos) {
    capacity_ = diskFullBytes;
  }
  // A hidden name beside the target that no folder listing by extension picks up: ".NAME.part",
  // held under a lock while it is written. A file of that name left by a process that ended
  // mid-write is no longer locked and is taken over (and so cleaned up) by the next writer of
  // the target; while another writer holds it, a name of this process is used instead
  // (".NAME.UNIQUE.part", also locked; what a writer that ended left under such a name goes at
  // the next clean-up of the folder).
  std::size_t slash = target_.find_last_of('/');
  std::string folder = slash == std::string::npos ? std::string() : target_.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  temporary_ = folder + "." + name + ".part";
  fd_ = CreateLockedTemporary(temporary_);
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = folder + "." + name + "." + UniqueNamePart() + ".part";
    fd_ = ::open(temporary_.c_str(), kCreateFlags, 0666);
    // Locked where the file system has locks, so that a clean-up leaves it alone.
    if (fd_ >= 0) (void)::flock(fd_, LOCK_EX | LOCK_NB);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    error_ = errno;
    temporary_.clear();
    failed_ = true;
    return;
  }
  // A replaced file keeps its permissions; only a regular file has any to give (those of a link
  // are not the file's, and the file it leads to is not replaced). The special bits are not
  // taken over.
  struct stat info {};
  if (::lstat(target_.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
    (void)::fchmod(fd_, info.st_mode & 0777);
  }
  buffer_.reserve(kWriteChunk);
}

AtomicFile::~AtomicFile() {
  if (!committed_) Discard();
}

void AtomicFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  buffer_.clear();
}

void AtomicFile::Fail(int error) {
  if (!failed_) error_ = error;
  failed_ = true;
  Discard();
}

void AtomicFile::FlushBuffer() {
  if (failed_ || buffer_.empty()) return;
  FileStep();
  if (!WriteAll(fd_, buffer_.data(), buffer_.size())) {
    Fail(errno);
    return;
  }
  buffer_.clear();
}

void AtomicFile::Write(std::string_view text) {
  if (failed_ || committed_) return;
  if (text.size() > capacity_ - written_) {
    Fail(ENOSPC);  // the disk a test hook made full
    return;
  }
  written_ += text.size();
  buffer_ += text;
  if (buffer_.size() >= kWriteChunk) FlushBuffer();
}

void AtomicFile::WriteLine(std::string_view line) {
  Write(line);
  Write(kLineEnd);
}

bool AtomicFile::RenameIntoPlace() {
  if (synced_) return RenameFile(temporary_, target_);
  // A scratch file: the old one goes aside first, so that the rename replaces no file (ext4
  // would start writing a file out at once that replaces another by a rename).
  const std::string aside = temporary_ + ".old";
  struct stat info {};
  const bool movedAside = ::lstat(target_.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                          RenameFile(target_, aside);
  if (!RenameFile(temporary_, target_)) {
    const int error = errno;
    if (movedAside) (void)RenameFile(aside, target_);
    errno = error;  // the reason of the failure, not of the way back
    return false;
  }
  if (movedAside) (void)RemoveFile(aside);
  return true;
}

Status AtomicFile::Commit() {
  if (committed_) return Status::Error(ReasonCannotWrite(target_));
  committed_ = true;
  // An injected failure has no error number of the system.
  if (!failed_ && TakeInjectedFailure(FailAt::Write)) Fail(0);
  FlushBuffer();
  if (!failed_) FileStep();
  if (!failed_ && TakeInjectedFailure(FailAt::Sync)) Fail(0);
  if (!failed_ && synced_ && ::fsync(fd_) != 0) Fail(errno);
  // The temporary file is renamed while it is still open and locked: another writer of the
  // same target could otherwise take it over (and empty it) between its close and the rename.
  if (!failed_ && TakeInjectedFailure(FailAt::Rename)) Fail(0);
  if (!failed_ && !RenameIntoPlace()) Fail(errno);
  if (failed_) {
    Discard();
    return Status::Error(ReasonCannotWrite(target_, error_));
  }
  temporary_.clear();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    error_ = errno;
    return Status::Error(ReasonCannotWrite(target_, error_));
  }
  if (!synced_) return Status::Success();
  // Make the rename itself durable; the new file is in place even if this fails.
  int folder = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    FileStep();
    (void)::fsync(folder);
    ::close(folder);
  }
  return Status::Success();
}

}  // namespace vernoli

