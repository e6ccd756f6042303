#include "model/parameters.h"

#include <gtest/gtest.h>

#include <string>

namespace vernoli {
namespace {

// ---- missing value -------------------------------------------------------------------------

TEST(IsMissing, RoundsHalfToEven) {
  EXPECT_TRUE(IsMissing(-999.0));
  EXPECT_TRUE(IsMissing(-999.4));
  EXPECT_TRUE(IsMissing(-998.6));
  EXPECT_FALSE(IsMissing(-999.6));
  EXPECT_FALSE(IsMissing(-999.5));  // ties to even: -1000
  EXPECT_FALSE(IsMissing(-998.5));  // ties to even: -998
  EXPECT_FALSE(IsMissing(0.0));
  EXPECT_FALSE(IsMissing(999.0));
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(1.5), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
  EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
  EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
  EXPECT_EQ(RoundHalfEven(-0.4), 0.0);
}

// ---- the tables ------------------------------------------------------------------------------

TEST(ParameterTable, RowsHaveFixedWidthsAndTheirOrder) {
  const auto& table = ParameterTable();
  ASSERT_EQ(table.size(), 37u);
  const int codes[37] = {101, 102, 103, 111, 112, 113, 201, 202, 203, 210, 211, 221, 222,
                         223, 224, 225, 231, 232, 233, 234, 301, 302, 303, 304, 401, 402,
                         421, 422, 423, 424, 425, 431, 432, 433, 434, 435, 501};
  for (int i = 0; i < 37; ++i) {
    SCOPED_TRACE(codes[i]);
    EXPECT_EQ(table[i].Code, codes[i]);
    EXPECT_EQ(table[i].Symbol.size(), 7u);
    EXPECT_EQ(table[i].Description.size(), 36u);
    EXPECT_EQ(table[i].Unit.size(), 11u);
    EXPECT_EQ(RowOfCode(codes[i]), i + 1);
  }
  EXPECT_EQ(RowOfCode(100), 0);
  EXPECT_EQ(RowOfCode(-999), 0);
}

TEST(ParameterTable, TextsByteForByte) {
  const auto& t = ParameterTable();
  // The degree sign is the single byte 0xB0.
  EXPECT_EQ(std::string(t[0].Unit), std::string("    \xB0") + "C     ");
  EXPECT_EQ(std::string(t[3].Unit), std::string("    \xB0") + "F     ");
  EXPECT_EQ(std::string(t[0].Symbol), "Tmax   ");
  EXPECT_EQ(std::string(t[0].Description), "maximum air temperature             ");
  EXPECT_EQ(std::string(t[12].Unit), " hPa (mbar)");
  EXPECT_EQ(std::string(t[11].Symbol), "e(act) ");
  EXPECT_EQ(std::string(t[20].Description), "wind speed (x m above soil surface) ");
  EXPECT_EQ(std::string(t[24].Description), "actual duration of sunshine in a day");
  EXPECT_EQ(std::string(t[25].Unit), "     -     ");
  EXPECT_EQ(std::string(t[30].Unit), "cal/cm2.day");
  EXPECT_EQ(std::string(t[36].Symbol), "ETo    ");
  EXPECT_EQ(std::string(t[36].Description), "reference crop evapotranspiration   ");
  EXPECT_EQ(std::string(t[36].Unit), "   mm/day  ");

  // Decimals: 4 for vapour pressure, 2 for wind, sunshine and radiation, 1 for the rest.
  for (const auto& row : t) {
    SCOPED_TRACE(row.Code);
    const int expected = (row.Code >= 221 && row.Code <= 225) ? 4
                         : (row.Code >= 301 && row.Code <= 435) ? 2
                                                                : 1;
    EXPECT_EQ(row.Decimals, expected);
  }
}

TEST(ResultTable, TextsByteForByte) {
  const auto& r = ResultTable();
  ASSERT_EQ(r.size(), 23u);
  EXPECT_EQ(std::string(r[0].Symbol), "Tmean* ");
  EXPECT_EQ(std::string(r[3].Symbol), "e(sat)");
  EXPECT_EQ(std::string(r[6].Symbol), "u2*  ");
  EXPECT_EQ(std::string(r[6].Description), "wind speed (2 m above soil surface) ");
  EXPECT_EQ(std::string(r[17].Symbol), "L(ET)  ");
  EXPECT_EQ(std::string(r[18].Description), "ETo (TIV Penman-Monteith method)    ");
  EXPECT_EQ(std::string(r[22].Symbol), "EToB-C ");
  EXPECT_EQ(std::string(r[22].Description), "ETo (TIV Blaney Criddle temp. meth.)");
  for (const auto& row : r) {
    SCOPED_TRACE(std::string(row.Symbol));
    EXPECT_EQ(row.Description.size(), 36u);
    if (row.Symbol != "e(sat)" && row.Symbol != "u2*  ") {
      EXPECT_EQ(row.Symbol.size(), 7u);
    }
  }
}

// ---- unit conversion -------------------------------------------------------------------------

struct ConversionCase {
  int code;
  double inCodeUnit;
  double standard;
};

TEST(UnitConversion, ConvertsBothWays) {
  const ConversionCase cases[] = {
      {112, 212.0, 100.0},      {111, 32.0, 0.0},          {211, 50.0, 10.0},
      {234, -40.0, -40.0},      {222, 10.0, 1.0},          {223, 1.0, 6.89476},
      {224, 1.0, 101.325},      {225, 10.0, 1.33322},      {302, 86.4, 1.0},
      {303, 10.0, 5.144},       {304, 10.0, 3.048},        {422, 100.0, 8.64},
      {432, 100.0, 8.64},       {423, 1000.0, 10.0},       {434, 2.0, 4.9},
      {425, 100.0, 4.1868},     {435, 1000.0, 41.868},     {201, 55.0, 55.0},
      {101, 20.0, 20.0},        {401, 8.5, 8.5},           {402, 0.5, 0.5},
      {501, 4.2, 4.2},          {999, 7.0, 7.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_NEAR(ToStandardUnit(c.code, c.inCodeUnit), c.standard, 1e-9);
    EXPECT_NEAR(FromStandardUnit(c.code, c.standard), c.inCodeUnit, 1e-9);
  }
}

TEST(UnitConversion, DoesNotProtectTheMissingValue) {
  EXPECT_NEAR(ToStandardUnit(422, -999.0), -86.3136, 1e-9);
}

TEST(StandardRows, ReplacesNonStandardRows) {
  {
    const int16_t codes[] = {101, 103, 203, 301, 421};
    int rows[] = {1, 3, 9, 21, 27};
    EXPECT_FALSE(StandardRows(5, codes, rows));
    EXPECT_EQ(rows[4], 27);
  }
  {
    const int16_t codes[] = {111, 113, 211, 223, 233, 234, 303, 425, 434, 501};
    int rows[10];
    for (int i = 0; i < 10; ++i) rows[i] = RowOfCode(codes[i]);
    EXPECT_TRUE(StandardRows(10, codes, rows));
    const int expected[] = {1, 3, 10, 12, 17, 18, 21, 27, 32, 37};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(rows[i], expected[i]) << codes[i];
  }
}

}  // namespace
}  // namespace vernoli
