#include "module_loading.h"

namespace nodexa {

HMODULE LoadModuleFile(const std::string& path) {
  return LoadLibraryExA(path.c_str(), nullptr,
                        LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemModule(const char* name) {
  return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadNamedModule(const std::string& name) {
  if (name.find_first_of("\\/:") != std::string::npos) return LoadModuleFile(name);
  return LoadLibraryExA(name.c_str(), nullptr,
                        LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace nodexa
