// The range-checked entry field: a line edit whose number is forced into its allowed range.
//
// On Enter and whenever the user leaves the field after typing (the program's rule for every edit
// field, in editrule.h) the text, blanks trimmed, is read as a number (a text that
// is no number gives the field's fallback value) and checked against the range. A value outside
// it becomes the nearest limit: the message "ERROR:" + line break + "value is smaller than
// Minimum (=" + limit + ")" (or "... larger than Maximum (=") is shown, the corrected value is
// written into the field and the focus goes back to it. The field always ends up showing the
// value in its format; then Checked reports the value.
//
//   auto* check = CheckedEdit::Real(editVal, 0.0, 15.0, 6, 1, 5.0);
//   connect(check, &CheckedEdit::Checked, this, [](double value) { ... });
#pragma once

#include <QObject>
#include <cstdint>

class QLineEdit;

namespace vernoli {

class CheckedEdit : public QObject {
  Q_OBJECT
 public:
  // A real field: `width` characters with `decimals` decimals. The object lives as long as
  // the edit.
  static CheckedEdit* Real(QLineEdit* edit, double minimum, double maximum, int width,
                           int decimals, double fallback);
  // An integer field of `width` characters.
  static CheckedEdit* Integer(QLineEdit* edit, int64_t minimum, int64_t maximum, int width,
                              int64_t fallback);

  // The range of the next checks.
  void SetRange(double minimum, double maximum);
  double Minimum() const { return minimum_; }
  double Maximum() const { return maximum_; }
  // Writes `value` into the field in its format, without a check.
  void SetValue(double value);
  // Checks the field's text now, as Enter does, and returns the value.
  double Check();
  // The value of the last check (or of SetValue).
  double Value() const { return value_; }
  QLineEdit* Edit() const { return edit_; }

 signals:
  // After every check, with the value the field now shows.
  void Checked(double value);

 private:
  CheckedEdit(QLineEdit* edit, bool integer, double minimum, double maximum, int width,
              int decimals, double fallback);

  QLineEdit* edit_;
  bool integer_;
  double minimum_;
  double maximum_;
  int width_;
  int decimals_;
  double fallback_;
  double value_;
  bool corrected_ = false;  // the last check showed a message
  bool checking_ = false;  // a check is running: its message box takes the focus away
};

}  // namespace vernoli
