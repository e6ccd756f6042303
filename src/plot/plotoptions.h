// The logic of the plot options form: which series a data set can produce, the defaults of each
// group, the style rule (at most one series of a group as bars), the range controls, and the
// graph description built from the choices.
//
// The form shows a PlotOptions and forwards each click here; it keeps nothing of its own.
//
//   PlotOptions options = ActivatePlotOptions(graph, OfferedSeries(codes), station.Limits);
//   ClickGroup(options, PlotGroup::Temperature);  // the user picks a group
//   ChooseStyle(options, PlotSeries::Tmin, SeriesStyle::Bar);
//   BuildGraph(graph, options, codes);  // "Plot"; Cancel leaves the graph as it was
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/parameters.h"
#include "plot/graph.h"

namespace vernoli {

// Every series the form offers, group by group in the slot order of each group.
enum class PlotSeries : uint8_t {
  Tmean, Tmax, Tmin, Tdew, Tdry, Twet,           // temperature
  RHmean, RHmax, RHmin,                          // relative humidity
  Eact, Esat, Edef,                              // vapour pressure
  Wind,                                          // wind speed
  Sunshine, DaylightHours,                       // sunshine duration
  Ra, Rso, Rs, Rns, Rnl, Rn, LatentHeat,         // energy fluxes
  RelativeSunshine, RelativeRs,                  // relative radiation
  EToPM, EToPen, EToHar, EToMak, EToBC,          // ETo (only Penman-Monteith is shown)
};
inline constexpr int kPlotSeriesCount = 29;

struct PlotSeriesInfo {
  PlotSeries Series;
  PlotGroup Group;
  std::string_view CheckBox;  // objectName of its check box
  std::string_view StyleBox;  // objectName of its style combo box
  std::string_view Caption;   // the check box's caption (before its run of dots)
  bool Hidden;                // a hidden choice (the ETo methods other than Penman-Monteith)
};
const std::array<PlotSeriesInfo, kPlotSeriesCount>& PlotSeriesTable();
const PlotSeriesInfo& InfoOf(PlotSeries series);

struct PlotGroupInfo {
  PlotGroup Group;
  std::string_view Radio;       // objectName of its radio button
  std::string_view Caption;     // the radio button's caption
  std::string_view Box;         // objectName of its group box
  std::string_view BoxTitle;    // the group box's title
  std::string_view Unit;        // the unit label of the axis (Windows-1252)
  int DefaultMaximum;           // the axis maximum on a click of the radio button (0 when fixed)
};
const std::array<PlotGroupInfo, kPlotGroupCount>& PlotGroupTable();
const PlotGroupInfo& InfoOf(PlotGroup group);
// The series of a group, in slot order.
std::span<const PlotSeriesInfo> SeriesOfGroup(PlotGroup group);

// Items of the style boxes.
inline constexpr std::string_view kLineItem = " line";
inline constexpr std::string_view kBarItem = " bar";

// ---------------------------------------------------------------------------------------------
// Offer

using SeriesOffer = std::array<bool, kPlotSeriesCount>;

// The series the data set of these parameter codes can produce.
SeriesOffer OfferedSeries(std::span<const int16_t> codes);
bool Offered(const SeriesOffer& offer, PlotSeries series);
// A group's radio button is enabled when one of its series is offered.
bool GroupOffered(const SeriesOffer& offer, PlotGroup group);

// ---------------------------------------------------------------------------------------------
// The form's state

struct SpinRange {
  int Value = 0;
  int Minimum = 0;
  int Maximum = 0;
};

// The range controls of a group: the temperatures have a lower and an upper bound, relative
// radiation none (0 to 100), every other group an upper bound.
struct GroupRange {
  bool HasMinimum = false;  // SpinEditTmin
  bool HasMaximum = false;
  SpinRange Minimum;
  SpinRange Maximum;
};

struct PlotOptions {
  SeriesOffer Offer{};
  StationLimits Limits;
  std::optional<PlotGroup> Selected;  // the checked radio button; its box is the visible one
  std::array<bool, kPlotSeriesCount> Checked{};
  std::array<SeriesStyle, kPlotSeriesCount> Styles{};
  std::array<GroupRange, kPlotGroupCount> Ranges{};

  bool IsChecked(PlotSeries s) const { return Checked[static_cast<std::size_t>(s)]; }
  SeriesStyle StyleOf(PlotSeries s) const { return Styles[static_cast<std::size_t>(s)]; }
  const GroupRange& RangeOf(PlotGroup g) const { return Ranges[static_cast<std::size_t>(g)]; }
};

// The range controls of a group at their defaults, with the bounds from the station's limits.
GroupRange DefaultRange(PlotGroup group, const StationLimits& limits);

// Opening the form: everything cleared, every style a line, no group selected; then each group
// marked in the graph is selected in turn (with its defaults), its range controls take the
// graph's axis bounds and the graph's series are checked again, as bars where they were drawn
// so. The last marked group stays selected.
PlotOptions ActivatePlotOptions(const GraphDescription& graph, const SeriesOffer& offer,
                                const StationLimits& limits);

// A click on a group's radio button: the group becomes the selected one, all its styles lines,
// its range controls at their defaults, and its default series checked.
void ClickGroup(PlotOptions& options, PlotGroup group);
// Checks or unchecks a series; a series that is not offered cannot be checked, and the wind
// series cannot be unchecked.
void CheckSeries(PlotOptions& options, PlotSeries series, bool checked);
// Sets the style of a series; " bar" turns every other series of its group into a line.
void ChooseStyle(PlotOptions& options, PlotSeries series, SeriesStyle style);
// A range control's new value, kept within its bounds. The temperature bounds stay 5 apart:
// raising the lower one above upper - 5 raises the upper one, lowering the upper one below
// lower + 5 lowers the lower one.
void SetRangeMaximum(PlotOptions& options, PlotGroup group, int value);
void SetTemperatureMinimum(PlotOptions& options, int value);

// The graph from the form's choices ("Plot"): the graph is cleared, the selected group marked,
// its checked series fill the slots in the group's order, each with its style, and a first series
// drawn as a line changes places with the first later one drawn as bars, so that the bars are
// drawn first.
void BuildGraph(GraphDescription& graph, const PlotOptions& options,
                std::span<const int16_t> codes);

// The quantity that a series plots for the data set: its data row when the data set holds the
// quantity itself (in any unit), otherwise the computed quantity.
int QuantityOfSeries(PlotSeries series, std::span<const int16_t> codes);

}  // namespace vernoli
