#include "model/linereader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace vernoli {

namespace {

std::string LineText(int64_t line) { return std::to_string(line); }

// ": " and the system's text of `error`; nothing for 0.
std::string SystemReason(int error) {
  return error == 0 ? std::string() : ": " + std::generic_category().message(error);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Messages

std::string ReasonCannotOpen(std::string_view file, int error) {
  return "cannot open file " + std::string(file) + SystemReason(error);
}

std::string ReasonCannotRead(std::string_view file, int64_t line, int error) {
  return "cannot read file " + std::string(file) + ", line " + LineText(line) + SystemReason(error);
}

std::string ReasonUnexpectedEnd(std::string_view file, int64_t line) {
  return "file " + std::string(file) + " ends before line " + LineText(line);
}

std::string ReasonNotANumber(std::string_view file, int64_t line) {
  return "cannot read a number in file " + std::string(file) + ", line " + LineText(line);
}

std::string ReasonTooFewValues(std::string_view file, int64_t line) {
  return "too few values in file " + std::string(file) + ", line " + LineText(line);
}

std::string ReasonInvalidDate(std::string_view file, int64_t line) {
  return "invalid date in file " + std::string(file) + ", line " + LineText(line);
}

std::string ReasonCannotWrite(std::string_view file, int error) {
  return "cannot write file " + std::string(file) + SystemReason(error);
}

std::string ReasonLineTooLong(std::string_view file, int64_t line) {
  return "line " + LineText(line) + " of file " + std::string(file) + " is longer than " +
         std::to_string(kMaxLineLength) + " characters, the longest line of text that is read";
}

std::string ReasonNotARegularFile(std::string_view file, std::string_view kind) {
  return std::string(file) + " is not a regular file (" + std::string(kind) +
         "); a regular file, or a link to one, is read";
}

// ---------------------------------------------------------------------------------------------
// Paths

std::string PathInFolder(std::string_view folder, std::string_view fileName) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  path += fileName;
  return path;
}

// ---------------------------------------------------------------------------------------------
// Opening a file to read

namespace {

// What a name holds that is no regular file, for a message.
const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "neither file nor folder";
}

}  // namespace

