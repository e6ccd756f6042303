#include "workspace/yearpages.h"

#include <algorithm>

#include "model/datafile.h"
#include "model/numbers.h"
#include "model/parameters.h"
#include "model/stationcodes.h"
#include "plot/graph.h"
#include "workspace/parameterlist.h"
#include "workspace/validation.h"

namespace vernoli {

namespace {

constexpr int kDateWidth = 8;
constexpr int kCellWidth = 10;
constexpr int kYearCaptionWidth = 4;

bool LinkedToYear(const RepClimateFile& station) { return station.FromYear != kYearNotLinked; }

// Last record of the first calendar year of the set.
int32_t LastRecordOfFirstYear(const RepClimateFile& station) {
  switch (station.DataType) {
    case kDaily:
      return DayNr(31, 12, station.FromYear) - station.FirstDayNr + 1;
    case kTenDaily:
      return 40 - 3 * station.FromMonth - DecadeOfDay(station.FromDay);
    default:
      return 13 - station.FromMonth;
  }
}

// Records of a whole calendar year.
int32_t RecordsOfYear(const RepClimateFile& station, int32_t year) {
  switch (station.DataType) {
    case kDaily:
      return IsLeapYear(year) ? 366 : 365;
    case kTenDaily:
      return 36;
    default:
      return 12;
  }
}

// The standard-unit row of each code (0 for a code that is not in the parameter table).
std::vector<int> StandardRowsOf(const std::vector<int16_t>& codes) {
  std::vector<int> rows(codes.size());
  for (std::size_t i = 0; i < codes.size(); ++i) rows[i] = RowOfCode(codes[i]);
  StandardRows(static_cast<int>(codes.size()), codes.data(), rows.data());
  return rows;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Visible range and year navigation

bool ShownYearByYear(const RepClimateFile& station) {
  switch (station.DataType) {
    case kDaily:
      return station.NumberOfRecords > kLongestDailyPage;
    case kTenDaily:
      return station.NumberOfRecords > kLongestTenDailyPage;
    default:
      return station.NumberOfRecords > kLongestMonthlyPage;
  }
}

YearPage FirstYearPage(const RepClimateFile& station) {
  YearPage page;
  page.First = 1;
  page.Last = station.NumberOfRecords;
  if (!ShownYearByYear(station)) return page;
  page.Navigation = true;
  page.PreviousEnabled = false;
  page.NextEnabled = true;
  page.NextYear = station.FromYear + 1;
  page.PreviousYear = station.FromYear - 1;
  page.Last = LastRecordOfFirstYear(station);
  if (page.Last >= station.NumberOfRecords) {
    page.Last = station.NumberOfRecords;
    page.NextEnabled = false;
  }
  return page;
}

bool NextYearPage(const RepClimateFile& station, YearPage& page) {
  if (!page.Navigation || !page.NextEnabled) return false;
  // The year after the one of the last column.
  const int32_t year = DateOfRecord(station, page.Last - 1).Year + 1;
  page.PreviousEnabled = true;
  page.First = page.Last + 1;
  ++page.NextYear;
  ++page.PreviousYear;
  page.Last = page.First + RecordsOfYear(station, year) - 1;
  if (page.Last >= station.NumberOfRecords) {
    page.Last = station.NumberOfRecords;
    page.NextEnabled = false;
  }
  return true;
}

bool PreviousYearPage(const RepClimateFile& station, YearPage& page) {
  if (!page.Navigation || !page.PreviousEnabled) return false;
  // The year before the one of the first column.
  const int32_t year = DateOfRecord(station, page.First - 1).Year - 1;
  page.NextEnabled = true;
  page.Last = page.First - 1;
  --page.NextYear;
  --page.PreviousYear;
  page.First = page.Last - RecordsOfYear(station, year) + 1;
  if (page.First <= 1) {
    page.First = 1;
    page.PreviousEnabled = false;
  }
  return true;
}

std::string NextYearCaption(const YearPage& page) {
  if (!page.Navigation) return std::string(kNextYearCaption);
  return FormatInt(page.NextYear, kYearCaptionWidth) + " >";
}

std::string PreviousYearCaption(const YearPage& page) {
  if (!page.Navigation) return std::string(kPreviousYearCaption);
  return "< " + FormatInt(page.PreviousYear, kYearCaptionWidth);
}

// ---------------------------------------------------------------------------------------------
// Dates

std::vector<std::string> DateRowTitles(const RepClimateFile& station) {
  std::vector<std::string> titles;
  if (station.DataType == kDaily) titles.emplace_back("Day");
  if (station.DataType == kTenDaily) titles.emplace_back("Decade");
  titles.emplace_back("Month");
  if (LinkedToYear(station)) titles.emplace_back("Year");
  return titles;
}

std::vector<std::string> DateCells(const RepClimateFile& station, const Date& date) {
  std::vector<std::string> cells;
  if (station.DataType == kDaily) cells.push_back(FormatInt(date.Day, kDateWidth));
  if (station.DataType == kTenDaily) cells.push_back(FormatInt(DecadeOfDay(date.Day), kDateWidth));
  cells.push_back("  " + std::string(MonthName(date.Month)));
  if (LinkedToYear(station)) {
    cells.push_back(date.Year > kYearNotLinked ? FormatInt(date.Year, kDateWidth) : std::string());
  }
  return cells;
}

// ---------------------------------------------------------------------------------------------
// The grid

std::string ValueCellText(int code, double standardValue) {
  if (IsMissing(standardValue)) return {};
  int row = RowOfCode(code);
  if (row == 0) return FormatReal(standardValue, kCellWidth, DecimalsOfCode(code));
  const auto code16 = static_cast<int16_t>(code);
  StandardRows(1, &code16, &row);
  return FormatReal(FromStandardUnit(code, standardValue), kCellWidth, ParameterRow(row).Decimals);
}

namespace {

// A page of records first..last for the station's codes, with empty cells.
GridPage EmptyGridPage(const RepClimateFile& station, int32_t first, int32_t last) {
  GridPage page;
  page.First = first;
  page.Last = last;
  const std::span<const int16_t> codes = StationCodes(station);
  page.Codes.assign(codes.begin(), codes.end());
  page.DateTitles = DateRowTitles(station);
  const auto columns = static_cast<std::size_t>(std::max<int32_t>(0, last - first + 1));
  page.Dates.reserve(columns);
  for (std::size_t c = 0; c < columns; ++c) {
    page.Dates.push_back(
        DateCells(station, DateOfRecord(station, first - 1 + static_cast<int32_t>(c))));
  }
  page.Cells.assign(columns, std::vector<std::string>(page.Codes.size()));
  return page;
}

// The cells of column c from its working record.
void FillColumn(GridPage& page, const std::vector<int>& rows, std::size_t c,
                const ClimaticRecord& record) {
  for (std::size_t r = 0; r < page.Codes.size(); ++r) {
    if (page.Codes[r] == kEToParameterCode || rows[r] < 1 || rows[r] > kParameterCount) continue;
    page.Cells[c][r] = ValueCellText(page.Codes[r], record[rows[r]]);
  }
}

}  // namespace

void ReadGridPage(const RepClimateFile& station, const WorkingData& data, int32_t first,
                  int32_t last, GridPage& page) {
  GridPage read = EmptyGridPage(station, first, last);
  const std::vector<int> rows = StandardRowsOf(read.Codes);
  for (std::size_t c = 0; c < read.Cells.size(); ++c) {
    const int64_t record = static_cast<int64_t>(first) + static_cast<int64_t>(c);
    if (record < 1) continue;
    if (record > static_cast<int64_t>(data.Records.size())) break;
    FillColumn(read, rows, c, data.Records[static_cast<std::size_t>(record - 1)]);
  }
  for (std::size_t c = 0; c < read.Cells.size(); ++c) RecomputeETo(station, read, c);
  page = std::move(read);
}

void RecomputeETo(const RepClimateFile& station, GridPage& page, std::size_t column) {
  const auto eto = std::find(page.Codes.begin(), page.Codes.end(), kEToParameterCode);
  if (eto == page.Codes.end() || column >= page.Cells.size()) return;
  std::vector<std::string>& cells = page.Cells[column];
  const auto k = page.First - 1 + static_cast<int32_t>(column);
  cells[static_cast<std::size_t>(eto - page.Codes.begin())] =
      EToCellText(ColumnETo(station, page.Codes, cells, k));
}

std::vector<PlotRecord> PlotRecordsOfPage(const RepClimateFile& station, const GridPage& page) {
  std::vector<PlotRecord> records;
  records.reserve(page.Cells.size());
  for (std::size_t c = 0; c < page.Cells.size(); ++c) {
    records.emplace_back().Data = ColumnRecord(page.Codes, page.Cells[c]);
  }
  ComputePlotRecords(station, records, page.First - 1);
  return records;
}

void WriteBackGridPage(WorkingData& data, const GridPage& page) {
  WriteBackVisibleRecords(data, page.Codes, page.First, page.Last, page.Cells);
}

}  // namespace vernoli
