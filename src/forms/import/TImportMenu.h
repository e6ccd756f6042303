// The import form: a new station from a file of climatic data (free-format text, or the export
// of a climate database). The user picks the kind and the file, describes the station, states
// the period the lines cover, gives each column a parameter, reads the status report and presses
// "Import"; nothing is written before that. The rules live in the import session; the form
// shows what the session says.
#pragma once

#include "kit/activatedform.h"

#include <array>
#include <vector>

#include "import/columns.h"
#include "import/session.h"

class QPushButton;
class QTabWidget;

namespace vernoli {

struct AppState;
class Navigator;
class FileSheet;
class LayoutSheet;
class MetDataSheet;
class ParamSheet;
class ReportSheet;
class StationSheet;

class TImportMenu : public ActivatedForm {
  Q_OBJECT
 public:
  TImportMenu(AppState& state, Navigator& navigator, QWidget* parent = nullptr);
  ~TImportMenu() override;

  // True when the last opening wrote a station.
  bool Imported() const { return imported_; }
  const ImportSession& Session() const { return session_; }

 private:
  void FormActivate() override;
  // The station and its location as the session holds them.
  void ShowStation();
  // Enables the controls a database file decides only for free-format text.
  void ShowKind();
  void ShowFiles();
  // Every text, lamp and grid that follows from the file, the span and the columns.
  void ShowStatus();
  void KindClick(int kind);
  void FolderChosen(const QString& folder);
  void FileChosen(const QString& name);
  void ColumnClick(int column, bool openList);
  void CodeChosen(int page, int row);
  void ReportColumnClick(int column);
  void UpdateRangeButtonClick();
  void PageChanged(int index);
  void ImportButtonClick();

  AppState& state_;
  Navigator& navigator_;
  ImportSession session_;
  bool imported_ = false;
  std::array<std::vector<CodeListRow>, kCodePages.size()> codeRows_;

  QTabWidget* pageControl1_;
  FileSheet* fileSheet_;
  LayoutSheet* layoutSheet_;
  StationSheet* stationSheet_;
  MetDataSheet* metDataSheet_;
  ParamSheet* paramSheet_;
  ReportSheet* reportSheet_;
  QPushButton* importButton_;
  QPushButton* cancelButton_;
};

}  // namespace vernoli
