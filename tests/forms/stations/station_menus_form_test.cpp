// The station forms in the program: created at start, opened from the main menu, and pictures
// of each of them with the sample stations.
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>

#include "../../kit/form_test_support.h"
#include "../../kit/recording_modals.h"
#include "app/TLogoMenu.h"
#include "app/TMainMenu.h"
#include "app/program.h"
#include "forms/stations/TCharacteristicsMenu.h"
#include "forms/stations/TCreateMenu.h"
#include "forms/stations/TDataForm.h"
#include "forms/stations/TSelectMenu.h"
#include "forms/stations/TUpdateRangeMenu.h"
#include "forms/stations/TUpdateStationMenu.h"
#include "kit/spinbutton.h"
#include "station_forms.h"

namespace vernoli {
namespace {

using test_support::Click;
using test_support::Control;
using test_support::ScratchFolder;
using test_support::TextOf;

// The sample stations, copied so that no form can change the originals.
void CopySamples(const ScratchFolder& folder, const std::string& subfolder = "") {
  namespace fs = std::filesystem;
  for (const auto& entry : fs::directory_iterator(std::string(VERNOLI_SAMPLES) + "/DATA")) {
    const std::string name = entry.path().filename().string();
    fs::copy_file(entry.path(), folder.File(subfolder.empty() ? name : subfolder + "/" + name));
  }
}

void Picture(QWidget& form, const char* name) {
  QCoreApplication::processEvents();  // lay the texts out before the picture
  testing::SaveScreenshot(&form, name);
}

TEST(StationForms, TheProgramCreatesThemAtStartBelowTheStartScreen) {
  Program program(FoldersOfExecutable("/opt/v/vernoli"));
  const Forms& forms = program.AllForms();
  const QWidget* created[] = {forms.SelectMenu,        forms.CreateMenu,
                              forms.CharacteristicsMenu, forms.DataForm,
                              forms.UpdateStationMenu, forms.UpdateRangeMenu};
  for (const QWidget* form : created) {
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->parent(), &program.LogoMenu()) << form->objectName().toStdString();
    EXPECT_FALSE(form->isVisible());
  }
}

class StationMenusTest : public test_support::StationFormTest {
 protected:
  StationMenusTest()
      : menu(state, navigator),
        select(state, navigator),
        create(state, navigator),
        characteristics(state),
        data(state),
        updateStation(state),
        updateRange(state) {
    forms.MainMenu = &menu;
    forms.SelectMenu = &select;
    forms.CreateMenu = &create;
    forms.CharacteristicsMenu = &characteristics;
    forms.DataForm = &data;
    forms.UpdateStationMenu = &updateStation;
    forms.UpdateRangeMenu = &updateRange;
  }

