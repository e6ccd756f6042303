// The workspace " Data and ETo menu": the open station's parameters, units and settings, its data
// one calendar year at a time in a grid where every typed value is checked and every record's ETo
// is recomputed, the plot page and the export page.
//
// The form is a view over a WorkspaceSession: it shows what the session holds and forwards its
// controls' events to it. When an operation fails the form shows the message and redisplays its
// controls from the session, which is left as it was (the grid keeps the user's edits).
//
// The form composes its four pages (DescriptionPage, DataPage, PlotPage, ExportPage): it holds the
// station above them, the page control, "Main menu", "Cancel" and the status line, and wires the
// pages together.
//
// The opener says how the next opening starts, then shows the form modally:
//
//   form->PrepareOpening(true);   // the main menu: "Cancel" enabled, the description page in front
//   form->PrepareOpening(false);  // the create form: the new station cannot be cancelled
//   ShowModal(*form);
#pragma once

#include "kit/activatedform.h"

#include "forms/workspace/workspacehost.h"
#include "workspace/session.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace vernoli {

struct AppState;
class Navigator;
class DataPage;
class DescriptionPage;
class ExportPage;
class PlotPage;

class TUpdateMenu : public ActivatedForm, private WorkspaceHost {
  Q_OBJECT
 public:
  TUpdateMenu(AppState& state, Navigator& navigator, QWidget* parent = nullptr);
  ~TUpdateMenu() override;

  // How the next opening starts: "Cancel" enabled (from the main menu) or disabled (from the
  // create form, after a new data file has been made), and the description page in front.
  void PrepareOpening(bool cancelEnabled);

  // The session behind the form (for the tests and the forms that work with the workspace).
  const WorkspaceSession& Session() const { return session_; }
  WorkspaceSession& Session() { return session_; }

  // Leaving: the working data are let go; "Main menu" has saved first, "Cancel" leaves the
  // station's files as they were at the last save. The close box follows the buttons: it
  // cancels while "Cancel" is enabled and saves (or stays) once it is not, asking first when
  // changes would be lost.
  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Connect();
  void SetTabOrder();

  // What the form shows, always from the session.
  void FormActivate() override;
  // Every page and the form's own controls.
  void ShowSession();
  void ShowHeader();
  void ShowCancel();
  // After an operation: its message when it failed, then every page redisplayed.
  void Done(const Status& status) override;
  bool FinishGridEditing() override;

  // Writes the station's files; the selection then holds the station as saved.
  Status Save();
  // "Main menu": saves, then closes the form; false (the message shown) when it stays open.
  bool SaveAndLeave();

  // Events.
  void MainMenuButtonClick();
  void SaveButtonClick();
  void YearButtonClick(bool next);
  void YearChosen(int year);
  void PageControl1Change(int page);
  void PlotSheetShow();
  void PlotOptionsClick();

  AppState& state_;
  Navigator& navigator_;
  WorkspaceSession session_;
  bool cancelEnabled_ = true;

  // The station above the pages.
  QLineEdit* editStation_;
  QLineEdit* editCountry_;
  QLineEdit* editFileName_;
  QTabWidget* pageControl1_;
  DescriptionPage* descriptionPage_;
  DataPage* dataPage_;
  PlotPage* plotPage_;
  ExportPage* exportPage_;
  // The buttons below them and the status line: what the last save or export wrote, and when.
  QPushButton* mainMenuButton_;
  QPushButton* cancelButton_;
  QLabel* saveStatusLabel_;
};

}  // namespace vernoli
