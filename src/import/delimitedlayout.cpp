// The reading of a delimited file up to its first data line: the preamble, the header, the
// separator and the date columns; then the columns the file has and those that are imported.
#include <algorithm>
#include <cmath>

#include "import/columns.h"
#include "import/delimitedreader.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli::delimited_detail {

namespace {

constexpr FieldSeparator kSeparators[] = {FieldSeparator::Tab, FieldSeparator::Semicolon,
                                          FieldSeparator::Comma, FieldSeparator::Blanks};

// The line without the blanks and the '#' that lead it.
std::string_view WithoutCommentSign(std::string_view line) {
  line = TrimBlanks(line);
  if (line.starts_with('#')) line.remove_prefix(1);
  return line;
}

bool IsWhole(std::string_view text) {
  int64_t n = 0;
  return ParseInt(TrimBlanks(text), n);
}

bool SameName(std::string_view a, std::string_view b) {
  return LowerAscii(TrimBlanks(a)) == LowerAscii(TrimBlanks(b));
}

// The index of the column named or numbered by `ref` among `names`; -1 when there is none.
int IndexOf(const ColumnRef& ref, const std::vector<std::string>& names) {
  if (ref.Number > 0) return ref.Number - 1;
  const std::string name = ToWindows1252(ref.Name);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (SameName(names[i], name)) return static_cast<int>(i);
  }
  return -1;
}

bool AllWhole(const std::vector<std::string>& fields, const std::vector<int>& columns) {
  return std::all_of(columns.begin(), columns.end(), [&](int i) {
    return i >= 0 && static_cast<std::size_t>(i) < fields.size() &&
           IsWhole(fields[static_cast<std::size_t>(i)]);
  });
}

}  // namespace

bool IsCommentLine(std::string_view line) { return TrimBlanks(line).starts_with('#'); }

bool IsEmptyLine(std::string_view line) { return TrimBlanks(WithoutCommentSign(line)).empty(); }

// ---------------------------------------------------------------------------------------------
// Options

