// The exports of the workspace session: every question before anything is written, and what
// the station's files hold afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "model/numbers.h"
#include "station_files.h"
#include "workspace/session.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteStation;

// Thirty days of Tmax, Tmin, wind and ETo from 1 July 2001; Tmin is missing on the last day.
std::string ThirtyDays() {
  std::string dta = "        Nr       101       103       301       501\r\n";
  for (int n = 1; n <= 30; ++n) {
    dta += FormatInt(n, 10) + FormatReal(20.0 + n % 10, 10, 1) +
           (n == 30 ? "    -999.0" : "      10.0") + "      2.50    -999.0\r\n";
  }
  return dta;
}

class SessionExportTest : public ::testing::Test {
 protected:
  SessionExportTest()
      : station(WriteStation(data.Folder(), "DAILY", kDaily, {1, 7, 2001}, {30, 7, 2001},
                             ThirtyDays())),
        dta(ReadBytes(station.DtaFileName)) {
    EXPECT_TRUE(session.Open(station).Ok);
  }

  ExportRequest File(OutputKind kind, std::string name = "DAILY") const {
    ExportRequest file;
    file.Kind = kind;
    file.OutputFolder = output.Folder();
    file.Name = std::move(name);
    file.Description = "exported";
    return file;
  }

  std::size_t RowOf(int code) const {
    const std::vector<int16_t>& codes = session.Grid().Codes;
    return static_cast<std::size_t>(std::find(codes.begin(), codes.end(), code) - codes.begin());
  }

  ScratchFolder data;
  ScratchFolder output;
  RepClimateFile station;
  std::string dta;
  WorkspaceSession session;
};

// The questions follow the values the grid shows, not yet written back: asking them changes
// nothing, neither a file nor the session; only the answers to all of them let the files be
// written.
TEST_F(SessionExportTest, EveryQuestionComesBeforeAnythingIsWritten) {
  session.DeleteCell(0, RowOf(103));  // the first Tmin, typed away
  const ExportPlan plan =
      session.PrepareExport({File(OutputKind::EToFile), File(OutputKind::TemperatureFile)});
  ASSERT_TRUE(plan) << plan.Outcome.Message;
  // Without Tmin there is no ETo either.
  std::vector<std::pair<std::string, bool>> questions;
  for (const BoundaryRequest& q : plan.Questions) questions.emplace_back(q.Parameter, q.First);
  EXPECT_EQ(questions, (std::vector<std::pair<std::string, bool>>{
                           {"ETo", true}, {"ETo", false}, {"Tmin", true}, {"Tmin", false}}));
  EXPECT_TRUE(output.Names().empty());
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_FALSE(session.WrittenBack());
  EXPECT_TRUE(session.Unsaved());
  EXPECT_EQ(session.Grid().Cells[0][RowOf(103)], "");

  // One answer short: nothing is started.
  BoundaryAnswers answers;
  answers.Give(plan.Questions[0], 3.0);
  answers.Give(plan.Questions[1], 4.0);
  answers.Give(plan.Questions[2], 8.0);
  std::size_t written = 9;
  EXPECT_TRUE(session.WriteExport(plan, answers, written).Cancelled);
  EXPECT_EQ(written, 0u);
  EXPECT_TRUE(output.Names().empty());
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_FALSE(session.WrittenBack());

  answers.Give(plan.Questions[3], 12.0);
  const RunResult run = session.WriteExport(plan, answers, written);
  ASSERT_TRUE(run) << run.Outcome.Message;
  EXPECT_EQ(written, 2u);
  EXPECT_EQ(output.Names(), (std::set<std::string>{"DAILY.ETo", "DAILY.TMP"}));
  const std::string rewritten = ReadBytes(station.DtaFileName);
  EXPECT_EQ(rewritten.substr(rewritten.find("\r\n         1") + 22, 10), "    -999.0");
  const std::string eto = ReadBytes(output.File("DAILY.ETo"));
  EXPECT_EQ(eto.substr(eto.find("=\r\n") + 3, 14), "         3.0\r\n");
  EXPECT_EQ(eto.substr(eto.size() - 14), "         4.0\r\n");
  const std::string tmp = ReadBytes(output.File("DAILY.TMP"));
  EXPECT_EQ(tmp.substr(tmp.find("=\r\n") + 3, 26), "         8.0        21.0\r\n");
  EXPECT_EQ(tmp.substr(tmp.size() - 26), "        12.0        20.0\r\n");
  EXPECT_TRUE(session.WrittenBack());
  // The .DTA holds what the workspace shows, and the .DSC had nothing to change.
  EXPECT_FALSE(session.Unsaved());
  EXPECT_EQ(session.Station().Description, "exported");
}

