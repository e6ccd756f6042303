#include "engine/ranges.h"

#include <gtest/gtest.h>

namespace vernoli {
namespace {

TEST(ParameterRange, FollowsTheStationLimits) {
  const StationLimits limits;  // -15, 45, 15, 8, 5
  auto range = [&](int code) { return ParameterRange(code, limits, 180, 40.0, 100, true, 0.75); };
  EXPECT_EQ(range(101).Minimum, -15.0);
  EXPECT_EQ(range(103).Maximum, 45.0);
  EXPECT_EQ(range(231).Minimum, -15.0);
  EXPECT_DOUBLE_EQ(range(111).Minimum, 5.0);
  EXPECT_DOUBLE_EQ(range(113).Maximum, 113.0);
  EXPECT_EQ(range(202).Minimum, 15.0);
  EXPECT_EQ(range(202).Maximum, 100.0);
  EXPECT_EQ(range(301).Maximum, 8.0);
  EXPECT_NEAR(range(302).Maximum, 8.0 * 86.4, 1e-9);
  EXPECT_EQ(range(402).Minimum, 0.0);
  EXPECT_EQ(range(402).Maximum, 1.0);
  EXPECT_EQ(range(501).Maximum, 100.0);
  // Vapour pressure: e deg(45) at the top, 15 % of e deg(-15) at the bottom.
  EXPECT_NEAR(range(221).Maximum, 9.58248, 1e-5);
  EXPECT_NEAR(range(221).Minimum, 0.0285693, 1e-7);
  EXPECT_NEAR(range(222).Maximum, 95.8248, 1e-4);
  // Net radiation shares the maximum of solar radiation.
  EXPECT_DOUBLE_EQ(range(431).Maximum, range(421).Maximum);
  EXPECT_NEAR(range(422).Maximum, range(421).Maximum / 0.0864, 1e-9);
  EXPECT_GT(range(421).Maximum, 30.0);
  // A code without a rule keeps the caller's range.
  const ValueRange kept = ParameterRange(777, limits, 180, 40, 100, true, 0.75, {-1.0, 2.0});
  EXPECT_EQ(kept.Minimum, -1.0);
  EXPECT_EQ(kept.Maximum, 2.0);
}

TEST(ParameterRange, SunshineNeverExceeds24Hours) {
  StationLimits limits;
  limits.LimitRadiationDeviation = 20;
  // Midsummer far north: N is 24 hours, and 1.2 N would be more.
  EXPECT_EQ(ParameterRange(401, limits, 172, 75.0, 0, true, 0.75).Maximum, 24.0);
  EXPECT_NEAR(ParameterRange(401, limits, 172, 0.0, 0, true, 0.75).Maximum, 1.2 * 12.0, 1e-9);
}

TEST(ParameterRange, ClearSkyFollowsTheElevationOption) {
  const StationLimits limits;
  const double withAltitude = ParameterRange(421, limits, 180, 10.0, 1000, true, 0.9).Maximum;
  const double withAngstrom = ParameterRange(421, limits, 180, 10.0, 1000, false, 0.9).Maximum;
  // 0.75 + 2e-5 * 1000 = 0.77 against as + bs = 0.9, on the same Ra.
  EXPECT_NEAR(withAltitude / withAngstrom, 0.77 / 0.9, 1e-12);
}

}  // namespace
}  // namespace vernoli
