#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the optimised build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the crash-injection test and the pairs of
# processes on one folder in their own build, and every fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== optimised build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVERNOLI_SANITIZE=ON \
      -DVERNOLI_BENCHMARKS=OFF
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$PWD/tools/lsan.supp" \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== crash injection: every operation ended at each of its file steps; pairs of processes"
cmake -S . -B build-crash -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVERNOLI_GUI=OFF \
      -DVERNOLI_BENCHMARKS=OFF -DVERNOLI_CRASH_INJECTION=ON
cmake --build build-crash -j"$jobs" --target crash_driver pair_driver vernoli-batch
ctest --test-dir build-crash --output-on-failure -R '^(CrashInjection|ProcessPairs)$'

echo "== fuzz targets, briefly, so that every fault once found stays fixed"
tools/fuzz.sh all 20
