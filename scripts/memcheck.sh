#!/usr/bin/env bash
# Runs the end-to-end suites of the native dev build under valgrind's
# memcheck: the exports through the shared library (exports_tests) and the
# discovery run (discovery_tests). Fails on any memory error or definite
# leak; each program's full report is kept in build/dev/memcheck/.
set -euo pipefail
cd "$(dirname "$0")/.."

programs=(exports_tests discovery_tests)
cmake --preset dev >/dev/null
cmake --build --preset dev ${BUILD_JOBS:+-j "$BUILD_JOBS"} --target "${programs[@]}"

reports=build/dev/memcheck
mkdir -p "$reports"
failed=()
for program in "${programs[@]}"; do
  echo "=== memcheck: $program"
  status=0
  valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite \
    --log-file="$reports/$program.log" "build/dev/bin/$program" >"$reports/$program.out" 2>&1 ||
    status=$?
  tail -n 3 "$reports/$program.out"
  grep -E "definitely lost|ERROR SUMMARY" "$reports/$program.log" | sed 's/^==[0-9]*== */  /'
  if [ "$status" -ne 0 ]; then
    failed+=("$program")
    echo "=== $program: FAILED (exit $status), see $reports/$program.log"
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "memcheck failed: ${failed[*]}"
  exit 1
fi
