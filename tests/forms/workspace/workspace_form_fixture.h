// The workspace form on a scratch data folder, driven through its real widgets: opening a
// station, finding controls by name, typing into the grid as a user does.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "../../kit/form_test_support.h"
#include "../../kit/recording_modals.h"
#include "../../workspace/station_files.h"
#include "app/TMainMenu.h"
#include "app/formnavigator.h"
#include "cli/batch.h"
#include "forms/limits/TLimitsForm.h"
#include "kit/spinbutton.h"
#include "model/numbers.h"
#include "stations/appstate.h"
#include "workspace/validation.h"

#include "forms/workspace/TUpdateMenu.h"
#include "forms/workspace/datagrid.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteStation;

[[maybe_unused]] QString Deg(const char* before, const char* after) {
  return QString::fromUtf8(before) + QChar(0xB0) + QString::fromUtf8(after);
}

const QString kRemedies =
    "Possible solutions:\n"
    "1. Verify input data\n"
    "2. Check units (Switch units ?)\n"
    "3. Adjust 'Data range' if required";

// A .DTA of `records` lines: the header, then each record's number and the values of `values`.
std::string Dta(const std::string& header, int records,
                const std::function<std::string(int)>& values) {
  std::string dta = header + "\r\n";
  for (int n = 1; n <= records; ++n) dta += FormatInt(n, 10) + values(n) + "\r\n";
  return dta;
}

// Tmax 20 + (n mod 10), Tmin 10, wind 2.5, no ETo yet.
std::string DailyValues(int n) {
  return FormatReal(20.0 + n % 10, 10, 1) + "      10.0      2.50    -999.0";
}

class WorkspaceFormTest : public ::testing::Test {
 protected:
  WorkspaceFormTest()
      : state(NewAppState(FoldersOfExecutable("/opt/v/vernoli"))), form(state, navigator) {
    state.DataFolder = folder.Folder();
    forms.UpdateMenu = &form;
  }

  // A daily station of `records` records from `from` with Tmax, Tmin, wind and ETo.
  RepClimateFile Daily(int records, Date from = {1, 3, 2001}) {
    const Date to = DateOfDayNr(DayNr(from.Day, from.Month, from.Year) + records - 1);
    return WriteStation(folder.Folder(), "DAILY", kDaily, from, to,
                        Dta("        Nr       101       103       301       501", records,
                            DailyValues));
  }

  // Copies sample station `name` into the data folder and selects it.
  void SelectSample(const std::string& name) {
    const std::string samples = std::string(VERNOLI_SAMPLES) + "/DATA/";
    for (const char* extension : {".DSC", ".DTA"}) {
      std::filesystem::copy_file(samples + name + extension, folder.File(name + extension));
    }
    ASSERT_TRUE(SelectStation(state, name));
  }

  // Opens the workspace on `station` as the main menu does (or the create form, without Cancel).
  void Open(const RepClimateFile& station, bool cancelEnabled = true) {
    state.Station = station;
    form.PrepareOpening(cancelEnabled);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_TRUE(form.Session().IsOpen());
  }

  template <typename T = QWidget>
  T* Control(const char* name) {
    T* control = form.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QString Text(const char* name) {
    if (auto* edit = form.findChild<QLineEdit*>(name)) return edit->text();
    if (auto* label = form.findChild<QLabel*>(name)) return label->text();
    if (auto* button = form.findChild<QAbstractButton*>(name)) return button->text();
    ADD_FAILURE() << "no control " << name;
    return {};
  }
  void Click(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }
  void ShowPage(const char* name) {
    Control<QTabWidget>("PageControl1")->setCurrentWidget(Control(name));
  }

  DataGrid* Grid() { return Control<DataGrid>("StringGridData"); }
  QAbstractItemModel* Model() { return Grid()->model(); }
  QModelIndex Index(int column, int row) { return Model()->index(row, column); }
  QString Cell(int column, int row) { return Index(column, row).data().toString(); }
  QString DateOf(int column) { return Model()->headerData(column, Qt::Horizontal).toString(); }
  int RowOf(int code) {
    const std::vector<int16_t>& codes = form.Session().Grid().Codes;
    return static_cast<int>(std::find(codes.begin(), codes.end(), code) - codes.begin());
  }
  int EToRow() { return Model()->rowCount() - 1; }
  std::vector<QString> Row(int row) {
    std::vector<QString> texts;
    for (int c = 0; c < Model()->columnCount(); ++c) texts.push_back(Cell(c, row));
    return texts;
  }

  // Makes the cell current and types into it as a user does: the first key opens the editor.
  void Type(int column, int row, const QString& text) {
    Grid()->setFocus();
    Grid()->setCurrentIndex(Index(column, row));
    QTest::keyClicks(Grid(), text.left(1));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(Grid()->isAncestorOf(editor)) << "no editor opened";
    QTest::keyClicks(editor, text.mid(1));
  }
  void Enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

  // Chooses `year` in the year chooser `name` as a user does: a click opens its list, Enter
  // takes the year made current there.
  void ChooseYear(const char* name, const QString& year) {
    auto* chooser = Control<QComboBox>(name);
    QTest::mouseClick(chooser, Qt::LeftButton);
    QAbstractItemView* list = chooser->view();
    ASSERT_TRUE(list->isVisible()) << "the list did not open";
    const int row = chooser->findText(year);
    ASSERT_GE(row, 0) << year.toStdString();
    list->setCurrentIndex(list->model()->index(row, 0));
    QTest::keyClick(list, Qt::Key_Return);
  }

  // Types into a setting edit and presses Enter.
  void TypeSetting(const char* name, const QString& text) {
    auto* edit = Control<QLineEdit>(name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  // The working data stay in memory: no working file appears in the data folder.
  bool WorkingFileExists() const { return std::filesystem::exists(folder.File("FullSet.TMP")); }

  testing::RecordingMessages messages;
  ScratchFolder folder;
  AppState state;
  Forms forms;
  FormNavigator navigator{forms, state};
  TUpdateMenu form;
};

}  // namespace
}  // namespace vernoli
