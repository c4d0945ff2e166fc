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

// LoadLibraryA with the search limited as the flags say. A bare name is
// looked for only in the folders the flags name (the program's folder, the
// system folder); with LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR the name must be an
// absolute path (else error 87). `file` must be null. Flags 0 search as
// LoadLibraryA does.
constexpr DWORD LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR = 0x00000100;
constexpr DWORD LOAD_LIBRARY_SEARCH_APPLICATION_DIR = 0x00000200;
constexpr DWORD LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x00000800;
HMODULE LoadLibraryExA(LPCSTR path, HANDLE file, DWORD flags);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);
// The module `path` names (found as LoadLibraryA finds it), without loading
// it; null when not loaded.
HMODULE GetModuleHandleA(LPCSTR path);
// The file of `module` (null: the main program), with backslashes. A short
// buffer gets a truncated, terminated path, the result `size` and error 122.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);

#endif  // NODEXA_PLATFORM_POSIX_MODULE_H_
