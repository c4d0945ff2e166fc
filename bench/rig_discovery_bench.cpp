// SNMP discovery against the network rig's simulated printers, only inside
// the rig (scripts/rig-bench.sh brings it up with 244 printers on
// 198.51.100.0/24 and 20 agents on the /22 198.18.0.0/22 behind a router):
// a broadcast round that must find every local printer, and a sweep of the
// /22's 1,022 addresses. Counters: found and expected, the most requests in
// flight, and the search's peak resident memory above where it started.
// The program exits with 1 when a round misses a printer.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "rig/rig_manifest.h"
#include "snmp/device_discovery.h"
#include "snmp/ipv4.h"

namespace {

using namespace nodexa::snmp;

bool missed = false;

struct Row {
  Ipv4 address;
  Ipv4 mask;
  std::string net;
};

// The manifest's hosts with a readable address and mask.
std::vector<Row> Manifest() {
  std::vector<Row> rows;
  for (const nodexa::test::RigHost& host : nodexa::test::ReadRigManifest()) {
    const std::optional<Ipv4> address = ParseIpv4(host["ip"]);
    const std::optional<Ipv4> mask = ParseIpv4(host["mask"]);
    if (address && mask) rows.push_back({*address, *mask, host["net"]});
  }
  return rows;
}

// Resident memory in bytes, now or at its peak since ResetPeak.
size_t Resident(const char* field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field, 0) == 0) return std::stoul(line.substr(std::string(field).size())) * 1024;
  }
  return 0;
}

void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void Search(benchmark::State& state, const SearchPlan& plan, size_t expected) {
  ExchangeStatistics statistics;
  size_t found = 0;
  size_t peak = 0;
  for (auto _ : state) {
    ResetPeak();
    const size_t before = Resident("VmRSS:");
    const std::optional<std::vector<DeviceAnswers>> devices =
        DiscoverDevices(Settings{}, plan, &statistics);
    peak = std::max(peak, Resident("VmHWM:") - before);
    found = devices ? devices->size() : 0;
    if (found != expected) missed = true;
  }
  state.counters["found"] = static_cast<double>(found);
  state.counters["expected"] = static_cast<double>(expected);
  state.counters["max_in_flight"] = static_cast<double>(statistics.maxInFlight);
  state.counters["in_flight_allowed"] = static_cast<double>(Settings{}.inFlight);
  state.counters["peak_bytes"] = static_cast<double>(peak);
}

void BM_LocalBroadcast(benchmark::State& state) {
  size_t expected = 0;
  for (const Row& row : Manifest()) expected += row.net != "remote" && row.net != "hostile-mute";
  SearchPlan plan;
  plan.localSubnets = true;
  Search(state, plan, expected);
}
BENCHMARK(BM_LocalBroadcast)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_RemoteSweep(benchmark::State& state) {
  SearchPlan plan;
  size_t expected = 0;
  for (const Row& row : Manifest()) {
    if (row.net != "remote") continue;
    ++expected;
    const Subnet subnet{row.address & row.mask, row.mask};
    if (plan.remoteSubnets.empty() || !(plan.remoteSubnets.back() == subnet)) {
      plan.remoteSubnets.push_back(subnet);
    }
  }
  Search(state, plan, expected);
}
BENCHMARK(BM_RemoteSweep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (missed) std::fprintf(stderr, "rig_bench_discovery: a round missed printers\n");
  return missed ? 1 : 0;
}
