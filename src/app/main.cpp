// The program's entry: --help and --version answered on the terminal, else the start screen,
// maximised.
#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "app/TLogoMenu.h"
#include "app/program.h"
#include "kit/messages.h"
#include "model/folders.h"

namespace {

constexpr const char* kHelp =
    "Usage: vernoli [--help | --version]\n"
    "\n"
    "Vernoli computes reference crop evapotranspiration (ETo, mm/day) by the Penman-Monteith\n"
    "method, with four other methods beside it, from the daily, 10-daily or monthly climatic\n"
    "data of one station at a time. This desktop program creates, imports, edits, checks and\n"
    "plots the stations (NAME.DSC and NAME.DTA files), computes their ETo and writes reports\n"
    "and crop-model files.\n"
    "\n"
    "Folders: DATA/ (the stations), IMPORT/ (files to import) and REPORT/ (reports and\n"
    "crop-model files) lie beside the program in a build or an unpacked copy. An installed\n"
    "program keeps them in ~/.local/share/Vernoli/ ($XDG_DATA_HOME/Vernoli/ when that is\n"
    "set) and copies the sample stations there at the first start.\n"
    "\n"
    "For many stations or for scripts, vernoli-batch runs the same calculation from the\n"
    "command line on the same folders (vernoli-batch --help, man vernoli-batch).\n"
    "\n"
    "Options:\n"
    "  --help     shows this text\n"
    "  --version  shows the program's version\n"
    "Qt's own options (such as -platform NAME) are passed to Qt.\n";

// The text that an argument asks for instead of the program, or null.
const char* TerminalAnswer(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return kHelp;
    if (std::strcmp(argv[i], "--version") == 0) return "vernoli " VERNOLI_VERSION "\n";
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  // Before any window: the answer needs no display.
  if (const char* answer = TerminalAnswer(argc, argv)) {
    std::fputs(answer, stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
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
