#include "plot/plotoptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace vernoli {
namespace {

using S = PlotSeries;
using G = PlotGroup;

std::vector<S> OfferedOf(const std::vector<int16_t>& codes) {
  const SeriesOffer offer = OfferedSeries(codes);
  std::vector<S> offered;
  for (int s = 0; s < kPlotSeriesCount; ++s) {
    if (offer[static_cast<std::size_t>(s)]) offered.push_back(static_cast<S>(s));
  }
  return offered;
}

// Offered whatever the data set holds.
const std::vector<S> kAlways = {S::Wind, S::DaylightHours, S::Ra, S::Rso, S::EToPM,
                                S::EToPen, S::EToHar, S::EToMak, S::EToBC};

std::vector<S> WithAlways(std::vector<S> series) {
  series.insert(series.end(), kAlways.begin(), kAlways.end());
  std::sort(series.begin(), series.end());
  return series;
}

// ---------------------------------------------------------------------------------------------
// Offer

TEST(PlotOffer, WhatEachDataSetCanProduce) {
  struct Case {
    const char* name;
    std::vector<int16_t> codes;
    std::vector<S> offered;
  } cases[] = {
      {"nothing but ETo", {501}, WithAlways({})},
      {"Tmax and Tmin only",
       {101, 103, 501},
       WithAlways({S::Tmean, S::Tmax, S::Tmin, S::Tdew, S::RHmean, S::Eact, S::Esat, S::Edef,
                   S::Sunshine, S::Rs, S::Rns, S::Rnl, S::Rn, S::LatentHeat,
                   S::RelativeSunshine, S::RelativeRs})},
      {"RHmax and RHmin without temperature", {201, 203, 501}, WithAlways({S::RHmean, S::RHmax, S::RHmin})},
      {"dry and wet bulb in degF", {233, 234, 501}, WithAlways({S::Tdew, S::Tdry, S::Twet, S::Eact})},
      {"Tmean and RHmean", {112, 202}, WithAlways({S::Tmean, S::Tdew, S::RHmean, S::Eact, S::Esat, S::Edef})},
      {"Rs in W/m2 and net radiation", {422, 435},
       WithAlways({S::Sunshine, S::Rs, S::Rns, S::Rn, S::LatentHeat, S::RelativeSunshine, S::RelativeRs})},
      {"sunshine hours", {401}, WithAlways({S::Sunshine, S::RelativeSunshine})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(OfferedOf(c.codes), c.offered);
  }
  const SeriesOffer none = OfferedSeries(std::vector<int16_t>{501});
  for (G g : {G::Temperature, G::RelativeHumidity, G::VapourPressure, G::RelativeRadiation}) {
    EXPECT_FALSE(GroupOffered(none, g));
  }
  for (G g : {G::Wind, G::Sunshine, G::EnergyFluxes, G::ETo}) EXPECT_TRUE(GroupOffered(none, g));
}

// ---------------------------------------------------------------------------------------------
// Defaults, styles and ranges

std::vector<std::pair<S, SeriesStyle>> CheckedOf(const PlotOptions& options) {
  std::vector<std::pair<S, SeriesStyle>> checked;
  for (int s = 0; s < kPlotSeriesCount; ++s) {
    if (options.IsChecked(static_cast<S>(s))) {
      checked.emplace_back(static_cast<S>(s), options.StyleOf(static_cast<S>(s)));
    }
  }
  return checked;
}

TEST(PlotOptions, DefaultsOfEachGroup) {
  constexpr SeriesStyle L = SeriesStyle::Line, B = SeriesStyle::Bar;
  const std::vector<int16_t> full = {101, 103, 201, 203, 301, 401, 501};
  const std::vector<int16_t> meanOnly = {102, 202, 501};
  struct Case {
    const char* name;
    const std::vector<int16_t>* codes;
    G group;
    std::vector<std::pair<S, SeriesStyle>> checked;
  } cases[] = {
      {"temperature extremes", &full, G::Temperature, {{S::Tmax, L}, {S::Tmin, L}}},
      {"temperature mean as bars", &meanOnly, G::Temperature, {{S::Tmean, B}}},
      {"humidity", &full, G::RelativeHumidity, {{S::RHmean, B}, {S::RHmax, L}, {S::RHmin, L}}},
      {"humidity mean only", &meanOnly, G::RelativeHumidity, {{S::RHmean, B}}},
      {"vapour pressure", &meanOnly, G::VapourPressure, {{S::Eact, L}, {S::Esat, B}}},
      {"wind", &meanOnly, G::Wind, {{S::Wind, B}}},
      {"sunshine", &full, G::Sunshine, {{S::Sunshine, L}, {S::DaylightHours, B}}},
      {"energy fluxes", &full, G::EnergyFluxes, {{S::Ra, B}, {S::Rs, L}, {S::Rnl, L}}},
      {"energy fluxes without temperatures", &meanOnly, G::EnergyFluxes, {{S::Ra, B}}},
      {"relative radiation", &full, G::RelativeRadiation,
       {{S::RelativeSunshine, B}, {S::RelativeRs, L}}},
      {"ETo", &meanOnly, G::ETo, {{S::EToPM, B}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlotOptions options = ActivatePlotOptions(GraphDescription{}, OfferedSeries(*c.codes), {});
    EXPECT_FALSE(options.Selected.has_value());
    ClickGroup(options, c.group);
    EXPECT_EQ(options.Selected, c.group);
    EXPECT_EQ(CheckedOf(options), c.checked);
  }
}

TEST(PlotOptions, RangeControlsAndTheirBounds) {
  StationLimits limits;  // -15, 45, 15, 8
  const GroupRange t = DefaultRange(G::Temperature, limits);
  EXPECT_EQ(t.Minimum.Value, -10);
  EXPECT_EQ(t.Minimum.Minimum, -20);
  EXPECT_EQ(t.Minimum.Maximum, 40);
  EXPECT_EQ(t.Maximum.Value, 40);
  EXPECT_EQ(t.Maximum.Minimum, -10);
  EXPECT_EQ(t.Maximum.Maximum, 50);
  EXPECT_EQ(DefaultRange(G::VapourPressure, limits).Maximum.Maximum, 11);  // round(e(45)) + 1
  EXPECT_EQ(DefaultRange(G::Wind, limits).Maximum.Maximum, 9);
  EXPECT_FALSE(DefaultRange(G::RelativeRadiation, limits).HasMaximum);
  // Limits that leave no room keep the bounds in order and the value within them.
  limits.LimitTmax = 5;
  const GroupRange e = DefaultRange(G::VapourPressure, limits);
  EXPECT_EQ(e.Maximum.Minimum, 3);
  EXPECT_EQ(e.Maximum.Maximum, 3);
  EXPECT_EQ(e.Maximum.Value, 3);

  PlotOptions options = ActivatePlotOptions(GraphDescription{}, OfferedSeries({}), StationLimits{});
  ClickGroup(options, G::Temperature);
  SetTemperatureMinimum(options, 38);  // above 40 - 5: the maximum follows
  EXPECT_EQ(options.RangeOf(G::Temperature).Maximum.Value, 43);
  SetRangeMaximum(options, G::Temperature, 0);  // below 38 + 5: the minimum follows
  EXPECT_EQ(options.RangeOf(G::Temperature).Minimum.Value, -5);
  SetRangeMaximum(options, G::ETo, 99);
  EXPECT_EQ(options.RangeOf(G::ETo).Maximum.Value, 20);
}

TEST(PlotOptions, OneBarPerGroupAndTheBarsDrawnFirst) {
  const std::vector<int16_t> codes = {101, 102, 103, 501};
  PlotOptions options = ActivatePlotOptions(GraphDescription{}, OfferedSeries(codes), {});
  ClickGroup(options, G::Temperature);
  CheckSeries(options, S::Tmean, true);
  ChooseStyle(options, S::Tmean, SeriesStyle::Bar);
  ChooseStyle(options, S::Tmin, SeriesStyle::Bar);
  EXPECT_EQ(options.StyleOf(S::Tmean), SeriesStyle::Line);
  CheckSeries(options, S::Twet, true);  // not offered
  EXPECT_FALSE(options.IsChecked(S::Twet));

  GraphDescription graph;
  BuildGraph(graph, options, codes);
  ASSERT_EQ(graph.SeriesCount, 3);
  EXPECT_EQ(graph.Series[0].Quantity, Row::Tmin);
  EXPECT_EQ(graph.Series[0].Style, SeriesStyle::Bar);
  EXPECT_EQ(graph.Series[1].Quantity, Row::Tmax);
  EXPECT_EQ(graph.Series[2].Quantity, Row::Tmean);
  EXPECT_EQ(graph.Series[2].Symbol, "Tmean  ");
  EXPECT_EQ(graph.AxisMinimum, -10);
  EXPECT_EQ(graph.AxisMaximum, 40);
  EXPECT_EQ(graph.Unit, "\xB0" "C");
  EXPECT_EQ(GraphTitle(graph), "Temperature");
}

TEST(PlotOptions, QuantityOfEachSeries) {
  // The data row when the data set holds the quantity in any unit, else the computed one.
  const std::vector<int16_t> measured = {112, 211, 202, 222, 303, 401, 424, 432, 501};
  const std::vector<int16_t> none = {501};
  struct Case {
    S series;
    int measured, estimated;
  } cases[] = {
      {S::Tmean, Row::Tmean, Quantity::TmeanStar},  {S::Tdew, Row::Tdew, Quantity::TdewStar},
      {S::RHmean, Row::RHmean, Quantity::RHmeanStar}, {S::Eact, Row::Eact, Quantity::EactStar},
      {S::Wind, Row::Wind, Quantity::U2Star},       {S::Sunshine, Row::Sunshine, Quantity::SunshineStar},
      {S::Rs, Row::Rs, Quantity::RsStar},           {S::Rn, Row::Rn, Quantity::RnStar},
      {S::Tmax, Row::Tmax, Row::Tmax},              {S::EToMak, Quantity::EToMak, Quantity::EToMak},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(InfoOf(c.series).CheckBox);
    EXPECT_EQ(QuantityOfSeries(c.series, measured), c.measured);
    EXPECT_EQ(QuantityOfSeries(c.series, none), c.estimated);
  }
}

// ---------------------------------------------------------------------------------------------
// Opening on the graph shown, and Cancel

TEST(PlotOptions, PlotAfterTheHargreavesDefaultGraph) {
  GraphDescription graph;
  DefaultEToGraph(graph, 2);
  const std::vector<int16_t> codes = {101, 103, 501};
  const PlotOptions options = ActivatePlotOptions(graph, OfferedSeries(codes), {});
  EXPECT_EQ(options.Selected, G::ETo);
  EXPECT_TRUE(options.IsChecked(S::EToHar));
  BuildGraph(graph, options, codes);
  ASSERT_EQ(graph.SeriesCount, 2);
  EXPECT_EQ(graph.Series[0].Quantity, Quantity::EToPM);
  EXPECT_EQ(graph.Series[0].Style, SeriesStyle::Bar);
  EXPECT_EQ(graph.Series[1].Quantity, Quantity::EToHar);  // slot 2: always a (black) line
}

TEST(PlotOptions, OpeningRestoresEveryMarkedGroupInOrder) {
  const std::vector<int16_t> codes = {101, 103, 201, 203, 501};
  GraphDescription graph;
  graph.Groups[static_cast<std::size_t>(G::Temperature)] = true;
  graph.Groups[static_cast<std::size_t>(G::RelativeHumidity)] = true;
  SetSeriesQuantity(graph.Series[0], Row::RHmin);
  graph.SeriesCount = 1;
  graph.AxisMinimum = 0;
  graph.AxisMaximum = 60;
  PlotOptions options = ActivatePlotOptions(graph, OfferedSeries(codes), {});
  EXPECT_EQ(options.Selected, G::RelativeHumidity);  // the last marked group
  EXPECT_EQ(options.RangeOf(G::RelativeHumidity).Maximum.Value, 60);
  EXPECT_TRUE(options.IsChecked(S::RHmin));
  EXPECT_TRUE(options.IsChecked(S::Tmax));  // the earlier group was clicked with its defaults

  ClickGroup(options, G::EnergyFluxes);
  for (const PlotSeriesInfo& info : SeriesOfGroup(G::EnergyFluxes)) {
    CheckSeries(options, info.Series, true);
  }
  BuildGraph(graph, options, codes);  // the earlier marks are cleared
  EXPECT_FALSE(graph.Marked(G::Temperature));
  EXPECT_TRUE(graph.Marked(G::EnergyFluxes));
  EXPECT_EQ(graph.SeriesCount, 7);
  EXPECT_EQ(graph.Series[0].Quantity, Quantity::Ra);
  EXPECT_EQ(graph.Series[0].Style, SeriesStyle::Bar);
  EXPECT_EQ(graph.Series[6].Quantity, Quantity::LatentHeat);
  EXPECT_EQ(graph.AxisMinimum, 0);
  EXPECT_EQ(graph.AxisMaximum, 45);
  EXPECT_EQ(graph.Unit, "MJ/m2.day");
}

}  // namespace
}  // namespace vernoli
