// Estimation of missing climatic data: one cascade per quantity.
//
// Each cascade tries its sources in a fixed order and takes the first one whose inputs are
// present, so an observed value always wins over an estimate and a better estimate over a
// poorer one. A cascade that finds no usable source returns -999. Units as in equations.h.
#pragma once

#include "engine/equations.h"

namespace vernoli {

// Temperatures after filling a missing extreme from the mean.
struct TemperatureExtremes {
  double Tmax;
  double Tmin;
  double TmeanStar;  // mean of the extremes when both exist, else the observed Tmean
};

// Tmax = 2 Tmean - Tmin when Tmax is missing, then Tmin = 2 Tmean - Tmax when Tmin is missing;
// Tmean* = MeanOrGiven(Tmax, Tmin, Tmean). Temperatures in degC.
TemperatureExtremes EstimateTemperatureExtremes(double tmax, double tmean, double tmin) noexcept;

// Relative humidities after filling a missing extreme from the mean.
struct HumidityExtremes {
  double RHmax;
  double RHmin;
  double RHmeanStar;
};

// The same two steps as for temperature, with RHmax, RHmean and RHmin (%).
HumidityExtremes EstimateHumidityExtremes(double rhmax, double rhmean, double rhmin) noexcept;

// The sources of the actual vapour pressure of one record. Tmax, Tmin, RHmax and RHmin are the
// values completed from the means; the temperatures carry their saturation vapour pressures.
struct VapourPressureSources {
  double EactObserved;  // kPa
  double Tdew;          // degC
  double Tdry;          // degC, psychrometer dry bulb
  double Twet;          // degC, psychrometer wet bulb
  double RHmax;         // %
  double RHmin;         // %
  double RHmeanStar;    // %
  SaturatedAt Tmax;
  SaturatedAt Tmin;
  SaturatedAt TmeanStar;
};

// ea (kPa), the first usable of: the observed e(act); e deg(Tdew); the psychrometer
// e deg(Twet) - apsy P (Tdry - Twet) (Twet taken as Tdry when above it); both humidity and
// temperature extremes; RHmax with Tmin; RHmean* with Tmean*; e deg(Tmin - TdewTminDifference).
// pressure P in kPa, psychrometerCoefficient apsy in 1/degC, tdewTminDifference in degC.
double ActualVapourPressure(const VapourPressureSources& sources, double pressure,
                            double psychrometerCoefficient, double tdewTminDifference) noexcept;

// The sources of the solar radiation of one record.
struct RadiationSources {
  double RsObserved;        // MJ/m2.day
  double Sunshine;          // n, hour/day
  double RelativeSunshine;  // n/N, fraction
  double Tmax;              // degC, completed from the mean
  double Tmin;              // degC, completed from the mean
};

// Rs* (MJ/m2.day): 0 when Ra or N rounds to 0 (polar night, even over an observed Rs); else
// the first usable of: the observed Rs; Ra (a + b n / N); Ra (a + b n/N);
// kRs sqrt(Tmax - Tmin) Ra when Tmax > Tmin.
double SolarRadiation(const RadiationSources& sources, const SolarGeometry& sun,
                      double angstromA, double angstromB,
                      double hargreavesRsCoefficient) noexcept;

// n* (hour/day): 0 when N or Ra rounds to 0; else the first usable of: the observed n;
// N x n/N; N / b (Rs* / Ra - a) limited to 0..N. Missing when AngstromB is 0 and n must be
// derived from Rs*.
double SunshineDuration(double sunshineObserved, double relativeSunshine, double rsStar,
                        const SolarGeometry& sun, double angstromA, double angstromB) noexcept;

}  // namespace vernoli
