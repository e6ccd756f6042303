#include "kit/editrule.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "form_test_support.h"

namespace vernoli {
namespace {

// A form with two pages: the field and a label on the first, another edit on the second, and a
// button below that takes no focus and has a shortcut (Alt+G), as a tool button has.
class PagedForm {
 public:
  PagedForm() {
    tabs = new QTabWidget(&form);
    auto* first = new QWidget;
    field = new QLineEdit(first);
    label = new QLabel("a caption", first);
    auto* firstLayout = new QVBoxLayout(first);
    firstLayout->addWidget(field);
    firstLayout->addWidget(label);
    other = new QLineEdit;
    tabs->addTab(first, "First");
    tabs->addTab(other, "Second");
    button = new QToolButton(&form);
    button->setText("&Go");
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QToolButton::clicked, [this] { clickedSeeing.push_back(seen); });
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(tabs);
    layout->addWidget(button);
    EditRule::Attach(field, [this] {
      seen = field->text();
      ++commits;
      return accept;
    });
  }
  void ShowAndType(const QString& text) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    field->setFocus();
    QTest::keyClicks(field, text);
    ASSERT_TRUE(EditRule::Of(field)->Pending());
  }

  QDialog form;
  QTabWidget* tabs;
  QLineEdit* field;
  QLabel* label;
  QLineEdit* other;
  QToolButton* button;
  QString seen;  // the text of the last commit
  int commits = 0;
  bool accept = true;
  QStringList clickedSeeing;  // what the commits had seen when the button acted
};

enum class Exit {
  Tab,
  ClickOnALabel,
  PageTab,
  Button,
  Shortcut,
  CloseBox,
  Escape,
  Enter,
  Minimise
};

void Leave(PagedForm& f, Exit exit) {
  switch (exit) {
    case Exit::Tab:
      QTest::keyClick(f.field, Qt::Key_Tab);
      break;
    case Exit::ClickOnALabel:
      QTest::mouseClick(f.label, Qt::LeftButton);
      break;
    case Exit::PageTab:
      QTest::mouseClick(f.tabs->tabBar(), Qt::LeftButton, {},
                        f.tabs->tabBar()->tabRect(1).center());
      break;
    case Exit::Button:
      QTest::mouseClick(f.button, Qt::LeftButton);
      break;
    case Exit::Shortcut:
      // Through the window, as the window system delivers it, so that the shortcut map sees it.
      QTest::keyClick(f.form.windowHandle(), Qt::Key_G, Qt::AltModifier);
      // A button's shortcut shows the button pressed before it clicks.
      (void)QTest::qWaitFor([&f] { return !f.clickedSeeing.isEmpty(); }, 500);
      break;
    case Exit::CloseBox:
      f.form.close();
      break;
    case Exit::Escape:
      QTest::keyClick(f.field, Qt::Key_Escape);
      break;
    case Exit::Enter:
      QTest::keyClick(f.field, Qt::Key_Return);
      break;
    case Exit::Minimise:
      f.form.showMinimized();
      QApplication::processEvents();
      break;
  }
}

struct ExitCase {
  const char* Name;
  Exit Way;
  bool Acts;   // the way of leaving does something the commit must come before
  bool Stops;  // a refused commit keeps the form as it was: the action does not happen
};

const ExitCase kExits[] = {
    {"Tab", Exit::Tab, false, false},
    {"a click on a label", Exit::ClickOnALabel, false, false},
    {"a page tab", Exit::PageTab, true, true},
    {"a button that takes no focus", Exit::Button, true, true},
    {"a shortcut", Exit::Shortcut, true, true},
    {"the close box", Exit::CloseBox, true, true},
    {"Escape", Exit::Escape, true, true},
    {"Enter", Exit::Enter, false, false},
    {"a minimise", Exit::Minimise, false, false},
};

// What the form does after leaving the field: the button pressed, the page shown, the form
// closed.
bool Acted(const PagedForm& f, Exit exit) {
  switch (exit) {
    case Exit::PageTab:
      return f.tabs->currentIndex() == 1;
    case Exit::Button:
    case Exit::Shortcut:
      return !f.clickedSeeing.isEmpty();
    case Exit::CloseBox:
    case Exit::Escape:
      return !f.form.isVisible();
    default:
      return false;
  }
}

TEST(EditRule, EveryWayOfLeavingCommitsTheTypedTextBeforeAnythingActs) {
  for (const ExitCase& c : kExits) {
    SCOPED_TRACE(c.Name);
    PagedForm f;
    f.ShowAndType("2");
    Leave(f, c.Way);
    EXPECT_EQ(f.commits, 1);
    EXPECT_EQ(f.seen, "2");
    EXPECT_FALSE(EditRule::Of(f.field)->Pending());
    if (c.Acts) {
      EXPECT_TRUE(Acted(f, c.Way));
    }
    // The button acted on the committed text.
    if (c.Way == Exit::Button || c.Way == Exit::Shortcut) {
      EXPECT_EQ(f.clickedSeeing, QStringList{"2"});
    }
  }
}

TEST(EditRule, ARefusedTextStopsTheClickTheCloseAndEscape) {
  for (const ExitCase& c : kExits) {
    if (!c.Stops) continue;
    SCOPED_TRACE(c.Name);
    PagedForm f;
    f.accept = false;  // the form showed its message and put the old value back
    f.ShowAndType("x");
    Leave(f, c.Way);
    EXPECT_EQ(f.commits, 1);
    EXPECT_FALSE(Acted(f, c.Way));
    // Done again, with nothing typed since, it acts.
    Leave(f, c.Way);
    EXPECT_EQ(f.commits, 1);
    EXPECT_TRUE(Acted(f, c.Way));
  }
}

TEST(EditRule, TheProgramsTextIsNoTypingAndAClickIntoTheFieldDoesNotLeaveIt) {
  PagedForm f;
  f.ShowAndType("7");
  QTest::mouseClick(f.field, Qt::LeftButton);
  EXPECT_EQ(f.commits, 0);
  f.field->setText("5");  // the program refills the field: what was typed is gone
  EXPECT_FALSE(EditRule::Of(f.field)->Pending());
  QTest::mouseClick(f.button, Qt::LeftButton);
  EXPECT_EQ(f.commits, 0);
  EXPECT_EQ(f.clickedSeeing.size(), 1);
}

}  // namespace
}  // namespace vernoli
