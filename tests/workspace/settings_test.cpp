#include "workspace/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vernoli {
namespace {

UnitChoice WindIn(int item) {
  UnitChoice units;
  units.Wind = item;
  return units;
}

UnitChoice InFahrenheit() {
  UnitChoice units;
  units.Fahrenheit = true;
  return units;
}

// A station without dry and wet bulb temperatures and without wind, elevation option off.
RepClimateFile Station() {
  RepClimateFile station = NewStation();
  station.Flags.ElevationAdjustment = 0;
  station.ParameterCodes.fill(-999);
  station.ParameterCodes[0] = 101;
  station.ParameterCodes[1] = 103;
  station.ParameterCodes[2] = 501;
  station.NumberOfParameters = 3;
  return station;
}

std::vector<std::string> Messages(std::initializer_list<std::string> messages) { return messages; }

// ---------------------------------------------------------------------------------------------
// Formats

TEST(FormatOfSetting, RangesWidthsAndDefaultsOfTheEdits) {
  struct Row {
    const char* name;
    SettingEdit edit;
    UnitChoice units;
    double minimum, maximum;
    int width, decimals;
    double fallback;
  };
  const Row rows[] = {
      {"psychrometer", SettingEdit::PsychrometerCoefficient, {}, 0.00001, 0.02, 20, 6, 0.0008},
      {"wind height", SettingEdit::WindHeight, {}, 0.5, 30, 6, 1, 2},
      {"Tmin correction degC", SettingEdit::TminCorrection, {}, 0, 5, 7, 1, 0},
      {"Tmin correction degF", SettingEdit::TminCorrection, InFahrenheit(), 0, 9, 7, 1, 0},
      {"U2 m/sec", SettingEdit::DefaultU2, WindIn(0), 0.5, 6, 7, 1, 2},
      {"U2 km/day", SettingEdit::DefaultU2, WindIn(1), 43.2, 518.4, 7, 1, 172.8},
      {"U2 knot", SettingEdit::DefaultU2, WindIn(2), 0.9720062208398134, 11.66407465007776, 7, 1,
       2 / 0.5144},
      {"U2 ft/sec", SettingEdit::DefaultU2, WindIn(3), 1.6404199475065617, 19.68503937007874, 7, 1,
       2 / 0.3048},
      {"Hargreaves", SettingEdit::HargreavesCoefficient, {}, 0.1, 0.25, 8, 2, 0.16},
      {"Angstrom a", SettingEdit::AngstromA, {}, 0.01, 0.6, 7, 2, 0.25},
      {"Angstrom b", SettingEdit::AngstromB, {}, 0.25, 0.9, 7, 2, 0.5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SettingFormat format = FormatOfSetting(row.edit, row.units);
    EXPECT_NEAR(format.Minimum, row.minimum, 1e-12);
    EXPECT_NEAR(format.Maximum, row.maximum, 1e-12);
    EXPECT_EQ(format.Width, row.width);
    EXPECT_EQ(format.Decimals, row.decimals);
    EXPECT_NEAR(format.Default, row.fallback, 1e-12);
  }
}

// ---------------------------------------------------------------------------------------------
// Reading the edits

TEST(ReadSetting, ValuesOutsideTheRangeAreClampedWithTheMessage) {
  struct Row {
    const char* name;
    SettingEdit edit;
    UnitChoice units;
    const char* text;
    double stored;
    const char* message;  // empty: none
  };
  // clang-format off
  const Row rows[] = {
      {"wind height below", SettingEdit::WindHeight, {}, "0.4",
       0.5, "ERROR:\nvalue is smaller than Minimum (=   0.500)"},
      {"wind height above", SettingEdit::WindHeight, {}, "31",
       30.0, "ERROR:\nvalue is larger than Maximum (=  30.000)"},
      {"wind height unparsable gives 2", SettingEdit::WindHeight, {}, "abc",
       2.0, ""},
      {"Hargreaves above", SettingEdit::HargreavesCoefficient, {}, "0.3",
       0.25, "ERROR:\nvalue is larger than Maximum (=    0.2500)"},
      {"Hargreaves blanks trimmed", SettingEdit::HargreavesCoefficient, {}, "  0.19 ",
       0.19, ""},
      {"Tmin correction degC above", SettingEdit::TminCorrection, {}, "6",
       5.0, "ERROR:\nvalue is larger than Maximum (=    5.000)"},
      {"Tmin correction degF: 9 is 5 degC", SettingEdit::TminCorrection, InFahrenheit(), "9",
       5.0, ""},
      {"Tmin correction degF: 10 is too much", SettingEdit::TminCorrection, InFahrenheit(), "10",
       5.0, "ERROR:\nvalue is larger than Maximum (=    9.000)"},
      {"Tmin correction degF: 1.8 is 1 degC", SettingEdit::TminCorrection, InFahrenheit(), "1.8",
       1.0, ""},
      {"U2 knot below", SettingEdit::DefaultU2, WindIn(2), "0.5",
       0.5, "ERROR:\nvalue is smaller than Minimum (=    0.972)"},
      {"U2 km/day", SettingEdit::DefaultU2, WindIn(1), "259.2",
       3.0, ""},
      {"U2 km/day above", SettingEdit::DefaultU2, WindIn(1), "600",
       6.0, "ERROR:\nvalue is larger than Maximum (=  518.400)"},
      {"U2 unparsable is 2 m/sec in any unit", SettingEdit::DefaultU2, WindIn(1), "x",
       2.0, ""},
      {"U2 ft/sec", SettingEdit::DefaultU2, WindIn(3), "10",
       3.048, ""},
      {"psychrometer above", SettingEdit::PsychrometerCoefficient, {}, "0.05",
       0.0012, "ERROR:\nvalue is larger than Maximum (=            0.02000000)"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station = Station();
    station.DefaultU2 = 1.0;
    station.WindHeight = 3.0;
    station.TdewTminDifference = 0.5;
    const SettingOutcome outcome = ReadSetting(station, row.units, row.edit, row.text);
    double stored = 0;
    switch (row.edit) {
      case SettingEdit::WindHeight:
        stored = station.WindHeight;
        break;
      case SettingEdit::HargreavesCoefficient:
        stored = station.HargreavesRsCoefficient;
        break;
      case SettingEdit::TminCorrection:
        stored = station.TdewTminDifference;
        break;
      case SettingEdit::DefaultU2:
        stored = station.DefaultU2;
        break;
      case SettingEdit::PsychrometerCoefficient:
        stored = station.PsychrometerCoefficient;
        break;
      default:
        break;
    }
    EXPECT_NEAR(stored, row.stored, 1e-12);
    const std::string message = row.message;
    EXPECT_EQ(outcome.Messages, message.empty() ? Messages({}) : Messages({message}));
    EXPECT_EQ(outcome.Refocus, !message.empty());
  }
}

TEST(ReadSetting, OnlyAChangedSettingRefillsTheGrid) {
  RepClimateFile station = Station();
  station.HargreavesRsCoefficient = 0.16;
  SettingOutcome outcome = ReadSetting(station, {}, SettingEdit::HargreavesCoefficient, "0.16");
  EXPECT_FALSE(outcome.Changed);
  EXPECT_FALSE(outcome.Refill);
  outcome = ReadSetting(station, {}, SettingEdit::HargreavesCoefficient, "0.19");
  EXPECT_TRUE(outcome.Changed);
  EXPECT_TRUE(outcome.Refill);
  EXPECT_FALSE(outcome.RebuildRows);
}

TEST(ReadSetting, WindHeightRebuildsTheRowsAndRefillsOnlyWithWind) {
  RepClimateFile station = Station();
  SettingOutcome outcome = ReadSetting(station, {}, SettingEdit::WindHeight, "10");
  EXPECT_DOUBLE_EQ(station.WindHeight, 10.0);
  EXPECT_TRUE(outcome.RebuildRows);
  EXPECT_FALSE(outcome.Refill);

  station.ParameterCodes[2] = 303;
  station.ParameterCodes[3] = 501;
  station.NumberOfParameters = 4;
  outcome = ReadSetting(station, {}, SettingEdit::WindHeight, "2.5");
  EXPECT_TRUE(outcome.RebuildRows);
  EXPECT_TRUE(outcome.Refill);
}

// The edits show rounded values; leaving one without typing must not store the rounding.
TEST(ReadSetting, TheTextAnEditShowsChangesNothing) {
  struct Row {
    const char* name;
    SettingEdit edit;
    UnitChoice units;
    const char* text;  // what the edit shows, or a text typed over it
    bool changes;
  };
  // clang-format off
  const Row rows[] = {
      {"U2 of 2 m/sec shown in knot", SettingEdit::DefaultU2, WindIn(2), "    3.9", false},
      {"the same without blanks", SettingEdit::DefaultU2, WindIn(2), "3.9", false},
      {"3.90 knot typed", SettingEdit::DefaultU2, WindIn(2), "3.90", true},
      {"Tmin correction of 0.4 degC shown in degF", SettingEdit::TminCorrection, InFahrenheit(),
       "    0.7", false},
      {"Hargreaves 0.162 shown as 0.16", SettingEdit::HargreavesCoefficient, {}, "0.16", false},
      {"Hargreaves 0.17 typed", SettingEdit::HargreavesCoefficient, {}, "0.17", true},
      {"Angstrom a 0.253 shown as 0.25", SettingEdit::AngstromA, {}, "   0.25", false},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station = Station();
    station.DefaultU2 = 2.0;
    station.TdewTminDifference = 0.4;
    station.HargreavesRsCoefficient = 0.162;
    station.Settings.AngstromA = 0.253;
    const RepClimateFile before = station;
    const SettingOutcome outcome = ReadSetting(station, row.units, row.edit, row.text);
    EXPECT_EQ(outcome.Changed, row.changes);
    EXPECT_TRUE(outcome.Messages.empty());
    if (!row.changes) {
      EXPECT_EQ(station.DefaultU2, before.DefaultU2);
      EXPECT_EQ(station.TdewTminDifference, before.TdewTminDifference);
      EXPECT_EQ(station.HargreavesRsCoefficient, before.HargreavesRsCoefficient);
      EXPECT_EQ(station.Settings.AngstromA, before.Settings.AngstromA);
    }
  }
  RepClimateFile station = Station();
  station.DefaultU2 = 2.0;
  EXPECT_EQ(SettingText(station, WindIn(2), SettingEdit::DefaultU2), "    3.9");
  EXPECT_EQ(SettingText(station, {}, SettingEdit::PsychrometerCoefficient),
            "            0.000800");
}

// ---------------------------------------------------------------------------------------------
// Psychrometer

TEST(Psychrometer, ButtonsClassesAndCaptions) {
  EXPECT_EQ(PsychrometerCaption(Psychrometer::Ventilated), "Ventilated");
  EXPECT_EQ(PsychrometerCaption(Psychrometer::Natural), "Natural ventilated");
  EXPECT_EQ(PsychrometerCaption(Psychrometer::Indoors), "Indoors");
  struct Row {
    double coefficient;
    Psychrometer button;
  };
  const Row rows[] = {{0.000662, Psychrometer::Ventilated}, {0.0007, Psychrometer::Ventilated},
                      {0.00070001, Psychrometer::Natural},  {0.0009, Psychrometer::Natural},
                      {0.00090001, Psychrometer::Indoors},  {0.0012, Psychrometer::Indoors}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.coefficient);
    EXPECT_EQ(PsychrometerClass(row.coefficient), row.button);
  }
}

TEST(Psychrometer, TypedCoefficientStaysOnlyInTheSelectedButtonsClass) {
  struct Row {
    const char* name;
    double before;
    const char* typed;
    double stored;
  };
  const Row rows[] = {
      {"0.0007 while Natural ventilated is selected", 0.0008, "0.0007", 0.000662},
      {"within Natural ventilated", 0.0008, "0.00085", 0.00085},
      {"0.0007 while Ventilated is selected", 0.000662, "0.0007", 0.0007},
      {"within Indoors", 0.0012, "0.0015", 0.0015},
      {"Natural to Indoors", 0.0008, "0.005", 0.0012},
      {"Indoors to Natural", 0.0012, "0.00081", 0.0008},
      {"unparsable gives 0.0008", 0.0008, "?", 0.0008},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station = Station();
    station.PsychrometerCoefficient = row.before;
    ReadSetting(station, {}, SettingEdit::PsychrometerCoefficient, row.typed);
    EXPECT_DOUBLE_EQ(station.PsychrometerCoefficient, row.stored);
  }
}

TEST(Psychrometer, SelectingAButtonStoresItsValueAndRefillsOnlyWithBulbs) {
  RepClimateFile station = Station();
  SettingOutcome outcome = SelectPsychrometer(station, Psychrometer::Indoors);
  EXPECT_DOUBLE_EQ(station.PsychrometerCoefficient, 0.0012);
  EXPECT_TRUE(outcome.Changed);
  EXPECT_FALSE(outcome.Refill);
  EXPECT_EQ(ViewSettings(station, {}).PsychrometerText, "            0.001200");

  station.ParameterCodes[2] = 233;
  station.ParameterCodes[3] = 234;
  station.ParameterCodes[4] = 501;
  station.NumberOfParameters = 5;
  outcome = SelectPsychrometer(station, Psychrometer::Ventilated);
  EXPECT_DOUBLE_EQ(station.PsychrometerCoefficient, 0.000662);
  EXPECT_TRUE(outcome.Refill);
  EXPECT_EQ(ViewSettings(station, {}).PsychrometerText, "            0.000662");
  EXPECT_EQ(ViewSettings(station, {}).PsychrometerButton, Psychrometer::Ventilated);
}

// ---------------------------------------------------------------------------------------------
// Estimates for missing data

TEST(TminCorrection, ShownInTheTemperatureUnitWithItsClass) {
  RepClimateFile station = Station();
  station.TdewTminDifference = 5.0;
  SettingsView view = ViewSettings(station, InFahrenheit());
  EXPECT_EQ(view.TminCorrectionText, "    9.0");
  EXPECT_EQ(view.TminCorrectionUnit,
            "  [\xB0"
            "F]");
  EXPECT_EQ(view.Humidity, HumidityClass::SemiArid);
  view = ViewSettings(station, {});
  EXPECT_EQ(view.TminCorrectionText, "    5.0");
  EXPECT_EQ(view.TminCorrectionUnit,
            "  [\xB0"
            "C]");

  struct Row {
    double value;
    HumidityClass humidity;
  };
  for (const Row& row : {Row{0.0, HumidityClass::SubHumid}, Row{1.0, HumidityClass::SubHumid},
                         Row{1.01, HumidityClass::SemiArid}}) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(HumidityClassOf(row.value), row.humidity);
  }
  EXPECT_EQ(HumidityClassCaption(HumidityClass::SubHumid), "(sub)humid");
  EXPECT_EQ(HumidityClassCaption(HumidityClass::SemiArid), "(semi)arid");

  EXPECT_TRUE(SelectHumidityClass(station, HumidityClass::SubHumid).Refill);
  EXPECT_DOUBLE_EQ(station.TdewTminDifference, 0.0);
  EXPECT_TRUE(SelectHumidityClass(station, HumidityClass::SemiArid).Refill);
  EXPECT_DOUBLE_EQ(station.TdewTminDifference, 2.0);
}

TEST(DefaultU2, ShownInTheWindUnitWithItsClass) {
  RepClimateFile station = Station();
  station.DefaultU2 = 2.0;
  struct Row {
    int wind;
    const char* text;
    const char* unit;
  };
  const Row rows[] = {{0, "    2.0", "  m/sec"},
                      {1, "  172.8", "  km/day"},
                      {2, "    3.9", "  knot"},
                      {3, "    6.6", "  ft/sec"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.unit);
    const SettingsView view = ViewSettings(station, WindIn(row.wind));
    EXPECT_EQ(view.U2Text, row.text);
    EXPECT_EQ(view.U2Unit, row.unit);
  }

  // Typing 0.5 knot: the minimum, 0.5 m/sec, shown as 1.0 knot.
  ReadSetting(station, WindIn(2), SettingEdit::DefaultU2, "0.5");
  EXPECT_NEAR(station.DefaultU2, 0.5, 1e-12);
  EXPECT_EQ(ViewSettings(station, WindIn(2)).U2Text, "    1.0");
}

TEST(DefaultU2, ClassesAndTheirValues) {
  struct Row {
    double u2;
    WindSpeedClass wind;
  };
  const Row rows[] = {{0.5, WindSpeedClass::Light},
                      {1.0, WindSpeedClass::Light},
                      {1.01, WindSpeedClass::LightToModerate},
                      {2.9, WindSpeedClass::LightToModerate},
                      {2.91, WindSpeedClass::ModerateToStrong},
                      {4.9, WindSpeedClass::ModerateToStrong},
                      {4.91, WindSpeedClass::Strong}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.u2);
    EXPECT_EQ(WindSpeedClassOf(row.u2), row.wind);
  }
  const std::vector<std::string> captions = {
      std::string(WindSpeedClassCaption(WindSpeedClass::Light)),
      std::string(WindSpeedClassCaption(WindSpeedClass::LightToModerate)),
      std::string(WindSpeedClassCaption(WindSpeedClass::ModerateToStrong)),
      std::string(WindSpeedClassCaption(WindSpeedClass::Strong))};
  EXPECT_EQ(captions, (std::vector<std::string>{"light wind", "light to moderate wind",
                                                "moderate to strong wind", "strong wind"}));
  RepClimateFile station = Station();
  const double values[] = {0.5, 2.0, 4.0, 5.5};
  for (int c = 0; c < 4; ++c) {
    SCOPED_TRACE(c);
    SelectWindSpeedClass(station, static_cast<WindSpeedClass>(c));
    EXPECT_DOUBLE_EQ(station.DefaultU2, values[c]);
    EXPECT_EQ(WindSpeedClassOf(station.DefaultU2), static_cast<WindSpeedClass>(c));
  }
}

