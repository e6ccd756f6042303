// Stations written into a scratch folder for the tests of the run, the working data and the
// batch tool: the .DSC through the program's writer, the .DTA exactly as the test types it.
#pragma once

#include <string>
#include <string_view>

#include "../model/scratch_folder.h"
#include "model/calendar.h"
#include "model/station.h"

namespace vernoli::test_support {

// Writes NAME.DSC and NAME.DTA into `folder` and reads the station back as the program selects
// it (description, then codes from the .DTA header).
inline RepClimateFile WriteStation(const std::string& folder, const std::string& name,
                                   uint8_t dataType, Date from, Date to,
                                   std::string_view dtaBytes) {
  RepClimateFile station = NewStation();
  SetStationFiles(station, folder, name);
  station.StationName = "Alpha";
  station.Country = "Beta";
  station.Latitude = 41.9;
  station.Longitude = 12.5;
  station.Altitude = 100;
  SetSpan(station, dataType, from, to);
  (void)WriteStationDescription(station);
  WriteBytes(station.DtaFileName, dtaBytes);
  RepClimateFile read;
  SetStationFiles(read, folder, name);
  (void)ReadStationDescription(read);
  (void)ReadParameterCodes(read);
  return read;
}

// Three daily records from 1 July 2001 with Tmax, Tmin, RHmax, RHmin, wind and sunshine; the
// second lacks its temperatures, the third its sunshine.
inline constexpr std::string_view kSmallDta =
    "        Nr       101       103       201       203       301       401       501\r\n"
    "         1      31.2      18.4      85.0      40.0      2.10     11.30    -999.0\r\n"
    "         2    -999.0    -999.0      80.0      35.0      3.40     10.80    -999.0\r\n"
    "         3      29.8      17.1      90.0      45.0      1.75   -999.00    -999.0\r\n";

}  // namespace vernoli::test_support
