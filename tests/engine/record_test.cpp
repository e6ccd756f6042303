#include "engine/record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "engine/equations.h"
#include "engine/methods.h"
#include "model/calendar.h"

namespace vernoli {
namespace {

constexpr double M = kMissing;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A station at 50.8 N, 100 m, wind measured at 10 m, every setting at its default.
RepClimateFile TestStation() {
  RepClimateFile s;
  s.Latitude = 50.8;
  s.Altitude = 100;
  s.WindHeight = 10;
  s.TdewTminDifference = 0;
  s.DefaultU2 = 2;
  s.HargreavesRsCoefficient = 0.16;
  s.Method = 1;
  return s;
}

// A complete summer day: 6 July (day 187).
ClimaticRecord WorkedDay() {
  ClimaticRecord r;
  r[Row::Tmax] = 21.5;
  r[Row::Tmin] = 12.3;
  r[Row::RHmax] = 84;
  r[Row::RHmin] = 63;
  r[Row::Wind] = 2.78;
  r[Row::Sunshine] = 9.25;
  return r;
}

bool SameBits(const RecordResults& a, const RecordResults& b) {
  return std::memcmp(&a, &b, sizeof(RecordResults)) == 0;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof(double)) == 0; }

// The 17 results as an array, for checks over all of them.
std::vector<double> AllOf(const RecordResults& r) {
  return {r.TmeanStar, r.RHmeanStar, r.EactStar, r.Esat,  r.TdewStar, r.U2Star,
          r.SunshineStar, r.DaylightHours, r.Ra, r.RsStar, r.Rnl, r.RnStar,
          r.EToPM, r.EToPen, r.EToHar, r.EToMak, r.EToBC};
}

// Every intermediate of the worked day, expected values computed by hand with python3 from the
// equations (double arithmetic, printed to 15 significant digits). Tolerance 1e-9.
TEST(ComputeRecord, WorkedDayIntermediateByIntermediate) {
  const RepClimateFile station = TestStation();
  const ClimaticRecord record = WorkedDay();
  ASSERT_EQ(DayNr(6, 7, 1901), 187);
  RecordResults r;
  const double eto = ComputeRecord(187, record, station, r);

  const double pressure = AtmosphericPressure(station.Altitude);
  const SolarGeometry sun = ExtraterrestrialRadiation(187, station.Latitude);
  const struct {
    const char* name;
    double actual;
    double expected;
  } rows[] = {
      {"Tmean* = (21.5 + 12.3) / 2", r.TmeanStar, 16.9},
      {"P", pressure, 100.123508283418},
      {"gamma", PsychrometricConstant(pressure), 0.0665563011433359},
      {"e(sat) = (e deg(Tmax) + e deg(Tmin)) / 2", r.Esat, 1.99748556253384},
      {"e(act)* from RHmax, RHmin, Tmax, Tmin", r.EactStar, 1.4086238018596},
      {"RHmean* = 100 e(act)* / e(sat)", r.RHmeanStar, 70.5198489681568},
      {"Delta at Tmean*", SlopeVapourPressureCurve(16.9), 0.122112658445987},
      {"Tdew* from e(act)*", r.TdewStar, 12.0653998492394},
      {"u2* from u(10 m) = 2.78", r.U2Star, 2.07930398896688},
      {"Ud", DaytimeWindSpeed(2, r.U2Star), 2.77240531862251},
      {"Ra", r.Ra, 41.0883755635423},
      {"N", r.DaylightHours, 16.1046116803621},
      {"Rso = (0.75 + 2 z / 100000) Ra", ClearSkyRadiation(sun.Ra, 100, true, 0.25, 0.5),
       30.8984584237838},
      {"Rs* = (0.25 + 0.5 n / N) Ra", r.RsStar, 22.0720516143685},
      {"n* = n", r.SunshineStar, 9.25},
      {"Rnl", r.Rnl, 3.71229457043145},
      {"Rn* = 0.77 Rs* - Rnl", r.RnStar, 13.2831851726323},
      {"EToP-M", r.EToPM, 3.88080761628902},
      {"EToPen (adjustment factor 1.07609718315828)", r.EToPen, 5.46248233382592},
      {"EToHar", r.EToHar, 4.05817115156593},
      {"EToMak", r.EToMak, 5.22393853013273},
      {"EToB-C", r.EToBC, 4.36962840577851},
      {"returned: Penman-Monteith", eto, 3.88080761628902},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_NEAR(row.actual, row.expected, 1e-9);
  }

  // The inputs spelt out one by one give the very same results.
  RecordResults explicitResults;
  const StationInputs inputs{.Latitude = 50.8,
                             .WindHeight = 10,
                             .PsychrometerCoefficient = 0.0008,
                             .TdewTminDifference = 0,
                             .DefaultU2 = 2,
                             .HargreavesRsCoefficient = 0.16,
                             .Altitude = 100,
                             .Method = 1};
  const double explicitETo = ComputeRecord(187, record, inputs, explicitResults);
  EXPECT_TRUE(SameBits(explicitResults, r));
  EXPECT_TRUE(SameBits(explicitETo, eto));
}

TEST(ComputeRecord, OnlyTheTemperatureExtremes) {
  RepClimateFile station = TestStation();
  station.TdewTminDifference = 2;
  struct Case {
    const char* name;
    double tmax, tmin;
    bool radiationCapped;
  };
  for (const Case& row : {Case{"moderate range", 21.5, 12.3, false},
                          Case{"range above the clear sky", 35, 5, true}}) {
    SCOPED_TRACE(row.name);
    ClimaticRecord record;
    record[Row::Tmax] = row.tmax;
    record[Row::Tmin] = row.tmin;
    RecordResults r;
    ComputeRecord(187, record, station, r);
    const double ra = ExtraterrestrialRadiation(187, 50.8).Ra;
    const double rso = ClearSkyRadiation(ra, 100, true, 0.25, 0.5);
    EXPECT_EQ(r.EactStar, SaturationVapourPressure(row.tmin - 2));
    EXPECT_EQ(r.U2Star, 2.0);
    EXPECT_EQ(r.RsStar, row.radiationCapped ? rso : 0.16 * std::sqrt(row.tmax - row.tmin) * ra);
    EXPECT_NEAR(r.SunshineStar, std::min(r.DaylightHours / 0.5 * (r.RsStar / ra - 0.25),
                                         r.DaylightHours),
                1e-12);
    EXPECT_EQ(r.TdewStar, DewPoint(r.EactStar, M));
    // RHmax and RHmin come from e(act)*: all five methods give a value.
    const double rhmax = RelativeHumidity(row.tmin, r.EactStar);
    const double rhmin = RelativeHumidity(row.tmax, r.EactStar);
    const double ud = DaytimeWindSpeed(2, 2.0);
    EXPECT_EQ(r.EToBC,
              BlaneyCriddle(true, ud, rhmin, r.SunshineStar, r.DaylightHours, r.TmeanStar));
    EXPECT_EQ(r.EToPen, ModifiedPenman({.Gamma = PsychrometricConstant(AtmosphericPressure(100)),
                                        .Delta = SlopeVapourPressureCurve(r.TmeanStar),
                                        .Ea = r.EactStar,
                                        .Es = r.Esat,
                                        .U2 = 2.0,
                                        .Rn = r.RnStar,
                                        .WindFunctionCoefficient = 2.7,
                                        .Adjust = true,
                                        .Ratio = 2,
                                        .RHmax = rhmax,
                                        .Rs = r.RsStar,
                                        .Ud = ud}));
    for (double eto : {r.EToPM, r.EToPen, r.EToHar, r.EToMak, r.EToBC}) EXPECT_GT(eto, 0);
  }
}

TEST(ComputeRecord, MeanTemperatureHumidityAndRadiationOnly) {
  const RepClimateFile station = TestStation();
  ClimaticRecord record;
  record[Row::Tmean] = 18;
  record[Row::RHmean] = 60;
  record[Row::Rs] = 20;
  RecordResults r;
  ComputeRecord(187, record, station, r);
  const double es = SaturationVapourPressure(18);
  EXPECT_EQ(r.Esat, es);
  EXPECT_EQ(r.EactStar, 60 * es / 100);
  EXPECT_NEAR(r.RHmeanStar, 60, 1e-12);
  EXPECT_EQ(r.EToHar, M);
  const double rso = ClearSkyRadiation(r.Ra, 100, true, 0.25, 0.5);
  EXPECT_EQ(r.Rnl, NetLongwaveRadiation(rso, 20, r.EactStar, M, M, 18));
  EXPECT_GT(r.Rnl, 0);
  // No RHmax can be derived without Tmin: the modified Penman value stays unadjusted.
  const double gamma = PsychrometricConstant(AtmosphericPressure(100));
  const double ud = DaytimeWindSpeed(2, 2.0);
  EXPECT_EQ(r.EToPen, ModifiedPenman({.Gamma = gamma,
                                      .Delta = SlopeVapourPressureCurve(18.0),
                                      .Ea = r.EactStar,
                                      .Es = es,
                                      .U2 = 2.0,
                                      .Rn = r.RnStar,
                                      .WindFunctionCoefficient = 2.7,
                                      .Adjust = false,
                                      .Ratio = 2,
                                      .RHmax = M,
                                      .Rs = 20,
                                      .Ud = ud}));
  for (double eto : {r.EToPM, r.EToPen, r.EToMak, r.EToBC}) EXPECT_GT(eto, 0);
}

TEST(ComputeRecord, ObservationsAboveTheirLimitsAreLowered) {
  const RepClimateFile station = TestStation();
  ClimaticRecord record = WorkedDay();
  record[Row::Eact] = 5;  // far above saturation
  record[Row::Rs] = 45;   // above the clear-sky radiation
  RecordResults r;
  ComputeRecord(187, record, station, r);
  EXPECT_EQ(r.EactStar, r.Esat);
  EXPECT_NEAR(r.RHmeanStar, 100, 1e-12);
  EXPECT_EQ(r.RsStar, ClearSkyRadiation(r.Ra, 100, true, 0.25, 0.5));
}

TEST(ComputeRecord, PolarNight) {
  RepClimateFile station = TestStation();
  station.Latitude = 80;
  ClimaticRecord record = WorkedDay();
  record[Row::Tmax] = -15;
  record[Row::Tmin] = -25;
  record[Row::Rs] = 3;  // whatever was measured
  RecordResults r;
  ComputeRecord(355, record, station, r);
  EXPECT_EQ(r.DaylightHours, 0);
  EXPECT_EQ(r.Ra, 0);
  EXPECT_EQ(r.RsStar, 0);
  EXPECT_EQ(r.SunshineStar, 0);
  EXPECT_EQ(r.Rnl, 0);
  EXPECT_EQ(r.RnStar, 0);
  EXPECT_EQ(r.EToBC, 0);  // p = 0
  EXPECT_EQ(r.EToHar, 0);
  EXPECT_EQ(r.EToMak, 0);
  EXPECT_GE(r.EToPM, 0);
}

TEST(ComputeRecord, MethodSelectorPicksTheResultAndTheAlbedo) {
  const RepClimateFile station = TestStation();
  const ClimaticRecord record = WorkedDay();
  const auto run = [&](uint8_t method, RecordResults& r) {
    StationInputs inputs = StationInputsOf(station);
    inputs.Method = method;
    return ComputeRecord(187, record, inputs, r);
  };
  RecordResults pm;
  EXPECT_EQ(run(1, pm), pm.EToPM);
  EXPECT_NEAR(pm.RnStar, pm.RsStar * 0.77 - pm.Rnl, 1e-12);

  struct Case {
    uint8_t method;
    double RecordResults::*eto;
  };
  for (const Case& row : {Case{0, &RecordResults::EToBC}, Case{2, &RecordResults::EToHar},
                          Case{3, &RecordResults::EToMak}, Case{4, &RecordResults::EToPen}}) {
    SCOPED_TRACE(static_cast<int>(row.method));
    RecordResults r;
    EXPECT_EQ(run(row.method, r), r.*row.eto);
    // Albedo 0.25: a smaller Rn, shared by Penman-Monteith and the modified Penman method.
    EXPECT_NEAR(r.RnStar, r.RsStar * 0.75 - r.Rnl, 1e-12);
    EXPECT_LT(r.EToPM, pm.EToPM);
    EXPECT_LT(r.EToPen, pm.EToPen);
    EXPECT_EQ(r.EToHar, pm.EToHar);
  }
  // An unknown selector returns -999 but still fills every result.
  RecordResults r;
  EXPECT_EQ(run(5, r), M);
  EXPECT_EQ(r.EToHar, pm.EToHar);
  EXPECT_NE(r.EToPM, M);
}

TEST(ComputeRecord, ValuesThatAreNotNumbersCountAsMissing) {
  const RepClimateFile station = TestStation();
  ClimaticRecord missing = WorkedDay();
  missing[Row::Tmin] = M;
  missing[Row::Tmean] = 17;
  ClimaticRecord odd = missing;
  odd[Row::Tmin] = kNaN;
  odd[Row::Tdew] = kInf;
  odd[Row::Rn] = -kInf;
  RecordResults a, b;
  EXPECT_TRUE(SameBits(ComputeRecord(187, missing, station, a), ComputeRecord(187, odd, station, b)));
  EXPECT_TRUE(SameBits(a, b));
}

// Records of many kinds for one station: complete, partial, odd.
class RecordMaker {
 public:
  explicit RecordMaker(unsigned seed) : random_(seed) {}

