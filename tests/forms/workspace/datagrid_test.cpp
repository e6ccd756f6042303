// The data grid's cells: a typed value is checked on every way of leaving the cell, refused
// with the form's message and the cell restored, and the column's ETo recomputed.
#include "forms/workspace/TUpdateMenu.h"

#include "workspace_form_fixture.h"

namespace vernoli {
namespace {

class DataGridTest : public WorkspaceFormTest {};

// ---------------------------------------------------------------------------------------------
// Checking typed values

TEST_F(DataGridTest, TmaxAboveTheLimitIsRefusedTheCellRestoredAndFocused) {
  Open(Daily(30, {1, 7, 2001}));
  ShowPage("DataSheet");
  const int tmax = RowOf(101);
  const QString before = Cell(0, tmax);
  const QString eto = Cell(0, EToRow());
  Type(0, tmax, "52");
  Enter();
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(messages.messages[0],
            Deg("ERROR:\nvalue is larger than Maximum (=      45.0 ", "C)\n\n\n") + kRemedies);
  // The good value typed over by mistake is back, and so is its ETo.
  EXPECT_EQ(Cell(0, tmax), before);
  EXPECT_EQ(Cell(0, EToRow()), eto);
  EXPECT_EQ(Grid()->currentIndex(), Index(0, tmax));
  EXPECT_TRUE(Grid()->hasFocus());

  // The limit itself is accepted.
  Type(0, tmax, "45");
  Enter();
  EXPECT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(Cell(0, tmax), "      45.0");
  EXPECT_NE(Cell(0, EToRow()), "");
}

TEST_F(DataGridTest, LeavingTheCellChecksIt) {
  Open(Daily(30, {1, 7, 2001}));
  ShowPage("DataSheet");
  const int tmin = RowOf(103);

  // A click on another cell.
  const QString before = Cell(1, tmin);
  Type(1, tmin, "-20");
  QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {},
                    Grid()->visualRect(Index(2, tmin)).center());
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(messages.messages[0],
            Deg("ERROR:\nvalue is smaller than Minimum (=     -15.0 ", "C)\n\n") + kRemedies);
  EXPECT_EQ(Cell(1, tmin), before);
  EXPECT_EQ(Grid()->currentIndex(), Index(1, tmin));

  // Tab to the next cell.
  Type(1, tmin, "12");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(Cell(1, tmin), "      12.0");
  EXPECT_EQ(Grid()->currentIndex(), Index(2, tmin));

  // Another control of the form.
  const QString third = Cell(2, tmin);
  Type(2, tmin, "-30");
  Click("SymbolUnit");
  ASSERT_EQ(messages.messages.size(), 2);
  EXPECT_EQ(Cell(2, tmin), third);
  EXPECT_TRUE(Grid()->hasFocus());

  // A double click checks the cell it lands on.
  Grid()->setFocus();
  Grid()->setCurrentIndex(Index(4, tmin));
  Model()->setData(Index(4, tmin), "12");
  const QPoint centre = Grid()->visualRect(Index(4, tmin)).center();
  QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, centre);
  EXPECT_EQ(Cell(4, tmin), "      12.0");
}

TEST_F(DataGridTest, TextThatIsNoNumberIsRefusedAndTheCellRestored) {
  Open(Daily(30, {1, 7, 2001}));
  ShowPage("DataSheet");
  const int wind = RowOf(301);
  const QString before = Cell(0, wind);
  Type(0, wind, "abc");
  Enter();
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(messages.messages[0], "ERROR:\nvalue is not a number");
  EXPECT_EQ(Cell(0, wind), before);
}

