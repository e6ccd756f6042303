#include "model/textfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "scratch_folder.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;

// ---------------------------------------------------------------------------------------------
// Formatting

TEST(FormatInt, RightAlignsInTheWidth) {
  struct Row {
    const char* name;
    int64_t value;
    int width;
    const char* expected;
  };
  const Row rows[] = {
      {"record number", 1, 10, "         1"},
      {"negative limit", -15, 7, "    -15"},
      {"year", 2000, 6, "  2000"},
      {"code", 501, 10, "       501"},
      {"zero", 0, 4, "   0"},
      {"wider than the field is written whole", 123456, 3, "123456"},
      {"width zero", -7, 0, "-7"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FormatInt(row.value, row.width), row.expected);
  }
}

TEST(FormatReal, RoundsCorrectlyAndRightAligns) {
  struct Row {
    const char* name;
    double value;
    int width;
    int decimals;
    const char* expected;
  };
  const Row rows[] = {
      {"latitude", 41.9, 10, 2, "     41.90"},
      {"missing, one decimal", -999.0, 10, 1, "    -999.0"},
      {"missing, four decimals", -999.0, 10, 4, " -999.0000"},
      {"psychrometer coefficient", 0.0008, 14, 6, "      0.000800"},
      {"carry into the integer part", 9.96, 5, 1, " 10.0"},
      {"negative", -3.75, 8, 2, "   -3.75"},
      {"wider than the field is written whole", 123456.7, 5, 1, "123456.7"},
      {"large", 1.0e20, 5, 1, "100000000000000000000.0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FormatReal(row.value, row.width, row.decimals), row.expected);
  }
}

// Half-way at the last decimal rounds away from zero, judged on the decimal text a person sees
// (15 significant digits), not on the binary value behind it.
TEST(FormatReal, RoundsHalfWayAwayFromZeroAsWrittenByHand) {
  struct Row {
    const char* name;
    double value;
    int decimals;
    const char* expected;
  };
  const Row rows[] = {
      {"2.25 is exact in binary", 2.25, 1, "2.3"},
      {"-1.25 is exact in binary", -1.25, 1, "-1.3"},
      {"2.15 is 2.1499.. in binary", 2.15, 1, "2.2"},
      {"-2.15", -2.15, 1, "-2.2"},
      {"2.675 is 2.67499.. in binary", 2.675, 2, "2.68"},
      {"1.005 is 1.00499.. in binary", 1.005, 2, "1.01"},
      {"0.125 with two decimals", 0.125, 2, "0.13"},
      {"vapour pressure, four decimals", 1.23445, 4, "1.2345"},
      {"no decimals", 2.5, 0, "3"},
      {"no decimals, negative", -0.5, 0, "-1"},
      {"half-way carries into the integer part", 9.95, 1, "10.0"},
      {"99.95 carries into a new digit", 99.95, 1, "100.0"},
      {"computed 0.1 + 0.2 is 0.30000000000000004", 0.1 + 0.2, 1, "0.3"},
      {"computed 1.0 - 0.55 is 0.44999999999999996", 1.0 - 0.55, 1, "0.5"},
      {"just below half-way stays below", 2.2499, 1, "2.2"},
      {"just above half-way", 2.2501, 1, "2.3"},
      {"missing, one decimal", -999.0, 1, "-999.0"},
      {"missing, four decimals", -999.0, 4, "-999.0000"},
      {"-0.05 rounds away from zero, keeps its sign", -0.05, 1, "-0.1"},
      {"-0.049 rounds to zero, no sign", -0.049, 1, "0.0"},
      {"tiny", 1e-300, 2, "0.00"},
      {"0.005 half-way below the first digit", 0.005, 2, "0.01"},
      {"0.004 rounds to zero", 0.004, 2, "0.00"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FormatReal(row.value, 0, row.decimals), row.expected);
  }
  // The one value between two neighbours that a crop-model file interpolates.
  EXPECT_EQ(FormatReal(2.0 + (2.5 - 2.0) * 1 / 2, 12, 1), "         2.3");
}

// A field of a row never runs into the one before it, however wide its number.
TEST(FormatField, KeepsABlankBeforeANumberThatFillsTheWidth) {
  EXPECT_EQ(FormatField(25.7, 10, 1), "      25.7");
  EXPECT_EQ(FormatField(-999.0, 10, 4), " -999.0000");
  EXPECT_EQ(FormatField(12345678.9, 10, 1), " 12345678.9");
  EXPECT_EQ(FormatField(-1.0e12, 10, 1), " -1000000000000.0");
  EXPECT_EQ("      6.69" + FormatField(-9.99e15, 10, 1), "      6.69 -9990000000000000.0");
}

TEST(FormatReal, NeverWritesMinusZero) {
  EXPECT_EQ(FormatReal(-0.04, 6, 1), "   0.0");
  EXPECT_EQ(FormatReal(-0.0, 5, 1), "  0.0");
  EXPECT_EQ(FormatReal(-0.004, 6, 2), "  0.00");
  EXPECT_EQ(FormatReal(-0.4, 3, 0), "  0");
  // A negative value that does not round to zero keeps its sign.
  EXPECT_EQ(FormatReal(-0.05001, 6, 1), "  -0.1");
}

// ---------------------------------------------------------------------------------------------
// Free-format numbers

TEST(ParseReal, AcceptsFreeFormatNumbers) {
  struct Row {
    const char* text;
    double expected;
  };
  const Row rows[] = {
      {"12", 12.0},     {"-999.0", -999.0}, {"+1.5", 1.5},     {"1e3", 1000.0},
      {"-1E-2", -0.01}, {".5", 0.5},        {"7.", 7.0},       {"0.000800", 0.0008},
      {"-0", 0.0},      {"41.90", 41.9},    {"2.5e+1", 25.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    double value = -1.0;
    ASSERT_TRUE(ParseReal(row.text, value));
    EXPECT_DOUBLE_EQ(value, row.expected);
  }
}

// Plain numbers take a short road in both directions; they must give what the general
// conversions give, correctly rounded, ties to even and all.
TEST(FormatReal, PlainValuesAgreeWithTheGeneralConversion) {
  std::mt19937_64 random(12);
  std::vector<double> values{0.05, 0.15, 0.25, 0.35, 2.675, 1.005, 0.125, -0.125, 0.0625, 1e-9,
                             -0.04, -0.0, 2147.48364, 214748.3647, 1e12, -999.0, 0.45};
  for (int k = -30000; k <= 30000; ++k) {
    values.push_back(k / 1000.0);
    values.push_back(k / 2000.0);  // ties at every third decimal
    values.push_back(std::nextafter(k / 200.0, 1e9));
    values.push_back(std::nextafter(k / 200.0, -1e9));
  }
  for (int i = 0; i < 100000; ++i) {
    values.push_back(std::uniform_real_distribution<double>(-2000.0, 2000.0)(random));
  }
  for (double value : values) {
    for (int decimals : {0, 1, 2, 3, 4}) {
      // Near a tie the rounding from the 15-digit decimal decides (pinned by its own table).
      const double scaled = std::fabs(value) * std::pow(10.0, decimals);
      if (std::fabs(scaled - std::floor(scaled) - 0.5) < 1e-6) continue;
      char text[400];
      const auto [end, ec] =
          std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
      std::string expected(text, end);
      if (expected.find_first_not_of("-0.") == std::string::npos && expected[0] == '-') {
        expected.erase(0, 1);
      }
      if (expected.size() < 12) expected.insert(0, 12 - expected.size(), ' ');
      ASSERT_EQ(FormatReal(value, 12, decimals), expected) << value << " " << decimals;
    }
  }
}

TEST(ParseReal, PlainDecimalsAgreeWithTheGeneralConversion) {
  std::mt19937_64 random(7);
  std::vector<std::string> texts{"0.1", "-0.0", "123456789012345", "1234567890.12345",
                                 "9007199254740993", "0.000000000000001", "00012.50", "-999.0000",
                                 "5555555555555555555555", "1.5555555555555555555555"};  // no overflow
  for (int i = 0; i < 200000; ++i) {
    std::string text = random() % 2 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 15);
    const int point = static_cast<int>(random() % static_cast<unsigned>(digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point && d > 0) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    double expected = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(ec, std::errc()) << text;
    double value = 1.0;
    ASSERT_TRUE(ParseReal(text, value)) << text;
    ASSERT_EQ(std::bit_cast<uint64_t>(value), std::bit_cast<uint64_t>(expected)) << text;
  }
}

TEST(ParseReal, RefusesWhatIsNoNumberAndKeepsTheValue) {
  const char* rows[] = {"",    "+",    "-",  "+-1", "1,5", "abc", "12abc", "1.2.3",
                        "inf", "-inf", "nan", "1e999", "0x10", "1e", " 1", "1 "};
  for (const char* text : rows) {
    SCOPED_TRACE(text);
    double value = 42.0;
    EXPECT_FALSE(ParseReal(text, value));
    EXPECT_EQ(value, 42.0);
  }
}

TEST(ParseInt, AcceptsSignedIntegersOnly) {
  int64_t value = 0;
  EXPECT_TRUE(ParseInt("12", value));
  EXPECT_EQ(value, 12);
  EXPECT_TRUE(ParseInt("-15", value));
  EXPECT_EQ(value, -15);
  EXPECT_TRUE(ParseInt("+7", value));
  EXPECT_EQ(value, 7);
  for (const char* text : {"", "+", "1.0", "1e3", "12a", "+-3", "99999999999999999999"}) {
    SCOPED_TRACE(text);
    value = 5;
    EXPECT_FALSE(ParseInt(text, value));
    EXPECT_EQ(value, 5);
  }
}

TEST(NumberScanner, ReadsNumbersSeparatedByBlanksAndTabs) {
  NumberScanner scanner("  1\t-2.5   +3e1 \t ");
  int64_t first = 0;
  double second = 0.0, third = 0.0;
  ASSERT_TRUE(scanner.ReadInt(first));
  ASSERT_TRUE(scanner.ReadReal(second));
  ASSERT_TRUE(scanner.ReadReal(third));
  EXPECT_EQ(first, 1);
  EXPECT_DOUBLE_EQ(second, -2.5);
  EXPECT_DOUBLE_EQ(third, 30.0);
  EXPECT_TRUE(scanner.AtEnd());
  EXPECT_FALSE(scanner.ReadReal(third));
}

TEST(NumberScanner, FailedReadLeavesThePosition) {
  NumberScanner scanner("   12.5 x");
  int64_t integer = 0;
  EXPECT_FALSE(scanner.ReadInt(integer));  // 12.5 is no integer
  EXPECT_EQ(scanner.Position(), 0u);
  double real = 0.0;
  EXPECT_TRUE(scanner.ReadReal(real));
  EXPECT_DOUBLE_EQ(real, 12.5);
  EXPECT_FALSE(scanner.AtEnd());
  EXPECT_FALSE(scanner.ReadReal(real));
  EXPECT_DOUBLE_EQ(real, 12.5);
}

TEST(NumberScanner, NarrowIntegersRefuseValuesOutsideTheirRange) {
  int16_t code = 0;
  NumberScanner tooBig("40000");
  EXPECT_FALSE(tooBig.ReadInt16(code));
  NumberScanner fits("-32768 32767");
  ASSERT_TRUE(fits.ReadInt16(code));
  EXPECT_EQ(code, -32768);
  ASSERT_TRUE(fits.ReadInt16(code));
  EXPECT_EQ(code, 32767);

  int32_t altitude = 0;
  NumberScanner huge("3000000000");
  EXPECT_FALSE(huge.ReadInt32(altitude));
}

TEST(NumberScanner, SkipStopsAtTheEndOfAShortLine) {
  NumberScanner scanner("   Nr");
  scanner.Skip(10);
  EXPECT_TRUE(scanner.AtEnd());
  EXPECT_EQ(scanner.Position(), 5u);
}

// ---------------------------------------------------------------------------------------------
// Messages and paths

TEST(FileMessages, NameTheFileAndTheLine) {
  EXPECT_EQ(ReasonCannotOpen("d/A.DSC"), "cannot open file d/A.DSC");
  EXPECT_EQ(ReasonCannotRead("d/A.DSC", 4), "cannot read file d/A.DSC, line 4");
  EXPECT_EQ(ReasonUnexpectedEnd("d/A.DSC", 13), "file d/A.DSC ends before line 13");
  EXPECT_EQ(ReasonNotANumber("d/A.DTA", 7), "cannot read a number in file d/A.DTA, line 7");
  EXPECT_EQ(ReasonTooFewValues("d/A.DTA", 9), "too few values in file d/A.DTA, line 9");
  EXPECT_EQ(ReasonInvalidDate("d/A.DSC", 8), "invalid date in file d/A.DSC, line 8");
  EXPECT_EQ(ReasonCannotWrite("d/A.DSC"), "cannot write file d/A.DSC");
  EXPECT_EQ(Status::Error(ReasonCannotWrite("A")).Message, "ERROR:\ncannot write file A");
}

TEST(PathInFolder, PutsOneSeparatorBetweenFolderAndName) {
  EXPECT_EQ(PathInFolder("data/", "A.DSC"), "data/A.DSC");
  EXPECT_EQ(PathInFolder("data", "A.DSC"), "data/A.DSC");
  EXPECT_EQ(PathInFolder("", "A.DSC"), "A.DSC");
}

// ---------------------------------------------------------------------------------------------
// LineReader

std::vector<std::string> ReadAllLines(const std::string& path, Status* status = nullptr) {
  LineReader reader;
  std::vector<std::string> lines;
  Status opened = reader.Open(path);
  if (opened) {
    std::string line;
    while (reader.Next(line)) {
      lines.push_back(line);
      EXPECT_EQ(reader.LineNumber(), static_cast<int>(lines.size()));
    }
  }
  if (status != nullptr) *status = opened ? reader.status() : opened;
  return lines;
}

TEST(LineReader, ReadsEveryKindOfLineEnd) {
  struct Row {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF only", "a\nb\n", {"a", "b"}},
      {"mixed", "a\r\nb\nc\r\n", {"a", "b", "c"}},
      {"no final line end", "a\r\nb", {"a", "b"}},
      {"a CR alone at the end", "a\r\nb\r", {"a", "b"}},
      {"empty lines kept", "a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}},
      {"one empty line", "\r\n", {""}},
      {"empty file", "", {}},
      {"CR inside a line kept", "a\rb\r\n", {"a\rb"}},
      {"Windows-1252 bytes kept", "12\xB0" "C\r\n", {"12\xB0" "C"}},
  };
  ScratchFolder folder;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string path = folder.File("lines.txt");
    WriteBytes(path, row.bytes);
    Status status;
    EXPECT_EQ(ReadAllLines(path, &status), row.lines);
    EXPECT_TRUE(status.Ok);
  }
}

TEST(LineReader, ReadsLinesAcrossItsBufferBoundaries) {
  ScratchFolder folder;
  std::string path = folder.File("big.txt");
  std::string bytes;
  const int count = 30000;  // some 420 kB, several buffer fills
  for (int i = 1; i <= count; ++i) bytes += FormatInt(i, 10) + "    -999.0\r\n";
  std::string longLine(200000, 'x');  // one line longer than the buffer
  bytes += longLine;
  WriteBytes(path, bytes);

  std::vector<std::string> lines = ReadAllLines(path);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(count + 1));
  for (int i = 1; i <= count; ++i) {
    ASSERT_EQ(lines[static_cast<std::size_t>(i - 1)], FormatInt(i, 10) + "    -999.0");
  }
  EXPECT_EQ(lines.back(), longLine);
}

TEST(LineReader, SkipLinesHandsOverTheBytesAndCountsTheLines) {
  ScratchFolder folder;
  const std::string path = folder.File("skip.txt");
  std::string bytes = "first\r\nsecond\n";
  for (int i = 3; i <= 20000; ++i) bytes += FormatInt(i, 10) + "\r\n";  // beyond the buffer
  bytes += "last without end";
  WriteBytes(path, bytes);

  LineReader reader;
  ASSERT_TRUE(reader.Open(path).Ok);
  std::string copied;
  const auto copy = [&copied](std::string_view part) { copied += part; };
  EXPECT_EQ(reader.SkipLines(2, copy), 2);
  EXPECT_EQ(copied, "first\r\nsecond\n");
  EXPECT_EQ(reader.SkipLines(9000), 9000);
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, FormatInt(9003, 10));
  EXPECT_EQ(reader.LineNumber(), 9003);
  copied.clear();
  EXPECT_EQ(reader.SkipLines(1000000, copy), 20001 - 9003);
  EXPECT_EQ(copied, bytes.substr(bytes.find(FormatInt(9004, 10) + "\r\n")));
  EXPECT_EQ(reader.LineNumber(), 20001);
  EXPECT_FALSE(reader.Next(line));
  EXPECT_TRUE(reader.status().Ok);
}

