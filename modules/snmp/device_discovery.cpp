#include "snmp/device_discovery.h"

#include <algorithm>
#include <map>

#include "snmp/host_system.h"
#include "snmp/snmp_exchange.h"
#include "snmp/udp_socket.h"

namespace nodexa::snmp {
namespace {

const Oid kSysName = {1, 3, 6, 1, 2, 1, 1, 5, 0};
const Oid kIpAdEntIfIndex = {1, 3, 6, 1, 2, 1, 4, 20, 1, 2};
const Oid kIpAdEntNetMask = {1, 3, 6, 1, 2, 1, 4, 20, 1, 3};
const Oid kIpRouteNextHopDefault = {1, 3, 6, 1, 2, 1, 4, 21, 1, 7, 0, 0, 0, 0};
const Oid kPpmPrinterIeee1284DeviceId = {1, 3, 6, 1, 4, 1, 2699, 1, 2, 1, 2, 1, 1, 3, 1};
const Oid kHrDeviceDescr = {1, 3, 6, 1, 2, 1, 25, 3, 2, 1, 3, 1};
const Oid kIfPhysAddress = {1, 3, 6, 1, 2, 1, 2, 2, 1, 6};

// The longest physical address taken (IP over InfiniBand has 20 bytes).
constexpr size_t kMaxPhysAddress = 20;
// As many devices as a /16 holds: a broadcast answered from more addresses
// than that is a flood, not a network of printers. A search sweeps as many
// addresses at most, the first of its subnets in the order given.
constexpr size_t kMaxDevices = 65536;
constexpr size_t kMaxSweptHosts = 65536;

Oid ByAddress(const Oid& column, Ipv4 address) {
  Oid name = column;
  for (int shift = 24; shift >= 0; shift -= 8) name.push_back((address >> shift) & 0xFF);
  return name;
}

Oid ByIndex(const Oid& column, uint32_t index) {
  Oid name = column;
  name.push_back(index);
  return name;
}

std::optional<std::string> Text(const Value& value) {
  if (value.type != ValueType::OctetString) return std::nullopt;
  return value.bytes;
}

std::optional<Ipv4> Address(const Value& value) {
  if (value.type != ValueType::IpAddress || value.bytes.size() != 4) return std::nullopt;
  Ipv4 address = 0;
  for (const char byte : value.bytes) address = (address << 8) | static_cast<unsigned char>(byte);
  return address;
}

void Take(DeviceAnswers& device, const VarBind& answer) {
  const Oid& name = answer.name;
  const Value& value = answer.value;
  if (name == kIpRouteNextHopDefault) {
    device.gateway = Address(value);
  } else if (name == kPpmPrinterIeee1284DeviceId) {
    device.deviceId = Text(value).value_or("");
  } else if (name == kHrDeviceDescr) {
    device.description = Text(value).value_or("");
  } else if (name == ByAddress(kIpAdEntNetMask, device.address)) {
    device.mask = Address(value);
  } else if (name == ByAddress(kIpAdEntIfIndex, device.address)) {
    if (value.type == ValueType::Integer && value.integer > 0 && value.integer <= INT32_MAX) {
      device.ifIndex = static_cast<uint32_t>(value.integer);
    }
  } else if (const std::optional<std::string> octets = Text(value);
             octets && device.ifIndex && name == ByIndex(kIfPhysAddress, *device.ifIndex) &&
             octets->size() <= kMaxPhysAddress) {
    device.physAddress = *octets;
  }
}

struct Found {
  DeviceAnswers answers;
  size_t asked = 0;
  size_t answered = 0;
};

// Asks each device in `targets` for `names`: in one request, or one
// request per name for SNMPv1.
ExchangeStatistics AskEach(const Settings& settings, std::vector<UdpSocket>& sockets,
                           std::map<Ipv4, Found>& devices, const std::vector<Ipv4>& targets,
                           const std::function<std::vector<Oid>(const DeviceAnswers&)>& names) {
  std::vector<Query> queries;
  for (const Ipv4 address : targets) {
    Found& found = devices[address];
    std::vector<Oid> asked = names(found.answers);
    const size_t before = queries.size();
    if (settings.version == Version::V2c) {
      queries.push_back(Query{address, 0, std::move(asked)});
    } else {
      for (Oid& name : asked) queries.push_back(Query{address, 0, {std::move(name)}});
    }
    found.asked += queries.size() - before;
  }
  return RunExchange(settings, sockets, queries,
                     [&](size_t, Ipv4 agent, const std::vector<VarBind>& values) {
                       Found& found = devices[agent];
                       ++found.answered;
                       for (const VarBind& value : values) Take(found.answers, value);
                     });
}

}  // namespace

std::optional<std::vector<DeviceAnswers>> DiscoverDevices(const Settings& settings,
                                                          const SearchPlan& plan,
                                                          ExchangeStatistics* statistics) {
  NetworkSession session;
  if (!session.ok()) return std::nullopt;

  // Socket 0 sends every unicast request; one more per interface sends the
  // broadcast out of that interface.
  std::vector<UdpSocket> sockets;
  std::optional<UdpSocket> any = UdpSocket::Open(0, false);
  if (!any) return std::nullopt;
  sockets.push_back(std::move(*any));

  std::vector<Query> probes;
  if (plan.localSubnets) {
    for (const Ipv4 address : LocalAddresses()) {
      if (std::optional<UdpSocket> socket = UdpSocket::Open(address, true)) {
        probes.push_back(Query{kLimitedBroadcast, sockets.size(), {kSysName}});
        sockets.push_back(std::move(*socket));
      }
    }
  }
  std::vector<Ipv4> hosts;
  for (const Subnet& subnet : plan.remoteSubnets) {
    if (hosts.size() >= kMaxSweptHosts) break;
    const std::vector<Ipv4> some = HostAddresses(subnet);
    hosts.insert(hosts.end(), some.begin(),
                 some.begin() + static_cast<std::ptrdiff_t>(
                                    std::min(some.size(), kMaxSweptHosts - hosts.size())));
  }
  std::sort(hosts.begin(), hosts.end());
  hosts.erase(std::unique(hosts.begin(), hosts.end()), hosts.end());
  for (const Ipv4 host : hosts) probes.push_back(Query{host, 0, {kSysName}});

  std::map<Ipv4, Found> devices;
  ExchangeStatistics rounds = RunExchange(
      settings, sockets, probes, [&](size_t, Ipv4 agent, const std::vector<VarBind>& values) {
        if (devices.size() >= kMaxDevices && devices.count(agent) == 0) return;
        Found& found = devices[agent];
        found.answers.address = agent;
        if (!values.empty()) found.answers.sysName = Text(values[0].value).value_or("");
      });

  std::vector<Ipv4> responders;
  for (const auto& [address, found] : devices) responders.push_back(address);
  rounds += AskEach(settings, sockets, devices, responders, [](const DeviceAnswers& device) {
    return std::vector<Oid>{ByAddress(kIpAdEntNetMask, device.address),
                            ByAddress(kIpAdEntIfIndex, device.address), kIpRouteNextHopDefault,
                            kPpmPrinterIeee1284DeviceId, kHrDeviceDescr};
  });

  std::vector<Ipv4> withInterface;
  for (const auto& [address, found] : devices) {
    if (found.answered == found.asked && found.answers.ifIndex) withInterface.push_back(address);
  }
  rounds += AskEach(settings, sockets, devices, withInterface, [](const DeviceAnswers& device) {
    return std::vector<Oid>{ByIndex(kIfPhysAddress, *device.ifIndex)};
  });

  if (statistics != nullptr) *statistics += rounds;
  std::vector<DeviceAnswers> complete;
  for (const auto& [address, found] : devices) {
    if (found.asked > 0 && found.answered == found.asked) complete.push_back(found.answers);
  }
  return complete;
}

}  // namespace nodexa::snmp
