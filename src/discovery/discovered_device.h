// One device as the host-communication module describes it after a
// discovery run, and the facts the port records derive from it.
//
// A description is a run of tagged-text elements; the fields below are the
// elements of those names (names compared without regard to case, the
// later of two equal names wins, other elements ignored). Whatever the XML
// reader cannot deliver (a stray '<', bytes that are not UTF-8, an element
// left open) stays empty. Nothing here fails or logs.
#ifndef NODEXA_DISCOVERY_DISCOVERED_DEVICE_H_
#define NODEXA_DISCOVERY_DISCOVERED_DEVICE_H_

#include <cstdint>
#include <optional>
#include <string>

namespace nodexa {

struct DiscoveredDevice {
  std::string ipName;            // IPNAME
  std::string ipAddrSource;      // IPADDRSOURCE
  std::string broadcastAddress;  // BROADCASTADDRESS
  std::string ipGateway;         // IPGATEWAY
  std::string ipAddress;         // IPADDRESS
  std::string adapterCap;        // ADAPTERCAP, decimal capability bits
  std::string strid1284;         // STRID1284, sent by the module as 1284STRID
  std::string ipNetmask;         // IPNETMASK
  std::string subnetAddress;     // SUBNETADDRESS
  std::string macUaa;            // MACUAA
  std::string adapterPort;       // ADAPTERPORT
  // MODEL_ID, present only when the description carries the element.
  std::optional<std::string> modelId;
};

// Reads one raw description as the module delivered it (no wrapper).
DiscoveredDevice ReadDiscoveredDevice(const std::string& description);

// True when the device's address lies in its own subnet: with the mask and
// the subnet address combined into m, (address AND m) equals m. Addresses
// that do not parse, the empty one included, count as 255.255.255.255.
bool IsConfigured(const DiscoveredDevice& device);

// "Bidi" when the capability bits have bit 18 set and bit 11 clear,
// otherwise "NoBidi".
const char* BidiText(const std::string& adapterCap);

// The capability text as a decimal number, read like atoi: leading blanks,
// an optional sign, the digits up to the first other character; 0 when
// there are none. A value outside the 32-bit range is held at INT32_MAX or
// INT32_MIN, so a hostile run of digits gives a defined "NoBidi".
int32_t ReadCapability(const std::string& adapterCap);

}  // namespace nodexa

#endif  // NODEXA_DISCOVERY_DISCOVERED_DEVICE_H_
