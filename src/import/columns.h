// Assigning a parameter code to every column of an import file: the four pages of the code list,
// the groups of codes that may stand in only one column, the one temperature unit of all
// temperature-like columns, the program limits of each column, and the status report that
// decides whether the import may go on.
//
// Every cell text the grids show is built here, so the form copies texts into cells and nothing
// else. Texts are Windows-1252 bytes (the degree sign is 0xB0).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "import/scan.h"
#include "model/station.h"

namespace vernoli {

// ---------------------------------------------------------------------------------------------
// The list of codes (GroupBoxCode): four pages, one grid each

enum class CodePage : uint8_t { Temperature, Humidity, Wind, Radiation };
inline constexpr std::array<CodePage, 4> kCodePages = {CodePage::Temperature, CodePage::Humidity,
                                                       CodePage::Wind, CodePage::Radiation};

// "Temperature", " Humidity ", " Wind speed", " Sunshine and Radiation ".
std::string_view CodePageCaption(CodePage page);
// The title row of every page grid: "Code", "Symbol", "Unit", "Description".
inline constexpr std::array<std::string_view, 4> kCodeGridTitles = {"Code", "Symbol", "Unit",
                                                                    "Description"};
// The hint beside the column grids (hidden for the database kinds).
inline constexpr std::string_view kClickToSelectCode = "<< click in cell to select code >>";
// The caption of the button that closes the list.
inline constexpr std::string_view kCloseCodeList = "Close";

struct CodeListRow {
  int TableRow = 0;              // row of the parameter table, 1..36
  std::string Code;              // I(5)
  std::string_view Symbol;       // as in the parameter table
  std::string_view Unit;
  std::string_view Description;
};
// The rows of a page: table rows 1-6, 7-20, 21-24 or 25-36. ETo is not offered.
std::vector<CodeListRow> CodePageRows(CodePage page);

// ---------------------------------------------------------------------------------------------
// Rules of the codes

// The codes that choosing `code` clears from every other column: the code itself and the codes
// of its group of alternatives (the same quantity in the other temperature unit, the other dew
// point, the same bulb in the other unit, all vapour pressures, wind speeds, solar or net
// radiations).
std::vector<int16_t> CodesClearedBy(int code);
// 101-103, 210, 231, 232 (degC) and 111-113, 211, 233, 234 (degF).
bool IsTemperatureLike(int code);
bool IsFahrenheit(int code);
// The first degC and the first degF code of a list that holds temperature-like codes of both
// units; {0, 0} when all are of one unit.
std::pair<int, int> MixedTemperatureUnits(std::span<const int> codes);
// The same temperature in the other unit: 101 <-> 111, ..., 210 <-> 211, 231 <-> 233, 232 <-> 234;
// 0 for a code that is not temperature-like.
int TemperaturePair(int code);

// The program limits of a code for the station's limits, latitude and altitude, in the code's
// unit: for 401 and 421-435 the highest upper limit of days 1-365 and the lower limit of day 365,
// for every other code both of day 180.
ValueRange LimitsOfCode(int code, const RepClimateFile& station);

// ---------------------------------------------------------------------------------------------
// The assignment

// The texts of one column in the four aligned grids; the texts are empty while unassigned.
struct ImportColumn {
  std::string Number;     // StringGridNrCol: the 1-based number, I(4)
  std::string Symbol;     // StringGridClimParam row 0
  std::string Unit;       // row 1
  std::string CodeText;   // row 2, I(5)
  std::string MaximumText;  // StringGridMinMax row 0
  std::string MinimumText;  // row 1
  std::string UpperText;    // StringGridUpLow row 0
  std::string LowerText;    // row 1
  int16_t Code = -999;      // -999 without code
  double Maximum = 0.0;     // from the scan
  double Minimum = 0.0;
};

// The status report (StringGridParamReport beside StringGridParamReport2) and the parameter lamp.
inline constexpr std::array<std::string_view, 4> kReportTitles = {"Nr", "Symbol", "Unit",
                                                                  "        Range"};
inline constexpr std::string_view kReportErrorTitle = "   error message";
inline constexpr std::string_view kReportNoError = ".......................................";
inline constexpr std::string_view kParameterNotSpecified = "Climatic parameter not yet specified";
inline constexpr std::string_view kUpdateDataRange = "Update data range";
inline constexpr std::string_view kRangeExceedsLimits = "Range of climatic data exceeds limits";
inline constexpr std::string_view kWithinLimits = "within program limits";
inline constexpr std::string_view kUndefinedParameters = "Undefined number of Climatic parameters";
inline constexpr std::string_view kCheckParameters = "CHECK climatic parameters";

struct ReportRow {
  std::string Nr;      // I(3)
  std::string Symbol;
  std::string Unit;
  std::string Range;   // empty, "within program limits" or "Range of climatic data exceeds limits"
  std::string Error;   // the row of 39 points, or the reason
  bool Failed = false; // the column's lamp (ShapeParNRED) is red, else its green one shows
};

struct ParameterReport {
  bool Defined = false;   // false: the number of columns is undefined, the grids are hidden
  bool LampGreen = false;  // the parameter lamp
  std::string ClimParamEdit;   // the number of columns, I(6); empty while undefined
  // ErrorParamLabel: "Check parameter(s) : 1, 3" when columns failed, empty when none did,
  // "Undefined number of Climatic parameters" while undefined.
  std::string ErrorParamLabel;
  std::vector<ReportRow> Rows;
};

class ColumnAssignment {
 public:
  // The number of columns is undefined.
  ColumnAssignment() = default;

