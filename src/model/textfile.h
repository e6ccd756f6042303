// Text-file helpers shared by every reader and writer of the program's files.
//
// The files are single-byte text with CR LF line ends and fixed field widths. Numbers are
// formatted and parsed without regard to the user's locale: the decimal separator is always
// the point. Every rewrite of a file goes through a temporary file in the same folder and an
// atomic rename, so a failed write never leaves a half-written file behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/status.h"

namespace vernoli {

// The line end of every file the program writes.
inline constexpr std::string_view kLineEnd = "\r\n";

// ---------------------------------------------------------------------------------------------
// Formatting

// I(w): the integer right-aligned in `width` characters. A number longer than the width is
// written in full (the field grows, nothing is cut off).
std::string FormatInt(int64_t value, int width);

// R(w,d): the real with `decimals` decimals, right-aligned in `width` characters. It is rounded
// as a person rounds by hand: from the value's decimal text (its nearest decimal of 15
// significant digits, so 2.15 is 2.15 although the double is 2.1499..), half-way away from zero
// (2.25 and 2.15 with one decimal are 2.3 and 2.2, -1.25 is -1.3). A value that rounds to zero
// is written without a sign ("0.0", never "-0.0"). A number longer than the width is written
// in full.
std::string FormatReal(double value, int width, int decimals);

// R(w,d) as one field of a row of numbers: FormatReal, with a blank before a number that fills
// the whole width or more, so that it never runs into the field before it and the row still
// reads back value by value.
std::string FormatField(double value, int width, int decimals);
// The same, appended to `line`.
void AppendField(std::string& line, double value, int width, int decimals);

// Writes n / 10^decimals in fixed point so that it ends just before `end` ("12.50" for n 1250
// and 2 decimals, "0.05" for 5 and 2); returns its first character. Room: 22 characters.
char* FixedDigitsBefore(char* end, uint64_t n, int decimals);

// The same, appended to `line` (no allocation once the line has room).
void AppendInt(std::string& line, int64_t value, int width);
void AppendReal(std::string& line, double value, int width, int decimals);

// ---------------------------------------------------------------------------------------------
// Free-format numbers

// True for the characters that separate numbers on a line: blank, tab (and a stray CR).
bool IsFieldSeparator(char c);
// The text without the separators before and after it.
std::string_view Trimmed(std::string_view text);

// Parses a whole token as a real: optional sign, digits, optional point and decimals, optional
// exponent ("12", "-999.0", "+1.5", "1e3", ".5"). Infinities, NaN and out-of-range numbers are
// refused. Never throws.
bool ParseReal(std::string_view token, double& value);

// Parses a whole token as an integer with an optional sign ("12", "-15", "+7"). Refuses
// decimals, exponents and numbers outside the range of int64. Never throws.
bool ParseInt(std::string_view token, int64_t& value);

// Reads numbers one after the other from a line of text; blanks and tabs separate them.
// A failed read leaves the position where it was.
class NumberScanner {
 public:
  explicit NumberScanner(std::string_view text) : text_(text) {}

  // Reads the next token as a real / an integer. False when the line has no more tokens or
  // the token is not such a number.
  bool ReadReal(double& value);
  bool ReadInt(int64_t& value);
  // Reads an integer that must also fit the range of int32 / int16.
  bool ReadInt32(int32_t& value);
  bool ReadInt16(int16_t& value);

  // Skips `count` characters (fewer when the line is shorter).
  void Skip(std::size_t count);
  // True when nothing but separators is left on the line.
  bool AtEnd() const;
  // Position of the next character to read.
  std::size_t Position() const { return pos_; }

 private:
  // The next token, after the separators before it; empty at the end of the line.
  std::string_view PeekToken(std::size_t& tokenEnd) const;

