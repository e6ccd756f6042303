// Several doubles in one register: the compiler's vector types, W lanes wide, with the helpers
// of the per-record driver (missing, finite, the selects) lane by lane. Every operation is the
// IEEE operation of each lane, so a lane computes exactly the bits of the scalar code.
//
// For the block driver only; include it in one source file, compiled without fused
// multiply-add (-ffp-contract=off). Eight lanes, on AVX-512's mask registers, are in lanes8.h.
#pragma once

#include <cfloat>
#include <cstdint>
#include <cstring>

namespace vernoli::lanes {

template <int W>
struct Types;
template <>
struct Types<2> {
  typedef double V __attribute__((vector_size(16)));
  typedef int64_t M __attribute__((vector_size(16)));
};
template <>
struct Types<4> {
  typedef double V __attribute__((vector_size(32)));
  typedef int64_t M __attribute__((vector_size(32)));
};

#define VERNOLI_LANE [[gnu::always_inline]] inline

template <int W>
struct Lanes {
  using V = typename Types<W>::V;
  using M = typename Types<W>::M;  // all bits set in a lane where the condition holds

  VERNOLI_LANE static V Splat(double c) {
    V v;
    for (int k = 0; k < W; ++k) v[k] = c;
    return v;
  }
  VERNOLI_LANE static M Mask(bool b) {
    M m;
    for (int k = 0; k < W; ++k) m[k] = b ? -1 : 0;
    return m;
  }
  VERNOLI_LANE static V Load(const double* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  VERNOLI_LANE static void Store(double* p, V v) { std::memcpy(p, &v, sizeof v); }

  // c ? a : b, lane by lane.
  VERNOLI_LANE static V Select(M c, V a, V b) { return c ? a : b; }
  VERNOLI_LANE static V Select(M c, double a, V b) { return c ? Splat(a) : b; }
  VERNOLI_LANE static V Select(M c, V a, double b) { return c ? a : Splat(b); }

  // a < b and a > b, lane by lane (false where either is NaN).
  VERNOLI_LANE static M Less(V a, V b) { return a < b; }
  VERNOLI_LANE static M Less(V a, double b) { return a < b; }
  VERNOLI_LANE static M Greater(V a, V b) { return a > b; }
  VERNOLI_LANE static M Greater(V a, double b) { return a > b; }

  // Whether the condition holds in any lane.
  VERNOLI_LANE static bool Any(M m) {
    bool any = false;
    for (int k = 0; k < W; ++k) any = any || m[k] != 0;
    return any;
  }
  // -999.5 < x < -998.5: x + 999 is exact in that band (and near it), and at least 499.5 away
  // from 0 elsewhere.
  VERNOLI_LANE static M Miss(V x) { return Abs(x + 999.0) < 0.5; }
  VERNOLI_LANE static M Has(V x) { return ~Miss(x); }
  VERNOLI_LANE static V Abs(V x) {
    return reinterpret_cast<V>(reinterpret_cast<M>(x) & Splat64(INT64_MAX));
  }
  VERNOLI_LANE static M Finite(V x) { return Abs(x) <= DBL_MAX; }
  // x where it is a finite number, else -999.
  VERNOLI_LANE static V Fom(V x) { return Select(Finite(x), x, -999.0); }
  VERNOLI_LANE static M ToZero(V x) { return (x >= -0.5) & (x <= 0.5); }
  // Not finite: -999; negative: 0.
  VERNOLI_LANE static V NonNegative(V x) {
    return Select(~Finite(x), -999.0, Select(x < 0, 0.0, x));
  }
  VERNOLI_LANE static V Clamp(V v, double low, double high) {
    return Select(v < low, low, Select(high < v, high, v));
  }
  VERNOLI_LANE static V Sqrt(V x) {
    V r;
    for (int k = 0; k < W; ++k) r[k] = __builtin_sqrt(x[k]);
    return r;
  }
  VERNOLI_LANE static V Fourth(V x) {
    const V square = x * x;
    return square * square;
  }

 private:
  VERNOLI_LANE static M Splat64(int64_t c) {
    M m;
    for (int k = 0; k < W; ++k) m[k] = c;
    return m;
  }
};

}  // namespace vernoli::lanes
