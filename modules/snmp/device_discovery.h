// One search of the network: who answers SNMP, then what each one is.
//
// Round 1 asks sysName.0 by limited broadcast from every local interface
// (when asked to) and by unicast of every host address of the remote
// subnets. Round 2 asks each agent that answered, by unicast, for its mask
// and interface index of the address it answered from, its default route's
// next hop, its IEEE-1284 device ID and hrDeviceDescr; round 3 for the
// physical address of that interface. SNMPv2c takes round 2 in one request;
// SNMPv1, which fails a whole request for one unknown variable, in one
// request per variable.
//
// An agent that does not answer every request of rounds 2 and 3 (it went
// away mid-search) is left out; one that answers that it lacks a variable
// is kept with that value empty.
#ifndef NODEXA_MODULES_SNMP_DEVICE_DISCOVERY_H_
#define NODEXA_MODULES_SNMP_DEVICE_DISCOVERY_H_

#include <optional>
#include <vector>

#include "snmp/device_record.h"
#include "snmp/ipv4.h"
#include "snmp/module_settings.h"
#include "snmp/snmp_exchange.h"

namespace nodexa::snmp {

struct SearchPlan {
  bool localSubnets = false;
  std::vector<Subnet> remoteSubnets;
};

// The devices found, ordered by address; none when the system gives no
// socket to search with. `statistics`, when given, adds up the rounds.
std::optional<std::vector<DeviceAnswers>> DiscoverDevices(const Settings& settings,
                                                          const SearchPlan& plan,
                                                          ExchangeStatistics* statistics = nullptr);

}  // namespace nodexa::snmp

#endif  // NODEXA_MODULES_SNMP_DEVICE_DISCOVERY_H_
