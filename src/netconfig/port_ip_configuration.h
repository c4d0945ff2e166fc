// Changing a network printer's IP settings through the host-communication
// module's Configure.
#ifndef NODEXA_NETCONFIG_PORT_IP_CONFIGURATION_H_
#define NODEXA_NETCONFIG_PORT_IP_CONFIGURATION_H_

#include <cstdint>
#include <string>
#include <vector>

namespace nodexa {

// The two texts Configure receives for a list of 7 or 10 values: the
// adapter's identity (its seven current values) and the wanted settings
// (address source "1", or "0" with the new address, mask and gateway).
struct PortIpTexts {
  std::string identity;
  std::string settings;
};
PortIpTexts BuildPortIpTexts(const std::vector<std::string>& values);

// 1 when the module configured the adapter; 0 for a missing or incomplete
// module, a value count other than 7 or 10, or a failing Configure (each
// logged as the binding and this operation define).
int32_t ConfigurePortIp(const char* values);

}  // namespace nodexa

#endif  // NODEXA_NETCONFIG_PORT_IP_CONFIGURATION_H_
