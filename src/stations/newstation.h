// Making a new station: a new .DSC/.DTA pair in the data folder, either with an empty data set
// (new-file mode) or as a copy of the selected station under a new name (copy mode).
//
// Both leave the folder holding either the complete new pair or nothing new: the files are
// written under hidden names first and put in place together (see FileSet).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/checks.h"
#include "model/station.h"
#include "stations/location.h"
#include "stations/span.h"

namespace vernoli {

// The entries of the create form in new-file mode. A new object holds what the form shows on
// opening: latitude 22.37 North and longitude 22.37 East (22 degrees 22 minutes), altitude 222,
// an interior, humid location with light to moderate winds, daily data from 1 January 2005 to
// 31 December 2005.
struct NewStationInput {
  std::string Name;         // the file name as typed; its blanks are removed
  std::string StationName;
  std::string Country;
  CoordinateField Latitude{Axis::Latitude, kNewStationLatitude};
  CoordinateField Longitude{Axis::Longitude, kNewStationLongitude};
  int32_t Altitude = kNewStationAltitude;
  LocationClasses Classes;
  SpanEntry Span;

  // The altitude edit was left: -500..5000 m, 222 when the text is no number.
  IntegerEntryCheck EnterAltitude(std::string_view text);
};

// The description of the new station: location and span as entered, every other field at the
// default of a new station chosen by the location classes, ETo as the only parameter, the
// Description built. The file names are not set.
RepClimateFile NewStationRecord(const NewStationInput& input);

enum class CreateFailure : uint8_t {
  None,
  FileName,  // the name was refused: the form puts the focus back into the name edit
  Files,     // the files could not be read or written: nothing new is in the folder
};

struct CreateResult {
  CreateFailure Failure = CreateFailure::None;
  std::string Message;     // "ERROR:\n" + reason; empty on success
  RepClimateFile Station;  // the new station, to become the selected one (on success)

  bool Created() const { return Failure == CreateFailure::None; }
};

// The check of a new station's name in the data folder, for every way of making a station
// (create, copy, import): blanks removed; "FileName is not yet specified" for an empty name;
// "Filename exists already" when NAME.DSC or NAME.DTA exists, also in another letter case;
// "illegal filename" for a name with a point, a path separator or a control character, or one
// the file system refuses. Unlike CheckNewFileName it creates no file under the station's name.
FileNameCheck CheckNewStationName(const std::string& dataFolder, const std::string& name);

// New-file mode: checks input.Name in the data folder (extension "DSC", an existing station
// refused) and writes NAME.DSC and NAME.DTA, the data file holding only an empty ETo column of
// the span's records.
CreateResult CreateStation(const std::string& dataFolder, const NewStationInput& input);

// Copy mode: the station `source` (as read when it was selected) under `newName`, with the given
// station name and country; every setting, limit and the span are kept and the .DTA is copied
// line by line from source.DtaFileName.
CreateResult CopyStation(const std::string& dataFolder, const RepClimateFile& source,
                         const std::string& newName, const std::string& stationName,
                         const std::string& country);

// Writes the files of a new station under `name`: the name is checked by CheckNewStationName,
// then `writeData` writes the data file at the hidden path it is given, and the .DSC of `station`
// is written; both files reach the folder or neither does, also when the process ends midway. Station's file names are set from the checked name before `writeData` is called.
using DataFileWriter = std::function<Status(const RepClimateFile& station,
                                            const std::string& stagedDataFile)>;
CreateResult CreateStationFiles(const std::string& dataFolder, const std::string& name,
                                RepClimateFile station, const DataFileWriter& writeData);

}  // namespace vernoli
