// The coordinate fields and the location classes, shared by the create, station update and
// import forms.
//
// A latitude or longitude is entered either as whole degrees, minutes and a hemisphere, or as
// decimal degrees with a hemisphere; both views always show the same value. The three location
// classes (interior or coastal, humid or arid, wind class) stand for the station's default
// coefficients for missing radiation, humidity and wind data.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/station.h"

namespace vernoli {

enum class Axis : uint8_t { Latitude, Longitude };

// Items of the hemisphere boxes: 0 is North / East, 1 is South / West.
inline constexpr int kNorthOrEast = 0;
inline constexpr int kSouthOrWest = 1;
// "North" or "South" for a latitude, "East" or "West" for a longitude.
std::string_view HemisphereName(Axis axis, int hemisphere);

// The two views of the coordinate fields ("Degrees and Minutes", "Decimal degrees").
enum class CoordinateView : uint8_t { DegreesAndMinutes, DecimalDegrees };
// Label of the degree fields: "degrees" or "decimal degrees". The minute fields, shown in the
// first view only, are labelled "minutes".
std::string_view DegreesLabel(CoordinateView view);
inline constexpr std::string_view kMinutesLabel = "minutes";

// What the fields of one coordinate show.
struct CoordinateTexts {
  std::string Degrees;  // I(6)
  std::string Minutes;  // I(6)
  int Hemisphere = kNorthOrEast;
  std::string Decimal;  // the absolute value, R(9,2)
};

// One latitude or longitude: its degree, minute, hemisphere and decimal fields. Each Enter...
// takes the text of a field that was left (or Enter was pressed in it), checks it and updates
// the value and the other fields; it returns the message to show ("ERROR:\n..."), empty when the
// value was inside the field's range. After a message the focus goes back to that field.
class CoordinateField {
 public:
  // Fields showing `value` (signed decimal degrees: north and east positive).
  CoordinateField(Axis axis, double value);

  Axis GetAxis() const { return axis_; }
  // The signed value in decimal degrees.
  double Value() const { return value_; }
  CoordinateTexts Texts() const;

  // Fills every field from a signed value: whole degrees, minutes rounded, the hemisphere by the
  // sign, and the absolute value with 2 decimals.
  void Show(double value);

  // Degrees, minutes or hemisphere changed: the value becomes degrees + minutes / 60, negated for
  // South or West; the decimal field follows. A longitude whose degrees were changed and that
  // lies beyond 179 degrees becomes 179 degrees 0 minutes; after a change of its minutes the same
  // test is made against 180 degrees.
  std::string EnterDegrees(std::string_view text);
  std::string EnterMinutes(std::string_view text);
  void ChooseHemisphere(int hemisphere);
  // The decimal field changed: the value is the number, negated for South or West, and every
  // field is shown again from it.
  std::string EnterDecimal(std::string_view text);

 private:
  void Compose();

  Axis axis_;
  double value_ = 0.0;
  int64_t degrees_ = 0;
  int64_t minutes_ = 0;
  int hemisphere_ = kNorthOrEast;
};

// ---------------------------------------------------------------------------------------------
// Location classes

struct LocationClasses {
  Location Site = Location::Interior;
  Climate Humidity = Climate::Humid;
  WindClass Wind = WindClass::LightToModerate;
  friend bool operator==(const LocationClasses&, const LocationClasses&) = default;
};

// The classes a station's coefficients stand for: coastal from a HargreavesRsCoefficient of 0.17
// up, arid for a TdewTminDifference above 1, light winds for a DefaultU2 up to 1, light to
// moderate up to 2.9, else moderate to strong.
LocationClasses ClassesOfStation(const RepClimateFile& station);

// Sets the coefficients of the classes: HargreavesRsCoefficient 0.16 or 0.19,
// TdewTminDifference 0.0 or 2.0, DefaultU2 0.5, 2.0 or 4.0.
void ApplyClasses(RepClimateFile& station, const LocationClasses& classes);

}  // namespace vernoli
