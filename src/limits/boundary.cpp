#include "limits/boundary.h"

#include "model/numbers.h"

namespace vernoli {

namespace {

double ToFahrenheit(double celsius) { return celsius * 9.0 / 5.0 + 32.0; }

}  // namespace

BoundaryBounds BoundaryValueBounds(const BoundaryRequest& request, const StationLimits& limits) {
  if (request.Parameter == "ETo") return {0.0, 15.0, 5.0};
  double minimum = limits.LimitTmin;
  double maximum = limits.LimitTmax;
  double preset = request.Parameter == "Tmin" ? 10.0 : 20.0;
  if (!request.Celsius) {
    minimum = ToFahrenheit(minimum);
    maximum = ToFahrenheit(maximum);
    preset = ToFahrenheit(preset);
  }
  return {minimum, maximum, preset};
}

std::string_view BoundaryEndText(const BoundaryRequest& request) {
  return request.First ? "Initial" : "Final";
}

std::string BoundaryUnitText(const BoundaryRequest& request) {
  if (request.Parameter == "ETo") return "mm/day";
  return request.Celsius ? "\xB0" "Celsius" : "\xB0" "Fahrenheit";
}

std::string BoundaryFullInfo(const BoundaryRequest& request) {
  std::string text(BoundaryEndText(request));
  text += ' ';
  text += request.Parameter;
  text += " value in ";
  text += BoundaryUnitText(request);
  return text;
}

std::string BoundaryDefaultText(const BoundaryRequest& request, const StationLimits& limits) {
  return FormatReal(BoundaryValueBounds(request, limits).Default, kBoundaryFieldWidth,
                    kBoundaryFieldDecimals);
}

RealEntryCheck CheckBoundaryValue(double value, const BoundaryRequest& request,
                                  const StationLimits& limits) {
  const BoundaryBounds bounds = BoundaryValueBounds(request, limits);
  RealEntryCheck check = CheckRealEntry(value, bounds.Minimum, bounds.Maximum,
                                        kBoundaryFieldWidth, kBoundaryFieldDecimals);
  // The caller takes the number the edit shows.
  double shown = check.Value;
  if (ParseReal(Trimmed(check.FieldText), shown)) check.Value = shown;
  return check;
}

RealEntryCheck ParseBoundaryValue(std::string_view text, const BoundaryRequest& request,
                                  const StationLimits& limits) {
  double value = kBoundaryNotANumber;
  if (!ParseReal(Trimmed(text), value)) value = kBoundaryNotANumber;
  return CheckBoundaryValue(value, request, limits);
}

}  // namespace vernoli
