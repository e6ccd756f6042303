#include "kit/yearnavigator.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "workspace/yearpages.h"

namespace vernoli {
namespace {

class YearNavigatorTest : public ::testing::Test {
 protected:
  YearNavigatorTest() { page.show(); }

  QPushButton* Previous() { return page.findChild<QPushButton*>("PreviousTestButton"); }
  QPushButton* Next() { return page.findChild<QPushButton*>("NextTestButton"); }

  QWidget page;
  YearNavigator* years = new YearNavigator("NextPrevPanelTest", "PreviousTestButton",
                                           "NextTestButton", &page);
};

TEST_F(YearNavigatorTest, NamesItsButtonsAsThePageSaysAndCaptionsThemUntilShown) {
  EXPECT_EQ(years->objectName(), "NextPrevPanelTest");
  ASSERT_NE(Previous(), nullptr);
  ASSERT_NE(Next(), nullptr);
  EXPECT_EQ(Previous(), years->PreviousButton());
  EXPECT_EQ(Next(), years->NextButton());
  EXPECT_EQ(Previous()->text(), "< previous");
  EXPECT_EQ(Next()->text(), "next >");
}

TEST_F(YearNavigatorTest, ShowsTheYearsItLeadsToAndReportsEachButtonApart) {
  YearPage first;  // the first of several years: nothing before it
  first.Navigation = true;
  first.NextEnabled = true;
  first.PreviousYear = 2000;
  first.NextYear = 2002;
  years->Show(first, true);
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
  years->Show(last, true);
  EXPECT_TRUE(Previous()->isEnabled());
  EXPECT_FALSE(Next()->isEnabled());
  QTest::mouseClick(Previous(), Qt::LeftButton);
  EXPECT_EQ(previous.count(), 1);
  EXPECT_EQ(next.count(), 1);
}

TEST_F(YearNavigatorTest, HiddenForASetShownAtOnceAndWhileNothingIsOpen) {
  YearPage years2001;
  years2001.Navigation = true;
  years->Show(years2001, false);
  EXPECT_FALSE(years->isVisible());

  const YearPage whole;  // shown at once: no navigation
  years->Show(whole, true);
  EXPECT_FALSE(years->isVisible());
  EXPECT_EQ(Previous()->text(), "< previous");
  EXPECT_EQ(Next()->text(), "next >");
}

}  // namespace
}  // namespace vernoli
