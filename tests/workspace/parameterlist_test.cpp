#include "workspace/parameterlist.h"

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

// ---------------------------------------------------------------------------------------------
// Check boxes

TEST(PresenceBoxes, CaptionsWordForWord) {
  const std::vector<std::string> expected = {
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
  std::vector<std::string> captions;
  for (PresenceBox box : PresenceBoxes()) captions.emplace_back(PresenceCaption(box));
  EXPECT_EQ(captions, expected);
}

TEST(PresenceCodes, FollowTheUnitChoice) {
  UnitChoice standard;
  UnitChoice other;
  other.Fahrenheit = true;
  other.Vapour = 4;
  other.Wind = 2;
  other.Rs = 1;
  other.Rn = 3;
  struct Row {
    PresenceBox box;
    std::vector<int16_t> standard;
    std::vector<int16_t> other;
  };
  const Row rows[] = {
      {PresenceBox::TmaxTmin, {101, 103}, {111, 113}},
      {PresenceBox::Tmean, {102}, {112}},
      {PresenceBox::RHMinMax, {201, 203}, {201, 203}},
      {PresenceBox::RHmean, {202}, {202}},
      {PresenceBox::Tdew, {210}, {211}},
      {PresenceBox::Eact, {221}, {225}},
      {PresenceBox::TdryTwet, {231, 232}, {233, 234}},
      {PresenceBox::Wind, {301}, {303}},
      {PresenceBox::Sunshine, {401}, {401}},
      {PresenceBox::RelativeSunshine, {402}, {402}},
      {PresenceBox::Rs, {421}, {422}},
      {PresenceBox::Rn, {431}, {434}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(PresenceCaption(row.box));
    EXPECT_EQ(PresenceCodes(row.box, standard), row.standard);
    EXPECT_EQ(PresenceCodes(row.box, other), row.other);
    for (int16_t code : row.other) EXPECT_EQ(PresenceBoxOfCode(code), row.box);
  }
  EXPECT_EQ(PresenceBoxOfCode(501), std::nullopt);
  EXPECT_EQ(PresenceBoxOfCode(999), std::nullopt);
}

TEST(PresenceOfCodes, EachCodeChecksItsBoxInAnyUnit) {
  const std::vector<int16_t> codes{101, 112, 222, 303, 402, 425, 501};
  const PresenceStates states = PresenceOfCodes(codes);
  PresenceStates expected{};
  for (PresenceBox box : {PresenceBox::TmaxTmin, PresenceBox::Tmean, PresenceBox::Eact,
                          PresenceBox::Wind, PresenceBox::RelativeSunshine, PresenceBox::Rs}) {
    expected[static_cast<std::size_t>(box)] = true;
  }
  EXPECT_EQ(states, expected);
}

// ---------------------------------------------------------------------------------------------
// Adding and removing quantities

TEST(SetPresence, AddsAndRemovesTheCodesOfTheBox) {
  struct Row {
    const char* name;
    std::initializer_list<int16_t> before;
    PresenceBox box;
    bool present;
    UnitChoice units;
    std::vector<int16_t> after;
    bool changed;
  };
  UnitChoice fahrenheit;
  fahrenheit.Fahrenheit = true;
  UnitChoice knot;
  knot.Wind = 2;
  // clang-format off
  const Row rows[] = {
      {"Tmax and Tmin in degC", {201, 501}, PresenceBox::TmaxTmin, true, {},
       {101, 103, 201, 501}, true},
      {"Tmax and Tmin in degF", {201, 501}, PresenceBox::TmaxTmin, true, fahrenheit,
       {111, 113, 201, 501}, true},
      {"wind in knot", {101, 501}, PresenceBox::Wind, true, knot,
       {101, 303, 501}, true},
      {"unchecking wind", {101, 303, 501}, PresenceBox::Wind, false, knot,
       {101, 501}, true},
      {"unchecking removes the pair", {101, 103, 201, 203, 501}, PresenceBox::RHMinMax, false, {},
       {101, 103, 501}, true},
      {"unchecking removes a quantity in the other unit",
       {101, 113, 501}, PresenceBox::TmaxTmin, false, {}, {501}, true},
      {"only Tmax held: checking adds Tmin", {101, 501}, PresenceBox::TmaxTmin, true, {},
       {101, 103, 501}, true},
      {"a quantity held in another unit is not added twice",
       {111, 113, 501}, PresenceBox::TmaxTmin, true, {}, {111, 113, 501}, false},
      {"unchecking an absent quantity", {101, 501}, PresenceBox::Rn, false, {},
       {101, 501}, false},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station = WithCodes(row.before);
    EXPECT_EQ(SetPresence(station, row.box, row.present, row.units), row.changed);
    EXPECT_EQ(Codes(station), row.after);
    EXPECT_EQ(HasQuantity(station, row.box), row.present);
  }
}

// ---------------------------------------------------------------------------------------------
// Rows and symbols

TEST(WindTitle, HeightWithoutDecimalsWhenWhole) {
  struct Row {
    double height;
    const char* title;
  };
  const Row rows[] = {
      {2.0, "u(2)"},   {10.0, "u(10)"}, {2.5, "u(2.5)"},  {0.5, "u(0.5)"},
      {30.0, "u(30)"}, {2.004, "u(2)"}, {2.02, "u(2.0)"}, {2.96, "u(3.0)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.height);
    EXPECT_EQ(WindTitle(row.height), row.title);
  }
}

TEST(ParameterRowTitles, SymbolAndUnitOfEachCodeWithTheWindHeight) {
  RepClimateFile station = WithCodes({101, 222, 303, 501});
  station.WindHeight = 10.0;
  const std::vector<ParameterRowTitle> rows = ParameterRowTitles(station);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].Title, "Tmax   ");
  EXPECT_EQ(rows[0].Unit,
            "    \xB0"
            "C     ");
  EXPECT_EQ(rows[1].Title, "e(act) ");
  EXPECT_EQ(rows[1].Unit, " hPa (mbar)");
  EXPECT_EQ(rows[2].Title, "u(10)");
  EXPECT_EQ(rows[2].Unit, "   knot    ");
  EXPECT_EQ(rows[3].Title, "ETo    ");
  EXPECT_EQ(rows[3].Unit, "   mm/day  ");
  EXPECT_EQ(rows[3].Code, 501);
}

TEST(SymbolRows, TitleRowThenSymbolAndDescriptionOfEachCode) {
  const RepClimateFile station = WithCodes({113, 301, 501});
  const std::vector<SymbolRow> rows = SymbolRows(station);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].Symbol, "    Symbol");
  EXPECT_EQ(rows[0].Description, "    Description");
  EXPECT_EQ(rows[1].Symbol, "Tmin   ");
  EXPECT_EQ(rows[1].Description, "minimum air temperature             ");
  EXPECT_EQ(rows[2].Symbol, "u(x)   ");
  EXPECT_EQ(rows[2].Description, "wind speed (x m above soil surface) ");
  EXPECT_EQ(rows[3].Description, "reference crop evapotranspiration   ");
}

}  // namespace
}  // namespace vernoli
