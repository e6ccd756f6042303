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
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunImportBatch(args, dataFolder, out, err);
  const auto files = Snapshot(dataFolder);
  if (status != 0) {
    RequireErrorMessage(err.str());
    Require(files.empty(), "a refused import left a file in the data folder");
    return;
  }
  Require(files.size() == 2 && files.count("NEW.DSC") && files.count("NEW.DTA"),
          "an import did not leave exactly its two files");
  RepClimateFile station;
  const Status chosen = ChooseStation(dataFolder, "NEW", OutputNameRule::SetToFileName, station);
  Require(chosen.Ok, "an imported station cannot be opened: " + chosen.Message);
  Require(records < 0 || station.NumberOfRecords == records,
          "a station of another number of records");
  const int lines = RequireWellFormedText("NEW.DTA", files.at("NEW.DTA"));
  Require(lines == station.NumberOfRecords + 1, "an imported .DTA without one line per record");
  RequireWellFormedText("NEW.DSC", files.at("NEW.DSC"));
}

inline int FuzzImport(ImportKind kind, const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string importFolder = Folder() + "IMPORT/";
  const std::string dataFolder = Folder() + "DATA/";
  PrepareImportFolders(importFolder, dataFolder);
  const char* extension = kind == ImportKind::Text ? ".CXT" : kind == ImportKind::Hydrolex ? ".PEN" : ".DAT";
  const std::string file = importFolder + "F" + extension;
  WriteFile(file, input);

  ScanResult scan;
  if (kind == ImportKind::Meteorix) {
    scan = ReadMeteorixFile(file).Scan;
  } else if (kind == ImportKind::Hydrolex) {
    scan = ReadHydrolexFile(file, -999.0).Scan;
  } else {
    scan = ScanImportFile(file, kind, -999.0);
  }
  RequireScan(scan, kind);
  Require(ReadFile(file) == input, "reading changed the import file");
  if (!scan.Ok() || scan.Lines > 3000) return 0;

  std::vector<std::string> args = {file, "--name", "NEW"};
  if (kind == ImportKind::Text) {
    static const char* kCodes[] = {"101", "103", "201", "203", "301", "401", "221", "421", "431", "102"};
    std::string columns;
    for (int c = 0; c < scan.Columns; ++c) columns += std::string(c ? "," : "") + kCodes[c];
    const Date last = DateOfDayNr(DayNr(1, 1, 2001) + scan.Lines - 1);
    args.insert(args.end(), {"--columns", columns, "--type", "daily", "--from", "1/1/2001", "--to",
                             std::to_string(last.Day) + "/" + std::to_string(last.Month) + "/" +
                                 std::to_string(last.Year)});
  }
  RequireImport(args, dataFolder);
  return 0;
}

}  // namespace vernoli::fuzz
