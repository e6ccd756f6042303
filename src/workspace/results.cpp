#include "workspace/results.h"

#include <charconv>

#include "model/calendar.h"
#include "model/parameters.h"
#include "plot/report.h"

namespace vernoli {

namespace {

// The 17 results in the order of the result table, named with their units.
constexpr std::string_view kResultColumns[] = {
    "Tmean_C",      "RHmean_pct",    "eact_kPa",      "esat_kPa",      "Tdew_C",
    "u2_m_s",       "n_h_day",       "N_h_day",       "Ra_MJ_m2_day",  "Rs_MJ_m2_day",
    "Rnl_MJ_m2_day", "Rn_MJ_m2_day", "EToPM_mm_day",  "EToPen_mm_day", "EToHar_mm_day",
    "EToMak_mm_day", "EToBC_mm_day",
};

std::array<double, std::size(kResultColumns)> ResultValues(const RecordResults& r) {
  return {r.TmeanStar, r.RHmeanStar, r.EactStar, r.Esat,   r.TdewStar, r.U2Star,
          r.SunshineStar, r.DaylightHours, r.Ra, r.RsStar, r.Rnl,      r.RnStar,
          r.EToPM,     r.EToPen,     r.EToHar,   r.EToMak, r.EToBC};
}

void AppendNumber(std::string& line, int64_t value, int digits) {
  char text[24];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  (void)ec;  // 24 characters always hold an int64
  const auto length = static_cast<int>(end - text);
  if (length < digits) line.append(static_cast<std::size_t>(digits - length), '0');
  line.append(text, end);
}

void AppendValue(std::string& line, double value, const ResultsFormat& format) {
  if (IsMissing(value) || !std::isfinite(value)) {
    if (format.MissingAsNumber) line += "-999";
    return;
  }
  char text[64];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);  // shortest round trip
  if (ec == std::errc()) line.append(text, end);
}

// The date columns of a record: `current` is the report's date counter (Day holds the decade of
// 10-daily data).
void AppendDate(std::string& line, uint8_t dataType, bool linked, const Date& current,
                char separator) {
  if (dataType == kDaily && linked) {
    AppendNumber(line, current.Year, 4);
    line += '-';
    AppendNumber(line, current.Month, 2);
    line += '-';
    AppendNumber(line, current.Day, 2);
    return;
  }
  if (linked) {
    AppendNumber(line, current.Year, 0);
    line += separator;
  }
  AppendNumber(line, current.Month, 0);
  if (dataType != kMonthly) {
    line += separator;
    AppendNumber(line, current.Day, 0);
  }
}

}  // namespace

std::string ResultsHeader(const RepClimateFile& station, const ResultsFormat& format) {
  const char s = format.Separator;
  const bool linked = station.FromYear != kYearNotLinked;
  std::string line = "record";
  line += s;
  if (station.DataType == kDaily && linked) {
    line += "date";
  } else {
    if (linked) (line += "year") += s;
    line += "month";
    if (station.DataType == kDaily) (line += s) += "day";
    if (station.DataType == kTenDaily) (line += s) += "decade";
  }
  for (std::string_view name : kResultColumns) (line += s) += name;
  return line;
}

RunResult WriteResults(const RepClimateFile& station, const ResultsFormat& format,
                       const std::function<Status(std::string_view line)>& line) {
  if (Status s = line(ResultsHeader(station, format)); !s) {
    RunResult failed;
    failed.Outcome = s;
    return failed;
  }
  const bool linked = station.FromYear != kYearNotLinked;
  ReportDateCounter date(station.DataType, station.From());
  std::string row;
  return RunOverDataFile(station, [&](int32_t number, const RecordRun& run) {
    row.clear();
    AppendNumber(row, number, 0);
    row += format.Separator;
    AppendDate(row, station.DataType, linked, date.Current(), format.Separator);
    date.Step();
    for (double value : ResultValues(run.Results())) {
      row += format.Separator;
      AppendValue(row, value, format);
    }
    return line(row);
  });
}

}  // namespace vernoli
