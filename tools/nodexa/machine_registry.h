// Reads back the string values the library leaves for the setup program
// below HKEY_LOCAL_MACHINE: the real registry on Windows, the machine
// folder's registry.reg on the POSIX stand-in.
#ifndef NODEXA_TOOLS_NODEXA_MACHINE_REGISTRY_H_
#define NODEXA_TOOLS_NODEXA_MACHINE_REGISTRY_H_

#include <optional>
#include <string>

namespace nodexa::cli {

// True when HKLM\`key` exists.
bool MachineKeyExists(const std::string& key);
// The REG_SZ value `name` of HKLM\`key`; none when the key or value is
// missing or is not a string.
std::optional<std::string> ReadMachineString(const std::string& key, const std::string& name);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_MACHINE_REGISTRY_H_
