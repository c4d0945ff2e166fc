#include "setup_medium.h"

#include <vector>

#include "platform/win32_api.h"

namespace nodexa {

namespace {

std::string& ExecutableDirectoryOverride() {
  static std::string directory;
  return directory;
}

std::string EnvironmentOverride() {
  const DWORD needed = GetEnvironmentVariableA(kExecutableDirectoryVariable, nullptr, 0);
  if (needed == 0) return std::string();
  std::vector<char> value(needed + 1, '\0');
  const DWORD length =
      GetEnvironmentVariableA(kExecutableDirectoryVariable, value.data(), needed + 1);
  return length > 0 && length <= needed ? std::string(value.data(), length) : std::string();
}

}  // namespace

void SetExecutableDirectoryOverride(const std::string& directory) {
  ExecutableDirectoryOverride() = directory;
}

PathObject GetExecutableDirectory() {
  std::string override = ExecutableDirectoryOverride();
  if (override.empty()) override = EnvironmentOverride();
  PathObject path;
  if (!override.empty()) {
    path.SetDirectory(override);
    return path;
  }
  char module[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    path.SetFullPath(module);
    path.SetFileName("");
  }
  return path;
}

PathObject GetSetupRoot() { return GetExecutableDirectory().Parent().Parent(); }

bool isBuild64() { return sizeof(void*) == 8; }

}  // namespace nodexa
