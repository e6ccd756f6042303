#include "workspace/parameterlist.h"

#include <algorithm>
#include <cmath>

#include "model/numbers.h"
#include "model/parameters.h"
#include "model/stationcodes.h"

namespace vernoli {

namespace {

constexpr std::array<PresenceBox, kPresenceBoxCount> kBoxes = {
    PresenceBox::TmaxTmin,         PresenceBox::Tmean, PresenceBox::RHMinMax,
    PresenceBox::RHmean,           PresenceBox::Tdew,  PresenceBox::Eact,
    PresenceBox::TdryTwet,         PresenceBox::Wind,  PresenceBox::Sunshine,
    PresenceBox::RelativeSunshine, PresenceBox::Rs,    PresenceBox::Rn,
};

constexpr std::array<std::string_view, kPresenceBoxCount> kCaptions = {
    "Minimum and Maximum temperature ",
    "Mean temperature ",
    "Minimum and Maximum Relative Humidity  ",
    "Mean Relative Humidity  ",
    "Mean dew point temperature ",
    "Mean actual vapour pressure  ",
    "Mean dry and wet bulb temperature  ",
    "Mean wind speed",
    "Hours of bright sunshine (n) ",
    "Relative sunshine hours (n/N)",
    "Solar radiation (Rs) ",
    "Net radiation (Rn)",
};

// The code of the same quantity in its standard unit (111 -> 101, 302 -> 301, ...); 0 for a code
// that is not in the parameter table.
int StandardCode(int code) {
  int row = RowOfCode(code);
  if (row == 0) return 0;
  const auto code16 = static_cast<int16_t>(code);
  StandardRows(1, &code16, &row);
  return ParameterRow(row).Code;
}

bool HasQuantityOfCode(const RepClimateFile& station, int standardCode) {
  const std::span<const int16_t> codes = StationCodes(station);
  return std::any_of(codes.begin(), codes.end(),
                     [standardCode](int16_t c) { return StandardCode(c) == standardCode; });
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Presence check boxes

const std::array<PresenceBox, kPresenceBoxCount>& PresenceBoxes() { return kBoxes; }

std::string_view PresenceCaption(PresenceBox box) {
  return kCaptions[static_cast<std::size_t>(box)];
}

std::vector<int16_t> PresenceCodes(PresenceBox box, const UnitChoice& units) {
  const int16_t f = units.Fahrenheit ? 10 : 0;  // degF codes lie 10 above their degC codes
  switch (box) {
    case PresenceBox::TmaxTmin:
      return {static_cast<int16_t>(101 + f), static_cast<int16_t>(103 + f)};
    case PresenceBox::Tmean:
      return {static_cast<int16_t>(102 + f)};
    case PresenceBox::RHMinMax:
      return {201, 203};
    case PresenceBox::RHmean:
      return {202};
    case PresenceBox::Tdew:
      return {static_cast<int16_t>(units.Fahrenheit ? 211 : 210)};
    case PresenceBox::Eact:
      return {static_cast<int16_t>(kVapourBaseCode + units.Vapour)};
    case PresenceBox::TdryTwet:
      if (units.Fahrenheit) return {233, 234};
      return {231, 232};
    case PresenceBox::Wind:
      return {static_cast<int16_t>(kWindBaseCode + units.Wind)};
    case PresenceBox::Sunshine:
      return {401};
    case PresenceBox::RelativeSunshine:
      return {402};
    case PresenceBox::Rs:
      return {static_cast<int16_t>(kRsBaseCode + units.Rs)};
    case PresenceBox::Rn:
      return {static_cast<int16_t>(kRnBaseCode + units.Rn)};
  }
  return {};
}

std::optional<PresenceBox> PresenceBoxOfCode(int code) {
  const int standard = StandardCode(code);
  for (PresenceBox box : kBoxes) {
    for (int16_t c : PresenceCodes(box, UnitChoice{})) {
      if (c == standard) return box;
    }
  }
  return std::nullopt;
}

PresenceStates PresenceOfCodes(std::span<const int16_t> codes) {
  PresenceStates states{};
  for (int16_t code : codes) {
    if (const auto box = PresenceBoxOfCode(code)) states[static_cast<std::size_t>(*box)] = true;
  }
  return states;
}

bool HasQuantity(const RepClimateFile& station, PresenceBox box) {
  for (int16_t standard : PresenceCodes(box, UnitChoice{})) {
    if (HasQuantityOfCode(station, standard)) return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Adding and removing quantities

bool SetPresence(RepClimateFile& station, PresenceBox box, bool present, const UnitChoice& units) {
  const std::vector<int16_t> standards = PresenceCodes(box, UnitChoice{});
  const std::vector<int16_t> wanted = PresenceCodes(box, units);
  bool changed = false;
  for (std::size_t q = 0; q < standards.size(); ++q) {
    if (present) {
      // A quantity already held in another unit keeps that unit: no second column for it.
      if (!HasQuantityOfCode(station, standards[q]))
        changed |= AddParameterCode(station, wanted[q]);
      continue;
    }
    // Cleared: the quantity goes whatever its unit, so the box and the list always agree.
    for (int i = static_cast<int>(StationCodes(station).size()) - 1; i >= 0; --i) {
      const int16_t code = station.ParameterCodes[static_cast<std::size_t>(i)];
      if (StandardCode(code) == standards[q]) changed |= RemoveParameterCode(station, code);
    }
  }
  return changed;
}

// ---------------------------------------------------------------------------------------------
// Grid rows and symbols

std::string WindTitle(double windHeight) {
  const double fraction = windHeight - std::trunc(windHeight);
  const int decimals = fraction < 0.01 ? 0 : 1;
  std::string height = FormatReal(windHeight, 0, decimals);
  std::erase(height, ' ');
  return "u(" + height + ")";
}

std::vector<ParameterRowTitle> ParameterRowTitles(const RepClimateFile& station) {
  std::vector<ParameterRowTitle> rows;
  for (int16_t code : StationCodes(station)) {
    ParameterRowTitle row;
    row.Code = code;
    if (const int tableRow = RowOfCode(code); tableRow != 0) {
      const ParameterInfo& info = ParameterRow(tableRow);
      row.Title = std::string(info.Symbol);
      row.Unit = std::string(info.Unit);
    }
    if (StandardCode(code) == kWindBaseCode) row.Title = WindTitle(station.WindHeight);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<SymbolRow> SymbolRows(const RepClimateFile& station) {
  std::vector<SymbolRow> rows{
      {std::string(kSymbolColumnTitle), std::string(kDescriptionColumnTitle)}};
  for (int16_t code : StationCodes(station)) {
    const int tableRow = RowOfCode(code);
    if (tableRow == 0) continue;
    const ParameterInfo& info = ParameterRow(tableRow);
    rows.push_back({std::string(info.Symbol), std::string(info.Description)});
  }
  return rows;
}

}  // namespace vernoli
