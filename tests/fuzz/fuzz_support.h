// What every fuzz target shares: a scratch folder in memory, writing and reading whole files, and
// the checks of the promises every reader and writer keeps.
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

namespace vernoli::fuzz {

// A broken promise: the fuzzer reports it as a crash, with the reason.
[[noreturn]] inline void Broken(const std::string& why) {
  std::fprintf(stderr, "broken promise: %s\n", why.c_str());
  std::abort();
}

inline void Require(bool holds, const std::string& why) {
  if (!holds) Broken(why);
}

// One scratch folder per process, in memory where the system offers it; ends with '/'.
inline const std::string& Folder() {
  static const std::string folder = [] {
    std::string pattern = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    pattern += "/vernoli-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) Broken("no scratch folder");
    return pattern + "/";
  }();
  return folder;
}

inline void WriteFile(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) Broken("cannot write " + path);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

inline std::string ReadFile(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return "<missing>";
  char buffer[8192];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
    bytes.append(buffer, got);
  }
  std::fclose(file);
  return bytes;
}

// Every file of a folder with its bytes.
inline std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  if (DIR* listing = ::opendir(folder.c_str())) {
    while (const dirent* item = ::readdir(listing)) {
      const std::string name = item->d_name;
      if (name != "." && name != "..") files[name] = ReadFile(folder + name);
    }
    ::closedir(listing);
  }
  return files;
}

// Empties the folder.
inline void Clear(const std::string& folder) {
  if (DIR* listing = ::opendir(folder.c_str())) {
    while (const dirent* item = ::readdir(listing)) {
      const std::string name = item->d_name;
      if (name != "." && name != "..") ::unlink((folder + name).c_str());
    }
    ::closedir(listing);
  }
}

// A failure is the program's message: "ERROR:", a line break and a reason.
inline void RequireErrorMessage(const std::string& message) {
  Require(message.rfind("ERROR:\n", 0) == 0 && message.size() > 7,
          "a failure without the program's message: " + message);
}

// A file the program wrote: every line ends with CR LF (a name copied from a station's file
// keeps whatever bytes it has). Returns the number of lines.
inline int RequireWellFormedText(const std::string& name, const std::string& bytes) {
  int lines = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      Require(i > 0 && bytes[i - 1] == '\r', name + ": a line end without CR");
      ++lines;
    }
  }
  Require(bytes.empty() || (bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == "\r\n"),
          name + " does not end with a line end");
  return lines;
}

// Splits the input of a target that takes a station at its first NUL byte: the .DSC before it,
// the .DTA after it.
inline void SplitStation(std::string_view input, std::string_view& dsc, std::string_view& dta) {
  const std::size_t nul = input.find('\0');
  dsc = input.substr(0, nul);
  dta = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
}

}  // namespace vernoli::fuzz