  // Back to undefined: no columns, the report hidden and its lamp red.
  void Clear();
  // The columns of a successful scan, every one without code; the maximum and minimum cells are
  // R(7,1), empty when the value rounds to the undefined value.
  void SetUp(const ScanResult& scan, double undefined);

  // kColumnsUndefined, or the number of columns (1..10).
  int Columns() const;
  bool Defined() const { return defined_; }
  const ImportColumn& Column(int column) const;  // 0-based

  // The column a code choice applies to (0-based).
  int CurrentColumn() const { return current_; }
  void SelectColumn(int column);

  // A code of the list for the current column: every column holding it or a code of its group is
  // cleared, the column gets the row's symbol, unit and code, its maximum, minimum and limits
  // with the row's decimals (width decimals + 5, at most 7), and every temperature-like column of
  // the other unit switches to this one.
  void ChooseCode(int tableRow, const RepClimateFile& station);
  // The preset of a database file: like ChooseCode for the given column, without clearing or
  // switching any other column, and in width decimals + 5 without a cap.
  void AssignTableRow(int tableRow, int column, const RepClimateFile& station);
  // The limits of every column with a code again (after the latitude, the altitude or the data
  // limits changed).
  void RecomputeLimits(const RepClimateFile& station);

  // The codes in column order, -999 for a column without code.
  std::vector<int16_t> Codes() const;
  // Per column, the limits that the report holds its data to: those shown, read back from their
  // texts (unbounded on a side without a text).
  std::vector<ValueRange> CheckedLimits() const;
  ParameterReport Report() const;
  bool ReportGreen() const { return Report().LampGreen; }

 private:
  // The column gets the row's symbol, unit and code, and its range and limits in `width`.
  void SetCode(int column, int tableRow, int width, const RepClimateFile& station);
  void WriteLimits(int column, const RepClimateFile& station, int width);
  void WriteRange(int column, int width);
  void ClearColumn(int column);
  ValueRange ShownLimits(int column) const;

  bool defined_ = false;
  int count_ = 0;
  int current_ = 0;
  double undefined_ = kDefaultUndefinedValue;
  std::array<ImportColumn, kMaxImportColumns> columns_{};
};

}  // namespace vernoli
