#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "../kit/form_test_support.h"
#include "app/TFormAbout.h"
#include "app/TLogoMenu.h"
#include "kit/text.h"
#include "model/folders.h"

namespace vernoli {
namespace {

TEST(ProgramFolders, AreBesideTheExecutable) {
  const ProgramFolders f = FoldersOfExecutable("/opt/vernoli/bin/vernoli");
  EXPECT_EQ(f.Program, "/opt/vernoli/bin/");
  EXPECT_EQ(f.Data, "/opt/vernoli/bin/DATA/");
  EXPECT_EQ(f.Report, "/opt/vernoli/bin/REPORT/");
  EXPECT_EQ(f.Import, "/opt/vernoli/bin/IMPORT/");
}

TEST(Cp1252, DegreeSignAndHighBytesRoundTrip) {
  const std::string bytes = std::string("20 \xB0") + "C \x80 \x93x\x94";
  const QString text = FromCp1252(bytes);
  EXPECT_EQ(text, QString::fromUtf8("20 \u00B0C \u20AC \u201Cx\u201D"));
  EXPECT_EQ(ToCp1252(text), bytes);
  EXPECT_EQ(ToCp1252(QString::fromUtf8("\u4E2D")), "?");
}

TEST(TLogoMenu, ShowsItsCaptionsAndOpensTheAboutBox) {
  TLogoMenu logo;
  EXPECT_EQ(logo.windowTitle(), " Welcome ");
  auto* start = logo.findChild<QPushButton*>("StartButton");
  auto* close = logo.findChild<QPushButton*>("CloseButton");
  auto* about = logo.findChild<QPushButton*>("AboutButton");
  ASSERT_TRUE(start && close && about);
  EXPECT_EQ(start->text(), "Start program");
  EXPECT_EQ(close->text(), "Close program");
  EXPECT_EQ(about->text(), "About");
  ASSERT_NE(logo.findChild<QWidget*>("EToPanel"), nullptr);
  ASSERT_NE(logo.findChild<QWidget*>("InfoPanel"), nullptr);
  bool titleFound = false, subtitleFound = false;
  for (auto* label : logo.findChildren<QLabel*>()) {
    titleFound |= label->text() == "Vernoli";
    subtitleFound |= label->text() == "Evapotranspiration from a reference surface";
  }
  EXPECT_TRUE(titleFound);
  EXPECT_TRUE(subtitleFound);

  logo.resize(1000, 700);
  logo.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&logo));
  // "Start program" just above the middle, "Close program" just below it.
  EXPECT_LT(start->geometry().bottom(), 350);
  EXPECT_GT(close->geometry().top(), 350);
  EXPECT_LE(logo.findChild<QWidget*>("InfoPanel")->geometry().bottom(), 560);
  testing::SaveScreenshot(&logo, "TLogoMenu");

  auto* aboutBox = logo.findChild<TFormAbout*>();
  ASSERT_NE(aboutBox, nullptr);
  QTimer::singleShot(0, aboutBox, [aboutBox] {
    EXPECT_TRUE(aboutBox->isVisible());
    EXPECT_EQ(aboutBox->findChild<QTabWidget*>("PageControl")->count(), 3);
    testing::SaveScreenshot(aboutBox, "TFormAbout");
    aboutBox->accept();
  });
  QTest::mouseClick(about, Qt::LeftButton);
  EXPECT_FALSE(aboutBox->isVisible());
}

TEST(TLogoMenu, StartRunsTheMainMenuThenCloses) {
  TLogoMenu logo;
  int started = 0;
  logo.SetStartAction([&] { ++started; });
  logo.show();
  QTest::mouseClick(logo.findChild<QPushButton*>("StartButton"), Qt::LeftButton);
  EXPECT_EQ(started, 1);
  EXPECT_FALSE(logo.isVisible());
}

TEST(TLogoMenu, CloseButtonClosesTheStartScreen) {
  TLogoMenu logo;
  logo.show();
  QTest::mouseClick(logo.findChild<QPushButton*>("CloseButton"), Qt::LeftButton);
  EXPECT_FALSE(logo.isVisible());
}

}  // namespace
}  // namespace vernoli
