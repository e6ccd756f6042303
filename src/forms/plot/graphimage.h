// The graph of the workspace painted: the plot area (PlotImage), the time strip (TimeImage), the
// legend's marks, and the whole graph as one picture (title, caption, plot, year and time strip,
// legend) for saving. Every painting goes through a QPainter, so the same code paints an image
// and a vector drawing.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

#include "plot/graph.h"

class QPainter;

namespace vernoli {

// The colour of series slot 0..6: navy, black, red, lime, cyan, fuchsia, teal.
QColor SlotColour(int slot);
// The fill of the bars: a light blue that the grid lines and the navy outline show on.
QColor BarFill();
// The background of the plot's labels.
QColor LabelBackground();

// The plot: white, the bars (light blue with their navy outline), the lines over them, the grid
// lines over the series, and last the grid and range labels, each on a light background.
void PaintPlot(QPainter& painter, const PlotDrawing& drawing);
QImage PaintPlot(const PlotDrawing& drawing);
// The time strip: white, the month boundaries, the day ticks and the month numbers.
void PaintTimeStrip(QPainter& painter, const TimeStrip& strip);
QImage PaintTimeStrip(const TimeStrip& strip);

// The mark of a legend row in `box`: a filled swatch like the bars, or a line sample as wide as
// the box.
void PaintLegendMark(QPainter& painter, const QRect& box, const LegendRow& row);
QImage LegendMarkImage(const LegendRow& row, int width, int height);

// The graph as one picture.
struct GraphPicture {
  QString Title;    // LabelPlotTitle's text
  QString Caption;  // the station, the year and the unit
  QString Year;     // YearLabel's text
  PlotDrawing Plot;
  TimeStrip Time;
  std::vector<LegendRow> Legend;
};

// The picture's size and its places: the plot's and the time strip's top left corner, the top of
// the first legend row and the height of a row.
struct GraphPictureLayout {
  int Width = 0, Height = 0;
  int Left = 0;
  int TitleBaseline = 0, CaptionBaseline = 0;
  int PlotTop = 0, TimeTop = 0;
  int LegendTop = 0, LegendRowHeight = 0;
};
GraphPictureLayout LayOutGraphPicture(const GraphPicture& picture);

// The picture painted: the title, the caption under it, the plot, the year beside the time
// strip, and a row per series (mark, symbol, description).
void PaintGraphPicture(QPainter& painter, const GraphPicture& picture);
QImage GraphPictureImage(const GraphPicture& picture);

}  // namespace vernoli
