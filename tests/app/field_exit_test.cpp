// Every edit field of every form, walked through every way of leaving it: what the user typed is
// committed (the field shows it, or the form's message explains the value it shows instead)
// before anything else happens, and a message stops a click, a close or a key that would act.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest/QTest>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "../kit/form_test_support.h"
#include "../kit/recording_modals.h"
#include "../model/scratch_folder.h"
#include "app/program.h"
#include "kit/editrule.h"
#include "kit/navigator.h"
#include "limits/boundary.h"
#include "model/folders.h"
#include "stations/appstate.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;

enum class Exit { Tab, ClickElsewhere, PageTab, Minimise, Button, CloseBox, Escape, Enter };

struct ExitCase {
  const char* Name;
  Exit Way;
  bool MayClose;  // the form may act and close: one opening per field
};

const ExitCase kExits[] = {
    {"Tab", Exit::Tab, false},
    {"a click elsewhere", Exit::ClickElsewhere, false},
    {"a page tab", Exit::PageTab, false},
    {"a minimise", Exit::Minimise, false},
    {"a button", Exit::Button, true},
    {"the close box", Exit::CloseBox, true},
    {"Escape", Exit::Escape, true},
    {"Enter", Exit::Enter, true},
};

struct FormCase {
  const char* Name;    // the form's object name
  const char* Button;  // the button the walk presses
  std::function<void(Program&)> Open;
  // The controls the user clicks first, in order, to show the fields that stay hidden until
  // then.
  std::vector<const char*> Reveal;
};

const FormCase kForms[] = {
    {"CreateMenu", "CancelButton", [](Program& p) { p.Navigation().OpenCreateMenu(); }, {}},
    {"CreateMenu", "CancelButton", [](Program& p) { p.Navigation().OpenCreateMenu(); },
     {"RadioDecimal"}},
    {"UpdateStationMenu", "CancelButton",
     [](Program& p) { p.Navigation().OpenUpdateStationMenu(); }, {}},
    {"UpdateStationMenu", "CancelButton",
     [](Program& p) { p.Navigation().OpenUpdateStationMenu(); }, {"RadioDecimal"}},
    {"ImportMenu", "CancelButton", [](Program& p) { p.Navigation().OpenImportMenu(); }, {}},
    {"ImportMenu", "CancelButton", [](Program& p) { p.Navigation().OpenImportMenu(); },
     {"RadioDecimal"}},
    {"FileOptionMenu", "OKButton",
     [](Program& p) { (void)p.Navigation().AskBoundary(BoundaryRequest{}, p.State().Station); },
     {}},
    {"FileOptionMenu", "OKButton",
     [](Program& p) {
       (void)p.Navigation().AskBoundary(BoundaryRequest{"Tmin", false, true}, p.State().Station);
     },
     {}},
    {"UpdateMenu", "MainMenuButton", [](Program& p) { p.Navigation().OpenWorkspace(true); },
     {"AdjustButton"}},
    {"UpdateMenu", "MainMenuButton", [](Program& p) { p.Navigation().OpenWorkspace(true); },
     {"AgrolumeFilesButton", "CheckBoxETo", "CheckBoxTMP"}},
    {"UpdateMenu", "MainMenuButton", [](Program& p) { p.Navigation().OpenWorkspace(true); },
     {"ReportButton"}},
};

// A number and a text most number fields refuse or correct: the walk goes through both the
// quiet commit and the form's message.
const char* const kTyped[] = {"2", "99999"};

// The pages that hold `widget`, outermost first, as (page control, page index).
std::vector<std::pair<QTabWidget*, int>> PagesOf(QWidget* widget) {
  std::vector<std::pair<QTabWidget*, int>> pages;
  for (QWidget* child = widget; child != nullptr; child = child->parentWidget()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(child->parentWidget() != nullptr
                                                   ? child->parentWidget()->parentWidget()
                                                   : nullptr)) {
      const int index = tabs->indexOf(child);
      if (index >= 0) pages.insert(pages.begin(), {tabs, index});
    }
  }
  return pages;
}

void ShowPagesOf(QWidget* widget) {
  for (auto [tabs, index] : PagesOf(widget)) tabs->setCurrentIndex(index);
}

