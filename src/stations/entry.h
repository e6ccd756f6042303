// The numeric entry fields of the station forms: their ranges, widths and the value a field
// takes when its text is no number.
//
// A form hands the text of a field, when the field is left or Enter is pressed, to EnterInteger
// or EnterReal; it then writes FieldText back into the field and, when Message is not empty,
// shows the message and puts the focus back into the field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/checks.h"
#include "model/station.h"

namespace vernoli {

struct IntegerFieldSpec {
  int64_t Minimum;
  int64_t Maximum;
  int Width;
  int64_t Fallback;  // the value of a text that is no integer
};

struct RealFieldSpec {
  double Minimum;
  double Maximum;
  int Width;
  int Decimals;
  double Fallback;  // the value of a text that is no number
};

namespace fields {
// Coordinates, in the create, station update and import forms alike.
inline constexpr IntegerFieldSpec kLatitudeDegrees{0, 69, 6, 30};
inline constexpr IntegerFieldSpec kLongitudeDegrees{0, 179, 6, 30};
inline constexpr IntegerFieldSpec kMinutes{0, 59, 6, 30};
inline constexpr RealFieldSpec kLatitudeDecimal{0.0, 69.99, 9, 2, 22.37};
inline constexpr RealFieldSpec kLongitudeDecimal{0.0, 179.99, 9, 2, 22.37};
// Altitude (m): a new station falls back to 222, the station update and import forms to 100.
inline constexpr IntegerFieldSpec kAltitudeNewStation{-500, 5000, 6, kNewStationAltitude};
inline constexpr IntegerFieldSpec kAltitude{-500, 5000, 6, 100};
// Year of the first or last record of a span linked to calendar years.
inline constexpr IntegerFieldSpec kYear{1902, 2099, 6, 2000};
// Import form: wind measurement height (m) and the value that marks an undefined datum.
inline constexpr RealFieldSpec kWindHeight{0.5, 30.0, 6, 1, 2.0};
inline constexpr RealFieldSpec kUndefinedValue{-99999999.0, 99999999.0, 10, 3, -999.0};
}  // namespace fields

// ---------------------------------------------------------------------------------------------
// A station's location from any source (a field, a database file, the batch's options) is held
// to what the coordinate and altitude fields accept: a latitude and a longitude of signed decimal
// degrees whose absolute value the decimal field takes, an altitude of kAltitude.

enum class LocationValue : uint8_t { Latitude, Longitude, Altitude };

// "latitude", "longitude" or "altitude".
std::string_view LocationValueName(LocationValue which);
// What is accepted: "-69.99 .. 69.99 decimal degrees (negative: South)",
// "-179.99 .. 179.99 decimal degrees (negative: West)" or "-500 .. 5000 m".
std::string AcceptedLocationText(LocationValue which);
bool LocationValueAccepted(LocationValue which, double value);
// The reason the first value that the fields would not accept is refused ("the latitude 95.00
// lies outside -69.99 .. 69.99 decimal degrees (negative: South)"); empty when all are accepted.
std::string CheckStationLocation(double latitude, double longitude, int32_t altitude);

// Reads the text (blanks around it ignored) as an integer, or takes the fallback when it is none,
// and forces the value into the field's range.
IntegerEntryCheck EnterInteger(const IntegerFieldSpec& field, std::string_view text);
// Likewise for a real field.
RealEntryCheck EnterReal(const RealFieldSpec& field, std::string_view text);

// The text without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

}  // namespace vernoli
