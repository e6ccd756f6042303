#include "engine/block.h"

#include <algorithm>
#include <cmath>

#include "engine/lanes.h"
#include "engine/vectormath.h"

namespace vernoli {

namespace {

constexpr double kM = kMissing;
constexpr double kStefanBoltzmann = 4.903e-9;

}  // namespace

RecordResults BlockResults::Record(std::size_t i) const noexcept {
  RecordResults r;
  r.TmeanStar = TmeanStar[i];
  r.RHmeanStar = RHmeanStar[i];
  r.EactStar = EactStar[i];
  r.Esat = Esat[i];
  r.TdewStar = TdewStar[i];
  r.U2Star = U2Star[i];
  r.SunshineStar = SunshineStar[i];
  r.DaylightHours = DaylightHours[i];
  r.Ra = Ra[i];
  r.RsStar = RsStar[i];
  r.Rnl = Rnl[i];
  r.RnStar = RnStar[i];
  r.EToPM = EToPM[i];
  r.EToPen = EToPen[i];
  r.EToHar = EToHar[i];
  r.EToMak = EToMak[i];
  r.EToBC = EToBC[i];
  return r;
}

// The working columns of one block.
struct BlockDriver::Work {
  template <typename T>
  using Column = std::array<T, kBlockRecords>;

