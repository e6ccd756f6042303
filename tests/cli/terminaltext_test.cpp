#include "cli/terminaltext.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

namespace vernoli {
namespace {

// A range refused in a file's value came out of vernoli-batch as "45.0 \xB0C": the byte of the
// program's degree sign, which a UTF-8 terminal cannot show.
TEST(TerminalText, WritesTheProgramsTextsInUtf8AndLeavesUtf8AsItIs) {
  const struct {
    std::string bytes;
    const char* shown;
  } rows[] = {
      {"range -15.0 .. 45.0 \xB0" "C", "range -15.0 .. 45.0 \xC2\xB0" "C"},
      {"file Z\xC3\xBCrich.DTA, 45.0 \xB0" "C", "file Z\xC3\xBCrich.DTA, 45.0 \xC2\xB0" "C"},
      {"\xC2\xB0" "C already", "\xC2\xB0" "C already"},
      {"\x80 \x93" "a\x94", "\xE2\x82\xAC \xE2\x80\x9C" "a\xE2\x80\x9D"},
      {"M\xFC" "nchen", "M\xC3\xBC" "nchen"},  // Windows-1252, not UTF-8
      {"\xC3" "A", "\xC3\x83" "A"},             // a lead byte without its continuation
      {"\x81", "\xEF\xBF\xBD"},                 // no character of the code page
      {"\xE2\x82\xAC", "\xE2\x82\xAC"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.shown);
    TerminalText text;
    EXPECT_EQ(text.Feed(row.bytes) + text.Finish(), row.shown);
  }
}

TEST(TerminalText, KeepsACharacterSplitBetweenTwoPiecesWhole) {
  TerminalText text;
  EXPECT_EQ(text.Feed("Z\xC3"), "Z");
  EXPECT_EQ(text.Feed("\xBCrich"), "\xC3\xBCrich");
  EXPECT_EQ(text.Feed("end \xE2\x82"), "end ");
  EXPECT_EQ(text.Finish(), "\xC3\xA2\xE2\x80\x9A");  // never completed: Windows-1252 after all
}

TEST(TerminalTextBuffer, PassesEveryMessageThroughOnItsWay) {
  std::ostringstream terminal;
  {
    TerminalTextBuffer buffer(terminal.rdbuf());
    std::ostream err(&buffer);
    err << "ERROR:\n" << "45.0 \xB0" << 'C' << '\n' << "Z\xC3" << std::flush << "\xBC" << '\n';
  }
  EXPECT_EQ(terminal.str(), "ERROR:\n45.0 \xC2\xB0" "C\nZ\xC3\xBC\n");
}

}  // namespace
}  // namespace vernoli
