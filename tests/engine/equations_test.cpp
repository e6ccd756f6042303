#include "engine/equations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/parameters.h"

namespace vernoli {
namespace {

constexpr double M = kMissing;

struct Case {
  const char* name;
  double actual;
  double expected;
  double tolerance;
};

void ExpectTable(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(c.actual, c.expected, c.tolerance);
  }
}

TEST(Equations, InlineTestsAgreeWithTheRoundingTest) {
  std::vector<double> values = {-999.5, -998.5, -999.4, -998.6, -999.6, -999, -1000, -998,
                                0.5,    -0.5,   0.4,    -0.0,   1.5,    NAN,  INFINITY, -INFINITY};
  for (double edge : {-999.5, -998.5, 0.5, -0.5}) {
    values.push_back(std::nextafter(edge, 0.0));
    values.push_back(std::nextafter(edge, -2000.0));
  }
  for (int i = 0; i <= 4000; ++i) {
    values.push_back(-1001 + i / 1000.0);
    values.push_back(-2 + i / 1000.0);
  }
  for (double x : values) {
    SCOPED_TRACE(x);
    EXPECT_EQ(IsMissing(x), RoundHalfEven(x) == -999.0);
    EXPECT_EQ(RoundsToZero(x), RoundHalfEven(x) == 0);
  }
}

TEST(Equations, PressureHumidityAndWindValues) {
  ExpectTable({
      {"P at sea level", AtmosphericPressure(0), 101.3, 1e-12},
      {"gamma at 101.3 kPa", PsychrometricConstant(101.3), 0.0673383646, 1e-12},
      {"P at 100 m", AtmosphericPressure(100), 100.123508283418, 1e-9},
      {"e deg(0)", SaturationVapourPressure(0), 0.6108, 1e-12},
      {"e deg(20)", SaturationVapourPressure(20), 2.3383, 5e-5},
      {"slope at 20", SlopeVapourPressureCurve(20.0), 0.1447, 5e-5},
      {"es from both extremes", MeanSaturationVapourPressure(21.5, 12.3, M), 1.99748556253384,
       1e-9},
      {"RH from ea", RelativeHumidity(20.0, 2.3383 / 2), 50.0, 1e-3},
      {"RH above saturation is not limited", RelativeHumidity(0.0, 1.2216), 200.0, 1e-9},
      {"dewpoint of e deg(15)", DewPoint(1.7053462321157722, M), 15.0, 1e-9},
      {"u2 factor at 2 m", WindSpeedAt2m(9, 2, 1), 1.0002, 5e-5},
      {"u2 factor at 10 m", WindSpeedAt2m(9, 10, 1), 0.7480, 5e-5},
      {"daytime wind at ratio 2", DaytimeWindSpeed(2, 3), 4.0, 1e-12},
      {"daytime wind at ratio 4", DaytimeWindSpeed(4, 1), 1.6, 1e-12},
  });
}

TEST(Equations, MeanOrGivenPrefersTwoPresentExtremes) {
  EXPECT_EQ(MeanOrGiven(30, 10, 25), 20);
  EXPECT_EQ(MeanOrGiven(30, M, 25), 25);
  EXPECT_EQ(MeanOrGiven(M, 10, M), M);
  EXPECT_EQ(MeanOrGiven(30, -999.4, 25), 25);  // -999.4 counts as missing
}

TEST(Equations, MeanSaturationFallsBackToTheMeanTemperature) {
  EXPECT_DOUBLE_EQ(MeanSaturationVapourPressure(30, M, 20), SaturationVapourPressure(20));
  EXPECT_DOUBLE_EQ(MeanSaturationVapourPressure(M, 10, 20), SaturationVapourPressure(20));
  EXPECT_EQ(MeanSaturationVapourPressure(30, M, M), M);
  EXPECT_EQ(SlopeVapourPressureCurve(M), M);
  EXPECT_EQ(RelativeHumidity(M, 1.0), M);
  EXPECT_EQ(RelativeHumidity(20.0, M), M);
}

TEST(Equations, DewPointGivenOrFromVapourPressure) {
  EXPECT_EQ(DewPoint(1.0, 7.5), 7.5);  // a measured dewpoint wins
  EXPECT_EQ(DewPoint(M, M), M);
  EXPECT_EQ(DewPoint(0.0, M), M);     // ln(0)
  EXPECT_EQ(DewPoint(-0.05, M), M);   // a negative psychrometer estimate
  // ln(ea / 0.6108) = 17.27 divides by zero.
  EXPECT_EQ(DewPoint(0.6108 * std::exp(17.27), M), M);
}

TEST(Equations, WindSpeedDefaultsAndProfileLimits) {
  for (double height : {0.05, 2.0, 10.0, 1e6}) {
    SCOPED_TRACE(height);
    EXPECT_EQ(WindSpeedAt2m(3.5, height, M), 3.5);  // no measurement: the station default
  }
  // ln(67.8 z - 5.42) is 0 at z = 6.42 / 67.8 and not positive below it.
  EXPECT_EQ(WindSpeedAt2m(2, 6.42 / 67.8, 3), M);
  EXPECT_EQ(WindSpeedAt2m(2, 0.085, 3), M);
  EXPECT_EQ(WindSpeedAt2m(2, 0.0, 3), M);
  EXPECT_GT(WindSpeedAt2m(2, 0.1, 3), 0);
  EXPECT_EQ(DaytimeWindSpeed(0, 3), 0.0);  // no wind by day
  EXPECT_EQ(DaytimeWindSpeed(2, M), M);
}

TEST(Equations, SolarGeometryAtTheEquatorAndThePoles) {
  for (int day : {1, 80, 172, 266, 355, 365}) {
    SCOPED_TRACE(day);
    EXPECT_EQ(ExtraterrestrialRadiation(day, 0.0).N, 12.0);
  }
  const SolarGeometry polarNight = ExtraterrestrialRadiation(355, 80);
  EXPECT_EQ(polarNight.N, 0.0);
  EXPECT_EQ(polarNight.Ra, 0.0);
  const SolarGeometry polarDay = ExtraterrestrialRadiation(172, 80);
  EXPECT_EQ(polarDay.N, 24.0);
  EXPECT_NEAR(polarDay.Ra, 44.744794196, 1e-8);
  EXPECT_NEAR(ExtraterrestrialRadiation(187, 50.8).Ra, 41.0883755635423, 1e-9);
  EXPECT_NEAR(ExtraterrestrialRadiation(187, 50.8).N, 16.1046116803621, 1e-9);
  // Southern hemisphere: polar night in June.
  EXPECT_EQ(ExtraterrestrialRadiation(172, -80).N, 0.0);
  // The pole itself and a latitude that is not a number.
  EXPECT_TRUE(std::isfinite(ExtraterrestrialRadiation(100, 90).Ra));
  EXPECT_EQ(ExtraterrestrialRadiation(100, NAN).Ra, M);
  EXPECT_EQ(ExtraterrestrialRadiation(100, NAN).N, M);
}

TEST(Equations, ClearSkyRadiationByElevationOrAngstrom) {
  EXPECT_NEAR(ClearSkyRadiation(40, 100, true, 0.25, 0.5), 40 * 0.752, 1e-12);
  EXPECT_NEAR(ClearSkyRadiation(40, 100, false, 0.2, 0.5), 28.0, 1e-12);
  EXPECT_EQ(ClearSkyRadiation(M, 100, true, 0.25, 0.5), M);
}

TEST(Equations, NetLongwaveRadiation) {
  // Rso rounding to 0 gives 0 before anything else is looked at.
  EXPECT_EQ(NetLongwaveRadiation(0.4, M, M, M, M, M), 0.0);
  EXPECT_EQ(NetLongwaveRadiation(-0.5, M, M, M, M, M), 0.0);
  EXPECT_NEAR(NetLongwaveRadiation(30.8984584237838, 22.0720516143685, 1.4086238018596, 12.3,
                                   21.5, 16.9),
              3.71229457043145, 1e-9);
  // With an extreme missing the mean temperature is used.
  const double sigmaT4 = 4.903e-9 * std::pow(20 + 273.16, 4);
  EXPECT_NEAR(NetLongwaveRadiation(30, 20, 1.0, M, 25, 20), sigmaT4 * 0.2 * (0.9 - 0.35), 1e-12);
  EXPECT_EQ(NetLongwaveRadiation(30, 20, 1.0, M, 25, M), M);
  EXPECT_EQ(NetLongwaveRadiation(30, M, 1.0, 10, 25, M), M);
  EXPECT_EQ(NetLongwaveRadiation(30, 20, M, 10, 25, M), M);
  EXPECT_EQ(NetLongwaveRadiation(M, 20, 1.0, 10, 25, M), M);
  EXPECT_EQ(NetLongwaveRadiation(30, 20, -0.01, 10, 25, M), M);  // no square root
  EXPECT_EQ(NetLongwaveRadiation(30, 1, 1.0, 10, 25, M), 0.0);    // negative set to 0
}

TEST(Equations, NetRadiationAlbedoFollowsTheMethod) {
  EXPECT_NEAR(NetRadiation(1, 0.25, 0.23, 3, 20, M), 20 * 0.77 - 3, 1e-12);
  for (int method : {0, 2, 3, 4}) {
    SCOPED_TRACE(method);
    EXPECT_NEAR(NetRadiation(static_cast<uint8_t>(method), 0.25, 0.23, 3, 20, M), 12.0, 1e-12);
  }
  EXPECT_EQ(NetRadiation(1, 0.25, 0.23, 3, 20, 7.5), 7.5);  // measured Rn
  EXPECT_EQ(NetRadiation(1, 0.25, 0.23, M, 20, M), M);
  EXPECT_EQ(NetRadiation(1, 0.25, 0.23, 3, M, M), M);
  EXPECT_EQ(NetRadiation(1, 0.25, 0.23, 25, 20, M), 20 * 0.77 - 25);  // not limited to positive
}

TEST(Equations, ImpossibleValuesBecomeMissingNotInfinite) {
  EXPECT_EQ(SaturationVapourPressure(-237.3), M);   // divides by zero
  EXPECT_EQ(SaturationVapourPressure(-237.31), M);  // overflows
  EXPECT_EQ(SaturationVapourPressure(-300), M);     // beyond the pole
  EXPECT_EQ(SaturationVapourPressure(-237.29), 0.0);
  EXPECT_EQ(RelativeHumidity(-237.29, 1.0), M);     // e deg is 0
  EXPECT_EQ(SlopeVapourPressureCurve(-237.3), M);
  EXPECT_EQ(AtmosphericPressure(45077), M);          // beyond the atmosphere of the formula
  EXPECT_EQ(PsychrometricConstant(M), M);
  EXPECT_EQ(MeanOrGiven(1e308, 1e308, 0), M);
  EXPECT_EQ(WindSpeedAt2m(NAN, 2, M), M);
}

}  // namespace
}  // namespace vernoli
