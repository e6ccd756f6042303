#include "engine/vectormath.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

// This file is compiled with -O3 (the loops below are written for the vectoriser) and with
// -ffp-contract=off: the exact sums and products below hold only if no multiply and add are
// fused behind their back. Where a fused multiply-add is wanted it is written out.

namespace vernoli {

namespace {

// ---------------------------------------------------------------------------------------------
// Double-double arithmetic, for building the tables once. Relative errors are a few 2^-104 per
// operation, far below what the columns need (2^-62).

struct Double2 {
  double Hi;
  double Lo;
};

// a + b exactly, when |a| >= |b| or a == 0.
Double2 QuickSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

// a + b exactly.
Double2 TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

Double2 Add(Double2 a, Double2 b) {
  Double2 s = TwoSum(a.Hi, b.Hi);
  const Double2 t = TwoSum(a.Lo, b.Lo);
  s = QuickSum(s.Hi, s.Lo + t.Hi);
  return QuickSum(s.Hi, s.Lo + t.Lo);
}

Double2 Mul(Double2 a, Double2 b) {
  const double p = a.Hi * b.Hi;
  const double e = std::fma(a.Hi, b.Hi, -p);
  return QuickSum(p, e + (a.Hi * b.Lo + a.Lo * b.Hi));
}

Double2 Div(Double2 a, Double2 b) {
  const double q1 = a.Hi / b.Hi;
  Double2 r = Add(a, Mul({-q1, 0.0}, b));
  const double q2 = r.Hi / b.Hi;
  r = Add(r, Mul({-q2, 0.0}, b));
  const double q3 = r.Hi / b.Hi;
  return Add(QuickSum(q1, q2), {q3, 0.0});
}

Double2 Sqrt(Double2 a) {
  const double s = std::sqrt(a.Hi);
  // a.Hi - s*s is exact for a correctly rounded square root.
  const double residual = std::fma(-s, s, a.Hi) + a.Lo;
  return QuickSum(s, residual / (2.0 * s));
}

// log(v) for v in [1/2, 2], as 2 atanh((v - 1) / (v + 1)): |u| <= 1/3, every term a ninth or
// less of the one before.
Double2 Log(double v) {
  const Double2 u = Div(TwoSum(v, -1.0), TwoSum(v, 1.0));
  const Double2 u2 = Mul(u, u);
  Double2 sum{0.0, 0.0};
  Double2 power = u;
  for (int k = 1; k < 200 && power.Hi != 0.0; k += 2) {
    const Double2 term = Div(power, {static_cast<double>(k), 0.0});
    sum = Add(sum, term);
    if (std::fabs(term.Hi) < 0x1p-110 * std::fabs(sum.Hi)) break;
    power = Mul(power, u2);
  }
  return {2.0 * sum.Hi, 2.0 * sum.Lo};
}

// Clears the low bits of v so that it keeps `bits` significant bits.
double Truncated(double v, int bits) {
  const auto mask = ~((std::uint64_t{1} << (53 - bits)) - 1);
  return std::bit_cast<double>(std::bit_cast<std::uint64_t>(v) & mask);
}

// ---------------------------------------------------------------------------------------------
// The tables.

constexpr int kExpTableBits = 8;
constexpr int kExpTableSize = 1 << kExpTableBits;
constexpr int kLogTableBits = 8;
constexpr int kLogTableSize = 1 << kLogTableBits;

// log: x = 2^e z with the bits of z in [kLogBase, kLogBase + 2^52), z in [0.708, 1.416). The
// subinterval i of z holds the bits kLogBase + i 2^44 and up; 1.0 lies in the middle of the
// subinterval 149, so that near x = 1 the table adds nothing and the result keeps its relative
// accuracy however small it is.
constexpr std::uint64_t kOne = 0x3ff0000000000000;
constexpr int kLogCentre = 149;
constexpr std::uint64_t kLogStep = std::uint64_t{1} << (52 - kLogTableBits);
constexpr std::uint64_t kLogBase = kOne - kLogCentre * kLogStep - kLogStep / 2;

struct Tables {
  // 2^(j/256) = ExpHi[j] + ExpLo[j].
  double ExpHi[kExpTableSize];
  double ExpLo[kExpTableSize];
  // For the subinterval i of log: InverseC[i] near 1/z, and -log(InverseC[i]) = LogHi + LogLo,
  // LogHi a multiple of 2^-42.
  double InverseC[kLogTableSize];
  double LogHi[kLogTableSize];
  double LogLo[kLogTableSize];
  // 256/ln 2; ln2/256 = Ln2Step1 + Ln2Step2 with Ln2Step1 of 34 bits, so that n Ln2Step1 is
  // exact for every |n| < 2^19.
  double InverseLn2Step;
  double Ln2Step1;
  double Ln2Step2;
  // ln 2 = Ln2Hi + Ln2Lo with Ln2Hi of 42 bits, so that e Ln2Hi is exact for every exponent.
  double Ln2Hi;
  double Ln2Lo;
};

Tables BuildTables() {
  Tables t{};
  // 2^(j/256) from the square roots 2^(1/2), 2^(1/4), ... 2^(1/256), one per bit of j.
  Double2 roots[kExpTableBits];
  Double2 root{2.0, 0.0};
  for (int k = 0; k < kExpTableBits; ++k) roots[k] = root = Sqrt(root);
  for (int j = 0; j < kExpTableSize; ++j) {
    Double2 value{1.0, 0.0};
    for (int k = 0; k < kExpTableBits; ++k) {
      if (j & (1 << (kExpTableBits - 1 - k))) value = Mul(value, roots[k]);
    }
    t.ExpHi[j] = value.Hi;
    t.ExpLo[j] = value.Lo;
  }
  for (int i = 0; i < kLogTableSize; ++i) {
    const double a = std::bit_cast<double>(kLogBase + i * kLogStep);
    const double b = std::bit_cast<double>(kLogBase + (i + 1) * kLogStep);
    const double inverse = i == kLogCentre ? 1.0 : 2.0 / (a + b);
    const Double2 log = Log(inverse);
    // LogHi on the grid of 2^-42, like e Ln2Hi, so that the two add up exactly.
    t.InverseC[i] = inverse;
    t.LogHi[i] = 0.0 - std::nearbyint(log.Hi * 0x1p42) * 0x1p-42;  // +0 for the centre
    t.LogLo[i] = -(t.LogHi[i] + log.Hi) - log.Lo;
  }
  const Double2 ln2 = Log(2.0);
  t.Ln2Hi = Truncated(ln2.Hi, 42);
  t.Ln2Lo = (ln2.Hi - t.Ln2Hi) + ln2.Lo;
  const double step = 1.0 / kExpTableSize;
  t.Ln2Step1 = Truncated(ln2.Hi * step, 34);
  t.Ln2Step2 = (ln2.Hi * step - t.Ln2Step1) + ln2.Lo * step;
  t.InverseLn2Step = kExpTableSize / ln2.Hi;
  return t;
}

const Tables& TheTables() {
  static const Tables tables = BuildTables();
  return tables;
}

// ---------------------------------------------------------------------------------------------
// The rounding test. Each loop ends with y = Hi + Lo, Hi = RN(y), and |y - f(x)| <= eps |f(x)|,
// eps = 2^-62 or less. The C library's result is the correct rounding of a value within E ulp
// of f(x) (E = 0.011 for exp, 0.02 for log, as its authors document). Lo * kTest leaves Hi
// unchanged when added to it only if |Lo| <= g / (2 kTest), g the gap from Hi to its neighbour
// on Lo's side; then f(x) is at least g (1 - 1/kTest) / 2 - eps |f(x)| from the midpoint, with
// |f(x)| <= 2^53 g. That is more than E g, so f(x), the C library's value and y all round to
// Hi, when 1 - 1/kTest >= 2^54 eps + 2 E. The constants take E half as large again as
// documented, 0.0165 for exp and 0.03 for log, and eps = 2^-62 for exp, 2^-64 for log.
constexpr double kExpTest = 1.039;
constexpr double kLogTest = 1.066;

// Arguments whose exp is a normal double, and the reduction below exact.
constexpr double kExpLimit = 708.0;
// Arguments whose log the loop computes: the positive normal doubles. (Floating comparisons:
// x86-64's baseline has none of 64-bit integers.)
constexpr double kMinNormal = std::numeric_limits<double>::min();
constexpr double kMaxFinite = std::numeric_limits<double>::max();

// The bit of each lane in its group's flags.
constexpr auto kLaneBit = [] {
  std::array<std::uint64_t, 64> bits{};
  for (int k = 0; k < 64; ++k) bits[k] = std::uint64_t{1} << k;
  return bits;
}();

constexpr double kShift = 0x1.8p52;  // adding it rounds to an integer, kept in the low bits

// The flags of a group from its lanes marked 1.0. The vector loops of x86-64's baseline mark
// the lanes they leave to the C library so (it has no 64-bit integer sums across a register);
// the wide ones sum the lanes' bits themselves.
std::uint64_t MissedFlags(const double* missed, std::size_t lanes) {
  std::uint64_t flag = 0;
  for (std::size_t k = 0; k < lanes; ++k) flag |= missed[k] != 0.0 ? kLaneBit[k] : 0;
  return flag;
}

constexpr double kSplitter = 134217729.0;  // 2^27 + 1

// p + e = a b exactly (nothing overflowing or underflowing on the way): a fused multiply-add,
// else Dekker's product of halves of 26 bits.
template <bool kFma>
[[gnu::always_inline]] inline void ExactProduct(double a, double b, double& p, double& e) {
  p = a * b;
  if constexpr (kFma) {
    e = __builtin_fma(a, b, -p);
  } else {
    const double ca = kSplitter * a;
    const double ah = ca - (ca - a);
    const double al = a - ah;
    const double cb = kSplitter * b;
    const double bh = cb - (cb - b);
    const double bl = b - bh;
    e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
  }
}

// s + e = a b + c to within 2^-104 |s|, s within an ulp of it, for |a b| <= |c| / 4.
template <bool kFma>
[[gnu::always_inline]] inline void ProductSum(double a, double b, double c, double& s,
                                              double& e) {
  if constexpr (kFma) {
    s = __builtin_fma(a, b, c);
    e = __builtin_fma(a, b, c - s);  // c - s is exact: the two are within a factor of 2
  } else {
    double p;
    double pe;
    ExactProduct<false>(a, b, p, pe);
    s = c + p;
    e = (p - (s - c)) + pe;
  }
}

// a b + c, rounded once or twice.
template <bool kFma>
[[gnu::always_inline]] inline double MulAdd(double a, double b, double c) {
  if constexpr (kFma) {
    return __builtin_fma(a, b, c);
  } else {
    return a * b + c;
  }
}

// The loops: kWide for AVX2 and AVX-512, with fused multiply-add and sums of 64-bit lanes.
//
// exp(x) = 2^e 2^(j/256) exp(r), n = 256 e + j the integer nearest x 256/ln 2, |r| < 2^-9.5.
// The error of Hi + Lo stays below 2^-62 exp(x): 2^-63 from rounding r, 2^-66 from the
// polynomial, and a few 2^-72 from the sums.
template <bool kWide>
[[gnu::always_inline]] inline void ExpLoop(const double* __restrict in, double* __restrict out,
                                           std::uint64_t* __restrict flags, std::size_t count) {
  const Tables& t = TheTables();
  const double* __restrict expHi = t.ExpHi;
  const double* __restrict expLo = t.ExpLo;
  const double inverseStep = t.InverseLn2Step;
  const double step1 = t.Ln2Step1;
  const double step2 = t.Ln2Step2;
  const std::uint64_t shiftBits = std::bit_cast<std::uint64_t>(kShift);
  double missed[64];
  for (std::size_t group = 0; group < count; group += 64) {
    const std::size_t lanes = std::min<std::size_t>(64, count - group);
    std::uint64_t flag = 0;
    for (std::size_t k = 0; k < lanes; ++k) {
      const double x = in[group + k];
      const double shifted = x * inverseStep + kShift;
      const std::uint64_t nBits = std::bit_cast<std::uint64_t>(shifted);
      const double n = shifted - kShift;
      const std::uint64_t j = nBits & (kExpTableSize - 1);
      // n step1 is exact, and so is x minus it (the two are within a factor of 2, or n = 0).
      const double r = (x - n * step1) - n * step2;
      // q = exp(r) - 1 - r by the Taylor polynomial of degree 5: the terms left out are below
      // 2^-66.
      const double c3 = MulAdd<kWide>(r, MulAdd<kWide>(r, 1.0 / 120, 1.0 / 24), 1.0 / 6);
      const double q = r * r * MulAdd<kWide>(r, c3, 0.5);
      // 2^(j/256) exp(r) = th + th r + (th q + tl (1 + r)), the first two summed to s + se.
      const double th = expHi[j];
      const double tl = expLo[j];
      double s;
      double se;
      ProductSum<kWide>(th, r, th, s, se);
      const double lo = MulAdd<kWide>(th, q, MulAdd<kWide>(tl, r, tl)) + se;
      const double hi = s + lo;
      const double low = (s - hi) + lo;
      const bool exact = hi + low * kExpTest == hi;
      const bool inRange = std::fabs(x) < kExpLimit;
      // 2^e goes into the exponent field: (n - j) 2^44 is e 2^52, modulo 2^64.
      const std::uint64_t scale = (nBits - shiftBits - j) << (52 - kExpTableBits);
      const double result = std::bit_cast<double>(std::bit_cast<std::uint64_t>(hi) + scale);
      const bool settled = exact & inRange;
      out[group + k] = settled ? result : x;
      if constexpr (kWide) {
        flag += kLaneBit[k] & (std::uint64_t{settled} - 1);  // distinct bits: + is |
      } else {
        missed[k] = settled ? 0.0 : 1.0;
      }
    }
    if constexpr (!kWide) flag = MissedFlags(missed, lanes);
    flags[group / 64] = flag;
  }
}

// log(x) = e ln2 + log(c) + log(1 + r), x = 2^e z, r = z/c - 1 exactly as rh + rl, |r| <= 2^-9.
// The error of Hi + Lo stays below 2^-64 log(x): near x = 1, where c = 1, relative to the
// result however small; elsewhere |log(x)| >= 2^-10 and the absolute error is below 2^-74.
template <bool kWide>
[[gnu::always_inline]] inline void LogLoop(const double* __restrict in, double* __restrict out,
                                           std::uint64_t* __restrict flags, std::size_t count) {
  const Tables& t = TheTables();
  const double* __restrict inverseC = t.InverseC;
  const double* __restrict logHi = t.LogHi;
  const double* __restrict logLo = t.LogLo;
  const double ln2Hi = t.Ln2Hi;
  const double ln2Lo = t.Ln2Lo;
  constexpr std::uint64_t kBias = std::uint64_t{1024} << 52;
  double missed[64];
  for (std::size_t group = 0; group < count; group += 64) {
    const std::size_t lanes = std::min<std::size_t>(64, count - group);
    std::uint64_t flag = 0;
    for (std::size_t k = 0; k < lanes; ++k) {
      const double x = in[group + k];
      const std::uint64_t ix = std::bit_cast<std::uint64_t>(x);
      const bool normal = (x >= kMinNormal) & (x <= kMaxFinite);
      // u = the bits of x less kLogBase, offset by 2^62 so that it stays positive.
      const std::uint64_t u = ix - kLogBase + kBias;
      const std::uint64_t index = (u >> (52 - kLogTableBits)) & (kLogTableSize - 1);
      const std::uint64_t exponentField = u >> 52;  // e + 1024
      const double z = std::bit_cast<double>(ix - (exponentField << 52) + kBias);
      const double e =
          std::bit_cast<double>(exponentField | 0x4330000000000000) - (0x1p52 + 1024);
      const double c = inverseC[index];
      const double lh = logHi[index];
      const double ll = logLo[index];
      // z c = ph + rl exactly, and ph - 1 is exact (ph lies within 2^-8 of 1).
      double ph;
      double rl;
      ExactProduct<kWide>(z, c, ph, rl);
      const double rh = ph - 1.0;
      // e Ln2Hi + lh is exact: both are multiples of 2^-42 below 2^10.
      const double a = MulAdd<kWide>(e, ln2Hi, lh);
      // h1 + e1 = a + rh exactly: a is 0 (x in the centre subinterval) or |a| >= 2^-9 > |rh|.
      const double h1 = a + rh;
      const double e1 = rh - (h1 - a);
      // h2 + e2 = h1 - rh^2/2 exactly (|h1| is the larger).
      double rr;
      double rrl;
      ExactProduct<kWide>(rh, rh, rr, rrl);
      const double half = -0.5 * rr;
      const double h2 = h1 + half;
      const double e2 = half - (h2 - h1);
      // The rest of log(1 + rh), degree 7 (the terms left out are below 2^-75), and rl / (1 + rh)
      // to within 2^-80.
      double poly = MulAdd<kWide>(rh, 1.0 / 7, -1.0 / 6);
      poly = MulAdd<kWide>(rh, poly, 1.0 / 5);
      poly = MulAdd<kWide>(rh, poly, -0.25);
      poly = MulAdd<kWide>(rh, poly, 1.0 / 3);
      const double q = rh * rr * poly;
      const double rlc = rl * ((1.0 - rh) + rr);
      const double lo =
          ((e1 + e2) + MulAdd<kWide>(e, ln2Lo, ll)) + (MulAdd<kWide>(-0.5, rrl, rlc) + q);
      const double hi = h2 + lo;
      const double low = (h2 - hi) + lo;
      const bool exact = hi + low * kLogTest == hi;
      const bool settled = exact & normal;
      out[group + k] = settled ? hi : x;
      if constexpr (kWide) {
        flag += kLaneBit[k] & (std::uint64_t{settled} - 1);  // distinct bits: + is |
      } else {
        missed[k] = settled ? 0.0 : 1.0;
      }
    }
    if constexpr (!kWide) flag = MissedFlags(missed, lanes);
    flags[group / 64] = flag;
  }
}

// ---------------------------------------------------------------------------------------------
// The kernels for each instruction set, and the columns in blocks.

using Kernel = void (*)(const double* __restrict, double* __restrict, std::uint64_t* __restrict,
                       std::size_t);

void ExpBaseline(const double* __restrict in, double* __restrict out,
                 std::uint64_t* __restrict flags, std::size_t count) {
  ExpLoop<false>(in, out, flags, count);
}

void LogBaseline(const double* __restrict in, double* __restrict out,
                 std::uint64_t* __restrict flags, std::size_t count) {
  LogLoop<false>(in, out, flags, count);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define VERNOLI_WIDE_CODE 1

[[gnu::target("avx2,fma")]] void ExpAvx2(const double* __restrict in, double* __restrict out,
                                         std::uint64_t* __restrict flags, std::size_t count) {
  ExpLoop<true>(in, out, flags, count);
}

[[gnu::target("avx2,fma")]] void LogAvx2(const double* __restrict in, double* __restrict out,
                                         std::uint64_t* __restrict flags, std::size_t count) {
  LogLoop<true>(in, out, flags, count);
}

// AVX-512 with the whole 512-bit registers: the compilers keep to 256 bits unless told.
#ifdef __clang__
#define VERNOLI_AVX512 \
  [[gnu::target("avx512f,avx512dq,fma")]] __attribute__((min_vector_width(512)))
#else
#define VERNOLI_AVX512 [[gnu::target("avx512f,avx512dq,fma,prefer-vector-width=512")]]
#endif

VERNOLI_AVX512 void ExpAvx512(
    const double* __restrict in, double* __restrict out, std::uint64_t* __restrict flags,
    std::size_t count) {
  ExpLoop<true>(in, out, flags, count);
}

VERNOLI_AVX512 void LogAvx512(
    const double* __restrict in, double* __restrict out, std::uint64_t* __restrict flags,
    std::size_t count) {
  LogLoop<true>(in, out, flags, count);
}
#endif

double LibraryExp(double x) { return std::exp(x); }
double LibraryLog(double x) { return std::log(x); }

// The vector loop leaves the argument where the C library must decide, and sets the element's
// bit in its flags; the C library then computes those elements in the block, and the block is
// copied out. So in and out may be the same array.
constexpr std::size_t kBlock = 512;

template <double (*kLibrary)(double)>
std::size_t Column(Kernel kernel, const double* in, double* out, std::size_t count) {
  alignas(64) double block[kBlock];
  std::uint64_t flags[kBlock / 64];
  std::size_t library = 0;
  for (std::size_t start = 0; start < count; start += kBlock) {
    const std::size_t n = std::min(kBlock, count - start);
    kernel(in + start, block, flags, n);
    for (std::size_t word = 0; word < (n + 63) / 64; ++word) {
      for (std::uint64_t flag = flags[word]; flag != 0; flag &= flag - 1) {
        double& element = block[64 * word + static_cast<std::size_t>(std::countr_zero(flag))];
        element = kLibrary(element);
        ++library;
      }
    }
    std::copy(block, block + n, out + start);
  }
  return library;
}

VectorCode Widest() {
#ifdef VERNOLI_WIDE_CODE
  __builtin_cpu_init();
  if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("fma")) {
    return VectorCode::Baseline;
  }
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq")) {
    return VectorCode::Avx512;
  }
  return VectorCode::Avx2Fma;
#else
  return VectorCode::Baseline;
#endif
}

Kernel ExpKernel(VectorCode code) {
#ifdef VERNOLI_WIDE_CODE
  if (code == VectorCode::Avx512) return ExpAvx512;
  if (code == VectorCode::Avx2Fma) return ExpAvx2;
#endif
  (void)code;
  return ExpBaseline;
}

Kernel LogKernel(VectorCode code) {
#ifdef VERNOLI_WIDE_CODE
  if (code == VectorCode::Avx512) return LogAvx512;
  if (code == VectorCode::Avx2Fma) return LogAvx2;
#endif
  (void)code;
  return LogBaseline;
}

}  // namespace

