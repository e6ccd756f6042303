// The texts of the read-only view of a station's description, also shown by the create form
// when it copies a station.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/station.h"
#include "stations/location.h"

namespace vernoli {

// "41.90 North (41 degrees 54 minutes)", "3.68 West (3 degrees 41 minutes)": the absolute value
// R(8,2) trimmed, a blank, the hemisphere by the sign, then the whole degrees and the rounded
// minutes of the absolute value.
std::string CoordinateText(double value, Axis axis);
// "222 meter above sea level".
std::string AltitudeText(int32_t altitude);
// "daily meteorological data", "10-Daily meteorological data" or "monthly meteorological data".
std::string_view DataTypeText(uint8_t dataType);
// Label of the day field of a record: "Day:" for daily, "Dec:" for 10-daily data, empty for
// monthly data (which have no day field).
std::string_view DayFieldLabel(uint8_t dataType);

// A record's date as the view shows it.
struct RecordDateTexts {
  std::string Day;    // day of the month (daily) or decade 1-3 (10-daily) in I(2); empty monthly
  std::string Month;  // the month's name
  std::string Year;   // the year, trimmed; empty for data not linked to a year
};
RecordDateTexts RecordDate(uint8_t dataType, int32_t dayNr);

struct CharacteristicsView {
  std::string FileName;
  std::string StationName;
  std::string Country;
  std::string Latitude;
  std::string Longitude;
  std::string Altitude;
  std::string Type;
  std::string DayLabel;    // "Day:" or "Dec:"
  bool DayFieldsVisible;   // day labels and fields: hidden for monthly data
  bool FirstLastVisible;   // the labels "First" and "Last": hidden for monthly data
  bool NotLinked;          // "Not linked to a specific year" shown, year labels and fields hidden
  RecordDateTexts First;
  RecordDateTexts Last;
};

// Everything the view shows of a station.
CharacteristicsView StationCharacteristics(const RepClimateFile& station);

}  // namespace vernoli
