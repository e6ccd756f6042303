// The station description record and its .DSC file.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/calendar.h"
#include "model/parameters.h"
#include "model/status.h"

namespace vernoli {

// Location classes of a new station.
enum class Location { Interior, Coast };
enum class Climate { Humid, Arid };
enum class WindClass { Light, LightToModerate, ModerateToStrong };

// The coefficients that stand for the location classes: kRs 0.16 inland, 0.19 at the coast;
// Tdew 0 or 2 degC below Tmin; a default wind speed of 0.5, 2.0 or 4.0 m/sec.
constexpr double HargreavesRsCoefficientOf(Location site) {
  return site == Location::Coast ? 0.19 : 0.16;
}
constexpr double TdewTminDifferenceOf(Climate climate) {
  return climate == Climate::Arid ? 2.0 : 0.0;
}
constexpr double DefaultU2Of(WindClass wind) {
  switch (wind) {
    case WindClass::Light: return 0.5;
    case WindClass::LightToModerate: return 2.0;
    case WindClass::ModerateToStrong: return 4.0;
  }
  return 2.0;
}

// The psychrometer coefficient of a new station, created or imported (1/degC).
inline constexpr double kNewStationPsychrometerCoefficient = 0.0008;

// Where the create and import forms put a new station until its own location is entered:
// 22.37 North, 22.37 East (22 degrees 22 minutes), at 222 m when it is created and 100 m when it
// is imported.
inline constexpr double kNewStationLatitude = 22.37;
inline constexpr double kNewStationLongitude = 22.37;
inline constexpr int32_t kNewStationAltitude = 222;
inline constexpr int32_t kImportedStationAltitude = 100;

// Calculation settings handed to the ETo driver as one block.
struct CalculationSettings {
  double AlbedoPM = 0.23;
  double AlbedoPenman = 0.25;
  double AngstromA = 0.25;
  double AngstromB = 0.50;
  double HargreavesCoefficient = 0.0023;
  double WindFunctionCoefficient = 2.7;
  uint8_t DayNightWindRatio = 2;  // daytime to night-time wind
};

// Option flags that follow the settings block, each 0 or 1.
struct OptionFlags {
  uint8_t ElevationAdjustment = 1;  // 1: Rso from altitude; 0: Rso = (as + bs) Ra
  uint8_t AdjustPenman = 1;
  uint8_t AdjustRadiation = 1;
  uint8_t AdjustBlaneyCriddle = 1;
};

// The station description record: identity, location, span, settings, limits and codes.
// The values given below, in CalculationSettings, OptionFlags and StationLimits are the defaults
// of a new station, whose coefficients are those of an interior, humid site with light to
// moderate winds; NewStation starts from them.
struct RepClimateFile {
  std::string FileName;     // base name of the station's files, no folder, no extension
  std::string OutputName;   // base name of the output files of a calculation run
  std::string Description;  // one-line description, rebuilt after every read
  std::string DscFileName;  // data folder + FileName + ".DSC"
  std::string DtaFileName;  // data folder + FileName + ".DTA"
  std::string StationName;
  std::string Country;
  double Latitude = 0.0;   // decimal degrees, north positive
  double Longitude = 0.0;  // decimal degrees, east positive
  int32_t Altitude = 0;    // metres above sea level
  uint8_t DataType = kDaily;
  int32_t FirstDayNr = 0, LastDayNr = 0;
  int32_t FromDay = 1, FromMonth = 1, FromYear = kYearNotLinked;
  int32_t ToDay = 31, ToMonth = 12, ToYear = kYearNotLinked;
  uint8_t Method = 1;  // 1 Penman-Monteith for every station
  double PsychrometerCoefficient = kNewStationPsychrometerCoefficient;             // apsy (1/degC)
  double WindHeight = 2.0;                                                         // m
  double TdewTminDifference = TdewTminDifferenceOf(Climate::Humid);                // degC
  double HargreavesRsCoefficient = HargreavesRsCoefficientOf(Location::Interior);  // kRs
  double DefaultU2 = DefaultU2Of(WindClass::LightToModerate);                      // m/sec
  int32_t NumberOfRecords = 0;
  int32_t NumberOfParameters = 0;
  std::array<int16_t, kParameterCount> ParameterCodes;  // column order; unused entries -999
  CalculationSettings Settings;
  OptionFlags Flags;
  StationLimits Limits;

  RepClimateFile() { ParameterCodes.fill(-999); }

  Date From() const { return {FromDay, FromMonth, FromYear}; }
  Date To() const { return {ToDay, ToMonth, ToYear}; }
};

// Number of records of the station's span (also stored in its NumberOfRecords field).
int32_t NumberOfRecords(const RepClimateFile& station);

// Sets the station's data type and span from `from` to `to`, with the day numbers and the
// number of records that follow from them.
void SetSpan(RepClimateFile& station, uint8_t dataType, const Date& from, const Date& to);

// Sets FileName, OutputName, DscFileName and DtaFileName for a station in `folder`
// (a folder path ending with '/').
void SetStationFiles(RepClimateFile& station, const std::string& folder, const std::string& name);

// Writes the .DSC at DscFileName through a temporary file and a rename.
Status WriteStationDescription(const RepClimateFile& station);
// Reads the .DSC at DscFileName into the record and completes it. On failure the record is
// left exactly as it was.
Status ReadStationDescription(RepClimateFile& station);
// Reads the parameter codes from the header of the .DTA at DtaFileName. On failure the record
// is left exactly as it was.
Status ReadParameterCodes(RepClimateFile& station);

// The one-line description of a station and its span.
std::string BuildDescription(const std::string& stationName, const std::string& country,
                             uint8_t dataType, const Date& from, const Date& to);
// FileName, StationName and Country become empty.
void ClearStation(RepClimateFile& station);

struct DegreesMinutes {
  std::string Degrees;
  std::string Minutes;
  std::string Hemisphere;  // "North"/"South" or "East"/"West"
};
// A location in degrees, minutes and hemisphere.
DegreesMinutes DegreesAndMinutes(double value, bool isLatitude);

// A new station with every default: the coefficients of the three location classes, ETo as the
// only parameter, one year of daily data not linked to a year. The location and the span are the
// caller's to set.
RepClimateFile NewStation(Location location = Location::Interior, Climate climate = Climate::Humid,
                          WindClass wind = WindClass::LightToModerate);

}  // namespace vernoli
