#include "kit/checkedit.h"

#include <QLineEdit>
#include <cmath>

#include "kit/editrule.h"
#include "kit/messages.h"
#include "kit/text.h"
#include "model/checks.h"
#include "model/numbers.h"

namespace vernoli {

CheckedEdit::CheckedEdit(QLineEdit* edit, bool integer, double minimum, double maximum,
                         int width, int decimals, double fallback)
    : QObject(edit),
      edit_(edit),
      integer_(integer),
      minimum_(minimum),
      maximum_(maximum),
      width_(width),
      decimals_(decimals),
      fallback_(fallback),
      value_(fallback) {
  EditRule::Attach(edit_, [this] {
    Check();
    return !corrected_;
  });
}

CheckedEdit* CheckedEdit::Real(QLineEdit* edit, double minimum, double maximum, int width,
                               int decimals, double fallback) {
  return new CheckedEdit(edit, false, minimum, maximum, width, decimals, fallback);
}

CheckedEdit* CheckedEdit::Integer(QLineEdit* edit, int64_t minimum, int64_t maximum, int width,
                                  int64_t fallback) {
  return new CheckedEdit(edit, true, static_cast<double>(minimum), static_cast<double>(maximum),
                         width, 0, static_cast<double>(fallback));
}

void CheckedEdit::SetRange(double minimum, double maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
}

void CheckedEdit::SetValue(double value) {
  value_ = value;
  const std::string text = integer_ ? FormatInt(static_cast<int64_t>(std::llround(value)), width_)
                                    : FormatReal(value, width_, decimals_);
  edit_->setText(FromCp1252(text));
}

double CheckedEdit::Check() {
  if (checking_) return value_;
  checking_ = true;
  const std::string typed = ToCp1252(edit_->text().trimmed());
  std::string fieldText;
  std::string message;
  if (integer_) {
    int64_t parsed = 0;
    if (!ParseInt(typed, parsed)) parsed = static_cast<int64_t>(std::llround(fallback_));
    const IntegerEntryCheck check =
        CheckIntegerEntry(parsed, static_cast<int64_t>(std::llround(minimum_)),
                          static_cast<int64_t>(std::llround(maximum_)), width_);
    value_ = static_cast<double>(check.Value);
    fieldText = check.FieldText;
    message = check.Message;
  } else {
    double parsed = 0.0;
    if (!ParseReal(typed, parsed)) parsed = fallback_;
    const RealEntryCheck check = CheckRealEntry(parsed, minimum_, maximum_, width_, decimals_);
    value_ = check.Value;
    fieldText = check.FieldText;
    message = check.Message;
  }
  corrected_ = !message.empty();
  if (corrected_) ShowMessage(message);
  edit_->setText(FromCp1252(fieldText));
  if (!message.empty()) edit_->setFocus(Qt::OtherFocusReason);
  checking_ = false;
  emit Checked(value_);
  return value_;
}

}  // namespace vernoli
