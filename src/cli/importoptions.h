// The command line of `vernoli-batch import` as it was given, and the readers of its option
// values: numbers checked as the form's fields check them (refused, not forced into the range),
// choices among words, dates, the altitude in metres. Each reader returns the reason of a fault
// ("option --x: ..."), or empty.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/calendar.h"
#include "stations/entry.h"

namespace vernoli {

struct ImportLine {
  std::string File;
  std::map<std::string, std::string, std::less<>> Values;  // the last value of each option
  std::set<std::string, std::less<>> Flags;                 // the flags given
  std::vector<std::string> Markers;                         // every --missing-marker, in order

  std::optional<std::string> Get(std::string_view option) const;
  bool Has(std::string_view option) const;
};

// Reads the words after "import"; the reason of the first fault, or empty. A word that does not
// start with "--" is the file, even "-x".
std::string ParseImportLine(const std::vector<std::string>& args, ImportLine& line);

std::string NotANumber(std::string_view option, std::string_view text);

// A value of a range-checked field: refused (not forced into the range) when outside it.
std::string ReadReal(const ImportLine& line, std::string_view option, const RealFieldSpec& field,
                     double& value);
std::string ReadInteger(const ImportLine& line, std::string_view option, int64_t minimum,
                        int64_t maximum, int width, int64_t& value);
// The index of the option's word among `words`; -1 when the option is absent.
std::string ReadChoice(const ImportLine& line, std::string_view option,
                       std::initializer_list<std::string_view> words, int& choice);
// "D/M/YYYY", or "D/M" for data not linked to a year.
std::string ReadDate(const ImportLine& line, std::string_view option, Date& date);
// An altitude in metres, with decimals or without: rounded to the whole metre that the
// description holds (half a metre away from zero), then held to the altitude field's range.
std::string ReadAltitude(const ImportLine& line, int64_t& altitude);

// The codes of a --columns list hold temperatures of both units: the reason ("option --columns:
// 101 (°C) and 113 (°F) mix the temperature units; ..."); empty when they do not.
std::string MixedTemperatureReason(const std::vector<int>& codes);

// Text of the program (Windows-1252) as a terminal shows it, in UTF-8; text that is UTF-8
// already stays as it is.
std::string TerminalText(std::string_view text);
// The unit of a code as a terminal shows it: without the blanks around it, in UTF-8.
std::string UnitText(int code);

}  // namespace vernoli
