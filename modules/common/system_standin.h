// Shared workings of the POSIX stand-ins of system modules (SetupApi.dll,
// newdev.dll, cfgmgr32.dll). Unlike the maker's modules they describe the
// machine, so they answer from the machine folder that NODEXA_MACHINE names
// (devices.ini, facts.ini; docs/posix-machine.md) rather than from a file
// beside them. They still journal every call that changes something beside
// themselves (standin.h), so tests can see what the library asked for.
//
// The calling process's last error and registry are reached through the
// table the loader hands over (posix_module_imports.h); before that the
// module keeps its errors to itself and opens no keys.
#ifndef NODEXA_MODULES_COMMON_SYSTEM_STANDIN_H_
#define NODEXA_MODULES_COMMON_SYSTEM_STANDIN_H_

#include <optional>
#include <string>

#include "common/standin.h"
#include "platform/posix/posix_module_imports.h"
#include "platform/posix/posix_setupapi.h"

namespace standin {

// Sets the caller's last error.
void SetError(DWORD code);
// Sets the last error and answers FALSE, the form most failures take.
BOOL Fail(DWORD code);
// RegOpenKeyExA of the calling process; 6 before the loader bound it.
LONG OpenKey(HKEY root, const char* subKey, REGSAM desired, PHKEY result);

// The code a test asked `function` to fail with: the fact "Fail<function>",
// a non-zero number (decimal or 0x hexadecimal).
std::optional<DWORD> Fault(const char* function);
// A fact set to 1.
bool FactIsOne(const char* name);

// A Windows path as this host opens it ('\' becomes '/').
std::string HostPath(const char* windowsPath);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case, and back; a text
// of another form reads as none.
std::string GuidText(const GUID& guid);
std::optional<GUID> ParseGuid(const std::string& text);
bool SameGuid(const GUID& a, const GUID& b);

}  // namespace standin

#endif  // NODEXA_MODULES_COMMON_SYSTEM_STANDIN_H_
