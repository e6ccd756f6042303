#include "kit/activatedform.h"

#include <QApplication>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace vernoli {
namespace {

class CountingForm : public ActivatedForm {
 public:
  int activations = 0;

 private:
  void FormActivate() override { ++activations; }
};

// The program's showing fills the form; the window system showing it again after minimising
// does not, so a typed value survives.
TEST(ActivatedForm, FillsOnTheProgramsShowingOnly) {
  CountingForm form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(form.activations, 1);
  form.showMinimized();
  QApplication::processEvents();
  form.showNormal();
  QApplication::processEvents();
  QTest::qWait(50);
  EXPECT_EQ(form.activations, 1);
  form.hide();
  form.show();
  EXPECT_EQ(form.activations, 2);
}

}  // namespace
}  // namespace vernoli
