// Peer-to-peer ports to printers that other computers share: creating one
// through the install-support module, and verifying one with the module and
// then with the print spooler of the sharing computer.
#ifndef NODEXA_NETCONFIG_PEER_TO_PEER_PORT_H_
#define NODEXA_NETCONFIG_PEER_TO_PEER_PORT_H_

#include <cstdint>
#include <string>

namespace nodexa {

// The computer and share names of a network path such as \\SERVER\LASER;
// either is empty when the path lacks it.
struct ShareName {
  std::string system;
  std::string share;
};
ShareName SplitNetworkPath(const std::string& path);

// "<SYSTEMNAME>system</SYSTEMNAME><SHARENAME>share</SHARENAME>".
std::string PortText(const ShareName& name);

// `values`: a network path, or computer name|share name. 1 when the module
// created the port.
int32_t CreateP2PPort(const char* values);

// `values`: computer name|share name|driver name. 1 when the module
// verified the share and the computer's spooler offers a printer under that
// share name with that driver.
int32_t VerifySharedPrinter(const char* values);

}  // namespace nodexa

#endif  // NODEXA_NETCONFIG_PEER_TO_PEER_PORT_H_
