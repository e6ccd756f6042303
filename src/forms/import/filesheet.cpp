#include "forms/import/filesheet.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "import/scan.h"
#include "kit/folderbrowser.h"
#include "kit/formkit.h"

namespace vernoli {

namespace {

// The picture beside the name of a database: a small globe.
QPixmap Logo() {
  QPixmap pixmap(40, 40);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(20, 60, 140), 2));
  painter.setBrush(QColor(120, 170, 230));
  painter.drawEllipse(3, 3, 34, 34);
  painter.drawLine(3, 20, 37, 20);
  painter.drawEllipse(12, 3, 16, 34);
  return pixmap;
}

}  // namespace

FileSheet::FileSheet(QWidget* parent) : QWidget(parent) {
  setObjectName("FileSheet");

  auto* kindBox = Group("KindBox", " File type ", this);
  radioText_ = Radio("RadioText", "Free format text file (*.CXT files)", kindBox);
  radioHydrolex_ = Radio("RadioHydrolex", "Hydrolex file (*.PEN files)", kindBox);
  radioMeteorix_ = Radio("RadioMeteorix", "Meteorix 2 file (*.DAT files)", kindBox);
  radioDelimited_ = Radio("RadioDelimited", "delimited text (*.csv, *.txt)", kindBox);
  labelSoft_ = Label("LabelSoft", QString(), kindBox);
  QFont big = labelSoft_->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.4);
  labelSoft_->setFont(big);
  imageSoft_ = Label("ImageSoft", QString(), kindBox);
  imageSoft_->setPixmap(Logo());
  auto* kindLayout = new QGridLayout(kindBox);
  kindLayout->addWidget(radioText_, 0, 0);
  kindLayout->addWidget(radioHydrolex_, 1, 0);
  kindLayout->addWidget(radioMeteorix_, 2, 0);
  kindLayout->addWidget(radioDelimited_, 3, 0);
  kindLayout->addWidget(imageSoft_, 0, 1, 4, 1);
  kindLayout->addWidget(labelSoft_, 0, 2, 4, 1);
  kindLayout->setColumnStretch(2, 1);

  auto* folderBox = Group("FolderBox", " Folder ", this);
  folders_ = new FolderBrowser("DriveComboBox1", "DirectoryListBoxINPUT", "PathNameLabel", folderBox);
  // Enter in the tree opens the folder; it does not press "Import".
  EnterActivates(folders_->Tree());
  auto* folderLayout = new QVBoxLayout(folderBox);
  folderLayout->addWidget(folders_);

  auto* fileBox = Group("FileBox", " File ", this);
  fileStringGrid_ = new QTableWidget(0, 1, fileBox);
  fileStringGrid_->setObjectName("FileStringGrid");
  fileStringGrid_->verticalHeader()->hide();
  fileStringGrid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  fileStringGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  fileStringGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
  fileStringGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  fileInfoLabel_ = Label("FileInfoLabel", QString(), fileBox);
  fileInfoLabel_->setWordWrap(true);
  selectedFileEdit_ = ReadOnlyEdit("SelectedFileEdit", fileBox);
  auto* fileLayout = new QVBoxLayout(fileBox);
  fileLayout->addWidget(fileInfoLabel_);
  fileLayout->addWidget(fileStringGrid_, 1);
  fileLayout->addWidget(Text("Selected file", fileBox));
  fileLayout->addWidget(selectedFileEdit_);

  infoImportFilePanel_ = Group("InfoImportFilePanel", "Information on selected file", this);
  nrLinesLabel_ = BoldLabel("NrLinesLabel", infoImportFilePanel_);
  nrColumsLabel_ = BoldLabel("NrColumsLabel", infoImportFilePanel_);
  checkLineLabel_ = BoldLabel("CheckLineLabel", infoImportFilePanel_);
  // A reason naming a file, its line and what would be accepted is long: it wraps rather than
  // widen the form past the screen.
  for (QLabel* label : {nrLinesLabel_, nrColumsLabel_, checkLineLabel_}) label->setWordWrap(true);
  // The page keeps its layout whether the panel shows or not.
  QSizePolicy keep = infoImportFilePanel_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  infoImportFilePanel_->setSizePolicy(keep);
  auto* infoLayout = new QVBoxLayout(infoImportFilePanel_);
  infoLayout->addWidget(nrLinesLabel_);
  infoLayout->addWidget(nrColumsLabel_);
  infoLayout->addWidget(checkLineLabel_);

  auto* layout = new QGridLayout(this);
  layout->addWidget(kindBox, 0, 0, 1, 2);
  layout->addWidget(folderBox, 1, 0);
  layout->addWidget(fileBox, 1, 1);
  layout->addWidget(infoImportFilePanel_, 2, 0, 1, 2);
  layout->setRowStretch(1, 1);
  layout->setColumnStretch(0, 1);
  layout->setColumnStretch(1, 1);

  connect(radioText_, &QRadioButton::clicked, this, [this] { emit KindChosen(0); });
  connect(radioHydrolex_, &QRadioButton::clicked, this, [this] { emit KindChosen(1); });
  connect(radioMeteorix_, &QRadioButton::clicked, this, [this] { emit KindChosen(2); });
  connect(radioDelimited_, &QRadioButton::clicked, this, [this] { emit KindChosen(3); });
  connect(fileStringGrid_, &QTableWidget::cellClicked, this,
          [this](int row, int) { FileClicked(row); });
  connect(fileStringGrid_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { FileClicked(row); });
  // Enter on a row of the list chooses it as a click does.
  EnterActivates(fileStringGrid_);
  connect(fileStringGrid_, &QTableWidget::cellActivated, this,
          [this](int row, int) { FileClicked(row); });
}

