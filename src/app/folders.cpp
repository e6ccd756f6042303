#include "app/folders.h"

#include <filesystem>
#include <system_error>

namespace vernoli {

ProgramFolders FoldersOfExecutable(const std::string& executablePath) {
  const size_t slash = executablePath.find_last_of('/');
  ProgramFolders folders;
  folders.Program = slash == std::string::npos ? std::string("./") : executablePath.substr(0, slash + 1);
  folders.Data = folders.Program + "DATA/";
  folders.Report = folders.Program + "REPORT/";
  folders.Import = folders.Program + "IMPORT/";
  return folders;
}

ProgramFolders FoldersOfThisProgram() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return FoldersOfExecutable(error ? std::string("./vernoli") : exe.string());
}

}  // namespace vernoli
