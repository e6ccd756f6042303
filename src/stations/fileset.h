// Replacing (or removing) the files of one station together, so that its folder holds either
// every old file or every new one.
//
// The set holds the lock of each station it changes (StationLock, ".NAME.lock") from the first
// file it takes in until it is committed or given up, so that no other process changes, reads
// or recovers the station meanwhile. The new content of each file is first written completely
// under a hidden name beside it that is this process's own (StagingName; through AtomicFile,
// like every write). Commit then keeps a hidden copy of every
// target that exists, writes a journal naming the files (JournalName of the first target), and
// renames the staged files over their targets (or removes them) one after the other. When a step
// fails, every target already replaced gets its old content back and a target that did not exist
// before is removed again, so the folder is as it was. When the process ends in the middle of a
// commit, the journal is left behind: Recover, which the next operation on the folder calls,
// finishes that commit, so a station never stays half old and half new; a journal whose station
// is locked belongs to a commit in progress and is left alone. The staged files, the copies and
// the journal carry names that no listing of stations picks up, and whatever is left under such
// a name (by an interrupted run, or put there by anyone) is replaced by the next run, never
// written through. A target that is a link is replaced by a file, and its copy is the link.
//
//   FileSet files;
//   RepClimateFile staged = station;
//   staged.DtaFileName = files.Add(station.DtaFileName);
//   staged.DscFileName = files.Add(station.DscFileName);
//   ... write both staged files ...
//   if (Status s = files.Commit(); !s) return s;
#pragma once

#include <string>
#include <vector>

#include "model/stationlock.h"
#include "model/status.h"

namespace vernoli {

class FileSet {
 public:
  FileSet() = default;
  ~FileSet();
  FileSet(const FileSet&) = delete;
  FileSet& operator=(const FileSet&) = delete;

  // Whether a target may be there already, or must be made by the commit (the files of a new
  // station: the commit refuses when another process has made one meanwhile).
  enum class Target { MayExist, New };

  // Takes `target` into the set, in the order of the renames, and returns the path under which
  // its new content is to be written. The first file of a station takes its lock, waiting a few
  // seconds while another process holds it; when it cannot be had, Commit refuses.
  std::string Add(const std::string& target, Target kind = Target::MayExist);

  // Takes `target` into the set to be removed by the commit.
  void Remove(const std::string& target);

  // A message about a staged file names its target instead, the file the user knows.
  std::string TargetsNamed(std::string message) const;

  // Puts every staged file in place, or none. Can be called once.
  Status Commit();
  // Nothing is changed: the staged files are removed and the locks released.
  void GiveUp();

  // The hidden names beside a target: ".NAME.UNIQUE.new" for its new content (UNIQUE a part no
  // other process uses), ".NAME.old" for the copy of its old content during a commit.
  static std::string StagingName(const std::string& target);
  static std::string BackupName(const std::string& target);
  // ".NAME.commit": the journal of a commit whose first file is `target`.
  static std::string JournalName(const std::string& target);

  // Finishes every commit of the folder that an ended process left half done (its journal is
  // still there), and removes the journal and the copies. Then removes what ended processes left
  // under the names this program makes for itself: staged files, temporary files, lock files;
  // none that a live process holds. True when nothing is left to do.
  static bool Recover(const std::string& folder);

  // Test hook: in the next commit, the rename of the `rename`-th file (1 for the first) fails,
  // once. 0 lifts it.
  static void InjectRenameFailureForTesting(int rename);

 private:
  struct Entry {
    std::string Target;
    std::string Unique;  // the part of the staged file's name that is this process's own
    std::string Staged;
    std::string Backup;
    bool MustBeNew = false;
    bool Removal = false;   // the commit removes the target instead of replacing it
    bool Existed = false;   // the target was there before the commit
    bool Replaced = false;  // the staged file has been renamed over the target (or removed)
  };

  void RollBack();
  void Discard();
  // 0 when written, else the system's error number (-1 when it gave none).
  int WriteJournal(bool undo) const;
  void TakeLock(const std::string& target);

  std::vector<Entry> entries_;
  std::vector<StationLock> locks_;
  Status locked_;  // a lock that could not be had
  bool committed_ = false;
};


}  // namespace vernoli
