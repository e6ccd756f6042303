// The select form: every station of the data folder with its name and country; the user picks
// one as the selected data file, copies it, deletes it, or looks at it first.
#pragma once

#include "kit/activatedform.h"

#include <string>
#include <vector>

#include "stations/catalog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vernoli {

struct AppState;
class Navigator;

class TSelectMenu : public ActivatedForm {
  Q_OBJECT
 public:
  TSelectMenu(AppState& state, Navigator& navigator, QWidget* parent = nullptr);

  // Lists the data folder again (after a copy, a deletion or an import): the candidate becomes
  // the selected data file, or the first station when none is selected.
  void ReloadFileList();

  // The file name that "Select and Main menu" would select.
  const std::string& Candidate() const { return candidate_; }

 private:
  void FormActivate() override;
  void FillGrid();
  void SetCandidate(const std::string& name);
  // Makes `name` the selected data file; false (after the message) when it cannot be read.
  bool Choose(const std::string& name, OutputNameRule rule);
  void FileStringGridClick(int row);
  void FileStringGridDblClick(int row);
  void MainMenuButtonClick();
  void CopyButtonClick();
  void BackToTheList();
  void DeleteButtonClick();
  void CharacteristicsButtonClick();
  void DataButtonClick();

  AppState& state_;
  Navigator& navigator_;
  std::vector<StationEntry> stations_;
  std::string candidate_;
  bool suppressClicks_ = false;  // the form itself is moving the grid's cursor

  QLabel* pathLabel_;
  QTableWidget* fileStringGrid_;
  QLineEdit* selectedFileEdit_;
  QPushButton* mainMenuButton_;
  QPushButton* copyButton_;
  QPushButton* deleteButton_;
  QPushButton* characteristicsButton_;
  QPushButton* dataButton_;
  QPushButton* cancelButton_;
};

}  // namespace vernoli
