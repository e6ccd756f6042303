#include "app/TLogoMenu.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/TFormAbout.h"
#include "kit/formkit.h"
#include "kit/modal.h"

namespace vernoli {

TLogoMenu::TLogoMenu(QWidget* parent) : QWidget(parent) {
  setObjectName("LogoMenu");
  setWindowTitle(" Welcome ");

  etoPanel_ = new QFrame(this);
  etoPanel_->setObjectName("EToPanel");
  etoPanel_->setFrameShape(QFrame::StyledPanel);
  auto* title = Label("TitleLabel", "Vernoli", etoPanel_);
  QFont big = title->font();
  big.setPointSize(36);
  big.setBold(true);
  title->setFont(big);
  title->setAlignment(Qt::AlignCenter);
  auto* subtitle = Label("SubtitleLabel", "Evapotranspiration from a reference surface", etoPanel_);
  subtitle->setAlignment(Qt::AlignCenter);
  aboutButton_ = new QPushButton("About", etoPanel_);
  aboutButton_->setObjectName("AboutButton");
  auto* panelLayout = new QVBoxLayout(etoPanel_);
  panelLayout->addWidget(title);
  panelLayout->addWidget(subtitle);
  panelLayout->addWidget(aboutButton_, 0, Qt::AlignCenter);

  startButton_ = new QPushButton("Start program", this);
  startButton_->setObjectName("StartButton");
  closeButton_ = new QPushButton("Close program", this);
  closeButton_->setObjectName("CloseButton");

  infoPanel_ = new QFrame(this);
  infoPanel_->setObjectName("InfoPanel");
  infoPanel_->setFrameShape(QFrame::StyledPanel);
  auto* info = Label("InfoLabel", "Vernoli - made by the Vernoli developers", infoPanel_);
  info->setAlignment(Qt::AlignCenter);
  auto* infoLayout = new QVBoxLayout(infoPanel_);
  infoLayout->addWidget(info);

  about_ = new TFormAbout(this);

  // Enter presses the button with the focus ("Start program" at first).
  for (QPushButton* button : {aboutButton_, startButton_, closeButton_}) {
    button->setAutoDefault(true);
  }
  // Reading order: the title panel's "About" comes first.
  setTabOrder(aboutButton_, startButton_);
  setTabOrder(startButton_, closeButton_);

  connect(aboutButton_, &QPushButton::clicked, this, &TLogoMenu::AboutButtonClick);
  connect(startButton_, &QPushButton::clicked, this, &TLogoMenu::StartButtonClick);
  connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
  resize(800, 600);
}

void TLogoMenu::SetStartAction(std::function<void()> action) { startAction_ = std::move(action); }

void TLogoMenu::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormActivate();
}

void TLogoMenu::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceControls();
}

void TLogoMenu::FormActivate() {
  PlaceControls();
  startButton_->setFocus();
}

// Centred horizontally: the title 1% from the top, "Start program" just above the middle,
// "Close program" just below it, the information panel ending at 80% of the height.
void TLogoMenu::PlaceControls() {
  const int w = width();
  const int h = height();
  const QSize panel = etoPanel_->sizeHint().expandedTo(QSize(420, 0));
  etoPanel_->setGeometry((w - panel.width()) / 2, h / 100, panel.width(), panel.height());
  const QSize button(220, 36);
  startButton_->setGeometry((w - button.width()) / 2, h / 2 - button.height() - 4, button.width(),
                            button.height());
  closeButton_->setGeometry((w - button.width()) / 2, h / 2 + 4, button.width(), button.height());
  const QSize info = infoPanel_->sizeHint().expandedTo(QSize(420, 0));
  infoPanel_->setGeometry((w - info.width()) / 2, h * 8 / 10 - info.height(), info.width(),
                          info.height());
}

void TLogoMenu::StartButtonClick() {
  if (startAction_) {
    startAction_();
    close();
  }
}

void TLogoMenu::AboutButtonClick() { ShowModal(*about_); }

}  // namespace vernoli
