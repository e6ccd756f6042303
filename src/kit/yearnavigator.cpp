#include "kit/yearnavigator.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>

#include "kit/formkit.h"
#include "workspace/yearchoice.h"
#include "workspace/yearpages.h"

namespace vernoli {

YearNavigator::YearNavigator(const QString& panelName, const QString& previousName,
                             const QString& chooserName, const QString& nextName, QWidget* parent)
    : QFrame(parent) {
  setObjectName(panelName);
  previous_ = Button(previousName, Cp(kPreviousYearCaption), this);
  chooser_ = new QComboBox(this);
  chooser_->setObjectName(chooserName);
  chooser_->setToolTip("Go to a year");
  // A list of fifty years opens as a list of twenty that scrolls, not one the screen's height.
  chooser_->setMaxVisibleItems(20);
  chooser_->setStyleSheet("QComboBox { combobox-popup: 0; }");
  chooser_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  next_ = Button(nextName, Cp(kNextYearCaption), this);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(previous_);
  layout->addWidget(chooser_);
  layout->addWidget(next_);
  connect(previous_, &QPushButton::clicked, this, &YearNavigator::PreviousClicked);
  connect(next_, &QPushButton::clicked, this, &YearNavigator::NextClicked);
  connect(chooser_, &QComboBox::activated, this, &YearNavigator::ChooserActivated);
}

void YearNavigator::Show(const YearPage& page, const YearChoice& choice, bool open) {
  setVisible(open && page.Navigation);
  previous_->setText(Cp(PreviousYearCaption(page)));
  previous_->setEnabled(page.PreviousEnabled);
  next_->setText(Cp(NextYearCaption(page)));
  next_->setEnabled(page.NextEnabled);

  // Only the user's choice is reported: filling and selecting here are quiet.
  const QSignalBlocker quiet(chooser_);
  bool same = chooser_->count() == static_cast<int>(choice.Years.size());
  for (int i = 0; same && i < chooser_->count(); ++i) {
    same = chooser_->itemData(i).toInt() == choice.Years[static_cast<std::size_t>(i)];
  }
  if (!same) {
    chooser_->clear();
    for (const int32_t year : choice.Years) chooser_->addItem(QString::number(year), year);
  }
  shown_ = choice.Shown;
  chooser_->setCurrentIndex(chooser_->findData(shown_));
}

void YearNavigator::ChooserActivated(int index) {
  const int year = chooser_->itemData(index).toInt();
  if (index < 0 || year == shown_) return;
  emit YearChosen(year);
}

}  // namespace vernoli
