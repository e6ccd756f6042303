#include "app/TPathMenu.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "kit/folderbrowser.h"
#include "kit/formkit.h"
#include "kit/messages.h"
#include "stations/appstate.h"

namespace vernoli {

TPathMenu::TPathMenu(AppState& state, QWidget* parent) : ActivatedForm(parent), state_(state) {
  setObjectName("PathMenu");
  setWindowTitle(" Path menu");
  // No close box: "OK" is the only way out.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);

  folders_ = new FolderBrowser("DriveComboBox1", "DirectoryListBox1", "PathNameLabel", this);

  okButton_ = new QPushButton("OK", this);
  okButton_->setObjectName("OKButton");
  okButton_->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(folders_, 1);
  layout->addWidget(okButton_, 0, Qt::AlignRight);

  connect(okButton_, &QPushButton::clicked, this, &TPathMenu::OKButtonClick);
  resize(420, 420);
}

void TPathMenu::FormActivate() {
  rememberedFolder_ = state_.DataFolder;
  if (Status s = CheckDataFolder(state_.DataFolder); !s) ShowMessage(s.Message);
  SetDirectory(FileNameText(state_.DataFolder));
  folders_->Tree()->setFocus();
}

QString TPathMenu::Directory() const { return folders_->Directory(); }

void TPathMenu::SetDirectory(const QString& folder) { folders_->SetDirectory(folder); }

void TPathMenu::OKButtonClick() {
  std::string folder = FileNameOf(Directory());
  if (folder.empty() || folder.back() != '/') folder += '/';
  state_.DataFolder = folder;
  // A station of another folder is no longer selected; the comparison is exact, letter case
  // included.
  if (folder != rememberedFolder_) ClearSelection(state_);
  if (Status s = CheckDataFolder(folder); !s) ShowMessage(s.Message);
  accept();
}

}  // namespace vernoli
