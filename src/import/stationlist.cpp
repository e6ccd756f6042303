#include "import/stationlist.h"

#include <array>
#include <cmath>

#include "import/delimitedtext.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

enum Field : std::size_t { kId, kName, kCountry, kLatitude, kLongitude, kAltitude, kWind, kFields };

constexpr std::array<std::string_view, kFields> kFieldNames = {
    "id", "name", "country", "latitude", "longitude", "altitude", "wind height"};

constexpr FieldSeparator kSeparators[] = {FieldSeparator::Tab, FieldSeparator::Semicolon,
                                          FieldSeparator::Comma, FieldSeparator::Blanks};

// The field a header name stands for; kFields for a name not known. Letter case, blanks,
// underscores and hyphens, and a unit in brackets after the name are ignored.
Field FieldOfName(std::string_view name) {
  std::string key;
  for (char c : LowerAscii(name)) {
    if (c == '[' || c == '(') break;
    if (c != ' ' && c != '_' && c != '-' && c != '\t') key += c;
  }
  struct Alias {
    std::string_view Key;
    Field Is;
  };
  static constexpr Alias kAliases[] = {
      {"id", kId},           {"stationid", kId},     {"station", kId},
      {"stn", kId},          {"name", kName},        {"stationname", kName},
      {"country", kCountry}, {"latitude", kLatitude}, {"lat", kLatitude},
      {"longitude", kLongitude}, {"lon", kLongitude}, {"long", kLongitude},
      {"altitude", kAltitude}, {"elevation", kAltitude}, {"alt", kAltitude},
      {"windheight", kWind}, {"anemometerheight", kWind}};
  for (const Alias& alias : kAliases) {
    if (key == alias.Key) return alias.Is;
  }
  return kFields;
}

class ListReader {
 public:
  ListReader(const std::string& path, StationList& out) : path_(path), out_(out) {}

  void Run() {
    if (Status s = lines_.Open(path_); !s) return Refuse(s.Message);
    std::string line;
    while (lines_.Next(line)) {
      const std::string_view text = TrimBlanks(line);
      if (text.empty() || text.starts_with('#')) continue;
      if (out_.HeaderLine == 0) {
        if (!ReadHeader(line)) return;
      } else if (!ReadStation(line)) {
        return;
      }
    }
    if (!lines_.status()) return Refuse(lines_.status().Message);
    if (out_.HeaderLine == 0) {
      return Refuse("file " + path_ + " is empty; a station list has a header naming " +
                    std::string(StationListColumnsText()) + ", then one line per station");
    }
    if (out_.Stations.empty()) {
      return Refuse("file " + path_ + ", line " + std::to_string(out_.HeaderLine) +
                    ": the header is followed by no station; a station list has one line per "
                    "station after its header");
    }
  }

 private:
  void Refuse(std::string reason) {
    if (reason.starts_with("ERROR:\n")) reason.erase(0, 7);
    out_.Result = Status::Error(reason);
    out_.Stations.clear();
    out_.ById.clear();
  }

  std::string Where(int line, std::size_t index) const {
    std::string text = "file " + path_ + ", line " + std::to_string(line) + ", column " +
                       std::to_string(index + 1);
    if (index < names_.size() && !names_[index].empty()) text += " (" + names_[index] + ")";
    return text;
  }

  std::string SeparatorText() const {
    return "the fields of this list are separated by " + std::string(SeparatorName(separator_));
  }

  bool ReadHeader(const std::string& line) {
    const int number = lines_.LineNumber();
    int best = -1;
    for (FieldSeparator separator : kSeparators) {
      std::vector<std::string> names;
      if (!SplitFields(line, separator, names).Ok()) continue;
      std::array<int, kFields> columns;
      columns.fill(-1);
      int known = 0;
      for (std::size_t i = 0; i < names.size(); ++i) {
        const Field field = FieldOfName(names[i]);
        if (field == kFields || columns[field] >= 0) continue;
        columns[field] = static_cast<int>(i);
        ++known;
      }
      if (known > best) {
        best = known;
        separator_ = separator;
        columns_ = columns;
        names_ = std::move(names);
      }
    }
    for (std::string& name : names_) name = ToWindows1252(name);
    out_.HeaderLine = number;
    std::string missing;
    for (std::size_t f = 0; f < kWind; ++f) {
      if (columns_[f] < 0) missing += (missing.empty() ? "" : ", ") + std::string(kFieldNames[f]);
    }
    if (!missing.empty()) {
      Refuse("file " + path_ + ", line " + std::to_string(number) + ": the header names no " +
             "column " + missing + "; the header of a station list names " +
             std::string(StationListColumnsText()) + ", separated by a tab, a semicolon, a "
             "comma or blanks");
      return false;
    }
    return true;
  }

