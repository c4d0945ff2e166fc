#!/usr/bin/env bash
# The discovery benchmark inside the network rig: 244 simulated printers on
# 198.51.100.0/24 found by one broadcast round, and a /22 of the
# benchmarking range (198.18.0.0/22, 1,022 addresses, 20 agents) behind
# the router swept by unicast. Builds the release preset's
# rig_bench_discovery first. Needs root (network namespaces).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release ${BUILD_JOBS:+-j "$BUILD_JOBS"} --target rig_bench_discovery

export NETRIG_UP_ARGS="--printers 244 --local-net 198.51.100.0/24 --remote 20 --remote-net 198.18.0.0/22"
exec scripts/rig-run.sh --inside build/release/bin/rig_bench_discovery "$@"
