#include "model/checks.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "model/status.h"
#include "model/textfile.h"

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

// A name that would leave the folder or that no file system takes in a name.
bool IsIllegalName(const std::string& name) {
  if (name.find("..") != std::string::npos) return true;
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

}  // namespace

bool FileExists(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

FileNameCheck CheckNewFileName(const std::string& folder, const std::string& name,
                               const std::string& extension, bool allowExisting) {
  FileNameCheck check;
  check.Name = WithoutBlanks(name);
  if (check.Name.empty()) {
    return Refuse(std::move(check), FileNameOutcome::NotSpecified, kFileNameNotSpecified);
  }
  check.Path = PathInFolder(folder, check.Name + "." + WithoutBlanks(extension));
  if (IsIllegalName(check.Name) || IsIllegalName(WithoutBlanks(extension))) {
    return Refuse(std::move(check), FileNameOutcome::Illegal, kIllegalFileName);
  }
  if (!allowExisting && FileExists(check.Path)) {
    return Refuse(std::move(check), FileNameOutcome::Exists, kFileNameExists);
  }
  if (allowExisting) {
    // An output file about to be overwritten: an existing file proves the name and stays as it
    // is until its successor is complete; a new name is tried and leaves nothing behind.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(check.Path, error);
    if (std::filesystem::is_regular_file(status)) return check;
    if (std::filesystem::exists(status)) {
      return Refuse(std::move(check), FileNameOutcome::Illegal, kIllegalFileName);
    }
  }
  // Creating the file is the test: whatever the file system refuses is an illegal name.
  AtomicFile file(check.Path);
  file.WriteLine("");
  if (!file.Commit()) return Refuse(std::move(check), FileNameOutcome::Illegal, kIllegalFileName);
  if (allowExisting) std::remove(check.Path.c_str());
  return check;
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
