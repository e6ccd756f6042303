// The report options form " Report menu": which column blocks the ETo report shows (record
// number, date, the data with ETo, the intermediate results). A click on a check box sets its
// choice at once; closing the form keeps at least one block of values.
//
// The workspace tells it the data set first, then shows it modally:
//
//   printForm->SetDataSet(session.Station(), session.Symbols(), session.Report());
//   ShowModal(*printForm);
#pragma once

#include "kit/activatedform.h"

#include <cstdint>
#include <vector>

#include "plot/report.h"
#include "workspace/parameterlist.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace vernoli {

class TPrintForm : public ActivatedForm {
  Q_OBJECT
 public:
  explicit TPrintForm(QWidget* parent = nullptr);

  // The data set the report is made of: its record count and date format beside the first two
  // boxes, its parameters (title row first) in the symbol grid; and the choices the form changes,
  // which must outlive the showing.
  void SetDataSet(const RepClimateFile& station, const std::vector<SymbolRow>& symbols,
                  ReportContent& report);

  // Escape, the close box and "OK" close it alike: every choice is already made.
  void done(int result) override;

 private:
  void FormActivate() override;

  ReportContent ownReport_;  // until a data set is given
  ReportContent* report_ = &ownReport_;
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
