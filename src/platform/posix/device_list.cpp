#include "device_list.h"

#include <strings.h>

#include <cstdlib>

#include "posix_machine.h"

namespace nodexa::platform {

namespace {

constexpr char kDevicesFile[] = "devices.ini";
constexpr uint32_t kNoSuchDevNode = 0x0D;

bool Is(const std::string& name, const char* key) { return strcasecmp(name.c_str(), key) == 0; }

// A decimal or 0x-prefixed number; none for anything else.
std::optional<uint32_t> Number(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 0);
  if (*end != '\0' || text[0] == '-' || value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<uint32_t>(value);
}

MachineDevice DeviceOf(const MachineSection& section) {
  MachineDevice device;
  device.instanceId = section.name;
  device.enumerator = section.name.substr(0, section.name.find('\\'));
  std::optional<uint32_t> nodeStatus;
  for (const auto& [key, value] : section.values) {
    if (Is(key, "HardwareID")) {
      device.hardwareIds.push_back(value);
    } else if (Is(key, "CompatibleID")) {
      device.compatibleIds.push_back(value);
    } else if (Is(key, "DeviceDesc")) {
      device.description = value;
    } else if (Is(key, "Class")) {
      device.className = value;
    } else if (Is(key, "ClassGUID")) {
      device.classGuid = value;
    } else if (Is(key, "Enumerator")) {
      device.enumerator = value;
    } else if (Is(key, "Present")) {
      device.present = value != "0";
    } else if (Is(key, "PortName")) {
      device.portName = value;
    } else if (Is(key, "NodeStatus")) {
      nodeStatus = Number(value);
    }
  }
  device.nodeStatus = nodeStatus.value_or(device.present ? 0 : kNoSuchDevNode);
  return device;
}

}  // namespace

std::vector<MachineDevice> ReadMachineDevices() {
  std::vector<MachineDevice> devices;
  for (const MachineSection& section : ReadMachineSections(kDevicesFile)) {
    if (!section.name.empty()) devices.push_back(DeviceOf(section));
  }
  return devices;
}

std::string DeviceHardwareKey(const std::string& instanceId) {
  return "SYSTEM\\CurrentControlSet\\Enum\\" + instanceId + "\\Device Parameters";
}

}  // namespace nodexa::platform
