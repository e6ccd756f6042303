// The start screen: the program's main form. Closing it ends the program.
#pragma once

#include <QWidget>
#include <functional>

class QFrame;
class QPushButton;

namespace vernoli {

class TFormAbout;

class TLogoMenu : public QWidget {
  Q_OBJECT
 public:
  explicit TLogoMenu(QWidget* parent = nullptr);

  // Hook for the main menu: shown modally by "Start program".
  void SetStartAction(std::function<void()> action);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FormActivate();
  void StartButtonClick();
  void AboutButtonClick();
  void PlaceControls();

  QFrame* etoPanel_;
  QPushButton* aboutButton_;
  QPushButton* startButton_;
  QPushButton* closeButton_;
  QFrame* infoPanel_;
  TFormAbout* about_;
  std::function<void()> startAction_;
};

}  // namespace vernoli
