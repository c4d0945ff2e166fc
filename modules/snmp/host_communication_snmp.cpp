// The host-communication module that finds printers with SNMP (see the
// README's "The SNMP discovery module"). The library calls one export at a
// time; the registered subnets and the last search's devices live as long
// as the module stays loaded.
//
// Results: 0 success; 50 Configure is not supported (no standard MIB sets
// a printer's address); 87 a null or malformed argument; 122 Enumerate's
// buffer is too small; 1 no socket to search with; 1359 an internal failure
// (out of memory).
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "snmp/device_discovery.h"
#include "snmp/device_record.h"
#include "snmp/host_system.h"
#include "snmp/ipv4.h"
#include "snmp/module_settings.h"

#if defined(_WIN32)
#define MODULE_EXPORT extern "C" __declspec(dllexport)
#else
#define MODULE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

using namespace nodexa::snmp;

constexpr int32_t kSuccess = 0;
constexpr int32_t kNoSocket = 1;
constexpr int32_t kNotSupported = 50;
constexpr int32_t kInvalidParameter = 87;
constexpr int32_t kInsufficientBuffer = 122;
constexpr int32_t kInternalError = 1359;

// Plain globals rather than function statics: they need no guarded
// initialisation, and they go with the module when it is unloaded.
std::vector<Subnet> registeredSubnets;
std::vector<DeviceRecord> foundDevices;

// The text of the first element `name` in tagged text, if there is one.
std::optional<std::string_view> ElementText(std::string_view text, std::string_view name) {
  const std::string open = "<" + std::string(name) + ">";
  const std::string close = "</" + std::string(name) + ">";
  const size_t begin = text.find(open);
  if (begin == std::string_view::npos) return std::nullopt;
  const size_t end = text.find(close, begin + open.size());
  if (end == std::string_view::npos) return std::nullopt;
  return text.substr(begin + open.size(), end - begin - open.size());
}

std::string SettingsPath() {
  std::string path = ModuleFilePath();
  const size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of("/\\");
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.resize(dot);
  return path.empty() ? path : path + ".ini";
}

// Which devices a filter asks for: "<CPDATTACHED>1</CPDATTACHED>" the ones
// the computer drives itself, "0" the others, anything else all.
std::optional<bool> WantedAttachment(const char* filter) {
  const std::optional<std::string_view> value =
      ElementText(filter != nullptr ? filter : "", "CPDATTACHED");
  if (value == "1") return true;
  if (value == "0") return false;
  return std::nullopt;
}

int32_t Search(const char* parameters) {
  if (parameters == nullptr) return kInvalidParameter;
  SearchPlan plan;
  plan.localSubnets = ElementText(parameters, "LocalSubnets") == "1";
  plan.remoteSubnets = registeredSubnets;
  if (const std::optional<std::string_view> remote = ElementText(parameters, "RemoteSubnets")) {
    const std::optional<std::vector<Subnet>> subnets = ParseSubnetList(*remote);
    if (!subnets) return kInvalidParameter;
    plan.remoteSubnets.insert(plan.remoteSubnets.end(), subnets->begin(), subnets->end());
  }
  foundDevices.clear();
  const std::optional<std::vector<DeviceAnswers>> devices =
      DiscoverDevices(ReadSettings(SettingsPath()), plan);
  if (!devices) return kNoSocket;
  for (const DeviceAnswers& device : *devices) foundDevices.push_back(MakeDeviceRecord(device));
  return kSuccess;
}

int32_t CopyDeviceList(char* buffer, uint32_t size, uint32_t* needed, const char* filter) {
  if (needed == nullptr) return kInvalidParameter;
  const std::optional<bool> wanted = WantedAttachment(filter);
  std::string list;
  for (const DeviceRecord& device : foundDevices) {
    if (wanted && *wanted != device.cpdAttached) continue;
    list += device.text;
    list += '\0';
  }
  if (list.size() > UINT32_MAX) return kInternalError;
  *needed = static_cast<uint32_t>(list.size());
  if (list.empty()) return kSuccess;
  if (buffer == nullptr || size < list.size()) return kInsufficientBuffer;
  std::memcpy(buffer, list.data(), list.size());
  return kSuccess;
}

int32_t KeepSubnets(const char* subnets) {
  if (subnets == nullptr) return kInvalidParameter;
  std::optional<std::vector<Subnet>> parsed = ParseSubnetList(subnets);
  if (!parsed) return kInvalidParameter;
  registeredSubnets = std::move(*parsed);
  return kSuccess;
}

}  // namespace

MODULE_EXPORT int32_t Initialize() { return kSuccess; }

MODULE_EXPORT int32_t Uninitialize() { return kSuccess; }

MODULE_EXPORT int32_t Discover(const char* parameters) {
  try {
    return Search(parameters);
  } catch (...) {
    return kInternalError;
  }
}

MODULE_EXPORT int32_t Enumerate(char* buffer, uint32_t size, uint32_t* needed, const char* filter) {
  try {
    return CopyDeviceList(buffer, size, needed, filter);
  } catch (...) {
    return kInternalError;
  }
}

MODULE_EXPORT int32_t Configure(const char* /*current*/, const char* /*requested*/) {
  return kNotSupported;
}

MODULE_EXPORT int32_t RegisterRemoteSubnets(const char* subnets) {
  try {
    return KeepSubnets(subnets);
  } catch (...) {
    return kInternalError;
  }
}
