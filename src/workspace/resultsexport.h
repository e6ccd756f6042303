// The results table written from the export page: the file `vernoli-batch results --output`
// writes (workspace/results.h), byte for byte, for the station's records as the workspace holds
// them, into the output folder.
//
// As with the report and the crop-model files, the visible records are written back and the
// station's .DTA is rewritten with the computed ETo first; the table is then made from that
// .DTA, so it holds what the workspace shows. The table goes through a temporary file and a
// rename: a failure leaves an older table as it was.
//
//   ResultsTableTarget target = CheckResultsTable(folder, name, format);
//   if (!target) { show target.Message; return; }
//   if (target.Replaces && !ask(ReplaceResultsTableQuestion(target.FileName))) return;
//   RunResult written = ExportResultsTable(session, target.Path, format);
#pragma once

#include <string>
#include <string_view>

#include "workspace/outputs.h"
#include "workspace/results.h"

namespace vernoli {

class WorkspaceSession;

// What the export page offers.
inline constexpr std::string_view kResultsTableCaption = "Results table (CSV)";

// "csv" for a table separated by commas, "tsv" for one separated by tabs.
std::string_view ResultsTableExtension(const ResultsFormat& format);

struct ResultsTableTarget {
  std::string Message;   // "ERROR:\n" + reason; empty when the table can be written
  std::string Name;      // the output name without its blanks, as the file is named
  std::string FileName;  // Name + "." + extension
  std::string Path;      // in the output folder
  bool Replaces = false;  // a file of that name is there and will be replaced
  explicit operator bool() const { return Message.empty(); }
};

// Checks the output folder and the name as the other exports do (blanks removed, an empty name
// "FileName is not yet specified", one that cannot be a file "illegal filename"); a file of that
// name may be there, and Replaces says so. Nothing is left behind in the folder.
ResultsTableTarget CheckResultsTable(const std::string& folder, const std::string& name,
                                     const ResultsFormat& format);

// The question asked before a table replaces a file: "NAME exists already. Replace it ?"
std::string ReplaceResultsTableQuestion(std::string_view fileName);

// Writes the visible records back (a typed value refused there stops it, nothing written),
// rewrites the station's .DTA as "Save data" does, then writes the table to `path`.
RunResult ExportResultsTable(WorkspaceSession& session, const std::string& path,
                             const ResultsFormat& format);

}  // namespace vernoli