TEST_F(SessionExportTest, WhatRefusesAnExportIsSaidBeforeAnyQuestion) {
  // A folder that is not there.
  ExportRequest gone = File(OutputKind::Report);
  gone.OutputFolder = output.Folder() + "GONE/";
  ExportPlan plan = session.PrepareExport({gone});
  EXPECT_EQ(plan.Outcome.Message, "ERROR:\noutput folder " + gone.OutputFolder + " does not exist");
  EXPECT_EQ(plan.RefusedFile, -1);

  // The temperature file without Tmin and Tmax in the unit of the workspace.
  ExportRequest fahrenheit = File(OutputKind::TemperatureFile);
  fahrenheit.Fahrenheit = true;
  plan = session.PrepareExport({File(OutputKind::EToFile), fahrenheit});
  EXPECT_EQ(plan.RefusedFile, -1);
  EXPECT_EQ(plan.Outcome.Message,
            "ERROR:\ncannot write the temperature file " + output.File("DAILY.TMP") +
                ": the data set has no minimum and maximum air temperature in Fahrenheit "
                "(codes 113 and 111)");

  // A name refused after one that passes: that file is named, and neither is written.
  plan = session.PrepareExport(
      {File(OutputKind::EToFile, " My File "), File(OutputKind::TemperatureFile, "  ")});
  EXPECT_EQ(plan.Outcome.Message, "ERROR:\nFileName is not yet specified");
  EXPECT_EQ(plan.RefusedFile, 1);
  EXPECT_EQ(plan.Files[0].Name, "MyFile");
  EXPECT_TRUE(plan.Questions.empty());
  std::size_t written = 0;
  EXPECT_FALSE(session.WriteExport(plan, BoundaryAnswers{}, written));

  // A typed value out of its range.
  session.SetCellText(0, RowOf(101), "99");
  plan = session.PrepareExport({File(OutputKind::Report)});
  EXPECT_TRUE(plan.Outcome.Message.starts_with("ERROR:\nvalue is larger than Maximum (="));
  EXPECT_EQ(session.Grid().Cells[0][RowOf(101)], "      21.0");

  EXPECT_TRUE(output.Names().empty());
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_FALSE(session.WrittenBack());
}

// An export rewrites the .DTA but not the .DSC: a changed setting stays unsaved until "Save
// data"; limits written by the limits form are no change.
TEST_F(SessionExportTest, AfterAnExportOnlyWhatTheDescriptionFileLacksIsUnsaved) {
  SettingOutcome outcome;
  ASSERT_TRUE(session.ReadSetting(SettingEdit::WindHeight, "3", outcome).Ok);
  ASSERT_TRUE(session.Unsaved());
  const ExportPlan plan = session.PrepareExport({File(OutputKind::Report)});
  ASSERT_TRUE(plan) << plan.Outcome.Message;
  std::size_t written = 0;
  ASSERT_TRUE(session.WriteExport(plan, BoundaryAnswers{}, written));
  EXPECT_TRUE(session.Unsaved());

  ASSERT_TRUE(session.Save().Ok);
  EXPECT_FALSE(session.Unsaved());
  StationLimits limits = session.Station().Limits;
  limits.LimitTmax = 50;
  session.TakeLimits(limits);
  EXPECT_FALSE(session.Unsaved());
  ASSERT_TRUE(session.ReadSetting(SettingEdit::WindHeight, "2", outcome).Ok);
  EXPECT_TRUE(session.Unsaved());
}

}  // namespace
}  // namespace vernoli
