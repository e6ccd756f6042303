#include "forms/plot/graphimage.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>

#include "kit/text.h"

namespace vernoli {

namespace {

constexpr int kLineWidth = 4;
constexpr int kMargin = 8;
constexpr int kMarkWidth = 28;
constexpr int kMarkHeight = 14;
// Bars narrower than this share their outline with their neighbours: one outline around the
// shape of the series, so that daily bars stay light blue inside.
constexpr int kOutlinedBarWidth = 6;

// The labels of the plot and the time strip: a pixel size, so that an image and a drawing at
// any resolution look alike, and within kPlotLabelHeight.
QFont SmallFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPixelSize(11);
  return font;
}

// A rectangle given by its inclusive corners, cut to `area`: nothing is painted outside, whether
// the painter clips (an image) or not (an SVG drawing).
void Fill(QPainter& painter, const QRect& area, int left, int top, int right, int bottom,
          const QColor& colour) {
  const QRect rect = QRect(QPoint(left, top), QPoint(right, bottom)) & area;
  if (!rect.isEmpty()) painter.fillRect(rect, colour);
}

// The bars, all filled first, then their navy outline (2 pixels over each edge). Narrow bars get
// the outline of their joined shape: the tops and the steps between neighbours.
void PaintBars(QPainter& painter, const QRect& area, const std::vector<PlotShape>& shapes) {
  std::vector<const PlotShape*> bars;
  for (const PlotShape& shape : shapes) {
    if (shape.Shape == PlotShape::Bar) bars.push_back(&shape);
  }
  const QColor fill = BarFill();
  for (const PlotShape* bar : bars) {
    Fill(painter, area, std::min(bar->X1, bar->X2), std::min(bar->Y1, bar->Y2),
         std::max(bar->X1, bar->X2) - 1, std::max(bar->Y1, bar->Y2) - 1, fill);
  }
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const PlotShape& bar = *bars[i];
    const QColor outline = SlotColour(bar.Slot);
    const int left = std::min(bar.X1, bar.X2), right = std::max(bar.X1, bar.X2);
    const int top = std::min(bar.Y1, bar.Y2), bottom = std::max(bar.Y1, bar.Y2);
    const bool wide = right - left >= kOutlinedBarWidth;
    const PlotShape* before = i > 0 && bars[i - 1]->X2 == bar.X1 ? bars[i - 1] : nullptr;
    const bool joinedAfter = i + 1 < bars.size() && bars[i + 1]->X1 == bar.X2;
    Fill(painter, area, left - 1, top - 1, right, top, outline);
    if (wide || before == nullptr) {
      Fill(painter, area, left - 1, top - 1, left, bottom, outline);
    } else {
      const int beforeTop = std::min(before->Y1, before->Y2);
      Fill(painter, area, left - 1, std::min(top, beforeTop) - 1, left, std::max(top, beforeTop),
           outline);
    }
    if (wide || !joinedAfter) Fill(painter, area, right - 1, top - 1, right, bottom, outline);
  }
}

// A label on its light background, its baseline at `baseline`.
void PaintLabel(QPainter& painter, int x, int baseline, const QString& text) {
  const QFontMetrics metrics(painter.font());
  const QRect box(x, baseline - metrics.ascent(), metrics.horizontalAdvance(text),
                  metrics.ascent() + metrics.descent());
  painter.fillRect(box, LabelBackground());
  painter.setPen(Qt::black);
  painter.drawText(x, baseline, text);
}

QImage White(int width, int height) {
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

}  // namespace

QColor SlotColour(int slot) {
  static const std::array<QColor, kGraphSlots> colours = {
      QColor(0, 0, 128),   QColor(0, 0, 0),   QColor(255, 0, 0),  QColor(0, 255, 0),
      QColor(0, 255, 255), QColor(255, 0, 255), QColor(0, 128, 128)};
  return colours[static_cast<std::size_t>(std::clamp(slot, 0, kGraphSlots - 1))];
}

