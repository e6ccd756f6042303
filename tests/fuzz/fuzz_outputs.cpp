// The calculation run and its writers, fed with a fuzzed station (.DSC, a NUL byte, .DTA): the
// working data, the rewritten .DTA, the report with every block, and the crop-model ETo and
// temperature files (a series that starts or ends with a gap gets 1.0 as its boundary value).
// A success leaves well-formed files, one line per record; a failure gives the program's
// message and leaves the station's files as they were (an output file may hold the empty line
// of its name check).
#include <optional>

#include "fuzz_support.h"
#include "model/datafile.h"
#include "model/station.h"
#include "model/stationcodes.h"
#include "stations/catalog.h"
#include "workspace/run.h"
#include "workspace/workingdata.h"

using namespace vernoli;
using namespace vernoli::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view dscBytes;
  std::string_view dtaBytes;
  SplitStation(std::string_view(reinterpret_cast<const char*>(data), size), dscBytes, dtaBytes);
  const std::string& folder = Folder();
  Clear(folder);
  WriteFile(folder + "S.DSC", dscBytes);
  WriteFile(folder + "S.DTA", dtaBytes);
  RepClimateFile station;
  if (Status s = ChooseStation(folder, "S", OutputNameRule::SetToFileName, station); !s) {
    RequireErrorMessage(s.Message);
    return 0;
  }
  // Spans beyond a few years add nothing but time.
  if (station.NumberOfRecords > 800 || dtaBytes.size() > 60000) return 0;
  SortParameterCodes(station);
  WorkingData working;
  if (Status s = LoadWorkingData(station, working); !s) {
    RequireErrorMessage(s.Message);
    return 0;
  }
  const std::string dsc = ReadFile(folder + "S.DSC");
  const bool fahrenheit = TemperaturesInFahrenheit(StationCodes(station));
  for (OutputKind kind : {OutputKind::Report, OutputKind::EToFile, OutputKind::TemperatureFile}) {
    const std::string dta = ReadFile(folder + "S.DTA");
    ExportRequest request;
    request.Kind = kind;
    request.OutputFolder = folder;
    request.Name = "OUT";
    request.Description = "fuzzed";
    request.Content = ReportContent{true, true, true, true};
    request.Fahrenheit = fahrenheit;
    request.Boundary = [](const BoundaryRequest&) -> std::optional<double> { return 1.0; };
    const RunResult run = ExportFile(station, working, request);
    Require(ReadFile(folder + "S.DSC") == dsc, "an export changed the .DSC");
    const std::string extension(OutputExtension(kind));
    const std::string output = ReadFile(folder + "OUT." + extension);
    if (!run) {
      RequireErrorMessage(run.Outcome.Message);
      Require(ReadFile(folder + "S.DTA") == dta, "a failed export changed the .DTA");
      Require(output == "\r\n" || output == "<missing>", "a failed export left an output file");
      continue;
    }
    const int dtaLines = RequireWellFormedText("S.DTA", ReadFile(folder + "S.DTA"));
    const int records = dtaLines - 1;
    const int header = kind == OutputKind::Report ? 4 : 8;
    Require(RequireWellFormedText("OUT." + extension, output) == header + records,
            "OUT." + extension + " has not one line per record after its header");
  }
  return 0;
}
