// The import form's page " File type  ": the kind of file, the folder, the file list and what
// the scan found in the chosen file.
#pragma once

#include <QStringList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace vernoli {

class FolderBrowser;

class FileSheet : public QWidget {
  Q_OBJECT
 public:
  explicit FileSheet(QWidget* parent = nullptr);

  // Checks the radio button of kind 0 (text), 1 (Hydrolex), 2 (Meteorix) or 3 (delimited text)
  // without signalling;
  // the database kinds show their name (and logo) in `softText`.
  void ShowKind(int kind, const QString& softText);
  FolderBrowser* Folders() const { return folders_; }

  // The file grid: the title row "file" over the names, or the single row "no files" and a
  // disabled grid when `names` is empty. `info` goes to FileInfoLabel.
  void ShowFiles(const QStringList& names, const QString& info);
  // The chosen file in SelectedFileEdit.
  void ShowSelectedFile(const QString& name);
  // The information panel and its three texts.
  void ShowInfo(bool visible);
  void SetInfo(const QString& lines, const QString& columns, const QString& checkLine);

  QRadioButton* RadioText() const { return radioText_; }

 signals:
  void KindChosen(int kind);
  void FileChosen(const QString& name);

 private:
  void FileClicked(int row);

  QRadioButton* radioText_;
  QRadioButton* radioHydrolex_;
  QRadioButton* radioMeteorix_;
  QRadioButton* radioDelimited_;
  QLabel* labelSoft_;
  QLabel* imageSoft_;
  FolderBrowser* folders_;
  QTableWidget* fileStringGrid_;
  QLabel* fileInfoLabel_;
  QLineEdit* selectedFileEdit_;
  QGroupBox* infoImportFilePanel_;
  QLabel* nrLinesLabel_;
  QLabel* nrColumsLabel_;
  QLabel* checkLineLabel_;
  bool hasFiles_ = false;
};

}  // namespace vernoli
