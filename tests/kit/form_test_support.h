// Support for form tests: a message handler that records every text and answers questions,
// and pictures of forms for a person to look at.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "kit/messages.h"

class QWidget;

namespace vernoli::testing {

class RecordingMessages final : public MessageHandler {
 public:
  RecordingMessages();
  ~RecordingMessages() override;
  void ShowMessage(const QString& text) override { messages.push_back(text); }
  bool AskYesNo(const QString& question) override;

  QStringList messages;    // every message shown, in order
  QStringList questions;   // every question asked, in order
  std::deque<bool> answers;  // answers to give; No when empty

 private:
  MessageHandler* before_;
};

// Saves a picture of `form` as NAME.png in the folder named by VERNOLI_SCREENSHOTS, if set.
void SaveScreenshot(QWidget* form, const QString& name);

}  // namespace vernoli::testing
