#include "kit/formkit.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "kit/editrule.h"
#include "kit/text.h"
#include "model/calendar.h"

namespace vernoli {

void SetUpForm(QDialog& form, const QString& objectName, const QString& title) {
  form.setObjectName(objectName);
  form.setWindowTitle(title);
  form.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                      Qt::WindowCloseButtonHint);
  form.setModal(true);
}

namespace {

// Swallows Escape before the form's own handling closes the form.
class EscapeBlocker final : public QObject {
 public:
  explicit EscapeBlocker(QObject* form) : QObject(form) { form->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      event->accept();
      return true;
    }
    return false;
  }
};

// A button pressed with the focus on it is the default while it has the focus, and stays so
// when the form closes with the focus on it; each showing of the form gives the default back to
// the form's own button.
class DefaultKeeper final : public QObject {
 public:
  DefaultKeeper(QDialog* form, QPushButton* button) : QObject(form), button_(button) {
    form->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent() && event->type() == QEvent::Show && !event->spontaneous()) {
      button_->setDefault(true);
      // Another button left with the focus would take the default back when the form shows.
      auto* focused = qobject_cast<QPushButton*>(static_cast<QWidget*>(watched)->focusWidget());
      if (focused != nullptr && focused != button_) button_->setFocus(Qt::OtherFocusReason);
    }
    return false;
  }

 private:
  QPushButton* button_;
};

}  // namespace

void SetUpKeys(QDialog& form, QPushButton* defaultButton, EscapeKey escape) {
  for (QPushButton* button : form.findChildren<QPushButton*>()) button->setAutoDefault(true);
  if (defaultButton != nullptr) {
    defaultButton->setDefault(true);
    new DefaultKeeper(&form, defaultButton);
  }
  if (escape == EscapeKey::Ignored) new EscapeBlocker(&form);
}

void TabToChecked(std::initializer_list<QAbstractButton*> group) {
  for (QAbstractButton* button : group) {
    button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

QString Cp(std::string_view text) { return FromCp1252(text); }

QStringList CpList(std::span<const std::string_view> texts) {
  QStringList items;
  for (std::string_view text : texts) items << Cp(text);
  return items;
}

QStringList Numbers(int first, int last) {
  QStringList items;
  for (int i = first; i <= last; ++i) items << QString::number(i);
  return items;
}

QStringList Months() { return CpList(MonthNames()); }

std::string FileNameOf(const QString& text) { return QFile::encodeName(text).toStdString(); }

QString FileNameText(const std::string& name) {
  return QFile::decodeName(QByteArray::fromStdString(name));
}

QLabel* Label(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(objectName);
  return label;
}

QLabel* BoldLabel(const QString& objectName, QWidget* parent) {
  QLabel* label = Label(objectName, QString(), parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

QLabel* Text(const QString& caption, QWidget* parent) { return new QLabel(caption, parent); }

QPushButton* Button(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(objectName);
  button->setAutoDefault(false);
  return button;
}

QRadioButton* Radio(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* radio = new QRadioButton(caption, parent);
  radio->setObjectName(objectName);
  return radio;
}

QCheckBox* CheckBox(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(objectName);
  return box;
}

QGroupBox* Group(const QString& objectName, const QString& title, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  group->setObjectName(objectName);
  return group;
}

QComboBox* ComboBox(const QString& objectName, const QStringList& items, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(objectName);
  box->addItems(items);
  return box;
}

QLineEdit* LineEdit(const QString& objectName, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(objectName);
  // A text is taken as the user typed it; a form that checks its text attaches its own commit.
  EditRule::Attach(edit, [] { return true; }, EditRule::EnterKey::GoesOn);
  return edit;
}

QLineEdit* ReadOnlyEdit(const QString& objectName, QWidget* parent) {
  QLineEdit* edit = LineEdit(objectName, parent);
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::NoFocus);
  return edit;
}

QLineEdit* NumberEdit(const QString& objectName, int width, QWidget* parent) {
  QLineEdit* edit = LineEdit(objectName, parent);
  edit->setAlignment(Qt::AlignRight);
  edit->setFixedWidth(width);
  return edit;
}

QLineEdit* ReadOnlyNumber(const QString& objectName, int width, QWidget* parent) {
  QLineEdit* edit = ReadOnlyEdit(objectName, parent);
  edit->setAlignment(Qt::AlignRight);
  edit->setFixedWidth(width);
  return edit;
}

QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  for (QWidget* button : buttons) row->addWidget(button);
  return row;
}

namespace {

class EnterFilter : public QObject {
 public:
  explicit EnterFilter(QAbstractItemView* view) : QObject(view), view_(view) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == view_ && event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (view_->currentIndex().isValid()) emit view_->activated(view_->currentIndex());
        return true;
      }
    }
    return false;
  }

 private:
  QAbstractItemView* view_;
};

}  // namespace

void EnterActivates(QAbstractItemView* view) { view->installEventFilter(new EnterFilter(view)); }

bool LeavesControl(const QEvent& event) {
  if (event.type() != QEvent::FocusOut) return false;
  const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

QFrame* Line(const QString& objectName, QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setObjectName(objectName);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

QFrame* Frame(const QString& objectName, QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(objectName);
  return frame;
}

}  // namespace vernoli
