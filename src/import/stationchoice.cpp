#include "import/stationchoice.h"

#include <cstdlib>
#include <vector>

#include "import/delimitedpreview.h"
#include "stations/entry.h"

namespace vernoli {

namespace {

// The fields of line `number`, as the preview splits them; empty when the file has no such line.
std::vector<std::string> FieldsOfLine(const DelimitedFile& file, int number) {
  const std::vector<PreviewLine> lines = PreviewDelimited(file.Path, file.Separator, 1, number);
  if (lines.empty() || lines.front().Number != number) return {};
  return lines.front().Fields;
}

std::string_view FieldOf(const std::vector<std::string>& fields, std::size_t index) {
  return index < fields.size() ? TrimBlanks(fields[index]) : std::string_view();
}

}  // namespace

int LikelyStationColumn(const DelimitedFile& file) {
  // One line before the date came again tells nothing of a column that stays.
  if (file.DateAgainLine <= 0 || file.FirstDataLine <= 0 ||
      file.DateBeforeLine <= file.FirstDataLine) {
    return 0;
  }
  const std::vector<std::string> first = FieldsOfLine(file, file.FirstDataLine);
  const std::vector<std::string> before = FieldsOfLine(file, file.DateBeforeLine);
  const std::vector<std::string> again = FieldsOfLine(file, file.DateAgainLine);
  for (std::size_t c = 0; c < file.Columns.size(); ++c) {
    const DelimitedColumn& column = file.Columns[c];
    if (column.Date || column.Proposal.Imported()) continue;
    const std::string_view id = FieldOf(before, c);
    if (id.empty() || FieldOf(first, c) != id || FieldOf(again, c).empty() ||
        FieldOf(again, c) == id) {
      continue;
    }
    return column.Number;
  }
  return 0;
}

std::string SeveralStationsHint(const DelimitedFile& file, int number) {
  std::string name = std::to_string(number);
  const auto index = static_cast<std::size_t>(number - 1);
  if (index < file.Columns.size()) {
    const std::string_view header = TrimBlanks(file.Columns[index].Name);
    // A name the batch's option takes as it is: no blank, quote or comma, not a number.
    if (!header.empty() && header.find_first_of(" \t\"',") == std::string_view::npos &&
        ColumnRef::FromText(header).Number == 0) {
      name = std::string(header);
    }
  }
  return "; the file seems to hold several stations in column " + name +
         ": choose it as the station column, or import every station with vernoli-batch import "
         "--station-column " + name;
}

std::string StationRowsText(const StationRows& rows) {
  return rows.Id + " (" + GroupedThousands(rows.Rows) + (rows.Rows == 1 ? " row)" : " rows)");
}

std::string GroupedThousands(int64_t number) {
  std::string digits = std::to_string(std::llabs(number));
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), ",");
  }
  return (number < 0 ? "-" : "") + digits;
}

}  // namespace vernoli
