// FindAllPorts over large networks: N discovered inkjet printers from the
// stand-in host-communication module and N local ports from the stand-in
// spooler (a quarter of them repeating an earlier port in other letter
// case), on a temporary setup medium and machine.
//
// Counters, on every size (times are process CPU time, each the fastest of
// several runs):
//   per_record_ns    FindAllPorts time per record of its result; flat from
//                    1,000 to 100,000 when the duplicate check is linear
//   discovered_ns    hcpGetDiscoveredPorts time per discovered record, the
//                    stand-in module's own work included
//   expat_ns         expat alone creating a parser and parsing one wrapped
//                    device text, per device
//   ratio_to_expat   discovered_ns / expat_ns
//   peak_bytes_per_record
//                    how far the first FindAllPorts call (module included)
//                    raises resident memory above where it began, per
//                    record of its result (Linux: VmHWM after resetting it;
//                    0 where that cannot be done)
// BM_BuildRecords builds records from 1,000 raw descriptions without the
// module: what the library itself spends per device, with the same ratio.
#include <benchmark/benchmark.h>
#include <expat.h>
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "discovery/discovered_ports.h"
#include "discovery/port_results.h"
#include "frame/string_toolkit.h"
#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "nodexa/nodexa.h"
#include "support/ini_file.h"

namespace {

// Process CPU time: the machine may be shared, and what is compared here is
// work done, not waiting.
struct Clock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<Clock, duration>;
  static time_point now() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return time_point(std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec));
  }
};

std::string Hex6(size_t value) { return nodexa::Format("%06zX", value % 0x1000000); }

// A configured QX-100 inkjet, as the module describes one.
std::string Device(size_t i) {
  const std::string host = std::to_string(i % 250 + 2);
  const std::string subnet =
      "10." + std::to_string(i / 62500 % 250) + "." + std::to_string(i / 250 % 250) + ".";
  return "<IPNAME>QX100-" + Hex6(i) +
         "</IPNAME><IPADDRSOURCE>DHCP</IPADDRSOURCE>"
         "<BROADCASTADDRESS>" +
         subnet + "255</BROADCASTADDRESS><IPGATEWAY>" + subnet + "1</IPGATEWAY><IPADDRESS>" +
         subnet + host +
         "</IPADDRESS><ADAPTERCAP>262144"
         "</ADAPTERCAP><1284STRID>QX-100</1284STRID><IPNETMASK>255.255.255.0</IPNETMASK>"
         "<SUBNETADDRESS>" +
         subnet + "0</SUBNETADDRESS><MACUAA>001122" + Hex6(i) +
         "</MACUAA><ADAPTERPORT>1</ADAPTERPORT><MODEL_ID>100</MODEL_ID>";
}

std::vector<std::string> Devices(size_t count) {
  std::vector<std::string> devices;
  devices.reserve(count);
  for (size_t i = 0; i < count; ++i) devices.push_back(Device(i));
  return devices;
}

// Every fourth port repeats the port three before it in lower case.
std::string Spooler(size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    const std::string name = i % 4 == 3 ? "ip_" + Hex6(i - 3) : "IP_" + Hex6(i);
    text += "[Port " + name + "]\nMonitor=Standard TCP/IP Port\nDescription=" +
            (i % 4 == 3 ? "standard tcp/ip port" : "Standard TCP/IP Port") + "\n";
  }
  return text;
}

// The temporary machine and setup medium of one size.
class Network {
 public:
  explicit Network(size_t count) : machine(nodexa::test::WindowsMachineRegistry()) {
    std::string answers;
    for (const std::string& device : Devices(count)) answers += "attached=" + device + "\n";
    medium.InstallModule("QVXAhcp.dll", "QVXAhcp.dll");
    medium.SetAnswers("QVXAhcp.dll", answers);
    medium.InstallModule("QVXAcfg.dll", "QVXAcfg.dll");
    medium.SetAnswers("QVXAcfg.dll", "item.10000.1=QX-100 Series\n");
    std::ofstream(medium.Root() / "Install" / "Config" / "product.ini")
        << "[General]\nOEMDisplay=Quorvex\n[NetworkStuff]\nPORTNAME_PREFIX=Quorvex QX Port\n";
    machine.SetSpooler(Spooler(count));
  }
  // The journals would only grow.
  ~Network() {
    medium.ClearJournal("QVXAhcp.dll");
    medium.ClearJournal("QVXAcfg.dll");
  }

 private:
  nodexa::test::TestMachine machine;
  nodexa::test::TestMedium medium;
};

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM"); 0 when absent.
double StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.compare(0, field.size() + 1, field + ":") == 0) {
      return 1024.0 * std::strtod(line.c_str() + field.size() + 1, nullptr);
    }
  }
  return 0;
}

