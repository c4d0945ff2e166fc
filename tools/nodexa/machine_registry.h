// Reads back the string values the library leaves for the setup program
// below HKEY_LOCAL_MACHINE: the real registry on Windows, the machine
// folder's registry.reg on the POSIX stand-in. The library does not say
// whether such a value was written, so the command looks for itself.
#ifndef NODEXA_TOOLS_NODEXA_MACHINE_REGISTRY_H_
#define NODEXA_TOOLS_NODEXA_MACHINE_REGISTRY_H_

#include <optional>
#include <string>

namespace nodexa::cli {

// A value below HKLM as it stands: whether its key exists, and its text
// when it is a string value.
struct MachineValue {
  bool keyExists = false;
  std::optional<std::string> text;
};

MachineValue ReadMachineValue(const std::string& key, const std::string& name);

// Why the value `name` of HKLM\`key` cannot be written now, e.g. "access
// denied (error 5)"; "" when it can, or when nothing shows it (a value that
// is not there cannot be written back). Opens the key as the library does
// and writes a value that is there back unchanged.
std::string WriteRefusal(const std::string& key, const std::string& name);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_MACHINE_REGISTRY_H_
