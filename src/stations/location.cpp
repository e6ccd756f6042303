#include "stations/location.h"

#include <cmath>

#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

int64_t IntegerOf(const std::string& text) {
  int64_t value = 0;
  (void)ParseInt(text, value);
  return value;
}

}  // namespace

std::string_view HemisphereName(Axis axis, int hemisphere) {
  if (axis == Axis::Latitude) return hemisphere == kSouthOrWest ? "South" : "North";
  return hemisphere == kSouthOrWest ? "West" : "East";
}

std::string_view DegreesLabel(CoordinateView view) {
  return view == CoordinateView::DecimalDegrees ? "decimal degrees" : "degrees";
}

CoordinateField::CoordinateField(Axis axis, double value) : axis_(axis) { Show(value); }

CoordinateTexts CoordinateField::Texts() const {
  CoordinateTexts texts;
  texts.Degrees = FormatInt(degrees_, 6);
  texts.Minutes = FormatInt(minutes_, 6);
  texts.Hemisphere = hemisphere_;
  texts.Decimal = FormatReal(std::fabs(value_), 9, 2);
  return texts;
}

void CoordinateField::Show(double value) {
  value_ = value;
  const DegreesMinutes shown = DegreesAndMinutes(value, axis_ == Axis::Latitude);
  degrees_ = IntegerOf(shown.Degrees);
  minutes_ = IntegerOf(shown.Minutes);
  hemisphere_ = value >= 0 ? kNorthOrEast : kSouthOrWest;
}

void CoordinateField::Compose() {
  const double magnitude = static_cast<double>(degrees_) + static_cast<double>(minutes_) / 60.0;
  value_ = hemisphere_ == kSouthOrWest ? -magnitude : magnitude;
}

std::string CoordinateField::EnterDegrees(std::string_view text) {
  const IntegerEntryCheck check = EnterInteger(
      axis_ == Axis::Latitude ? fields::kLatitudeDegrees : fields::kLongitudeDegrees, text);
  degrees_ = check.Value;
  // No longitude lies beyond 179 degrees 0 minutes once its degrees have been typed.
  if (axis_ == Axis::Longitude && degrees_ * 60 + minutes_ > 179 * 60) {
    degrees_ = 179;
    minutes_ = 0;
  }
  Compose();
  return check.Message;
}

std::string CoordinateField::EnterMinutes(std::string_view text) {
  const IntegerEntryCheck check = EnterInteger(fields::kMinutes, text);
  minutes_ = check.Value;
  if (axis_ == Axis::Longitude && degrees_ * 60 + minutes_ > 180 * 60) {
    degrees_ = 179;
    minutes_ = 0;
  }
  Compose();
  return check.Message;
}

void CoordinateField::ChooseHemisphere(int hemisphere) {
  hemisphere_ = hemisphere == kSouthOrWest ? kSouthOrWest : kNorthOrEast;
  Compose();
}

std::string CoordinateField::EnterDecimal(std::string_view text) {
  const RealEntryCheck check = EnterReal(
      axis_ == Axis::Latitude ? fields::kLatitudeDecimal : fields::kLongitudeDecimal, text);
  Show(hemisphere_ == kSouthOrWest ? -check.Value : check.Value);
  return check.Message;
}

// ---------------------------------------------------------------------------------------------
// Location classes

LocationClasses ClassesOfStation(const RepClimateFile& station) {
  LocationClasses classes;
  classes.Site = station.HargreavesRsCoefficient < 0.17 ? Location::Interior : Location::Coast;
  classes.Humidity = station.TdewTminDifference > 1.0 ? Climate::Arid : Climate::Humid;
  if (station.DefaultU2 <= 1.0) {
    classes.Wind = WindClass::Light;
  } else if (station.DefaultU2 <= 2.9) {
    classes.Wind = WindClass::LightToModerate;
  } else {
    classes.Wind = WindClass::ModerateToStrong;
  }
  return classes;
}

void ApplyClasses(RepClimateFile& station, const LocationClasses& classes) {
  station.HargreavesRsCoefficient = HargreavesRsCoefficientOf(classes.Site);
  station.TdewTminDifference = TdewTminDifferenceOf(classes.Humidity);
  station.DefaultU2 = DefaultU2Of(classes.Wind);
}

}  // namespace vernoli
