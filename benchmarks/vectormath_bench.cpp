// Speed of the column exp and log against a loop of std::exp and std::log, over 4096 arguments
// in the ranges the engine uses: ns per element, and the share of the elements that the columns
// leave to the C library.
#include <benchmark/benchmark.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/vectormath.h"

namespace vernoli {
namespace {

constexpr std::size_t kCount = 4096;

enum class Function { Exp, Log };

// exp: [-15, 5]; log: (1e-3, 1e3], evenly over the bit patterns and so nearly evenly over the
// logarithm.
const std::vector<double>& Arguments(Function f) {
  static const auto make = [](Function which) {
    std::mt19937_64 random(which == Function::Exp ? 1 : 2);
    std::uniform_real_distribution<double> uniform(-15.0, 5.0);
    std::uniform_int_distribution<std::uint64_t> bits(std::bit_cast<std::uint64_t>(1e-3),
                                                      std::bit_cast<std::uint64_t>(1e3));
    std::vector<double> v(kCount);
    for (double& x : v) {
      x = which == Function::Exp ? uniform(random) : std::bit_cast<double>(bits(random));
    }
    return v;
  };
  static const std::vector<double> exp = make(Function::Exp);
  static const std::vector<double> log = make(Function::Log);
  return f == Function::Exp ? exp : log;
}

void PerElement(benchmark::State& state) {
  state.counters["ns_per_element"] = benchmark::Counter(
      static_cast<double>(state.iterations() * kCount),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_LibraryLoop(benchmark::State& state, Function f) {
  const std::vector<double>& in = Arguments(f);
  std::vector<double> out(kCount);
  for (auto _ : state) {
    if (f == Function::Exp) {
      for (std::size_t i = 0; i < kCount; ++i) out[i] = std::exp(in[i]);
    } else {
      for (std::size_t i = 0; i < kCount; ++i) out[i] = std::log(in[i]);
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  PerElement(state);
}

void BM_Column(benchmark::State& state, Function f, VectorCode code) {
  if (!VectorCodeAvailable(code)) {
    state.SkipWithError("not on this processor");
    return;
  }
  const std::vector<double>& in = Arguments(f);
  std::vector<double> out(kCount);
  std::size_t library = 0;
  for (auto _ : state) {
    library = f == Function::Exp ? ExpColumnWith(code, in.data(), out.data(), kCount)
                                 : LogColumnWith(code, in.data(), out.data(), kCount);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  PerElement(state);
  state.counters["library_fraction"] = static_cast<double>(library) / kCount;
}

// The columns as the engine calls them, with the widest code the processor offers.
void BM_ColumnWidest(benchmark::State& state, Function f) {
  const std::vector<double>& in = Arguments(f);
  std::vector<double> out(kCount);
  for (auto _ : state) {
    if (f == Function::Exp) {
      ExpColumn(in.data(), out.data(), kCount);
    } else {
      LogColumn(in.data(), out.data(), kCount);
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  PerElement(state);
}

BENCHMARK_CAPTURE(BM_LibraryLoop, StdExp, Function::Exp);
BENCHMARK_CAPTURE(BM_Column, ExpBaseline, Function::Exp, VectorCode::Baseline);
BENCHMARK_CAPTURE(BM_Column, ExpAvx2Fma, Function::Exp, VectorCode::Avx2Fma);
BENCHMARK_CAPTURE(BM_Column, ExpAvx512, Function::Exp, VectorCode::Avx512);
BENCHMARK_CAPTURE(BM_ColumnWidest, ExpColumn, Function::Exp);
BENCHMARK_CAPTURE(BM_LibraryLoop, StdLog, Function::Log);
BENCHMARK_CAPTURE(BM_Column, LogBaseline, Function::Log, VectorCode::Baseline);
BENCHMARK_CAPTURE(BM_Column, LogAvx2Fma, Function::Log, VectorCode::Avx2Fma);
BENCHMARK_CAPTURE(BM_Column, LogAvx512, Function::Log, VectorCode::Avx512);
BENCHMARK_CAPTURE(BM_ColumnWidest, LogColumn, Function::Log);

}  // namespace
}  // namespace vernoli

BENCHMARK_MAIN();