  // A plausible record with a random pattern of missing values.
  ClimaticRecord Plausible() {
    ClimaticRecord r;
    const double tmin = Uniform(-30, 30), range = Uniform(-2, 20);
    Maybe(r, Row::Tmin, tmin);
    Maybe(r, Row::Tmax, tmin + range);
    Maybe(r, Row::Tmean, tmin + range / 2 + Uniform(-2, 2));
    const double rhmin = Uniform(5, 100);
    Maybe(r, Row::RHmin, rhmin);
    Maybe(r, Row::RHmax, std::min(100.0, rhmin + Uniform(0, 50)));
    Maybe(r, Row::RHmean, rhmin + Uniform(0, 20));
    Maybe(r, Row::Tdew, tmin - Uniform(0, 5), 0.2);
    Maybe(r, Row::Eact, Uniform(0.1, 4), 0.2);
    const double tdry = Uniform(-10, 40);
    Maybe(r, Row::Tdry, tdry, 0.2);
    Maybe(r, Row::Twet, tdry - Uniform(-1, 10), 0.2);
    Maybe(r, Row::Wind, Uniform(0, 10));
    Maybe(r, Row::Sunshine, Uniform(0, 16));
    Maybe(r, Row::RelativeSunshine, Uniform(0, 1));
    Maybe(r, Row::Rs, Uniform(0, 35));
    Maybe(r, Row::Rn, Uniform(-3, 20), 0.1);
    return r;
  }

