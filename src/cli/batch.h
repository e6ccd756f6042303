// vernoli-batch: the calculation run, the report and the crop-model files from the command line
// (cli/options.h tells its command line).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/options.h"
#include "model/folders.h"

namespace vernoli {

// Runs the command line `args` (the arguments after the program's name). What was done goes to
// `out`, every message of the program ("ERROR:", a line break, the reason) to `err`; the results
// table goes to `out` unless written to a file. Returns 0 on success. The default folders are
// those of `folders` (data and report folder). With `progressOnErr` (standard error is a
// terminal), a recompute of many stations shows its progress on `err`, rewritten in place.
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             const ProgramFolders& folders, bool progressOnErr = false);
// The same with the folders of the running program, the progress shown when standard error is a
// terminal.
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vernoli