Status OpenFileForReading(const std::string& path, int& fd) {
  fd = -1;
  // Looked at before it is opened, so that no device is ever opened; the open itself does not
  // wait (a pipe put under the name meanwhile), and what was opened is looked at again.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return Status::Error(ReasonCannotOpen(path, errno));
  if (!S_ISREG(info.st_mode)) {
    return Status::Error(ReasonNotARegularFile(path, KindOf(info.st_mode)));
  }
  const int opened = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (opened < 0) {
    // ENXIO: a socket put under the name since it was looked at.
    if (errno == ENXIO) return Status::Error(ReasonNotARegularFile(path, "a socket"));
    return Status::Error(ReasonCannotOpen(path, errno));
  }
  if (::fstat(opened, &info) != 0) {
    const int error = errno;
    ::close(opened);
    return Status::Error(ReasonCannotOpen(path, error));
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(opened);
    return Status::Error(ReasonNotARegularFile(path, KindOf(info.st_mode)));
  }
  // A regular file: read as usual, each read waiting for its bytes.
  const int flags = ::fcntl(opened, F_GETFL);
  if (flags < 0 || ::fcntl(opened, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const int error = errno;
    ::close(opened);
    return Status::Error(ReasonCannotOpen(path, error));
  }
  fd = opened;
  return Status::Success();
}

Status OpenFileForReading(const std::string& path, std::FILE*& file) {
  file = nullptr;
  int fd = -1;
  if (Status s = OpenFileForReading(path, fd); !s) return s;
  file = ::fdopen(fd, "rb");
  if (file == nullptr) {
    const int error = errno;
    ::close(fd);
    return Status::Error(ReasonCannotOpen(path, error));
  }
  return Status::Success();
}

// ---------------------------------------------------------------------------------------------
// Reading

namespace {
constexpr std::size_t kReadChunk = 64 * 1024;
}

LineReader::~LineReader() { Close(); }

void LineReader::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

Status LineReader::Open(const std::string& path) {
  Close();
  path_ = path;
  buffer_.clear();
  begin_ = 0;
  endOfFile_ = false;
  lineNumber_ = 0;
  status_ = Status::Success();

  int fd = -1;
  struct stat info {};
  if (Status opened = OpenFileForReading(path, fd); !opened || ::fstat(fd, &info) != 0) {
    const int error = errno;
    if (fd >= 0) ::close(fd);
    status_ = opened ? Status::Error(ReasonCannotOpen(path, error)) : opened;
    endOfFile_ = true;
    return status_;
  }
  fd_ = fd;
  // A small file is read in one piece of its own size rather than a whole chunk.
  const bool small = info.st_size >= 0 && static_cast<std::size_t>(info.st_size) < kReadChunk;
  chunk_ = small ? static_cast<std::size_t>(info.st_size) + 1 : kReadChunk;
  // Room for the longest unfinished line (and a CR after it) and one read: the buffer never
  // grows beyond it.
  buffer_.reserve(small ? chunk_ : kMaxLineLength + 1 + chunk_);
  return status_;
}

bool LineReader::Fill() {
  if (endOfFile_ || fd_ < 0) return false;
  // Drop what has been handed out before reading more.
  if (begin_ > 0) {
    buffer_.erase(0, begin_);
    begin_ = 0;
  }
  std::size_t old = buffer_.size();
  buffer_.resize(old + chunk_);
  ssize_t got;
  do {
    got = ::read(fd_, buffer_.data() + old, chunk_);
  } while (got < 0 && errno == EINTR);
  if (got <= 0) {
    const int error = got < 0 ? errno : 0;
    buffer_.resize(old);
    endOfFile_ = true;
    if (got < 0) status_ = Status::Error(ReasonCannotRead(path_, lineNumber_ + 1, error));
    Close();
    return false;
  }
  buffer_.resize(old + static_cast<std::size_t>(got));
  return true;
}

bool LineReader::TooLong(int64_t line) {
  status_ = Status::Error(ReasonLineTooLong(path_, line));
  endOfFile_ = true;
  Close();
  buffer_.clear();
  begin_ = 0;
  return false;
}

bool LineReader::Unfinished() const {
  // One byte more than the longest line may be a CR whose LF has not been read yet.
  return buffer_.size() - begin_ > kMaxLineLength + 1;
}

bool LineReader::Next(std::string& line) {
  if (!status_) return false;
  std::size_t searchFrom = begin_;
  for (;;) {
    std::size_t lf = buffer_.find('\n', searchFrom);
    if (lf != std::string::npos) {
      line.assign(buffer_, begin_, lf - begin_);
      begin_ = lf + 1;
      break;
    }
    if (Unfinished()) return TooLong(lineNumber_ + 1);
    searchFrom = buffer_.size() - begin_;  // offset after Fill moves the data to the front
    if (!Fill()) {
      if (!status_) return false;
      if (begin_ >= buffer_.size()) return false;  // end of file after the last line end
      line.assign(buffer_, begin_, std::string::npos);  // last line without a line end
      begin_ = buffer_.size();
      break;
    }
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > kMaxLineLength) {
    line.clear();
    return TooLong(lineNumber_ + 1);
  }
  ++lineNumber_;
  return true;
}

int64_t LineReader::SkipLines(int64_t count, const std::function<void(std::string_view)>& copy) {
  // The length of the line from `start` to just before `end` (its LF), its CR not counted.
  const auto tooLong = [this](std::size_t start, std::size_t end) {
    std::size_t length = end - start;
    if (length > 0 && buffer_[end - 1] == '\r') --length;
    return length > kMaxLineLength;
  };
  int64_t passed = 0;
  while (passed < count && status_) {
    // The complete lines in the buffer, up to `count`.
    std::size_t end = begin_;
    bool refused = false;
    while (passed < count) {
      const void* lf = std::memchr(buffer_.data() + end, '\n', buffer_.size() - end);
      if (lf == nullptr) break;
      const auto at = static_cast<std::size_t>(static_cast<const char*>(lf) - buffer_.data());
      if (tooLong(end, at)) {
        refused = true;
        break;
      }
      end = at + 1;
      ++passed;
    }
    if (copy && end > begin_) copy(std::string_view(buffer_).substr(begin_, end - begin_));
    begin_ = end;
    if (refused || (passed < count && Unfinished())) {
      TooLong(lineNumber_ + passed + 1);
      break;
    }
    if (passed == count) break;
    // An unfinished line stays in the buffer; Fill moves it to the front and reads on.
    if (!Fill()) {
      if (status_ && begin_ < buffer_.size()) {
        // The last line, without its line end.
        if (tooLong(begin_, buffer_.size())) {
          TooLong(lineNumber_ + passed + 1);
          break;
        }
        if (copy) copy(std::string_view(buffer_).substr(begin_));
        begin_ = buffer_.size();
        ++passed;
      }
      break;
    }
  }
  lineNumber_ += passed;
  return passed;
}
}  // namespace vernoli
