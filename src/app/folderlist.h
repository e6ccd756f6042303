// A folder list: the chain of folders from the root down to the open folder, then the open
// folder's subfolders. Activating an entry (double click, Enter) opens that folder.
#pragma once

#include <QString>
#include <QTreeWidget>

namespace vernoli {

class FolderList : public QTreeWidget {
  Q_OBJECT
 public:
  FolderList(const QString& objectName, QWidget* parent);

  // Opens `folder`, or its nearest existing parent when it does not exist.
  void SetDirectory(const QString& folder);
  // The open folder, without '/' at the end (except for the root).
  QString Directory() const { return directory_; }

 signals:
  void DirectoryChanged(const QString& folder);

 private:
  QString directory_;
};

}  // namespace vernoli
