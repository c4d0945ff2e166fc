#include "snmp/device_record.h"

#include "snmp/module_text.h"

namespace nodexa::snmp {
namespace {

std::string Printable(std::string_view value) {
  std::string out(value);
  for (char& c : out) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E || c == '<' || c == '>' || c == '&' || c == ';') c = '_';
  }
  return out;
}

void AddElement(std::string& record, std::string_view name, std::string_view value) {
  record += '<';
  record += name;
  record += '>';
  record += Printable(value);
  record += "</";
  record += name;
  record += '>';
}

std::string ModelName(const DeviceAnswers& device) {
  const std::string maker = DeviceIdField(device.deviceId, "MFG", "MANUFACTURER");
  const std::string model = DeviceIdField(device.deviceId, "MDL", "MODEL");
  if (model.empty()) return maker.empty() ? std::string(Trimmed(device.description)) : maker;
  if (maker.empty() || Upper(model).rfind(Upper(maker), 0) == 0) return model;
  return maker + ' ' + model;
}

bool NamesPageLanguage(const std::string& commandSet) {
  const std::string upper = Upper(commandSet);
  for (const char* language : {"PCL", "POSTSCRIPT", "PDF", "PJL"}) {
    if (upper.find(language) != std::string::npos) return true;
  }
  return false;
}

bool Scans(const std::string& deviceClass) {
  const std::string upper = Upper(deviceClass);
  return upper.find("MFP") != std::string::npos || upper.find("SCAN") != std::string::npos;
}

std::string HexDigits(std::string_view octets) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (const char c : octets) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

// A 1284 device ID as printers send it on their port starts with its length
// in two bytes (the count itself included); some agents keep them.
std::string_view WithoutLengthPrefix(std::string_view id) {
  if (id.size() < 2) return id;
  const size_t length = static_cast<size_t>(static_cast<unsigned char>(id[0])) << 8 |
                        static_cast<unsigned char>(id[1]);
  return length == id.size() || length == id.size() - 2 ? id.substr(2) : id;
}

}  // namespace

std::string DeviceIdField(std::string_view deviceId, std::string_view shortKey,
                          std::string_view longKey) {
  deviceId = WithoutLengthPrefix(deviceId);
  while (!deviceId.empty()) {
    const size_t end = deviceId.find(';');
    const std::string_view field = deviceId.substr(0, end);
    deviceId = end == std::string_view::npos ? std::string_view() : deviceId.substr(end + 1);
    const size_t colon = field.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string key = Upper(Trimmed(field.substr(0, colon)));
    if (key == shortKey || key == longKey) return std::string(Trimmed(field.substr(colon + 1)));
  }
  return {};
}

DeviceRecord MakeDeviceRecord(const DeviceAnswers& device) {
  const auto dotted = [](const std::optional<Ipv4>& address) {
    return address ? FormatIpv4(*address) : std::string();
  };
  std::optional<Ipv4> subnet;
  std::optional<Ipv4> broadcast;
  if (device.mask) {
    subnet = device.address & *device.mask;
    broadcast = device.address | ~*device.mask;
  }
  const bool cpd = !NamesPageLanguage(DeviceIdField(device.deviceId, "CMD", "COMMAND SET"));
  const bool scans = Scans(DeviceIdField(device.deviceId, "CLS", "CLASS"));

  DeviceRecord record;
  record.cpdAttached = cpd;
  std::string& text = record.text;
  AddElement(text, "IPNAME", device.sysName);
  AddElement(text, "IPADDRSOURCE", "0");
  AddElement(text, "IPADDRESS", FormatIpv4(device.address));
  AddElement(text, "IPNETMASK", dotted(device.mask));
  AddElement(text, "SUBNETADDRESS", dotted(subnet));
  AddElement(text, "BROADCASTADDRESS", dotted(broadcast));
  AddElement(text, "IPGATEWAY", FormatIpv4(device.gateway.value_or(0)));
  AddElement(text, "MACUAA", HexDigits(device.physAddress));
  AddElement(text, "ADAPTERPORT", "1");
  AddElement(text, "ADAPTERCAP", "262144");
  AddElement(text, "CPDATTACHED", cpd ? "1" : "0");
  AddElement(text, "1284STRID", ModelName(device));
  if (scans) AddElement(text, "MODEL_ID", DeviceIdField(device.deviceId, "MDL", "MODEL"));
  return record;
}

}  // namespace nodexa::snmp
