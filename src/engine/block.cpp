#include "engine/block.h"

#include <algorithm>
#include <cmath>

#include "engine/lanes.h"
#include "engine/lanes8.h"
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

  Column<double> Tmax, Tmin, RHmax, RHmin, RHmeanStar;      // completed from the means
  Column<double> Es, Ea, Delta, RHmean, Ud, Rso, N, Share;  // Share: n/N
  std::array<double, 4 * kBlockRecords> Exp;                // exponents, then their powers of e
  std::array<double, 4 * kBlockRecords> Log;                // arguments, then their logarithms
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

// The steps, twice. A function is compiled for the instruction set in force where it is defined,
// and the eight lanes' helpers may be inlined only into code compiled for AVX-512: so the steps
// are defined once for two lanes (SSE2, every x86-64) and four (AVX2, inlined into a function
// compiled for it) ...
namespace narrow {
#include "engine/blocksteps.inc"
}  // namespace narrow

// ... and once more, in a namespace of their own, compiled for AVX-512, for eight.
VERNOLI_AVX512_BEGIN
namespace wide {
#include "engine/blocksteps.inc"
}  // namespace wide
VERNOLI_AVX512_END

void StepsTwoLanes(const Hoisted& c, uint8_t method, RecordBlock& in, BlockResults& out,
                   BlockDriver::Work& w, std::size_t count) {
  narrow::Steps<2>(c, method, in, out, w, count);
}

__attribute__((target("avx2"))) void StepsFourLanes(const Hoisted& c, uint8_t method,
                                                    RecordBlock& in, BlockResults& out,
                                                    BlockDriver::Work& w, std::size_t count) {
  narrow::Steps<4>(c, method, in, out, w, count);
}

__attribute__((target("avx512f,avx512dq"))) void StepsEightLanes(
    const Hoisted& c, uint8_t method, RecordBlock& in, BlockResults& out, BlockDriver::Work& w,
    std::size_t count) {
  wide::Steps<8>(c, method, in, out, w, count);
}

BlockLanes WidestLanes() {
  static const BlockLanes widest = BlockLanesAvailable(BlockLanes::Eight)  ? BlockLanes::Eight
                                   : BlockLanesAvailable(BlockLanes::Four) ? BlockLanes::Four
                                                                           : BlockLanes::Two;
  return widest;
}

}  // namespace

bool BlockLanesAvailable(BlockLanes lanes) noexcept {
  switch (lanes) {
    case BlockLanes::Two:
      return true;
    case BlockLanes::Four:
      return __builtin_cpu_supports("avx2");
    case BlockLanes::Eight:
      return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq");
  }
  return false;
}

BlockDriver::BlockDriver(const StationConstants& station)
    : station_(station), work_(std::make_unique_for_overwrite<Work>()) {}

BlockDriver::~BlockDriver() = default;

void BlockDriver::Compute(RecordBlock& in, BlockResults& out) noexcept {
  ComputeWith(WidestLanes(), in, out);
}

void BlockDriver::ComputeWith(BlockLanes lanes, RecordBlock& in, BlockResults& out) noexcept {
  const StationInputs& s = station_.Inputs;
  const CalculationSettings& settings = s.Settings;
  Work& w = *work_;
  const std::size_t n = in.Count;
  out.Count = n;
  // Whole groups of eight: the lanes after the last record compute a record of missing values.
  const std::size_t count = (n + 7) / 8 * 8;
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
  switch (lanes) {
    case BlockLanes::Eight:
      StepsEightLanes(c, s.Method, in, out, w, count);
      break;
    case BlockLanes::Four:
      StepsFourLanes(c, s.Method, in, out, w, count);
      break;
    case BlockLanes::Two:
      StepsTwoLanes(c, s.Method, in, out, w, count);
      break;
  }
}

}  // namespace vernoli
