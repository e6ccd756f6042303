// The assignment of codes to the columns of an import file: the code list, the groups of
// alternatives, the temperature unit, the limits shown, and the status report.
#include "import/columns.h"

#include <gtest/gtest.h>

#include "import/importstation.h"
#include "model/numbers.h"

namespace vernoli {
namespace {

// A scan of `n` columns whose values run from `minimum` to `maximum`.
ScanResult Scanned(int n, double minimum, double maximum) {
  ScanResult scan;
  scan.Outcome = ScanOutcome::Ok;
  scan.Lines = 12;
  scan.Columns = n;
  scan.Minimum.fill(minimum);
  scan.Maximum.fill(maximum);
  return scan;
}

struct Assignment {
  RepClimateFile station = ImportStationReset(ImportKind::Text);
  ColumnAssignment columns;

  Assignment(int n, double minimum = 10.0, double maximum = 20.0) {
    columns.SetUp(Scanned(n, minimum, maximum), -999.0);
  }
  void Choose(int column, int code) {
    columns.SelectColumn(column);
    columns.ChooseCode(RowOfCode(code), station);
  }
};

TEST(ImportCodeList, FourPagesWithTheirRowsAndTitles) {
  EXPECT_EQ(CodePageCaption(CodePage::Temperature), "Temperature");
  EXPECT_EQ(CodePageCaption(CodePage::Humidity), " Humidity ");
  EXPECT_EQ(CodePageCaption(CodePage::Wind), " Wind speed");
  EXPECT_EQ(CodePageCaption(CodePage::Radiation), " Sunshine and Radiation ");
  EXPECT_EQ(kCodeGridTitles, (std::array<std::string_view, 4>{"Code", "Symbol", "Unit", "Description"}));
  EXPECT_EQ(kClickToSelectCode, "<< click in cell to select code >>");
  EXPECT_EQ(kCloseCodeList, "Close");
  EXPECT_EQ(CodePageRows(CodePage::Temperature).size(), 6u);
  EXPECT_EQ(CodePageRows(CodePage::Humidity).size(), 14u);
  EXPECT_EQ(CodePageRows(CodePage::Wind).size(), 4u);
  const std::vector<CodeListRow> radiation = CodePageRows(CodePage::Radiation);
  ASSERT_EQ(radiation.size(), 12u);
  EXPECT_EQ(radiation.front().Code, "  401");
  EXPECT_EQ(radiation.back().Code, "  435");  // ETo is not offered
}

TEST(ImportCodeRules, AListMixingTheTemperatureUnitsNamesOneCodeOfEach) {
  struct Case {
    std::vector<int> codes;
    std::pair<int, int> mixed;
  };
  const Case cases[] = {
      {{101, 113}, {101, 113}},      {{111, 202, 210}, {210, 111}}, {{233, 231}, {231, 233}},
      {{101, 103, 232, 210}, {0, 0}}, {{111, 113, 211, 234}, {0, 0}}, {{202, 301}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.codes));
    EXPECT_EQ(MixedTemperatureUnits(c.codes), c.mixed);
  }
}

TEST(ImportCodeRules, GroupsOfAlternatives) {
  struct Case {
    int code;
    std::vector<int16_t> cleared;
  };
  const Case cases[] = {
      {101, {101, 111}}, {113, {113, 103}}, {210, {210, 211}}, {211, {211, 210}},
      {232, {232, 234}}, {233, {233, 231}}, {222, {221, 222, 223, 224, 225}},
      {303, {301, 302, 303, 304}}, {424, {421, 422, 423, 424, 425}},
      {431, {431, 432, 433, 434, 435}}, {401, {401}}, {202, {202}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(CodesClearedBy(c.code), c.cleared);
  }
}

TEST(ImportAssignment, ChoosingADegreeFahrenheitCodeSwitchesTheOtherTemperatures) {
  Assignment a(3);
  a.Choose(0, 103);
  a.Choose(1, 202);
  a.Choose(2, 111);
  const ImportColumn& switched = a.columns.Column(0);
  EXPECT_EQ(switched.Code, 113);
  EXPECT_EQ(switched.CodeText, "  113");
  EXPECT_EQ(switched.Unit, "    \xB0" "F     ");
  EXPECT_EQ(switched.Symbol, "Tmin   ");
  // The limits of the chosen column: -15 and 45 degC in degF, R(6,1).
  EXPECT_EQ(switched.LowerText, "   5.0");
  EXPECT_EQ(switched.UpperText, " 113.0");
  EXPECT_EQ(a.columns.Codes(), (std::vector<int16_t>{113, 202, 111}));
}

TEST(ImportAssignment, ACodeStandsInOneColumnOnly) {
  Assignment a(3);
  a.Choose(0, 202);
  a.Choose(1, 202);
  EXPECT_EQ(a.columns.Column(0).Symbol, "");
  EXPECT_EQ(a.columns.Column(0).MaximumText, "");
  const ParameterReport report = a.columns.Report();
  EXPECT_TRUE(report.Rows[0].Failed);
  EXPECT_EQ(report.Rows[0].Error, "Climatic parameter not yet specified");

  a.Choose(0, 401);
  a.Choose(2, 402);  // sunshine hours and relative sunshine may both stand
  EXPECT_EQ(a.columns.Codes(), (std::vector<int16_t>{401, 202, 402}));
  a.Choose(0, 421);
  a.Choose(2, 422);  // two solar radiations may not
  EXPECT_EQ(a.columns.Codes(), (std::vector<int16_t>{-999, 202, 422}));
}

TEST(ImportAssignment, CellsWithTheDecimalsOfTheCode) {
  Assignment a(2, 1.23456, 123.456);
  EXPECT_EQ(a.columns.Column(0).Number, "   1");
  EXPECT_EQ(a.columns.Column(1).MaximumText, "  123.5");  // R(7,1) before a code
  a.Choose(0, 221);  // 4 decimals: width 9 capped at 7
  EXPECT_EQ(a.columns.Column(0).MaximumText, "123.4560");
  EXPECT_EQ(a.columns.Column(0).MinimumText, " 1.2346");
  // A preset is not capped: width 9.
  a.columns.AssignTableRow(RowOfCode(221), 1, a.station);
  EXPECT_EQ(a.columns.Column(1).MinimumText, "   1.2346");
}

TEST(ImportAssignment, SunshineLimitsTakeTheHighestDayOfTheYear) {
  Assignment a(1, 0.0, 1.0);
  a.station.Latitude = 52.0;
  a.Choose(0, 401);
  const ValueRange year = LimitsOfCode(401, a.station);
  EXPECT_GT(year.Maximum, 16.0);  // the longest day at 52 North, not the one of day 180 alone
  EXPECT_EQ(a.columns.Column(0).UpperText, FormatReal(year.Maximum, 7, 2));
  EXPECT_EQ(LimitsOfCode(202, a.station).Minimum, 15.0);
}

TEST(ImportReport, TextsAndLamps) {
  EXPECT_EQ(kReportTitles, (std::array<std::string_view, 4>{"Nr", "Symbol", "Unit", "        Range"}));
  EXPECT_EQ(kReportErrorTitle, "   error message");
  ColumnAssignment undefined;
  EXPECT_EQ(undefined.Columns(), -999);
  EXPECT_EQ(undefined.Report().ErrorParamLabel, "Undefined number of Climatic parameters");
  EXPECT_FALSE(undefined.Report().LampGreen);

  Assignment a(3, 10.0, 20.0);
  a.Choose(0, 101);
  a.Choose(1, 202);  // 10 % lies below the limit of 15 %
  ParameterReport report = a.columns.Report();
  EXPECT_FALSE(report.LampGreen);
  EXPECT_EQ(report.ClimParamEdit, "     3");
  EXPECT_EQ(report.ErrorParamLabel, "Check parameter(s) : 2, 3");
  EXPECT_EQ(report.Rows[0].Nr, "  1");
  EXPECT_EQ(report.Rows[0].Range, "within program limits");
  EXPECT_EQ(report.Rows[0].Error, ".......................................");
  EXPECT_EQ(report.Rows[1].Range, "Range of climatic data exceeds limits");
  EXPECT_EQ(report.Rows[1].Error, "Update data range");
  EXPECT_EQ(report.Rows[2].Range, "");

  a.station.Limits.LimitRHmin = 5;
  a.columns.RecomputeLimits(a.station);
  a.Choose(2, 102);
  report = a.columns.Report();
  EXPECT_TRUE(report.LampGreen);
  EXPECT_EQ(report.ErrorParamLabel, "");
}

TEST(ImportReport, AColumnWithEveryValueMissingCannotBeImported) {
  Assignment a(1, -999.0, -999.0);
  EXPECT_EQ(a.columns.Column(0).MaximumText, "");
  a.Choose(0, 101);
  EXPECT_EQ(a.columns.Report().Rows[0].Error, "Update data range");
}

}  // namespace
}  // namespace vernoli
