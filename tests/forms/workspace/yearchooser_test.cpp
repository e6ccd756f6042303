// The year choosers of the data page and the plot page: a station of many years is gone through
// by year directly, the year buttons and both choosers staying in step.
#include "workspace_form_fixture.h"

namespace vernoli {
namespace {

using YearChooserTest = WorkspaceFormTest;

TEST_F(YearChooserTest, EachChooserGoesToTheYearAndTheButtonsFollow) {
  Open(Daily(2200, {1, 3, 2001}));  // March 2001 to March 2007
  ShowPage("DataSheet");
  auto* dataYears = Control<QComboBox>("YearDataComboBox");
  auto* plotYears = Control<QComboBox>("YearPlotComboBox");
  ASSERT_EQ(dataYears->count(), 7);
  EXPECT_EQ(dataYears->itemText(0), "2001");
  EXPECT_EQ(dataYears->itemText(6), "2007");
  EXPECT_EQ(dataYears->currentText(), "2001");
  EXPECT_TRUE(dataYears->isVisible());
  // Tab passes from "previous" through the chooser to "next".
  EXPECT_EQ(Control("PreviousYearDataButton")->nextInFocusChain(), dataYears);

  // The year shown is no change: nothing is written back.
  ChooseYear("YearDataComboBox", "2001");
  EXPECT_TRUE(Control("CancelButton")->isEnabled());

  ChooseYear("YearDataComboBox", "2005");
  EXPECT_EQ(DateOf(0), "1\nJanuary\n2005");
  EXPECT_EQ(Model()->columnCount(), 365);
  EXPECT_EQ(Text("PreviousYearDataButton"), "< 2004");
  EXPECT_EQ(Text("NextYearDataButton"), "2006 >");
  EXPECT_EQ(plotYears->currentText(), "2005");
  EXPECT_EQ(Text("YearLabel"), "2005");
  EXPECT_FALSE(Control("CancelButton")->isEnabled());

  ShowPage("PlotSheet");
  ChooseYear("YearPlotComboBox", "2007");
  EXPECT_EQ(Text("YearLabel"), "2007");
  EXPECT_EQ(DateOf(0), "1\nJanuary\n2007");
  EXPECT_FALSE(Control("NextYearPlotButton")->isEnabled());
  EXPECT_EQ(dataYears->currentText(), "2007");

  // The buttons move the choosers along.
  Click("PreviousYearPlotButton");
  EXPECT_EQ(plotYears->currentText(), "2006");
  EXPECT_EQ(dataYears->currentText(), "2006");
  ChooseYear("YearPlotComboBox", "2001");
  EXPECT_EQ(DateOf(0), "1\nMarch\n2001");
  EXPECT_FALSE(Control("PreviousYearPlotButton")->isEnabled());
  EXPECT_TRUE(messages.messages.isEmpty());
}

// A typed value is checked before the chooser acts, as before a year button acts: refused, it
// never reaches another year's page; passing, it is kept.
TEST_F(YearChooserTest, ATypedValueIsCheckedBeforeTheYearChanges) {
  Open(Daily(1500, {1, 1, 2001}));
  ShowPage("DataSheet");
  auto* dataYears = Control<QComboBox>("YearDataComboBox");
  const int tmax = RowOf(101);
  const QString before = Cell(2, tmax);

  // The editor still open when the choice arrives: the year stays and both choosers show it.
  Type(2, tmax, "abc");
  emit dataYears->activated(dataYears->findText("2003"));
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nvalue is not a number"});
  EXPECT_EQ(DateOf(0), "1\nJanuary\n2001");
  EXPECT_EQ(Cell(2, tmax), before);
  EXPECT_EQ(dataYears->currentText(), "2001");
  EXPECT_EQ(Control<QComboBox>("YearPlotComboBox")->currentText(), "2001");

  // Clicked, the chooser takes the focus from the grid, which checks the cell first.
  Type(2, tmax, "99");
  ChooseYear("YearDataComboBox", "2003");
  EXPECT_EQ(messages.messages.size(), 2);
  EXPECT_TRUE(messages.messages.back().startsWith("ERROR:\nvalue is larger than Maximum"));
  EXPECT_EQ(DateOf(0), "1\nJanuary\n2003");
  ChooseYear("YearDataComboBox", "2001");
  EXPECT_EQ(Cell(2, tmax), before);

  Type(2, tmax, "31.5");
  ChooseYear("YearDataComboBox", "2002");
  ChooseYear("YearDataComboBox", "2001");
  EXPECT_EQ(Cell(2, tmax), "      31.5");
  EXPECT_EQ(messages.messages.size(), 2);
}

TEST_F(YearChooserTest, HiddenForASetShownAtOnce) {
  Open(Daily(300, {1, 1, 2001}));
  EXPECT_FALSE(Control("NextPrevPanelData")->isVisible());
  EXPECT_EQ(Control<QComboBox>("YearDataComboBox")->count(), 0);
}

}  // namespace
}  // namespace vernoli
