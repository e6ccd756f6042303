// The three import readers, each followed by the whole import of what it read into a new
// station (vernoli-batch import). A reader either reads the file (columns 1..10, at least one
// line, each column's minimum not above its maximum) or refuses it with a reason; the import
// either writes a complete station, listed and readable with one data line per record, or gives
// the program's message and leaves the data folder as it was.
#pragma once

#include <sys/stat.h>

#include <sstream>
#include <vector>

#include "cli/importbatch.h"
#include "fuzz_support.h"
#include "import/databases.h"
#include "import/scan.h"
#include "model/calendar.h"
#include "stations/catalog.h"

namespace vernoli::fuzz {

// A Hydrolex file may scan with no data column after the key column; the import refuses it.
inline void RequireScan(const ScanResult& scan, ImportKind kind) {
  if (scan.Outcome == ScanOutcome::Unreadable) {
    Require(!scan.Reason.empty(), "a refused import file without a reason");
    return;
  }
  if (!scan.Ok()) return;
  const int fewest = kind == ImportKind::Hydrolex ? 0 : 1;
  Require(scan.Lines >= 1 && scan.Columns >= fewest && scan.Columns <= kMaxImportColumns,
          "a read import file without lines or columns");
  for (int c = 0; c < scan.Columns; ++c) {
    Require(!(scan.Minimum[c] > scan.Maximum[c]), "a column whose minimum is above its maximum");
  }
}

// The empty import and data folders of one input.
inline void PrepareImportFolders(const std::string& importFolder, const std::string& dataFolder) {
  ::mkdir(importFolder.c_str(), 0777);
  ::mkdir(dataFolder.c_str(), 0777);
  Clear(importFolder);
  Clear(dataFolder);
}

// Runs vernoli-batch import with `args` into `dataFolder`: either a complete station NEW, listed
// and readable, with one data line per record (`records` of them, when not negative), or the
// program's message and nothing in the data folder.
inline void RequireImport(const std::vector<std::string>& args, const std::string& dataFolder,
                          int64_t records = -1) {
  RequireImport(args, dataFolder);
  return 0;
}

}  // namespace vernoli::fuzz
