#include "workspace/units.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "../model/station_codes.h"
#include "model/stationcodes.h"

namespace vernoli {
namespace {

using test_support::Codes;
using test_support::WithCodes;

template <typename Items>
std::vector<std::string> Texts(const Items& items) {
  return {items.begin(), items.end()};
}

// ---------------------------------------------------------------------------------------------
// Texts

TEST(UnitTexts, CaptionsItemsAndLabelsWordForWord) {
  EXPECT_EQ(kCelsiusCaption, " \xB0 Celsius");
  EXPECT_EQ(kFahrenheitCaption,
            "\xB0"
            "Fahrenheit");
  EXPECT_EQ(TemperatureUnitLabel(false),
            " [\xB0"
            "C]");
  EXPECT_EQ(TemperatureUnitLabel(true),
            " [\xB0"
            "F]");
  EXPECT_EQ(Texts(VapourUnitItems()),
            (std::vector<std::string>{" kPa", " mbar", " psi", " atm", "mmHG"}));
  EXPECT_EQ(Texts(WindUnitItems()),
            (std::vector<std::string>{" m/sec", " km/day", " knot", " ft/sec"}));
  EXPECT_EQ(
      Texts(RadiationUnitItems()),
      (std::vector<std::string>{" MJ/m2.day", " W/m2", " J/cm2.day", " mm/day", "cal/cm2.day"}));
  EXPECT_EQ(kSwitchUnitsCaption, "Switch Units");
  EXPECT_EQ(kSwitchUnitsBoxCaption, " Switch unit ");
  EXPECT_EQ(Texts(SwitchTargetItems(SwitchQuantity::Temperature)),
            (std::vector<std::string>{"\xB0 Celsius", "\xB0 Fahrenheit"}));
  EXPECT_EQ(Texts(SwitchTargetItems(SwitchQuantity::VapourPressure)),
            (std::vector<std::string>{" kPa", " mbar", " psi", " atm", "mmHG"}));
  EXPECT_EQ(Texts(SwitchTargetItems(SwitchQuantity::WindSpeed)),
            (std::vector<std::string>{"m/sec", " km/day", " knot", " ft/sec"}));
  EXPECT_EQ(
      Texts(SwitchTargetItems(SwitchQuantity::Radiation)),
      (std::vector<std::string>{" MJ/m2.day", " W/m2", " J/cm2.day", " mm/day", "cal/cm2.day"}));
}

TEST(UnitChoiceOfCodes, CodesSetTheUnitControlsOnOpening) {
  struct Row {
    const char* name;
    std::vector<int16_t> codes;
    UnitChoice expected;
  };
  const Row rows[] = {
      {"standard units", {101, 103, 221, 301, 421, 431, 501}, {false, 0, 0, 0, 0}},
      {"a single degF code selects Fahrenheit", {101, 103, 211, 501}, {true, 0, 0, 0, 0}},
      {"dry bulb in degF", {233, 234, 501}, {true, 0, 0, 0, 0}},
      {"mmHg, ft/sec, cal/cm2.day and mm/day", {225, 304, 425, 434, 501}, {false, 4, 3, 4, 3}},
      {"mbar, km/day, W/m2, J/cm2.day", {222, 302, 422, 433, 501}, {false, 1, 1, 1, 2}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(UnitChoiceOfCodes(row.codes), row.expected);
  }
}

// ---------------------------------------------------------------------------------------------
// Code changes

TEST(SelectTemperatureUnit, ChangesEveryTemperatureCodeBothWays) {
  RepClimateFile station = WithCodes({101, 102, 103, 201, 210, 231, 232, 301, 501});
  UnitChoice units;
  EXPECT_TRUE(SelectTemperatureUnit(station, units, true));
  EXPECT_TRUE(units.Fahrenheit);
  EXPECT_EQ(Codes(station), (std::vector<int16_t>{111, 112, 113, 201, 211, 233, 234, 301, 501}));
  EXPECT_FALSE(SelectTemperatureUnit(station, units, true));
  EXPECT_TRUE(SelectTemperatureUnit(station, units, false));
  EXPECT_FALSE(units.Fahrenheit);
  EXPECT_EQ(Codes(station), (std::vector<int16_t>{101, 102, 103, 201, 210, 231, 232, 301, 501}));
}

TEST(SelectTemperatureUnit, EdgeCasesOfMixedLists) {
  struct Row {
    const char* name;
    std::initializer_list<int16_t> before;
    bool fahrenheit;
    std::vector<int16_t> after;
    bool changed;
  };
  const Row rows[] = {
      {"no temperature: only the choice changes", {201, 301, 501}, true, {201, 301, 501}, false},
      {"mixed units: the list is sorted again", {102, 111, 501}, false, {101, 102, 501}, true},
      {"a quantity in both units keeps one column", {101, 111, 501}, false, {101, 501}, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station = WithCodes(row.before);
    UnitChoice units;
    units.Fahrenheit = !row.fahrenheit;
    EXPECT_EQ(SelectTemperatureUnit(station, units, row.fahrenheit), row.changed);
    EXPECT_EQ(units.Fahrenheit, row.fahrenheit);
    EXPECT_EQ(Codes(station), row.after);
  }
}

TEST(SelectUnit, ComboBoxesChangeThePresentQuantitysCode) {
  struct Row {
    const char* name;
    bool (*select)(RepClimateFile&, UnitChoice&, int);
    int item;
    std::vector<int16_t> after;
    bool changed;
  };
  // Vapour pressure and wind are present, net radiation is not.
  const Row rows[] = {
      {"vapour pressure to psi", &SelectVapourUnit, 2, {101, 223, 302, 421, 501}, true},
      {"vapour pressure to kPa: no change", &SelectVapourUnit, 0, {101, 221, 302, 421, 501}, false},
      {"wind to knot", &SelectWindUnit, 2, {101, 221, 303, 421, 501}, true},
      {"wind to m/sec", &SelectWindUnit, 0, {101, 221, 301, 421, 501}, true},
      {"Rs to cal/cm2.day", &SelectRsUnit, 4, {101, 221, 302, 425, 501}, true},
      {"Rn absent: nothing to change", &SelectRnUnit, 1, {101, 221, 302, 421, 501}, false},
      {"an item outside the box", &SelectWindUnit, 4, {101, 221, 302, 421, 501}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station = WithCodes({101, 221, 302, 421, 501});
    UnitChoice units = UnitChoiceOfCodes(Codes(station));
    EXPECT_EQ(row.select(station, units, row.item), row.changed);
    EXPECT_EQ(Codes(station), row.after);
  }
  RepClimateFile station = WithCodes({101, 501});
  UnitChoice units;
  SelectRnUnit(station, units, 3);
  EXPECT_EQ(units.Rn, 3);  // the choice is kept for when net radiation is added
  SelectWindUnit(station, units, 7);
  EXPECT_EQ(units.Wind, 0);
}

// ---------------------------------------------------------------------------------------------
// Switch Units box

TEST(OpenSwitchUnitsBox, EnablesLabelsAndProposesForEachQuantity) {
  struct Row {
    const char* name;
    std::vector<int16_t> codes;
    SwitchQuantity quantity;
    const char* label;
    int target;
  };
  const Row rows[] = {
      {"degC proposes Fahrenheit",
       {101, 103, 501},
       SwitchQuantity::Temperature,
       "\xB0"
       "C",
       1},
      {"degF proposes Celsius",
       {113, 501},
       SwitchQuantity::Temperature,
       "\xB0"
       "F",
       0},
      {"kPa proposes mbar", {221, 501}, SwitchQuantity::VapourPressure, "kPa", 1},
      {"mbar proposes kPa", {222, 501}, SwitchQuantity::VapourPressure, "mbar", 0},
      {"psi", {223, 501}, SwitchQuantity::VapourPressure, "psi", 0},
      {"atm", {224, 501}, SwitchQuantity::VapourPressure, "atm", 0},
      {"mmHg", {225, 501}, SwitchQuantity::VapourPressure, "mmHg", 0},
      {"m/sec proposes km/day", {301, 501}, SwitchQuantity::WindSpeed, "m/sec", 1},
      {"km/day proposes m/sec", {302, 501}, SwitchQuantity::WindSpeed, "km/day", 0},
      {"knot", {303, 501}, SwitchQuantity::WindSpeed, "knot", 0},
      {"ft/sec", {304, 501}, SwitchQuantity::WindSpeed, "ft/sec", 0},
      {"MJ/m2.day proposes cal/cm2.day", {421, 501}, SwitchQuantity::Radiation, "MJ/m2.day", 4},
      {"net radiation in MJ/m2.day", {431, 501}, SwitchQuantity::Radiation, "MJ/m2.day", 4},
      {"W/m2 proposes MJ/m2.day", {422, 432, 501}, SwitchQuantity::Radiation, "W/m2", 0},
      {"J/cm2.day", {433, 501}, SwitchQuantity::Radiation, "J/cm2.day", 0},
      {"mm/day", {424, 501}, SwitchQuantity::Radiation, "mm/day", 0},
      {"cal/cm2.day", {435, 501}, SwitchQuantity::Radiation, "cal/cm2.day", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SwitchUnitsBox box = OpenSwitchUnitsBox(row.codes);
    const auto q = static_cast<std::size_t>(row.quantity);
    for (std::size_t other = 0; other < 4; ++other) {
      EXPECT_EQ(box.Enabled[other], other == q);
      if (other != q) {
        EXPECT_EQ(box.Labels[other], "");
      }
    }
    EXPECT_EQ(box.Labels[q], row.label);
    EXPECT_EQ(box.Targets[q], row.target);
    EXPECT_EQ(box.Checked, row.quantity);
  }
}

TEST(OpenSwitchUnitsBox, ChecksTheFirstEnabledQuantityOrNone) {
  const SwitchUnitsBox windFirst = OpenSwitchUnitsBox(std::vector<int16_t>{201, 304, 423, 501});
  EXPECT_EQ(windFirst.Checked, SwitchQuantity::WindSpeed);
  EXPECT_EQ(windFirst.Enabled, (std::array<bool, 4>{false, false, true, true}));

  const SwitchUnitsBox all = OpenSwitchUnitsBox(std::vector<int16_t>{101, 221, 301, 421, 501});
  EXPECT_EQ(all.Checked, SwitchQuantity::Temperature);

  const SwitchUnitsBox none = OpenSwitchUnitsBox(std::vector<int16_t>{201, 401, 501});
  EXPECT_EQ(none.Checked, std::nullopt);  // the box closes at once
  EXPECT_EQ(none.Enabled, (std::array<bool, 4>{}));
}

TEST(SwitchUnit, RadiationSwitchesRsAndRnTogether) {
  RepClimateFile station = WithCodes({101, 421, 431, 501});
  UnitChoice units;
  EXPECT_TRUE(SwitchUnit(station, units, SwitchQuantity::Radiation, 1));
  EXPECT_EQ(Codes(station), (std::vector<int16_t>{101, 422, 432, 501}));
  EXPECT_EQ(units.Rs, 1);
  EXPECT_EQ(units.Rn, 1);

  EXPECT_TRUE(SwitchUnit(station, units, SwitchQuantity::Temperature, 1));
  EXPECT_EQ(Codes(station), (std::vector<int16_t>{111, 422, 432, 501}));
  EXPECT_TRUE(units.Fahrenheit);
  EXPECT_FALSE(SwitchUnit(station, units, SwitchQuantity::WindSpeed, 1));  // no wind
  EXPECT_EQ(units.Wind, 1);
}

}  // namespace
}  // namespace vernoli
