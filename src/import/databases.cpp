#include "import/databases.h"

#include <algorithm>
#include <cmath>

#include "model/atomicfile.h"
#include "model/linereader.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSeparator(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSeparator(text.back())) text.remove_suffix(1);
  return text;
}

// The fields of a line split at runs of separators.
std::vector<std::string_view> SplitAtBlanks(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && IsSeparator(line[pos])) ++pos;
    if (pos == line.size()) break;
    std::size_t end = pos;
    while (end < line.size() && !IsSeparator(line[end])) ++end;
    fields.push_back(line.substr(pos, end - pos));
    pos = end;
  }
  return fields;
}

std::string StationLineReason(std::string_view file, int line, std::string_view separated) {
  return "the station line of file " + std::string(file) + ", line " + std::to_string(line) +
         ", needs 6 fields separated by " + std::string(separated);
}

bool ParseWhole(std::string_view text, int32_t& value) {
  int64_t parsed = 0;
  if (!ParseInt(Trim(text), parsed) || parsed < INT32_MIN || parsed > INT32_MAX) return false;
  value = static_cast<int32_t>(parsed);
  return true;
}

bool ParseDecimal(std::string_view text, double& value) { return ParseReal(Trim(text), value); }

// Reads the location fields, each a view into `line`; false with the reason naming the line, and
// for a value that the station's fields would not accept its column and what is accepted.
bool ParseLocation(std::string_view line, std::string_view altitude, std::string_view latitude,
                   std::string_view longitude, std::string_view file, int lineNumber,
                   DatabaseStation& station, std::string& reason) {
  if (!ParseWhole(altitude, station.Altitude) || !ParseDecimal(latitude, station.Latitude) ||
      !ParseDecimal(longitude, station.Longitude)) {
    reason = ReasonNotANumber(file, lineNumber);
    return false;
  }
  const struct {
    LocationValue Which;
    std::string_view Field;
    double Value;
  } values[] = {
      {LocationValue::Latitude, latitude, station.Latitude},
      {LocationValue::Longitude, longitude, station.Longitude},
      {LocationValue::Altitude, altitude, static_cast<double>(station.Altitude)},
  };
  for (const auto& v : values) {
    if (LocationValueAccepted(v.Which, v.Value)) continue;
    const std::string_view text = Trim(v.Field);
    const auto column = static_cast<std::size_t>(text.data() - line.data()) + 1;
    reason = "the " + std::string(LocationValueName(v.Which)) + " " + std::string(text) +
             " in file " + std::string(file) + ", line " + std::to_string(lineNumber) +
             ", column " + std::to_string(column) + ", lies outside " +
             AcceptedLocationText(v.Which);
    return false;
  }
  return true;
}

// A mean of monthly values is a few units of the last place off the exact mean (12 x 259.2
// km/day give 2.999999999999999 m/sec): a mean within a relative 1e-9 of a class boundary lies on
// it. The data hold a few decimals, far coarser than that.
constexpr double kBoundaryTolerance = 1e-9;

bool AtMost(double value, double boundary) {
  return value <= boundary + kBoundaryTolerance * std::fabs(boundary);
}

bool AtLeast(double value, double boundary) {
  return value >= boundary - kBoundaryTolerance * std::fabs(boundary);
}

}  // namespace

std::string_view DatabaseName(ImportKind kind) {
  switch (kind) {
    case ImportKind::Hydrolex: return "Hydrolex 2.0";
    case ImportKind::Meteorix: return "Meteorix2";
    case ImportKind::Text:
    case ImportKind::Delimited: break;
  }
  return {};
}

// ---------------------------------------------------------------------------------------------
// Location classes

void ClassFromAltitude(int32_t altitude, RepClimateFile& station, LocationClasses& classes) {
  const bool coast = altitude <= 20;
  classes.Site = coast ? Location::Coast : Location::Interior;
  station.HargreavesRsCoefficient = HargreavesRsCoefficientOf(classes.Site);
}

