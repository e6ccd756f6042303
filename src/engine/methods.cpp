#include "engine/methods.h"

#include <algorithm>
#include <cmath>

#include "engine/equations.h"
#include "model/parameters.h"

namespace vernoli {

namespace {

bool Present(double x) { return !IsMissing(x); }

// A finite result with negative values set to 0; -999 for an infinite one or a NaN.
double NonNegative(double eto) {
  if (!std::isfinite(eto)) return kMissing;
  return eto < 0 ? 0.0 : eto;
}

}  // namespace

double PenmanMonteith(double gamma, double delta, double tmean, double ea, double es, double u2,
                      double rn) noexcept {
  if (IsMissing(gamma) || IsMissing(delta) || IsMissing(tmean) || IsMissing(ea) ||
      IsMissing(es) || IsMissing(u2) || IsMissing(rn)) {
    return kMissing;
  }
  const double numerator = 0.408 * delta * rn + gamma * (900 / (tmean + 273)) * u2 * (es - ea);
  const double denominator = delta + gamma * (1 + 0.34 * u2);
  return NonNegative(numerator / denominator);
}

double PenmanAdjustmentFactor(uint8_t ratio, double rhmax, double rs, double ud) noexcept {
  if (IsMissing(ud) || IsMissing(rs) || IsMissing(rhmax)) return kMissing;
  const double r = std::clamp(static_cast<double>(ratio), 1.0, 4.0);
  const double h = std::clamp(rhmax, 30.0, 90.0);
  const double s = std::clamp(0.408 * rs, 3.0, 12.0);
  const double u = std::clamp(ud, 0.0, 9.0);
  return FiniteOrMissing(0.892 - 0.0781 * u + 0.00219 * s * u + 0.000402 * h * s +
                         0.000196 * r * u * h + 0.0000198 * r * u * h * s +
                         0.00000236 * u * u * h * s - 0.0000086 * r * r * u * h -
                         0.0000000292 * r * u * u * h * h * s - 0.0000161 * h * s * s);
}

double ModifiedPenman(const ModifiedPenmanInputs& in) noexcept {
  // Net radiation as an evaporation equivalent (mm/day).
  const double rnmm = Present(in.Rn) ? FiniteOrMissing(0.408 * in.Rn) : kMissing;
  const double w = Present(in.Delta) && Present(in.Gamma)
                       ? FiniteOrMissing(in.Delta / (in.Delta + in.Gamma))
                       : kMissing;
  // Wind function of the wind run in km/day.
  const double fu = Present(in.U2)
                        ? FiniteOrMissing((1 + (in.U2 * 86.4) / 100) * in.WindFunctionCoefficient)
                        : kMissing;
  if (IsMissing(rnmm) || IsMissing(fu) || IsMissing(in.Es) || IsMissing(in.Ea) || IsMissing(w)) {
    return kMissing;
  }
  double eto = NonNegative(w * rnmm + (1 - w) * fu * (in.Es - in.Ea));
  if (in.Adjust && Present(eto)) {
    // Without the factor (RHmax, Rs or Ud unknown) the value stays unadjusted.
    const double c = PenmanAdjustmentFactor(in.Ratio, in.RHmax, in.Rs, in.Ud);
    if (Present(c)) eto = FiniteOrMissing(c * eto);
  }
  return eto;
}

double Hargreaves(double coefficient, double ra, double tmin, double tmax, double tmean) noexcept {
  if (IsMissing(tmean) || IsMissing(tmax) || IsMissing(tmin) || IsMissing(ra)) return kMissing;
  const double range = tmax < tmin ? 0.0 : tmax - tmin;
  return NonNegative(0.408 * coefficient * ra * (tmean + 17.8) * std::sqrt(range));
}

double RadiationMethod(bool adjust, double ud, double rhmean, double rs, double gamma,
                       double delta) noexcept {
  if (IsMissing(delta) || IsMissing(gamma) || IsMissing(rs)) return kMissing;
  double eto = NonNegative(0.408 * rs * delta / (delta + gamma));
  if (adjust && Present(eto) && Present(rhmean) && Present(ud)) {
    const double h = std::clamp(rhmean, 0.0, 100.0);
    const double u = std::clamp(ud, 0.0, 10.0);
    const double factor = 1.066 - 0.00128 * h + 0.045 * u - 0.0002 * u * h -
                          0.0000315 * h * h - 0.001103 * u * u;
    eto = NonNegative(eto * factor);
  }
  return eto;
}

double BlaneyCriddle(bool adjust, double ud, double rhmin, double sunshine, double daylight,
                     double tmean) noexcept {
  if (IsMissing(tmean) || IsMissing(daylight)) return kMissing;
  // p: the day's share of the annual daytime hours, in percent.
  const double p = 100 * daylight / 4422;
  const double f = NonNegative(p * (0.46 * tmean + 8.13));
  if (!adjust || IsMissing(f)) return f;

  double ratio = kMissing;
  if (Present(sunshine) && Present(daylight)) {
    ratio = RoundsToZero(daylight) ? 0.0 : FiniteOrMissing(sunshine / daylight);
  }
  if (IsMissing(rhmin) || IsMissing(ratio) || IsMissing(ud)) return f;

  const double h = std::clamp(rhmin, 0.0, 100.0);
  const double r = std::clamp(ratio, 0.0, 1.0);
  const double u = std::clamp(ud, 0.0, 10.0);
  const double lu = std::log(u + 1);
  const double lr = std::log(r + 1);
  const double lh = std::log(h + 1);
  const double a = 0.0043 * h - r - 1.41;
  const double b = 0.908 - 0.00483 * h + 0.7949 * r + 0.0768 * lu * lu - 0.0038 * h * r -
                   0.000433 * h * u + 0.281 * lu * lr - 0.00975 * lu * lh * lh * lr;
  return NonNegative(a + b * f);
}

}  // namespace vernoli
