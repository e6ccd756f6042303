// The graph of the workspace painted on images: the plot area (PlotImage), the time strip
// (TimeImage), and the whole graph as one picture (title, plot, year and time strip, legend) for
// saving as a PNG file.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <string>
#include <vector>

#include "model/status.h"
#include "plot/graph.h"

namespace vernoli {

// The colour of series slot 0..6: navy, black, red, lime, cyan, fuchsia, teal.
QColor SlotColour(int slot);
// The fill of the bars.
QColor BarFill();

// The plot: white, the shapes in their order, the grid lines and their labels over them.
QImage PaintPlot(const PlotDrawing& drawing);
// The time strip: white, the month boundaries and the month numbers.
QImage PaintTimeStrip(const TimeStrip& strip);

// The graph as shown, in one picture: the title above the plot, the year beside the time strip,
// and the legend (a colour mark, the symbol and the description of each series) below.
QImage ComposeGraphPicture(const QString& title, const QImage& plot, const QString& year,
                           const QImage& time, const std::vector<LegendRow>& legend);

// Writes the picture as a PNG file at `path` through a temporary file and a rename: on failure
// an older file of that name stays as it was and the error names the file.
Status SavePicture(const QImage& picture, const std::string& path);

}  // namespace vernoli