  // A number of the field `f`, with a decimal point, or a decimal comma where the separator is
  // not a comma.
  bool ReadNumber(int number, Field f, double& value) {
    const std::string_view text = TrimBlanks(fields_[std::size_t(columns_[f])]);
    if (ParseDecimal(text, DecimalSign::Point, value) ||
        (separator_ != FieldSeparator::Comma && ParseDecimal(text, DecimalSign::Comma, value))) {
      return true;
    }
    Refuse(Where(number, std::size_t(columns_[f])) + ": " + QuotedForMessage(text) +
           " is no number; the " + std::string(kFieldNames[f]) + " is a number with a decimal " +
           (separator_ == FieldSeparator::Comma ? "point (such as 52.1)"
                                                : "point or a decimal comma (such as 52.1 or 52,1)"));
    return false;
  }

  bool ReadLocation(int number, Field f, LocationValue which, double& value) {
    if (!ReadNumber(number, f, value)) return false;
    if (which == LocationValue::Altitude) value = std::round(value);
    if (LocationValueAccepted(which, value)) return true;
    Refuse(Where(number, std::size_t(columns_[f])) + ": the " +
           std::string(LocationValueName(which)) + " " + NumberForMessage(value) +
           " lies outside " + AcceptedLocationText(which) +
           (which == LocationValue::Altitude ? " (whole metres)" : ""));
    return false;
  }

  bool ReadStation(const std::string& line) {
    const int number = lines_.LineNumber();
    const SplitResult split = SplitFields(line, separator_, fields_);
    if (!split.Ok()) {
      Refuse(Where(number, std::size_t(split.Column - 1)) + ": " +
             std::string(SplitFaultText(split.Fault)) + "; " + SeparatorText());
      return false;
    }
    for (std::size_t f = 0; f < kFields; ++f) {
      if (columns_[f] >= 0 && std::size_t(columns_[f]) >= fields_.size() && f != kWind) {
        Refuse(Where(number, fields_.size()) + ": the line ends after " +
               std::to_string(fields_.size()) + " fields, before the " +
               std::string(kFieldNames[f]) + " of column " + std::to_string(columns_[f] + 1) +
               "; " + SeparatorText());
        return false;
      }
    }
    for (std::size_t k = names_.size(); k < fields_.size(); ++k) {
      if (!fields_[k].empty()) {
        Refuse(Where(number, k) + ": a field beyond the " + std::to_string(names_.size()) +
               " columns the header (line " + std::to_string(out_.HeaderLine) + ") names; " +
               SeparatorText());
        return false;
      }
    }
    ListedStation station;
    station.Line = number;
    station.Id = std::string(TrimBlanks(fields_[std::size_t(columns_[kId])]));
    if (station.Id.empty()) {
      Refuse(Where(number, std::size_t(columns_[kId])) +
             ": the id is empty; each station of the list has the id the station column of "
             "the data file gives it");
      return false;
    }
    if (const ListedStation* before = out_.Find(station.Id)) {
      Refuse(Where(number, std::size_t(columns_[kId])) + ": the station " +
             QuotedForMessage(station.Id) + " is listed on line " + std::to_string(before->Line) +
             " already; each station is listed once");
      return false;
    }
    station.Name = ToWindows1252(TrimBlanks(fields_[std::size_t(columns_[kName])]));
    station.Country = ToWindows1252(TrimBlanks(fields_[std::size_t(columns_[kCountry])]));
    double altitude = 0.0;
    if (!ReadLocation(number, kLatitude, LocationValue::Latitude, station.Latitude) ||
        !ReadLocation(number, kLongitude, LocationValue::Longitude, station.Longitude) ||
        !ReadLocation(number, kAltitude, LocationValue::Altitude, altitude)) {
      return false;
    }
    station.Altitude = static_cast<int32_t>(altitude);
    const int wind = columns_[kWind];
    if (wind >= 0 && std::size_t(wind) < fields_.size() &&
        !TrimBlanks(fields_[std::size_t(wind)]).empty()) {
      double height = 0.0;
      if (!ReadNumber(number, kWind, height)) return false;
      const RealFieldSpec& field = fields::kWindHeight;
      if (height < field.Minimum || height > field.Maximum) {
        Refuse(Where(number, std::size_t(wind)) + ": the wind height " +
               NumberForMessage(height) + " lies outside " +
               FormatReal(field.Minimum, 0, field.Decimals) + " .. " +
               FormatReal(field.Maximum, 0, field.Decimals) + " m (an empty field: the height "
               "of --wind-height)");
        return false;
      }
      station.WindHeight = height;
    }
    out_.ById.emplace(station.Id, out_.Stations.size());
    out_.Stations.push_back(std::move(station));
    return true;
  }

  std::string path_;
  StationList& out_;
  BoundedLineReader lines_;
  FieldSeparator separator_ = FieldSeparator::Comma;
  std::array<int, kFields> columns_{};
  std::vector<std::string> names_;  // the header's names, Windows-1252
  std::vector<std::string> fields_;
};

}  // namespace

const ListedStation* StationList::Find(std::string_view id) const {
  const auto at = ById.find(std::string(id));
  return at == ById.end() ? nullptr : &Stations[at->second];
}

StationList ReadStationList(const std::string& path) {
  StationList list;
  list.Path = path;
  ListReader(path, list).Run();
  return list;
}

std::string_view StationListColumnsText() {
  return "id, name, country, latitude, longitude, altitude and optionally wind height";
}

}  // namespace vernoli
