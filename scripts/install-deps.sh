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
  # the network rig of the SNMP discovery tests (scripts/netrig.sh); the
  # client tools only for trying things by hand inside the rig
  snmpd snmp tcpdump
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

# Installing snmpd must not start its service: the rig runs its own agents,
# inside network namespaces only. A policy-rc.d that answers 101 makes the
# package scripts start nothing; one made here is removed afterwards.
policy=/usr/sbin/policy-rc.d
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\n# made by install-deps.sh for the install only\nexit 101\n' |
    $sudo tee "$policy" >/dev/null
  $sudo chmod 755 "$policy"
  trap '$sudo rm -f "$policy"' EXIT
fi

$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"

# An snmpd service in the root namespace would answer on the machine's own
# network: disable it, and stop it if it runs anyway.
if [[ " ${missing[*]} " == *" snmpd "* ]]; then
  if command -v systemctl >/dev/null; then
    $sudo systemctl disable snmpd 2>/dev/null || true
  else
    $sudo update-rc.d snmpd disable 2>/dev/null || true
  fi
fi
root_net=$(readlink /proc/$$/ns/net)
for comm in /proc/[0-9]*/comm; do
  name=""
  read -r name <"$comm" 2>/dev/null || true
  [ "$name" = snmpd ] || continue
  [ "$($sudo readlink "${comm%/comm}/ns/net" 2>/dev/null)" = "$root_net" ] || continue
  echo "Stopping the snmpd service that runs in the root namespace"
  if [ -d /run/systemd/system ]; then
    $sudo systemctl disable --now snmpd
  else
    $sudo /etc/init.d/snmpd stop
    $sudo update-rc.d snmpd disable
  fi
  break
done
