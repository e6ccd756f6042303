// Editing the identity and location of the open station: name, country, latitude, longitude,
// altitude and the three location classes; saving writes its .DSC again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/checks.h"
#include "model/station.h"
#include "model/status.h"
#include "stations/location.h"

namespace vernoli {

// Rewrites the station's description (.DSC) under the station's lock, so that no other process
// changes or reads the station halfway.
Status SaveStationDescription(const RepClimateFile& station);

class StationUpdate {
 public:
  // Starts from a copy of the open station: its coordinates in the fields, its classes shown
  // by its coefficients.
  explicit StationUpdate(const RepClimateFile& open);

  CoordinateField Latitude;
  CoordinateField Longitude;
  LocationClasses Classes;

  // The altitude edit was left: -500..5000 m, 100 when the text is no number.
  IntegerEntryCheck EnterAltitude(std::string_view text);
  int32_t Altitude() const { return altitude_; }
  std::string AltitudeText() const;  // I(6)

  // The station as it would be saved with these name and country.
  RepClimateFile Updated(const std::string& stationName, const std::string& country) const;

  // "Save and Main menu": writes the .DSC of the updated station; on success `open` becomes it
  // (Description rebuilt), on failure `open` and the file stay as they were.
  Status Save(const std::string& stationName, const std::string& country,
              RepClimateFile& open) const;

 private:
  RepClimateFile copy_;
  int32_t altitude_;
};

}  // namespace vernoli
