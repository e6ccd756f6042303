// The whole vernoli-batch entry point with a fuzzed station: the first byte chooses the command
// (recompute, report with a choice of blocks, crop-files with or without boundary values), the
// rest is the station (.DSC, a NUL byte, .DTA). Exit status 0 leaves well-formed files, one line
// per record, and the .DSC as it was (the .DTA too but for recompute); any other status gives the
// program's message and changes no file at all.
#include <sstream>
#include <vector>

#include "cli/batch.h"
#include "fuzz_support.h"
#include "model/datafile.h"
#include "model/folders.h"

using namespace vernoli;
using namespace vernoli::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t choice = data[0];
  std::string_view dsc;
  std::string_view dta;
  SplitStation(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), dsc, dta);
  if (dta.size() > 60000) return 0;
  ProgramFolders folders;
  folders.Data = Folder() + "DATA/";
  folders.Report = Folder() + "REPORT/";
  ::mkdir(folders.Data.c_str(), 0777);
  ::mkdir(folders.Report.c_str(), 0777);
  Clear(folders.Data);
  Clear(folders.Report);
  WriteFile(folders.Data + "S.DSC", dsc);
  WriteFile(folders.Data + "S.DTA", dta);
  const auto dataBefore = Snapshot(folders.Data);

  std::vector<std::string> args;
  switch (choice % 3) {
    case 0: args = {"recompute", "S"}; break;
    case 1: {
      static const char* kColumns[] = {"nr", "date", "data", "results"};
      std::string columns;
      for (int bit = 0; bit < 4; ++bit) {
        if ((choice >> (2 + bit)) & 1) columns += std::string(columns.empty() ? "" : ",") + kColumns[bit];
      }
      args = {"report", "S"};
      if (!columns.empty()) args.insert(args.end(), {"--columns", columns});
      break;
    }
    default:
      args = {"crop-files", "S"};
      if (choice & 0x80) {
        args.insert(args.end(), {"--first-eto", "2", "--last-eto", "3", "--first-tmin", "5",
                                 "--last-tmin", "6", "--first-tmax", "20", "--last-tmax", "21"});
      }
      break;
  }
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunBatch(args, out, err, folders);
  const auto dataAfter = Snapshot(folders.Data);
  const auto reports = Snapshot(folders.Report);
  if (status != 0) {
    RequireErrorMessage(err.str());
    Require(dataAfter == dataBefore, "a failed command changed the data folder");
    Require(reports.empty(), "a failed command left an output file");
    return 0;
  }
  Require(dataAfter.size() == 2 && dataAfter.at("S.DSC") == dataBefore.at("S.DSC"),
          "the command changed the .DSC or left a file in the data folder");
  // recompute rewrites the .DTA; report and crop-files only read it.
  if (args.front() == "recompute") {
    RequireWellFormedText("S.DTA", dataAfter.at("S.DTA"));
  } else {
    Require(dataAfter.at("S.DTA") == dataBefore.at("S.DTA"), args.front() + " changed the .DTA");
  }
  DataFileReader reader;
  Require(reader.Open(folders.Data + "S.DTA").Ok, "the .DTA does not read");
  int records = 0;
  for (DataRecord record; reader.Next(record);) ++records;
  Require(reader.status().Ok, "the .DTA does not read to its end");
  for (const auto& [name, bytes] : reports) {
    const int header = name.ends_with(".REP") ? 4 : 8;
    Require(RequireWellFormedText(name, bytes) == header + records,
            name + " has not one line per record after its header");
  }
  return 0;
}
