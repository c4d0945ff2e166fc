// A discovery run: the host-communication module searches the network
// (Discover) and lists what it found (Enumerate) as one raw description per
// device, each a run of tagged text exactly as the module wrote it.
#ifndef NODEXA_DISCOVERY_DISCOVERY_RUN_H_
#define NODEXA_DISCOVERY_DISCOVERY_RUN_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nodexa {

// The buffer Enumerate filled (`bytes`, NULs included) as one raw
// description per device: NUL ends a description, as does ';'; blanks
// around them go, an empty description between two of them stays, and
// one at the very end is none.
std::vector<std::string> SplitDeviceList(std::string bytes);

// The raw device list, or nothing when the module is missing or incomplete,
// Discover fails or the probe of Enumerate does not answer 122. Failures of
// the module's own calls are not logged; `tag` names the caller in the
// binding's log lines.
std::optional<std::vector<std::string>> DiscoveryRun(const char* tag, const std::string& parameters,
                                                     const std::string& filter);

// 1 with `ports` replaced by the raw device list; 0 with `ports` unchanged.
int32_t GetDiscoveredPorts(std::vector<std::string>& ports, const std::string& parameters);

}  // namespace nodexa

#endif  // NODEXA_DISCOVERY_DISCOVERY_RUN_H_
