#include "forms/workspace/TUpdateMenu.h"

#include "model/numbers.h"
#include "workspace_form_fixture.h"

namespace vernoli {
namespace {

// ---------------------------------------------------------------------------------------------
// The form's texts

TEST_F(WorkspaceFormTest, CaptionsAreThoseOfTheWorkspace) {
  EXPECT_EQ(form.windowTitle(), " Data and ETo menu");
  auto* pages = Control<QTabWidget>("PageControl1");
  ASSERT_EQ(pages->count(), 4);
  const std::pair<const char*, const char*> sheets[] = {
      {"DescriptionSheet", " Input data description  "},
      {"DataSheet", " Meteorological data and ETo   "},
      {"PlotSheet", " Plot data  "},
      {"PrintSheet", " Export results  "},
  };
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(pages->widget(i)->objectName(), sheets[i].first);
    EXPECT_EQ(pages->tabText(i), sheets[i].second);
  }
  const std::pair<const char*, QString> captions[] = {
      {"MainMenuButton", "Main menu"},
      {"CancelButton", "Cancel"},
      {"UnitsButton", "Switch Units"},
      {"SaveButton", "Save data"},
      {"SymbolUnit", "Symbols"},
      {"RangeButton", "Data Limits"},
      {"PreviousYearDataButton", "< previous"},
      {"NextYearDataButton", "next >"},
      {"PreviousYearPlotButton", "< previous"},
      {"NextYearPlotButton", "next >"},
      {"PlotMenu", "Plot options"},
      {"LegendButton", "Legend"},
      {"ReportButton", "Compose ETo report"},
      {"AgrolumeFilesButton", "Export climate files"},
      {"AdjustButton", "Coefficients Angstrom equation"},
      {"DefButton", "Defaults"},
      {"ConvertButton", "switch"},
      {"CloseButton", "Close"},
      {"TmaxTminCheckBox", "Minimum and Maximum temperature "},
      {"TmeanCheckBox", "Mean temperature "},
      {"RHMinMaxCheckBox", "Minimum and Maximum Relative Humidity  "},
      {"RHmeanCheckBox", "Mean Relative Humidity  "},
      {"TdewCheckBox", "Mean dew point temperature "},
      {"EactCheckBox", "Mean actual vapour pressure  "},
      {"TdryTwetCheckBox", "Mean dry and wet bulb temperature  "},
      {"WindCheckBox", "Mean wind speed"},
      {"nCheckBox", "Hours of bright sunshine (n) "},
      {"nNRatioCheckBox", "Relative sunshine hours (n/N)"},
      {"RsCheckBox", "Solar radiation (Rs) "},
      {"RnCheckBox", "Net radiation (Rn)"},
      {"CheckBoxCorrectionZ", "adjust for station elevation"},
      {"RadioCelsius", Deg(" ", " Celsius")},
      {"RadioFarenheit", Deg("", "Fahrenheit")},
      {"RadioVentilated", "Ventilated"},
      {"RadioNatural", "Natural ventilated"},
      {"RadioIndoors", "Indoors"},
  };
  for (const auto& [name, caption] : captions) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Text(name), caption);
  }
  const QStringList radiation = {" MJ/m2.day", " W/m2", " J/cm2.day", " mm/day", "cal/cm2.day"};
  const std::pair<const char*, QStringList> boxes[] = {
      {"UnitEactComboBox", {" kPa", " mbar", " psi", " atm", "mmHG"}},
      {"UnitUComboBox", {" m/sec", " km/day", " knot", " ft/sec"}},
      {"UnitRsComboBox", radiation},
      {"UnitRnComboBox", radiation},
      {"HumClassComboBox", {"(sub)humid", "(semi)arid"}},
      {"UClassComboBox",
       {"light wind", "light to moderate wind", "moderate to strong wind", "strong wind"}},
      {"ComboBoxT", {Deg("", " Celsius"), Deg("", " Fahrenheit")}},
      {"ComboBoxE", {" kPa", " mbar", " psi", " atm", "mmHG"}},
      {"ComboBoxU", {"m/sec", " km/day", " knot", " ft/sec"}},
      {"ComboBoxR", radiation},
  };
  for (const auto& [name, items] : boxes) {
    SCOPED_TRACE(name);
    QStringList shown;
    auto* box = Control<QComboBox>(name);
    for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
    EXPECT_EQ(shown, items);
  }
  QStringList groups;
  for (auto* group : form.findChildren<QGroupBox*>()) groups << group->title();
  for (const char* title : {" Air temperature ", " Air humidity ", " Wind speed ",
                            " Sunshine and Radiation ", " Switch unit "}) {
    EXPECT_TRUE(groups.contains(title)) << title;
  }
  EXPECT_EQ(Control<QGroupBox>("GroupBoxSwitchUnits")->title(), " Switch unit ");
  QStringList texts;
  for (auto* label : form.findChildren<QLabel*>()) texts << label->text();
  for (const char* text : {"height of measurement", "[meter]", "Rs = ",
                           " x SQRT(Tmax - Tmin)  x  Ra",
                           "< ... 0.16 (interior) ........ 0.19 (coastal) ... >",
                           "Rs = (a + b n/N)  Ra", "a = ", "b = ", "convert to"}) {
    EXPECT_TRUE(texts.contains(text)) << text;
  }
  for (const char* name : {"EditStation", "EditCountry", "EditFileName", "EditCoeffaPsy",
                           "EditHeightU", "EditTminCorr", "EditU2", "EditKRs", "EditAngA",
                           "EditAngB"}) {
    Control<QLineEdit>(name);
  }
  for (const char* name : {"NextPrevPanelData", "NextPrevPanelPlot", "SymbolPanel",
                           "GroupBoxAngstrom", "LabelPlotTitle", "PlotImage", "TimeImage",
                           "YearLabel", "LegendGroupBox", "PanelExport", "TimePanel1",
                           "TimePanel2", "TimePanel3", "LabelMissingT", "LabelMissingU",
                           "LabelUTmean", "LabelTMinMax", "LabelTdew", "LabelTPsy", "TUnitLab",
                           "EUnitLab", "UUnitLab", "RUnitLab", "RadioTemp", "RadioVapPres",
                           "RadioWindSpeed", "RadioRadiation"}) {
    Control(name);
  }
}

