#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "device_list.h"
#include "machine_facts.h"
#include "posix_file_search.h"
#include "posix_registry.h"
#include "regedit_text.h"
#include "registry_file.h"
#include "registry_store.h"

using nodexa::platform::KeyPath;
using nodexa::platform::RegistryStore;
using nodexa::platform::RegistryWriteLock;
using nodexa::platform::StoredKey;
using nodexa::platform::StoredValue;

namespace {

constexpr REGSAM kFullAccess = KEY_ALL_ACCESS | MAXIMUM_ALLOWED;

LONG Code(DWORD error) { return static_cast<LONG>(error); }

struct OpenKey {
  KeyPath path;
  REGSAM access = 0;
};

// Keys opened by this process, by handle value. Handles are small counters,
// never pointers, and never collide with the predefined keys.
struct RegistryState {
  std::mutex lock;
  std::map<uintptr_t, OpenKey> keys;
  uintptr_t lastHandle = 0x1000;
};

RegistryState& State() {
  static RegistryState state;
  return state;
}

bool IsPredefined(HKEY key) {
  return key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER || key == HKEY_USERS ||
         key == HKEY_CURRENT_CONFIG || key == HKEY_CLASSES_ROOT;
}

bool PredefinedPath(HKEY key, KeyPath& path) {
  if (key == HKEY_LOCAL_MACHINE) {
    path = {"HKEY_LOCAL_MACHINE"};
  } else if (key == HKEY_CURRENT_USER) {
    path = {"HKEY_CURRENT_USER"};
  } else if (key == HKEY_USERS) {
    path = {"HKEY_USERS"};
  } else if (key == HKEY_CURRENT_CONFIG) {
    path = {"HKEY_CURRENT_CONFIG"};
  } else if (key == HKEY_CLASSES_ROOT) {
    path = {"HKEY_LOCAL_MACHINE", "SOFTWARE", "Classes"};
  } else {
    return false;
  }
  return true;
}

// The code a test asked this call to fail with: the fact "Fail" followed by
// the function's name, a non-zero decimal number.
std::optional<LONG> InjectedFault(const char* function) {
  const std::string fact = std::string("Fail") + function;
  const std::optional<uint64_t> code = nodexa::platform::NumericFact(fact.c_str());
  if (!code || *code == 0 || *code > 0x7FFFFFFF) return std::nullopt;
  return static_cast<LONG>(*code);
}

// Windows builds this part of the registry at start-up: the first
// processor's clock, from the fact "ProcessorClockMHz" (set but not a number:
// no clock) or the host, unless the file has one.
void AddHardwareDescription(RegistryStore& store) {
  const KeyPath path{"HKEY_LOCAL_MACHINE", "HARDWARE", "DESCRIPTION", "System",
                     "CentralProcessor",   "0"};
  const StoredKey* existing = store.Find(path);
  if (existing != nullptr && existing->FindValue("~MHz") != nullptr) return;
  bool present = false;
  const std::optional<uint64_t> fact = nodexa::platform::NumericFact("ProcessorClockMHz", &present);
  std::optional<uint32_t> clock;
  if (!present) {
    clock = nodexa::platform::HostProcessorClockMHz();
  } else if (fact && *fact <= 0xFFFFFFFFu) {
    clock = static_cast<uint32_t>(*fact);
  }
  if (!clock) return;
  std::vector<uint8_t> data;
  for (int shift = 0; shift < 32; shift += 8) data.push_back(static_cast<uint8_t>(*clock >> shift));
  store.Create(path, true)->SetValue("~MHz", REG_DWORD, std::move(data), true);
}

// The Plug and Play manager keeps the device tree's keys: each device of
// devices.ini has its hardware key, holding its PortName when it has one,
// unless registry.reg gives that value itself.
void AddDeviceKeys(RegistryStore& store) {
  for (const nodexa::platform::MachineDevice& device : nodexa::platform::ReadMachineDevices()) {
    KeyPath path;
    if (!RegistryStore::ParseKeyName(
            "HKEY_LOCAL_MACHINE\\" + nodexa::platform::DeviceHardwareKey(device.instanceId),
            path)) {
      continue;
    }
    StoredKey* key = store.Create(path, true);
    if (key == nullptr || !device.portName || key->FindValue("PortName") != nullptr) continue;
    std::vector<uint8_t> data(device.portName->begin(), device.portName->end());
    data.push_back(0);
    key->SetValue("PortName", REG_SZ, std::move(data), true);
  }
}

// The registry as the machine folder holds it right now.
RegistryStore LoadStore() {
  RegistryStore store;
  nodexa::platform::ReadRegeditText(nodexa::platform::ReadRegistryFile(), store);
  store.Create({"HKEY_LOCAL_MACHINE", "SOFTWARE", "Classes"}, true);
  AddHardwareDescription(store);
  AddDeviceKeys(store);
  return store;
}

// Writes the store back under the lock it was read with.
LONG SaveStore(const RegistryWriteLock& lock, const RegistryStore& store) {
  return Code(
      nodexa::platform::ReplaceRegistryFile(lock, nodexa::platform::WriteRegeditText(store)));
}

// The key a handle stands for and what it may do. Call with the state's lock held.
LONG Resolve(HKEY key, KeyPath& path, REGSAM& access) {
  if (PredefinedPath(key, path)) {
    access = kFullAccess;
    return Code(ERROR_SUCCESS);
  }
  const auto& keys = State().keys;
  const auto found = keys.find(reinterpret_cast<uintptr_t>(key));
  if (found == keys.end()) return Code(ERROR_INVALID_HANDLE);
  path = found->second.path;
  access = found->second.access;
  return Code(ERROR_SUCCESS);
}

LONG AppendSubKey(KeyPath& path, LPCSTR subKey) {
  if (subKey == nullptr || *subKey == '\0') return Code(ERROR_SUCCESS);
  if (*subKey == '\\') return Code(ERROR_BAD_PATHNAME);
  const std::string text = subKey;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) path.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return Code(ERROR_SUCCESS);
}

