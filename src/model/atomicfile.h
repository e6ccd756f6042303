// Changing files on the disk. Every rewrite of a file goes through a temporary file in the same
// folder, a flush to the disk and an atomic rename, so a failed write never leaves a half-written
// file behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/status.h"

namespace vernoli {

// ---------------------------------------------------------------------------------------------
// Changing files

// Every step that changes a file on the disk passes here first: each write of a file's bytes,
// each flush to the disk, each rename and each removal. In a build with the CMake option
// VERNOLI_CRASH_INJECTION, the step numbered by the environment variable VERNOLI_CRASH_AT (1 for
// the first of the process) ends the process at once, with exit status kCrashExitCode and no
// clean-up, as a power cut would; and VERNOLI_SLOW_RENAMES_MS slows each rename down by that
// many milliseconds. Elsewhere it does nothing.
void FileStep();
inline constexpr int kCrashExitCode = 86;

// Removes a file; true when it is gone (also when it was not there). A link is removed itself.
bool RemoveFile(const std::string& path);
// Renames a file over `to`; true on success. A link at `to` is replaced, never followed.
bool RenameFile(const std::string& from, const std::string& to);

// A part of a file name that no other process uses, on this machine or on another that shares
// the folder: 16 hexadecimal digits drawn at random once per process, a dash and a number that
// counts up ("3f9a1c2b8d7e6f50-7"). A name made with it is still created exclusively.
std::string UniqueNamePart();
// True for a text that UniqueNamePart could have given, exactly.
bool IsUniqueNamePart(std::string_view text);

// ---------------------------------------------------------------------------------------------
// Making files
//
// A data folder may be shared, and anyone who writes to it can leave anything under a name the
// program is about to use: a link to a file elsewhere, a named pipe, a folder. So every file the
// program writes is made new, never opened where it is: whatever is left under the name (that is
// no folder) is removed first, a link itself and not what it leads to, and the file is created
// where no name is (O_CREAT | O_EXCL | O_NOFOLLOW). Nothing is ever written through a link, into
// a file that was there, or into a pipe.

// Makes the empty file `path` afresh and opens it for writing; -1 when it cannot be made (a
// folder under the name stays and fails). The caller closes it.
int CreateFileAfresh(const std::string& path);
// What a name holds, when it is not a file another writer holds locked, is removed: a file left
// by a writer that ended, or anything else put there (a link, a named pipe). A link is removed
// itself, never what it points to. True when the name is free; false while another writer holds
// the file, and for a folder, which stays.
bool RemoveLeftover(const std::string& path);
// True when the open file `fd` is the one `path` names (not following a link): a name another
// process may have removed or replaced since the file was opened.
bool IsNamedBy(int fd, const std::string& path);
// Copies the regular file `source` (or the one a link leads to; see OpenFileForReading) to the
// new file `destination` made by CreateFileAfresh, with the source's permissions, and flushes it
// to the disk. False, with no destination left, when anything fails.
bool CopyFileAfresh(const std::string& source, const std::string& destination);

// ---------------------------------------------------------------------------------------------
// Writing

// Writes a file through a temporary file in the same folder, made afresh (see above). Nothing
// reaches the target until Commit: it flushes the temporary file to the disk and renames it over
// the target in one step; a link in the target's place is replaced by the file. When anything
// fails, the target is left as it was, the temporary file is removed and
// Commit returns the error naming the target. A writer destroyed without Commit leaves the
// target untouched.
//
//   AtomicFile file(path);
//   file.WriteLine("...");
//   if (Status s = file.Commit(); !s) return s;
class AtomicFile {
 public:
  explicit AtomicFile(std::string target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Appends text as it is.
  void Write(std::string_view text);
  // Appends text and CR LF.
  void WriteLine(std::string_view line);
  // Flushes, syncs and renames the temporary file over the target. Can be called once.
  Status Commit();
  // True while no write has failed.
  bool Good() const { return !failed_; }
  // The system's error number of the failure (ENOSPC, EACCES, ...); 0 while Good, and for a
  // failure the system gave no number for.
  int ErrorNumber() const { return error_; }
  const std::string& Target() const { return target_; }

  // Test hook: the next commit of any writer fails at this step, once.
  enum class FailAt { None, Write, Sync, Rename };
  static void InjectFailureForTesting(FailAt step);
  // Test hook: every writer made afterwards whose target holds `targetEnding` (so "x.DTA" and its
  // staged ".x.DTA.new") takes `bytes`
  // bytes and then fails, as on a full disk (the write that would pass the limit fails).
  // SIZE_MAX lifts the limit.
  static void InjectDiskFullForTesting(std::string targetEnding, std::size_t bytes);
  // Test hook: with false, no commit syncs to the disk (tests that write thousands of files).
  static void SyncForTesting(bool sync);

 private:
  void FlushBuffer();
  bool RenameIntoPlace();
  void Fail(int error);
  void Discard();

  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  std::string buffer_;
  bool failed_ = false;
  int error_ = 0;
  bool committed_ = false;
  bool synced_ = true;
  std::size_t written_ = 0;        // bytes handed to Write
  std::size_t capacity_ = SIZE_MAX;  // bytes the disk takes (a test hook lowers it)
};

}  // namespace vernoli
