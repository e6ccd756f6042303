#include "workspace/yearpages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/record.h"
#include "model/numbers.h"
#include "plot/graph.h"
#include "station_files.h"
#include "workspace/workingdata.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteBytes;

// A station of `records` records of the given type from `from`.
RepClimateFile Span(uint8_t dataType, Date from, int32_t records) {
  RepClimateFile station = NewStation();
  station.Latitude = 41.9;
  station.Altitude = 100;
  station.DataType = dataType;
  station.FromDay = from.Day;
  station.FromMonth = from.Month;
  station.FromYear = from.Year;
  station.FirstDayNr = DayNr(from.Day, from.Month, from.Year);
  station.NumberOfRecords = records;
  return station;
}

// ---------------------------------------------------------------------------------------------
// The first page

TEST(FirstYearPage, ShowsTheWholeSetOrItsFirstCalendarYear) {
  struct Row {
    const char* name;
    uint8_t type;
    Date from;
    int32_t records;
    int32_t last;
    bool navigation;
  };
  const Row rows[] = {
      {"daily 400 from 1 March 2001: 1 March to 31 December", kDaily, {1, 3, 2001}, 400, 306, true},
      {"daily 370 records fit one page", kDaily, {1, 3, 2001}, 370, 370, false},
      {"daily 371 records do not", kDaily, {1, 1, 2001}, 371, 365, true},
      {"daily leap year", kDaily, {1, 1, 2004}, 800, 366, true},
      {"daily from 31 December", kDaily, {31, 12, 2001}, 400, 1, true},
      {"10-daily from the second decade of April", kTenDaily, {11, 4, 2001}, 71, 26, true},
      {"10-daily 70 records fit one page", kTenDaily, {11, 4, 2001}, 70, 70, false},
      {"10-daily from the third decade of December", kTenDaily, {21, 12, 2001}, 100, 1, true},
      {"monthly from March", kMonthly, {1, 3, 2001}, 21, 10, true},
      {"monthly 20 records fit one page", kMonthly, {1, 3, 2001}, 20, 20, false},
      {"not linked to a year", kDaily, {1, 1, kYearNotLinked}, 365, 365, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const RepClimateFile station = Span(row.type, row.from, row.records);
    const YearPage page = FirstYearPage(station);
    EXPECT_EQ(page.First, 1);
    EXPECT_EQ(page.Last, row.last);
    EXPECT_EQ(page.Navigation, row.navigation);
    EXPECT_EQ(ShownYearByYear(station), row.navigation);
    EXPECT_FALSE(page.PreviousEnabled);
    EXPECT_EQ(page.NextEnabled, row.navigation);
  }
}

TEST(YearNavigation, CaptionsNameTheNextAndThePreviousYear) {
  const RepClimateFile station = Span(kDaily, {1, 3, 2001}, 400);
  YearPage page = FirstYearPage(station);
  EXPECT_EQ(NextYearCaption(page), "2002 >");
  EXPECT_EQ(PreviousYearCaption(page), "< 2000");
  ASSERT_TRUE(NextYearPage(station, page));
  EXPECT_EQ(NextYearCaption(page), "2003 >");
  EXPECT_EQ(PreviousYearCaption(page), "< 2001");

  const YearPage whole = FirstYearPage(Span(kDaily, {1, 3, 2001}, 300));
  EXPECT_EQ(NextYearCaption(whole), "next >");
  EXPECT_EQ(PreviousYearCaption(whole), "< previous");
}

TEST(YearNavigation, NextShowsTheRestAndDisablesItself) {
  const RepClimateFile station = Span(kDaily, {1, 3, 2001}, 400);
  YearPage page = FirstYearPage(station);
  EXPECT_FALSE(PreviousYearPage(station, page));  // disabled: nothing moves
  EXPECT_EQ(page, FirstYearPage(station));

  ASSERT_TRUE(NextYearPage(station, page));
  EXPECT_EQ(page.First, 307);  // 1 January 2002
  EXPECT_EQ(page.Last, 400);
  EXPECT_FALSE(page.NextEnabled);
  EXPECT_TRUE(page.PreviousEnabled);
  const YearPage last = page;
  EXPECT_FALSE(NextYearPage(station, page));
  EXPECT_EQ(page, last);

  ASSERT_TRUE(PreviousYearPage(station, page));
  EXPECT_EQ(page, FirstYearPage(station));
}

// Every page is one calendar year (the first and the last may be shorter), the pages follow each
// other without gap or overlap, and walking back gives the same pages.
TEST(YearNavigation, WalksCalendarYearsThereAndBack) {
  struct Row {
    const char* name;
    uint8_t type;
    Date from;
    int32_t records;
  };
  const Row rows[] = {
      {"daily across three leap years", kDaily, {1, 3, 2001}, 3000},
      {"daily from 29 February", kDaily, {29, 2, 2004}, 1000},
      {"daily, the largest station: 1902 to 2099",
       kDaily,
       {1, 1, 1902},
       NumberOfRecords(kDaily, {1, 1, 1902}, {31, 12, 2099})},
      {"10-daily from the third decade of December", kTenDaily, {21, 12, 2001}, 500},
      {"monthly from November", kMonthly, {1, 11, 1999}, 100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const RepClimateFile station = Span(row.type, row.from, row.records);
    std::vector<YearPage> pages{FirstYearPage(station)};
    YearPage page = pages.back();
    int32_t year = row.from.Year;
    for (;;) {
      SCOPED_TRACE(year);
      const Date first = DateOfRecord(station, page.First - 1);
      const Date last = DateOfRecord(station, page.Last - 1);
      EXPECT_EQ(first.Year, year);
      EXPECT_EQ(last.Year, year);
      if (page.First > 1) {
        EXPECT_EQ(first, (Date{1, 1, year}));
        EXPECT_EQ(page.First, pages.size() > 1 ? pages[pages.size() - 2].Last + 1 : 1);
      }
      if (page.Last < row.records) {
        EXPECT_EQ(DateOfRecord(station, page.Last).Year, year + 1);
      }
      EXPECT_EQ(NextYearCaption(page), std::to_string(year + 1) + " >");
      EXPECT_EQ(PreviousYearCaption(page), "< " + std::to_string(year - 1));
      if (!NextYearPage(station, page)) break;
      pages.push_back(page);
      ++year;
    }
    EXPECT_EQ(page.Last, row.records);
    EXPECT_FALSE(page.NextEnabled);
    for (auto it = pages.rbegin() + 1; it != pages.rend(); ++it) {
      ASSERT_TRUE(PreviousYearPage(station, page));
      EXPECT_EQ(page.First, it->First);
      EXPECT_EQ(page.Last, it->Last);
      EXPECT_EQ(page.NextYear, it->NextYear);
    }
    EXPECT_FALSE(page.PreviousEnabled);
    EXPECT_EQ(page.First, 1);
  }
}

// ---------------------------------------------------------------------------------------------
// Dates

TEST(DateRows, TitlesAndCellsForEachDataType) {
  struct Row {
    const char* name;
    uint8_t type;
    Date from;
    std::vector<std::string> titles;
    std::vector<std::string> cells;  // of the first record
  };
  // clang-format off
  const Row rows[] = {
      {"daily", kDaily, {7, 3, 2001},
       {"Day", "Month", "Year"}, {"       7", "  March", "    2001"}},
      {"10-daily", kTenDaily, {21, 9, 2001},
       {"Decade", "Month", "Year"}, {"       3", "  September", "    2001"}},
      {"monthly", kMonthly, {1, 12, 2001},
       {"Month", "Year"}, {"  December", "    2001"}},
      {"daily, not linked", kDaily, {15, 1, kYearNotLinked},
       {"Day", "Month"}, {"      15", "  January"}},
      {"10-daily, not linked", kTenDaily, {11, 2, kYearNotLinked},
       {"Decade", "Month"}, {"       2", "  February"}},
      {"monthly, not linked", kMonthly, {1, 5, kYearNotLinked},
       {"Month"}, {"  May"}},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const RepClimateFile station = Span(row.type, row.from, 12);
    EXPECT_EQ(DateRowTitles(station), row.titles);
    EXPECT_EQ(DateCells(station, DateOfRecord(station, 0)), row.cells);
  }
}

// ---------------------------------------------------------------------------------------------
// Value cells

TEST(ValueCellText, ShowsTheValueInTheRowsUnitWithItsDecimals) {
  struct Row {
    const char* name;
    int code;
    double standard;
    const char* text;
  };
  const Row rows[] = {
      {"degC", 101, 30.0, "      30.0"},
      {"degF", 111, 30.0, "      86.0"},
      {"dew point in degF", 211, -5.0, "      23.0"},
      {"kPa, four decimals", 221, 1.2345, "    1.2345"},
      {"mbar, the decimals of kPa", 222, 1.2345, "   12.3450"},
      {"m/sec", 301, 2.0, "      2.00"},
      {"km/day", 302, 2.0, "    172.80"},
      {"knot", 303, 2.0, "      3.89"},
      {"W/m2", 422, 20.0, "    231.48"},
      {"cal/cm2.day", 435, 10.0, "    238.85"},
      {"relative humidity, half-way rounds up", 203, 45.25, "      45.3"},
      {"missing", 101, -999.0, ""},
      {"missing after conversion too", 111, -999.0, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ValueCellText(row.code, row.standard), row.text);
  }
}

// ---------------------------------------------------------------------------------------------
// Reading a page of the working data

// 400 daily records from 1 March 2001: Tmax 20 + (n mod 10), Tmin 10, wind 2.5 except every
// seventh record, and a stored ETo of 99.9 that the grid never shows.
class GridPageFromWorkingData : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string dta = "        Nr       101       103       301       501\r\n";
    for (int n = 1; n <= 400; ++n) {
      dta += FormatInt(n, 10) + FormatReal(20.0 + n % 10, 10, 1) + "      10.0" +
             (n % 7 == 0 ? "   -999.00" : "      2.50") + "      99.9\r\n";
    }
    const Date to = DateOfDayNr(DayNr(1, 3, 2001) + 399);
    station = test_support::WriteStation(folder.Folder(), "GRID", kDaily, {1, 3, 2001}, to, dta);
    ASSERT_EQ(station.NumberOfRecords, 400);
    ASSERT_TRUE(LoadWorkingData(station, working).Ok);
  }

  // The ETo of record n as the engine computes it from the record's values.
  double EToOfRecord(int n) const {
    ClimaticRecord record;
    record[Row::Tmax] = 20.0 + n % 10;
    record[Row::Tmin] = 10.0;
    if (n % 7 != 0) record[Row::Wind] = 2.5;
    RecordResults results;
    return ComputeRecord(DayOfYearForRecord(station, n - 1), record, station, results);
  }

  ScratchFolder folder;
  RepClimateFile station;
  WorkingData working;
};

