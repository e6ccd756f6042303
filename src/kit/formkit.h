// The small pieces every form is built from: named controls, list items, and the conversions
// between the program's texts and file names and the strings a form shows.
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

class QAbstractButton;
class QAbstractItemView;
class QCheckBox;
class QComboBox;
class QDialog;
class QEvent;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace vernoli {

// A modal form with a close box only: no minimise, no maximise.
void SetUpForm(QDialog& form, const QString& objectName, const QString& title);

// What Escape does on a form: close it as its Cancel does, or nothing (where closing would lose
// what the user did, and on a form that must be left through its own button).
enum class EscapeKey { Closes, Ignored };
// The keys of a form without a mouse: Enter presses the button that has the focus, anywhere else
// `defaultButton` (nullptr: no button); Escape as `escape` says. Call it once the form's buttons
// exist.
void SetUpKeys(QDialog& form, QPushButton* defaultButton, EscapeKey escape);

// Tab enters a group of radio buttons at its checked button, as it does once the user has picked
// one; the arrows move within the group. Call it after checking a button from the program.
void TabToChecked(std::initializer_list<QAbstractButton*> group);

// A text of the program's files (Windows-1252) as a form shows it.
QString Cp(std::string_view text);
// The texts, in order, as a list's items.
QStringList CpList(std::span<const std::string_view> texts);
// The numbers first..last as a list's items.
QStringList Numbers(int first, int last);
// The twelve month names, January first.
QStringList Months();

// A file name is a name of the file system, not a text of a file.
std::string FileNameOf(const QString& text);
QString FileNameText(const std::string& name);

QLabel* Label(const QString& objectName, const QString& caption, QWidget* parent);
// An empty label for a value, in bold.
QLabel* BoldLabel(const QString& objectName, QWidget* parent);
// A caption nothing looks up: it has no name.
QLabel* Text(const QString& caption, QWidget* parent);
// Enter in another control does not press it.
QPushButton* Button(const QString& objectName, const QString& caption, QWidget* parent);
QRadioButton* Radio(const QString& objectName, const QString& caption, QWidget* parent);
QCheckBox* CheckBox(const QString& objectName, const QString& caption, QWidget* parent);
QGroupBox* Group(const QString& objectName, const QString& title, QWidget* parent);
QComboBox* ComboBox(const QString& objectName, const QStringList& items, QWidget* parent);
QLineEdit* LineEdit(const QString& objectName, QWidget* parent);
// Shows a value: the user can neither change it nor reach it with Tab.
QLineEdit* ReadOnlyEdit(const QString& objectName, QWidget* parent);
// A number's edit: right aligned, of a fixed width.
QLineEdit* NumberEdit(const QString& objectName, int width, QWidget* parent);
// A shown number: read only, right aligned, of a fixed width.
QLineEdit* ReadOnlyNumber(const QString& objectName, int width, QWidget* parent);
// The form's buttons in a row, at the right.
QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons);
// Enter in the list activates its current item, as a double click does, and goes no further:
// the form's default button is not pressed.
void EnterActivates(QAbstractItemView* view);
// A focus-out that leaves the control: switching to another window or opening the control's
// context menu does not.
bool LeavesControl(const QEvent& event);
// A sunken horizontal rule between rows.
QFrame* Line(const QString& objectName, QWidget* parent);
// A plain panel that groups controls (no frame drawn until the caller sets one).
QFrame* Frame(const QString& objectName, QWidget* parent);

}  // namespace vernoli