// How far `work` raises resident memory above where it began, in bytes:
// free memory is handed back first, so what `work` allocates must be new
// pages, and the high-water mark is reset to the current size (Linux 4.0
// and later). 0 when the mark cannot be reset.
double PeakGrowth(const std::function<void()>& work) {
  malloc_trim(0);
  std::ofstream reset("/proc/self/clear_refs");
  if (!(reset << "5" << std::flush)) return 0;
  const double before = StatusBytes("VmRSS");
  work();
  return std::max(0.0, StatusBytes("VmHWM") - before);
}

double Nanoseconds(Clock::duration elapsed) {
  return std::chrono::duration<double, std::nano>(elapsed).count();
}

double Time(const std::function<void()>& work) {
  const Clock::time_point start = Clock::now();
  work();
  return Nanoseconds(Clock::now() - start);
}

// The fastest of several runs of each piece of work, the runs interleaved
// (at least three rounds, and at least a second in all), so that load from
// elsewhere on the machine affects both alike and least.
std::vector<double> FastestInterleaved(const std::vector<std::function<void()>>& works) {
  std::vector<double> fastest(works.size(), std::numeric_limits<double>::infinity());
  const Clock::time_point start = Clock::now();
  for (int round = 0; round < 3 || Clock::now() - start < std::chrono::seconds(1); ++round) {
    for (size_t i = 0; i < works.size(); ++i) fastest[i] = std::min(fastest[i], Time(works[i]));
  }
  return fastest;
}

// Expat alone: a parser created for each wrapped device text, which it
// parses whole, and freed.
std::function<void()> ExpatParses(const std::vector<std::string>& devices) {
  auto wrapped = std::make_shared<std::vector<std::string>>();
  wrapped->reserve(devices.size());
  for (const std::string& device : devices) {
    std::string text = "<DiscoveredPort>" + device + "</DiscoveredPort>";
    nodexa::ReplaceAll(text, "1284STRID", "STRID1284");
    wrapped->push_back(text);
  }
  return [wrapped] {
    for (const std::string& text : *wrapped) {
      XML_Parser parser = XML_ParserCreate(nullptr);
      benchmark::DoNotOptimize(
          XML_Parse(parser, text.data(), static_cast<int>(text.size()), XML_TRUE));
      XML_ParserFree(parser);
    }
  };
}

void BM_FindAllPorts(benchmark::State& state) {
  const auto count = static_cast<size_t>(state.range(0));
  const Network network(count);
  const nodexa::PortList request{"Inkjet"};

  // Every device is listed, and three local ports of four.
  const size_t expected = count + count - count / 4;
  size_t listed = 0;
  const double peak =
      PeakGrowth([&] { listed = nodexa::PortList::Read(FindAllPorts(request.get()))->size(); });
  if (listed != expected) {
    state.SkipWithError("unexpected result size");
    return;
  }
  state.counters["peak_bytes_per_record"] = peak / static_cast<double>(expected);

  double fastest = std::numeric_limits<double>::infinity();
  for (auto _ : state) {
    fastest =
        std::min(fastest, Time([&] { benchmark::DoNotOptimize(FindAllPorts(request.get())); }));
  }
  state.counters["per_record_ns"] = fastest / static_cast<double>(expected);

  const std::vector<double> times = FastestInterleaved(
      {[] {
         nodexa::PortResults().clear();
         nodexa::hcpGetDiscoveredPorts("<UNICAST>1</UNICAST><LocalSubnets>1</LocalSubnets>",
                                       "<CPDATTACHED>1</CPDATTACHED>", {"QX-100 Series"}, "Inkjet");
       },
       ExpatParses(Devices(count))});
  const double discovered = times[0] / static_cast<double>(count);
  const double expat = times[1] / static_cast<double>(count);
  state.counters["discovered_ns"] = discovered;
  state.counters["expat_ns"] = expat;
  state.counters["ratio_to_expat"] = discovered / expat;
}
BENCHMARK(BM_FindAllPorts)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void BM_BuildRecords(benchmark::State& state) {
  const std::vector<std::string> devices = Devices(static_cast<size_t>(state.range(0)));
  nodexa::IniFile product(true);
  product.SetValue("NetworkStuff", "PORTNAME_PREFIX", "Quorvex QX Port");
  const auto build = [&] {
    nodexa::DiscoveredPortRecords records({"QX-200 Series", "QX-100 Series"}, "Inkjet", product,
                                          true);
    for (const std::string& device : devices) benchmark::DoNotOptimize(records.Build(device));
  };
  for (auto _ : state) build();
  const std::vector<double> times = FastestInterleaved({build, ExpatParses(devices)});
  state.counters["per_record_ns"] = times[0] / static_cast<double>(devices.size());
  state.counters["expat_ns"] = times[1] / static_cast<double>(devices.size());
  state.counters["ratio_to_expat"] = times[0] / times[1];
}
BENCHMARK(BM_BuildRecords)->Arg(1000);

}  // namespace
