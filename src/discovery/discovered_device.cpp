#include "discovered_device.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#include "frame/string_toolkit.h"
#include "frame/text_search.h"
#include "platform/win32_api.h"
#include "rules/xml_document.h"

namespace nodexa {

namespace {

constexpr uint32_t kBidiBit = 1u << 18;
constexpr uint32_t kNoBidiBit = 1u << 11;
constexpr char kWrapper[] = "DiscoveredPort";
constexpr char kModuleStrid[] = "1284STRID";
constexpr char kXmlStrid[] = "STRID1284";

struct Field {
  std::string_view name;
  std::string DiscoveredDevice::*member;
};

constexpr Field kFields[] = {
    {"IPNAME", &DiscoveredDevice::ipName},
    {"IPADDRSOURCE", &DiscoveredDevice::ipAddrSource},
    {"BROADCASTADDRESS", &DiscoveredDevice::broadcastAddress},
    {"IPGATEWAY", &DiscoveredDevice::ipGateway},
    {"IPADDRESS", &DiscoveredDevice::ipAddress},
    {"ADAPTERCAP", &DiscoveredDevice::adapterCap},
    {"STRID1284", &DiscoveredDevice::strid1284},
    {"IPNETMASK", &DiscoveredDevice::ipNetmask},
    {"SUBNETADDRESS", &DiscoveredDevice::subnetAddress},
    {"MACUAA", &DiscoveredDevice::macUaa},
    {"ADAPTERPORT", &DiscoveredDevice::adapterPort},
};

// Host byte order; inet_addr answers INADDR_NONE (all ones) for what it
// rejects.
uint32_t HostAddress(const std::string& text) {
  const auto network = inet_addr(text.c_str());
  return static_cast<uint32_t>(ntohl(network));
}

}  // namespace

DiscoveredDevice ReadDiscoveredDevice(const std::string& description) {
  // "1284STRID" is no XML name (it starts with a digit): the parser would
  // stop at it, so the element is read under the name STRID1284. The name
  // is replaced while the description is copied into its wrapper (neither
  // of the wrapper's tags can hold or touch it); the search is built once.
  static const TextSearch kModuleName(kModuleStrid);
  std::string text;
  text.reserve(description.size() + 2 * sizeof kWrapper + 3);
  text.append("<").append(kWrapper).append(">");
  size_t copied = 0;
  for (size_t found = kModuleName.FindIn(description); found != std::string::npos;
       found = kModuleName.FindIn(description, copied)) {
    text.append(description, copied, found - copied).append(kXmlStrid);
    copied = found + sizeof kModuleStrid - 1;
  }
  text.append(description, copied, std::string::npos);
  text.append("</").append(kWrapper).append(">");

  // The wrapper is the document's root; the device's fields are its
  // children. (ReadTags would wrap the text once more and bury them a level
  // deeper, so the document is walked here directly.)
  DiscoveredDevice device;
  const size_t size = text.size() + 1;
  XmlDocument document(std::move(text), size);
  const XmlElement* root = document.GetRoot();
  if (root == nullptr) return device;
  std::vector<XmlElement*> children;
  root->GetChildren(children);
  for (const XmlElement* child : children) {
    const std::string& name = child->Name();
    if (EqualNoCase(name, "MODEL_ID")) {
      device.modelId = child->Text();
      continue;
    }
    for (const Field& field : kFields) {
      if (EqualNoCase(name, field.name)) {
        device.*field.member = child->Text();
        break;
      }
    }
  }
  return device;
}

bool IsConfigured(const DiscoveredDevice& device) {
  const uint32_t address = HostAddress(device.ipAddress);
  const uint32_t subnet = HostAddress(device.subnetAddress);
  const uint32_t mask = HostAddress(device.ipNetmask);
  const uint32_t network = mask & subnet;
  return (address & network) == network;
}

int32_t ReadCapability(const std::string& adapterCap) {
  size_t at = 0;
  while (at < adapterCap.size() && IsBlank(adapterCap[at])) ++at;
  bool negative = false;
  if (at < adapterCap.size() && (adapterCap[at] == '+' || adapterCap[at] == '-')) {
    negative = adapterCap[at] == '-';
    ++at;
  }
  // Accumulated as a magnitude that stops growing past the 32-bit range.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; at < adapterCap.size() && adapterCap[at] >= '0' && adapterCap[at] <= '9'; ++at) {
    magnitude = magnitude * 10 + (adapterCap[at] - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<int32_t>(-magnitude);
  return static_cast<int32_t>(std::min<int64_t>(magnitude, kLimit - 1));
}

const char* BidiText(const std::string& adapterCap) {
  const auto bits = static_cast<uint32_t>(ReadCapability(adapterCap));
  return (bits & kBidiBit) != 0 && (bits & kNoBidiBit) == 0 ? "Bidi" : "NoBidi";
}

}  // namespace nodexa