TEST(LineReader, MissingFileOrFolderIsAnErrorNamingIt) {
  ScratchFolder folder;
  LineReader reader;
  std::string missing = folder.File("none.DSC");
  Status status = reader.Open(missing);
  EXPECT_FALSE(status.Ok);
  EXPECT_EQ(status.Message, "ERROR:\ncannot open file " + missing);
  std::string line;
  EXPECT_FALSE(reader.Next(line));

  std::filesystem::create_directory(folder.File("sub"));
  status = reader.Open(folder.File("sub"));
  EXPECT_EQ(status.Message, "ERROR:\ncannot open file " + folder.File("sub"));
}

// ---------------------------------------------------------------------------------------------
// AtomicFile

class AtomicFileTest : public ::testing::Test {
 protected:
  void TearDown() override { AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::None); }
  ScratchFolder folder_;
};

// A process that ends mid-write leaves its temporary file; the next writer of the target takes
// it over, so it neither blocks nor stays. Two writers of one target at once each get their own.
TEST_F(AtomicFileTest, TemporaryLeftByAnEndedWriterIsTakenOverByTheNext) {
  const std::string path = folder_.File("A.DSC");
  std::ofstream(folder_.File(".A.DSC.part")) << "half a file of an ended process";
  AtomicFile first(path);
  AtomicFile second(path);
  first.WriteLine("first");
  second.WriteLine("second");
  ASSERT_TRUE(first.Commit());
  EXPECT_EQ(ReadBytes(path), "first\r\n");
  ASSERT_TRUE(second.Commit());
  EXPECT_EQ(ReadBytes(path), "second\r\n");
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DSC"});
}

