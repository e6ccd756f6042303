#include "kit/yearnavigator.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "workspace/yearchoice.h"
#include "workspace/yearpages.h"

namespace vernoli {
namespace {

class YearNavigatorTest : public ::testing::Test {
 protected:
  YearNavigatorTest() { page.show(); }

  QPushButton* Previous() { return page.findChild<QPushButton*>("PreviousTestButton"); }
  QPushButton* Next() { return page.findChild<QPushButton*>("NextTestButton"); }

  QComboBox* Chooser() { return page.findChild<QComboBox*>("YearTestComboBox"); }

  QWidget page;
  YearNavigator* years = new YearNavigator("NextPrevPanelTest", "PreviousTestButton",
                                           "YearTestComboBox", "NextTestButton", &page);
};

TEST_F(YearNavigatorTest, NamesItsButtonsAsThePageSaysAndCaptionsThemUntilShown) {
  EXPECT_EQ(years->objectName(), "NextPrevPanelTest");
  ASSERT_NE(Previous(), nullptr);
  ASSERT_NE(Next(), nullptr);
  EXPECT_EQ(Previous(), years->PreviousButton());
  EXPECT_EQ(Next(), years->NextButton());
  ASSERT_NE(Chooser(), nullptr);
  EXPECT_EQ(Chooser(), years->Chooser());
  EXPECT_EQ(Previous()->text(), "< previous");
  EXPECT_EQ(Next()->text(), "next >");
}

TEST_F(YearNavigatorTest, ShowsTheYearsItLeadsToAndReportsEachButtonApart) {
  YearPage first;  // the first of several years: nothing before it
  first.Navigation = true;
  first.NextEnabled = true;
  first.PreviousYear = 2000;
  first.NextYear = 2002;
  years->Show(first, {}, true);
  EXPECT_TRUE(years->isVisible());
  EXPECT_EQ(Previous()->text(), "< 2000");
  EXPECT_EQ(Next()->text(), "2002 >");
  EXPECT_FALSE(Previous()->isEnabled());
  EXPECT_TRUE(Next()->isEnabled());

  QSignalSpy previous(years, &YearNavigator::PreviousClicked);
  QSignalSpy next(years, &YearNavigator::NextClicked);
  QTest::mouseClick(Next(), Qt::LeftButton);
  EXPECT_EQ(next.count(), 1);
  EXPECT_EQ(previous.count(), 0);

  YearPage last = first;  // the last year: nothing after it
  last.PreviousEnabled = true;
  last.NextEnabled = false;
  years->Show(last, {}, true);
  EXPECT_TRUE(Previous()->isEnabled());
  EXPECT_FALSE(Next()->isEnabled());
  QTest::mouseClick(Previous(), Qt::LeftButton);
  EXPECT_EQ(previous.count(), 1);
  EXPECT_EQ(next.count(), 1);
}

TEST_F(YearNavigatorTest, HiddenForASetShownAtOnceAndWhileNothingIsOpen) {
  YearPage years2001;
  years2001.Navigation = true;
  years->Show(years2001, {}, false);
  EXPECT_FALSE(years->isVisible());

  const YearPage whole;  // shown at once: no navigation
  years->Show(whole, {}, true);
  EXPECT_FALSE(years->isVisible());
  EXPECT_EQ(Previous()->text(), "< previous");
  EXPECT_EQ(Next()->text(), "next >");
}

TEST_F(YearNavigatorTest, TheChooserListsTheYearsReportsAnotherAndKeepsInStep) {
  YearPage page1990;
  page1990.Navigation = true;
  page1990.PreviousEnabled = page1990.NextEnabled = true;
  page1990.PreviousYear = 1989;
  page1990.NextYear = 1991;
  years->Show(page1990, {{1988, 1989, 1990, 1991, 1992}, 1990}, true);
  ASSERT_EQ(Chooser()->count(), 5);
  EXPECT_EQ(Chooser()->itemText(0), "1988");
  EXPECT_EQ(Chooser()->itemText(4), "1992");
  EXPECT_EQ(Chooser()->currentText(), "1990");

  QSignalSpy chosen(years, &YearNavigator::YearChosen);
  // The year shown is no choice; another is reported, and the next Show sets the chooser back to
  // the year the page shows then.
  Chooser()->setFocus();
  QTest::keyClick(Chooser(), Qt::Key_Down);
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen.at(0).at(0).toInt(), 1991);
  years->Show(page1990, {{1988, 1989, 1990, 1991, 1992}, 1990}, true);
  EXPECT_EQ(Chooser()->currentText(), "1990");
  emit Chooser()->activated(Chooser()->findText("1990"));
  EXPECT_EQ(chosen.count(), 1);
}

}  // namespace
}  // namespace vernoli
