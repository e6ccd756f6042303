// What the layout page of the delimited kind shows of a file without reading its records: its
// first lines split into fields, the span its dates give, and the codes a column may take.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "import/delimited.h"

namespace vernoli {

// The first `lines` non-empty lines of the file, each split into its fields at `separator` (Auto:
// one field per line), in Windows-1252. A line that cannot be split is shown whole. Empty when
// the file cannot be opened; the reading stops at a line too long.
std::vector<std::vector<std::string>> PreviewDelimited(const std::string& path,
                                                       FieldSeparator separator, int lines);

// "daily meteorological data from 01/03/2001 to 03/03/2001: 3 records, 1 absent"; empty for a
// file that gave no records.
std::string DelimitedSpanText(const DelimitedFile& file);

// A code a column may take: the code and "101  Tmax  (°C)" for a chooser.
struct CodeChoice {
  int16_t Code = 0;
  std::string Text;  // Windows-1252
};
// Every code of the import's code lists, page after page.
std::vector<CodeChoice> ImportCodeChoices();

}  // namespace vernoli
