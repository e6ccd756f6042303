#include "stations/characteristics.h"

#include <cmath>

#include "model/calendar.h"
#include "model/numbers.h"
#include "stations/entry.h"

namespace vernoli {

std::string CoordinateText(double value, Axis axis) {
  const DegreesMinutes parts = DegreesAndMinutes(value, axis == Axis::Latitude);
  // The hemisphere carries the sign: "3.68 West", never "-3.68 West".
  std::string text(TrimBlanks(FormatReal(std::fabs(value), 8, 2)));
  text += ' ';
  text += parts.Hemisphere;
  text += " (";
  text += parts.Degrees;
  text += " degrees ";
  text += parts.Minutes;
  text += " minutes)";
  return text;
}

std::string AltitudeText(int32_t altitude) {
  return std::to_string(altitude) + " meter above sea level";
}

std::string_view DataTypeText(uint8_t dataType) {
  switch (dataType) {
    case kDaily: return "daily meteorological data";
    case kTenDaily: return "10-Daily meteorological data";
    default: return "monthly meteorological data";
  }
}

std::string_view DayFieldLabel(uint8_t dataType) {
  switch (dataType) {
    case kDaily: return "Day:";
    case kTenDaily: return "Dec:";
    default: return "";
  }
}

RecordDateTexts RecordDate(uint8_t dataType, int32_t dayNr) {
  const Date date = DateOfDayNr(dayNr);
  RecordDateTexts texts;
  if (dataType == kDaily) {
    texts.Day = FormatInt(date.Day, 2);
  } else if (dataType == kTenDaily) {
    texts.Day = FormatInt(DecadeOfDay(date.Day), 2);
  }
  if (date.Month >= 1 && date.Month <= 12) texts.Month = MonthName(date.Month);
  if (date.Year != kYearNotLinked) texts.Year = std::to_string(date.Year);
  return texts;
}

CharacteristicsView StationCharacteristics(const RepClimateFile& station) {
  CharacteristicsView view;
  view.FileName = station.FileName;
  view.StationName = station.StationName;
  view.Country = station.Country;
  view.Latitude = CoordinateText(station.Latitude, Axis::Latitude);
  view.Longitude = CoordinateText(station.Longitude, Axis::Longitude);
  view.Altitude = AltitudeText(station.Altitude);
  view.Type = DataTypeText(station.DataType);
  view.DayLabel = DayFieldLabel(station.DataType);
  view.DayFieldsVisible = station.DataType != kMonthly;
  view.FirstLastVisible = station.DataType != kMonthly;
  view.First = RecordDate(station.DataType, station.FirstDayNr);
  view.Last = RecordDate(station.DataType, station.LastDayNr);
  view.NotLinked = DateOfDayNr(station.FirstDayNr).Year == kYearNotLinked;
  return view;
}

}  // namespace vernoli
