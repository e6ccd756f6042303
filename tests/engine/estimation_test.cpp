#include "engine/estimation.h"

#include <gtest/gtest.h>

#include "model/parameters.h"

namespace vernoli {
namespace {

constexpr double M = kMissing;

TEST(EstimateExtremes, FillsAMissingExtremeFromTheMean) {
  struct Row {
    const char* name;
    double max, mean, min;
    double expectedMax, expectedMin, expectedMean;
  };
  const Row rows[] = {
      {"maximum from mean and minimum", M, 20, 12, 28, 12, 20},
      {"minimum from mean and maximum", 30, 20, M, 30, 10, 20},
      {"both extremes override the mean", 30, 25, 10, 30, 10, 20},
      {"one extreme without a mean", 30, M, M, 30, M, M},
      {"mean alone", M, 20, M, M, M, 20},
      {"nothing", M, M, M, M, M, M},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const TemperatureExtremes t = EstimateTemperatureExtremes(r.max, r.mean, r.min);
    EXPECT_EQ(t.Tmax, r.expectedMax);
    EXPECT_EQ(t.Tmin, r.expectedMin);
    EXPECT_EQ(t.TmeanStar, r.expectedMean);
    const HumidityExtremes h = EstimateHumidityExtremes(r.max, r.mean, r.min);
    EXPECT_EQ(h.RHmax, r.expectedMax);
    EXPECT_EQ(h.RHmin, r.expectedMin);
    EXPECT_EQ(h.RHmeanStar, r.expectedMean);
  }
}

// Every source of the actual vapour pressure present; each row removes the best remaining one.
TEST(ActualVapourPressure, TakesTheFirstUsableSourceInOrder) {
  struct Row {
    const char* name;
    double expected;  // python3, e deg = 0.6108 exp(17.27 T / (T + 237.3))
  };
  const Row rows[] = {
      {"observed e(act)", 1.1},
      {"e deg(Tdew)", 1.1480604779781116},
      {"psychrometer", 1.3001462321157722},
      {"both extremes of humidity and temperature", 1.3871398156701829},
      {"RHmax at Tmin", 1.2623074857422607},
      {"RHmean* at Tmean*", 1.51988282610284},
      {"e deg(Tmin - TdewTminDifference)", 1.2279626193393784},
      {"no source", M},
  };
  VapourPressureSources s{1.1, 9, 20, 15, 90, 40, 65,
                          Saturation(28), Saturation(12), Saturation(20)};
  double* removed[] = {&s.EactObserved, &s.Tdew, &s.Tdry, &s.RHmin, &s.RHmax, &s.RHmeanStar,
                       &s.Tmin.T};
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(rows[i].name);
    EXPECT_NEAR(ActualVapourPressure(s, 101.3, 0.0008, 2), rows[i].expected, 1e-12);
    if (i < 7) *removed[i] = M;
    s.Tmin = Saturation(s.Tmin.T);
  }
}

TEST(ActualVapourPressure, PsychrometerAndMinimumTemperatureDetails) {
  const VapourPressureSources none{M, M, M, M, M, M, M, Saturation(M), Saturation(M),
                                   Saturation(M)};
  // A wet bulb above the dry bulb is taken equal to it: saturated air.
  VapourPressureSources s = none;
  s.Tdry = 25;
  s.Twet = 26;
  EXPECT_EQ(ActualVapourPressure(s, 101.3, 0.0008, 0), SaturationVapourPressure(25));
  // One bulb alone is no psychrometer reading.
  s.Twet = M;
  EXPECT_EQ(ActualVapourPressure(s, 101.3, 0.0008, 0), M);
  // Only Tmin: the dewpoint lies TdewTminDifference below it.
  s = none;
  s.Tmin = Saturation(12);
  EXPECT_NEAR(ActualVapourPressure(s, 101.3, 0.0008, 2), 1.2279626193393784, 1e-12);
  EXPECT_NEAR(ActualVapourPressure(s, 101.3, 0.0008, 0), 1.4025638730469563, 1e-12);
  // A psychrometer estimate may come out negative; it is returned as computed.
  s = none;
  s.Tdry = 40;
  s.Twet = 0;
  EXPECT_LT(ActualVapourPressure(s, 101.3, 0.0008, 0), 0);
}

// Every source of the solar radiation present; each row removes the best remaining one.
TEST(SolarRadiation, TakesTheFirstUsableSourceInOrder) {
  const SolarGeometry sun{40, 14};
  struct Row {
    const char* name;
    double expected;
  };
  const Row rows[] = {
      {"observed Rs", 18},
      {"from n and N", 21.428571428571427},
      {"from n/N", 22},
      {"from the temperature range", 0.16 * 4 * 40},
      {"no source", M},
  };
  RadiationSources s{18, 8, 0.6, 28, 12};
  double* removed[] = {&s.RsObserved, &s.Sunshine, &s.RelativeSunshine, &s.Tmin};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(rows[i].name);
    EXPECT_NEAR(SolarRadiation(s, sun, 0.25, 0.5, 0.16), rows[i].expected, 1e-12);
    if (i < 4) *removed[i] = M;
  }
}

