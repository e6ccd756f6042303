// Which records the workspace grid shows, and what it shows of them.
//
// A data set that spans more than a year is shown one calendar year at a time: the first page runs
// from the first record to the end of its year, every further page is one calendar year, the last
// one ends with the last record. The grid has two fixed columns (titles, units), its date rows
// (day or decade, month, year; no year row for data not linked to a year) and one row per code of
// the station's sorted list, the last being ETo; one column per visible record.
//
// The page is read from the working data in memory. Texts are Windows-1252 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/calendar.h"
#include "model/station.h"
#include "model/status.h"
#include "workspace/workingdata.h"

namespace vernoli {

struct PlotRecord;

// ---------------------------------------------------------------------------------------------
// Visible range and year navigation

// Captions of the navigation buttons before the workspace sets them to years.
inline constexpr std::string_view kPreviousYearCaption = "< previous";
inline constexpr std::string_view kNextYearCaption = "next >";

// A set longer than this many records is shown a calendar year at a time.
inline constexpr int32_t kLongestDailyPage = 370;
inline constexpr int32_t kLongestTenDailyPage = 70;
inline constexpr int32_t kLongestMonthlyPage = 20;

// The visible range and the state of the year navigation (the buttons of the data page and of
// the plot page share it).
struct YearPage {
  int32_t First = 1;             // first visible record, counted from 1
  int32_t Last = 0;              // last visible record
  bool Navigation = false;       // the navigation panels are shown
  bool PreviousEnabled = false;  // "previous" buttons
  bool NextEnabled = false;      // "next" buttons
  int32_t NextYear = 0;          // year of the "next" caption
  int32_t PreviousYear = 0;      // year of the "previous" caption

  int32_t Records() const { return Last - First + 1; }
  friend bool operator==(const YearPage&, const YearPage&) = default;
};

// True when the set is shown a year at a time: more than 370 daily, 70 10-daily or 20 monthly
// records.
bool ShownYearByYear(const RepClimateFile& station);
// The page the workspace opens with: the whole set, or its first calendar year.
YearPage FirstYearPage(const RepClimateFile& station);
// The next and the previous calendar year. False, with the page unchanged, while the button is
// disabled (or hidden).
bool NextYearPage(const RepClimateFile& station, YearPage& page);
bool PreviousYearPage(const RepClimateFile& station, YearPage& page);
// Captions of the buttons: "2002 >" and "< 2000" (the year I(4)); "next >" and "< previous" for a
// set shown at once.
std::string NextYearCaption(const YearPage& page);
std::string PreviousYearCaption(const YearPage& page);

// ---------------------------------------------------------------------------------------------
// Dates

// Titles of the date rows (TimePanel1..): "Day" or "Decade", "Month", "Year"; monthly data have
// no day row, data not linked to a year no year row.
std::vector<std::string> DateRowTitles(const RepClimateFile& station);
// The date cells of a record's column, one per date row: the day (or decade 1-3) I(8), two blanks
// and the month's name, the year I(8).
std::vector<std::string> DateCells(const RepClimateFile& station, const Date& date);

// ---------------------------------------------------------------------------------------------
// The grid

// What the grid shows of one page. Cells[c][r] is the text of parameter row r (code Codes[r]) in
// the column of record First + c, the layout WriteBackVisibleRecords takes.
struct GridPage {
  int32_t First = 1;
  int32_t Last = 0;
  std::vector<int16_t> Codes;                   // the parameter rows; the last is ETo
  std::vector<std::string> DateTitles;          // one per date row
  std::vector<std::vector<std::string>> Dates;  // Dates[c][d]: date row d of column c
  GridColumns Cells;                            // Cells[c][r]

  int DateRows() const { return static_cast<int>(DateTitles.size()); }
  // Grid size with the two fixed columns and the date rows.
  int ColumnCount() const { return static_cast<int>(Cells.size()) + 2; }
  int RowCount() const { return DateRows() + static_cast<int>(Codes.size()); }
};

// The text of a value cell: empty for a missing value, else the value (standard unit) converted to
// the unit of `code` and written R(10) with the decimals of the code's standard row.
std::string ValueCellText(int code, double standardValue);

// Reads records first..last of the working data into a page for the station's codes, with every
// column's ETo computed from the column's cells. Records the data do not reach show empty cells.
void ReadGridPage(const RepClimateFile& station, const WorkingData& data, int32_t first,
                  int32_t last, GridPage& page);

// Recomputes the ETo cell of column c from the column's other cells.
void RecomputeETo(const RepClimateFile& station, GridPage& page, std::size_t column);

// The page's records as the graph draws them, from the grid's texts (the values the grid shows).
std::vector<PlotRecord> PlotRecordsOfPage(const RepClimateFile& station, const GridPage& page);

// Stores the page's cells into the working data (WriteBackVisibleRecords with the page's codes).
void WriteBackGridPage(WorkingData& data, const GridPage& page);

}  // namespace vernoli
