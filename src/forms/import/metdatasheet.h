// The import form's page " Meteorological data  ": the type of the records and the period the
// lines of the file cover.
#pragma once

#include <QWidget>

class QLabel;

namespace vernoli {

class DataTypeBox;
class SpanBox;
class SpanEditor;
class SpanEntry;

class MetDataSheet : public QWidget {
  Q_OBJECT
 public:
  explicit MetDataSheet(QWidget* parent = nullptr);

  SpanEditor* Span() const { return span_; }
  // "number of ... records = " and the number, in RecordLabel.
  void ShowRecordCount(const QString& text);
  // The data type and the span can be chosen (text files) or are the file's (database
  // exports: monthly means, not linked to a year). The dates of a delimited file decide every
  // part of them, the monthly data type and the days too (`fromDates`).
  void SetSpanEditable(bool editable, bool fromDates = false);

 private:
  DataTypeBox* climDataBox_;
  SpanBox* timeRangeBox_;
  SpanEditor* span_;
  QLabel* recordLabel_;
};

}  // namespace vernoli
