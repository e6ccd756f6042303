#include "import/session.h"

#include "model/linereader.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

ImportSession::ImportSession(std::string importFolder)
    : importFolder_(std::move(importFolder)), folder_(importFolder_) {
  Open();
}

void ImportSession::Open() {
  kind_ = ImportKind::Text;
  Reset();
}

bool ImportSession::ChangeKind(ImportKind kind) {
  if (kind == kind_) return false;
  kind_ = kind;
  Reset();
  return true;
}

void ImportSession::Reset() {
  station_ = ImportStationReset(kind_);
  span_ = ImportSpanReset(kind_);
  classes_ = LocationClasses{};
  undefined_ = kDefaultUndefinedValue;
  folder_ = importFolder_;
  delimited_ = DelimitedImport{};
  ResetFile();
}

void ImportSession::ResetFile() {
  selectedFile_ = kNoFileSelectedName;
  selectedPath_.clear();
  scan_ = ScanResult{};
  transposed_.clear();
  columns_.Clear();
  delimited_.Clear();
  ForgetStations();
  files_ = ListImportFiles(folder_, kind_);
}

void ImportSession::ChangeFolder(const std::string& folder) {
  folder_ = folder;
  ResetFile();
}

std::string ImportSession::ChooseFile(const std::string& name) {
  selectedFile_ = name;
  selectedPath_ = PathInFolder(folder_, name);
  ForgetStations();
  std::string message;
  ReadChosenFile(message);
  return message;
}

void ImportSession::TakeStation(const DatabaseStation& station) {
  station_.StationName = station.StationName;
  station_.Latitude = station.Latitude;
  station_.Longitude = station.Longitude;
  station_.Altitude = station.Altitude;
  ClassFromAltitude(station_.Altitude, station_, classes_);
}

void ImportSession::ForgetStation() {
  const RepClimateFile reset = ImportStationReset(kind_);
  station_.StationName = reset.StationName;
  if (kind_ == ImportKind::Meteorix) station_.Country = reset.Country;
  station_.Latitude = reset.Latitude;
  station_.Longitude = reset.Longitude;
  station_.Altitude = reset.Altitude;
  station_.HargreavesRsCoefficient = reset.HargreavesRsCoefficient;
  station_.TdewTminDifference = reset.TdewTminDifference;
  station_.DefaultU2 = reset.DefaultU2;
  classes_ = LocationClasses{};
}

void ImportSession::ReadChosenFile(std::string& message) {
  // Every reading starts afresh: nothing that the file read before set stays, whatever this
  // file holds.
  scan_ = ScanResult{};
  columns_.Clear();
  transposed_.clear();
  if (DatabaseKind()) ForgetStation();
  switch (kind_) {
    case ImportKind::Text:
      scan_ = ScanImportFile(selectedPath_, kind_, undefined_);
      if (scan_.Ok()) columns_.SetUp(scan_, undefined_);
      break;
    case ImportKind::Hydrolex: {
      const HydrolexFile file = ReadHydrolexFile(selectedPath_, undefined_);
      scan_ = file.Scan;
      if (scan_.Outcome == ScanOutcome::Unreadable) break;
      TakeStation(file.Station);
      if (!scan_.Ok()) break;
      ClassFromHumidity(file.MeanHumidity, station_, classes_);
      ClassFromWind(file.MeanWind, station_, classes_);
      columns_.SetUp(scan_, undefined_);
      for (std::size_t c = 0; c < kHydrolexRows.size(); ++c) {
        columns_.AssignTableRow(kHydrolexRows[c], static_cast<int>(c), station_);
      }
      break;
    }
    case ImportKind::Delimited:
      delimited_.Read(selectedPath_);
      HintAtStations();
      SettleDelimited();
      break;
    case ImportKind::Meteorix: {
      const MeteorixFile file = ReadMeteorixFile(selectedPath_);
      scan_ = file.Scan;
      if (scan_.Outcome == ScanOutcome::Unreadable) break;
      TakeStation(file.Station);
      station_.Country = file.Station.Country;
      if (!scan_.Ok()) break;
      transposed_ = TransposedLines(file);
      if (writeTransposed_) {
        if (Status s = WriteTransposedFile(file, PathInFolder(folder_, kTransposedFileName)); !s) {
          scan_ = ScanResult{};
          scan_.Outcome = ScanOutcome::Unreadable;
          scan_.Months = true;
          scan_.Reason = s.Message.substr(ErrorText("").size());
          transposed_.clear();
          break;
        }
      }
      columns_.SetUp(scan_, kDefaultUndefinedValue);
      for (std::size_t c = 0; c < file.TableRows.size(); ++c) {
        columns_.AssignTableRow(file.TableRows[c], static_cast<int>(c), station_);
      }
      ApplyMeteorixClasses(file, station_, classes_);
      break;
    }
  }
  if (scan_.Outcome == ScanOutcome::Unreadable) message = ErrorText(scan_.Reason);
}

