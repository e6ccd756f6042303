#include "kit/yearnavigator.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "kit/formkit.h"
#include "workspace/yearpages.h"

namespace vernoli {

YearNavigator::YearNavigator(const QString& panelName, const QString& previousName,
                             const QString& nextName, QWidget* parent)
    : QFrame(parent) {
  setObjectName(panelName);
  previous_ = Button(previousName, Cp(kPreviousYearCaption), this);
  next_ = Button(nextName, Cp(kNextYearCaption), this);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(previous_);
  layout->addWidget(next_);
  connect(previous_, &QPushButton::clicked, this, &YearNavigator::PreviousClicked);
  connect(next_, &QPushButton::clicked, this, &YearNavigator::NextClicked);
}

void YearNavigator::Show(const YearPage& page, bool open) {
  setVisible(open && page.Navigation);
  previous_->setText(Cp(PreviousYearCaption(page)));
  previous_->setEnabled(page.PreviousEnabled);
  next_->setText(Cp(NextYearCaption(page)));
  next_->setEnabled(page.NextEnabled);
}

}  // namespace vernoli
