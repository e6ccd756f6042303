#include "plot/report.h"

#include "engine/record.h"
#include "model/numbers.h"
#include "model/parameters.h"

namespace vernoli {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string RightAligned(std::string_view text, size_t width) {
  std::string field;
  if (text.size() < width) field.assign(width - text.size(), ' ');
  field += text;
  return field;
}

std::string DateTitles(uint8_t dataType, bool linkedToYear) {
  if (dataType == kMonthly) return linkedToYear ? "   Month    Year" : "   Month";
  std::string titles = dataType == kTenDaily ? "  Decade   Month" : "     Day   Month";
  if (linkedToYear) titles += "    Year";
  return titles;
}

// The parameter-table row of a code; codes outside the table fall back to ETo's row.
const ParameterInfo& InfoOfCode(int code) {
  const int row = RowOfCode(code);
  return ParameterRow(row == 0 ? Row::ETo : row);
}

}  // namespace

void EnsureReportHasValues(ReportContent& content) {
  if (!content.DataAndETo && !content.IntermediateResults) content.DataAndETo = true;
}

std::string ReportDateFormat(uint8_t dataType, bool linkedToYear) {
  if (dataType == kMonthly) return linkedToYear ? "(Month/Year)" : "(Month)";
  if (dataType == kTenDaily) return linkedToYear ? "(Decade/Month/Year)" : "(Decade/Month)";
  return linkedToYear ? "(Day/Month/Year)" : "(Day/Month)";
}

std::string ReportTitleLine(const ReportContent& content, uint8_t dataType, bool linkedToYear,
                            const int16_t* codes, int count) {
  std::string line;
  if (content.RecordNumber) line += "      Nr";
  if (content.Date) line += DateTitles(dataType, linkedToYear);
  if (content.DataAndETo)
    for (int i = 0; i < count; ++i) line += RightAligned(Trim(InfoOfCode(codes[i]).Symbol), 12);
  if (content.IntermediateResults)
    line +=
        "     e(act)*      e(sat)         u2*          Ra          n*"
        "           N         Rs*         Rnl         Rn*";
  return line;
}

std::string ReportUnitsLine(const ReportContent& content, uint8_t dataType, bool linkedToYear,
                            const int16_t* codes, int count) {
  std::string line;
  if (content.RecordNumber) line.append(8, ' ');
  if (content.Date) line.append(DateTitles(dataType, linkedToYear).size(), ' ');
  if (content.DataAndETo)
    for (int i = 0; i < count; ++i) line += RightAligned(Trim(InfoOfCode(codes[i]).Unit), 12);
  if (content.IntermediateResults)
    line +=
        "         kPa         kPa       m/sec   MJ/m2.day    hour/day"
        "    hour/day   MJ/m2.day   MJ/m2.day   MJ/m2.day";
  return line;
}

ReportDateCounter::ReportDateCounter(uint8_t dataType, const Date& from)
    : dataType_(dataType), linked_(from.Year != kYearNotLinked), current_(from) {
  if (dataType_ == kTenDaily) current_.Day = DecadeOfDay(from.Day);
}

std::string ReportDateCounter::Text() const {
  std::string text;
  if (dataType_ != kMonthly) text += FormatInt(current_.Day, 8);
  text += FormatInt(current_.Month, 8);
  if (linked_) text += FormatInt(current_.Year, 8);
  return text;
}

void ReportDateCounter::Step() {
  bool nextMonth = false;
  if (dataType_ == kDaily) {
    ++current_.Day;
    nextMonth = current_.Day > DaysInMonthOfYear(current_.Month, current_.Year);
  } else if (dataType_ == kTenDaily) {
    ++current_.Day;
    nextMonth = current_.Day > 3;
  } else {
    nextMonth = true;
  }
  if (nextMonth) {
    if (dataType_ != kMonthly) current_.Day = 1;
    if (++current_.Month > 12) {
      current_.Month = 1;
      ++current_.Year;
    }
  }
}

void AppendReportValues(std::string& line, const int16_t* codes, const double* values, int count) {
  for (int i = 0; i < count; ++i)
    line += FormatField(IsMissing(values[i]) ? kMissing : values[i], 12, InfoOfCode(codes[i]).Decimals);
}

void AppendReportResults(std::string& line, const RecordResults& r) {
  line += FormatField(r.EactStar, 12, 3);
  line += FormatField(r.Esat, 12, 3);
  for (double value : {r.U2Star, r.Ra, r.SunshineStar, r.DaylightHours, r.RsStar, r.Rnl, r.RnStar})
    line += FormatField(value, 12, 2);
}

}  // namespace vernoli
