#include "workspace/yearchoice.h"

#include "model/calendar.h"
#include "workspace/session.h"

namespace vernoli {

int32_t YearOfPage(const RepClimateFile& station, const YearPage& page) {
  return DateOfRecord(station, page.First - 1).Year;
}

YearChoice ChoiceOfYears(const RepClimateFile& station, const YearPage& page) {
  YearChoice choice;
  if (!page.Navigation || station.NumberOfRecords < 1) return choice;
  const int32_t first = DateOfRecord(station, 0).Year;
  const int32_t last = DateOfRecord(station, station.NumberOfRecords - 1).Year;
  for (int32_t year = first; year <= last; ++year) choice.Years.push_back(year);
  choice.Shown = YearOfPage(station, page);
  return choice;
}

Status GoToYear(WorkspaceSession& session, int32_t year) {
  if (!session.IsOpen()) return Status::Success();
  const RepClimateFile& station = session.Station();
  const YearChoice choice = ChoiceOfYears(station, session.Page());
  if (choice.Years.empty() || year < choice.Years.front() || year > choice.Years.back()) {
    return Status::Success();
  }
  int32_t shown = choice.Shown;
  while (shown != year) {
    const YearPage before = session.Page();
    if (Status s = year > shown ? session.NextYear() : session.PreviousYear(); !s) return s;
    if (session.Page() == before) break;  // the first or the last year of the set
    shown = YearOfPage(station, session.Page());
  }
  return Status::Success();
}

}  // namespace vernoli
