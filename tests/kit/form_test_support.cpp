#include "form_test_support.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

namespace vernoli::testing {

RecordingMessages::RecordingMessages() : before_(SetMessageHandler(this)) {}
RecordingMessages::~RecordingMessages() { SetMessageHandler(before_); }

bool RecordingMessages::AskYesNo(const QString& question) {
  questions.push_back(question);
  if (answers.empty()) return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

void SaveScreenshot(QWidget* form, const QString& name) {
  const QByteArray folder = qgetenv("VERNOLI_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(folder));
  form->grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
}

}  // namespace vernoli::testing

// Form tests need one QApplication for the whole run.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
