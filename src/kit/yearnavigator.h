// The year navigation of a page that shows a data set one calendar year at a time: a panel with a
// "previous" and a "next" button, each captioned with the year it leads to, and between them a
// chooser listing every year of the set, which goes to a year directly. The workspace's data page
// and its plot page each have one; both show the session's year page.
#pragma once

#include <QFrame>

class QComboBox;
class QPushButton;

namespace vernoli {

struct YearChoice;
struct YearPage;

class YearNavigator : public QFrame {
  Q_OBJECT
 public:
  // The panel `panelName` holding the buttons `previousName` and `nextName`, captioned
  // "< previous" and "next >" until the first Show, and the chooser `chooserName`.
  YearNavigator(const QString& panelName, const QString& previousName, const QString& chooserName,
                const QString& nextName, QWidget* parent);

  // Visible while `open` and the set is shown a year at a time; the captions name the years, a
  // button is enabled while there is a year on its side, and the chooser lists the years of
  // `choice` with the one shown selected.
  void Show(const YearPage& page, const YearChoice& choice, bool open);

  QPushButton* PreviousButton() const { return previous_; }
  QComboBox* Chooser() const { return chooser_; }
  QPushButton* NextButton() const { return next_; }

 signals:
  void PreviousClicked();
  void NextClicked();
  // The user chose a year other than the one shown. Until the page shows it, the chooser
  // holds the choice; the next Show puts it back in step.
  void YearChosen(int year);

 private:
  void ChooserActivated(int index);

  QPushButton* previous_;
  QComboBox* chooser_;
  QPushButton* next_;
  int shown_ = 0;  // the year shown
};

}  // namespace vernoli