// One call's view: the handle resolved against a freshly read registry.
struct Target {
  LONG status = Code(ERROR_SUCCESS);
  RegistryStore store;
  KeyPath path;
  REGSAM access = 0;
  StoredKey* key = nullptr;
};

Target Open(HKEY handle, REGSAM needed) {
  Target target;
  target.status = Resolve(handle, target.path, target.access);
  if (target.status != Code(ERROR_SUCCESS)) return target;
  if ((target.access & needed) != needed) {
    target.status = Code(ERROR_ACCESS_DENIED);
    return target;
  }
  target.store = LoadStore();
  target.key = target.store.Find(target.path);
  if (target.key == nullptr) target.status = Code(ERROR_KEY_DELETED);
  return target;
}

LONG OpenSubKey(HKEY key, LPCSTR subKey, REGSAM desired, PHKEY result) {
  if (result == nullptr) return Code(ERROR_INVALID_PARAMETER);
  *result = nullptr;
  Target target = Open(key, 0);
  if (target.status != Code(ERROR_SUCCESS)) return target.status;
  KeyPath ignored;
  const bool predefined = PredefinedPath(key, ignored);
  if (predefined && (subKey == nullptr || *subKey == '\0')) {
    *result = key;
    return Code(ERROR_SUCCESS);
  }
  // Windows lets a classes-root path start with one backslash.
  if (key == HKEY_CLASSES_ROOT && subKey != nullptr && *subKey == '\\') ++subKey;
  KeyPath path = target.path;
  if (const LONG status = AppendSubKey(path, subKey); status != Code(ERROR_SUCCESS)) {
    return status;
  }
  if (target.store.Find(path) == nullptr) return Code(ERROR_FILE_NOT_FOUND);
  RegistryState& state = State();
  state.lastHandle += 4;
  state.keys[state.lastHandle] = OpenKey{path, (desired & MAXIMUM_ALLOWED) ? kFullAccess : desired};
  *result = reinterpret_cast<HKEY>(state.lastHandle);
  return Code(ERROR_SUCCESS);
}

void ClearFileTime(PFILETIME time) {
  if (time != nullptr) *time = FILETIME{0, 0};
}

