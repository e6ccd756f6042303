// The .DTA reader. Every record it returns has one value per code and at most 37 codes; what it
// reads, written back, is a well-formed .DTA that reads and writes again to the very same bytes.
// Reading never changes the file; a failure gives the program's message.
#include <vector>

#include "fuzz_support.h"
#include "model/atomicfile.h"
#include "model/datafile.h"
#include "model/station.h"

using namespace vernoli;
using namespace vernoli::fuzz;

namespace {

std::string lastMessage;  // of the last file that did not read

// Reads the whole file; false (with the message checked) when it does not read.
bool ReadAll(const std::string& path, std::vector<int16_t>& codes, std::vector<DataRecord>& records) {
  DataFileReader reader;
  if (Status s = reader.Open(path); !s) {
    lastMessage = s.Message;
    RequireErrorMessage(s.Message);
    return false;
  }
  codes = reader.Codes();
  Require(codes.size() <= 37, "more than 37 codes");
  DataRecord record;
  while (reader.Next(record)) {
    Require(record.Values.size() == codes.size(), "a record without one value per code");
    records.push_back(record);
  }
  if (!reader.status()) {
    lastMessage = reader.status().Message;
    RequireErrorMessage(reader.status().Message);
    return false;
  }
  return true;
}

std::string Written(const std::string& path, const std::vector<int16_t>& codes,
                    const std::vector<DataRecord>& records) {
  AtomicFile file(path);
  WriteDataHeader(file, codes);
  for (const DataRecord& record : records) WriteDataRecord(file, record.Number, record.Values, codes);
  const Status s = file.Commit();
  Require(s.Ok, "writing what was read failed: " + s.Message);
  return ReadFile(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string& folder = Folder();
  Clear(folder);
  WriteFile(folder + "S.DTA", input);

  RepClimateFile station;
  SetStationFiles(station, folder, "S");
  const Status codesRead = ReadParameterCodes(station);
  std::vector<int16_t> codes;
  std::vector<DataRecord> records;
  const bool read = ReadAll(folder + "S.DTA", codes, records);
  Require(ReadFile(folder + "S.DTA") == input, "reading changed the file");
  if (!codesRead) RequireErrorMessage(codesRead.Message);
  if (!read) return 0;
  Require(codesRead.Ok && station.NumberOfParameters == static_cast<int>(codes.size()),
          "the header reads differently for the station and for the data");
  if (records.size() > 2000) return 0;  // long files add nothing but time

  const std::string first = Written(folder + "T.DTA", codes, records);
  Require(RequireWellFormedText("T.DTA", first) == static_cast<int>(records.size()) + 1,
          "the written .DTA has not one line per record after its header");
  std::vector<int16_t> codesAgain;
  std::vector<DataRecord> recordsAgain;
  Require(ReadAll(folder + "T.DTA", codesAgain, recordsAgain), "a written .DTA does not read: " + lastMessage);
  Require(codesAgain == codes && recordsAgain.size() == records.size(), "the codes changed");
  Require(Written(folder + "U.DTA", codesAgain, recordsAgain) == first,
          "writing what was read changes the file");
  return 0;
}
