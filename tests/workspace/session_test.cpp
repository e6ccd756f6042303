#include "workspace/session.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "engine/record.h"
#include "model/atomicfile.h"
#include "model/numbers.h"
#include "station_files.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteStation;

const std::string kRemedies =
    "Possible solutions:\n"
    "1. Verify input data\n"
    "2. Check units (Switch units ?)\n"
    "3. Adjust 'Data range' if required";

// Tmax 20 + (n mod 10), Tmin 10, wind 2.5 (missing in every seventh record), no ETo yet.
std::string DailyValues(int n) {
  return FormatReal(20.0 + n % 10, 10, 1) + "      10.0" +
         (n % 7 == 0 ? "   -999.00" : "      2.50") + "    -999.0";
}

// A .DTA of `records` lines with the header `header` and each line's values from `values`.
std::string Dta(const std::string& header, int records,
                const std::function<std::string(int)>& values) {
  std::string dta = header + "\r\n";
  for (int n = 1; n <= records; ++n) dta += FormatInt(n, 10) + values(n) + "\r\n";
  return dta;
}

const std::string kDailyHeader = "        Nr       101       103       301       501";

class WorkspaceSessionTest : public ::testing::Test {
 protected:
  // A daily station of `records` records from `from`, Tmax, Tmin, wind and ETo.
  RepClimateFile Daily(int records, Date from = {1, 3, 2001}) {
    const Date to = DateOfDayNr(DayNr(from.Day, from.Month, from.Year) + records - 1);
    return WriteStation(folder.Folder(), "DAILY", kDaily, from, to,
                        Dta(kDailyHeader, records, DailyValues));
  }

  // Reads the station from its files as the main menu selects it.
  RepClimateFile Reread(const RepClimateFile& station) {
    RepClimateFile read;
    SetStationFiles(read, folder.Folder(), station.FileName);
    EXPECT_TRUE(ReadStationDescription(read).Ok);
    EXPECT_TRUE(ReadParameterCodes(read).Ok);
    return read;
  }

  // The ETo of one record of the open station from values in standard units.
  double ETo(const WorkspaceSession& session, int32_t k, const ClimaticRecord& record) {
    RecordResults results;
    return ComputeRecord(DayOfYearForRecord(session.Station(), k), record, session.Station(),
                         results);
  }

  std::size_t RowOf(const WorkspaceSession& session, int code) {
    const std::vector<int16_t>& codes = session.Grid().Codes;
    return static_cast<std::size_t>(std::find(codes.begin(), codes.end(), code) - codes.begin());
  }

  // The working data stay in memory: no working file appears in the data folder.
  bool WorkingFileExists() const { return std::filesystem::exists(folder.File("FullSet.TMP")); }

  ScratchFolder folder;
};

// ---------------------------------------------------------------------------------------------
// Opening and year navigation

TEST_F(WorkspaceSessionTest, DailySetOf400RecordsShowsItsFirstYearThenTheRest) {
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(Daily(400)).Ok);
  EXPECT_FALSE(WorkingFileExists());
  EXPECT_EQ(session.Grid().Cells.size(), 306u);
  EXPECT_EQ(session.Grid().ColumnCount(), 308);
  EXPECT_EQ(session.Grid().DateTitles, (std::vector<std::string>{"Day", "Month", "Year"}));
  EXPECT_TRUE(session.Page().Navigation);
  EXPECT_FALSE(session.Page().PreviousEnabled);
  EXPECT_TRUE(session.Page().NextEnabled);
  EXPECT_FALSE(session.WrittenBack());

  ASSERT_TRUE(session.NextYear().Ok);
  EXPECT_EQ(session.Grid().Cells.size(), 94u);
  EXPECT_EQ(session.Grid().First, 307);
  EXPECT_EQ(session.Grid().Dates.front()[0], "       1");
  EXPECT_EQ(session.Grid().Cells[0][0], "      27.0");  // record 307
  EXPECT_FALSE(session.Page().NextEnabled);
  EXPECT_TRUE(session.WrittenBack());  // "Cancel" is disabled from now on
  ASSERT_TRUE(session.NextYear().Ok);  // disabled: nothing moves
  EXPECT_EQ(session.Grid().First, 307);

  ASSERT_TRUE(session.PreviousYear().Ok);
  EXPECT_EQ(session.Grid().Cells.size(), 306u);
  EXPECT_EQ(session.Grid().Cells[0][0], "      21.0");
}

