// "Save picture": the graph as shown, saved in the output folder as a PNG image and as an SVG
// drawing of the same picture, never over older pictures without asking.
#pragma once

#include <QByteArray>
#include <QSize>
#include <cstdint>
#include <span>
#include <string>

#include "forms/plot/graphimage.h"
#include "model/status.h"

namespace vernoli {

// The picture of the records first..last (counted from 1) at the sizes of the plot and of the
// time strip as shown, with its title, caption, year and legend.
GraphPicture MakeGraphPicture(GraphDescription& graph, std::span<const PlotRecord> records,
                              const RepClimateFile& station, int32_t first, int32_t last,
                              QSize plot, QSize time);

// The picture's bytes as a PNG file and as an SVG file.
QByteArray PngBytes(const GraphPicture& picture);
QByteArray SvgBytes(const GraphPicture& picture);

// Writes bytes at `path` through a temporary file and a rename: on failure an older file of
// that name stays as it was and the error names the file.
Status SavePictureFile(const QByteArray& bytes, const std::string& path);

// Saves the picture as `name` (a ".png" name) and the same name with ".svg" in `folder`. When
// either is there already the user is asked whether to replace them; No saves the new ones under
// the first free numbered name ("..._2.png"). Every outcome is told through the messages.
void SaveGraphPicture(const std::string& folder, const std::string& name,
                      const GraphPicture& picture);

}  // namespace vernoli
