// The data overview: the selected station's data file with, per parameter, its lowest and
// highest value and the share of records holding one, and a bar chart of one parameter over all
// records.
#pragma once

#include "kit/activatedform.h"

#include <QImage>
#include <array>

#include "stations/overview.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace vernoli {

struct AppState;

class TDataForm : public ActivatedForm {
  Q_OBJECT
 public:
  explicit TDataForm(AppState& state, QWidget* parent = nullptr);

  // Size of the chart DataImage.
  static constexpr int kChartWidth = 560;
  static constexpr int kChartHeight = 260;

  // What the form shows since its last activation.
  const DataOverview& Overview() const { return overview_; }
  const QImage& ChartImage() const { return chart_; }

 private:
  void FormActivate() override;
  void ClearChart();
  void FillGrid();
  // Draws row `parameter` (0 for the first) of the grid.
  void DrawParameter(int parameter);
  void PlaceRadioButtons();

  AppState& state_;
  DataOverview overview_;
  QImage chart_;

  QLabel* labelStation_;
  QLabel* labelCountry_;
  QLineEdit* editFileName_;
  QLabel* typeLabel_;
  QLabel* rangeLabel_;
  QLabel* recordLabel_;
  QTabWidget* pageControl_;
  QWidget* climSheet_;
  QWidget* plotSheet_;
  QTableWidget* stringGridData_;
  QScrollArea* gridScroll_;  // holds the grid and the radio buttons
  int rowHeight_ = 0;        // of every grid row
  QWidget* radioPanel_;
  std::array<QRadioButton*, kPlotButtons> radioButtons_{};  // RB1 .. RB16
  QLabel* titleLabel_;
  QLabel* dataImage_;
  QPushButton* bitBtn1_;
};

}  // namespace vernoli
