// Registering remote subnets with the host-communication module, which then
// stays loaded and initialised in the process (a later load of the same
// module file gets that instance).
#ifndef NODEXA_NETCONFIG_SUBNET_REGISTRATION_H_
#define NODEXA_NETCONFIG_SUBNET_REGISTRATION_H_

#include <cstdint>
#include <string>

namespace nodexa {

// The text sent to the module for a '|'-separated subnet list: "" for no
// entries, else "<RemoteSubnets>" + "subnet:mask;" per entry (mask
// 255.255.255.0 where an entry has no ':') + "</RemoteSubnets>".
std::string RemoteSubnetsText(const std::string& subnets);

// 1 when the module accepted the registration; 0 for a null list, a missing
// or incomplete module, or a failed registration (logged with its code).
int32_t RegisterRemoteSubnets(const char* subnets);

}  // namespace nodexa

#endif  // NODEXA_NETCONFIG_SUBNET_REGISTRATION_H_
