// The real desktop program asked for its help or version on a terminal: it answers without a
// display, and its manual page names every option its help names.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "../cli/manual_page.h"
#include "../model/shell_command.h"

namespace vernoli {
namespace {

using test_support::LongOptions;
using test_support::ManualPageText;
using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::Undocumented;

using Outcome = test_support::CommandOutcome;

// Runs the program with `arguments` where no display can be opened: any window it tried to
// make would end it with an error.
Outcome RunWithoutDisplay(const std::string& arguments) {
  ScratchFolder home;
  return test_support::RunShellCommand(
      "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb HOME='" + home.Folder() +
      "' XDG_DATA_HOME='" + home.Folder() + "' '" VERNOLI_PROGRAM "' " + arguments);
}

TEST(ProgramOnATerminal, AnswersItsVersionWithoutADisplay) {
  const Outcome outcome = RunWithoutDisplay("--version");
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "vernoli " VERNOLI_VERSION "\n");
  EXPECT_EQ(outcome.err, "");
}

TEST(ProgramOnATerminal, SaysWhatItDoesWithoutADisplay) {
  const Outcome outcome = RunWithoutDisplay("--help");
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out.rfind("Usage: vernoli [--help | --version]\n\nVernoli computes reference "
                              "crop evapotranspiration (ETo, mm/day)",
                              0),
            0u)
      << outcome.out;
  EXPECT_NE(outcome.out.find("~/.local/share/Vernoli/"), std::string::npos);
  EXPECT_NE(outcome.out.find("vernoli-batch runs the same calculation"), std::string::npos);
  EXPECT_EQ(outcome.err, "");
}

// A Qt option before it does not hide the question.
TEST(ProgramOnATerminal, AnswersAfterAQtOption) {
  const Outcome outcome = RunWithoutDisplay("-platform offscreen --version");
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "vernoli " VERNOLI_VERSION "\n");
}

TEST(ProgramOnATerminal, ManualPageNamesEveryOptionOfTheHelp) {
  const std::set<std::string> options = LongOptions(RunWithoutDisplay("--help").out);
  ASSERT_TRUE(options.count("--help") && options.count("--version"));
  EXPECT_EQ(Undocumented(options, ManualPageText("vernoli.1")), std::set<std::string>{});
}

}  // namespace
}  // namespace vernoli
