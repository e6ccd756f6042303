#include "model/textfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>

namespace vernoli {

namespace {

std::string LineText(int line) { return std::to_string(line); }

}  // namespace

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// A plain decimal ("-12.5") of at most 15 digits: the digits form an integer m that a double
// holds exactly, so m / 10^d is the correctly rounded value, as from_chars gives it.
bool ParseShortDecimal(std::string_view token, double& value) {
  const char* p = token.data();
  const char* const end = p + token.size();
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  int64_t m = 0;
  int digits = 0;
  int decimals = 0;
  const char* start = p;
  // More than 15 digits are left to the general conversion before they can overflow m.
  for (; p < end && *p >= '0' && *p <= '9'; ++p, ++digits) {
    if (digits == 15) return false;
    m = m * 10 + (*p - '0');
  }
  if (p == start) return false;
  if (p < end && *p == '.') {
    start = ++p;
    for (; p < end && *p >= '0' && *p <= '9'; ++p, ++digits, ++decimals) {
      if (digits == 15) return false;
      m = m * 10 + (*p - '0');
    }
    if (p == start) return false;
  }
  if (p != end) return false;
  const double magnitude = static_cast<double>(m) / kPowersOfTen[decimals];
  value = negative ? -magnitude : magnitude;
  return true;
}

// R(w,d) of a value whose d-decimal rounding is plain: |value| x 10^d below 10^7 and not within
// 10^-6 of a tie, so that rounding the computed product gives the digits that rounding the
// value's 15-digit decimal gives. False for every other value, which RoundedText writes.
bool AppendShortReal(std::string& line, double value, int width, int decimals) {
  if (decimals > 9) return false;
  const double scaled = std::fabs(value) * kPowersOfTen[decimals];
  if (!(scaled < 1e7)) return false;
  // Below 10^7 the conversions are exact: truncation is the floor, and with no tie near,
  // adding a half and truncating rounds to the nearest.
  const auto whole = static_cast<uint64_t>(scaled);
  if (std::fabs(scaled - static_cast<double>(whole) - 0.5) < 1e-6) return false;
  const auto n = static_cast<uint64_t>(scaled + 0.5);
  char digits[32];
  char* const end = digits + sizeof digits;
  char* p = FixedDigitsBefore(end, n, decimals);
  // A value that rounds to zero has no sign.
  if (value < 0 && n != 0) *--p = '-';
  const auto length = static_cast<std::size_t>(end - p);
  if (width > 0 && length < static_cast<std::size_t>(width)) {
    line.append(static_cast<std::size_t>(width) - length, ' ');
  }
  line.append(p, length);
  return true;
}

// The significant digits of a double that FormatReal rounds from: every decimal of up to 15
// digits reads back as itself, and the last-bit error of a few operations disappears.
constexpr int kSignificantDigits = 15;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Formatting

char* FixedDigitsBefore(char* end, uint64_t n, int decimals) {
  char* p = end;
  for (int d = 0; d < decimals; ++d) {
    *--p = static_cast<char>('0' + n % 10);
    n /= 10;
  }
  if (decimals > 0) *--p = '.';
  do {
    *--p = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n > 0);
  return p;
}

namespace {

void AppendPadded(std::string& line, const char* text, std::size_t length, int width) {
  if (width > 0 && length < static_cast<std::size_t>(width)) {
    line.append(static_cast<std::size_t>(width) - length, ' ');
  }
  line.append(text, length);
}

// R(w,d) without its padding, rounded half away from zero from the value as a person reads it:
// its nearest decimal of kSignificantDigits digits, so that 2.15 (2.149999.. in binary) and a
// computed 2.2499999999999996 are seen as 2.15 and 2.25.
std::string RoundedText(double value, int decimals) {
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
  char scientific[40];
  auto [end, ec] = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                 std::chars_format::scientific, kSignificantDigits - 1);
  (void)ec;  // 40 characters always hold 15 digits and an exponent
  std::string digits;  // the significant digits d0 d1 d2 ...: d0.d1d2.. x 10^exponent
  const char* p = scientific;
  for (; p < end && *p != 'e'; ++p) {
    if (*p != '.') digits += *p;
  }
  int exponent = 0;
  std::from_chars(*p == 'e' ? p + (p[1] == '+' ? 2 : 1) : end, end, exponent);
  // Keep the digits down to the last decimal; the first digit dropped rounds half away from
  // zero.
  const int keep = exponent + decimals + 1;
  std::string kept;  // the value times 10^decimals, as an integer
  if (keep >= 0) {
    kept = digits.substr(0, static_cast<std::size_t>(std::min<int>(keep, kSignificantDigits)));
    if (keep > kSignificantDigits) kept.append(static_cast<std::size_t>(keep - kSignificantDigits), '0');
    if (keep < kSignificantDigits && digits[static_cast<std::size_t>(keep)] >= '5') {
      std::size_t i = kept.size();
      while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
      if (i == 0) {
        kept.insert(kept.begin(), '1');
      } else {
        ++kept[i - 1];
      }
    }
  }
  if (kept.size() < static_cast<std::size_t>(decimals) + 1) {
    kept.insert(0, static_cast<std::size_t>(decimals) + 1 - kept.size(), '0');
  }
  // A value that rounds to zero is written without its sign ("0.0", never "-0.0").
  const bool zero = kept.find_first_not_of('0') == std::string::npos;
  std::string text = std::signbit(value) && !zero ? "-" : "";
  text.append(kept, 0, kept.size() - static_cast<std::size_t>(decimals));
  if (decimals > 0) {
    text += '.';
    text.append(kept, kept.size() - static_cast<std::size_t>(decimals), std::string::npos);
  }
  return text;
}

}  // namespace

