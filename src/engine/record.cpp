#include "engine/record.h"

#include <cmath>

#include "engine/estimation.h"
#include "engine/methods.h"
#include "model/calendar.h"

namespace vernoli {

namespace {

// What depends only on the station and the day of year.
struct DayConstants {
  double Pressure;
  double Gamma;
  double WindProfileLogarithm;
  SolarGeometry Sun;
  double Rso;
};

// A value of the record; one that is not a finite number counts as missing.
double Input(const ClimaticRecord& record, int row) {
  const double x = record[row];
  return std::isfinite(x) ? x : kMissing;
}

bool Present(double x) { return !IsMissing(x); }

double SelectedETo(uint8_t method, const RecordResults& r) {
  switch (method) {
    case 0: return r.EToBC;
    case 1: return r.EToPM;
    case 2: return r.EToHar;
    case 3: return r.EToMak;
    case 4: return r.EToPen;
    default: return kMissing;
  }
}

// The driver proper. Both the straightforward call and the fast path end here, so they differ
// only in where the day constants come from.
double Evaluate(const ClimaticRecord& record, const StationInputs& s, const DayConstants& day,
                RecordResults& r) {
  const CalculationSettings& settings = s.Settings;

  // Temperatures and humidity extremes, filled from the means.
  const TemperatureExtremes t = EstimateTemperatureExtremes(
      Input(record, Row::Tmax), Input(record, Row::Tmean), Input(record, Row::Tmin));
  const HumidityExtremes h = EstimateHumidityExtremes(
      Input(record, Row::RHmax), Input(record, Row::RHmean), Input(record, Row::RHmin));
  const double tmax = t.Tmax, tmin = t.Tmin, tmean = t.TmeanStar;
  double rhmax = h.RHmax, rhmin = h.RHmin, rhmean = h.RHmeanStar;

  // Each saturation vapour pressure is computed once and shared by every equation below.
  const SaturatedAt satMax = Saturation(tmax);
  const SaturatedAt satMin = Saturation(tmin);
  const SaturatedAt satMean = Saturation(tmean);
  const double es = MeanSaturationVapourPressure(satMax, satMin, satMean);

  const double tdew = Input(record, Row::Tdew);
  double ea = ActualVapourPressure(
      {Input(record, Row::Eact), tdew, Input(record, Row::Tdry), Input(record, Row::Twet), rhmax,
       rhmin, rhmean, satMax, satMin, satMean},
      day.Pressure, s.PsychrometerCoefficient, s.TdewTminDifference);

  // The air holds at most saturation; the mean humidity follows from the vapour pressures.
  if (Present(ea) && Present(es)) {
    if (ea > es) ea = es;
    rhmean = FiniteOrMissing(100 * ea / es);
  }

  const double delta = SlopeVapourPressureCurve(satMean);

  if (IsMissing(rhmean)) rhmean = RelativeHumidity(satMean, ea);
  if (IsMissing(rhmax)) rhmax = RelativeHumidity(satMin, ea);
  if (IsMissing(rhmin)) rhmin = RelativeHumidity(satMax, ea);

  const double tdewStar = DewPoint(ea, tdew);

  const double u2 =
      WindSpeedAt2mFromLogarithm(s.DefaultU2, day.WindProfileLogarithm, Input(record, Row::Wind));
  const double ud = DaytimeWindSpeed(settings.DayNightWindRatio, u2);

  const SolarGeometry& sun = day.Sun;
  const double rso = day.Rso;
  const double sunshine = Input(record, Row::Sunshine);
  const double relativeSunshine = Input(record, Row::RelativeSunshine);
  double rs = SolarRadiation({Input(record, Row::Rs), sunshine, relativeSunshine, tmax, tmin}, sun,
                             settings.AngstromA, settings.AngstromB, s.HargreavesRsCoefficient);
  // Never more than under a clear sky.
  if (Present(rso) && Present(rs) && rs > rso) rs = rso;

  const double n = SunshineDuration(sunshine, relativeSunshine, rs, sun, settings.AngstromA,
                                    settings.AngstromB);

  const double rnl = NetLongwaveRadiation(rso, rs, ea, tmin, tmax, tmean);
  const double rn = NetRadiation(s.Method, settings.AlbedoPenman, settings.AlbedoPM, rnl, rs,
                                 Input(record, Row::Rn));

  r.TmeanStar = tmean;
  r.RHmeanStar = rhmean;
  r.EactStar = ea;
  r.Esat = es;
  r.TdewStar = tdewStar;
  r.U2Star = u2;
  r.SunshineStar = n;
  r.DaylightHours = sun.N;
  r.Ra = sun.Ra;
  r.RsStar = rs;
  r.Rnl = rnl;
  r.RnStar = rn;
  r.EToPM = PenmanMonteith(day.Gamma, delta, tmean, ea, es, u2, rn);
  r.EToPen = ModifiedPenman({.Gamma = day.Gamma,
                             .Delta = delta,
                             .Ea = ea,
                             .Es = es,
                             .U2 = u2,
                             .Rn = rn,
                             .WindFunctionCoefficient = settings.WindFunctionCoefficient,
                             .Adjust = s.Flags.AdjustPenman != 0,
                             .Ratio = settings.DayNightWindRatio,
                             .RHmax = rhmax,
                             .Rs = rs,
                             .Ud = ud});
  r.EToHar = Hargreaves(settings.HargreavesCoefficient, sun.Ra, tmin, tmax, tmean);
  r.EToMak = RadiationMethod(s.Flags.AdjustRadiation != 0, ud, rhmean, rs, day.Gamma, delta);
  r.EToBC = BlaneyCriddle(s.Flags.AdjustBlaneyCriddle != 0, ud, rhmin, n, sun.N, tmean);
  return SelectedETo(s.Method, r);
}

SolarGeometry SunOfDay(int32_t dayOfYear, double latitude) {
  return ExtraterrestrialRadiation(dayOfYear, latitude);
}

double RsoOfDay(const SolarGeometry& sun, int32_t altitude, const OptionFlags& flags,
                const CalculationSettings& settings) {
  return ClearSkyRadiation(sun.Ra, altitude, flags.ElevationAdjustment != 0, settings.AngstromA,
                           settings.AngstromB);
}

}  // namespace

StationInputs StationInputsOf(const RepClimateFile& station) noexcept {
  return {.Settings = station.Settings,
          .Flags = station.Flags,
          .Latitude = station.Latitude,
          .WindHeight = station.WindHeight,
          .PsychrometerCoefficient = station.PsychrometerCoefficient,
          .TdewTminDifference = station.TdewTminDifference,
          .DefaultU2 = station.DefaultU2,
          .HargreavesRsCoefficient = station.HargreavesRsCoefficient,
          .Altitude = station.Altitude,
          .Method = station.Method};
}

double ComputeRecord(int32_t dayOfYear, const ClimaticRecord& record,
                     const StationInputs& station, RecordResults& results) noexcept {
  DayConstants day;
  day.Pressure = AtmosphericPressure(station.Altitude);
  day.Gamma = PsychrometricConstant(day.Pressure);
  // The profile logarithm is needed only for a measured wind speed.
  day.WindProfileLogarithm =
      IsMissing(Input(record, Row::Wind)) ? 0.0 : WindProfileLogarithm(station.WindHeight);
  day.Sun = SunOfDay(dayOfYear, station.Latitude);
  day.Rso = RsoOfDay(day.Sun, station.Altitude, station.Flags, station.Settings);
  return Evaluate(record, station, day, results);
}

double ComputeRecord(int32_t dayOfYear, const ClimaticRecord& record,
                     const RepClimateFile& station, RecordResults& results) noexcept {
  return ComputeRecord(dayOfYear, record, StationInputsOf(station), results);
}

StationConstants::StationConstants(const StationInputs& inputs) noexcept : Inputs(inputs) {
  Pressure = AtmosphericPressure(inputs.Altitude);
  Gamma = PsychrometricConstant(Pressure);
  WindProfileLogarithm = vernoli::WindProfileLogarithm(inputs.WindHeight);
  Sun[0] = {kMissing, kMissing};
  Rso[0] = kMissing;
  for (int32_t j = 1; j <= 365; ++j) {
    Sun[j] = SunOfDay(j, inputs.Latitude);
    Rso[j] = RsoOfDay(Sun[j], inputs.Altitude, inputs.Flags, inputs.Settings);
  }
}

StationConstants::StationConstants(const RepClimateFile& station) noexcept
    : StationConstants(StationInputsOf(station)) {}

double ComputeRecord(int32_t dayOfYear, const ClimaticRecord& record,
                     const StationConstants& station, RecordResults& results) noexcept {
  const StationInputs& inputs = station.Inputs;
  DayConstants day;
  day.Pressure = station.Pressure;
  day.Gamma = station.Gamma;
  day.WindProfileLogarithm = station.WindProfileLogarithm;
  if (dayOfYear >= 1 && dayOfYear <= 365) {
    day.Sun = station.Sun[dayOfYear];
    day.Rso = station.Rso[dayOfYear];
  } else {
    day.Sun = SunOfDay(dayOfYear, inputs.Latitude);
    day.Rso = RsoOfDay(day.Sun, inputs.Altitude, inputs.Flags, inputs.Settings);
  }
  return Evaluate(record, inputs, day, results);
}

namespace {

// The day number of a day of the month in 1901.
int32_t DayOfYear(int month, int day) {
  return static_cast<int32_t>(std::trunc(DaysBefore(month) + day + 0.05));
}

}  // namespace

int32_t DayOfYearOfRecordDate(uint8_t dataType, const Date& date) noexcept {
  switch (dataType) {
    case kDaily:
      return DayOfYear(date.Month, date.Day);
    case kTenDaily:
      return DayOfYear(date.Month, 10 * DecadeOfDay(date.Day) - 5);
    case kMonthly:
      return DayOfYear(date.Month, 15);
    default:
      return static_cast<int32_t>(kMissing);
  }
}

int32_t DayOfYearForRecord(const RepClimateFile& station, int32_t k) noexcept {
  // Stepping k records from the first one reaches month `monthsAhead` months after the first
  // month. The day number grows by the days of the months passed, less the decades already
  // gone in the first month and plus those gone in the last (for monthly data both are 0).
  const auto stepped = [&station](int32_t monthsAhead, int32_t decadesGone, int32_t decadesIn) {
    const int32_t m = station.FromMonth - 1 + monthsAhead;
    const int32_t month = m % 12 + 1, year = station.FromYear + m / 12;
    return DateOfDayNr(station.FirstDayNr + DayNr(1, month, year) -
                       DayNr(1, station.FromMonth, station.FromYear) - 10 * decadesGone +
                       10 * decadesIn);
  };
  if (k < 0 && station.DataType != kDaily) k = 0;
  switch (station.DataType) {
    case kDaily: {
      const Date date = DateOfDayNr(station.FirstDayNr + k);
      return DayOfYear(date.Month, date.Day);
    }
    case kTenDaily: {
      const int32_t first = DecadeOfDay(station.FromDay) - 1;  // 0-based decade of record 0
      const int32_t decades = first + k;
      const int32_t decade = decades % 3 + 1;
      const Date date = stepped(decades / 3, first, decade - 1);
      return DayOfYear(date.Month, 10 * decade - 5);
    }
    case kMonthly: {
      const Date date = stepped(k, 0, 0);
      return DayOfYear(date.Month, 15);
    }
    default:
      return static_cast<int32_t>(kMissing);
  }
}

}  // namespace vernoli
