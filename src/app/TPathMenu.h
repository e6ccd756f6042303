// The path form: the user moves the data folder with a drive list and a folder tree.
// It has no close box: "OK" is the only way out.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;

namespace vernoli {

struct AppState;
class FolderList;

class TPathMenu : public QDialog {
  Q_OBJECT
 public:
  explicit TPathMenu(AppState& state, QWidget* parent = nullptr);

  // The folder chosen in the tree (no '/' at the end, except for the root).
  QString Directory() const { return directory_; }
  // Opens `folder` in the tree: its parents above it, its subfolders below it.
  void SetDirectory(const QString& folder);

  // Neither Escape nor the window manager closes the form.
  void reject() override {}

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();
  void DriveComboBox1Change(int index);
  void DirectoryListBox1Change(const QString& folder);
  void OKButtonClick();

  AppState& state_;
  std::string rememberedFolder_;  // the data folder when the form was opened
  QString directory_;

  QComboBox* driveComboBox1_;
  FolderList* directoryListBox1_;
  QLabel* pathNameLabel_;
  QPushButton* okButton_;
};

}  // namespace vernoli