TEST_F(WorkspaceSessionTest, TenDailySetFromTheSecondDecadeOfAprilShows26Columns) {
  const std::string dta = Dta("        Nr       101       501", 71,
                              [](int n) { return FormatReal(n % 30, 10, 1) + "    -999.0"; });
  const RepClimateFile station =
      WriteStation(folder.Folder(), "DECADE", kTenDaily, {11, 4, 2001}, {21, 3, 2003}, dta);
  ASSERT_EQ(station.NumberOfRecords, 71);
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(station).Ok);
  EXPECT_EQ(session.Grid().Cells.size(), 26u);
  EXPECT_EQ(session.Grid().DateTitles, (std::vector<std::string>{"Decade", "Month", "Year"}));
  EXPECT_EQ(session.Grid().Dates[0], (std::vector<std::string>{"       2", "  April", "    2001"}));
  EXPECT_EQ(NextYearCaption(session.Page()), "2002 >");
}

TEST_F(WorkspaceSessionTest, SetNotLinkedToAYearHasNoYearRowAndNoNavigation) {
  const std::string dta = Dta("        Nr       101       501", 12,
                              [](int n) { return FormatReal(n, 10, 1) + "    -999.0"; });
  const RepClimateFile station = WriteStation(folder.Folder(), "MEANS", kMonthly,
                                              {1, 1, kYearNotLinked}, {1, 12, kYearNotLinked}, dta);
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(station).Ok);
  EXPECT_EQ(session.Grid().DateTitles, (std::vector<std::string>{"Month"}));
  EXPECT_EQ(session.Grid().Dates[11], (std::vector<std::string>{"  December"}));
  EXPECT_EQ(session.Grid().RowCount(), 1 + 2);
  EXPECT_FALSE(session.Page().Navigation);
  EXPECT_EQ(session.Grid().Cells.size(), 12u);
}

TEST_F(WorkspaceSessionTest, OpeningTakesUnitsAndSettingsFromTheStation) {
  RepClimateFile station = WriteStation(folder.Folder(), "FAHR", kDaily, {1, 7, 2001}, {2, 7, 2001},
                                        "        Nr       111       113       303       501\r\n"
                                        "         1      86.0      59.0      3.89    -999.0\r\n"
                                        "         2    -999.0      50.0    -999.00    -999.0\r\n");
  station.TdewTminDifference = 5.0;
  station.Settings.AngstromA = 0.3;
  station.Settings.AngstromB = 0.55;
  station.Flags.ElevationAdjustment = 1;
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(station).Ok);
  EXPECT_TRUE(session.Units().Fahrenheit);
  EXPECT_EQ(session.Units().Wind, 2);
  EXPECT_EQ(session.Settings().TminCorrectionText, "    9.0");
  EXPECT_EQ(session.Settings().U2Unit, "  knot");
  EXPECT_DOUBLE_EQ(session.Station().Settings.AngstromA, 0.25);
  EXPECT_DOUBLE_EQ(session.Station().Settings.AngstromB, 0.5);
  EXPECT_EQ(session.Grid().Cells[0][0], "      86.0");
  EXPECT_EQ(session.Grid().Cells[0][2], "      3.89");
  EXPECT_EQ(session.RowTitles()[2].Title, "u(2)");
  const PresenceStates presence = session.Presence();
  EXPECT_TRUE(presence[static_cast<std::size_t>(PresenceBox::TmaxTmin)]);
  EXPECT_TRUE(presence[static_cast<std::size_t>(PresenceBox::Wind)]);
  EXPECT_FALSE(presence[static_cast<std::size_t>(PresenceBox::Tmean)]);
}

