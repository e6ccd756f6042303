// The forms without a mouse, where they open, and the user's data folder the toolkit agrees on.
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QWindow>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "../kit/form_test_support.h"
#include "../kit/recording_modals.h"
#include "../model/scratch_folder.h"
#include "app/TFormAbout.h"
#include "app/TLogoMenu.h"
#include "app/TMainMenu.h"
#include "app/TPathMenu.h"
#include "app/program.h"
#include "forms/limits/TFileOptionMenu.h"
#include "forms/limits/TLimitsForm.h"
#include "forms/stations/TCharacteristicsMenu.h"
#include "forms/stations/TCreateMenu.h"
#include "forms/stations/TDataForm.h"
#include "forms/stations/TSelectMenu.h"
#include "forms/stations/TUpdateRangeMenu.h"
#include "forms/stations/TUpdateStationMenu.h"
#include "model/folders.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;

// The program on a copy of the samples, De Bilt selected.
class ProgramOnSamples : public ::testing::Test {
 protected:
  ProgramOnSamples() : program(FoldersOfExecutable(scratch.File("vernoli"))) {
    std::filesystem::copy(std::string(VERNOLI_SAMPLES) + "/DATA", scratch.File("DATA"));
    program.State().DataFolder = scratch.Folder() + "DATA/";
    EXPECT_TRUE(SelectStation(program.State(), "DEBILT"));
  }

  ScratchFolder scratch;
  Program program;
};

// Makes `form` the window that gets the keys. (A form's window counts as active already while
// the form it stands in front of is, so waiting for that is not enough.)
void Activate(QWidget& form) {
  form.activateWindow();
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &form; }));
}

QString NameOf(const QWidget* widget) {
  if (widget == nullptr) return "(none)";
  return widget->objectName().isEmpty() ? widget->metaObject()->className() : widget->objectName();
}

// The controls the Tab key visits from the first focus, once round.
QStringList TabWalk(QWidget& form) {
  QStringList names;
  QWidget* first = QApplication::focusWidget();
  for (QWidget* focus = first; names.size() < 40;) {
    names << NameOf(focus);
    if (focus == nullptr) break;
    QTest::keyClick(focus, Qt::Key_Tab);
    focus = QApplication::focusWidget();
    if (focus == first || (focus != nullptr && focus->window() != &form)) break;
  }
  return names;
}

QString DefaultButtonOf(const QWidget& form) {
  for (const QPushButton* button : form.findChildren<QPushButton*>()) {
    if (button->isDefault()) return button->objectName();
  }
  return {};
}

TEST_F(ProgramOnSamples, EveryFormIsWalkedByTabInReadingOrderWithItsEnterAndEscape) {
  struct Case {
    const char* Name;
    std::function<QWidget*()> Form;
    // From the focus the form gives at its opening; a group of radio buttons is one stop, at
    // its checked button (the arrows move within it).
    QStringList Order;
    QString Default;        // pressed by Enter at the opening
    bool EscapeCloses;
  };
  Forms& f = program.AllForms();
  const Case cases[] = {
      {"start screen", [&] { return static_cast<QWidget*>(&program.LogoMenu()); },
       {"StartButton", "CloseButton", "AboutButton"}, "StartButton", false},
      {"about box", [&] { return program.LogoMenu().findChild<TFormAbout*>(); },
       {"OKButton", "qt_tabwidget_tabbar"}, "OKButton", true},
      {"main menu", [&] { return f.MainMenu; },
       {"SelectButton", "CreateButton", "ImportButton", "CharacteristicsButton",
        "DataRangeButton", "LimitsButton", "DataCharacButton", "EToButton", "ExitButton",
        "PathButton"},
       "SelectButton", false},
      {"path form", [&] { return f.PathMenu; },
       {"DirectoryListBox1", "OKButton", "DriveComboBox1"}, "OKButton", false},
      {"select form", [&] { return f.SelectMenu; },
       {"FileStringGrid", "MainMenuButton", "CopyButton", "DeleteButton",
        "CharacteristicsButton", "DataButton", "CancelButton"},
       "MainMenuButton", true},
      {"create form", [&] {
         f.CreateMenu->SetMode(CreateMode::NewFile);
         return f.CreateMenu;
       },
       {"EditName", "StationEdit", "CountryEdit", "RadioDay", "ComboDay1", "ComboMonth1",
        "FromYearEdit", "ComboDayN", "ComboMonthN", "ToYearEdit", "CheckNotLinked",
        "LatDegEdit", "LatMinEdit", "LatitudeBox", "LonDegEdit", "LonMinEdit", "LongitudeBox",
        "AltitudeEdit", "RadioDegMin", "RadioInter", "RadioHumid", "RadioUdef", "CreateButton",
        "CancelButton"},
       "CreateButton", false},
      {"copy form", [&] {
         f.CreateMenu->SetMode(CreateMode::Copy);
         return f.CreateMenu;
       },
       {"NewNameEdit", "StationEdit", "CountryEdit", "CreateButton", "CancelButton"},
       "CreateButton", false},
      {"characteristics", [&] { return f.CharacteristicsMenu; }, {"BitBtn1"}, "BitBtn1", true},
      {"data overview", [&] { return f.DataForm; },
       {"BitBtn1", "qt_tabwidget_tabbar", "RB1"}, "BitBtn1", true},
      {"station update", [&] { return f.UpdateStationMenu; },
       {"StationEdit", "CountryEdit", "LatDegEdit", "LatMinEdit", "LatitudeBox", "LonDegEdit",
        "LonMinEdit", "LongitudeBox", "AltitudeEdit", "RadioDegMin", "RadioInter", "RadioHumid",
        "RadioUdef", "MainMenuButton", "CancelButton"},
       "MainMenuButton", false},
      {"range update", [&] { return f.UpdateRangeMenu; },
       {"SaveButton", "CancelButton", "RadioDayFirst", "EditRecLOW", "RadioDayLast",
        "EditRecUP"},
       "SaveButton", false},
      {"data limits", [&] {
         f.LimitsForm->SetStation(program.State().Station, false);
         return f.LimitsForm;
       },
       {"EditTminC", "EditTmaxC", "EditRHmin", "CBoxE", "EditUMaxMS", "CBoxU", "CBoxR", "EditUP",
        "MainButton", "CancelButton"},
       "MainButton", false},
      {"boundary value", [&] { return f.FileOptionMenu; }, {"EditVal1", "OKButton"},
       "OKButton", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    QWidget* form = c.Form();
    ASSERT_NE(form, nullptr);
    form->show();
    Activate(*form);
    // Enter presses the default button, or the button that has the focus.
    EXPECT_EQ(DefaultButtonOf(*form), c.Default);
    EXPECT_EQ(TabWalk(*form).join(' ').toStdString(), c.Order.join(' ').toStdString());
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : form, Qt::Key_Escape);
    EXPECT_EQ(form->isVisible(), !c.EscapeCloses);
    if (auto* dialog = qobject_cast<QDialog*>(form)) dialog->done(QDialog::Rejected);
  }
}

