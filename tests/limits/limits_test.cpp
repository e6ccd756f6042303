#include "limits/limits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/numbers.h"

namespace vernoli {
namespace {

StationLimits Limits(int tmin, int tmax, int rh = 15, int wind = 8, int deviation = 5) {
  StationLimits limits;
  limits.LimitTmin = static_cast<int8_t>(tmin);
  limits.LimitTmax = static_cast<int8_t>(tmax);
  limits.LimitRHmin = static_cast<int8_t>(rh);
  limits.LimitWind = static_cast<int8_t>(wind);
  limits.LimitRadiationDeviation = static_cast<int8_t>(deviation);
  return limits;
}

// The five limits as a text, so that a failing comparison shows all of them.
std::string Show(const StationLimits& l) {
  return "{" + std::to_string(l.LimitTmin) + ", " + std::to_string(l.LimitTmax) + ", " +
         std::to_string(l.LimitRHmin) + ", " + std::to_string(l.LimitWind) + ", " +
         std::to_string(l.LimitRadiationDeviation) + "}";
}

using Spin = void (*)(StationLimits&, SpinDirection);
constexpr SpinDirection kUp = SpinDirection::Up;
constexpr SpinDirection kDown = SpinDirection::Down;

TEST(LimitSpins, MoveByOneWithinTheBoundsAndKeepTheTemperatureGap) {
  struct Case {
    const char* Name;
    Spin Function;
    SpinDirection Direction;
    StationLimits Before, After;
  };
  const Case cases[] = {
      {"Tmin up", SpinTmin, kUp, Limits(-15, 45), Limits(-14, 45)},
      {"Tmin down", SpinTmin, kDown, Limits(-15, 45), Limits(-16, 45)},
      {"Tmin 44 to 45 pushes Tmax 45 to 50", SpinTmin, kUp, Limits(44, 45), Limits(45, 50)},
      {"Tmin up to Tmax - 5 leaves Tmax", SpinTmin, kUp, Limits(19, 25), Limits(20, 25)},
      {"Tmin up past Tmax - 5 pushes Tmax", SpinTmin, kUp, Limits(20, 25), Limits(21, 26)},
      {"Tmin stops at 45", SpinTmin, kUp, Limits(45, 50), Limits(45, 50)},
      {"Tmin stops at -60", SpinTmin, kDown, Limits(-60, 45), Limits(-60, 45)},
      {"Tmin down never moves Tmax", SpinTmin, kDown, Limits(10, 12), Limits(9, 12)},
      {"Tmax down", SpinTmax, kDown, Limits(-15, 45), Limits(-15, 44)},
      {"Tmax -39 to -40 pulls Tmin -44 to -45", SpinTmax, kDown, Limits(-44, -39),
       Limits(-45, -40)},
      {"Tmax down to Tmin + 5 leaves Tmin", SpinTmax, kDown, Limits(10, 16), Limits(10, 15)},
      {"Tmax down past Tmin + 5 pulls Tmin", SpinTmax, kDown, Limits(10, 15), Limits(9, 14)},
      {"Tmax stops at -40", SpinTmax, kDown, Limits(-45, -40), Limits(-45, -40)},
      {"Tmax stops at 60", SpinTmax, kUp, Limits(-15, 60), Limits(-15, 60)},
      {"Tmax up never moves Tmin", SpinTmax, kUp, Limits(10, 12), Limits(10, 13)},
      {"RHmin stops at 1", SpinRHmin, kDown, Limits(-15, 45, 1), Limits(-15, 45, 1)},
      {"RHmin stops at 90", SpinRHmin, kUp, Limits(-15, 45, 90), Limits(-15, 45, 90)},
      {"RHmin up", SpinRHmin, kUp, Limits(-15, 45, 15), Limits(-15, 45, 16)},
      {"wind stops at 1", SpinWind, kDown, Limits(-15, 45, 15, 1), Limits(-15, 45, 15, 1)},
      {"wind stops at 15", SpinWind, kUp, Limits(-15, 45, 15, 15), Limits(-15, 45, 15, 15)},
      {"wind down", SpinWind, kDown, Limits(-15, 45, 15, 8), Limits(-15, 45, 15, 7)},
      {"deviation stops at 0", SpinRadiationDeviation, kDown, Limits(-15, 45, 15, 8, 0),
       Limits(-15, 45, 15, 8, 0)},
      {"deviation stops at 25", SpinRadiationDeviation, kUp, Limits(-15, 45, 15, 8, 25),
       Limits(-15, 45, 15, 8, 25)},
      {"deviation up", SpinRadiationDeviation, kUp, Limits(-15, 45, 15, 8, 5),
       Limits(-15, 45, 15, 8, 6)},
      // A limit outside the form's bounds (a file edited by hand) is never moved the other way.
      {"Tmin below -60 going down", SpinTmin, kDown, Limits(-80, 45), Limits(-80, 45)},
      {"Tmin below -60 going up", SpinTmin, kUp, Limits(-80, 45), Limits(-79, 45)},
      {"wind above 15 going up", SpinWind, kUp, Limits(-15, 45, 15, 40), Limits(-15, 45, 15, 40)},
      {"wind above 15 going down", SpinWind, kDown, Limits(-15, 45, 15, 40),
       Limits(-15, 45, 15, 39)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    StationLimits limits = c.Before;
    c.Function(limits, c.Direction);
    EXPECT_EQ(Show(limits), Show(c.After));
  }
}

TEST(LimitSpins, ThousandClicksStayWithinEveryBound) {
  StationLimits limits;
  for (int i = 0; i < 1000; ++i) {
    SpinTmin(limits, kUp);
    SpinRHmin(limits, kUp);
    SpinWind(limits, kUp);
    SpinRadiationDeviation(limits, kUp);
  }
  EXPECT_EQ(Show(limits), Show(Limits(45, 50, 90, 15, 25)));
  for (int i = 0; i < 1000; ++i) {
    SpinTmax(limits, kDown);
    SpinRHmin(limits, kDown);
    SpinWind(limits, kDown);
    SpinRadiationDeviation(limits, kDown);
  }
  EXPECT_EQ(Show(limits), Show(Limits(-45, -40, 1, 1, 0)));
  for (int i = 0; i < 1000; ++i) SpinTmin(limits, kDown);
  for (int i = 0; i < 1000; ++i) SpinTmax(limits, kUp);
  EXPECT_EQ(Show(limits), Show(Limits(-60, 60, 1, 1, 0)));
}

TEST(LimitsUnits, FollowTheCodesOfTheDataFileLastOneWinning) {
  struct Case {
    std::vector<int16_t> Codes;
    VapourUnit Vapour;
    WindUnit Wind;
    RadiationUnit Radiation;
  };
  const Case cases[] = {
      {{}, VapourUnit::Mbar, WindUnit::KmDay, RadiationUnit::MmDay},
      {{101, 221, 222, 301, 302, 421, 424, 501}, VapourUnit::Mbar, WindUnit::KmDay,
       RadiationUnit::MmDay},
      {{223, 303, 422}, VapourUnit::Psi, WindUnit::Knot, RadiationUnit::Wm2},
      {{224, 304, 423}, VapourUnit::Atm, WindUnit::FtSec, RadiationUnit::JPerCm2Day},
      {{225, 425}, VapourUnit::MmHg, WindUnit::KmDay, RadiationUnit::CalPerCm2Day},
      {{224, 223, 304, 303, 425, 422}, VapourUnit::Psi, WindUnit::Knot, RadiationUnit::Wm2},
      // Net radiation codes do not choose the radiation unit.
      {{432, 433, 435}, VapourUnit::Mbar, WindUnit::KmDay, RadiationUnit::MmDay},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.Codes));
    const LimitsUnits units = UnitsOfCodes(c.Codes);
    EXPECT_EQ(units.Vapour, c.Vapour);
    EXPECT_EQ(units.Wind, c.Wind);
    EXPECT_EQ(units.Radiation, c.Radiation);
  }
}

TEST(LimitsTexts, LatitudeInDegreesMinutesAndHemisphere) {
  struct Case {
    double Latitude;
    const char* Text;
  };
  const Case cases[] = {
      {41.9, "41\xB0 54  North "},  {-33.86, "33\xB0 52  South "}, {0.0, "0\xB0 0  North "},
      {-0.5, "0\xB0 30  South "},   {52.1, "52\xB0 6  North "},    {-90.0, "90\xB0 0  South "},
      // 59.994 minutes round to 60; the degrees are not carried.
      {10.9999, "10\xB0 60  North "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Latitude);
    EXPECT_EQ(LatitudeText(c.Latitude), c.Text);
  }
}

TEST(LimitsTexts, AngstromCoefficientsAndTheAltitudeCorrection) {
  EXPECT_EQ(AngstromText(0.25), "0.25");
  EXPECT_EQ(AngstromText(0.5), "0.50");
  EXPECT_EQ(AngstromText(1.234), "1.23");
  RepClimateFile station;
  station.Altitude = 350;
  station.Flags.ElevationAdjustment = 1;
  EXPECT_EQ(AltitudeCorrectionText(station), "correction for altitude (350m)");
  station.Altitude = -20;
  EXPECT_EQ(AltitudeCorrectionText(station), "correction for altitude (-20m)");
  station.Flags.ElevationAdjustment = 0;
  EXPECT_EQ(AltitudeCorrectionText(station), "");
}

TEST(LimitsTexts, TemperatureInCelsiusAndFahrenheit) {
  const TemperatureTexts defaults = TemperatureDisplay(Limits(-15, 45));
  EXPECT_EQ(defaults.TminC, " -15");
  EXPECT_EQ(defaults.TmaxC, "  45");
  EXPECT_EQ(defaults.TminF, "   5.0");
  EXPECT_EQ(defaults.TmaxF, " 113.0");
  const TemperatureTexts cold = TemperatureDisplay(Limits(-60, -40));
  EXPECT_EQ(cold.TminC, " -60");
  EXPECT_EQ(cold.TminF, " -76.0");
  EXPECT_EQ(cold.TmaxF, " -40.0");
}

TEST(LimitsTexts, VapourPressureFollowsTheTemperatureAndHumidityLimits) {
  // e min = 15 / 100 e(-15), e max = e(45), e(T) = 0.6108 exp(17.27 T / (T + 237.3)).
  struct Case {
    const char* Name;
    StationLimits Limits;
    VapourUnit Unit;
    const char *RH, *EminkPa, *EmaxkPa, *Emin, *Emax;
  };
  const Case cases[] = {
      {"mbar", Limits(-15, 45), VapourUnit::Mbar, "  15", " 0.0286", " 9.5825", "    0.2857",
       "   95.8248"},
      {"psi", Limits(-15, 45), VapourUnit::Psi, "  15", " 0.0286", " 9.5825", "    0.0041",
       "    1.3898"},
      {"atm", Limits(-15, 45), VapourUnit::Atm, "  15", " 0.0286", " 9.5825", "    0.0003",
       "    0.0946"},
      {"mmHg", Limits(-15, 45), VapourUnit::MmHg, "  15", " 0.0286", " 9.5825", "    0.2143",
       "   71.8747"},
      {"5 to 30, 40 %", Limits(5, 30, 40), VapourUnit::Psi, "  40", " 0.3489", " 4.2431",
       "    0.0506", "    0.6154"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const HumidityTexts texts = HumidityDisplay(c.Limits, c.Unit);
    EXPECT_EQ(texts.RHmin, c.RH);
    EXPECT_EQ(texts.EminkPa, c.EminkPa);
    EXPECT_EQ(texts.EmaxkPa, c.EmaxkPa);
    EXPECT_EQ(texts.Emin, c.Emin);
    EXPECT_EQ(texts.Emax, c.Emax);
  }
}

TEST(LimitsTexts, WindInItsDisplayUnits) {
  EXPECT_EQ(WindDisplay(Limits(-15, 45, 15, 8), WindUnit::KmDay).UmaxMS, "   8");
  EXPECT_EQ(WindDisplay(Limits(-15, 45, 15, 8), WindUnit::KmDay).Umax, " 691.2");
  EXPECT_EQ(WindDisplay(Limits(-15, 45, 15, 8), WindUnit::Knot).Umax, "  15.6");
  EXPECT_EQ(WindDisplay(Limits(-15, 45, 15, 8), WindUnit::FtSec).Umax, "  26.2");
  EXPECT_EQ(WindDisplay(Limits(-15, 45, 15, 15), WindUnit::KmDay).Umax, "1296.0");
}

RepClimateFile StationAt(double latitude, int altitude, bool elevationAdjustment, double a = 0.25,
                         double b = 0.50) {
  RepClimateFile station;
  station.Latitude = latitude;
  station.Altitude = altitude;
  station.Flags.ElevationAdjustment = elevationAdjustment ? 1 : 0;
  station.Settings.AngstromA = a;
  station.Settings.AngstromB = b;
  return station;
}

// Worked by hand from Ra and N of the lowest- and highest-Ra days; every text R(6,1).
TEST(LimitsRadiation, MaximaOnTheDaysOfLowestAndHighestRa) {
  struct Day {
    const char* Date;
    const char *Nmax, *RsMaxMJ, *RsMax;
  };
  struct Case {
    const char* Name;
    RepClimateFile Station;
    int Deviation;
    RadiationUnit Unit;
    Day Lowest, Highest;
  };
  const Case cases[] = {
      {"De Bilt, elevation adjustment, W/m2", StationAt(52.10, 2, true), 5, RadiationUnit::Wm2,
       {"20 December", "   7.9", "   4.9", "  56.8"}, {"20 June", "  17.3", "  32.8", " 380.0"}},
      {"Sydney, Angstrom a + b, mm/day", StationAt(-33.86, 39, false), 5, RadiationUnit::MmDay,
       {"21 June", "  10.2", "  12.8", "   5.2"}, {"22 December", "  15.0", "  34.9", "  14.3"}},
      {"41.9 N at 350 m: a and b do not enter, J/cm2.day",
       StationAt(41.9, 350, true, 0.2, 0.6), 10, RadiationUnit::JPerCm2Day,
       {"20 December", "   9.8", "  10.3", "1027.8"}, {"20 June", "  16.6", "  34.9", "3490.0"}},
      {"80 N, polar night and day, cal/cm2.day", StationAt(80.0, 10, true), 25,
       RadiationUnit::CalPerCm2Day, {"1 January", "   0.0", "   0.0", "   0.0"},
       {"21 June", "  24.0", "  42.0", "1002.2"}},
      {"75 S: the first day of the polar night", StationAt(-75.0, 0, false), 0,
       RadiationUnit::MmDay, {"2 May", "   0.0", "   0.0", "   0.0"},
       {"21 December", "  24.0", "  35.1", "  14.3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const RadiationTexts texts =
        RadiationDisplay(c.Station, Limits(-15, 45, 15, 8, c.Deviation), c.Unit);
    EXPECT_EQ(texts.Deviation, FormatInt(c.Deviation, 3));
    EXPECT_EQ(texts.Lowest.DateText, c.Lowest.Date);
    EXPECT_EQ(texts.Lowest.NmaxText, c.Lowest.Nmax);
    EXPECT_EQ(texts.Lowest.RsMaxMJText, c.Lowest.RsMaxMJ);
    EXPECT_EQ(texts.Lowest.RsMaxText, c.Lowest.RsMax);
    EXPECT_EQ(texts.Highest.DateText, c.Highest.Date);
    EXPECT_EQ(texts.Highest.NmaxText, c.Highest.Nmax);
    EXPECT_EQ(texts.Highest.RsMaxMJText, c.Highest.RsMaxMJ);
    EXPECT_EQ(texts.Highest.RsMaxText, c.Highest.RsMax);
  }
}

TEST(LimitsRadiation, NmaxIsCappedAt24WhateverTheDeviation) {
  for (int deviation : {0, 5, 25}) {
    SCOPED_TRACE(deviation);
    const RadiationTexts texts =
        RadiationDisplay(StationAt(80.0, 0, true), Limits(-15, 45, 15, 8, deviation),
                         RadiationUnit::MmDay);
    EXPECT_DOUBLE_EQ(texts.Highest.Nmax, 24.0);
    EXPECT_EQ(texts.Lowest.Nmax, 0.0);
  }
}

TEST(LimitsRadiation, TheLowestDayIsTheFirstOfEqualMinima) {
  SolarYear year{};
  for (auto& day : year) day = {10.0, 12.0};
  year[99] = {3.0, 5.0};
  year[199] = {3.0, 5.0};
  year[49] = {30.0, 14.0};
  year[299] = {30.0, 14.0};
  EXPECT_EQ(LowestRaDay(year), 100);
  EXPECT_EQ(HighestRaDay(year), 50);
  for (auto& day : year) day = {0.0, 0.0};
  EXPECT_EQ(LowestRaDay(year), 1);
  EXPECT_EQ(HighestRaDay(year), 1);
}

TEST(LimitsCharts, OneColumnPerDayScaledTo24HoursAnd45MJ) {
  // At the equator N is 12 every day: every column reaches half the height.
  const SolarYear equator = SolarYearAt(0.0);
  const ChartColumns daylight = DaylightColumns(equator, 730, 100);
  for (int day = 1; day <= 365; ++day) {
    SCOPED_TRACE(day);
    EXPECT_EQ(daylight[day - 1].X, 2 * day - 1);
    EXPECT_EQ(daylight[day - 1].Top, 50);
  }
  SolarYear year{};
  year[0] = {45.0, 24.0};
  year[1] = {0.0, 0.0};
  year[2] = {22.5, 6.0};
  year[3] = {20.0, 18.0};
  const ChartColumns ra = RadiationColumns(year, 365 * 3, 90);
  EXPECT_EQ(ra[0].X, 2);  // round(1.5) to even
  EXPECT_EQ(ra[1].X, 4);
  EXPECT_EQ(ra[0].Top, 0);
  EXPECT_EQ(ra[1].Top, 90);
  EXPECT_EQ(ra[2].Top, 45);
  EXPECT_EQ(ra[3].Top, 50);
  const ChartColumns n = DaylightColumns(year, 365, 90);
  EXPECT_EQ(n[0].Top, 0);
  EXPECT_EQ(n[1].Top, 90);
  EXPECT_EQ(n[2].Top, 68);  // round(67.5) to even
  EXPECT_EQ(n[3].Top, 22);  // round(22.5) to even
}

}  // namespace
}  // namespace vernoli
