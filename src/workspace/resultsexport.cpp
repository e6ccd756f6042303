#include "workspace/resultsexport.h"

#include "model/atomicfile.h"
#include "model/checks.h"
#include "model/folders.h"
#include "model/linereader.h"
#include "workspace/run.h"
#include "workspace/session.h"

namespace vernoli {

std::string_view ResultsTableExtension(const ResultsFormat& format) {
  return format.Separator == '\t' ? "tsv" : "csv";
}

ResultsTableTarget CheckResultsTable(const std::string& folder, const std::string& name,
                                     const ResultsFormat& format) {
  ResultsTableTarget target;
  if (Status s = CheckFolder(folder, "output folder"); !s) {
    target.Message = s.Message;
    return target;
  }
  const std::string extension(ResultsTableExtension(format));
  const FileNameCheck check = CheckNewFileName(folder, name, extension, true);
  target.Name = check.Name;
  if (!check.Ok()) {
    target.Message = check.Message;
    return target;
  }
  target.FileName = check.Name + "." + extension;
  target.Path = PathInFolder(folder, target.FileName);
  target.Replaces = FileExists(target.Path);
  return target;
}

std::string ReplaceResultsTableQuestion(std::string_view fileName) {
  return std::string(fileName) + " exists already. Replace it ?";
}

RunResult ExportResultsTable(WorkspaceSession& session, const std::string& path,
                             const ResultsFormat& format) {
  if (const RunResult run = session.RewriteDataFile(); !run) return run;
  const RepClimateFile& station = session.Station();

  // The lines end as those of the batch tool's table do.
  AtomicFile file(path);
  RunResult table = WriteResults(station, format, [&file, &path](std::string_view line) {
    file.Write(line);
    file.Write("\n");
    return file.Good() ? Status::Success()
                       : Status::Error(ReasonCannotWrite(path, file.ErrorNumber()));
  });
  if (table) table.Outcome = file.Commit();
  return table;
}

}  // namespace vernoli
