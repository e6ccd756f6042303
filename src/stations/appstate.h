// The state the whole program shares: the selected station and the program's folders.
//
// The program owns one AppState and hands it by reference to every form it creates; a test
// builds its own. Nothing here knows about windows.
#pragma once

#include <string>

#include "model/folders.h"
#include "model/station.h"
#include "model/status.h"

namespace vernoli {

struct AppState {
  // The selected station: its FileName is the selected data file (empty: none selected).
  RepClimateFile Station;
  // The program's folders beside the executable.
  ProgramFolders Folders;
  // Folder of the .DSC/.DTA pairs, ending with '/'. Starts at Folders.Data on every run; the
  // path form moves it.
  std::string DataFolder;
  // Folder of the output files of a calculation run. Starts at Folders.Report.
  std::string OutputFolder;
  // Folder of the files offered for import. Starts at Folders.Import.
  std::string ImportFolder;
};

// The state at program start: no station selected, every folder at its initial place.
AppState NewAppState(const ProgramFolders& folders);

// True while a station is selected.
bool HasSelection(const AppState& state);

// No station is selected any more: FileName, StationName and Country become empty; the file
// paths stay as they were.
void ClearSelection(AppState& state);

// Makes station `name` of the data folder the selected one: reads its .DSC and the parameter
// codes of its .DTA. When either cannot be read the error names the file and the line, and the
// selection stays exactly as it was.
Status SelectStation(AppState& state, const std::string& name);

// Ok when `folder` exists and its list of files can be read; otherwise the error names it
// ("data folder ... does not exist", "... is not a folder", "... cannot be read").
Status CheckDataFolder(const std::string& folder);

}  // namespace vernoli
