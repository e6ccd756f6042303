// Speed and peak memory of the calculation run on the largest station the program allows:
// daily data from 1 January 1902 to 31 December 2099 (72,319 records) with Tmax, Tmin, RHmax,
// RHmin, wind and sunshine. Times building the working file, writing back one year of the grid,
// the run that rewrites the .DTA, and a whole `vernoli-batch recompute`. The peak resident size of
// the process (getrusage) is reported after each; the recompute of a one-year station runs
// first, so that its figure shows the memory of a small run.
//
// The files are written under $VERNOLI_BENCH_DIR, or the system's temporary folder.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench_station.h"
#include "model/datafile.h"
#include "model/station.h"
#include "model/textfile.h"
#include "workspace/batch.h"
#include "workspace/run.h"
#include "workspace/workingfile.h"

namespace vernoli {
namespace {

using bench::BenchFolder;
using bench::DailyValues;
using bench::MakeStation;
using bench::kBenchCodes;

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

struct Fixture {
  std::string Folder = BenchFolder();
  std::map<int, RepClimateFile> Stations;  // by number of years
  std::string Working = Folder + "FullSet.TMP";

  const RepClimateFile& Station(int years) {
    auto it = Stations.find(years);
    if (it == Stations.end()) {
      it = Stations.emplace(years, MakeStation(Folder, "Y" + std::to_string(years), years)).first;
    }
    return it->second;
  }
  ~Fixture() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void ReportMemory(benchmark::State& state, const RepClimateFile& station) {
  state.counters["records"] = station.NumberOfRecords;
  state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}

void BM_RecomputeStation(benchmark::State& state) {
  Fixture& fixture = Shared();
  const RepClimateFile& station = fixture.Station(static_cast<int>(state.range(0)));
  const std::vector<std::string> args{"--data", fixture.Folder, "recompute", station.FileName};
  std::ostringstream out, err;
  for (auto _ : state) {
    if (RunBatch(args, out, err) != 0) state.SkipWithError(err.str().c_str());
  }
  ReportMemory(state, station);
}

void BM_BuildWorkingFile(benchmark::State& state) {
  Fixture& fixture = Shared();
  const RepClimateFile& station = fixture.Station(198);
  for (auto _ : state) {
    if (!BuildWorkingFile(station, fixture.Working)) state.SkipWithError("build failed");
  }
  ReportMemory(state, station);
}

void BM_WriteBackOneYear(benchmark::State& state) {
  Fixture& fixture = Shared();
  RepClimateFile station = fixture.Station(198);
  SortParameterCodes(station);
  (void)BuildWorkingFile(station, fixture.Working);
  // The grid of the year 2000 (366 records), every cell as the grid shows it.
  const int32_t first = DayNr(1, 1, 2000) - station.FirstDayNr + 1;
  const int32_t last = DayNr(31, 12, 2000) - station.FirstDayNr + 1;
  GridColumns cells;
  for (int32_t record = first; record <= last; ++record) {
    std::vector<std::string> column;
    const std::vector<double> values = DailyValues(record - 1);
    for (std::size_t i = 0; i < std::size(kBenchCodes); ++i) {
      column.push_back(IsMissing(values[i])
                           ? std::string()
                           : FormatReal(values[i], 10, DecimalsOfCode(kBenchCodes[i])));
    }
    cells.push_back(std::move(column));
  }
  const std::span<const int16_t> codes = StationCodes(station);
  for (auto _ : state) {
    if (!WriteBackVisibleRecords(fixture.Working, codes, first, last, cells)) {
      state.SkipWithError("write-back failed");
    }
  }
  ReportMemory(state, station);
}

void BM_RunCalculation(benchmark::State& state) {
  Fixture& fixture = Shared();
  RepClimateFile station = fixture.Station(198);
  SortParameterCodes(station);
  (void)BuildWorkingFile(station, fixture.Working);
  for (auto _ : state) {
    if (!RunCalculation(station, fixture.Working)) state.SkipWithError("run failed");
  }
  ReportMemory(state, station);
}

// The small station first: its peak memory is the baseline for the large one.
BENCHMARK(BM_RecomputeStation)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecomputeStation)->Arg(198)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildWorkingFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBackOneYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunCalculation)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vernoli

BENCHMARK_MAIN();
