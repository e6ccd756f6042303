// The workspace's export page PrintSheet: "Compose ETo report" and "Export climate files", and
// the export panel below them.
#pragma once

#include <QWidget>

class QFrame;
class QPushButton;

namespace vernoli {

struct AppState;
struct Forms;
class WorkspaceSession;

class ExportPage : public QWidget {
  Q_OBJECT
 public:
  ExportPage(WorkspaceSession& session, AppState& state, Forms& forms, QWidget* parent = nullptr);

  // A new opening, or another page in front: the export panel is hidden.
  void HidePanel();

 private:
  WorkspaceSession& session_;
  AppState& state_;
  Forms& forms_;

  QPushButton* reportButton_;
  QPushButton* agrolumeFilesButton_;
  QFrame* panelExport_;
};

}  // namespace vernoli
