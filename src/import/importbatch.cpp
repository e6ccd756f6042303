#include "import/importbatch.h"

namespace vernoli {

std::string ImportBatchUsage() { return {}; }

int RunImportBatch(const std::vector<std::string>& args, const std::string& dataFolder,
                   std::ostream& out, std::ostream& err) {
  (void)args;
  (void)dataFolder;
  (void)out;
  (void)err;
  return 2;
}

}  // namespace vernoli
