#include "engine/vectormath.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace vernoli {
namespace {

using Limits = std::numeric_limits<double>;

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }
double FromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

std::string Hex(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%a", v);
  return text;
}

enum class Function { Exp, Log };

double Library(Function f, double x) { return f == Function::Exp ? std::exp(x) : std::log(x); }

std::size_t Column(Function f, VectorCode code, const double* in, double* out, std::size_t n) {
  return f == Function::Exp ? ExpColumnWith(code, in, out, n) : LogColumnWith(code, in, out, n);
}

// Arguments with the C library's results, made once for every code.
struct Sample {
  std::vector<double> Args;
  std::vector<double> Expected;
};

Sample Sampled(Function f, std::vector<double> args) {
  Sample sample{std::move(args), {}};
  for (double x : sample.Args) sample.Expected.push_back(Library(f, x));
  return sample;
}

struct Outcome {
  std::size_t Mismatches = 0;
  std::size_t Library = 0;  // elements the C library computed
};

// Runs the column over the sample and compares every element with the C library's, bit for bit.
Outcome Compare(Function f, VectorCode code, const Sample& sample) {
  const std::vector<double>& args = sample.Args;
  std::vector<double> out(args.size());
  Outcome outcome;
  outcome.Library = Column(f, code, args.data(), out.data(), args.size());
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (Bits(out[i]) != Bits(sample.Expected[i])) {
      if (++outcome.Mismatches <= 5) {
        ADD_FAILURE() << (f == Function::Exp ? "exp(" : "log(") << Hex(args[i]) << ") gave "
                      << Hex(out[i]) << ", the C library " << Hex(sample.Expected[i]);
      }
    }
  }
  return outcome;
}

std::vector<double> Uniform(std::size_t n, double low, double high, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> uniform(low, high);
  std::vector<double> v(n);
  for (double& x : v) x = uniform(random);
  return v;
}

// Spread evenly over the bit patterns from low to high, and so nearly evenly over the
// logarithm. (Not exp of uniform doubles: their logarithms lie next to doubles, away from the
// hard cases.)
std::vector<double> LogUniform(std::size_t n, double low, double high, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::uniform_int_distribution<std::uint64_t> bits(Bits(low), Bits(high));
  std::vector<double> v(n);
  for (double& x : v) x = FromBits(bits(random));
  return v;
}

// Every bit pattern with the sign cleared: all exponents alike, with subnormals, infinity, NaN.
std::vector<double> AnyPositive(std::size_t n, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::vector<double> v(n);
  for (double& x : v) x = FromBits(random() >> 1);
  return v;
}

std::vector<double> SpecialArguments() {
  const double inf = Limits::infinity();
  std::vector<double> v = {
      0.0, -0.0, inf, -inf, Limits::quiet_NaN(), -Limits::quiet_NaN(), Limits::signaling_NaN(),
      FromBits(0x7ff8000000000123), Limits::denorm_min(), -Limits::denorm_min(),
      Limits::min() / 3, -Limits::min() / 3, Limits::min(), -Limits::min(), Limits::max(),
      -Limits::max(), 1.0, -1.0, 2.0, 0.5, Limits::epsilon(), 1e300, -1e300, 1000.0, -1000.0,
      // exp: where it overflows, leaves the normal range, comes to zero
      709.782712893384, 709.7827128933841, 708.0, -708.0, -708.3964185322641,
      -708.3964185322642, -709.0, -744.4400719213812, -745.1332191019411, -745.1332191019412};
  for (double x : std::vector<double>(v)) {
    v.push_back(std::nextafter(x, inf));
    v.push_back(std::nextafter(x, -inf));
  }
  // Tiny arguments of exp, and 1 +- a few ulp for log.
  for (int k = 1; k <= 1074; k += 7) {
    v.push_back(std::ldexp(1.0, -k));
    v.push_back(-std::ldexp(1.0, -k));
  }
  for (int k = -40; k <= 40; ++k) v.push_back(FromBits(Bits(1.0) + k));
  return v;
}

// Arguments next to the seams of the reductions, where an index or exponent changes: for exp
// the odd multiples of ln2/512, for log every multiple of 2^-9 of the significand (the
// subintervals' boundaries among them) in every 37th binade, each with its neighbours.
std::vector<double> SeamArguments(Function f) {
  std::vector<double> v;
  const auto around = [&v](double x) {
    for (int k = -2; k <= 2; ++k) v.push_back(FromBits(Bits(x) + k));
  };
  if (f == Function::Exp) {
    const double step = std::log(2.0) / 512;
    for (int n = -260000; n <= 260000; n += 97) around((2 * n + 1) * step);
  } else {
    for (int e = -1021; e <= 1023; e += 37) {
      const std::uint64_t binade = static_cast<std::uint64_t>(e + 1022) << 52;
      for (std::uint64_t i = 0; i < 512; ++i) around(FromBits(binade + (i << 43)));
    }
  }
  return v;
}

