#include "kit/messages.h"

#include <QApplication>
#include <QMessageBox>

#include "kit/text.h"

namespace vernoli {

namespace {

class BoxHandler final : public MessageHandler {
 public:
  void ShowMessage(const QString& text) override {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle("Vernoli");
    box.setText(text);
    box.setIcon(text.startsWith("ERROR:") ? QMessageBox::Warning : QMessageBox::Information);
    box.exec();
  }
  bool AskYesNo(const QString& question) override {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle("Vernoli");
    box.setText(question);
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
  }
};

BoxHandler gBoxes;
MessageHandler* gHandler = &gBoxes;

}  // namespace

MessageHandler* SetMessageHandler(MessageHandler* handler) {
  MessageHandler* before = gHandler;
  gHandler = handler != nullptr ? handler : &gBoxes;
  return before;
}

void ShowMessage(const QString& text) { gHandler->ShowMessage(text); }
void ShowMessage(const std::string& text) { gHandler->ShowMessage(FromCp1252(text)); }
bool AskYesNo(const QString& question) { return gHandler->AskYesNo(question); }

}  // namespace vernoli
