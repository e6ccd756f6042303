// The code offered for a column from its header name, with the unit the name carries.
#include "import/delimitednames.h"

#include <gtest/gtest.h>

namespace vernoli {
namespace {

TEST(ProposeColumn, OffersTheCodeOfTheQuantityInItsUnit) {
  struct Case {
    const char* name;  // Windows-1252
    int code;
    double factor;
  };
  const Case cases[] = {
      {"tmax", 101, 1},
      {"TX", 101, 1},
      {"t_max", 101, 1},
      {"Maximum temperature", 101, 1},
      {"Tmax[\xB0" "C]", 101, 1},
      {"Tmax[\xB0" "F]", 111, 1},
      {"t_max_degF", 111, 1},
      {"Tmin (\xB0" "F)", 113, 1},
      {"tmean", 102, 1},
      {"TAVG", 102, 1},
      {"TG", 102, 1},
      {"tmin", 103, 1},
      {"TN", 103, 1},
      {"TX (0.1 \xB0" "C)", 101, 0.1},
      {"rhmax", 201, 1},
      {"UX", 201, 1},
      {"RH[%]", 202, 1},
      {"relative humidity", 202, 1},
      {"rhmean [-]", 202, 100},
      {"RHmin", 203, 1},
      {"UN", 203, 1},
      {"Tdew", 210, 1},
      {"dewpoint \xB0" "F", 211, 1},
      {"ea", 221, 1},
      {"vapour pressure [hPa]", 222, 1},
      {"ea_kPa", 221, 1},
      {"u2[m/s]", 301, 1},
      {"wind", 301, 1},
      {"windspeed (km/day)", 302, 1},
      {"wind_kn", 303, 1},
      {"sunshine", 401, 1},
      {"N", 401, 1},
      {"sun [min]", 401, 1.0 / 60.0},
      {"Rs[MJ/m2/d]", 421, 1},
      {"solar", 421, 1},
      {"radiation [W/m\xB2]", 422, 1},
      {"Rs (J/cm2)", 423, 1},
      {"Rs [kJ/m2/day]", 421, 0.001},
      {"Rn", 431, 1},
      {"net radiation W/m2", 432, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ColumnProposal proposal = ProposeColumn(c.name);
    EXPECT_EQ(proposal.Code, c.code);
    EXPECT_DOUBLE_EQ(proposal.Factor, c.factor);
    EXPECT_EQ(proposal.Note, "");
  }
}

TEST(ProposeColumn, AnyOtherNameIsNotImported) {
  for (const char* name : {"STN", "DDVEC", "FG", "PET[mm/d]", "windrun", "station", "strahl", "t",
                           "", "MX", "tmaxx"}) {
    const ColumnProposal proposal = ProposeColumn(name);
    EXPECT_FALSE(proposal.Imported()) << name;
    EXPECT_EQ(proposal.Note, "") << name;
  }
}

TEST(ProposeColumn, AKnownQuantityInAnUnknownUnitIsNotImportedWithANote) {
  const ColumnProposal kelvin = ProposeColumn("Tmax [K]");
  EXPECT_FALSE(kelvin.Imported());
  EXPECT_EQ(kelvin.Note, "the unit \"K\" is not one the import knows for maximum temperature");
  EXPECT_FALSE(ProposeColumn("wind (beaufort)").Imported());
}

}  // namespace
}  // namespace vernoli
