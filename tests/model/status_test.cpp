#include "model/status.h"

#include <gtest/gtest.h>

#include <string>

namespace vernoli {
namespace {

// ---------------------------------------------------------------------------------------------
// Names in messages

// A file of the data folder named "Q", a line break, "ERROR:", a line break and "forged failure
// of DEBILT.DSC" put those lines into the messages of recompute --all, where a search for the
// line after "ERROR:" reported a failure of DEBILT.
TEST(QuotedName, KeepsANameOnItsLineAndAwayFromTheTerminal) {
  const struct {
    std::string name;
    const char* quoted;
  } rows[] = {
      {"DEBILT", "\"DEBILT\""},
      {"Q\nERROR:\nforged failure of DEBILT.DSC", "\"Q\\nERROR:\\nforged failure of DEBILT.DSC\""},
      {"A\x1b[2JB", "\"A\\x1b[2JB\""},
      {"tab\there\r", "\"tab\\there\\r\""},
      {std::string("nul\0", 4) + "\x7f", "\"nul\\x00\\x7f\""},
      // U+009B, the terminal's one-character escape, in UTF-8; other letters stay as they are.
      {"csi\xc2\x9b" "2J", "\"csi\\xc2\\x9b2J\""},
      {"M\xc3\xbcnchen \xb0", "\"M\xc3\xbcnchen \xb0\""},
      // A quote or backslash of the name cannot pass for the end of the quotes or an escape.
      {"say \"hi\" \\n", "\"say \\\"hi\\\" \\\\n\""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.quoted);
    EXPECT_EQ(QuotedName(row.name), row.quoted);
    EXPECT_EQ(QuotedName(row.name).find('\n'), std::string::npos);
  }
}

TEST(HasControlCharacter, FindsTheCharactersATerminalActsOn) {
  EXPECT_FALSE(HasControlCharacter("DEBILT"));
  EXPECT_FALSE(HasControlCharacter("M\xc3\xbcnchen \xb0"));
  EXPECT_FALSE(HasControlCharacter("\xc2\xa0"));  // a no-break space
  EXPECT_TRUE(HasControlCharacter("Q\nERROR:"));
  EXPECT_TRUE(HasControlCharacter("\x1b[2J"));
  EXPECT_TRUE(HasControlCharacter("x\x7f"));
  EXPECT_TRUE(HasControlCharacter("x\xc2\x9b"));
}

}  // namespace
}  // namespace vernoli
