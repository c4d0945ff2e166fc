// Owners of the platform handles the frame and the support classes open:
// a loaded module, a file search and a registry key.
#ifndef NODEXA_FRAME_PLATFORM_HANDLES_H_
#define NODEXA_FRAME_PLATFORM_HANDLES_H_

#include "platform/win32_api.h"
#include "unique_handle.h"

namespace nodexa {

struct ModuleTraits {
  using Type = HMODULE;
  static Type Invalid() { return nullptr; }
  static void Close(Type module) { FreeLibrary(module); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

struct FindTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type search) { FindClose(search); }
};
using UniqueFind = UniqueHandle<FindTraits>;

struct RegistryKeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type key) { RegCloseKey(key); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

}  // namespace nodexa

#endif  // NODEXA_FRAME_PLATFORM_HANDLES_H_
