// The commands of vernoli-batch on a command line that has been read, its stations checked as
// base names and its folders as folders. Each writes what was done to `out` and every message
// of the program ("ERROR:", a line break, the reason) to `err`, and returns the exit status: 0
// on success, kBatchFailed, or kBatchUsageError for an option value the command cannot use.
#pragma once

#include <cstdint>
#include <ostream>

#include "cli/options.h"

namespace vernoli {

// Files a recompute job holds open at once: the station's lock file, the data file it reads and
// the one it writes, or that one and its folder at the commit; one more to spare.
inline constexpr unsigned kFilesPerJob = 4;
// Files the process keeps open whatever the jobs do: the standard streams, the folder listing,
// the libraries' own.
inline constexpr uint64_t kFilesOfTheProcess = 16;

// The number of files the process may hold open at once (the soft limit of RLIMIT_NOFILE);
// UINT64_MAX when there is no limit.
uint64_t OpenFileLimit();
// `jobs`, lowered so that the jobs' files and the process's own stay within `openFiles`; at
// least 1.
unsigned JobsWithinOpenFiles(unsigned jobs, uint64_t openFiles);

// Rewrites each station's .DTA with its computed ETo, stations side by side on line.Jobs
// threads (one per core when 0), no more than OpenFileLimit allows (said on `err` when that
// lowers them); a failing station stops no other. A name of `--all` that is no station base name
// is such a failure. With `progressOnErr` the progress is shown on `err`, rewritten in place.
int RecomputeCommand(const CommandLine& line, std::ostream& out, std::ostream& err,
                     bool progressOnErr);

// The table of every record's results, to `out` or to line.ResultsFile.
int ResultsCommand(const CommandLine& line, std::ostream& out, std::ostream& err);

// The ETo report NAME.REP in the output folder.
int ReportCommand(const CommandLine& line, std::ostream& out, std::ostream& err);

// The crop-model files NAME.ETo and NAME.TMP in the output folder: both or neither.
int CropFilesCommand(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace vernoli
