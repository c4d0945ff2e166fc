// The stand-in machine's own files. NODEXA_MACHINE names a folder that
// describes the Windows machine the POSIX build pretends to be (see
// docs/posix-machine.md); without it the machine has an empty registry and
// spooler and the host's real facts.
#ifndef NODEXA_PLATFORM_POSIX_MACHINE_H_
#define NODEXA_PLATFORM_POSIX_MACHINE_H_

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace nodexa::platform {

// The machine folder (a POSIX path without trailing slash), or "" when
// NODEXA_MACHINE is unset or empty.
std::string MachineDirectory();

// A file of the machine folder by name, or "" without a machine folder.
std::string MachineFile(const char* name);

// One fact of the machine from "facts.ini" ("Name=Value" lines, '#' or ';'
// comment lines, names without regard to case, blanks around both trimmed).
// Read afresh on every call so a test can change it between calls.
std::optional<std::string> MachineFact(const char* name);

// A machine file of "[Section]" headers and "Name=Value" lines, in file
// order ('#' and ';' start comment lines; blanks around names and values
// trimmed). Missing file: no sections.
struct MachineSection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> values;
  // The last value given for `key` (without regard to case), or "".
  std::string Get(const char* key) const;
};
std::vector<MachineSection> ReadMachineSections(const char* fileName);

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_POSIX_MACHINE_H_
