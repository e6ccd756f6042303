#include "kit/modal.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace vernoli {

namespace {

class ExecHandler final : public ModalHandler {
 public:
  int ShowModal(QDialog& form) override { return form.exec(); }
};

ExecHandler gExec;
ModalHandler* gHandler = &gExec;

// Moves `form` so that its centre is the centre of `opener`, kept inside the opener's screen.
void Centre(QWidget& form, const QWidget& opener) {
  const QRect around = opener.frameGeometry();
  const QSize size = form.frameGeometry().size();
  QPoint topLeft = around.center() - QPoint(size.width() / 2, size.height() / 2);
  if (const QScreen* screen = opener.screen()) {
    const QRect area = screen->availableGeometry();
    const int right = std::max(area.left(), area.x() + area.width() - size.width());
    const int bottom = std::max(area.top(), area.y() + area.height() - size.height());
    topLeft = QPoint(std::clamp(topLeft.x(), area.left(), right),
                     std::clamp(topLeft.y(), area.top(), bottom));
  }
  form.move(topLeft);
}

// Keeps a form centred on its opener while the form sizes itself on activation, until the form
// is on the screen; after that the user places it.
class Placement final : public QObject {
 public:
  explicit Placement(QDialog& form) : QObject(&form), form_(form) {
    setObjectName("vernoli_placement");
    form.installEventFilter(this);
  }

  void Open(QWidget* opener) {
    opener_ = opener;
    if (opener_ == nullptr) return;
    form_.ensurePolished();
    if (QWindow* window = opener_->windowHandle()) {
      form_.winId();  // the form's window exists from now on
      if (form_.windowHandle() != nullptr) form_.windowHandle()->setTransientParent(window);
    }
    Centre(form_, *opener_);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &form_ && event->type() == QEvent::Resize && opener_ != nullptr) {
      const QWindow* window = form_.windowHandle();
      if (window == nullptr || !window->isExposed()) Centre(form_, *opener_);
    }
    return false;
  }

 private:
  QDialog& form_;
  QPointer<QWidget> opener_;
};

}  // namespace

ModalHandler* SetModalHandler(ModalHandler* handler) {
  ModalHandler* before = gHandler;
  gHandler = handler != nullptr ? handler : &gExec;
  return before;
}

QWidget* OpenerOf(const QDialog& form) {
  for (QWidget* candidate : {QApplication::activeModalWidget(), QApplication::activeWindow()}) {
    if (candidate != nullptr && candidate != &form && candidate->isVisible()) {
      return candidate->window();
    }
  }
  QWidget* parent = form.parentWidget();
  return parent != nullptr && parent->isVisible() ? parent->window() : nullptr;
}

int ShowModal(QDialog& form) {
  QObject* found = form.findChild<QObject*>("vernoli_placement", Qt::FindDirectChildrenOnly);
  auto* placement = found != nullptr ? static_cast<Placement*>(found) : new Placement(form);
  placement->Open(OpenerOf(form));
  return gHandler->ShowModal(form);
}

}  // namespace vernoli
