#include "app/appstate.h"

#include <dirent.h>
#include <sys/stat.h>

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
  RepClimateFile station = state.Station;
  SetStationFiles(station, state.DataFolder, name);
  if (Status s = ReadStationDescription(station); !s) return s;
  if (Status s = ReadParameterCodes(station); !s) return s;
  state.Station = std::move(station);
  return Status::Success();
}

Status CheckDataFolder(const std::string& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    return Status::Error("data folder " + folder + " does not exist");
  }
  if (!S_ISDIR(info.st_mode)) return Status::Error("data folder " + folder + " is not a folder");
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return Status::Error("data folder " + folder + " cannot be read");
  ::closedir(listing);
  return Status::Success();
}

}  // namespace vernoli
