// Creating the new station from an import file: the import's station description at its reset,
// the empty twin columns added to the file's columns, the lines of the new data file, and the
// step that writes the .DSC and the .DTA together.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "import/scan.h"
#include "model/parameters.h"
#include "model/status.h"
#include "model/station.h"
#include "stations/span.h"

namespace vernoli {

// The import's description when the import opens or its kind changes: latitude and longitude
// 22.37, altitude 100, wind height 2.0 m, an interior, humid site with light to moderate winds,
// the default settings and limits of a new station, NumberOfParameters and every code -999, no
// names; daily data of 2005 for free-format text, monthly data not linked to a year for the
// database kinds. The span fields are those of ImportSpanReset.
RepClimateFile ImportStationReset(ImportKind kind);
SpanEntry ImportSpanReset(ImportKind kind);

// An imported station's psychrometer coefficient.
inline constexpr double kImportPsychrometerCoefficient = kNewStationPsychrometerCoefficient;

// The empty columns a new station gets for twins its file lacks: the first of 101, 103, 111, 113
// without its twin (103, 101, 113, 111) gives that twin; the first of 231-234 without its twin
// (232, 231, 234, 233) gives a second one.
std::vector<int16_t> ExtraColumns(std::span<const int16_t> codes);

// The header of the new data file: "        Nr", the codes, the extra codes and 501, each I(10).
std::string ImportedHeaderLine(std::span<const int16_t> codes, std::span<const int16_t> extra);

// One record line of the new data file: the record number I(10), one value per code, each R(10)
// with the decimals of its code (the undefined value written as -999), then "    -999.0" for
// each extra column and for ETo. Returns the 0-based column of the first value that does not fit
// its field of 10 characters, -1 when every value fits.
int ImportedDataLine(int64_t number, std::span<const double> values,
                     std::span<const int16_t> codes, int extraColumns, double undefined,
                     std::string& line);

// Where the data lines come from and what they were checked as. The import reads them again as
// it writes them and refuses a source that differs from what was checked, naming what changed.
// Lines are taken up to the first empty line or the end.
struct ImportSource {
  // The file read: the import file (after its station line for a Hydrolex file) or the
  // transposed file of a Meteorix file. Empty: the Lines are the data lines.
  std::string Path;
  ImportKind Kind = ImportKind::Text;
  // Text and Hydrolex: the scan the import was checked on; the file must scan the same again.
  ScanResult Scan;
  // Text and Hydrolex: per column, the limits the values were checked against; every value
  // written lies within them.
  std::vector<ValueRange> Limits;
  // Meteorix: the transposed lines; a file at Path must hold exactly these.
  std::vector<std::string> Lines;
  // Delimited: the values to write, one span per column with one value per record (kMissing
  // where missing), each within its Limits; and the check, run before the first line is
  // written, that the file at Path still gives the values read.
  std::vector<std::span<const double>> Values;
  std::function<Status()> Unchanged;
};

enum class ImportFailure : uint8_t {
  None,
  Refused,   // a lamp is red: nothing is checked further
  FileName,  // the name was refused: the form shows the report page, focus on EditFileName
  Files,     // a file could not be read or written: the data folder is as it was
};

struct ImportResult {
  ImportFailure Failure = ImportFailure::None;
  std::string Message;      // "ERROR:\n" + reason; empty on success
  RepClimateFile Station;   // the new station, the open and selected one (on success)

  bool Imported() const { return Failure == ImportFailure::None; }
};

// "ERROR:\nCANNOT import data\n" + the text of the red lamp.
std::string CannotImportMessage(std::string_view lampText);

// Refuses a location that the station's fields would not accept (Refused, "CANNOT import data"
// and the reason); checks `name` (blanks removed; empty, existing in any letter case, or illegal
// refused) and writes NAME.DSC and NAME.DTA in the data folder, both or neither. The data lines
// of `source` are read again as they are written: a source that is not what was checked is
// refused (Files) with the reason naming its file, the line and what changed. `station` is the import's
// description with its span and settings; `codes` are the columns of the source, in order. On
// success the station returned has the extra codes and 501 appended to its codes, the grown
// NumberOfParameters, its file names and its Description.
ImportResult WriteImportedStation(const std::string& dataFolder, const std::string& name,
                                  RepClimateFile station, std::span<const int16_t> codes,
                                  const ImportSource& source, double undefined);

}  // namespace vernoli