QColor BarFill() { return QColor(140, 170, 255); }

QColor LabelBackground() { return QColor(255, 255, 255, 220); }

void PaintPlot(QPainter& painter, const PlotDrawing& drawing) {
  const QRect area(0, 0, drawing.Width, drawing.Height);
  painter.fillRect(area, Qt::white);
  PaintBars(painter, area, drawing.Shapes);
  // Strokes are axis-parallel: filled rectangles paint them exactly, 4 pixels wide with square
  // ends, over every bar.
  constexpr int half = kLineWidth / 2;
  for (const PlotShape& shape : drawing.Shapes) {
    if (shape.Shape != PlotShape::Stroke) continue;
    Fill(painter, area, std::min(shape.X1, shape.X2) - half, std::min(shape.Y1, shape.Y2) - half,
         std::max(shape.X1, shape.X2) + half - 1, std::max(shape.Y1, shape.Y2) + half - 1,
         SlotColour(shape.Slot));
  }
  // A dotted line has white gaps, so that it shows on the bars as on the white ground.
  for (const PlotGridLine& line : drawing.GridLines) {
    if (line.Y < 0 || line.Y >= drawing.Height) continue;
    if (!line.Solid) {
      painter.setPen(QPen(Qt::white, 1));
      painter.drawLine(0, line.Y, drawing.Width, line.Y);
    }
    painter.setPen(QPen(Qt::black, 1, line.Solid ? Qt::SolidLine : Qt::DotLine));
    painter.drawLine(0, line.Y, drawing.Width, line.Y);
  }
  painter.setFont(SmallFont());
  const QFontMetrics metrics(painter.font());
  for (const PlotGridLine& line : drawing.GridLines) {
    if (line.Labelled) PaintLabel(painter, line.LabelX, line.LabelY, FromCp1252(line.Label));
  }
  for (const RangeLabel& label : drawing.RangeLabels) {
    const int baseline = label.Top ? label.Y + metrics.ascent() : label.Y - metrics.descent();
    PaintLabel(painter, label.X, baseline, FromCp1252(label.Label));
  }
}

QImage PaintPlot(const PlotDrawing& drawing) {
  QImage image = White(drawing.Width, drawing.Height);
  QPainter painter(&image);
  PaintPlot(painter, drawing);
  return image;
}

void PaintTimeStrip(QPainter& painter, const TimeStrip& strip) {
  const int width = std::max(strip.Width, 1), height = std::max(strip.Height, 1);
  painter.fillRect(0, 0, width, height, Qt::white);
  painter.setPen(QPen(Qt::black, 1));
  for (int x : strip.Boundaries) {
    x = std::min(x, width - 1);  // the end of the range on the last column
    painter.drawLine(x, 0, x, height);
  }
  painter.setPen(QPen(QColor(90, 90, 90), 1));
  for (int x : strip.DayTicks) painter.drawLine(x, 0, x, strip.TickHeight - 1);
  painter.setPen(Qt::black);
  painter.setFont(SmallFont());
  const QFontMetrics metrics(painter.font());
  for (const TimeLabel& label : strip.Labels) {
    // The label's top at 40% of the height.
    painter.drawText(label.X, label.Y + metrics.ascent(), QString::fromStdString(label.Text));
  }
}

QImage PaintTimeStrip(const TimeStrip& strip) {
  QImage image = White(strip.Width, strip.Height);
  QPainter painter(&image);
  PaintTimeStrip(painter, strip);
  return image;
}

void PaintLegendMark(QPainter& painter, const QRect& box, const LegendRow& row) {
  if (row.Mark == LegendMark::Swatch) {
    Fill(painter, box, box.left(), box.top(), box.right(), box.bottom(), SlotColour(row.Slot));
    Fill(painter, box, box.left() + 2, box.top() + 2, box.right() - 2, box.bottom() - 2,
         BarFill());
    return;
  }
  const int middle = box.top() + box.height() / 2;
  Fill(painter, box, box.left(), middle - kLineWidth / 2, box.right(), middle + kLineWidth / 2 - 1,
       SlotColour(row.Slot));
}

