#include "app/TMainMenu.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/navigator.h"
#include "kit/picturebutton.h"
#include "kit/text.h"
#include "stations/appstate.h"

namespace vernoli {

namespace {

constexpr int kPictureSize = 48;

// A stack of file cards: the picture beside "Select a data file".
QImage FilesPicture() {
  QImage image(kPictureSize, kPictureSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int i = 2; i >= 0; --i) {
    const QRectF card(6 + 5 * i, 4 + 5 * i, 28, 34);
    painter.setPen(QPen(QColor(40, 70, 120), 1.5));
    painter.setBrush(i == 0 ? QColor(250, 250, 240) : QColor(210, 222, 240));
    painter.drawRect(card);
  }
  painter.setPen(QPen(QColor(90, 110, 140), 1.2));
  for (int line = 0; line < 4; ++line) {
    const double y = 13 + 6 * line;
    painter.drawLine(QPointF(11, y), QPointF(29, y));
  }
  return image;
}

// A sun above a drop of water: the picture beside "Vernoli".
QImage EToPicture() {
  QImage image(kPictureSize, kPictureSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(220, 140, 0), 2));
  painter.setBrush(QColor(255, 200, 40));
  painter.drawEllipse(QPointF(16, 15), 8, 8);
  for (int ray = 0; ray < 8; ++ray) {
    painter.save();
    painter.translate(16, 15);
    painter.rotate(45.0 * ray);
    painter.drawLine(QPointF(11, 0), QPointF(14, 0));
    painter.restore();
  }
  QPainterPath drop;
  drop.moveTo(33, 18);
  drop.cubicTo(40, 30, 44, 34, 44, 38);
  drop.cubicTo(44, 44, 38, 46, 33, 46);
  drop.cubicTo(28, 46, 22, 44, 22, 38);
  drop.cubicTo(22, 34, 26, 30, 33, 18);
  painter.setPen(QPen(QColor(20, 80, 160), 1.5));
  painter.setBrush(QColor(80, 150, 230));
  painter.drawPath(drop);
  return image;
}

}  // namespace

TMainMenu::TMainMenu(AppState& state, Navigator& navigator, QWidget* parent)
    : ActivatedForm(parent), state_(state), navigator_(navigator) {
  SetUpForm(*this, "MainMenu", " Main menu");

  // Data base management.
  auto* dataBasePanel = Group("DataBasePanel", "Data base management", this);
  pathButton_ = Button("PathButton", "Path", dataBasePanel);
  selectButton_ = Button("SelectButton", "         Select a data file         ", dataBasePanel);
  image2_ = new PictureButton("Image2", FilesPicture(), dataBasePanel);
  createButton_ = Button("CreateButton", "Create a new file", dataBasePanel);
  importButton_ = Button("ImportButton", "Import climatic data from file", dataBasePanel);
  auto* dataBaseLayout = new QGridLayout(dataBasePanel);
  dataBaseLayout->addWidget(pathButton_, 0, 1);
  dataBaseLayout->addWidget(image2_, 1, 0);
  dataBaseLayout->addWidget(selectButton_, 1, 1);
  dataBaseLayout->addWidget(createButton_, 2, 1);
  dataBaseLayout->addWidget(importButton_, 3, 1);
  dataBaseLayout->setRowStretch(4, 1);

  // Selected climatic station.
  auto* selectedFilePanel = Group("SelectedFilePanel", "Selected climatic station", this);
  fileNameEdit_ = LineEdit("FileNameEdit", selectedFilePanel);
  fileNameEdit_->setReadOnly(true);
  fileNameEdit_->setFocusPolicy(Qt::NoFocus);
  labelStat_ = Label("LabelStat", "Station", selectedFilePanel);
  stationLabel_ = Label("StationLabel", QString(), selectedFilePanel);
  labelCont_ = Label("LabelCont", "Country", selectedFilePanel);
  countryLabel_ = Label("CountryLabel", QString(), selectedFilePanel);
  characteristicsButton_ =
      Button("CharacteristicsButton", "Station characteristics", selectedFilePanel);
  dataRangeButton_ = Button("DataRangeButton", "Data range", selectedFilePanel);
  limitsButton_ = Button("LimitsButton", "Data limits", selectedFilePanel);
  dataCharacButton_ = Button("DataCharacButton", "Meteorological data", selectedFilePanel);
  auto* selectedLayout = new QGridLayout(selectedFilePanel);
  selectedLayout->addWidget(Label("LabelFile", "File", selectedFilePanel), 0, 0);
  selectedLayout->addWidget(fileNameEdit_, 0, 1, 1, 3);
  selectedLayout->addWidget(labelStat_, 1, 0);
  selectedLayout->addWidget(stationLabel_, 1, 1, 1, 3);
  selectedLayout->addWidget(labelCont_, 2, 0);
  selectedLayout->addWidget(countryLabel_, 2, 1, 1, 3);
  selectedLayout->addWidget(Label("LabelUpdate", "Update ", selectedFilePanel), 3, 0);
  selectedLayout->addWidget(characteristicsButton_, 3, 1);
  selectedLayout->addWidget(dataRangeButton_, 3, 2);
  selectedLayout->addWidget(limitsButton_, 3, 3);
  selectedLayout->addWidget(Label("LabelDisplay", "Display ", selectedFilePanel), 4, 0);
  selectedLayout->addWidget(dataCharacButton_, 4, 1);
  selectedLayout->setColumnStretch(1, 1);
  selectedLayout->setColumnStretch(2, 1);
  selectedLayout->setColumnStretch(3, 1);

  // ETo calculation.
  auto* etoPanel = Group("EToPanel", "ETo calculation", this);
  etoButton_ = Button("EToButton", "Vernoli", etoPanel);
  QFont big = etoButton_->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  etoButton_->setFont(big);
  etoButton_->setMinimumHeight(44);
  imageETo_ = new PictureButton("ImageETo", EToPicture(), etoPanel);
  auto* etoTexts = new QVBoxLayout;
  etoTexts->addWidget(Label("LabelUpdateData", "Update meteorological data", etoPanel));
  etoTexts->addWidget(Label("LabelCalculate", "Calculate ETo", etoPanel));
  auto* etoLayout = new QHBoxLayout(etoPanel);
  etoLayout->addLayout(etoTexts);
  etoLayout->addStretch(1);
  etoLayout->addWidget(imageETo_);
  etoLayout->addWidget(etoButton_, 2);

  // Exit.
  auto* panel1 = new QFrame(this);
  panel1->setObjectName("Panel1");
  exitButton_ = Button("ExitButton", "Exit Program", panel1);
  auto* exitLayout = new QHBoxLayout(panel1);
  exitLayout->setContentsMargins(0, 0, 0, 0);
  exitLayout->addStretch(1);
  exitLayout->addWidget(exitButton_);

  auto* layout = new QGridLayout(this);
  layout->addWidget(dataBasePanel, 0, 0);
  layout->addWidget(selectedFilePanel, 0, 1);
  layout->addWidget(etoPanel, 1, 0, 1, 2);
  layout->addWidget(panel1, 2, 0, 1, 2);
  layout->setColumnStretch(1, 1);

  connect(pathButton_, &QPushButton::clicked, this, &TMainMenu::PathButtonClick);
  connect(selectButton_, &QPushButton::clicked, this, &TMainMenu::SelectButtonClick);
  connect(image2_, &PictureButton::Click, this, &TMainMenu::SelectButtonClick);
  connect(createButton_, &QPushButton::clicked, this, &TMainMenu::CreateButtonClick);
  connect(importButton_, &QPushButton::clicked, this, &TMainMenu::ImportButtonClick);
  connect(characteristicsButton_, &QPushButton::clicked, this,
          &TMainMenu::CharacteristicsButtonClick);
  connect(dataRangeButton_, &QPushButton::clicked, this, &TMainMenu::DataRangeButtonClick);
  connect(limitsButton_, &QPushButton::clicked, this, &TMainMenu::LimitsButtonClick);
  connect(dataCharacButton_, &QPushButton::clicked, this, &TMainMenu::DataCharacButtonClick);
  connect(etoButton_, &QPushButton::clicked, this, &TMainMenu::EToButtonClick);
  connect(imageETo_, &PictureButton::Click, this, &TMainMenu::EToButtonClick);
  connect(exitButton_, &QPushButton::clicked, this, &TMainMenu::ExitButtonClick);
  // Enter presses the button with the focus. Escape would close the menu, and so end the
  // program, without asking: only "Exit Program" and the close box end it.
  SetUpKeys(*this, nullptr, EscapeKey::Ignored);
  resize(720, 360);
}

