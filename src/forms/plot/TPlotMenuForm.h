// The plot options form " Plot menu": the group of quantities the workspace graph shows, the
// series of the group, the style of each (line or bars) and the vertical range.
//
// The plot page tells the form the data set's codes and limits, then shows it modally. The form
// opens on the graph shown; "Plot" (also Enter) turns its choices into the graph description of
// the program's state; Cancel (also Escape) leaves the graph as it was. The logic is the core's
// (plot/plotoptions.h): the form shows a PlotOptions and forwards each click to it.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "plot/plotoptions.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedLayout;

namespace vernoli {

struct AppState;

class TPlotMenuForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPlotMenuForm(AppState& state, QWidget* parent = nullptr);

  // The parameter codes of the data set and its limits, before the form is shown.
  void SetDataSet(std::span<const int16_t> codes, const StationLimits& limits);

  // The choices the form shows (for the tests).
  const PlotOptions& Options() const { return options_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QGroupBox* BuildGroupBox(PlotGroup group);
  void FormActivate();
  // Every control from options_.
  void Show();
  void GroupClick(PlotGroup group);
  void SeriesClick(PlotSeries series, bool checked);
  void StyleChange(PlotSeries series, int item);
  void SpinChange(QSpinBox* spin, int value);
  void CloseButtonClick();

  AppState& state_;
  std::vector<int16_t> codes_;
  StationLimits limits_;
  PlotOptions options_;
  bool loading_ = false;  // the controls are being filled: their handlers do nothing

  std::array<QRadioButton*, kPlotGroupCount> radios_{};
  std::array<QGroupBox*, kPlotGroupCount> boxes_{};
  QStackedLayout* boxStack_;  // shows the chosen group's box
  QWidget* noGroup_;             // shown while no group is chosen
  std::array<QCheckBox*, kPlotSeriesCount> checks_{};
  std::array<QComboBox*, kPlotSeriesCount> styles_{};
  std::array<QSpinBox*, kPlotGroupCount> maximum_{};  // none for relative radiation
  QSpinBox* spinEditTmin_ = nullptr;
  QPushButton* closeButton_;
  QPushButton* cancelButton_;
};

}  // namespace vernoli
