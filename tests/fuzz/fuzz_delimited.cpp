// The reader of delimited files, with the layout found from the file and with choices made, and
// the import of what it reads into a new station (vernoli-batch import --kind delimited).
//
// The reader either reads the file (at least one record, one value per record in every series,
// each series' smallest and largest value bounding its values, as many records as the dates
// span) or refuses it with the program's message and no series; it never changes the file. The
// import either writes a complete station of one data line per record, or gives the program's
// message and leaves the data folder as it was.
#include <cmath>
#include <vector>

#include "fuzz_import.h"
#include "import/delimited.h"
#include "model/parameters.h"

namespace vernoli::fuzz {
namespace {

void RequireRead(const DelimitedFile& file) {
  if (!file.Ok()) {
    RequireErrorMessage(file.Result.Message);
    Require(file.Series.empty(), "a refused file with series");
    return;
  }
  Require(file.Records >= 1, "a file read without records");
  Require(file.DataLines >= 1 && file.DataLines <= file.Records,
          "more data lines than records, or none");
  Require(file.AbsentRecords == file.Records - file.DataLines, "absent records miscounted");
  Require(file.Records == RecordNumber(file.DataType, file.Last) -
                              RecordNumber(file.DataType, file.First) + 1,
          "records not those the dates span");
  for (const DelimitedSeries& series : file.Series) {
    Require(series.Values.size() == static_cast<std::size_t>(file.Records),
            "a series without one value per record");
    for (double value : series.Values) {
      Require(std::isfinite(value), "a value that is no finite number");
      if (IsMissing(value)) continue;
      Require(value >= series.Minimum && value <= series.Maximum,
              "a value beyond its series' smallest and largest");
    }
  }
}

// Choices made from the bytes of the input (their sum), so that every input is also read with
// a separator, a decimal sign, a date order and markers given.
DelimitedOptions ChosenOptions(const std::string& input) {
  unsigned sum = 0;
  for (char c : input) sum += static_cast<unsigned char>(c);
  constexpr FieldSeparator kSeparators[] = {FieldSeparator::Comma, FieldSeparator::Semicolon,
                                            FieldSeparator::Tab, FieldSeparator::Blanks};
  constexpr DateOrder kOrders[] = {DateOrder::Auto, DateOrder::DayMonthYear,
                                   DateOrder::MonthDayYear, DateOrder::YearMonthDay};
  DelimitedOptions options;
  options.Separator = kSeparators[sum % 4];
  options.Decimal = sum / 4 % 2 == 0 ? DecimalSign::Point : DecimalSign::Comma;
  options.Order = kOrders[sum / 8 % 4];
  options.MissingMarkers = {"x", "-99.9"};
  options.UndefinedValues.push_back(-99.9);
  if (sum / 32 % 2 == 1) {
    options.Columns = {{{{2, {}}, 101, 0.1}, {{3, {}}, 103, 1.0}}};
  }
  return options;
}

}  // namespace
}  // namespace vernoli::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vernoli;
  using namespace vernoli::fuzz;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string importFolder = Folder() + "IMPORT/";
  const std::string dataFolder = Folder() + "DATA/";
  PrepareImportFolders(importFolder, dataFolder);
  const std::string file = importFolder + "F.csv";
  WriteFile(file, input);

  const DelimitedFile found = ReadDelimitedFile(file);
  RequireRead(found);
  RequireRead(ReadDelimitedFile(file, ChosenOptions(input)));
  Require(ReadFile(file) == input, "reading changed the file");
  if (!found.Ok() || found.Records > 3000) return 0;

  std::vector<std::string> args = {file, "--name", "NEW", "--kind", "delimited"};
  if (input.size() % 2 == 1) args.insert(args.end(), {"--beyond-limits", "clip"});
  RequireImport(args, dataFolder, found.Records);
  return 0;
}
