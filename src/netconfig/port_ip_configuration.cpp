#include "port_ip_configuration.h"

#include <ostream>

#include "frame/companion_module.h"
#include "frame/debug_log.h"
#include "frame/host_communication.h"
#include "frame/string_tokenizer.h"
#include "frame/tagged_text.h"

namespace nodexa {

namespace {
constexpr char kTag[] = "ConfigurePortIP:";
constexpr const char* kIdentityTags[] = {"IPADDRSOURCE", "IPADDRESS", "BROADCASTADDRESS",
                                         "IPNETMASK",    "IPNAME",    "MACUAA",
                                         "IPGATEWAY"};
}  // namespace

PortIpTexts BuildPortIpTexts(const std::vector<std::string>& values) {
  PortIpTexts texts;
  for (size_t i = 0; i < 7; ++i) texts.identity += MakeTag(kIdentityTags[i], values[i]);
  if (values.size() == 10) {
    texts.settings = MakeTag("IPADDRSOURCE", "0") + MakeTag("IPADDRESS", values[7]) +
                     MakeTag("IPNETMASK", values[8]) + MakeTag("IPGATEWAY", values[9]);
  } else {
    texts.settings = MakeTag("IPADDRSOURCE", "1");
  }
  return texts;
}

int32_t ConfigurePortIp(const char* values) {
  CompanionModule module(CompanionModule::HostCommunication, kTag);
  if (!module.Bind({"Configure"})) return 0;
  module.Initialize();

  const std::vector<std::string> list = Tokenize(values != nullptr ? values : "", '|');
  if (list.size() != 7 && list.size() != 10) {
    NodexaLog(kTag) << "Invalid Parameter passed" << std::endl;
    return 0;
  }
  const PortIpTexts texts = BuildPortIpTexts(list);
  const auto status = static_cast<uint32_t>(
      module.Function<hcp::ConfigureFn>(0)(texts.identity.c_str(), texts.settings.c_str()));
  if (status != 0) {
    NodexaLog(kTag) << "Function in hcp.dll failed with error code " << status << std::endl;
    return 0;
  }
  return 1;
}

}  // namespace nodexa