// ---------------------------------------------------------------------------------------------
// Angstrom coefficients

TEST(Angstrom, SumRuleAndElevationOption) {
  const std::string sum = "ERROR:\nSum of Coefficients > 0.90";
  EXPECT_EQ(AngstromSumMessage(), sum);
  struct Row {
    const char* name;
    double a, b;
    bool option;
    SettingEdit edit;
    const char* typed;
    const char* aText;
    const char* bText;
    bool optionAfter;
    std::vector<std::string> messages;
  };
  // clang-format off
  const Row rows[] = {
      // name; a, b, option before; edit and text typed; a, b, option after; messages
      {"a = 0.5 with b = 0.5",
       0.25, 0.5, false, SettingEdit::AngstromA, "0.5", "   0.40", "   0.50", false, {sum}},
      {"a = 0.3 with b = 0.88",
       0.25, 0.88, false, SettingEdit::AngstromA, "0.3", "   0.05", "   0.85", false, {sum}},
      {"a = 0.26 clears the option",
       0.25, 0.5, true, SettingEdit::AngstromA, "0.26", "   0.26", "   0.50", false, {}},
      {"a = 0.25 keeps it",
       0.25, 0.5, true, SettingEdit::AngstromA, "0.25", "   0.25", "   0.50", true, {}},
      {"b = 0.5 keeps it",
       0.25, 0.5, true, SettingEdit::AngstromB, "0.50", "   0.25", "   0.50", true, {}},
      {"b = 0.51 clears it",
       0.25, 0.5, true, SettingEdit::AngstromB, "0.51", "   0.25", "   0.51", false, {}},
      {"a sum of exactly 0.9 passes",
       0.25, 0.5, false, SettingEdit::AngstromA, "0.4", "   0.40", "   0.50", false, {}},
      {"b gives way to a = 0.6",
       0.6, 0.25, false, SettingEdit::AngstromB, "0.5", "   0.60", "   0.30", false, {sum}},
      {"a below its minimum",
       0.25, 0.5, false, SettingEdit::AngstromA, "0.005", "   0.01", "   0.50", false,
       {"ERROR:\nvalue is smaller than Minimum (=   0.0100)"}},
      {"a above its maximum and then the sum",
       0.25, 0.5, false, SettingEdit::AngstromA, "0.7", "   0.40", "   0.50", false,
       {"ERROR:\nvalue is larger than Maximum (=   0.6000)", sum}},
      {"b unparsable gives 0.5",
       0.25, 0.6, false, SettingEdit::AngstromB, "", "   0.25", "   0.50", false, {}},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station = Station();
    station.Settings.AngstromA = row.a;
    station.Settings.AngstromB = row.b;
    station.Flags.ElevationAdjustment = row.option ? 1 : 0;
    const SettingOutcome outcome = ReadSetting(station, {}, row.edit, row.typed);
    const SettingsView view = ViewSettings(station, {});
    EXPECT_EQ(view.AngstromAText, row.aText);
    EXPECT_EQ(view.AngstromBText, row.bText);
    EXPECT_EQ(view.ElevationAdjustment, row.optionAfter);
    EXPECT_EQ(outcome.Messages, row.messages);
    EXPECT_EQ(outcome.Refocus, !row.messages.empty());
    EXPECT_LE(station.Settings.AngstromA + station.Settings.AngstromB, 0.9001);
  }
}

