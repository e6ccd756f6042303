// `vernoli-batch import`: a new station from an import file, with the checks and the files of
// the import form.
//
//   vernoli-batch [--data DIR] import FILE --name NAME [--kind text|hydrolex|meteorix]
//       [--columns CODE,CODE,...] [--type daily|10-daily|monthly]
//       [--from D/M/YYYY] [--to D/M/YYYY] [--not-linked] [--undefined V]
//       [--station TEXT] [--country TEXT] [--latitude DEG] [--longitude DEG] [--altitude M]
//         (M in metres, rounded to the whole metre)
//       [--wind-height M] [--location coast|interior] [--climate arid|humid]
//       [--winds light|moderate|strong]
//       [--limit-tmin V] [--limit-tmax V] [--limit-rhmin V] [--limit-wind V] [--limit-rad-dev V]
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vernoli {

// The lines of the batch's usage text that describe the command.
std::string ImportBatchUsage();

// Runs the command with the arguments after "import" and the data folder. Returns 0 when the
// station was written, 1 (nothing written) when the import refused, 2 for a command line that
// cannot be understood. Messages ("ERROR:", a line break, the reason) go to `err`.
int RunImportBatch(const std::vector<std::string>& args, const std::string& dataFolder,
                   std::ostream& out, std::ostream& err);

}  // namespace vernoli
