// Replacing the files of one station together, so that its folder holds either every old file
// or every new one.
//
// The new content of each file is first written completely under a hidden name beside it
// (StagingName; through AtomicFile, like every write). Commit then renames the staged files over
// their targets one after the other, having kept a hidden copy of every target that existed.
// When a step fails, every target already replaced gets its old content back and a target that
// did not exist before is removed again, so the folder is as it was. The staged files and the
// copies carry names that no listing of stations picks up, and a file left under such a name by
// an interrupted run is simply overwritten by the next one.
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

  // A message about a staged file names its target instead, the file the user knows.
  std::string TargetsNamed(std::string message) const;

  // Puts every staged file in place, or none. Can be called once.
  Status Commit();

  // The hidden names beside a target: ".NAME.new" for its new content, ".NAME.old" for the copy
  // of its old content during a commit.
  static std::string StagingName(const std::string& target);
  static std::string BackupName(const std::string& target);

  // Test hook: in the next commit, the rename of the `rename`-th file (1 for the first) fails,
  // once. 0 lifts it.
  static void InjectRenameFailureForTesting(int rename);

 private:
  struct Entry {
    std::string Target;
    std::string Staged;
    std::string Backup;
    bool Existed = false;   // the target was there before the commit
    bool Replaced = false;  // the staged file has been renamed over the target
  };

  void RollBack();

  std::vector<Entry> entries_;
  bool committed_ = false;
};

// Removes a file; true when it is gone (also when it was not there).
bool RemoveFile(const std::string& path);

}  // namespace vernoli
