#include "stations/stationupdate.h"

#include "model/numbers.h"
#include "model/stationlock.h"
#include "stations/entry.h"

namespace vernoli {

Status SaveStationDescription(const RepClimateFile& station) {
  StationLock lock;
  if (Status s = lock.Take(station.DscFileName, StationLock::Mode::Exclusive); !s) return s;
  return WriteStationDescription(station);
}

StationUpdate::StationUpdate(const RepClimateFile& open)
    : Latitude(Axis::Latitude, open.Latitude),
      Longitude(Axis::Longitude, open.Longitude),
      Classes(ClassesOfStation(open)),
      copy_(open),
      altitude_(open.Altitude) {}

IntegerEntryCheck StationUpdate::EnterAltitude(std::string_view text) {
  IntegerEntryCheck check = EnterInteger(fields::kAltitude, text);
  altitude_ = static_cast<int32_t>(check.Value);
  return check;
}

std::string StationUpdate::AltitudeText() const { return FormatInt(altitude_, 6); }

RepClimateFile StationUpdate::Updated(const std::string& stationName,
                                      const std::string& country) const {
  RepClimateFile station = copy_;
  station.StationName = stationName;
  station.Country = country;
  station.Latitude = Latitude.Value();
  station.Longitude = Longitude.Value();
  station.Altitude = altitude_;
  ApplyClasses(station, Classes);
  station.Description = BuildDescription(station.StationName, station.Country, station.DataType,
                                         station.From(), station.To());
  return station;
}

Status StationUpdate::Save(const std::string& stationName, const std::string& country,
                           RepClimateFile& open) const {
  RepClimateFile station = Updated(stationName, country);
  if (Status s = SaveStationDescription(station); !s) return s;
  open = std::move(station);
  return Status::Success();
}

}  // namespace vernoli
