#include "model/numbers.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
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

// A value of a .DTA of 1.7976931348623157e308 was written rounded to 15 digits: 311 characters
// of a number above the largest double, which no later command could read.
TEST(FieldReadsBack, RefusesANumberTooWideForItsFieldOrBeyondTheLargestDouble) {
  const struct {
    double value;
    int width;
    int decimals;
    bool reads;
    const char* fault;
  } rows[] = {
      {25.7, 10, 1, true, ""},
      {-999.0, 10, 4, true, ""},
      {99999999.9, 10, 1, true, ""},  // fills the field: a blank still goes before it in a row
      {-99999999.9, 10, 1, false, "does not fit the 10 characters of its field"},
      {1e15, 10, 1, false, "does not fit the 10 characters of its field"},
      {1.7976931348623157e308, 10, 1, false, "does not fit the 10 characters of its field"},
      {1.7976931348623157e308, 400, 1, false, "would not read back as a number"},
      {2000.0, 6, 0, true, ""},
      {2000000.0, 6, 0, false, "does not fit the 6 characters of its field"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    const std::string text = FormatReal(row.value, row.width, row.decimals);
    EXPECT_EQ(FieldReadsBack(text, row.width), row.reads);
    EXPECT_EQ(FieldFault(text, row.width), row.fault);
    std::string line = "         1";
    EXPECT_EQ(AppendField(line, row.value, row.width, row.decimals), row.reads);
  }
  EXPECT_FALSE(FieldReadsBack("nan", 10));
  EXPECT_EQ(FieldFault("       inf", 10), "would not read back as a number");
}

TEST(ShortestText, ReadsBackAsTheSameDouble) {
  EXPECT_EQ(ShortestText(31.2), "31.2");
  EXPECT_EQ(ShortestText(1e15), "1e+15");
  EXPECT_EQ(ShortestText(-999.0), "-999");
  EXPECT_EQ(ShortestText(1.7976931348623157e308), "1.7976931348623157e+308");
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

// A field written in place is the text FormatInt or FormatReal gives, or nothing at all: the
// caller then appends it the long way.
TEST(PutRealField, WritesWhatFormatRealWritesOrLeavesItToIt) {
  std::mt19937_64 random(31);
  std::vector<double> values{-999.0, -0.0, 0.0, -0.04, -0.05, 0.05, 0.15, 2.15, 2.25, -1.25,
                             2.675, 1.005, 9999999.99, 99999.995, 12345678.9, -1234567.89, 1e7,
                             -1e7, 1e12, 4.6e15, 1e300, -1e300, 5e-324,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
  for (int k = -20000; k <= 20000; ++k) {
    values.push_back(k / 100.0 + 0.005);  // x.xx5: ties of 2 decimals
    values.push_back(k / 10.0 + 0.05);    // x.x5: ties of 1 decimal
    values.push_back(k / 1000.0);
  }
  for (int i = 0; i < 20000; ++i) {
    values.push_back(std::uniform_real_distribution<double>(-2000.0, 2000.0)(random));
    values.push_back(std::uniform_real_distribution<double>(-2e8, 2e8)(random));
  }
  int put = 0;
  for (double value : values) {
    for (int decimals : {-1, 0, 1, 2, 3, 4, 7, 9, 12}) {
      for (int width : {0, 6, 10, 12}) {
        const std::string expected = FormatReal(value, width, decimals);
        char field[16];
        std::fill(std::begin(field), std::end(field), '#');
        if (!PutRealField(field, value, width, decimals)) continue;
        ++put;
        ASSERT_EQ(std::string(field, static_cast<std::size_t>(width)), expected)
            << value << " " << decimals << " " << width;
        ASSERT_EQ(field[width], '#');
      }
    }
  }
  // Every value that AppendReal writes plainly and fits takes the short road.
  EXPECT_GT(put, static_cast<int>(values.size()));
  for (double value : {1.0, -999.0, 123.44, 0.0}) {
    char field[10];
    EXPECT_TRUE(PutRealField(field, value, 10, 1)) << value;
  }
  char field[10];
  EXPECT_FALSE(PutRealField(field, 123456789.0, 10, 2));  // longer than the field
  EXPECT_FALSE(PutRealField(field, 0.25, 10, 1));         // a tie: rounded the long way
}

TEST(PutIntField, WritesWhatFormatIntWritesOrNothing) {
  std::vector<int64_t> numbers{0, 1, -1, 9, 10, 99999, 123456789, 1234567890, -123456789,
                               -1234567890, 12345678901, std::numeric_limits<int64_t>::min(),
                               std::numeric_limits<int64_t>::max()};
  for (int64_t n = -100000; n <= 100000; n += 3) numbers.push_back(n * 7919);
  for (int64_t number : numbers) {
    for (int width : {0, 1, 5, 10, 12}) {
      const std::string expected = FormatInt(number, width);
      char field[16];
      std::fill(std::begin(field), std::end(field), '#');
      const bool fits = expected.size() == static_cast<std::size_t>(width);
      ASSERT_EQ(PutIntField(field, number, width), fits) << number << " " << width;
      if (!fits) continue;
      ASSERT_EQ(std::string(field, static_cast<std::size_t>(width)), expected);
      ASSERT_EQ(field[width], '#');
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

}  // namespace
}  // namespace vernoli
