// The import session with a delimited file of several stations: the station column chosen, the
// file indexed by it, and one station read at a time, as the import form offers it.
#include <algorithm>

#include "import/session.h"
#include "import/stationchoice.h"
#include "stations/entry.h"

namespace vernoli {

void ImportSession::ForgetStations() {
  // Rows given by SetStationRows alone (the batch, before it chooses the file) are kept.
  if (stationColumn_ != 0) delimited_.ClearStation();
  stationColumn_ = 0;
  stations_.clear();
  chosenStation_ = -1;
}

void ImportSession::HintAtStations() {
  if (delimited_.Options().StationColumn) return;
  const DelimitedFile& file = delimited_.File();
  if (file.Ok() || file.DateAgainLine == 0) return;
  if (const int column = LikelyStationColumn(file); column > 0) {
    delimited_.AddToRefusal(SeveralStationsHint(file, column));
  }
}

bool ImportSession::IndexStations(const std::string& id, std::string& message) {
  DelimitedOptions options = delimited_.Options();
  options.StationColumn = ColumnRef{stationColumn_, {}};
  options.Station.reset();
  DelimitedStations index = IndexDelimitedStations(selectedPath_, options);
  if (index.Ok() && index.Stations.size() > 1 &&
      std::all_of(index.Stations.begin(), index.Stations.end(),
                  [](const StationRows& rows) { return rows.Rows == 1; })) {
    const int c = ColumnIndex(index.Layout, ColumnRef{stationColumn_, {}});
    const std::string name = c < 0 ? std::string() : index.Layout.Columns[std::size_t(c)].Name;
    index.Result = Status::Error(
        "file " + selectedPath_ + ", column " + std::to_string(stationColumn_) +
        (name.empty() ? "" : " (" + name + ")") + ": each of its " +
        std::to_string(index.Stations.size()) + " data lines names another station; a station "
        "column repeats the station on each of its lines");
  }
  if (!index.Ok()) {
    message = index.Result.Message;
    return false;
  }
  stations_ = std::move(index.Stations);
  const auto found = std::find_if(stations_.begin(), stations_.end(),
                                  [&id](const StationRows& rows) { return rows.Id == id; });
  chosenStation_ = found == stations_.end() ? 0 : static_cast<int>(found - stations_.begin());
  message = SetStationRows(ColumnRef{stationColumn_, {}}, stations_[std::size_t(chosenStation_)]);
  return true;
}

std::string ImportSession::ChooseStationColumn(int column) {
  if (!DelimitedFileRead()) return {};
  ForgetStations();
  if (column <= 0) return Reread();
  stationColumn_ = column;
  std::string message;
  if (IndexStations({}, message)) return message;
  ForgetStations();
  std::string ignored;  // the refusal of the index is the message
  ReadChosenFile(ignored);
  return message;
}

std::string ImportSession::ChooseStation(int index) {
  if (index < 0 || index >= static_cast<int>(stations_.size())) return {};
  chosenStation_ = index;
  return SetStationRows(ColumnRef{stationColumn_, {}}, stations_[std::size_t(index)]);
}

std::string ImportSession::RereadLayout() {
  if (stationColumn_ == 0 || !DelimitedFileRead()) return Reread();
  const std::string id = stations_[std::size_t(chosenStation_)].Id;
  std::string message;
  if (IndexStations(id, message)) return message;
  // The station column no longer gives stations with this layout.
  ForgetStations();
  std::string ignored;
  ReadChosenFile(ignored);
  return message;
}

std::vector<PreviewLine> ImportSession::PreviewLines(int count) const {
  if (selectedPath_.empty() || kind_ != ImportKind::Delimited || count <= 0) return {};
  const DelimitedFile& read = delimited_.File();
  FieldSeparator separator = Layout().Separator;
  if (separator == FieldSeparator::Auto) separator = read.Separator;
  if (chosenStation_ < 0) {
    return PreviewDelimited(selectedPath_, separator, count, PreviewFirstLine(read));
  }
  const StationRows& rows = stations_[std::size_t(chosenStation_)];
  std::vector<PreviewLine> lines;
  if (read.HeaderLine > 0) lines = PreviewDelimited(selectedPath_, separator, 1, read.HeaderLine);
  // The lines of other stations between its own (a file sorted by date first) are passed over.
  const int span = count * static_cast<int>(std::min<std::size_t>(stations_.size(), 64));
  const auto column = static_cast<std::size_t>(stationColumn_ - 1);
  for (PreviewLine& line : PreviewDelimited(selectedPath_, separator, span, rows.FirstLine)) {
    if (static_cast<int>(lines.size()) >= count || line.Number > rows.LastLine) break;
    if (column < line.Fields.size() && TrimBlanks(line.Fields[column]) == rows.Id) {
      lines.push_back(std::move(line));
    }
  }
  return lines;
}

}  // namespace vernoli
