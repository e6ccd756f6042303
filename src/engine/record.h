// The per-record driver: completes one climatic record, computes the intermediate quantities
// and evaluates the five ETo methods.
//
// Method selector: 0 Blaney-Criddle, 1 Penman-Monteith, 2 Hargreaves, 3 Makkink radiation
// method, 4 modified Penman; any other value makes the driver return -999. The selector also
// picks the albedo of the net radiation (AlbedoPM for 1, AlbedoPenman otherwise).
//
// No NaN, infinity or exception ever leaves the driver: an input value that is not a finite
// number counts as missing, and a quantity that cannot be computed as a finite number is -999.
#pragma once

#include <array>
#include <cstdint>

#include "engine/equations.h"
#include "model/parameters.h"
#include "model/station.h"

namespace vernoli {

// The results of one record, in the order of the result table; -999 when not computed.
struct RecordResults {
  double TmeanStar = kMissing;     // degC
  double RHmeanStar = kMissing;    // %
  double EactStar = kMissing;      // kPa
  double Esat = kMissing;          // kPa
  double TdewStar = kMissing;      // degC
  double U2Star = kMissing;        // m/sec
  double SunshineStar = kMissing;  // n*, hour/day
  double DaylightHours = kMissing; // N, hour/day
  double Ra = kMissing;            // MJ/m2.day
  double RsStar = kMissing;        // MJ/m2.day
  double Rnl = kMissing;           // MJ/m2.day
  double RnStar = kMissing;        // MJ/m2.day
  double EToPM = kMissing;         // mm/day
  double EToPen = kMissing;        // mm/day
  double EToHar = kMissing;        // mm/day
  double EToMak = kMissing;        // mm/day
  double EToBC = kMissing;         // mm/day
};

// ETo of one record for day of year `dayOfYear` (1..365), every scalar given explicitly.
// Fills all 17 results whatever the method and returns the ETo of the selected method.
double ComputeRecord(int32_t dayOfYear, const ClimaticRecord& record,
                     const CalculationSettings& settings, const OptionFlags& flags,
                     double latitude, double windHeight, double psychrometerCoefficient,
                     double tdewTminDifference, double defaultU2, double hargreavesRsCoefficient,
                     int32_t altitude, uint8_t method, RecordResults& results) noexcept;

// The same, with every scalar taken from the station description.
double ComputeRecord(int32_t dayOfYear, const ClimaticRecord& record,
                     const RepClimateFile& station, RecordResults& results) noexcept;

// Day of year (1..365, calendar of 1901) used for the radiation of record k (0-based offset
// from the station's first record): the day itself for daily data, day 5, 15 or 25 of the
// decade's month for 10-daily data, day 15 of the month for monthly data. -999 for an unknown
// data type.
int32_t DayOfYearForRecord(const RepClimateFile& station, int32_t k) noexcept;

// What every record of one station shares, computed once: the station's settings, the
// pressure and psychrometric constant, the wind-profile logarithm, and Ra, N and Rso of each
// day of year. ComputeRecord with these constants gives results bit-identical to the call with
// the station's scalars, at a fraction of the cost.
struct StationConstants {
  CalculationSettings Settings;
  OptionFlags Flags;
  double Latitude;
  double WindHeight;
  double PsychrometerCoefficient;
  double TdewTminDifference;
  double DefaultU2;
  double HargreavesRsCoefficient;
  int32_t Altitude;
  uint8_t Method;

  double Pressure;              // kPa
  double Gamma;                 // kPa/degC
  double WindProfileLogarithm;  // ln(67.8 z - 5.42)
  std::array<SolarGeometry, 366> Sun;  // element J for day of year J = 1..365
  std::array<double, 366> Rso;         // MJ/m2.day, element J for day of year J

  StationConstants(const CalculationSettings& settings, const OptionFlags& flags,
                   double latitude, double windHeight, double psychrometerCoefficient,
                   double tdewTminDifference, double defaultU2, double hargreavesRsCoefficient,
                   int32_t altitude, uint8_t method) noexcept;
  explicit StationConstants(const RepClimateFile& station) noexcept;
};

// ETo of one record with the station's constants (the fast path for runs over many records).
// A day of year outside 1..365 is computed directly.
double ComputeRecord(int32_t dayOfYear, const ClimaticRecord& record,
                     const StationConstants& station, RecordResults& results) noexcept;

}  // namespace vernoli
