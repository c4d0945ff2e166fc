#include "ina_info.h"

#include <ostream>

#include "device/device.h"
#include "frame/companion_module.h"
#include "frame/debug_log.h"
#include "frame/install_support.h"
#include "frame/module_buffer.h"
#include "frame/string_tokenizer.h"
#include "frame/string_toolkit.h"
#include "frame/tagged_text.h"

namespace nodexa {

namespace {
constexpr char kTag[] = "GetINAInfoQcs:";
constexpr uint32_t kFirstBufferSize = 1000;
constexpr char kSupportedElement[] = "INASUPPORTED";
constexpr char kPrinterIdPrefix[] = "USBPRINT\\";

// Whether any INASUPPORTED child holds "1": the first one that does decides.
bool AnySupported(const std::string& information) {
  for (const Tag& tag : ReadTags("DiscoveredScannerInfo", information)) {
    if (CompareNoCase(tag.name.c_str(), kSupportedElement) == 0 &&
        CompareNoCase(Trim(tag.text), "1") == 0) {
      return true;
    }
  }
  return false;
}
}  // namespace

std::optional<std::string> GetINAInfo(const char* portName) {
  CompanionModule module(CompanionModule::InstallSupport, kTag);
  if (!module.Bind({"GetINAInfoQcs"})) return std::nullopt;
  module.Initialize();
  if (portName == nullptr) {
    NodexaLog(kTag) << "Invalid parameter passed to function" << std::endl;
    return std::nullopt;
  }
  const std::string query = MakeTag("PORTNAME", portName);
  const auto getINAInfo = module.Function<inst::GetINAInfoQcsFn>(0);
  const ModuleAnswer answer =
      FixedFirstTry(kFirstBufferSize, [&](char* buffer, uint32_t size, uint32_t* needed) {
        return static_cast<uint32_t>(getINAInfo(query.c_str(), buffer, size, needed));
      });
  if (answer.status != 0) {
    NodexaLog(answer.call == 1 ? "GetINAInfoQcs(1):" : "GetINAInfoQcs(2):")
        << "Function in inst.dll GetINAInfoQcs failed with error code " << answer.status
        << std::endl;
    return std::nullopt;
  }
  return answer.Text();
}

bool ReadINAFlag(const std::string& information, const char* element) {
  bool flag = false;
  for (const Tag& tag : ReadTags("DiscoveredScannerInfo", information)) {
    if (CompareNoCase(tag.name.c_str(), element) == 0)
      flag = CompareNoCase(Trim(tag.text), "1") == 0;
  }
  return flag;
}

int32_t QueryINAFlag(const char* portName, const char* element) {
  const std::optional<std::string> information = GetINAInfo(portName);
  return information && ReadINAFlag(*information, element) ? 1 : 0;
}

int32_t QueryINAPrinters(const char* values) {
  std::string model;
  if (values != nullptr) StringTokenizer(values, '|').NextToken(model);
  Device printers(kPrinterIdPrefix + model);
  bool supported = false;
  for (const std::string& port : Tokenize(printers.GetPorts(), '|')) {
    const std::optional<std::string> information = GetINAInfo(port.c_str());
    if (!information) return 0;
    if (!supported) supported = AnySupported(*information);
  }
  return supported ? 1 : 0;
}

}  // namespace nodexa