void AppendInt(std::string& line, int64_t value, int width) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  (void)ec;  // 24 characters always hold an int64
  AppendPadded(line, digits, static_cast<std::size_t>(end - digits), width);
}

void AppendReal(std::string& line, double value, int width, int decimals) {
  decimals = std::clamp(decimals, 0, 30);
  if (AppendShortReal(line, value, width, decimals)) return;
  const std::string text = RoundedText(value, decimals);
  AppendPadded(line, text.data(), text.size(), width);
}

std::string FormatInt(int64_t value, int width) {
  std::string text;
  AppendInt(text, value, width);
  return text;
}

std::string FormatReal(double value, int width, int decimals) {
  std::string text;
  AppendReal(text, value, width, decimals);
  return text;
}

std::string FormatField(double value, int width, int decimals) {
  std::string text;
  AppendField(text, value, width, decimals);
  return text;
}

void AppendField(std::string& line, double value, int width, int decimals) {
  const std::size_t start = line.size();
  AppendReal(line, value, width, decimals);
  if (line.size() == start || line[start] != ' ') line.insert(start, 1, ' ');
}

// ---------------------------------------------------------------------------------------------
// Free-format numbers

bool IsFieldSeparator(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsFieldSeparator(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsFieldSeparator(text.back())) text.remove_suffix(1);
  return text;
}

bool ParseReal(std::string_view token, double& value) {
  if (token.empty()) return false;
  if (ParseShortDecimal(token, value)) return true;
  std::string_view digits = token;
  if (digits.front() == '+') {
    digits.remove_prefix(1);
    // "+-1" is no number; from_chars would take the "-1" that follows.
    if (digits.empty() || digits.front() == '-') return false;
  }
  double parsed = 0.0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed,
                                   std::chars_format::general);
  if (ec != std::errc() || end != digits.data() + digits.size()) return false;
  if (!std::isfinite(parsed)) return false;  // "inf", "nan"
  value = parsed;
  return true;
}

bool ParseInt(std::string_view token, int64_t& value) {
  if (token.empty()) return false;
  std::string_view digits = token;
  if (digits.front() == '+') {
    digits.remove_prefix(1);
    if (digits.empty() || digits.front() == '-') return false;
  }
  int64_t parsed = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
  if (ec != std::errc() || end != digits.data() + digits.size()) return false;
  value = parsed;
  return true;
}

std::string_view NumberScanner::PeekToken(std::size_t& tokenEnd) const {
  std::size_t start = pos_;
  while (start < text_.size() && IsFieldSeparator(text_[start])) ++start;
  std::size_t end = start;
  while (end < text_.size() && !IsFieldSeparator(text_[end])) ++end;
  tokenEnd = end;
  return text_.substr(start, end - start);
}

