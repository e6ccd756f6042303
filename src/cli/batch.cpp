#include "cli/batch.h"

#include <unistd.h>

#include <algorithm>
#include <exception>

#include "cli/commands.h"
#include "cli/importbatch.h"
#include "model/status.h"
#include "stations/fileset.h"

namespace vernoli {

namespace {

constexpr std::string_view kProgram = "vernoli-batch";

}  // namespace

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             const ProgramFolders& folders, bool progressOnErr) {
  try {
    if (std::any_of(args.begin(), args.end(),
                    [](const std::string& a) { return a == "--help" || a == "-h"; })) {
      out << BatchUsage();
      return 0;
    }
    CommandLine line;
    line.DataFolder = folders.Data;
    line.OutputFolder = folders.Report;
    if (std::string e = ParseCommandLine(args, line); !e.empty()) {
      err << ErrorText(e) << '\n' << "Try '" << kProgram << " --help'.\n";
      return kBatchUsageError;
    }
    if (line.Command == "import") return RunImportBatch(line.Stations, line.DataFolder, out, err);
    // A station is a base name in the data folder: nothing is opened for any other name.
    for (const std::string& station : line.Stations) {
      if (!IsStationBaseName(station)) {
        err << ErrorText(ReasonIllegalStationName(station)) << '\n';
        return kBatchUsageError;
      }
    }
    if (Status s = CheckFolder(line.DataFolder, "data folder"); !s) {
      err << s.Message << '\n';
      return kBatchFailed;
    }
    // A station whose files an ended process left half replaced is finished first.
    FileSet::Recover(line.DataFolder);
    if (line.Command == "recompute") return RecomputeCommand(line, out, err, progressOnErr);
    if (line.Command == "results") return ResultsCommand(line, out, err);
    if (Status s = CheckFolder(line.OutputFolder, "output folder"); !s) {
      err << s.Message << '\n';
      return kBatchFailed;
    }
    if (line.Command == "report") return ReportCommand(line, out, err);
    return CropFilesCommand(line, out, err);
  } catch (const std::exception& e) {
    err << ErrorText(e.what()) << '\n';
    return kBatchFailed;
  }
}

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunBatch(args, out, err, FoldersOfThisProgram(), ::isatty(STDERR_FILENO) == 1);
}

}  // namespace vernoli
