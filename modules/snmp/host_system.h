// What the module asks of the computer it runs on: its network interfaces
// and where the module itself lies.
#ifndef NODEXA_MODULES_SNMP_HOST_SYSTEM_H_
#define NODEXA_MODULES_SNMP_HOST_SYSTEM_H_

#include <string>
#include <vector>

#include "snmp/ipv4.h"

namespace nodexa::snmp {

// The IPv4 address of every interface that is up, loopback excepted, each
// once.
std::vector<Ipv4> LocalAddresses();

// The file this module was loaded from; "" when the system does not say.
std::string ModuleFilePath();

}  // namespace nodexa::snmp

#endif  // NODEXA_MODULES_SNMP_HOST_SYSTEM_H_
