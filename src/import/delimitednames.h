// The parameter code (and factor) offered for a column of a delimited import file from its
// header name: "Tmax[°C]", "t_max_degF", "RH (%)", "Rs[MJ/m2/d]", "net radiation W/m2".
//
// A name is a quantity, optionally followed by its unit in brackets, after an underscore or after
// a blank. Letter case, blanks, underscores, hyphens and dots in the quantity are ignored. A name
// the list does not know is offered as not imported; so is a known quantity in a unit the list
// does not know, with a note saying so. The offer is only a proposal: the caller may change it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vernoli {

struct ColumnProposal {
  int16_t Code = 0;     // the parameter code offered; 0: the column is not imported
  double Factor = 1.0;  // each value is multiplied by it (0.1 for tenths, 100 for fractions)
  // Why a column named after a known quantity is not offered: its unit is unknown, or another
  // column already has the code. Empty otherwise.
  std::string Note;

  bool Imported() const { return Code != 0; }
};

// The proposal for a header name, given in Windows-1252 (the degree sign the byte 0xB0):
//   tmax, tx, t_max, maximum temperature -> 101 (111 in °F); tmean, tavg, tg -> 102 (112);
//   tmin, tn -> 103 (113); rhmax, ux -> 201; rh, rhmean, relative humidity -> 202;
//   rhmin, un -> 203; tdew, dewpoint -> 210 (211); ea, vapour pressure -> 221 (222 hPa,
//   223 psi, 224 atm, 225 mmHg); u2, wind, windspeed -> 301 (302 km/day, 303 knot, 304 ft/s;
//   km/h and mph as 301 with a factor); sunshine, sun, n -> 401 (minutes with a factor 1/60);
//   rs, solar, radiation -> 421 (422 W/m2, 423 J/cm2, 424 mm/day, 425 cal/cm2; kJ/m2 as 421
//   with a factor 0.001); rn, net radiation -> 431 (432..435 likewise).
// A unit led by a factor ("0.1 °C", "1/10 mm") gives that factor; relative humidity given as a
// fraction ("-", "fraction", "0-1") gets the factor 100.
ColumnProposal ProposeColumn(std::string_view name);

}  // namespace vernoli
