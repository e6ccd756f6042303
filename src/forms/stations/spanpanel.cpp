#include "forms/stations/spanpanel.h"

#include <QGridLayout>
#include <QLabel>

#include "kit/formkit.h"
#include "stations/characteristics.h"

namespace vernoli {

SpanPanel::SpanPanel(const QString& objectName, const QString& captionSuffix,
                     ValueFont valueFont, QWidget* parent)
    : QGroupBox(" Time range ", parent) {
  setObjectName(objectName);
  const QString& c = captionSuffix;
  const auto value = [this, valueFont](const QString& name) {
    return valueFont == ValueFont::Bold ? BoldLabel(name, this) : Label(name, QString(), this);
  };
  firstLabel_ = Label("FirstLabel" + c, "First", this);
  lastLabel_ = Label("LastLabel" + c, "Last", this);
  day1Label_ = Label("Day1Label" + c, "Day:", this);
  dayNLabel_ = Label("DayNLabel" + c, "Day:", this);
  day1Lab_ = value("Day1Lab");
  dayNLab_ = value("DayNLab");
  month1Lab_ = value("Month1Lab");
  monthNLab_ = value("MonthNLab");
  year1Label_ = Label("Year1Label" + c, "First Year:", this);
  yearNLabel_ = Label("YearNLabel" + c, "Last Year:", this);
  year1Lab_ = value("Year1Lab");
  yearNLab_ = value("YearNLab");
  labelNotLinked_ = Label("LabelNotLinked", "Not linked to a specific year", this);
  auto* layout = new QGridLayout(this);
  layout->addWidget(firstLabel_, 0, 0);
  layout->addWidget(day1Label_, 0, 1);
  layout->addWidget(day1Lab_, 0, 2);
  layout->addWidget(Label("Month1Label" + c, "First Month:", this), 0, 3);
  layout->addWidget(month1Lab_, 0, 4);
  layout->addWidget(year1Label_, 0, 5);
  layout->addWidget(year1Lab_, 0, 6);
  layout->addWidget(lastLabel_, 1, 0);
  layout->addWidget(dayNLabel_, 1, 1);
  layout->addWidget(dayNLab_, 1, 2);
  layout->addWidget(Label("MonthNLabel" + c, "Last Month:", this), 1, 3);
  layout->addWidget(monthNLab_, 1, 4);
  layout->addWidget(yearNLabel_, 1, 5);
  layout->addWidget(yearNLab_, 1, 6);
  layout->addWidget(labelNotLinked_, 2, 0, 1, 7);
  layout->setColumnStretch(7, 1);
}

void SpanPanel::Show(const CharacteristicsView& view) {
  day1Label_->setText(Cp(view.DayLabel));
  dayNLabel_->setText(Cp(view.DayLabel));
  day1Lab_->setText(Cp(view.First.Day));
  dayNLab_->setText(Cp(view.Last.Day));
  month1Lab_->setText(Cp(view.First.Month));
  monthNLab_->setText(Cp(view.Last.Month));
  year1Lab_->setText(Cp(view.First.Year));
  yearNLab_->setText(Cp(view.Last.Year));
  for (QWidget* day : {day1Label_, dayNLabel_, day1Lab_, dayNLab_}) {
    day->setVisible(view.DayFieldsVisible);
  }
  firstLabel_->setVisible(view.FirstLastVisible);
  lastLabel_->setVisible(view.FirstLastVisible);
  for (QWidget* year : {year1Label_, yearNLabel_, year1Lab_, yearNLab_}) {
    year->setVisible(!view.NotLinked);
  }
  labelNotLinked_->setVisible(view.NotLinked);
}

}  // namespace vernoli
