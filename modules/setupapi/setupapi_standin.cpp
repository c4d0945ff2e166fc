// Stand-in SetupApi.dll for the POSIX machine: the twelve setup functions
// the library binds, answering from the machine folder's devices.ini (see
// docs/posix-machine.md and system_standin.h).
//
// A device set is a snapshot of the device list taken when it is opened,
// filtered as asked (present devices, one class, one enumerator). Devices
// carry the properties devices.ini gives them; the hardware key of a device
// is the registry key the registry stand-in builds for it, opened through
// the calling process's own registry. Changes last while the module stays
// loaded (as long as one Device): a removed device is left out of later
// sets, a registered one appears in them (present, without a device node);
// devices.ini itself is never written. Journal lines (beside the module, fields separated by tabs):
//   SetupDiGetClassDevsA <flags, 0x hex> <class GUID or ->
//   SetupDiCreateDeviceInfoList <class GUID or ->
//   SetupDiCreateDeviceInfoA <instance identifier>
//   SetupDiSetDeviceRegistryPropertyA <instance> <property> <value>
//   SetupDiCallClassInstaller DIF_REMOVE <instance>
//   SetupDiCallClassInstaller DIF_REGISTERDEVICE <instance> <hardware IDs, ','-joined>
//                             <configuration flags>
//   SetupDiDestroyDeviceInfoList
// Fault switches (facts.ini): FailSetupDiGetClassDevsA and
// FailSetupDiCallClassInstaller make those calls fail with the code given.
// Building with STANDIN_WITHOUT_<Function> leaves that function out.
#include <strings.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/system_standin.h"
#include "platform/posix/device_list.h"

