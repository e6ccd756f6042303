// The exports of two climate databases: Hydrolex files (*.PEN) and Meteorix files (*.DAT). Both
// hold the long-term monthly means (12 records, not linked to a year) of one station with its
// name and location; the import takes the location from the file, presets the columns and
// derives the location classes from the data.
//
// Each reader works on a file path, keeps no state between calls, and never throws: a file it
// cannot use comes back with the reason, naming the file and the line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/scan.h"
#include "model/station.h"
#include "stations/location.h"

namespace vernoli {

// LabelSoft on the file page: "Hydrolex 2.0" or "Meteorix2"; empty for the text kinds.
std::string_view DatabaseName(ImportKind kind);

// The station as a database file gives it.
struct DatabaseStation {
  std::string StationName;
  std::string Country;    // Meteorix only
  double Latitude = 0.0;  // signed decimal degrees, South negative
  double Longitude = 0.0; // signed decimal degrees, West negative
  int32_t Altitude = 0;   // m
};

// ---------------------------------------------------------------------------------------------
// Location classes from the data

// Coastal (HargreavesRsCoefficient 0.19) at 20 m or less, else interior (0.16).
void ClassFromAltitude(int32_t altitude, RepClimateFile& station, LocationClasses& classes);
// A mean on a boundary, to a relative 1e-9 (the rounding of a mean computed from monthly values),
// falls in the class of the boundary.
// Humid (TdewTminDifference 0.0) above a mean of 62 %, else arid (2.0).
void ClassFromHumidity(double meanHumidity, RepClimateFile& station, LocationClasses& classes);
// Light winds up to 1.25 m/sec, moderate to strong from 3 m/sec, else light to moderate; the
// mean becomes DefaultU2 in every case.
void ClassFromWind(double meanWind, RepClimateFile& station, LocationClasses& classes);

// ---------------------------------------------------------------------------------------------
// Hydrolex

// Table rows preset for the six imported columns: Tmax, Tmin, RHmean, wind (km/day), sunshine
// hours and solar radiation. The file's seventh column is checked but not imported.
inline constexpr std::array<int, 6> kHydrolexRows = {1, 3, 8, 22, 25, 27};

// The station line, fields separated by commas and counted from the end: 2 longitude,
// 4 latitude, 5 altitude (whole metres), 6 the name with one enclosing character on each side.
// False with the reason (naming the file and line 1) when a field is absent or no number, or
// when the station's fields would not accept a latitude, longitude or altitude (the reason then
// names its column too and what is accepted).
bool ParseHydrolexStationLine(std::string_view line, std::string_view file,
                              DatabaseStation& station, std::string& reason);

struct HydrolexFile {
  DatabaseStation Station;  // valid unless the scan is Unreadable
  ScanResult Scan;          // the data lines after the station line
  double MeanHumidity = 0.0;  // sum of column 3 / 12, %
  double MeanWind = 0.0;      // sum of column 4 / 12, m/sec
};
// Reads the station line and scans the data lines. A station line that cannot be used makes the
// scan Unreadable with its reason.
HydrolexFile ReadHydrolexFile(const std::string& path, double undefined);

// ---------------------------------------------------------------------------------------------
// Meteorix

// The element codes of a Meteorix file and the table row each becomes; 0 for any other code.
int TableRowOfElement(int elementCode);
// The import's tables hold this many element lines and recognised elements.
inline constexpr int kMaxElementLines = 14;
inline constexpr int kMaxElements = kMaxImportColumns;
// The name of the intermediate file left in the import folder.
inline constexpr std::string_view kTransposedFileName = "TransposedData.DEL";

struct MeteorixFile {
  DatabaseStation Station;
  // Outcome Ok with Lines 12 (months) and the columns with their minima and maxima (every value
  // counts), EmptyFile without a recognised element line, Unreadable with the reason.
  ScanResult Scan;
  std::vector<int> TableRows;                  // per column, in file order
  std::vector<std::array<double, 12>> Values;  // per column, January to December
  double HumiditySum = 0.0;  // the 12 values of element 258
  double WindSum = 0.0;      // the 12 values of element 297
};
// Line 2 the station line (from the end: altitude, latitude, longitude, country, -, name),
// line 4 must not be empty, from line 5 up to the first empty line the element lines: code,
// three fields not read, 12 monthly values. More than 14 element lines, more than 10 recognised
// elements, a station line without its fields or with a location that the station's fields would
// not accept, or an element line with fewer than 12 monthly values or one that is no number is
// refused with the reason.
MeteorixFile ReadMeteorixFile(const std::string& path);

// The 12 lines of the transposed file (without line ends): one per month, one value per column,
// each R(15,2) except the last of the line, R(15,4).
std::vector<std::string> TransposedLines(const MeteorixFile& file);
// Writes them to `path` (CR LF, through a temporary file).
Status WriteTransposedFile(const MeteorixFile& file, const std::string& path);

// After reading a Meteorix file: coast/interior from the altitude; humid/arid from the mean
// humidity when the rounded sum is positive; the wind class and DefaultU2 from the mean wind
// when the rounded sum is positive.
void ApplyMeteorixClasses(const MeteorixFile& file, RepClimateFile& station,
                          LocationClasses& classes);

}  // namespace vernoli
