#include "engine/methods.h"

#include <gtest/gtest.h>

#include "model/parameters.h"

namespace vernoli {
namespace {

constexpr double M = kMissing;

// Intermediates of a complete July day at 50.8 N, 100 m (see the worked day of the driver's
// tests), computed independently with python3.
constexpr double kGamma = 0.0665563011433359;
constexpr double kDelta = 0.12211265844598747;
constexpr double kTmean = 16.9;
constexpr double kEa = 1.4086238018595982;
constexpr double kEs = 1.9974855625338357;
constexpr double kU2 = 2.0793039889668843;
constexpr double kUd = 2.7724053186225124;
constexpr double kRs = 22.072051614368547;
constexpr double kRn = 13.283185172632336;
constexpr double kRHmax = 84;
constexpr double kRHmin = 63;
constexpr double kRHmean = 70.51984896815681;
constexpr double kRa = 41.08837556354227;
constexpr double kN = 16.104611680362105;
constexpr double kSunshine = 9.25;

// The modified Penman method on the worked day, adjusted.
ModifiedPenmanInputs PenmanDay(bool adjust = true) {
  return {.Gamma = kGamma,
          .Delta = kDelta,
          .Ea = kEa,
          .Es = kEs,
          .U2 = kU2,
          .Rn = kRn,
          .WindFunctionCoefficient = 2.7,
          .Adjust = adjust,
          .Ratio = 2,
          .RHmax = kRHmax,
          .Rs = kRs,
          .Ud = kUd};
}

TEST(Methods, WorkedDay) {
  struct Row {
    const char* name;
    double actual;
    double expected;
  };
  const Row rows[] = {
      {"Penman-Monteith", PenmanMonteith(kGamma, kDelta, kTmean, kEa, kEs, kU2, kRn),
       3.88080761628902},
      {"adjustment factor", PenmanAdjustmentFactor(2, kRHmax, kRs, kUd), 1.07609718315828},
      {"modified Penman", ModifiedPenman(PenmanDay()), 5.46248233382592},
      {"modified Penman unadjusted", ModifiedPenman(PenmanDay(false)), 5.0761979673563395},
      {"Hargreaves", Hargreaves(0.0023, kRa, 12.3, 21.5, kTmean), 4.05817115156593},
      {"Makkink", RadiationMethod(true, kUd, kRHmean, kRs, kGamma, kDelta), 5.22393853013273},
      {"Blaney-Criddle", BlaneyCriddle(true, kUd, kRHmin, kSunshine, kN, kTmean),
       4.36962840577851},
      {"Blaney-Criddle f", BlaneyCriddle(false, kUd, kRHmin, kSunshine, kN, kTmean),
       5.792124472285819},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_NEAR(r.actual, r.expected, 1e-9);
  }
}

TEST(Methods, PenmanMonteithNeedsEveryInputAndIsNeverNegative) {
  double in[] = {kGamma, kDelta, kTmean, kEa, kEs, kU2, kRn};
  for (double& x : in) {
    const double kept = x;
    x = M;
    EXPECT_EQ(PenmanMonteith(in[0], in[1], in[2], in[3], in[4], in[5], in[6]), M);
    x = kept;
  }
  EXPECT_EQ(PenmanMonteith(kGamma, kDelta, kTmean, 1.0, 1.0, kU2, -10), 0.0);
}

TEST(Methods, PenmanAdjustmentFactorClampsItsInputs) {
  const auto c = [](int r, double rh, double rs, double ud) {
    return PenmanAdjustmentFactor(static_cast<uint8_t>(r), rh, rs, ud);
  };
  // The corners of the table, python3.
  EXPECT_NEAR(c(4, 90, 12 / 0.408, 9), 1.23139504, 1e-12);
  EXPECT_NEAR(c(1, 30, 3 / 0.408, 0), 0.923833, 1e-12);
  // Beyond a limit the factor stays at the limit's value.
  EXPECT_EQ(c(0, 60, 15, 3), c(1, 60, 15, 3));
  EXPECT_EQ(c(9, 60, 15, 3), c(4, 60, 15, 3));
  EXPECT_EQ(c(2, 10, 15, 3), c(2, 30, 15, 3));
  EXPECT_EQ(c(2, 100, 15, 3), c(2, 90, 15, 3));
  EXPECT_EQ(c(2, 60, 1, 3), c(2, 60, 2, 3));    // 0.408 Rs below 3 mm/day
  EXPECT_EQ(c(2, 60, 40, 3), c(2, 60, 50, 3));  // 0.408 Rs above 12 mm/day
  EXPECT_EQ(c(2, 60, 15, -1), c(2, 60, 15, 0));
  EXPECT_EQ(c(2, 60, 15, 12), c(2, 60, 15, 9));
  EXPECT_NE(c(2, 60, 15, 3), c(2, 60, 15, 4));
  EXPECT_EQ(c(2, M, 15, 3), M);
  EXPECT_EQ(c(2, 60, M, 3), M);
  EXPECT_EQ(c(2, 60, 15, M), M);
}

TEST(Methods, ModifiedPenmanStaysUnadjustedWithoutTheFactor) {
  const double plain = ModifiedPenman(PenmanDay(false));
  // Without an input of the factor the value stays unadjusted; without one of the equation
  // itself there is none.
  struct Case {
    const char* name;
    double ModifiedPenmanInputs::*input;
    double expected;
  };
  for (const Case& c : {Case{"RHmax", &ModifiedPenmanInputs::RHmax, plain},
                        Case{"Rs", &ModifiedPenmanInputs::Rs, plain},
                        Case{"Ud", &ModifiedPenmanInputs::Ud, plain},
                        Case{"u2", &ModifiedPenmanInputs::U2, M},
                        Case{"Rn", &ModifiedPenmanInputs::Rn, M},
                        Case{"gamma", &ModifiedPenmanInputs::Gamma, M},
                        Case{"Delta", &ModifiedPenmanInputs::Delta, M},
                        Case{"ea", &ModifiedPenmanInputs::Ea, M},
                        Case{"es", &ModifiedPenmanInputs::Es, M}}) {
    SCOPED_TRACE(c.name);
    ModifiedPenmanInputs in = PenmanDay();
    in.*c.input = M;
    EXPECT_EQ(ModifiedPenman(in), c.expected);
  }
}

TEST(Methods, HargreavesTemperatureRange) {
  EXPECT_EQ(Hargreaves(0.0023, kRa, 25, 20, 22.5), 0.0);  // Tmax < Tmin: no range
  EXPECT_EQ(Hargreaves(0.0023, M, 12, 20, 16), M);
  EXPECT_EQ(Hargreaves(0.0023, kRa, M, 20, 16), M);
  EXPECT_EQ(Hargreaves(0.0023, kRa, 12, 20, M), M);
  EXPECT_EQ(Hargreaves(0.0023, kRa, 12, 20, -30), 0.0);  // negative set to 0
}

TEST(Methods, RadiationMethodAdjustment) {
  const double plain = RadiationMethod(false, kUd, kRHmean, kRs, kGamma, kDelta);
  EXPECT_NEAR(plain, 0.408 * kRs * kDelta / (kDelta + kGamma), 1e-12);
  EXPECT_EQ(RadiationMethod(true, M, kRHmean, kRs, kGamma, kDelta), plain);
  EXPECT_EQ(RadiationMethod(true, kUd, M, kRs, kGamma, kDelta), plain);
  EXPECT_EQ(RadiationMethod(true, 3, 120, kRs, kGamma, kDelta),
            RadiationMethod(true, 3, 100, kRs, kGamma, kDelta));
  EXPECT_EQ(RadiationMethod(true, 15, 50, kRs, kGamma, kDelta),
            RadiationMethod(true, 10, 50, kRs, kGamma, kDelta));
  EXPECT_EQ(RadiationMethod(true, kUd, kRHmean, M, kGamma, kDelta), M);
  EXPECT_EQ(RadiationMethod(false, kUd, kRHmean, -5, kGamma, kDelta), 0.0);
}

TEST(Methods, BlaneyCriddleDaylightAndAdjustment) {
  const double f = BlaneyCriddle(false, kUd, kRHmin, kSunshine, kN, kTmean);
  EXPECT_EQ(BlaneyCriddle(true, M, kRHmin, kSunshine, kN, kTmean), f);
  EXPECT_EQ(BlaneyCriddle(true, kUd, M, kSunshine, kN, kTmean), f);
  EXPECT_EQ(BlaneyCriddle(true, kUd, kRHmin, M, kN, kTmean), f);
  EXPECT_EQ(BlaneyCriddle(true, kUd, kRHmin, kSunshine, M, kTmean), M);
  EXPECT_EQ(BlaneyCriddle(true, kUd, kRHmin, kSunshine, kN, M), M);
  // Polar night: p = 0, so f = 0, and the corrected value a + b f = a is negative.
  EXPECT_EQ(BlaneyCriddle(false, kUd, kRHmin, 0, 0, -10), 0.0);
  EXPECT_EQ(BlaneyCriddle(true, kUd, kRHmin, 0, 0, -10), 0.0);
  // N rounding to 0 gives the ratio 0, not n / N.
  EXPECT_EQ(BlaneyCriddle(true, 2, 50, 5, 0.3, 20), BlaneyCriddle(true, 2, 50, 0, 0.3, 20));
}

}  // namespace
}  // namespace vernoli
