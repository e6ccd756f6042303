#include "import/importstation.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "import/databases.h"
#include "model/atomicfile.h"
#include "model/datafile.h"
#include "model/linereader.h"
#include "model/numbers.h"
#include "stations/entry.h"
#include "stations/newstation.h"

namespace vernoli {

namespace {

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

Status Changed(std::string_view file, const std::string& what) {
  return Status::Error("file " + std::string(file) + " has changed since it was checked: " + what);
}

std::string Count(std::size_t n, std::string_view thing) {
  return std::to_string(n) + " " + std::string(thing) + (n == 1 ? "" : "s");
}

// The first column (1-based) whose smallest or largest value, or whose sum that decided a
// location class, is not the one checked; 0 for none.
int FirstChangedColumn(const ScanResult& now, const ScanResult& checked) {
  for (std::size_t c = 0; c < now.Minimum.size(); ++c) {
    if (now.Minimum[c] != checked.Minimum[c] || now.Maximum[c] != checked.Maximum[c]) {
      return static_cast<int>(c) + 1;
    }
  }
  if (now.HumiditySum != checked.HumiditySum) return 3;
  if (now.WindSum != checked.WindSum) return 4;
  return 0;
}

// The value written for `value`: the missing value for the undefined one. Values that lie 1 or
// more apart, both below 10^12 (where value x 1000 is off by far less than 1), have different
// thousandths: the rounding is left to the few that may be it.
double WrittenValue(double value, double undefined) {
  if (std::fabs(value - undefined) >= 1.0 && std::fabs(value) < 1e12 &&
      std::fabs(undefined) < 1e12) {
    return value;
  }
  return IsUndefinedValue(value, undefined) ? kMissing : value;
}

constexpr std::string_view kMissingField = "    -999.0";

// DataLine written field by field into the line's characters; false, with the line in no
// particular state, when a field is not one that PutIntField or PutRealField writes.
bool PutDataLine(int64_t number, std::span<const double> values, std::span<const int> decimals,
                 int extraColumns, double undefined, std::string& line) {
  constexpr auto kWidth = static_cast<std::size_t>(kDataFieldWidth);
  const std::size_t columns = std::min(decimals.size(), values.size());
  line.resize(kWidth * (1 + columns + static_cast<std::size_t>(std::max(extraColumns + 1, 0))));
  char* field = line.data();
  if (!PutIntField(field, number, kDataFieldWidth)) return false;
  for (std::size_t c = 0; c < columns; ++c) {
    field += kWidth;
    if (!PutRealField(field, WrittenValue(values[c], undefined), kDataFieldWidth, decimals[c])) {
      return false;
    }
  }
  for (int i = 0; i <= extraColumns; ++i) {
    field += kWidth;
    std::memcpy(field, kMissingField.data(), kWidth);
  }
  return true;
}

// ImportedDataLine with the decimals of each code.
int DataLine(int64_t number, std::span<const double> values, std::span<const int> decimals,
             int extraColumns, double undefined, std::string& line) {
  if (PutDataLine(number, values, decimals, extraColumns, undefined, line)) return -1;
  line.clear();
  AppendInt(line, number, kDataFieldWidth);
  int tooLong = -1;
  for (std::size_t c = 0; c < decimals.size() && c < values.size(); ++c) {
    const std::size_t before = line.size();
    AppendReal(line, WrittenValue(values[c], undefined), kDataFieldWidth, decimals[c]);
    if (line.size() - before > static_cast<std::size_t>(kDataFieldWidth) && tooLong < 0) {
      tooLong = static_cast<int>(c);
    }
  }
  for (int i = 0; i <= extraColumns; ++i) line += kMissingField;
  return tooLong;
}

// Reads the data lines of `source` again and writes their records to `file`, each value checked
// against what the import was checked on.
class DataLineWriter {
 public:
  DataLineWriter(AtomicFile& file, const ImportSource& source, std::span<const int16_t> codes,
                 int extra, double undefined, int32_t records)
      : file_(file), source_(source), codes_(codes), extra_(extra), undefined_(undefined),
        records_(records),
        name_(source.Path.empty() ? std::string(kTransposedFileName) : source.Path),
        rescan_(source.Kind, undefined),
        // A Hydrolex file's last column is read but not imported.
        width_(source.Kind == ImportKind::Meteorix
                   ? codes.size()
                   : static_cast<std::size_t>(source.Scan.Columns) +
                         (source.Kind == ImportKind::Hydrolex ? 1 : 0)),
        decimals_(codes.size()) {
    std::transform(codes.begin(), codes.end(), decimals_.begin(), DecimalsOfCode);
  }

  Status Write() {
    if (source_.Kind == ImportKind::Delimited) return WriteValues();
    if (source_.Path.empty()) {
      for (const std::string& line : source_.Lines) {
        if (line.empty()) break;
        if (Status s = Take(line, lines_ + 1); !s) return s;
      }
      return Finish();
    }
    LineReader reader;
    if (Status s = reader.Open(source_.Path); !s) return s;
    std::string line;
    if (source_.Kind == ImportKind::Hydrolex) reader.Next(line);  // the station line
    const bool transposed = source_.Kind == ImportKind::Meteorix;
    while (reader.Next(line)) {
      if (line.empty()) break;
      const auto index = static_cast<std::size_t>(lines_);
      if (transposed && (index >= source_.Lines.size() || line != source_.Lines[index])) {
        return Changed(name_, "line " + std::to_string(reader.LineNumber()) +
                                  " is not the line transposed from the Meteorix file");
      }
      if (Status s = Take(line, reader.LineNumber()); !s) return s;
    }
    if (!reader.status()) return reader.status();
    return Finish();
  }

