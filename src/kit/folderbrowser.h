// A drive list, a folder tree bound to it and a label that always shows the folder chosen in the
// tree. The path form moves the data folder with it, the import form the import folder, the
// export page the output folder.
#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace vernoli {

class FolderBrowser : public QWidget {
  Q_OBJECT
 public:
  // The controls are named `driveName`, `treeName` and `labelName`.
  FolderBrowser(const QString& driveName, const QString& treeName, const QString& labelName,
                QWidget* parent = nullptr);

  // The folder chosen in the tree (no '/' at the end, except for the root).
  QString Directory() const { return directory_; }
  // Opens `folder` (or its nearest existing parent) in the tree: its parents above it, its
  // subfolders below it. Does not signal.
  void SetDirectory(const QString& folder);

  QComboBox* DriveBox() const { return driveBox_; }
  QTreeWidget* Tree() const { return tree_; }
  QLabel* PathLabel() const { return pathLabel_; }

 signals:
  // The user chose another folder with the drive list or the tree.
  void FolderChosen(const QString& folder);

 private:
  void DriveChosen(int index);
  void ItemActivated(QTreeWidgetItem* item);

  QString directory_;
  QComboBox* driveBox_;
  QTreeWidget* tree_;
  QLabel* pathLabel_;
};

}  // namespace vernoli