  Column<double> Tmax, Tmin, RHmax, RHmin, RHmeanStar;  // completed from the means
  Column<double> EsMax, EsMin, EsMean, Es;              // e deg of the extremes and mean, es
  Column<double> Ea, Delta, RHmean, Ud, Rso, N, Share;  // Share: n/N
  std::array<double, 4 * kBlockRecords> Exp;            // exponents, then their powers of e
  std::array<double, 4 * kBlockRecords> Log;            // arguments, then their logarithms
};

namespace {

// What every record of the station shares.
struct Hoisted {
  double Difference;  // Tmin - Tdew
  double Pressure, ApsyP, Gamma;
  double Profile, DefaultU2, DayShare;
  uint8_t Ratio;
  double A, B, KRs, OneLessAlbedo, WindCoefficient, R, Hargreaves;
  bool AdjustPenman, AdjustRadiation, AdjustBlaneyCriddle;
};

// Each step below is a step of the per-record driver over the whole block, W records at a
// time. The expressions are written exactly as there, operand for operand, so that every
// result keeps its bits; a branch there is a select here, both sides computed. Lanes whose
// inputs are missing compute values no select keeps (a square root of a negative number, a
// division by zero): nothing traps.

// Which of the four columns of exponents any record of the block takes e deg of.
struct Needed {
  bool Max, Min, Mean, Fourth;
};

// The exponent of e deg(T), 17.27 T / (T + 237.3), where T has one (T > -237.3), else 0; those
// lanes are added to `needed`. (No lambda here nor below: a function the compiler does not
// inline would take the wide registers by another convention than its caller.)
template <int W>
VERNOLI_LANE typename lanes::Lanes<W>::V SaturationExponent(typename lanes::Lanes<W>::V t,
                                                           typename lanes::Lanes<W>::M& needed) {
  using L = lanes::Lanes<W>;
  const typename L::M has = L::Has(t) & (t > -237.3);
  needed |= has;
  return L::Select(has, 17.27 * t / (t + 237.3), 0.0);
}

// Temperature and humidity extremes filled from the means; the exponents of e deg(T) of the
// extremes, the mean, and of the one more temperature the actual vapour pressure may need (the
// dewpoint, the wet bulb, or Tmin less the dewpoint difference).

template <int W>
VERNOLI_LANE Needed Extremes(const Hoisted& c, const RecordBlock& in, BlockResults& out,
                             BlockDriver::Work& w, std::size_t count) {
  using L = lanes::Lanes<W>;
  using V = typename L::V;
  using M = typename L::M;
  M needMax = L::Mask(false), needMin = L::Mask(false), needMean = L::Mask(false);
  M needFourth = L::Mask(false);
  double* const expMax = w.Exp.data();
  double* const expMin = expMax + count;
  double* const expMean = expMin + count;
  double* const expFourth = expMean + count;
  for (std::size_t i = 0; i < count; i += W) {
    V tmax = L::Load(&in.Tmax[i]), tmin = L::Load(&in.Tmin[i]);
    const V tmean = L::Load(&in.Tmean[i]);
    tmax = L::Select(L::Miss(tmax) & L::Has(tmean) & L::Has(tmin), L::Fom(2 * tmean - tmin), tmax);
    tmin = L::Select(L::Miss(tmin) & L::Has(tmean) & L::Has(tmax), L::Fom(2 * tmean - tmax), tmin);
    const V tstar = L::Select(L::Has(tmax) & L::Has(tmin), L::Fom((tmax + tmin) / 2), tmean);
    L::Store(&w.Tmax[i], tmax);
    L::Store(&w.Tmin[i], tmin);
    L::Store(&out.TmeanStar[i], tstar);
    L::Store(expMax + i, SaturationExponent<W>(tmax, needMax));
    L::Store(expMin + i, SaturationExponent<W>(tmin, needMin));
    L::Store(expMean + i, SaturationExponent<W>(tstar, needMean));

    V rhmax = L::Load(&in.RHmax[i]), rhmin = L::Load(&in.RHmin[i]);
    const V rhmean = L::Load(&in.RHmean[i]);
    rhmax = L::Select(L::Miss(rhmax) & L::Has(rhmean) & L::Has(rhmin), L::Fom(2 * rhmean - rhmin),
                      rhmax);
    rhmin = L::Select(L::Miss(rhmin) & L::Has(rhmean) & L::Has(rhmax), L::Fom(2 * rhmean - rhmax),
                      rhmin);
    L::Store(&w.RHmax[i], rhmax);
    L::Store(&w.RHmin[i], rhmin);
    L::Store(&w.RHmeanStar[i],
             L::Select(L::Has(rhmax) & L::Has(rhmin), L::Fom((rhmax + rhmin) / 2), rhmean));

    const V tdew = L::Load(&in.Tdew[i]), tdry = L::Load(&in.Tdry[i]), twet = L::Load(&in.Twet[i]);
    const V wet = L::Select(tdry < twet, tdry, twet);
    const V t = L::Select(L::Has(tdew), tdew,
                          L::Select(L::Has(tdry) & L::Has(twet), wet, tmin - c.Difference));
    // Taken only from a dewpoint, a psychrometer, or Tmin with a dewpoint difference.
    M fourth = L::Mask(false);
    L::Store(expFourth + i, SaturationExponent<W>(t, fourth));
    needFourth |=
        fourth & (L::Has(tdew) | (L::Has(tdry) & L::Has(twet)) | L::Mask(c.Difference != 0));
  }
  return {L::Any(needMax), L::Any(needMin), L::Any(needMean), L::Any(needFourth)};
}

// es, the cascade of the actual vapour pressure, the slope of the vapour pressure curve and
// the humidities that follow from ea; the argument of the dewpoint's logarithm.
template <int W>
VERNOLI_LANE void Vapour(const Hoisted& c, const RecordBlock& in, BlockResults& out,
                         BlockDriver::Work& w, std::size_t count) {
  using L = lanes::Lanes<W>;
  using V = typename L::V;
  using M = typename L::M;
  const double* const expMax = w.Exp.data();
  const double* const expMin = expMax + count;
  const double* const expMean = expMin + count;
  const double* const expFourth = expMean + count;
  double* const logDew = w.Log.data();
  const M pressureMissing = L::Mask(IsMissing(c.Pressure));
  const M noDifference = L::Mask(c.Difference == 0);
  for (std::size_t i = 0; i < count; i += W) {
    const V tmax = L::Load(&w.Tmax[i]), tmin = L::Load(&w.Tmin[i]);
    const V tstar = L::Load(&out.TmeanStar[i]);
    const V esMax =
        L::Select(L::Has(tmax) & (tmax > -237.3), L::Fom(0.6108 * L::Load(expMax + i)), kM);
    const V esMin =
        L::Select(L::Has(tmin) & (tmin > -237.3), L::Fom(0.6108 * L::Load(expMin + i)), kM);
    const V esMean =
        L::Select(L::Has(tstar) & (tstar > -237.3), L::Fom(0.6108 * L::Load(expMean + i)), kM);
    const V es =
        L::Select(L::Has(tmax) & L::Has(tmin),
                  L::Select(L::Miss(esMax) | L::Miss(esMin), kM, L::Fom((esMax + esMin) / 2)),
                  L::Select(L::Has(tstar), esMean, kM));

    // First usable source first.
    const V eact = L::Load(&in.Eact[i]), tdew = L::Load(&in.Tdew[i]);
    const V tdry = L::Load(&in.Tdry[i]), twet = L::Load(&in.Twet[i]);
    const V rhmax = L::Load(&w.RHmax[i]), rhmin = L::Load(&w.RHmin[i]);
    const V rhstar = L::Load(&w.RHmeanStar[i]);
    const V wet = L::Select(tdry < twet, tdry, twet);
    const M psychrometer = L::Has(tdry) & L::Has(twet);
    const V fourthT =
        L::Select(L::Has(tdew), tdew, L::Select(psychrometer, wet, tmin - c.Difference));
    const V fourth = L::Select(L::Has(fourthT) & (fourthT > -237.3),
                               L::Fom(0.6108 * L::Load(expFourth + i)), kM);
    const V fromWet =
        L::Select(L::Miss(fourth) | pressureMissing, kM, L::Fom(fourth - c.ApsyP * (tdry - wet)));
    const V both = L::Select(L::Miss(esMin) | L::Miss(esMax), kM,
                             L::Fom((esMin * rhmax / 100 + esMax * rhmin / 100) / 2));
    const V atTmin = L::Select(L::Miss(esMin), kM, L::Fom(esMin * rhmax / 100));
    const V mean = L::Select(L::Miss(esMean), kM, L::Fom(rhstar * esMean / 100));
    V ea = L::Splat(kM);
    ea = L::Select(L::Has(tmin), L::Select(noDifference, esMin, fourth), ea);
    ea = L::Select(L::Has(rhstar) & L::Has(tstar), mean, ea);
    ea = L::Select(L::Has(rhmax) & L::Has(tmin), atTmin, ea);
    ea = L::Select(L::Has(rhmax) & L::Has(rhmin) & L::Has(tmax) & L::Has(tmin), both, ea);
    ea = L::Select(psychrometer, fromWet, ea);
    ea = L::Select(L::Has(tdew), fourth, ea);
    ea = L::Select(L::Has(eact), eact, ea);

    // The air holds at most saturation; the mean humidity follows from the vapour pressures.
    const M pair = L::Has(ea) & L::Has(es);
    ea = L::Select(pair & (ea > es), es, ea);
    V rhmean = L::Select(pair, L::Fom(100 * ea / es), rhstar);
    const V shifted = tstar + 237.3;
    const V delta = L::Select(L::Miss(tstar) | L::Miss(esMean), kM,
                              L::Fom(4098 * esMean / (shifted * shifted)));
    const V rhOfMean =
        L::Select(L::Miss(tstar) | L::Miss(ea) | L::Miss(esMean), kM, L::Fom(100 * ea / esMean));
    const V rhOfMin =
        L::Select(L::Miss(tmin) | L::Miss(ea) | L::Miss(esMin), kM, L::Fom(100 * ea / esMin));
    const V rhOfMax =
        L::Select(L::Miss(tmax) | L::Miss(ea) | L::Miss(esMax), kM, L::Fom(100 * ea / esMax));
    rhmean = L::Select(L::Miss(rhmean), rhOfMean, rhmean);
    L::Store(&w.RHmax[i], L::Select(L::Miss(rhmax), rhOfMin, rhmax));
    L::Store(&w.RHmin[i], L::Select(L::Miss(rhmin), rhOfMax, rhmin));
    L::Store(&w.RHmean[i], rhmean);
    L::Store(&w.Ea[i], ea);
    L::Store(&w.Es[i], es);
    L::Store(&w.Delta[i], delta);
    L::Store(logDew + i, L::Select(L::Miss(tdew) & L::Has(ea) & (ea > 0.0), ea / 0.6108, 1.0));
  }
}

// The dewpoint, the wind, the solar radiation, the sunshine, the net longwave and the net
// radiation.
template <int W>
VERNOLI_LANE void Radiation(const Hoisted& c, const RecordBlock& in, BlockResults& out,
                            BlockDriver::Work& w, std::size_t count) {
  using L = lanes::Lanes<W>;
  using V = typename L::V;
  using M = typename L::M;
  const double* const logDew = w.Log.data();
  const M noProfile = L::Mask(!(c.Profile > 0));
  const M noRatio = L::Mask(c.Ratio == 0);
  for (std::size_t i = 0; i < count; i += W) {
    const V ea = L::Load(&w.Ea[i]), tdew = L::Load(&in.Tdew[i]);
    const V l = L::Load(logDew + i);
    const M computed = L::Miss(tdew) & L::Has(ea) & (ea > 0.0);
    const V dewpoint = L::Fom(237.3 * l / (17.27 - l));
    L::Store(&out.TdewStar[i],
             L::Select(computed, dewpoint, L::Select(L::Has(tdew) | L::Miss(ea), tdew, kM)));

    const V wind = L::Load(&in.Wind[i]);
    const V u2 = L::Select(L::Miss(wind), c.DefaultU2,
                           L::Select(noProfile, kM, L::Fom(wind * 4.87 / c.Profile)));
    const V ud = L::Select(L::Miss(u2), kM, L::Select(noRatio, 0.0, L::Fom(2 * u2 / c.DayShare)));
    L::Store(&out.U2Star[i], u2);
    L::Store(&w.Ud[i], ud);

    const V ra = L::Load(&out.Ra[i]), daylight = L::Load(&w.N[i]), rso = L::Load(&w.Rso[i]);
    const V tmax = L::Load(&w.Tmax[i]), tmin = L::Load(&w.Tmin[i]);
    const V sunshine = L::Load(&in.Sunshine[i]), relative = L::Load(&in.RelativeSunshine[i]);
    const V range =
        L::Select(L::Has(tmax) & L::Has(tmin) & (tmax > tmin),
                  L::Select(L::Miss(ra), kM, L::Fom(c.KRs * L::Sqrt(tmax - tmin) * ra)), kM);
    V rs = L::Select(L::Has(relative) & L::Has(ra), L::Fom(ra * (c.A + c.B * relative)), range);
    rs = L::Select(L::Has(sunshine) & L::Has(daylight) & L::Has(ra),
                   L::Fom(ra * (c.A + c.B * sunshine / daylight)), rs);
    rs = L::Select(L::Has(L::Load(&in.Rs[i])), L::Load(&in.Rs[i]), rs);
    rs = L::Select(L::ToZero(ra) | L::ToZero(daylight), 0.0, rs);
    // Never more than under a clear sky.
    rs = L::Select(L::Has(rso) & L::Has(rs) & (rs > rso), rso, rs);

    const V back = daylight / c.B * (rs / ra - c.A);
    const V fromRs =
        L::Select(~L::Finite(back), kM,
                  L::Select(back < 0.0, 0.0, L::Select(back > daylight, daylight, back)));
    V sun = L::Select(L::Has(daylight) & L::Has(rs) & L::Has(ra), fromRs, kM);
    sun = L::Select(L::Has(daylight) & L::Has(relative), L::Fom(daylight * relative), sun);
    sun = L::Select(L::Has(sunshine), sunshine, sun);
    sun = L::Select(L::ToZero(daylight) | L::ToZero(ra), 0.0, sun);

    const V tstar = L::Load(&out.TmeanStar[i]);
    const M extremes = L::Has(tmax) & L::Has(tmin);
    const V sigmaT4 = L::Select(
        extremes, kStefanBoltzmann * (L::Fourth(tmax + 273.16) + L::Fourth(tmin + 273.16)) / 2,
        kStefanBoltzmann * L::Fourth(tstar + 273.16));
    const V loss = sigmaT4 * (0.34 - 0.14 * L::Sqrt(ea)) * (1.35 * rs / rso - 0.35);
    V rnl = L::Select(~L::Finite(loss), kM, L::Select(loss < 0.0, 0.0, loss));
    rnl = L::Select(ea < 0.0, kM, rnl);
    rnl = L::Select(L::Miss(ea) | L::Miss(rs) | L::Miss(rso), kM, rnl);
    rnl = L::Select(~extremes & L::Miss(tstar), kM, rnl);
    rnl = L::Select(L::ToZero(rso), 0.0, rnl);

    const V given = L::Load(&in.Rn[i]);
    const V rn =
        L::Select(L::Has(given), given,
                  L::Select(L::Miss(rs) | L::Miss(rnl), kM, L::Fom(rs * c.OneLessAlbedo - rnl)));

    L::Store(&out.RHmeanStar[i], L::Load(&w.RHmean[i]));
    L::Store(&out.EactStar[i], ea);
    L::Store(&out.Esat[i], L::Load(&w.Es[i]));
    L::Store(&out.SunshineStar[i], sun);
    L::Store(&out.DaylightHours[i], daylight);
    L::Store(&out.RsStar[i], rs);
    L::Store(&out.Rnl[i], rnl);
    L::Store(&out.RnStar[i], rn);
  }
}

// Penman-Monteith, the modified Penman, Hargreaves and the radiation method; the arguments of
// the logarithms of the Blaney-Criddle correction.
template <int W>
VERNOLI_LANE bool Methods(const Hoisted& c, BlockResults& out, BlockDriver::Work& w,
                          std::size_t count) {
  using L = lanes::Lanes<W>;
  using V = typename L::V;
  using M = typename L::M;
  M corrected = L::Mask(false);
  const M gammaMissing = L::Mask(IsMissing(c.Gamma));
  const M adjustPenman = L::Mask(c.AdjustPenman);
  const M adjustRadiation = L::Mask(c.AdjustRadiation);
  const double gamma = c.Gamma, r = c.R;
  double* const logU = w.Log.data() + count;
  double* const logR = logU + count;
  double* const logH = logR + count;
  for (std::size_t i = 0; i < count; i += W) {
    const V tmean = L::Load(&out.TmeanStar[i]), ea = L::Load(&w.Ea[i]), es = L::Load(&w.Es[i]);
    const V u2 = L::Load(&out.U2Star[i]), rn = L::Load(&out.RnStar[i]);
    const V rs = L::Load(&out.RsStar[i]), delta = L::Load(&w.Delta[i]), ud = L::Load(&w.Ud[i]);

    const M pmInputs = ~gammaMissing & L::Has(delta) & L::Has(tmean) & L::Has(ea) & L::Has(es) &
                       L::Has(u2) & L::Has(rn);
    const V numerator = 0.408 * delta * rn + gamma * (900 / (tmean + 273)) * u2 * (es - ea);
    const V denominator = delta + gamma * (1 + 0.34 * u2);
    L::Store(&out.EToPM[i], L::Select(pmInputs, L::NonNegative(numerator / denominator), kM));

    const V rnmm = L::Select(L::Has(rn), L::Fom(0.408 * rn), kM);
    const V weight = L::Select(L::Has(delta) & ~gammaMissing, L::Fom(delta / (delta + gamma)), kM);
    const V fu = L::Select(L::Has(u2), L::Fom((1 + (u2 * 86.4) / 100) * c.WindCoefficient), kM);
    const M penmanInputs = L::Has(rnmm) & L::Has(fu) & L::Has(es) & L::Has(ea) & L::Has(weight);
    V penman = L::NonNegative(weight * rnmm + (1 - weight) * fu * (es - ea));
    const V rhmax = L::Load(&w.RHmax[i]);
    const V h = L::Clamp(rhmax, 30.0, 90.0);
    const V sr = L::Clamp(0.408 * rs, 3.0, 12.0);
    const V u = L::Clamp(ud, 0.0, 9.0);
    const V factor =
        L::Select(L::Miss(ud) | L::Miss(rs) | L::Miss(rhmax), kM,
                  L::Fom(0.892 - 0.0781 * u + 0.00219 * sr * u + 0.000402 * h * sr +
                         0.000196 * r * u * h + 0.0000198 * r * u * h * sr +
                         0.00000236 * u * u * h * sr - 0.0000086 * r * r * u * h -
                         0.0000000292 * r * u * u * h * h * sr - 0.0000161 * h * sr * sr));
    penman =
        L::Select(adjustPenman & L::Has(penman) & L::Has(factor), L::Fom(factor * penman), penman);
    L::Store(&out.EToPen[i], L::Select(penmanInputs, penman, kM));

    const V tmax = L::Load(&w.Tmax[i]), tmin = L::Load(&w.Tmin[i]), ra = L::Load(&out.Ra[i]);
    const V spread = L::Select(tmax < tmin, 0.0, tmax - tmin);
    L::Store(
        &out.EToHar[i],
        L::Select(L::Miss(tmean) | L::Miss(tmax) | L::Miss(tmin) | L::Miss(ra), kM,
                  L::NonNegative(0.408 * c.Hargreaves * ra * (tmean + 17.8) * L::Sqrt(spread))));

    V radiation = L::NonNegative(0.408 * rs * delta / (delta + gamma));
    const V rhmean = L::Load(&w.RHmean[i]);
    const V hm = L::Clamp(rhmean, 0.0, 100.0);
    const V um = L::Clamp(ud, 0.0, 10.0);
    const V correction = 1.066 - 0.00128 * hm + 0.045 * um - 0.0002 * um * hm -
                         0.0000315 * hm * hm - 0.001103 * um * um;
    radiation = L::Select(adjustRadiation & L::Has(radiation) & L::Has(rhmean) & L::Has(ud),
                          L::NonNegative(radiation * correction), radiation);
    L::Store(&out.EToMak[i], L::Select(L::Miss(delta) | gammaMissing | L::Miss(rs), kM, radiation));

    const V daylight = L::Load(&w.N[i]), sun = L::Load(&out.SunshineStar[i]);
    const V share = L::Select(L::Has(sun) & L::Has(daylight),
                              L::Select(L::ToZero(daylight), 0.0, L::Fom(sun / daylight)), kM);
    L::Store(logU + i, L::Clamp(ud, 0.0, 10.0) + 1);
    L::Store(&w.Share[i], share);
    L::Store(logR + i, L::Clamp(share, 0.0, 1.0) + 1);
    const V rhmin = L::Load(&w.RHmin[i]);
    L::Store(logH + i, L::Clamp(rhmin, 0.0, 100.0) + 1);
    // The Blaney-Criddle correction's inputs (its f is missing only with Tmean or N).
    corrected |= L::Has(tmean) & L::Has(daylight) & L::Has(rhmin) & L::Has(share) & L::Has(ud);
  }
  return c.AdjustBlaneyCriddle && L::Any(corrected);
}

// Blaney-Criddle, corrected with the logarithms where the station asks for it; the ETo of the
// selected method.
template <int W>
VERNOLI_LANE void BlaneyCriddle(const Hoisted& c, uint8_t method, BlockResults& out,
                                BlockDriver::Work& w, std::size_t count) {
  using L = lanes::Lanes<W>;
  using V = typename L::V;
  using M = typename L::M;
  const M adjust = L::Mask(c.AdjustBlaneyCriddle);
  const double* const logU = w.Log.data() + count;
  const double* const logR = logU + count;
  const double* const logH = logR + count;
  const BlockResults::Column<double>* selected = nullptr;
  switch (method) {
    case 0:
      selected = &out.EToBC;
      break;
    case 1:
      selected = &out.EToPM;
      break;
    case 2:
      selected = &out.EToHar;
      break;
    case 3:
      selected = &out.EToMak;
      break;
    case 4:
      selected = &out.EToPen;
      break;
    default:
      break;
  }
  for (std::size_t i = 0; i < count; i += W) {
    const V tmean = L::Load(&out.TmeanStar[i]), daylight = L::Load(&w.N[i]);
    const V rhmin = L::Load(&w.RHmin[i]), ud = L::Load(&w.Ud[i]);
    const V p = 100 * daylight / 4422;
    const V f = L::NonNegative(p * (0.46 * tmean + 8.13));
    const V share = L::Load(&w.Share[i]);
    const V h = L::Clamp(rhmin, 0.0, 100.0);
    const V rr = L::Clamp(share, 0.0, 1.0);
    const V u = L::Clamp(ud, 0.0, 10.0);
    const V lu = L::Load(logU + i), lr = L::Load(logR + i), lh = L::Load(logH + i);
    const V a = 0.0043 * h - rr - 1.41;
    const V b = 0.908 - 0.00483 * h + 0.7949 * rr + 0.0768 * lu * lu - 0.0038 * h * rr -
                0.000433 * h * u + 0.281 * lu * lr - 0.00975 * lu * lh * lh * lr;
    const M corrected = adjust & L::Has(f) & L::Has(rhmin) & L::Has(share) & L::Has(ud);
    const V eto = L::Select(corrected, L::NonNegative(a + b * f), f);
    L::Store(&out.EToBC[i], L::Select(L::Miss(tmean) | L::Miss(daylight), kM, eto));
  }
  for (std::size_t i = 0; i < count; i += W) {
    L::Store(&out.ETo[i], selected != nullptr ? L::Load(&(*selected)[i]) : L::Splat(kM));
  }
}

// A value that is not a finite number counts as missing.
template <int W>
VERNOLI_LANE void Inputs(RecordBlock& in, std::size_t count) {
  using L = lanes::Lanes<W>;
  using V = typename L::V;
  for (auto* column :
       {&in.Tmax, &in.Tmean, &in.Tmin, &in.RHmax, &in.RHmean, &in.RHmin, &in.Tdew, &in.Eact,
        &in.Tdry, &in.Twet, &in.Wind, &in.Sunshine, &in.RelativeSunshine, &in.Rs, &in.Rn}) {
    for (std::size_t i = 0; i < count; i += W) {
      const V x = L::Load(&(*column)[i]);
      L::Store(&(*column)[i], L::Select(L::Finite(x), x, kM));
    }
  }
}

template <int W>
VERNOLI_LANE void Steps(const Hoisted& c, uint8_t method, RecordBlock& in, BlockResults& out,
                        BlockDriver::Work& w, std::size_t count) {
  Inputs<W>(in, count);
  // Only the columns of exponents some record takes: a column no record takes is never
  // selected below.
  const Needed needed = Extremes<W>(c, in, out, w, count);
  const bool columns[] = {needed.Max, needed.Min, needed.Mean, needed.Fourth};
  for (std::size_t k = 0; k < 4; ++k) {
    if (columns[k]) ExpColumn(w.Exp.data() + k * count, w.Exp.data() + k * count, count);
  }
  Vapour<W>(c, in, out, w, count);
  LogColumn(w.Log.data(), w.Log.data(), count);
  Radiation<W>(c, in, out, w, count);
  if (Methods<W>(c, out, w, count)) {
    LogColumn(w.Log.data() + count, w.Log.data() + count, 3 * count);
  }
  BlaneyCriddle<W>(c, method, out, w, count);
}

void StepsTwoLanes(const Hoisted& c, uint8_t method, RecordBlock& in, BlockResults& out,
                   BlockDriver::Work& w, std::size_t count) {
  Steps<2>(c, method, in, out, w, count);
}

// Four lanes where the processor has them.
__attribute__((target("avx2"))) void StepsFourLanes(const Hoisted& c, uint8_t method,
                                                    RecordBlock& in, BlockResults& out,
                                                    BlockDriver::Work& w, std::size_t count) {
  Steps<4>(c, method, in, out, w, count);
}

bool FourLanes() {
  static const bool available = __builtin_cpu_supports("avx2");
  return available;
}

}  // namespace

BlockDriver::BlockDriver(const StationConstants& station)
    : station_(station), work_(std::make_unique_for_overwrite<Work>()) {}

BlockDriver::~BlockDriver() = default;

void BlockDriver::Compute(RecordBlock& in, BlockResults& out) noexcept {
  const StationInputs& s = station_.Inputs;
  const CalculationSettings& settings = s.Settings;
  Work& w = *work_;
  const std::size_t n = in.Count;
  out.Count = n;
  // Whole groups of four: the lanes after the last record compute a record of missing values.
  const std::size_t count = (n + 3) / 4 * 4;
  for (std::size_t i = n; i < count; ++i) in.Add(1, ClimaticRecord());
  in.Count = n;

  // The day's sun and clear-sky radiation, from the station's table (or computed for a day of
  // year outside it).
  for (std::size_t i = 0; i < count; ++i) {
    const int32_t day = in.DayOfYear[i];
    if (day >= 1 && day <= 365) {
      out.Ra[i] = station_.Sun[static_cast<std::size_t>(day)].Ra;
      w.N[i] = station_.Sun[static_cast<std::size_t>(day)].N;
      w.Rso[i] = station_.Rso[static_cast<std::size_t>(day)];
    } else {
      const SolarGeometry sun = ExtraterrestrialRadiation(day, s.Latitude);
      out.Ra[i] = sun.Ra;
      w.N[i] = sun.N;
      w.Rso[i] = ClearSkyRadiation(sun.Ra, s.Altitude, s.Flags.ElevationAdjustment != 0,
                                   settings.AngstromA, settings.AngstromB);
    }
  }

  Hoisted c;
  c.Difference = s.TdewTminDifference;
  c.Pressure = station_.Pressure;
  c.ApsyP = s.PsychrometerCoefficient * station_.Pressure;
  c.Gamma = station_.Gamma;
  c.Profile = station_.WindProfileLogarithm;
  c.DefaultU2 = FiniteOrMissing(s.DefaultU2);
  c.Ratio = settings.DayNightWindRatio;
  c.DayShare = 1 + 1.0 / settings.DayNightWindRatio;
  c.A = settings.AngstromA;
  c.B = settings.AngstromB;
  c.KRs = s.HargreavesRsCoefficient;
  c.OneLessAlbedo = 1 - (s.Method == 1 ? settings.AlbedoPM : settings.AlbedoPenman);
  c.WindCoefficient = settings.WindFunctionCoefficient;
  c.R = std::clamp(static_cast<double>(settings.DayNightWindRatio), 1.0, 4.0);
  c.Hargreaves = settings.HargreavesCoefficient;
  c.AdjustPenman = s.Flags.AdjustPenman != 0;
  c.AdjustRadiation = s.Flags.AdjustRadiation != 0;
  c.AdjustBlaneyCriddle = s.Flags.AdjustBlaneyCriddle != 0;
  if (FourLanes()) {
    StepsFourLanes(c, s.Method, in, out, w, count);
  } else {
    StepsTwoLanes(c, s.Method, in, out, w, count);
  }
}

}  // namespace vernoli