// Clicks the controls that show the hidden fields of `form`, in order. A page of the
// workspace shown again hides them: the walk reveals them before each field.
void Reveal(QDialog& shown, const FormCase& form) {
  for (const char* name : form.Reveal) {
    auto* control = shown.findChild<QAbstractButton*>(name);
    ASSERT_NE(control, nullptr) << name;
    ShowPagesOf(control);
    if (!control->isCheckable() || !control->isChecked()) control->click();
  }
}

// The fields a user can type into: on every page as the form opens, or those that the
// revealing clicks show.
std::vector<QLineEdit*> FieldsOf(QDialog& shown, const FormCase& form) {
  std::vector<QLineEdit*> fields;
  for (QLineEdit* edit : shown.findChildren<QLineEdit*>()) {
    if (EditRule::Of(edit) == nullptr || edit->isReadOnly() || edit->focusPolicy() == Qt::NoFocus) {
      continue;
    }
    if (form.Reveal.empty()) ShowPagesOf(edit);
    if (edit->isVisibleTo(&shown) && edit->isEnabled()) fields.push_back(edit);
  }
  return fields;
}

// Brings the field in front, as the user did before typing.
void Prepare(QDialog& shown, const FormCase& form, QLineEdit* edit) {
  if (form.Reveal.empty()) {
    ShowPagesOf(edit);
  } else {
    Reveal(shown, form);
  }
}

void Activate(QWidget& form) {
  form.activateWindow();
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &form; }));
}

// A point of the form where a click meets no control: the form itself or a frame of controls.
QWidget* Background(QDialog& form, QPoint& point) {
  for (int y = 4; y < form.height(); y += 6) {
    for (int x = 4; x < form.width(); x += 6) {
      QWidget* at = form.childAt(x, y);
      if (at == nullptr || (at->metaObject() == &QWidget::staticMetaObject) ||
          qobject_cast<QGroupBox*>(at) != nullptr) {
        QWidget* target = at == nullptr ? &form : at;
        point = target->mapFrom(&form, QPoint(x, y));
        return target;
      }
    }
  }
  point = QPoint(1, 1);
  return &form;
}

// Another page tab that the user could click, or none.
QTabBar* OtherTab(QLineEdit* edit, int& index) {
  const auto pages = PagesOf(edit);
  if (pages.empty()) return nullptr;
  auto [tabs, current] = pages.back();
  for (int i = 0; i < tabs->count(); ++i) {
    if (i != current && tabs->isTabEnabled(i) && tabs->isTabVisible(i)) {
      index = i;
      return tabs->tabBar();
    }
  }
  return nullptr;
}

struct Walk {
  const FormCase& Form;
  const ExitCase& Exit;
  testing::RecordingMessages& Messages;
};

