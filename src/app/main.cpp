// The program's entry: the start screen, maximised.
#include <QApplication>
#include <QLocale>
#include <clocale>

#include "app/TLogoMenu.h"
#include "app/folders.h"
#include "app/program.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vernoli");
  // The decimal separator is the point, whatever the user's locale.
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());

  vernoli::Program program(vernoli::FoldersOfThisProgram());
  program.LogoMenu().showMaximized();
  return QApplication::exec();
}
