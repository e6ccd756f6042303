// The logic of the data-limits form: the steps and couplings of the five station limits, the
// ranges that follow from them at the station's latitude, and the two year charts.
//
// The texts are Windows-1252 bytes in the widths the form shows them in.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "engine/equations.h"
#include "model/parameters.h"
#include "model/station.h"

namespace vernoli {

// The bounds within which the form moves each limit.
inline constexpr int kLimitTminLowest = -60;
inline constexpr int kLimitTminHighest = 45;
inline constexpr int kLimitTmaxLowest = -40;
inline constexpr int kLimitTmaxHighest = 60;
inline constexpr int kLimitRHminLowest = 1;
inline constexpr int kLimitRHminHighest = 90;
inline constexpr int kLimitWindLowest = 1;
inline constexpr int kLimitWindHighest = 15;
inline constexpr int kLimitDeviationLowest = 0;
inline constexpr int kLimitDeviationHighest = 25;
// LimitTmax stays at least this far above LimitTmin.
inline constexpr int kLimitTemperatureGap = 5;

// ---------------------------------------------------------------------------------------------
// Steps of one

enum class SpinDirection { Down, Up };

// Each moves one limit by 1 within its bounds; a limit already at (or beyond) the bound it moves
// toward stays where it is. Raising LimitTmin above LimitTmax - 5 raises LimitTmax to
// LimitTmin + 5; lowering LimitTmax below LimitTmin + 5 lowers LimitTmin to LimitTmax - 5.
void SpinTmin(StationLimits& limits, SpinDirection direction);
void SpinTmax(StationLimits& limits, SpinDirection direction);
void SpinRHmin(StationLimits& limits, SpinDirection direction);
void SpinWind(StationLimits& limits, SpinDirection direction);
void SpinRadiationDeviation(StationLimits& limits, SpinDirection direction);

// ---------------------------------------------------------------------------------------------
// Display units (the order of the items of the form's unit boxes)

enum class VapourUnit { Mbar, Psi, Atm, MmHg };
enum class WindUnit { KmDay, Knot, FtSec };
enum class RadiationUnit { Wm2, JPerCm2Day, MmDay, CalPerCm2Day };

struct LimitsUnits {
  VapourUnit Vapour = VapourUnit::Mbar;
  WindUnit Wind = WindUnit::KmDay;
  RadiationUnit Radiation = RadiationUnit::MmDay;
};

// The units in which the station's data are stored: mbar, km/day and mm/day unless a code of the
// data file says otherwise (223 psi, 224 atm, 225 mmHg; 303 knot, 304 ft/sec; 422 W/m2,
// 423 J/cm2.day, 425 cal/cm2.day). The last matching code wins.
LimitsUnits UnitsOfCodes(std::span<const int16_t> codes);

// ---------------------------------------------------------------------------------------------
// Identification

// "41\xB0 54  North ": whole degrees, the degree sign and a blank, the minutes (rounded), a blank
// and " North " or " South ".
std::string LatitudeText(double latitude);
// An Angstrom coefficient as the form shows it: R(4,2).
std::string AngstromText(double coefficient);
// "correction for altitude (350m)" when the elevation adjustment is on, else empty.
std::string AltitudeCorrectionText(const RepClimateFile& station);

// ---------------------------------------------------------------------------------------------
// The ranges that follow from the limits

struct TemperatureTexts {
  std::string TminC, TmaxC;  // I(4), degC
  std::string TminF, TmaxF;  // R(6,1), degF
};
TemperatureTexts TemperatureDisplay(const StationLimits& limits);

struct HumidityTexts {
  std::string RHmin;             // I(4), %
  std::string EminkPa, EmaxkPa;  // R(7,4), kPa
  std::string Emin, Emax;        // R(10,4), in the chosen unit
};
// e min = LimitRHmin / 100 e deg(LimitTmin); e max = e deg(LimitTmax).
HumidityTexts HumidityDisplay(const StationLimits& limits, VapourUnit unit);

struct WindTexts {
  std::string UmaxMS;  // I(4), m/sec
  std::string Umax;    // R(6,1), in the chosen unit
};
WindTexts WindDisplay(const StationLimits& limits, WindUnit unit);

// Ra and N of every day of the year (day J is element J - 1) at one latitude.
using SolarYear = std::array<SolarGeometry, 365>;
SolarYear SolarYearAt(double latitude);

// Day of the year (1..365) of the lowest Ra: the first day strictly below every day before it.
int LowestRaDay(const SolarYear& year);
// Day of the year (1..365) of the highest Ra: the first day strictly above every day before it.
int HighestRaDay(const SolarYear& year);

// The theoretical maximum of sunshine and radiation on one day, raised by the allowed deviation.
struct RadiationMaximum {
  int Day = 0;           // day of the year
  std::string DateText;  // "21 June"
  double Nmax = 0.0;     // hour/day, at most 24
  double RsMax = 0.0;    // MJ/m2.day
  std::string NmaxText;    // R(6,1)
  std::string RsMaxMJText; // R(6,1), MJ/m2.day
  std::string RsMaxText;   // R(6,1), in the chosen unit
};
RadiationMaximum RadiationMaximumOn(int day, const RepClimateFile& station,
                                    const StationLimits& limits, RadiationUnit unit);

struct RadiationTexts {
  std::string Deviation;     // I(3), %
  RadiationMaximum Lowest;   // the day of the lowest Ra
  RadiationMaximum Highest;  // the day of the highest Ra
};
RadiationTexts RadiationDisplay(const RepClimateFile& station, const StationLimits& limits,
                                RadiationUnit unit);

// ---------------------------------------------------------------------------------------------
// The two year charts: one vertical line per day from the bottom up to Top.

struct ChartColumn {
  int X;    // pixel column
  int Top;  // pixel row of the line's upper end (0 is the top of the chart)
};
using ChartColumns = std::array<ChartColumn, 365>;

// N on a scale of 0 to 24 hours.
ChartColumns DaylightColumns(const SolarYear& year, int width, int height);
// Ra on a scale of 0 to 45 MJ/m2.day.
ChartColumns RadiationColumns(const SolarYear& year, int width, int height);

}  // namespace vernoli
