#include "app/TPathMenu.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/formkit.h"
#include "app/messages.h"

namespace vernoli {

namespace {

constexpr int kPathRole = Qt::UserRole;

QString WithoutTrailingSlash(QString folder) {
  while (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
  return folder;
}

// The folder itself when it exists, else its nearest existing parent.
QString ExistingFolder(QString folder) {
  folder = QDir::cleanPath(QDir(folder).absolutePath());
  while (!QFileInfo(folder).isDir()) {
    const QString parent = QFileInfo(folder).path();
    if (parent == folder) return QDir::rootPath();
    folder = parent;
  }
  return folder;
}

}  // namespace

TPathMenu::TPathMenu(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
  setObjectName("PathMenu");
  setWindowTitle(" Path menu");
  // No close box: "OK" is the only way out.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);

  driveComboBox1_ = new QComboBox(this);
  driveComboBox1_->setObjectName("DriveComboBox1");
  for (const QFileInfo& drive : QDir::drives()) driveComboBox1_->addItem(drive.absoluteFilePath());

  directoryListBox1_ = new QTreeWidget(this);
  directoryListBox1_->setObjectName("DirectoryListBox1");
  directoryListBox1_->setHeaderHidden(true);
  directoryListBox1_->setRootIsDecorated(false);
  directoryListBox1_->setIndentation(14);
  directoryListBox1_->setItemsExpandable(false);

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
  connect(directoryListBox1_, &QTreeWidget::itemActivated, this,
          &TPathMenu::DirectoryListBox1Activated);
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

void TPathMenu::SetDirectory(const QString& folder) {
  directory_ = WithoutTrailingSlash(ExistingFolder(folder));
  pathNameLabel_->setText(directory_);

  // The drive holding the folder.
  for (int i = 0; i < driveComboBox1_->count(); ++i) {
    if (directory_.startsWith(driveComboBox1_->itemText(i))) driveComboBox1_->setCurrentIndex(i);
  }

  // The chain of parents from the root down to the folder, then its subfolders.
  directoryListBox1_->clear();
  QStringList chain;
  for (QString path = directory_;; path = QFileInfo(path).path()) {
    chain.prepend(path);
    if (QFileInfo(path).path() == path) break;
  }
  QTreeWidgetItem* parent = nullptr;
  for (const QString& path : chain) {
    const QString name = QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName();
    auto* item = parent == nullptr ? new QTreeWidgetItem(directoryListBox1_, {name})
                                   : new QTreeWidgetItem(parent, {name});
    item->setData(0, kPathRole, path);
    item->setExpanded(true);
    parent = item;
  }
  const QDir dir(directory_);
  for (const QString& sub :
       dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
    auto* item = new QTreeWidgetItem(parent, {sub});
    item->setData(0, kPathRole, dir.filePath(sub));
  }
  parent->setExpanded(true);
  directoryListBox1_->setCurrentItem(parent);
}

void TPathMenu::DriveComboBox1Change(int index) {
  SetDirectory(driveComboBox1_->itemText(index));
}

void TPathMenu::DirectoryListBox1Activated(QTreeWidgetItem* item) {
  if (item != nullptr) SetDirectory(item->data(0, kPathRole).toString());
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