  testing::RecordingMessages messages;
  testing::RecordingModals modals;
  TMainMenu menu;
  TSelectMenu select;
  TCreateMenu create;
  TCharacteristicsMenu characteristics;
  TDataForm data;
  TUpdateStationMenu updateStation;
  TUpdateRangeMenu updateRange;
};

TEST_F(StationMenusTest, CreateOpensTheCreateFormForANewFileAndShowsTheNewStation) {
  create.SetMode(CreateMode::Copy);  // left so by the select form
  menu.show();
  modals.act = [&](QDialog& form) {
    if (&form != &create) return;
    EXPECT_EQ(create.Mode(), CreateMode::NewFile);
    EXPECT_EQ(create.windowTitle(), " Create menu");
    Control<QLineEdit>(create, "EditName")->setText("NEW");
    Control<QLineEdit>(create, "StationEdit")->setText("Newtown");
    Click(create, "CreateButton");
  };
  Click(menu, "CreateButton");
  EXPECT_EQ(modals.names, QStringList{"CreateMenu"});
  EXPECT_EQ(TextOf(menu, "FileNameEdit"), "NEW");
  EXPECT_EQ(TextOf(menu, "StationLabel"), "Newtown");
  EXPECT_TRUE(Control(menu, "EToButton")->isEnabled());
}

TEST_F(StationMenusTest, TheSelectFormsChoiceShowsInTheMainMenu) {
  CopySamples(folder);
  menu.show();
  modals.act = [&](QDialog& form) {
    if (&form != &select) return;
    auto* grid = Control<QTableWidget>(select, "FileStringGrid");
    grid->setCurrentCell(2, 0);
    Click(select, "MainMenuButton");
  };
  Click(menu, "SelectButton");
  EXPECT_EQ(TextOf(menu, "FileNameEdit"), "SYDNEY");
  EXPECT_EQ(TextOf(menu, "StationLabel"), "Sydney (Observatory Hill)");
  EXPECT_TRUE(Control(menu, "DataRangeButton")->isEnabled());
}

// Runs in the scratch folder while it lives, so that paths can be given relative to it. A
// folder for the pictures given relative to where the test started stays that folder.
class InFolder {
 public:
  explicit InFolder(const ScratchFolder& folder)
      : before_(std::filesystem::current_path()), pictures_(qgetenv("VERNOLI_SCREENSHOTS")) {
    if (!pictures_.isEmpty()) {
      const std::filesystem::path absolute =
          std::filesystem::absolute(std::filesystem::path(pictures_.toStdString()));
      qputenv("VERNOLI_SCREENSHOTS", QByteArray::fromStdString(absolute.string()));
    }
    std::filesystem::current_path(folder.Folder());
  }
  ~InFolder() {
    std::filesystem::current_path(before_);
    if (!pictures_.isEmpty()) qputenv("VERNOLI_SCREENSHOTS", pictures_);
  }

 private:
  std::filesystem::path before_;
  QByteArray pictures_;
};

TEST_F(StationMenusTest, PicturesOfTheFormsWithTheSampleStations) {
  // The samples in a folder "DATA/" that the pictures show without the test's own path.
  ScratchFolder program;
  std::filesystem::create_directory(program.File("DATA"));
  CopySamples(program, "DATA");
  const InFolder inProgram(program);
  state.DataFolder = "DATA/";
  menu.show();

  // The list of the samples, Sydney selected.
  SelectInFolder("SYDNEY");
  modals.act = [&](QDialog& form) {
    if (&form == &select) {
      EXPECT_EQ(Control<QTableWidget>(select, "FileStringGrid")->rowCount(), 3);
      Picture(select, "TSelectMenu");
      Click(select, "CharacteristicsButton");
      Click(select, "CancelButton");
    } else if (&form == &characteristics) {
      EXPECT_EQ(TextOf(characteristics, "LatLabel"), "33.86 South (33 degrees 52 minutes)");
      Picture(characteristics, "TCharacteristicsMenu");
    }
  };
  Click(menu, "SelectButton");
  EXPECT_EQ(modals.names, (QStringList{"SelectMenu", "CharacteristicsMenu"}));

  modals.act = [&](QDialog&) { Picture(updateStation, "TUpdateStationMenu"); };
  Click(menu, "CharacteristicsButton");

  // A decade more at the end, not saved.
  modals.act = [&](QDialog&) {
    QTest::mouseClick(Control<SpinButton>(updateRange, "SpinButtonLast")->UpButton(),
                      Qt::LeftButton);
    EXPECT_EQ(TextOf(updateRange, "EditLnNr"), "    37");
    Picture(updateRange, "TUpdateRangeMenu");
  };
  Click(menu, "DataRangeButton");

  // The temperatures of De Bilt on the plot page.
  SelectInFolder("DEBILT");
  menu.Refresh();
  modals.act = [&](QDialog&) {
    EXPECT_EQ(Control<QTableWidget>(data, "StringGridData")->rowCount(), 5);
    Picture(data, "TDataForm_Table");
    Control<QRadioButton>(data, "RB1")->click();
    auto* pages = Control<QTabWidget>(data, "PageControl1");
    pages->setCurrentIndex(1);
    Picture(data, "TDataForm");
  };
  Click(menu, "DataCharacButton");
  EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("|").toStdString();
  EXPECT_EQ(modals.names, (QStringList{"SelectMenu", "CharacteristicsMenu", "UpdateStationMenu",
                                       "UpdateRangeMenu", "DataForm"}));
}

}  // namespace
}  // namespace vernoli
