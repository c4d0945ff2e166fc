#include "device.h"

#include <cstddef>
#include <cstring>
#include <ostream>

#include "device/device_info_set.h"
#include "frame/debug_log.h"
#include "frame/module_loading.h"
#include "frame/setup_medium.h"
#include "frame/string_toolkit.h"
#include "support/file_removal.h"
#include "support/inf_file.h"
#include "support/os_info.h"
#include "support/registry.h"
#include "support/system_path.h"

namespace nodexa {

namespace {

constexpr char kPortNameValue[] = "PortName";
constexpr char kRootEnumerator[] = "ROOT";
constexpr char kUnknownClass[] = "UNKNOWN";
constexpr char kOemInfPattern[] = "oem*.inf";
constexpr DWORD kPortNameSize = 260;
constexpr int32_t kInfDirectoryCode = 20;
// CONFIGFLAG_MANUAL_INSTALL (regstr.h): the device was made by hand, not
// found by an enumerator.
constexpr DWORD kManualInstallFlag = 0x4;
// A property whose size keeps growing between calls is given up after this
// many tries; the services never do that, a broken one must not loop.
constexpr int kPropertyReadTries = 8;

// Which devices an operation acts on.
enum Match : int32_t {
  ByHardwareId,
  ByDescription,
  UnknownClassWithId,
  RootEnumeratedWithId,
};

// What an operation does with a matching device.
enum class Action {
  Remove,          // DIF_REMOVE, whatever the outcome
  RemoveRootOnce,  // DIF_REMOVE; stop after a success, log a failure
  RemoveLogged,    // DIF_REMOVE; log a failure
  NodeStatus,      // a readable device-node status answers "1" and stops
  FirstPort,       // the PortName into the buffer, then stop
  AppendPort,      // a non-empty PortName onto the '|'-joined list
};

struct OperationRow {
  int32_t code;
  Match match;
  Action action;
};

constexpr OperationRow kOperations[] = {
    {Device::RemoveUnknownOperation, UnknownClassWithId, Action::Remove},
    {Device::RemoveRootOperation, RootEnumeratedWithId, Action::RemoveRootOnce},
    {Device::RemoveAnyOperation, ByHardwareId, Action::RemoveLogged},
    {Device::PresentOperation, ByHardwareId, Action::NodeStatus},
    {Device::PresentByDescriptionOperation, ByDescription, Action::NodeStatus},
    {Device::FirstPortOperation, ByHardwareId, Action::FirstPort},
    {Device::PortsOperation, ByHardwareId, Action::AppendPort},
};

const OperationRow* FindOperation(int32_t code) {
  for (const OperationRow& row : kOperations) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

// Through the generic function pointer type, as GetProcAddress's contract
// asks.
template <typename Fn>
Fn As(FARPROC proc) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

// The system's INF decorations: the library runs as a 64-bit program, so
// the processor is amd64 whatever the registry says about the system.
InfPlatform CurrentInfPlatform() {
  const OSInfo os;
  return {isBuild64() || os.is64Bit() ? "amd64" : "x86", os.getMajor(), os.getMinor()};
}

// Upper case of A to Z only, as the rest of the library folds.
std::string UpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool SameNoCase(const std::string& a, const char* b) { return CompareNoCase(a.c_str(), b) == 0; }

}  // namespace

Device::Device(const std::string& identifier)
    : usable(true), setupApi(LoadSystemModule("SetupApi.dll")), hardwareId(identifier) {
  if (!setupApi) {
    usable = false;
    GetDebugLog() << "Device::ctor: Could not load SetupApi.dll!" << std::endl;
    return;
  }
  Bind(enumDeviceInfo, "SetupDiEnumDeviceInfo", "Device::ctor: no SetupDiEnumDeviceInfo function!");
  Bind(getINFClass, "SetupDiGetINFClassA", "Device::ctor: no SetupDiGetINFClassA function!");
  Bind(getClassDevs, "SetupDiGetClassDevsA", "Device::ctor: no SetupDiGetClassDevsA function!");
  Bind(destroyDeviceInfoList, "SetupDiDestroyDeviceInfoList",
       "Device::ctor: no SetupDiDestroyDeviceInfoListA function!");
  Bind(callClassInstaller, "SetupDiCallClassInstaller",
       "Device::ctor: no SetupDiCallClassInstallerA function!");
  Bind(getDeviceRegistryProperty, "SetupDiGetDeviceRegistryPropertyA",
       "Device::ctor: no SetupDiGetDeviceRegistryPropertyA function!");
  Bind(createDeviceInfo, "SetupDiCreateDeviceInfoA",
       "Device::ctor: no SetupDiCreateDeviceInfoW function!");
  Bind(createDeviceInfoList, "SetupDiCreateDeviceInfoList",
       "Device::ctor: no SetupDiCreateDeviceInfoList function!");
  Bind(setDeviceRegistryProperty, "SetupDiSetDeviceRegistryPropertyA",
       "Device::ctor: no SetupDiSetDeviceRegistryProperty function!");
  Bind(openInfFile, "SetupOpenInfFileA", "Device::ctor: no SetupOpenInfFile function!");
  Bind(closeInfFile, "SetupCloseInfFile", "Device::ctor: no SetupCloseInfFile function!");
  Bind(openDevRegKey, "SetupDiOpenDevRegKey", "Device::ctor: no SetupDiOpenDevRegKey function!");
}

Device::~Device() = default;

template <typename Fn>
void Device::Bind(Fn& function, const char* name, const char* missingLine) {
  function = As<Fn>(GetProcAddress(setupApi.get(), name));
  if (function == nullptr) {
    usable = false;
    GetDebugLog() << missingLine << std::endl;
  }
}

std::vector<BYTE> Device::ReadProperty(HDEVINFO set, SP_DEVINFO_DATA& data, DWORD property) const {
  DWORD required = 0;
  if (getDeviceRegistryProperty(set, &data, property, nullptr, nullptr, 0, &required)) return {};
  std::vector<BYTE> buffer;
  DWORD last = 0;
  for (int tries = 0; required > last && tries < kPropertyReadTries; ++tries) {
    buffer.assign(required, 0);
    last = required;
    if (getDeviceRegistryProperty(set, &data, property, nullptr, buffer.data(), last, &required)) {
      if (required < last) buffer.resize(required);
      return buffer;
    }
  }
  return {};
}

std::string Device::ReadText(HDEVINFO set, SP_DEVINFO_DATA& data, DWORD property) const {
  const std::vector<BYTE> bytes = ReadProperty(set, data, property);
  size_t length = 0;
  while (length < bytes.size() && bytes[length] != 0) ++length;
  return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

// The property as a list of NUL-terminated entries ending in an empty one
// (a single text is a list of one).
bool Device::HasEntry(HDEVINFO set, SP_DEVINFO_DATA& data, DWORD property,
                      const std::string& wanted) const {
  const std::vector<BYTE> bytes = ReadProperty(set, data, property);
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = start;
    while (end < bytes.size() && bytes[end] != 0) ++end;
    if (end == start) break;
    const std::string entry(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                            bytes.begin() + static_cast<std::ptrdiff_t>(end));
    if (CompareNoCase(entry, wanted) == 0) return true;
    start = end + 1;
  }
  return false;
}

bool Device::HasHardwareId(HDEVINFO set, SP_DEVINFO_DATA& data, const std::string& wanted) const {
  return HasEntry(set, data, SPDRP_HARDWAREID, wanted);
}

bool Device::HasDeviceDescription(HDEVINFO set, SP_DEVINFO_DATA& data,
                                  const std::string& wanted) const {
  return HasEntry(set, data, SPDRP_DEVICEDESC, wanted);
}

std::string Device::ReadPortName(HDEVINFO set, SP_DEVINFO_DATA& data) const {
  const HKEY opened = openDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
  if (opened == nullptr || opened == reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE)) return "";
  const UniqueRegistryKey key(opened);
  char value[kPortNameSize] = {};
  DWORD size = kPortNameSize;
  DWORD type = REG_NONE;
  if (RegQueryValueExA(key.get(), kPortNameValue, nullptr, &type, reinterpret_cast<LPBYTE>(value),
                       &size) != static_cast<LONG>(ERROR_SUCCESS) ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return "";
  }
  return std::string(value, strnlen(value, size < kPortNameSize ? size : kPortNameSize));
}

bool Device::Matches(int32_t match, HDEVINFO set, SP_DEVINFO_DATA& data,
                     const std::string& identifier) const {
  switch (match) {
    case ByHardwareId:
      return HasHardwareId(set, data, identifier);
    case ByDescription:
      return HasDeviceDescription(set, data, identifier);
    case UnknownClassWithId:
      return SameNoCase(ReadText(set, data, SPDRP_CLASS), kUnknownClass) &&
             HasHardwareId(set, data, identifier);
    case RootEnumeratedWithId:
      return SameNoCase(ReadText(set, data, SPDRP_ENUMERATOR_NAME), kRootEnumerator) &&
             HasHardwareId(set, data, identifier);
    default:
      return false;
  }
}

bool Device::ForEachDevice(int32_t operation, std::string& buffer, const std::string& identifier,
                           uint32_t flags, const std::string& infFile) {
  const OperationRow* row = FindOperation(operation);
  if (!usable || row == nullptr) return false;

  GUID classGuid{};
  bool oneClass = false;
  if (!infFile.empty()) {
    char className[MAX_CLASS_NAME_LEN] = {};
    DWORD required = 0;
    oneClass =
        getINFClass(infFile.c_str(), &classGuid, className, MAX_CLASS_NAME_LEN, &required) != FALSE;
  }
  DWORD classFlags = 0;
  if ((flags & PresentOnly) != 0) classFlags |= DIGCF_PRESENT;
  if (!oneClass) classFlags |= DIGCF_ALLCLASSES;
  const UniqueDeviceInfoSet devices =
      OwnDeviceInfoSet(getClassDevs(oneClass ? &classGuid : nullptr, nullptr, nullptr, classFlags),
                       destroyDeviceInfoList);
  if (!devices) return false;
  const HDEVINFO set = devices.get().set;

  // The configuration manager only for the operations that ask it.
  UniqueModule configManager;
  setupapi::CM_Get_DevNode_StatusFn nodeStatus = nullptr;
  if (row->action == Action::NodeStatus) {
    configManager.reset(LoadSystemModule("cfgmgr32.dll"));
    if (!configManager) {
      GetDebugLog() << "Device::ForEachDevice: Could not load cfgmgr32.dll!" << std::endl;
    } else {
      nodeStatus = As<setupapi::CM_Get_DevNode_StatusFn>(
          GetProcAddress(configManager.get(), "CM_Get_DevNode_Status"));
      if (nodeStatus == nullptr) {
        GetDebugLog() << "Device::ForEachDevice: no CM_Get_DevNode_Status function!" << std::endl;
      }
    }
  }

  std::string list;
  for (DWORD index = 0;; ++index) {
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    if (!enumDeviceInfo(set, index, &data)) break;
    if ((flags & IncludeRoot) == 0 &&
        SameNoCase(ReadText(set, data, SPDRP_ENUMERATOR_NAME), kRootEnumerator)) {
      continue;
    }
    if (!Matches(row->match, set, data, identifier)) continue;

    bool goOn = true;
    switch (row->action) {
      case Action::Remove:
        callClassInstaller(DIF_REMOVE, set, &data);
        break;
      case Action::RemoveRootOnce:
        if (callClassInstaller(DIF_REMOVE, set, &data)) {
          goOn = false;
        } else {
          GetDebugLog() << "Failed to remove root device" << std::endl;
        }
        break;
      case Action::RemoveLogged:
        if (!callClassInstaller(DIF_REMOVE, set, &data)) {
          GetDebugLog() << "Failed to remove device " << identifier << std::endl;
        }
        break;
      case Action::NodeStatus: {
        ULONG status = 0;
        ULONG problem = 0;
        if (nodeStatus != nullptr && nodeStatus(&status, &problem, data.DevInst, 0) == CR_SUCCESS) {
          buffer = "1";
          goOn = false;
        }
        break;
      }
      case Action::FirstPort:
        buffer = ReadPortName(set, data);
        goOn = false;
        break;
      case Action::AppendPort: {
        const std::string port = ReadPortName(set, data);
        if (port.empty()) break;
        const size_t length = list.size() + (list.empty() ? 0 : 1) + port.size();
        if (length >= kPortNameSize) {
          GetDebugLog() << "Device::GetPorts: no room for port " << port << std::endl;
          break;
        }
        if (!list.empty()) list += "|";
        list += port;
        break;
      }
    }
    if (!goOn) break;
  }
  if (row->action == Action::AppendPort) buffer = list;
  return true;
}

std::string Device::GetPorts() {
  std::string ports;
  ForEachDevice(PortsOperation, ports, hardwareId, PresentOnly);
  return ports;
}

void Device::RemoveUnknownDevices(bool includeRoot, const std::string& identifier) {
  std::string unused;
  ForEachDevice(RemoveUnknownOperation, unused, identifier,
                PresentOnly | (includeRoot ? IncludeRoot : 0u));
}

bool Device::RemoveRootDevice(const std::string& identifier) {
  std::string unused;
  ForEachDevice(RemoveRootOperation, unused, identifier, PresentOnly | IncludeRoot);
  return true;
}

bool Device::IsPresent(bool includeRoot, const std::string& identifier) {
  std::string answer;
  ForEachDevice(PresentOperation, answer, identifier.empty() ? hardwareId : identifier,
                PresentOnly | (includeRoot ? IncludeRoot : 0u));
  return answer == "1";
}

bool Device::CreateRootDevice() {
  if (!usable) return false;
  if (IsPresent(true, hardwareId)) return true;

  GUID classGuid{};
  char className[MAX_CLASS_NAME_LEN] = {};
  if (!getINFClass(infPath.c_str(), &classGuid, className, MAX_CLASS_NAME_LEN, nullptr)) {
    GetDebugLog() << "Device::CreateRootDevice: no device class in " << infPath << std::endl;
    return false;
  }
  className[MAX_CLASS_NAME_LEN - 1] = '\0';
  const UniqueDeviceInfoSet devices =
      OwnDeviceInfoSet(createDeviceInfoList(&classGuid, nullptr), destroyDeviceInfoList);
  SP_DEVINFO_DATA data{};
  data.cbSize = sizeof data;
  bool created = devices && createDeviceInfo(devices.get().set, className, &classGuid, nullptr,
                                             nullptr, DICD_GENERATE_ID, &data);
  if (created) {
    const DWORD configFlags = kManualInstallFlag;
    BYTE flagBytes[sizeof configFlags];
    std::memcpy(flagBytes, &configFlags, sizeof configFlags);
    std::string identifiers = hardwareId;
    identifiers.append(2, '\0');
    created = setDeviceRegistryProperty(devices.get().set, &data, SPDRP_CONFIGFLAGS, flagBytes,
                                        sizeof flagBytes) &&
              setDeviceRegistryProperty(devices.get().set, &data, SPDRP_HARDWAREID,
                                        reinterpret_cast<const BYTE*>(identifiers.data()),
                                        static_cast<DWORD>(identifiers.size())) &&
              callClassInstaller(DIF_REGISTERDEVICE, devices.get().set, &data);
  }
  if (!created) {
    GetDebugLog() << "Failed to create root device for " << hardwareId << std::endl;
    return false;
  }
  return true;
}

bool Device::UpdateDriver(HWND parent, bool& restartNeeded) {
  restartNeeded = false;
  const UniqueModule newdev(LoadSystemModule("newdev.dll"));
  if (!newdev) {
    GetDebugLog() << "Device::UpdateDriver: Could not load newdev.dll!" << std::endl;
    return false;
  }
  const auto update = As<setupapi::UpdateDriverForPlugAndPlayDevicesAFn>(
      GetProcAddress(newdev.get(), "UpdateDriverForPlugAndPlayDevicesA"));
  if (update == nullptr) {
    GetDebugLog() << "Device::UpdateDriver: no UpdateDriverForPlugAndPlayDevicesA function!"
                  << std::endl;
    return false;
  }
  const std::string& inf = driverInfPath.empty() ? infPath : driverInfPath;
  BOOL reboot = FALSE;
  const BOOL updated = update(parent, hardwareId.c_str(), inf.c_str(), 0, &reboot);
  const DWORD error = GetLastError();
  restartNeeded = reboot != FALSE;
  if (updated) return true;
  if (error == ERROR_CANCELLED) {
    GetDebugLog() << "User has cancelled the UpdatePnP and uninstaller will be launched. "
                  << std::endl;
    return false;
  }
  if (error == ERROR_UNKNOWN_PORT) {
    GetDebugLog() << "UpdatePnP returned code " << error << ". Ingnore it." << std::endl;
  } else {
    GetDebugLog() << "UpdatePnP failed with error " << error << ". Installation will continue."
                  << std::endl;
  }
  return true;
}

std::string Device::FindOemInf() const {
  if (hardwareId.empty()) return std::string();
  const SystemPath infDirectory(kInfDirectoryCode);
  const std::string folder = infDirectory.GetDirectory();
  if (folder.empty()) return std::string();
  const InfPlatform platform = CurrentInfPlatform();

  WIN32_FIND_DATAA found{};
  const UniqueFind search(FindFirstFileA((folder + "\\" + kOemInfPattern).c_str(), &found));
  if (!search) return std::string();
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::string path =
        folder + "\\" + std::string(found.cFileName, strnlen(found.cFileName, MAX_PATH));
    if (!InfFile(path).FindModelInstallSection(hardwareId, platform).empty()) return path;
  } while (FindNextFileA(search.get(), &found));
  return std::string();
}

bool Device::install() {
  if (!usable) {
    GetDebugLog() << "Device::install: SetupAPI library was not loaded. Stop." << std::endl;
    return false;
  }
  RemoveUnknownDevices(true, hardwareId);
  if (infPath.empty()) {
    GetDebugLog() << "Device::install: No inf for this device. Stop." << std::endl;
    return true;
  }
  if (!CreateRootDevice()) return false;
  bool restartNeeded = false;
  const bool updated = UpdateDriver(nullptr, restartNeeded);
  RemoveRootDevice(hardwareId);
  if (restartNeeded) rebootRequired = true;
  return updated;
}

bool Device::uninstall() {
  std::string unused;
  ForEachDevice(RemoveAnyOperation, unused, hardwareId, IncludeRoot);
  std::string inf = UpperCase(FindOemInf());
  if (!inf.empty()) {
    RemoveFile(inf);
    ReplaceAll(inf, ".INF", ".PNF");
    RemoveFile(inf);
  }
  return false;
}

}  // namespace nodexa
