#include "port_search.h"

#include <utility>
#include <vector>

#include "discovery/discovered_ports.h"
#include "discovery/local_ports.h"
#include "discovery/port_results.h"
#include "discovery/product_ini.h"
#include "frame/string_toolkit.h"
#include "frame/tagged_text.h"
#include "support/ini_file.h"
#include "support/product_config.h"

namespace nodexa {

namespace {

constexpr char kBaseParameters[] = "<UNICAST>1</UNICAST><LocalSubnets>1</LocalSubnets>";
constexpr char kDefaultMask[] = "255.255.255.0";

bool IsType(const std::string& type, const char* name) {
  return CompareNoCase(type.c_str(), name) == 0;
}

}  // namespace

std::string DiscoveryParameters(const std::vector<std::string>& request) {
  std::string parameters = kBaseParameters;
  if (request.size() < 2) return parameters;
  parameters += "<RemoteSubnets>";
  for (size_t i = 1; i < request.size(); ++i) {
    const std::string& subnet = request[i];
    parameters += subnet;
    if (subnet.find(':') == std::string::npos) parameters.append(":").append(kDefaultMask);
    parameters += ';';
  }
  return parameters + "</RemoteSubnets>";
}

std::string RequestedType(const std::vector<std::string>& request) {
  return request.empty() ? std::string() : request.front();
}

std::string EnumerationFilter(const std::string& type) {
  if (IsType(type, "Inkjet")) return MakeFlagTag("CPDATTACHED", true);
  if (IsType(type, "LaserPrinter") || IsType(type, "LaserScanner")) {
    return MakeFlagTag("CPDATTACHED", false);
  }
  return std::string();
}

void SearchPorts(const std::vector<std::string>& request) {
  PortResults().clear();
  SetMarkDiscovered(false);
  const std::string type = RequestedType(request);
  std::vector<std::string> models;
  if (IsType(type, "Inkjet")) {
    models.push_back(IniFile(ProductIniPath(), true).GetValue("GENERAL", "ProductKey"));
  }
  hcpGetDiscoveredPorts(DiscoveryParameters(request), EnumerationFilter(type), std::move(models),
                        type);
}

void SearchAllPorts(const std::vector<std::string>& request) {
  PortResults().clear();
  SetMarkDiscovered(true);
  const std::string type = RequestedType(request);
  std::vector<std::string> models;
  if (IsType(type, "Inkjet")) {
    models.push_back(GetProductValue("MODEL"));
  } else if (IsType(type, "LaserPrinter")) {
    GetProductModels(models, "", nullptr);
  }
  hcpGetDiscoveredPorts(DiscoveryParameters(request), EnumerationFilter(type), std::move(models),
                        type);
  AppendLocalPorts(PortResults());
}

}  // namespace nodexa
