// exp and log of whole columns.
#pragma once

#include <cstddef>

namespace vernoli {

// out[i] = std::exp(in[i]) for i < count, bit for bit; in and out may be the same array.
void ExpColumn(const double* in, double* out, std::size_t count) noexcept;
// out[i] = std::log(in[i]) for i < count, bit for bit; in and out may be the same array.
void LogColumn(const double* in, double* out, std::size_t count) noexcept;

}  // namespace vernoli
