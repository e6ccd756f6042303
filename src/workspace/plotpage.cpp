#include "workspace/plotpage.h"

#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/formkit.h"
#include "model/calendar.h"
#include "workspace/session.h"

namespace vernoli {

PlotPage::PlotPage(WorkspaceSession& session, AppState& state, Forms& forms, QWidget* parent)
    : QWidget(parent), session_(session), state_(state), forms_(forms) {
  setObjectName("PlotSheet");
  labelPlotTitle_ = Label("LabelPlotTitle", QString(), this);
  QFont bold = labelPlotTitle_->font();
  bold.setBold(true);
  labelPlotTitle_->setFont(bold);
  plotImage_ = Label("PlotImage", QString(), this);
  plotImage_->setMinimumSize(600, 280);
  plotImage_->setAutoFillBackground(true);
  plotImage_->setBackgroundRole(QPalette::Base);
  timeImage_ = Label("TimeImage", QString(), this);
  timeImage_->setMinimumHeight(24);
  timeImage_->setAutoFillBackground(true);
  timeImage_->setBackgroundRole(QPalette::Base);
  yearLabel_ = Label("YearLabel", QString(), this);
  plotMenu_ = Button("PlotMenu", "Plot options", this);
  legendButton_ = Button("LegendButton", "Legend", this);
  nextPrevPanelPlot_ = new QFrame(this);
  nextPrevPanelPlot_->setObjectName("NextPrevPanelPlot");
  previousYearPlotButton_ =
      Button("PreviousYearPlotButton", Cp(kPreviousYearCaption), nextPrevPanelPlot_);
  nextYearPlotButton_ = Button("NextYearPlotButton", Cp(kNextYearCaption), nextPrevPanelPlot_);
  auto* navigation = new QHBoxLayout(nextPrevPanelPlot_);
  navigation->setContentsMargins(0, 0, 0, 0);
  navigation->addWidget(previousYearPlotButton_);
  navigation->addWidget(nextYearPlotButton_);

  legendGroupBox_ = Group("LegendGroupBox", " Legend ", this);
  auto* legendGrid = new QTableWidget(0, 2, legendGroupBox_);
  legendGrid->setObjectName("LegendStringGrid");
  legendGrid->verticalHeader()->hide();
  legendGrid->horizontalHeader()->hide();
  legendGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* closeLegend = Button("CloseLegendButton", "Close", legendGroupBox_);
  auto* legendLayout = new QHBoxLayout(legendGroupBox_);
  legendLayout->addWidget(legendGrid, 1);
  legendLayout->addWidget(closeLegend, 0, Qt::AlignTop);
  connect(closeLegend, &QPushButton::clicked, legendGroupBox_, &QWidget::hide);

  auto* time = new QHBoxLayout;
  time->addWidget(yearLabel_);
  time->addWidget(timeImage_, 1);
  auto* bar = new QHBoxLayout;
  bar->addWidget(nextPrevPanelPlot_);
  bar->addStretch(1);
  bar->addWidget(plotMenu_);
  bar->addWidget(legendButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(labelPlotTitle_);
  layout->addWidget(plotImage_, 1);
  layout->addLayout(time);
  layout->addWidget(legendGroupBox_);
  layout->addLayout(bar);
  legendGroupBox_->hide();

  connect(previousYearPlotButton_, &QPushButton::clicked, this, &PlotPage::PreviousYearClicked);
  connect(nextYearPlotButton_, &QPushButton::clicked, this, &PlotPage::NextYearClicked);
  connect(plotMenu_, &QPushButton::clicked, this, [this] {
    legendGroupBox_->hide();
    emit PlotOptionsClicked();
  });
}

void PlotPage::Redraw() {}

void PlotPage::Opening() {
  legendGroupBox_->hide();
  labelPlotTitle_->setText("Reference crop evapotranspiration (ETo)");
}

void PlotPage::HideLegend() { legendGroupBox_->hide(); }

void PlotPage::ShowNavigation() {
  const YearPage& page = session_.Page();
  nextPrevPanelPlot_->setVisible(session_.IsOpen() && page.Navigation);
  previousYearPlotButton_->setText(Cp(PreviousYearCaption(page)));
  previousYearPlotButton_->setEnabled(page.PreviousEnabled);
  nextYearPlotButton_->setText(Cp(NextYearCaption(page)));
  nextYearPlotButton_->setEnabled(page.NextEnabled);
  // The year of the first visible record.
  QString year;
  if (session_.IsOpen() && session_.Station().FromYear != kYearNotLinked) {
    year = QString::number(DateOfRecord(session_.Station(), page.First - 1).Year);
  }
  yearLabel_->setText(year);
}

}  // namespace vernoli
