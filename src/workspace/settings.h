// The station's calculation settings as the description page of the workspace shows and edits
// them: the range-checked edits, the class combo boxes that set an estimate at once, the
// psychrometer radio buttons with their class rule, and the Angstrom coefficients with the sum
// rule and the elevation adjustment.
//
// Every function works on a station description (the workspace's working copy) and tells the
// caller what the page must do next: show messages, give the edit the focus back, rebuild the
// grid's parameter rows, refill the grid. Texts are Windows-1252 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/station.h"
#include "workspace/units.h"

namespace vernoli {

// ---------------------------------------------------------------------------------------------
// The edits

enum class SettingEdit : uint8_t {
  PsychrometerCoefficient,  // EditCoeffaPsy, 1/degC
  WindHeight,               // EditHeightU, m
  TminCorrection,           // EditTminCorr, shown in the temperature unit
  DefaultU2,                // EditU2, shown in the wind unit
  HargreavesCoefficient,    // EditKRs
  AngstromA,                // EditAngA
  AngstromB,                // EditAngB
};

// The range, the width and decimals, and the value used for text that is no number; all in the
// unit the edit shows.
struct SettingFormat {
  double Minimum;
  double Maximum;
  int Width;
  int Decimals;
  double Default;
};
SettingFormat FormatOfSetting(SettingEdit edit, const UnitChoice& units);

// What the page does after a change.
struct SettingOutcome {
  std::vector<std::string> Messages;  // to show one after the other ("ERROR:\n" + reason)
  bool Refocus = false;               // the edit just read takes the focus back
  bool Changed = false;               // a stored setting changed
  bool RebuildRows = false;           // the parameter rows' titles change
  bool Refill = false;                // write the visible records back, then refill the grid
};

// Reads the text of an edit into the station: trimmed and parsed as a real (text that is no number
// gives the edit's default), forced into the edit's range with the program's message, converted to
// the stored unit. Then the edit's own rules: the psychrometer class rule, the elevation option of
// the Angstrom coefficients and their sum rule. Only a setting that changed asks for a refill.
// An edit left with the text it shows (SettingText, blanks aside) changes nothing.
SettingOutcome ReadSetting(RepClimateFile& station, const UnitChoice& units, SettingEdit edit,
                           std::string_view text);

// The text an edit shows for the station's setting, as ViewSettings writes it.
std::string SettingText(const RepClimateFile& station, const UnitChoice& units, SettingEdit edit);

// The message of an Angstrom pair whose sum is above 0.9.
std::string AngstromSumMessage();

// ---------------------------------------------------------------------------------------------
// Radio buttons and class combo boxes

enum class Psychrometer : uint8_t { Ventilated, Natural, Indoors };
std::string_view PsychrometerCaption(Psychrometer button);  // "Ventilated", ...
double PsychrometerValue(Psychrometer button);              // 0.000662, 0.0008, 0.0012
// The button of a coefficient's class: Ventilated up to 0.0007, Natural up to 0.0009.
Psychrometer PsychrometerClass(double coefficient);
// A button that becomes selected stores its coefficient.
SettingOutcome SelectPsychrometer(RepClimateFile& station, Psychrometer button);

// HumClassComboBox.
enum class HumidityClass : uint8_t { SubHumid, SemiArid };
std::string_view HumidityClassCaption(HumidityClass humidity);  // "(sub)humid", "(semi)arid"
// "(semi)arid" above 1 degC, else "(sub)humid".
HumidityClass HumidityClassOf(double tdewTminDifference);
// Stores 0 or 2 degC.
SettingOutcome SelectHumidityClass(RepClimateFile& station, HumidityClass humidity);

// UClassComboBox.
enum class WindSpeedClass : uint8_t { Light, LightToModerate, ModerateToStrong, Strong };
std::string_view WindSpeedClassCaption(WindSpeedClass wind);
// Up to 1, 2.9 and 4.9 m/sec, then strong.
WindSpeedClass WindSpeedClassOf(double defaultU2);
// Stores 0.5, 2, 4 or 5.5 m/sec.
SettingOutcome SelectWindSpeedClass(RepClimateFile& station, WindSpeedClass wind);

// ---------------------------------------------------------------------------------------------
// Angstrom box

inline constexpr std::string_view kAdjustButtonCaption = "Coefficients Angstrom equation";
inline constexpr std::string_view kDefaultsButtonCaption = "Defaults";
inline constexpr std::string_view kElevationCaption = "adjust for station elevation";

// CheckBoxCorrectionZ: checked, the option goes on with a = 0.25 and b = 0.5; cleared, it goes off.
SettingOutcome SetElevationAdjustment(RepClimateFile& station, bool on);
// DefButton: a = 0.25, b = 0.5 and the option on.
SettingOutcome AngstromDefaults(RepClimateFile& station);

// ---------------------------------------------------------------------------------------------
// What the page shows

// When the workspace opens a station whose elevation option is on, the check box sets a and b to
// 0.25 and 0.5 as it shows the option.
void OpenSettings(RepClimateFile& station);

struct SettingsView {
  std::string PsychrometerText;  // EditCoeffaPsy, R(20,6)
  Psychrometer PsychrometerButton = Psychrometer::Natural;
  std::string WindHeightText;      // EditHeightU, R(6,1)
  std::string TminCorrectionText;  // EditTminCorr, R(7,1) in the temperature unit
  std::string TminCorrectionUnit;  // LabelMissingT, "  [\xB0C]" or "  [\xB0F]"
  HumidityClass Humidity = HumidityClass::SubHumid;
  std::string U2Text;  // EditU2, R(7,1) in the wind unit
  std::string U2Unit;  // LabelMissingU, " " + the wind unit's item
  WindSpeedClass WindSpeed = WindSpeedClass::LightToModerate;
  std::string HargreavesText;        // EditKRs, R(8,2)
  std::string AngstromAText;         // EditAngA, R(7,2)
  std::string AngstromBText;         // EditAngB, R(7,2)
  bool ElevationAdjustment = false;  // CheckBoxCorrectionZ
};
SettingsView ViewSettings(const RepClimateFile& station, const UnitChoice& units);

}  // namespace vernoli
