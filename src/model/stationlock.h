// The lock under which the files of one station are changed, honoured by every process that
// works on the folder.
//
// A data folder may be shared by many processes, on one machine or on several (over NFS or the
// like). A process that changes a station holds its lock exclusively for the whole change; one
// that reads both files of a station holds it shared, so that it never reads the description of
// one version and the data of another. The lock is an advisory lock (flock) on a hidden file
// beside the station, ".NAME.lock": the kernel releases it when the process ends, however it
// ends, so a lock is never left held by a process that is gone. The lock file is removed again by
// the last process that held it.
//
// Within one thread, the lock of a station it already holds is taken again at no cost (and held
// until the outermost holder releases it); but a thread that holds it to read waits for it, as
// for another process, before it changes the station: it releases the shared lock first.
//
//   StationLock lock;
//   if (Status s = lock.Take(station.DscFileName, StationLock::Mode::Exclusive); !s) return s;
//   ... read, compute, write ...
#pragma once

#include <string>

#include "model/status.h"

namespace vernoli {

class StationLock {
 public:
  enum class Mode { Shared, Exclusive };

  StationLock() = default;
  ~StationLock() { Release(); }
  StationLock(StationLock&& other) noexcept;
  StationLock& operator=(StationLock&& other) noexcept;
  StationLock(const StationLock&) = delete;
  StationLock& operator=(const StationLock&) = delete;

  // The lock file of the station a file belongs to: ".NAME.lock" beside "NAME.DTA" (the name of
  // the file without its extension).
  static std::string LockFileName(const std::string& file);

  // Takes the lock of the station `file` belongs to, waiting a few seconds while another process
  // holds it, then refusing with "station NAME is being changed by another process". A lock
  // file that cannot be made is refused with the system's reason; but a shared lock is then
  // done without (a folder no one may write to has no writer to wait for).
  Status Take(const std::string& file, Mode mode);
  // The same without waiting: false when another process holds the lock or it cannot be made.
  bool TryTake(const std::string& file, Mode mode);
  // Releases the lock (nothing when none is held).
  void Release();
  bool Held() const { return fd_ >= 0 || nested_; }
  // Held because this thread held it already.
  bool Nested() const { return nested_; }

  // Test hook: how long Take waits for another process's lock, in milliseconds.
  static void SetWaitForTesting(int milliseconds);

 private:
  enum class Outcome { Taken, Busy, Failed };
  Outcome Attempt(const std::string& path, Mode mode, int& error);

  std::string path_;
  int fd_ = -1;
  bool nested_ = false;
  unsigned long long device_ = 0;
  unsigned long long inode_ = 0;
  Mode mode_ = Mode::Shared;
};

// "station NAME is being changed by another process", NAME the station of `file`.
std::string ReasonStationBusy(const std::string& file);

}  // namespace vernoli