RealEntryCheck ImportSession::EnterUndefined(std::string_view text, bool enterPressed) {
  RealEntryCheck check = EnterReal(fields::kUndefinedValue, text);
  if (kind_ == ImportKind::Delimited) return check;
  const bool changed = !IsUndefinedValue(check.Value, undefined_);
  undefined_ = check.Value;
  if (!selectedPath_.empty() && (enterPressed || changed)) {
    std::string ignored;  // the status texts report the file
    ReadChosenFile(ignored);
  }
  return check;
}

std::string ImportSession::UndefinedText() const { return FormatReal(undefined_, 10, 3); }

FileStatusTexts ImportSession::FileStatus() const { return vernoli::FileStatus(scan_); }

LineLamp ImportSession::LineStatus() const { return LineCheck(scan_, span_.NumberOfRecords()); }

std::string ImportSession::RecordText() const {
  return RecordCountText(span_.DataType(), span_.NumberOfRecords());
}

void ImportSession::SetLocation(double latitude, double longitude, int32_t altitude) {
  const bool limitsChange = latitude != station_.Latitude || altitude != station_.Altitude;
  station_.Latitude = latitude;
  station_.Longitude = longitude;
  station_.Altitude = altitude;
  if (!limitsChange) return;
  columns_.RecomputeLimits(station_);
  if (DelimitedFileRead()) SettleDelimited();
}

void ImportSession::SetClasses(const LocationClasses& classes) {
  RepClimateFile chosen = station_;
  ApplyClasses(chosen, classes);
  if (classes.Site != classes_.Site) {
    station_.HargreavesRsCoefficient = chosen.HargreavesRsCoefficient;
  }
  if (classes.Humidity != classes_.Humidity) {
    station_.TdewTminDifference = chosen.TdewTminDifference;
  }
  if (classes.Wind != classes_.Wind) station_.DefaultU2 = chosen.DefaultU2;
  classes_ = classes;
}

RealEntryCheck ImportSession::EnterWindHeight(std::string_view text) {
  RealEntryCheck check = EnterReal(fields::kWindHeight, text);
  station_.WindHeight = check.Value;
  return check;
}

std::string ImportSession::WindHeightText() const {
  return FormatReal(station_.WindHeight, fields::kWindHeight.Width, fields::kWindHeight.Decimals);
}

void ImportSession::SpanChanged() { span_.ApplyTo(station_); }

void ImportSession::SetDataType(uint8_t dataType) {
  if (kind_ == ImportKind::Delimited) return;
  span_.SetDataType(dataType);
  SpanChanged();
}

void ImportSession::ChooseDay(SpanEnd end, int day) {
  if (kind_ == ImportKind::Delimited) return;
  span_.ChooseDay(end, day);
  SpanChanged();
}

void ImportSession::ChooseDecade(SpanEnd end, int decade) {
  if (kind_ == ImportKind::Delimited) return;
  span_.ChooseDecade(end, decade);
  SpanChanged();
}

void ImportSession::ChooseMonth(SpanEnd end, int month) {
  if (kind_ == ImportKind::Delimited) return;
  if (span_.DataType() != kMonthly) {
    span_.ChooseMonth(end, month);
  } else {
    // Monthly data show no day: the month chosen is the month kept, even when the hidden day
    // (31) does not exist in it.
    Date first = span_.DateOf(SpanEnd::First);
    Date last = span_.DateOf(SpanEnd::Last);
    Date& changed = end == SpanEnd::First ? first : last;
    changed = {1, month, changed.Year};
    const auto number = [](const Date& d) { return DayNr(d.Day, d.Month, d.Year); };
    if (end == SpanEnd::First && number(first) > number(last)) first = last;
    if (end == SpanEnd::Last && number(last) < number(first)) last = first;
    span_ = SpanEntry(kMonthly, first, last);
  }
  SpanChanged();
}

IntegerEntryCheck ImportSession::EnterYear(SpanEnd end, std::string_view text) {
  if (kind_ == ImportKind::Delimited) {
    SpanEntry unchanged = span_;  // the year is checked, the span stays the file's
    return unchanged.EnterYear(end, text);
  }
  IntegerEntryCheck check = span_.EnterYear(end, text);
  SpanChanged();
  return check;
}

void ImportSession::SetNotLinked(bool notLinked) {
  if (kind_ == ImportKind::Delimited) return;
  span_.SetNotLinked(notLinked);
  SpanChanged();
}

void ImportSession::SetSpan(uint8_t dataType, const Date& first, const Date& last) {
  if (kind_ == ImportKind::Delimited) return;
  span_ = SpanEntry(dataType, first, last);
  SpanChanged();
}