void ClassFromHumidity(double meanHumidity, RepClimateFile& station, LocationClasses& classes) {
  const bool humid = !AtMost(meanHumidity, 62.0);
  classes.Humidity = humid ? Climate::Humid : Climate::Arid;
  station.TdewTminDifference = TdewTminDifferenceOf(classes.Humidity);
}

void ClassFromWind(double meanWind, RepClimateFile& station, LocationClasses& classes) {
  if (AtMost(meanWind, 1.25)) {
    classes.Wind = WindClass::Light;
  } else if (AtLeast(meanWind, 3.0)) {
    classes.Wind = WindClass::ModerateToStrong;
  } else {
    classes.Wind = WindClass::LightToModerate;
  }
  station.DefaultU2 = meanWind;
}

// ---------------------------------------------------------------------------------------------
// Hydrolex

bool ParseHydrolexStationLine(std::string_view line, std::string_view file,
                              DatabaseStation& station, std::string& reason) {
  // The commas from the end of the line: fields 1..6 lie between them.
  std::vector<std::size_t> commas;
  for (std::size_t i = line.size(); i-- > 0 && commas.size() < 6;) {
    if (line[i] == ',') commas.push_back(i);
  }
  if (commas.size() < 5) {
    reason = StationLineReason(file, 1, "commas");
    return false;
  }
  // Field k (2..6) from the end runs from after comma k (or the start of the line) up to
  // comma k - 1.
  const auto field = [&](std::size_t k) {
    const std::size_t start = k - 1 < commas.size() ? commas[k - 1] + 1 : 0;
    return line.substr(start, commas[k - 2] - start);
  };
  DatabaseStation read;
  if (!ParseLocation(line, field(5), field(4), field(2), file, 1, read, reason)) return false;
  std::string_view name = Trim(field(6));
  name = name.size() >= 2 ? name.substr(1, name.size() - 2) : std::string_view();
  read.StationName = std::string(name);
  station = std::move(read);
  return true;
}

HydrolexFile ReadHydrolexFile(const std::string& path, double undefined) {
  HydrolexFile file;
  {
    LineReader reader;
    std::string line;
    if (Status s = reader.Open(path); !s) {
      file.Scan.Outcome = ScanOutcome::Unreadable;
      file.Scan.Reason = s.Message.substr(ErrorText("").size());
      return file;
    }
    if (reader.Next(line)) {
      std::string reason;
      if (!ParseHydrolexStationLine(line, path, file.Station, reason)) {
        file.Scan.Outcome = ScanOutcome::Unreadable;
        file.Scan.Reason = reason;
        return file;
      }
    }
  }
  file.Scan = ScanImportFile(path, ImportKind::Hydrolex, undefined);
  file.MeanHumidity = file.Scan.HumiditySum / 12.0;
  file.MeanWind = file.Scan.WindSum / 12.0 * 1000.0 / 86400.0;
  return file;
}

// ---------------------------------------------------------------------------------------------
// Meteorix

int TableRowOfElement(int elementCode) {
  switch (elementCode) {
    case 201: return 1;
    case 202: return 3;
    case 203: return 2;
    case 251: return 10;
    case 258: return 8;
    case 280: return 27;
    case 295: return 31;
    case 296: return 26;
    case 297: return 21;
    case 298: return 13;
    case 299: return 25;
    default: return 0;
  }
}

