#include "import/delimitedpreview.h"

#include <algorithm>
#include <cstdio>

#include "import/columns.h"
#include "model/parameters.h"
#include "stations/characteristics.h"

namespace vernoli {

namespace {

// "01/03/2001": day, month, year.
std::string SlashedDate(const Date& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", static_cast<int>(date.Day),
                static_cast<int>(date.Month), static_cast<int>(date.Year));
  return text;
}

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

std::vector<PreviewLine> PreviewDelimited(const std::string& path, FieldSeparator separator,
                                          int lines, int from) {
  std::vector<PreviewLine> preview;
  BoundedLineReader reader;
  if (!reader.Open(path).Ok) return preview;
  std::string line;
  std::vector<std::string> fields;
  while (static_cast<int>(preview.size()) < lines && reader.Next(line)) {
    if (reader.LineNumber() < from) continue;
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    line = ToWindows1252(line);
    if (separator == FieldSeparator::Auto || !SplitFields(line, separator, fields).Ok()) {
      preview.push_back({reader.LineNumber(), {line}});
    } else {
      preview.push_back({reader.LineNumber(), fields});
    }
  }
  return preview;
}

int PreviewFirstLine(const DelimitedFile& file) {
  if (file.HeaderLine > 0) return file.HeaderLine;
  return file.FirstDataLine > 0 ? file.FirstDataLine : 1;
}

FoundLayout FoundLayoutOf(const DelimitedFile& file) {
  FoundLayout found;
  if (file.Separator != FieldSeparator::Auto) found.Separator = SeparatorName(file.Separator);
  if (file.Decimal != DecimalSign::Auto) found.Decimal = DecimalSignName(file.Decimal);
  for (int number : file.DateColumns) {
    const std::size_t index = static_cast<std::size_t>(number - 1);
    if (!found.DateColumns.empty()) found.DateColumns += ", ";
    found.DateColumns += index < file.Columns.size() && !file.Columns[index].Name.empty()
                             ? file.Columns[index].Name
                             : "column " + std::to_string(number);
  }
  // The form of the dates tells their order, in fewer words than the order itself.
  if (file.Dates != DateFormat::Auto && !file.DateColumns.empty()) {
    found.DateOrder = DateFormatText(file.Dates);
  }
  if (file.Records > 0) {
    found.DataType = DataTypeText(file.DataType);
    found.Span = SlashedDate(file.First) + " to " + SlashedDate(file.Last) + ": " +
                 std::to_string(file.Records) + " records, " +
                 std::to_string(file.AbsentRecords) + " absent";
  }
  return found;
}

std::string FoundChoiceText(const std::string& found) {
  std::string text = "found from the file";
  if (!found.empty()) text += ": " + found;
  return text;
}

std::vector<int> DateColumnsInUse(const DelimitedOptions& layout, const DelimitedFile& file) {
  if (layout.DateColumns.empty()) return file.DateColumns;
  std::vector<int> numbers;
  for (const ColumnRef& ref : layout.DateColumns) numbers.push_back(ColumnIndex(file, ref) + 1);
  return numbers;
}

std::vector<ColumnRef> ProposedDateParts(const DelimitedOptions& layout,
                                         const DelimitedFile& file) {
  std::vector<ColumnRef> parts;
  const std::vector<int> inUse = DateColumnsInUse(layout, file);
  if (inUse.size() >= 2) {
    for (int number : inUse) parts.push_back({number, {}});
    return parts;
  }
  const auto named = [&file](bool (*is)(std::string_view)) {
    for (const DelimitedColumn& column : file.Columns) {
      if (is(column.Name)) return column.Number;
    }
    return 0;
  };
  const int year = named(IsYearColumnName);
  const int month = named(IsMonthColumnName);
  const int day = named(IsDayColumnName);
  if (year > 0 && month > 0) {
    parts = {{year, {}}, {month, {}}};
    if (day > 0) parts.push_back({day, {}});
    return parts;
  }
  const int count = std::min(3, static_cast<int>(file.Columns.size()));
  for (int number = 1; number <= count; ++number) parts.push_back({number, {}});
  return parts;
}

std::vector<CodeChoice> ImportCodeChoices() {
  std::vector<CodeChoice> choices;
  for (CodePage page : kCodePages) {
    for (const CodeListRow& row : CodePageRows(page)) {
      const int16_t code = ParameterRow(row.TableRow).Code;
      choices.push_back({code, Trimmed(row.Code) + "  " + std::string(row.Symbol) + "  (" +
                                   std::string(row.Unit) + ")"});
    }
  }
  return choices;
}

}  // namespace vernoli
