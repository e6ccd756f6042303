#include "workspace/exportplan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "model/stationcodes.h"
#include "station_files.h"
#include "workspace/run.h"
#include "workspace/workingdata.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteBytes;
using test_support::WriteStation;

using Question = std::tuple<std::string, bool, bool>;  // parameter, first, in degC

std::vector<Question> Questions(const std::vector<BoundaryRequest>& requests) {
  std::vector<Question> questions;
  for (const BoundaryRequest& r : requests) questions.emplace_back(r.Parameter, r.First, r.Celsius);
  return questions;
}

// ---------------------------------------------------------------------------------------------
// The questions

// The questions listed before an export are exactly those its run asks, in the same order, for
// series with gaps at the start, inside and at the end, a single missing record, no gap at all,
// and temperatures in degF.
TEST(BoundaryQuestions, AreThoseTheRunAsks) {
  const struct {
    const char* name;
    uint8_t type;
    Date from;
    Date to;
    const char* dta;
  } stations[] = {
      {"ENDS", kDaily, {1, 7, 2001}, {5, 7, 2001},
       "        Nr       101       103       501\r\n"
       "         1    -999.0    -999.0    -999.0\r\n"
       "         2      30.0      16.0    -999.0\r\n"
       "         3    -999.0    -999.0    -999.0\r\n"
       "         4      28.0      14.0    -999.0\r\n"
       "         5      29.0    -999.0    -999.0\r\n"},
      {"ONE", kMonthly, {1, 7, 1901}, {1, 7, 1901},
       "        Nr       101       103       501\r\n"
       "         1    -999.0    -999.0    -999.0\r\n"},
      {"TWO", kDaily, {1, 7, 2001}, {2, 7, 2001},
       "        Nr       101       103       501\r\n"
       "         1    -999.0    -999.0    -999.0\r\n"
       "         2    -999.0    -999.0    -999.0\r\n"},
      {"FULL", kTenDaily, {1, 7, 2001}, {11, 7, 2001},
       "        Nr       101       103       501\r\n"
       "         1      30.0      16.0    -999.0\r\n"
       "         2      31.0      17.0    -999.0\r\n"},
      {"FAHR", kDaily, {1, 7, 2001}, {3, 7, 2001},
       "        Nr       111       113       501\r\n"
       "         1      86.0    -999.0    -999.0\r\n"
       "         2      80.6      50.0    -999.0\r\n"
       "         3    -999.0      53.6    -999.0\r\n"},
  };
  ScratchFolder data;
  ScratchFolder output;
  std::size_t asks = 0;
  for (const auto& s : stations) {
    RepClimateFile station = WriteStation(data.Folder(), s.name, s.type, s.from, s.to, s.dta);
    SortParameterCodes(station);
    WorkingData working;
    ASSERT_TRUE(LoadWorkingData(station, working).Ok) << s.name;
    const bool fahrenheit = TemperaturesInFahrenheit(StationCodes(station));
    for (OutputKind kind : {OutputKind::EToFile, OutputKind::TemperatureFile, OutputKind::Report}) {
      SCOPED_TRACE(std::string(s.name) + "." + std::string(OutputExtension(kind)));
      std::vector<BoundaryRequest> asked;
      ExportRequest request;
      request.Kind = kind;
      request.OutputFolder = output.Folder();
      request.Name = s.name;
      request.Fahrenheit = fahrenheit;
      request.Boundary = [&asked](const BoundaryRequest& r) -> std::optional<double> {
        asked.push_back(r);
        return 20.0;
      };
      const RunResult run = ExportFile(station, working, request);
      ASSERT_TRUE(run) << run.Outcome.Message;
      EXPECT_EQ(Questions(BoundaryQuestions(station, working, kind, fahrenheit)),
                Questions(asked));
      asks += asked.size();
    }
  }
  EXPECT_EQ(asks, 18u);  // the stations do ask: the comparison is not between empty lists
}

// ---------------------------------------------------------------------------------------------
// The answers

TEST(BoundaryAnswers, AnswerEachQuestionByItsSeriesAndEnd) {
  BoundaryAnswers answers;
  answers.Give(BoundaryRequest{"Tmin", true, false}, 41.0);
  answers.Give(BoundaryRequest{"Tmax", false, false}, 77.0);
  const BoundaryValueSource source = answers.Source();
  EXPECT_EQ(source(BoundaryRequest{"Tmin", true, false}), 41.0);
  EXPECT_EQ(source(BoundaryRequest{"Tmax", false, false}), 77.0);
  // Never given: the run stops there.
  EXPECT_EQ(source(BoundaryRequest{"Tmin", false, false}), std::nullopt);
  EXPECT_EQ(source(BoundaryRequest{"ETo", true, true}), std::nullopt);

  EXPECT_TRUE(answers.Cover({BoundaryRequest{"Tmax", false, false}}));
  EXPECT_TRUE(answers.Cover({}));
  EXPECT_FALSE(answers.Cover({BoundaryRequest{"Tmin", true, false}, {"ETo", true, true}}));
}

// ---------------------------------------------------------------------------------------------
// The output folder

TEST(OpeningOutputFolder, IsTheFolderChosenLastWhileItIsThereElseTheReportFolder) {
  ScratchFolder folder;
  const std::string report = folder.Folder() + "REPORT/";
  const std::string chosen = folder.File("CHOSEN") + "/";
  std::filesystem::create_directory(chosen);
  WriteBytes(folder.File("AFILE"), "not a folder\r\n");
  EXPECT_EQ(OpeningOutputFolder(chosen, report), chosen);
  EXPECT_EQ(OpeningOutputFolder("", report), report);
  EXPECT_EQ(OpeningOutputFolder(folder.File("AFILE") + "/", report), report);
  std::filesystem::remove(chosen);
  EXPECT_EQ(OpeningOutputFolder(chosen, report), report);
}

}  // namespace
}  // namespace vernoli