// ---------------------------------------------------------------------------------------------
// Parameters

TEST_F(WorkspaceSessionTest, UncheckingAndCheckingWindBringsTheSameValuesBack) {
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(Daily(400)).Ok);
  const std::size_t wind = RowOf(session, 301);
  session.SetCellText(3, wind, "4.5");  // a typed value comes back too
  session.LeaveCell(3, wind);
  std::vector<std::string> before;
  for (const auto& column : session.Grid().Cells) before.push_back(column[wind]);
  const std::string eto = session.Grid().Cells[3].back();

  ASSERT_TRUE(session.SetPresence(PresenceBox::Wind, false).Ok);
  EXPECT_EQ(session.Grid().Codes, (std::vector<int16_t>{101, 103, 501}));
  EXPECT_NE(session.Grid().Cells[3].back(), eto);  // ETo without wind uses the default U2
  ASSERT_TRUE(session.SetPresence(PresenceBox::Wind, true).Ok);
  EXPECT_EQ(session.Grid().Codes, (std::vector<int16_t>{101, 103, 301, 501}));
  std::vector<std::string> after;
  for (const auto& column : session.Grid().Cells) after.push_back(column[wind]);
  EXPECT_EQ(after, before);
  EXPECT_EQ(after[3], "      4.50");
  EXPECT_EQ(session.Grid().Cells[3].back(), eto);
}

TEST_F(WorkspaceSessionTest, RemovingAParameterAndSavingRemovesItsColumn) {
  const RepClimateFile station = Daily(3, {1, 7, 2001});
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(station).Ok);
  ASSERT_TRUE(session.SetPresence(PresenceBox::Wind, false).Ok);
  ASSERT_TRUE(session.Save().Ok);
  const std::string dta = ReadBytes(station.DtaFileName);
  const std::string header = "        Nr       101       103       501\r\n";
  ASSERT_EQ(dta.substr(0, header.size()), header);
  const std::string first = "         1      21.0      10.0";
  EXPECT_EQ(dta.substr(header.size(), first.size()), first);
  EXPECT_EQ(Reread(station).NumberOfParameters, 3);
}

// ---------------------------------------------------------------------------------------------
// Checking typed values

TEST_F(WorkspaceSessionTest, ValueAboveTheLimitIsRefusedAndTheCellRestored) {
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(Daily(400)).Ok);
  ASSERT_EQ(session.Station().Limits.LimitTmax, 45);
  const std::vector<std::string> column = session.Grid().Cells[0];
  session.SetCellText(0, 0, "52");
  const CellCheck check = session.LeaveCell(0, 0);
  EXPECT_TRUE(check.Refused);
  EXPECT_EQ(check.Message,
            "ERROR:\nvalue is larger than Maximum (=      45.0 \xB0"
            "C)\n\n\n" +
                kRemedies);
  EXPECT_EQ(session.Grid().Cells[0], column);  // the value before the edit, and its ETo

  session.SetCellText(0, 0, "45");  // the limit itself is accepted
  EXPECT_FALSE(session.LeaveCell(0, 0).Refused);
  EXPECT_EQ(session.Grid().Cells[0][0], "      45.0");

  // Wider limits from the limits form: the same value passes.
  StationLimits limits = session.Station().Limits;
  limits.LimitTmax = 55;
  session.TakeLimits(limits);
  session.SetCellText(0, 0, "52");
  EXPECT_FALSE(session.LeaveCell(0, 0).Refused);
  EXPECT_EQ(session.Grid().Cells[0][0], "      52.0");
  EXPECT_TRUE(session.PlotStale());
}

