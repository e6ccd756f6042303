#include "forms/plot/graphpicture.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <filesystem>
#include <system_error>

#include "kit/formkit.h"
#include "kit/messages.h"
#include "model/atomicfile.h"
#include "model/linereader.h"

namespace vernoli {

namespace {

std::string WithExtension(const std::string& name, std::string_view extension) {
  const std::size_t dot = name.rfind('.');
  return (dot == std::string::npos ? name : name.substr(0, dot)) + std::string(extension);
}

std::string Stem(const std::string& name) { return WithExtension(name, ""); }

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

}  // namespace

GraphPicture MakeGraphPicture(GraphDescription& graph, std::span<const PlotRecord> records,
                              const RepClimateFile& station, int32_t first, int32_t last,
                              QSize plot, QSize time) {
  GraphPicture picture;
  picture.Plot = DrawGraph(graph, records, station, plot.width(), plot.height());
  picture.Time = BuildTimeStrip(station, first, last, time.width(), time.height());
  picture.Title = Cp(GraphTitle(graph));
  picture.Caption = Cp(GraphCaption(station, graph, first));
  picture.Year = Cp(picture.Time.Year);
  picture.Legend = LegendRows(graph);
  return picture;
}

QByteArray PngBytes(const GraphPicture& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QImage image = GraphPictureImage(picture);
  if (image.isNull() || !image.save(&buffer, "PNG")) return {};
  return bytes;
}

QByteArray SvgBytes(const GraphPicture& picture) {
  const GraphPictureLayout layout = LayOutGraphPicture(picture);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(QSize(layout.Width, layout.Height));
  svg.setViewBox(QRect(0, 0, layout.Width, layout.Height));
  svg.setResolution(96);  // the pixel sizes of the image
  svg.setTitle(picture.Title);
  svg.setDescription(picture.Caption);
  QPainter painter;
  if (!painter.begin(&svg)) return {};
  PaintGraphPicture(painter, picture);
  painter.end();
  return bytes;
}

Status SavePictureFile(const QByteArray& bytes, const std::string& path) {
  if (bytes.isEmpty()) return Status::Error(ReasonCannotWrite(path));
  AtomicFile file(path);
  file.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  return file.Commit();
}

void SaveGraphPicture(const std::string& folder, const std::string& name,
                      const GraphPicture& picture) {
  const auto taken = [&](const std::string& png) {
    return Exists(PathInFolder(folder, png)) ||
           Exists(PathInFolder(folder, WithExtension(png, ".svg")));
  };
  std::string png = name;
  if (taken(png)) {
    int number = 2;
    while (taken(NumberedPictureName(name, number)) && number < 10000) ++number;
    const std::string free = NumberedPictureName(name, number);
    const QString question =
        "The picture " + Cp(Stem(name)) +
        " (.png and .svg) is in the output folder already.\nReplace it ?\n\nNo saves the graph as " +
        Cp(Stem(free)) + " (.png and .svg).";
    if (!AskYesNo(question)) png = free;
  }
  const std::string pngPath = PathInFolder(folder, png);
  const std::string svgPath = PathInFolder(folder, WithExtension(png, ".svg"));
  for (const auto& [bytes, path] : {std::pair{PngBytes(picture), pngPath},
                                    std::pair{SvgBytes(picture), svgPath}}) {
    if (const Status s = SavePictureFile(bytes, path); !s) {
      ShowMessage(s.Message);
      return;
    }
  }
  ShowMessage("The graph is saved as " + FileNameText(pngPath) + "\nand as " +
              FileNameText(svgPath));
}

}  // namespace vernoli
