// The print spooler's two directory calls, for the local server and the
// current environment ("Windows x64") only. The directories come from the
// machine facts "PrinterDriverDirectory" and "PrintProcessorDirectory"
// (defaults below the system directory's spool folder).
#ifndef NODEXA_PLATFORM_POSIX_PRINT_DIRECTORIES_H_
#define NODEXA_PLATFORM_POSIX_PRINT_DIRECTORIES_H_

#include "posix_types.h"

constexpr DWORD ERROR_INVALID_ENVIRONMENT = 1805;
constexpr DWORD RPC_S_SERVER_UNAVAILABLE = 1722;

// `server` null, empty or the local computer's name; `environment` null,
// empty or "Windows x64"; level 1. `*needed` is the directory's size in
// bytes with its NUL; a smaller `size` fails with 122.
BOOL GetPrinterDriverDirectoryA(LPSTR server, LPSTR environment, DWORD level, LPBYTE directory,
                                DWORD size, LPDWORD needed);
BOOL GetPrintProcessorDirectoryA(LPSTR server, LPSTR environment, DWORD level, LPBYTE directory,
                                 DWORD size, LPDWORD needed);

#endif  // NODEXA_PLATFORM_POSIX_PRINT_DIRECTORIES_H_