TEST_F(WorkspaceSessionTest, TextThatIsNoNumberIsRefusedNotTakenAsZero) {
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(Daily(400)).Ok);
  const std::string eto = session.Grid().Cells[0].back();
  const std::string before = session.Grid().Cells[0][2];
  struct Case {
    const char* name;
    const char* text;
  };
  const Case cases[] = {{"letters", "abc"}, {"a comma", "2,5"}, {"two numbers", "1 2"}};
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    session.SetCellText(0, 2, row.text);  // wind: 0 would be a valid wind speed
    const CellCheck check = session.LeaveCell(0, 2);
    EXPECT_TRUE(check.Refused);
    EXPECT_EQ(check.Message, "ERROR:\nvalue is not a number");
    EXPECT_EQ(session.Grid().Cells[0][2], before);
    EXPECT_EQ(session.Grid().Cells[0].back(), eto);
  }
  session.SetCellText(0, 2, "  0 ");  // a real 0 passes
  EXPECT_FALSE(session.LeaveCell(0, 2).Refused);
  EXPECT_EQ(session.Grid().Cells[0][2], "      0.00");
  EXPECT_NE(session.Grid().Cells[0].back(), eto);
}

// Every operation writes back; a typed text that nobody has checked yet is checked there first,
// so it can reach neither the working file nor the .DTA.
TEST_F(WorkspaceSessionTest, AnUncheckedTextIsCheckedBeforeItIsWrittenAnywhere) {
  const RepClimateFile station = Daily(30);
  struct Case {
    const char* name;
    std::function<Status(WorkspaceSession&)> operation;
  };
  const Case cases[] = {
      {"save", [](WorkspaceSession& s) { return s.Save(); }},
      {"presence", [](WorkspaceSession& s) { return s.SetPresence(PresenceBox::Wind, false); }},
      {"plot", [](WorkspaceSession& s) { return s.RefreshForPlot(); }},
  };
  for (const Case& row : cases) {
    for (const char* text : {"99", "abc"}) {
      SCOPED_TRACE(std::string(row.name) + " " + text);
      const std::string dta = ReadBytes(station.DtaFileName);
      WorkspaceSession session;
      ASSERT_TRUE(session.Open(station).Ok);
      const std::vector<std::string> column = session.Grid().Cells[1];
      session.SetCellText(1, 0, text);
      ASSERT_TRUE(session.UncheckedCell().has_value());
      const Status s = row.operation(session);
      EXPECT_FALSE(s.Ok);
      EXPECT_EQ(s.Message.substr(0, 7), "ERROR:\n");
      EXPECT_EQ(session.Grid().Cells[1], column);
      EXPECT_FALSE(session.UncheckedCell().has_value());
      EXPECT_TRUE(ReadBytes(station.DtaFileName) == dta);
      // The value the check gave back is written by the next try.
      EXPECT_TRUE(row.operation(session).Ok);
      session.Close();
    }
  }

  // A good value is checked and written; typing into another cell checks the one before.
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(station).Ok);
  session.SetCellText(0, 0, "33");
  session.SetCellText(1, 0, "99");
  EXPECT_EQ(session.Grid().Cells[0][0], "      33.0");
  ASSERT_TRUE(session.UncheckedCell().has_value());
  EXPECT_EQ(*session.UncheckedCell(), std::make_pair(std::size_t{1}, std::size_t{0}));
  EXPECT_FALSE(session.Save().Ok);
  ASSERT_TRUE(session.Save().Ok);
  EXPECT_NE(ReadBytes(station.DtaFileName).find("\r\n         1      33.0"), std::string::npos);
}

TEST_F(WorkspaceSessionTest, DeletingAValueRecomputesTheColumnsETo) {
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(Daily(400)).Ok);
  const std::string before = session.Grid().Cells[1].back();
  session.DeleteCell(1, 2);  // the wind of record 2
  EXPECT_EQ(session.Grid().Cells[1][2], "");
  EXPECT_EQ(session.Grid().Cells[1].back(), before);  // recomputed when the cell is left
  session.LeaveCell(1, 2);
  ClimaticRecord withoutWind;
  withoutWind[Row::Tmax] = 22.0;
  withoutWind[Row::Tmin] = 10.0;
  EXPECT_EQ(session.Grid().Cells[1].back(), FormatReal(ETo(session, 1, withoutWind), 10, 1));
  EXPECT_NE(session.Grid().Cells[1].back(), before);
}

