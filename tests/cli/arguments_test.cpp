#include "cli/arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vernoli {
namespace {

constexpr OptionSpec kOptions[] = {{"--name"}, {"--all", false}};

// Every argument of `args` as "NAME=VALUE" ("=VALUE" for a positional one), then "!" and the
// reader's fault when it stopped at one.
std::vector<std::string> Read(const std::vector<std::string>& args,
                              ArgumentReader::Dashes dashes = ArgumentReader::Dashes::One) {
  ArgumentReader reader(args, dashes);
  std::vector<std::string> read;
  Argument argument;
  while (reader.Next(kOptions, "report", argument)) {
    read.push_back(argument.Name + "=" + argument.Value);
  }
  if (!reader.Error().empty()) read.push_back("!" + reader.Error());
  return read;
}

TEST(ArgumentReader, ReadsOptionsFlagsAndPositionalArgumentsInTheirOrder) {
  EXPECT_EQ(Read({"A", "--name", "N", "--all", "--name=M=2", "--name=", "B"}),
            (std::vector<std::string>{"=A", "--name=N", "--all=", "--name=M=2", "--name=", "=B"}));
  // A value is the next word, whatever it looks like.
  EXPECT_EQ(Read({"--name", "--all", "--name", "-x"}),
            (std::vector<std::string>{"--name=--all", "--name=-x"}));
  EXPECT_EQ(Read({"-"}), std::vector<std::string>{"=-"});
}

TEST(ArgumentReader, StopsAtTheFirstFaultWithItsReason) {
  EXPECT_EQ(Read({"A", "--bogus=1", "--name"}),
            (std::vector<std::string>{"=A", "!unknown option --bogus for report"}));
  EXPECT_EQ(Read({"--all=yes"}), std::vector<std::string>{"!unknown option --all for report"});
  EXPECT_EQ(Read({"--all", "--name"}),
            (std::vector<std::string>{"--all=", "!option --name needs a value"}));
  EXPECT_EQ(Read({"--"}), std::vector<std::string>{"!unknown option -- for report"});

  const std::vector<std::string> bogus{"--bogus"};
  ArgumentReader reader(bogus);
  Argument argument;
  EXPECT_FALSE(reader.Next(kOptions, "", argument));
  EXPECT_EQ(reader.Error(), "unknown option --bogus");
  EXPECT_FALSE(reader.Next(kOptions, "", argument));  // it stays stopped
}

TEST(ArgumentReader, OneDashMakesAnOptionOnlyWhereAsked) {
  EXPECT_EQ(Read({"-x=1"}), std::vector<std::string>{"!unknown option -x=1 for report"});
  EXPECT_EQ(Read({"-x", "--all"}, ArgumentReader::Dashes::Two),
            (std::vector<std::string>{"=-x", "--all="}));
}

TEST(ArgumentReader, RestGivesTheWordsNotReadYet) {
  const std::vector<std::string> args{"--name", "N", "import", "--all", "-x"};
  ArgumentReader reader(args);
  Argument argument;
  ASSERT_TRUE(reader.Next(kOptions, "", argument));
  EXPECT_EQ(reader.Rest(), (std::vector<std::string>{"import", "--all", "-x"}));
  ASSERT_TRUE(reader.Next(kOptions, "", argument));
  EXPECT_EQ(argument.Value, "import");
  EXPECT_EQ(reader.Rest(), (std::vector<std::string>{"--all", "-x"}));
}

}  // namespace
}  // namespace vernoli