  // Any of the 15 values the driver reads from a list of troublesome ones.
  ClimaticRecord Odd() {
    static const double values[] = {
        M,       -999.4,  -998.6, 0.0,     -0.0,   1e-300, -1e-300, 0.5,     -0.5,   0.4,
        1e308,   -1e308,  kInf,   -kInf,   kNaN,   -237.3, -237.29, -237.31, -273.16, -300,
        5e5,     100,     -50,    25,      12,     3,      1,       -1,      1e-8,    50};
    static const int rows[] = {Row::Tmax,   Row::Tmean, Row::Tmin,     Row::RHmax,
                               Row::RHmean, Row::RHmin, Row::Tdew,     Row::Eact,
                               Row::Tdry,   Row::Twet,  Row::Wind,     Row::Sunshine,
                               Row::RelativeSunshine, Row::Rs, Row::Rn};
    ClimaticRecord r;
    for (int row : rows) {
      if (Chance(0.6)) r[row] = values[Pick(std::size(values))];
    }
    return r;
  }

  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random_);
  }
  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

 private:
  void Maybe(ClimaticRecord& r, int row, double value, double presence = 0.7) {
    if (Chance(presence)) r[row] = value;
  }
  std::mt19937_64 random_;
};

TEST(ComputeRecord, FastPathIsBitIdenticalOverManyRecords) {
  RecordMaker maker(20240611);
  int compared = 0;
  for (int s = 0; s < 24; ++s) {
    RepClimateFile station = TestStation();
    station.Latitude = maker.Uniform(-89, 89);
    station.Altitude = static_cast<int32_t>(maker.Uniform(-400, 5000));
    station.WindHeight = maker.Uniform(0.5, 20);
    station.TdewTminDifference = maker.Chance(0.5) ? 0 : 2;
    station.DefaultU2 = maker.Uniform(0.5, 4);
    station.HargreavesRsCoefficient = maker.Chance(0.5) ? 0.16 : 0.19;
    station.Method = static_cast<uint8_t>(maker.Pick(5));
    station.Settings.AngstromA = maker.Uniform(0.15, 0.3);
    station.Settings.AngstromB = maker.Uniform(0.4, 0.6);
    station.Settings.DayNightWindRatio = static_cast<uint8_t>(maker.Pick(5));
    station.Flags = {static_cast<uint8_t>(maker.Pick(2)), static_cast<uint8_t>(maker.Pick(2)),
                     static_cast<uint8_t>(maker.Pick(2)), static_cast<uint8_t>(maker.Pick(2))};
    const StationConstants constants(station);
    for (int day = 0; day <= 367; ++day) {
      for (int i = 0; i < 4; ++i) {
        const ClimaticRecord record = i == 3 ? maker.Odd() : maker.Plausible();
        RecordResults direct, fast;
        const double a = ComputeRecord(day, record, station, direct);
        const double b = ComputeRecord(day, record, constants, fast);
        ASSERT_TRUE(SameBits(a, b)) << "station " << s << " day " << day;
        ASSERT_TRUE(SameBits(direct, fast)) << "station " << s << " day " << day;
        ++compared;
      }
    }
  }
  EXPECT_EQ(compared, 24 * 368 * 4);
}

