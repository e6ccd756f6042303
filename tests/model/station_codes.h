// Stations made of a list of parameter codes, and the list read back, for the tests of the code
// list and of what is built on it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "model/station.h"
#include "model/stationcodes.h"

namespace vernoli::test_support {

// A new station whose list holds `codes`, in that order.
inline RepClimateFile WithCodes(std::initializer_list<int16_t> codes) {
  RepClimateFile station = NewStation();
  station.ParameterCodes.fill(-999);
  std::copy(codes.begin(), codes.end(), station.ParameterCodes.begin());
  station.NumberOfParameters = static_cast<int32_t>(codes.size());
  return station;
}

// The station's list of codes.
inline std::vector<int16_t> Codes(const RepClimateFile& station) {
  const std::span<const int16_t> codes = StationCodes(station);
  return {codes.begin(), codes.end()};
}

}  // namespace vernoli::test_support
