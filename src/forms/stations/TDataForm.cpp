#include "forms/stations/TDataForm.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "kit/formkit.h"
#include "kit/messages.h"
#include "stations/appstate.h"

namespace vernoli {

namespace {

constexpr int kRowHeight = 22;

const QColor kNavy(0, 0, 128);
const QColor kBlue(0, 0, 255);

}  // namespace

TDataForm::TDataForm(AppState& state, QWidget* parent)
    : ActivatedForm(parent), state_(state), chart_(kChartWidth, kChartHeight, QImage::Format_RGB32) {
  SetUpForm(*this, "DataForm", " Meteorological data menu");

  // The file.
  labelStation_ = Label("LabelStation", QString(), this);
  labelCountry_ = Label("LabelCountry", QString(), this);
  editFileName_ = ReadOnlyEdit("EditFileName", this);
  typeLabel_ = Label("TypeLabel", QString(), this);
  rangeLabel_ = Label("RangeLabel", QString(), this);
  recordLabel_ = Label("RecordLabel", QString(), this);
  auto* header = new QGridLayout;
  header->addWidget(new QLabel("Station:", this), 0, 0);
  header->addWidget(labelStation_, 0, 1);
  header->addWidget(new QLabel("Country:", this), 1, 0);
  header->addWidget(labelCountry_, 1, 1);
  header->addWidget(new QLabel("File", this), 0, 2);
  header->addWidget(editFileName_, 0, 3);
  header->addWidget(typeLabel_, 2, 0, 1, 2);
  header->addWidget(rangeLabel_, 3, 0, 1, 4);
  header->addWidget(recordLabel_, 4, 0, 1, 4);
  header->setColumnStretch(1, 1);

  // Page of the statistics: the grid, and beside each of its rows a radio button.
  pageControl_ = new QTabWidget(this);
  pageControl_->setObjectName("PageControl1");
  climSheet_ = new QWidget;
  climSheet_->setObjectName("ClimSheet");
  stringGridData_ = new QTableWidget(0, 6, climSheet_);
  stringGridData_->setObjectName("StringGridData");
  stringGridData_->setHorizontalHeaderLabels(
      {"   Symbol", "   Description", "  Unit", " Minimum", " Maximum", " % Recorded"});
  stringGridData_->verticalHeader()->hide();
  stringGridData_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  stringGridData_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Rows tall enough for their font, whatever the desktop's fonts are.
  rowHeight_ = std::max(kRowHeight, QFontMetrics(stringGridData_->font()).height() + 6);
  stringGridData_->verticalHeader()->setDefaultSectionSize(rowHeight_);
  stringGridData_->horizontalHeader()->setFixedHeight(
      std::max(rowHeight_, stringGridData_->horizontalHeader()->sizeHint().height()));
  stringGridData_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  stringGridData_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  stringGridData_->setSelectionMode(QAbstractItemView::NoSelection);
  stringGridData_->setFocusPolicy(Qt::NoFocus);
  stringGridData_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  stringGridData_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  radioPanel_ = new QWidget(climSheet_);
  radioPanel_->setObjectName("RadioPanel");
  radioPanel_->setFixedWidth(56);
  auto* plot = Label("LabelPlot", "Plot", radioPanel_);
  plot->setGeometry(8, 0, 48, rowHeight_);
  for (int k = 0; k < kPlotButtons; ++k) {
    auto* radio = Radio(QString("RB%1").arg(k + 1), QString(), radioPanel_);
    radioButtons_[static_cast<std::size_t>(k)] = radio;
    connect(radio, &QRadioButton::clicked, this, [this, k] { DrawParameter(k); });
  }
  // The grid and its radio buttons scroll together, only when they are taller than the screen
  // allows.
  auto* rows = new QWidget;
  rows->setObjectName("GridPanel");
  auto* rowsLayout = new QHBoxLayout(rows);
  rowsLayout->setContentsMargins(0, 0, 0, 0);
  rowsLayout->setSpacing(0);
  rowsLayout->addWidget(stringGridData_, 0, Qt::AlignTop);
  rowsLayout->addWidget(radioPanel_, 0, Qt::AlignTop);
  rowsLayout->addStretch(1);
  stringGridData_->setParent(rows);
  radioPanel_->setParent(rows);
  gridScroll_ = new QScrollArea(climSheet_);
  gridScroll_->setObjectName("GridScroll");
  gridScroll_->setFrameShape(QFrame::NoFrame);
  gridScroll_->setFocusPolicy(Qt::NoFocus);
  gridScroll_->setWidgetResizable(true);
  gridScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  gridScroll_->setWidget(rows);
  // On the page's own background.
  gridScroll_->viewport()->setAutoFillBackground(false);
  rows->setAutoFillBackground(false);
  auto* climLayout = new QVBoxLayout(climSheet_);
  climLayout->addWidget(gridScroll_);
  pageControl_->addTab(climSheet_, " Available meteorological data   ");

  // Page of the chart.
  plotSheet_ = new QWidget;
  plotSheet_->setObjectName("PlotSheet");
  titleLabel_ = Label("TitleLabel", QString(), plotSheet_);
  dataImage_ = Label("DataImage", QString(), plotSheet_);
  dataImage_->setFixedSize(kChartWidth, kChartHeight);
  auto* plotLayout = new QVBoxLayout(plotSheet_);
  plotLayout->addWidget(titleLabel_);
  plotLayout->addWidget(dataImage_, 0, Qt::AlignHCenter);
  plotLayout->addWidget(new QLabel(" time ", plotSheet_), 0, Qt::AlignHCenter);
  plotLayout->addStretch(1);
  pageControl_->addTab(plotSheet_, " Plot meteorological data  ");

  bitBtn1_ = new QPushButton("OK", this);
  bitBtn1_->setObjectName("BitBtn1");
  bitBtn1_->setDefault(true);
  QHBoxLayout* buttons = ButtonRow({bitBtn1_});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addWidget(pageControl_, 1);
  layout->addLayout(buttons);

  connect(bitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
  SetUpKeys(*this, bitBtn1_, EscapeKey::Closes);
  ClearChart();
  resize(760, 520);
}

void TDataForm::FormActivate() {
  ClearChart();
  const RepClimateFile& station = state_.Station;
  labelStation_->setText(Cp(station.StationName));
  labelCountry_->setText(Cp(station.Country));
  DataOverview overview;
  if (Status s = ReadDataOverview(station, overview); !s) ShowMessage(s.Message);
  overview_ = std::move(overview);
  editFileName_->setText(Cp(overview_.FileText));
  typeLabel_->setText(Cp(overview_.Type));
  rangeLabel_->setText(Cp(overview_.Range));
  recordLabel_->setText(Cp(overview_.Records));
  FillGrid();
  // The form takes the size of what it shows.
  layout()->activate();
  adjustSize();
  if (overview_.PlotButtons() > 0) {
    radioButtons_[0]->setChecked(true);
    DrawParameter(0);
  }
  pageControl_->setCurrentWidget(climSheet_);
  bitBtn1_->setFocus();
}

void TDataForm::ClearChart() {
  chart_.fill(Qt::white);
  titleLabel_->clear();
  dataImage_->setPixmap(QPixmap::fromImage(chart_));
}

void TDataForm::FillGrid() {
  const int rows = static_cast<int>(overview_.Rows.size());
  stringGridData_->clearContents();
  stringGridData_->setRowCount(rows);
  for (int r = 0; r < rows; ++r) {
    const ParameterStatistics& row = overview_.Rows[static_cast<std::size_t>(r)];
    const std::string* texts[] = {&row.Symbol,  &row.Description, &row.Unit,
                                  &row.Minimum, &row.Maximum,     &row.Recorded};
    for (int c = 0; c < 6; ++c) {
      stringGridData_->setItem(r, c, new QTableWidgetItem(Cp(*texts[c])));
    }
  }
  stringGridData_->resizeColumnsToContents();
  // Exactly as wide as its columns and as tall as its rows, so that nothing is cut and only the
  // radio buttons beside rows show.
  int width = 2 * stringGridData_->frameWidth();
  for (int c = 0; c < stringGridData_->columnCount(); ++c) {
    width += stringGridData_->columnWidth(c);
  }
  const int height = 2 * stringGridData_->frameWidth() +
                     stringGridData_->horizontalHeader()->height() + rows * rowHeight_;
  stringGridData_->setFixedSize(width, height);
  radioPanel_->setFixedHeight(height);
  PlaceRadioButtons();
  // The scroll area shows all of it, up to 60% of the screen's height.
  const int scrollBar = gridScroll_->verticalScrollBar()->sizeHint().width();
  const QScreen* screen = this->screen();
  const int most = screen != nullptr ? screen->availableGeometry().height() * 6 / 10 : height;
  gridScroll_->setMinimumSize(width + radioPanel_->width() + scrollBar, std::min(height, most));
}

void TDataForm::PlaceRadioButtons() {
  const int top = stringGridData_->frameWidth() + stringGridData_->horizontalHeader()->height();
  const int buttons = overview_.PlotButtons();
  for (int k = 0; k < kPlotButtons; ++k) {
    QRadioButton* radio = radioButtons_[static_cast<std::size_t>(k)];
    radio->setGeometry(16, top + k * rowHeight_, 24, rowHeight_);
    radio->setVisible(k < buttons);
  }
}

void TDataForm::DrawParameter(int parameter) {
  chart_.fill(Qt::white);
  const Chart chart =
      BuildChart(state_.Station, overview_, parameter, kChartWidth, kChartHeight);
  titleLabel_->setText(Cp(chart.Title));
  if (!chart.Empty) {
    QPainter painter(&chart_);
    // The bars, from the 0 line to the value.
    painter.setPen(QPen(kNavy, 1));
    painter.setBrush(kBlue);
    for (const ChartBar& bar : chart.Bars) {
      const int width = std::max(bar.Right - bar.Left - 1, 0);
      const int height = std::max(bar.Bottom - bar.Top - 1, 0);
      painter.drawRect(bar.Left, bar.Top, width, height);
    }
    // A value on the 0 line would have no bar to see.
    painter.setPen(QPen(kBlue, 3, Qt::SolidLine, Qt::FlatCap));
    for (const ChartZeroMark& mark : chart.ZeroMarks) {
      painter.drawLine(mark.Left, mark.Y, mark.Right, mark.Y);
    }
    // The grid lines with their labels above them, each label on white.
    painter.setBackground(Qt::white);
    painter.setFont(font());
    for (const ChartGridLine& line : chart.GridLines) {
      painter.setBackgroundMode(Qt::TransparentMode);
      painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
      painter.drawLine(0, line.Y, kChartWidth, line.Y);
      if (!line.Labelled) continue;
      painter.setBackgroundMode(Qt::OpaqueMode);
      painter.setPen(Qt::black);
      painter.drawText(line.LabelX, line.LabelY, Cp(line.Label));
    }
  }
  dataImage_->setPixmap(QPixmap::fromImage(chart_));
}

}  // namespace vernoli
