// The workspace's plot page PlotSheet: the graph of the visible records with its title, the time
// strip and the year label, "Plot options", "Legend" and the page's own year navigation.
//
// The workspace calls Redraw whenever what the graph shows may have changed: on opening, after a
// year change, after each checked value, and after a change of the parameters present, of their
// units, of a setting or of the method. Its year buttons and "Plot options" are the workspace's
// to handle: the page reports their clicks.
#pragma once

#include <QWidget>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace vernoli {

struct AppState;
struct Forms;
class WorkspaceSession;

class PlotPage : public QWidget {
  Q_OBJECT
 public:
  PlotPage(WorkspaceSession& session, AppState& state, Forms& forms, QWidget* parent = nullptr);

  // Draws the graph of the visible records again.
  void Redraw();
  // A new opening: the legend closed, the title of the default graph.
  void Opening();
  // The year navigation and the year label, from the session's year page.
  void ShowNavigation();
  void HideLegend();

 signals:
  void PreviousYearClicked();
  void NextYearClicked();
  void PlotOptionsClicked();

 private:
  WorkspaceSession& session_;
  AppState& state_;
  Forms& forms_;

  QLabel* labelPlotTitle_;
  QLabel* plotImage_;
  QLabel* timeImage_;
  QLabel* yearLabel_;
  QPushButton* plotMenu_;
  QPushButton* legendButton_;
  QFrame* nextPrevPanelPlot_;
  QPushButton* previousYearPlotButton_;
  QPushButton* nextYearPlotButton_;
  QGroupBox* legendGroupBox_;
};

}  // namespace vernoli
