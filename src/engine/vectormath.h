// Column-wise exp and log for the block driver: the same bits as std::exp and std::log, in
// vector code.
//
// Each element is computed with some ten bits more than a double holds: a rounded value and
// what the rounding dropped. When that proves the correctly rounded result, with room for the C
// library's own error (below 0.511 ulp for exp and 0.52 ulp for log, as documented), the C
// library returns that result too and the vector code's value stands. The few elements
// too close to a rounding boundary, and every special argument (NaN, infinities, zero,
// negative for log, subnormal, results that overflow or are subnormal), are handed to std::exp
// or std::log in a scalar pass over the block.
#pragma once

#include <cstddef>

namespace vernoli {

// out[i] = std::exp(in[i]) for i < count, bit for bit; in and out may be the same array (but
// not overlap otherwise). Thread-safe; the tables are built on the first call.
void ExpColumn(const double* in, double* out, std::size_t count) noexcept;
// out[i] = std::log(in[i]) for i < count, bit for bit; in and out as for ExpColumn.
void LogColumn(const double* in, double* out, std::size_t count) noexcept;

// The instruction sets the columns are computed with. ExpColumn and LogColumn take the widest
// that the processor offers; tests and benchmarks name one.
enum class VectorCode {
  Baseline,  // x86-64 as every processor has it (SSE2), products split by Dekker's method
  Avx2Fma,   // AVX2 with fused multiply-add
  Avx512,    // AVX-512 (foundation and DQ) with fused multiply-add, in 512-bit registers
};

bool VectorCodeAvailable(VectorCode code) noexcept;

// As ExpColumn and LogColumn with `code`, which must be available. They return how many of the
// elements the C library computed.
std::size_t ExpColumnWith(VectorCode code, const double* in, double* out,
                          std::size_t count) noexcept;
std::size_t LogColumnWith(VectorCode code, const double* in, double* out,
                          std::size_t count) noexcept;

}  // namespace vernoli
