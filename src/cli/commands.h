// The commands of vernoli-batch on a command line that has been read, its stations checked as
// base names and its folders as folders. Each writes what was done to `out` and every message
// of the program ("ERROR:", a line break, the reason) to `err`, and returns the exit status: 0
// on success, kBatchFailed, or kBatchUsageError for an option value the command cannot use.
#pragma once

#include <ostream>

#include "cli/options.h"

namespace vernoli {

// Rewrites each station's .DTA with its computed ETo, stations side by side on line.Jobs
// threads (one per core when 0); a failing station stops no other. With `progressOnErr` the
// progress is shown on `err`, rewritten in place.
int RecomputeCommand(const CommandLine& line, std::ostream& out, std::ostream& err,
                     bool progressOnErr);

// The table of every record's results, to `out` or to line.ResultsFile.
int ResultsCommand(const CommandLine& line, std::ostream& out, std::ostream& err);

// The ETo report NAME.REP in the output folder.
int ReportCommand(const CommandLine& line, std::ostream& out, std::ostream& err);

// The crop-model files NAME.ETo and NAME.TMP in the output folder: both or neither.
int CropFilesCommand(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace vernoli