bool Reader::CheckOptions() {
  const std::size_t given = options_.DateColumns.size();
  const bool columns = options_.Dates == DateFormat::Columns;
  if (given > 3 || (given == 1 && columns) ||
      (given >= 2 && options_.Dates != DateFormat::Auto && !columns)) {
    Refuse("file " + path_ + ": the dates are given as one date column, as year and month "
           "columns, or as year, month and day columns");
    return false;
  }
  if (options_.Order != DateOrder::Auto) {
    const DateShape shape = ShapeOfFormat(options_.Dates);
    if (given >= 2 || columns) {
      Refuse("file " + path_ + ": the dates are given in year, month and day columns; a date "
             "order applies to a date column");
      return false;
    }
    if (shape != DateShape::None && (!ShapeHasOrder(shape, options_.Order) ||
                                     (shape == DateShape::SlashYearLast &&
                                      options_.Dates != SlashFormatOfOrder(options_.Order)))) {
      Refuse("file " + path_ + ": dates of the form " +
             std::string(DateFormatText(options_.Dates)) + " are not in the order " +
             std::string(DateOrderText(options_.Order)));
      return false;
    }
  }
  if (options_.Station && !options_.StationColumn) {
    Refuse("file " + path_ + ": the rows of a station are read from a file of several stations, "
           "whose station column is given");
    return false;
  }
  if (options_.DataType && *options_.DataType > kMonthly) {
    Refuse("file " + path_ + ": the data type is daily (0), 10-daily (1) or monthly (2)");
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Up to the first data line

bool Reader::DateFieldFits(std::string_view field) const {
  const DateText text = ReadDateText(field);
  if (text.Shape == DateShape::None) return false;
  if (options_.Dates != DateFormat::Auto && text.Shape != ShapeOfFormat(options_.Dates)) {
    return false;
  }
  if (!ShapeHasOrder(text.Shape, options_.Order)) return false;
  Date date{};
  if (text.Shape == DateShape::SlashYearLast) {
    const DateFormat told = SlashFormatOfOrder(options_.Order);
    if (told != DateFormat::Auto) return DateOfText(text, told, date);
    return DateOfText(text, DateFormat::DayMonthYearSlash, date) ||
           DateOfText(text, DateFormat::MonthDayYearSlash, date);
  }
  return DateOfText(text, FormatOfShape(text.Shape), date);
}

bool Reader::FindDateColumns(const std::vector<std::string>& fields,
                             const std::vector<std::string>& names, Layout& layout) const {
  layout.DateColumns.clear();
  layout.Shape = DateShape::None;
  const std::vector<ColumnRef>& given = options_.DateColumns;
  if (!given.empty()) {
    for (const ColumnRef& ref : given) layout.DateColumns.push_back(IndexOf(ref, names));
    if (given.size() >= 2) return AllWhole(fields, layout.DateColumns);
    const int i = layout.DateColumns[0];
    if (i < 0 || static_cast<std::size_t>(i) >= fields.size() ||
        !DateFieldFits(fields[std::size_t(i)])) {
      return false;
    }
    layout.Shape = ReadDateText(fields[std::size_t(i)]).Shape;
    return true;
  }
  // Year, month (and day) columns by their names.
  const auto named = [&](bool (*is)(std::string_view)) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (is(names[i])) return static_cast<int>(i);
    }
    return -1;
  };
  const int year = named(IsYearColumnName);
  const int month = named(IsMonthColumnName);
  const int day = named(IsDayColumnName);
  const bool columns = options_.Dates == DateFormat::Columns;
  if (year >= 0 && month >= 0 && (options_.Dates == DateFormat::Auto || columns)) {
    layout.DateColumns = {year, month};
    if (day >= 0) layout.DateColumns.push_back(day);
    if (AllWhole(fields, layout.DateColumns)) return true;
    layout.DateColumns.clear();
  }
  if (columns) return false;
  // A column named as a date column, else the first that holds a date other than the station
  // column (whose ids may look like dates).
  const int station = StationIndex(names);
  for (bool byName : {true, false}) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (!byName && static_cast<int>(i) == station) continue;
      if (byName && (i >= names.size() || !IsDateColumnName(names[i]))) continue;
      if (DateFieldFits(fields[i])) {
        layout.DateColumns = {static_cast<int>(i)};
        layout.Shape = ReadDateText(fields[i]).Shape;
        return true;
      }
    }
  }
  return false;
}

std::vector<std::string> Reader::HeaderNames(FieldSeparator separator) const {
  std::vector<std::string> names;
  if (header_.empty() || !SplitFields(header_, separator, names).Ok()) return {};
  while (!names.empty() && names.back().empty()) names.pop_back();
  return names;
}

// The layout of a line that holds a date, tried with each separator: one that agrees with the
// header first, then one without a header (a line that the separator does not split is a
// preamble line, no header), then one that disagrees with the header (refused later).
std::optional<Layout> Reader::TryLayout(std::string_view line) {
  std::optional<Layout> best;
  int bestRank = 3;
  for (FieldSeparator separator : kSeparators) {
    if (options_.Separator != FieldSeparator::Auto && separator != options_.Separator) continue;
    if (!SplitFields(line, separator, fields_).Ok() || fields_.size() < 2) continue;
    std::vector<std::string> names = HeaderNames(separator);
    if (names.size() < 2) names.clear();
    Layout layout;
    layout.Separator = separator;
    if (!FindDateColumns(fields_, names, layout)) continue;
    int rank = 1;
    layout.LineFields = static_cast<int>(fields_.size());
    layout.Fields = layout.LineFields;
    if (!names.empty()) {
      // Fields beyond the names must be empty (a separator at the end of the line).
      const bool extraEmpty =
          fields_.size() < names.size() ||
          std::all_of(fields_.begin() + std::ptrdiff_t(names.size()), fields_.end(),
                      [](const std::string& field) { return field.empty(); });
      layout.Header = true;
      layout.Fields = static_cast<int>(names.size());
      layout.Mismatch = fields_.size() < names.size() || !extraEmpty;
      rank = layout.Mismatch ? 2 : 0;
    }
    if (rank < bestRank) {
      best = layout;
      bestRank = rank;
    }
    if (rank == 0) break;
  }
  return best;
}

