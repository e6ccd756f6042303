// Leaving the workspace: the close box follows "Cancel" and "Main menu", and never throws away
// what the user has not chosen to lose.
#include "model/atomicfile.h"
#include "workspace_form_fixture.h"

namespace vernoli {
namespace {

const QString kLeaveUnsaved = "Leave without saving ?\n(No: back to the workspace)";
const QString kSaveAndLeave = "Save data and return to Main menu ?\n(No: back to the workspace)";

// Tmax is the first value of a record's line.
std::string TmaxOfRecord(const std::string& dta, int record) {
  return dta.substr(dta.find("\r\n" + FormatInt(record, 10)) + 12, 10);
}

class LeavingTest : public WorkspaceFormTest {};

// ---------------------------------------------------------------------------------------------
// While "Cancel" is enabled

TEST_F(LeavingTest, WhileCancelIsEnabledTheCloseBoxCancelsAskingWhenAnEditWouldBeLost) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  const std::string dta = ReadBytes(station.DtaFileName);

  // Nothing changed: it closes at once.
  Open(station);
  form.close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(messages.questions.isEmpty());

  // A typed value would be lost: No goes back to the workspace, value and "Cancel" as they were.
  Open(station);
  ShowPage("DataSheet");
  Type(0, 0, "33");
  Enter();
  form.close();
  EXPECT_EQ(messages.questions, QStringList{kLeaveUnsaved});
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(Cell(0, 0), "      33.0");
  EXPECT_TRUE(Control("CancelButton")->isEnabled());

  // A value still in its editor counts as typed; Yes leaves as "Cancel" does.
  Type(1, 0, "34");
  messages.answers = {true};
  form.close();
  EXPECT_EQ(messages.questions, (QStringList{kLeaveUnsaved, kLeaveUnsaved}));
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(LeavingTest, CancelLeavesWithoutSavingAndEscapeDoesNotLeave) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  const std::string dta = ReadBytes(station.DtaFileName);
  Open(station);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_TRUE(form.isVisible());
  ShowPage("DataSheet");
  Type(0, 0, "33");
  Enter();
  Click("CancelButton");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_FALSE(WorkingFileExists());
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_TRUE(messages.questions.isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Once "Cancel" is disabled

// An edit written back by the year navigation greys "Cancel" out; the close box then asks to
// save as "Main menu" does, or to go back, and never loses the edit.
TEST_F(LeavingTest, OnceCancelIsDisabledTheCloseBoxSavesOrGoesBack) {
  const RepClimateFile station = Daily(400, {1, 1, 2001});
  const std::string dta = ReadBytes(station.DtaFileName);
  Open(station);
  ShowPage("DataSheet");
  Type(2, RowOf(101), "31.5");
  Enter();
  Click("NextYearDataButton");
  ASSERT_FALSE(Control("CancelButton")->isEnabled());

  form.close();
  EXPECT_EQ(messages.questions, QStringList{kSaveAndLeave});
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_EQ(form.windowTitle(), "* Data and ETo menu");

  messages.answers = {true};
  form.close();
  EXPECT_EQ(messages.questions, (QStringList{kSaveAndLeave, kSaveAndLeave}));
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_FALSE(form.Session().IsOpen());
  EXPECT_EQ(TmaxOfRecord(ReadBytes(station.DtaFileName), 3), "      31.5");
  EXPECT_TRUE(messages.messages.isEmpty());

  // Reopened and moved on without a change: nothing to lose, no question.
  Open(state.Station);
  Click("NextYearDataButton");
  form.close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(messages.questions.size(), 2);
}

// Opened by the create form, the new station has no "Cancel": a change is saved or kept.
TEST_F(LeavingTest, WithoutCancelFromTheCreateFormTheCloseBoxAsksToSave) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  Open(station, false);
  form.close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(messages.questions.isEmpty());

  Open(station, false);
  ShowPage("DataSheet");
  Type(0, 0, "33");
  Enter();
  form.close();
  EXPECT_EQ(messages.questions, QStringList{kSaveAndLeave});
  EXPECT_TRUE(form.isVisible());
}

// A save that fails keeps the workspace open with the message, as "Main menu" does; the user may
// then leave knowing that the changes are lost, or stay and try again.
TEST_F(LeavingTest, WhenTheSaveOfTheCloseBoxFailsTheUserMayStillLeave) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  const std::string dta = ReadBytes(station.DtaFileName);
  Open(station, false);
  ShowPage("DataSheet");
  Type(0, 0, "25");
  Enter();

  AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::Rename);
  messages.answers = {true, false};
  form.close();
  EXPECT_EQ(messages.questions, (QStringList{kSaveAndLeave, kLeaveUnsaved}));
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_TRUE(messages.messages[0].startsWith("ERROR:\n"));
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(Cell(0, 0), "      25.0");

  AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::Rename);
  messages.answers = {true, true};
  form.close();
  EXPECT_EQ(messages.questions.size(), 4);
  EXPECT_EQ(messages.messages.size(), 2);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
}

// A unit switch writes the grid back, so "Cancel" is disabled; nothing reaches the files until
// the user saves, and leaving without saving keeps the old units in the files and the selection.
TEST_F(LeavingTest, SwitchingUnitsThenLeavingWithoutSavingKeepsTheOldUnits) {
  const RepClimateFile station = Daily(30, {1, 7, 2001});
  const std::string dta = ReadBytes(station.DtaFileName);
  const std::string dsc = ReadBytes(station.DscFileName);
  Open(station);
  ShowPage("DataSheet");
  Click("UnitsButton");
  EXPECT_EQ(Control<QComboBox>("ComboBoxT")->currentIndex(), 1);  // Fahrenheit proposed
  Click("ConvertButton");
  EXPECT_EQ(Cell(0, 0), "      69.8");
  EXPECT_TRUE(Control<QRadioButton>("RadioFarenheit")->isChecked());
  EXPECT_EQ(Text("LabelTMinMax"), Deg(" [", "F]"));
  EXPECT_FALSE(Control("CancelButton")->isEnabled());
  form.close();
  EXPECT_EQ(messages.questions, QStringList{kSaveAndLeave});
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_EQ(ReadBytes(station.DscFileName), dsc);

  form.done(QDialog::Rejected);
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(WorkingFileExists());
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_EQ(ReadBytes(station.DscFileName), dsc);
  EXPECT_EQ(state.Station.ParameterCodes[0], 101);
}

}  // namespace
}  // namespace vernoli