void TMainMenu::FormActivate() {
  Refresh();
  selectButton_->setFocus();
}

void TMainMenu::Refresh() {
  const bool selected = HasSelection(state_);
  // The file name is a name of the file system; station name and country are texts of the file.
  const QString fileName = FileNameText(state_.Station.FileName);
  fileNameEdit_->setText(selected ? fileName : QString(" None"));
  labelStat_->setVisible(selected);
  labelCont_->setVisible(selected);
  RefreshLabels();
  for (QWidget* control : {static_cast<QWidget*>(etoButton_), static_cast<QWidget*>(imageETo_),
                           static_cast<QWidget*>(characteristicsButton_),
                           static_cast<QWidget*>(dataCharacButton_),
                           static_cast<QWidget*>(dataRangeButton_),
                           static_cast<QWidget*>(limitsButton_)}) {
    control->setEnabled(selected);
  }
}

void TMainMenu::RefreshLabels() {
  stationLabel_->setText(FromCp1252(state_.Station.StationName));
  countryLabel_->setText(FromCp1252(state_.Station.Country));
}

void TMainMenu::PathButtonClick() {
  navigator_.OpenPathMenu();
  Refresh();
}

void TMainMenu::SelectButtonClick() {
  navigator_.OpenSelectMenu();
  Refresh();
  if (etoButton_->isEnabled()) {
    etoButton_->setFocus();
  } else {
    selectButton_->setFocus();
  }
}

void TMainMenu::CreateButtonClick() {
  navigator_.OpenCreateMenu();
  Refresh();
}

void TMainMenu::ImportButtonClick() {
  navigator_.OpenImportMenu();
  Refresh();
}

void TMainMenu::CharacteristicsButtonClick() {
  navigator_.OpenUpdateStationMenu();
  // A changed station name or country shows at once.
  RefreshLabels();
}

void TMainMenu::DataRangeButtonClick() { navigator_.OpenUpdateRangeMenu(); }

void TMainMenu::LimitsButtonClick() {
  // From here "Save and Close" also writes the station description file.
  navigator_.OpenLimitsForm(state_.Station, true);
}

void TMainMenu::DataCharacButtonClick() { navigator_.OpenDataForm(); }

void TMainMenu::EToButtonClick() {
  // "Cancel" enabled, the description page in front.
  navigator_.OpenWorkspace(true);
}

void TMainMenu::ExitButtonClick() {
  if (AskYesNo(QString("Exit Vernoli ?"))) accept();
}

}  // namespace vernoli
