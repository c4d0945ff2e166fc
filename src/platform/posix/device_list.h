// The Plug and Play devices of the stand-in machine, from the machine
// folder's "devices.ini" (format in docs/posix-machine.md): one section per
// device instance, in the order the device tree lists them. Read afresh on
// every call. The registry stand-in builds each device's hardware key from
// it, and the stand-in SetupApi.dll and cfgmgr32.dll answer from it.
#ifndef NODEXA_PLATFORM_POSIX_DEVICE_LIST_H_
#define NODEXA_PLATFORM_POSIX_DEVICE_LIST_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nodexa::platform {

struct MachineDevice {
  // "USB\VID_1A2B&PID_0001\5&2C&0&1": the section's name.
  std::string instanceId;
  // The HardwareID and CompatibleID lines, in file order; an empty list
  // means the device has no such property.
  std::vector<std::string> hardwareIds;
  std::vector<std::string> compatibleIds;
  // DeviceDesc, Class and ClassGUID; none when the line is missing.
  std::optional<std::string> description;
  std::optional<std::string> className;
  std::optional<std::string> classGuid;
  // Enumerator, by default the instance identifier up to its first '\'.
  std::string enumerator;
  // Present=0 makes a phantom: known to the tree, not attached.
  bool present = true;
  // The PortName value of the device's hardware key; none when missing.
  std::optional<std::string> portName;
  // What CM_Get_DevNode_Status answers (NodeStatus): 0 by default for a
  // present device, 13 (CR_NO_SUCH_DEVNODE) for a phantom.
  uint32_t nodeStatus = 0;
};

std::vector<MachineDevice> ReadMachineDevices();

// The hardware key of a device (DIREG_DEV) below HKEY_LOCAL_MACHINE, where
// Windows keeps it: "SYSTEM\CurrentControlSet\Enum\<instance>\Device
// Parameters".
std::string DeviceHardwareKey(const std::string& instanceId);

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_POSIX_DEVICE_LIST_H_