TEST(ComputeRecord, NeverReturnsNaNOrInfinityOverOddInputs) {
  RecordMaker maker(7);
  const double latitudes[] = {0, 80, -80, 90, -90, 66.56, 1e300, 1e308, -kInf, kNaN};
  const double heights[] = {2, 10, 0.0947, 0.08, 0, -5, 1e308, kNaN};
  const double coefficients[] = {0, 0.0008, -1, 1e308, kInf, kNaN, 2, 0.5};
  const int32_t altitudes[] = {0, 100, -5000, 45076, 45077, -2000000000, 2000000000, 3000};
  const int32_t days[] = {1, 172, 355, 365, 0, -999, 366, 100000};
  for (int i = 0; i < 5000; ++i) {
    const auto pick = [&](const auto& list) { return list[maker.Pick(std::size(list))]; };
    CalculationSettings settings;
    settings.AlbedoPM = pick(coefficients);
    settings.AlbedoPenman = pick(coefficients);
    settings.AngstromA = pick(coefficients);
    settings.AngstromB = pick(coefficients);
    settings.HargreavesCoefficient = pick(coefficients);
    settings.WindFunctionCoefficient = pick(coefficients);
    settings.DayNightWindRatio = static_cast<uint8_t>(maker.Pick(256));
    const OptionFlags flags{static_cast<uint8_t>(maker.Pick(2)),
                            static_cast<uint8_t>(maker.Pick(2)),
                            static_cast<uint8_t>(maker.Pick(2)),
                            static_cast<uint8_t>(maker.Pick(2))};
    StationInputs inputs{.Settings = settings, .Flags = flags};
    inputs.Latitude = pick(latitudes);
    inputs.WindHeight = pick(heights);
    inputs.PsychrometerCoefficient = pick(coefficients);
    inputs.TdewTminDifference = pick(coefficients);
    inputs.DefaultU2 = pick(coefficients);
    inputs.HargreavesRsCoefficient = pick(coefficients);
    inputs.Altitude = pick(altitudes);
    inputs.Method = static_cast<uint8_t>(maker.Pick(7));
    const StationConstants constants(inputs);
    for (int j = 0; j < 8; ++j) {
      const ClimaticRecord record = maker.Chance(0.8) ? maker.Odd() : maker.Plausible();
      const int32_t day = pick(days);
      RecordResults r, fast;
      const double eto = ComputeRecord(day, record, inputs, r);
      ASSERT_TRUE(std::isfinite(eto)) << "case " << i << "." << j;
      for (double x : AllOf(r)) ASSERT_TRUE(std::isfinite(x)) << "case " << i << "." << j;
      ASSERT_TRUE(SameBits(ComputeRecord(day, record, constants, fast), eto));
      ASSERT_TRUE(SameBits(fast, r)) << "case " << i << "." << j;
    }
  }
}

