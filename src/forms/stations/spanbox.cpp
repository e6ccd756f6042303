#include "forms/stations/spanbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "kit/formkit.h"
#include "stations/span.h"

namespace vernoli {

SpanBox::SpanBox(YearEdit yearEdit, QWidget* parent) : QGroupBox(" Time range ", parent) {
  setObjectName("TimeRangeBox");
  auto* layout = new QGridLayout(this);
  const char* const suffix[] = {"1", "N"};
  for (int i = 0; i < 2; ++i) {
    Side& side = sides_[static_cast<std::size_t>(i)];
    const QString s = suffix[i];
    const QString yearName = i == 0 ? "FromYearEdit" : "ToYearEdit";
    side.Day = ComboBox("ComboDay" + s, Numbers(1, 31), this);
    side.Decade = ComboBox("ComboDec" + s, Numbers(1, 3), this);
    side.Month = ComboBox("ComboMonth" + s, Months(), this);
    side.Year = yearEdit == YearEdit::Typed ? NumberEdit(yearName, 70, this)
                                            : ReadOnlyNumber(yearName, 70, this);
    side.DayLabel = Label("Day" + s + "Label", "Day", this);
    side.YearLabel = Label("Year" + s + "Label", i == 0 ? "First Year" : "Last Year", this);
    side.FirstLastLabel =
        Label(i == 0 ? "FirstLabel" : "LastLabel", i == 0 ? "First" : "Last", this);
    layout->addWidget(side.FirstLastLabel, i, 0);
    layout->addWidget(side.DayLabel, i, 1);
    layout->addWidget(side.Day, i, 2);
    layout->addWidget(side.Decade, i, 2);
    layout->addWidget(side.Month, i, 3);
    layout->addWidget(side.YearLabel, i, 4);
    layout->addWidget(side.Year, i, 5);
  }
  notLinked_ = CheckBox("CheckNotLinked", "not linked to a specific year", this);
  layout->addWidget(notLinked_, 2, 0, 1, 6);
  layout->setColumnStretch(6, 1);
}

void SpanBox::ShowEnd(int end, const DateControls& controls, const SpanVisibility& visibility) {
  const Side& side = At(end);
  {
    const QSignalBlocker day(side.Day);
    const QSignalBlocker decade(side.Decade);
    const QSignalBlocker month(side.Month);
    side.Day->setCurrentIndex(controls.Day - 1);
    side.Decade->setCurrentIndex(controls.Decade - 1);
    side.Month->setCurrentIndex(controls.Month - 1);
  }
  side.DayLabel->setText(Cp(visibility.DayLabel));
  side.DayLabel->setVisible(visibility.DayLabels);
  side.Day->setVisible(visibility.DayLists);
  side.Decade->setVisible(visibility.DecadeLists);
  side.FirstLastLabel->setVisible(visibility.FirstLastLabels);
  side.Year->setVisible(visibility.Years);
  side.YearLabel->setVisible(visibility.Years);
}

}  // namespace vernoli