// Each variant leaves one function out; helpers only that function uses are
// [[maybe_unused]] so the variant still builds without warnings.
namespace {

using nodexa::platform::MachineDevice;

struct Property {
  DWORD type;
  std::vector<BYTE> data;
};

struct SetDevice {
  std::string instanceId;
  DWORD devInst = 0;
  GUID classGuid{};
  std::map<DWORD, Property> properties;
};

struct DeviceSet {
  std::optional<GUID> classGuid;
  std::vector<SetDevice> devices;
};

// Open sets and INF files by handle value: counters, never pointers, never
// 0 or INVALID_HANDLE_VALUE.
std::map<uintptr_t, DeviceSet> sets;
std::map<uintptr_t, std::string> infFiles;
// What this loaded instance changed in the device tree.
std::vector<std::string> removedDevices;
std::vector<SetDevice> registeredDevices;
uintptr_t lastHandle = 0x5E7000;

template <typename Handle>
Handle NewHandle() {
  return reinterpret_cast<Handle>(++lastHandle);
}

[[maybe_unused]] HDEVINFO NoSet(DWORD code) {
  standin::SetError(code);
  return INVALID_HANDLE_VALUE;
}

DeviceSet* FindSet(HDEVINFO handle) {
  const auto found = sets.find(reinterpret_cast<uintptr_t>(handle));
  if (found == sets.end()) {
    standin::SetError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return &found->second;
}

// The device an SP_DEVINFO_DATA filled from `handle` stands for.
SetDevice* FindDevice(HDEVINFO handle, PSP_DEVINFO_DATA data) {
  DeviceSet* set = FindSet(handle);
  if (set == nullptr) return nullptr;
  if (data == nullptr || data->cbSize != sizeof(SP_DEVINFO_DATA)) {
    standin::SetError(ERROR_INVALID_USER_BUFFER);
    return nullptr;
  }
  if (data->Reserved == 0 || data->Reserved > set->devices.size()) {
    standin::SetError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return &set->devices[data->Reserved - 1];
}

[[maybe_unused]] void Fill(const SetDevice& device, size_t index, PSP_DEVINFO_DATA data) {
  data->ClassGuid = device.classGuid;
  data->DevInst = device.devInst;
  data->Reserved = index + 1;
}

[[maybe_unused]] Property Text(const std::string& text) {
  Property property{REG_SZ, std::vector<BYTE>(text.begin(), text.end())};
  property.data.push_back(0);
  return property;
}

[[maybe_unused]] Property List(const std::vector<std::string>& entries) {
  Property property{REG_MULTI_SZ, {}};
  for (const std::string& entry : entries) {
    property.data.insert(property.data.end(), entry.begin(), entry.end());
    property.data.push_back(0);
  }
  property.data.push_back(0);
  return property;
}

[[maybe_unused]] DWORD TypeOf(DWORD property) {
  if (property == SPDRP_HARDWAREID || property == SPDRP_COMPATIBLEIDS) return REG_MULTI_SZ;
  if (property == SPDRP_CONFIGFLAGS) return REG_DWORD;
  return REG_SZ;
}

// A property as one journal field: texts as they are, lists joined by ',',
// numbers in decimal.
[[maybe_unused]] std::string JournalText(const Property& property) {
  if (property.type == REG_DWORD && property.data.size() >= 4) {
    uint32_t value = 0;
    std::memcpy(&value, property.data.data(), 4);
    return std::to_string(value);
  }
  std::string text;
  size_t start = 0;
  while (start < property.data.size() && property.data[start] != 0) {
    size_t end = start;
    while (end < property.data.size() && property.data[end] != 0) ++end;
    if (!text.empty()) text += ",";
    text.append(property.data.begin() + static_cast<std::ptrdiff_t>(start),
                property.data.begin() + static_cast<std::ptrdiff_t>(end));
    if (property.type != REG_MULTI_SZ) break;
    start = end + 1;
  }
  return text;
}

[[maybe_unused]] std::string JournalProperty(const SetDevice& device, DWORD property) {
  const auto found = device.properties.find(property);
  return found == device.properties.end() ? std::string() : JournalText(found->second);
}

[[maybe_unused]] SetDevice FromMachine(const MachineDevice& machine, DWORD devInst) {
  SetDevice device;
  device.instanceId = machine.instanceId;
  device.devInst = devInst;
  if (machine.classGuid) {
    device.classGuid = standin::ParseGuid(*machine.classGuid).value_or(GUID{});
    device.properties[SPDRP_CLASSGUID] = Text(*machine.classGuid);
  }
  if (!machine.hardwareIds.empty()) device.properties[SPDRP_HARDWAREID] = List(machine.hardwareIds);
  if (!machine.compatibleIds.empty()) {
    device.properties[SPDRP_COMPATIBLEIDS] = List(machine.compatibleIds);
  }
  if (machine.description) device.properties[SPDRP_DEVICEDESC] = Text(*machine.description);
  if (machine.className) device.properties[SPDRP_CLASS] = Text(*machine.className);
  device.properties[SPDRP_ENUMERATOR_NAME] = Text(machine.enumerator);
  return device;
}

bool SameInstance(const std::string& a, const std::string& b) {
  return strcasecmp(a.c_str(), b.c_str()) == 0;
}

[[maybe_unused]] bool Removed(const std::string& instanceId) {
  for (const std::string& removed : removedDevices) {
    if (SameInstance(removed, instanceId)) return true;
  }
  return false;
}

// The text of a REG_SZ property, "" when the device lacks it.
[[maybe_unused]] std::string PropertyText(const SetDevice& device, DWORD property) {
  const auto found = device.properties.find(property);
  if (found == device.properties.end()) return std::string();
  const std::vector<BYTE>& data = found->second.data;
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

[[maybe_unused]] std::string GuidOrDash(const GUID* guid) {
  return guid ? standin::GuidText(*guid) : "-";
}

[[maybe_unused]] std::string Hex(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

[[maybe_unused]] std::string Trimmed(const std::string& text) {
  const char* blanks = " \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Class and ClassGUID of an INF's [Version] section (quotes and comments
// removed); false when the file cannot be read.
[[maybe_unused]] bool ReadInfClass(const char* path, std::string& className,
                                   std::string& classGuid) {
  std::ifstream in(standin::HostPath(path), std::ios::binary);
  if (!in) return false;
  std::string line;
  bool inVersion = false;
  while (std::getline(in, line)) {
    line = Trimmed(line.substr(0, line.find(';')));
    if (line.empty()) continue;
    if (line.front() == '[') {
      inVersion = strcasecmp(line.c_str(), "[Version]") == 0;
      continue;
    }
    const size_t equals = line.find('=');
    if (!inVersion || equals == std::string::npos) continue;
    const std::string key = Trimmed(line.substr(0, equals));
    std::string value = Trimmed(line.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    if (strcasecmp(key.c_str(), "Class") == 0) className = value;
    if (strcasecmp(key.c_str(), "ClassGUID") == 0) classGuid = value;
  }
  return true;
}

}  // namespace

#if !defined(STANDIN_WITHOUT_SetupDiGetINFClassA)
STANDIN_EXPORT BOOL SetupDiGetINFClassA(PCSTR infName, LPGUID classGuid, PSTR className,
                                        DWORD classNameSize, PDWORD requiredSize) {
  if (infName == nullptr) return standin::Fail(ERROR_INVALID_PARAMETER);
  std::string name;
  std::string guid;
  if (!ReadInfClass(infName, name, guid)) return standin::Fail(ERROR_FILE_NOT_FOUND);
  if (name.empty() && guid.empty()) return standin::Fail(ERROR_INVALID_CLASS);
  if (classGuid != nullptr) *classGuid = standin::ParseGuid(guid).value_or(GUID{});
  const auto needed = static_cast<DWORD>(name.size() + 1);
  if (requiredSize != nullptr) *requiredSize = needed;
  if (className == nullptr || classNameSize < needed) {
    return standin::Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(className, name.c_str(), needed);
  return TRUE;
}
#endif

#if !defined(STANDIN_WITHOUT_SetupDiGetClassDevsA)
STANDIN_EXPORT HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND,
                                             DWORD flags) {
  standin::Journal("SetupDiGetClassDevsA", {Hex(flags), GuidOrDash(classGuid)});
  if (const auto fault = standin::Fault("SetupDiGetClassDevsA")) return NoSet(*fault);
  const bool allClasses = (flags & DIGCF_ALLCLASSES) != 0;
  if (!allClasses && classGuid == nullptr) return NoSet(ERROR_INVALID_PARAMETER);
  DeviceSet set;
  if (!allClasses) set.classGuid = *classGuid;
  const std::vector<MachineDevice> machine = nodexa::platform::ReadMachineDevices();
  std::vector<SetDevice> candidates;
  for (size_t i = 0; i < machine.size(); ++i) {
    if ((flags & DIGCF_PRESENT) != 0 && !machine[i].present) continue;
    if (Removed(machine[i].instanceId)) continue;
    candidates.push_back(FromMachine(machine[i], static_cast<DWORD>(i + 1)));
  }
  candidates.insert(candidates.end(), registeredDevices.begin(), registeredDevices.end());
  for (SetDevice& member : candidates) {
    if (enumerator != nullptr &&
        strcasecmp(enumerator, PropertyText(member, SPDRP_ENUMERATOR_NAME).c_str()) != 0) {
      continue;
    }
    if (!allClasses && !standin::SameGuid(member.classGuid, *classGuid)) continue;
    set.devices.push_back(std::move(member));
  }
  const auto handle = NewHandle<HDEVINFO>();
  sets.emplace(reinterpret_cast<uintptr_t>(handle), std::move(set));
  return handle;
}
#endif

#if !defined(STANDIN_WITHOUT_SetupDiEnumDeviceInfo)
STANDIN_EXPORT BOOL SetupDiEnumDeviceInfo(HDEVINFO handle, DWORD index, PSP_DEVINFO_DATA data) {
  const DeviceSet* set = FindSet(handle);
  if (set == nullptr) return FALSE;
  if (data == nullptr || data->cbSize != sizeof(SP_DEVINFO_DATA)) {
    return standin::Fail(ERROR_INVALID_USER_BUFFER);
  }
  if (index >= set->devices.size()) return standin::Fail(ERROR_NO_MORE_ITEMS);
  Fill(set->devices[index], index, data);
  return TRUE;
}
#endif

#if !defined(STANDIN_WITHOUT_SetupDiGetDeviceRegistryPropertyA)
STANDIN_EXPORT BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO handle, PSP_DEVINFO_DATA data,
                                                      DWORD property, PDWORD valueType,
                                                      PBYTE buffer, DWORD bufferSize,
                                                      PDWORD requiredSize) {
  const SetDevice* device = FindDevice(handle, data);
  if (device == nullptr) return FALSE;
  const auto found = device->properties.find(property);
  if (found == device->properties.end()) return standin::Fail(ERROR_INVALID_DATA);
  const std::vector<BYTE>& bytes = found->second.data;
  if (valueType != nullptr) *valueType = found->second.type;
  if (requiredSize != nullptr) *requiredSize = static_cast<DWORD>(bytes.size());
  if (buffer == nullptr && bufferSize != 0) return standin::Fail(ERROR_INVALID_USER_BUFFER);
  if (buffer == nullptr || bufferSize < bytes.size()) {
    return standin::Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(buffer, bytes.data(), bytes.size());
  return TRUE;
}
#endif

#if !defined(STANDIN_WITHOUT_SetupDiSetDeviceRegistryPropertyA)
STANDIN_EXPORT BOOL SetupDiSetDeviceRegistryPropertyA(HDEVINFO handle, PSP_DEVINFO_DATA data,
                                                      DWORD property, const BYTE* buffer,
                                                      DWORD bufferSize) {
  SetDevice* device = FindDevice(handle, data);
  if (device == nullptr) return FALSE;
  if (buffer == nullptr && bufferSize != 0) return standin::Fail(ERROR_INVALID_PARAMETER);
  Property value{TypeOf(property), std::vector<BYTE>(buffer, buffer + bufferSize)};
  standin::Journal("SetupDiSetDeviceRegistryPropertyA",
                   {device->instanceId, Hex(property), JournalText(value)});
  device->properties[property] = std::move(value);
  return TRUE;
}
#endif

#if !defined(STANDIN_WITHOUT_SetupDiCreateDeviceInfoList)
STANDIN_EXPORT HDEVINFO SetupDiCreateDeviceInfoList(const GUID* classGuid, HWND) {
  standin::Journal("SetupDiCreateDeviceInfoList", {GuidOrDash(classGuid)});
  DeviceSet set;
  if (classGuid != nullptr) set.classGuid = *classGuid;
  const auto handle = NewHandle<HDEVINFO>();
  sets.emplace(reinterpret_cast<uintptr_t>(handle), std::move(set));
  return handle;
}
#endif

#if !defined(STANDIN_WITHOUT_SetupDiCreateDeviceInfoA)
STANDIN_EXPORT BOOL SetupDiCreateDeviceInfoA(HDEVINFO handle, PCSTR deviceName,
                                             const GUID* classGuid, PCSTR description, HWND,
                                             DWORD creationFlags, PSP_DEVINFO_DATA data) {
  constexpr DWORD kInvalidDevinstName = 0xE0000205;
  DeviceSet* set = FindSet(handle);
  if (set == nullptr) return FALSE;
  if (deviceName == nullptr || *deviceName == '\0') return standin::Fail(kInvalidDevinstName);
  if (classGuid == nullptr) return standin::Fail(ERROR_INVALID_PARAMETER);
  if (set->classGuid && !standin::SameGuid(*set->classGuid, *classGuid)) {
    return standin::Fail(ERROR_CLASS_MISMATCH);
  }
  if (data != nullptr && data->cbSize != sizeof(SP_DEVINFO_DATA)) {
    return standin::Fail(ERROR_INVALID_USER_BUFFER);
  }
  SetDevice device;
  device.classGuid = *classGuid;
  device.properties[SPDRP_CLASSGUID] = Text(standin::GuidText(*classGuid));
  if (description != nullptr) device.properties[SPDRP_DEVICEDESC] = Text(description);
  if ((creationFlags & DICD_GENERATE_ID) != 0) {
    // ROOT\<NAME>\<number>, numbered after the root devices the tree has.
    std::string name = deviceName;
    for (char& c : name) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    const std::string prefix = "ROOT\\" + name + "\\";
    unsigned number = 0;
    for (const MachineDevice& existing : nodexa::platform::ReadMachineDevices()) {
      if (strncasecmp(existing.instanceId.c_str(), prefix.c_str(), prefix.size()) == 0) ++number;
    }
    for (const std::vector<SetDevice>* devices : {&set->devices, &registeredDevices}) {
      for (const SetDevice& existing : *devices) {
        if (strncasecmp(existing.instanceId.c_str(), prefix.c_str(), prefix.size()) == 0) {
          ++number;
        }
      }
    }
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%04u", number);
    device.instanceId = prefix + suffix;
    device.properties[SPDRP_ENUMERATOR_NAME] = Text("ROOT");
  } else {
    device.instanceId = deviceName;
    device.properties[SPDRP_ENUMERATOR_NAME] =
        Text(device.instanceId.substr(0, device.instanceId.find('\\')));
  }
  standin::Journal("SetupDiCreateDeviceInfoA", {device.instanceId});
  set->devices.push_back(std::move(device));
  if (data != nullptr) Fill(set->devices.back(), set->devices.size() - 1, data);
  return TRUE;
}
#endif

#if !defined(STANDIN_WITHOUT_SetupDiCallClassInstaller)
STANDIN_EXPORT BOOL SetupDiCallClassInstaller(DI_FUNCTION function, HDEVINFO handle,
                                              PSP_DEVINFO_DATA data) {
  const SetDevice* device = FindDevice(handle, data);
  if (device == nullptr) return FALSE;
  if (function == DIF_REMOVE) {
    standin::Journal("SetupDiCallClassInstaller", {"DIF_REMOVE", device->instanceId});
  } else if (function == DIF_REGISTERDEVICE) {
    standin::Journal("SetupDiCallClassInstaller", {"DIF_REGISTERDEVICE", device->instanceId,
                                                   JournalProperty(*device, SPDRP_HARDWAREID),
                                                   JournalProperty(*device, SPDRP_CONFIGFLAGS)});
  } else {
    standin::Journal("SetupDiCallClassInstaller", {Hex(function), device->instanceId});
  }
  if (const auto fault = standin::Fault("SetupDiCallClassInstaller")) {
    return standin::Fail(*fault);
  }
  if (function == DIF_REMOVE) {
    removedDevices.push_back(device->instanceId);
    for (auto it = registeredDevices.begin(); it != registeredDevices.end(); ++it) {
      if (SameInstance(it->instanceId, device->instanceId)) {
        registeredDevices.erase(it);
        break;
      }
    }
  } else if (function == DIF_REGISTERDEVICE) {
    SetDevice registered = *device;
    registered.devInst = 0;
    registeredDevices.push_back(std::move(registered));
  }
  return TRUE;
}
#endif

#if !defined(STANDIN_WITHOUT_SetupDiDestroyDeviceInfoList)
STANDIN_EXPORT BOOL SetupDiDestroyDeviceInfoList(HDEVINFO handle) {
  if (sets.erase(reinterpret_cast<uintptr_t>(handle)) == 0) {
    return standin::Fail(ERROR_INVALID_HANDLE);
  }
  standin::Journal("SetupDiDestroyDeviceInfoList");
  return TRUE;
}
#endif

#if !defined(STANDIN_WITHOUT_SetupOpenInfFileA)
STANDIN_EXPORT HINF SetupOpenInfFileA(PCSTR fileName, PCSTR, DWORD, PUINT errorLine) {
  if (errorLine != nullptr) *errorLine = 0;
  if (fileName == nullptr || !std::ifstream(standin::HostPath(fileName))) {
    standin::SetError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  const auto handle = NewHandle<HINF>();
  infFiles.emplace(reinterpret_cast<uintptr_t>(handle), fileName);
  return handle;
}
#endif

#if !defined(STANDIN_WITHOUT_SetupCloseInfFile)
STANDIN_EXPORT void SetupCloseInfFile(HINF inf) {
  infFiles.erase(reinterpret_cast<uintptr_t>(inf));
}
#endif

#if !defined(STANDIN_WITHOUT_SetupDiOpenDevRegKey)
STANDIN_EXPORT HKEY SetupDiOpenDevRegKey(HDEVINFO handle, PSP_DEVINFO_DATA data, DWORD scope, DWORD,
                                         DWORD keyType, REGSAM desired) {
  const HKEY invalid = reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE);
  const SetDevice* device = FindDevice(handle, data);
  if (device == nullptr) return invalid;
  if (scope != DICS_FLAG_GLOBAL || keyType != DIREG_DEV) {
    standin::SetError(ERROR_INVALID_FLAGS);
    return invalid;
  }
  HKEY key = nullptr;
  const LONG status = standin::OpenKey(
      HKEY_LOCAL_MACHINE, nodexa::platform::DeviceHardwareKey(device->instanceId).c_str(), desired,
      &key);
  if (status != static_cast<LONG>(ERROR_SUCCESS)) {
    standin::SetError(static_cast<DWORD>(status));
    return invalid;
  }
  return key;
}
#endif