MeteorixFile ReadMeteorixFile(const std::string& path) {
  MeteorixFile file;
  file.Scan.Minimum.fill(kDefaultUndefinedValue);
  file.Scan.Maximum.fill(kDefaultUndefinedValue);
  file.Scan.Months = true;
  const auto refuse = [](std::string reason) {
    MeteorixFile refused;
    refused.Scan.Outcome = ScanOutcome::Unreadable;
    refused.Scan.Reason = std::move(reason);
    refused.Scan.Months = true;
    return refused;
  };

  LineReader reader;
  if (Status s = reader.Open(path); !s) return refuse(s.Message.substr(ErrorText("").size()));
  std::string line;
  reader.Next(line);  // line 1 is not read
  if (!reader.Next(line)) {
    if (!reader.status()) return refuse(reader.status().Message.substr(ErrorText("").size()));
    return refuse(StationLineReason(path, 2, "blanks"));
  }
  const std::vector<std::string_view> fields = SplitAtBlanks(line);
  if (fields.size() < 6) return refuse(StationLineReason(path, 2, "blanks"));
  const std::size_t n = fields.size();
  std::string reason;
  if (!ParseLocation(line, fields[n - 1], fields[n - 2], fields[n - 3], path, 2, file.Station,
                     reason)) {
    return refuse(reason);
  }
  file.Station.Country = std::string(fields[n - 4]);
  file.Station.StationName = std::string(fields[n - 6]);

  bool data = reader.Next(line) && reader.Next(line) && !Trim(line).empty();  // lines 3 and 4
  int elementLines = 0;
  while (data && reader.Next(line)) {
    if (Trim(line).empty()) break;
    ++elementLines;
    if (elementLines > kMaxElementLines) {
      return refuse("file " + path + " has more than " + std::to_string(kMaxElementLines) +
                    " element lines; the import can hold " + std::to_string(kMaxElementLines));
    }
    const std::vector<std::string_view> values = SplitAtBlanks(line);
    int32_t element = 0;
    const int row = ParseWhole(values.front(), element) ? TableRowOfElement(element) : 0;
    if (row == 0) continue;
    if (file.TableRows.size() == static_cast<std::size_t>(kMaxElements)) {
      return refuse("file " + path + " has more than " + std::to_string(kMaxElements) +
                    " climatic elements; the import can hold " + std::to_string(kMaxElements));
    }
    if (values.size() < 16) return refuse(ReasonTooFewValues(path, reader.LineNumber()));
    std::array<double, 12> months{};
    for (std::size_t m = 0; m < 12; ++m) {
      if (!ParseReal(values[4 + m], months[m])) {
        return refuse(ReasonNotANumber(path, reader.LineNumber()));
      }
    }
    const std::size_t c = file.TableRows.size();
    file.Scan.Maximum[c] = -999.0;
    file.Scan.Minimum[c] = 10000.0;
    for (double v : months) {
      file.Scan.Maximum[c] = std::max(file.Scan.Maximum[c], v);
      file.Scan.Minimum[c] = std::min(file.Scan.Minimum[c], v);
      if (element == 258) file.HumiditySum += v;
      if (element == 297) file.WindSum += v;
    }
    file.TableRows.push_back(row);
    file.Values.push_back(months);
  }
  if (!reader.status()) return refuse(reader.status().Message.substr(ErrorText("").size()));
  if (file.TableRows.empty()) {
    file.Scan.Outcome = ScanOutcome::EmptyFile;
    return file;
  }
  file.Scan.Outcome = ScanOutcome::Ok;
  file.Scan.Lines = 12;
  file.Scan.Columns = static_cast<int>(file.TableRows.size());
  return file;
}

std::vector<std::string> TransposedLines(const MeteorixFile& file) {
  std::vector<std::string> lines;
  if (file.Values.empty()) return lines;
  for (std::size_t m = 0; m < 12; ++m) {
    std::string line;
    for (std::size_t c = 0; c < file.Values.size(); ++c) {
      const bool last = c + 1 == file.Values.size();
      line += FormatReal(file.Values[c][m], 15, last ? 4 : 2);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

Status WriteTransposedFile(const MeteorixFile& file, const std::string& path) {
  AtomicFile out(path);
  for (const std::string& line : TransposedLines(file)) out.WriteLine(line);
  return out.Commit();
}

void ApplyMeteorixClasses(const MeteorixFile& file, RepClimateFile& station,
                          LocationClasses& classes) {
  ClassFromAltitude(file.Station.Altitude, station, classes);
  if (std::round(file.HumiditySum) > 0) ClassFromHumidity(file.HumiditySum / 12.0, station, classes);
  if (std::round(file.WindSum) > 0) ClassFromWind(file.WindSum / 12.0, station, classes);
}

}  // namespace vernoli
