#include "forms/workspace/TUpdateMenu.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "forms/workspace/datapage.h"
#include "forms/workspace/descriptionpage.h"
#include "forms/workspace/exportpage.h"
#include "forms/workspace/plotpage.h"
#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/navigator.h"
#include "stations/appstate.h"
#include "workspace/closebox.h"
#include "workspace/yearchoice.h"

namespace vernoli {

namespace {

const QString kTitle = " Data and ETo menu";

}  // namespace

TUpdateMenu::TUpdateMenu(AppState& state, Navigator& navigator, QWidget* parent)
    : ActivatedForm(parent), state_(state), navigator_(navigator) {
  setObjectName("UpdateMenu");
  setWindowTitle(kTitle);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setModal(true);

  // The station above the pages.
  editStation_ = ReadOnlyEdit("EditStation", this);
  editCountry_ = ReadOnlyEdit("EditCountry", this);
  editFileName_ = ReadOnlyEdit("EditFileName", this);
  auto* header = new QHBoxLayout;
  header->addWidget(Text("Station", this));
  header->addWidget(editStation_, 3);
  header->addWidget(Text("Country", this));
  header->addWidget(editCountry_, 2);
  header->addWidget(Text("File", this));
  header->addWidget(editFileName_, 2);

  pageControl1_ = new QTabWidget(this);
  pageControl1_->setObjectName("PageControl1");
  WorkspaceHost& host = *this;
  descriptionPage_ = new DescriptionPage(session_, host);
  dataPage_ = new DataPage(session_, host, state_, navigator_);
  plotPage_ = new PlotPage(session_, state_);
  exportPage_ = new ExportPage(session_, state_, navigator_);
  pageControl1_->addTab(descriptionPage_, " Input data description  ");
  pageControl1_->addTab(dataPage_, " Meteorological data and ETo   ");
  pageControl1_->addTab(plotPage_, " Plot data  ");
  pageControl1_->addTab(exportPage_, " Export results  ");

  mainMenuButton_ = Button("MainMenuButton", "Main menu", this);
  cancelButton_ = Button("CancelButton", "Cancel", this);
  saveStatusLabel_ = Label("SaveStatusLabel", QString(), this);
  QHBoxLayout* buttons = ButtonRow({mainMenuButton_, cancelButton_});
  buttons->insertWidget(0, saveStatusLabel_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addWidget(pageControl1_, 1);
  layout->addLayout(buttons);

  Connect();
  SetTabOrder();
  resize(1060, 680);
}

// The session goes before the child widgets: while they are being destroyed the grid neither
// reads the session nor reports to its page (a focus change would ask for a check).
TUpdateMenu::~TUpdateMenu() { dataPage_->Detach(); }

// Tab follows the reading order: each column of the description page from the top, the data
// page's grid and then its buttons from the left, the export page from its mode buttons to its
// export button, and last "Main menu" and "Cancel". Hidden controls are passed over; the plot
// page keeps the order of its controls.
void TUpdateMenu::SetTabOrder() {
  std::vector<QWidget*> order = {pageControl1_->tabBar()};
  for (const std::vector<QWidget*>& page :
       {descriptionPage_->TabOrder(), dataPage_->TabOrder(), exportPage_->TabOrder()}) {
    order.insert(order.end(), page.begin(), page.end());
  }
  order.insert(order.end(), {mainMenuButton_, cancelButton_});
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void TUpdateMenu::Connect() {
  connect(mainMenuButton_, &QPushButton::clicked, this, &TUpdateMenu::MainMenuButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, &TUpdateMenu::reject);
  connect(pageControl1_, &QTabWidget::currentChanged, this, &TUpdateMenu::PageControl1Change);

  // A checked cell changes what the plot shows and whether there is anything to save; a refused
  // one brings the data page to the front.
  connect(dataPage_, &DataPage::CellChecked, this, [this] {
    plotPage_->Redraw();
    ShowCancel();
  });
  connect(dataPage_, &DataPage::CellRefused, this, [this] {
    if (pageControl1_->currentWidget() != dataPage_) pageControl1_->setCurrentWidget(dataPage_);
  });
  connect(dataPage_, &DataPage::SaveClicked, this, &TUpdateMenu::SaveButtonClick);

  // Both year navigations.
  connect(dataPage_, &DataPage::NextYearClicked, this, [this] { YearButtonClick(true); });
  connect(plotPage_, &PlotPage::NextYearClicked, this, [this] { YearButtonClick(true); });
  connect(dataPage_, &DataPage::PreviousYearClicked, this, [this] { YearButtonClick(false); });
  connect(plotPage_, &PlotPage::PreviousYearClicked, this, [this] { YearButtonClick(false); });
  connect(dataPage_, &DataPage::YearChosen, this, &TUpdateMenu::YearChosen);
  connect(plotPage_, &PlotPage::YearChosen, this, &TUpdateMenu::YearChosen);

  connect(plotPage_, &PlotPage::PlotOptionsClicked, this, &TUpdateMenu::PlotOptionsClick);
  connect(exportPage_, &ExportPage::Exported, this, [this](const QString& status) {
    if (!status.isEmpty()) saveStatusLabel_->setText(status);
    Done(Status::Success());
  });
}

// ---------------------------------------------------------------------------------------------
// Opening and leaving

void TUpdateMenu::PrepareOpening(bool cancelEnabled) {
  cancelEnabled_ = cancelEnabled;
  pageControl1_->setCurrentWidget(descriptionPage_);
}

void TUpdateMenu::FormActivate() {
  if (Status s = session_.Open(state_.Station); !s) {
    ShowMessage(s.Message);
    // The form cannot work without its working data: it closes as soon as it is up.
    QTimer::singleShot(0, this, [this] {
      if (isVisible()) done(QDialog::Rejected);
    });
    return;
  }
  dataPage_->Opening();
  descriptionPage_->HideAngstrom();
  plotPage_->Opening();
  exportPage_->Opening();
  saveStatusLabel_->clear();
  // The opening's refill draws the plot of the visible range.
  session_.PlotDrawn();
  session_.Report() = ReportContent{};

  ShowSession();
  dataPage_->ScrollToFirstColumn();
  mainMenuButton_->setFocus(Qt::OtherFocusReason);
}

void TUpdateMenu::done(int result) {
  if (session_.IsOpen()) {
    session_.Close();
    // Left without saving: the station's codes are those of its .DTA as it is now (a save that
    // failed after rewriting the data file must not leave the selection with other codes).
    RepClimateFile station = state_.Station;
    if (ReadParameterCodes(station).Ok) state_.Station = station;
  }
  QDialog::done(result);
}

// The close box checks a typed cell like every other way out (a refused value keeps the form
// open on it), then follows the buttons: while "Cancel" is enabled it cancels, asking first when
// changes would be lost; once "Cancel" is disabled it saves as "Main menu" does, or goes back to
// the workspace.
void TUpdateMenu::closeEvent(QCloseEvent* event) {
  if (!session_.IsOpen()) {
    QDialog::closeEvent(event);
    return;
  }
  event->ignore();
  if (!FinishGridEditing()) return;
  switch (WhatTheCloseBoxDoes(cancelButton_->isEnabled(), session_.Unsaved())) {
    case CloseBoxAction::Leave: break;
    case CloseBoxAction::AskThenCancel:
      if (!AskYesNo(Cp(kLeaveUnsavedQuestion))) return;
      break;
    case CloseBoxAction::AskThenSave:
      if (!AskYesNo(Cp(kSaveAndLeaveQuestion))) return;
      if (SaveAndLeave()) {
        event->accept();
        return;
      }
      // The save failed and said why: the user may still leave, knowing what is lost.
      if (!AskYesNo(Cp(kLeaveUnsavedQuestion))) return;
      break;
  }
  event->accept();
  QDialog::closeEvent(event);
}

// Escape would throw the visit's edits away: only "Cancel" and the close box leave unsaved.
void TUpdateMenu::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  // Enter presses the button that has the focus, and no other: the workspace has no default
  // button, so Enter in a check box or a list never saves or leaves.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) {
      button->click();
    }
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

Status TUpdateMenu::Save() {
  const Status s = session_.Save();
  if (s) state_.Station = session_.Station();
  return s;
}

void TUpdateMenu::MainMenuButtonClick() { SaveAndLeave(); }

bool TUpdateMenu::SaveAndLeave() {
  if (!FinishGridEditing()) return false;
  if (!session_.IsOpen()) return false;
  if (const Status s = Save(); !s) {
    Done(s);
    return false;
  }
  session_.Close();
  accept();
  return true;
}

void TUpdateMenu::SaveButtonClick() {
  if (!FinishGridEditing()) return;
  if (!session_.IsOpen()) return;
  const Status s = Save();
  if (s) {
    const QString name = FileNameText(session_.Station().FileName);
    saveStatusLabel_->setText(QString("Saved %1.DTA and %1.DSC at %2")
                                  .arg(name, QTime::currentTime().toString("HH:mm:ss")));
  }
  Done(s);
}

// ---------------------------------------------------------------------------------------------
// Showing the session

void TUpdateMenu::ShowHeader() {
  const RepClimateFile& station = session_.Station();
  editStation_->setText(Cp(station.StationName));
  editCountry_->setText(Cp(station.Country));
  // The file name is a name of the file system; station name and country are texts of the file.
  editFileName_->setText(FileNameText(station.FileName) + ".DTA");
}

void TUpdateMenu::ShowCancel() {
  cancelButton_->setEnabled(cancelEnabled_ && !session_.WrittenBack());
  // The title is marked while there are changes not yet saved.
  setWindowTitle(session_.IsOpen() && session_.Unsaved() ? QString("*") + kTitle : kTitle);
}

void TUpdateMenu::Done(const Status& status) {
  if (!status.Ok) ShowMessage(status.Message);
  ShowSession();
}

void TUpdateMenu::ShowSession() {
  if (session_.IsOpen()) {
    ShowHeader();
    descriptionPage_->Show();
  }
  dataPage_->ShowNavigation();
  plotPage_->ShowNavigation();
  dataPage_->ShowGrid();
  plotPage_->Redraw();
  dataPage_->ShowSymbols();
  ShowCancel();
}

bool TUpdateMenu::FinishGridEditing() { return dataPage_->FinishGridEditing(); }

// ---------------------------------------------------------------------------------------------
// Between the pages

void TUpdateMenu::YearButtonClick(bool next) {
  if (!FinishGridEditing()) return;
  const Status s = next ? session_.NextYear() : session_.PreviousYear();
  Done(s);
  if (s) dataPage_->ScrollToFirstColumn();
}

// The chooser checks as the buttons do; a refused value leaves the year, and both choosers show it
// again.
void TUpdateMenu::YearChosen(int year) {
  if (!FinishGridEditing()) {
    dataPage_->ShowNavigation();
    plotPage_->ShowNavigation();
    return;
  }
  const Status s = GoToYear(session_, year);
  Done(s);
  if (s) dataPage_->ScrollToFirstColumn();
}

void TUpdateMenu::PageControl1Change(int page) {
  // A cell typed into on the data page is checked before any other page shows its value; when
  // it is refused the data page comes back.
  if (!FinishGridEditing()) return;
  descriptionPage_->HideAngstrom();
  exportPage_->HidePanel();
  if (pageControl1_->widget(page) == plotPage_) PlotSheetShow();
}

void TUpdateMenu::PlotSheetShow() {
  if (!session_.IsOpen() || !session_.PlotStale()) return;
  if (!FinishGridEditing()) return;
  const Status s = session_.RefreshForPlot();
  if (s) session_.PlotDrawn();
  Done(s);
}

void TUpdateMenu::PlotOptionsClick() {
  if (!session_.IsOpen()) return;
  if (!FinishGridEditing()) return;
  plotPage_->HideLegend();
  navigator_.OpenPlotMenuForm(StationCodes(session_.Station()), session_.Station().Limits,
                              session_.Graph());
  Status status = session_.WriteBack();
  if (status) session_.Refill();
  Done(status);
}

}  // namespace vernoli
