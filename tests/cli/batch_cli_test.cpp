// Runs the real vernoli-batch executable once: its help and version, a recompute on a copy of a
// small station, a refused station name and a message in UTF-8.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "../model/shell_command.h"
#include "../workspace/station_files.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteStation;

using Outcome = test_support::CommandOutcome;

// Runs the program with `arguments` (already quoted for the shell).
Outcome RunProgram(const std::string& arguments) {
  return test_support::RunShellCommand(std::string("'") + VERNOLI_BATCH + "' " + arguments);
}

TEST(BatchProgram, ShowsItsHelp) {
  const Outcome outcome = RunProgram("--help");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out.rfind(
                "Usage:\n  vernoli-batch [--data DIR] recompute STATION... [--jobs N]\n", 0),
            0u);
  EXPECT_EQ(outcome.err, "");
}

// The version is the project's, and asking for it runs no command.
TEST(BatchProgram, AnswersItsVersionAndDoesNothingElse) {
  ScratchFolder data;
  const RepClimateFile station = WriteStation(data.Folder(), "SMALL", kDaily, {1, 7, 2001},
                                              {3, 7, 2001}, test_support::kSmallDta);
  for (const std::string& arguments :
       {std::string("--version"), "--data '" + data.Folder() + "' recompute SMALL --version"}) {
    const Outcome outcome = RunProgram(arguments);
    EXPECT_EQ(outcome.status, 0) << arguments;
    EXPECT_EQ(outcome.out, "vernoli-batch " VERNOLI_VERSION "\n") << arguments;
    EXPECT_EQ(outcome.err, "") << arguments;
  }
  EXPECT_EQ(ReadBytes(station.DtaFileName), test_support::kSmallDta);
}

TEST(BatchProgram, RecomputesACopyOfASmallStation) {
  ScratchFolder data;
  const RepClimateFile station = WriteStation(data.Folder(), "SMALL", kDaily, {1, 7, 2001},
                                              {3, 7, 2001}, test_support::kSmallDta);
  const Outcome outcome = RunProgram("--data '" + data.Folder() + "' recompute SMALL");
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, station.DtaFileName + ": ETo of 3 records recomputed\n");
  const std::string dta = ReadBytes(station.DtaFileName);
  EXPECT_EQ(dta.size(), test_support::kSmallDta.size());
  EXPECT_NE(dta, test_support::kSmallDta);
  EXPECT_EQ(data.Names(), (std::set<std::string>{"SMALL.DSC", "SMALL.DTA"}));
}

TEST(BatchProgram, RefusesAStationOutsideTheDataFolder) {
  ScratchFolder data;
  const Outcome outcome = RunProgram("--data '" + data.Folder() + "' recompute ../X");
  EXPECT_NE(outcome.status, 0);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err,
            "ERROR:\nillegal station name \"../X\": give the base name of a station in the data "
            "folder\n");
}

TEST(BatchProgram, WritesItsMessagesInUtf8) {
  ScratchFolder data;
  WriteStation(data.Folder(), "HOT", kDaily, {1, 7, 2001}, {1, 7, 2001},
               "        Nr       101       501\r\n         1      1e15    -999.0\r\n");
  const Outcome outcome = RunProgram("--data '" + data.Folder() + "' recompute HOT");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "ERROR:\nfile " + data.Folder() +
                             "HOT.DTA, line 2, column 2 (Tmax, \u00B0C): the value 1e15 lies "
                             "outside its plausible range -15.0 .. 45.0 \u00B0C, set by the "
                             "station's data limits\n");
}

TEST(BatchProgram, TwoProgramsOnOneStationLeaveItComplete) {
  ScratchFolder data;
  const RepClimateFile station = WriteStation(data.Folder(), "SMALL", kDaily, {1, 7, 2001},
                                              {3, 7, 2001}, test_support::kSmallDta);
  ASSERT_EQ(RunProgram("--data '" + data.Folder() + "' recompute SMALL").status, 0);
  const std::string expected = ReadBytes(station.DtaFileName);
  // Two programs at once, each recomputing the station over and over.
  const std::string loop = "for i in 1 2 3 4 5 6 7 8 9 10; do '" + std::string(VERNOLI_BATCH) +
                           "' --data '" + data.Folder() + "' recompute SMALL SMALL || exit 1; done";
  const std::string command = "(" + loop + ") >/dev/null 2>&1 & a=$!; (" + loop +
                              ") >/dev/null 2>&1 & b=$!; wait $a && wait $b";
  EXPECT_EQ(std::system(("sh -c \"" + command + "\"").c_str()), 0);
  EXPECT_EQ(ReadBytes(station.DtaFileName), expected);
  EXPECT_EQ(data.Names(), (std::set<std::string>{"SMALL.DSC", "SMALL.DTA"}));
}

}  // namespace
}  // namespace vernoli