void ImportSession::ChooseCode(int tableRow) { columns_.ChooseCode(tableRow, station_); }

void ImportSession::SetLimits(const StationLimits& limits) {
  station_.Limits = limits;
  columns_.RecomputeLimits(station_);
  if (DelimitedFileRead()) SettleDelimited();
}

// ---------------------------------------------------------------------------------------------
// A delimited file

std::string ImportSession::Reread() {
  std::string message;
  if (DelimitedFileRead()) ReadChosenFile(message);
  return message;
}

void ImportSession::AssignDelimitedColumns() {
  columns_.SetUp(scan_, kDefaultUndefinedValue);
  const DelimitedFile& file = delimited_.File();
  for (std::size_t c = 0; c < file.Series.size(); ++c) {
    columns_.AssignTableRow(RowOfCode(file.Series[c].Code), static_cast<int>(c), station_);
  }
}

void ImportSession::SettleDelimited() {
  columns_.Clear();
  scan_ = delimited_.ScanAsRead();
  if (!scan_.Ok()) return;
  const DelimitedFile& file = delimited_.File();
  span_ = SpanEntry(file.DataType, file.First, file.Last);
  SpanChanged();
  // The limits of the columns' codes, then the values held to them, then the columns again
  // with the smallest and largest value that will be written.
  AssignDelimitedColumns();
  delimited_.Settle(columns_.CheckedLimits(), station_);
  scan_ = delimited_.Scan();
  if (!scan_.Ok()) {
    columns_.Clear();
    return;
  }
  AssignDelimitedColumns();
}

std::string ImportSession::SetSeparator(FieldSeparator separator) {
  delimited_.SetSeparator(separator);
  return RereadLayout();
}

std::string ImportSession::SetDecimalSign(DecimalSign sign) {
  delimited_.SetDecimalSign(sign);
  return Reread();
}

std::string ImportSession::SetDateColumns(std::vector<ColumnRef> columns) {
  delimited_.SetDateColumns(std::move(columns));
  return RereadLayout();
}

std::string ImportSession::SetDateOrder(DateOrder order) {
  delimited_.SetDateOrder(order);
  return RereadLayout();
}

std::string ImportSession::SetMissingMarkers(const std::vector<std::string>& markers) {
  delimited_.SetMissingMarkers(markers);
  return Reread();
}

std::string ImportSession::SetColumnCode(int column, int16_t code) {
  delimited_.SetColumnCode(column, code);
  return Reread();
}

std::string ImportSession::SetColumnFactor(int column, double factor) {
  if (!delimited_.SetColumnFactor(column, factor)) {
    return ErrorText("column " + std::to_string(column) +
                     " is not imported; a factor applies to a column with a code");
  }
  return Reread();
}

std::string ImportSession::SetColumnChoices(std::optional<std::vector<ColumnChoice>> choices) {
  delimited_.SetColumnChoices(std::move(choices));
  return Reread();
}

std::string ImportSession::SetStationRows(ColumnRef column, StationRows rows) {
  delimited_.SetStation(std::move(column), std::move(rows));
  return Reread();
}

void ImportSession::SetBeyondLimits(BeyondLimits choice) {
  delimited_.SetChoice(choice);
  if (DelimitedFileRead()) SettleDelimited();
}

ImportResult ImportSession::Import(const std::string& dataFolder, const std::string& name) {
  const auto refuse = [](std::string_view text) {
    ImportResult result;
    result.Failure = ImportFailure::Refused;
    result.Message = CannotImportMessage(text);
    return result;
  };
  if (const LineLamp lamp = LineStatus(); !lamp.Green) return refuse(lamp.Text);
  if (!FileLampGreen()) return refuse(FileStatus().Error2);
  if (!columns_.ReportGreen()) return refuse(kCheckParameters);

  RepClimateFile station = station_;
  station.PsychrometerCoefficient = kImportPsychrometerCoefficient;
  span_.ApplyTo(station);
  // The data lines are read again as they are written and must be those checked.
  ImportSource source;
  source.Kind = kind_;
  double undefined = undefined_;
  if (kind_ == ImportKind::Meteorix) {
    source.Lines = transposed_;
    if (writeTransposed_) source.Path = PathInFolder(folder_, kTransposedFileName);
  } else if (kind_ == ImportKind::Delimited) {
    // The values read are written, once the file is found to give them still.
    source.Path = selectedPath_;
    source.Limits = columns_.CheckedLimits();
    source.Values = delimited_.Values();
    source.Unchanged = [this] { return delimited_.Unchanged(selectedPath_); };
    undefined = kDefaultUndefinedValue;
  } else {
    source.Path = selectedPath_;
    source.Scan = scan_;
    source.Limits = columns_.CheckedLimits();
  }
  return WriteImportedStation(dataFolder, name, station, columns_.Codes(), source, undefined);
}

}  // namespace vernoli
