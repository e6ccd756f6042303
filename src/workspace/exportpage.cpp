#include "workspace/exportpage.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/formkit.h"

namespace vernoli {

ExportPage::ExportPage(WorkspaceSession& session, AppState& state, Forms& forms, QWidget* parent)
    : QWidget(parent), session_(session), state_(state), forms_(forms) {
  setObjectName("PrintSheet");
  reportButton_ = Button("ReportButton", "Compose ETo report", this);
  agrolumeFilesButton_ = Button("AgrolumeFilesButton", "Export climate files", this);
  for (QPushButton* button : {reportButton_, agrolumeFilesButton_}) button->setMinimumWidth(200);
  auto* reportText = Label("ReportPanel", "A report (.REP) of the data, ETo and intermediate "
                                          "results, with the columns you choose.",
                           this);
  auto* cropText = Label("AgrolumePanelText", "The ETo file (.ETo) and the temperature file (.TMP)"
                                              " for the data base of the crop model Agrolume.",
                         this);
  for (QLabel* label : {reportText, cropText}) label->setWordWrap(true);
  panelExport_ = new QFrame(this);
  panelExport_->setObjectName("PanelExport");
  panelExport_->setFrameShape(QFrame::StyledPanel);
  auto* layout = new QGridLayout(this);
  layout->addWidget(reportButton_, 0, 0);
  layout->addWidget(reportText, 0, 1);
  layout->addWidget(agrolumeFilesButton_, 1, 0);
  layout->addWidget(cropText, 1, 1);
  layout->addWidget(panelExport_, 2, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(3, 1);
  panelExport_->hide();
}

void ExportPage::HidePanel() { panelExport_->hide(); }

}  // namespace vernoli