// Whether the line after a candidate makes the candidate the first data line: a single line with
// a date (a preamble's "created 2021-03-01") is not enough. The next line confirms it with a date
// of the same form in the same place, or as a data line at fault: one whose quotes are broken,
// or one with as many fields as the candidate and a number among them (a header has none).
bool Reader::Confirms(std::string_view line, const Layout& layout) {
  if (!SplitFields(line, layout.Separator, fields_).Ok()) return true;
  if (fields_.size() < 2) return false;
  if (layout.Shape == DateShape::None) {
    if (AllWhole(fields_, layout.DateColumns)) return true;
  } else {
    const auto i = static_cast<std::size_t>(layout.DateColumns[0]);
    if (i < fields_.size() && ReadDateText(fields_[i]).Shape == layout.Shape) return true;
  }
  if (static_cast<int>(fields_.size()) != layout.LineFields) return false;
  return std::any_of(fields_.begin(), fields_.end(), [](const std::string& field) {
    double value = 0.0;
    return ParseDecimal(field, DecimalSign::Point, value) ||
           ParseDecimal(field, DecimalSign::Comma, value);
  });
}

std::string Reader::NoDataLineReason() const {
  std::string where = "in a column of its own";
  const std::vector<ColumnRef>& given = options_.DateColumns;
  if (given.size() == 1) {
    where = given[0].Number > 0 ? "in column " + std::to_string(given[0].Number)
                                : "in the column named " + QuotedForMessage(given[0].Name);
  } else if (!given.empty()) {
    where = "in the year and month columns given";
  }
  const std::string forms = options_.Dates != DateFormat::Auto
                                ? std::string(DateFormatText(options_.Dates))
                                : std::string(DateFormatsOfOrder(options_.Order));
  const std::string separators = options_.Separator == FieldSeparator::Auto
                                     ? "a tab, a semicolon, a comma or blanks"
                                     : std::string(SeparatorName(options_.Separator));
  return "file " + path_ + " holds no data line: no line has a date " + where + " (" + forms +
         ") beside other fields separated by " + separators;
}

bool Reader::FindFirstDataLine() {
  std::string line;
  std::string pending;
  int pendingLine = 0;
  int64_t pendingOffset = 0;
  std::optional<Layout> pendingLayout;
  int headerLine = 0;
  const auto accept = [&]() {
    layout_ = *pendingLayout;
    out_.FirstDataLine = pendingLine;
    firstDataOffset_ = pendingOffset;
    out_.HeaderLine = layout_.Header ? headerLine : 0;
    firstLines_.insert(firstLines_.begin(), {std::move(pending), pendingLine});
  };
  while (lines_.Next(line)) {
    if (IsEmptyLine(line)) continue;
    const bool comment = IsCommentLine(line);
    if (pendingLayout) {
      if (!comment && Confirms(line, *pendingLayout)) {
        firstLines_.push_back({line, lines_.LineNumber()});
        accept();
        return true;
      }
      // The candidate was no data line: it is the header so far.
      if (options_.HasHeader) header_ = ToWindows1252(TrimBlanks(pending));
      headerLine = pendingLine;
      pendingLayout.reset();
    }
    if (!comment) {
      pendingLayout = TryLayout(line);
      if (pendingLayout) {
        pending = line;
        pendingLine = lines_.LineNumber();
        pendingOffset = lines_.LineStart();
        continue;
      }
    }
    if (options_.HasHeader) header_ = ToWindows1252(TrimBlanks(WithoutCommentSign(line)));
    headerLine = lines_.LineNumber();
  }
  if (!lines_.status()) {
    Refuse(lines_.status());
    return false;
  }
  if (!pendingLayout) {
    Refuse(NoDataLineReason());
    return false;
  }
  accept();
  return true;
}

