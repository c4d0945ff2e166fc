// The descriptions a host-communication module gives of the devices it
// discovers, as the discovery and port-search tests build them.
#ifndef NODEXA_TESTS_HARNESS_DEVICE_DESCRIPTIONS_H_
#define NODEXA_TESTS_HARNESS_DEVICE_DESCRIPTIONS_H_

#include <string>

namespace nodexa::test {

// An inkjet printer description in the module's element order.
inline std::string InkjetDevice(const std::string& name, const std::string& address,
                                const std::string& cap, const std::string& mac,
                                const std::string& port, const std::string& strid = "QX-100") {
  return "<IPNAME>" + name +
         "</IPNAME><IPADDRSOURCE>DHCP</IPADDRSOURCE>"
         "<BROADCASTADDRESS>10.1.2.255</BROADCASTADDRESS><IPGATEWAY>10.1.2.1</IPGATEWAY>"
         "<IPADDRESS>" +
         address + "</IPADDRESS><ADAPTERCAP>" + cap +
         "</ADAPTERCAP>"
         "<1284STRID>" +
         strid +
         "</1284STRID><IPNETMASK>255.255.255.0</IPNETMASK>"
         "<SUBNETADDRESS>10.1.2.0</SUBNETADDRESS><MACUAA>" +
         mac +
         "</MACUAA>"
         "<ADAPTERPORT>" +
         port + "</ADAPTERPORT>";
}

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_HARNESS_DEVICE_DESCRIPTIONS_H_