bool NumberScanner::ReadReal(double& value) {
  std::size_t end = 0;
  if (!ParseReal(PeekToken(end), value)) return false;
  pos_ = end;
  return true;
}

bool NumberScanner::ReadInt(int64_t& value) {
  std::size_t end = 0;
  if (!ParseInt(PeekToken(end), value)) return false;
  pos_ = end;
  return true;
}

bool NumberScanner::ReadInt32(int32_t& value) {
  std::size_t end = 0;
  int64_t parsed = 0;
  if (!ParseInt(PeekToken(end), parsed)) return false;
  if (parsed < std::numeric_limits<int32_t>::min() || parsed > std::numeric_limits<int32_t>::max()) {
    return false;
  }
  value = static_cast<int32_t>(parsed);
  pos_ = end;
  return true;
}

bool NumberScanner::ReadInt16(int16_t& value) {
  std::size_t end = 0;
  int64_t parsed = 0;
  if (!ParseInt(PeekToken(end), parsed)) return false;
  if (parsed < std::numeric_limits<int16_t>::min() || parsed > std::numeric_limits<int16_t>::max()) {
    return false;
  }
  value = static_cast<int16_t>(parsed);
  pos_ = end;
  return true;
}

void NumberScanner::Skip(std::size_t count) {
  pos_ = count < text_.size() - pos_ ? pos_ + count : text_.size();
}

bool NumberScanner::AtEnd() const {
  for (std::size_t i = pos_; i < text_.size(); ++i) {
    if (!IsFieldSeparator(text_[i])) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Messages

std::string ReasonCannotOpen(std::string_view file) {
  return "cannot open file " + std::string(file);
}

std::string ReasonCannotRead(std::string_view file, int line) {
  return "cannot read file " + std::string(file) + ", line " + LineText(line);
}

std::string ReasonUnexpectedEnd(std::string_view file, int line) {
  return "file " + std::string(file) + " ends before line " + LineText(line);
}

std::string ReasonNotANumber(std::string_view file, int line) {
  return "cannot read a number in file " + std::string(file) + ", line " + LineText(line);
}

std::string ReasonTooFewValues(std::string_view file, int line) {
  return "too few values in file " + std::string(file) + ", line " + LineText(line);
}

std::string ReasonInvalidDate(std::string_view file, int line) {
  return "invalid date in file " + std::string(file) + ", line " + LineText(line);
}

std::string ReasonCannotWrite(std::string_view file) {
  return "cannot write file " + std::string(file);
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

  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd < 0 || ::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    if (fd >= 0) ::close(fd);
    status_ = Status::Error(ReasonCannotOpen(path));
    endOfFile_ = true;
    return status_;
  }
  fd_ = fd;
  // A small file is read in one piece of its own size rather than a whole chunk (a pipe or a
  // device tells no size: whole chunks).
  const bool small = S_ISREG(info.st_mode) && info.st_size >= 0 &&
                     static_cast<std::size_t>(info.st_size) < kReadChunk;
  chunk_ = small ? static_cast<std::size_t>(info.st_size) + 1 : kReadChunk;
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
    buffer_.resize(old);
    endOfFile_ = true;
    if (got < 0) status_ = Status::Error(ReasonCannotRead(path_, lineNumber_ + 1));
    Close();
    return false;
  }
  buffer_.resize(old + static_cast<std::size_t>(got));
  return true;
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
  ++lineNumber_;
  return true;
}

