#include "machine_registry.h"

#include <vector>

#include "frame/platform_handles.h"
#include "platform/win32_api.h"

namespace nodexa::cli {

namespace {

using UniqueKey = UniqueRegistryKey;

UniqueKey OpenMachineKey(const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return UniqueKey();
  }
  return UniqueKey(opened);
}

}  // namespace

bool MachineKeyExists(const std::string& key) { return static_cast<bool>(OpenMachineKey(key)); }

std::optional<std::string> ReadMachineString(const std::string& key, const std::string& name) {
  const UniqueKey opened = OpenMachineKey(key);
  if (!opened) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &type,
                       reinterpret_cast<LPBYTE>(data.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data.data());
}

}  // namespace nodexa::cli
