#include "import/delimitedimport.h"

#include <algorithm>

#include "import/columns.h"
#include "model/datafile.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

std::vector<double> DefaultUndefinedValues() { return DelimitedOptions{}.UndefinedValues; }

std::string ColumnText(const DelimitedSeries& series) {
  std::string text = "column " + std::to_string(series.Column);
  if (!series.Name.empty()) text += " (" + series.Name + ")";
  return text;
}

std::string UnitOf(int code) {
  return std::string(TrimBlanks(ParameterRow(RowOfCode(code)).Unit));
}

std::string RecordsText(const DelimitedFile& file) {
  return DateForMessage(file.First) + " to " + DateForMessage(file.Last) + " (" +
         std::to_string(file.Records) + " " + std::string(DataTypeName(file.DataType)) +
         " records)";
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The layout

void DelimitedImport::SetSeparator(FieldSeparator separator) {
  if (separator != options_.Separator) options_.Columns.reset();
  options_.Separator = separator;
}

void DelimitedImport::SetDecimalSign(DecimalSign sign) { options_.Decimal = sign; }

void DelimitedImport::SetDateColumns(std::vector<ColumnRef> columns) {
  if (columns.empty()) {
    options_.Columns.reset();
  } else if (options_.Columns) {
    std::vector<int> dates;
    for (const ColumnRef& ref : columns) dates.push_back(ColumnIndex(file_, ref));
    std::vector<ColumnChoice> kept = CurrentChoices();
    std::erase_if(kept, [&](const ColumnChoice& choice) {
      const int index = ColumnIndex(file_, choice.Column);
      return index >= 0 && std::find(dates.begin(), dates.end(), index) != dates.end();
    });
    options_.Columns = std::move(kept);
  }
  options_.DateColumns = std::move(columns);
}

void DelimitedImport::SetDateOrder(DateOrder order) { options_.Order = order; }

void DelimitedImport::SetMissingMarkers(const std::vector<std::string>& markers) {
  markers_ = markers;
  options_.MissingMarkers = markers;
  options_.UndefinedValues = DefaultUndefinedValues();
  for (const std::string& marker : markers) {
    double value = 0.0;
    const std::string_view text = TrimBlanks(marker);
    if (ParseReal(text, value) || ParseDecimal(text, DecimalSign::Comma, value)) {
      options_.UndefinedValues.push_back(value);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// The columns

std::vector<ColumnChoice> DelimitedImport::CurrentChoices() const {
  std::vector<ColumnChoice> choices;
  if (options_.Columns) {
    for (ColumnChoice choice : *options_.Columns) {
      const int index = ColumnIndex(file_, choice.Column);
      if (index >= 0) choice.Column = {index + 1, {}};
      choices.push_back(std::move(choice));
    }
    return choices;
  }
  for (const DelimitedColumn& column : file_.Columns) {
    if (column.Proposal.Imported()) {
      choices.push_back({{column.Number, {}}, column.Proposal.Code, column.Proposal.Factor});
    }
  }
  return choices;
}

std::vector<DelimitedColumnView> DelimitedImport::Columns() const {
  const std::vector<ColumnChoice> choices = CurrentChoices();
  std::vector<DelimitedColumnView> views;
  for (const DelimitedColumn& column : file_.Columns) {
    DelimitedColumnView view;
    view.Number = column.Number;
    view.Name = column.Name;
    view.Date = column.Date;
    view.Station = column.Station;
    view.Proposal = column.Proposal;
    for (const ColumnChoice& choice : choices) {
      if (choice.Column.Number == column.Number) {
        view.Code = choice.Code;
        view.Factor = choice.Factor;
      }
    }
    views.push_back(std::move(view));
  }
  return views;
}

void DelimitedImport::SetColumnCode(int column, int16_t code) {
  std::vector<ColumnChoice> choices = CurrentChoices();
  double factor = 1.0;
  bool imported = false;
  for (const ColumnChoice& choice : choices) {
    if (choice.Column.Number == column) {
      factor = choice.Factor;
      imported = true;
    }
  }
  std::erase_if(choices, [column](const ColumnChoice& c) { return c.Column.Number == column; });
  if (code != 0) {
    const auto index = static_cast<std::size_t>(column - 1);
    if (!imported && index < file_.Columns.size() &&
        file_.Columns[index].Proposal.Code == code) {
      factor = file_.Columns[index].Proposal.Factor;
    }
    const std::vector<int16_t> group = CodesClearedBy(code);
    std::erase_if(choices, [&group](const ColumnChoice& c) {
      return std::find(group.begin(), group.end(), c.Code) != group.end();
    });
    if (IsTemperatureLike(code)) {
      for (ColumnChoice& choice : choices) {
        if (IsTemperatureLike(choice.Code) && IsFahrenheit(choice.Code) != IsFahrenheit(code)) {
          choice.Code = static_cast<int16_t>(TemperaturePair(choice.Code));
        }
      }
    }
    // In the order of the file's columns, as the data file will have them.
    const auto at = std::find_if(choices.begin(), choices.end(), [column](const ColumnChoice& c) {
      return c.Column.Number > column;
    });
    choices.insert(at, {{column, {}}, code, factor});
  }
  options_.Columns = std::move(choices);
  choicesFor_ = file_.Path;
}

bool DelimitedImport::SetColumnFactor(int column, double factor) {
  std::vector<ColumnChoice> choices = CurrentChoices();
  for (ColumnChoice& choice : choices) {
    if (choice.Column.Number == column) {
      choice.Factor = factor;
      options_.Columns = std::move(choices);
      choicesFor_ = file_.Path;
      return true;
    }
  }
  return false;
}

void DelimitedImport::SetColumnChoices(std::optional<std::vector<ColumnChoice>> choices) {
  options_.Columns = std::move(choices);
  choicesFor_.clear();
}

void DelimitedImport::SetStation(ColumnRef column, StationRows rows) {
  options_.StationColumn = std::move(column);
  options_.Station = std::move(rows);
}

void DelimitedImport::ClearStation() {
  options_.StationColumn.reset();
  options_.Station.reset();
}

// ---------------------------------------------------------------------------------------------
// Reading

void DelimitedImport::Clear() {
  file_ = DelimitedFile{};
  refusal_.clear();
  settled_.clear();
  values_.clear();
  report_ = ImportReport{};
}

void DelimitedImport::AddToRefusal(std::string_view text) {
  if (file_.Ok()) return;
  if (!refusal_.empty()) refusal_ += text;
  file_.Result.Message += text;
}

void DelimitedImport::Refuse(std::string reason) {
  refusal_ = std::move(reason);
  file_.Result = Status::Error(refusal_);
}

void DelimitedImport::Read(const std::string& path) {
  if (!choicesFor_.empty() && choicesFor_ != path) {
    options_.Columns.reset();
    choicesFor_.clear();
  }
  Clear();
  file_ = ReadDelimitedFile(path, options_);
  if (!file_.Ok()) return;
  for (const DelimitedSeries& series : file_.Series) {
    if (IsMissing(series.Minimum)) {
      Refuse("file " + path + ", " + ColumnText(series) + ": none of its " +
             std::to_string(file_.Records) + " records holds a value; a column without values "
             "is not imported");
      return;
    }
  }
  const std::vector<int16_t> codes = CodesOfDelimitedFile(file_);
  const std::vector<int> wide(codes.begin(), codes.end());
  if (const auto [celsius, fahrenheit] = MixedTemperatureUnits(wide); celsius != 0) {
    const auto holding = [this](int code) {
      return *std::find_if(file_.Series.begin(), file_.Series.end(),
                           [code](const DelimitedSeries& s) { return s.Code == code; });
    };
    Refuse("file " + path + ": " + ColumnText(holding(celsius)) + " holds code " +
           std::to_string(celsius) + " (" + UnitOf(celsius) + ") and " +
           ColumnText(holding(fahrenheit)) + " code " + std::to_string(fahrenheit) + " (" +
           UnitOf(fahrenheit) + "); the temperatures of a station are all in " + UnitOf(101) +
           " or all in " + UnitOf(111));
  }
}

ScanResult DelimitedImport::ScanOf(bool settled) const {
  ScanResult scan;
  const std::string& refusal = refusal_.empty() && settled ? settled_ : refusal_;
  if (!refusal.empty()) {
    scan.Outcome = ScanOutcome::Unreadable;
    scan.Reason = refusal;
  } else {
    scan = ScanOfDelimitedFile(file_);
  }
  scan.Records = true;
  if (!settled || !scan.Ok() || values_.size() != file_.Series.size()) return scan;
  for (std::size_t c = 0; c < values_.size(); ++c) {
    double low = kMissing;
    double high = kMissing;
    for (double value : values_[c]) {
      if (IsMissing(value)) continue;
      if (IsMissing(low) || value < low) low = value;
      if (IsMissing(high) || value > high) high = value;
    }
    scan.Minimum[c] = low;
    scan.Maximum[c] = high;
  }
  return scan;
}

void DelimitedImport::Settle(const std::vector<ValueRange>& limits, const RepClimateFile& station) {
  values_.clear();
  settled_.clear();
  report_ = ImportReport{};
  report_.Choice = choice_;
  if (!file_.Ok()) return;
  for (std::size_t c = 0; c < file_.Series.size(); ++c) {
    const DelimitedSeries& series = file_.Series[c];
    const int column = static_cast<int>(c);
    report_.Columns.push_back({series.Column, series.Name, series.Code});
    std::vector<double>& values = values_.emplace_back(series.Values);
    if (c < limits.size()) {
      ApplyBeyondLimits(choice_, file_.DataType, file_.First, limits[c], column, values,
                        report_.Changed);
      if (settled_.empty() && std::all_of(values.begin(), values.end(), [](double v) { return IsMissing(v); })) {
        const int decimals = DecimalsOfCode(series.Code);
        settled_ = "file " + file_.Path + ", " + ColumnText(series) + ": every value lies beyond "
                   "the limits " + FormatReal(limits[c].Minimum, 0, decimals) + " .. " +
                   FormatReal(limits[c].Maximum, 0, decimals) + " " + UnitOf(series.Code) +
                   " of code " + std::to_string(series.Code) + " and is set missing; a column "
                   "without values is not imported (another factor or code may suit it)";
      }
    }
    FindAboveClearSky(station, series.Code, values, column, report_.AboveClearSky);
  }
}

// ---------------------------------------------------------------------------------------------
// Writing

std::vector<std::span<const double>> DelimitedImport::Values() const {
  std::vector<std::span<const double>> values;
  if (values_.size() == file_.Series.size()) {
    for (const std::vector<double>& column : values_) values.emplace_back(column);
  } else {
    for (const DelimitedSeries& series : file_.Series) values.emplace_back(series.Values);
  }
  return values;
}

Status DelimitedImport::Unchanged(const std::string& path) const {
  const std::string changed = "file " + path + " has changed since it was checked: ";
  if (options_.Station) {
    // One station of a file of several: the bytes it was read from, compared as they are.
    const Status same = SameStationBytes(path, file_, *options_.Station);
    std::string_view reason = same.Message;
    if (reason.starts_with("ERROR:\n")) reason.remove_prefix(7);
    return same ? same : Status::Error(changed + std::string(reason));
  }
  const DelimitedFile again = ReadDelimitedFile(path, options_);
  if (!again.Ok()) {
    std::string_view reason = again.Result.Message;
    if (reason.starts_with("ERROR:\n")) reason.remove_prefix(7);
    return Status::Error(changed + "it cannot be read now: " + std::string(reason));
  }
  if (again.DataType != file_.DataType || again.First != file_.First ||
      again.Last != file_.Last || again.Records != file_.Records) {
    return Status::Error(changed + "its records run from " + RecordsText(again) + ", not from " +
                         RecordsText(file_));
  }
  if (again.Series.size() != file_.Series.size()) {
    return Status::Error(changed + "its columns are not those that were checked");
  }
  for (std::size_t c = 0; c < file_.Series.size(); ++c) {
    if (again.Series[c].Column != file_.Series[c].Column ||
        again.Series[c].Values != file_.Series[c].Values) {
      return Status::Error(changed + "the values of " + ColumnText(file_.Series[c]) +
                           " are not those that were checked");
    }
  }
  return Status::Success();
}

}  // namespace vernoli
