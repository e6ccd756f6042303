// The report options form " Report menu": which column blocks the ETo report shows (record
// number, date, the data with ETo, the intermediate results). A click on a check box sets its
// choice at once; closing the form keeps at least one block of values.
//
// The workspace tells it the data set first, then shows it modally:
//
//   printForm->SetDataSet(session.Station(), session.Symbols());
//   ShowModal(*printForm);
#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "workspace/parameterlist.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace vernoli {

struct AppState;

class TPrintForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPrintForm(AppState& state, QWidget* parent = nullptr);

  // The data set the report is made of: its record count and date format beside the first two
  // boxes, its parameters (title row first) in the symbol grid.
  void SetDataSet(const RepClimateFile& station, const std::vector<SymbolRow>& symbols);

  // Escape, the close box and "OK" close it alike: every choice is already made.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();

  AppState& state_;
  int32_t records_ = 0;
  uint8_t dataType_ = 0;
  bool linkedToYear_ = true;

  QCheckBox* cBoxNr_;
  QCheckBox* cBoxDate_;
  QCheckBox* cBoxClimData_;
  QCheckBox* cBoxRes_;
  QLabel* nrLabel_;
  QLabel* dateLabel_;
  QTableWidget* symbolStringGrid_;
  QPushButton* closeButton_;
};

}  // namespace vernoli
