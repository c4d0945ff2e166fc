#include "subnet_registration.h"

#include <ostream>
#include <vector>

#include "frame/companion_module.h"
#include "frame/debug_log.h"
#include "frame/host_communication.h"
#include "frame/remote_subnets.h"
#include "frame/string_tokenizer.h"

namespace nodexa {

namespace {
constexpr char kTag[] = "RegisterRemoteSubnets:";
}  // namespace

std::string RemoteSubnetsText(const std::string& subnets) {
  const std::vector<std::string> entries = Tokenize(subnets, '|');
  return RemoteSubnetsElement(entries.begin(), entries.end());
}

int32_t RegisterRemoteSubnets(const char* subnets) {
  if (subnets == nullptr) return 0;
  CompanionModule module(CompanionModule::HostCommunication, kTag);
  if (!module.Bind({"RegisterRemoteSubnets"})) return 0;
  module.Initialize();
  // The module stays loaded and initialised whatever the outcome.
  module.LeaveLoaded();

  const std::string text = RemoteSubnetsText(subnets);
  const auto status = static_cast<uint32_t>(
      module.Function<hcp::RegisterRemoteSubnetsFn>(0)(text.c_str()));
  if (status != 0) {
    NodexaLog(kTag) << "Function in hcp.dll RegisterRemoteSubnets failed with error code "
                    << status << std::endl;
    return 0;
  }
  return 1;
}

}  // namespace nodexa
