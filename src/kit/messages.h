// The one application-wide way to show a message or ask a Yes/No question.
//
// Forms call ShowMessage and AskYesNo; the program shows modal boxes, tests install a handler
// that records every text and answers questions without a window.
#pragma once

#include <QString>
#include <string>

namespace vernoli {

class MessageHandler {
 public:
  virtual ~MessageHandler() = default;
  // Shows a message ("ERROR:", a line break and the reason, for an error) and waits.
  virtual void ShowMessage(const QString& text) = 0;
  // Asks a question with the buttons Yes and No; true for Yes.
  virtual bool AskYesNo(const QString& question) = 0;
};

// Installs `handler` (nullptr: the modal boxes) and returns the one installed before.
MessageHandler* SetMessageHandler(MessageHandler* handler);

void ShowMessage(const QString& text);
// A message from the core, in Windows-1252 bytes.
void ShowMessage(const std::string& text);
bool AskYesNo(const QString& question);

}  // namespace vernoli
