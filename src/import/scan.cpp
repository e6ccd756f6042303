#include "import/scan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>

#include "model/linereader.h"
#include "model/numbers.h"

namespace vernoli {

namespace {

// Blanks, tabs and every other control character separate the values of a line.
bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= 32; }

bool IsNumberCharacter(char c) {
  return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'E' || c == 'e';
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool HasExtension(std::string_view name, std::string_view extension) {
  if (name.size() <= extension.size()) return false;
  const std::string_view end = name.substr(name.size() - extension.size());
  return std::equal(end.begin(), end.end(), extension.begin(),
                    [](char a, char b) { return Upper(a) == Upper(b); });
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The value times 1000, rounded, as an integer; false when it does not fit.
bool Thousandths(double value, int64_t& thousandths) {
  const double scaled = std::round(value * 1000.0);
  // 2^62: far inside int64, so the conversion is exact and never overflows.
  if (!std::isfinite(scaled) || std::fabs(scaled) > 4.6e18) return false;
  thousandths = static_cast<int64_t>(scaled);
  return true;
}

}  // namespace

std::string_view ImportMask(ImportKind kind) {
  switch (kind) {
    case ImportKind::Hydrolex: return "*.PEN";
    case ImportKind::Meteorix: return "*.DAT";
    case ImportKind::Delimited: return "*.csv;*.txt";
    case ImportKind::Text: break;
  }
  return "*.CXT";
}

ImportKind ImportKindOfFile(std::string_view fileName) {
  if (HasExtension(fileName, ".PEN")) return ImportKind::Hydrolex;
  if (HasExtension(fileName, ".DAT")) return ImportKind::Meteorix;
  if (HasExtension(fileName, ".CXT")) return ImportKind::Text;
  return ImportKind::Delimited;
}

bool IsUndefinedValue(double value, double undefined) {
  int64_t a = 0;
  int64_t b = 0;
  return Thousandths(value, a) && Thousandths(undefined, b) && a == b;
}

// ---------------------------------------------------------------------------------------------
// Listing

ImportFileList ListImportFiles(const std::string& folder, ImportKind kind) {
  ImportFileList list;
  const std::string_view mask = ImportMask(kind);
  // ".CXT", or ".csv" and ".txt".
  std::vector<std::string_view> extensions;
  for (std::string_view rest = mask; !rest.empty();) {
    const std::size_t semicolon = rest.find(';');
    extensions.push_back(rest.substr(1, semicolon == rest.npos ? rest.npos : semicolon - 1));
    rest.remove_prefix(semicolon == rest.npos ? rest.size() : semicolon + 1);
  }
  const auto matches = [&extensions](std::string_view name) {
    return std::any_of(extensions.begin(), extensions.end(), [name](std::string_view extension) {
      return HasExtension(name, extension);
    });
  };
  if (DIR* listing = ::opendir(folder.c_str()); listing != nullptr) {
    while (const dirent* item = ::readdir(listing)) {
      const std::string name = item->d_name;
      if (matches(name) && IsRegularFile(PathInFolder(folder, name))) {
        list.Files.push_back(name);
      }
    }
    ::closedir(listing);
  }
  std::sort(list.Files.begin(), list.Files.end());
  list.InfoText = list.Files.empty()
                      ? "No import files (" + std::string(mask) + ") found in this directory"
                      : std::string(kSelectFileFromList);
  return list;
}

// ---------------------------------------------------------------------------------------------
// Scan

DataLineScan::DataLineScan(ImportKind kind, double undefined)
    : kind_(kind), undefined_(undefined) {
  scan_.Minimum.fill(undefined);
  scan_.Maximum.fill(undefined);
}

void DataLineScan::Add(std::string_view line) {
  ++scan_.Lines;
  count_ = 0;
  lineOutcome_ = ScanOutcome::Ok;
  if (std::all_of(line.begin(), line.end(), IsSeparator) ||
      !std::all_of(line.begin(), line.end(),
                   [](char c) { return IsSeparator(c) || IsNumberCharacter(c); })) {
    lineOutcome_ = ScanOutcome::TextOrEmptyLine;
  } else {
    std::size_t pos = 0;
    while (count_ < values_.size()) {
      while (pos < line.size() && IsSeparator(line[pos])) ++pos;
      if (pos == line.size()) break;
      std::size_t end = pos;
      while (end < line.size() && !IsSeparator(line[end])) ++end;
      texts_[count_] = line.substr(pos, end - pos);
      if (!ParseReal(texts_[count_], values_[count_])) {
        lineOutcome_ = ScanOutcome::IllegalNumber;
        break;
      }
      pos = end;
      ++count_;
    }
    if (lineOutcome_ == ScanOutcome::Ok && width_ >= 0 && static_cast<int>(count_) != width_) {
      lineOutcome_ = ScanOutcome::UnequalColumns;
    }
  }
  // The scan stops at the first fault: what follows is only counted.
  if (fault_ != ScanOutcome::Ok) return;
  scan_.Line = scan_.Lines;
  const bool hydrolex = kind_ == ImportKind::Hydrolex;
  for (std::size_t c = 0; c < count_; ++c) {
    const double value = values_[c];
    if (IsUndefinedValue(value, undefined_)) continue;
    if (IsUndefinedValue(scan_.Maximum[c], undefined_) || value > scan_.Maximum[c]) {
      scan_.Maximum[c] = value;
    }
    if (IsUndefinedValue(scan_.Minimum[c], undefined_) || value < scan_.Minimum[c]) {
      scan_.Minimum[c] = value;
    }
    if (hydrolex && c == 2) scan_.HumiditySum += value;
    if (hydrolex && c == 3) scan_.WindSum += value;
  }
  if (lineOutcome_ != ScanOutcome::Ok) {
    fault_ = lineOutcome_;
  } else if (width_ < 0) {
    width_ = static_cast<int>(count_);
    scan_.Columns = width_;
  }
}

ScanResult DataLineScan::Result() const {
  ScanResult scan = scan_;
  if (scan.Lines == 0) {
    scan.Outcome = ScanOutcome::EmptyFile;
    return scan;
  }
  scan.Outcome = fault_;
  if (kind_ == ImportKind::Hydrolex) scan.Columns = std::max(scan.Columns - 1, 0);
  return scan;
}

ScanResult ScanImportFile(const std::string& path, ImportKind kind, double undefined) {
  ScanResult scan;
  scan.Minimum.fill(undefined);
  scan.Maximum.fill(undefined);
  const auto unreadable = [&scan](const Status& status) {
    scan.Outcome = ScanOutcome::Unreadable;
    scan.Reason = status.Message.substr(ErrorText("").size());
    return scan;
  };

  // One pass: the data lines are checked as they are counted, so the file is read once and a
  // line is never held longer than it is looked at.
  LineReader reader;
  if (Status s = reader.Open(path); !s) return unreadable(s);
  std::string line;
  if (kind == ImportKind::Hydrolex && !reader.Next(line)) {
    if (!reader.status()) return unreadable(reader.status());
    scan.Outcome = ScanOutcome::EmptyFile;
    return scan;
  }
  DataLineScan lines(kind, undefined);
  while (reader.Next(line)) {
    if (line.empty()) break;
    lines.Add(line);
  }
  if (!reader.status()) {
    scan = lines.Result();
    scan.Line = scan.Lines + 1;  // the line the reading stopped at
    return unreadable(reader.status());
  }
  return lines.Result();
}

// ---------------------------------------------------------------------------------------------
// Status texts

FileStatusTexts FileStatus(const ScanResult& scan) {
  FileStatusTexts texts;
  const std::string unit = scan.Months ? " months" : scan.Records ? " records" : " data lines";
  switch (scan.Outcome) {
    case ScanOutcome::NoFile:
      texts.ShowErrorPanel = true;
      texts.Error1 = kParametersNeedFile;
      texts.Error10 = kNoFileSelected;
      texts.Error2 = kSelectClimaticFile;
      texts.NrLines2 = "(no file selected)";
      return texts;
    case ScanOutcome::Ok:
      texts.FileLampGreen = true;
      texts.ShowInfoPanel = true;
      texts.NrLines = std::to_string(scan.Lines) + unit;
      texts.NrLines2 = texts.NrLines;
      texts.NrColumns = std::to_string(scan.Columns) + " climatic parameters";
      return texts;
    case ScanOutcome::EmptyFile:
      texts.ShowErrorPanel = true;
      texts.ShowInfoPanel = true;
      texts.Error1 = kCannotImportFromFile;
      texts.Error10 = kCannotImportFromFile;
      texts.Error2 = kEmptyFile;
      texts.NrLines = kEmptyFile;
      texts.NrLines2 = kEmptyFile;
      return texts;
    case ScanOutcome::TextOrEmptyLine:
    case ScanOutcome::UnequalColumns:
    case ScanOutcome::IllegalNumber:
    case ScanOutcome::Unreadable:
      break;
  }
  texts.ShowErrorPanel = true;
  texts.ShowInfoPanel = true;
  texts.Error1 = kCannotImportFromFile;
  texts.Error10 = kCannotImportFromFile;
  switch (scan.Outcome) {
    case ScanOutcome::TextOrEmptyLine: texts.Error2 = kTextOrEmptyLine; break;
    case ScanOutcome::UnequalColumns: texts.Error2 = kUnequalColumns; break;
    case ScanOutcome::IllegalNumber: texts.Error2 = kIllegalNumber; break;
    default: texts.Error2 = scan.Reason; break;
  }
  if (scan.Lines > 0) {
    texts.NrLines = std::to_string(scan.Lines) + unit;
    texts.NrLines2 = texts.NrLines;
  }
  texts.NrColumns = "cannot read data : " + texts.Error2;
  if (scan.Line > 0) texts.CheckLine = "check line : " + std::to_string(scan.Line);
  return texts;
}

LineLamp LineCheck(const ScanResult& scan, int32_t records) {
  switch (scan.Outcome) {
    case ScanOutcome::NoFile: return {false, std::string(kSelectClimaticFile)};
    case ScanOutcome::EmptyFile:
    case ScanOutcome::Unreadable: return {false, std::string(kCheckClimaticFile)};
    default: break;
  }
  if (scan.Lines == records) return {true, {}};
  return {false, std::string(kRecordsDifferent)};
}

std::string RecordCountText(uint8_t dataType, int32_t records) {
  std::string_view kind = "daily";
  if (dataType == 1) kind = "10-daily";
  if (dataType == 2) kind = "monthly";
  return "number of " + std::string(kind) + " records = " + std::to_string(records);
}

}  // namespace vernoli