TEST_F(GridPageFromWorkingData, ReadsTheRecordsOfThePageAndComputesTheirETo) {
  GridPage page;
  ReadGridPage(station, working, 307, 400, page);
  EXPECT_EQ(page.First, 307);
  EXPECT_EQ(page.Last, 400);
  EXPECT_EQ(page.Codes, (std::vector<int16_t>{101, 103, 301, 501}));
  ASSERT_EQ(page.Cells.size(), 94u);
  EXPECT_EQ(page.ColumnCount(), 96);
  EXPECT_EQ(page.RowCount(), 3 + 4);
  EXPECT_EQ(page.DateTitles, (std::vector<std::string>{"Day", "Month", "Year"}));
  EXPECT_EQ(page.Dates.front(), (std::vector<std::string>{"       1", "  January", "    2002"}));
  EXPECT_EQ(page.Dates.back(), (std::vector<std::string>{"       4", "  April", "    2002"}));

  // Record 307: Tmax 27; record 308 lacks its wind.
  EXPECT_EQ(page.Cells[0], (std::vector<std::string>{"      27.0", "      10.0", "      2.50",
                                                     FormatReal(EToOfRecord(307), 10, 1)}));
  EXPECT_EQ(page.Cells[1][2], "");
  for (int n : {307, 308, 350, 400}) {
    SCOPED_TRACE(n);
    const std::string eto = page.Cells[static_cast<std::size_t>(n - 307)][3];
    EXPECT_EQ(eto, FormatReal(EToOfRecord(n), 10, 1));
    EXPECT_NE(eto, "      99.9");
  }
}

