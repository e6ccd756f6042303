// Replacing (or removing) the files of one station together, so that its folder holds either
// every old file or every new one.
//
// The new content of each file is first written completely under a hidden name beside it
// (StagingName; through AtomicFile, like every write). Commit then keeps a hidden copy of every
// target that exists, writes a journal naming the files (JournalName of the first target), and
// renames the staged files over their targets (or removes them) one after the other. When a step
// fails, every target already replaced gets its old content back and a target that did not exist
// before is removed again, so the folder is as it was. When the process ends in the middle of a
// commit, the journal is left behind: Recover, which the next operation on the folder calls,
// finishes that commit, so a station never stays half old and half new. The staged files, the
// copies and the journal carry names that no listing of stations picks up, and whatever is left
// under such a name (by an interrupted run, or put there by anyone) is replaced by the next run,
// never written through. A target that is a link is replaced by a file, and its copy is the link.
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

#include "model/status.h"

namespace vernoli {

class FileSet {
 public:
  FileSet() = default;
  ~FileSet();
  FileSet(const FileSet&) = delete;
  FileSet& operator=(const FileSet&) = delete;

  // Takes `target` into the set, in the order of the renames, and returns the path under which
  // its new content is to be written.
  std::string Add(const std::string& target);

  // Takes `target` into the set to be removed by the commit.
  void Remove(const std::string& target);

  // A message about a staged file names its target instead, the file the user knows.
  std::string TargetsNamed(std::string message) const;

  // Puts every staged file in place, or none. Can be called once.
  Status Commit();

  // The hidden names beside a target: ".NAME.new" for its new content, ".NAME.old" for the copy
  // of its old content during a commit.
  static std::string StagingName(const std::string& target);
  static std::string BackupName(const std::string& target);
  // ".NAME.commit": the journal of a commit whose first file is `target`.
  static std::string JournalName(const std::string& target);

  // Finishes every commit of the folder that an ended process left half done (its journal is
  // still there), and removes the journal and the copies. True when nothing is left to do.
  static bool Recover(const std::string& folder);

  // Test hook: in the next commit, the rename of the `rename`-th file (1 for the first) fails,
  // once. 0 lifts it.
  static void InjectRenameFailureForTesting(int rename);

 private:
  struct Entry {
    std::string Target;
    std::string Staged;
    std::string Backup;
    bool Removal = false;   // the commit removes the target instead of replacing it
    bool Existed = false;   // the target was there before the commit
    bool Replaced = false;  // the staged file has been renamed over the target (or removed)
  };

  void RollBack();
  Status WriteJournal(bool undo) const;

  std::vector<Entry> entries_;
  bool committed_ = false;
};


}  // namespace vernoli
