#include "discovered_ports.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "discovery/discovered_device.h"
#include "discovery/discovery_run.h"
#include "discovery/port_results.h"
#include "discovery/product_ini.h"
#include "frame/string_toolkit.h"
#include "support/ini_file.h"
#include "support/resolver.h"

namespace nodexa {

namespace {

constexpr char kTag[] = "hcpGetDiscoveredPorts:";
constexpr char kMarker[] = "%DiscoveredPrinter%|";
constexpr char kMaker[] = "Quorvex";

std::string Join(std::initializer_list<std::string_view> fields) {
  size_t length = fields.size();
  for (std::string_view field : fields) length += field.size();
  std::string record;
  record.reserve(length);
  bool first = true;
  for (std::string_view field : fields) {
    if (!first) record += '|';
    first = false;
    record += field;
  }
  return record;
}

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

DiscoveredPortRecords::DiscoveredPortRecords(std::vector<std::string> models,
                                             const std::string& type, const IniFile& product,
                                             bool marked)
    : modelList(std::move(models)),
      kind(CompareNoCase(type, "Inkjet") == 0         ? Kind::Inkjet
           : CompareNoCase(type, "LaserPrinter") == 0 ? Kind::LaserPrinter
           : CompareNoCase(type, "LaserScanner") == 0 ? Kind::LaserScanner
                                                      : Kind::None),
      settings(product),
      brand(product.GetValue("General", "OEMDisplay")),
      marker(marked ? kMarker : "") {}

std::string DiscoveredPortRecords::ConfiguredPortName(const DiscoveredDevice& device) {
  if (!portNamePrefix) {
    portNamePrefix = settings.GetValue("NetworkStuff", "PORTNAME_PREFIX");
    std::replace(portNamePrefix->begin(), portNamePrefix->end(), ' ', '_');
  }
  // A MAC address shorter than six characters is taken whole.
  return *portNamePrefix + "_" + Right(device.macUaa, 6) + "_P" + device.adapterPort;
}

const std::string& DiscoveredPortRecords::UnconfiguredPortName() {
  if (!unconfiguredName) unconfiguredName = Resolver::Resolve("unconfigured");
  return *unconfiguredName;
}

std::optional<std::string> DiscoveredPortRecords::Build(const std::string& description) {
  const DiscoveredDevice device = ReadDiscoveredDevice(description);
  if (device.modelId) modelId = *device.modelId;

  const bool configured = IsConfigured(device);
  const std::string_view flag = configured ? "1" : "-1";
  const std::string_view bidi = BidiText(device.adapterCap);
  const std::string markedAddress = marker + device.ipAddress;

  if ((kind == Kind::Inkjet || kind == Kind::LaserPrinter) && !modelList.empty()) {
    const auto model =
        std::find_if(modelList.begin(), modelList.end(), [&](const std::string& entry) {
          return entry.find(device.strid1284) != std::string::npos;
        });
    if (model == modelList.end()) return std::nullopt;
    if (kind == Kind::LaserPrinter) {
      return Join({device.ipName, markedAddress, *model, flag, bidi});
    }
    const std::string portName = configured ? ConfiguredPortName(device) : UnconfiguredPortName();
    return Join({portName, markedAddress, *model, device.macUaa, flag, bidi, device.ipAddrSource,
                 device.broadcastAddress, device.ipName, device.ipGateway, device.ipNetmask});
  }

  if (kind == Kind::LaserScanner && modelList.empty() && !device.strid1284.empty() &&
      !brand.empty() && !modelId.empty()) {
    modelId.clear();
    const bool accepted = CompareNoCase(brand.c_str(), kMaker) == 0
                              ? StartsWith(device.strid1284, kMaker)
                              : device.strid1284.find(kMaker) == std::string::npos;
    if (!accepted) return std::nullopt;
    const std::string display = device.ipName + "(" + device.ipAddress + ")";
    const std::string scannerName = device.strid1284 + " MFP";
    return Join({display, device.ipName, markedAddress, scannerName, flag, bidi});
  }
  return std::nullopt;
}

void hcpGetDiscoveredPorts(const std::string& parameters, const std::string& filter,
                           std::vector<std::string> models, std::string type) {
  std::optional<std::vector<std::string>> devices = DiscoveryRun(kTag, parameters, filter);
  if (!devices) return;

  // Read once for the whole search: the brand here, the port-name prefix
  // for each configured inkjet printer.
  const IniFile product(ProductIniPath(), true);
  DiscoveredPortRecords records(std::move(models), type, product, MarkDiscovered());
  std::vector<std::string>& results = PortResults();
  for (const std::string& description : *devices) {
    if (std::optional<std::string> record = records.Build(description)) {
      results.push_back(std::move(*record));
    }
  }
}

}  // namespace nodexa