TEST_F(ProgramOnSamples, EnterPressesTheFocusedButtonOfTheMainMenu) {
  program.LogoMenu().show();
  testing::RecordingModals modals;
  modals.act = [&](QDialog& form) {
    if (&form != program.AllForms().MainMenu) return;
    Activate(form);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // "Create a new file"
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  };
  QTest::keyClick(program.LogoMenu().findChild<QPushButton*>("StartButton"), Qt::Key_Return);
  EXPECT_EQ(modals.names, (QStringList{"MainMenu", "CreateMenu"}));
}

// ---------------------------------------------------------------------------------------------
// Where a form opens

TEST_F(ProgramOnSamples, EachFormOpensCentredOnTheFormThatOpensItAndInFrontOfIt) {
  Forms& f = program.AllForms();
  program.LogoMenu().showMaximized();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.LogoMenu()));
  testing::RecordingModals modals;
  struct Opening {
    QWidget* Opener;
    QPoint OpenerCentre;
    QPoint Centre;
    QWindow* TransientParent;
  };
  std::vector<Opening> openings;
  QWidget* opener = &program.LogoMenu();
  modals.act = [&](QDialog& form) {
    openings.push_back({opener, opener->frameGeometry().center(), form.frameGeometry().center(),
                        form.windowHandle() ? form.windowHandle()->transientParent() : nullptr});
    if (&form == f.MainMenu) {
      form.move(50, 140);  // the user moved the main menu aside
      opener = &form;
      QTest::mouseClick(form.findChild<QPushButton*>("SelectButton"), Qt::LeftButton);
    } else if (&form == f.SelectMenu) {
      opener = &form;
      QTest::mouseClick(form.findChild<QPushButton*>("DataButton"), Qt::LeftButton);
    }
  };
  QTest::mouseClick(program.LogoMenu().findChild<QPushButton*>("StartButton"), Qt::LeftButton);
  ASSERT_EQ(modals.names, (QStringList{"MainMenu", "SelectMenu", "DataForm"}));
  for (const Opening& opening : openings) {
    SCOPED_TRACE(NameOf(opening.Opener).toStdString());
    EXPECT_LE((opening.Centre - opening.OpenerCentre).manhattanLength(), 2);
    EXPECT_EQ(opening.TransientParent, opening.Opener->windowHandle());
  }
}

// ---------------------------------------------------------------------------------------------
// The user's data folder

TEST(UserDataFolder, IsTheToolkitsDataLocationOfTheProgram) {
  ScratchFolder scratch;
  const QString name = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName("Vernoli");
  const QByteArray xdg = qgetenv("XDG_DATA_HOME");
  for (const std::string& value : {scratch.Folder() + "xdg", std::string()}) {
    SCOPED_TRACE(value);
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(value));
    EXPECT_EQ(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString() +
                  "/",
              UserDataFolder());
  }
  qputenv("XDG_DATA_HOME", xdg);
  QCoreApplication::setApplicationName(name);
}

}  // namespace
}  // namespace vernoli
