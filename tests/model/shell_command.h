// A program run as a user's shell runs it, its standard output and error caught in files.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "scratch_folder.h"

namespace vernoli::test_support {

struct CommandOutcome {
  int status = -1;  // the exit status; -1 when the command did not end by itself
  std::string out;
  std::string err;
};

// Runs `command` (a shell command line, its words quoted by the caller) with its standard output
// and error sent to files of a scratch folder, and standard input from /dev/null.
inline CommandOutcome RunShellCommand(const std::string& command) {
  ScratchFolder scratch;
  const std::string out = scratch.File("stdout");
  const std::string err = scratch.File("stderr");
  const int raw =
      std::system((command + " >'" + out + "' 2>'" + err + "' </dev/null").c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(out), ReadBytes(err)};
}

}  // namespace vernoli::test_support