TEST(Angstrom, CheckBoxAndDefaultsKeepTheInvariant) {
  EXPECT_EQ(kAdjustButtonCaption, "Coefficients Angstrom equation");
  EXPECT_EQ(kDefaultsButtonCaption, "Defaults");
  EXPECT_EQ(kElevationCaption, "adjust for station elevation");

  RepClimateFile station = Station();
  station.Settings.AngstromA = 0.3;
  station.Settings.AngstromB = 0.6;
  SettingOutcome outcome = SetElevationAdjustment(station, true);
  EXPECT_TRUE(outcome.Refill);
  EXPECT_EQ(station.Flags.ElevationAdjustment, 1);
  EXPECT_DOUBLE_EQ(station.Settings.AngstromA, 0.25);
  EXPECT_DOUBLE_EQ(station.Settings.AngstromB, 0.5);

  outcome = SetElevationAdjustment(station, false);
  EXPECT_TRUE(outcome.Refill);
  EXPECT_EQ(station.Flags.ElevationAdjustment, 0);
  EXPECT_DOUBLE_EQ(station.Settings.AngstromA, 0.25);

  station.Settings.AngstromA = 0.2;
  station.Settings.AngstromB = 0.7;
  AngstromDefaults(station);
  EXPECT_EQ(station.Flags.ElevationAdjustment, 1);
  EXPECT_DOUBLE_EQ(station.Settings.AngstromA, 0.25);
  EXPECT_DOUBLE_EQ(station.Settings.AngstromB, 0.5);
  EXPECT_FALSE(AngstromDefaults(station).Changed);
}

TEST(Angstrom, OpeningAStationWithTheOptionSetsTheDefaultPair) {
  RepClimateFile station = Station();
  station.Settings.AngstromA = 0.3;
  station.Settings.AngstromB = 0.55;
  OpenSettings(station);  // option off: the pair stays
  EXPECT_DOUBLE_EQ(station.Settings.AngstromA, 0.3);
  station.Flags.ElevationAdjustment = 1;
  OpenSettings(station);
  EXPECT_DOUBLE_EQ(station.Settings.AngstromA, 0.25);
  EXPECT_DOUBLE_EQ(station.Settings.AngstromB, 0.5);
}

TEST(ViewSettings, EditTextsInTheirWidths) {
  RepClimateFile station = Station();
  station.PsychrometerCoefficient = 0.0008;
  station.WindHeight = 2.5;
  station.HargreavesRsCoefficient = 0.19;
  const SettingsView view = ViewSettings(station, {});
  EXPECT_EQ(view.PsychrometerText, "            0.000800");
  EXPECT_EQ(view.PsychrometerButton, Psychrometer::Natural);
  EXPECT_EQ(view.WindHeightText, "   2.5");
  EXPECT_EQ(view.HargreavesText, "    0.19");
}

}  // namespace
}  // namespace vernoli
