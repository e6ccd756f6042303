#include "model/stationlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <map>
#include <thread>
#include <utility>

#include "model/atomicfile.h"
#include "model/linereader.h"

namespace vernoli {

namespace {

int waitMilliseconds = 5000;

using FileKey = std::pair<unsigned long long, unsigned long long>;  // device, inode

// A lock this thread holds: how often it has been taken, and whether exclusively.
struct Holding {
  int Count = 0;
  bool Exclusive = false;
};

// The locks this thread holds, by lock file.
std::map<FileKey, Holding>& HeldByThisThread() {
  thread_local std::map<FileKey, Holding> held;
  return held;
}

std::size_t NameStart(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

// The station's name: the file's name without its extension.
std::string StationOf(const std::string& file) {
  const std::string name = file.substr(NameStart(file));
  const std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// Everyone who may write to the folder may take the lock: the lock file gets the read and write
// permissions of the folder (a folder shared by a group gives a file its group can open).
void ShareLikeFolder(int fd, const std::string& path) {
  const std::size_t start = NameStart(path);
  const std::string folder = start == 0 ? "." : path.substr(0, start);
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) (void)::fchmod(fd, info.st_mode & 0666);
}

// Opens the lock file, making it when it is not there; -1 with the system's error number when it
// cannot be. The lock file is only ever locked, never read or written, but it is opened to write
// as a lock over NFS needs. Whatever else is under its name (a link, a pipe, a socket) is removed
// itself and never opened; a folder stays and fails.
int OpenLockFile(const std::string& path, int& error) {
  constexpr int kOpen = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  for (int attempt = 0; attempt < 8; ++attempt) {
    int fd = ::open(path.c_str(), kOpen);
    if (fd < 0 && errno == ENOENT) {
      fd = ::open(path.c_str(), kOpen | O_CREAT | O_EXCL, 0666);
      if (fd < 0 && errno == EEXIST) continue;
      if (fd >= 0) ShareLikeFolder(fd, path);
    }
    if (fd < 0) {
      if (errno != ELOOP && errno != ENXIO) {
        error = errno;
        return -1;
      }
      (void)::unlink(path.c_str());  // a link, or a socket
      continue;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) return fd;
    ::close(fd);
    struct stat named {};
    if (::lstat(path.c_str(), &named) == 0 && S_ISDIR(named.st_mode)) {
      error = EISDIR;
      return -1;
    }
    (void)::unlink(path.c_str());
  }
  error = EAGAIN;
  return -1;
}

}  // namespace

std::string StationLock::LockFileName(const std::string& file) {
  return file.substr(0, NameStart(file)) + "." + StationOf(file) + ".lock";
}

std::string ReasonStationBusy(const std::string& file) {
  return "station " + StationOf(file) + " is being changed by another process";
}

void StationLock::SetWaitForTesting(int milliseconds) { waitMilliseconds = milliseconds; }

StationLock::StationLock(StationLock&& other) noexcept { *this = std::move(other); }

StationLock& StationLock::operator=(StationLock&& other) noexcept {
  if (this == &other) return *this;
  Release();
  path_ = std::move(other.path_);
  fd_ = std::exchange(other.fd_, -1);
  nested_ = std::exchange(other.nested_, false);
  device_ = other.device_;
  inode_ = other.inode_;
  mode_ = other.mode_;
  return *this;
}

StationLock::Outcome StationLock::Attempt(const std::string& path, Mode mode, int& error) {
  // A holder that ends removes the lock file after it: a file opened before is then no longer
  // the lock, and the next try opens the new one.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = OpenLockFile(path, error);
    if (fd < 0) return Outcome::Failed;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
      error = errno;
      ::close(fd);
      return Outcome::Failed;
    }
    const FileKey key{info.st_dev, info.st_ino};
    std::map<FileKey, Holding>& held = HeldByThisThread();
    if (const auto it = held.find(key); it != held.end()) {
      ::close(fd);
      // A lock held to read is not one to change under: wait for it as for another's.
      if (mode == Mode::Exclusive && !it->second.Exclusive) return Outcome::Busy;
      ++it->second.Count;
      nested_ = true;
      device_ = key.first;
      inode_ = key.second;
      return Outcome::Taken;
    }
    if (::flock(fd, (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
      error = errno;
      ::close(fd);
      return error == EWOULDBLOCK || error == EINTR ? Outcome::Busy : Outcome::Failed;
    }
    if (!IsNamedBy(fd, path)) {
      ::close(fd);
      continue;
    }
    held[key] = {1, mode == Mode::Exclusive};
    path_ = path;
    fd_ = fd;
    device_ = key.first;
    inode_ = key.second;
    mode_ = mode;
    return Outcome::Taken;
  }
  return Outcome::Busy;
}

Status StationLock::Take(const std::string& file, Mode mode) {
  Release();
  const std::string path = LockFileName(file);
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
  auto pause = std::chrono::milliseconds(5);
  for (;;) {
    int error = 0;
    switch (Attempt(path, mode, error)) {
      case Outcome::Taken:
        return Status::Success();
      case Outcome::Failed:
        // A folder where the lock file cannot be made has no writer to wait for.
        if (mode == Mode::Shared) return Status::Success();
        // A folder that is not there is the station file's fault; anything else, the lock's.
        return Status::Error(ReasonCannotWrite(error == ENOENT ? file : path, error));
      case Outcome::Busy:
        break;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return Status::Error(ReasonStationBusy(file));
    }
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(50));
  }
}

bool StationLock::TryTake(const std::string& file, Mode mode) {
  Release();
  int error = 0;
  return Attempt(LockFileName(file), mode, error) == Outcome::Taken;
}

void StationLock::Release() {
  std::map<FileKey, Holding>& held = HeldByThisThread();
  const auto it = held.find({device_, inode_});
  if (nested_) {
    nested_ = false;
    if (it != held.end() && it->second.Count > 1) --it->second.Count;
    return;
  }
  if (fd_ < 0) return;
  if (it != held.end()) held.erase(it);
  // The last holder removes the lock file, still holding it: whoever opened it meanwhile finds
  // it gone once the lock is theirs, and opens the new one. A reader holds it shared with
  // others, so it removes the file only when it alone holds it.
  if ((mode_ == Mode::Exclusive || ::flock(fd_, LOCK_EX | LOCK_NB) == 0) &&
      IsNamedBy(fd_, path_)) {
    (void)::unlink(path_.c_str());
  }
  ::close(fd_);
  fd_ = -1;
}

}  // namespace vernoli