// ---------------------------------------------------------------------------------------------
// The columns

bool Reader::SetUpColumns() {
  out_.Separator = layout_.Separator;
  for (int i : layout_.DateColumns) out_.DateColumns.push_back(i + 1);
  format_ = layout_.Shape == DateShape::None ? DateFormat::Columns : FormatOfShape(layout_.Shape);
  if (layout_.Shape == DateShape::SlashYearLast && options_.Dates != DateFormat::Auto) {
    format_ = options_.Dates;
  } else if (layout_.Shape == DateShape::SlashYearLast) {
    format_ = SlashFormatOfOrder(options_.Order);
  }
  out_.Dates = format_;
  decimal_ = options_.Decimal;
  if (decimal_ == DecimalSign::Auto && layout_.Separator == FieldSeparator::Comma) {
    decimal_ = DecimalSign::Point;
  }
  out_.Decimal = decimal_;

  const std::vector<std::string> names =
      layout_.Header ? HeaderNames(layout_.Separator) : std::vector<std::string>{};
  for (int i = 0; i < layout_.Fields; ++i) {
    DelimitedColumn column;
    column.Number = i + 1;
    if (static_cast<std::size_t>(i) < names.size()) column.Name = names[std::size_t(i)];
    column.Date = std::find(layout_.DateColumns.begin(), layout_.DateColumns.end(), i) !=
                  layout_.DateColumns.end();
    out_.Columns.push_back(column);
  }
  if (!SetUpStationColumn(names)) return false;
  ProposeColumns();
  if (layout_.Mismatch) {
    SplitFields(firstLines_[0].first, layout_.Separator, fields_);
    const int count = static_cast<int>(fields_.size());
    Refuse(Where(out_.FirstDataLine, std::min(count, layout_.Fields)) + ": the line has " +
           std::to_string(count) + " fields where the header (line " +
           std::to_string(out_.HeaderLine) + ") names " + std::to_string(layout_.Fields) +
           " columns; " + SeparatorText());
    return false;
  }
  return ChooseColumns();
}

// Each column's proposal from its name; a code (or one of its group) offered for an earlier
// column is not offered again.
void Reader::ProposeColumns() {
  struct Taken {
    int16_t Code;      // a code of the group of an offered code
    int16_t Offered;   // the code offered
    int Index;         // for the column
  };
  std::vector<Taken> taken;
  for (DelimitedColumn& column : out_.Columns) {
    if (column.Date || column.Station || column.Name.empty()) continue;
    column.Proposal = ProposeColumn(column.Name);
    if (!column.Proposal.Imported()) continue;
    const auto other = std::find_if(taken.begin(), taken.end(), [&](const Taken& entry) {
      return entry.Code == column.Proposal.Code;
    });
    if (other != taken.end()) {
      column.Proposal = {0, 1.0,
                         "code " + std::to_string(other->Offered) + " of " +
                             ColumnText(other->Index) + " gives this parameter already"};
      continue;
    }
    for (int16_t code : CodesClearedBy(column.Proposal.Code)) {
      taken.push_back({code, column.Proposal.Code, column.Number - 1});
    }
  }
}

