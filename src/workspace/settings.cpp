#include "workspace/settings.h"

#include <array>

#include "model/checks.h"
#include "model/numbers.h"
#include "model/parameters.h"
#include "model/status.h"
#include "workspace/parameterlist.h"

namespace vernoli {

namespace {

constexpr double kAngstromDefaultA = 0.25;
constexpr double kAngstromDefaultB = 0.5;
// The largest sum of the Angstrom coefficients, and the tolerance of the test against it.
constexpr double kAngstromSumLimit = 0.9;
constexpr double kAngstromSumTest = 0.9001;
// Lowest values the sum rule leaves each coefficient.
constexpr double kAngstromLowestA = 0.05;
constexpr double kAngstromLowestB = 0.25;

// Default wind speed limits, m/sec.
constexpr double kLowestU2 = 0.5;
constexpr double kHighestU2 = 6.0;
constexpr double kDefaultU2 = 2.0;

constexpr std::array<std::string_view, 3> kPsychrometerCaptions = {"Ventilated",
                                                                   "Natural ventilated", "Indoors"};
constexpr std::array<double, 3> kPsychrometerValues = {0.000662, 0.0008, 0.0012};

constexpr std::array<std::string_view, 2> kHumidityCaptions = {"(sub)humid", "(semi)arid"};
constexpr std::array<double, 2> kHumidityValues = {0.0, 2.0};

constexpr std::array<std::string_view, 4> kWindCaptions = {
    "light wind", "light to moderate wind", "moderate to strong wind", "strong wind"};
constexpr std::array<double, 4> kWindValues = {0.5, 2.0, 4.0, 5.5};

int WindCode(const UnitChoice& units) { return kWindBaseCode + units.Wind; }

bool HasDryAndWetBulb(const RepClimateFile& station) {
  return HasQuantity(station, PresenceBox::TdryTwet);
}

// A stored setting changed: the grid is refilled with it.
void MarkChange(SettingOutcome& outcome, bool changed) {
  outcome.Changed = changed;
  outcome.Refill = changed;
}

// The sum rule of the Angstrom coefficients after `typed` (a or b) has been read: the coefficient
// just typed gives way first, down to its lowest value, then the other one.
void ApplyAngstromSumRule(double& typed, double& other, double lowest, SettingOutcome& outcome) {
  if (typed + other <= kAngstromSumTest) return;
  outcome.Messages.push_back(AngstromSumMessage());
  outcome.Refocus = true;
  typed = kAngstromSumLimit - other;
  if (typed < lowest) {
    typed = lowest;
    other = kAngstromSumLimit - typed;
  }
}

}  // namespace

SettingFormat FormatOfSetting(SettingEdit edit, const UnitChoice& units) {
  switch (edit) {
    case SettingEdit::PsychrometerCoefficient:
      return {0.00001, 0.02, 20, 6, 0.0008};
    case SettingEdit::WindHeight:
      return {0.5, 30.0, 6, 1, 2.0};
    case SettingEdit::TminCorrection:
      return {0.0, units.Fahrenheit ? 9.0 : 5.0, 7, 1, 0.0};
    case SettingEdit::DefaultU2: {
      const int code = WindCode(units);
      return {FromStandardUnit(code, kLowestU2), FromStandardUnit(code, kHighestU2), 7, 1,
              FromStandardUnit(code, kDefaultU2)};
    }
    case SettingEdit::HargreavesCoefficient:
      return {0.1, 0.25, 8, 2, 0.16};
    case SettingEdit::AngstromA:
      return {0.01, 0.6, 7, 2, kAngstromDefaultA};
    case SettingEdit::AngstromB:
      return {0.25, 0.9, 7, 2, kAngstromDefaultB};
  }
  return {0.0, 0.0, 0, 0, 0.0};
}

std::string SettingText(const RepClimateFile& station, const UnitChoice& units, SettingEdit edit) {
  const SettingsView view = ViewSettings(station, units);
  switch (edit) {
    case SettingEdit::PsychrometerCoefficient:
      return view.PsychrometerText;
    case SettingEdit::WindHeight:
      return view.WindHeightText;
    case SettingEdit::TminCorrection:
      return view.TminCorrectionText;
    case SettingEdit::DefaultU2:
      return view.U2Text;
    case SettingEdit::HargreavesCoefficient:
      return view.HargreavesText;
    case SettingEdit::AngstromA:
      return view.AngstromAText;
    case SettingEdit::AngstromB:
      return view.AngstromBText;
  }
  return {};
}

std::string AngstromSumMessage() {
  return ErrorText("Sum of Coefficients > " + FormatReal(kAngstromSumLimit, 4, 2));
}

SettingOutcome ReadSetting(RepClimateFile& station, const UnitChoice& units, SettingEdit edit,
                           std::string_view text) {
  // The edit shows the stored value rounded to its decimals (2 m/sec shows as 3.9 knot): reading
  // that text back would change the setting although nothing was typed.
  if (Trimmed(text) == Trimmed(SettingText(station, units, edit))) return {};
  const SettingFormat format = FormatOfSetting(edit, units);
  double typed = 0.0;
  if (!ParseReal(Trimmed(text), typed)) typed = format.Default;
  const RealEntryCheck check =
      CheckRealEntry(typed, format.Minimum, format.Maximum, format.Width, format.Decimals);

  SettingOutcome outcome;
  if (!check.Inside()) {
    outcome.Messages.push_back(check.Message);
    outcome.Refocus = true;
  }
  const double value = check.Value;

  switch (edit) {
    case SettingEdit::PsychrometerCoefficient: {
      const double old = station.PsychrometerCoefficient;
      // The typed coefficient stays only within the class of the button already selected;
      // a coefficient of another class selects that class's button, which stores its own value.
      const Psychrometer selected = PsychrometerClass(old);
      const Psychrometer typedClass = PsychrometerClass(value);
      station.PsychrometerCoefficient =
          typedClass == selected ? value : PsychrometerValue(typedClass);
      outcome.Changed = station.PsychrometerCoefficient != old;
      outcome.Refill = outcome.Changed && HasDryAndWetBulb(station);
      break;
    }
    case SettingEdit::WindHeight: {
      const double old = station.WindHeight;
      station.WindHeight = value;
      outcome.Changed = value != old;
      outcome.RebuildRows = outcome.Changed;
      outcome.Refill = outcome.Changed && HasQuantity(station, PresenceBox::Wind);
      break;
    }
    case SettingEdit::TminCorrection: {
      const double old = station.TdewTminDifference;
      station.TdewTminDifference = units.Fahrenheit ? value * 5.0 / 9.0 : value;
      MarkChange(outcome, station.TdewTminDifference != old);
      break;
    }
    case SettingEdit::DefaultU2: {
      const double old = station.DefaultU2;
      station.DefaultU2 = ToStandardUnit(WindCode(units), value);
      MarkChange(outcome, station.DefaultU2 != old);
      break;
    }
    case SettingEdit::HargreavesCoefficient: {
      const double old = station.HargreavesRsCoefficient;
      station.HargreavesRsCoefficient = value;
      MarkChange(outcome, value != old);
      break;
    }
    case SettingEdit::AngstromA:
    case SettingEdit::AngstromB: {
      CalculationSettings& s = station.Settings;
      const double oldA = s.AngstromA, oldB = s.AngstromB;
      const uint8_t oldOption = station.Flags.ElevationAdjustment;
      const bool isA = edit == SettingEdit::AngstromA;
      // The elevation adjustment holds only with the default pair: any other value clears it.
      const double expected = isA ? kAngstromDefaultA : kAngstromDefaultB;
      if (RoundHalfEven(value * 100.0) != RoundHalfEven(expected * 100.0)) {
        station.Flags.ElevationAdjustment = 0;
      }
      if (isA) {
        s.AngstromA = value;
        ApplyAngstromSumRule(s.AngstromA, s.AngstromB, kAngstromLowestA, outcome);
      } else {
        s.AngstromB = value;
        ApplyAngstromSumRule(s.AngstromB, s.AngstromA, kAngstromLowestB, outcome);
      }
      MarkChange(outcome, s.AngstromA != oldA || s.AngstromB != oldB ||
                              station.Flags.ElevationAdjustment != oldOption);
      break;
    }
  }
  return outcome;
}

// ---------------------------------------------------------------------------------------------
// Radio buttons and class combo boxes

std::string_view PsychrometerCaption(Psychrometer button) {
  return kPsychrometerCaptions[static_cast<std::size_t>(button)];
}

double PsychrometerValue(Psychrometer button) {
  return kPsychrometerValues[static_cast<std::size_t>(button)];
}

Psychrometer PsychrometerClass(double coefficient) {
  if (coefficient <= 0.0007) return Psychrometer::Ventilated;
  if (coefficient <= 0.0009) return Psychrometer::Natural;
  return Psychrometer::Indoors;
}

SettingOutcome SelectPsychrometer(RepClimateFile& station, Psychrometer button) {
  SettingOutcome outcome;
  const double old = station.PsychrometerCoefficient;
  station.PsychrometerCoefficient = PsychrometerValue(button);
  outcome.Changed = station.PsychrometerCoefficient != old;
  outcome.Refill = outcome.Changed && HasDryAndWetBulb(station);
  return outcome;
}

std::string_view HumidityClassCaption(HumidityClass humidity) {
  return kHumidityCaptions[static_cast<std::size_t>(humidity)];
}

HumidityClass HumidityClassOf(double tdewTminDifference) {
  return tdewTminDifference > 1.0 ? HumidityClass::SemiArid : HumidityClass::SubHumid;
}

SettingOutcome SelectHumidityClass(RepClimateFile& station, HumidityClass humidity) {
  SettingOutcome outcome;
  const double old = station.TdewTminDifference;
  station.TdewTminDifference = kHumidityValues[static_cast<std::size_t>(humidity)];
  MarkChange(outcome, station.TdewTminDifference != old);
  return outcome;
}

std::string_view WindSpeedClassCaption(WindSpeedClass wind) {
  return kWindCaptions[static_cast<std::size_t>(wind)];
}

WindSpeedClass WindSpeedClassOf(double defaultU2) {
  if (defaultU2 <= 1.0) return WindSpeedClass::Light;
  if (defaultU2 <= 2.9) return WindSpeedClass::LightToModerate;
  if (defaultU2 <= 4.9) return WindSpeedClass::ModerateToStrong;
  return WindSpeedClass::Strong;
}

SettingOutcome SelectWindSpeedClass(RepClimateFile& station, WindSpeedClass wind) {
  SettingOutcome outcome;
  const double old = station.DefaultU2;
  station.DefaultU2 = kWindValues[static_cast<std::size_t>(wind)];
  MarkChange(outcome, station.DefaultU2 != old);
  return outcome;
}

// ---------------------------------------------------------------------------------------------
// Angstrom box

SettingOutcome SetElevationAdjustment(RepClimateFile& station, bool on) {
  SettingOutcome outcome;
  const RepClimateFile old = station;
  station.Flags.ElevationAdjustment = on ? 1 : 0;
  if (on) {
    station.Settings.AngstromA = kAngstromDefaultA;
    station.Settings.AngstromB = kAngstromDefaultB;
  }
  MarkChange(outcome, station.Flags.ElevationAdjustment != old.Flags.ElevationAdjustment ||
                          station.Settings.AngstromA != old.Settings.AngstromA ||
                          station.Settings.AngstromB != old.Settings.AngstromB);
  return outcome;
}

SettingOutcome AngstromDefaults(RepClimateFile& station) {
  return SetElevationAdjustment(station, true);
}

// ---------------------------------------------------------------------------------------------
// What the page shows

void OpenSettings(RepClimateFile& station) {
  if (station.Flags.ElevationAdjustment != 0) {
    station.Settings.AngstromA = kAngstromDefaultA;
    station.Settings.AngstromB = kAngstromDefaultB;
  }
}

SettingsView ViewSettings(const RepClimateFile& station, const UnitChoice& units) {
  SettingsView view;
  view.PsychrometerText = FormatReal(station.PsychrometerCoefficient, 20, 6);
  view.PsychrometerButton = PsychrometerClass(station.PsychrometerCoefficient);
  view.WindHeightText = FormatReal(station.WindHeight, 6, 1);
  const double tminCorrection =
      units.Fahrenheit ? station.TdewTminDifference * 1.8 : station.TdewTminDifference;
  view.TminCorrectionText = FormatReal(tminCorrection, 7, 1);
  view.TminCorrectionUnit = units.Fahrenheit ? "  [\xB0"
                                               "F]"
                                             : "  [\xB0"
                                               "C]";
  view.Humidity = HumidityClassOf(station.TdewTminDifference);
  view.U2Text = FormatReal(FromStandardUnit(WindCode(units), station.DefaultU2), 7, 1);
  const std::size_t wind =
      units.Wind >= 0 && units.Wind < 4 ? static_cast<std::size_t>(units.Wind) : 0;
  view.U2Unit = " " + std::string(WindUnitItems()[wind]);
  view.WindSpeed = WindSpeedClassOf(station.DefaultU2);
  view.HargreavesText = FormatReal(station.HargreavesRsCoefficient, 8, 2);
  view.AngstromAText = FormatReal(station.Settings.AngstromA, 7, 2);
  view.AngstromBText = FormatReal(station.Settings.AngstromB, 7, 2);
  view.ElevationAdjustment = station.Flags.ElevationAdjustment != 0;
  return view;
}

}  // namespace vernoli
