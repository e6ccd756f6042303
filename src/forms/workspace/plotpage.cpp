#include "forms/workspace/plotpage.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "forms/plot/graphimage.h"
#include "forms/plot/graphpicture.h"
#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/yearnavigator.h"
#include "model/datafile.h"
#include "model/linereader.h"
#include "model/stationcodes.h"
#include "plot/graph.h"
#include "stations/appstate.h"
#include "workspace/session.h"
#include "workspace/yearchoice.h"
#include "workspace/yearpages.h"

namespace vernoli {

namespace {

constexpr int kLegendRowHeight = 20;
constexpr int kMarkSize = 14;

QLabel* ImageLabel(const QString& objectName, QWidget* parent) {
  QLabel* label = Label(objectName, QString(), parent);
  // The image follows the label's size, never the other way round.
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

PlotPage::PlotPage(WorkspaceSession& session, AppState& state, QWidget* parent)
    : QWidget(parent), session_(session), state_(state) {
  setObjectName("PlotSheet");
  labelPlotTitle_ = BoldLabel("LabelPlotTitle", this);
  plotImage_ = ImageLabel("PlotImage", this);
  plotImage_->setMinimumSize(600, 280);
  plotImage_->installEventFilter(this);
  timeImage_ = ImageLabel("TimeImage", this);
  timeImage_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  timeImage_->setFixedHeight(24);
  yearLabel_ = Label("YearLabel", QString(), this);
  yearLabel_->setFixedWidth(44);
  plotMenu_ = Button("PlotMenu", "Plot options", this);
  legendButton_ = Button("LegendButton", "Legend", this);
  savePictureButton_ = Button("SavePictureButton", "Save picture", this);
  savePictureButton_->setToolTip("Saves the graph as shown as PNG and SVG files in the output folder");
  years_ = new YearNavigator("NextPrevPanelPlot", "PreviousYearPlotButton", "YearPlotComboBox",
                             "NextYearPlotButton", this);

  // The legend: a colour mark beside each series row of the grid.
  legendGroupBox_ = Group("LegendGroupBox", " Legend ", this);
  legendStringGrid_ = new QTableWidget(0, 2, legendGroupBox_);
  legendStringGrid_->setObjectName("LegendStringGrid");
  legendStringGrid_->verticalHeader()->hide();
  legendStringGrid_->horizontalHeader()->hide();
  legendStringGrid_->verticalHeader()->setDefaultSectionSize(kLegendRowHeight);
  legendStringGrid_->horizontalHeader()->setStretchLastSection(true);
  legendStringGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  legendStringGrid_->setSelectionMode(QAbstractItemView::NoSelection);
  legendStringGrid_->setFocusPolicy(Qt::NoFocus);
  legendStringGrid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  legendStringGrid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  legendStringGrid_->setFrameShape(QFrame::NoFrame);
  auto* marks = new QVBoxLayout;
  marks->setSpacing(0);
  marks->setContentsMargins(0, 0, 0, 0);
  marks->addSpacing(kLegendRowHeight);  // beside the title row
  for (std::size_t i = 0; i < shapes_.size(); ++i) {
    QLabel* mark = Label(QString("ShapeL%1").arg(i + 1), QString(), legendGroupBox_);
    mark->setFixedSize(kMarkSize, kLegendRowHeight);
    QPixmap colour(kMarkSize, kMarkSize);
    colour.fill(SlotColour(static_cast<int>(i)));
    mark->setPixmap(colour);
    shapes_[i] = mark;
    marks->addWidget(mark);
  }
  marks->addStretch(1);
  auto* closeLegend = Button("CloseLegendButton", "Close", legendGroupBox_);
  auto* legendLayout = new QHBoxLayout(legendGroupBox_);
  legendLayout->addLayout(marks);
  legendLayout->addWidget(legendStringGrid_, 1);
  legendLayout->addWidget(closeLegend, 0, Qt::AlignTop);
  connect(closeLegend, &QPushButton::clicked, legendGroupBox_, &QWidget::hide);

  // The plot stands above the time strip, in one column: the year label beside the strip.
  auto* graph = new QGridLayout;
  graph->setHorizontalSpacing(4);
  graph->setVerticalSpacing(2);
  graph->addWidget(plotImage_, 0, 1);
  graph->addWidget(yearLabel_, 1, 0);
  graph->addWidget(timeImage_, 1, 1);
  graph->setColumnStretch(1, 1);
  graph->setRowStretch(0, 1);
  auto* bar = new QHBoxLayout;
  bar->addWidget(years_);
  bar->addStretch(1);
  bar->addWidget(plotMenu_);
  bar->addWidget(legendButton_);
  bar->addWidget(savePictureButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(labelPlotTitle_);
  layout->addLayout(graph, 1);
  layout->addWidget(legendGroupBox_);
  layout->addLayout(bar);
  legendGroupBox_->hide();

  connect(years_, &YearNavigator::PreviousClicked, this, &PlotPage::PreviousYearClicked);
  connect(years_, &YearNavigator::NextClicked, this, &PlotPage::NextYearClicked);
  connect(years_, &YearNavigator::YearChosen, this, &PlotPage::YearChosen);
  connect(plotMenu_, &QPushButton::clicked, this, [this] {
    legendGroupBox_->hide();
    emit PlotOptionsClicked();
  });
  connect(legendButton_, &QPushButton::clicked, this, &PlotPage::LegendButtonClick);
  connect(savePictureButton_, &QPushButton::clicked, this, &PlotPage::SavePictureButtonClick);
}

PlotPage::ResetKey PlotPage::CurrentKey() const {
  const RepClimateFile& station = session_.Station();
  const std::span<const int16_t> codes = StationCodes(station);
  return {std::vector<int16_t>(codes.begin(), codes.end()), station.WindHeight, station.Method};
}

void PlotPage::Opening() {
  legendGroupBox_->hide();
  DefaultEToGraph(session_.Graph(), session_.Station().Method);
  key_ = CurrentKey();
  labelPlotTitle_->setText(Cp(GraphTitle(session_.Graph())));
}

void PlotPage::Redraw() {
  if (!session_.IsOpen()) return;
  if (ResetKey key = CurrentKey(); !(key == key_)) {
    DefaultEToGraph(session_.Graph(), session_.Station().Method);
    key_ = std::move(key);
  }
  const RepClimateFile& station = session_.Station();
  const std::vector<PlotRecord> records = PlotRecordsOfPage(station, session_.Grid());
  const QSize plotSize = plotImage_->size().expandedTo(plotImage_->minimumSize());
  plot_ = PaintPlot(
      DrawGraph(session_.Graph(), records, station, plotSize.width(), plotSize.height()));
  plotImage_->setPixmap(QPixmap::fromImage(plot_));

  const YearPage& page = session_.Page();
  const QSize timeSize(plotSize.width(), timeImage_->minimumHeight());
  const TimeStrip strip =
      BuildTimeStrip(station, page.First, page.Last, timeSize.width(), timeSize.height());
  time_ = PaintTimeStrip(strip);
  timeImage_->setPixmap(QPixmap::fromImage(time_));
  yearLabel_->setText(Cp(strip.Year));
  labelPlotTitle_->setText(Cp(GraphTitle(session_.Graph())));
  if (legendGroupBox_->isVisible()) LegendButtonClick();
}

bool PlotPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == plotImage_ && event->type() == QEvent::Resize && session_.IsOpen() &&
      !plot_.isNull() && plotImage_->size().expandedTo(plotImage_->minimumSize()) != plot_.size()) {
    Redraw();
  }
  return QWidget::eventFilter(watched, event);
}

void PlotPage::HideLegend() { legendGroupBox_->hide(); }

void PlotPage::ShowNavigation() {
  years_->Show(session_.Page(),
               session_.IsOpen() ? ChoiceOfYears(session_.Station(), session_.Page()) : YearChoice{},
               session_.IsOpen());
}

void PlotPage::LegendButtonClick() {
  const std::vector<LegendRow> rows = LegendRows(session_.Graph());
  legendStringGrid_->setRowCount(static_cast<int>(rows.size()) + 1);
  legendStringGrid_->setItem(0, 0, new QTableWidgetItem("   Symbol"));
  legendStringGrid_->setItem(0, 1, new QTableWidgetItem("   Description"));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    legendStringGrid_->setItem(row, 0, new QTableWidgetItem(Cp(rows[i].Symbol)));
    legendStringGrid_->setItem(row, 1, new QTableWidgetItem(Cp(rows[i].Description)));
  }
  for (std::size_t i = 0; i < shapes_.size(); ++i) {
    shapes_[i]->setVisible(i < rows.size());
    if (i < rows.size()) {
      shapes_[i]->setPixmap(QPixmap::fromImage(LegendMarkImage(rows[i], kMarkSize, kMarkSize)));
    }
  }
  legendStringGrid_->setFixedHeight(legendStringGrid_->rowCount() * kLegendRowHeight + 2);
  legendGroupBox_->show();
}

void PlotPage::SavePictureButtonClick() {
  if (!session_.IsOpen() || plot_.isNull()) return;
  const RepClimateFile& station = session_.Station();
  const YearPage& page = session_.Page();
  const std::vector<PlotRecord> records = PlotRecordsOfPage(station, session_.Grid());
  SaveGraphPicture(state_.OutputFolder, GraphPictureName(station, session_.Graph(), page.First),
                   MakeGraphPicture(session_.Graph(), records, station, page.First, page.Last,
                                    plot_.size(), time_.size()));
}

}  // namespace vernoli
