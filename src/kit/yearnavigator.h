// The year navigation of a page that shows a data set one calendar year at a time: a panel with a
// "previous" and a "next" button, each captioned with the year it leads to. The workspace's data
// page and its plot page each have one; both show the session's year page.
#pragma once

#include <QFrame>

class QPushButton;

namespace vernoli {

struct YearPage;

class YearNavigator : public QFrame {
  Q_OBJECT
 public:
  // The panel `panelName` holding the buttons `previousName` and `nextName`, captioned
  // "< previous" and "next >" until the first Show.
  YearNavigator(const QString& panelName, const QString& previousName, const QString& nextName,
                QWidget* parent);

  // Visible while `open` and the set is shown a year at a time; the captions name the years, and
  // a button is enabled while there is a year on its side.
  void Show(const YearPage& page, bool open);

  QPushButton* PreviousButton() const { return previous_; }
  QPushButton* NextButton() const { return next_; }

 signals:
  void PreviousClicked();
  void NextClicked();

 private:
  QPushButton* previous_;
  QPushButton* next_;
};

}  // namespace vernoli
