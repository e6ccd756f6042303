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

#include "model/datafile.h"
#include "model/station.h"
#include "model/textfile.h"
#include "workspace/batch.h"
#include "workspace/run.h"
#include "workspace/workingfile.h"

namespace vernoli {
namespace {

constexpr int16_t kCodes[] = {101, 103, 201, 203, 301, 401, 501};

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

std::string BenchFolder() {
  const char* chosen = std::getenv("VERNOLI_BENCH_DIR");
  const std::filesystem::path base =
      chosen != nullptr ? std::filesystem::path(chosen) : std::filesystem::temp_directory_path();
  const std::filesystem::path folder = base / ("vernoli-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return folder.string() + "/";
}

// A plausible daily record k (no randomness: the same file on every run).
std::vector<double> DailyValues(int32_t k) {
  const double season = static_cast<double>(k % 365) / 365.0;
  const double wave = season < 0.5 ? season : 1.0 - season;  // 0 .. 0.5 .. 0
  const double noise = static_cast<double>((k * 7919) % 101) / 100.0;
  std::vector<double> values{
      12.0 + 36.0 * wave + 3.0 * noise,  // Tmax
      2.0 + 30.0 * wave + 2.0 * noise,   // Tmin
      70.0 + 25.0 * noise,               // RHmax
      25.0 + 30.0 * noise,               // RHmin
      0.8 + 4.0 * noise,                 // wind
      4.0 + 16.0 * wave * noise,         // sunshine
      -999.0,                            // ETo
  };
  if (k % 97 == 0) values[static_cast<std::size_t>(k % 6)] = -999.0;
  return values;
}

// The station NAME in `folder`: daily from 1 January 1902 over `years` years.
RepClimateFile MakeStation(const std::string& folder, const std::string& name, int years) {
  RepClimateFile station = NewStation();
  SetStationFiles(station, folder, name);
  station.StationName = name;
  station.Latitude = 41.9;
  station.Altitude = 100;
  station.DataType = kDaily;
  station.FromDay = 1;
  station.FromMonth = 1;
  station.FromYear = 1902;
  station.ToDay = 31;
  station.ToMonth = 12;
  station.ToYear = 1902 + years - 1;
  (void)WriteStationDescription(station);
  (void)ReadStationDescription(station);
  AtomicFile dta(station.DtaFileName);
  WriteDataHeader(dta, kCodes);
  for (int32_t n = 1; n <= station.NumberOfRecords; ++n) {
    WriteDataRecord(dta, n, DailyValues(n - 1), kCodes);
  }
  (void)dta.Commit();
  (void)ReadParameterCodes(station);
  return station;
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
    for (std::size_t i = 0; i < std::size(kCodes); ++i) {
      column.push_back(IsMissing(values[i]) ? std::string()
                                            : FormatReal(values[i], 10, DecimalsOfCode(kCodes[i])));
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
