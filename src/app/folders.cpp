#include "app/folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

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

// Copies every file of `from` that `to` lacks; an existing file is never opened for writing.
Status CopyMissingFiles(const fs::path& from, const fs::path& to) {
  std::error_code error;
  if (!fs::is_directory(from, error)) return Status::Success();
  for (const fs::directory_entry& entry : fs::directory_iterator(from, error)) {
    if (!entry.is_regular_file(error)) continue;
    const fs::path target = to / entry.path().filename();
    if (fs::exists(fs::symlink_status(target, error))) continue;
    fs::copy_file(entry.path(), target, fs::copy_options::skip_existing, error);
    if (error) {
      return Status::Error("cannot copy the sample file " + entry.path().string() + " to " +
                           to.string() + "/: " + error.message());
    }
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

}  // namespace vernoli
