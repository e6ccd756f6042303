// The program's three folders: beside the executable for a build or a copy of the program, in
// the user's own data folder for an installed program.
#pragma once

#include <string>
#include <string_view>

#include "model/status.h"

namespace vernoli {

struct ProgramFolders {
  std::string Program;  // the executable's folder, ending with '/'
  std::string Data;     // Program + "DATA/", or the user's data folder + "DATA/"
  std::string Report;   // ... + "REPORT/"
  std::string Import;   // ... + "IMPORT/"
};

// The folders for an executable at `executablePath`: its text up to and including the last '/'.
ProgramFolders FoldersOfExecutable(const std::string& executablePath);

// The user's data folder of the program: `xdgDataHome` + "/Vernoli/" when it is an absolute
// path, else `home` + "/.local/share/Vernoli/" (the place the desktop's toolkit calls the
// application's data location). Empty when neither gives an absolute path.
std::string UserDataFolder(const std::string& xdgDataHome, const std::string& home);
// The same from the environment (XDG_DATA_HOME, HOME, else the account's home folder).
std::string UserDataFolder();

// The sample stations of an installed program whose executable is in `programFolder`
// (PREFIX/bin/): PREFIX/share/vernoli/samples/, holding DATA/ and IMPORT/. Empty when the
// program is not installed that way.
std::string InstalledSamplesFolder(const std::string& programFolder);

// Where the program keeps its folders.
struct FolderChoice {
  ProgramFolders Folders;
  bool UserFolders = false;  // true: under the user's data folder
  std::string Samples;       // the installed samples ("" when none)
};

// The folders of an executable at `executablePath`: beside it when its folder can be written and
// the program is not an installed one (a build, an unpacked copy); otherwise under
// `userDataFolder`. An installed program (samples in PREFIX/share/vernoli/) always uses the
// user's folder, even where its own folder can be written (as root).
FolderChoice ChooseFolders(const std::string& executablePath, const std::string& userDataFolder);

// Makes the user's folders that are missing. DATA/ and IMPORT/, when made now, get the sample
// files of `samples` (DATA/, IMPORT/); a file already there is never replaced, and a folder that
// exists is left as it is (a sample the user deleted stays deleted). The error names the folder
// or file that could not be made.
Status PrepareUserFolders(const ProgramFolders& folders, const std::string& samples);

// The folders of the running program (its executable from /proc/self/exe) by the rule of
// ChooseFolders, the user's folders made and given the samples. `problem`, when given, receives
// what could not be made (Success otherwise).
ProgramFolders FoldersOfThisProgram(Status* problem = nullptr);

// Ok when `folder` exists, is a folder and its list of files can be read. Otherwise the error
// names the folder with its role ("data folder", "output folder", ...): "ROLE FOLDER does not
// exist", "ROLE FOLDER is not a folder", "ROLE FOLDER cannot be a folder: PART is a file, not a
// folder" (a file where the path needs a folder), or "ROLE FOLDER cannot be opened: REASON" and
// "ROLE FOLDER cannot be read: REASON" with the system's reason.
Status CheckFolder(const std::string& folder, std::string_view role);

}  // namespace vernoli
