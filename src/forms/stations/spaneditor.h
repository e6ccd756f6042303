// The typed entry of a record span on a form: the three data type radio buttons and a span box
// bound to a span, a SpanEntry or anything with its operations (the import keeps its span in
// its session). Every choice goes to the span, and the controls show the span again (an
// impossible date normalised, an inverted span closed). The create and the import forms use it.
#pragma once

#include <QGroupBox>
#include <QObject>
#include <array>
#include <functional>
#include <string_view>
#include <type_traits>

#include "stations/span.h"

class QRadioButton;

namespace vernoli {

class CheckedEdit;
class SpanBox;

// The group " Meteorological Data " (ClimDataBox): the data type as RadioDay "Daily",
// RadioDecade "10-daily" and RadioMonth "Monthly".
class DataTypeBox : public QGroupBox {
  Q_OBJECT
 public:
  explicit DataTypeBox(QWidget* parent);
  // The radio button of data type 0 (daily), 1 (10-daily) or 2 (monthly).
  QRadioButton* Radio(int dataType) const { return radios_[static_cast<std::size_t>(dataType)]; }

 private:
  std::array<QRadioButton*, 3> radios_{};
};

class SpanEditor : public QObject {
  Q_OBJECT
 public:
  // `types` chooses the data type; `box` holds the ends.
  SpanEditor(SpanBox* box, DataTypeBox* types, QObject* parent);

  // The span the controls edit from now on, shown at once. `target` is a SpanEntry or offers
  // the same operations (SetDataType, ChooseDay, ChooseDecade, ChooseMonth, EnterYear,
  // SetNotLinked) and Span(); it outlives the editor.
  template <typename Target>
  void Bind(Target& target) {
    ops_.SetDataType = [&target](uint8_t type) { target.SetDataType(type); };
    ops_.ChooseDay = [&target](SpanEnd end, int day) { target.ChooseDay(end, day); };
    ops_.ChooseDecade = [&target](SpanEnd end, int decade) { target.ChooseDecade(end, decade); };
    ops_.ChooseMonth = [&target](SpanEnd end, int month) { target.ChooseMonth(end, month); };
    ops_.EnterYear = [&target](SpanEnd end, std::string_view text) {
      (void)target.EnterYear(end, text);
    };
    ops_.SetNotLinked = [&target](bool notLinked) { target.SetNotLinked(notLinked); };
    if constexpr (std::is_same_v<Target, SpanEntry>) {
      ops_.Span = [&target]() -> const SpanEntry& { return target; };
    } else {
      ops_.Span = [&target]() -> const SpanEntry& { return target.Span(); };
    }
    Show();
  }
  // Shows the span again (after the owner changed it); does not signal.
  void Show();

 signals:
  // After every change the user made.
  void Changed();

 private:
  void Change();

  struct Operations {
    std::function<void(uint8_t)> SetDataType;
    std::function<void(SpanEnd, int)> ChooseDay, ChooseDecade, ChooseMonth;
    std::function<void(SpanEnd, std::string_view)> EnterYear;
    std::function<void(bool)> SetNotLinked;
    std::function<const SpanEntry&()> Span;
  };
  Operations ops_;
  SpanBox* box_;
  DataTypeBox* types_;
  std::array<CheckedEdit*, 2> yearChecks_{};  // the first (0) and the last (1) year
};

}  // namespace vernoli
