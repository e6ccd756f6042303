// Speed of the drivers over ten years of daily records of one station, by the kind of record:
// the per-record driver's straightforward call and fast path with the station's constants, and
// the block driver.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "engine/block.h"
#include "engine/record.h"

namespace vernoli {
namespace {

enum class Kind { Complete, TemperatureOnly, MeanHumidityRadiation, PolarNight, Mix };

struct Workload {
  RepClimateFile Station;
  std::vector<ClimaticRecord> Records;
  std::vector<int32_t> Days;
};

ClimaticRecord MakeRecord(Kind kind, std::mt19937& random) {
  const auto uniform = [&random](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  ClimaticRecord r;
  switch (kind) {
    case Kind::Complete:
    case Kind::PolarNight: {
      const double tmin = kind == Kind::PolarNight ? uniform(-35, -15) : uniform(5, 20);
      r[Row::Tmin] = tmin;
      r[Row::Tmax] = tmin + uniform(3, 15);
      r[Row::RHmin] = uniform(30, 70);
      r[Row::RHmax] = uniform(75, 100);
      r[Row::Wind] = uniform(0.5, 6);
      r[Row::Sunshine] = kind == Kind::PolarNight ? 0 : uniform(0, 14);
      break;
    }
    case Kind::TemperatureOnly: {
      const double tmin = uniform(5, 20);
      r[Row::Tmin] = tmin;
      r[Row::Tmax] = tmin + uniform(3, 15);
      break;
    }
    case Kind::MeanHumidityRadiation:
      r[Row::Tmean] = uniform(5, 25);
      r[Row::RHmean] = uniform(40, 95);
      r[Row::Rs] = uniform(2, 28);
      break;
    case Kind::Mix:
      break;
  }
  return r;
}

Workload MakeWorkload(Kind kind) {
  Workload w;
  w.Station.Latitude = kind == Kind::PolarNight ? 80 : 50.8;
  w.Station.Altitude = 100;
  w.Station.WindHeight = 10;
  std::mt19937 random(2024);
  const Kind mix[] = {Kind::Complete, Kind::TemperatureOnly, Kind::MeanHumidityRadiation,
                      Kind::Complete};
  for (int k = 0; k < 3650; ++k) {
    const int32_t day = kind == Kind::PolarNight ? 330 + k % 40 : k % 365 + 1;
    w.Days.push_back(day > 365 ? day - 365 : day);
    w.Records.push_back(MakeRecord(kind == Kind::Mix ? mix[k % 4] : kind, random));
  }
  return w;
}

void Straightforward(benchmark::State& state, Kind kind) {
  const Workload w = MakeWorkload(kind);
  RecordResults results;
  for (auto _ : state) {
    for (size_t i = 0; i < w.Records.size(); ++i) {
      benchmark::DoNotOptimize(ComputeRecord(w.Days[i], w.Records[i], w.Station, results));
      benchmark::ClobberMemory();
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(w.Records.size()));
}

void FastPath(benchmark::State& state, Kind kind) {
  const Workload w = MakeWorkload(kind);
  const StationConstants constants(w.Station);
  RecordResults results;
  for (auto _ : state) {
    for (size_t i = 0; i < w.Records.size(); ++i) {
      benchmark::DoNotOptimize(ComputeRecord(w.Days[i], w.Records[i], constants, results));
      benchmark::ClobberMemory();
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(w.Records.size()));
}

// The block driver, fed and read record by record as a run does, with the widest lanes the
// processor offers or with `lanes`.
void Blocks(benchmark::State& state, Kind kind, std::optional<BlockLanes> lanes = std::nullopt) {
  if (lanes && !BlockLanesAvailable(*lanes)) {
    state.SkipWithError("the processor lacks these lanes");
    return;
  }
  const Workload w = MakeWorkload(kind);
  const StationConstants constants(w.Station);
  BlockDriver driver(constants);
  const auto block = std::make_unique<RecordBlock>();
  const auto results = std::make_unique<BlockResults>();
  for (auto _ : state) {
    for (size_t first = 0; first < w.Records.size(); first += kBlockRecords) {
      block->Clear();
      for (size_t i = first; i < w.Records.size() && !block->Full(); ++i) {
        block->Add(w.Days[i], w.Records[i]);
      }
      if (lanes) {
        driver.ComputeWith(*lanes, *block, *results);
      } else {
        driver.Compute(*block, *results);
      }
      for (size_t i = 0; i < results->Count; ++i) benchmark::DoNotOptimize(results->ETo[i]);
      benchmark::ClobberMemory();
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(w.Records.size()));
}

// Building the constants once per station: 365 days of solar geometry.
void BuildStationConstants(benchmark::State& state) {
  const Workload w = MakeWorkload(Kind::Complete);
  for (auto _ : state) {
    StationConstants constants(w.Station);
    benchmark::DoNotOptimize(constants.Rso[172]);
  }
}

BENCHMARK_CAPTURE(Straightforward, Complete, Kind::Complete);
BENCHMARK_CAPTURE(Straightforward, TemperatureOnly, Kind::TemperatureOnly);
BENCHMARK_CAPTURE(Straightforward, MeanHumidityRadiation, Kind::MeanHumidityRadiation);
BENCHMARK_CAPTURE(Straightforward, PolarNight, Kind::PolarNight);
BENCHMARK_CAPTURE(Straightforward, Mix, Kind::Mix);
BENCHMARK_CAPTURE(FastPath, Complete, Kind::Complete);
BENCHMARK_CAPTURE(FastPath, TemperatureOnly, Kind::TemperatureOnly);
BENCHMARK_CAPTURE(FastPath, MeanHumidityRadiation, Kind::MeanHumidityRadiation);
BENCHMARK_CAPTURE(FastPath, PolarNight, Kind::PolarNight);
BENCHMARK_CAPTURE(FastPath, Mix, Kind::Mix);
BENCHMARK_CAPTURE(Blocks, Complete, Kind::Complete);
BENCHMARK_CAPTURE(Blocks, TemperatureOnly, Kind::TemperatureOnly);
BENCHMARK_CAPTURE(Blocks, MeanHumidityRadiation, Kind::MeanHumidityRadiation);
BENCHMARK_CAPTURE(Blocks, PolarNight, Kind::PolarNight);
BENCHMARK_CAPTURE(Blocks, Mix, Kind::Mix);
// What a processor with fewer lanes gets.
BENCHMARK_CAPTURE(Blocks, MixInFourLanes, Kind::Mix, BlockLanes::Four);
BENCHMARK_CAPTURE(Blocks, MixInTwoLanes, Kind::Mix, BlockLanes::Two);
BENCHMARK(BuildStationConstants);

}  // namespace
}  // namespace vernoli

BENCHMARK_MAIN();
