// Helpers of the station management tests: a station written into a scratch folder, the state
// of a whole folder, the lines of a file, and guards that lift the failure hooks again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "../model/scratch_folder.h"
#include "../workspace/station_files.h"
#include "model/atomicfile.h"
#include "model/station.h"
#include "stations/fileset.h"

namespace vernoli::test_support {

// Every file of the folder (hidden ones too) with its bytes.
inline std::map<std::string, std::string> Snapshot(const ScratchFolder& folder) {
  std::map<std::string, std::string> files;
  for (const std::string& name : folder.Names()) files[name] = ReadBytes(folder.File(name));
  return files;
}

// The lines of a text, each without its CR LF.
inline std::vector<std::string> LinesOf(std::string_view bytes) {
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find("\r\n");
    lines.emplace_back(bytes.substr(0, end));
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 2);
  }
  return lines;
}

// Lines first..last (1-based) of a file, each with its CR LF.
inline std::string LineRange(const std::string& path, int first, int last) {
  const std::vector<std::string> lines = LinesOf(ReadBytes(path));
  std::string text;
  for (int i = first; i <= last && i <= static_cast<int>(lines.size()); ++i) {
    text += lines[static_cast<std::size_t>(i - 1)] + "\r\n";
  }
  return text;
}

// A station "Alpha" in "Beta" with the given span, its .DSC written by the program's writer and
// its .DTA exactly as given; read back as a selection reads it.
inline RepClimateFile WriteStation(const ScratchFolder& folder, const std::string& name,
                                   uint8_t dataType, Date from, Date to,
                                   std::string_view dtaBytes) {
  return WriteStation(folder.Folder(), name, dataType, from, to, dtaBytes);
}

// Lifts every failure hook when the test ends, whatever it injected.
struct FailureHooksLifted {
  ~FailureHooksLifted() {
    AtomicFile::InjectDiskFullForTesting("", SIZE_MAX);
    AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::None);
    FileSet::InjectRenameFailureForTesting(0);
  }
};

}  // namespace vernoli::test_support
