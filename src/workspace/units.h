// The units in which the workspace holds each climatic quantity.
//
// The working data keep every value in its standard unit, so choosing another unit changes only
// the parameter code in the station's list: the grid then shows the quantity in that unit and the
// .DTA is next written in it. The description page chooses a unit per quantity (temperature radio
// buttons, four unit combo boxes); the "Switch Units" box of the data page changes one quantity at
// a time. Texts are Windows-1252 bytes (degree sign 0xB0).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/station.h"

namespace vernoli {

// The unit controls of the description page: the temperature choice and the item index of each
// unit combo box (added to the quantity's base code).
struct UnitChoice {
  bool Fahrenheit = false;
  int Vapour = 0;  // UnitEactComboBox: 0 kPa, 1 mbar, 2 psi, 3 atm, 4 mmHg
  int Wind = 0;    // UnitUComboBox: 0 m/sec, 1 km/day, 2 knot, 3 ft/sec
  int Rs = 0;      // UnitRsComboBox: 0 MJ/m2.day, 1 W/m2, 2 J/cm2.day, 3 mm/day, 4 cal/cm2.day
  int Rn = 0;      // UnitRnComboBox: the same five units
  friend bool operator==(const UnitChoice&, const UnitChoice&) = default;
};

// Base codes of the quantities chosen by a combo box: base + item index is the code.
inline constexpr int kVapourBaseCode = 221;
inline constexpr int kWindBaseCode = 301;
inline constexpr int kRsBaseCode = 421;
inline constexpr int kRnBaseCode = 431;

// ---------------------------------------------------------------------------------------------
// Captions of the description page

inline constexpr std::string_view kCelsiusCaption = " \xB0 Celsius";  // RadioCelsius
inline constexpr std::string_view kFahrenheitCaption =
    "\xB0"
    "Fahrenheit";  // RadioFarenheit

// UnitEactComboBox, UnitUComboBox, and UnitRsComboBox / UnitRnComboBox.
const std::array<std::string_view, 5>& VapourUnitItems();
const std::array<std::string_view, 4>& WindUnitItems();
const std::array<std::string_view, 5>& RadiationUnitItems();

// The four temperature unit labels (LabelUTmean, LabelTMinMax, LabelTdew, LabelTPsy):
// " [\xB0C]" or " [\xB0F]".
std::string_view TemperatureUnitLabel(bool fahrenheit);

// The unit controls as a data set's codes set them when the workspace opens: a code in degF
// selects Fahrenheit; a vapour pressure, wind or radiation code in another unit than the
// standard one sets its combo box to that unit.
UnitChoice UnitChoiceOfCodes(std::span<const int16_t> codes);

// ---------------------------------------------------------------------------------------------
// Unit changes. Each updates the choice and changes the codes of the quantities the data set
// has; the list stays sorted. Returns whether any code changed.

// Celsius: 112 -> 102, 111 -> 101, 113 -> 103, 211 -> 210, 233 -> 231, 234 -> 232; Fahrenheit the
// reverse.
bool SelectTemperatureUnit(RepClimateFile& station, UnitChoice& units, bool fahrenheit);
// The vapour pressure code becomes 221 + item.
bool SelectVapourUnit(RepClimateFile& station, UnitChoice& units, int item);
// The wind code becomes 301 + item.
bool SelectWindUnit(RepClimateFile& station, UnitChoice& units, int item);
// The solar radiation code becomes 421 + item, the net radiation code 431 + item.
bool SelectRsUnit(RepClimateFile& station, UnitChoice& units, int item);
bool SelectRnUnit(RepClimateFile& station, UnitChoice& units, int item);

// ---------------------------------------------------------------------------------------------
// The "Switch Units" box of the data page

inline constexpr std::string_view kSwitchUnitsCaption = "Switch Units";      // UnitsButton
inline constexpr std::string_view kSwitchUnitsBoxCaption = " Switch unit ";  // GroupBoxSwitchUnits

// The quantities of the box, in the order in which the first enabled one is checked.
enum class SwitchQuantity : uint8_t { Temperature, VapourPressure, WindSpeed, Radiation };
inline constexpr int kSwitchQuantityCount = 4;

// Items of the "convert to" combo box of a quantity (ComboBoxT, ComboBoxE, ComboBoxU, ComboBoxR).
std::span<const std::string_view> SwitchTargetItems(SwitchQuantity quantity);

// What the box shows when it opens.
struct SwitchUnitsBox {
  std::array<bool, kSwitchQuantityCount> Enabled{};      // radio button and combo box
  std::array<std::string, kSwitchQuantityCount> Labels;  // TUnitLab, EUnitLab, UUnitLab, RUnitLab
  std::array<int, kSwitchQuantityCount> Targets{};       // the proposed item of each combo box
  std::optional<SwitchQuantity> Checked;                 // none: the box closes at once
};

// Every quantity the data set has is enabled, labelled with its current unit and offered the
// usual other unit (degC <-> degF, kPa <-> mbar, m/sec <-> km/day, MJ/m2.day <-> cal/cm2.day, any
// other unit -> the standard one). When a quantity has several codes, the last one in the list
// sets the label. The first enabled quantity is checked.
SwitchUnitsBox OpenSwitchUnitsBox(std::span<const int16_t> codes);

// "switch": converts the quantity to the combo box's item (temperature: 0 Celsius, 1 Fahrenheit;
// radiation: both Rs and Rn, and both radiation combo boxes of the description page).
bool SwitchUnit(RepClimateFile& station, UnitChoice& units, SwitchQuantity quantity, int item);

}  // namespace vernoli
