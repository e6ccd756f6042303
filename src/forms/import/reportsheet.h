// The import form's page " Status Report  ": the name of the new station, a summary of the
// choices, the three lamps (lines, file, parameters) and the report per column.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;

namespace vernoli {

class Lamp;

class ReportSheet : public QWidget {
  Q_OBJECT
 public:
  // One row of the report: a column of the file and its verdict.
  struct ReportRow {
    QString Nr, Symbol, Unit, Range, Error;
    bool Ok = false;
  };
  static constexpr int kMaxColumns = 10;

  explicit ReportSheet(QWidget* parent = nullptr);

  QLineEdit* FileNameEdit() const { return editFileName_; }
  QLineEdit* StationEdit() const { return stationEdit2_; }
  QLineEdit* CountryEdit() const { return countryEdit2_; }

  void ShowSelectedFile(const QString& name);
  void ShowRecordCount(const QString& text);
  void ShowLines(const QString& text);
  void SetLineLamp(bool green, const QString& text);
  void SetFileLamp(bool green, const QString& error10, const QString& error20);
  void SetParameterLamp(bool green, const QString& count, const QString& errors);
  // The report grids with one row per column and its lamp; hidden when `visible` is false.
  void ShowReport(bool visible, const std::vector<ReportRow>& rows = {});
  // The import report of a delimited file, one line per item; hidden for the other kinds.
  void ShowValuesReport(bool visible, const QStringList& lines);
  // A click on a report row leads to its column (not for database exports).
  void SetReportEnabled(bool enabled);

 signals:
  // The user clicked the report row of column `column` (0-based).
  void ColumnClicked(int column);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Puts each column's lamp beside its row.
  void PlaceLamps();

  QLineEdit* editFileName_;
  QLineEdit* stationEdit2_;
  QLineEdit* countryEdit2_;
  QLineEdit* selectedFileEdit2_;
  QLabel* recordLabel2_;
  QLabel* nrLinesLabel2_;
  Lamp* lineLamp_;
  QLabel* labelLineOK_;
  Lamp* fileLamp_;
  QLabel* error10Label_;
  QLabel* error20Label_;
  Lamp* paramLamp_;
  QLineEdit* climParamEdit_;
  QLabel* errorParamLabel_;
  QTableWidget* stringGridParamReport_;
  QTableWidget* stringGridParamReport2_;
  QWidget* lampStrip_;
  QListWidget* valuesReportList_;
  std::array<Lamp*, kMaxColumns> columnLamps_{};
  int reportRows_ = 0;
};

}  // namespace vernoli
