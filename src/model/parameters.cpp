#include "model/parameters.h"

#include <cmath>

namespace vernoli {

double RoundHalfEven(double x) {
  double r = std::round(x);  // ties away from zero
  if (std::fabs(x - std::trunc(x)) == 0.5) r = 2.0 * std::round(x / 2.0);
  return r;
}

namespace {

// The degree sign is the single byte 0xB0.
#define DEG "\xB0"

constexpr std::array<ParameterInfo, kParameterCount> kParameters = {{
    {101, "Tmax   ", "maximum air temperature             ", "    " DEG "C     ", 1},
    {102, "Tmean  ", "mean air temperature                ", "    " DEG "C     ", 1},
    {103, "Tmin   ", "minimum air temperature             ", "    " DEG "C     ", 1},
    {111, "Tmax   ", "maximum air temperature             ", "    " DEG "F     ", 1},
    {112, "Tmean  ", "mean air temperature                ", "    " DEG "F     ", 1},
    {113, "Tmin   ", "minimum air temperature             ", "    " DEG "F     ", 1},
    {201, "RHmax  ", "maximum relative humidity           ", "    %      ", 1},
    {202, "RHmean ", "mean relative humidity              ", "    %      ", 1},
    {203, "RHmin  ", "minimum relative humidity           ", "    %      ", 1},
    {210, "Tdew   ", "dewpoint temperature                ", "    " DEG "C     ", 1},
    {211, "Tdew   ", "dewpoint temperature                ", "    " DEG "F     ", 1},
    {221, "e(act) ", "actual vapour pressure              ", "    kPa    ", 4},
    {222, "e(act) ", "actual vapour pressure              ", " hPa (mbar)", 4},
    {223, "e(act) ", "actual vapour pressure              ", "    psi    ", 4},
    {224, "e(act) ", "actual vapour pressure              ", "    atm    ", 4},
    {225, "e(act) ", "actual vapour pressure              ", "   mmHg    ", 4},
    {231, "Tdry   ", "temperature of dry bulb             ", "    " DEG "C     ", 1},
    {232, "Twet   ", "temperature of wet bulb             ", "    " DEG "C     ", 1},
    {233, "Tdry   ", "temperature of dry bulb             ", "    " DEG "F     ", 1},
    {234, "Twet   ", "temperature of wet bulb             ", "    " DEG "F     ", 1},
    {301, "u(x)   ", "wind speed (x m above soil surface) ", "   m/sec   ", 2},
    {302, "u(x)   ", "wind speed (x m above soil surface) ", "  km/day   ", 2},
    {303, "u(x)   ", "wind speed (x m above soil surface) ", "   knot    ", 2},
    {304, "u(x)   ", "wind speed (x m above soil surface) ", "  ft/sec   ", 2},
    {401, "n      ", "actual duration of sunshine in a day", " hour/day  ", 2},
    {402, "n/N    ", "relative sunshine duration          ", "     -     ", 2},
    {421, "Rs     ", "solar or shortwave radiation        ", " MJ/m2.day ", 2},
    {422, "Rs     ", "solar or shortwave radiation        ", "    W/m2   ", 2},
    {423, "Rs     ", "solar or shortwave radiation        ", " J/cm2.day ", 2},
    {424, "Rs     ", "solar or shortwave radiation        ", "   mm/day  ", 2},
    {425, "Rs     ", "solar or shortwave radiation        ", "cal/cm2.day", 2},
    {431, "Rn     ", "net radiation                       ", " MJ/m2.day ", 2},
    {432, "Rn     ", "net radiation                       ", "    W/m2   ", 2},
    {433, "Rn     ", "net radiation                       ", " J/cm2.day ", 2},
    {434, "Rn     ", "net radiation                       ", "   mm/day  ", 2},
    {435, "Rn     ", "net radiation                       ", "cal/cm2.day", 2},
    {501, "ETo    ", "reference crop evapotranspiration   ", "   mm/day  ", 1},
}};

#undef DEG

constexpr std::array<ResultInfo, kResultCount> kResults = {{
    {"Tmean* ", "mean air temperature                "},
    {"RHmean*", "mean relative humidity              "},
    {"e(act)*", "actual vapour pressure              "},
    {"e(sat)", "saturation vapour pressure          "},
    {"e(def) ", "vapour pressure deficit             "},
    {"Tdew*  ", "dewpoint temperature                "},
    {"u2*  ", "wind speed (2 m above soil surface) "},
    {"n*     ", "actual duration of sunshine in a day"},
    {"N      ", "daylight hours                      "},
    {"n/N*   ", "relative sunshine duration          "},
    {"Ra     ", "extraterrestrial radiation          "},
    {"Rso    ", "clear-sky solar radiation           "},
    {"Rs*    ", "solar or shortwave radiation        "},
    {"Rs/Rso ", "relative solar radiation            "},
    {"Rns    ", "net shortwave radiation             "},
    {"Rnl    ", "net longwave radiation              "},
    {"Rn*    ", "net radiation                       "},
    {"L(ET)  ", "latent heat flux                    "},
    {"EToP-M ", "ETo (TIV Penman-Monteith method)    "},
    {"EToPen ", "ETo (TIV modified Penman method)    "},
    {"EToHar ", "ETo (Hargreaves method)             "},
    {"EToMak ", "ETo (TIV Makkink radiation method)  "},
    {"EToB-C ", "ETo (TIV Blaney Criddle temp. meth.)"},
}};

// Factor from the code's unit to the standard unit, for the codes converted by a factor.
// Returns 0 when the code is not converted by a plain factor.
double UnitFactor(int code) {
  switch (code) {
    case 222: return 0.1;
    case 223: return 6.89476;
    case 224: return 101.325;
    case 225: return 0.133322;
    case 303: return 0.5144;
    case 304: return 0.3048;
    case 422: case 432: return 0.0864;
    case 423: case 433: return 0.01;
    case 424: case 434: return 2.45;
    default: return 0.0;
  }
}

bool IsFahrenheit(int code) {
  return code == 111 || code == 112 || code == 113 || code == 211 || code == 233 || code == 234;
}

}  // namespace

const std::array<ParameterInfo, kParameterCount>& ParameterTable() { return kParameters; }
const std::array<ResultInfo, kResultCount>& ResultTable() { return kResults; }

int RowOfCode(int code) {
  for (int i = 0; i < kParameterCount; ++i)
    if (kParameters[i].Code == code) return i + 1;
  return 0;
}

const ParameterInfo& ParameterRow(int row) { return kParameters[row - 1]; }

double ToStandardUnit(int code, double x) {
  if (IsFahrenheit(code)) return (x - 32.0) * 5.0 / 9.0;
  if (code == 302) return x / 86.4;
  if (code == 425 || code == 435) return x * 4.1868 / 100.0;
  const double factor = UnitFactor(code);
  return factor != 0.0 ? x * factor : x;
}

double FromStandardUnit(int code, double x) {
  if (IsFahrenheit(code)) return x * 9.0 / 5.0 + 32.0;
  if (code == 302) return x * 86.4;
  if (code == 425 || code == 435) return x / 0.041868;
  const double factor = UnitFactor(code);
  return factor != 0.0 ? x / factor : x;
}

bool StandardRows(int count, const int16_t* codes, int* rows) {
  bool conversion = false;
  for (int i = 0; i < count; ++i) {
    const int code = codes[i];
    int standard = rows[i];
    if (code >= 111 && code <= 113) standard = rows[i] - 3;
    else if (code == 211) standard = Row::Tdew;
    else if (code >= 222 && code <= 225) standard = Row::Eact;
    else if (code == 233 || code == 234) standard = rows[i] - 2;
    else if (code >= 302 && code <= 304) standard = Row::Wind;
    else if (code >= 422 && code <= 425) standard = Row::Rs;
    else if (code >= 432 && code <= 435) standard = Row::Rn;
    else continue;
    rows[i] = standard;
    conversion = true;
  }
  return conversion;
}

}  // namespace vernoli
