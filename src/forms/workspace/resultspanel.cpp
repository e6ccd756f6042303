#include "forms/workspace/resultspanel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "kit/formkit.h"
#include "workspace/resultsexport.h"

namespace vernoli {

ResultsPanel::ResultsPanel(QWidget* parent) : QFrame(parent) {
  setObjectName("ResultsPanel");
  editResultsFile_ = LineEdit("EditResultsFile", this);
  labelResultsExtension_ = Label("LabelResultsExtension", QString(), this);
  radioResultsComma_ = Radio("RadioResultsComma", "comma", this);
  radioResultsTab_ = Radio("RadioResultsTab", "tab", this);
  radioMissingEmpty_ = Radio("RadioMissingEmpty", "empty field", this);
  radioMissingNumber_ = Radio("RadioMissingNumber", "-999", this);
  // Two choices of one panel: each pair is a group of its own.
  for (const auto& [first, second] : {std::pair{radioResultsComma_, radioResultsTab_},
                                      std::pair{radioMissingEmpty_, radioMissingNumber_}}) {
    auto* group = new QButtonGroup(this);
    group->addButton(first);
    group->addButton(second);
  }
  QLabel* contents = Label("ResultsContentsLabel",
                           "One row per record with its date and the results at full precision:"
                           " the ETo of all five methods and every intermediate, as"
                           " vernoli-batch results writes them.",
                           this);
  contents->setWordWrap(true);

  const auto pair = [this](QRadioButton* a, QRadioButton* b) {
    auto* row = new QHBoxLayout;
    row->addWidget(a);
    row->addWidget(b);
    row->addStretch(1);
    return row;
  };
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Text("Results file", this), 0, 0);
  layout->addWidget(editResultsFile_, 0, 1);
  layout->addWidget(Text(".", this), 0, 2);
  layout->addWidget(labelResultsExtension_, 0, 3);
  layout->addWidget(Text("separator", this), 1, 0);
  layout->addLayout(pair(radioResultsComma_, radioResultsTab_), 1, 1, 1, 3);
  layout->addWidget(Text("missing value", this), 2, 0);
  layout->addLayout(pair(radioMissingEmpty_, radioMissingNumber_), 2, 1, 1, 3);
  layout->addWidget(contents, 3, 0, 1, 4);
  layout->setColumnStretch(1, 1);

  connect(radioResultsComma_, &QRadioButton::toggled, this, &ResultsPanel::ShowExtension);
  Opening();
}

void ResultsPanel::Opening() {
  radioResultsComma_->setChecked(true);
  radioMissingEmpty_->setChecked(true);
  ShowExtension();
}

ResultsFormat ResultsPanel::Format() const {
  ResultsFormat format;
  format.Separator = radioResultsTab_->isChecked() ? '\t' : ',';
  format.MissingAsNumber = radioMissingNumber_->isChecked();
  return format;
}

std::vector<QWidget*> ResultsPanel::TabOrder() const {
  return {editResultsFile_, radioResultsComma_, radioResultsTab_, radioMissingEmpty_,
          radioMissingNumber_};
}

void ResultsPanel::ShowExtension() {
  labelResultsExtension_->setText(Cp(ResultsTableExtension(Format())));
}

}  // namespace vernoli
