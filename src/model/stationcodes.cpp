#include "model/stationcodes.h"

#include <algorithm>

#include "model/parameters.h"

namespace vernoli {

namespace {

int ListSize(const RepClimateFile& station) {
  return std::clamp(station.NumberOfParameters, 0, kParameterCount);
}

}  // namespace

std::span<const int16_t> StationCodes(const RepClimateFile& station) {
  return {station.ParameterCodes.data(), static_cast<std::size_t>(ListSize(station))};
}

void SortParameterCodes(RepClimateFile& station) {
  std::sort(station.ParameterCodes.begin(), station.ParameterCodes.begin() + ListSize(station));
}

bool HasCode(const RepClimateFile& station, int code) {
  const std::span<const int16_t> codes = StationCodes(station);
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

bool AddParameterCode(RepClimateFile& station, int code) {
  const int count = ListSize(station);
  if (RowOfCode(code) == 0 || count >= kParameterCount || HasCode(station, code)) return false;
  station.ParameterCodes[static_cast<std::size_t>(count)] = static_cast<int16_t>(code);
  station.NumberOfParameters = count + 1;
  SortParameterCodes(station);  // ETo, the highest code, stays last
  return true;
}

bool RemoveParameterCode(RepClimateFile& station, int code) {
  const int count = ListSize(station);
  auto& list = station.ParameterCodes;
  const auto end = list.begin() + count;
  const auto found = std::find(list.begin(), end, code);
  if (found == end) return false;
  std::move(found + 1, list.end(), found);
  list.back() = -999;
  station.NumberOfParameters = count - 1;
  return true;
}

bool ReplaceCode(RepClimateFile& station, int from, int to) {
  if (from == to || !HasCode(station, from)) return false;
  if (HasCode(station, to)) return RemoveParameterCode(station, from);
  const std::span<const int16_t> codes = StationCodes(station);
  const auto index =
      static_cast<std::size_t>(std::find(codes.begin(), codes.end(), from) - codes.begin());
  station.ParameterCodes[index] = static_cast<int16_t>(to);
  SortParameterCodes(station);
  return true;
}

}  // namespace vernoli
