#include "kit/checkedit.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "form_test_support.h"

namespace vernoli {
namespace {

// A small form: the checked edit, a second edit to move to, and a default button.
class EntryForm {
 public:
  EntryForm() {
    edit = new QLineEdit(&form);
    other = new QLineEdit(&form);
    okButton = new QPushButton("OK", &form);
    okButton->setDefault(true);
    QObject::connect(okButton, &QPushButton::clicked, &form, &QDialog::accept);
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(edit);
    layout->addWidget(other);
    layout->addWidget(okButton);
  }
  void Show() {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
  }
  void Type(const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
  }

  QDialog form;
  QLineEdit* edit;
  QLineEdit* other;
  QPushButton* okButton;
};

struct EnterCase {
  const char* Name;
  double Minimum, Maximum;
  int Width, Decimals;
  const char* Typed;
  const char* Message;  // empty: inside the range
  const char* Shown;
  double Value;
};

TEST(CheckedEdit, EnterForcesARealIntoItsRange) {
  const EnterCase cases[] = {
      {"above", 0, 15, 6, 1, "22", "ERROR:\nvalue is larger than Maximum (=  15.000)", "  15.0",
       15},
      {"below", 0, 15, 6, 1, "-3", "ERROR:\nvalue is smaller than Minimum (=   0.000)", "   0.0",
       0},
      {"inside, blanks trimmed", 0, 15, 6, 1, " 7.26 ", "", "   7.3", 7.26},
      {"no number: fallback 5.0", 0, 15, 6, 1, "abc", "", "   5.0", 5},
      {"empty: fallback 5.0", 0, 15, 6, 1, "", "", "   5.0", 5},
      {"limit in width 11 with 4 decimals", 0, 69.99, 9, 2, "70",
       "ERROR:\nvalue is larger than Maximum (=    69.9900)", "    69.99", 69.99},
      {"negative range", -15, 45, 6, 1, "-20", "ERROR:\nvalue is smaller than Minimum (= -15.000)",
       " -15.0", -15},
  };
  for (const EnterCase& c : cases) {
    SCOPED_TRACE(c.Name);
    testing::RecordingMessages messages;
    EntryForm entry;
    CheckedEdit* check =
        CheckedEdit::Real(entry.edit, c.Minimum, c.Maximum, c.Width, c.Decimals, 5.0);
    QSignalSpy checked(check, &CheckedEdit::Checked);
    entry.Show();
    entry.Type(c.Typed);
    QTest::keyClick(entry.edit, Qt::Key_Return);

    const QStringList expected =
        std::string(c.Message).empty() ? QStringList() : QStringList{c.Message};
    EXPECT_EQ(messages.messages, expected);
    EXPECT_EQ(entry.edit->text(), c.Shown);
    ASSERT_EQ(checked.count(), 1);
    EXPECT_DOUBLE_EQ(checked.at(0).at(0).toDouble(), c.Value);
    EXPECT_DOUBLE_EQ(check->Value(), c.Value);
    EXPECT_TRUE(entry.edit->hasFocus());
    // Enter checks the field; it does not press the form's default button.
    EXPECT_TRUE(entry.form.isVisible());
  }
}

TEST(CheckedEdit, IntegerLimitIsWrittenTwoCharactersWider) {
  testing::RecordingMessages messages;
  EntryForm entry;
  CheckedEdit* check = CheckedEdit::Integer(entry.edit, 0, 59, 2, 0);
  entry.Show();
  entry.Type("75");
  QTest::keyClick(entry.edit, Qt::Key_Enter);
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nvalue is larger than Maximum (=  59)"});
  EXPECT_EQ(entry.edit->text(), "59");
  EXPECT_EQ(check->Value(), 59);

  entry.Type("7.5");  // no integer: the fallback
  QTest::keyClick(entry.edit, Qt::Key_Return);
  EXPECT_EQ(entry.edit->text(), " 0");
  EXPECT_EQ(messages.messages.size(), 1);
}

TEST(CheckedEdit, LeavingTheFieldChecksItAndGivesTheFocusBack) {
  testing::RecordingMessages messages;
  EntryForm entry;
  CheckedEdit::Real(entry.edit, 0, 15, 6, 1, 5.0);
  entry.Show();
  entry.Type("99");
  entry.other->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nvalue is larger than Maximum (=  15.000)"});
  EXPECT_EQ(entry.edit->text(), "  15.0");
  EXPECT_TRUE(entry.edit->hasFocus());

  // A value inside the range lets the focus go.
  entry.Type("3");
  entry.other->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(entry.edit->text(), "   3.0");
  EXPECT_TRUE(entry.other->hasFocus());
  EXPECT_EQ(messages.messages.size(), 1);
}

TEST(CheckedEdit, ClickingTheDefaultButtonChecksTheFieldFirst) {
  testing::RecordingMessages messages;
  EntryForm entry;
  CheckedEdit* check = CheckedEdit::Real(entry.edit, 0, 15, 6, 1, 5.0);
  entry.Show();
  entry.Type("-1");
  QTest::mouseClick(entry.okButton, Qt::LeftButton);
  EXPECT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(entry.edit->text(), "   0.0");
  EXPECT_EQ(check->Value(), 0.0);
}

TEST(CheckedEdit, SetValueWritesTheFieldFormatWithoutACheck) {
  testing::RecordingMessages messages;
  EntryForm entry;
  CheckedEdit* check = CheckedEdit::Real(entry.edit, 0, 15, 6, 1, 5.0);
  check->SetValue(50.0);
  EXPECT_EQ(entry.edit->text(), "  50.0");
  EXPECT_TRUE(messages.messages.isEmpty());
  check->SetRange(-5, 5);
  EXPECT_EQ(check->Check(), 5.0);
  EXPECT_EQ(messages.messages, QStringList{"ERROR:\nvalue is larger than Maximum (=   5.000)"});
}

}  // namespace
}  // namespace vernoli