TEST_F(AtomicFileTest, WritesTheContentWithCrLfAndLeavesNoTemporaryFile) {
  std::string path = folder_.File("A.DSC");
  AtomicFile file(path);
  file.WriteLine("Alpha");
  file.Write("12");
  file.WriteLine("");
  file.WriteLine("");
  EXPECT_TRUE(file.Good());
  // Nothing reaches the target before the commit.
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_TRUE(file.Commit().Ok);
  EXPECT_EQ(ReadBytes(path), "Alpha\r\n12\r\n\r\n");
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DSC"});
}

TEST_F(AtomicFileTest, ReplacesAnExistingFileAndKeepsItsPermissions) {
  std::string path = folder_.File("A.DTA");
  WriteBytes(path, "old content that is longer than the new one\r\n");
  ::chmod(path.c_str(), 0640);
  AtomicFile file(path);
  file.WriteLine("new");
  ASSERT_TRUE(file.Commit().Ok);
  EXPECT_EQ(ReadBytes(path), "new\r\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DTA"});
}

TEST_F(AtomicFileTest, ScratchFileReplacesTheOldOneOrLeavesItWhenTheRenameFails) {
  const std::string path = folder_.File("FullSet.TMP");
  for (const char* content : {"", "old\r\n"}) {  // without and with a file to replace
    SCOPED_TRACE(content);
    if (*content != '\0') WriteBytes(path, content);
    AtomicFile file(path, AtomicFile::Durability::Scratch);
    file.WriteLine("new");
    ASSERT_TRUE(file.Commit().Ok);
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    EXPECT_EQ(folder_.Names(), std::set<std::string>{"FullSet.TMP"});
  }
  // A target that is a folder with something in it cannot be replaced: it stays as it was.
  const std::string busy = folder_.File("busy");
  std::filesystem::create_directories(busy + "/inside");
  AtomicFile file(busy, AtomicFile::Durability::Scratch);
  file.WriteLine("new");
  EXPECT_FALSE(file.Commit().Ok);
  EXPECT_TRUE(std::filesystem::is_directory(busy + "/inside"));
  EXPECT_EQ(folder_.Names(), (std::set<std::string>{"FullSet.TMP", "busy"}));
}

