// The plot options form " Plot menu": the group of quantities the workspace graph shows, the
// series of the group, the style of each (line or bars) and the vertical range.
//
// The workspace tells the form the data set's codes and limits and the graph it shows, then shows
// it modally. The form opens on that graph; "Plot" (also Enter) turns its choices into the graph's
// description; Cancel (also Escape) leaves the graph as it was. The logic is the core's
// (plot/plotoptions.h): the form shows a PlotOptions and forwards each click to it.
#pragma once

#include "kit/activatedform.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "plot/graph.h"
#include "plot/plotoptions.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedLayout;

namespace vernoli {

class TPlotMenuForm : public ActivatedForm {
  Q_OBJECT
 public:
  explicit TPlotMenuForm(QWidget* parent = nullptr);

  // The parameter codes of the data set, its limits and the graph the form changes, before the
  // form is shown. The graph must outlive the showing.
  void SetDataSet(std::span<const int16_t> codes, const StationLimits& limits,
                  GraphDescription& graph);

  // The choices the form shows (for the tests).
  const PlotOptions& Options() const { return options_; }

 private:
  QGroupBox* BuildGroupBox(PlotGroup group);
  void FormActivate() override;
  // Every control from options_.
  void Show();
  void GroupClick(PlotGroup group);
  void SeriesClick(PlotSeries series, bool checked);
  void StyleChange(PlotSeries series, int item);
  void SpinChange(QSpinBox* spin, int value);
  void CloseButtonClick();

  GraphDescription ownGraph_;              // until a data set is given
  GraphDescription* graph_ = &ownGraph_;
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
