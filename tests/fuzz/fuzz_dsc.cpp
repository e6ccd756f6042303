// The .DSC reader. A file that reads is written back as a well-formed .DSC of 62 lines, and that
// file reads and writes again to the very same bytes; a file that does not read gives the
// program's message. Reading never changes the file.
#include "fuzz_support.h"
#include "model/station.h"

using namespace vernoli;
using namespace vernoli::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string& folder = Folder();
  Clear(folder);
  WriteFile(folder + "S.DSC", input);
  RepClimateFile station;
  SetStationFiles(station, folder, "S");
  const Status read = ReadStationDescription(station);
  Require(ReadFile(folder + "S.DSC") == input, "reading changed the file");
  if (!read) {
    RequireErrorMessage(read.Message);
    return 0;
  }
  SetStationFiles(station, folder, "T");
  const Status written = WriteStationDescription(station);
  Require(written.Ok, "a station that reads cannot be written: " + written.Message);
  const std::string first = ReadFile(folder + "T.DSC");
  Require(RequireWellFormedText("T.DSC", first) == 62, "the written .DSC has not 62 lines");

  RepClimateFile again;
  SetStationFiles(again, folder, "T");
  const Status reread = ReadStationDescription(again);
  Require(reread.Ok, "a written .DSC does not read: " + reread.Message);
  SetStationFiles(again, folder, "U");
  Require(WriteStationDescription(again).Ok, "the second write failed");
  Require(ReadFile(folder + "U.DSC") == first, "writing what was read changes the file");
  return 0;
}
