// The library's port result list and its marker switch, shared by the two
// port searches that hand the list to the setup program (FindPorts,
// FindAllPorts).
//
// The list lives as long as the library. Each search empties it, sets the
// switch and refills it; the setup program reads it in place until the next
// search. While the switch is on, every record built from a discovered
// device carries the marker field "%DiscoveredPrinter%|".
#ifndef NODEXA_DISCOVERY_PORT_RESULTS_H_
#define NODEXA_DISCOVERY_PORT_RESULTS_H_

#include "nodexa/nodexa.h"

namespace nodexa {

NodexaList& PortResults();

bool MarkDiscovered();
void SetMarkDiscovered(bool on);

}  // namespace nodexa

#endif  // NODEXA_DISCOVERY_PORT_RESULTS_H_
