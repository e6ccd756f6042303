// Eight doubles in one AVX-512 register, with the helpers of lanes.h. A condition is a mask
// register (one bit per lane) rather than a vector of all-ones lanes: GCC builds a 512-bit
// comparison into such a vector lane by lane, so comparisons and selects go through the mask
// instructions here. Every operation is still the IEEE operation of each lane.
//
// The functions are compiled for AVX-512 (foundation and DQ): call them only from code
// compiled for it, after checking that the processor has it.
#pragma once

#include <immintrin.h>

#include <cfloat>
#include <cstdint>
#include <cstring>

#include "engine/lanes.h"

// Code between these is compiled for AVX-512 (foundation and DQ), by GCC and by Clang, which
// name the pragma differently.
#if defined(__clang__)
#define VERNOLI_AVX512_BEGIN                                                                  \
  _Pragma("clang attribute push(__attribute__((target(\"avx512f,avx512dq\"))), apply_to=function)")
#define VERNOLI_AVX512_END _Pragma("clang attribute pop")
#else
#define VERNOLI_AVX512_BEGIN _Pragma("GCC push_options") _Pragma("GCC target(\"avx512f,avx512dq\")")
#define VERNOLI_AVX512_END _Pragma("GCC pop_options")
#endif

VERNOLI_AVX512_BEGIN

namespace vernoli::lanes {

// A condition of eight lanes, bit k for lane k.
struct Mask8 {
  __mmask8 Bits;
};

VERNOLI_LANE Mask8 operator&(Mask8 a, Mask8 b) { return {static_cast<__mmask8>(a.Bits & b.Bits)}; }
VERNOLI_LANE Mask8 operator|(Mask8 a, Mask8 b) { return {static_cast<__mmask8>(a.Bits | b.Bits)}; }
VERNOLI_LANE Mask8 operator~(Mask8 a) { return {static_cast<__mmask8>(~a.Bits)}; }
VERNOLI_LANE Mask8& operator|=(Mask8& a, Mask8 b) {
  a = a | b;
  return a;
}

template <>
struct Lanes<8> {
  typedef double V __attribute__((vector_size(64)));
  using M = Mask8;

  VERNOLI_LANE static V Splat(double c) { return _mm512_set1_pd(c); }
  VERNOLI_LANE static M Mask(bool b) { return {static_cast<__mmask8>(b ? 0xFF : 0)}; }
  VERNOLI_LANE static V Load(const double* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  VERNOLI_LANE static void Store(double* p, V v) { std::memcpy(p, &v, sizeof v); }

  VERNOLI_LANE static V Select(M c, V a, V b) { return _mm512_mask_blend_pd(c.Bits, b, a); }
  VERNOLI_LANE static V Select(M c, double a, V b) { return Select(c, Splat(a), b); }
  VERNOLI_LANE static V Select(M c, V a, double b) { return Select(c, a, Splat(b)); }

  // The ordered, quiet comparisons: false where either is NaN, as in C.
  VERNOLI_LANE static M Less(V a, V b) { return {_mm512_cmp_pd_mask(a, b, _CMP_LT_OQ)}; }
  VERNOLI_LANE static M Less(V a, double b) { return Less(a, Splat(b)); }
  VERNOLI_LANE static M Greater(V a, V b) { return {_mm512_cmp_pd_mask(a, b, _CMP_GT_OQ)}; }
  VERNOLI_LANE static M Greater(V a, double b) { return Greater(a, Splat(b)); }

  VERNOLI_LANE static bool Any(M m) { return m.Bits != 0; }
  // -999.5 < x < -998.5, as in lanes.h.
  VERNOLI_LANE static M Miss(V x) { return Less(Abs(x + 999.0), 0.5); }
  VERNOLI_LANE static M Has(V x) { return ~Miss(x); }
  VERNOLI_LANE static V Abs(V x) { return _mm512_abs_pd(x); }
  VERNOLI_LANE static M Finite(V x) {
    return {_mm512_cmp_pd_mask(Abs(x), Splat(DBL_MAX), _CMP_LE_OQ)};
  }
  VERNOLI_LANE static V Fom(V x) { return Select(Finite(x), x, -999.0); }
  VERNOLI_LANE static M ToZero(V x) {
    return M{_mm512_cmp_pd_mask(x, Splat(-0.5), _CMP_GE_OQ)} &
           M{_mm512_cmp_pd_mask(x, Splat(0.5), _CMP_LE_OQ)};
  }
  VERNOLI_LANE static V NonNegative(V x) {
    return Select(~Finite(x), -999.0, Select(Less(x, 0.0), 0.0, x));
  }
  VERNOLI_LANE static V Clamp(V v, double low, double high) {
    return Select(Less(v, low), low, Select(Less(Splat(high), v), high, v));
  }
  // (The masked form: the unmasked one starts from an undefined register, which the compiler
  // warns of.)
  VERNOLI_LANE static V Sqrt(V x) { return _mm512_maskz_sqrt_pd(0xFF, x); }
  VERNOLI_LANE static V Fourth(V x) {
    const V square = x * x;
    return square * square;
  }
};

}  // namespace vernoli::lanes

VERNOLI_AVX512_END