TEST_F(AtomicFileTest, WritesContentLargerThanItsBuffer) {
  std::string path = folder_.File("big.DTA");
  std::string expected;
  AtomicFile file(path);
  for (int i = 0; i < 20000; ++i) {
    std::string line = FormatInt(i, 10) + FormatReal(i * 0.5, 10, 1);
    file.WriteLine(line);
    expected += line + "\r\n";
  }
  ASSERT_TRUE(file.Commit().Ok);
  EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(AtomicFileTest, DroppedWithoutCommitLeavesTheTargetAsItWas) {
  std::string path = folder_.File("A.DSC");
  WriteBytes(path, "old\r\n");
  {
    AtomicFile file(path);
    file.WriteLine("new");
  }
  EXPECT_EQ(ReadBytes(path), "old\r\n");
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DSC"});
}

TEST_F(AtomicFileTest, FailureAtAnyStepLeavesTheOldFileAndNoTemporaryFile) {
  struct Row {
    const char* name;
    AtomicFile::FailAt step;
  };
  const Row rows[] = {
      {"write", AtomicFile::FailAt::Write},
      {"sync", AtomicFile::FailAt::Sync},
      {"rename", AtomicFile::FailAt::Rename},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string path = folder_.File("A.DSC");
    WriteBytes(path, "old\r\n");
    AtomicFile::InjectFailureForTesting(row.step);
    AtomicFile file(path);
    file.WriteLine("new");
    Status status = file.Commit();
    EXPECT_FALSE(status.Ok);
    EXPECT_EQ(status.Message, "ERROR:\ncannot write file " + path);
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DSC"});
  }
}

TEST_F(AtomicFileTest, TargetThatIsAFolderFailsAndStaysUntouched) {
  // Tests may run with every permission, so a read-only folder would not fail; a folder in
  // the target's place makes the final rename fail instead.
  std::string path = folder_.File("A.DSC");
  std::filesystem::create_directory(path);
  WriteBytes(path + "/inside", "kept");
  AtomicFile file(path);
  file.WriteLine("new");
  Status status = file.Commit();
  EXPECT_FALSE(status.Ok);
  EXPECT_EQ(status.Message, "ERROR:\ncannot write file " + path);
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(ReadBytes(path + "/inside"), "kept");
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DSC"});
}

TEST_F(AtomicFileTest, MissingFolderFailsNamingTheTarget) {
  std::string path = folder_.File("no-such-folder/A.DSC");
  AtomicFile file(path);
  EXPECT_FALSE(file.Good());
  file.WriteLine("new");
  Status status = file.Commit();
  EXPECT_EQ(status.Message, "ERROR:\ncannot write file " + path);
  EXPECT_TRUE(folder_.Names().empty());
}

TEST_F(AtomicFileTest, CommitsOnlyOnce) {
  std::string path = folder_.File("A.DSC");
  AtomicFile file(path);
  file.WriteLine("first");
  ASSERT_TRUE(file.Commit().Ok);
  file.WriteLine("second");
  EXPECT_FALSE(file.Commit().Ok);
  EXPECT_EQ(ReadBytes(path), "first\r\n");
}

}  // namespace
}  // namespace vernoli
