// Dynamic loading with the Windows calls, over dlopen. Loading is
// reference-counted as on Windows: loading a file that is already loaded
// gives the same instance, and it goes away with its last FreeLibrary.
// Module files keep their Windows names (QVXAhcp.dll is an ELF object).
#ifndef NODEXA_PLATFORM_POSIX_MODULE_H_
#define NODEXA_PLATFORM_POSIX_MODULE_H_

#include "posix_types.h"

struct HINSTANCE__;
using HMODULE = HINSTANCE__*;
using HINSTANCE = HMODULE;
using FARPROC = intptr_t (*)();

// `path` is a Windows-style path; backslashes become slashes.
HMODULE LoadLibraryA(LPCSTR path);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);
// The module loaded from `path`, without loading it; null when not loaded.
HMODULE GetModuleHandleA(LPCSTR path);
// The file of `module` (null: the main program), with backslashes. A short
// buffer gets a truncated, terminated path, the result `size` and error 122.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);

#endif  // NODEXA_PLATFORM_POSIX_MODULE_H_
