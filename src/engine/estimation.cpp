#include "engine/estimation.h"

#include <cmath>

#include "model/parameters.h"

namespace vernoli {

namespace {

bool Present(double x) { return !IsMissing(x); }

// Fills a missing maximum, then a missing minimum, from the mean and the other extreme.
void FillExtremes(double& maximum, double mean, double& minimum) {
  if (!Present(maximum) && Present(mean) && Present(minimum)) {
    maximum = FiniteOrMissing(2 * mean - minimum);
  }
  if (!Present(minimum) && Present(mean) && Present(maximum)) {
    minimum = FiniteOrMissing(2 * mean - maximum);
  }
}

}  // namespace

TemperatureExtremes EstimateTemperatureExtremes(double tmax, double tmean, double tmin) noexcept {
  FillExtremes(tmax, tmean, tmin);
  return {tmax, tmin, MeanOrGiven(tmax, tmin, tmean)};
}

HumidityExtremes EstimateHumidityExtremes(double rhmax, double rhmean, double rhmin) noexcept {
  FillExtremes(rhmax, rhmean, rhmin);
  return {rhmax, rhmin, MeanOrGiven(rhmax, rhmin, rhmean)};
}

double ActualVapourPressure(const VapourPressureSources& s, double pressure,
                            double psychrometerCoefficient, double tdewTminDifference) noexcept {
  // 1. Measured.
  if (Present(s.EactObserved)) return s.EactObserved;

  // 2. Saturated at the dewpoint.
  if (Present(s.Tdew)) return SaturationVapourPressure(s.Tdew);

  // 3. Psychrometer. A wet bulb above the dry bulb is a reading error: the air is saturated.
  if (Present(s.Tdry) && Present(s.Twet)) {
    const double twet = s.Tdry < s.Twet ? s.Tdry : s.Twet;
    const double ewet = SaturationVapourPressure(twet);
    if (IsMissing(ewet) || IsMissing(pressure)) return kMissing;
    return FiniteOrMissing(ewet - psychrometerCoefficient * pressure * (s.Tdry - twet));
  }

  const bool tmax = Present(s.Tmax.T), tmin = Present(s.Tmin.T);
  const bool rhmax = Present(s.RHmax), rhmin = Present(s.RHmin);

  // 4. Both humidity extremes with both temperature extremes.
  if (rhmax && rhmin && tmax && tmin) {
    if (IsMissing(s.Tmin.Es) || IsMissing(s.Tmax.Es)) return kMissing;
    return FiniteOrMissing((s.Tmin.Es * s.RHmax / 100 + s.Tmax.Es * s.RHmin / 100) / 2);
  }

  // 5. Maximum humidity, reached at the minimum temperature.
  if (rhmax && tmin) {
    if (IsMissing(s.Tmin.Es)) return kMissing;
    return FiniteOrMissing(s.Tmin.Es * s.RHmax / 100);
  }

  // 6. Mean humidity at the mean temperature.
  if (Present(s.RHmeanStar) && Present(s.TmeanStar.T)) {
    if (IsMissing(s.TmeanStar.Es)) return kMissing;
    return FiniteOrMissing(s.RHmeanStar * s.TmeanStar.Es / 100);
  }

  // 7. The dewpoint lies TdewTminDifference below the minimum temperature (0 in humid areas,
  //    where e deg(Tmin) has been computed already).
  if (tmin) {
    if (tdewTminDifference == 0) return s.Tmin.Es;
    return SaturationVapourPressure(s.Tmin.T - tdewTminDifference);
  }

  return kMissing;
}

double SolarRadiation(const RadiationSources& s, const SolarGeometry& sun, double angstromA,
                      double angstromB, double hargreavesRsCoefficient) noexcept {
  // No sun (polar night): no radiation, whatever was measured.
  if (RoundsToZero(sun.Ra)) return 0.0;
  if (RoundsToZero(sun.N)) return 0.0;

  // Measured.
  if (Present(s.RsObserved)) return s.RsObserved;

  // From the sunshine hours or the relative sunshine (Angstrom).
  if (Present(s.Sunshine) && Present(sun.N) && Present(sun.Ra)) {
    return FiniteOrMissing(sun.Ra * (angstromA + angstromB * s.Sunshine / sun.N));
  }
  if (Present(s.RelativeSunshine) && Present(sun.Ra)) {
    return FiniteOrMissing(sun.Ra * (angstromA + angstromB * s.RelativeSunshine));
  }

  // From the daily temperature range.
  if (Present(s.Tmax) && Present(s.Tmin) && s.Tmax > s.Tmin) {
    if (IsMissing(sun.Ra)) return kMissing;
    return FiniteOrMissing(hargreavesRsCoefficient * std::sqrt(s.Tmax - s.Tmin) * sun.Ra);
  }

  return kMissing;
}

double SunshineDuration(double sunshineObserved, double relativeSunshine, double rsStar,
                        const SolarGeometry& sun, double angstromA, double angstromB) noexcept {
  // No sunshine at polar night, so n is 0.
  if (RoundsToZero(sun.N)) return 0.0;
  if (RoundsToZero(sun.Ra)) return 0.0;

  // Measured.
  if (Present(sunshineObserved)) return sunshineObserved;

  if (Present(sun.N) && Present(relativeSunshine)) {
    return FiniteOrMissing(sun.N * relativeSunshine);
  }

  // Back from the solar radiation, inverting the Angstrom formula. With AngstromB = 0 the
  // radiation does not depend on n and the quotient is infinite or not a number.
  if (Present(sun.N) && Present(rsStar) && Present(sun.Ra)) {
    const double n = sun.N / angstromB * (rsStar / sun.Ra - angstromA);
    if (!std::isfinite(n)) return kMissing;
    if (n < 0) return 0.0;
    if (n > sun.N) return sun.N;
    return n;
  }

  return kMissing;
}

}  // namespace vernoli
