// The data lines of a delimited file and the records built from them; the layout is found in
// delimitedlayout.cpp.
#include "import/delimited.h"

#include <algorithm>
#include <cmath>

#include "import/delimitedreader.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

namespace delimited_detail {

namespace {

// Dates rise from line to line within 1902-2099, so no file holds more data lines than these
// years have days; the values kept stay bounded whatever the length of the file.
int32_t MaxDataLines() {
  static const int32_t days = DayNr(31, 12, kLastImportYear) - DayNr(1, 1, kFirstImportYear) + 1;
  return days;
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// True when the text (trimmed) may be one of the marks of a missing value that IsMissingMarker
// knows: empty, or starting as "NA", "N/A", "NaN", "null" or "-" do.
bool MaybeMissingMarker(std::string_view text) {
  if (text.empty()) return true;
  const char c = text[0];
  return c == 'N' || c == 'n' || c == '-';
}

std::string_view RecordRule(uint8_t dataType) {
  return dataType == kTenDaily ? "10-daily records start on the 1st, 11th and 21st of a month"
                               : "monthly records start on the 1st of a month";
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Messages

void Reader::Refuse(std::string_view reason) { Refuse(Status::Error(reason)); }

void Reader::Refuse(const Status& status) {
  out_.Result = status;
  out_.Series.clear();
  out_.StationBytes.clear();
  lines_.Capture(nullptr);
  dates_.clear();
}

std::string Reader::ColumnText(int index) const {
  std::string text = "column " + std::to_string(index + 1);
  const auto i = static_cast<std::size_t>(index);
  if (i < out_.Columns.size() && !out_.Columns[i].Name.empty()) {
    text += " (" + out_.Columns[i].Name + ")";
  }
  return text;
}

std::string Reader::Where(int line, int index) const {
  return "file " + path_ + ", line " + std::to_string(line) + ", " + ColumnText(index);
}

std::string Reader::DateWhere(int line) const {
  if (layout_.DateColumns.size() == 1) return Where(line, layout_.DateColumns[0]);
  std::string text = "file " + path_ + ", line " + std::to_string(line) + ", columns ";
  for (std::size_t k = 0; k < layout_.DateColumns.size(); ++k) {
    text += (k == 0 ? "" : (k + 1 == layout_.DateColumns.size() ? " and " : ", ")) +
            std::to_string(layout_.DateColumns[k] + 1);
  }
  return text;
}

std::string Reader::SeparatorText() const {
  return "the fields of this file are separated by " +
         std::string(SeparatorName(layout_.Separator));
}

std::string Reader::AcceptedValues() const {
  std::string text;
  switch (decimal_) {
    case DecimalSign::Point: text = "numbers with a decimal point (such as 12.5)"; break;
    case DecimalSign::Comma: text = "numbers with a decimal comma (such as 12,5)"; break;
    case DecimalSign::Auto:
      text = "numbers with a decimal point or a decimal comma (such as 12.5 or 12,5)";
      break;
  }
  if (decimalLine_ > 0) text += ", as on line " + std::to_string(decimalLine_);
  text += ", and the marks of a missing value: an empty field, NA, N/A, NaN, null, -";
  for (double undefined : options_.UndefinedValues) text += ", " + NumberForMessage(undefined);
  for (const std::string& marker : options_.MissingMarkers) text += ", " + QuotedForMessage(marker);
  return "accepted are " + text;
}

// ---------------------------------------------------------------------------------------------
// Data lines

void Reader::Run() {
  if (Status opened = lines_.Open(path_); !opened) {
    Refuse(opened);
    return;
  }
  if (options_.StationColumn && !options_.Station) {
    Refuse("file " + path_ + " holds several stations; they are read one at a time");
    return;
  }
  if (options_.Station) lines_.Capture(&out_.StationBytes);
  if (!CheckOptions() || !FindFirstDataLine() || !SetUpColumns()) return;
  out_.HeadBytes = lines_.Offset();
  if (!ReadDataLines()) return;
  lines_.Capture(nullptr);
  Finish();
}

bool Reader::ReadDataLines() {
  int64_t end = -1;  // the byte offset where the lines read end; -1: the end of the file
  if (options_.Station) {
    // The station's rows only: its first row may come after the lines the layout was found on.
    firstLines_.clear();
    if (Status s = lines_.Seek(options_.Station->Begin, options_.Station->FirstLine - 1); !s) {
      Refuse(s);
      return false;
    }
    end = options_.Station->End;
  }
  for (const auto& [text, number] : firstLines_) {
    if (!ReadDataLine(text, number)) return false;
  }
  firstLines_.clear();
  std::string line;
  while ((end < 0 || lines_.Offset() < end) && lines_.Next(line)) {
    if (MaybeEmptyOrComment(line) && (IsEmptyLine(line) || IsCommentLine(line))) continue;
    if (!ReadDataLine(line, lines_.LineNumber())) return false;
  }
  if (!lines_.status()) {
    Refuse(lines_.status());
    return false;
  }
  if (options_.Station && (out_.DataLines != options_.Station->Rows || dates_.empty())) {
    Refuse("file " + path_ + " has changed since its stations were listed: station " +
           QuotedForMessage(options_.Station->Id) + " had " +
           std::to_string(options_.Station->Rows) + " lines from line " +
           std::to_string(options_.Station->FirstLine) + " to line " +
           std::to_string(options_.Station->LastLine) + ", now " +
           std::to_string(out_.DataLines));
    return false;
  }
  return true;
}

bool Reader::ReadDataLine(std::string_view line, int number) {
  const SplitResult split = SplitFieldViews(line, layout_.Separator, views_, unquoted_);
  if (!split.Ok()) {
    Refuse(Where(number, split.Column - 1) + ": " + std::string(SplitFaultText(split.Fault)) +
           "; " + SeparatorText() + ", and a quoted field ends on its own line");
    return false;
  }
  const int count = static_cast<int>(views_.size());
  // A line of another station, between the first and the last row of the one read.
  if (station_ >= 0 && (count <= station_ ||
                        Trim(views_[std::size_t(station_)]) != options_.Station->Id)) {
    return true;
  }
  const auto columns = [this] {
    return out_.HeaderLine > 0
               ? "the header (line " + std::to_string(out_.HeaderLine) + ") names " +
                     std::to_string(layout_.Fields) + " columns"
               : "the first data line (line " + std::to_string(out_.FirstDataLine) + ") has " +
                     std::to_string(layout_.Fields) + " fields";
  };
  if (count < layout_.Fields) {
    Refuse(Where(number, count) + ": the line ends after " + std::to_string(count) +
           " fields where " + columns() + "; " + SeparatorText());
    return false;
  }
  for (int k = layout_.Fields; k < count; ++k) {
    if (!views_[std::size_t(k)].empty()) {
      Refuse(Where(number, k) + ": a field beyond the columns of the file: " + columns() + "; " +
             SeparatorText());
      return false;
    }
  }
  if (dates_.size() >= static_cast<std::size_t>(MaxDataLines())) {
    Refuse(DateWhere(number) + ": more data lines than the years " +
           std::to_string(kFirstImportYear) + " to " + std::to_string(kLastImportYear) +
           " have days; each date is given once");
    return false;
  }
  Date date{};
  if (!ReadDate(number, date)) return false;
  dates_.push_back({number, date});
  if (!CheckYearAndOrder(dates_.size() - 1)) return false;
  for (std::size_t k = 0; k < imported_.size(); ++k) {
    double value = kMissing;
    if (!ReadValue(number, imported_[k].Index, value)) return false;
    if (IsMissing(value)) {
      out_.Series[k].Values.push_back(kMissing);
      continue;
    }
    const double scaled = value * imported_[k].Factor;
    if (!std::isfinite(scaled)) {
      Refuse(Where(number, imported_[k].Index) + ": " + NumberForMessage(value) + " times the "
             "factor " + NumberForMessage(imported_[k].Factor) + " is beyond the numbers a value "
             "can hold; give a smaller factor");
      return false;
    }
    out_.Series[k].Values.push_back(scaled);
  }
  ++out_.DataLines;
  return true;
}

bool Reader::ReadDate(int number, Date& date) {
  if (format_ == DateFormat::Columns) {
    int parts[3] = {0, 0, 1};  // year, month, day
    for (std::size_t k = 0; k < layout_.DateColumns.size(); ++k) {
      const std::string_view field = views_[std::size_t(layout_.DateColumns[k])];
      int64_t n = 0;
      if (!ParseInt(Trim(field), n) || n < 0 || n > 9999) {
        Refuse(Where(number, layout_.DateColumns[k]) + ": " + QuotedForMessage(field) +
               " is no whole number; the dates of this file are given as numbers in year, month" +
               (layout_.DateColumns.size() == 3 ? " and day" : "") + " columns");
        return false;
      }
      parts[k] = static_cast<int>(n);
    }
    date = {parts[2], parts[1], parts[0]};
    if (date.Month < 1 || date.Month > 12 || date.Day < 1 ||
        date.Day > DaysInMonthOfYear(date.Month, date.Year)) {
      Refuse(DateWhere(number) + ": year " + std::to_string(date.Year) + ", month " +
             std::to_string(date.Month) + ", day " + std::to_string(date.Day) +
             " is no date of the calendar");
      return false;
    }
    return true;
  }
  const int column = layout_.DateColumns[0];
  const std::string_view field = views_[std::size_t(column)];
  const DateText text = ReadDateText(Trim(field));
  if (text.Shape != layout_.Shape) {
    Refuse(Where(number, column) + ": " + QuotedForMessage(field) + " is no date of the form " +
           std::string(DateFormatText(format_)) + ", the form of the dates of this file (line " +
           std::to_string(out_.FirstDataLine) + ")");
    return false;
  }
  if (format_ == DateFormat::Auto) {
    const DateFormat told = OrderTold(text);
    if (told != DateFormat::Auto) {
      if (!SettleOrder(told)) return false;
    } else if (text.Parts[0] <= 12 && text.Parts[1] <= 12) {
      date = {text.Parts[0], text.Parts[1], text.Parts[2]};  // settled later
      return true;
    }
  }
  if (!DateOfText(text, format_, date)) {
    Refuse(Where(number, column) + ": " + QuotedForMessage(field) +
           " is no date of the calendar; the dates of this file have the form " +
           std::string(DateFormatText(format_)));
    return false;
  }
  return true;
}

// A date told the order of day and month: the dates read so far are read in it and checked.
bool Reader::SettleOrder(DateFormat order) {
  format_ = order;
  out_.Dates = order;
  for (std::size_t k = 0; k < dates_.size(); ++k) {
    const Date raw = dates_[k].Value;
    DateText text;
    text.Shape = DateShape::SlashYearLast;
    text.Parts = {raw.Day, raw.Month, raw.Year};
    DateOfText(text, order, dates_[k].Value);  // numbers of 12 and less: a date either way
    if (!CheckYearAndOrder(k)) return false;
  }
  return true;
}

bool Reader::CheckYearAndOrder(std::size_t k) {
  if (format_ == DateFormat::Auto) return true;  // the order of day and month is still open
  const DatedLine& line = dates_[k];
  const Date& date = line.Value;
  if (date.Year < kFirstImportYear || date.Year > kLastImportYear) {
    Refuse(DateWhere(line.Line) + ": the year " + std::to_string(date.Year) +
           " lies outside the years " + std::to_string(kFirstImportYear) + " to " +
           std::to_string(kLastImportYear) + " that the import takes");
    return false;
  }
  if (k == 0) return true;
  const DatedLine& before = dates_[k - 1];
  const int32_t now = DayNr(date.Day, date.Month, date.Year);
  const int32_t then = DayNr(before.Value.Day, before.Value.Month, before.Value.Year);
  if (now <= then) {
    out_.DateAgainLine = line.Line;
    out_.DateBeforeLine = before.Line;
  }
  if (now == then) {
    Refuse(DateWhere(line.Line) + ": the date " + DateForMessage(date) + " is given on line " +
           std::to_string(before.Line) + " already; each date is given once");
    return false;
  }
  if (now < then) {
    Refuse(DateWhere(line.Line) + ": the date " + DateForMessage(date) + " comes after " +
           DateForMessage(before.Value) + " of line " + std::to_string(before.Line) +
           "; the dates rise from line to line");
    return false;
  }
  return true;
}

bool Reader::ReadValue(int number, int index, double& value) {
  const std::string_view text = Trim(views_[std::size_t(index)]);
  if ((MaybeMissingMarker(text) && IsMissingMarker(text)) ||
      (!options_.MissingMarkers.empty() && IsNamedMarker(text, options_.MissingMarkers))) {
    value = kMissing;
    return true;
  }
  if (decimal_ == DecimalSign::Auto) {
    const DecimalSign shown = DecimalSignOf(text);
    if (shown != DecimalSign::Auto && ParseDecimal(text, shown, value)) {
      decimal_ = shown;
      decimalLine_ = number;
      out_.Decimal = shown;
    }
  }
  const DecimalSign sign = decimal_ == DecimalSign::Auto ? DecimalSign::Point : decimal_;
  if (!ParseDecimal(text, sign, value)) {
    Refuse(Where(number, index) + ": " + QuotedForMessage(text) + " is no number; " +
           AcceptedValues());
    return false;
  }
  for (double undefined : options_.UndefinedValues) {
    // Equal thousandths lie less than 1 apart: most values are told apart without rounding.
    if (std::fabs(value - undefined) < 1.0 && IsUndefinedValue(value, undefined)) value = kMissing;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Records

bool Reader::ChooseDataType() {
  const bool monthsOnly = format_ == DateFormat::YearMonth ||
                          (format_ == DateFormat::Columns && layout_.DateColumns.size() == 2);
  uint8_t type = kDaily;
  if (options_.DataType) {
    type = *options_.DataType;
    if (monthsOnly && type != kMonthly) {
      Refuse(DateWhere(out_.FirstDataLine) + ": the dates of this file name months only (" +
             std::string(DateFormatText(format_)) + "); they give monthly data, not " +
             std::string(DataTypeName(type)));
      return false;
    }
    for (const DatedLine& line : dates_) {
      if (!StartsRecord(type, line.Value)) {
        Refuse(DateWhere(line.Line) + ": the date " + DateForMessage(line.Value) +
               " starts no " + std::string(DataTypeName(type)) + " record; " +
               std::string(RecordRule(type)));
        return false;
      }
    }
  } else if (monthsOnly) {
    type = kMonthly;
  } else {
    const bool decadeStarts = std::all_of(dates_.begin(), dates_.end(), [](const DatedLine& line) {
      return StartsRecord(kTenDaily, line.Value);
    });
    const bool allFirst = std::all_of(dates_.begin(), dates_.end(),
                                      [](const DatedLine& line) { return line.Value.Day == 1; });
    if (decadeStarts && !allFirst) {
      type = kTenDaily;
    } else if (allFirst && dates_.size() >= 2) {
      type = kMonthly;
    }
  }
  out_.DataType = type;
  return true;
}

void Reader::Finish() {
  if (format_ == DateFormat::Auto) {
    const Date& raw = dates_.front().Value;
    const std::string example =
        TwoDigits(raw.Day) + "/" + TwoDigits(raw.Month) + "/" + std::to_string(raw.Year);
    Refuse(DateWhere(out_.FirstDataLine) + ": dates such as " + example +
           " can be read as DD/MM/YYYY or as MM/DD/YYYY, and no date of the file has a day "
           "above 12 to tell which; give the order of their day and month (day, month, year or "
           "month, day, year)");
    return;
  }
  if (!ChooseDataType()) return;
  const uint8_t type = out_.DataType;
  const int32_t base = RecordNumber(type, dates_.front().Value);
  out_.First = dates_.front().Value;
  out_.Last = dates_.back().Value;
  out_.Records = RecordNumber(type, out_.Last) - base + 1;
  out_.AbsentRecords = out_.Records - static_cast<int32_t>(dates_.size());

  // Each line's values move to their record, from the last line back: a record lies at or after
  // the position of its line, so nothing is overwritten before it moved.
  std::vector<int32_t> records(dates_.size());
  for (std::size_t k = 0; k < dates_.size(); ++k) {
    records[k] = RecordNumber(type, dates_[k].Value) - base;
  }
  dates_.clear();
  dates_.shrink_to_fit();
  for (DelimitedSeries& series : out_.Series) {
    std::vector<double>& values = series.Values;
    values.resize(static_cast<std::size_t>(out_.Records), kMissing);
    for (std::size_t k = records.size(); k-- > 0;) {
      const auto at = static_cast<std::size_t>(records[k]);
      if (at == k) continue;
      values[at] = values[k];
      values[k] = kMissing;
    }
    for (double value : values) {
      if (IsMissing(value)) continue;
      if (IsMissing(series.Minimum) || value < series.Minimum) series.Minimum = value;
      if (IsMissing(series.Maximum) || value > series.Maximum) series.Maximum = value;
    }
  }
}

}  // namespace delimited_detail

// ---------------------------------------------------------------------------------------------
// The reader and the import

ColumnRef ColumnRef::FromText(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  int64_t number = 0;
  if (!trimmed.empty() && std::all_of(trimmed.begin(), trimmed.end(),
                                      [](char c) { return c >= '0' && c <= '9'; }) &&
      ParseInt(trimmed, number) && number > 0 && number <= 1000000) {
    return {static_cast<int>(number), {}};
  }
  return {0, std::string(trimmed)};
}

int ColumnIndex(const DelimitedFile& file, const ColumnRef& ref) {
  const auto count = static_cast<int>(file.Columns.size());
  if (ref.Number > 0) return ref.Number <= count ? ref.Number - 1 : -1;
  const std::string name = LowerAscii(TrimBlanks(ToWindows1252(ref.Name)));
  for (int i = 0; i < count; ++i) {
    if (LowerAscii(TrimBlanks(file.Columns[std::size_t(i)].Name)) == name) return i;
  }
  return -1;
}

DelimitedFile ReadDelimitedFile(const std::string& path, const DelimitedOptions& options) {
  DelimitedFile file;
  file.Path = path;
  delimited_detail::Reader(path, options, file).Run();
  return file;
}

ScanResult ScanOfDelimitedFile(const DelimitedFile& file) {
  ScanResult scan;
  const auto unreadable = [&scan](std::string reason) {
    scan.Outcome = ScanOutcome::Unreadable;
    scan.Reason = std::move(reason);
    return scan;
  };
  if (!file.Ok()) {
    std::string_view reason = file.Result.Message;
    if (reason.starts_with("ERROR:\n")) reason.remove_prefix(7);
    return unreadable(std::string(reason));
  }
  const auto count = static_cast<int>(file.Series.size());
  if (count == 0) return unreadable("file " + file.Path + ": no column is chosen to be imported");
  if (count > kMaxImportColumns) {
    return unreadable("file " + file.Path + ": " + std::to_string(count) +
                      " columns are chosen to be imported; the import takes at most " +
                      std::to_string(kMaxImportColumns));
  }
  scan.Outcome = ScanOutcome::Ok;
  scan.Lines = file.Records;
  scan.Line = file.Records;
  scan.Columns = count;
  scan.Minimum.fill(kDefaultUndefinedValue);
  scan.Maximum.fill(kDefaultUndefinedValue);
  for (int c = 0; c < count; ++c) {
    scan.Minimum[std::size_t(c)] = file.Series[std::size_t(c)].Minimum;
    scan.Maximum[std::size_t(c)] = file.Series[std::size_t(c)].Maximum;
  }
  return scan;
}

std::vector<int16_t> CodesOfDelimitedFile(const DelimitedFile& file) {
  std::vector<int16_t> codes;
  for (const DelimitedSeries& series : file.Series) codes.push_back(series.Code);
  return codes;
}

}  // namespace vernoli