  std::string_view text_;
  std::size_t pos_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Messages of the file operations. Each returns the reason; Status::Error adds "ERROR:\n".

std::string ReasonCannotOpen(std::string_view file);
std::string ReasonCannotRead(std::string_view file, int line);
std::string ReasonUnexpectedEnd(std::string_view file, int line);
std::string ReasonNotANumber(std::string_view file, int line);
std::string ReasonTooFewValues(std::string_view file, int line);
std::string ReasonInvalidDate(std::string_view file, int line);
std::string ReasonCannotWrite(std::string_view file);

// ---------------------------------------------------------------------------------------------
// Paths

// folder + fileName, with a '/' between them when the folder does not end in a separator.
// An empty folder gives fileName alone.
std::string PathInFolder(std::string_view folder, std::string_view fileName);

// ---------------------------------------------------------------------------------------------
// Reading

// Reads a text file line by line. Lines may end in CR LF or LF alone; the last line may lack
// its line end; a CR at the end of a line is stripped. Counts the lines it has read.
//
//   LineReader reader;
//   if (Status s = reader.Open(path); !s) return s;
//   std::string line;
//   while (reader.Next(line)) { ... reader.LineNumber() ... }
//   if (!reader.status()) return reader.status();
class LineReader {
 public:
  LineReader() = default;
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Opens the file; an error names it. A folder cannot be opened.
  Status Open(const std::string& path);
  // Reads the next line without its line end. False at the end of the file or after a read
  // error (status() tells them apart).
  bool Next(std::string& line);
  // Passes over up to `count` lines without handing them out, counting them like Next; `copy`,
  // when given, receives their bytes as they are in the file, line ends included. Returns the
  // number of lines passed (fewer at the end of the file or after a read error).
  int64_t SkipLines(int64_t count, const std::function<void(std::string_view)>& copy = {});
  // Number of the line last returned by Next (1 for the first line); 0 before the first.
  int LineNumber() const { return lineNumber_; }
  // Ok, or the read error that ended the reading.
  const Status& status() const { return status_; }
  const std::string& Path() const { return path_; }

 private:
  bool Fill();  // reads more bytes into the buffer; false at the end of the file or on error
  void Close();

  std::string path_;
  int fd_ = -1;
  std::size_t chunk_ = 0;  // bytes asked of each read
  std::string buffer_;
  std::size_t begin_ = 0;  // first unread byte of buffer_
  bool endOfFile_ = false;
  int lineNumber_ = 0;
  Status status_;
};

// ---------------------------------------------------------------------------------------------
// Changing files

// Every step that changes a file on the disk passes here first: each write of a file's bytes,
// each flush to the disk, each rename and each removal. In a build with the CMake option
// VERNOLI_CRASH_INJECTION, the step numbered by the environment variable VERNOLI_CRASH_AT (1 for
// the first of the process) ends the process at once, with exit status kCrashExitCode and no
// clean-up, as a power cut would. Elsewhere it does nothing.
void FileStep();
inline constexpr int kCrashExitCode = 86;

// Removes a file; true when it is gone (also when it was not there).
bool RemoveFile(const std::string& path);
// Renames a file over `to`; true on success.
bool RenameFile(const std::string& from, const std::string& to);

// ---------------------------------------------------------------------------------------------
// Writing

// Writes a file through a temporary file in the same folder. Nothing reaches the target until
// Commit: it flushes the temporary file to the disk and renames it over the target in one
// step. When anything fails, the target is left as it was, the temporary file is removed and
// Commit returns the error naming the target. A writer destroyed without Commit leaves the
// target untouched.
//
//   AtomicFile file(path);
//   file.WriteLine("...");
//   if (Status s = file.Commit(); !s) return s;
class AtomicFile {
 public:
  // A scratch file (a batch run's working file, rebuilt from the station's files for every run)
  // is renamed into place without being synced to the disk first: a crash of
  // the process still leaves the old file or the complete new one.
  enum class Durability { Synced, Scratch };
  explicit AtomicFile(std::string target, Durability durability = Durability::Synced);
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
  void Fail();
  void Discard();

  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  std::string buffer_;
  bool failed_ = false;
  bool committed_ = false;
  bool synced_ = true;
  std::size_t written_ = 0;        // bytes handed to Write
  std::size_t capacity_ = SIZE_MAX;  // bytes the disk takes (a test hook lowers it)
};

}  // namespace vernoli
