// Reading the program's text files line by line, and the messages of the file operations.
//
// The files are single-byte text with CR LF line ends; reading is tolerant of LF alone and of a
// last line without its line end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "model/status.h"

namespace vernoli {

// ---------------------------------------------------------------------------------------------
// Messages of the file operations. Each returns the reason; Status::Error adds "ERROR:\n".
// `error`, when not 0, is the system's error number of the failure: its text follows
// ("cannot open file A.DSC: Permission denied").

std::string ReasonCannotOpen(std::string_view file, int error = 0);
std::string ReasonCannotRead(std::string_view file, int64_t line, int error = 0);
std::string ReasonUnexpectedEnd(std::string_view file, int64_t line);
std::string ReasonNotANumber(std::string_view file, int64_t line);
std::string ReasonTooFewValues(std::string_view file, int64_t line);
std::string ReasonInvalidDate(std::string_view file, int64_t line);
std::string ReasonCannotWrite(std::string_view file, int error = 0);
// "line 1 of file F is longer than 65536 characters, the longest line of text that is read".
std::string ReasonLineTooLong(std::string_view file, int64_t line);
// "F is not a regular file (a named pipe); a regular file, or a link to one, is read". `kind`
// is what the name holds: "a named pipe", "a socket", "a device", "a folder".
std::string ReasonNotARegularFile(std::string_view file, std::string_view kind);

// ---------------------------------------------------------------------------------------------
// Paths

// folder + fileName, with a '/' between them when the folder does not end in a separator.
// An empty folder gives fileName alone.
std::string PathInFolder(std::string_view folder, std::string_view fileName);

// ---------------------------------------------------------------------------------------------
// Opening a file to read

// Opens an existing file for reading and hands its descriptor to the caller, who closes it. Only
// a regular file, or a link to one, is opened: anything else under the name (a named pipe, a
// socket, a device, a folder) is refused at once with ReasonNotARegularFile, for in a folder that
// others write to, a name may hold what would never end (a pipe nobody writes to, /dev/zero). The
// file is opened without waiting, whatever it turns out to be, and examined once it is open.
Status OpenFileForReading(const std::string& path, int& fd);
// The same as a stream (std::fclose closes it); nullptr when refused.
Status OpenFileForReading(const std::string& path, std::FILE*& file);

// ---------------------------------------------------------------------------------------------
// Reading

// The longest line that is read, its line end not counted. Every file the program reads has far
// shorter lines; a longer one (a file without line ends, a file that is no text) ends the reading
// with ReasonLineTooLong, and the reader never holds more than this and one read of the file.
inline constexpr std::size_t kMaxLineLength = 64 * 1024;

// Reads a text file line by line. Lines may end in CR LF or LF alone; the last line may lack
// its line end; a CR at the end of a line is stripped. Counts the lines it has read. A line
// longer than kMaxLineLength is a read error.
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

  // Opens the file (OpenFileForReading); an error names it.
  Status Open(const std::string& path);
  // Reads the next line without its line end. False at the end of the file or after a read
  // error (status() tells them apart).
  bool Next(std::string& line);
  // Passes over up to `count` lines without handing them out, counting them like Next; `copy`,
  // when given, receives their bytes as they are in the file, line ends included. Returns the
  // number of lines passed (fewer at the end of the file or after a read error).
  int64_t SkipLines(int64_t count, const std::function<void(std::string_view)>& copy = {});
  // Number of the line last returned by Next (1 for the first line); 0 before the first.
  int64_t LineNumber() const { return lineNumber_; }
  // Ok, or the read error that ended the reading.
  const Status& status() const { return status_; }
  const std::string& Path() const { return path_; }
  // The bytes the reader has room for: never much more than kMaxLineLength and one read.
  std::size_t BufferCapacity() const { return buffer_.capacity(); }

 private:
  bool Fill();  // reads more bytes into the buffer; false at the end of the file or on error
  bool Unfinished() const;  // the unfinished line in the buffer is already too long
  bool TooLong(int64_t line);  // ends the reading with ReasonLineTooLong; false
  void Close();

  std::string path_;
  int fd_ = -1;
  std::size_t chunk_ = 0;  // bytes asked of each read
  std::string buffer_;
  std::size_t begin_ = 0;  // first unread byte of buffer_
  bool endOfFile_ = false;
  int64_t lineNumber_ = 0;
  Status status_;
};

}  // namespace vernoli