// An empty class name, where one is asked for.
LONG EmptyClass(LPSTR className, LPDWORD classSize) {
  if (className != nullptr) {
    if (classSize == nullptr || *classSize == 0) return Code(ERROR_MORE_DATA);
    *className = '\0';
  }
  if (classSize != nullptr) *classSize = 0;
  return Code(ERROR_SUCCESS);
}

}  // namespace

LONG RegConnectRegistryA(LPCSTR machineName, HKEY key, PHKEY result) {
  if (const auto fault = InjectedFault("RegConnectRegistryA")) return *fault;
  if (result == nullptr) return Code(ERROR_INVALID_PARAMETER);
  *result = nullptr;
  KeyPath ignored;
  if (!PredefinedPath(key, ignored)) return Code(ERROR_INVALID_HANDLE);
  std::string name = machineName != nullptr ? machineName : "";
  while (!name.empty() && name.front() == '\\') name.erase(name.begin());
  if (!name.empty() &&
      !nodexa::platform::SameRegistryName(name, nodexa::platform::MachineComputerName())) {
    return Code(ERROR_BAD_NETPATH);
  }
  *result = key;
  return Code(ERROR_SUCCESS);
}

LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
  if (const auto fault = InjectedFault("RegOpenKeyA")) return *fault;
  std::lock_guard<std::mutex> guard(State().lock);
  if (result != nullptr && (subKey == nullptr || *subKey == '\0')) {
    KeyPath path;
    REGSAM access = 0;
    const LONG status = Resolve(key, path, access);
    *result = status == Code(ERROR_SUCCESS) ? key : nullptr;
    return status;
  }
  return OpenSubKey(key, subKey, MAXIMUM_ALLOWED, result);
}

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD /*options*/, REGSAM desired, PHKEY result) {
  if (const auto fault = InjectedFault("RegOpenKeyExA")) return *fault;
  std::lock_guard<std::mutex> guard(State().lock);
  return OpenSubKey(key, subKey, desired, result);
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
  if (data != nullptr) {
    if (const auto fault = InjectedFault("RegQueryValueExA")) return *fault;
  }
  if (reserved != nullptr || (data != nullptr && dataSize == nullptr)) {
    return Code(ERROR_INVALID_PARAMETER);
  }
  std::lock_guard<std::mutex> guard(State().lock);
  const Target target = Open(key, KEY_QUERY_VALUE);
  if (target.status != Code(ERROR_SUCCESS)) return target.status;
  const StoredValue* value = target.key->FindValue(valueName != nullptr ? valueName : "");
  if (value == nullptr) return Code(ERROR_FILE_NOT_FOUND);
  if (type != nullptr) *type = value->type;
  if (dataSize == nullptr) return Code(ERROR_SUCCESS);
  const auto size = static_cast<DWORD>(value->data.size());
  if (data != nullptr && *dataSize < size) {
    *dataSize = size;
    return Code(ERROR_MORE_DATA);
  }
  if (data != nullptr && size > 0) std::memcpy(data, value->data.data(), size);
  *dataSize = size;
  return Code(ERROR_SUCCESS);
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD /*reserved*/, DWORD type, const BYTE* data,
                    DWORD dataSize) {
  if (const auto fault = InjectedFault("RegSetValueExA")) return *fault;
  if (data == nullptr && dataSize > 0) return Code(ERROR_NOACCESS);
  std::lock_guard<std::mutex> guard(State().lock);
  const RegistryWriteLock writing;  // before reading, so the change builds on the latest file
  Target target = Open(key, KEY_SET_VALUE);
  if (target.status != Code(ERROR_SUCCESS)) return target.status;
  std::vector<uint8_t> bytes(data, data + (data != nullptr ? dataSize : 0));
  target.key->SetValue(valueName != nullptr ? valueName : "", type, std::move(bytes));
  return SaveStore(writing, target.store);
}

