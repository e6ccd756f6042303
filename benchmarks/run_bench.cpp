// Speed and peak memory of the calculation run on the largest station the program allows:
// daily data from 1 January 1902 to 31 December 2099 (72,319 records) with Tmax, Tmin, RHmax,
// RHmin, wind and sunshine. Times the run that rewrites the .DTA from the working data, a whole
// `vernoli-batch recompute`, a whole `vernoli-batch report` and `vernoli-batch results`. The
// peak resident size of the process (getrusage) is reported after each; the recompute of a
// one-year station runs first, so that its figure shows the memory of a small run.
//
// The floor of a recompute: every record of the .DTA read and written back unchanged through a
// temporary file and a rename, no computation. BM_RecomputeOverFloor runs the floor and the
// recompute of the largest station in turns and reports the ratio of their times.
//
// The files are written under $VERNOLI_BENCH_DIR, or the system's temporary folder.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "bench_station.h"
#include "discard.h"
#include "cli/batch.h"
#include "model/atomicfile.h"
#include "model/datafile.h"
#include "model/station.h"
#include "model/stationcodes.h"
#include "workspace/run.h"

namespace vernoli {
namespace {

using bench::kLargestYears;

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

bench::Fixture& Shared() {
  static bench::Fixture fixture;
  return fixture;
}

void ReportMemory(benchmark::State& state, const RepClimateFile& station) {
  state.counters["records"] = station.NumberOfRecords;
  state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}

void BM_RecomputeStation(benchmark::State& state) {
  bench::Fixture& fixture = Shared();
  const RepClimateFile& station = fixture.Station(static_cast<int>(state.range(0)));
  const std::vector<std::string> args{"--data", fixture.Folder, "recompute", station.FileName};
  std::ostringstream out, err;
  for (auto _ : state) {
    if (RunBatch(args, out, err) != 0) state.SkipWithError(err.str().c_str());
  }
  ReportMemory(state, station);
}

void BM_RunCalculation(benchmark::State& state) {
  bench::Fixture& fixture = Shared();
  RepClimateFile station = fixture.Station(kLargestYears);
  SortParameterCodes(station);
  WorkingData data;
  if (!LoadWorkingData(station, data)) state.SkipWithError("load failed");
  for (auto _ : state) {
    if (!RunCalculation(station, data)) state.SkipWithError("run failed");
  }
  ReportMemory(state, station);
}

// `vernoli-batch results` of the largest station, to standard output.
void BM_ResultsStation(benchmark::State& state) {
  bench::Fixture& fixture = Shared();
  const RepClimateFile& station = fixture.Station(kLargestYears);
  const std::vector<std::string> args{"--data", fixture.Folder, "results", station.FileName};
  bench::DiscardingBuffer discarded;
  std::ostream out(&discarded);
  std::ostringstream err;
  for (auto _ : state) {
    if (RunBatch(args, out, err) != 0) state.SkipWithError(err.str().c_str());
  }
  ReportMemory(state, station);
}

// The report of every block, from the .DTA to the committed .REP, as the command line asks it.
void BM_ReportStation(benchmark::State& state) {
  bench::Fixture& fixture = Shared();
  const RepClimateFile& station = fixture.Station(kLargestYears);
  const std::vector<std::string> args{"--data",   fixture.Folder,    "--output",
                                      fixture.Folder, "report",     station.FileName,
                                      "--columns", "nr,date,data,results"};
  std::ostringstream out, err;
  for (auto _ : state) {
    if (RunBatch(args, out, err) != 0) state.SkipWithError(err.str().c_str());
  }
  ReportMemory(state, station);
}

// Reads every record of the .DTA and writes it back unchanged, through a temporary file and a
// rename.
bool CopyThroughTheDataFile(const RepClimateFile& station) {
  DataFileReader reader;
  if (!reader.Open(station.DtaFileName)) return false;
  AtomicFile file(station.DtaFileName);
  WriteDataHeader(file, reader.Codes());
  DataRecord record;
  while (reader.Next(record)) WriteDataRecord(file, record.Number, record.Values, reader.Codes());
  return reader.status() && file.Commit();
}

void BM_RecomputeFloor(benchmark::State& state) {
  const RepClimateFile& station = Shared().Station(kLargestYears);
  for (auto _ : state) {
    if (!CopyThroughTheDataFile(station)) state.SkipWithError("copy failed");
  }
  ReportMemory(state, station);
}

void BM_RecomputeOverFloor(benchmark::State& state) {
  bench::Fixture& fixture = Shared();
  const RepClimateFile& station = fixture.Station(kLargestYears);
  const std::vector<std::string> args{"--data", fixture.Folder, "recompute", station.FileName};
  std::ostringstream out, err;
  using Clock = std::chrono::steady_clock;
  Clock::duration floor{}, recompute{};
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    if (!CopyThroughTheDataFile(station)) state.SkipWithError("copy failed");
    const Clock::time_point middle = Clock::now();
    if (RunBatch(args, out, err) != 0) state.SkipWithError(err.str().c_str());
    recompute += Clock::now() - middle;
    floor += middle - start;
  }
  const auto ms = [&state](Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count() /
           static_cast<double>(state.iterations());
  };
  state.counters["floor_ms"] = ms(floor);
  state.counters["recompute_ms"] = ms(recompute);
  state.counters["ratio"] = ms(recompute) / ms(floor);
}

// The small station first: its peak memory is the baseline for the large one.
BENCHMARK(BM_RecomputeStation)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecomputeStation)->Arg(kLargestYears)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecomputeFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecomputeOverFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunCalculation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportStation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResultsStation)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vernoli

BENCHMARK_MAIN();
