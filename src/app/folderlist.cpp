#include "app/folderlist.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>

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

FolderList::FolderList(const QString& objectName, QWidget* parent) : QTreeWidget(parent) {
  setObjectName(objectName);
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setIndentation(14);
  setItemsExpandable(false);
  connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (item != nullptr) SetDirectory(item->data(0, kPathRole).toString());
  });
}

void FolderList::SetDirectory(const QString& folder) {
  directory_ = WithoutTrailingSlash(ExistingFolder(folder));

  // The chain of parents from the root down to the folder, then its subfolders.
  clear();
  QStringList chain;
  for (QString path = directory_;; path = QFileInfo(path).path()) {
    chain.prepend(path);
    if (QFileInfo(path).path() == path) break;
  }
  QTreeWidgetItem* parent = nullptr;
  for (const QString& path : chain) {
    const QString name = QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName();
    auto* item = parent == nullptr ? new QTreeWidgetItem(this, {name})
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
  setCurrentItem(parent);
  emit DirectoryChanged(directory_);
}

}  // namespace vernoli
