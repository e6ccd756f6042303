// The text level of a delimited file: bounded lines, fields with quoting, numbers with either
// decimal sign, the marks of a missing value, and header text in UTF-8 or Windows-1252.
#include "import/delimitedtext.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../model/scratch_folder.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteBytes;
using Fields = std::vector<std::string>;

// ---------------------------------------------------------------------------------------------
// Lines

std::vector<std::string> AllLines(const std::string& bytes, Status& status) {
  ScratchFolder folder;
  WriteBytes(folder.File("in.csv"), bytes);
  BoundedLineReader reader;
  std::vector<std::string> lines;
  status = reader.Open(folder.File("in.csv"));
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  if (!reader.status()) status = reader.status();
  return lines;
}

TEST(BoundedLineReader, TakesCrLfLfAndALastLineWithoutItsEndAndDropsAByteOrderMark) {
  Status status;
  EXPECT_EQ(AllLines("\xEF\xBB\xBF" "a,b\r\n\r\nc\nd", status), (Fields{"a,b", "", "c", "d"}));
  EXPECT_TRUE(status.Ok);
  EXPECT_EQ(AllLines("", status), Fields{});
}

TEST(BoundedLineReader, TakesA64KiBLineAndRefusesOneByteMoreNamingTheLine) {
  ScratchFolder folder;
  const std::string full(kMaxDelimitedLine, 'x');
  Status status;
  EXPECT_EQ(AllLines("a\r\n" + full + "\r\nb\r\n", status).size(), 3u);
  EXPECT_TRUE(status.Ok);

  const std::vector<std::string> lines = AllLines("a\n" + full + "x\nb\n", status);
  EXPECT_EQ(lines, Fields{"a"});
  EXPECT_FALSE(status.Ok);
  EXPECT_NE(status.Message.find("line 2 of file "), std::string::npos) << status.Message;
  EXPECT_NE(status.Message.find(" is longer than 65536 bytes; lines of up to 64 KiB (65536 bytes)"
                                " are accepted"),
            std::string::npos);
}

TEST(BoundedLineReader, AMissingFileIsAnErrorNamingIt) {
  BoundedLineReader reader;
  const Status status = reader.Open("/nonexistent/folder/in.csv");
  EXPECT_EQ(status.Message,
            "ERROR:\ncannot open file /nonexistent/folder/in.csv: No such file or directory");
}

// An import file in a shared folder may be a link to a device: it is refused at once, naming it,
// and nothing is read from it.
TEST(BoundedLineReader, RefusesALinkToADeviceNamingIt) {
  ScratchFolder folder;
  const std::string path = folder.File("in.csv");
  std::filesystem::create_symlink("/dev/zero", path);
  BoundedLineReader reader;
  EXPECT_EQ(reader.Open(path).Message,
            "ERROR:\n" + path +
                " is not a regular file (a device); a regular file, or a link to one, is read");
  std::string line;
  EXPECT_FALSE(reader.Next(line));
}

// ---------------------------------------------------------------------------------------------
// Fields