bool Reader::CheckChoice(const ColumnChoice& choice, int i) {
  const int line = out_.HeaderLine > 0 ? out_.HeaderLine : out_.FirstDataLine;
  const std::string where = Where(line, i);
  if (out_.Columns[std::size_t(i)].Date) {
    Refuse(where + ": a date column cannot be imported (as code " + std::to_string(choice.Code) +
           ")");
    return false;
  }
  if (out_.Columns[std::size_t(i)].Station) {
    Refuse(where + ": the station column cannot be imported (as code " +
           std::to_string(choice.Code) + "); it names the station of each line");
    return false;
  }
  if (RowOfCode(choice.Code) == 0 || choice.Code == 501) {
    Refuse(where + ": " + std::to_string(choice.Code) +
           " is no code of a parameter the import takes; the codes of the parameter table from "
           "101 to 435 are");
    return false;
  }
  if (!std::isfinite(choice.Factor) || choice.Factor == 0.0) {
    Refuse(where + ": the factor " + NumberForMessage(choice.Factor) +
           " cannot be used; a factor is a number other than 0");
    return false;
  }
  const std::vector<int16_t> group = CodesClearedBy(choice.Code);
  for (std::size_t k = 0; k < imported_.size(); ++k) {
    const DelimitedSeries& other = out_.Series[k];
    if (imported_[k].Index == i) {
      Refuse(where + ": the column is chosen twice; a column is imported once");
      return false;
    }
    if (std::find(group.begin(), group.end(), other.Code) != group.end()) {
      Refuse(where + ": code " + std::to_string(choice.Code) + " and code " +
             std::to_string(other.Code) + " of " + ColumnText(other.Column - 1) +
             " give the same parameter; one column is imported per parameter");
      return false;
    }
  }
  return true;
}

std::string Reader::NoSuchColumn(const ColumnRef& ref, const std::vector<std::string>& names) const {
  const int line = out_.HeaderLine > 0 ? out_.HeaderLine : out_.FirstDataLine;
  std::string reason = "file " + path_ + ", line " + std::to_string(line) + ": ";
  if (ref.Number > 0) {
    reason += "there is no column " + std::to_string(ref.Number) + "; the lines have " +
              std::to_string(layout_.Fields) + " columns";
  } else if (out_.HeaderLine == 0) {
    reason += "no column can be named " + QuotedForMessage(ref.Name) +
              ": the file has no header; columns are given by their numbers";
  } else {
    reason += "the header names no column " + QuotedForMessage(ref.Name) + "; its columns are ";
    for (std::size_t k = 0; k < names.size(); ++k) reason += (k == 0 ? "" : ", ") + names[k];
  }
  return reason;
}

int Reader::StationIndex(const std::vector<std::string>& names) const {
  return options_.StationColumn ? IndexOf(*options_.StationColumn, names) : -1;
}

bool Reader::SetUpStationColumn(const std::vector<std::string>& names) {
  if (!options_.StationColumn) return true;
  const int i = StationIndex(names);
  if (i < 0 || i >= layout_.Fields) {
    Refuse(NoSuchColumn(*options_.StationColumn, names) + " (the station column asked for)");
    return false;
  }
  DelimitedColumn& column = out_.Columns[std::size_t(i)];
  if (column.Date) {
    Refuse(Where(out_.HeaderLine > 0 ? out_.HeaderLine : out_.FirstDataLine, i) +
           ": the station column cannot be a date column; the stations are named in a column "
           "of their own");
    return false;
  }
  column.Station = true;
  station_ = i;
  return true;
}

// The series to read: the caller's choice, else the proposals.
bool Reader::ChooseColumns() {
  std::vector<ColumnChoice> choices;
  if (options_.Columns) {
    choices = *options_.Columns;
  } else {
    for (const DelimitedColumn& column : out_.Columns) {
      if (column.Proposal.Imported()) {
        choices.push_back({{column.Number, {}}, column.Proposal.Code, column.Proposal.Factor});
      }
    }
  }
  std::vector<std::string> names;
  for (const DelimitedColumn& column : out_.Columns) names.push_back(column.Name);
  for (const ColumnChoice& choice : choices) {
    const int i = IndexOf(choice.Column, names);
    if (i < 0 || i >= layout_.Fields) {
      Refuse(NoSuchColumn(choice.Column, names));
      return false;
    }
    if (!CheckChoice(choice, i)) return false;
    imported_.push_back({i, choice.Factor});
    DelimitedSeries series;
    series.Column = i + 1;
    series.Name = out_.Columns[std::size_t(i)].Name;
    series.Code = choice.Code;
    series.Factor = choice.Factor;
    out_.Series.push_back(std::move(series));
  }
  return true;
}

}  // namespace vernoli::delimited_detail