bool VectorCodeAvailable(VectorCode code) noexcept {
  static const VectorCode widest = Widest();
  return code <= widest;  // each code's processors have the ones before it
}

std::size_t ExpColumnWith(VectorCode code, const double* in, double* out,
                          std::size_t count) noexcept {
  return Column<LibraryExp>(ExpKernel(code), in, out, count);
}

std::size_t LogColumnWith(VectorCode code, const double* in, double* out,
                          std::size_t count) noexcept {
  return Column<LibraryLog>(LogKernel(code), in, out, count);
}

// In two lanes the exact products cost more than the C library's own loop: a processor without
// AVX2 and FMA calls it for every element.
void ExpColumn(const double* in, double* out, std::size_t count) noexcept {
  static const VectorCode widest = Widest();
  if (widest == VectorCode::Baseline) {
    for (std::size_t i = 0; i < count; ++i) out[i] = std::exp(in[i]);
    return;
  }
  static const Kernel kernel = ExpKernel(widest);
  Column<LibraryExp>(kernel, in, out, count);
}

void LogColumn(const double* in, double* out, std::size_t count) noexcept {
  static const VectorCode widest = Widest();
  if (widest == VectorCode::Baseline) {
    for (std::size_t i = 0; i < count; ++i) out[i] = std::log(in[i]);
    return;
  }
  static const Kernel kernel = LogKernel(widest);
  Column<LibraryLog>(kernel, in, out, count);
}

}  // namespace vernoli
