#include "limits/boundary.h"

#include <gtest/gtest.h>

namespace vernoli {
namespace {

// A station with the default limits: LimitTmin -15 degC, LimitTmax 45 degC.
const StationLimits kLimits;

BoundaryRequest Request(const char* parameter, bool first, bool celsius) {
  return BoundaryRequest{parameter, first, celsius};
}

// ---------------------------------------------------------------------------------------------
// Bounds and defaults

TEST(BoundaryValueBounds, FollowTheParameterAndTheUnit) {
  struct Row {
    const char* name;
    BoundaryRequest request;
    double minimum, maximum, preset;
  };
  const Row rows[] = {
      {"ETo", Request("ETo", true, true), 0.0, 15.0, 5.0},
      {"ETo whatever the unit flag", Request("ETo", false, false), 0.0, 15.0, 5.0},
      {"Tmin in degC", Request("Tmin", true, true), -15.0, 45.0, 10.0},
      {"Tmin in degF", Request("Tmin", true, false), 5.0, 113.0, 50.0},
      {"Tmax in degC", Request("Tmax", false, true), -15.0, 45.0, 20.0},
      {"Tmax in degF", Request("Tmax", false, false), 5.0, 113.0, 68.0},
      {"any other name is Tmax", Request("Tdew", true, true), -15.0, 45.0, 20.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const BoundaryBounds bounds = BoundaryValueBounds(row.request, kLimits);
    EXPECT_DOUBLE_EQ(bounds.Minimum, row.minimum);
    EXPECT_DOUBLE_EQ(bounds.Maximum, row.maximum);
    EXPECT_DOUBLE_EQ(bounds.Default, row.preset);
  }
}

TEST(BoundaryValueBounds, TemperaturesFollowTheStationLimits) {
  StationLimits limits;
  limits.LimitTmin = -40;
  limits.LimitTmax = 50;
  const BoundaryBounds bounds = BoundaryValueBounds(Request("Tmin", true, false), limits);
  EXPECT_DOUBLE_EQ(bounds.Minimum, -40.0);  // -40 degC is -40 degF
  EXPECT_DOUBLE_EQ(bounds.Maximum, 122.0);
}

// ---------------------------------------------------------------------------------------------
// Texts of the dialog

TEST(BoundaryTexts, NameTheEndTheParameterAndTheUnit) {
  EXPECT_EQ(BoundaryEndText(Request("ETo", true, true)), "Initial");
  EXPECT_EQ(BoundaryEndText(Request("ETo", false, true)), "Final");
  EXPECT_EQ(BoundaryFullInfo(Request("ETo", true, true)), "Initial ETo value in mm/day");
  EXPECT_EQ(BoundaryFullInfo(Request("Tmin", true, true)), "Initial Tmin value in \xB0" "Celsius");
  EXPECT_EQ(BoundaryFullInfo(Request("Tmax", false, false)),
            "Final Tmax value in \xB0" "Fahrenheit");
  EXPECT_EQ(BoundaryUnitText(Request("ETo", true, false)), "mm/day");
}

TEST(BoundaryTexts, DefaultsAreShownInWidthSixWithOneDecimal) {
  EXPECT_EQ(BoundaryDefaultText(Request("ETo", true, true), kLimits), "   5.0");
  EXPECT_EQ(BoundaryDefaultText(Request("Tmin", true, false), kLimits), "  50.0");
  EXPECT_EQ(BoundaryDefaultText(Request("Tmax", false, true), kLimits), "  20.0");
}

// ---------------------------------------------------------------------------------------------
// The typed value

TEST(BoundaryValue, ValueAboveTheMaximumBecomesTheMaximumWithTheMessage) {
  const RealEntryCheck check = ParseBoundaryValue("22", Request("ETo", true, true), kLimits);
  EXPECT_EQ(check.Outcome, RangeOutcome::Above);
  EXPECT_DOUBLE_EQ(check.Value, 15.0);
  EXPECT_EQ(check.FieldText, "  15.0");
  EXPECT_EQ(check.Message, "ERROR:\nvalue is larger than Maximum (=  15.000)");
}

TEST(BoundaryValue, FahrenheitTminBelowTheLimitIsRaisedToIt) {
  const RealEntryCheck check = ParseBoundaryValue(" 0 ", Request("Tmin", true, false), kLimits);
  EXPECT_EQ(check.Outcome, RangeOutcome::Below);
  EXPECT_DOUBLE_EQ(check.Value, 5.0);
  EXPECT_EQ(check.FieldText, "   5.0");
  EXPECT_EQ(check.Message, "ERROR:\nvalue is smaller than Minimum (=   5.000)");
}

TEST(BoundaryValue, TextThatIsNoNumberCountsAsFive) {
  for (const char* parameter : {"ETo", "Tmin", "Tmax"}) {
    SCOPED_TRACE(parameter);
    const RealEntryCheck check = ParseBoundaryValue("abc", Request(parameter, true, true), kLimits);
    EXPECT_TRUE(check.Inside());
    EXPECT_DOUBLE_EQ(check.Value, 5.0);
    EXPECT_EQ(check.Message, "");
  }
  // In degF the 5.0 meets the minimum exactly and is accepted.
  EXPECT_TRUE(ParseBoundaryValue("", Request("Tmax", true, false), kLimits).Inside());
}

TEST(BoundaryValue, TheValueIsWhatTheEditShows) {
  const RealEntryCheck check = ParseBoundaryValue("2.36", Request("ETo", true, true), kLimits);
  EXPECT_EQ(check.FieldText, "   2.4");
  EXPECT_DOUBLE_EQ(check.Value, 2.4);
}

TEST(BoundaryValue, BothLimitsAreAccepted) {
  EXPECT_TRUE(CheckBoundaryValue(0.0, Request("ETo", true, true), kLimits).Inside());
  EXPECT_TRUE(CheckBoundaryValue(15.0, Request("ETo", true, true), kLimits).Inside());
  EXPECT_TRUE(CheckBoundaryValue(-15.0, Request("Tmin", true, true), kLimits).Inside());
  EXPECT_FALSE(CheckBoundaryValue(-15.1, Request("Tmin", true, true), kLimits).Inside());
}

}  // namespace
}  // namespace vernoli