void FileSheet::ShowKind(int kind, const QString& softText) {
  QRadioButton* radios[] = {radioText_, radioHydrolex_, radioMeteorix_, radioDelimited_};
  radios[kind]->setChecked(true);
  labelSoft_->setText(softText);
  // Only the databases have a name and a logo.
  const bool database = kind == 1 || kind == 2;
  labelSoft_->setVisible(database);
  imageSoft_->setVisible(database);
}

void FileSheet::ShowFiles(const QStringList& names, const QString& info) {
  const QSignalBlocker blocker(fileStringGrid_);
  hasFiles_ = !names.isEmpty();
  fileStringGrid_->clearContents();
  fileStringGrid_->clearSelection();
  if (hasFiles_) {
    fileStringGrid_->setHorizontalHeaderLabels({Cp(kFileGridTitle)});
    fileStringGrid_->horizontalHeader()->show();
    fileStringGrid_->setRowCount(static_cast<int>(names.size()));
    for (int i = 0; i < names.size(); ++i) {
      fileStringGrid_->setItem(i, 0, new QTableWidgetItem(names[i]));
    }
  } else {
    fileStringGrid_->horizontalHeader()->hide();
    fileStringGrid_->setRowCount(1);
    fileStringGrid_->setItem(0, 0, new QTableWidgetItem(Cp(kFileGridEmpty)));
  }
  fileStringGrid_->setEnabled(hasFiles_);
  fileInfoLabel_->setText(info);
}

void FileSheet::ShowSelectedFile(const QString& name) { selectedFileEdit_->setText(name); }

void FileSheet::ShowInfo(bool visible) { infoImportFilePanel_->setVisible(visible); }

void FileSheet::SetInfo(const QString& lines, const QString& columns, const QString& checkLine) {
  nrLinesLabel_->setText(lines);
  nrColumsLabel_->setText(columns);
  checkLineLabel_->setText(checkLine);
}

void FileSheet::FileClicked(int row) {
  if (!hasFiles_ || row < 0 || row >= fileStringGrid_->rowCount()) return;
  emit FileChosen(fileStringGrid_->item(row, 0)->text());
}

}  // namespace vernoli
