#include "workspace/units.h"

#include <algorithm>
#include <utility>

#include "model/stationcodes.h"

namespace vernoli {

namespace {

constexpr std::array<std::string_view, 5> kVapourItems = {" kPa", " mbar", " psi", " atm", "mmHG"};
constexpr std::array<std::string_view, 4> kWindItems = {" m/sec", " km/day", " knot", " ft/sec"};
constexpr std::array<std::string_view, 5> kRadiationItems = {" MJ/m2.day", " W/m2", " J/cm2.day",
                                                             " mm/day", "cal/cm2.day"};
// The "convert to" boxes of the Switch Units box; the wind box has no blank before m/sec.
constexpr std::array<std::string_view, 2> kSwitchTemperatureItems = {"\xB0 Celsius",
                                                                     "\xB0 Fahrenheit"};
constexpr std::array<std::string_view, 4> kSwitchWindItems = {"m/sec", " km/day", " knot",
                                                              " ft/sec"};

// Current-unit labels of the Switch Units box, by item index.
constexpr std::array<std::string_view, 5> kVapourLabels = {"kPa", "mbar", "psi", "atm", "mmHg"};
constexpr std::array<std::string_view, 4> kWindLabels = {"m/sec", "km/day", "knot", "ft/sec"};
constexpr std::array<std::string_view, 5> kRadiationLabels = {"MJ/m2.day", "W/m2", "J/cm2.day",
                                                              "mm/day", "cal/cm2.day"};

// Pairs of temperature codes: degC, degF.
constexpr std::array<std::pair<int16_t, int16_t>, 6> kTemperaturePairs = {
    {{102, 112}, {101, 111}, {103, 113}, {210, 211}, {231, 233}, {232, 234}}};

bool IsCelsiusCode(int code) {
  return std::any_of(kTemperaturePairs.begin(), kTemperaturePairs.end(),
                     [code](const auto& pair) { return pair.first == code; });
}
bool IsFahrenheitCode(int code) {
  return std::any_of(kTemperaturePairs.begin(), kTemperaturePairs.end(),
                     [code](const auto& pair) { return pair.second == code; });
}

// Gives every code base..base+count-1 of the list the code base + item.
bool SetUnitOfQuantity(RepClimateFile& station, int base, int count, int item) {
  bool changed = false;
  for (int code = base; code < base + count; ++code) {
    changed |= ReplaceCode(station, code, base + item);
  }
  return changed;
}

bool ValidItem(int item, std::size_t count) {
  return item >= 0 && static_cast<std::size_t>(item) < count;
}

}  // namespace

const std::array<std::string_view, 5>& VapourUnitItems() { return kVapourItems; }
const std::array<std::string_view, 4>& WindUnitItems() { return kWindItems; }
const std::array<std::string_view, 5>& RadiationUnitItems() { return kRadiationItems; }

std::string_view TemperatureUnitLabel(bool fahrenheit) {
  return fahrenheit ? " [\xB0"
                      "F]"
                    : " [\xB0"
                      "C]";
}

UnitChoice UnitChoiceOfCodes(std::span<const int16_t> codes) {
  UnitChoice units;
  for (int16_t code : codes) {
    if (IsFahrenheitCode(code)) units.Fahrenheit = true;
    if (code >= 222 && code <= 225) units.Vapour = code - kVapourBaseCode;
    if (code >= 302 && code <= 304) units.Wind = code - kWindBaseCode;
    if (code >= 422 && code <= 425) units.Rs = code - kRsBaseCode;
    if (code >= 432 && code <= 435) units.Rn = code - kRnBaseCode;
  }
  return units;
}

// ---------------------------------------------------------------------------------------------
// Unit changes

bool SelectTemperatureUnit(RepClimateFile& station, UnitChoice& units, bool fahrenheit) {
  units.Fahrenheit = fahrenheit;
  bool changed = false;
  for (const auto& [celsius, fahrenheitCode] : kTemperaturePairs) {
    changed |= fahrenheit ? ReplaceCode(station, celsius, fahrenheitCode)
                          : ReplaceCode(station, fahrenheitCode, celsius);
  }
  return changed;
}

bool SelectVapourUnit(RepClimateFile& station, UnitChoice& units, int item) {
  if (!ValidItem(item, kVapourItems.size())) return false;
  units.Vapour = item;
  return SetUnitOfQuantity(station, kVapourBaseCode, 5, item);
}

bool SelectWindUnit(RepClimateFile& station, UnitChoice& units, int item) {
  if (!ValidItem(item, kWindItems.size())) return false;
  units.Wind = item;
  return SetUnitOfQuantity(station, kWindBaseCode, 4, item);
}

bool SelectRsUnit(RepClimateFile& station, UnitChoice& units, int item) {
  if (!ValidItem(item, kRadiationItems.size())) return false;
  units.Rs = item;
  return SetUnitOfQuantity(station, kRsBaseCode, 5, item);
}

bool SelectRnUnit(RepClimateFile& station, UnitChoice& units, int item) {
  if (!ValidItem(item, kRadiationItems.size())) return false;
  units.Rn = item;
  return SetUnitOfQuantity(station, kRnBaseCode, 5, item);
}

// ---------------------------------------------------------------------------------------------
// The Switch Units box

std::span<const std::string_view> SwitchTargetItems(SwitchQuantity quantity) {
  switch (quantity) {
    case SwitchQuantity::Temperature:
      return kSwitchTemperatureItems;
    case SwitchQuantity::VapourPressure:
      return kVapourItems;
    case SwitchQuantity::WindSpeed:
      return kSwitchWindItems;
    case SwitchQuantity::Radiation:
      return kRadiationItems;
  }
  return {};
}

SwitchUnitsBox OpenSwitchUnitsBox(std::span<const int16_t> codes) {
  SwitchUnitsBox box;
  const auto set = [&box](SwitchQuantity quantity, std::string_view label, int target) {
    const auto q = static_cast<std::size_t>(quantity);
    box.Enabled[q] = true;
    box.Labels[q] = std::string(label);
    box.Targets[q] = target;
  };
  for (int16_t code : codes) {
    if (IsCelsiusCode(code)) {
      set(SwitchQuantity::Temperature,
          "\xB0"
          "C",
          1);
    } else if (IsFahrenheitCode(code)) {
      set(SwitchQuantity::Temperature,
          "\xB0"
          "F",
          0);
    } else if (code >= 221 && code <= 225) {
      const int item = code - kVapourBaseCode;
      set(SwitchQuantity::VapourPressure, kVapourLabels[static_cast<std::size_t>(item)],
          item == 0 ? 1 : 0);
    } else if (code >= 301 && code <= 304) {
      const int item = code - kWindBaseCode;
      set(SwitchQuantity::WindSpeed, kWindLabels[static_cast<std::size_t>(item)],
          item == 0 ? 1 : 0);
    } else if ((code >= 421 && code <= 425) || (code >= 431 && code <= 435)) {
      const int item = code - (code >= 431 ? kRnBaseCode : kRsBaseCode);
      set(SwitchQuantity::Radiation, kRadiationLabels[static_cast<std::size_t>(item)],
          item == 0 ? 4 : 0);
    }
  }
  for (int q = 0; q < kSwitchQuantityCount; ++q) {
    if (box.Enabled[static_cast<std::size_t>(q)]) {
      box.Checked = static_cast<SwitchQuantity>(q);
      break;
    }
  }
  return box;
}

bool SwitchUnit(RepClimateFile& station, UnitChoice& units, SwitchQuantity quantity, int item) {
  switch (quantity) {
    case SwitchQuantity::Temperature:
      if (!ValidItem(item, kSwitchTemperatureItems.size())) return false;
      return SelectTemperatureUnit(station, units, item == 1);
    case SwitchQuantity::VapourPressure:
      return SelectVapourUnit(station, units, item);
    case SwitchQuantity::WindSpeed:
      return SelectWindUnit(station, units, item);
    case SwitchQuantity::Radiation: {
      const bool rs = SelectRsUnit(station, units, item);
      const bool rn = SelectRnUnit(station, units, item);
      return rs || rn;
    }
  }
  return false;
}

}  // namespace vernoli
