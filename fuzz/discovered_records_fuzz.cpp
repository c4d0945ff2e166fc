// Discovered-port records built from a raw Enumerate buffer, as a port
// search builds them. The first part sets the search ("type=", "model=" as
// often as there are models, "brand=" and "prefix=" for product.ini,
// "marked=1"), the second is the buffer, NULs and all.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "discovery/discovered_ports.h"
#include "discovery/discovery_run.h"
#include "frame/string_toolkit.h"
#include "fuzz_input.h"
#include "support/ini_file.h"

using nodexa::fuzz::Check;

namespace {

size_t Fields(const std::string& record) {
  return static_cast<size_t>(std::count(record.begin(), record.end(), '|')) + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts = nodexa::fuzz::Parts(nodexa::fuzz::Text(data, size), 2);
  std::string type;
  std::vector<std::string> models;
  bool marked = false;
  nodexa::IniFile product(true);
  if (parts.size() == 2) {
    for (const auto& [name, value] : nodexa::fuzz::Assignments(parts[0])) {
      if (name == "type") type = value;
      if (name == "model") models.push_back(value);
      if (name == "marked") marked = value == "1";
      if (name == "brand") product.SetValue("General", "OEMDisplay", value);
      if (name == "prefix") product.SetValue("NetworkStuff", "PORTNAME_PREFIX", value);
    }
  }
  const auto is = [&type](const char* name) { return nodexa::CompareNoCase(type, name) == 0; };
  const bool inkjet = is("Inkjet");
  const bool laser = is("LaserPrinter");
  const bool scanner = is("LaserScanner");

  const std::vector<std::string> descriptions = nodexa::SplitDeviceList(parts.back());
  Check(descriptions.size() <= parts.back().size(), "every description takes a byte");

  nodexa::DiscoveredPortRecords records(models, type, product, marked);
  for (const std::string& description : descriptions) {
    const std::optional<std::string> record = records.Build(description);
    if (!record) continue;
    Check(inkjet || laser || scanner, "other types list nothing");
    Check(!scanner || models.empty(), "scanners are listed without a model list only");
    Check(scanner || !models.empty(), "printers are listed by their model only");
    const size_t least = inkjet ? 11 : laser ? 5 : 6;
    Check(Fields(*record) >= least + (marked ? 1 : 0), "records hold all their fields");
    Check(!marked || record->find("%DiscoveredPrinter%|") != std::string::npos,
          "marked records carry the marker");
  }
  return 0;
}