 private:
  // One data line: read as the scan reads it, its values checked, its record written.
  Status Take(std::string_view line, int64_t lineNumber) {
    if (++lines_ > records_) {
      return Changed(name_, "more than " + std::to_string(records_) + " data lines for " +
                                std::to_string(records_) + " records");
    }
    rescan_.Add(line);
    const std::string at = "line " + std::to_string(lineNumber);
    switch (rescan_.LineOutcome()) {
      case ScanOutcome::TextOrEmptyLine: return Changed(name_, at + " holds text or is empty");
      case ScanOutcome::IllegalNumber: return Changed(name_, at + " holds an illegal number");
      default: break;
    }
    const std::span<const double> values = rescan_.Values();
    if (values.size() != width_) {
      return Changed(name_, at + " holds " + Count(values.size(), "value") + ", not " +
                                std::to_string(width_));
    }
    for (std::size_t c = 0; c < codes_.size() && c < source_.Limits.size(); ++c) {
      const ValueRange& limits = source_.Limits[c];
      if (IsUndefinedValue(values[c], undefined_) ||
          (values[c] >= limits.Minimum && values[c] <= limits.Maximum)) {
        continue;
      }
      const int decimals = DecimalsOfCode(codes_[c]);
      return Changed(name_, at + ", column " + std::to_string(c + 1) + " holds " +
                                std::string(rescan_.ValueText(c)) + ", beyond the limits " +
                                FormatReal(limits.Minimum, 0, decimals) + " .. " +
                                FormatReal(limits.Maximum, 0, decimals));
    }
    const int tooLong = DataLine(lines_, values, decimals_, extra_, undefined_, out_);
    if (tooLong >= 0) {
      const auto c = static_cast<std::size_t>(tooLong);
      return Status::Error("the value " + std::string(rescan_.ValueText(c)) + " in file " +
                           name_ + ", " + at + ", column " + std::to_string(c + 1) +
                           " does not fit the " + std::to_string(kDataFieldWidth) +
                           " characters of a field of the data file");
    }
    file_.WriteLine(out_);
    return Status::Success();
  }

  // The records of a delimited file from the values read, once the file is found unchanged.
  Status WriteValues() {
    if (source_.Unchanged) {
      if (Status s = source_.Unchanged(); !s) return s;
    }
    const std::size_t columns = std::min(codes_.size(), source_.Values.size());
    for (std::size_t c = 0; c < columns; ++c) {
      if (source_.Values[c].size() != static_cast<std::size_t>(records_)) {
        return Status::Error("the values of column " + std::to_string(c + 1) + " of file " +
                             name_ + " are " + std::to_string(source_.Values[c].size()) +
                             ", not one for each of the " + std::to_string(records_) +
                             " records");
      }
    }
    std::vector<double> row(columns);
    for (int64_t k = 0; k < records_; ++k) {
      for (std::size_t c = 0; c < columns; ++c) {
        const double value = source_.Values[c][static_cast<std::size_t>(k)];
        if (c < source_.Limits.size() && !IsMissing(value) &&
            !(value >= source_.Limits[c].Minimum && value <= source_.Limits[c].Maximum)) {
          const int decimals = DecimalsOfCode(codes_[c]);
          return Status::Error("record " + std::to_string(k + 1) + " of file " + name_ +
                               ", column " + std::to_string(c + 1) + ": the value " +
                               FormatReal(value, 0, decimals) + " lies beyond the limits " +
                               FormatReal(source_.Limits[c].Minimum, 0, decimals) + " .. " +
                               FormatReal(source_.Limits[c].Maximum, 0, decimals) +
                               " it was checked against");
        }
        row[c] = value;
      }
      const int tooLong = DataLine(k + 1, row, decimals_, extra_, undefined_, out_);
      if (tooLong >= 0) {
        return Status::Error("record " + std::to_string(k + 1) + " of file " + name_ +
                             ", column " + std::to_string(tooLong + 1) + ": the value does "
                             "not fit the " + std::to_string(kDataFieldWidth) +
                             " characters of a field of the data file");
      }
      file_.WriteLine(out_);
    }
    return Status::Success();
  }

  Status Finish() const {
    if (lines_ != records_) {
      return Changed(name_, std::to_string(lines_) + " data lines for " +
                                std::to_string(records_) + " records");
    }
    if (source_.Kind == ImportKind::Meteorix) return Status::Success();
    const ScanResult now = rescan_.Result();
    if (now == source_.Scan) return Status::Success();
    const int column = FirstChangedColumn(now, source_.Scan);
    return Changed(name_, column == 0 ? std::string("its data lines are not those that were checked")
                                      : "the values of column " + std::to_string(column) +
                                            " are not those that were checked");
  }

  AtomicFile& file_;
  const ImportSource& source_;
  std::span<const int16_t> codes_;
  int extra_;
  double undefined_;
  int64_t records_;
  std::string name_;
  DataLineScan rescan_;
  std::size_t width_;
  std::vector<int> decimals_;  // of each code
  int64_t lines_ = 0;
  std::string out_;
};

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

int ImportedDataLine(int64_t number, std::span<const double> values,
                     std::span<const int16_t> codes, int extraColumns, double undefined,
                     std::string& line) {
  std::vector<int> decimals(codes.size());
  std::transform(codes.begin(), codes.end(), decimals.begin(), DecimalsOfCode);
  return DataLine(number, values, decimals, extraColumns, undefined, line);
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
    DataLineWriter lines(file, source, codes, static_cast<int>(extra.size()), undefined,
                         target.NumberOfRecords);
    if (Status s = lines.Write(); !s) return s;
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
