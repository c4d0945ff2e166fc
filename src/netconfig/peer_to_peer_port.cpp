#include "peer_to_peer_port.h"

#include <ostream>
#include <vector>

#include "frame/companion_module.h"
#include "frame/debug_log.h"
#include "frame/install_support.h"
#include "frame/path_object.h"
#include "frame/string_tokenizer.h"
#include "frame/string_toolkit.h"
#include "frame/tagged_text.h"
#include "platform/win32_api.h"
#include "support/printer_enumeration.h"

namespace nodexa {

namespace {

constexpr char kCreateTag[] = "CreateP2PPortIP:";
constexpr char kCreateResultTag[] = "CreateP2PPort:";
constexpr char kVerifyTag[] = "VerifySharedPrinterExists:";
constexpr DWORD kSharedPrinterFlags = PRINTER_ENUM_CONNECTIONS | PRINTER_ENUM_NAME |
                                      PRINTER_ENUM_REMOTE | PRINTER_ENUM_SHARED |
                                      PRINTER_ENUM_NETWORK;

std::vector<std::string> Values(const char* values) {
  return Tokenize(values != nullptr ? values : "", '|');
}

// Whether \\system offers a printer shared as `share` with driver `driver`.
bool SpoolerOffers(const ShareName& name, const std::string& driver) {
  const auto printers = EnumeratePrinters(kSharedPrinterFlags, "\\\\" + name.system);
  if (!printers) return false;
  for (const PrinterRecord& printer : *printers) {
    // The platform's comparison: names of the code page in any case match.
    if (lstrcmpiA(printer.shareName.c_str(), name.share.c_str()) == 0 &&
        lstrcmpiA(printer.driverName.c_str(), driver.c_str()) == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

ShareName SplitNetworkPath(const std::string& path) {
  const PathObject full(path);
  const PathObject directory(full.GetDirectory());
  return {directory.GetFileName(), full.GetFileName()};
}

std::string PortText(const ShareName& name) {
  return MakeTag("SYSTEMNAME", name.system) + MakeTag("SHARENAME", name.share);
}

int32_t CreateP2PPort(const char* values) {
  CompanionModule module(CompanionModule::InstallSupport, kCreateTag);
  if (!module.Bind({"CreateP2PPort"})) return 0;
  module.Initialize();

  const std::vector<std::string> list = Values(values);
  ShareName name;
  if (list.size() == 1) {
    name = SplitNetworkPath(list[0]);
    if (name.system.empty() || name.share.empty()) return 0;
  } else if (list.size() == 2) {
    name = {list[0], list[1]};
  } else {
    NodexaLog(kCreateResultTag) << "Invalid Parameter passed" << std::endl;
    return 0;
  }
  const auto status =
      static_cast<uint32_t>(module.Function<inst::PrinterShareFn>(0)(PortText(name).c_str()));
  if (status != 0) {
    NodexaLog(kCreateResultTag) << "Function in hcp.dll CreateP2PPort failed with error code "
                                << status << std::endl;
    return 0;
  }
  return 1;
}

int32_t VerifySharedPrinter(const char* values) {
  CompanionModule module(CompanionModule::InstallSupport, kVerifyTag);
  if (!module.Bind({"VerifySharedPrinter"})) return 0;
  module.Initialize();

  const std::vector<std::string> list = Values(values);
  if (list.size() != 3) {
    NodexaLog(kVerifyTag) << "Invalid Parameter passed" << std::endl;
    return 0;
  }
  const ShareName name{list[0], list[1]};
  const auto status =
      static_cast<uint32_t>(module.Function<inst::PrinterShareFn>(0)(PortText(name).c_str()));
  if (status != 0) {
    NodexaLog(kVerifyTag) << "Function in xxxxinst.dll VerifySharedPrinter failed with error code "
                          << status << std::endl;
    return 0;
  }
  if (!SpoolerOffers(name, list[2])) {
    NodexaLog(kVerifyTag) << list[2] << " doesn't exist on network path \\" << name.system << "\\"
                          << name.share << std::endl;
    return 0;
  }
  return 1;
}

}  // namespace nodexa
