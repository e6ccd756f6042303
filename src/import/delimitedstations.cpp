// A delimited file of several stations: one pass that finds where the rows of each station lie,
// so that each station is then read on its own, its rows only, with the memory of one station.
#include <unordered_map>

#include "import/delimited.h"
#include "import/delimitedreader.h"
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
  std::string id;
  while (lines_.Next(line)) {
    if (IsEmptyLine(line) || IsCommentLine(line)) continue;
    const int number = lines_.LineNumber();
    const SplitResult split = SplitFields(line, layout_.Separator, fields_);
    if (!split.Ok()) {
      Refuse(Where(number, split.Column - 1) + ": " + std::string(SplitFaultText(split.Fault)) +
             ", so the station of the line cannot be told; " + SeparatorText() +
             ", and a quoted field ends on its own line");
      return;
    }
    const int count = static_cast<int>(fields_.size());
    if (count <= station_) {
      Refuse(Where(number, count) + ": the line ends after " + std::to_string(count) +
             " fields, before the station column, " + ColumnText(station_) + "; " +
             SeparatorText());
      return;
    }
    id.assign(TrimBlanks(fields_[std::size_t(station_)]));
    if (id.empty()) {
      Refuse(Where(number, station_) + ": the station column is empty; each data line names "
             "its station there");
      return;
    }
    std::vector<StationRows>& rows = stations.Stations;
    if (rows.empty() || rows[current].Id != id) {
      const auto [at, added] = known.try_emplace(id, rows.size());
      if (added) {
        rows.push_back({id, number, number, lines_.LineStart(), 0, 0});
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