TEST(SplitFields, SplitsAtTheSeparatorWithQuotingAsRfc4180) {
  struct Case {
    const char* line;
    FieldSeparator separator;
    Fields fields;
  };
  const Case cases[] = {
      {"  260,19800101,  275,     ,  -12", FieldSeparator::Comma,
       {"260", "19800101", "275", "", "-12"}},
      {"a,b,", FieldSeparator::Comma, {"a", "b", ""}},
      {",", FieldSeparator::Comma, {"", ""}},
      {"16412;01.01.2000;300,0", FieldSeparator::Semicolon, {"16412", "01.01.2000", "300,0"}},
      {"a\t b \t\tc", FieldSeparator::Tab, {"a", "b", "", "c"}},
      {"  2000-01-01 \t 1.5   2 ", FieldSeparator::Blanks, {"2000-01-01", "1.5", "2"}},
      {"\"a,b\",\"say \"\"hi\"\"\" , c", FieldSeparator::Comma, {"a,b", "say \"hi\"", "c"}},
      {"\" padded \",\"\"", FieldSeparator::Comma, {" padded ", ""}},
      {"\"max temp\" \"min temp\"", FieldSeparator::Blanks, {"max temp", "min temp"}},
      {"12\"5,x", FieldSeparator::Comma, {"12\"5", "x"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Fields fields{"left over"};
    EXPECT_TRUE(SplitFields(c.line, c.separator, fields).Ok());
    EXPECT_EQ(fields, c.fields);
  }
}

TEST(SplitFields, NamesTheColumnOfAQuoteNotClosedOrFollowedByText) {
  Fields fields;
  SplitResult result = SplitFields("a,\"b,c", FieldSeparator::Comma, fields);
  EXPECT_EQ(result.Fault, SplitFault::UnclosedQuote);
  EXPECT_EQ(result.Column, 2);
  result = SplitFields("a;b;\"c\"d", FieldSeparator::Semicolon, fields);
  EXPECT_EQ(result.Fault, SplitFault::TextAfterQuote);
  EXPECT_EQ(result.Column, 3);
}

// ---------------------------------------------------------------------------------------------
// Numbers and missing values

TEST(ParseDecimal, ReadsTheGivenDecimalSignOnly) {
  struct Case {
    const char* text;
    DecimalSign sign;
    bool ok;
    double value;
  };
  const Case cases[] = {
      {"-2.7", DecimalSign::Point, true, -2.7}, {"-2,7", DecimalSign::Comma, true, -2.7},
      {"300", DecimalSign::Comma, true, 300.0}, {"1e3", DecimalSign::Point, true, 1000.0},
      {"2,7", DecimalSign::Point, false, 0},    {"2.7", DecimalSign::Comma, false, 0},
      {"1.234,5", DecimalSign::Comma, false, 0}, {"12 5", DecimalSign::Point, false, 0},
      {"nan", DecimalSign::Point, false, 0},    {"", DecimalSign::Point, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    double value = 0;
    EXPECT_EQ(ParseDecimal(c.text, c.sign, value), c.ok);
    if (c.ok) {
      EXPECT_DOUBLE_EQ(value, c.value);
    }
  }
  EXPECT_EQ(DecimalSignOf("-2,7"), DecimalSign::Comma);
  EXPECT_EQ(DecimalSignOf("12.5"), DecimalSign::Point);
  EXPECT_EQ(DecimalSignOf("-12"), DecimalSign::Auto);
}

TEST(MissingMarkers, TheBuiltInOnesAndTheCallersIgnoringLetterCase) {
  for (const char* text : {"", "  ", "NA", "na", "N/A", "NaN", "NAN", "null", "NULL", "-"}) {
    EXPECT_TRUE(IsMissingMarker(text)) << text;
  }
  for (const char* text : {"0", "--", "-1", "none", "NO RECORD"}) {
    EXPECT_FALSE(IsMissingMarker(text)) << text;
  }
  const std::vector<std::string> markers = {"NO RECORD", " x "};
  EXPECT_TRUE(IsNamedMarker(" no record ", markers));
  EXPECT_TRUE(IsNamedMarker("X", markers));
  EXPECT_FALSE(IsNamedMarker("NO RECORDS", markers));
}

// ---------------------------------------------------------------------------------------------
// Text

TEST(ToWindows1252, DecodesUtf8AndKeepsWindows1252) {
  EXPECT_EQ(ToWindows1252("Tmax[\xC2\xB0" "C]"), "Tmax[\xB0" "C]");
  EXPECT_EQ(ToWindows1252("Tmax[\xB0" "C]"), "Tmax[\xB0" "C]");  // not UTF-8: as it is
  EXPECT_EQ(ToWindows1252("Rs[W/m\xC2\xB2]"), "Rs[W/m\xB2]");
  EXPECT_EQ(ToWindows1252("T[\xE2\x84\x83]"), "T[\xB0" "C]");   // the sign U+2103
  EXPECT_EQ(ToWindows1252("\xE2\x82\xAC \xE6\xB0\x94"), "\x80 ?");  // euro; no single byte
  EXPECT_EQ(ToWindows1252("\xC0\xB0"), "\xC0\xB0");  // an overlong form is no UTF-8
  EXPECT_EQ(ToWindows1252("plain"), "plain");
}

TEST(QuotedForMessage, CutsALongTextAfter40Bytes) {
  EXPECT_EQ(QuotedForMessage("12,5"), "\"12,5\"");
  EXPECT_EQ(QuotedForMessage(std::string(50, 'x')), "\"" + std::string(40, 'x') + "...\"");
}

}  // namespace
}  // namespace vernoli
