#include "model/checks.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "model/atomicfile.h"
#include "model/linereader.h"
#include "model/numbers.h"
#include "model/status.h"

namespace vernoli {

namespace {

std::string WithoutBlanks(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (c != ' ') result += c;
  }
  return result;
}

// A name that would leave the folder or that no file system takes in a name. A point is refused
// too: the extension is the program's, and the station list cuts a name at its first point.
bool IsIllegalName(const std::string& name) {
  if (name.find('.') != std::string::npos) return true;
  for (char c : name) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F) return true;
  }
  return false;
}

FileNameCheck Refuse(FileNameCheck check, FileNameOutcome outcome, const char* reason) {
  check.Outcome = outcome;
  check.Message = ErrorText(reason);
  return check;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool FileExistsInAnyCase(const std::string& folder, const std::string& fileName) {
  if (FileExists(PathInFolder(folder, fileName))) return true;
  DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return false;
  bool found = false;
  while (const dirent* item = ::readdir(listing)) {
    if (EqualIgnoringCase(item->d_name, fileName) &&
        FileExists(PathInFolder(folder, item->d_name))) {
      found = true;
      break;
    }
  }
  ::closedir(listing);
  return found;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  // A named pipe, a socket or a device takes the name as much as a file does; it is not opened,
  // which could wait for ever.
  if (!S_ISREG(info.st_mode)) return true;
  int fd = -1;
  if (!OpenFileForReading(path, fd)) return false;
  ::close(fd);
  return true;
}

FileNameCheck CheckFileName(const std::string& folder, const std::string& name,
                            const std::string& extension, bool allowExisting) {
  FileNameCheck check;
  check.Name = WithoutBlanks(name);
  if (check.Name.empty()) {
    return Refuse(std::move(check), FileNameOutcome::NotSpecified, kFileNameNotSpecified);
  }
  const std::string fileName = check.Name + "." + WithoutBlanks(extension);
  check.Path = PathInFolder(folder, fileName);
  if (IsIllegalName(check.Name) || IsIllegalName(WithoutBlanks(extension))) {
    return Refuse(std::move(check), FileNameOutcome::Illegal, kIllegalFileName);
  }
  if (!allowExisting && FileExistsInAnyCase(folder, fileName)) {
    return Refuse(std::move(check), FileNameOutcome::Exists, kFileNameExists);
  }
  return check;
}

FileNameCheck CheckNewFileName(const std::string& folder, const std::string& name,
                               const std::string& extension, bool allowExisting) {
  FileNameCheck check = CheckFileName(folder, name, extension, allowExisting);
  if (!check.Ok()) return check;
  if (allowExisting) {
    // An output file about to be overwritten: an existing file proves the name and stays as it
    // is until its successor is complete; a new name is tried and leaves nothing behind. So does
    // a link or a named pipe, which the successor replaces (it is never written through); a
    // folder cannot be replaced.
    std::error_code error;
    const std::filesystem::file_status status =
        std::filesystem::symlink_status(check.Path, error);
    if (std::filesystem::is_directory(status)) {
      return Refuse(std::move(check), FileNameOutcome::Illegal, kIllegalFileName);
    }
    if (std::filesystem::exists(status)) return check;
  }
  // Creating the file is the test: whatever the file system refuses is an illegal name.
  AtomicFile file(check.Path);
  file.WriteLine("");
  if (!file.Commit()) return Refuse(std::move(check), FileNameOutcome::Illegal, kIllegalFileName);
  if (allowExisting) RemoveFile(check.Path);
  return check;
}

FileNameCheck RefuseFileName(FileNameCheck check, FileNameOutcome outcome) {
  const char* reason = outcome == FileNameOutcome::NotSpecified ? kFileNameNotSpecified
                       : outcome == FileNameOutcome::Exists     ? kFileNameExists
                                                                 : kIllegalFileName;
  return Refuse(std::move(check), outcome, reason);
}

IntegerEntryCheck CheckIntegerEntry(int64_t value, int64_t minimum, int64_t maximum, int width) {
  IntegerEntryCheck check;
  if (value > maximum) {
    check.Outcome = RangeOutcome::Above;
    check.Value = maximum;
    check.Message = ErrorText(std::string(kAboveMaximum) + FormatInt(maximum, width + 2) + ")");
  } else if (value >= minimum) {
    check.Outcome = RangeOutcome::Inside;
    check.Value = value;
  } else {
    check.Outcome = RangeOutcome::Below;
    check.Value = minimum;
    check.Message = ErrorText(std::string(kBelowMinimum) + FormatInt(minimum, width + 2) + ")");
  }
  check.FieldText = FormatInt(check.Value, width);
  return check;
}

RealEntryCheck CheckRealEntry(double value, double minimum, double maximum, int width,
                              int decimals) {
  RealEntryCheck check;
  if (value > maximum) {
    check.Outcome = RangeOutcome::Above;
    check.Value = maximum;
    check.Message = ErrorText(std::string(kAboveMaximum) +
                              FormatReal(maximum, width + 2, decimals + 2) + ")");
  } else if (value >= minimum) {
    check.Outcome = RangeOutcome::Inside;
    check.Value = value;
  } else {
    // Below the minimum, or no number at all (NaN): the minimum it is.
    check.Outcome = RangeOutcome::Below;
    check.Value = minimum;
    check.Message = ErrorText(std::string(kBelowMinimum) +
                              FormatReal(minimum, width + 2, decimals + 2) + ")");
  }
  check.FieldText = FormatReal(check.Value, width, decimals);
  return check;
}

}  // namespace vernoli
