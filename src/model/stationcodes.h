// The list of parameter codes of a station: entries 1..NumberOfParameters of ParameterCodes, in
// the order of the data file's columns; the entries behind them are -999. Once the working data
// are loaded the list is kept sorted ascending, so ETo (501, the highest code) is its last entry.
#pragma once

#include <cstdint>
#include <span>

#include "model/station.h"

namespace vernoli {

// The code of ETo: in every data set, always the last of the sorted list.
inline constexpr int16_t kEToParameterCode = 501;

// The station's codes in column order (its first NumberOfParameters entries; a count outside
// 0..37 is taken as the nearest of the two).
std::span<const int16_t> StationCodes(const RepClimateFile& station);

// Sorts the station's codes ascending.
void SortParameterCodes(RepClimateFile& station);

bool HasCode(const RepClimateFile& station, int code);

// Appends the code and re-sorts the list; false (nothing changed) when the code is already there,
// is no parameter code, or the list is full.
bool AddParameterCode(RepClimateFile& station, int code);

// Deletes the first entry equal to the code: the later entries move down by one and the freed
// last entry becomes -999. False when the code is not in the list.
bool RemoveParameterCode(RepClimateFile& station, int code);

// The code `from` becomes `to` and the list is re-sorted. When the list holds `to` already, `from`
// is dropped instead, so a quantity never gets two columns. False (nothing changed) when `from`
// is not in the list or equals `to`.
bool ReplaceCode(RepClimateFile& station, int from, int to);

}  // namespace vernoli