// Types `typed` into `edit` as a user does, leaves the field the way of `walk`, and checks that
// the field was committed and that a message stopped what would act.
void TypeAndLeave(const Walk& walk, QDialog& form, QLineEdit* edit, const QString& typed) {
  SCOPED_TRACE(QString("%1 %2 typed %3 left by %4")
                   .arg(walk.Form.Name, edit->objectName(), typed, walk.Exit.Name)
                   .toStdString());
  Prepare(form, walk.Form, edit);
  ASSERT_TRUE(edit->isVisible());
  Activate(form);
  edit->setFocus(Qt::MouseFocusReason);
  edit->selectAll();
  QTest::keyClicks(edit, typed);
  ASSERT_TRUE(EditRule::Of(edit)->Pending());
  QSignalSpy commits(EditRule::Of(edit), &EditRule::Committed);
  const qsizetype before = walk.Messages.messages.size();
  int page = -1;
  QTabBar* tabBar = nullptr;
  const auto pages = PagesOf(edit);
  switch (walk.Exit.Way) {
    case Exit::Tab:
      QTest::keyClick(edit, Qt::Key_Tab);
      break;
    case Exit::ClickElsewhere: {
      QPoint point;
      QWidget* target = Background(form, point);
      QTest::mouseClick(target, Qt::LeftButton, {}, point);
      break;
    }
    case Exit::PageTab:
      tabBar = OtherTab(edit, page);
      if (tabBar == nullptr) return;  // a form without pages has no page tab to click
      QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(page).center());
      break;
    case Exit::Minimise:
      form.showMinimized();
      QApplication::processEvents();
      form.showNormal();
      QApplication::processEvents();
      break;
    case Exit::Button:
      QTest::mouseClick(form.findChild<QPushButton*>(walk.Form.Button), Qt::LeftButton);
      break;
    case Exit::CloseBox:
      form.close();
      break;
    case Exit::Escape:
      QTest::keyClick(edit, Qt::Key_Escape);
      break;
    case Exit::Enter:
      QTest::keyClick(edit, Qt::Key_Return);
      break;
  }
  EXPECT_FALSE(EditRule::Of(edit)->Pending());
  ASSERT_EQ(commits.size(), 1);
  const bool quiet = commits.at(0).at(0).toBool();
  const QStringList said = walk.Messages.messages.mid(before);
  const QString shown = edit->text().trimmed();
  bool numbers = false;
  const double typedValue = typed.toDouble(&numbers);
  bool shownNumber = false;
  const double shownValue = shown.toDouble(&shownNumber);
  const bool showsTyped = shown == typed || (numbers && shownNumber && shownValue == typedValue);
  if (quiet) {
    EXPECT_TRUE(showsTyped) << "the field shows " << shown.toStdString();
  } else {
    EXPECT_FALSE(said.isEmpty());
    EXPECT_FALSE(showsTyped) << said.join("|").toStdString();
    // The message stopped what would have acted: the form stays as it was.
    if (walk.Exit.Way == Exit::PageTab) {
      EXPECT_EQ(pages.back().first->currentIndex(), pages.back().second);
    }
    if (walk.Exit.MayClose) {
      EXPECT_TRUE(form.isVisible()) << said.join("|").toStdString();
    }
  }
}

class FieldExits : public ::testing::Test {
 protected:
  FieldExits() : program(FoldersOfExecutable(scratch.File("vernoli"))) {
    std::filesystem::copy(std::string(VERNOLI_SAMPLES) + "/DATA", scratch.File("DATA"));
    program.State().DataFolder = scratch.Folder() + "DATA/";
    program.State().OutputFolder = scratch.Folder() + "REPORT/";
    std::filesystem::create_directory(scratch.File("REPORT"));
    EXPECT_TRUE(SelectStation(program.State(), "DEBILT"));
  }

  // Opens the form, shows its hidden fields, and runs `act` on it.
  void OnForm(const FormCase& form, const std::function<void(QDialog&)>& act) {
    modals.act = [&](QDialog& shown) {
      if (shown.objectName() != form.Name) return;
      Reveal(shown, form);
      act(shown);
    };
    form.Open(program);
    modals.act = nullptr;
  }

  ScratchFolder scratch;
  Program program;
  testing::RecordingMessages messages;
  testing::RecordingModals modals;
};

TEST_F(FieldExits, EveryFieldOfEveryFormIsCommittedHoweverItIsLeft) {
  for (const FormCase& form : kForms) {
    std::size_t fieldCount = 0;
    OnForm(form, [&](QDialog& shown) { fieldCount = FieldsOf(shown, form).size(); });
    SCOPED_TRACE(form.Name);
    EXPECT_GT(fieldCount, 0U);
    for (const ExitCase& exit : kExits) {
      const Walk walk{form, exit, messages};
      if (!exit.MayClose) {
        // The form stays open: every field in one opening.
        OnForm(form, [&](QDialog& shown) {
          for (QLineEdit* edit : FieldsOf(shown, form)) {
            for (const char* typed : kTyped) TypeAndLeave(walk, shown, edit, typed);
          }
        });
        continue;
      }
      for (std::size_t i = 0; i < fieldCount; ++i) {
        for (const char* typed : kTyped) {
          OnForm(form, [&](QDialog& shown) {
            const std::vector<QLineEdit*> fields = FieldsOf(shown, form);
            ASSERT_LT(i, fields.size());
            TypeAndLeave(walk, shown, fields[i], typed);
          });
        }
      }
    }
  }
}

}  // namespace
}  // namespace vernoli
