// The list of stations that goes with a delimited file of several stations: per station its id
// (as the file's station column writes it), the name and country of its description, and where
// it lies. A CSV with a header, read with the rules of the delimited files:
//
//   id,name,country,latitude,longitude,altitude,wind height
//   260,De Bilt,Netherlands,52.10,5.18,2,10
//   "hyk02","Davis, hyk",USA,38.54,-121.78,18,
//
// The header names its columns in any order (letter case, and a unit in brackets after the name,
// ignored); the wind height column may be left out, and a field of it left empty. The separator
// (tab, semicolon, comma or blanks) is the one that splits the header into the most names known;
// a decimal comma is read where the separator is not a comma. Latitude and longitude are signed
// decimal degrees (negative: South, West), the altitude is in metres (rounded to the whole
// metre), the wind height in metres. Empty lines and lines starting with '#' are skipped.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/status.h"

namespace vernoli {

struct ListedStation {
  std::string Id;       // as the list writes it, without the blanks around it
  std::string Name;     // Windows-1252
  std::string Country;  // Windows-1252
  double Latitude = 0.0;
  double Longitude = 0.0;
  int32_t Altitude = 0;
  std::optional<double> WindHeight;  // none: the list gives none for it
  int Line = 0;                      // its line in the list
};

struct StationList {
  std::string Path;
  Status Result;  // the refusal, "ERROR:\n" + the reason naming the file, line and column
  int HeaderLine = 0;
  std::vector<ListedStation> Stations;  // in the order of the list

  bool Ok() const { return Result.Ok; }
  // The station of the id; nullptr when the list has none.
  const ListedStation* Find(std::string_view id) const;

  std::unordered_map<std::string, std::size_t> ById;  // id -> its place in Stations
};

// Reads the list. Never throws; a refusal leaves no station.
StationList ReadStationList(const std::string& path);

// The columns of a list, as a message names them: "id, name, country, latitude, longitude,
// altitude and optionally wind height".
std::string_view StationListColumnsText();

}  // namespace vernoli
