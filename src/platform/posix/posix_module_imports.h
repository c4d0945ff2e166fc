// How a stand-in system module reaches the process's own services.
//
// On Windows a system DLL such as setupapi.dll imports the calling thread's
// last error and the registry from kernel32 and advapi32, which every module
// of the process shares. On POSIX those services live inside whichever
// program or library holds the platform layer, hidden from other modules.
// So the loader does what Windows' loader does for imports: when a loaded
// module exports "BindSystemImports", LoadLibraryA calls it with this table
// before returning the module. The table stays valid while the process
// runs; a module keeps the pointer and uses it for every call.
#ifndef NODEXA_PLATFORM_POSIX_MODULE_IMPORTS_H_
#define NODEXA_PLATFORM_POSIX_MODULE_IMPORTS_H_

#include "posix_registry.h"
#include "posix_types.h"

struct PosixSystemImports {
  // sizeof(PosixSystemImports) of the loader, so a later table can grow.
  DWORD size;
  void (*SetLastError)(DWORD code);
  LONG (*RegOpenKeyExA)(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
};

using BindSystemImportsFn = void (*)(const PosixSystemImports* imports);

// The name a module exports its binding function under.
inline constexpr char kBindSystemImportsName[] = "BindSystemImports";

#endif  // NODEXA_PLATFORM_POSIX_MODULE_IMPORTS_H_
