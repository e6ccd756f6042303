// The boundary value of a gap at the start or the end of an exported series.
//
// The crop-model files hold no missing value: the run fills the gaps of each series by linear
// interpolation. A gap at the very start or end has a recorded neighbour on one side only, so the
// run asks for the first or the last value of the series. The workspace asks the user with the
// interpolation dialog, the batch tool takes the value from its options; both keep the value
// within the bounds below.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/checks.h"
#include "model/parameters.h"

namespace vernoli {

// The question of the run: which value of which series, in which unit.
struct BoundaryRequest {
  std::string Parameter = "ETo";  // "ETo", "Tmin" or "Tmax"
  bool First = true;              // the first value of the series; false: the last one
  bool Celsius = true;            // series in degC (always for ETo); false: degF
};

// The answer: the value, or nothing when the question was cancelled.
using BoundaryValueSource = std::function<std::optional<double>(const BoundaryRequest&)>;

// What the dialog offers and accepts for a request: ETo 5.0 within 0..15 mm/day; Tmin 10 degC
// (50 degF), Tmax and any other name 20 degC (68 degF), both within the station's LimitTmin to
// LimitTmax (in degF when the series is).
struct BoundaryBounds {
  double Minimum;
  double Maximum;
  double Default;
};
BoundaryBounds BoundaryValueBounds(const BoundaryRequest& request, const StationLimits& limits);

// Width and decimals of the dialog's value edit.
inline constexpr int kBoundaryFieldWidth = 6;
inline constexpr int kBoundaryFieldDecimals = 1;
// A text that is no number counts as this value, whatever the parameter.
inline constexpr double kBoundaryNotANumber = 5.0;

// "Initial" for the first value, "Final" for the last one.
std::string_view BoundaryEndText(const BoundaryRequest& request);
// "mm/day" for ETo; "\xB0" "Celsius" or "\xB0" "Fahrenheit" for a temperature.
std::string BoundaryUnitText(const BoundaryRequest& request);
// "Initial Tmin value in \xB0" "Celsius": the line that tells the user what to type.
std::string BoundaryFullInfo(const BoundaryRequest& request);
// The default written as the edit shows it ("   5.0").
std::string BoundaryDefaultText(const BoundaryRequest& request, const StationLimits& limits);

// The range check of a typed value: the value forced into the bounds, the edit's text (width 6,
// 1 decimal) and the message when it had to be forced. The value is the one the edit shows, so
// it carries one decimal, as the caller reads it back from the edit.
RealEntryCheck CheckBoundaryValue(double value, const BoundaryRequest& request,
                                  const StationLimits& limits);
// The same for a typed text: blanks trimmed, a text that is no number counts as 5.0.
RealEntryCheck ParseBoundaryValue(std::string_view text, const BoundaryRequest& request,
                                  const StationLimits& limits);

}  // namespace vernoli