// The engine's ranges: exp densely on [-15, 5], sparsely on [-745.5, 710] and near 0; log
// densely on (1e-3, 1e3], near 1, and sparsely on every positive double. The first of each is
// the dense one.
const std::vector<Sample>& EngineRanges(Function f) {
  if (f == Function::Exp) {
    static const std::vector<Sample> exp = {
        Sampled(f, Uniform(2'500'000, -15.0, 5.0, 1)),
        Sampled(f, Uniform(500'000, -745.5, 710.0, 2)),
        Sampled(f, Uniform(200'000, -0.01, 0.01, 3)),
    };
    return exp;
  }
  static const std::vector<Sample> log = {
      Sampled(f, LogUniform(1'500'000, 1e-3, 1e3, 4)),
      Sampled(f, Uniform(800'000, 1e-3, 1e3, 5)),
      Sampled(f, Uniform(200'000, 0.9, 1.1, 6)),
      Sampled(f, AnyPositive(500'000, 7)),
  };
  return log;
}

class ColumnCode : public ::testing::TestWithParam<VectorCode> {
 protected:
  void SetUp() override {
    if (!VectorCodeAvailable(GetParam())) GTEST_SKIP() << "not on this processor";
  }
};

TEST_P(ColumnCode, ExpAndLogMatchTheCLibraryOnTheEnginesRanges) {
  for (Function f : {Function::Exp, Function::Log}) {
    for (const Sample& sample : EngineRanges(f)) {
      EXPECT_EQ(Compare(f, GetParam(), sample).Mismatches, 0u);
    }
  }
}

TEST_P(ColumnCode, SpecialArgumentsAndSeamsMatchTheCLibrary) {
  for (Function f : {Function::Exp, Function::Log}) {
    EXPECT_EQ(Compare(f, GetParam(), Sampled(f, SpecialArguments())).Mismatches, 0u);
    EXPECT_EQ(Compare(f, GetParam(), Sampled(f, SeamArguments(f))).Mismatches, 0u);
  }
}

// The vector code settles almost every element itself; a margin for the C library's error that
// shrank to nothing would show here as no element left to it at all.
TEST_P(ColumnCode, LeavesFewElementsToTheCLibrary) {
  for (Function f : {Function::Exp, Function::Log}) {
    const Sample& dense = EngineRanges(f).front();
    const double share =
        static_cast<double>(Compare(f, GetParam(), dense).Library) / dense.Args.size();
    EXPECT_LT(share, 0.10);
    EXPECT_GT(share, 0.005);
  }
}

INSTANTIATE_TEST_SUITE_P(VectorMath, ColumnCode,
                         ::testing::Values(VectorCode::Baseline, VectorCode::Avx2Fma,
                                           VectorCode::Avx512),
                         [](const auto& info) -> std::string {
                           switch (info.param) {
                             case VectorCode::Baseline: return "Baseline";
                             case VectorCode::Avx2Fma: return "Avx2Fma";
                             case VectorCode::Avx512: return "Avx512";
                           }
                           return "";
                         });

// Short columns, columns that start off the vector alignment, and a column computed in place:
// every element right, nothing written past the end.
TEST(VectorMath, ShortUnalignedAndInPlaceColumns) {
  const std::vector<double> pool = Uniform(64, -5.0, 5.0, 10);
  constexpr double kGuard = 12345.0;
  for (Function f : {Function::Exp, Function::Log}) {
    for (std::size_t count : {0u, 1u, 3u, 5u, 17u}) {
      for (std::size_t offset : {0u, 1u, 3u}) {
        for (bool inPlace : {false, true}) {
          std::vector<double> in(offset + count + 1, kGuard);
          // Every fourth argument one that the C library must compute.
          const double special = f == Function::Exp ? 1000.0 : -1.0;
          for (std::size_t i = 0; i < count; ++i) {
            const double x = f == Function::Exp ? pool[i] : std::fabs(pool[i]);
            in[offset + i] = i % 4 == 3 ? special : x;
          }
          std::vector<double> out(in.size(), kGuard);
          double* target = inPlace ? in.data() + offset : out.data() + offset;
          const std::vector<double> args = in;
          if (f == Function::Exp) {
            ExpColumn(in.data() + offset, target, count);
          } else {
            LogColumn(in.data() + offset, target, count);
          }
          for (std::size_t i = 0; i < count; ++i) {
            EXPECT_EQ(Bits(target[i]), Bits(Library(f, args[offset + i])))
                << "count " << count << ", offset " << offset << ", in place " << inPlace
                << ", element " << i;
          }
          EXPECT_EQ(target[count], kGuard) << "count " << count << ", offset " << offset;
        }
      }
    }
  }
}

}  // namespace
}  // namespace vernoli
