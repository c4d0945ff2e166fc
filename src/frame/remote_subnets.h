// The RemoteSubnets element of tagged text, as discovery and subnet
// registration hand it to the host-communication module.
#ifndef NODEXA_FRAME_REMOTE_SUBNETS_H_
#define NODEXA_FRAME_REMOTE_SUBNETS_H_

#include <string>
#include <vector>

namespace nodexa {

// "" for no subnets; else "<RemoteSubnets>" + "subnet:mask;" per entry, in
// order (":255.255.255.0" added to an entry without ':'), + "</RemoteSubnets>".
std::string RemoteSubnetsElement(std::vector<std::string>::const_iterator first,
                                 std::vector<std::string>::const_iterator last);

}  // namespace nodexa

#endif  // NODEXA_FRAME_REMOTE_SUBNETS_H_