// However the user leaves a cell typed into, the text is checked before it goes anywhere: a
// refused one gives the message, the cell its value back, and the .DTA never sees it.
TEST_F(DataGridTest, EveryWayOfLeavingACellChecksItFirst) {
  struct Way {
    const char* name;
    std::function<void()> leave;
    bool cellShown;  // afterwards the same cell is still on screen
  };
  const Way ways[] = {
      {"Enter", [this] { Enter(); }, true},
      {"another cell",
       [this] {
         QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {},
                           Grid()->visualRect(Index(3, RowOf(103))).center());
       },
       true},
      {"a page tab",
       [this] {
         QTabBar* tabs = Control<QTabWidget>("PageControl1")->tabBar();
         QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
       },
       true},
      {"a button", [this] { Click("SymbolUnit"); }, true},
      {"a check box",
       [this] {
         ShowPage("DescriptionSheet");
         Click("nCheckBox");
       },
       false},
      {"the year button", [this] { Click("NextYearDataButton"); }, false},
      {"the year chooser", [this] { ChooseYear("YearDataComboBox", "2002"); }, false},
      {"the close box", [this] { form.close(); }, true},
      {"Save data", [this] { Click("SaveButton"); }, true},
      {"Main menu", [this] { Click("MainMenuButton"); }, false},
  };
  const std::pair<const char*, QString> texts[] = {
      {"99", Deg("ERROR:\nvalue is larger than Maximum (=      45.0 ", "C)\n\n\n") + kRemedies},
      {"abc", "ERROR:\nvalue is not a number"},
  };
  for (const Way& way : ways) {
    for (const auto& [text, message] : texts) {
      SCOPED_TRACE(std::string(way.name) + ", " + text);
      const RepClimateFile station = Daily(400, {1, 1, 2001});
      const std::string dta = ReadBytes(station.DtaFileName);
      ASSERT_EQ(dta.substr(3 * 52, 20), "         3      23.0");
      messages.messages.clear();
      Open(station);
      ShowPage("DataSheet");
      const int tmax = RowOf(101);
      const QString before = Cell(2, tmax);
      Type(2, tmax, text);
      way.leave();
      EXPECT_EQ(messages.messages, QStringList{message});
      if (way.cellShown) {
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(Control<QTabWidget>("PageControl1")->currentWidget(), Control("DataSheet"));
        EXPECT_EQ(Cell(2, tmax), before);
        EXPECT_EQ(Grid()->currentIndex(), Index(2, tmax));
      }
      // Saved now, the .DTA holds the value from before the edit.
      if (form.isVisible()) {
        ShowPage("DataSheet");
        Click("SaveButton");
        form.done(QDialog::Rejected);
      }
      // Tmax is the first value of a line.
      const auto tmaxOfRecord3 = [](const std::string& file) {
        return file.substr(file.find("\r\n         3") + 12, 10);
      };
      EXPECT_EQ(tmaxOfRecord3(ReadBytes(station.DtaFileName)), tmaxOfRecord3(dta));
    }
  }
}

TEST_F(DataGridTest, DeletingAValueRecomputesTheColumnsETo) {
  Open(Daily(30, {1, 7, 2001}));
  ShowPage("DataSheet");
  const int wind = RowOf(301);
  const QString before = Cell(1, EToRow());
  Grid()->setFocus();
  Grid()->setCurrentIndex(Index(1, wind));
  QTest::keyClick(Grid(), Qt::Key_Delete);
  EXPECT_EQ(Cell(1, wind), "");
  EXPECT_EQ(Cell(1, EToRow()), before);  // recomputed when the cell is left
  QTest::keyClick(Grid(), Qt::Key_Right);
  EXPECT_TRUE(messages.messages.isEmpty());

  const std::vector<int16_t> codes = {101, 103, 301, 501};
  const std::vector<std::string> cells = {"22.0", "10.0", "", ""};
  const double eto = ColumnETo(form.Session().Station(), codes, cells, 1);
  EXPECT_EQ(Cell(1, EToRow()), QString::fromStdString(EToCellText(eto)));
  EXPECT_NE(Cell(1, EToRow()), before);
}

}  // namespace
}  // namespace vernoli
