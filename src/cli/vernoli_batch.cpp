// vernoli-batch: the calculation of Vernoli from the command line, without any form.
#include <iostream>
#include <string>
#include <vector>

#include "cli/batch.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const int status = vernoli::RunBatch(args, std::cout, std::cerr);
  std::cout.flush();
  return status;
}
