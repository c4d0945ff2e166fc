#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for a bounded time on top
# of its seed corpus (fuzz/corpus/<target>/). Fails when any target finds a
# crash, a leak, undefined behaviour or a broken property; the input that
# did it is kept in build/fuzz/artifacts/<target>/ (add it to the corpus once
# the fault is fixed).
#
#   scripts/fuzz.sh [target...]       default: every target
#   FUZZ_SECONDS=60                   time per target
#   FUZZ_JOBS=2                       targets run side by side
#
# New inputs the runs find go to build/fuzz/found/<target>/, never into the
# committed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
jobs=${FUZZ_JOBS:-2}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz ${BUILD_JOBS:+-j "$BUILD_JOBS"}

bin=build/fuzz/bin
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$bin"/*_fuzz; do targets+=("$(basename "$program")"); done
fi

results=build/fuzz/results
rm -rf "$results"
mkdir -p "$results"

# One target: its run log and, from libFuzzer's final statistics, a summary
# line "<target> <exit code> <executions> <coverage>".
run_target() {
  local target=$1
  local found=build/fuzz/found/$target artifacts=build/fuzz/artifacts/$target
  mkdir -p "$found" "$artifacts"
  local options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10
                 -rss_limit_mb=2048 -artifact_prefix="$artifacts/")
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  local status=0
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$bin/$target" "${options[@]}" "$found" "fuzz/corpus/$target" \
    >"$results/$target.log" 2>&1 || status=$?
  local executions coverage
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$results/$target.log" | tail -1)
  coverage=$(grep -o 'cov: [0-9]*' "$results/$target.log" | tail -1 | cut -d' ' -f2)
  echo "$target $status ${executions:-0} ${coverage:-0}" >"$results/$target.summary"
}

running=0
for target in "${targets[@]}"; do
  echo "=== fuzz: $target for ${seconds} s"
  run_target "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait

failed=()
total=0
printf '%-24s %14s %10s  %s\n' target executions coverage result
for target in "${targets[@]}"; do
  read -r name status executions coverage <"$results/$target.summary"
  total=$((total + executions))
  result=ok
  if [ "$status" -ne 0 ]; then
    result="FAILED (exit $status)"
    failed+=("$name")
  fi
  printf '%-24s %14s %10s  %s\n' "$name" "$executions" "$coverage" "$result"
done
echo "total executions: $total"

for name in "${failed[@]}"; do
  echo "=== $name: the end of its log ($results/$name.log)"
  tail -40 "$results/$name.log"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzz targets failed: ${failed[*]}"
  exit 1
fi
