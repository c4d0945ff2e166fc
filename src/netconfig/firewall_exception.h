// Firewall exceptions for the maker's communications service, asked of the
// install-support module: a program exception for <system dir>\<prefix>coms.exe
// and the set of exceptions that fits the kind of connection.
#ifndef NODEXA_NETCONFIG_FIREWALL_EXCEPTION_H_
#define NODEXA_NETCONFIG_FIREWALL_EXCEPTION_H_

#include <cstdint>
#include <string>

namespace nodexa {

// "<PROGRAMPATH>path</PROGRAMPATH><DISPLAYNAME>Quorvex Communications System</DISPLAYNAME>"
// for the service program of the product with this module prefix.
std::string ProgramText(const std::string& prefix);

// `kind`: "P2P", "NA" or "Local", without regard to case. 1 when every
// module call succeeded.
int32_t AddFirewallExceptions(const char* kind);
// 1 when the module removed the program exception.
int32_t RemoveFirewallExceptions();

}  // namespace nodexa

#endif  // NODEXA_NETCONFIG_FIREWALL_EXCEPTION_H_