LONG RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classSize, LPDWORD reserved,
                      LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                      LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                      LPDWORD securityDescriptorSize, PFILETIME lastWriteTime) {
  if (const auto fault = InjectedFault("RegQueryInfoKeyA")) return *fault;
  if (reserved != nullptr) return Code(ERROR_INVALID_PARAMETER);
  std::lock_guard<std::mutex> guard(State().lock);
  const Target target = Open(key, KEY_QUERY_VALUE);
  if (target.status != Code(ERROR_SUCCESS)) return target.status;
  if (const LONG status = EmptyClass(className, classSize); status != Code(ERROR_SUCCESS)) {
    return status;
  }
  size_t longestSubKey = 0, longestName = 0, largestData = 0;
  for (const StoredKey& subKey : target.key->subKeys) {
    longestSubKey = std::max(longestSubKey, subKey.name.size());
  }
  for (const StoredValue& value : target.key->values) {
    longestName = std::max(longestName, value.name.size());
    largestData = std::max(largestData, value.data.size());
  }
  if (subKeys != nullptr) *subKeys = static_cast<DWORD>(target.key->subKeys.size());
  if (maxSubKeyLength != nullptr) *maxSubKeyLength = static_cast<DWORD>(longestSubKey);
  if (maxClassLength != nullptr) *maxClassLength = 0;
  if (values != nullptr) *values = static_cast<DWORD>(target.key->values.size());
  if (maxValueNameLength != nullptr) *maxValueNameLength = static_cast<DWORD>(longestName);
  if (maxValueLength != nullptr) *maxValueLength = static_cast<DWORD>(largestData);
  if (securityDescriptorSize != nullptr) *securityDescriptorSize = 0;
  ClearFileTime(lastWriteTime);
  return Code(ERROR_SUCCESS);
}

LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                   LPSTR className, LPDWORD classSize, PFILETIME lastWriteTime) {
  if (const auto fault = InjectedFault("RegEnumKeyExA")) return *fault;
  if (reserved != nullptr || name == nullptr || nameSize == nullptr) {
    return Code(ERROR_INVALID_PARAMETER);
  }
  std::lock_guard<std::mutex> guard(State().lock);
  const Target target = Open(key, KEY_ENUMERATE_SUB_KEYS);
  if (target.status != Code(ERROR_SUCCESS)) return target.status;
  if (index >= target.key->subKeys.size()) return Code(ERROR_NO_MORE_ITEMS);
  const std::string& subKey = target.key->subKeys[index].name;
  if (subKey.size() >= *nameSize) return Code(ERROR_MORE_DATA);
  if (const LONG status = EmptyClass(className, classSize); status != Code(ERROR_SUCCESS)) {
    return status;
  }
  std::memcpy(name, subKey.c_str(), subKey.size() + 1);
  *nameSize = static_cast<DWORD>(subKey.size());
  ClearFileTime(lastWriteTime);
  return Code(ERROR_SUCCESS);
}

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) {
  if (const auto fault = InjectedFault("RegDeleteKeyA")) return *fault;
  if (subKey == nullptr) return Code(ERROR_INVALID_PARAMETER);
  std::lock_guard<std::mutex> guard(State().lock);
  const RegistryWriteLock writing;  // before reading, so the change builds on the latest file
  Target target = Open(key, 0);
  if (target.status != Code(ERROR_SUCCESS)) return target.status;
  KeyPath ignored;
  if (*subKey == '\0' && PredefinedPath(key, ignored)) return Code(ERROR_ACCESS_DENIED);
  KeyPath path = target.path;
  if (const LONG status = AppendSubKey(path, subKey); status != Code(ERROR_SUCCESS)) {
    return status;
  }
  const StoredKey* doomed = target.store.Find(path);
  if (doomed == nullptr) return Code(ERROR_FILE_NOT_FOUND);
  if (path.size() < 2 || !doomed->subKeys.empty()) return Code(ERROR_ACCESS_DENIED);
  target.store.Delete(path);
  return SaveStore(writing, target.store);
}

LONG RegCloseKey(HKEY key) {
  // Runs from destructors, so it must not allocate: an allocation that fails
  // there would end the process.
  if (IsPredefined(key)) return Code(ERROR_SUCCESS);
  std::lock_guard<std::mutex> guard(State().lock);
  return State().keys.erase(reinterpret_cast<uintptr_t>(key)) == 1 ? Code(ERROR_SUCCESS)
                                                                   : Code(ERROR_INVALID_HANDLE);
}

namespace nodexa::platform {

size_t OpenRegistryKeyCount() {
  std::lock_guard<std::mutex> guard(State().lock);
  return State().keys.size();
}

}  // namespace nodexa::platform
