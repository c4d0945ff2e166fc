#include "machine_registry.h"

#include <vector>

#include "frame/platform_handles.h"
#include "platform/win32_api.h"

namespace nodexa::cli {

namespace {

using UniqueKey = UniqueRegistryKey;

LONG OpenMachineKey(const std::string& key, REGSAM access, UniqueKey& opened) {
  HKEY handle = nullptr;
  const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, access, &handle);
  if (status == ERROR_SUCCESS) opened = UniqueKey(handle);
  return status;
}

// The value's type and bytes; ERROR_SUCCESS or the query's failure.
LONG QueryValue(HKEY key, const std::string& name, DWORD& type, std::vector<BYTE>& data) {
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
  if (status != ERROR_SUCCESS) return status;
  data.assign(size + 1, 0);
  status = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &size);
  data.resize(size);
  return status;
}

std::string Describe(LONG status) {
  const std::string code = "(error " + std::to_string(status) + ")";
  if (status == ERROR_FILE_NOT_FOUND) return "the key does not exist " + code;
  if (status == ERROR_ACCESS_DENIED) return "access denied " + code;
  return "the registry refused it " + code;
}

}  // namespace

MachineValue ReadMachineValue(const std::string& key, const std::string& name) {
  MachineValue value;
  UniqueKey opened;
  if (OpenMachineKey(key, KEY_READ, opened) != ERROR_SUCCESS) return value;
  value.keyExists = true;
  DWORD type = 0;
  std::vector<BYTE> data;
  if (QueryValue(opened.get(), name, type, data) == ERROR_SUCCESS && type == REG_SZ) {
    data.push_back(0);
    value.text = std::string(reinterpret_cast<const char*>(data.data()));
  }
  return value;
}

std::string WriteRefusal(const std::string& key, const std::string& name) {
  UniqueKey opened;
  if (const LONG status = OpenMachineKey(key, KEY_ALL_ACCESS, opened); status != ERROR_SUCCESS) {
    return Describe(status);
  }
  DWORD type = 0;
  std::vector<BYTE> data;
  if (QueryValue(opened.get(), name, type, data) != ERROR_SUCCESS) return std::string();
  const LONG status = RegSetValueExA(opened.get(), name.c_str(), 0, type, data.data(),
                                     static_cast<DWORD>(data.size()));
  return status == ERROR_SUCCESS ? std::string() : Describe(status);
}

}  // namespace nodexa::cli
