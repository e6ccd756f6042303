// The workspace's plot page PlotSheet: the graph of the visible records with its title, the time
// strip and the year label, "Plot options", "Legend", "Save picture" and the page's own year
// navigation.
//
// The workspace calls Redraw whenever what the graph shows may have changed: on opening, after a
// year change, after each checked value, and after a change of the parameters present, of their
// units, of a setting or of the method. A change of the codes (parameters or units), of the wind
// height or of the method resets the graph to the default ETo graph first. Its year buttons, its
// year chooser and "Plot options" are the workspace's to handle: the page reports their clicks (after handing the
// plot options form the data set's codes and limits).
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace vernoli {

struct AppState;
class WorkspaceSession;
class YearNavigator;

class PlotPage : public QWidget {
  Q_OBJECT
 public:
  PlotPage(WorkspaceSession& session, AppState& state, QWidget* parent = nullptr);

  // Draws the graph of the visible records again.
  void Redraw();
  // A new opening: the legend closed, the default ETo graph of the station's method.
  void Opening();
  // The year navigation, from the session's year page.
  void ShowNavigation();
  void HideLegend();

  // The images as last drawn (for the tests).
  const QImage& Plot() const { return plot_; }
  const QImage& Time() const { return time_; }

 signals:
  void PreviousYearClicked();
  void NextYearClicked();
  void YearChosen(int year);
  void PlotOptionsClicked();

 protected:
  // A new size of the plot area (the window, or the legend opened or closed) redraws the graph.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What resets the graph when it changes: the codes, the wind height, the method.
  struct ResetKey {
    std::vector<int16_t> Codes;
    double WindHeight = 0.0;
    uint8_t Method = 0;
    friend bool operator==(const ResetKey&, const ResetKey&) = default;
  };
  ResetKey CurrentKey() const;
  void LegendButtonClick();
  void SavePictureButtonClick();

  WorkspaceSession& session_;
  AppState& state_;
  ResetKey key_;
  QImage plot_;
  QImage time_;

  QLabel* labelPlotTitle_;
  QLabel* plotImage_;
  QLabel* timeImage_;
  QLabel* yearLabel_;
  QPushButton* plotMenu_;
  QPushButton* legendButton_;
  QPushButton* savePictureButton_;
  // NextPrevPanelPlot: PreviousYearPlotButton, YearPlotComboBox, NextYearPlotButton
  YearNavigator* years_;
  QGroupBox* legendGroupBox_;
  QTableWidget* legendStringGrid_;
  std::array<QLabel*, 7> shapes_{};  // ShapeL1..ShapeL7
};

}  // namespace vernoli
