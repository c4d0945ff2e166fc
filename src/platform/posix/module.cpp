#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "../path_split.h"
#include "path_case.h"
#include "posix_module.h"
#include "posix_module_imports.h"
#include "posix_paths.h"
#include "posix_registry.h"
#include "posix_system.h"

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

// The folder part of a POSIX path ("" for a bare name).
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ProgramFolder() {
  char link[4096];
  const ssize_t length = readlink("/proc/self/exe", link, sizeof link - 1);
  if (length <= 0) return std::string();
  return FolderOf(std::string(link, static_cast<size_t>(length)));
}

// A directory call's answer as a host folder; "" when it names no host
// folder (a drive path such as C:\Windows has no place on this host).
template <typename Call>
std::string HostFolder(Call call) {
  char buffer[4096] = {};
  const UINT length = call(buffer, static_cast<UINT>(sizeof buffer));
  if (length == 0 || length >= sizeof buffer) return std::string();
  const std::string folder = nodexa::platform::ToPosixPath(buffer);
  return folder[0] == '/' ? folder : std::string();
}

std::string CurrentFolder() {
  // Freed also when the copy throws.
  const std::unique_ptr<char, decltype(&std::free)> current(getcwd(nullptr, 0), &std::free);
  return current ? std::string(current.get()) : std::string();
}

// Where a bare module name is looked for, in Windows' order for desktop
// programs: the program's own folder, the system folder, the Windows folder,
// the current folder. PATH is not searched: on this host it names POSIX
// program folders, never Windows modules.
std::vector<std::string> SearchFolders() {
  return {
      ProgramFolder(),
      HostFolder([](LPSTR buffer, UINT size) { return GetSystemDirectoryA(buffer, size); }),
      HostFolder([](LPSTR buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); }),
      CurrentFolder(),
  };
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The file a module name stands for: a name with a folder part is that path
// (relative to the current folder); a bare name is searched for in
// `folders`. A name without an extension gets ".dll", as on Windows. ""
// when not found.
std::string ModuleFile(const char* name, const std::vector<std::string>& folders) {
  std::string path = nodexa::platform::ToPosixPath(name);
  const size_t slash = path.rfind('/');
  if (path.find('.', slash == std::string::npos ? 0 : slash + 1) == std::string::npos) {
    path += ".dll";
  }
  if (slash != std::string::npos) return nodexa::platform::ResolvePathCase(path);
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    const std::string candidate = nodexa::platform::ResolvePathCase(folder + "/" + path);
    if (IsRegularFile(candidate)) return candidate;
  }
  return std::string();
}

// The process's services for a stand-in system module (see
// posix_module_imports.h).
const PosixSystemImports kSystemImports = {
    sizeof(PosixSystemImports),
    SetLastError,
    RegOpenKeyExA,
};

void BindSystemImports(void* handle) {
  void* symbol = dlsym(handle, kBindSystemImportsName);
  if (symbol == nullptr) return;
  reinterpret_cast<BindSystemImportsFn>(symbol)(&kSystemImports);
}

}  // namespace

HMODULE LoadLibraryA(LPCSTR path) { return LoadLibraryExA(path, nullptr, 0); }

HMODULE LoadLibraryExA(LPCSTR path, HANDLE file, DWORD flags) {
  if (path == nullptr || *path == '\0' || file != nullptr ||
      ((flags & LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR) != 0 &&
       !nodexa::platform::IsAbsolutePath(path))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::vector<std::string> folders = SearchFolders();
  if (flags != 0) {
    folders.clear();
    if ((flags & LOAD_LIBRARY_SEARCH_APPLICATION_DIR) != 0) folders.push_back(ProgramFolder());
    if ((flags & LOAD_LIBRARY_SEARCH_SYSTEM32) != 0) {
      folders.push_back(
          HostFolder([](LPSTR buffer, UINT size) { return GetSystemDirectoryA(buffer, size); }));
    }
  }
  const std::string found = ModuleFile(path, folders);
  void* handle = found.empty() ? nullptr : dlopen(found.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    SetLastError(kModNotFound);
    return nullptr;
  }
  BindSystemImports(handle);
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
  if (path == nullptr || *path == '\0') return nullptr;
  const std::string file = ModuleFile(path, SearchFolders());
  void* handle = file.empty() ? nullptr : dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD);
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
