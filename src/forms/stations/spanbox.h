// A span's controls on the create and the range forms: for the first (0) and the last (1) record
// a day or a decade list, a month list and a year edit with their labels, and below them
// "not linked to a specific year".
#pragma once

#include <QGroupBox>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace vernoli {

struct DateControls;
struct SpanVisibility;

class SpanBox : public QGroupBox {
  Q_OBJECT
 public:
  struct Side {
    QComboBox* Day;
    QComboBox* Decade;
    QComboBox* Month;
    QLineEdit* Year;
    QLabel* DayLabel;
    QLabel* YearLabel;
    QLabel* FirstLastLabel;
  };
  // A typed year is the user's entry; a shown one is read only.
  enum class YearEdit { Typed, Shown };

  SpanBox(YearEdit yearEdit, QWidget* parent);

  const Side& At(int end) const { return sides_[static_cast<std::size_t>(end)]; }
  QCheckBox* NotLinked() const { return notLinked_; }

  // The lists of one end show `controls` without signalling a choice, and the end's controls
  // show as `visibility` says. The year's text is the caller's.
  void ShowEnd(int end, const DateControls& controls, const SpanVisibility& visibility);

 private:
  std::array<Side, 2> sides_{};
  QCheckBox* notLinked_;
};

}  // namespace vernoli
