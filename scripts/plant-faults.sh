#!/usr/bin/env bash
# Plants each fault of a fault file in turn (a one-line change under src/),
# rebuilds a preset, runs its tests and records which tests catch the fault,
# then puts the source back. Shows whether the suite still catches what it
# caught before a change to the tests.
#
#   scripts/plant-faults.sh [-p PRESET] [-f FAULTS] [-o OUT] [ID ...]
#
# PRESET is a configured test preset (dev by default; mingw runs under Wine),
# FAULTS the fault file (scripts/faults.txt), OUT the table written, one line
# per fault: ID, then "caught" or "MISSED" (or "not-applied"/"build-failed"),
# the failing test programs and the failing tests. FAULT_CTEST_ARGS adds
# arguments to ctest (e.g. -E to leave programs out, --stop-on-failure),
# FAULT_BUILD_TARGETS builds only those targets. Compare two tables with
#   scripts/plant-faults.sh --compare BEFORE AFTER
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --compare ]; then
  # Every fault caught in BEFORE must be caught in AFTER.
  awk -F'\t' 'NR==FNR { if ($2 == "caught") before[$1] = 1; next }
              ($1 in before) && $2 != "caught" { print "no longer caught: " $1; lost = 1 }
              END { exit lost }' "$2" "$3" && echo "every fault caught before is caught"
  exit
fi

preset=dev
faults=scripts/faults.txt
out=""
while getopts "p:f:o:" option; do
  case "$option" in
    p) preset=$OPTARG ;;
    f) faults=$OPTARG ;;
    o) out=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
out=${out:-build/faults-$preset.tsv}
work=$(mktemp -d)
original=""
restore() {
  if [ -n "$original" ]; then cp "$work/original" "$original"; original=""; fi
}
trap 'restore; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

# Splits the fault file into one directory per fault: path, old, new, what.
python3 - "$faults" "$work" <<'PY'
import os, sys
faults, work = sys.argv[1], sys.argv[2]
current = None
for line in open(faults, encoding="utf-8"):
    line = line.rstrip("\n")
    if line.startswith("@ "):
        ident, path, what = (line[2:].split(None, 2) + [""])[:3]
        current = os.path.join(work, ident)
        os.makedirs(current)
        open(os.path.join(current, "path"), "w").write(path)
        open(os.path.join(current, "what"), "w").write(what)
    elif line.startswith("- ") and current:
        open(os.path.join(current, "old"), "w").write(line[2:])
    elif line.startswith("+ ") and current:
        open(os.path.join(current, "new"), "w").write(line[2:])
PY

ids=("$@")
[ ${#ids[@]} -gt 0 ] || mapfile -t ids < <(grep -oE '^@ [^ ]+' "$faults" | cut -c3-)
mkdir -p "$(dirname "$out")"
: > "$out"
jobs=${BUILD_JOBS:-2}

for id in "${ids[@]}"; do
  dir=$work/$id
  [ -d "$dir" ] || { echo "unknown fault $id" >&2; exit 2; }
  path=$(cat "$dir/path")
  cp "$path" "$work/original"
  original=$path
  if ! python3 - "$path" "$dir/old" "$dir/new" <<'PY'
import sys
path, old, new = sys.argv[1], open(sys.argv[2]).read(), open(sys.argv[3]).read()
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
  then
    restore
    printf '%s\tnot-applied\t\t\n' "$id" | tee -a "$out"
    continue
  fi
  started=$SECONDS
  if ! cmake --build "build/$preset" -j "$jobs" ${FAULT_BUILD_TARGETS:+--target $FAULT_BUILD_TARGETS} \
      > "$work/build.log" 2>&1; then
    restore
    printf '%s\tbuild-failed\t\t\n' "$id" | tee -a "$out"
    continue
  fi
  ctest --preset "$preset" -j "$jobs" --timeout 180 --output-on-failure \
    ${FAULT_CTEST_ARGS:-} > "$work/test.log" 2>&1 || true
  restore
  # CTest's closing list names the failing programs; GoogleTest's the tests.
  programs=$(sed -n 's/^[[:space:]]*[0-9]\{1,\} - \([A-Za-z0-9_]\{1,\}\) (.*/\1/p' "$work/test.log" |
             sort -u | paste -sd, -)
  tests=$(grep -oE '^\[  FAILED  \] [A-Za-z0-9_/.]+' "$work/test.log" | cut -c14- |
          grep -E '[./]' | sort -u | paste -sd, - || true)
  verdict=MISSED
  [ -z "$programs$tests" ] || verdict=caught
  printf '%s\t%s\t%s\t%s\n' "$id" "$verdict" "$programs" "$tests" | tee -a "$out"
  echo "  ($id: $(cat "$dir/what"); $((SECONDS - started)) s)" >&2
done

cmake --build "build/$preset" -j "$jobs" > /dev/null
echo "written: $out"
