#!/usr/bin/env bash
# The first thing to run on a fresh machine: installs what is missing,
# builds the library, the nodexa command and the demo setup medium (dev
# preset), and lists every port for an inkjet printer of the demo product:
# the network printers found by discovery, then the computer's local ports.
#
#   scripts/demo.sh                 find-all-ports Inkjet
#   scripts/demo.sh SUBCOMMAND ...  any other nodexa command line
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target nodexa

[ $# -gt 0 ] || set -- find-all-ports Inkjet
echo "\$ nodexa $*"
exec build/dev/bin/nodexa "$@"
