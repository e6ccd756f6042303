// The manual page of vernoli-batch describes every command and option that its help names.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "cli/options.h"
#include "manual_page.h"

namespace vernoli {
namespace {

using test_support::LongOptions;
using test_support::ManualPageText;
using test_support::Undocumented;

// The commands of the help: the words at the start of the lines of its "Commands:" part.
std::set<std::string> HelpCommands(const std::string& help) {
  static const std::regex command("^  ([a-z][a-z-]*)  ");
  std::set<std::string> commands;
  std::istringstream lines(help.substr(help.find("\nCommands:\n")));
  std::string line;
  std::getline(lines, line);
  std::getline(lines, line);
  for (; std::getline(lines, line) && !line.empty();) {
    std::smatch match;
    if (std::regex_search(line, match, command)) commands.insert(match[1]);
  }
  return commands;
}

TEST(ManualPage, DescribesEveryCommandOfTheHelp) {
  const std::string help = BatchUsage();
  const std::set<std::string> commands = HelpCommands(help);
  ASSERT_TRUE(commands.count("recompute") && commands.count("import")) << help;
  const std::string page = ManualPageText("vernoli-batch.1");
  const std::string section = page.substr(page.find("\n.SH COMMANDS\n"));
  const std::string described = section.substr(0, section.find("\n.SH ", 1));
  for (const std::string& command : commands) {
    EXPECT_NE(described.find("\n.TP\n.B " + command + "\n"), std::string::npos)
        << "vernoli-batch.1 has no entry for the command " << command;
  }
}

TEST(ManualPage, NamesEveryOptionOfTheHelp) {
  const std::set<std::string> options = LongOptions(BatchUsage());
  ASSERT_TRUE(options.count("--data") && options.count("--version") &&
              options.count("--beyond-limits"));
  EXPECT_EQ(Undocumented(options, ManualPageText("vernoli-batch.1")), std::set<std::string>{});
}

}  // namespace
}  // namespace vernoli
