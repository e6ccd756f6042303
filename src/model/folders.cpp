#include "model/folders.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "model/atomicfile.h"

namespace vernoli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kApplicationFolder = "Vernoli/";
constexpr const char* kSubfolders[] = {"DATA/", "REPORT/", "IMPORT/"};

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool IsAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

ProgramFolders FoldersIn(const std::string& program, const std::string& base) {
  ProgramFolders folders;
  folders.Program = program;
  folders.Data = base + kSubfolders[0];
  folders.Report = base + kSubfolders[1];
  folders.Import = base + kSubfolders[2];
  return folders;
}

std::string EnvironmentText(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

// Puts a copy of `from` at `to` unless a file is there: complete or not at all. The copy is
// written under a hidden name beside it, made afresh, and then linked to its name, which fails
// rather than replace a file that appeared meanwhile.
Status CopyIfMissing(const fs::path& from, const fs::path& to) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(to, error))) return Status::Success();
  const fs::path hidden = to.parent_path() / ("." + to.filename().string() + ".new");
  error.clear();
  errno = 0;
  if (!CopyFileAfresh(from.string(), hidden.string())) {
    error = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
  } else if (::link(hidden.c_str(), to.c_str()) != 0 && errno != EEXIST) {
    error = std::error_code(errno, std::generic_category());
  }
  std::error_code ignored;
  fs::remove(hidden, ignored);
  if (error) {
    return Status::Error("cannot copy the sample file " + from.string() + " to " +
                         to.parent_path().string() + "/: " + error.message());
  }
  return Status::Success();
}

// Copies every file of `from` that `to` lacks. The .DSC files come last, so that a station is
// listed only once its data file is there.
Status CopyMissingFiles(const fs::path& from, const fs::path& to) {
  std::error_code error;
  if (!fs::is_directory(from, error)) return Status::Success();
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(from, error)) {
    if (entry.is_regular_file(error)) files.push_back(entry.path());
  }
  std::stable_partition(files.begin(), files.end(),
                        [](const fs::path& file) { return file.extension() != ".DSC"; });
  for (const fs::path& file : files) {
    if (Status s = CopyIfMissing(file, to / file.filename()); !s) return s;
  }
  return Status::Success();
}

}  // namespace

ProgramFolders FoldersOfExecutable(const std::string& executablePath) {
  const size_t slash = executablePath.find_last_of('/');
  const std::string program =
      slash == std::string::npos ? std::string("./") : executablePath.substr(0, slash + 1);
  return FoldersIn(program, program);
}

std::string UserDataFolder(const std::string& xdgDataHome, const std::string& home) {
  if (IsAbsolute(xdgDataHome)) return WithSlash(xdgDataHome) + kApplicationFolder;
  if (IsAbsolute(home)) return WithSlash(home) + ".local/share/" + kApplicationFolder;
  return {};
}

std::string UserDataFolder() {
  std::string home = EnvironmentText("HOME");
  if (home.empty()) {
    if (const passwd* account = ::getpwuid(::getuid()); account != nullptr && account->pw_dir) {
      home = account->pw_dir;
    }
  }
  return UserDataFolder(EnvironmentText("XDG_DATA_HOME"), home);
}

std::string InstalledSamplesFolder(const std::string& programFolder) {
  const fs::path program = fs::path(programFolder).parent_path();  // drops the trailing '/'
  if (program.filename() != "bin") return {};
  const fs::path samples = program.parent_path() / "share" / "vernoli" / "samples";
  std::error_code error;
  if (!fs::is_directory(samples, error)) return {};
  return samples.string() + "/";
}

FolderChoice ChooseFolders(const std::string& executablePath, const std::string& userDataFolder) {
  FolderChoice choice;
  choice.Folders = FoldersOfExecutable(executablePath);
  const std::string program = choice.Folders.Program;
  choice.Samples = InstalledSamplesFolder(program);
  const bool writable = ::access(program.c_str(), W_OK) == 0;
  if ((writable && choice.Samples.empty()) || userDataFolder.empty()) return choice;
  choice.Folders = FoldersIn(program, WithSlash(userDataFolder));
  choice.UserFolders = true;
  return choice;
}

Status PrepareUserFolders(const ProgramFolders& folders, const std::string& samples) {
  struct Folder {
    const std::string* Path;
    const char* Samples;  // subfolder of `samples` it starts with, or nullptr
  };
  const Folder wanted[] = {{&folders.Data, "DATA"}, {&folders.Report, nullptr},
                           {&folders.Import, "IMPORT"}};
  for (const Folder& folder : wanted) {
    std::error_code error;
    const fs::path path(*folder.Path);
    if (fs::is_directory(path, error)) continue;
    if (!fs::create_directories(path, error) && !fs::is_directory(path)) {
      return Status::Error("cannot make the folder " + *folder.Path +
                           (error ? ": " + error.message() : std::string()));
    }
    if (folder.Samples != nullptr && !samples.empty()) {
      if (Status s = CopyMissingFiles(fs::path(samples) / folder.Samples, path); !s) return s;
    }
  }
  return Status::Success();
}

ProgramFolders FoldersOfThisProgram(Status* problem) {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  const FolderChoice choice =
      ChooseFolders(error ? std::string("./vernoli") : exe.string(), UserDataFolder());
  Status status;
  if (choice.UserFolders) status = PrepareUserFolders(choice.Folders, choice.Samples);
  if (problem != nullptr) *problem = status;
  return choice.Folders;
}

namespace {

// The first folder on the way to `path` that is something else (a file), or "" when there is
// none: the reason a path beyond it cannot be a folder.
std::string FileOnTheWay(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    struct stat info {};
    if (::stat(part.c_str(), &info) != 0) return {};
    if (!S_ISDIR(info.st_mode)) return part;
  }
  return {};
}

std::string SystemReason(int error) { return std::generic_category().message(error); }

}  // namespace

Status CheckFolder(const std::string& folder, std::string_view role) {
  const std::string named = std::string(role) + " " + folder;
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    const int error = errno;
    if (error == ENOENT) return Status::Error(named + " does not exist");
    if (error == ENOTDIR) {
      // A file where a folder of the path should be; the folder itself, named with a '/'.
      const std::string file = FileOnTheWay(folder);
      if (file.empty() || folder.compare(0, folder.find_last_not_of('/') + 1, file) == 0) {
        return Status::Error(named + " is not a folder");
      }
      return Status::Error(named + " cannot be a folder: " + file + " is a file, not a folder");
    }
    return Status::Error(named + " cannot be opened: " + SystemReason(error));
  }
  if (!S_ISDIR(info.st_mode)) return Status::Error(named + " is not a folder");
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return Status::Error(named + " cannot be read: " + SystemReason(errno));
  ::closedir(listing);
  return Status::Success();
}

}  // namespace vernoli
