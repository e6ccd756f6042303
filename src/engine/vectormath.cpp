#include "engine/vectormath.h"

#include <cmath>

namespace vernoli {

void ExpColumn(const double* in, double* out, std::size_t count) noexcept {
  for (std::size_t i = 0; i < count; ++i) out[i] = std::exp(in[i]);
}

void LogColumn(const double* in, double* out, std::size_t count) noexcept {
  for (std::size_t i = 0; i < count; ++i) out[i] = std::log(in[i]);
}

}  // namespace vernoli
