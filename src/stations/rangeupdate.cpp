#include "stations/rangeupdate.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "model/atomicfile.h"
#include "model/calendar.h"
#include "model/datafile.h"
#include "model/linereader.h"
#include "model/numbers.h"
#include "stations/fileset.h"

namespace vernoli {

namespace {

// Day number of the last day of the month of a date (29 February in a leap year).
int32_t LastDayOfMonthNr(const Date& date) {
  return DayNr(DaysInMonthOfYear(date.Month, date.Year), date.Month, date.Year);
}

// Day number of the first day of the month before the month of a date.
int32_t FirstDayOfPreviousMonthNr(const Date& date) {
  const int month = date.Month == 1 ? 12 : date.Month - 1;
  const int year = date.Month == 1 ? date.Year - 1 : date.Year;
  return DayNr(1, month, year);
}

bool IsBlank(std::string_view line) {
  return std::all_of(line.begin(), line.end(), IsFieldSeparator);
}

// The line after its first field (the record number), as it stands.
std::string_view AfterRecordNumber(std::string_view line) {
  std::size_t at = 0;
  while (at < line.size() && IsFieldSeparator(line[at])) ++at;
  while (at < line.size() && !IsFieldSeparator(line[at])) ++at;
  return line.substr(at);
}


}  // namespace

StepChoice StepChoices(uint8_t dataType) {
  switch (dataType) {
    case kDaily: return {"day per day", true, RangeStep::DayOrDecade};
    case kTenDaily: return {"decade per decade", true, RangeStep::DayOrDecade};
    default: return {"day per day", false, RangeStep::Month};
  }
}

RangeUpdate::RangeUpdate(const RepClimateFile& station) : copy_(station) {
  // The count always follows from the span the .DSC holds.
  copy_.NumberOfRecords = NumberOfRecords(copy_);
}

int32_t RangeUpdate::LowerBound() const {
  return copy_.FromYear == kYearNotLinked ? kNotLinkedFirst : kLinkedFirst;
}

int32_t RangeUpdate::UpperBound() const {
  return copy_.FromYear == kYearNotLinked ? kNotLinkedLast : kLinkedLast;
}

void RangeUpdate::MoveFirst(int32_t dayNr) {
  const int32_t before = NumberOfRecords(copy_);
  const Date date = DateOfDayNr(dayNr);
  copy_.FirstDayNr = dayNr;
  copy_.FromDay = date.Day;
  copy_.FromMonth = date.Month;
  copy_.FromYear = date.Year;
  beginning_ += NumberOfRecords(copy_) - before;
}

void RangeUpdate::MoveLast(int32_t dayNr) {
  const int32_t before = NumberOfRecords(copy_);
  const Date date = DateOfDayNr(dayNr);
  copy_.LastDayNr = dayNr;
  copy_.ToDay = date.Day;
  copy_.ToMonth = date.Month;
  copy_.ToYear = date.Year;
  end_ += NumberOfRecords(copy_) - before;
}

bool RangeUpdate::ExpandEnd(RangeStep step) {
  const int32_t last = copy_.LastDayNr;
  const int32_t upper = UpperBound();
  if (last >= upper) return false;
  const Date date = DateOfDayNr(last);
  int32_t next = last;
  if (step == RangeStep::DayOrDecade && copy_.DataType == kDaily) {
    next = last + 1;
  } else if (step == RangeStep::DayOrDecade && copy_.DataType == kTenDaily) {
    if (date.Day == 10) {
      next = last + 10;
    } else if (date.Day < DaysInMonthOfYear(date.Month, date.Year)) {
      next = LastDayOfMonthNr(date);
    } else {
      next = last + 10;  // the 10th of the next month
    }
  } else {
    // To the end of this month (when not there yet), then to the end of the next one.
    if (date.Day < DaysInMonth(date.Month)) next = LastDayOfMonthNr(date);
    next += 1;
    if (next < upper) next = LastDayOfMonthNr(DateOfDayNr(next));
  }
  MoveLast(std::min(next, upper));
  return true;
}

bool RangeUpdate::ShrinkEnd(RangeStep step) {
  const int32_t first = copy_.FirstDayNr;
  const int32_t last = copy_.LastDayNr;
  int32_t shortest = first;  // one record of daily data
  if (copy_.DataType == kTenDaily) {
    shortest = copy_.FromDay > 11 ? LastDayOfMonthNr(DateOfDayNr(first)) : first + 9;
  } else if (copy_.DataType == kMonthly) {
    shortest = LastDayOfMonthNr(DateOfDayNr(first));
  }
  if (last <= shortest) return false;
  const Date date = DateOfDayNr(last);
  int32_t next = last;
  if (step == RangeStep::DayOrDecade && copy_.DataType == kDaily) {
    next = last - 1;
  } else if (step == RangeStep::DayOrDecade && copy_.DataType == kTenDaily) {
    next = date.Day > 20 ? DayNr(20, date.Month, date.Year) : last - 10;
  } else {
    next = DayNr(1, date.Month, date.Year) - 1;  // the last day of the month before
  }
  MoveLast(std::max(next, shortest));
  return true;
}

bool RangeUpdate::ExpandBeginning(RangeStep step) {
  const int32_t first = copy_.FirstDayNr;
  const int32_t lower = LowerBound();
  if (first <= lower) return false;
  const Date date = DateOfDayNr(first);
  int32_t next = first;
  if (step == RangeStep::DayOrDecade && copy_.DataType == kDaily) {
    next = first - 1;
  } else if (step == RangeStep::DayOrDecade && copy_.DataType == kTenDaily) {
    if (date.Day <= 10) {
      const Date before = DateOfDayNr(FirstDayOfPreviousMonthNr(date));
      next = DayNr(21, before.Month, before.Year);
    } else {
      next = first - 10;
    }
  } else {
    next = FirstDayOfPreviousMonthNr(date);
  }
  MoveFirst(std::max(next, lower));
  return true;
}

bool RangeUpdate::ShrinkBeginning(RangeStep step) {
  const int32_t first = copy_.FirstDayNr;
  const int32_t last = copy_.LastDayNr;
  int32_t latest = last;  // one record of daily data
  if (copy_.DataType == kTenDaily) {
    latest = copy_.ToDay > 20 ? DayNr(21, copy_.ToMonth, copy_.ToYear) : last - 9;
  } else if (copy_.DataType == kMonthly) {
    latest = DayNr(1, copy_.ToMonth, copy_.ToYear);
  }
  if (first >= latest) return false;
  const Date date = DateOfDayNr(first);
  int32_t next = first;
  if (step == RangeStep::DayOrDecade && copy_.DataType == kDaily) {
    next = first + 1;
  } else if (step == RangeStep::DayOrDecade && copy_.DataType == kTenDaily) {
    next = date.Day > 11 ? LastDayOfMonthNr(date) + 1 : first + 10;
  } else {
    if (date.Day < DaysInMonth(date.Month)) next = LastDayOfMonthNr(date);
    next += 1;  // the first day of the next month
  }
  MoveFirst(std::min(next, latest));
  return true;
}

CounterTexts RangeUpdate::BeginningTexts() const {
  return {beginning_ < 0 ? "Removed" : "Added", FormatInt(std::abs(beginning_), 10)};
}

CounterTexts RangeUpdate::EndTexts() const {
  return {end_ < 0 ? "Removed" : "Added", FormatInt(std::abs(end_), 10)};
}

std::string RangeUpdate::RecordCountText() const { return FormatInt(RecordCount(), 6); }

DateControls RangeUpdate::FirstControls() const { return ControlsOfDate(copy_.From()); }

DateControls RangeUpdate::LastControls() const { return ControlsOfDate(copy_.To()); }

SpanVisibility RangeUpdate::Visibility() const {
  return SpanControlsVisibility(copy_.DataType, copy_.FromYear == kYearNotLinked);
}

Status RangeUpdate::Save(RepClimateFile& open) const {
  if (beginning_ == 0 && end_ == 0) return Status::Success();
  RepClimateFile updated = copy_;
  updated.NumberOfRecords = copy_.NumberOfRecords + beginning_ + end_;
  updated.Description = BuildDescription(updated.StationName, updated.Country, updated.DataType,
                                         updated.From(), updated.To());
  FileSet files;
  RepClimateFile staged = updated;
  staged.DtaFileName = files.Add(updated.DtaFileName);
  staged.DscFileName = files.Add(updated.DscFileName);
  Status written = RewriteDataFileForSpan(copy_.DtaFileName, staged.DtaFileName,
                                          copy_.NumberOfRecords, beginning_, end_);
  if (!written) {
    return {false, files.TargetsNamed(written.Message)};
  }
  written = WriteStationDescription(staged);
  if (!written) {
    return {false, files.TargetsNamed(written.Message)};
  }
  if (Status s = files.Commit(); !s) return s;
  open = std::move(updated);
  return Status::Success();
}

std::string EmptyRecordText(std::span<const int16_t> codes) {
  std::string text;
  for (int16_t code : codes) text += FormatReal(kMissing, kDataFieldWidth, DecimalsOfCode(code));
  return text;
}

Status RewriteDataFileForSpan(const std::string& source, const std::string& destination,
                              int32_t oldRecords, int32_t added, int32_t appended) {
  LineReader reader;
  if (Status s = reader.Open(source); !s) return s;
  std::string header;
  if (!reader.Next(header)) {
    if (!reader.status()) return reader.status();
    return Status::Error(ReasonUnexpectedEnd(source, 1));
  }
  std::vector<int16_t> codes;
  if (Status s = ParseParameterCodes(header, source, 1, codes); !s) return s;
  const std::string empty = EmptyRecordText(codes);

  AtomicFile file(destination);
  file.WriteLine(header);
  int32_t number = 0;
  for (int32_t i = 0; i < added; ++i) file.WriteLine(FormatInt(++number, kDataFieldWidth) + empty);

  const int32_t skip = std::max(-added, 0);
  const int32_t keep = oldRecords - skip - std::max(-appended, 0);
  int32_t skipped = 0;
  int32_t kept = 0;
  std::string line;
  while (kept < keep && reader.Next(line)) {
    if (IsBlank(line)) continue;
    if (skipped < skip) {
      ++skipped;
      continue;
    }
    file.WriteLine(FormatInt(++number, kDataFieldWidth) + std::string(AfterRecordNumber(line)));
    ++kept;
  }
  if (!reader.status()) return reader.status();
  // An old file shorter than its span is completed, so that the new one matches its span.
  for (; kept < keep; ++kept) file.WriteLine(FormatInt(++number, kDataFieldWidth) + empty);
  for (int32_t i = 0; i < appended; ++i) {
    file.WriteLine(FormatInt(++number, kDataFieldWidth) + empty);
  }
  return file.Commit();
}

}  // namespace vernoli
