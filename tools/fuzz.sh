#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer) in
# build-fuzz/ and runs them one after the other.
#
#   tools/fuzz.sh [TARGET|all] [SECONDS] [LIBFUZZER-FLAG...]
#
# TARGET: dsc, dta, outputs, batch, cxt, pen, dat, delimited. SECONDS 0 runs until a flag
# ends it; a long run of ten million executions with inputs of at most 8 KB, say:
#
#   tools/fuzz.sh dta 0 -runs=10000000 -max_len=8192
#
# Each target starts from its seeds in tests/fuzz/TARGET/ (the regression inputs of every fault
# found so far among them) and collects what it finds in build-fuzz/corpus/TARGET/. A crash or a
# broken promise stops the run with status 1; its input is saved as build-fuzz/crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:-all}
seconds=${2:-60}
extra=("${@:3}")
targets=(dsc dta outputs batch cxt pen dat delimited)
[ "$target" != all ] && targets=("$target")

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DVERNOLI_FUZZ=ON -DVERNOLI_GUI=OFF -DVERNOLI_TESTS=OFF \
      -DVERNOLI_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

for t in "${targets[@]}"; do
  echo "== fuzz_$t for $seconds s"
  mkdir -p "build-fuzz/corpus/$t"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "build-fuzz/bin/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
      -rss_limit_mb=2048 -artifact_prefix=build-fuzz/ "${extra[@]}" "build-fuzz/corpus/$t" "tests/fuzz/$t"
done
