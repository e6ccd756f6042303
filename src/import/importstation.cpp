#include "import/importstation.h"

#include <algorithm>

#include "import/databases.h"
#include "model/atomicfile.h"
#include "model/datafile.h"
#include "model/linereader.h"
#include "model/numbers.h"
#include "stations/entry.h"
#include "stations/newstation.h"

namespace vernoli {

namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= 32; }

bool Holds(std::span<const int16_t> codes, int code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// The first code of `pairs` (code, twin) whose twin the codes lack gives that twin; 0 for none.
int MissingTwin(std::span<const int16_t> codes, std::span<const std::pair<int, int>> pairs) {
  for (int16_t code : codes) {
    for (const auto& [first, twin] : pairs) {
      if (code == first && !Holds(codes, twin)) return twin;
    }
  }
  return 0;
}

// Writes the data lines of `source` to `file`; the number of lines written in `lines`.
Status WriteDataLines(AtomicFile& file, const ImportSource& source,
                      std::span<const int16_t> codes, int extra, double undefined,
                      int32_t& lines) {
  std::string out;
  const auto take = [&](std::string_view line, std::string_view name, int lineNumber) {
    if (!ImportedDataLine(lines + 1, line, codes, extra, undefined, out)) {
      return Status::Error(ReasonNotANumber(name, lineNumber));
    }
    ++lines;
    file.WriteLine(out);
    return Status::Success();
  };
  if (source.Path.empty()) {
    int lineNumber = 0;
    for (const std::string& line : source.Lines) {
      ++lineNumber;
      if (line.empty()) break;
      if (Status s = take(line, std::string(kTransposedFileName), lineNumber); !s) return s;
    }
    return Status::Success();
  }
  LineReader reader;
  if (Status s = reader.Open(source.Path); !s) return s;
  std::string line;
  for (int skipped = 0; skipped < source.SkipLines && reader.Next(line); ++skipped) {
  }
  while (reader.Next(line)) {
    if (line.empty()) break;
    if (Status s = take(line, source.Path, reader.LineNumber()); !s) return s;
  }
  return reader.status();
}

}  // namespace

RepClimateFile ImportStationReset(ImportKind kind) {
  RepClimateFile station = NewStation();
  ClearStation(station);
  station.Latitude = kNewStationLatitude;
  station.Longitude = kNewStationLongitude;
  station.Altitude = kImportedStationAltitude;
  station.NumberOfParameters = kColumnsUndefined;
  station.ParameterCodes.fill(-999);
  ImportSpanReset(kind).ApplyTo(station);
  return station;
}

SpanEntry ImportSpanReset(ImportKind kind) {
  if (kind == ImportKind::Text) return SpanEntry(kDaily, {1, 1, 2005}, {31, 12, 2005});
  return SpanEntry(kMonthly, {1, 1, kYearNotLinked}, {31, 12, kYearNotLinked});
}

std::vector<int16_t> ExtraColumns(std::span<const int16_t> codes) {
  static constexpr std::pair<int, int> kTemperatures[] = {
      {101, 103}, {103, 101}, {111, 113}, {113, 111}};
  static constexpr std::pair<int, int> kBulbs[] = {{231, 232}, {232, 231}, {233, 234}, {234, 233}};
  std::vector<int16_t> extra;
  if (int twin = MissingTwin(codes, kTemperatures); twin != 0) extra.push_back(static_cast<int16_t>(twin));
  if (int twin = MissingTwin(codes, kBulbs); twin != 0) extra.push_back(static_cast<int16_t>(twin));
  return extra;
}

std::string ImportedHeaderLine(std::span<const int16_t> codes, std::span<const int16_t> extra) {
  std::vector<int16_t> all(codes.begin(), codes.end());
  all.insert(all.end(), extra.begin(), extra.end());
  all.push_back(501);
  return DataHeaderLine(all);
}

bool ImportedDataLine(int32_t number, std::string_view sourceLine, std::span<const int16_t> codes,
                      int extraColumns, double undefined, std::string& line) {
  line = FormatInt(number, kDataFieldWidth);
  std::size_t pos = 0;
  for (int16_t code : codes) {
    while (pos < sourceLine.size() && IsSeparator(sourceLine[pos])) ++pos;
    std::size_t end = pos;
    while (end < sourceLine.size() && !IsSeparator(sourceLine[end])) ++end;
    double value = 0.0;
    if (end == pos || !ParseReal(sourceLine.substr(pos, end - pos), value)) return false;
    pos = end;
    if (IsUndefinedValue(value, undefined)) value = kMissing;
    line += FormatReal(value, kDataFieldWidth, DecimalsOfCode(code));
  }
  for (int i = 0; i <= extraColumns; ++i) line += "    -999.0";
  return true;
}

std::string CannotImportMessage(std::string_view lampText) {
  return ErrorText("CANNOT import data\n" + std::string(lampText));
}

ImportResult WriteImportedStation(const std::string& dataFolder, const std::string& name,
                                  RepClimateFile station, std::span<const int16_t> codes,
                                  const ImportSource& source, double undefined) {
  // Whatever its source, the location written is one that the station's fields accept.
  if (std::string reason =
          CheckStationLocation(station.Latitude, station.Longitude, station.Altitude);
      !reason.empty()) {
    ImportResult refused;
    refused.Failure = ImportFailure::Refused;
    refused.Message = CannotImportMessage(reason);
    return refused;
  }
  const std::vector<int16_t> extra = ExtraColumns(codes);
  // The description as it will be: the file's codes, the extra ones and ETo.
  std::vector<int16_t> all(codes.begin(), codes.end());
  all.insert(all.end(), extra.begin(), extra.end());
  all.push_back(501);
  station.ParameterCodes.fill(-999);
  std::copy(all.begin(), all.end(), station.ParameterCodes.begin());
  station.NumberOfParameters = static_cast<int32_t>(all.size());
  station.NumberOfRecords = NumberOfRecords(station);
  station.Description = BuildDescription(station.StationName, station.Country, station.DataType,
                                         station.From(), station.To());

  const auto writeData = [&](const RepClimateFile& target, const std::string& staged) {
    AtomicFile file(staged);
    file.WriteLine(ImportedHeaderLine(codes, extra));
    int32_t lines = 0;
    if (Status s = WriteDataLines(file, source, codes, static_cast<int>(extra.size()), undefined,
                                  lines);
        !s) {
      return s;
    }
    if (lines != target.NumberOfRecords) {
      const std::string read = source.Path.empty() ? std::string(kTransposedFileName) : source.Path;
      return Status::Error("file " + read + " has changed since it was checked: " +
                           std::to_string(lines) + " data lines for " +
                           std::to_string(target.NumberOfRecords) + " records");
    }
    return file.Commit();
  };
  const CreateResult created = CreateStationFiles(dataFolder, name, station, writeData);
  ImportResult result;
  result.Message = created.Message;
  switch (created.Failure) {
    case CreateFailure::None: result.Station = created.Station; break;
    case CreateFailure::FileName: result.Failure = ImportFailure::FileName; break;
    case CreateFailure::Files: result.Failure = ImportFailure::Files; break;
  }
  return result;
}

}  // namespace vernoli