// The day of year by stepping record after record, as the calendar of records does.
int32_t SteppedDayOfYear(const RepClimateFile& s, int32_t k) {
  int32_t dayNr = s.FirstDayNr;
  int month = s.FromMonth, year = s.FromYear, decade = DecadeOfDay(s.FromDay);
  for (int32_t step = 0; step < k; ++step) {
    if (s.DataType == kTenDaily && decade < 3) {
      dayNr += 10;
      ++decade;
      continue;
    }
    dayNr += DaysInMonthOfYear(month, year) - (s.DataType == kTenDaily ? 20 : 0);
    decade = 1;
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  const int day = s.DataType == kTenDaily ? 10 * decade - 5 : 15;
  return static_cast<int32_t>(std::trunc(DaysBefore(DateOfDayNr(dayNr).Month) + day + 0.05));
}

RepClimateFile Span(uint8_t dataType, int day, int month, int year) {
  RepClimateFile s;
  s.DataType = dataType;
  s.FromDay = day;
  s.FromMonth = month;
  s.FromYear = year;
  s.FirstDayNr = DayNr(day, month, year);
  return s;
}

TEST(DayOfYearForRecord, Examples) {
  const RepClimateFile daily = Span(kDaily, 1, 1, 1904);
  EXPECT_EQ(DayOfYearForRecord(daily, 0), 1);
  EXPECT_EQ(DayOfYearForRecord(daily, 59), 60);   // 29 February 1904
  EXPECT_EQ(DayOfYearForRecord(daily, 60), 60);   // 1 March 1904
  EXPECT_EQ(DayOfYearForRecord(daily, 365), 365); // 31 December 1904
  EXPECT_EQ(DayOfYearForRecord(daily, 366), 1);

  const RepClimateFile tenDaily = Span(kTenDaily, 21, 1, 1999);
  EXPECT_EQ(DayOfYearForRecord(tenDaily, 0), 25);
  EXPECT_EQ(DayOfYearForRecord(tenDaily, 1), 36);  // first decade of February: 31 + 5
  EXPECT_EQ(DayOfYearForRecord(tenDaily, 4), 64);  // first decade of March: 59.25 + 5

  const RepClimateFile monthly = Span(kMonthly, 1, 1, 1901);
  const int32_t expected[] = {15, 46, 74, 105, 135, 166, 196, 227, 258, 288, 319, 349};
  for (int k = 0; k < 24; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(DayOfYearForRecord(monthly, k), expected[k % 12]);
  }

  RepClimateFile unknown = daily;
  unknown.DataType = 3;
  EXPECT_EQ(DayOfYearForRecord(unknown, 0), -999);
}

// Also the day of year taken from the dates of the records, stepped one after the other.
TEST(DayOfYearForRecord, AgreesWithSteppingRecordByRecord) {
  for (uint8_t type : {kDaily, kTenDaily, kMonthly}) {
    for (int year : {1901, 1999, 2000}) {
      for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= DaysInMonthOfYear(month, year); ++day) {
          const RepClimateFile s = Span(type, day, month, year);
          Date date{day, month, year};
          for (int32_t k = 0; k < 130; ++k, date = NextRecordDate(type, date)) {
            if (type != kDaily) {
              ASSERT_EQ(DayOfYearForRecord(s, k), SteppedDayOfYear(s, k))
                  << int(type) << " " << day << "." << month << "." << year << " k " << k;
            }
            // Dates of records begin their decade or month.
            const bool firstDay =
                type == kDaily || day == 1 || (type == kTenDaily && (day == 11 || day == 21));
            if (!firstDay) continue;
            ASSERT_EQ(DayOfYearOfRecordDate(type, date), DayOfYearForRecord(s, k))
                << int(type) << " " << day << "." << month << "." << year << " k " << k;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace vernoli
