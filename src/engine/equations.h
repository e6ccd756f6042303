// The elementary meteorological equations of the ETo engine: pure functions on doubles.
//
// Symbols and units (every value in its standard unit):
//   T, Tmax, Tmin, Tmean, Tdew   air, dewpoint temperature         degC
//   RH                           relative humidity                 %
//   ea                           actual vapour pressure            kPa
//   e deg(T), es                 saturation vapour pressure        kPa
//   Delta                        slope of the e deg(T) curve       kPa/degC
//   P                            atmospheric pressure              kPa
//   gamma                        psychrometric constant            kPa/degC
//   z                            altitude (integer) / height       m
//   u(x), u2, Ud                 wind speed at x m, at 2 m, by day m/sec
//   J                            day of year, 1..365
//   N                            daylight hours                    hour/day
//   Ra, Rso, Rs, Rnl, Rn         extraterrestrial, clear-sky, solar, net longwave and net
//                                radiation                         MJ/m2.day
//
// Every function returns -999 (kMissing) when an input it needs is missing (IsMissing), unless
// its comment says otherwise. A result that would be infinite or not a number (a logarithm of a
// non-positive value, a division by zero, an overflow) is returned as -999 as well, so that no
// NaN or infinity ever reaches a caller.
#pragma once

#include <cmath>
#include <cstdint>

namespace vernoli {

// Extraterrestrial radiation and daylight hours of one day at one latitude.
struct SolarGeometry {
  double Ra;  // MJ/m2.day
  double N;   // hour/day
};

// A temperature together with its saturation vapour pressure, computed once and shared by the
// equations that need both. Es is -999 when T is missing or e deg(T) cannot be computed.
struct SaturatedAt {
  double T;   // degC
  double Es;  // kPa
};

// True exactly when x rounds (half to even) to 0, that is when -0.5 <= x <= 0.5.
constexpr bool RoundsToZero(double x) noexcept { return x >= -0.5 && x <= 0.5; }

// x itself when it is a finite number, otherwise -999.
inline double FiniteOrMissing(double x) noexcept { return std::isfinite(x) ? x : -999.0; }

// (a + b) / 2 when neither a nor b is missing, otherwise `given` unchanged (may be -999).
double MeanOrGiven(double a, double b, double given) noexcept;

// P (kPa) at altitude z (m); 101.3 at sea level. Missing only for altitudes beyond the
// atmosphere of the formula (z >= 45077 m).
double AtmosphericPressure(int32_t altitude) noexcept;

// gamma (kPa/degC) from P (kPa).
double PsychrometricConstant(double pressure) noexcept;

// e deg(T) (kPa) for T (degC). Does not test T for the missing value; every caller does.
// Missing at and below the pole of the formula, T <= -237.3 degC.
double SaturationVapourPressure(double t) noexcept;

// T (degC) with e deg(T) (kPa); e deg is not computed for a missing T.
SaturatedAt Saturation(double t) noexcept;

// es (kPa): mean of e deg(Tmax) and e deg(Tmin) when both extremes exist, else e deg(Tmean).
double MeanSaturationVapourPressure(double tmax, double tmin, double tmean) noexcept;
double MeanSaturationVapourPressure(const SaturatedAt& tmax, const SaturatedAt& tmin,
                                    const SaturatedAt& tmean) noexcept;

// Delta (kPa/degC) at T (degC).
double SlopeVapourPressureCurve(double t) noexcept;
double SlopeVapourPressureCurve(const SaturatedAt& t) noexcept;

// RH (%) = 100 ea / e deg(T), from T (degC) and ea (kPa); not limited to 100.
double RelativeHumidity(double t, double ea) noexcept;
double RelativeHumidity(const SaturatedAt& t, double ea) noexcept;

// Tdew (degC): the given Tdew when present, else the dewpoint of ea (kPa). Missing when ea is
// not positive.
double DewPoint(double ea, double tdewGiven) noexcept;

// u2 (m/sec) from u(x) (m/sec) measured at height z (m); the station's default u2 when u(x) is
// missing. Missing when the height is too low for the logarithmic profile (z <= 0.0947 m).
double WindSpeedAt2m(double defaultU2, double height, double ux) noexcept;

// The logarithm of the wind profile at height z (m), ln(67.8 z - 5.42): the divisor of
// WindSpeedAt2m, computed once per station by the fast path.
double WindProfileLogarithm(double height) noexcept;
// u2 (m/sec) from u(x) (m/sec) and the profile logarithm of the measurement height.
double WindSpeedAt2mFromLogarithm(double defaultU2, double profileLogarithm, double ux) noexcept;

// Ud (m/sec), the daytime wind, from u2 (m/sec) and the day/night wind ratio r. A ratio of 0
// (no wind by day) gives 0.
double DaytimeWindSpeed(uint8_t ratio, double u2) noexcept;

// Ra (MJ/m2.day) and N (hour/day) for day of year J at latitude (degrees, north positive).
// Never missing for a finite latitude; 0 and 0 at polar night, N = 24 at polar day.
SolarGeometry ExtraterrestrialRadiation(int32_t dayOfYear, double latitude) noexcept;

// Rso (MJ/m2.day) from Ra: (0.75 + 2 z / 100000) Ra with the elevation adjustment, else
// (AngstromA + AngstromB) Ra.
double ClearSkyRadiation(double ra, int32_t altitude, bool elevationAdjustment, double angstromA,
                         double angstromB) noexcept;

// Rnl (MJ/m2.day) from Rso, Rs (MJ/m2.day), ea (kPa) and the temperatures (degC); 0 when Rso
// rounds to 0, never negative. Missing when ea is negative.
double NetLongwaveRadiation(double rso, double rs, double ea, double tmin, double tmax,
                            double tmean) noexcept;

// Rn (MJ/m2.day): the given (measured) Rn when present, else Rs (1 - albedo) - Rnl with the
// Penman-Monteith albedo for method 1 and the Penman albedo for every other method.
double NetRadiation(uint8_t method, double albedoPenman, double albedoPM, double rnl, double rs,
                    double rnGiven) noexcept;

}  // namespace vernoli
