// The spooler's local ports as port records, added after the discovered
// ones: name|"description".
#ifndef NODEXA_DISCOVERY_LOCAL_PORTS_H_
#define NODEXA_DISCOVERY_LOCAL_PORTS_H_

#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace nodexa {

// The port name, "|", and the description in double quotes; a missing name
// or description adds nothing between its neighbours.
std::string LocalPortRecord(const PORT_INFO_2A& port);

// Appends each candidate, in order, unless `lines` already holds a line
// equal to it under CompareNoCase (an earlier line or an earlier
// candidate). Hashing the folded lines keeps this linear however long the
// lists are, with the same outcome as comparing every pair.
void AppendUnlisted(std::vector<std::string>& lines, const std::vector<std::string>& candidates);

// Appends the spooler's local ports to `lines` that are not already there.
// When the spooler cannot be asked nothing is added (PortAction logs why).
void AppendLocalPorts(std::vector<std::string>& lines);

}  // namespace nodexa

#endif  // NODEXA_DISCOVERY_LOCAL_PORTS_H_
