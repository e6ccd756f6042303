#include "engine/equations.h"

#include <cmath>
#include <numbers>

#include "model/parameters.h"

namespace vernoli {

namespace {

constexpr double kPi = std::numbers::pi;
// Stefan-Boltzmann constant, MJ/K4/m2/day.
constexpr double kStefanBoltzmann = 4.903e-9;
// 24 x 60 x 0.0820 / pi: the solar constant over a day, MJ/m2.day per radian.
constexpr double kRadiationConstant = 37.586031360582;

double Fourth(double x) {
  const double square = x * x;
  return square * square;
}

}  // namespace

double MeanOrGiven(double a, double b, double given) noexcept {
  if (IsMissing(a) || IsMissing(b)) return given;
  return FiniteOrMissing((a + b) / 2);
}

double AtmosphericPressure(int32_t altitude) noexcept {
  const double ratio = (293 - 0.0065 * altitude) / 293;
  // Above about 45 km the formula has no atmosphere left.
  if (!(ratio > 0)) return kMissing;
  return FiniteOrMissing(std::exp(5.26 * std::log(ratio) + std::log(101.3)));
}

double PsychrometricConstant(double pressure) noexcept {
  if (IsMissing(pressure)) return kMissing;
  return FiniteOrMissing(0.664742 * pressure / 1000);
}

double SaturationVapourPressure(double t) noexcept {
  // The formula has its pole at -237.3 degC: there and below it gives no vapour pressure (the
  // exponent divides by zero, then overflows).
  if (!(t > -237.3)) return kMissing;
  return FiniteOrMissing(0.6108 * std::exp(17.27 * t / (t + 237.3)));
}

SaturatedAt Saturation(double t) noexcept {
  return {t, IsMissing(t) ? kMissing : SaturationVapourPressure(t)};
}

double MeanSaturationVapourPressure(const SaturatedAt& tmax, const SaturatedAt& tmin,
                                   const SaturatedAt& tmean) noexcept {
  if (!IsMissing(tmax.T) && !IsMissing(tmin.T)) {
    if (IsMissing(tmax.Es) || IsMissing(tmin.Es)) return kMissing;
    return FiniteOrMissing((tmax.Es + tmin.Es) / 2);
  }
  if (!IsMissing(tmean.T)) return tmean.Es;
  return kMissing;
}

double MeanSaturationVapourPressure(double tmax, double tmin, double tmean) noexcept {
  return MeanSaturationVapourPressure(Saturation(tmax), Saturation(tmin), Saturation(tmean));
}

double SlopeVapourPressureCurve(const SaturatedAt& t) noexcept {
  if (IsMissing(t.T) || IsMissing(t.Es)) return kMissing;
  const double shifted = t.T + 237.3;
  return FiniteOrMissing(4098 * t.Es / (shifted * shifted));
}

double SlopeVapourPressureCurve(double t) noexcept {
  return SlopeVapourPressureCurve(Saturation(t));
}

double RelativeHumidity(const SaturatedAt& t, double ea) noexcept {
  if (IsMissing(t.T) || IsMissing(ea) || IsMissing(t.Es)) return kMissing;
  // e deg is 0 just above -237.3 degC: no humidity can be computed there.
  return FiniteOrMissing(100 * ea / t.Es);
}

double RelativeHumidity(double t, double ea) noexcept {
  return RelativeHumidity(Saturation(t), ea);
}

double DewPoint(double ea, double tdewGiven) noexcept {
  if (!IsMissing(tdewGiven)) return tdewGiven;
  if (IsMissing(ea)) return tdewGiven;
  // No dewpoint for a vapour pressure that is zero or negative (a psychrometer reading can give
  // one): its logarithm does not exist.
  if (!(ea > 0)) return kMissing;
  const double l = std::log(ea / 0.6108);
  return FiniteOrMissing(237.3 * l / (17.27 - l));
}

double WindProfileLogarithm(double height) noexcept { return std::log(67.8 * height - 5.42); }

double WindSpeedAt2mFromLogarithm(double defaultU2, double profileLogarithm, double ux) noexcept {
  if (IsMissing(ux)) return FiniteOrMissing(defaultU2);
  // A measurement height of 0.0947 m or less leaves no positive logarithm to divide by.
  if (!(profileLogarithm > 0)) return kMissing;
  return FiniteOrMissing(ux * 4.87 / profileLogarithm);
}

double WindSpeedAt2m(double defaultU2, double height, double ux) noexcept {
  if (IsMissing(ux)) return FiniteOrMissing(defaultU2);
  return WindSpeedAt2mFromLogarithm(defaultU2, WindProfileLogarithm(height), ux);
}

double DaytimeWindSpeed(uint8_t ratio, double u2) noexcept {
  if (IsMissing(u2)) return kMissing;
  // Ratio 0: no wind by day at all.
  if (ratio == 0) return 0.0;
  return FiniteOrMissing(2 * u2 / (1 + 1.0 / ratio));
}

SolarGeometry ExtraterrestrialRadiation(int32_t dayOfYear, double latitude) noexcept {
  if (!std::isfinite(latitude)) return {kMissing, kMissing};
  const double b = 2 * kPi * dayOfYear / 365;
  const double dr = 1 + 0.033 * std::cos(b);
  const double declination = 0.409 * std::sin(b - 1.39);
  const double phi = latitude * kPi / 180;
  const double x = -std::tan(phi) * std::tan(declination);
  double sunsetAngle;
  if (x > 1) {
    sunsetAngle = 0;  // polar night: the sun does not rise
  } else if (x < -1) {
    sunsetAngle = kPi;  // polar day: the sun does not set
  } else {
    sunsetAngle = std::acos(x);
  }
  const double ra =
      kRadiationConstant * dr *
      (sunsetAngle * std::sin(phi) * std::sin(declination) +
       std::cos(phi) * std::cos(declination) * std::sin(sunsetAngle));
  return {FiniteOrMissing(ra), FiniteOrMissing(24 * sunsetAngle / kPi)};
}

double ClearSkyRadiation(double ra, int32_t altitude, bool elevationAdjustment, double angstromA,
                         double angstromB) noexcept {
  if (IsMissing(ra)) return kMissing;
  if (elevationAdjustment) return FiniteOrMissing(ra * (0.75 + 2.0 * altitude / 100000));
  return FiniteOrMissing(ra * (angstromA + angstromB));
}

double NetLongwaveRadiation(double rso, double rs, double ea, double tmin, double tmax,
                            double tmean) noexcept {
  // No clear-sky radiation (polar night): no net longwave loss either.
  if (RoundsToZero(rso)) return 0.0;
  const bool extremes = !IsMissing(tmax) && !IsMissing(tmin);
  if (!extremes && IsMissing(tmean)) return kMissing;
  if (IsMissing(ea) || IsMissing(rs) || IsMissing(rso)) return kMissing;
  // The square root of a negative vapour pressure does not exist.
  if (ea < 0) return kMissing;
  const double sigmaT4 =
      extremes ? kStefanBoltzmann * (Fourth(tmax + 273.16) + Fourth(tmin + 273.16)) / 2
               : kStefanBoltzmann * Fourth(tmean + 273.16);
  const double rnl = sigmaT4 * (0.34 - 0.14 * std::sqrt(ea)) * (1.35 * rs / rso - 0.35);
  if (!std::isfinite(rnl)) return kMissing;
  return rnl < 0 ? 0.0 : rnl;
}

double NetRadiation(uint8_t method, double albedoPenman, double albedoPM, double rnl, double rs,
                    double rnGiven) noexcept {
  if (!IsMissing(rnGiven)) return rnGiven;
  if (IsMissing(rs) || IsMissing(rnl)) return kMissing;
  const double albedo = method == 1 ? albedoPM : albedoPenman;
  return FiniteOrMissing(rs * (1 - albedo) - rnl);
}

}  // namespace vernoli
