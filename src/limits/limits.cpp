#include "limits/limits.h"

#include <algorithm>
#include <cmath>

#include "model/calendar.h"
#include "model/numbers.h"

namespace vernoli {

namespace {

// One step of `value` toward `direction`, never past the bound it moves toward.
int8_t Step(int8_t value, SpinDirection direction, int lowest, int highest) {
  if (direction == SpinDirection::Down) {
    return value > lowest ? static_cast<int8_t>(value - 1) : value;
  }
  return value < highest ? static_cast<int8_t>(value + 1) : value;
}

double Fahrenheit(double celsius) { return celsius * 9.0 / 5.0 + 32.0; }

// Divisors that turn a value in the standard unit into the display unit.
double VapourDivisor(VapourUnit unit) {
  switch (unit) {
    case VapourUnit::Mbar: return 0.1;
    case VapourUnit::Psi: return 6.89476;
    case VapourUnit::Atm: return 101.325;
    case VapourUnit::MmHg: return 0.133322;
  }
  return 0.1;
}

double RadiationDivisor(RadiationUnit unit) {
  switch (unit) {
    case RadiationUnit::Wm2: return 0.0864;
    case RadiationUnit::JPerCm2Day: return 0.01;
    case RadiationUnit::MmDay: return 2.45;
    case RadiationUnit::CalPerCm2Day: return 0.041868;
  }
  return 2.45;
}

int Rounded(double x) { return static_cast<int>(RoundHalfEven(x)); }

}  // namespace

void SpinTmin(StationLimits& limits, SpinDirection direction) {
  limits.LimitTmin = Step(limits.LimitTmin, direction, kLimitTminLowest, kLimitTminHighest);
  if (direction == SpinDirection::Up && limits.LimitTmax < limits.LimitTmin + kLimitTemperatureGap)
    limits.LimitTmax = static_cast<int8_t>(limits.LimitTmin + kLimitTemperatureGap);
}

void SpinTmax(StationLimits& limits, SpinDirection direction) {
  limits.LimitTmax = Step(limits.LimitTmax, direction, kLimitTmaxLowest, kLimitTmaxHighest);
  if (direction == SpinDirection::Down &&
      limits.LimitTmax < limits.LimitTmin + kLimitTemperatureGap)
    limits.LimitTmin = static_cast<int8_t>(limits.LimitTmax - kLimitTemperatureGap);
}

void SpinRHmin(StationLimits& limits, SpinDirection direction) {
  limits.LimitRHmin = Step(limits.LimitRHmin, direction, kLimitRHminLowest, kLimitRHminHighest);
}

void SpinWind(StationLimits& limits, SpinDirection direction) {
  limits.LimitWind = Step(limits.LimitWind, direction, kLimitWindLowest, kLimitWindHighest);
}

void SpinRadiationDeviation(StationLimits& limits, SpinDirection direction) {
  limits.LimitRadiationDeviation = Step(limits.LimitRadiationDeviation, direction,
                                        kLimitDeviationLowest, kLimitDeviationHighest);
}

LimitsUnits UnitsOfCodes(std::span<const int16_t> codes) {
  LimitsUnits units;
  for (int16_t code : codes) {
    switch (code) {
      case 223: units.Vapour = VapourUnit::Psi; break;
      case 224: units.Vapour = VapourUnit::Atm; break;
      case 225: units.Vapour = VapourUnit::MmHg; break;
      case 303: units.Wind = WindUnit::Knot; break;
      case 304: units.Wind = WindUnit::FtSec; break;
      case 422: units.Radiation = RadiationUnit::Wm2; break;
      case 423: units.Radiation = RadiationUnit::JPerCm2Day; break;
      case 425: units.Radiation = RadiationUnit::CalPerCm2Day; break;
      default: break;
    }
  }
  return units;
}

std::string LatitudeText(double latitude) {
  const double magnitude = std::fabs(latitude);
  const double whole = std::trunc(magnitude);
  std::string text = std::to_string(static_cast<long long>(whole));
  text += "\xB0 ";
  text += std::to_string(static_cast<long long>(RoundHalfEven((magnitude - whole) * 60.0)));
  text += ' ';
  text += latitude >= 0 ? " North " : " South ";
  return text;
}

std::string AngstromText(double coefficient) { return FormatReal(coefficient, 4, 2); }

std::string AltitudeCorrectionText(const RepClimateFile& station) {
  if (station.Flags.ElevationAdjustment == 0) return {};
  return "correction for altitude (" + std::to_string(station.Altitude) + "m)";
}

TemperatureTexts TemperatureDisplay(const StationLimits& limits) {
  return {FormatInt(limits.LimitTmin, 4), FormatInt(limits.LimitTmax, 4),
          FormatReal(Fahrenheit(limits.LimitTmin), 6, 1),
          FormatReal(Fahrenheit(limits.LimitTmax), 6, 1)};
}

HumidityTexts HumidityDisplay(const StationLimits& limits, VapourUnit unit) {
  const double emin = limits.LimitRHmin / 100.0 * SaturationVapourPressure(limits.LimitTmin);
  const double emax = SaturationVapourPressure(limits.LimitTmax);
  const double divisor = VapourDivisor(unit);
  return {FormatInt(limits.LimitRHmin, 4), FormatReal(emin, 7, 4), FormatReal(emax, 7, 4),
          FormatReal(emin / divisor, 10, 4), FormatReal(emax / divisor, 10, 4)};
}

WindTexts WindDisplay(const StationLimits& limits, WindUnit unit) {
  const double u = limits.LimitWind;
  double shown = u * 86.4;
  if (unit == WindUnit::Knot) shown = u / 0.5144;
  if (unit == WindUnit::FtSec) shown = u / 0.3048;
  return {FormatInt(limits.LimitWind, 4), FormatReal(shown, 6, 1)};
}

SolarYear SolarYearAt(double latitude) {
  SolarYear year{};
  for (int day = 1; day <= 365; ++day) year[day - 1] = ExtraterrestrialRadiation(day, latitude);
  return year;
}

int LowestRaDay(const SolarYear& year) {
  int found = 1;
  double lowest = 999.0;
  for (int day = 1; day <= 365; ++day) {
    if (year[day - 1].Ra < lowest) {
      lowest = year[day - 1].Ra;
      found = day;
    }
  }
  return found;
}

int HighestRaDay(const SolarYear& year) {
  int found = 1;
  double highest = -999.0;
  for (int day = 1; day <= 365; ++day) {
    if (year[day - 1].Ra > highest) {
      highest = year[day - 1].Ra;
      found = day;
    }
  }
  return found;
}

RadiationMaximum RadiationMaximumOn(int day, const RepClimateFile& station,
                                    const StationLimits& limits, RadiationUnit unit) {
  RadiationMaximum maximum;
  maximum.Day = day;
  const Date date = DateOfDayNr(day);
  maximum.DateText = std::to_string(date.Day) + " " + std::string(MonthName(date.Month));
  const SolarGeometry sun = ExtraterrestrialRadiation(day, station.Latitude);
  const double raise = 1.0 + limits.LimitRadiationDeviation / 100.0;
  const double rso = ClearSkyRadiation(sun.Ra, station.Altitude,
                                       station.Flags.ElevationAdjustment != 0,
                                       station.Settings.AngstromA, station.Settings.AngstromB);
  maximum.RsMax = raise * rso;
  maximum.Nmax = std::min(24.0, raise * sun.N);
  maximum.NmaxText = FormatReal(maximum.Nmax, 6, 1);
  maximum.RsMaxMJText = FormatReal(maximum.RsMax, 6, 1);
  maximum.RsMaxText = FormatReal(maximum.RsMax / RadiationDivisor(unit), 6, 1);
  return maximum;
}

RadiationTexts RadiationDisplay(const RepClimateFile& station, const StationLimits& limits,
                                RadiationUnit unit) {
  const SolarYear year = SolarYearAt(station.Latitude);
  return {FormatInt(limits.LimitRadiationDeviation, 3),
          RadiationMaximumOn(LowestRaDay(year), station, limits, unit),
          RadiationMaximumOn(HighestRaDay(year), station, limits, unit)};
}

namespace {

int ColumnX(int day, int width) {
  const double w = width / 365.0;
  return Rounded((day - 1) * w + w / 2);
}

}  // namespace

ChartColumns DaylightColumns(const SolarYear& year, int width, int height) {
  ChartColumns columns{};
  for (int day = 1; day <= 365; ++day) {
    columns[day - 1] = {ColumnX(day, width), Rounded((1.0 - year[day - 1].N / 24.0) * height)};
  }
  return columns;
}

ChartColumns RadiationColumns(const SolarYear& year, int width, int height) {
  ChartColumns columns{};
  for (int day = 1; day <= 365; ++day) {
    columns[day - 1] = {ColumnX(day, width), height - Rounded(height * year[day - 1].Ra / 45.0)};
  }
  return columns;
}

}  // namespace vernoli
