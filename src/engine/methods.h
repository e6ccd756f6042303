// The five ETo methods. Each returns ETo in mm/day, never negative, or -999 when an input it
// needs is missing (or the result would not be a finite number). Units as in equations.h;
// gamma and Delta in kPa/degC, radiation in MJ/m2.day.
#pragma once

#include <cstdint>

namespace vernoli {

// Penman-Monteith, without soil heat flux:
// (0.408 Delta Rn + gamma 900 / (T + 273) u2 (es - ea)) / (Delta + gamma (1 + 0.34 u2)).
double PenmanMonteith(double gamma, double delta, double tmean, double ea, double es, double u2,
                      double rn) noexcept;

// Adjustment factor c of the modified Penman method from the day/night wind ratio r, RHmax (%),
// Rs (MJ/m2.day) and Ud (m/sec), each first limited to the range of the factor's table
// (r 1..4, RHmax 30..90 %, 0.408 Rs 3..12 mm/day, Ud 0..9 m/sec).
double PenmanAdjustmentFactor(uint8_t ratio, double rhmax, double rs, double ud) noexcept;

// The inputs of the modified Penman method.
struct ModifiedPenmanInputs {
  double Gamma;                    // gamma, kPa/degC
  double Delta;                    // Delta at Tmean, kPa/degC
  double Ea;                       // actual vapour pressure, kPa
  double Es;                       // saturation vapour pressure, kPa
  double U2;                       // wind speed at 2 m, m/sec
  double Rn;                       // net radiation, MJ/m2.day
  double WindFunctionCoefficient;  // the factor of the wind function, -
  // The adjustment factor and what it is computed from.
  bool Adjust;    // multiply by the adjustment factor
  uint8_t Ratio;  // day/night wind ratio r
  double RHmax;   // %
  double Rs;      // solar radiation, MJ/m2.day
  double Ud;      // daytime wind speed, m/sec
};

// Modified Penman: W Rn + (1 - W) f(u) (es - ea) with W = Delta / (Delta + gamma) and the wind
// function f(u) = (1 + 0.864 u2) WindFunctionCoefficient, multiplied by the adjustment factor
// when Adjust is set and the factor can be computed.
double ModifiedPenman(const ModifiedPenmanInputs& in) noexcept;

// Hargreaves: 0.408 HargreavesCoefficient Ra (Tmean + 17.8) sqrt(Tmax - Tmin), the range taken
// as 0 when Tmax < Tmin.
double Hargreaves(double coefficient, double ra, double tmin, double tmax, double tmean) noexcept;

// Makkink radiation method: 0.408 Rs Delta / (Delta + gamma), multiplied by the humidity and
// daytime-wind correction when `adjust` is set and RHmean and Ud are present.
double RadiationMethod(bool adjust, double ud, double rhmean, double rs, double gamma,
                       double delta) noexcept;

// Blaney-Criddle: f = p (0.46 Tmean + 8.13) with p = 100 N / 4422, corrected to a + b f from
// RHmin (%), the relative sunshine n/N and Ud (m/sec) when `adjust` is set and all are present.
double BlaneyCriddle(bool adjust, double ud, double rhmin, double sunshine, double daylight,
                     double tmean) noexcept;

}  // namespace vernoli
