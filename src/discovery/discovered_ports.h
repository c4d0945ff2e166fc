// Port records built from discovered devices: the network printers and
// scanners the setup program may install, appended to PortResults.
//
// Three kinds of "|"-separated record, with [marker] standing for
// "%DiscoveredPrinter%|" while MarkDiscovered is on:
//   inkjet   port name|[marker]IPADDRESS|model|MACUAA|configured|bidi|
//            IPADDRSOURCE|BROADCASTADDRESS|IPNAME|IPGATEWAY|IPNETMASK
//   laser    IPNAME|[marker]IPADDRESS|model|configured|bidi
//   scanner  IPNAME(IPADDRESS)|IPNAME|[marker]IPADDRESS|STRID1284 MFP|
//            configured|bidi
// where configured is "1" or "-1" and bidi is "Bidi" or "NoBidi".
#ifndef NODEXA_DISCOVERY_DISCOVERED_PORTS_H_
#define NODEXA_DISCOVERY_DISCOVERED_PORTS_H_

#include <optional>
#include <string>
#include <vector>

namespace nodexa {

class IniFile;
struct DiscoveredDevice;

// Decides, device by device, which discovered devices one search lists and
// builds their records.
//
// The printer type ("Inkjet", "LaserPrinter", "LaserScanner", any letter
// case) chooses the kind of record; any other type accepts nothing. Inkjet
// and laser printers are listed when their STRID1284 occurs in an entry of
// the model list (the first such entry is their model; an empty STRID1284
// matches the first entry). Scanners are listed only without a model list,
// when the device has an identification and a MODEL_ID and the product's
// brand admits it: a "Quorvex" setup lists only identifications that begin
// with "Quorvex", any other brand only those that never name it.
//
// MODEL_ID is remembered across the devices of one search: a device that
// carries the element sets it, and only a scanner decision clears it, so a
// device without one is judged by what an earlier device left.
class DiscoveredPortRecords {
 public:
  // `product` is product.ini (brand and port-name prefix) and must outlive
  // the object; `marked` adds the marker field to every record.
  DiscoveredPortRecords(std::vector<std::string> models, const std::string& type,
                        const IniFile& product, bool marked);

  // The record for one raw description, or none when the device is not one
  // this search lists.
  std::optional<std::string> Build(const std::string& description);

 private:
  enum class Kind { None, Inkjet, LaserPrinter, LaserScanner };

  // prefix (blanks as "_") + "_" + last six of MACUAA + "_P" + ADAPTERPORT.
  std::string ConfiguredPortName(const DiscoveredDevice& device);
  // The resolved name of unconfigured devices, resolved once per search.
  const std::string& UnconfiguredPortName();

  std::vector<std::string> modelList;
  Kind kind;
  const IniFile& settings;
  std::string brand;
  std::string marker;
  std::optional<std::string> portNamePrefix;
  std::optional<std::string> unconfiguredName;
  std::string modelId;
};

// Runs one discovery with `parameters` and the enumeration `filter` and
// appends a record for every device `models` and `type` accept to
// PortResults, in the module's order. When the module is missing or
// discovery yields no list nothing is appended (the reasons are logged by
// the discovery run).
void hcpGetDiscoveredPorts(const std::string& parameters, const std::string& filter,
                           std::vector<std::string> models, std::string type);

}  // namespace nodexa

#endif  // NODEXA_DISCOVERY_DISCOVERED_PORTS_H_
