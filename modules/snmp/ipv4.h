// IPv4 addresses as the discovery code handles them: host-order 32-bit
// numbers, read from and written as dotted decimal, and the subnets the
// setup program names for a sweep.
#ifndef NODEXA_MODULES_SNMP_IPV4_H_
#define NODEXA_MODULES_SNMP_IPV4_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nodexa::snmp {

using Ipv4 = uint32_t;

// Four decimal numbers of 0..255 separated by dots, nothing else. None for
// any other text, so a typing error never turns into a real address.
std::optional<Ipv4> ParseIpv4(std::string_view text);
std::string FormatIpv4(Ipv4 address);

struct Subnet {
  Ipv4 network = 0;  // the address with the host bits cleared
  Ipv4 mask = 0;
  bool operator==(const Subnet& other) const {
    return network == other.network && mask == other.mask;
  }
};

// The widest subnet a sweep takes: a /16 is 65,534 requests.
constexpr int kWidestPrefix = 16;
// More subnets than an installer names, few enough to bound a sweep.
constexpr size_t kMaxSubnets = 64;

// "address:mask;" entries, each followed by ';' (the last may omit it),
// optionally wrapped in <RemoteSubnets>...</RemoteSubnets>. The empty text
// is the empty list. None when any entry is not an address, a mask that is
// not contiguous or wider than /16, or the list holds more than 64 entries.
std::optional<std::vector<Subnet>> ParseSubnetList(std::string_view text);

// The addresses a sweep asks: every address of the subnet but its network
// and broadcast addresses (a /31 or /32 has no such reserve).
std::vector<Ipv4> HostAddresses(const Subnet& subnet);

}  // namespace nodexa::snmp

#endif  // NODEXA_MODULES_SNMP_IPV4_H_
