#include "import/delimitednames.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>

#include "import/delimitedtext.h"
#include "model/numbers.h"

namespace vernoli {

namespace {

enum class Quantity : uint8_t {
  None, TMax, TMean, TMin, RHMax, RHMean, RHMin, TDew, VapourPressure, Wind, Sunshine,
  SolarRadiation, NetRadiation,
};

struct QuantityNames {
  Quantity Kind;
  std::string_view Text;  // for the note
  int16_t Code;           // in the standard unit
  std::initializer_list<std::string_view> Keys;
};

// The names of each quantity as keys: lower case, letters and digits only.
const std::array<QuantityNames, 12>& Quantities() {
  static const std::array<QuantityNames, 12> kQuantities = {{
      {Quantity::TMax, "maximum temperature", 101,
       {"tmax", "tx", "maximumtemperature", "maxtemperature", "maxtemp", "tempmax",
        "temperaturemax", "maximumairtemperature", "tmaximum"}},
      {Quantity::TMean, "mean temperature", 102,
       {"tmean", "tavg", "tg", "tave", "meantemperature", "averagetemperature", "meantemp",
        "tempmean", "tempavg", "meanairtemperature"}},
      {Quantity::TMin, "minimum temperature", 103,
       {"tmin", "tn", "minimumtemperature", "mintemperature", "mintemp", "tempmin",
        "temperaturemin", "minimumairtemperature", "tminimum"}},
      {Quantity::RHMax, "maximum relative humidity", 201,
       {"rhmax", "ux", "maximumrelativehumidity", "maxrelativehumidity", "relativehumiditymax"}},
      {Quantity::RHMean, "relative humidity", 202,
       {"rh", "rhmean", "rhavg", "relativehumidity", "meanrelativehumidity"}},
      {Quantity::RHMin, "minimum relative humidity", 203,
       {"rhmin", "un", "minimumrelativehumidity", "minrelativehumidity", "relativehumiditymin"}},
      {Quantity::TDew, "dew point", 210,
       {"tdew", "dewpoint", "dewpointtemperature", "tdewpoint"}},
      {Quantity::VapourPressure, "vapour pressure", 221,
       {"ea", "vapourpressure", "vaporpressure", "actualvapourpressure", "actualvaporpressure"}},
      {Quantity::Wind, "wind speed", 301, {"u2", "wind", "windspeed", "ws"}},
      {Quantity::Sunshine, "sunshine", 401,
       {"sunshine", "sun", "n", "sunshinehours", "sunshineduration"}},
      {Quantity::SolarRadiation, "solar radiation", 421,
       {"rs", "solar", "radiation", "solarradiation", "globalradiation",
        "shortwaveradiation"}},
      {Quantity::NetRadiation, "net radiation", 431, {"rn", "netradiation"}},
  }};
  return kQuantities;
}

// Lower-case letters and digits of the text; every other byte dropped.
std::string Key(std::string_view text) {
  std::string key;
  for (char c : LowerAscii(text)) {
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) key += c;
  }
  return key;
}

const QuantityNames* QuantityOf(std::string_view name) {
  const std::string key = Key(name);
  if (key.empty()) return nullptr;
  for (const QuantityNames& q : Quantities()) {
    if (std::find(q.Keys.begin(), q.Keys.end(), key) != q.Keys.end()) return &q;
  }
  return nullptr;
}

// The unit in a comparable form: lower case, without blanks, brackets, the degree sign and '^';
// a superscript two is a 2, an underscore a '/'.
std::string UnitKey(std::string_view unit) {
  std::string key;
  for (char c : LowerAscii(unit)) {
    switch (static_cast<unsigned char>(c)) {
      case ' ': case '\t': case '(': case ')': case '[': case ']': case '{': case '}':
      case '^': case 0xB0: case 0xBA: break;  // 0xBA: the ordinal sign written for a degree
      case 0xB2: key += '2'; break;
      case '_': key += '/'; break;
      default: key += c;
    }
  }
  return key;
}

// A factor leading the unit: "0.1", "0,1", "1/10" or "x0.1" (then the rest of the unit).
double LeadingFactor(std::string& unit) {
  std::string_view text(unit);
  if (text.starts_with("x")) text.remove_prefix(1);
  if (text.starts_with("1/10")) {
    unit = std::string(text.substr(4));
    return 0.1;
  }
  std::size_t end = 0;
  while (end < text.size() &&
         ((text[end] >= '0' && text[end] <= '9') || text[end] == '.' || text[end] == ',')) {
    ++end;
  }
  std::string number(text.substr(0, end));
  std::replace(number.begin(), number.end(), ',', '.');
  double factor = 0.0;
  // A unit that is a number only ("1" for a fraction) has no leading factor.
  if (end == 0 || end == text.size() || !ParseReal(number, factor) || factor <= 0.0) return 1.0;
  unit = std::string(text.substr(end));
  return factor;
}

bool UnitIn(std::string_view unit, std::initializer_list<std::string_view> units) {
  return std::find(units.begin(), units.end(), unit) != units.end();
}

// The unit without a "per day" at its end: "mj/m2/d" -> "mj/m2".
std::string WithoutPerDay(std::string unit) {
  for (std::string_view suffix : {"/day", "/d", ".day", ".d", "day-1", "d-1", "/24h"}) {
    if (unit.size() > suffix.size() && std::string_view(unit).ends_with(suffix)) {
      unit.resize(unit.size() - suffix.size());
      break;
    }
  }
  return unit;
}

struct CodeInUnit {
  int16_t Code;
  double Factor;
};

// The code and factor of a quantity in a unit (key form, without a leading factor); nothing when
// the unit is unknown for it. An empty unit is the standard unit.
std::optional<CodeInUnit> CodeOfUnit(const QuantityNames& q, const std::string& unit) {
  const int16_t code = q.Code;
  if (unit.empty()) return CodeInUnit{code, 1.0};
  switch (q.Kind) {
    case Quantity::TMax: case Quantity::TMean: case Quantity::TMin: case Quantity::TDew: {
      if (UnitIn(unit, {"c", "celsius", "degc", "degreesc", "degreec", "oc", "degreescelsius",
                        "degreecelsius"})) {
        return CodeInUnit{code, 1.0};
      }
      if (UnitIn(unit, {"f", "fahrenheit", "degf", "degreesf", "degreef", "of",
                        "degreesfahrenheit", "degreefahrenheit"})) {
        return CodeInUnit{static_cast<int16_t>(code == 210 ? 211 : code + 10), 1.0};
      }
      break;
    }
    case Quantity::RHMax: case Quantity::RHMean: case Quantity::RHMin:
      if (UnitIn(unit, {"%", "percent", "pct"})) return CodeInUnit{code, 1.0};
      if (UnitIn(unit, {"-", "1", "fraction", "frac", "0-1"})) return CodeInUnit{code, 100.0};
      break;
    case Quantity::VapourPressure:
      if (unit == "kpa") return CodeInUnit{221, 1.0};
      if (UnitIn(unit, {"hpa", "mbar", "mb"})) return CodeInUnit{222, 1.0};
      if (unit == "psi") return CodeInUnit{223, 1.0};
      if (unit == "atm") return CodeInUnit{224, 1.0};
      if (unit == "mmhg") return CodeInUnit{225, 1.0};
      break;
    case Quantity::Wind:
      if (UnitIn(unit, {"m/s", "ms-1", "m/sec", "ms", "mps"})) return CodeInUnit{301, 1.0};
      if (UnitIn(unit, {"km/day", "km/d", "kmd-1", "kmday-1"})) return CodeInUnit{302, 1.0};
      if (UnitIn(unit, {"knot", "knots", "kn", "kt", "kts"})) return CodeInUnit{303, 1.0};
      if (UnitIn(unit, {"ft/s", "ft/sec", "fts-1"})) return CodeInUnit{304, 1.0};
      if (UnitIn(unit, {"km/h", "kmh", "kmh-1", "kph"})) return CodeInUnit{301, 1.0 / 3.6};
      if (unit == "mph") return CodeInUnit{301, 0.44704};
      break;
    case Quantity::Sunshine: {
      const std::string perDay = WithoutPerDay(unit);
      if (UnitIn(perDay, {"h", "hr", "hrs", "hour", "hours"})) return CodeInUnit{401, 1.0};
      if (UnitIn(perDay, {"min", "minutes"})) return CodeInUnit{401, 1.0 / 60.0};
      break;
    }
    case Quantity::SolarRadiation: case Quantity::NetRadiation: {
      // The codes of one radiation follow each other: MJ/m2, W/m2, J/cm2, mm, cal/cm2.
      const auto nth = [code](int k) { return CodeInUnit{static_cast<int16_t>(code + k), 1.0}; };
      const std::string perDay = WithoutPerDay(unit);
      if (UnitIn(perDay, {"mj/m2", "mjm-2", "mj/m2d"})) return nth(0);
      if (UnitIn(perDay, {"w/m2", "wm-2"})) return nth(1);
      if (UnitIn(perDay, {"j/cm2", "jcm-2"})) return nth(2);
      if (perDay == "mm") return nth(3);
      if (UnitIn(perDay, {"cal/cm2", "calcm-2", "ly", "langley", "langleys"})) return nth(4);
      if (UnitIn(perDay, {"kj/m2", "kjm-2"})) return CodeInUnit{code, 0.001};
      break;
    }
    case Quantity::None: break;
  }
  return std::nullopt;
}

// The name split into quantity and unit: the text in brackets is the unit; else the whole name
// is the quantity, or the part before the last underscore or blank for which a quantity is known.
struct SplitName {
  const QuantityNames* Quantity = nullptr;
  std::string Unit;
};

SplitName SplitQuantityAndUnit(std::string_view name) {
  std::string rest;
  std::string bracketed;
  char closing = 0;
  for (char c : name) {
    if (closing == 0 && (c == '[' || c == '(' || c == '{')) {
      closing = c == '[' ? ']' : (c == '(' ? ')' : '}');
    } else if (closing != 0 && c == closing) {
      closing = 0;
    } else if (closing != 0) {
      bracketed += c;
    } else {
      rest += c;
    }
  }
  if (const QuantityNames* q = QuantityOf(rest)) return {q, bracketed};
  if (!bracketed.empty()) return {};
  for (std::size_t cut = rest.find_last_of("_ "); cut != std::string::npos && cut > 0;
       cut = rest.find_last_of("_ ", cut - 1)) {
    if (const QuantityNames* q = QuantityOf(rest.substr(0, cut))) {
      return {q, rest.substr(cut + 1)};
    }
  }
  return {};
}

}  // namespace

ColumnProposal ProposeColumn(std::string_view name) {
  ColumnProposal proposal;
  const SplitName split = SplitQuantityAndUnit(name);
  if (split.Quantity == nullptr) return proposal;
  std::string unit = UnitKey(split.Unit);
  const double leading = LeadingFactor(unit);
  if (const std::optional<CodeInUnit> code = CodeOfUnit(*split.Quantity, unit)) {
    proposal.Code = code->Code;
    proposal.Factor = leading * code->Factor;
  } else {
    proposal.Note = "the unit " + QuotedForMessage(split.Unit) +
                    " is not one the import knows for " + std::string(split.Quantity->Text);
  }
  return proposal;
}

}  // namespace vernoli
