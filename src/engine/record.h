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

// What the driver needs of a station besides its records; the defaults are those of a new
// station description.
struct StationInputs {
  CalculationSettings Settings{};          // albedos, Angstrom a and b, coefficients, wind ratio
  OptionFlags Flags{};                     // elevation adjustment, adjustments of the methods
  double Latitude = 0.0;                   // degrees, north positive
  double WindHeight = 2.0;                 // height of the wind measurement, m
  double PsychrometerCoefficient = 0.0008; // apsy, 1/degC
  double TdewTminDifference = 0.0;         // Tmin - Tdew for ea from Tmin alone, degC
  double DefaultU2 = 2.0;                  // u2 when no wind is measured, m/sec
  double HargreavesRsCoefficient = 0.16;   // kRs of Rs from the temperature range, -
  int32_t Altitude = 0;                    // m above sea level
  uint8_t Method = 1;                      // the method selector (see above)
};

// The driver's inputs of a station description.
StationInputs StationInputsOf(const RepClimateFile& station) noexcept;

// ETo of one record for day of year `dayOfYear` (1..365).
// Fills all 17 results whatever the method and returns the ETo of the selected method.
double ComputeRecord(int32_t dayOfYear, const ClimaticRecord& record,
                     const StationInputs& station, RecordResults& results) noexcept;

// The same, with the inputs of the station description.
double ComputeRecord(int32_t dayOfYear, const ClimaticRecord& record,
                     const RepClimateFile& station, RecordResults& results) noexcept;

// Day of year (1..365, calendar of 1901) used for the radiation of record k (0-based offset
// from the station's first record): the day itself for daily data, day 5, 15 or 25 of the
// decade's month for 10-daily data, day 15 of the month for monthly data. -999 for an unknown
// data type.
int32_t DayOfYearForRecord(const RepClimateFile& station, int32_t k) noexcept;

// The same day of year from the date of a record (the first day of its decade or month for
// 10-daily and monthly data), for loops that step through the dates anyway.
int32_t DayOfYearOfRecordDate(uint8_t dataType, const Date& date) noexcept;

// What every record of one station shares, computed once: the station's inputs, the
// pressure and psychrometric constant, the wind-profile logarithm, and Ra, N and Rso of each
// day of year. ComputeRecord with these constants gives results bit-identical to the call with
// the station's inputs, at a fraction of the cost.
struct StationConstants {
  StationInputs Inputs;

  double Pressure;              // kPa
  double Gamma;                 // kPa/degC
  double WindProfileLogarithm;  // ln(67.8 z - 5.42)
  std::array<SolarGeometry, 366> Sun;  // element J for day of year J = 1..365
  std::array<double, 366> Rso;         // MJ/m2.day, element J for day of year J

  explicit StationConstants(const StationInputs& inputs) noexcept;
  explicit StationConstants(const RepClimateFile& station) noexcept;
};

// ETo of one record with the station's constants (the fast path for runs over many records).
// A day of year outside 1..365 is computed directly.
double ComputeRecord(int32_t dayOfYear, const ClimaticRecord& record,
                     const StationConstants& station, RecordResults& results) noexcept;

}  // namespace vernoli
