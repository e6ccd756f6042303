#include "model/station.h"

#include <cmath>
#include <string_view>

#include "model/atomicfile.h"
#include "model/linereader.h"
#include "model/numbers.h"

namespace vernoli {

namespace {

// Labels of the .DSC, each written right after its value; the blanks at their start bring the
// colon to column 30.
constexpr std::string_view kLatitudeLabel = "                   : Latitude (degrees)";
constexpr std::string_view kLongitudeLabel = "                   : Longitude (degrees)";
constexpr std::string_view kAltitudeLabel =
    "                      : Altitude (meters above sea level)";
constexpr std::string_view kDailyLabel = "                      : daily data";
constexpr std::string_view kTenDailyLabel = "                      : 10-daily data";
constexpr std::string_view kMonthlyLabel = "                      : monthly data";
constexpr std::string_view kFromLabel = "               : From Date (Day - Month - Year)";
constexpr std::string_view kToLabel = "               : To Date (Day - Month - Year)";
constexpr std::string_view kPsychrometerLabel =
    "               : coefficient psychrometer (depending on type of ventilation)";
constexpr std::string_view kWindHeightLabel =
    "                    : height wind speed measurement (meter)";
constexpr std::string_view kTdewLabel =
    "                    : Missing air humidity data: difference between Tdew and Tmin (\xB0"
    "C)";
constexpr std::string_view kHargreavesLabel =
    "                   : Missing radiation data: Coefficient of Hargreaves Equation "
    "(MJ/m2.day)";
constexpr std::string_view kDefaultU2Label =
    "                    : Missing wind speed: estimate for U2 (m/sec)";
constexpr std::string_view kAngstromALabel = "                   : Coefficient: a Angstrom formula";
constexpr std::string_view kAngstromBLabel = "                   : Coefficient: b Angstrom formula";
constexpr std::string_view kElevationLabel =
    "                      : Option: Adjustment for station elevation (Angstrom formula)";
constexpr std::string_view kNoElevationLabel =
    "                      : Option: NO Adjustment for station elevation (Angstrom formula)";
constexpr std::string_view kLimitTminLabel =
    "                      : Climatic data range: lower limit for Minimal temperature (\xB0"
    "C)";
constexpr std::string_view kLimitTmaxLabel =
    "                      : Climatic data range: upper limit for Maximal temperature (\xB0"
    "C)";
constexpr std::string_view kLimitRHminLabel =
    "                      : Climatic data range: lower limit for Minimal Relative Humidity (%)";
constexpr std::string_view kLimitWindLabel =
    "                      : Climatic data range: upper limit for Maximal wind speed (m/sec)";
constexpr std::string_view kLimitRadiationLabel =
    "                      : Climatic data range: Allowable deviation (%) from theoretical "
    "maximum radiation";
constexpr std::string_view kListTitle =
    "List of CLIMATIC PARAMETERS=====================================";
constexpr std::string_view kListHeader =
    "Code  Symbol  Description                             Unit";
constexpr std::string_view kListEnd =
    "================================================================";

constexpr std::string_view kUndefinedStation = "Undefined station";

std::string TrimRightBlanks(std::string_view text) {
  std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

// A free text as one line of the file: a line break inside it would shift every line after it.
std::string SingleLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

// " 2000" for a year, nothing for a data set not linked to a year.
std::string YearText(int year) { return year == kYearNotLinked ? std::string() : FormatInt(year, 5); }

std::string MonthText(int month) {
  return month >= 1 && month <= 12 ? std::string(MonthName(month)) : std::string();
}

// Reads the .DSC line by line, each value from the start of its line.
class DscReader {
 public:
  explicit DscReader(const std::string& path) : path_(path) {}

  Status Open() { return lines_.Open(path_); }

  // The next line whole.
  Status Line(std::string& text) {
    if (lines_.Next(text)) return Status::Success();
    if (!lines_.status()) return lines_.status();
    return Status::Error(ReasonUnexpectedEnd(path_, lines_.LineNumber() + 1));
  }

  // The numbers at the start of the next line; the rest of the line is skipped.
  template <typename... Ts>
  Status Numbers(Ts&... values) {
    if (Status s = Line(text_); !s) return s;
    NumberScanner scanner(text_);
    if (!(Read(scanner, values) && ...)) {
      return Status::Error(ReasonNotANumber(path_, lines_.LineNumber()));
    }
    return Status::Success();
  }

  int64_t LineNumber() const { return lines_.LineNumber(); }

 private:
  static bool Read(NumberScanner& scanner, double& value) { return scanner.ReadReal(value); }
  static bool Read(NumberScanner& scanner, int32_t& value) { return scanner.ReadInt32(value); }
  static bool Read(NumberScanner& scanner, int64_t& value) { return scanner.ReadInt(value); }

  std::string path_;
  LineReader lines_;
  std::string text_;
};

// Years a span can hold: those of the year fields (1902..2099) and 1901, the year of data not
// linked to a specific year.
constexpr int32_t kFirstSpanYear = kYearNotLinked;
constexpr int32_t kLastSpanYear = 2099;

std::string DateText(int32_t day, int32_t month, int32_t year) {
  return std::to_string(day) + "/" + std::to_string(month) + "/" + std::to_string(year);
}

// Why day/month/year is no date of a span: a year the year fields do not take, or a day that
// the calendar does not have. Empty for a good date.
std::string DateFault(int32_t day, int32_t month, int32_t year) {
  const std::string date = DateText(day, month, year);
  if (year < kFirstSpanYear || year > kLastSpanYear) {
    return date + " has a year outside 1902.." + std::to_string(kLastSpanYear) + " (or " +
           std::to_string(kYearNotLinked) + " for data not linked to a year)";
  }
  if (month < 1 || month > 12) return date + " has a month outside 1..12";
  const int days = DaysInMonthOfYear(month, year);
  if (day < 1 || day > days) {
    return date + " has a day outside 1.." + std::to_string(days) + " (the days of " +
           std::string(MonthName(month)) + YearText(year) + ")";
  }
  return {};
}

// The lines of the .DSC that hold one number each, from column 1: the field's width and
// decimals (-1 for a whole number), the name a message gives it, and the station's value.
struct NumberField {
  int Line, Width, Decimals;
  std::string_view Name;
  double (*Value)(const RepClimateFile&);
};
constexpr NumberField kNumberFields[] = {
    {3, 10, 2, "latitude", [](const RepClimateFile& s) { return s.Latitude; }},
    {4, 10, 2, "longitude", [](const RepClimateFile& s) { return s.Longitude; }},
    {5, 7, -1, "altitude", [](const RepClimateFile& s) { return static_cast<double>(s.Altitude); }},
    {9, 14, 6, "psychrometer coefficient",
     [](const RepClimateFile& s) { return s.PsychrometerCoefficient; }},
    {10, 9, 1, "height of the wind speed measurement",
     [](const RepClimateFile& s) { return s.WindHeight; }},
    {11, 9, 1, "difference between Tdew and Tmin",
     [](const RepClimateFile& s) { return s.TdewTminDifference; }},
    {12, 10, 2, "coefficient of Hargreaves",
     [](const RepClimateFile& s) { return s.HargreavesRsCoefficient; }},
    {13, 9, 1, "estimate for U2", [](const RepClimateFile& s) { return s.DefaultU2; }},
    {14, 10, 2, "Angstrom a", [](const RepClimateFile& s) { return s.Settings.AngstromA; }},
    {15, 10, 2, "Angstrom b", [](const RepClimateFile& s) { return s.Settings.AngstromB; }},
};

const NumberField& FieldOfLine(int line) {
  for (const NumberField& field : kNumberFields) {
    if (field.Line == line) return field;
  }
  return kNumberFields[0];
}

// The text of the station's value in its field.
std::string FieldText(const NumberField& field, const RepClimateFile& station) {
  const double value = field.Value(station);
  return field.Decimals < 0 ? FormatInt(static_cast<int64_t>(value), field.Width)
                            : FormatReal(value, field.Width, field.Decimals);
}

}  // namespace

int32_t NumberOfRecords(const RepClimateFile& station) {
  return NumberOfRecords(station.DataType, station.From(), station.To());
}

void SetSpan(RepClimateFile& station, uint8_t dataType, const Date& from, const Date& to) {
  station.DataType = dataType;
  station.FromDay = from.Day;
  station.FromMonth = from.Month;
  station.FromYear = from.Year;
  station.ToDay = to.Day;
  station.ToMonth = to.Month;
  station.ToYear = to.Year;
  station.FirstDayNr = DayNr(from.Day, from.Month, from.Year);
  station.LastDayNr = DayNr(to.Day, to.Month, to.Year);
  station.NumberOfRecords = NumberOfRecords(station);
}

void SetStationFiles(RepClimateFile& station, const std::string& folder, const std::string& name) {
  station.FileName = name;
  station.OutputName = name;
  station.DscFileName = PathInFolder(folder, name + ".DSC");
  station.DtaFileName = PathInFolder(folder, name + ".DTA");
}

Status WriteStationDescription(const RepClimateFile& station) {
  AtomicFile file(station.DscFileName);
  int64_t lineNumber = 0;
  Status refused;
  auto line = [&](std::string text, std::string_view label) {
    text += label;
    file.WriteLine(text);
    ++lineNumber;
  };
  // A number in its field at `column` of the next line. One that does not fit it, or would not
  // read back (a value of a hand-edited file), refuses the whole file: nothing is written.
  auto check = [&](const std::string& text, const std::string& value, int width, int column,
                   std::string_view name) {
    if (refused && !FieldReadsBack(text, width)) {
      refused = Status::Error("file " + station.DscFileName + ", line " +
                              std::to_string(lineNumber + 1) + ", column " +
                              std::to_string(column) + " (" + std::string(name) +
                              "): the value " + value + " " + FieldFault(text, width) +
                              "; nothing was written");
    }
    return text;
  };
  auto number = [&](int lineOfFile) {
    const NumberField& field = FieldOfLine(lineOfFile);
    return check(FieldText(field, station), ShortestText(field.Value(station)), field.Width, 1,
                 field.Name);
  };
  auto integer = [&](int64_t value, int width, int column, std::string_view name) {
    return check(FormatInt(value, width), std::to_string(value), width, column, name);
  };

  file.WriteLine(SingleLine(station.StationName));
  file.WriteLine(SingleLine(station.Country));
  lineNumber = 2;
  line(number(3), kLatitudeLabel);
  line(number(4), kLongitudeLabel);
  line(number(5), kAltitudeLabel);
  switch (station.DataType) {
    case kDaily: line(FormatInt(1, 7), kDailyLabel); break;
    case kTenDaily: line(FormatInt(2, 7), kTenDailyLabel); break;
    default: line(FormatInt(3, 7), kMonthlyLabel); break;
  }
  line(integer(station.FromDay, 4, 1, "day") + integer(station.FromMonth, 4, 5, "month") +
           integer(station.FromYear, 6, 9, "year"),
       kFromLabel);
  line(integer(station.ToDay, 4, 1, "day") + integer(station.ToMonth, 4, 5, "month") +
           integer(station.ToYear, 6, 9, "year"),
       kToLabel);
  line(number(9), kPsychrometerLabel);
  line(number(10), kWindHeightLabel);
  line(number(11), kTdewLabel);
  line(number(12), kHargreavesLabel);
  line(number(13), kDefaultU2Label);
  line(number(14), kAngstromALabel);
  line(number(15), kAngstromBLabel);
  if (!refused) return refused;
  if (station.Flags.ElevationAdjustment != 0) {
    line(FormatInt(1, 7), kElevationLabel);
  } else {
    line(FormatInt(0, 7), kNoElevationLabel);
  }
  // Signed 8-bit numbers: always within their 7 characters.
  line(FormatInt(station.Limits.LimitTmin, 7), kLimitTminLabel);
  line(FormatInt(station.Limits.LimitTmax, 7), kLimitTmaxLabel);
  line(FormatInt(station.Limits.LimitRHmin, 7), kLimitRHminLabel);
  line(FormatInt(station.Limits.LimitWind, 7), kLimitWindLabel);
  line(FormatInt(station.Limits.LimitRadiationDeviation, 7), kLimitRadiationLabel);
  file.WriteLine("");
  file.WriteLine(kListTitle);
  file.WriteLine(kListHeader);
  // The whole parameter table, as documentation for the reader of the file; never read back.
  for (const ParameterInfo& row : ParameterTable()) {
    std::string text = FormatInt(row.Code, 4);
    text += "  ";
    text += row.Symbol;
    text += "  ";
    text += row.Description;
    text += " ";
    text += row.Unit;
    file.WriteLine(text);
  }
  file.WriteLine(kListEnd);
  return file.Commit();
}

Status ReadStationDescription(RepClimateFile& station) {
  const std::string& path = station.DscFileName;
  RepClimateFile read = station;
  DscReader reader(path);
  if (Status s = reader.Open(); !s) return s;

  if (Status s = reader.Line(read.StationName); !s) return s;
  if (Status s = reader.Line(read.Country); !s) return s;
  if (Status s = reader.Numbers(read.Latitude); !s) return s;
  if (Status s = reader.Numbers(read.Longitude); !s) return s;
  if (Status s = reader.Numbers(read.Altitude); !s) return s;

  int64_t typeCode = 0;
  if (Status s = reader.Numbers(typeCode); !s) return s;
  read.DataType = typeCode == 1 ? kDaily : typeCode == 2 ? kTenDaily : kMonthly;

  // A date the calendar does not have would be counted as another one, and a year beyond the
  // year fields would be written where no form can change it: stop rather than guess.
  if (Status s = reader.Numbers(read.FromDay, read.FromMonth, read.FromYear); !s) return s;
  if (std::string fault = DateFault(read.FromDay, read.FromMonth, read.FromYear); !fault.empty()) {
    return Status::Error(ReasonInvalidDate(path, reader.LineNumber()) + ": " + fault);
  }
  if (Status s = reader.Numbers(read.ToDay, read.ToMonth, read.ToYear); !s) return s;
  if (std::string fault = DateFault(read.ToDay, read.ToMonth, read.ToYear); !fault.empty()) {
    return Status::Error(ReasonInvalidDate(path, reader.LineNumber()) + ": " + fault);
  }
  read.FirstDayNr = DayNr(read.FromDay, read.FromMonth, read.FromYear);
  read.LastDayNr = DayNr(read.ToDay, read.ToMonth, read.ToYear);
  if (read.LastDayNr < read.FirstDayNr) {
    return Status::Error(ReasonInvalidDate(path, reader.LineNumber()) + ": the span ends on " +
                         DateText(read.ToDay, read.ToMonth, read.ToYear) +
                         ", before it starts on " +
                         DateText(read.FromDay, read.FromMonth, read.FromYear) + " (line " +
                         std::to_string(reader.LineNumber() - 1) + ")");
  }
  read.Method = 1;

  if (Status s = reader.Numbers(read.PsychrometerCoefficient); !s) return s;
  if (Status s = reader.Numbers(read.WindHeight); !s) return s;
  if (Status s = reader.Numbers(read.TdewTminDifference); !s) return s;
  if (Status s = reader.Numbers(read.HargreavesRsCoefficient); !s) return s;
  if (Status s = reader.Numbers(read.DefaultU2); !s) return s;

  // The settings and flags that are not stored in the file are those of a new station.
  read.Settings = CalculationSettings{};
  if (Status s = reader.Numbers(read.Settings.AngstromA); !s) return s;
  if (Status s = reader.Numbers(read.Settings.AngstromB); !s) return s;

  int64_t elevation = 0;
  if (Status s = reader.Numbers(elevation); !s) return s;
  read.Flags = OptionFlags{};
  read.Flags.ElevationAdjustment = elevation != 0 ? 1 : 0;

  // The limits are signed 8-bit numbers; a larger number keeps its low byte, as it is stored.
  int64_t limits[5] = {};
  for (int64_t& limit : limits) {
    if (Status s = reader.Numbers(limit); !s) return s;
  }
  read.Limits.LimitTmin = static_cast<int8_t>(limits[0]);
  read.Limits.LimitTmax = static_cast<int8_t>(limits[1]);
  read.Limits.LimitRHmin = static_cast<int8_t>(limits[2]);
  read.Limits.LimitWind = static_cast<int8_t>(limits[3]);
  read.Limits.LimitRadiationDeviation = static_cast<int8_t>(limits[4]);

  // A number its field cannot hold would make a station that reads but cannot be written back.
  for (const NumberField& field : kNumberFields) {
    const std::string text = FieldText(field, read);
    if (!FieldReadsBack(text, field.Width)) {
      return Status::Error("file " + path + ", line " + std::to_string(field.Line) +
                           ", column 1: the value " + ShortestText(field.Value(read)) + " " +
                           FieldFault(text, field.Width));
    }
  }

  // The rest of the file is the parameter list, written for the human reader only.
  read.NumberOfRecords = NumberOfRecords(read);
  read.Description =
      BuildDescription(read.StationName, read.Country, read.DataType, read.From(), read.To());
  station = std::move(read);
  return Status::Success();
}

std::string BuildDescription(const std::string& stationName, const std::string& country,
                             uint8_t dataType, const Date& from, const Date& to) {
  std::string name = TrimRightBlanks(stationName);
  if (name.empty()) {
    name = kUndefinedStation;
  } else {
    // A country of blanks only is no country: it would leave " ()" behind the name.
    std::string land = TrimRightBlanks(country);
    if (!land.empty()) name += " (" + land + ")";
  }
  const std::string fromYear = YearText(from.Year);
  const std::string toYear = YearText(to.Year);

  switch (dataType) {
    case kDaily:
      return name + " - daily data: " + std::to_string(from.Day) + " " + MonthText(from.Month) +
             fromYear + " - " + std::to_string(to.Day) + " " + MonthText(to.Month) + toYear;
    case kTenDaily: {
      // A span starts on the first day of a decade: day 1 is decade 1, days up to 20 decade 2.
      int fromDecade = from.Day >= 21 ? 3 : from.Day >= 2 ? 2 : 1;
      int toDecade = DecadeOfDay(to.Day);
      return name + " : Dec" + std::to_string(fromDecade) + " " + MonthText(from.Month) + fromYear +
             " - " + "Dec" + std::to_string(toDecade) + " " + MonthText(to.Month) + toYear;
    }
    default:
      return name + " - monthly data: " + MonthText(from.Month) + fromYear + " - " +
             MonthText(to.Month) + toYear;
  }
}

void ClearStation(RepClimateFile& station) {
  station.FileName.clear();
  station.StationName.clear();
  station.Country.clear();
}

DegreesMinutes DegreesAndMinutes(double value, bool isLatitude) {
  double magnitude = std::fabs(value);
  double whole = std::trunc(magnitude);
  auto degrees = static_cast<int64_t>(RoundHalfEven(whole));
  auto minutes = static_cast<int64_t>(RoundHalfEven((magnitude - whole) * 60.0));
  // 12.999 degrees is 12 degrees 59.94 minutes: shown as 13 degrees 0 minutes, not 12 and 60.
  if (minutes >= 60) {
    degrees += minutes / 60;
    minutes %= 60;
  }
  DegreesMinutes result;
  result.Degrees = std::to_string(degrees);
  result.Minutes = std::to_string(minutes);
  if (isLatitude) {
    result.Hemisphere = value >= 0 ? "North" : "South";
  } else {
    result.Hemisphere = value >= 0 ? "East" : "West";
  }
  return result;
}

RepClimateFile NewStation(Location location, Climate climate, WindClass wind) {
  // Method, settings, flags and limits keep the defaults of their declarations.
  RepClimateFile station;
  station.HargreavesRsCoefficient = HargreavesRsCoefficientOf(location);
  station.TdewTminDifference = TdewTminDifferenceOf(climate);
  station.DefaultU2 = DefaultU2Of(wind);
  station.ParameterCodes[0] = 501;  // ETo, the last column of every data file
  station.NumberOfParameters = 1;
  // The default span (daily, one year not linked to a year) kept consistent until the caller
  // sets its own.
  SetSpan(station, station.DataType, station.From(), station.To());
  station.Description = BuildDescription(station.StationName, station.Country, station.DataType,
                                         station.From(), station.To());
  return station;
}

}  // namespace vernoli
