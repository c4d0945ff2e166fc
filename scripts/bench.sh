#!/usr/bin/env bash
# Builds the benchmark programs of the release preset and runs each in a
# short mode, so their figures are in every CI log and a regression shows.
#   BENCH_MIN_TIME=0.05   seconds each benchmark runs at least
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release ${BUILD_JOBS:+-j "$BUILD_JOBS"} --target benchmarks

for program in build/release/bin/bench_*; do
  echo "=== bench: $(basename "$program")"
  "$program" --benchmark_min_time="${BENCH_MIN_TIME:-0.05}"
done
