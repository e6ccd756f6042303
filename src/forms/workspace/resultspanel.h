// The part of the export panel for "Results table (CSV)": the name of the table (linked to the
// other output names), its separator (comma or tab) and how a missing value is written (an
// empty field or -999), the choices of `vernoli-batch results`. The extension label follows the
// separator: "csv" or "tsv".
#pragma once

#include <QFrame>
#include <vector>

#include "workspace/results.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace vernoli {

class ResultsPanel : public QFrame {
  Q_OBJECT
 public:
  explicit ResultsPanel(QWidget* parent);

  // A new opening of the workspace: commas and empty fields.
  void Opening();
  // The choices as the table is written with them.
  ResultsFormat Format() const;

  QLineEdit* NameEdit() const { return editResultsFile_; }
  std::vector<QWidget*> TabOrder() const;

 private:
  void ShowExtension();

  QLineEdit* editResultsFile_;
  QLabel* labelResultsExtension_;
  QRadioButton* radioResultsComma_;
  QRadioButton* radioResultsTab_;
  QRadioButton* radioMissingEmpty_;
  QRadioButton* radioMissingNumber_;
};

}  // namespace vernoli
