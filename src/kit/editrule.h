// One rule for every edit field of the program: what the user typed is checked and committed, or
// refused with the form's message and the old value put back, however the field is left. Tab, a
// click elsewhere, a page tab, a button, a shortcut, the close box, Escape, Enter, and the window
// system hiding the window all commit the field first; a button acts on what the field shows
// after its check, never on a value the form kept from before.
//
// When the check needs a message (a value corrected or refused), the click, shortcut, Escape or
// close that left the field is not passed on: the user sees the value the field holds now and
// does it again. The window system's hiding cannot be stopped; the check runs all the same.
//
//   EditRule::Attach(edit, [this, edit] { return ReadMyField(edit); });
#pragma once

#include <QObject>
#include <functional>

class QLineEdit;
class QWidget;

namespace vernoli {

class EditRule : public QObject {
  Q_OBJECT
 public:
  // Reads the field's text, checks it and takes its value, or shows the form's message and puts
  // the field's value back. Returns false when it showed a message.
  using Commit = std::function<bool()>;
  // What Enter does in the field besides committing it: nothing (a number's field), or what it
  // does in the form (a text field: the form's default button).
  enum class EnterKey { Stops, GoesOn };

  // The rule lives as long as the edit. A field has one rule: attaching another replaces its
  // commit and its Enter.
  static EditRule* Attach(QLineEdit* edit, Commit commit, EnterKey enter = EnterKey::Stops);
  // The rule of `edit`, nullptr when it has none.
  static EditRule* Of(const QLineEdit* edit);

  // The user changed the text (typed, pasted, undone) since the field was last committed or
  // filled by the program.
  bool Pending() const;
  // Commits the field now, pending or not. False when the check showed a message.
  bool CommitNow();
  QLineEdit* Edit() const { return edit_; }

 signals:
  // After each commit; `quiet` is false when the check showed a message.
  void Committed(bool quiet);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  EditRule(QLineEdit* edit, Commit commit, EnterKey enter);

  QLineEdit* edit_;
  Commit commit_;
  EnterKey enter_;
  bool committing_ = false;  // a commit's message box takes the focus away
};

// Commits every pending field of the window that holds `widget`. False when one showed a
// message.
bool CommitPendingFields(const QWidget* widget);

}  // namespace vernoli
