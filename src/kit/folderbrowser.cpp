#include "kit/folderbrowser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "kit/formkit.h"

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

FolderBrowser::FolderBrowser(const QString& driveName, const QString& treeName,
                             const QString& labelName, QWidget* parent)
    : QWidget(parent) {
  driveBox_ = new QComboBox(this);
  driveBox_->setObjectName(driveName);
  for (const QFileInfo& drive : QDir::drives()) driveBox_->addItem(drive.absoluteFilePath());

  tree_ = new QTreeWidget(this);
  tree_->setObjectName(treeName);
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(false);
  tree_->setIndentation(14);
  tree_->setItemsExpandable(false);

  pathLabel_ = Label(labelName, QString(), this);
  pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(driveBox_);
  layout->addWidget(tree_, 1);
  layout->addWidget(pathLabel_);

  connect(driveBox_, &QComboBox::activated, this, &FolderBrowser::DriveChosen);
  connect(tree_, &QTreeWidget::itemActivated, this, &FolderBrowser::ItemActivated);
}

void FolderBrowser::SetDirectory(const QString& folder) {
  directory_ = WithoutTrailingSlash(ExistingFolder(folder));
  pathLabel_->setText(directory_);

  // The drive holding the folder.
  for (int i = 0; i < driveBox_->count(); ++i) {
    if (directory_.startsWith(driveBox_->itemText(i))) driveBox_->setCurrentIndex(i);
  }

  // The chain of parents from the root down to the folder, then its subfolders.
  tree_->clear();
  QStringList chain;
  for (QString path = directory_;; path = QFileInfo(path).path()) {
    chain.prepend(path);
    if (QFileInfo(path).path() == path) break;
  }
  QTreeWidgetItem* parent = nullptr;
  for (const QString& path : chain) {
    const QString name = QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName();
    auto* item = parent == nullptr ? new QTreeWidgetItem(tree_, {name})
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
  tree_->setCurrentItem(parent);
}

void FolderBrowser::DriveChosen(int index) {
  SetDirectory(driveBox_->itemText(index));
  emit FolderChosen(directory_);
}

void FolderBrowser::ItemActivated(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  SetDirectory(item->data(0, kPathRole).toString());
  emit FolderChosen(directory_);
}

}  // namespace vernoli
