// A station's span as its characteristics show it, read only: the first and the last record's
// day, month and year, or "Not linked to a specific year". The characteristics view and the copy
// form both show it.
#pragma once

#include <QGroupBox>

class QLabel;

namespace vernoli {

struct CharacteristicsView;

class SpanPanel : public QGroupBox {
  Q_OBJECT
 public:
  enum class ValueFont { Plain, Bold };

  // `captionSuffix` ends the names of the captions (FirstLabel, Day1Label, Month1Label, ...), so
  // that they differ from those of another span on the same form; the values keep their names.
  SpanPanel(const QString& objectName, const QString& captionSuffix, ValueFont valueFont,
            QWidget* parent);

  // The texts, the day row only where the data have days, First/Last only where they stand
  // beside something, the years or "Not linked to a specific year".
  void Show(const CharacteristicsView& view);

 private:
  QLabel* firstLabel_;
  QLabel* lastLabel_;
  QLabel* day1Label_;
  QLabel* dayNLabel_;
  QLabel* day1Lab_;
  QLabel* dayNLab_;
  QLabel* month1Lab_;
  QLabel* monthNLab_;
  QLabel* year1Label_;
  QLabel* yearNLabel_;
  QLabel* year1Lab_;
  QLabel* yearNLab_;
  QLabel* labelNotLinked_;
};

}  // namespace vernoli
