#include "stations/appstate.h"

#include <dirent.h>
#include <sys/stat.h>

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
