#include "stations/appstate.h"

#include "stations/catalog.h"

namespace vernoli {

AppState NewAppState(const ProgramFolders& folders) {
  AppState state;
  state.Folders = folders;
  state.DataFolder = folders.Data;
  state.OutputFolder = folders.Report;
  state.ImportFolder = folders.Import;
  return state;
}

bool HasSelection(const AppState& state) { return !state.Station.FileName.empty(); }

void ClearSelection(AppState& state) { ClearStation(state.Station); }

Status SelectStation(AppState& state, const std::string& name) {
  return ChooseStation(state.DataFolder, name, OutputNameRule::SetToFileName, state.Station);
}

Status CheckDataFolder(const std::string& folder) { return CheckFolder(folder, "data folder"); }

}  // namespace vernoli