TEST_F(WorkspaceSessionTest, OnlyAChangedValueMakesThePlotStale) {
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(Daily(30, {1, 7, 2001})).Ok);
  session.PlotDrawn();
  session.LeaveCell(0, 0);  // passing through a cell checks it
  session.SetCellText(1, 0, session.Grid().Cells[1][0]);
  session.LeaveCell(1, 0);
  EXPECT_FALSE(session.PlotStale());
  session.SetCellText(1, 0, "23");
  EXPECT_TRUE(session.PlotStale());
  session.PlotDrawn();
  session.LeaveCell(1, 0);  // rewritten as "      23.0", ETo recomputed
  EXPECT_TRUE(session.PlotStale());
  session.PlotDrawn();
  session.DeleteCell(2, 1);
  EXPECT_TRUE(session.PlotStale());
}

// ---------------------------------------------------------------------------------------------
// Units and settings

TEST_F(WorkspaceSessionTest, SwitchingRadiationToWm2ChangesRsAndRn) {
  const RepClimateFile station =
      WriteStation(folder.Folder(), "RAD", kDaily, {1, 7, 2001}, {1, 7, 2001},
                   "        Nr       101       103       421       431       501\r\n"
                   "         1      30.0      15.0     20.00     12.00    -999.0\r\n");
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(station).Ok);
  const std::string eto = session.Grid().Cells[0].back();
  const SwitchUnitsBox box = session.SwitchUnits();
  EXPECT_EQ(box.Checked, SwitchQuantity::Temperature);
  EXPECT_EQ(box.Labels[static_cast<std::size_t>(SwitchQuantity::Radiation)], "MJ/m2.day");

  ASSERT_TRUE(session.SwitchUnit(SwitchQuantity::Radiation, 1).Ok);
  EXPECT_EQ(session.Grid().Codes, (std::vector<int16_t>{101, 103, 422, 432, 501}));
  EXPECT_EQ(session.Grid().Cells[0][2], "    231.48");
  EXPECT_EQ(session.Grid().Cells[0][3], "    138.89");
  EXPECT_EQ(session.Grid().Cells[0].back(), eto);
  EXPECT_EQ(session.Units().Rs, 1);
  EXPECT_EQ(session.Units().Rn, 1);
  EXPECT_EQ(session.RowTitles()[2].Unit, "    W/m2   ");
}

TEST_F(WorkspaceSessionTest, SwitchingUnitsThenLeavingWithoutSavingKeepsTheFiles) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  const std::string dta = ReadBytes(station.DtaFileName);
  const std::string dsc = ReadBytes(station.DscFileName);
  {
    WorkspaceSession session;
    ASSERT_TRUE(session.Open(station).Ok);
    ASSERT_TRUE(session.SelectTemperatureUnit(true).Ok);
    ASSERT_TRUE(session.SelectWindUnit(1).Ok);
    EXPECT_EQ(session.Grid().Codes, (std::vector<int16_t>{111, 113, 302, 501}));
    EXPECT_EQ(session.Grid().Cells[0][0], "      69.8");
    EXPECT_EQ(session.Grid().Cells[0][2], "    216.00");
    EXPECT_EQ(session.Settings().U2Text, "  172.8");
    session.Close();
    EXPECT_FALSE(WorkingFileExists());
  }
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_EQ(ReadBytes(station.DscFileName), dsc);
}

