#include "app/program.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "../kit/form_test_support.h"
#include "../kit/recording_modals.h"
#include "app/TLogoMenu.h"
#include "app/TMainMenu.h"
#include "app/TPathMenu.h"
#include "forms/limits/TFileOptionMenu.h"
#include "forms/limits/TLimitsForm.h"

namespace vernoli {
namespace {

TEST(Program, CreatesItsFormsOnceAtStartBelowTheStartScreen) {
  Program program(FoldersOfExecutable("/opt/v/vernoli"));
  Forms& forms = program.AllForms();
  ASSERT_NE(forms.MainMenu, nullptr);
  ASSERT_NE(forms.PathMenu, nullptr);
  ASSERT_NE(forms.LimitsForm, nullptr);
  ASSERT_NE(forms.FileOptionMenu, nullptr);
  for (QWidget* form : {static_cast<QWidget*>(forms.MainMenu),
                        static_cast<QWidget*>(forms.PathMenu),
                        static_cast<QWidget*>(forms.LimitsForm),
                        static_cast<QWidget*>(forms.FileOptionMenu)}) {
    EXPECT_EQ(form->parent(), &program.LogoMenu());
    EXPECT_FALSE(form->isVisible());
  }
  EXPECT_EQ(program.State().DataFolder, "/opt/v/DATA/");
  EXPECT_EQ(program.State().OutputFolder, "/opt/v/REPORT/");
  EXPECT_EQ(program.State().ImportFolder, "/opt/v/IMPORT/");
  EXPECT_FALSE(HasSelection(program.State()));
}

TEST(Program, StartProgramClearsTheSelectionShowsTheMainMenuAndEndsAfterIt) {
  Program program(FoldersOfExecutable("/opt/v/vernoli"));
  SetStationFiles(program.State().Station, program.State().DataFolder, "ALPHA");
  program.State().Station.StationName = "Alpha";
  program.LogoMenu().show();
  testing::RecordingModals modals;
  QString shownFile;
  modals.act = [&](QDialog& form) {
    shownFile = form.findChild<QLineEdit*>("FileNameEdit")->text();
  };
  QTest::mouseClick(program.LogoMenu().findChild<QPushButton*>("StartButton"), Qt::LeftButton);
  EXPECT_EQ(modals.names, QStringList{"MainMenu"});
  EXPECT_EQ(shownFile, " None");
  EXPECT_EQ(program.State().Station.StationName, "");
  EXPECT_FALSE(program.LogoMenu().isVisible());
}

// The sample stations open in the forms: the main menu with Sydney selected, and its limits.
TEST(Program, ASampleStationOpensInTheMainMenuAndTheLimitsForm) {
  Program program(FoldersOfExecutable("/opt/v/vernoli"));
  program.State().DataFolder = std::string(VERNOLI_SAMPLES) + "/DATA/";
  program.LogoMenu().show();
  testing::RecordingModals modals;
  QString latitude, lowest;
  modals.act = [&](QDialog& form) {
    if (&form == program.AllForms().MainMenu) {
      ASSERT_TRUE(SelectStation(program.State(), "SYDNEY"));
      program.AllForms().MainMenu->Refresh();
      QCoreApplication::processEvents();  // lay the texts out before the picture
      testing::SaveScreenshot(&form, "TMainMenu");
      QTest::mouseClick(form.findChild<QPushButton*>("LimitsButton"), Qt::LeftButton);
    } else if (&form == program.AllForms().LimitsForm) {
      latitude = form.findChild<QLabel*>("LatLabel")->text();
      lowest = form.findChild<QLabel*>("LabelR1")->text();
      QCoreApplication::processEvents();
      testing::SaveScreenshot(&form, "TLimitsForm");
    }
  };
  QTest::mouseClick(program.LogoMenu().findChild<QPushButton*>("StartButton"), Qt::LeftButton);
  EXPECT_EQ(modals.names, (QStringList{"MainMenu", "LimitsForm"}));
  EXPECT_EQ(latitude, QString::fromUtf8("33\u00B0 52  South "));
  EXPECT_TRUE(lowest.endsWith(" June")) << lowest.toStdString();
}

}  // namespace
}  // namespace vernoli
