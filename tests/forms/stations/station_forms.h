// Helpers of the station form tests: a program state whose data folder is a scratch folder, and
// the few gestures a test makes on a form (click, type and press Enter, leave a field).
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <string>

#include "../../stations/station_folder.h"
#include "app/formnavigator.h"
#include "stations/appstate.h"

namespace vernoli::test_support {

// A control of a form by its name; the test fails when there is none.
template <typename T = QWidget>
T* Control(const QWidget& form, const char* name) {
  T* control = form.findChild<T*>(name);
  EXPECT_NE(control, nullptr) << name;
  return control;
}

// The text of a label or an edit.
inline QString TextOf(const QWidget& form, const char* name) {
  if (auto* edit = form.findChild<QLineEdit*>(name)) return edit->text();
  if (auto* label = form.findChild<QLabel*>(name)) return label->text();
  if (auto* button = form.findChild<QAbstractButton*>(name)) return button->text();
  ADD_FAILURE() << "no control with a text named " << name;
  return {};
}

inline void Click(const QWidget& form, const char* name) {
  auto* button = Control<QAbstractButton>(form, name);
  if (button != nullptr) QTest::mouseClick(button, Qt::LeftButton);
}

// Types `text` into an edit and presses Enter, which checks a range-checked field.
inline void Enter(const QWidget& form, const char* name, const QString& text) {
  auto* edit = Control<QLineEdit>(form, name);
  if (edit == nullptr) return;
  edit->setText(text);
  QTest::keyClick(edit, Qt::Key_Return);
}

// Types `text` into an edit and leaves it with the Tab key.
inline void TypeAndLeave(const QWidget& form, const char* name, const QString& text) {
  auto* edit = Control<QLineEdit>(form, name);
  if (edit == nullptr) return;
  edit->setText(text);
  edit->setModified(true);  // as typing does
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(edit, &out);
}

// The program's state with its data folder in a scratch folder, and a list of forms that the
// test fills with the forms it needs.
class StationFormTest : public ::testing::Test {
 protected:
  StationFormTest() : state(NewAppState(FoldersOfExecutable("/opt/v/vernoli"))) {
    state.DataFolder = folder.Folder();
  }

  // Makes a station of the folder the selected one, as the select form does.
  void SelectInFolder(const std::string& name) {
    ASSERT_TRUE(SelectStation(state, name)) << name;
  }

  ScratchFolder folder;
  AppState state;
  Forms forms;
  FormNavigator navigator{forms, state};
};

}  // namespace vernoli::test_support
