#include "workspace/yearchoice.h"

#include <gtest/gtest.h>

#include <string>

#include "model/numbers.h"
#include "station_files.h"
#include "workspace/session.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteStation;

// A station of `records` records from `from`, Tmax 20 + (n mod 10), Tmin 10, no ETo yet.
RepClimateFile Station(const ScratchFolder& folder, uint8_t dataType, int records, Date from) {
  std::string dta = "        Nr       101       103       501\r\n";
  Date to = from;
  for (int n = 1; n <= records; ++n) {
    dta += FormatInt(n, 10) + FormatReal(20.0 + n % 10, 10, 1) + "      10.0    -999.0\r\n";
    if (n > 1) to = NextRecordDate(dataType, to);
  }
  return WriteStation(folder.Folder(), "YEARS", dataType, from, to, dta);
}

class YearChoiceTest : public ::testing::Test {
 protected:
  ScratchFolder folder;
  WorkspaceSession session;
};

TEST_F(YearChoiceTest, ListsTheYearsOfASetShownYearByYearAndNoneOfOneShownAtOnce) {
  const RepClimateFile daily = Station(folder, kDaily, 400, {1, 3, 2001});
  EXPECT_EQ(ChoiceOfYears(daily, FirstYearPage(daily)), (YearChoice{{2001, 2002}, 2001}));

  const RepClimateFile monthly = Station(folder, kMonthly, 600, {1, 4, 1961});
  YearPage page = FirstYearPage(monthly);
  ASSERT_TRUE(NextYearPage(monthly, page));
  const YearChoice choice = ChoiceOfYears(monthly, page);
  ASSERT_EQ(choice.Years.size(), 51u);  // April 1961 to March 2011
  EXPECT_EQ(choice.Years.front(), 1961);
  EXPECT_EQ(choice.Years.back(), 2011);
  EXPECT_EQ(choice.Shown, 1962);

  const RepClimateFile year = Station(folder, kDaily, 365, {1, 1, 2001});
  EXPECT_EQ(ChoiceOfYears(year, FirstYearPage(year)), YearChoice{});
}

// Any year is reached directly, forwards and backwards, on the very page the year buttons lead
// to: captions and enabled buttons included.
TEST_F(YearChoiceTest, GoesToTheSamePageAsTheYearButtons) {
  const RepClimateFile station = Station(folder, kDaily, 7000, {1, 3, 1981});
  ASSERT_TRUE(session.Open(station));
  std::vector<YearPage> byButtons = {FirstYearPage(session.Station())};
  for (YearPage page = byButtons.back(); NextYearPage(session.Station(), page);) {
    byButtons.push_back(page);
  }
  ASSERT_EQ(byButtons.size(), 20u);  // 1981 to 2000
  for (const int index : {19, 7, 8, 0, 12}) {
    SCOPED_TRACE(index);
    ASSERT_TRUE(GoToYear(session, 1981 + index));
    EXPECT_EQ(session.Page(), byButtons[static_cast<std::size_t>(index)]);
    EXPECT_EQ(session.Grid().First, session.Page().First);
    EXPECT_EQ(YearOfPage(session.Station(), session.Page()), 1981 + index);
  }
}

TEST_F(YearChoiceTest, TheYearShownOrOneOutsideTheSetDoesNothing) {
  ASSERT_TRUE(session.Open(Station(folder, kMonthly, 60, {1, 1, 1990})));
  const YearPage first = session.Page();
  for (const int year : {1990, 1989, 1995}) ASSERT_TRUE(GoToYear(session, year));
  EXPECT_EQ(session.Page(), first);
  EXPECT_FALSE(session.WrittenBack());
}

TEST_F(YearChoiceTest, ARefusedTypedValueStopsItBeforeTheYearChanges) {
  ASSERT_TRUE(session.Open(Station(folder, kMonthly, 60, {1, 1, 1990})));
  const YearPage first = session.Page();
  session.SetCellText(2, 0, "x");
  const Status s = GoToYear(session, 1993);
  EXPECT_FALSE(s.Ok);
  EXPECT_EQ(s.Message.rfind("ERROR:\n", 0), 0u) << s.Message;
  EXPECT_EQ(session.Page(), first);
  EXPECT_EQ(session.Grid().Cells[2][0], "      23.0");  // the value from before the edit
}

}  // namespace
}  // namespace vernoli
