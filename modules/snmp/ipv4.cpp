#include "snmp/ipv4.h"

namespace nodexa::snmp {
namespace {

constexpr std::string_view kOpen = "<RemoteSubnets>";
constexpr std::string_view kClose = "</RemoteSubnets>";

std::string_view Unwrapped(std::string_view text) {
  if (text.substr(0, kOpen.size()) == kOpen && text.size() >= kOpen.size() + kClose.size() &&
      text.substr(text.size() - kClose.size()) == kClose) {
    return text.substr(kOpen.size(), text.size() - kOpen.size() - kClose.size());
  }
  return text;
}

// The prefix length of a contiguous mask, else none.
std::optional<int> PrefixLength(Ipv4 mask) {
  const Ipv4 hosts = ~mask;
  if ((hosts & (hosts + 1)) != 0) return std::nullopt;
  int length = 0;
  for (Ipv4 bits = mask; bits != 0; bits <<= 1) ++length;
  return length;
}

std::optional<Subnet> ParseEntry(std::string_view entry) {
  const size_t colon = entry.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::optional<Ipv4> address = ParseIpv4(entry.substr(0, colon));
  const std::optional<Ipv4> mask = ParseIpv4(entry.substr(colon + 1));
  if (!address || !mask) return std::nullopt;
  const std::optional<int> prefix = PrefixLength(*mask);
  if (!prefix || *prefix < kWidestPrefix) return std::nullopt;
  return Subnet{*address & *mask, *mask};
}

}  // namespace

std::optional<Ipv4> ParseIpv4(std::string_view text) {
  Ipv4 address = 0;
  int parts = 0;
  size_t i = 0;
  while (parts < 4) {
    if (parts > 0) {
      if (i >= text.size() || text[i] != '.') return std::nullopt;
      ++i;
    }
    const size_t begin = i;
    unsigned value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - begin < 3) {
      value = value * 10 + static_cast<unsigned>(text[i] - '0');
      ++i;
    }
    if (i == begin || value > 255) return std::nullopt;
    address = (address << 8) | value;
    ++parts;
  }
  if (i != text.size()) return std::nullopt;
  return address;
}

std::string FormatIpv4(Ipv4 address) {
  return std::to_string(address >> 24) + '.' + std::to_string((address >> 16) & 0xFF) + '.' +
         std::to_string((address >> 8) & 0xFF) + '.' + std::to_string(address & 0xFF);
}

std::optional<std::vector<Subnet>> ParseSubnetList(std::string_view text) {
  text = Unwrapped(text);
  std::vector<Subnet> subnets;
  while (!text.empty()) {
    const size_t end = text.find(';');
    const std::optional<Subnet> subnet = ParseEntry(text.substr(0, end));
    if (!subnet || subnets.size() == kMaxSubnets) return std::nullopt;
    subnets.push_back(*subnet);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return subnets;
}

std::vector<Ipv4> HostAddresses(const Subnet& subnet) {
  const Ipv4 last = subnet.network | ~subnet.mask;
  const bool reserved = last - subnet.network >= 3;
  std::vector<Ipv4> hosts;
  hosts.reserve(last - subnet.network + 1);
  for (uint64_t address = subnet.network + (reserved ? 1 : 0); address <= last - (reserved ? 1 : 0);
       ++address) {
    hosts.push_back(static_cast<Ipv4>(address));
  }
  return hosts;
}

}  // namespace nodexa::snmp
