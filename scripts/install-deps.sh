#!/usr/bin/env bash
# Installs, from Debian's packages, everything the build presets need.
# Safe to run again: packages already present are skipped.
set -euo pipefail

packages=(
  cmake make ninja-build g++ pkg-config binutils python3
  libexpat1-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  g++-mingw-w64-x86-64-posix wine64 wine dpkg-dev
  # fuzz preset: clang 14, its runtimes (libFuzzer) and llvm-symbolizer
  clang-14 libclang-rt-14-dev llvm-14
  # memory check of the end-to-end suites
  valgrind
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
