// Dynamic loading with the Windows calls, over dlopen. Loading is
// reference-counted as on Windows: loading a file that is already loaded
// gives the same instance, and it goes away with its last FreeLibrary.
// Module files keep their Windows names (QVXAhcp.dll is an ELF object).
//
// Names are found as Windows finds them. A name without an extension gets
// ".dll". A name with a folder part is that file (relative ones from the
// current folder). A bare name ("SetupApi.dll") is looked for in the
// program's own folder, then the machine's system folder and Windows folder
// (GetSystemDirectoryA, GetWindowsDirectoryA: the facts SystemDirectory and
// WindowsDirectory when they name host folders), then the current folder;
// the first folder holding it wins. File names match without regard to the
// case of A to Z. A module not found fails with 126.
//
// A module that exports "BindSystemImports" gets the process's services
// when it is loaded (posix_module_imports.h), as a Windows DLL's imports
// are bound by the loader.
#ifndef NODEXA_PLATFORM_POSIX_MODULE_H_
#define NODEXA_PLATFORM_POSIX_MODULE_H_

#include "posix_types.h"

struct HINSTANCE__;
using HMODULE = HINSTANCE__*;
using HINSTANCE = HMODULE;
using FARPROC = intptr_t (*)();

// `path` is a Windows-style path or a bare module name (see above).
HMODULE LoadLibraryA(LPCSTR path);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);
// The module `path` names (found as LoadLibraryA finds it), without loading
// it; null when not loaded.
HMODULE GetModuleHandleA(LPCSTR path);
// The file of `module` (null: the main program), with backslashes. A short
// buffer gets a truncated, terminated path, the result `size` and error 122.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);

#endif  // NODEXA_PLATFORM_POSIX_MODULE_H_
