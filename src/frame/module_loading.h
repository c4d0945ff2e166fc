// How the library loads code. Nothing is loaded by a bare name from wherever
// the default search would look (the program's folder, the current folder,
// PATH): an elevated setup program must not run a DLL planted there.
#ifndef NODEXA_FRAME_MODULE_LOADING_H_
#define NODEXA_FRAME_MODULE_LOADING_H_

#include <string>

#include "platform/win32_api.h"

namespace nodexa {

// A module of the setup medium or the setup program, by its absolute path;
// what it needs itself comes from its own folder and System32. A relative
// path loads nothing.
HMODULE LoadModuleFile(const std::string& path);

// A module of Windows (SetupApi.dll, newdev.dll, cfgmgr32.dll), from
// System32 only.
HMODULE LoadSystemModule(const char* name);

// A module the setup program names: a path as LoadModuleFile takes it; a
// bare name from the setup program's folder or System32 only.
HMODULE LoadNamedModule(const std::string& name);

}  // namespace nodexa

#endif  // NODEXA_FRAME_MODULE_LOADING_H_
