// The full results of the calculation run as a table for analysis elsewhere (pandas, R, a
// spreadsheet): one row per record of the station's data file with its number, its date and the
// 17 results of the per-record computation (Penman-Monteith ETo and the four other methods
// among them) at full precision, under a header row of names and units that serve as column
// names:
//
//   record,date,Tmean_C,RHmean_pct,eact_kPa,esat_kPa,Tdew_C,u2_m_s,n_h_day,N_h_day,...
//   1,2001-07-01,24.8,62.5,1.9655537352431637,3.2036...,...
//
// The date is YYYY-MM-DD for daily data; year, month and decade (1-3) for 10-daily data; year
// and month for monthly data; data not linked to a year have no year (daily data then give month
// and day). A value is the shortest text that reads back as the same double; a missing value is
// an empty field or -999. The records are computed exactly as the run that rewrites the .DTA
// computes them, so rounding a row's EToPM_mm_day to one decimal gives the .DTA's ETo.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/station.h"
#include "model/status.h"
#include "workspace/run.h"

namespace vernoli {

struct ResultsFormat {
  char Separator = ',';          // ',' or '\t'
  bool MissingAsNumber = false;  // -999 instead of an empty field
};

// The header row, without its line end.
std::string ResultsHeader(const RepClimateFile& station, const ResultsFormat& format);

// Hands the header and then one row per record to `line`, one at a time (without line ends);
// an error of `line` stops the table.
RunResult WriteResults(const RepClimateFile& station, const ResultsFormat& format,
                       const std::function<Status(std::string_view line)>& line);

}  // namespace vernoli
