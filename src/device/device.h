// The Plug and Play devices that carry one hardware identifier, such as the
// USB printing devices of one printer model, over the platform's
// device-installation services.
//
//   Device device("USBPRINT\\QuorvexQX100");
//   std::string ports = device.GetPorts();     // "USB001|USB002"
//
// A Device lives for one operation of its user. It loads "SetupApi.dll" and
// binds its twelve functions when made, and releases the module when it
// goes; "newdev.dll" and "cfgmgr32.dll" are loaded only by the operations
// that need them and released before those return. Every device set it
// opens is destroyed before the operation returns.
//
// Failures are results: a Device whose SetupApi.dll could not be loaded or
// lacked a function is not usable ("Device::ctor: ..." logged once per
// missing piece) and finds no devices; a property that cannot be read makes
// a device not match. Log lines carry no "Nodexa::" prefix.
#ifndef NODEXA_DEVICE_DEVICE_H_
#define NODEXA_DEVICE_DEVICE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "device/setup_api.h"
#include "frame/platform_handles.h"

namespace nodexa {

class Device {
 public:
  // The operations of ForEachDevice.
  enum Operation : int32_t {
    RemoveUnknownOperation = 1,         // remove present "UNKNOWN"-class devices
    RemoveRootOperation = 2,            // remove the first root-enumerated device
    RemoveAnyOperation = 3,             // remove every device (uninstall)
    PresentOperation = 4,               // buffer "1" when one has a device-node status
    PresentByDescriptionOperation = 5,  // as 4, matching the device description
    FirstPortOperation = 7,             // buffer: the first device's PortName
    PortsOperation = 8,                 // buffer: every non-empty PortName, '|'-joined
  };
  // Flag bits of ForEachDevice.
  enum WalkFlags : uint32_t {
    PresentOnly = 1,  // only devices attached now
    IncludeRoot = 2,  // also root-enumerated devices
  };

  explicit Device(const std::string& identifier);
  virtual ~Device();
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  // Prepares the driver: removes stale "UNKNOWN" devices, then, given an
  // INF, creates a root-enumerated device, updates its driver and removes
  // it again. False when SetupApi is not usable, the root device cannot be
  // made or the update was cancelled; true without an INF.
  virtual bool install();
  // Removes every device with the identifier, present or not, and the INF
  // the system copied for it (with its .PNF). Always false.
  virtual bool uninstall();

  // The "PortName" values of the present, not root-enumerated devices with
  // the identifier, non-empty ones only, joined by '|' in enumeration
  // order. The list holds at most 259 characters: a name that would not fit
  // is left out (logged). "" when none or not usable.
  std::string GetPorts();
  // Removes every present device of class "UNKNOWN" with `identifier`.
  void RemoveUnknownDevices(bool includeRoot, const std::string& identifier);
  // Removes the first root-enumerated present device with `identifier`
  // (a failed removal is logged and the next one tried). Returns true.
  bool RemoveRootDevice(const std::string& identifier);
  // Whether a present device with `identifier` (the hardware identifier
  // when empty) has a readable device-node status.
  bool IsPresent(bool includeRoot, const std::string& identifier = std::string());
  // Makes a root-enumerated device for the hardware identifier in the class
  // `infPath` names, unless one is present already. False (logged) when it
  // cannot be made.
  bool CreateRootDevice();
  // Installs the driver of `driverInfPath` (or `infPath`) for the devices
  // with the identifier. False when newdev.dll or its function is missing
  // or the user cancelled; other failures are logged and count as success.
  // `restartNeeded` reports what the update said.
  bool UpdateDriver(HWND parent, bool& restartNeeded);
  // The full path of the first "oem*.inf" of the system's INF folder whose
  // models name the hardware identifier, or "".
  std::string FindOemInf() const;

  // Visits the devices with `identifier` and applies `operation` to them
  // (see Operation). With `infFile`, only devices of the class it names
  // are visited (all classes when it names none). Fills `buffer` as the
  // operation says. False when nothing could be visited: not usable, an
  // unknown operation or no device set.
  bool ForEachDevice(int32_t operation, std::string& buffer, const std::string& identifier,
                     uint32_t flags, const std::string& infFile = std::string());

  // The INF files install and uninstall use; empty after construction.
  void SetInfPath(const std::string& path) { infPath = path; }
  void SetDriverInfPath(const std::string& path) { driverInfPath = path; }
  const std::string& GetInfPath() const { return infPath; }
  const std::string& GetDriverInfPath() const { return driverInfPath; }
  const std::string& GetHardwareId() const { return hardwareId; }
  bool IsUsable() const { return usable; }

 private:
  template <typename Fn>
  void Bind(Fn& function, const char* name, const char* missingLine);

  std::vector<BYTE> ReadProperty(HDEVINFO set, SP_DEVINFO_DATA& data, DWORD property) const;
  std::string ReadText(HDEVINFO set, SP_DEVINFO_DATA& data, DWORD property) const;
  bool HasEntry(HDEVINFO set, SP_DEVINFO_DATA& data, DWORD property,
                const std::string& wanted) const;
  bool HasHardwareId(HDEVINFO set, SP_DEVINFO_DATA& data, const std::string& wanted) const;
  bool HasDeviceDescription(HDEVINFO set, SP_DEVINFO_DATA& data, const std::string& wanted) const;
  std::string ReadPortName(HDEVINFO set, SP_DEVINFO_DATA& data) const;
  bool Matches(int32_t match, HDEVINFO set, SP_DEVINFO_DATA& data,
               const std::string& identifier) const;

  std::string infPath;
  bool usable;
  UniqueModule setupApi;
  std::string hardwareId;
  std::string driverInfPath;

  setupapi::SetupDiGetINFClassAFn getINFClass = nullptr;
  setupapi::SetupDiEnumDeviceInfoFn enumDeviceInfo = nullptr;
  setupapi::SetupDiCreateDeviceInfoAFn createDeviceInfo = nullptr;
  setupapi::SetupDiCreateDeviceInfoListFn createDeviceInfoList = nullptr;
  setupapi::SetupDiDestroyDeviceInfoListFn destroyDeviceInfoList = nullptr;
  setupapi::SetupDiGetClassDevsAFn getClassDevs = nullptr;
  setupapi::SetupDiCallClassInstallerFn callClassInstaller = nullptr;
  setupapi::SetupDiGetDeviceRegistryPropertyAFn getDeviceRegistryProperty = nullptr;
  setupapi::SetupDiSetDeviceRegistryPropertyAFn setDeviceRegistryProperty = nullptr;
  setupapi::SetupOpenInfFileAFn openInfFile = nullptr;
  setupapi::SetupCloseInfFileFn closeInfFile = nullptr;
  setupapi::SetupDiOpenDevRegKeyFn openDevRegKey = nullptr;
};

}  // namespace nodexa

#endif  // NODEXA_DEVICE_DEVICE_H_
