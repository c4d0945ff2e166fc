#!/usr/bin/env bash
# Sets up a fresh machine and runs every test: the native debug build, the
# sanitizer build and the Windows build under Wine. Give preset names to run
# only those, e.g. scripts/test.sh dev
set -euo pipefail
cd "$(dirname "$0")/.."

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(dev asan mingw)

scripts/install-deps.sh

failed=()
for preset in "${presets[@]}"; do
  echo "=== ${preset}: configure, build, test"
  if cmake --preset "$preset" && cmake --build --preset "$preset" &&
     ctest --preset "$preset"; then
    echo "=== ${preset}: passed"
  else
    echo "=== ${preset}: FAILED"
    failed+=("$preset")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed presets: ${failed[*]}"
  exit 1
fi
echo "All presets passed: ${presets[*]}"
