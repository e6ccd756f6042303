// Climatic parameters: codes, symbols, units, the missing value and unit conversion.
//
// A parameter code names a quantity and its unit (101 Tmax in degC, 111 Tmax in degF, ...).
// The row of a code in the parameter table (1..37) indexes every in-memory climatic record.
// Texts are single-byte Windows-1252: the degree sign is the byte 0xB0.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vernoli {

// The missing value of every climatic quantity.
inline constexpr double kMissing = -999.0;
// Number of rows of the parameter table, and so of slots in a climatic record.
inline constexpr int kParameterCount = 37;
// Number of rows of the result table.
inline constexpr int kResultCount = 23;

// Round to the nearest integer, ties to even, whatever the floating-point environment.
double RoundHalfEven(double x);

// True when x rounds (half to even) to -999. Never compare a climatic value to -999 exactly.
// Ties go to even, so -999.5 (-1000) and -998.5 (-998) are not missing.
constexpr bool IsMissing(double x) noexcept { return x > -999.5 && x < -998.5; }

// One row of the parameter table; the texts have their fixed widths (7, 36, 11).
struct ParameterInfo {
  int16_t Code;
  std::string_view Symbol;       // 7 characters
  std::string_view Description;  // 36 characters
  std::string_view Unit;         // 11 characters
  uint8_t Decimals;              // decimals in files and grids
};

// One row of the result table.
struct ResultInfo {
  std::string_view Symbol;       // 7 characters, except "e(sat)" (6) and "u2*  " (5)
  std::string_view Description;  // 36 characters
};

// The 37 rows of the parameter table in their fixed order; element i is row i + 1.
const std::array<ParameterInfo, kParameterCount>& ParameterTable();
// The 23 rows of the result table in their fixed order; element i is row i + 1.
const std::array<ResultInfo, kResultCount>& ResultTable();

// Row (1..37) of a parameter code in the table, or 0 when the code is not a climatic parameter.
int RowOfCode(int code);
// The table row (1..37) as a reference.
const ParameterInfo& ParameterRow(int row);

// Rows of the parameter table that the engine reads (standard units).
namespace Row {
inline constexpr int Tmax = 1, Tmean = 2, Tmin = 3;
inline constexpr int TmaxF = 4, TmeanF = 5, TminF = 6;
inline constexpr int RHmax = 7, RHmean = 8, RHmin = 9;
inline constexpr int Tdew = 10, TdewF = 11;
inline constexpr int Eact = 12;
inline constexpr int Tdry = 17, Twet = 18, TdryF = 19, TwetF = 20;
inline constexpr int Wind = 21;
inline constexpr int Sunshine = 25, RelativeSunshine = 26;
inline constexpr int Rs = 27, Rn = 32;
inline constexpr int ETo = 37;
}  // namespace Row

// A climatic record: one value per parameter-table row, in standard units, -999 when missing.
// Indexed by row number 1..37.
struct ClimaticRecord {
  std::array<double, kParameterCount> Values;
  ClimaticRecord() { Values.fill(kMissing); }
  double& operator[](int row) { return Values[row - 1]; }
  double operator[](int row) const { return Values[row - 1]; }
};

// Converts x from the unit of `code` to the standard unit. Does not protect the missing value.
double ToStandardUnit(int code, double x);
// Converts x from the standard unit to the unit of `code`. Does not protect the missing value.
double FromStandardUnit(int code, double x);

// Replaces each rows[i] of a non-standard codes[i] by the row of the same quantity in the
// standard unit; returns whether any code of the list is non-standard.
bool StandardRows(int count, const int16_t* codes, int* rows);

// The five data limits of a station (degC, degC, %, m/sec, %).
struct StationLimits {
  int8_t LimitTmin = -15;
  int8_t LimitTmax = 45;
  int8_t LimitRHmin = 15;
  int8_t LimitWind = 8;
  int8_t LimitRadiationDeviation = 5;
};

// The lowest and highest plausible value of a quantity.
struct ValueRange {
  double Minimum;
  double Maximum;
};

}  // namespace vernoli
