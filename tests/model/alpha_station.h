// The station the tests of the description file write and read.
#pragma once

#include "model/station.h"
#include "scratch_folder.h"

namespace vernoli::test_support {

// Alpha in Beta, daily data 1 January 2000 - 31 December 2002, the defaults of a new station.
inline RepClimateFile AlphaStation(const ScratchFolder& folder) {
  RepClimateFile station = NewStation(Location::Interior, Climate::Arid, WindClass::LightToModerate);
  SetStationFiles(station, folder.Folder(), "ALPHA");
  station.StationName = "Alpha";
  station.Country = "Beta";
  station.Latitude = 41.9;
  station.Longitude = 12.5;
  station.Altitude = 120;
  station.DataType = kDaily;
  station.FromDay = 1;
  station.FromMonth = 1;
  station.FromYear = 2000;
  station.ToDay = 31;
  station.ToMonth = 12;
  station.ToYear = 2002;
  return station;
}

}  // namespace vernoli::test_support
