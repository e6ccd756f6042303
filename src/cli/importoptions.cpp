#include "cli/importoptions.h"

#include <algorithm>
#include <cmath>

#include "cli/arguments.h"
#include "import/columns.h"
#include "import/delimitedtext.h"
#include "model/numbers.h"
#include "model/parameters.h"

namespace vernoli {

namespace {

// The options: each takes a value but the flags.
constexpr OptionSpec kOptions[] = {
    {"--name"},          {"--kind"},          {"--columns"},        {"--type"},
    {"--from"},          {"--to"},            {"--not-linked", false},
    {"--undefined"},     {"--station"},       {"--country"},        {"--latitude"},
    {"--longitude"},     {"--altitude"},      {"--wind-height"},    {"--location"},
    {"--climate"},       {"--winds"},         {"--limit-tmin"},     {"--limit-tmax"},
    {"--limit-rhmin"},   {"--limit-wind"},    {"--limit-rad-dev"},
    // A delimited file.
    {"--date-column"},   {"--date-columns"},  {"--date-order"},     {"--separator"},
    {"--decimal-comma", false},               {"--missing-marker"}, {"--beyond-limits"},
    // A delimited file of several stations.
    {"--station-column"}, {"--stations"}};

}  // namespace

std::optional<std::string> ImportLine::Get(std::string_view option) const {
  const auto it = Values.find(option);
  if (it == Values.end()) return std::nullopt;
  return it->second;
}

bool ImportLine::Has(std::string_view option) const {
  return Values.count(option) != 0 || Flags.count(option) != 0 ||
         (option == "--missing-marker" && !Markers.empty());
}

std::string ParseImportLine(const std::vector<std::string>& args, ImportLine& line) {
  ArgumentReader reader(args, ArgumentReader::Dashes::Two);
  Argument argument;
  bool fileGiven = false;
  while (reader.Next(kOptions, "import", argument)) {
    if (argument.Positional()) {
      if (fileGiven) return "import takes one file, not also " + argument.Value;
      line.File = argument.Value;
      fileGiven = true;
    } else if (argument.Name == "--missing-marker") {
      line.Markers.push_back(argument.Value);
    } else if (std::find_if(std::begin(kOptions), std::end(kOptions), [&](const OptionSpec& o) {
                 return o.Name == argument.Name && !o.TakesValue;
               }) != std::end(kOptions)) {
      line.Flags.insert(argument.Name);
    } else {
      line.Values[argument.Name] = argument.Value;
    }
  }
  if (!reader.Error().empty()) return reader.Error();
  if (!fileGiven) return "import needs the file to import";
  if (!line.Has("--name")) return "import needs --name NAME";
  return {};
}

std::string NotANumber(std::string_view option, std::string_view text) {
  return "option " + std::string(option) + ": \"" + std::string(text) + "\" is no number";
}

std::string ReadReal(const ImportLine& line, std::string_view option, const RealFieldSpec& field,
                     double& value) {
  const std::optional<std::string> text = line.Get(option);
  if (!text) return {};
  double parsed = 0.0;
  if (!ParseReal(TrimBlanks(*text), parsed)) return NotANumber(option, *text);
  const RealEntryCheck check = CheckRealEntry(parsed, field.Minimum, field.Maximum, field.Width,
                                              field.Decimals);
  if (!check.Inside()) return "option " + std::string(option) + ": " + check.Message.substr(7);
  value = parsed;
  return {};
}

std::string ReadInteger(const ImportLine& line, std::string_view option, int64_t minimum,
                        int64_t maximum, int width, int64_t& value) {
  const std::optional<std::string> text = line.Get(option);
  if (!text) return {};
  int64_t parsed = 0;
  if (!ParseInt(TrimBlanks(*text), parsed)) return NotANumber(option, *text);
  const IntegerEntryCheck check = CheckIntegerEntry(parsed, minimum, maximum, width);
  if (!check.Inside()) return "option " + std::string(option) + ": " + check.Message.substr(7);
  value = parsed;
  return {};
}

std::string ReadChoice(const ImportLine& line, std::string_view option,
                       std::initializer_list<std::string_view> words, int& choice) {
  choice = -1;
  const std::optional<std::string> text = line.Get(option);
  if (!text) return {};
  int i = 0;
  for (std::string_view word : words) {
    if (*text == word) {
      choice = i;
      return {};
    }
    ++i;
  }
  std::string list;
  for (std::string_view word : words) list += (list.empty() ? "" : "|") + std::string(word);
  return "option " + std::string(option) + " takes " + list + ", not \"" + *text + "\"";
}

std::string ReadDate(const ImportLine& line, std::string_view option, Date& date) {
  const std::optional<std::string> text = line.Get(option);
  if (!text) return {};
  const std::string bad = "option " + std::string(option) + ": \"" + *text +
                          "\" is no date D/M/YYYY";
  std::vector<int64_t> parts;
  std::string_view rest = *text;
  for (;;) {
    const std::size_t slash = rest.find('/');
    int64_t part = 0;
    if (!ParseInt(rest.substr(0, slash), part)) return bad;
    parts.push_back(part);
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  const bool notLinked = line.Has("--not-linked");
  if (parts.size() != 3 && !(parts.size() == 2 && notLinked)) return bad;
  if (parts.size() == 2) parts.push_back(kYearNotLinked);
  const int64_t year = parts[2];
  if (year != kYearNotLinked && (year < 1902 || year > 2099)) {
    return "option " + std::string(option) + ": the year must be 1901 (not linked) or 1902..2099";
  }
  if (parts[1] < 1 || parts[1] > 12 || parts[0] < 1 || parts[0] > 31) return bad;
  date = {static_cast<int32_t>(parts[0]), static_cast<int32_t>(parts[1]),
          static_cast<int32_t>(year)};
  return {};
}

std::string ReadAltitude(const ImportLine& line, int64_t& altitude) {
  const std::optional<std::string> text = line.Get("--altitude");
  if (!text) return {};
  double parsed = 0.0;
  if (!ParseReal(TrimBlanks(*text), parsed)) return NotANumber("--altitude", *text);
  const IntegerFieldSpec& field = fields::kAltitude;
  const double metres = std::round(parsed);
  // Far beyond the range, the number is only known to lie outside it.
  const int64_t whole = metres > static_cast<double>(field.Maximum)   ? field.Maximum + 1
                        : metres < static_cast<double>(field.Minimum) ? field.Minimum - 1
                                                                      : static_cast<int64_t>(metres);
  const IntegerEntryCheck check = CheckIntegerEntry(whole, field.Minimum, field.Maximum, field.Width);
  if (!check.Inside()) return "option --altitude: " + check.Message.substr(7);
  altitude = whole;
  return {};
}

std::string MixedTemperatureReason(const std::vector<int>& codes) {
  const auto [celsius, fahrenheit] = MixedTemperatureUnits(codes);
  if (celsius == 0) return {};
  return "option --columns: " + std::to_string(celsius) + " (" + UnitText(celsius) + ") and " +
         std::to_string(fahrenheit) + " (" + UnitText(fahrenheit) +
         ") mix the temperature units; give every temperature in " + UnitText(101) +
         " or every one in " + UnitText(111);
}

std::string TerminalText(std::string_view text) {
  return IsUtf8(text) ? std::string(text) : FromWindows1252(text);
}

std::string UnitText(int code) {
  return TerminalText(TrimBlanks(ParameterRow(RowOfCode(code)).Unit));
}

}  // namespace vernoli
