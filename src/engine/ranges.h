// Plausible ranges of climatic values: what the station limits, and for sunshine and radiation
// the sun of the day, allow for a value of a parameter code.
#pragma once

#include <cstdint>

#include "model/parameters.h"

namespace vernoli {

// Plausible range of a value of `code` in the code's own unit, for day of year `dayOfYear` at
// `latitude` (degrees, north positive) and `altitude` (m). Sunshine and radiation are bounded by
// the daylight hours and the clear-sky radiation (from the altitude with the elevation
// adjustment, else angstromSum = a + b times Ra), raised by the radiation deviation limit.
// For a code without a rule the range comes back as `initial`.
ValueRange ParameterRange(int code, const StationLimits& limits, int dayOfYear, double latitude,
                          int32_t altitude, bool elevationAdjustment, double angstromSum,
                          ValueRange initial = {0.0, 0.0});

// True for the codes whose range follows the sun of the day (sunshine and radiation); the range
// of every other code is the same on every day.
bool RangeDependsOnDay(int code);

}  // namespace vernoli