TEST_F(WorkspaceSessionTest, SettingChangesRefillTheEToRow) {
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(Daily(30, {1, 7, 2001})).Ok);
  const std::string eto = session.Grid().Cells[0].back();
  SettingOutcome outcome;
  ASSERT_TRUE(session.ReadSetting(SettingEdit::TminCorrection, "4", outcome).Ok);
  EXPECT_TRUE(outcome.Messages.empty());
  EXPECT_DOUBLE_EQ(session.Station().TdewTminDifference, 4.0);
  EXPECT_EQ(session.Settings().Humidity, HumidityClass::SemiArid);
  ClimaticRecord record;
  record[Row::Tmax] = 21.0;
  record[Row::Tmin] = 10.0;
  record[Row::Wind] = 2.5;
  EXPECT_EQ(session.Grid().Cells[0].back(), FormatReal(ETo(session, 0, record), 10, 1));
  EXPECT_NE(session.Grid().Cells[0].back(), eto);

  ASSERT_TRUE(session.ReadSetting(SettingEdit::WindHeight, "10", outcome).Ok);
  EXPECT_TRUE(outcome.RebuildRows);
  EXPECT_EQ(session.RowTitles()[2].Title, "u(10)");
  EXPECT_EQ(session.Grid().Cells[0].back(), FormatReal(ETo(session, 0, record), 10, 1));

  ASSERT_TRUE(session.ReadSetting(SettingEdit::AngstromA, "0.5", outcome).Ok);
  EXPECT_EQ(outcome.Messages, (std::vector<std::string>{"ERROR:\nSum of Coefficients > 0.90"}));
  EXPECT_EQ(session.Settings().AngstromAText, "   0.40");
  EXPECT_FALSE(session.Settings().ElevationAdjustment);
}

// ---------------------------------------------------------------------------------------------
// Saving

TEST_F(WorkspaceSessionTest, SavedValuesComeBackExactlyAndMatchABatchRecompute) {
  const RepClimateFile station = Daily(400);
  {
    WorkspaceSession session;
    ASSERT_TRUE(session.Open(station).Ok);
    session.SetCellText(10, 0, " 31.4");
    session.LeaveCell(10, 0);
    ASSERT_TRUE(session.NextYear().Ok);
    session.SetCellText(5, 2, "3.25");
    session.LeaveCell(5, 2);
    session.SetCellText(6, 1, "");
    session.LeaveCell(6, 1);
    ASSERT_TRUE(session.Save().Ok);
    session.Close();
  }
  const std::string saved = ReadBytes(station.DtaFileName);

  WorkspaceSession reopened;
  ASSERT_TRUE(reopened.Open(Reread(station)).Ok);
  EXPECT_EQ(reopened.Grid().Cells[10][0], "      31.4");
  ASSERT_TRUE(reopened.NextYear().Ok);
  EXPECT_EQ(reopened.Grid().Cells[5][2], "      3.25");
  EXPECT_EQ(reopened.Grid().Cells[6][1], "");
  reopened.Close();

  std::ostringstream out, err;
  ProgramFolders folders;
  folders.Data = folder.Folder();
  folders.Report = folder.Folder();
  ASSERT_EQ(RunBatch({"recompute", station.FileName}, out, err, folders), 0) << err.str();
  EXPECT_EQ(ReadBytes(station.DtaFileName), saved);
}

TEST_F(WorkspaceSessionTest, ADataSetWithoutEToGainsItsColumn) {
  const RepClimateFile station =
      WriteStation(folder.Folder(), "NOETO", kDaily, {1, 7, 2001}, {1, 7, 2001},
                   "        Nr       101       103\r\n"
                   "         1      30.0      15.0\r\n");
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(station).Ok);
  EXPECT_EQ(session.Grid().Codes, (std::vector<int16_t>{101, 103, 501}));
  EXPECT_NE(session.Grid().Cells[0].back(), "");
  ASSERT_TRUE(session.Save().Ok);
  const std::string dta = ReadBytes(station.DtaFileName);
  EXPECT_EQ(dta.substr(0, 42), "        Nr       101       103       501\r\n");
  EXPECT_EQ(dta.substr(42, 30), "         1      30.0      15.0");
  EXPECT_EQ(dta.substr(72, 10), session.Grid().Cells[0].back());
}

