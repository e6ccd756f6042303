#include "forms/plot/graphimage.h"

#include <QBuffer>
#include <QByteArray>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>

#include "kit/text.h"
#include "model/atomicfile.h"
#include "model/linereader.h"

namespace vernoli {

namespace {

constexpr int kBarOutline = 2;
constexpr int kLineWidth = 4;
constexpr int kMargin = 8;
constexpr int kMarkSize = 14;

QFont SmallFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPointSize(8);
  return font;
}

}  // namespace

QColor SlotColour(int slot) {
  static const std::array<QColor, kGraphSlots> colours = {
      QColor(0, 0, 128),   QColor(0, 0, 0),   QColor(255, 0, 0),  QColor(0, 255, 0),
      QColor(0, 255, 255), QColor(255, 0, 255), QColor(0, 128, 128)};
  return colours[static_cast<std::size_t>(std::clamp(slot, 0, kGraphSlots - 1))];
}

QColor BarFill() { return QColor(0, 0, 255); }

QImage PaintPlot(const PlotDrawing& drawing) {
  QImage image(std::max(drawing.Width, 1), std::max(drawing.Height, 1), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  // Bars and strokes are axis-parallel: filled rectangles paint them exactly and fast. A bar has
  // an outline of 2 pixels around its fill; a stroke is 4 pixels wide with square ends.
  constexpr int half = kLineWidth / 2;
  const QColor fill = BarFill();
  for (const PlotShape& shape : drawing.Shapes) {
    const QColor colour = SlotColour(shape.Slot);
    const int left = std::min(shape.X1, shape.X2), right = std::max(shape.X1, shape.X2);
    const int top = std::min(shape.Y1, shape.Y2), bottom = std::max(shape.Y1, shape.Y2);
    if (shape.Shape == PlotShape::Bar) {
      const int edge = kBarOutline / 2;
      painter.fillRect(QRect(QPoint(left - edge, top - edge), QPoint(right + edge - 1, bottom)),
                       colour);
      if (right - left > 2 * edge && bottom - top > edge) {
        painter.fillRect(QRect(QPoint(left + edge, top + edge), QPoint(right - edge - 1, bottom)),
                         fill);
      }
    } else {
      painter.fillRect(
          QRect(QPoint(left - half, top - half), QPoint(right + half - 1, bottom + half - 1)),
          colour);
    }
  }
  painter.setFont(SmallFont());
  for (const PlotGridLine& line : drawing.GridLines) {
    painter.setPen(QPen(Qt::black, 1, line.Solid ? Qt::SolidLine : Qt::DotLine));
    painter.drawLine(0, line.Y, image.width(), line.Y);
    if (line.Labelled) {
      // Transparent: a label hides no part of a series.
      painter.setPen(Qt::black);
      painter.drawText(line.LabelX, line.LabelY, FromCp1252(line.Label));
    }
  }
  return image;
}

QImage PaintTimeStrip(const TimeStrip& strip) {
  QImage image(std::max(strip.Width, 1), std::max(strip.Height, 1), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(QPen(Qt::black, 1));
  for (int x : strip.Boundaries) {
    x = std::min(x, image.width() - 1);  // the end of the range on the last column
    painter.drawLine(x, 0, x, image.height());
  }
  painter.setFont(SmallFont());
  const QFontMetrics metrics(painter.font());
  for (const TimeLabel& label : strip.Labels) {
    // The label's top at 40% of the height.
    painter.drawText(label.X, label.Y + metrics.ascent(), QString::fromStdString(label.Text));
  }
  return image;
}

QImage ComposeGraphPicture(const QString& title, const QImage& plot, const QString& year,
                           const QImage& time, const std::vector<LegendRow>& legend) {
  QFont bold = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  bold.setBold(true);
  const QFontMetrics titleMetrics(bold);
  const QFont text = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  const QFontMetrics textMetrics(text);
  const int yearWidth = textMetrics.horizontalAdvance("00000");
  const int row = std::max(textMetrics.height(), kMarkSize) + 4;

  const int width = kMargin + yearWidth + std::max(plot.width(), time.width()) + kMargin;
  const int plotTop = kMargin + titleMetrics.height() + kMargin;
  const int timeTop = plotTop + plot.height() + 4;
  const int legendTop = timeTop + time.height() + kMargin;
  const int height = legendTop + static_cast<int>(legend.size()) * row + kMargin;

  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(QColor(240, 240, 240));
  QPainter painter(&picture);
  painter.setFont(bold);
  painter.setPen(Qt::black);
  painter.drawText(kMargin, kMargin + titleMetrics.ascent(), title);
  const int left = kMargin + yearWidth;
  painter.drawImage(left, plotTop, plot);
  painter.drawImage(left, timeTop, time);
  painter.setFont(text);
  painter.drawText(kMargin, timeTop + textMetrics.ascent(), year);
  for (std::size_t i = 0; i < legend.size(); ++i) {
    const int top = legendTop + static_cast<int>(i) * row;
    painter.fillRect(left, top, kMarkSize, kMarkSize, SlotColour(static_cast<int>(i)));
    painter.setPen(Qt::black);
    painter.drawText(left + kMarkSize + kMargin, top + textMetrics.ascent(),
                     FromCp1252(legend[i].Symbol) + "  " + FromCp1252(legend[i].Description));
  }
  return picture;
}

Status SavePicture(const QImage& picture, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (picture.isNull() || !picture.save(&buffer, "PNG")) {
    return Status::Error(ReasonCannotWrite(path));
  }
  AtomicFile file(path);
  file.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  return file.Commit();
}

}  // namespace vernoli