// ---------------------------------------------------------------------------------------------
// Opening

TEST_F(WorkspaceFormTest, OpeningShowsTheStationItsSettingsAndPresetsTheReport) {
  RepClimateFile station = Daily(30, {1, 7, 2001});
  form.Session().Report() = {true, false, false, true};
  Open(station);
  EXPECT_FALSE(WorkingFileExists());
  EXPECT_EQ(Text("EditStation"), "Alpha");
  EXPECT_EQ(Text("EditCountry"), "Beta");
  EXPECT_EQ(Text("EditFileName"), "DAILY.DTA");
  EXPECT_EQ(Control<QTabWidget>("PageControl1")->currentWidget()->objectName(),
            "DescriptionSheet");
  EXPECT_TRUE(Control<QCheckBox>("TmaxTminCheckBox")->isChecked());
  EXPECT_TRUE(Control<QCheckBox>("WindCheckBox")->isChecked());
  EXPECT_FALSE(Control<QCheckBox>("TmeanCheckBox")->isChecked());
  EXPECT_FALSE(Control<QCheckBox>("RsCheckBox")->isChecked());
  EXPECT_TRUE(Control<QRadioButton>("RadioCelsius")->isChecked());
  EXPECT_EQ(Text("LabelTMinMax"), Deg(" [", "C]"));
  EXPECT_TRUE(Control<QRadioButton>("RadioNatural")->isChecked());
  EXPECT_EQ(Text("EditCoeffaPsy"), "            0.000800");
  EXPECT_EQ(Text("EditHeightU"), "   2.0");
  EXPECT_EQ(Text("EditTminCorr"), "    0.0");
  EXPECT_EQ(Text("LabelMissingT"), Deg("  [", "C]"));
  EXPECT_EQ(Text("EditU2"), "    2.0");
  EXPECT_EQ(Text("LabelMissingU"), "  m/sec");
  EXPECT_EQ(Control<QComboBox>("UClassComboBox")->currentIndex(), 1);
  EXPECT_EQ(Text("EditKRs"), "    0.16");
  EXPECT_EQ(Text("EditAngA"), "   0.25");
  EXPECT_EQ(Text("EditAngB"), "   0.50");
  EXPECT_TRUE(Control<QCheckBox>("CheckBoxCorrectionZ")->isChecked());
  // The report content is back at its presets.
  EXPECT_FALSE(form.Session().Report().RecordNumber);
  EXPECT_TRUE(form.Session().Report().Date);
  EXPECT_TRUE(form.Session().Report().DataAndETo);
  EXPECT_FALSE(form.Session().Report().IntermediateResults);
  for (const char* hidden : {"SymbolPanel", "GroupBoxSwitchUnits", "GroupBoxAngstrom",
                             "LegendGroupBox", "PanelExport", "NextPrevPanelData"}) {
    EXPECT_FALSE(Control(hidden)->isVisible()) << hidden;
  }
  EXPECT_TRUE(Control("CancelButton")->isEnabled());
  EXPECT_TRUE(Control("MainMenuButton")->hasFocus());
  EXPECT_EQ(Control<QLabel>("LabelPlotTitle")->text(), "Reference crop evapotranspiration (ETo)");
  EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(WorkspaceFormTest, ADailySetOf400RecordsShowsItsFirstYearThenTheRest) {
  Open(Daily(400));
  ShowPage("DataSheet");
  EXPECT_EQ(Model()->columnCount(), 306);
  EXPECT_EQ(Model()->rowCount(), 4);
  EXPECT_EQ(DateOf(0), "1\nMarch\n2001");
  EXPECT_EQ(DateOf(305), "31\nDecember\n2001");
  EXPECT_EQ(Text("TimePanel1"), "Day");
  EXPECT_EQ(Text("TimePanel2"), "Month");
  EXPECT_EQ(Text("TimePanel3"), "Year");
  EXPECT_TRUE(Control("TimePanel3")->isVisible());
  EXPECT_TRUE(Control("NextPrevPanelData")->isVisible());
  EXPECT_EQ(Text("PreviousYearDataButton"), "< 2000");
  EXPECT_EQ(Text("NextYearDataButton"), "2002 >");
  EXPECT_FALSE(Control("PreviousYearDataButton")->isEnabled());
  EXPECT_TRUE(Control("NextYearDataButton")->isEnabled());
  EXPECT_EQ(Cell(0, 0), "      21.0");

  Click("NextYearDataButton");
  EXPECT_EQ(Model()->columnCount(), 94);
  EXPECT_EQ(DateOf(0), "1\nJanuary\n2002");
  EXPECT_EQ(DateOf(93), "4\nApril\n2002");
  EXPECT_EQ(Cell(0, 0), "      27.0");  // record 307
  EXPECT_FALSE(Control("NextYearDataButton")->isEnabled());
  EXPECT_TRUE(Control("PreviousYearDataButton")->isEnabled());
  EXPECT_EQ(Text("PreviousYearDataButton"), "< 2001");
  EXPECT_EQ(Text("NextYearDataButton"), "2003 >");
  // The plot page's navigation follows.
  EXPECT_FALSE(Control("NextYearPlotButton")->isEnabled());
  EXPECT_EQ(Text("NextYearPlotButton"), "2003 >");
  EXPECT_EQ(Text("YearLabel"), "2002");
  // The visible records were written back: "Cancel" is disabled for the rest of the visit.
  EXPECT_FALSE(Control("CancelButton")->isEnabled());

  Click("PreviousYearDataButton");
  EXPECT_EQ(Model()->columnCount(), 306);
  EXPECT_EQ(DateOf(0), "1\nMarch\n2001");
  EXPECT_FALSE(Control("PreviousYearDataButton")->isEnabled());
  EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(WorkspaceFormTest, ATenDailySetFromTheSecondDecadeOfAprilShows26Columns) {
  const std::string dta = Dta("        Nr       101       501", 71,
                              [](int n) { return FormatReal(n % 30, 10, 1) + "    -999.0"; });
  Open(WriteStation(folder.Folder(), "DECADE", kTenDaily, {11, 4, 2001}, {21, 3, 2003}, dta));
  ShowPage("DataSheet");
  EXPECT_EQ(Model()->columnCount(), 26);
  EXPECT_EQ(Text("TimePanel1"), "Decade");
  EXPECT_EQ(DateOf(0), "2\nApril\n2001");
  EXPECT_EQ(DateOf(25), "3\nDecember\n2001");
  EXPECT_TRUE(Control("NextPrevPanelData")->isVisible());
}

TEST_F(WorkspaceFormTest, ASetNotLinkedToAYearHasNoYearRowAndNoNavigation) {
  const std::string dta = Dta("        Nr       101       501", 365,
                              [](int n) { return FormatReal(n % 30, 10, 1) + "    -999.0"; });
  Open(WriteStation(folder.Folder(), "MEANS", kDaily, {1, 1, kYearNotLinked},
                    {31, 12, kYearNotLinked}, dta));
  ShowPage("DataSheet");
  EXPECT_EQ(Model()->columnCount(), 365);
  EXPECT_EQ(DateOf(0), "1\nJanuary");
  EXPECT_EQ(Text("TimePanel1"), "Day");
  EXPECT_EQ(Text("TimePanel2"), "Month");
  EXPECT_FALSE(Control("TimePanel3")->isVisible());
  EXPECT_FALSE(Control("NextPrevPanelData")->isVisible());
  ShowPage("PlotSheet");
  EXPECT_FALSE(Control("NextPrevPanelPlot")->isVisible());
  EXPECT_EQ(Text("YearLabel"), "");
}

TEST_F(WorkspaceFormTest, TheMainMenuOpensItWithCancelTheCreateFormWithout) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  state.Station = station;
  TMainMenu menu(state, navigator);
  forms.MainMenu = &menu;
  menu.show();
  ShowPage("DataSheet");  // left on another page by an earlier visit
  testing::RecordingModals modals;
  bool cancel = false;
  QString page;
  modals.act = [&](QDialog&) {
    cancel = Control("CancelButton")->isEnabled();
    page = Control<QTabWidget>("PageControl1")->currentWidget()->objectName();
  };
  QTest::mouseClick(menu.findChild<QPushButton*>("EToButton"), Qt::LeftButton);
  ASSERT_EQ(modals.shown.size(), 1u);
  EXPECT_EQ(modals.shown[0], &form);
  EXPECT_TRUE(cancel);
  EXPECT_EQ(page, "DescriptionSheet");
  EXPECT_FALSE(WorkingFileExists());  // closed again by the recording handler

  Open(station, false);
  EXPECT_FALSE(Control("CancelButton")->isEnabled());
}

TEST_F(WorkspaceFormTest, AStationThatCannotBeOpenedGivesTheMessageAndCloses) {
  RepClimateFile station = Daily(30, {1, 7, 2001});
  std::filesystem::remove(station.DtaFileName);
  state.Station = station;
  form.PrepareOpening(true);
  form.show();
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_TRUE(messages.messages[0].startsWith("ERROR:\n"));
  for (int i = 0; i < 100 && form.isVisible(); ++i) QTest::qWait(10);
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(WorkingFileExists());
}

// ---------------------------------------------------------------------------------------------
// Parameters

TEST_F(WorkspaceFormTest, UncheckingAndCheckingMeanWindSpeedBringsTheWindValuesBack) {
  Open(Daily(30, {1, 7, 2001}));
  ShowPage("DataSheet");
  const int wind = RowOf(301);
  Type(3, wind, "4.5");
  Enter();
  const std::vector<QString> before = Row(wind);
  EXPECT_EQ(before[3], "      4.50");

  ShowPage("DescriptionSheet");
  Click("WindCheckBox");
  EXPECT_FALSE(Control<QCheckBox>("WindCheckBox")->isChecked());
  EXPECT_EQ(Model()->rowCount(), 3);
  EXPECT_EQ(Model()->headerData(2, Qt::Vertical).toString().trimmed(), "ETo");
  Click("WindCheckBox");
  EXPECT_EQ(Model()->rowCount(), 4);
  EXPECT_EQ(Model()->headerData(wind, Qt::Vertical).toString(), "u(2)");
  EXPECT_EQ(Row(wind), before);
  EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(WorkspaceFormTest, RemovingAParameterAndSavingRemovesItsColumnFromTheDta) {
  const RepClimateFile station = Daily(3, {1, 7, 2001});
  Open(station);
  Click("WindCheckBox");
  Click("MainMenuButton");
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(WorkingFileExists());
  const std::string dta = ReadBytes(station.DtaFileName);
  const std::string header = "        Nr       101       103       501\r\n";
  ASSERT_EQ(dta.substr(0, header.size()), header);
  EXPECT_EQ(dta.substr(header.size(), 30), "         1      21.0      10.0");
  EXPECT_EQ(state.Station.NumberOfParameters, 3);
  EXPECT_EQ(state.Station.ParameterCodes[2], 501);
}

TEST_F(WorkspaceFormTest, TheWindHeightRetitlesTheWindRow) {
  Open(Daily(30, {1, 7, 2001}));
  TypeSetting("EditHeightU", "2.5");
  EXPECT_EQ(Text("EditHeightU"), "   2.5");
  EXPECT_EQ(Model()->headerData(RowOf(301), Qt::Vertical).toString(), "u(2.5)");
  TypeSetting("EditHeightU", "10");
  EXPECT_EQ(Model()->headerData(RowOf(301), Qt::Vertical).toString(), "u(10)");
}

TEST_F(WorkspaceFormTest, TheSymbolsPanelListsTheParametersOfTheSet) {
  Open(Daily(30, {1, 7, 2001}));
  ShowPage("DataSheet");
  Click("SymbolUnit");
  EXPECT_TRUE(Control("SymbolPanel")->isVisible());
  auto* symbols = Control<QTableWidget>("SymbolStringGrid");
  ASSERT_EQ(symbols->rowCount(), 5);  // the titles, then Tmax, Tmin, wind, ETo
  EXPECT_EQ(symbols->item(0, 0)->text(), "    Symbol");
  EXPECT_EQ(symbols->item(0, 1)->text(), "    Description");
  EXPECT_EQ(symbols->item(4, 0)->text().trimmed(), "ETo");
  Click("CloseSymbolPanelButton");
  EXPECT_FALSE(Control("SymbolPanel")->isVisible());
}

TEST_F(WorkspaceFormTest, TheDataLimitsButtonWidensTheRange) {
  TLimitsForm limits(state, &form);
  forms.LimitsForm = &limits;
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  Open(station);
  ShowPage("DataSheet");
  testing::RecordingModals modals;
  modals.act = [&limits](QDialog&) {
    QTest::mouseClick(limits.findChild<SpinButton*>("SpinButtonTmax")->UpButton(),
                      Qt::LeftButton);
    QTest::mouseClick(limits.findChild<QPushButton*>("MainButton"), Qt::LeftButton);
  };
  Click("RangeButton");
  ASSERT_EQ(modals.shown.size(), 1u);
  EXPECT_EQ(state.Station.Limits.LimitTmax, 46);
  EXPECT_EQ(form.Session().Station().Limits.LimitTmax, 46);
  Type(0, RowOf(101), "46");
  Enter();
  EXPECT_TRUE(messages.messages.isEmpty());
  EXPECT_EQ(Cell(0, RowOf(101)), "      46.0");
}

// ---------------------------------------------------------------------------------------------
// Units

TEST_F(WorkspaceFormTest, SwitchingRadiationToWm2ChangesBothRsAndRn) {
  Open(WriteStation(folder.Folder(), "RAD", kDaily, {1, 7, 2001}, {1, 7, 2001},
                    "        Nr       101       103       421       431       501\r\n"
                    "         1      30.0      15.0     20.00     12.00    -999.0\r\n"));
  ShowPage("DataSheet");
  const QString eto = Cell(0, EToRow());
  Click("UnitsButton");
  EXPECT_TRUE(Control("GroupBoxSwitchUnits")->isVisible());
  EXPECT_TRUE(Control<QRadioButton>("RadioTemp")->isChecked());
  EXPECT_FALSE(Control("RadioVapPres")->isEnabled());
  EXPECT_EQ(Text("TUnitLab"), Deg("", "C"));
  EXPECT_EQ(Text("RUnitLab"), "MJ/m2.day");
  EXPECT_EQ(Text("EUnitLab"), "");
  EXPECT_EQ(Control<QComboBox>("ComboBoxR")->currentIndex(), 4);  // cal/cm2.day proposed

  Control("ComboBoxR")->setFocus();  // entering a "convert to" box checks its quantity
  EXPECT_TRUE(Control<QRadioButton>("RadioRadiation")->isChecked());
  Control<QComboBox>("ComboBoxR")->setCurrentIndex(1);
  Click("ConvertButton");
  EXPECT_FALSE(Control("GroupBoxSwitchUnits")->isVisible());
  EXPECT_EQ(form.Session().Grid().Codes, (std::vector<int16_t>{101, 103, 422, 432, 501}));
  EXPECT_EQ(Cell(0, 2), "    231.48");
  EXPECT_EQ(Cell(0, 3), "    138.89");
  EXPECT_EQ(Model()->headerData(2, Qt::Vertical, Qt::UserRole).toString().trimmed(), "W/m2");
  EXPECT_EQ(Model()->headerData(3, Qt::Vertical, Qt::UserRole).toString().trimmed(), "W/m2");
  EXPECT_EQ(Cell(0, EToRow()), eto);
  EXPECT_EQ(Control<QComboBox>("UnitRsComboBox")->currentIndex(), 1);
  EXPECT_EQ(Control<QComboBox>("UnitRnComboBox")->currentIndex(), 1);
}

TEST_F(WorkspaceFormTest, ThePlotPageWritesBackOnlyAfterAChange) {
  Open(Daily(30, {1, 7, 2001}));
  ShowPage("DataSheet");
  Grid()->setFocus();
  for (int i = 0; i < 3; ++i) QTest::keyClick(Grid(), Qt::Key_Right);  // checks three cells
  ShowPage("PlotSheet");
  EXPECT_TRUE(Control("CancelButton")->isEnabled());

  ShowPage("DataSheet");
  Type(3, 0, "30");
  Enter();
  ShowPage("PlotSheet");
  EXPECT_FALSE(Control("CancelButton")->isEnabled());
  EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(WorkspaceFormTest, FahrenheitTminCorrection) {
  Open(WriteStation(folder.Folder(), "FAHR", kDaily, {1, 7, 2001}, {2, 7, 2001},
                    "        Nr       111       113       501\r\n"
                    "         1      86.0      59.0    -999.0\r\n"
                    "         2      80.0      50.0    -999.0\r\n"));
  EXPECT_TRUE(Control<QRadioButton>("RadioFarenheit")->isChecked());
  EXPECT_EQ(Text("LabelMissingT"), Deg("  [", "F]"));
  TypeSetting("EditTminCorr", "9");
  EXPECT_TRUE(messages.messages.isEmpty());
  EXPECT_DOUBLE_EQ(form.Session().Station().TdewTminDifference, 5.0);
  EXPECT_EQ(Text("EditTminCorr"), "    9.0");
  EXPECT_EQ(Control<QComboBox>("HumClassComboBox")->currentIndex(), 1);  // (semi)arid

  TypeSetting("EditTminCorr", "10");
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(messages.messages[0], "ERROR:\nvalue is larger than Maximum (=    9.000)");
  EXPECT_DOUBLE_EQ(form.Session().Station().TdewTminDifference, 5.0);
  EXPECT_EQ(Text("EditTminCorr"), "    9.0");
  EXPECT_TRUE(Control("EditTminCorr")->hasFocus());

  Control<QComboBox>("HumClassComboBox")->setCurrentIndex(0);
  EXPECT_DOUBLE_EQ(form.Session().Station().TdewTminDifference, 0.0);
  EXPECT_EQ(Text("EditTminCorr"), "    0.0");
}

TEST_F(WorkspaceFormTest, DefaultWindSpeedInKnot) {
  Open(Daily(30, {1, 7, 2001}));
  Control<QComboBox>("UnitUComboBox")->setCurrentIndex(2);
  EXPECT_EQ(Text("EditU2"), "    3.9");
  EXPECT_EQ(Text("LabelMissingU"), "  knot");
  EXPECT_EQ(form.Session().Grid().Codes[2], 303);

  // Passing through the edit changes nothing: 3.9 knot is only the display of 2 m/sec.
  Control("EditU2")->setFocus();
  Control("EditKRs")->setFocus();
  EXPECT_EQ(form.Session().Station().DefaultU2, 2.0);

  TypeSetting("EditU2", "0.5");
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(messages.messages[0], "ERROR:\nvalue is smaller than Minimum (=    0.972)");
  EXPECT_NEAR(form.Session().Station().DefaultU2, 0.5, 1e-12);
  EXPECT_EQ(Text("EditU2"), "    1.0");
  EXPECT_EQ(Control<QComboBox>("UClassComboBox")->currentIndex(), 0);  // light wind
  EXPECT_TRUE(Control("EditU2")->hasFocus());

  Control<QComboBox>("UClassComboBox")->setCurrentIndex(3);
  EXPECT_DOUBLE_EQ(form.Session().Station().DefaultU2, 5.5);
  EXPECT_EQ(Text("EditU2"), "   10.7");

  // A click into a setting edit selects its whole text.
  auto* hargreaves = Control<QLineEdit>("EditKRs");
  QTest::mouseClick(hargreaves, Qt::LeftButton, {}, QPoint(4, hargreaves->height() / 2));
  QCoreApplication::processEvents();
  EXPECT_TRUE(hargreaves->hasFocus());
  EXPECT_EQ(hargreaves->selectedText(), "    0.16");
}

TEST_F(WorkspaceFormTest, PsychrometerButtonsAndTheirClasses) {
  Open(Daily(30, {1, 7, 2001}));
  Click("RadioIndoors");
  EXPECT_EQ(Text("EditCoeffaPsy"), "            0.001200");
  TypeSetting("EditCoeffaPsy", "0.0015");
  EXPECT_DOUBLE_EQ(form.Session().Station().PsychrometerCoefficient, 0.0015);
  EXPECT_TRUE(Control<QRadioButton>("RadioIndoors")->isChecked());
  // A coefficient of another class selects that class's button, which stores its own value.
  TypeSetting("EditCoeffaPsy", "0.0007");
  EXPECT_TRUE(Control<QRadioButton>("RadioVentilated")->isChecked());
  EXPECT_EQ(Text("EditCoeffaPsy"), "            0.000662");
}

// ---------------------------------------------------------------------------------------------
// Angstrom coefficients

TEST_F(WorkspaceFormTest, AngstromSumRuleAndElevationOption) {
  const QString sum = "ERROR:\nSum of Coefficients > 0.90";
  Open(Daily(30, {1, 7, 2001}));
  EXPECT_FALSE(Control("GroupBoxAngstrom")->isVisible());
  Click("AdjustButton");
  EXPECT_TRUE(Control("GroupBoxAngstrom")->isVisible());
  EXPECT_TRUE(Control<QCheckBox>("CheckBoxCorrectionZ")->isChecked());

  TypeSetting("EditAngA", "0.25");  // the default keeps the option
  EXPECT_TRUE(Control<QCheckBox>("CheckBoxCorrectionZ")->isChecked());
  TypeSetting("EditAngA", "0.26");
  EXPECT_FALSE(Control<QCheckBox>("CheckBoxCorrectionZ")->isChecked());
  EXPECT_TRUE(messages.messages.isEmpty());

  // a = 0.5 with b = 0.5.
  TypeSetting("EditAngA", "0.5");
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(messages.messages[0], sum);
  EXPECT_EQ(Text("EditAngA"), "   0.40");
  EXPECT_EQ(Text("EditAngB"), "   0.50");
  EXPECT_TRUE(Control("EditAngA")->hasFocus());

  // b = 0.88, then a = 0.3.
  TypeSetting("EditAngA", "0.02");
  TypeSetting("EditAngB", "0.88");
  EXPECT_EQ(messages.messages.size(), 1);
  TypeSetting("EditAngA", "0.3");
  ASSERT_EQ(messages.messages.size(), 2);
  EXPECT_EQ(messages.messages[1], sum);
  EXPECT_EQ(Text("EditAngA"), "   0.05");
  EXPECT_EQ(Text("EditAngB"), "   0.85");
  EXPECT_DOUBLE_EQ(form.Session().Station().Settings.AngstromA, 0.05);
  EXPECT_NEAR(form.Session().Station().Settings.AngstromB, 0.85, 1e-12);

  // Checking the option sets the default pair; so does "Defaults".
  Click("CheckBoxCorrectionZ");
  EXPECT_EQ(Text("EditAngA"), "   0.25");
  EXPECT_EQ(Text("EditAngB"), "   0.50");
  Click("CheckBoxCorrectionZ");
  EXPECT_EQ(form.Session().Station().Flags.ElevationAdjustment, 0);
  TypeSetting("EditAngB", "0.6");
  Click("DefButton");
  EXPECT_EQ(Text("EditAngB"), "   0.50");
  EXPECT_TRUE(Control<QCheckBox>("CheckBoxCorrectionZ")->isChecked());

  // Another page hides the box.
  ShowPage("DataSheet");
  ShowPage("DescriptionSheet");
  EXPECT_FALSE(Control("GroupBoxAngstrom")->isVisible());
}

}  // namespace
}  // namespace vernoli
