// vernoli-batch: the calculation run, the report and the crop-model files from the command line.
//
//   vernoli-batch [--data DIR] recompute STATION... | recompute --all  [--jobs N]
//   vernoli-batch [--data DIR] results STATION [--output FILE] [--separator comma|tab]
//                 [--missing empty|-999]
//   vernoli-batch [--data DIR] [--output DIR] report STATION [--name NAME] [--description TEXT]
//                 [--columns LIST]
//   vernoli-batch [--data DIR] [--output DIR] crop-files STATION [--name NAME]
//                 [--description TEXT] [--first-eto V] [--last-eto V] [--first-tmin V]
//                 [--last-tmin V] [--first-tmax V] [--last-tmax V]
//   vernoli-batch --help
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "model/folders.h"

namespace vernoli {

// Exit status of a run that failed, and of a command line that could not be understood.
inline constexpr int kBatchFailed = 1;
inline constexpr int kBatchUsageError = 2;

// The text of --help.
std::string BatchUsage();

// True for the base name of a station's files: not empty, no '/' or '\\', no "..", no control
// character.
bool IsStationBaseName(std::string_view name);

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