QImage LegendMarkImage(const LegendRow& row, int width, int height) {
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  PaintLegendMark(painter, image.rect(), row);
  return image;
}

namespace {

QFont TitleFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPixelSize(15);
  font.setBold(true);
  return font;
}
QFont CaptionFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPixelSize(12);
  return font;
}
QFont LegendFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(12);
  return font;
}

}  // namespace

GraphPictureLayout LayOutGraphPicture(const GraphPicture& picture) {
  const QFontMetrics title(TitleFont()), caption(CaptionFont()), legend(LegendFont());
  GraphPictureLayout l;
  const int yearWidth = legend.horizontalAdvance("00000");
  l.Left = kMargin + yearWidth;
  l.TitleBaseline = kMargin + title.ascent();
  l.CaptionBaseline = l.TitleBaseline + title.descent() + 4 + caption.ascent();
  l.PlotTop = l.CaptionBaseline + caption.descent() + kMargin;
  l.TimeTop = l.PlotTop + std::max(picture.Plot.Height, 1) + 2;
  l.LegendTop = l.TimeTop + std::max(picture.Time.Height, 1) + kMargin;
  l.LegendRowHeight = std::max(legend.height(), kMarkHeight) + 4;
  const int plotWidth = std::max({picture.Plot.Width, picture.Time.Width, 1});
  l.Width = std::max({l.Left + plotWidth + kMargin,
                      kMargin + title.horizontalAdvance(picture.Title) + kMargin,
                      kMargin + caption.horizontalAdvance(picture.Caption) + kMargin});
  l.Height = l.LegendTop + static_cast<int>(picture.Legend.size()) * l.LegendRowHeight + kMargin;
  return l;
}

void PaintGraphPicture(QPainter& painter, const GraphPicture& picture) {
  const GraphPictureLayout l = LayOutGraphPicture(picture);
  painter.fillRect(0, 0, l.Width, l.Height, QColor(240, 240, 240));
  painter.setPen(Qt::black);
  painter.setFont(TitleFont());
  painter.drawText(kMargin, l.TitleBaseline, picture.Title);
  painter.setFont(CaptionFont());
  painter.drawText(kMargin, l.CaptionBaseline, picture.Caption);

  painter.save();
  painter.translate(l.Left, l.PlotTop);
  painter.setClipRect(0, 0, picture.Plot.Width, picture.Plot.Height);
  PaintPlot(painter, picture.Plot);
  painter.restore();
  painter.save();
  painter.translate(l.Left, l.TimeTop);
  painter.setClipRect(0, 0, picture.Time.Width, picture.Time.Height);
  PaintTimeStrip(painter, picture.Time);
  painter.restore();

  const QFont font = LegendFont();
  const QFontMetrics metrics(font);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(kMargin, l.TimeTop + metrics.ascent(), picture.Year);
  for (std::size_t i = 0; i < picture.Legend.size(); ++i) {
    const LegendRow& row = picture.Legend[i];
    const int top = l.LegendTop + static_cast<int>(i) * l.LegendRowHeight;
    PaintLegendMark(painter, QRect(l.Left, top, kMarkWidth, kMarkHeight), row);
    painter.setPen(Qt::black);
    painter.drawText(l.Left + kMarkWidth + kMargin, top + metrics.ascent(),
                     FromCp1252(row.Symbol) + "  " + FromCp1252(row.Description));
  }
}

QImage GraphPictureImage(const GraphPicture& picture) {
  const GraphPictureLayout l = LayOutGraphPicture(picture);
  QImage image(l.Width, l.Height, QImage::Format_RGB32);
  QPainter painter(&image);
  PaintGraphPicture(painter, picture);
  return image;
}

}  // namespace vernoli