TEST_F(WorkspaceSessionTest, SaveWritesTheSettingsIntoTheStationDescription) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(station).Ok);
  SettingOutcome outcome;
  ASSERT_TRUE(session.ReadSetting(SettingEdit::HargreavesCoefficient, "0.19", outcome).Ok);
  ASSERT_TRUE(session.Save().Ok);
  EXPECT_TRUE(session.IsOpen());  // "Save data" keeps the workspace open
  EXPECT_DOUBLE_EQ(Reread(station).HargreavesRsCoefficient, 0.19);
}

// ---------------------------------------------------------------------------------------------
// Failures lose nothing

TEST_F(WorkspaceSessionTest, RefusedWriteBackChangesNothingAndCanBeRetried) {
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(Daily(400)).Ok);
  session.SetCellText(0, 0, "33.3");
  session.LeaveCell(0, 0);

  // A value out of its range, typed and not yet checked, stops the change before anything moves.
  session.SetCellText(1, 0, "99");
  const Status next = session.NextYear();
  EXPECT_FALSE(next.Ok);
  EXPECT_EQ(next.Message.rfind("ERROR:\n", 0), 0u);
  EXPECT_EQ(session.Grid().First, 1);
  EXPECT_EQ(session.Page().First, 1);
  EXPECT_EQ(session.Grid().Cells[0][0], "      33.3");
  EXPECT_FALSE(session.WrittenBack());

  session.SetCellText(1, 0, "99");
  EXPECT_FALSE(session.SetPresence(PresenceBox::Wind, false).Ok);
  EXPECT_EQ(session.Grid().Codes, (std::vector<int16_t>{101, 103, 301, 501}));
  EXPECT_EQ(session.Station().NumberOfParameters, 4);

  ASSERT_TRUE(session.NextYear().Ok);
  ASSERT_TRUE(session.PreviousYear().Ok);
  EXPECT_EQ(session.Grid().Cells[0][0], "      33.3");
}

TEST_F(WorkspaceSessionTest, FailedSaveLeavesBothStationFilesAsTheyWere) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  const std::string dta = ReadBytes(station.DtaFileName);
  const std::string dsc = ReadBytes(station.DscFileName);
  WorkspaceSession session;
  ASSERT_TRUE(session.Open(station).Ok);
  SettingOutcome outcome;
  ASSERT_TRUE(session.ReadSetting(SettingEdit::HargreavesCoefficient, "0.19", outcome).Ok);
  session.SetCellText(0, 0, "25.0");
  session.LeaveCell(0, 0);

  AtomicFile::InjectDiskFullForTesting(".DTA", 100);
  EXPECT_FALSE(session.Save().Ok);
  AtomicFile::InjectDiskFullForTesting(".DTA", SIZE_MAX);
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_EQ(ReadBytes(station.DscFileName), dsc);
  EXPECT_EQ(session.Grid().Cells[0][0], "      25.0");

  ASSERT_TRUE(session.Save().Ok);
  EXPECT_NE(ReadBytes(station.DtaFileName), dta);
  EXPECT_NE(ReadBytes(station.DscFileName), dsc);
}

TEST_F(WorkspaceSessionTest, TheWorkspaceWritesNoWorkingFile) {
  {
    WorkspaceSession session;
    ASSERT_TRUE(session.Open(Daily(10, {1, 7, 2001})).Ok);
    EXPECT_FALSE(WorkingFileExists());
  }
  EXPECT_FALSE(WorkingFileExists());

  WorkspaceSession failed;
  RepClimateFile missing = Daily(10, {1, 7, 2001});
  missing.DtaFileName = folder.File("NONE.DTA");
  EXPECT_FALSE(failed.Open(missing).Ok);
  EXPECT_FALSE(failed.IsOpen());
}

}  // namespace
}  // namespace vernoli
