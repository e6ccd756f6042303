#include "app/TPathMenu.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/folderlist.h"
#include "app/formkit.h"
#include "app/messages.h"

namespace vernoli {

TPathMenu::TPathMenu(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
  setObjectName("PathMenu");
  setWindowTitle(" Path menu");
  // No close box: "OK" is the only way out.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);

  driveComboBox1_ = new QComboBox(this);
  driveComboBox1_->setObjectName("DriveComboBox1");
  for (const QFileInfo& drive : QDir::drives()) driveComboBox1_->addItem(drive.absoluteFilePath());

  directoryListBox1_ = new FolderList("DirectoryListBox1", this);

  pathNameLabel_ = Label("PathNameLabel", QString(), this);
  pathNameLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  okButton_ = new QPushButton("OK", this);
  okButton_->setObjectName("OKButton");
  okButton_->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(driveComboBox1_);
  layout->addWidget(directoryListBox1_, 1);
  layout->addWidget(pathNameLabel_);
  layout->addWidget(okButton_, 0, Qt::AlignRight);

  connect(driveComboBox1_, &QComboBox::activated, this, &TPathMenu::DriveComboBox1Change);
  connect(directoryListBox1_, &FolderList::DirectoryChanged, this,
          &TPathMenu::DirectoryListBox1Change);
  connect(okButton_, &QPushButton::clicked, this, &TPathMenu::OKButtonClick);
  resize(420, 420);
}

void TPathMenu::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void TPathMenu::FormActivate() {
  rememberedFolder_ = state_.DataFolder;
  if (Status s = CheckDataFolder(state_.DataFolder); !s) ShowMessage(s.Message);
  SetDirectory(FileNameText(state_.DataFolder));
  directoryListBox1_->setFocus();
}

void TPathMenu::SetDirectory(const QString& folder) { directoryListBox1_->SetDirectory(folder); }

void TPathMenu::DirectoryListBox1Change(const QString& folder) {
  directory_ = folder;
  pathNameLabel_->setText(directory_);
  // The drive holding the folder.
  for (int i = 0; i < driveComboBox1_->count(); ++i) {
    if (directory_.startsWith(driveComboBox1_->itemText(i))) driveComboBox1_->setCurrentIndex(i);
  }
}

void TPathMenu::DriveComboBox1Change(int index) {
  SetDirectory(driveComboBox1_->itemText(index));
}

void TPathMenu::OKButtonClick() {
  std::string folder = FileNameOf(directory_);
  if (folder.empty() || folder.back() != '/') folder += '/';
  state_.DataFolder = folder;
  // A station of another folder is no longer selected; the comparison is exact, letter case
  // included.
  if (folder != rememberedFolder_) ClearSelection(state_);
  if (Status s = CheckDataFolder(folder); !s) ShowMessage(s.Message);
  accept();
}

}  // namespace vernoli