TEST_F(GridPageFromWorkingData, RecordsBeyondTheDataShowEmptyCells) {
  GridPage page;
  ReadGridPage(station, working, 391, 410, page);
  ASSERT_EQ(page.Cells.size(), 20u);
  EXPECT_EQ(page.Cells[9][0], "      20.0");  // record 400
  for (std::size_t c = 10; c < 20; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(page.Cells[c], (std::vector<std::string>{"", "", "", ""}));
  }
}

TEST_F(GridPageFromWorkingData, ShowsNonStandardUnitsOfTheStationsCodes) {
  station.ParameterCodes = {};
  station.ParameterCodes.fill(-999);
  const int16_t codes[] = {111, 113, 302, 501};
  std::copy(std::begin(codes), std::end(codes), station.ParameterCodes.begin());
  GridPage page;
  ReadGridPage(station, working, 1, 2, page);
  EXPECT_EQ(page.Cells[0][0], "      69.8");  // 21 degC
  EXPECT_EQ(page.Cells[0][1], "      50.0");  // 10 degC
  EXPECT_EQ(page.Cells[0][2], "    216.00");  // 2.5 m/sec
  EXPECT_EQ(page.Cells[0][3], FormatReal(EToOfRecord(1), 10, 1));
}

// ---------------------------------------------------------------------------------------------
// The records the graph draws

TEST(PlotRecordsOfPage, ComeFromTheGridTexts) {
  const RepClimateFile station = Span(kDaily, {1, 1, 2001}, 365);
  GridPage page;
  page.First = 196;
  page.Last = 196;
  page.Codes = {111, 113, 501};
  page.Cells = {{"      82.4", "      57.2", "       4.1"}};
  const std::vector<PlotRecord> records = PlotRecordsOfPage(station, page);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_NEAR(records[0].Data[Row::Tmax], 28.0, 1e-9);  // degF in the grid, degC here
  EXPECT_NEAR(records[0].Data[Row::Tmin], 14.0, 1e-9);
  ClimaticRecord data;
  data[Row::Tmax] = 28.0;
  data[Row::Tmin] = 14.0;
  RecordResults results;
  EXPECT_NEAR(records[0].ETo, ComputeRecord(196, data, station, results), 1e-9);
}

}  // namespace
}  // namespace vernoli
