// The program's three folders, found beside the executable.
#pragma once

#include <string>

namespace vernoli {

struct ProgramFolders {
  std::string Program;  // the executable's folder, ending with '/'
  std::string Data;     // Program + "DATA/"
  std::string Report;   // Program + "REPORT/"
  std::string Import;   // Program + "IMPORT/"
};

// The folders for an executable at `executablePath`: its text up to and including the last '/'.
ProgramFolders FoldersOfExecutable(const std::string& executablePath);

// The folders of the running program (from /proc/self/exe).
ProgramFolders FoldersOfThisProgram();

}  // namespace vernoli
