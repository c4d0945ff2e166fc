// The library's port result list and its marker switch, shared by the two
// port searches that hand the list to the setup program (FindPorts,
// FindAllPorts).
//
// A search empties the working list, sets the switch and fills the list;
// the export then publishes it into the list the setup program reads in
// place, which lives as long as the library at one address and stays
// unchanged until the next search. While the switch is on, every record
// built from a discovered device carries the marker field
// "%DiscoveredPrinter%|".
#ifndef NODEXA_DISCOVERY_PORT_RESULTS_H_
#define NODEXA_DISCOVERY_PORT_RESULTS_H_

#include <string>
#include <vector>

#include "nodexa/nodexa.h"

namespace nodexa {

// The list a search fills.
std::vector<std::string>& PortResults();

// Moves the working list into the published list (its earlier strings
// released as the setup program's runtime releases them) and answers the
// published list. Should that fail, the published list is left empty.
NodexaList* PublishPortResults();

// The published list as it stands, without touching it.
NodexaList* PublishedPortResults() noexcept;

bool MarkDiscovered();
void SetMarkDiscovered(bool on);

}  // namespace nodexa

#endif  // NODEXA_DISCOVERY_PORT_RESULTS_H_
