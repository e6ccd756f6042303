#include "forms/stations/TSelectMenu.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/navigator.h"
#include "kit/text.h"
#include "stations/appstate.h"

namespace vernoli {

TSelectMenu::TSelectMenu(AppState& state, Navigator& navigator, QWidget* parent)
    : ActivatedForm(parent), state_(state), navigator_(navigator) {
  SetUpForm(*this, "SelectMenu", " Select station menu");

  pathLabel_ = Label("PathLabel", QString(), this);
  auto* path = new QHBoxLayout;
  path->addWidget(new QLabel("Path: ", this));
  path->addWidget(pathLabel_, 1);

  fileStringGrid_ = new QTableWidget(0, 3, this);
  fileStringGrid_->setObjectName("FileStringGrid");
  fileStringGrid_->setHorizontalHeaderLabels({"file", "Station", "Country"});
  fileStringGrid_->verticalHeader()->hide();
  fileStringGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  fileStringGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
  fileStringGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Tab leaves the list for the buttons; the arrows move in it.
  fileStringGrid_->setTabKeyNavigation(false);
  fileStringGrid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  fileStringGrid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

  auto* selected = Group("SelectedFileBox", " selected file ", this);
  selectedFileEdit_ = LineEdit("SelectedFileEdit", selected);
  selectedFileEdit_->setReadOnly(true);
  selectedFileEdit_->setFocusPolicy(Qt::NoFocus);
  auto* selectedLayout = new QVBoxLayout(selected);
  selectedLayout->addWidget(selectedFileEdit_);

  mainMenuButton_ = Button("MainMenuButton", "Select and Main menu", this);
  copyButton_ = Button("CopyButton", "  Copy file", this);
  deleteButton_ = Button("DeleteButton", "Delete file", this);
  characteristicsButton_ =
      Button("CharacteristicsButton", "Display Station characteristics", this);
  dataButton_ = Button("DataButton", "  Display Data characteristics", this);
  cancelButton_ = Button("CancelButton", "Cancel", this);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(selected);
  buttons->addWidget(mainMenuButton_);
  buttons->addSpacing(12);
  buttons->addWidget(copyButton_);
  buttons->addWidget(deleteButton_);
  buttons->addSpacing(12);
  buttons->addWidget(characteristicsButton_);
  buttons->addWidget(dataButton_);
  buttons->addStretch(1);
  buttons->addWidget(cancelButton_);

  auto* list = new QVBoxLayout;
  list->addWidget(new QLabel("Select a data file from list", this));
  list->addWidget(fileStringGrid_, 1);

  auto* layout = new QGridLayout(this);
  layout->addLayout(path, 0, 0, 1, 2);
  layout->addLayout(list, 1, 0);
  layout->addLayout(buttons, 1, 1);
  layout->setColumnStretch(0, 1);

  connect(fileStringGrid_, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int, int) { FileStringGridClick(row); });
  connect(fileStringGrid_, &QTableWidget::cellClicked, this,
          [this](int row, int) { FileStringGridClick(row); });
  connect(fileStringGrid_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { FileStringGridDblClick(row); });
  connect(mainMenuButton_, &QPushButton::clicked, this, &TSelectMenu::MainMenuButtonClick);
  connect(copyButton_, &QPushButton::clicked, this, &TSelectMenu::CopyButtonClick);
  connect(deleteButton_, &QPushButton::clicked, this, &TSelectMenu::DeleteButtonClick);
  connect(characteristicsButton_, &QPushButton::clicked, this,
          &TSelectMenu::CharacteristicsButtonClick);
  connect(dataButton_, &QPushButton::clicked, this, &TSelectMenu::DataButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  // Enter on a station of the list selects it; Cancel loses nothing.
  SetUpKeys(*this, mainMenuButton_, EscapeKey::Closes);
  resize(640, 420);
}

void TSelectMenu::FormActivate() {
  pathLabel_->setText(FileNameText(state_.DataFolder));
  ReloadFileList();
  BackToTheList();
}

void TSelectMenu::ReloadFileList() {
  std::vector<StationEntry> stations;
  if (Status s = ListStations(state_.DataFolder, stations); !s) ShowMessage(s.Message);
  stations_ = std::move(stations);
  candidate_ = state_.Station.FileName;
  FillGrid();
}

void TSelectMenu::FillGrid() {
  suppressClicks_ = true;
  fileStringGrid_->clearContents();
  fileStringGrid_->setRowCount(static_cast<int>(stations_.size()));
  for (std::size_t i = 0; i < stations_.size(); ++i) {
    const StationEntry& entry = stations_[i];
    const int row = static_cast<int>(i);
    fileStringGrid_->setItem(row, 0, new QTableWidgetItem(FileNameText(entry.File)));
    fileStringGrid_->setItem(row, 1, new QTableWidgetItem(FromCp1252(entry.StationName)));
    fileStringGrid_->setItem(row, 2, new QTableWidgetItem(FromCp1252(entry.Country)));
  }
  const bool listed = !stations_.empty();
  for (QWidget* control :
       {static_cast<QWidget*>(fileStringGrid_), static_cast<QWidget*>(deleteButton_),
        static_cast<QWidget*>(copyButton_), static_cast<QWidget*>(characteristicsButton_),
        static_cast<QWidget*>(dataButton_), static_cast<QWidget*>(mainMenuButton_)}) {
    control->setEnabled(listed);
  }
  SetCandidate(InitialCandidate(stations_, candidate_));
  // The cursor stops on the candidate's row, found without regard to letter case.
  const int row = CursorRow(stations_, candidate_);
  if (row >= 0) {
    fileStringGrid_->setCurrentCell(row, 0);
    fileStringGrid_->scrollToItem(fileStringGrid_->item(row, 0));
  }
  suppressClicks_ = false;
}

void TSelectMenu::SetCandidate(const std::string& name) {
  candidate_ = name;
  selectedFileEdit_->setText(FileNameText(candidate_));
}

bool TSelectMenu::Choose(const std::string& name, OutputNameRule rule) {
  if (Status s = ChooseStation(state_.DataFolder, name, rule, state_.Station); !s) {
    ShowMessage(s.Message);
    return false;
  }
  return true;
}

void TSelectMenu::FileStringGridClick(int row) {
  if (suppressClicks_ || row < 0 || row >= static_cast<int>(stations_.size())) return;
  SetCandidate(stations_[static_cast<std::size_t>(row)].File);
}

void TSelectMenu::FileStringGridDblClick(int row) {
  if (row < 0 || row >= static_cast<int>(stations_.size())) return;
  if (Choose(stations_[static_cast<std::size_t>(row)].File, OutputNameRule::SetToFileName)) {
    accept();
  }
}

void TSelectMenu::MainMenuButtonClick() {
  if (candidate_.empty()) {
    reject();
    return;
  }
  if (Choose(candidate_, OutputNameRule::SetToFileName)) accept();
}

void TSelectMenu::CopyButtonClick() {
  if (candidate_.empty()) return;
  if (!Choose(candidate_, OutputNameRule::Keep)) return;
  const bool copied = navigator_.OpenCopyMenu();
  ReloadFileList();
  if (copied) {
    accept();
  } else {
    BackToTheList();
  }
}

// After a button's form or question the focus goes back to the list, so that Enter chooses
// a station again instead of repeating the button.
void TSelectMenu::BackToTheList() {
  if (fileStringGrid_->isEnabled()) fileStringGrid_->setFocus(Qt::OtherFocusReason);
  mainMenuButton_->setDefault(true);
}

void TSelectMenu::DeleteButtonClick() {
  if (candidate_.empty()) return;
  // The name is a name of the file system inside a text of the program.
  const QString question = FromCp1252(DeleteQuestion("%1")).arg(FileNameText(candidate_));
  if (!AskYesNo(question)) {
    BackToTheList();
    return;
  }
  const DeleteResult result = DeleteStation(state_.DataFolder, candidate_, state_.Station);
  if (!result.Result) ShowMessage(result.Result.Message);
  if (!result.Notice.empty()) ShowMessage(result.Notice);
  ReloadFileList();
  BackToTheList();
}

void TSelectMenu::CharacteristicsButtonClick() {
  if (candidate_.empty()) return;
  if (!Choose(candidate_, OutputNameRule::Keep)) return;
  navigator_.OpenCharacteristicsMenu();
  BackToTheList();
}

void TSelectMenu::DataButtonClick() {
  if (candidate_.empty()) return;
  if (!Choose(candidate_, OutputNameRule::Keep)) return;
  navigator_.OpenDataForm();
  BackToTheList();
}

}  // namespace vernoli
