#include "stations/newstation.h"

#include "model/atomicfile.h"
#include "model/datafile.h"
#include "stations/entry.h"
#include "stations/fileset.h"

namespace vernoli {

namespace {

// Writes the station's .DTA (by `writeData`) and its .DSC, both or neither, and only while no
// other process has made the station meanwhile.
Status WriteStationFiles(const RepClimateFile& station, const DataFileWriter& writeData) {
  FileSet files;
  RepClimateFile staged = station;
  staged.DtaFileName = files.Add(station.DtaFileName, FileSet::Target::New);
  staged.DscFileName = files.Add(station.DscFileName, FileSet::Target::New);
  Status written = writeData(station, staged.DtaFileName);
  if (!written) {
    return {false, files.TargetsNamed(written.Message)};
  }
  written = WriteStationDescription(staged);
  if (!written) {
    return {false, files.TargetsNamed(written.Message)};
  }
  return files.Commit();
}

}  // namespace

FileNameCheck CheckNewStationName(const std::string& dataFolder, const std::string& name) {
  FileSet::Recover(dataFolder);
  FileNameCheck check = CheckFileName(dataFolder, name, "DSC", false);
  if (!check.Ok()) return check;
  // The two files are one station: a data file left without its description is not replaced.
  if (FileExistsInAnyCase(dataFolder, check.Name + ".DTA")) {
    return RefuseFileName(std::move(check), FileNameOutcome::Exists);
  }
  // Whatever the file system refuses is an illegal name. The test creates a hidden file beside
  // the station, not the .DSC itself, so that no empty description is ever listed.
  AtomicFile probe(FileSet::StagingName(check.Path));
  if (!probe.Good()) return RefuseFileName(std::move(check), FileNameOutcome::Illegal);
  return check;
}

CreateResult CreateStationFiles(const std::string& dataFolder, const std::string& name,
                                RepClimateFile station, const DataFileWriter& writeData) {
  CreateResult result;
  const FileNameCheck check = CheckNewStationName(dataFolder, name);
  if (!check.Ok()) {
    result.Failure = CreateFailure::FileName;
    result.Message = check.Message;
    return result;
  }
  SetStationFiles(station, dataFolder, check.Name);
  if (Status written = WriteStationFiles(station, writeData); !written) {
    result.Failure = CreateFailure::Files;
    result.Message = written.Message;
    return result;
  }
  result.Station = std::move(station);
  return result;
}

IntegerEntryCheck NewStationInput::EnterAltitude(std::string_view text) {
  IntegerEntryCheck check = EnterInteger(fields::kAltitudeNewStation, text);
  Altitude = static_cast<int32_t>(check.Value);
  return check;
}

RepClimateFile NewStationRecord(const NewStationInput& input) {
  RepClimateFile station =
      NewStation(input.Classes.Site, input.Classes.Humidity, input.Classes.Wind);
  station.StationName = input.StationName;
  station.Country = input.Country;
  station.Latitude = input.Latitude.Value();
  station.Longitude = input.Longitude.Value();
  station.Altitude = input.Altitude;
  input.Span.ApplyTo(station);
  station.Description = BuildDescription(station.StationName, station.Country, station.DataType,
                                         station.From(), station.To());
  return station;
}

CreateResult CreateStation(const std::string& dataFolder, const NewStationInput& input) {
  return CreateStationFiles(dataFolder, input.Name, NewStationRecord(input),
                            [](const RepClimateFile& station, const std::string& staged) {
                              RepClimateFile empty = station;
                              empty.DtaFileName = staged;
                              return CreateEmptyDataFile(empty);
                            });
}

CreateResult CopyStation(const std::string& dataFolder, const RepClimateFile& source,
                         const std::string& newName, const std::string& stationName,
                         const std::string& country) {
  RepClimateFile copy = source;
  copy.StationName = stationName;
  copy.Country = country;
  // The name may have changed: the one-line description follows it.
  copy.Description =
      BuildDescription(copy.StationName, copy.Country, copy.DataType, copy.From(), copy.To());
  const std::string sourceData = source.DtaFileName;
  return CreateStationFiles(dataFolder, newName, std::move(copy),
                            [&sourceData](const RepClimateFile&, const std::string& staged) {
                              return CopyDataFile(sourceData, staged);
                            });
}

}  // namespace vernoli
