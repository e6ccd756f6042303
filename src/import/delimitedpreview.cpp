#include "import/delimitedpreview.h"

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

std::vector<std::vector<std::string>> PreviewDelimited(const std::string& path,
                                                       FieldSeparator separator, int lines) {
  std::vector<std::vector<std::string>> preview;
  BoundedLineReader reader;
  if (!reader.Open(path).Ok) return preview;
  std::string line;
  std::vector<std::string> fields;
  while (static_cast<int>(preview.size()) < lines && reader.Next(line)) {
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    line = ToWindows1252(line);
    if (separator == FieldSeparator::Auto || !SplitFields(line, separator, fields).Ok()) {
      preview.push_back({line});
    } else {
      preview.push_back(fields);
    }
  }
  return preview;
}

std::string DelimitedSpanText(const DelimitedFile& file) {
  if (file.Records <= 0) return {};
  return std::string(DataTypeText(file.DataType)) + " from " + SlashedDate(file.First) + " to " +
         SlashedDate(file.Last) + ": " + std::to_string(file.Records) + " records, " +
         std::to_string(file.AbsentRecords) + " absent";
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
