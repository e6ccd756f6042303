#include "kit/editrule.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "kit/formkit.h"

namespace vernoli {
namespace {

// Every field that has a rule, in the order they were made.
std::vector<EditRule*>& Rules() {
  static std::vector<EditRule*> rules;
  return rules;
}

// Commits the pending fields of `window`, all but the one `target` is in (a click into a field
// does not leave it). False when one showed a message.
bool CommitWindow(const QWidget* window, const QWidget* target) {
  std::vector<QPointer<QLineEdit>> pending;
  for (EditRule* rule : Rules()) {
    QLineEdit* edit = rule->Edit();
    if (!rule->Pending() || edit->window() != window) continue;
    if (target != nullptr && (target == edit || edit->isAncestorOf(target))) continue;
    pending.emplace_back(edit);
  }
  bool quiet = true;
  for (const QPointer<QLineEdit>& edit : pending) {
    // A message box of an earlier field may have closed the form and its fields.
    if (edit.isNull()) continue;
    if (EditRule* rule = EditRule::Of(edit); rule != nullptr && rule->Pending()) {
      quiet = rule->CommitNow() && quiet;
    }
  }
  return quiet;
}

// The window whose field a mouse press has just left with a message: the press that took the
// focus away is on its way to the control clicked, and must not act.
QPointer<QWidget>& StoppedPress() {
  static QPointer<QWidget> window;
  return window;
}

void StopThePress(QWidget* window) {
  StoppedPress() = window;
  // The press follows the focus change at once; anything later is another press.
  QTimer::singleShot(0, [] { StoppedPress() = nullptr; });
}

// Sees, before any form does, the events that leave a field without its knowing: a click on a
// page tab or a button that takes no focus, a shortcut, the close box, the window system hiding
// the window.
class FieldGuard : public QObject {
 public:
  explicit FieldGuard(QObject* application) : QObject(application) {
    application->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        if (!StoppedPress().isNull() && StoppedPress() == widget->window()) {
          StoppedPress() = nullptr;
          return true;
        }
        return !CommitWindow(widget->window(), widget);
      case QEvent::Shortcut:
        return !CommitWindow(widget->window(), widget);
      case QEvent::Close:
        if (widget->isWindow() && !CommitWindow(widget, nullptr)) {
          event->ignore();
          return true;
        }
        return false;
      case QEvent::Hide:
        if (widget->isWindow() && event->spontaneous()) CommitWindow(widget, nullptr);
        return false;
      case QEvent::WindowStateChange:
        if (widget->isWindow() && widget->isMinimized()) CommitWindow(widget, nullptr);
        return false;
      default:
        return false;
    }
  }
};

void GuardTheApplication() {
  static QPointer<FieldGuard> guard;
  if (guard.isNull() && QCoreApplication::instance() != nullptr) {
    guard = new FieldGuard(QCoreApplication::instance());
  }
}

}  // namespace

EditRule::EditRule(QLineEdit* edit, Commit commit, EnterKey enter)
    : QObject(edit), edit_(edit), commit_(std::move(commit)), enter_(enter) {
  setObjectName("EditRule");
  edit_->installEventFilter(this);
  Rules().push_back(this);
  connect(this, &QObject::destroyed, [this] {
    auto& rules = Rules();
    rules.erase(std::remove(rules.begin(), rules.end(), this), rules.end());
  });
  GuardTheApplication();
}

EditRule* EditRule::Attach(QLineEdit* edit, Commit commit, EnterKey enter) {
  // A field has one rule: a form's own check takes the place of the plain text's.
  if (EditRule* rule = Of(edit); rule != nullptr) {
    rule->commit_ = std::move(commit);
    rule->enter_ = enter;
    return rule;
  }
  return new EditRule(edit, std::move(commit), enter);
}

EditRule* EditRule::Of(const QLineEdit* edit) {
  for (EditRule* rule : Rules()) {
    if (rule->edit_ == edit) return rule;
  }
  return nullptr;
}

bool EditRule::Pending() const { return edit_->isModified(); }

bool EditRule::CommitNow() {
  if (committing_) return true;
  committing_ = true;
  const bool quiet = commit_();
  edit_->setModified(false);
  committing_ = false;
  emit Committed(quiet);
  return quiet;
}

bool EditRule::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_) return false;
  switch (event->type()) {
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const bool quiet = CommitNow();
        return enter_ == EnterKey::Stops || !quiet;
      }
      if (key == Qt::Key_Escape && Pending()) return !CommitNow();
      return false;
    }
    case QEvent::Hide:
      // A page switched away by the keyboard hides the field before it loses the focus.
      if (Pending()) CommitNow();
      return false;
    default:
      if (Pending() && LeavesControl(*event) && !CommitNow() &&
          static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
        StopThePress(edit_->window());
      }
      return false;
  }
}

bool CommitPendingFields(const QWidget* widget) {
  return widget == nullptr || CommitWindow(widget->window(), nullptr);
}

}  // namespace vernoli
