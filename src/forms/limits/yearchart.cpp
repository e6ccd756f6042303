#include "forms/limits/yearchart.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "kit/formkit.h"

namespace vernoli {

namespace {

constexpr int kAxis = 90;  // width of the scale's texts
constexpr int kTop = 22;   // height of the title

}  // namespace

YearChart::YearChart(const QString& imageName, const QString& title, const QStringList& scale,
                     const QList<double>& marks, const QColor& colour, QWidget* parent)
    : QWidget(parent), colour_(colour) {
  setFixedSize(kAxis + kWidth + 8, kTop + kHeight + 22);
  auto* heading = new QLabel(title, this);
  heading->setGeometry(kAxis, 0, kWidth, kTop - 4);
  image_ = Label(imageName, QString(), this);
  image_->setGeometry(kAxis, kTop, kWidth, kHeight);
  for (int i = 0; i < scale.size(); ++i) {
    auto* label = new QLabel(scale[i], this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int y = kTop + kHeight - static_cast<int>(kHeight * marks[i]);
    label->setGeometry(0, y - 9, kAxis - 6, 18);
    // The bottom and the top of the picture need no line.
    if (marks[i] > 0.0 && marks[i] < 1.0) lines_.append(marks[i]);
  }
  auto* first = new QLabel("January", this);
  first->setGeometry(kAxis, kTop + kHeight + 2, kWidth / 2, 18);
  auto* last = new QLabel("December", this);
  last->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  last->setGeometry(kAxis + kWidth / 2, kTop + kHeight + 2, kWidth / 2, 18);
}

void YearChart::Draw(const ChartColumns& columns) {
  image_->setPixmap(QPixmap::fromImage(YearChartImage(columns, lines_, colour_)));
}

QImage YearChartImage(const ChartColumns& columns, const QList<double>& lines,
                      const QColor& colour) {
  QImage image(YearChart::kWidth, YearChart::kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(QPen(QColor(215, 215, 215), 1, Qt::DotLine));
  for (double line : lines) {
    const int y = image.height() - static_cast<int>(image.height() * line);
    painter.drawLine(0, y, image.width(), y);
  }
  // Two pixels wide, so that the days leave no gaps between them.
  painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::FlatCap));
  for (const ChartColumn& column : columns) {
    painter.drawLine(column.X, image.height(), column.X, column.Top);
  }
  return image;
}

}  // namespace vernoli
