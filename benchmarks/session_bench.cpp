// Speed of the workspace's operations on the largest station (72,319 daily records), without the
// form: opening (reading the data file into the working data and the first year), moving to the
// next year, changing a setting that refills the grid (the wind height), "Save data" and "Main
// menu" (save, then close). Each writes the visible year back first, as the form does.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_station.h"
#include "workspace/session.h"

namespace vernoli {
namespace {

using bench::kLargestYears;
using bench::Shared;

void Open(benchmark::State& state, WorkspaceSession& session) {
  bench::Fixture& fixture = Shared();
  if (Status s = session.Open(fixture.Station(kLargestYears)); !s) {
    state.SkipWithError(s.Message.c_str());
  }
}

void BM_SessionOpen(benchmark::State& state) {
  WorkspaceSession session;
  for (auto _ : state) Open(state, session);
}

void BM_SessionNextYear(benchmark::State& state) {
  WorkspaceSession session;
  Open(state, session);
  for (auto _ : state) {
    if (!session.Page().NextEnabled) {
      state.PauseTiming();
      Open(state, session);
      state.ResumeTiming();
    }
    if (Status s = session.NextYear(); !s) state.SkipWithError(s.Message.c_str());
  }
}

void BM_SessionChangeSetting(benchmark::State& state) {
  WorkspaceSession session;
  Open(state, session);
  bool high = false;
  for (auto _ : state) {
    SettingOutcome outcome;
    high = !high;
    if (Status s = session.ReadSetting(SettingEdit::WindHeight, high ? "10" : "2", outcome); !s) {
      state.SkipWithError(s.Message.c_str());
    }
  }
}

void BM_SessionSave(benchmark::State& state) {
  WorkspaceSession session;
  Open(state, session);
  for (auto _ : state) {
    if (Status s = session.Save(); !s) state.SkipWithError(s.Message.c_str());
  }
}

void BM_SessionMainMenu(benchmark::State& state) {
  WorkspaceSession session;
  for (auto _ : state) {
    state.PauseTiming();
    Open(state, session);
    state.ResumeTiming();
    if (Status s = session.Save(); !s) state.SkipWithError(s.Message.c_str());
    session.Close();
  }
}

BENCHMARK(BM_SessionOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SessionNextYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SessionChangeSetting)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SessionSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SessionMainMenu)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vernoli

BENCHMARK_MAIN();
