// The block driver against the per-record driver, result for result and bit for bit, over
// generated records of every kind and stations of every setting.
#include "engine/block.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace vernoli {
namespace {

class Generator {
 public:
  explicit Generator(uint32_t seed) : random_(seed) {}

  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random_);
  }
  bool Chance(double p) { return Uniform(0, 1) < p; }
  int Integer(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  // A value as a station file or a form may hand it over: mostly plausible, sometimes missing,
  // sometimes on the edge of what the equations take or not a number at all.
  double Value(double low, double high, double present) {
    if (!Chance(present)) return kMissing;
    if (Chance(0.01)) {
      const double odd[] = {-999.3, -998.6, -237.3, -237.29, 0.0, -0.5, 0.5, 1e308, -1e308,
                            std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity()};
      return odd[Integer(0, 10)];
    }
    // Values of the files have one or two decimals; the completed ones do not.
    const double x = Uniform(low, high);
    return Chance(0.5) ? std::round(x * 10) / 10 : x;
  }

  ClimaticRecord Record() {
    ClimaticRecord r;
    // Presence patterns from complete records to a single temperature.
    const double p = Uniform(0.1, 1.0);
    const double tmin = Value(-45, 30, p);
    r[Row::Tmin] = tmin;
    r[Row::Tmax] = Chance(0.8) && !IsMissing(tmin) ? tmin + Uniform(-2, 20) : Value(-30, 50, p);
    r[Row::Tmean] = Value(-35, 40, p * 0.6);
    r[Row::RHmax] = Value(20, 105, p);
    r[Row::RHmean] = Value(10, 100, p * 0.6);
    r[Row::RHmin] = Value(2, 100, p);
    r[Row::Tdew] = Value(-40, 30, p * 0.3);
    r[Row::Eact] = Value(-0.2, 5, p * 0.2);
    r[Row::Tdry] = Value(-10, 40, p * 0.2);
    r[Row::Twet] = Value(-12, 38, p * 0.2);
    r[Row::Wind] = Value(0, 15, p);
    r[Row::Sunshine] = Value(0, 16, p * 0.5);
    r[Row::RelativeSunshine] = Value(0, 1.1, p * 0.3);
    r[Row::Rs] = Value(0, 40, p * 0.5);
    r[Row::Rn] = Value(-5, 25, p * 0.2);
    return r;
  }

  StationInputs Station() {
    StationInputs s;
    const double latitudes[] = {0, 12.5, -33.9, 52.1, 66.6, 78.2, -89.5, 90};
    s.Latitude = Chance(0.5) ? latitudes[Integer(0, 7)] : Uniform(-90, 90);
    s.Altitude = Chance(0.1) ? Integer(-400, 6000) : Integer(0, 2500);
    const double heights[] = {2, 10, 0.09, 3};
    s.WindHeight = heights[Integer(0, 3)];
    s.Method = static_cast<uint8_t>(Integer(0, 5));
    s.TdewTminDifference = Chance(0.5) ? 0.0 : Uniform(0, 4);
    s.DefaultU2 = Chance(0.9) ? 2.0 : kMissing;
    s.Flags.ElevationAdjustment = static_cast<uint8_t>(Integer(0, 1));
    s.Flags.AdjustPenman = static_cast<uint8_t>(Integer(0, 1));
    s.Flags.AdjustRadiation = static_cast<uint8_t>(Integer(0, 1));
    s.Flags.AdjustBlaneyCriddle = static_cast<uint8_t>(Integer(0, 1));
    s.Settings.DayNightWindRatio = static_cast<uint8_t>(Integer(0, 4));
    s.Settings.AngstromB = Chance(0.05) ? 0.0 : 0.5;
    return s;
  }

  int32_t Day() {
    if (Chance(0.01)) return Integer(-3, 0) + (Chance(0.5) ? 369 : 0);
    return Integer(1, 365);
  }

 private:
  std::mt19937 random_;
};

// The bits of the 17 results and the ETo, named for the message of a difference.
std::vector<std::pair<const char*, double>> Named(const RecordResults& r, double eto) {
  return {{"Tmean*", r.TmeanStar}, {"RHmean*", r.RHmeanStar}, {"ea*", r.EactStar},
          {"es", r.Esat},          {"Tdew*", r.TdewStar},     {"u2*", r.U2Star},
          {"n*", r.SunshineStar},  {"N", r.DaylightHours},    {"Ra", r.Ra},
          {"Rs*", r.RsStar},       {"Rnl", r.Rnl},            {"Rn*", r.RnStar},
          {"PM", r.EToPM},         {"Pen", r.EToPen},         {"Har", r.EToHar},
          {"Mak", r.EToMak},       {"BC", r.EToBC},           {"ETo", eto}};
}

TEST(BlockDriver, GivesThePerRecordResultsBitForBit) {
  Generator generate(20261210);
  RecordBlock block;
  auto copy = std::make_unique<RecordBlock>();
  auto results = std::make_unique<BlockResults>();
  std::vector<ClimaticRecord> records;
  int compared = 0;
  for (int station = 0; station < 500; ++station) {
    const StationConstants constants(generate.Station());
    BlockDriver driver(constants);
    // Blocks of every length, a full one among them.
    const int whole = static_cast<int>(kBlockRecords);
    const int count = station % 7 == 0 ? whole : generate.Integer(1, whole);
    block.Clear();
    records.clear();
    std::array<bool, kParameterCount> absent{};
    if (station % 3 == 0) {
      for (bool& row : absent) row = generate.Chance(0.4);
    }
    for (int k = 0; k < count; ++k) {
      records.push_back(generate.Record());
      // Stations that never measure some quantities: whole blocks without them.
      for (std::size_t row = 0; row < absent.size(); ++row) {
        if (absent[row]) records.back()[static_cast<int>(row) + 1] = kMissing;
      }
      block.Add(generate.Day(), records.back());
    }
    // Each width of lanes the processor offers, on a copy of the block (the driver sanitises it).
    for (const BlockLanes lanes : {BlockLanes::Two, BlockLanes::Four, BlockLanes::Eight}) {
      if (!BlockLanesAvailable(lanes)) continue;
      *copy = block;
      driver.ComputeWith(lanes, *copy, *results);
      ASSERT_EQ(results->Count, block.Count);
      for (std::size_t i = 0; i < block.Count; ++i) {
        RecordResults expected;
        const double eto = ComputeRecord(block.DayOfYear[i], records[i], constants, expected);
        const auto want = Named(expected, eto);
        const auto got = Named(results->Record(i), results->ETo[i]);
        for (std::size_t q = 0; q < want.size(); ++q) {
          ASSERT_EQ(std::bit_cast<uint64_t>(got[q].second),
                    std::bit_cast<uint64_t>(want[q].second))
              << want[q].first << " of record " << i << " of station " << station << " in "
              << (lanes == BlockLanes::Two ? 2 : lanes == BlockLanes::Four ? 4 : 8)
              << " lanes: " << got[q].second << " instead of " << want[q].second;
        }
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 30000);
}

}  // namespace
}  // namespace vernoli
