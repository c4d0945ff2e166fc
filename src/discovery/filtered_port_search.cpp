#include "filtered_port_search.h"

#include <algorithm>
#include <cctype>
#include <locale>
#include <map>
#include <ostream>

#include "device/device.h"
#include "discovery/discovery_run.h"
#include "discovery/port_action.h"
#include "discovery/product_ini.h"
#include "frame/debug_log.h"
#include "frame/remote_subnets.h"
#include "frame/string_tokenizer.h"
#include "frame/string_toolkit.h"
#include "frame/tagged_text.h"
#include "rules/rule_engine.h"
#include "support/ini_file.h"
#include "support/printer_enumeration.h"

namespace nodexa {

namespace {

constexpr char kEmptyFields[] =
    "<IPADDRESS></IPADDRESS><IPADDRSOURCE></IPADDRSOURCE><IPGATEWAY></IPGATEWAY><IPNAME></IPNAME>"
    "<IPNETMASK></IPNETMASK><MACLAA></MACLAA><MACUAA></MACUAA><ADAPTERNAME></ADAPTERNAME>"
    "<ADAPTERTYPE></ADAPTERTYPE><ADAPTERCAP></ADAPTERCAP><BROADCASTADDRESS></BROADCASTADDRESS>"
    "<PASSWORDSET></PASSWORDSET><SUBNETADDRESS></SUBNETADDRESS><ADAPTERPORT></ADAPTERPORT>"
    "<CPDATTACHED></CPDATTACHED><OEMBYTE></OEMBYTE><PRINTERVIDPID></PRINTERVIDPID>"
    "<MODEL_ID></MODEL_ID><AIOMODELNAME></AIOMODELNAME><VENDOR_ID></VENDOR_ID>";

std::string Entry(const std::vector<std::string>& arguments, size_t index) {
  return index < arguments.size() ? arguments[index] : std::string();
}

std::string LocalPort(const std::string& port) { return MakeTag("LOCALPORT", port); }

// Printer names ordered as lower-cased text in the C locale's collation.
struct PrinterNameOrder {
  bool operator()(const std::string& a, const std::string& b) const {
    static const std::collate<char>& collate =
        std::use_facet<std::collate<char>>(std::locale::classic());
    const std::string lowerA = Lower(a), lowerB = Lower(b);
    return collate.compare(lowerA.data(), lowerA.data() + lowerA.size(), lowerB.data(),
                           lowerB.data() + lowerB.size()) < 0;
  }
  static std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }
};

}  // namespace

std::vector<std::string> CollectPortRecords(const std::vector<std::string>& arguments) {
  const std::string productKey = IniFile(ProductIniPath(), true).GetValue("GENERAL", "ProductKey");
  const std::string keyed = std::string(kEmptyFields) + MakeTag("1284STRID", productKey);
  const std::vector<std::string> suppliedPorts = Tokenize(Entry(arguments, 2), ';');

  // Network printers, as the discovery run found them.
  std::vector<std::string> records;
  std::string parameters = "<UNICAST>1</UNICAST><LocalSubnets>1</LocalSubnets>";
  if (arguments.size() > 4)
    parameters += RemoteSubnetsElement(arguments.begin() + 4, arguments.end());
  GetDiscoveredPorts(records, parameters);

  // The model's USB printers.
  const std::vector<std::string> usbPorts =
      Tokenize(Device("USBPRINT\\" + Entry(arguments, 0)).GetPorts(), '|');
  for (const std::string& port : usbPorts) {
    records.push_back(LocalPort(port) + MakeTag("1284STRID", productKey) + kEmptyFields);
  }

  // The spooler's local ports, less those of the USB printers.
  DWORD count = 0;
  PortInfoArray ports;
  if (PortAction::OurEnumPorts(count, ports) == 0 && ports.Entries() != nullptr) {
    const size_t usable = ports.Usable(count);
    for (size_t i = 0; i < usable; ++i) {
      const PORT_INFO_2A& port = ports.Entries()[i];
      const std::string name = port.pPortName != nullptr ? port.pPortName : "";
      if (std::find(usbPorts.begin(), usbPorts.end(), name) != usbPorts.end()) continue;
      records.push_back(
          LocalPort(name) +
          MakeTag("LOCALPORTDESCRIPTION", port.pDescription != nullptr ? port.pDescription : "") +
          "<1284STRID></1284STRID>" + kEmptyFields);
    }
  }

  // Installed printers of the product that print to a network share.
  if (const auto printers = EnumeratePrinters(PRINTER_ENUM_LOCAL, "")) {
    std::map<std::string, std::string, PrinterNameOrder> product;
    for (const PrinterRecord& printer : *printers) {
      if (CompareNoCase(printer.driverName, productKey) == 0) {
        product.emplace(printer.printerName, printer.portName);
      }
    }
    for (const auto& printer : product) {
      if (CompareNoCase(Left(printer.second, 2), "\\\\") == 0) {
        records.push_back(LocalPort(printer.second) + keyed);
      }
    }
  }

  // The ports the setup program names itself.
  for (const std::string& port : suppliedPorts) records.push_back(LocalPort(port) + keyed);
  return records;
}

std::optional<std::vector<std::string>> FilterPorts(const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    NodexaLog("FindPortsFiltered:")
        << "Invalid Parameters passed to FindPortsFiltered" << std::endl;
    return std::nullopt;
  }
  RuleEngine engine(CollectPortRecords(arguments));
  return engine.ApplyRules("NetworkInstallData", Entry(arguments, 1));
}

}  // namespace nodexa
