// vernoli-batch: the calculation of Vernoli from the command line, without any form.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/terminaltext.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (std::find(args.begin(), args.end(), "--version") != args.end()) {
    std::cout << "vernoli-batch " VERNOLI_VERSION "\n" << std::flush;
    return std::cout ? 0 : 1;
  }
  int status = 0;
  {
    // The messages in UTF-8, whatever the program's own texts are written in.
    vernoli::TerminalTextBuffer messages(std::cerr.rdbuf());
    std::ostream err(&messages);
    status = vernoli::RunBatch(args, std::cout, err);
  }
  std::cout.flush();
  return status;
}
