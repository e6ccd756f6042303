#include "plot/plotoptions.h"

#include <algorithm>
#include <cmath>

#include "engine/equations.h"

namespace vernoli {

namespace {

using S = PlotSeries;
using G = PlotGroup;

constexpr std::array<PlotSeriesInfo, kPlotSeriesCount> kSeries = {{
    {S::Tmean, G::Temperature, "CheckBoxTmean", "CBoxT1", "Mean air temperature (Tmean)", false},
    {S::Tmax, G::Temperature, "CheckBoxTmax", "CBoxT2", "Maximum air temperature (Tmax)", false},
    {S::Tmin, G::Temperature, "CheckBoxTmin", "CBoxT3", "Minimum air temperature (Tmin)", false},
    {S::Tdew, G::Temperature, "CheckBoxTdew", "CBoxT4", "Dewpoint temperature (Tdew)", false},
    {S::Tdry, G::Temperature, "CheckBoxTdry", "CBoxT5", "Temperature of dry bulb (Tdry)", false},
    {S::Twet, G::Temperature, "CheckBoxTwet", "CBoxT6", "Temperature of wet bulb (Twet)", false},
    {S::RHmean, G::RelativeHumidity, "CheckBoxRHmean", "CBoxRH1",
     "Mean relative humidity (RHmean)", false},
    {S::RHmax, G::RelativeHumidity, "CheckBoxRHmax", "CBoxRH2",
     "Maximum relative humidity (RHmax)", false},
    {S::RHmin, G::RelativeHumidity, "CheckBoxRHmin", "CBoxRH3",
     "Minimum relative humidity (RHmin)", false},
    {S::Eact, G::VapourPressure, "CheckBoxEa", "CboxE1", "Actual vapour pressure (e(act))", false},
    {S::Esat, G::VapourPressure, "CheckBoxEs", "CBoxE2", "Saturation vapour pressure (e(s))",
     false},
    {S::Edef, G::VapourPressure, "CheckBoxEdif", "CBoxE3",
     "Vapour pressure deficit ( e(s) - e(act) ", false},
    {S::Wind, G::Wind, "CheckBoxU", "CBoxU", "Wind speed", false},
    {S::Sunshine, G::Sunshine, "CheckBoxn", "CBoxN1", "Actual duration of sunshine in a day (n)",
     false},
    {S::DaylightHours, G::Sunshine, "CheckBoxNmax", "CBoxN2",
     "Maximum possible duration of sunshine hours (daylight hours) (N)", false},
    {S::Ra, G::EnergyFluxes, "CheckBoxRa", "CBoxR1", "Extraterrestrial radiation (Ra)", false},
    {S::Rso, G::EnergyFluxes, "CheckBoxRso", "CBoxR2", "Clear-sky solar radiation (Rso)", false},
    {S::Rs, G::EnergyFluxes, "CheckBoxRs", "CBoxR3", "Solar or shortwave radiation (Rs)", false},
    {S::Rns, G::EnergyFluxes, "CheckBoxRns", "CBoxR4", "Net solar radiation (Rns)", false},
    {S::Rnl, G::EnergyFluxes, "CheckBoxRnl", "CBoxR5", "Net longwave radiation (Rnl)", false},
    {S::Rn, G::EnergyFluxes, "CheckBoxRn", "CBoxR6", "Net radiation (Rn)", false},
    {S::LatentHeat, G::EnergyFluxes, "CheckBoxLET", "CBoxR7", "Latent heat flux ( L(ET) )", false},
    {S::RelativeSunshine, G::RelativeRadiation, "CheckBoxnN", "CBoxRR1",
     "Relative sunshine duration (n/N)", false},
    {S::RelativeRs, G::RelativeRadiation, "CheckBoxRRatio", "CBoxRR2",
     "Relative shortwave radiation (Rs/Rso)", false},
    {S::EToPM, G::ETo, "CheckBoxPM", "CBoxET1", "TIV Penman-Monteith method", false},
    {S::EToPen, G::ETo, "CheckBoxP", "CBoxET2", "TIV modified Penman method", true},
    {S::EToHar, G::ETo, "CheckBoxH", "CBoxET3", "Hargreaves method", true},
    {S::EToMak, G::ETo, "CheckBoxM", "CBoxET4", "TIV Makkink radiation method", true},
    {S::EToBC, G::ETo, "CheckBoxBC", "CBoxET5", "TIV Blaney-Criddle method", true},
}};

constexpr std::array<PlotGroupInfo, kPlotGroupCount> kGroups = {{
    {G::Temperature, "RadioTemp", "Temperature", "TempGroupBox", " Temperatures ", "\xB0" "C", 40},
    {G::RelativeHumidity, "RadioRH", "Relative Humidity", "RHGroupBox", " Relative Humidities ",
     "%", 100},
    {G::VapourPressure, "RadioE", "Vapour pressure", "EGroupBox", " Vapour pressures ", "kPa", 5},
    {G::Wind, "RadioU", "Wind speed (u)", "UGroupBox", " Wind speed ", "m/sec", 5},
    {G::Sunshine, "RadioN", "Sunshine duration", "NGroupBox", " Sunshine duration ", "hour/day",
     20},
    {G::EnergyFluxes, "RadioR", "Energy fluxes", "RGroupBox", " Energy fluxes ", "MJ/m2.day", 45},
    {G::RelativeRadiation, "RadioRelR", "Relative radiation", "RelRGroupBox",
     " Relative radiation ", "%", 0},
    {G::ETo, "RadioETo", "Reference evapotranspiration (ETo)", "EToGroupBox",
     " Reference evapotranspiration ", "mm/day", 8},
}};

// The default temperature axis.
constexpr int kTemperatureMinimum = -10;
// The temperature bounds stay this far apart, and this far inside the station's limits.
constexpr int kTemperatureGap = 5;
constexpr int kRelativeMaximum = 100;

// Where a series takes its value: its data row (0: none) when the data set holds one of the codes
// first..last (any code when first is 0), else its computed quantity (0: none).
struct SeriesSource {
  int DataRow;
  int FirstCode, LastCode;
  int Computed;
};

constexpr std::array<SeriesSource, kPlotSeriesCount> kSources = {{
    {Row::Tmean, 102, 112, Quantity::TmeanStar},  // 102 or 112: see HoldsCode
    {Row::Tmax, 0, 0, 0},
    {Row::Tmin, 0, 0, 0},
    {Row::Tdew, 210, 211, Quantity::TdewStar},
    {Row::Tdry, 0, 0, 0},
    {Row::Twet, 0, 0, 0},
    {Row::RHmean, 202, 202, Quantity::RHmeanStar},
    {Row::RHmax, 0, 0, 0},
    {Row::RHmin, 0, 0, 0},
    {Row::Eact, 221, 225, Quantity::EactStar},
    {0, 0, 0, Quantity::Esat},
    {0, 0, 0, Quantity::Edef},
    {Row::Wind, 301, 304, Quantity::U2Star},
    {Row::Sunshine, 401, 401, Quantity::SunshineStar},
    {0, 0, 0, Quantity::DaylightHours},
    {0, 0, 0, Quantity::Ra},
    {0, 0, 0, Quantity::Rso},
    {Row::Rs, 421, 425, Quantity::RsStar},
    {0, 0, 0, Quantity::Rns},
    {0, 0, 0, Quantity::Rnl},
    {Row::Rn, 431, 435, Quantity::RnStar},
    {0, 0, 0, Quantity::LatentHeat},
    {0, 0, 0, Quantity::RelativeSunshine},
    {0, 0, 0, Quantity::RelativeRs},
    {0, 0, 0, Quantity::EToPM},
    {0, 0, 0, Quantity::EToPen},
    {0, 0, 0, Quantity::EToHar},
    {0, 0, 0, Quantity::EToMak},
    {0, 0, 0, Quantity::EToBC},
}};

std::size_t Index(PlotSeries s) { return static_cast<std::size_t>(s); }
std::size_t Index(PlotGroup g) { return static_cast<std::size_t>(g); }

bool Has(std::span<const int16_t> codes, int first, int last) {
  return std::any_of(codes.begin(), codes.end(),
                     [&](int16_t c) { return c >= first && c <= last; });
}
bool Has(std::span<const int16_t> codes, int code) { return Has(codes, code, code); }

// True when the data set holds the quantity of the source itself.
bool HoldsCode(std::span<const int16_t> codes, const SeriesSource& source) {
  if (source.FirstCode == 102) return Has(codes, 102) || Has(codes, 112);
  return Has(codes, source.FirstCode, source.LastCode);
}

SpinRange Spin(int value, int minimum, int maximum) {
  maximum = std::max(maximum, minimum);
  return {std::clamp(value, minimum, maximum), minimum, maximum};
}

void SetSpin(SpinRange& spin, int value) { spin.Value = std::clamp(value, spin.Minimum, spin.Maximum); }

void Check(PlotOptions& options, PlotSeries s, SeriesStyle style = SeriesStyle::Line) {
  if (!Offered(options.Offer, s)) return;
  options.Checked[Index(s)] = true;
  options.Styles[Index(s)] = style;
}

// The series of a group that plots `quantity`, if any.
std::optional<PlotSeries> SeriesOfQuantity(PlotGroup group, int quantity) {
  for (const PlotSeriesInfo& info : SeriesOfGroup(group)) {
    const SeriesSource& source = kSources[Index(info.Series)];
    if (quantity != Quantity::None &&
        (quantity == source.DataRow || quantity == source.Computed)) {
      return info.Series;
    }
  }
  return std::nullopt;
}

}  // namespace

const std::array<PlotSeriesInfo, kPlotSeriesCount>& PlotSeriesTable() { return kSeries; }
const PlotSeriesInfo& InfoOf(PlotSeries series) { return kSeries[Index(series)]; }
const std::array<PlotGroupInfo, kPlotGroupCount>& PlotGroupTable() { return kGroups; }
const PlotGroupInfo& InfoOf(PlotGroup group) { return kGroups[Index(group)]; }

std::span<const PlotSeriesInfo> SeriesOfGroup(PlotGroup group) {
  const auto first = std::find_if(kSeries.begin(), kSeries.end(),
                                  [&](const PlotSeriesInfo& s) { return s.Group == group; });
  const auto last = std::find_if(first, kSeries.end(),
                                 [&](const PlotSeriesInfo& s) { return s.Group != group; });
  return {first, last};
}

// ---------------------------------------------------------------------------------------------
// Offer

SeriesOffer OfferedSeries(std::span<const int16_t> codes) {
  SeriesOffer o{};
  auto set = [&](PlotSeries s, bool on) { o[Index(s)] = on; };
  auto is = [&](PlotSeries s) { return o[Index(s)]; };

  set(S::Tmax, Has(codes, 101) || Has(codes, 111));
  set(S::Tmin, Has(codes, 103) || Has(codes, 113));
  set(S::Tdry, Has(codes, 231) || Has(codes, 233));
  set(S::Twet, Has(codes, 232) || Has(codes, 234));
  set(S::RHmax, Has(codes, 201));
  set(S::RHmin, Has(codes, 203));
  const bool extremes = is(S::Tmax) && is(S::Tmin);
  set(S::Tmean, Has(codes, 102) || Has(codes, 112) || extremes);
  const bool rhMean = Has(codes, 202) || (is(S::RHmax) && is(S::RHmin));
  set(S::Eact, is(S::Tmin) || Has(codes, 210) || Has(codes, 211) || Has(codes, 221, 225) ||
                   (is(S::Tdry) && is(S::Twet)) || (is(S::Tmean) && rhMean));
  set(S::Esat, is(S::Tmean));
  set(S::Edef, is(S::Eact) && is(S::Esat));
  set(S::Tdew, is(S::Eact));
  set(S::RHmean, rhMean || (is(S::Eact) && is(S::Esat)));
  for (PlotSeries s : {S::Wind, S::DaylightHours, S::Ra, S::Rso, S::EToPM, S::EToPen, S::EToHar,
                       S::EToMak, S::EToBC}) {
    set(s, true);
  }
  set(S::Rs, Has(codes, 421, 425) || extremes);
  set(S::Rns, is(S::Rs));
  set(S::Rnl, extremes);
  set(S::Rn, Has(codes, 431, 435) || extremes);
  set(S::LatentHeat, is(S::Rn));
  set(S::Sunshine, Has(codes, 401) || is(S::Rs));
  set(S::RelativeSunshine, is(S::Sunshine));
  set(S::RelativeRs, is(S::Rs));
  return o;
}

bool Offered(const SeriesOffer& offer, PlotSeries series) { return offer[Index(series)]; }

bool GroupOffered(const SeriesOffer& offer, PlotGroup group) {
  const std::span<const PlotSeriesInfo> series = SeriesOfGroup(group);
  return std::any_of(series.begin(), series.end(),
                     [&](const PlotSeriesInfo& s) { return Offered(offer, s.Series); });
}

// ---------------------------------------------------------------------------------------------
// The form's state

GroupRange DefaultRange(PlotGroup group, const StationLimits& limits) {
  GroupRange range;
  switch (group) {
    case G::Temperature:
      range.HasMinimum = range.HasMaximum = true;
      range.Minimum = Spin(kTemperatureMinimum, limits.LimitTmin - kTemperatureGap,
                           limits.LimitTmax - kTemperatureGap);
      range.Maximum = Spin(InfoOf(group).DefaultMaximum, limits.LimitTmin + kTemperatureGap,
                           limits.LimitTmax + kTemperatureGap);
      break;
    case G::RelativeHumidity: range.HasMaximum = true; range.Maximum = Spin(100, 10, 100); break;
    case G::VapourPressure: {
      range.HasMaximum = true;
      const auto top = static_cast<int>(std::lround(SaturationVapourPressure(limits.LimitTmax)));
      range.Maximum = Spin(5, 3, top + 1);
      break;
    }
    case G::Wind: range.HasMaximum = true; range.Maximum = Spin(5, 2, limits.LimitWind + 1); break;
    case G::Sunshine: range.HasMaximum = true; range.Maximum = Spin(20, 2, 24); break;
    case G::EnergyFluxes: range.HasMaximum = true; range.Maximum = Spin(45, 10, 50); break;
    case G::RelativeRadiation: break;
    case G::ETo: range.HasMaximum = true; range.Maximum = Spin(8, 2, 20); break;
  }
  return range;
}

PlotOptions ActivatePlotOptions(const GraphDescription& graph, const SeriesOffer& offer,
                                const StationLimits& limits) {
  PlotOptions options;
  options.Offer = offer;
  options.Limits = limits;
  for (int g = 0; g < kPlotGroupCount; ++g) {
    options.Ranges[static_cast<std::size_t>(g)] = DefaultRange(static_cast<PlotGroup>(g), limits);
  }
  for (int g = 0; g < kPlotGroupCount; ++g) {
    if (!graph.Groups[static_cast<std::size_t>(g)]) continue;
    const auto group = static_cast<PlotGroup>(g);
    if (!GroupOffered(offer, group)) continue;
    ClickGroup(options, group);
    GroupRange& range = options.Ranges[Index(group)];
    if (range.HasMinimum) SetSpin(range.Minimum, graph.AxisMinimum);
    if (range.HasMaximum) SetSpin(range.Maximum, graph.AxisMaximum);
    const int count = std::clamp(graph.SeriesCount, 0, kGraphSlots);
    for (int s = 0; s < count; ++s) {
      const GraphSeries& entry = graph.Series[static_cast<std::size_t>(s)];
      if (const auto series = SeriesOfQuantity(group, entry.Quantity)) {
        Check(options, *series, entry.Style);
      }
    }
  }
  return options;
}

void ClickGroup(PlotOptions& options, PlotGroup group) {
  options.Selected = group;
  for (const PlotSeriesInfo& info : SeriesOfGroup(group)) {
    options.Checked[Index(info.Series)] = false;
    options.Styles[Index(info.Series)] = SeriesStyle::Line;
  }
  options.Ranges[Index(group)] = DefaultRange(group, options.Limits);
  const SeriesOffer& o = options.Offer;
  const SeriesStyle bar = SeriesStyle::Bar;
  switch (group) {
    case G::Temperature:
      if (Offered(o, S::Tmax)) {
        Check(options, S::Tmax);
        Check(options, S::Tmin);
      } else {
        Check(options, S::Tmean, bar);
      }
      break;
    case G::RelativeHumidity:
      if (Offered(o, S::RHmax)) {
        Check(options, S::RHmax);
        Check(options, S::RHmin);
      }
      Check(options, S::RHmean, bar);
      break;
    case G::VapourPressure:
      Check(options, S::Eact);
      Check(options, S::Esat, bar);
      break;
    case G::Wind: Check(options, S::Wind, bar); break;
    case G::Sunshine:
      Check(options, S::Sunshine);
      Check(options, S::DaylightHours, bar);
      break;
    case G::EnergyFluxes:
      Check(options, S::Ra, bar);
      Check(options, S::Rs);
      Check(options, S::Rnl);
      break;
    case G::RelativeRadiation:
      Check(options, S::RelativeSunshine, bar);
      Check(options, S::RelativeRs);
      break;
    case G::ETo: Check(options, S::EToPM, bar); break;
  }
}

void CheckSeries(PlotOptions& options, PlotSeries series, bool checked) {
  if (checked) {
    if (Offered(options.Offer, series)) options.Checked[Index(series)] = true;
    return;
  }
  if (series == S::Wind) return;  // the wind group always shows the wind
  options.Checked[Index(series)] = false;
}

void ChooseStyle(PlotOptions& options, PlotSeries series, SeriesStyle style) {
  if (!Offered(options.Offer, series)) return;
  if (style == SeriesStyle::Bar) {
    for (const PlotSeriesInfo& info : SeriesOfGroup(InfoOf(series).Group)) {
      options.Styles[Index(info.Series)] = SeriesStyle::Line;
    }
  }
  options.Styles[Index(series)] = style;
}

void SetRangeMaximum(PlotOptions& options, PlotGroup group, int value) {
  GroupRange& range = options.Ranges[Index(group)];
  if (!range.HasMaximum) return;
  SetSpin(range.Maximum, value);
  if (range.HasMinimum && range.Maximum.Value < range.Minimum.Value + kTemperatureGap) {
    SetSpin(range.Minimum, range.Maximum.Value - kTemperatureGap);
  }
}

void SetTemperatureMinimum(PlotOptions& options, int value) {
  GroupRange& range = options.Ranges[Index(G::Temperature)];
  SetSpin(range.Minimum, value);
  if (range.Minimum.Value > range.Maximum.Value - kTemperatureGap) {
    SetSpin(range.Maximum, range.Minimum.Value + kTemperatureGap);
  }
}

int QuantityOfSeries(PlotSeries series, std::span<const int16_t> codes) {
  const SeriesSource& source = kSources[Index(series)];
  if (source.DataRow != 0 && (source.FirstCode == 0 || HoldsCode(codes, source))) {
    return source.DataRow;
  }
  return source.Computed;
}

void BuildGraph(GraphDescription& graph, const PlotOptions& options,
                std::span<const int16_t> codes) {
  ClearGraph(graph);
  if (!options.Selected) return;
  const PlotGroup group = *options.Selected;
  graph.Groups[Index(group)] = true;

  // The checked series in the group's order: the empty slots between them are closed up.
  for (const PlotSeriesInfo& info : SeriesOfGroup(group)) {
    if (!options.IsChecked(info.Series) || graph.SeriesCount >= kGraphSlots) continue;
    GraphSeries& series = graph.Series[static_cast<std::size_t>(graph.SeriesCount++)];
    SetSeriesQuantity(series, QuantityOfSeries(info.Series, codes));
    series.Style = options.StyleOf(info.Series);
  }

  const GroupRange& range = options.RangeOf(group);
  graph.AxisMinimum = range.HasMinimum ? range.Minimum.Value : 0;
  graph.AxisMaximum = range.HasMaximum ? range.Maximum.Value : kRelativeMaximum;
  graph.Unit = std::string(InfoOf(group).Unit);

  // Bars first: the lines are drawn over them.
  if (graph.SeriesCount > 1 && graph.Series[0].Style == SeriesStyle::Line) {
    for (int s = 1; s < graph.SeriesCount; ++s) {
      auto& later = graph.Series[static_cast<std::size_t>(s)];
      if (later.Style == SeriesStyle::Bar) {
        std::swap(graph.Series[0], later);
        break;
      }
    }
  }
}

}  // namespace vernoli
