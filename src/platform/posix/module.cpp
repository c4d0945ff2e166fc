#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "posix_module.h"
#include "posix_paths.h"

namespace {

constexpr DWORD kModNotFound = 126;
constexpr DWORD kProcNotFound = 127;

HMODULE ToModule(void* handle) { return reinterpret_cast<HMODULE>(handle); }
void* ToHandle(HMODULE module) { return reinterpret_cast<void*>(module); }

// Copies `path` the way GetModuleFileNameA fills its buffer.
DWORD CopyModulePath(const std::string& path, LPSTR buffer, DWORD size) {
  if (size == 0 || buffer == nullptr) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() >= size) {
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return static_cast<DWORD>(path.size());
}

}  // namespace

HMODULE LoadLibraryA(LPCSTR path) {
  if (path == nullptr || *path == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  void* handle = dlopen(nodexa::platform::ToPosixPath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) SetLastError(kModNotFound);
  return ToModule(handle);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
  if (module == nullptr || name == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  void* symbol = dlsym(ToHandle(module), name);
  if (symbol == nullptr) {
    SetLastError(kProcNotFound);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module) {
  if (module == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return dlclose(ToHandle(module)) == 0 ? TRUE : FALSE;
}

HMODULE GetModuleHandleA(LPCSTR path) {
  if (path == nullptr) return nullptr;
  void* handle = dlopen(nodexa::platform::ToPosixPath(path).c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) {
    SetLastError(kModNotFound);
    return nullptr;
  }
  // RTLD_NOLOAD still counts a reference; this query must not keep one.
  dlclose(handle);
  return ToModule(handle);
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  std::string path;
  if (module == nullptr) {
    char link[4096];
    const ssize_t length = readlink("/proc/self/exe", link, sizeof link - 1);
    if (length <= 0) return 0;
    path.assign(link, static_cast<size_t>(length));
  } else {
    struct link_map* map = nullptr;
    if (dlinfo(ToHandle(module), RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return 0;
    path = map->l_name;
  }
  return CopyModulePath(nodexa::platform::ToWindowsPath(path), buffer, size);
}
