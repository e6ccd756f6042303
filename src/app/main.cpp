// The program's entry: the start screen, maximised.
#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <clocale>

#include "app/TLogoMenu.h"
#include "app/program.h"
#include "kit/messages.h"
#include "model/folders.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The name also gives the user's data folder (~/.local/share/Vernoli/) of an installed program.
  QApplication::setApplicationName("Vernoli");
  QApplication::setDesktopFileName("vernoli");
  // The decimal separator is the point, whatever the user's locale.
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());

  vernoli::Status folders;
  vernoli::Program program(vernoli::FoldersOfThisProgram(&folders));
  program.LogoMenu().showMaximized();
  if (!folders) {
    QTimer::singleShot(0, &program.LogoMenu(),
                       [message = folders.Message] { vernoli::ShowMessage(message); });
  }
  return QApplication::exec();
}
