// What the layout page of the delimited kind shows of a file without reading its records: its
// first lines split into fields, what the reading found of its layout and the span its dates
// give, the date columns, and the codes a column may take.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "import/delimited.h"

namespace vernoli {

// A line of the file as the preview shows it.
struct PreviewLine {
  int Number = 0;  // 1-based line number in the file
  std::vector<std::string> Fields;
  bool operator==(const PreviewLine&) const = default;
};

// The first `lines` non-empty lines of the file from line `from` on, each split into its fields
// at `separator` (Auto: one field per line), in Windows-1252. A line that cannot be split is
// shown whole. Empty when the file cannot be opened; the reading stops at a line too long.
std::vector<PreviewLine> PreviewDelimited(const std::string& path, FieldSeparator separator,
                                          int lines, int from = 1);

// The line the preview starts at: the header the reading found, else its first data line, else
// the first line; a preamble before them would fill the preview and hide the columns.
int PreviewFirstLine(const DelimitedFile& file);

// What the reading of a file found, in the words of the layout page; a text is empty where the
// reading did not come so far (a refused file keeps what was found before the refusal).
struct FoundLayout {
  std::string Separator;    // "comma (,)"
  std::string Decimal;      // "decimal point"
  std::string DateColumns;  // "date"; "YEAR, MONTH, DAY" for a date in three columns
  std::string DateOrder;    // the form of the dates, which tells the order: "DD.MM.YYYY"
  std::string DataType;     // "daily meteorological data"
  std::string Span;         // "01/03/2001 to 03/03/2001: 3 records, 1 absent"
};
FoundLayout FoundLayoutOf(const DelimitedFile& file);

// The first item of a chooser whose choice is left to the file: "found from the file", followed
// by what was found when there is something: "found from the file: comma (,)".
std::string FoundChoiceText(const std::string& found);

// The date columns in use, 1-based: those chosen (0 for one the file does not have), else those
// the reading found.
std::vector<int> DateColumnsInUse(const DelimitedOptions& layout, const DelimitedFile& file);

// The year, month and day columns offered when the user asks for the date in three columns:
// those in use when they already are two or three, else the columns whose names say year, month
// and day (the day left out when none does), else the first three columns.
std::vector<ColumnRef> ProposedDateParts(const DelimitedOptions& layout,
                                         const DelimitedFile& file);

// A code a column may take: the code and "101  Tmax  (°C)" for a chooser.
struct CodeChoice {
  int16_t Code = 0;
  std::string Text;  // Windows-1252
};
// Every code of the import's code lists, page after page.
std::vector<CodeChoice> ImportCodeChoices();

}  // namespace vernoli
