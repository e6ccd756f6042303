// A delimited file of several stations: one pass that finds where the rows of each station lie,
// so that each station is then read on its own, its rows only, with the memory of one station.
#include <sys/types.h>

#include <cstdio>
#include <unordered_map>

#include "import/delimited.h"
#include "import/delimitedreader.h"
#include "model/linereader.h"
#include "stations/entry.h"

namespace vernoli {

namespace delimited_detail {

void Reader::Index(DelimitedStations& stations) {
  if (Status opened = lines_.Open(path_); !opened) {
    Refuse(opened);
    return;
  }
  if (!options_.StationColumn) {
    Refuse("file " + path_ + ": the column that names the station of each line is not given");
    return;
  }
  if (!CheckOptions() || !FindFirstDataLine() || !SetUpColumns()) return;
  firstLines_.clear();
  if (Status s = lines_.Seek(firstDataOffset_, out_.FirstDataLine - 1); !s) {
    Refuse(s);
    return;
  }
  stations.StationColumn = station_ + 1;
  std::unordered_map<std::string, std::size_t> known;  // id -> its place in stations.Stations
  std::size_t current = 0;  // the station of the line before
  std::string line;
  while (lines_.Next(line)) {
    if (MaybeEmptyOrComment(line) && (IsEmptyLine(line) || IsCommentLine(line))) continue;
    const int number = lines_.LineNumber();
    const SplitResult split =
        SplitFieldViews(line, layout_.Separator, views_, unquoted_,
                        static_cast<std::size_t>(station_) + 1);
    if (!split.Ok()) {
      Refuse(Where(number, split.Column - 1) + ": " + std::string(SplitFaultText(split.Fault)) +
             ", so the station of the line cannot be told; " + SeparatorText() +
             ", and a quoted field ends on its own line");
      return;
    }
    const int count = static_cast<int>(views_.size());
    if (count <= station_) {
      Refuse(Where(number, count) + ": the line ends after " + std::to_string(count) +
             " fields, before the station column, " + ColumnText(station_) + "; " +
             SeparatorText());
      return;
    }
    const std::string_view id = Trim(views_[std::size_t(station_)]);
    if (id.empty()) {
      Refuse(Where(number, station_) + ": the station column is empty; each data line names "
             "its station there");
      return;
    }
    std::vector<StationRows>& rows = stations.Stations;
    if (rows.empty() || rows[current].Id != id) {
      const auto [at, added] = known.try_emplace(std::string(id), rows.size());
      if (added) {
        rows.push_back({std::string(id), number, number, lines_.LineStart(), 0, 0});
      } else {
        stations.Grouped = false;
      }
      current = at->second;
    }
    StationRows& station = rows[current];
    station.LastLine = number;
    station.End = lines_.Offset();
    ++station.Rows;
  }
  if (!lines_.status()) Refuse(lines_.status());
}

}  // namespace delimited_detail

namespace {

// Appends `size` bytes of the file from `offset`; false when the file holds fewer.
bool AppendBytes(std::FILE* file, int64_t offset, int64_t size, std::string& bytes) {
  if (size <= 0) return true;
  if (::fseeko(file, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
  const std::size_t before = bytes.size();
  bytes.resize(before + static_cast<std::size_t>(size));
  return std::fread(bytes.data() + before, 1, static_cast<std::size_t>(size), file) ==
         static_cast<std::size_t>(size);
}

}  // namespace

Status SameStationBytes(const std::string& path, const DelimitedFile& file,
                        const StationRows& rows) {
  std::FILE* stream = nullptr;
  if (Status opened = OpenFileForReading(path, stream); !opened) return opened;
  std::string now;
  now.reserve(file.StationBytes.size());
  const bool read = AppendBytes(stream, 0, file.HeadBytes, now) &&
                    AppendBytes(stream, rows.Begin, rows.End - rows.Begin, now);
  std::fclose(stream);
  if (read && now == file.StationBytes) return Status::Success();
  return Status::Error("the lines of station " + QuotedForMessage(rows.Id) + " (lines " +
                       std::to_string(rows.FirstLine) + " to " + std::to_string(rows.LastLine) +
                       "), or the lines before its first data line, are not those that were "
                       "read");
}

DelimitedStations IndexDelimitedStations(const std::string& path,
                                         const DelimitedOptions& options) {
  DelimitedStations stations;
  stations.Path = path;
  stations.Layout.Path = path;
  DelimitedOptions layout = options;
  layout.Station.reset();
  delimited_detail::Reader(path, layout, stations.Layout).Index(stations);
  stations.Result = stations.Layout.Result;
  stations.Layout.Series.clear();
  if (!stations.Ok()) stations.Stations.clear();
  return stations;
}

}  // namespace vernoli
