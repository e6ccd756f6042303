#include "stations/entry.h"

#include <cmath>

#include "model/numbers.h"

namespace vernoli {

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  const std::size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

IntegerEntryCheck EnterInteger(const IntegerFieldSpec& field, std::string_view text) {
  int64_t value = 0;
  if (!ParseInt(TrimBlanks(text), value)) value = field.Fallback;
  return CheckIntegerEntry(value, field.Minimum, field.Maximum, field.Width);
}

RealEntryCheck EnterReal(const RealFieldSpec& field, std::string_view text) {
  double value = 0.0;
  if (!ParseReal(TrimBlanks(text), value)) value = field.Fallback;
  return CheckRealEntry(value, field.Minimum, field.Maximum, field.Width, field.Decimals);
}

std::string_view LocationValueName(LocationValue which) {
  switch (which) {
    case LocationValue::Longitude: return "longitude";
    case LocationValue::Altitude: return "altitude";
    case LocationValue::Latitude: break;
  }
  return "latitude";
}

std::string AcceptedLocationText(LocationValue which) {
  const auto degrees = [](const RealFieldSpec& field, std::string_view negative) {
    return FormatReal(-field.Maximum, 0, field.Decimals) + " .. " +
           FormatReal(field.Maximum, 0, field.Decimals) + " decimal degrees (negative: " +
           std::string(negative) + ")";
  };
  switch (which) {
    case LocationValue::Longitude: return degrees(fields::kLongitudeDecimal, "West");
    case LocationValue::Altitude:
      return FormatInt(fields::kAltitude.Minimum, 0) + " .. " +
             FormatInt(fields::kAltitude.Maximum, 0) + " m";
    case LocationValue::Latitude: break;
  }
  return degrees(fields::kLatitudeDecimal, "South");
}

bool LocationValueAccepted(LocationValue which, double value) {
  switch (which) {
    case LocationValue::Longitude: return std::fabs(value) <= fields::kLongitudeDecimal.Maximum;
    case LocationValue::Altitude:
      return value >= static_cast<double>(fields::kAltitude.Minimum) &&
             value <= static_cast<double>(fields::kAltitude.Maximum);
    case LocationValue::Latitude: break;
  }
  return std::fabs(value) <= fields::kLatitudeDecimal.Maximum;
}

std::string CheckStationLocation(double latitude, double longitude, int32_t altitude) {
  const struct {
    LocationValue Which;
    double Value;
    std::string Text;
  } values[] = {
      {LocationValue::Latitude, latitude, FormatReal(latitude, 0, 2)},
      {LocationValue::Longitude, longitude, FormatReal(longitude, 0, 2)},
      {LocationValue::Altitude, static_cast<double>(altitude), FormatInt(altitude, 0)},
  };
  for (const auto& v : values) {
    if (!LocationValueAccepted(v.Which, v.Value)) {
      return "the " + std::string(LocationValueName(v.Which)) + " " + v.Text + " lies outside " +
             AcceptedLocationText(v.Which);
    }
  }
  return {};
}

}  // namespace vernoli
