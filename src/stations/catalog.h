// The stations of a data folder: the list the select form shows, the choice of a station, and
// the deletion of one.
#pragma once

#include <string>
#include <vector>

#include "model/station.h"
#include "model/status.h"

namespace vernoli {

// One listed station description file.
struct StationEntry {
  std::string ListedName;   // the file's name in the folder, "ALPHA.DSC"
  std::string File;         // the name up to its first '.': "ALPHA"
  std::string StationName;  // first line of the file; empty when it cannot be read
  std::string Country;      // second line of the file
  bool Readable = true;     // the file could be opened and read
};

// The name up to, not including, its first '.' ("A.B.DSC" gives "A").
std::string FileColumn(const std::string& listedName);

// Lists every station description file (a name ending in ".DSC") of the folder, ordered by name
// without regard to letter case, with the station name and country from its first two lines.
// A file that cannot be read is listed with an empty station name and country. Hidden files
// (temporary files), and anything else not ending in ".DSC", are not listed. An error only when the folder itself
// cannot be listed.
Status ListStations(const std::string& dataFolder, std::vector<StationEntry>& stations);

// The candidate when the list is shown: `selected` (the selected data file) when it is not empty,
// else the first listed file; empty for an empty list.
std::string InitialCandidate(const std::vector<StationEntry>& stations,
                             const std::string& selected);

// The row (0 for the first station) the list's cursor stops on: it moves down from the first row
// until the row's file equals the candidate without regard to letter case, or the last row is
// reached. -1 for an empty list.
int CursorRow(const std::vector<StationEntry>& stations, const std::string& candidate);

// How a choice sets the station's OutputName: the select button makes it the file name, the
// view and copy buttons leave it as it was.
enum class OutputNameRule { SetToFileName, Keep };

// Makes `name` (blanks around it removed) the selected station: FileName, DscFileName and
// DtaFileName in the data folder, the .DSC read and the parameter codes read from the .DTA
// header. When either file cannot be read the error names it and `station` is left exactly as it
// was.
Status ChooseStation(const std::string& dataFolder, const std::string& name, OutputNameRule rule,
                     RepClimateFile& station);

struct DeleteResult {
  Status Result;       // an error when a file could not be deleted; nothing is deleted then
  std::string Notice;  // not empty when the .DTA was not there: the message to show
  bool Deleted = false;          // the .DSC has been deleted
  bool SelectionCleared = false; // the deleted station was the selected one
};

// Deletes the station `name` of the data folder: its .DSC and its .DTA together (both or
// neither, also when the process ends in the middle), and no other file. A .DTA that is already
// missing is no error: the .DSC is deleted and Notice tells that the data file was not there. When the deleted station is the selected one (`selected`), the selection
// is cleared (ClearStation).
DeleteResult DeleteStation(const std::string& dataFolder, const std::string& name,
                           RepClimateFile& selected);

// The question asked before deleting: "Delete File «NAME» ?" (Windows-1252 guillemets).
std::string DeleteQuestion(const std::string& name);

}  // namespace vernoli
