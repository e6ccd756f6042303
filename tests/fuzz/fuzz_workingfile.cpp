// The reader of the working file FullSet.TMP. Every value it returns is finite; a record written
// back reads as the very same values (the working file keeps every digit); a failure gives the
// program's message. Reading never changes the file.
#include <cmath>
#include <cstring>

#include "fuzz_support.h"
#include "model/textfile.h"
#include "workspace/workingfile.h"

using namespace vernoli;
using namespace vernoli::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string& folder = Folder();
  Clear(folder);
  const std::string path = folder + "FullSet.TMP";
  WriteFile(path, input);
  WorkingFileReader reader;
  const Status opened = reader.Open(path);
  if (!opened) {
    RequireErrorMessage(opened.Message);
    Require(ReadFile(path) == input, "reading changed the file");
    return 0;
  }
  int32_t number = 0;
  ClimaticRecord record;
  int records = 0;
  while (reader.Next(number, record) && ++records < 5000) {
    std::string line = WorkingRecordLine(number, record);
    int32_t numberAgain = 0;
    ClimaticRecord again;
    const Status parsed = ParseWorkingRecord(line, "FullSet.TMP", 2, numberAgain, again);
    Require(parsed.Ok, "a written working record does not read: " + parsed.Message);
    Require(numberAgain == number, "the record number changed");
    for (std::size_t i = 0; i < record.Values.size(); ++i) {
      Require(std::isfinite(record.Values[i]), "a value that is no finite number");
      Require(std::memcmp(&record.Values[i], &again.Values[i], sizeof(double)) == 0 ||
                  (IsMissing(record.Values[i]) && IsMissing(again.Values[i])),
              "a value changed on its way through the working file: " + line);
    }
  }
  if (!reader.status()) RequireErrorMessage(reader.status().Message);
  Require(ReadFile(path) == input, "reading changed the file");
  return 0;
}