TEST(SolarRadiation, PolarNightAndEqualExtremes) {
  // No sun: 0 even over a measured value.
  EXPECT_EQ(SolarRadiation({18, M, M, M, M}, {0.4, 3}, 0.25, 0.5, 0.16), 0.0);
  EXPECT_EQ(SolarRadiation({18, M, M, M, M}, {5, 0.3}, 0.25, 0.5, 0.16), 0.0);
  // The temperature formula needs Tmax > Tmin.
  EXPECT_EQ(SolarRadiation({M, M, M, 20, 20}, {40, 14}, 0.25, 0.5, 0.16), M);
  EXPECT_EQ(SolarRadiation({M, M, M, 20, 22}, {40, 14}, 0.25, 0.5, 0.16), M);
}

TEST(SunshineDuration, TakesTheFirstUsableSourceInOrder) {
  const SolarGeometry sun{40, 14};
  EXPECT_EQ(SunshineDuration(7, 0.4, 20, sun, 0.25, 0.5), 7);
  EXPECT_NEAR(SunshineDuration(M, 0.4, 20, sun, 0.25, 0.5), 5.6, 1e-12);
  EXPECT_NEAR(SunshineDuration(M, M, 20, sun, 0.25, 0.5), 7, 1e-12);
  EXPECT_EQ(SunshineDuration(M, M, M, sun, 0.25, 0.5), M);
}

TEST(SunshineDuration, BackFromRadiationLimitedToTheDay) {
  const SolarGeometry sun{40, 14};
  struct Row {
    const char* name;
    double rs;
    double expected;
  };
  const Row rows[] = {
      {"Rs = a Ra gives no sunshine", 10, 0},
      {"Rs = (a + b) Ra gives the whole day", 30, 14},
      {"below a Ra limited to 0", 5, 0},
      {"above (a + b) Ra limited to N", 39, 14},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_NEAR(SunshineDuration(M, M, r.rs, sun, 0.25, 0.5), r.expected, 1e-12);
  }
  // With AngstromB = 0 the radiation says nothing about the sunshine.
  EXPECT_EQ(SunshineDuration(M, M, 20, sun, 0.25, 0.0), M);
  EXPECT_EQ(SunshineDuration(M, M, 10, sun, 0.25, 0.0), M);
  // Polar night: no sunshine, even over a measured value.
  EXPECT_EQ(SunshineDuration(7, M, M, {0, 0}, 0.25, 0.5), 0.0);
  EXPECT_EQ(SunshineDuration(7, M, M, {0.3, 2}, 0.25, 0.5), 0.0);
}

}  // namespace
}  // namespace vernoli
