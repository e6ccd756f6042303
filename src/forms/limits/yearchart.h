// A year chart of the data-limits form: one vertical line per day from the bottom of a white
// picture up to the day's value, over dotted lines at the inner marks of the scale. The scale's
// texts stand on the left of the picture, its title above, "January" and "December" below.
#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "limits/limits.h"

class QImage;
class QLabel;

namespace vernoli {

class YearChart : public QWidget {
 public:
  // Size of the picture.
  static constexpr int kWidth = 400;
  static constexpr int kHeight = 100;

  // The picture is a label named `imageName`. `marks` are the heights of the scale's texts, as
  // fractions of the picture's height from the bottom.
  YearChart(const QString& imageName, const QString& title, const QStringList& scale,
            const QList<double>& marks, const QColor& colour, QWidget* parent);

  // Shows the picture of the columns.
  void Draw(const ChartColumns& columns);

 private:
  QLabel* image_;
  QList<double> lines_;  // the marks strictly inside the picture
  QColor colour_;
};

// The picture of a year chart: kWidth x kHeight, white, a dotted grey line at each of `lines`
// (fractions of the height from the bottom), then each column as a line two pixels wide.
QImage YearChartImage(const ChartColumns& columns, const QList<double>& lines,
                      const QColor& colour);

}  // namespace vernoli
