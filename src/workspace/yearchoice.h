// Going to a year directly: the year chooser beside the year buttons of the workspace lists the
// calendar years of a set shown a year at a time and leads to any of them, as a run of clicks on
// "next >" or "< previous" would.
#pragma once

#include <cstdint>
#include <vector>

#include "model/station.h"
#include "model/status.h"
#include "workspace/yearpages.h"

namespace vernoli {

class WorkspaceSession;

// What the chooser lists: the calendar years of the set from its first record to its last, and
// the year shown. Empty for a set shown at once.
struct YearChoice {
  std::vector<int32_t> Years;
  int32_t Shown = 0;
  friend bool operator==(const YearChoice&, const YearChoice&) = default;
};

// The calendar year of the page: that of its first record.
int32_t YearOfPage(const RepClimateFile& station, const YearPage& page);
YearChoice ChoiceOfYears(const RepClimateFile& station, const YearPage& page);

// Shows `year`: the page the year buttons would reach, a year at a time, so that the buttons, their
// captions and the chooser stay in step. The first step writes the visible records back; when a
// typed value is refused there, its error is returned and nothing has changed. The year shown, a
// year outside the set and a set shown at once do nothing.
Status GoToYear(WorkspaceSession& session, int32_t year);

}  // namespace vernoli