int64_t LineReader::SkipLines(int64_t count, const std::function<void(std::string_view)>& copy) {
  int64_t passed = 0;
  while (passed < count && status_) {
    // The complete lines in the buffer, up to `count`.
    std::size_t end = begin_;
    while (passed < count) {
      const void* lf = std::memchr(buffer_.data() + end, '\n', buffer_.size() - end);
      if (lf == nullptr) break;
      end = static_cast<std::size_t>(static_cast<const char*>(lf) - buffer_.data()) + 1;
      ++passed;
    }
    if (copy && end > begin_) copy(std::string_view(buffer_).substr(begin_, end - begin_));
    begin_ = end;
    if (passed == count) break;
    // An unfinished line stays in the buffer; Fill moves it to the front and reads on.
    if (!Fill()) {
      if (status_ && begin_ < buffer_.size()) {
        // The last line, without its line end.
        if (copy) copy(std::string_view(buffer_).substr(begin_));
        begin_ = buffer_.size();
        ++passed;
      }
      break;
    }
  }
  lineNumber_ += static_cast<int>(passed);
  return passed;
}

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
  return ::rename(from.c_str(), to.c_str()) == 0;
}

// ---------------------------------------------------------------------------------------------
// Writing

namespace {

constexpr std::size_t kWriteChunk = 64 * 1024;

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

// Opens `path` for writing, empty, under an exclusive lock; -1 when it cannot be made or another
// writer holds it.
int OpenLockedTemporary(const std::string& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return -1;
    struct stat opened {};
    struct stat named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return -1;
    }
    // The file may have been renamed away by its writer between the open and the lock.
    if (::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
        opened.st_ino == named.st_ino && opened.st_dev == named.st_dev && S_ISREG(opened.st_mode)) {
      if (::ftruncate(fd, 0) == 0) return fd;
    }
    ::close(fd);
  }
  return -1;
}

}  // namespace

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

AtomicFile::AtomicFile(std::string target, Durability durability)
    : target_(std::move(target)), synced_(durability == Durability::Synced && syncEnabled) {
  // The content of a station file may be written under a hidden name beside it first
  // (".NAME.DTA.new"), so the ending is looked for inside the name.
  if (diskFullActive && target_.find(diskFullEnding) != std::string::npos) {
    capacity_ = diskFullBytes;
  }
  // A hidden name beside the target that no folder listing by extension picks up: ".NAME.part",
  // held under a lock while it is written. A file of that name left by a process that ended
  // mid-write is no longer locked and is taken over (and so cleaned up) by the next writer of
  // the target; while another writer holds it, a name of this process is used instead.
  std::size_t slash = target_.find_last_of('/');
  std::string folder = slash == std::string::npos ? std::string() : target_.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  temporary_ = folder + "." + name + ".part";
  fd_ = OpenLockedTemporary(temporary_);
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = folder + "." + name + "." + std::to_string(::getpid()) + "-" +
                 std::to_string(counter++) + ".part";
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temporary_.clear();
    failed_ = true;
    return;
  }
  // A replaced file keeps its permissions.
  struct stat info {};
  if (::stat(target_.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
    (void)::fchmod(fd_, info.st_mode & 07777);
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

void AtomicFile::Fail() {
  failed_ = true;
  Discard();
}

void AtomicFile::FlushBuffer() {
  if (failed_ || buffer_.empty()) return;
  FileStep();
  if (!WriteAll(fd_, buffer_.data(), buffer_.size())) {
    Fail();
    return;
  }
  buffer_.clear();
}

void AtomicFile::Write(std::string_view text) {
  if (failed_ || committed_) return;
  if (text.size() > capacity_ - written_) {
    Fail();
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
    if (movedAside) (void)RenameFile(aside, target_);
    return false;
  }
  if (movedAside) (void)RemoveFile(aside);
  return true;
}

Status AtomicFile::Commit() {
  if (committed_) return Status::Error(ReasonCannotWrite(target_));
  committed_ = true;
  if (!failed_ && TakeInjectedFailure(FailAt::Write)) Fail();
  FlushBuffer();
  if (!failed_) FileStep();
  if (!failed_ && (TakeInjectedFailure(FailAt::Sync) || (synced_ && ::fsync(fd_) != 0))) Fail();
  // The temporary file is renamed while it is still open and locked: another writer of the
  // same target could otherwise take it over (and empty it) between its close and the rename.
  if (!failed_ &&
      (TakeInjectedFailure(FailAt::Rename) || !RenameIntoPlace())) {
    Fail();
  }
  if (failed_) {
    Discard();
    return Status::Error(ReasonCannotWrite(target_));
  }
  temporary_.clear();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return Status::Error(ReasonCannotWrite(target_));
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
