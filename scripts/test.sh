#!/usr/bin/env bash
# Sets up a fresh machine and runs everything continuous integration runs:
# the native debug build, the sanitizer build and the Windows build under
# Wine (each configured, built and tested), then valgrind's memcheck over
# the end-to-end suites, the benchmarks in a short mode and every fuzz
# target for a bounded time. Name steps to run only those, e.g.
#   scripts/test.sh dev memcheck
# Steps: the presets dev, asan, tsan, mingw, release; memcheck (scripts/memcheck.sh),
# bench (scripts/bench.sh), rig (the discovery tests of the dev and mingw
# builds and the discovery benchmark, inside the network rig), fuzz
# (scripts/fuzz.sh). BUILD_JOBS=1 builds with
# one job instead of the presets' two (a machine shared with others).
set -euo pipefail
cd "$(dirname "$0")/.."

steps=("$@")
[ ${#steps[@]} -gt 0 ] || steps=(dev asan tsan mingw memcheck bench rig fuzz)

scripts/install-deps.sh

run_step() {
  case "$1" in
    memcheck) scripts/memcheck.sh ;;
    bench) scripts/bench.sh ;;
    fuzz) scripts/fuzz.sh ;;
    rig) ctest --preset dev-rig && ctest --preset mingw-rig && scripts/rig-bench.sh ;;
    *) cmake --preset "$1" && cmake --build --preset "$1" ${BUILD_JOBS:+-j "$BUILD_JOBS"} &&
         ctest --preset "$1" ;;
  esac
}

failed=()
timings=()
for step in "${steps[@]}"; do
  echo "=== ${step}"
  started=$SECONDS
  if run_step "$step"; then
    result=passed
  else
    result=FAILED
    failed+=("$step")
  fi
  elapsed=$((SECONDS - started))
  timings+=("$(printf '%-10s %-7s %5d s' "$step" "$result" "$elapsed")")
  echo "=== ${step}: ${result} in ${elapsed} s"
done

printf '%s\n' "${timings[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed steps: ${failed[*]}"
  exit 1
fi
echo "All steps passed: ${steps[*]} (${SECONDS} s)"
