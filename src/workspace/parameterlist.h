// The station's parameter list as the workspace edits it: the presence check boxes of the
// description page and the codes they add or remove, the titles of the grid's parameter rows and
// the symbols panel. Texts are Windows-1252 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/station.h"
#include "model/stationcodes.h"
#include "workspace/units.h"

namespace vernoli {

// ---------------------------------------------------------------------------------------------
// Presence check boxes

// One check box per quantity (or pair of quantities) that a data set may hold.
enum class PresenceBox : uint8_t {
  TmaxTmin,          // TmaxTminCheckBox
  Tmean,             // TmeanCheckBox
  RHMinMax,          // RHMinMaxCheckBox
  RHmean,            // RHmeanCheckBox
  Tdew,              // TdewCheckBox
  Eact,              // EactCheckBox
  TdryTwet,          // TdryTwetCheckBox
  Wind,              // WindCheckBox
  Sunshine,          // nCheckBox
  RelativeSunshine,  // nNRatioCheckBox
  Rs,                // RsCheckBox
  Rn,                // RnCheckBox
};
inline constexpr int kPresenceBoxCount = 12;
using PresenceStates = std::array<bool, kPresenceBoxCount>;  // indexed by PresenceBox

// The twelve boxes in the order of the page.
const std::array<PresenceBox, kPresenceBoxCount>& PresenceBoxes();
std::string_view PresenceCaption(PresenceBox box);

// The codes a box adds when it is checked, in the units of the choice: 101 and 103 (111 and 113
// in degF), 102 (112), 201 and 203, 202, 210 (211), 221 + vapour item, 231 and 232 (233 and 234),
// 301 + wind item, 401, 402, 421 + Rs item, 431 + Rn item.
std::vector<int16_t> PresenceCodes(PresenceBox box, const UnitChoice& units);
// The box whose quantity a code is, in whatever unit; none for ETo and unknown codes.
std::optional<PresenceBox> PresenceBoxOfCode(int code);
// Which boxes the codes of a data set check.
PresenceStates PresenceOfCodes(std::span<const int16_t> codes);
// True when the station has a code of the box's quantity (in any unit).
bool HasQuantity(const RepClimateFile& station, PresenceBox box);

// A box checked adds its codes for each of its quantities that the list does not hold yet in any
// unit; a box cleared removes every code of its quantities, whatever their unit. Returns whether
// the list changed.
bool SetPresence(RepClimateFile& station, PresenceBox box, bool present, const UnitChoice& units);

// ---------------------------------------------------------------------------------------------
// Grid rows and symbols

// Title of the wind row: "u(" + height + ")", the height without decimals when its fractional part
// is below 0.01, else with one: u(2), u(10), u(2.5).
std::string WindTitle(double windHeight);

// Columns 0 and 1 of one parameter row of the grid.
struct ParameterRowTitle {
  int16_t Code = 0;
  std::string Title;  // the parameter-table symbol, or the wind title
  std::string Unit;   // the unit text of the code in the parameter table
};
// One per code of the station's list, in list order (the last row is ETo).
std::vector<ParameterRowTitle> ParameterRowTitles(const RepClimateFile& station);

// The symbols panel (SymbolStringGrid): its title row, then the parameter-table symbol and
// description of each code of the station's list.
inline constexpr std::string_view kSymbolColumnTitle = "    Symbol";
inline constexpr std::string_view kDescriptionColumnTitle = "    Description";
struct SymbolRow {
  std::string Symbol;
  std::string Description;
};
std::vector<SymbolRow> SymbolRows(const RepClimateFile& station);

}  // namespace vernoli
