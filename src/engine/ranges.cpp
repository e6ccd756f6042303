#include "engine/ranges.h"

#include "engine/equations.h"

namespace vernoli {

ValueRange ParameterRange(int code, const StationLimits& limits, int dayOfYear, double latitude,
                          int32_t altitude, bool elevationAdjustment, double angstromSum,
                          ValueRange initial) {
  const SolarGeometry sun = ExtraterrestrialRadiation(dayOfYear, latitude);
  const double rso = elevationAdjustment ? sun.Ra * (0.75 + 2.0 * altitude / 100000.0)
                                         : sun.Ra * angstromSum;
  const double rsMax = (1.0 + limits.LimitRadiationDeviation / 100.0) * rso;
  const double eMax = SaturationVapourPressure(limits.LimitTmax);
  const double eMin = limits.LimitRHmin * SaturationVapourPressure(limits.LimitTmin) / 100.0;

  switch (code) {
    case 101: case 102: case 103: case 210: case 231: case 232:
      return {double(limits.LimitTmin), double(limits.LimitTmax)};
    case 111: case 112: case 113: case 211: case 233: case 234:
      return {limits.LimitTmin * 9.0 / 5.0 + 32.0, limits.LimitTmax * 9.0 / 5.0 + 32.0};
    case 201: case 202: case 203:
      return {double(limits.LimitRHmin), 100.0};
    case 221: case 222: case 223: case 224: case 225:
      return {FromStandardUnit(code, eMin), FromStandardUnit(code, eMax)};
    case 301: case 302: case 303: case 304:
      return {0.0, FromStandardUnit(code, limits.LimitWind)};
    case 401: {
      const double nMax = (1.0 + limits.LimitRadiationDeviation / 100.0) * sun.N;
      return {0.0, nMax > 24.0 ? 24.0 : nMax};
    }
    case 402:
      return {0.0, 1.0};
    case 421: case 422: case 423: case 424: case 425:
    case 431: case 432: case 433: case 434: case 435:
      return {0.0, FromStandardUnit(code, rsMax)};
    case 501:
      return {0.0, 100.0};
    default:
      return initial;
  }
}

bool RangeDependsOnDay(int code) { return code == 401 || (code >= 421 && code <= 435); }

}  // namespace vernoli
