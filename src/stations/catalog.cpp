#include "stations/catalog.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>

#include "model/checks.h"
#include "model/linereader.h"
#include "stations/entry.h"
#include "stations/fileset.h"

namespace vernoli {

namespace {

constexpr std::string_view kDscExtension = ".DSC";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Alphabetical without regard to letter case; names that differ only in case by their bytes.
bool ListedBefore(const StationEntry& a, const StationEntry& b) {
  const std::string& x = a.ListedName;
  const std::string& y = b.ListedName;
  const bool less = std::lexicographical_compare(
      x.begin(), x.end(), y.begin(), y.end(),
      [](char p, char q) { return LowerAscii(p) < LowerAscii(q); });
  if (less) return true;
  if (EqualIgnoringCase(x, y)) return x < y;
  return false;
}

enum class Listing { Skip, File, Unreadable };

// A station description file is any name ending in ".DSC" that is not a folder. Hidden names
// (the temporary files of every writer) are skipped. A file that is no regular file (a broken
// link, a device) is listed without being opened.
Listing ListingOf(const std::string& folder, const std::string& name) {
  if (name.size() <= kDscExtension.size() || name.front() == '.') return Listing::Skip;
  if (std::string_view(name).substr(name.size() - kDscExtension.size()) != kDscExtension) {
    return Listing::Skip;
  }
  struct stat info {};
  if (::stat(PathInFolder(folder, name).c_str(), &info) != 0) return Listing::Unreadable;
  if (S_ISDIR(info.st_mode)) return Listing::Skip;
  return S_ISREG(info.st_mode) ? Listing::File : Listing::Unreadable;
}

// The first two lines of a station description file: station name and country.
bool ReadIdentity(const std::string& path, StationEntry& entry) {
  LineReader reader;
  if (!reader.Open(path)) return false;
  std::string line;
  if (reader.Next(line)) {
    entry.StationName = line;
    if (reader.Next(line)) entry.Country = line;
  }
  if (!reader.status()) {
    entry.StationName.clear();
    entry.Country.clear();
    return false;
  }
  return true;
}

// A name that stays inside the data folder.
bool IsPlainName(std::string_view name) {
  return !name.empty() && name.find('/') == std::string_view::npos && name != "." &&
         name != "..";
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

std::string FileColumn(const std::string& listedName) {
  return listedName.substr(0, listedName.find('.'));
}

Status ListStations(const std::string& dataFolder, std::vector<StationEntry>& stations) {
  // A station whose files an ended process left half replaced is finished first.
  FileSet::Recover(dataFolder);
  DIR* folder = ::opendir(dataFolder.c_str());
  if (folder == nullptr) return Status::Error("cannot open folder " + dataFolder);
  std::vector<StationEntry> found;
  for (;;) {
    errno = 0;
    const dirent* item = ::readdir(folder);
    if (item == nullptr) break;
    std::string name = item->d_name;
    const Listing kind = ListingOf(dataFolder, name);
    if (kind == Listing::Skip) continue;
    StationEntry entry;
    entry.ListedName = name;
    entry.File = FileColumn(name);
    entry.Readable =
        kind == Listing::File && ReadIdentity(PathInFolder(dataFolder, name), entry);
    found.push_back(std::move(entry));
  }
  const bool failed = errno != 0;
  ::closedir(folder);
  if (failed) return Status::Error("cannot read folder " + dataFolder);
  std::sort(found.begin(), found.end(), ListedBefore);
  stations = std::move(found);
  return Status::Success();
}

std::string InitialCandidate(const std::vector<StationEntry>& stations,
                             const std::string& selected) {
  if (!selected.empty()) return selected;
  return stations.empty() ? std::string() : stations.front().File;
}

int CursorRow(const std::vector<StationEntry>& stations, const std::string& candidate) {
  if (stations.empty()) return -1;
  int row = 0;
  const int last = static_cast<int>(stations.size()) - 1;
  while (row < last && !EqualIgnoringCase(stations[static_cast<std::size_t>(row)].File, candidate)) {
    ++row;
  }
  return row;
}

Status ChooseStation(const std::string& dataFolder, const std::string& name, OutputNameRule rule,
                     RepClimateFile& station) {
  RepClimateFile chosen = station;
  const std::string outputName = station.OutputName;
  FileSet::Recover(dataFolder);
  SetStationFiles(chosen, dataFolder, std::string(TrimBlanks(name)));
  if (rule == OutputNameRule::Keep) chosen.OutputName = outputName;
  if (Status s = ReadStationDescription(chosen); !s) return s;
  if (Status s = ReadParameterCodes(chosen); !s) return s;
  station = std::move(chosen);
  return Status::Success();
}

DeleteResult DeleteStation(const std::string& dataFolder, const std::string& name,
                           RepClimateFile& selected) {
  DeleteResult result;
  if (!IsPlainName(name)) {
    result.Result = Status::Error("cannot delete file " + PathInFolder(dataFolder, name + ".DSC"));
    return result;
  }
  FileSet::Recover(dataFolder);
  const std::string dsc = PathInFolder(dataFolder, name + ".DSC");
  const std::string dta = PathInFolder(dataFolder, name + ".DTA");
  if (!Exists(dsc)) {
    result.Result = Status::Error("cannot delete file " + dsc);
    return result;
  }
  // Both files go, or neither: the .DSC first, so that the list never shows the station
  // without its data file.
  const bool dtaThere = Exists(dta);
  FileSet files;
  files.Remove(dsc);
  if (dtaThere) files.Remove(dta);
  if (Status s = files.Commit(); !s) {
    result.Result = s;
    return result;
  }
  result.Deleted = true;
  if (!dtaThere) result.Notice = "data file " + dta + " was not there";
  if (selected.FileName == name) {
    ClearStation(selected);
    result.SelectionCleared = true;
  }
  return result;
}

std::string DeleteQuestion(const std::string& name) {
  return "Delete File \xAB" + name + "\xBB ?";
}

}  // namespace vernoli
