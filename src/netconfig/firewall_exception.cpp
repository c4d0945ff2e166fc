#include "firewall_exception.h"

#include <ostream>

#include "frame/companion_module.h"
#include "frame/debug_log.h"
#include "frame/install_support.h"
#include "frame/string_toolkit.h"
#include "frame/tagged_text.h"
#include "support/system_variables.h"

namespace nodexa {

namespace {

constexpr char kAddTag[] = "AddFirewallException:";
constexpr char kRemoveTag[] = "RemoveFirewallException:";

// Logs a failing module call under `tag`; answers whether it succeeded.
bool Succeeded(int32_t result, const char* tag, const char* function) {
  if (result == 0) return true;
  NodexaLog(tag) << "Function in inst.dll " << function << " failed with error code "
                 << static_cast<uint32_t>(result) << std::endl;
  return false;
}

// The exception text for a connection kind, or "" for an unknown kind.
std::string ExceptionText(const char* kind) {
  if (CompareNoCase(kind, "P2P") == 0) return MakeTag("QCSP2PEXCEPTION", "1");
  if (CompareNoCase(kind, "NA") == 0 || CompareNoCase(kind, "Local") == 0) {
    return MakeTag("QCSNETWORKEXCEPTION", "1");
  }
  return std::string();
}

}  // namespace

std::string ProgramText(const std::string& prefix) {
  const std::string path = GetSystemVariable("SYSTEM_DIR") + "\\" + prefix + "coms.exe";
  return MakeTag("PROGRAMPATH", path) + MakeTag("DISPLAYNAME", "Quorvex Communications System");
}

int32_t AddFirewallExceptions(const char* kind) {
  CompanionModule module(CompanionModule::InstallSupport, kAddTag);
  if (!module.Bind({"AddProgramFirewallException", "EnableFirewallExceptionsQcs"})) return 0;
  const auto createP2PExceptions = module.Optional<inst::CreateP2PExceptionsFn>("CreateP2PExceptions");
  module.Initialize();

  if (kind == nullptr) {
    NodexaLog(kAddTag) << "Invalid parameter passed to function" << std::endl;
    return 0;
  }
  const std::string program = ProgramText(module.Prefix());
  if (!Succeeded(module.Function<inst::ProgramExceptionFn>(0)(program.c_str()), kAddTag,
                 "AddProgramFirewallException")) {
    return 0;
  }
  const std::string exception = ExceptionText(kind);
  if (exception.empty()) {
    NodexaLog(kAddTag) << "Invalid parameter passed to function" << std::endl;
    return 0;
  }
  if (!Succeeded(module.Function<inst::EnableExceptionsFn>(1)(exception.c_str()), kAddTag,
                 "EnableFirewallExceptionsQcs")) {
    return 0;
  }
  if (CompareNoCase(kind, "P2P") != 0) return 1;
  if (createP2PExceptions == nullptr) {
    NodexaLog(kAddTag) << "Function in inst.dll 'CreateP2PExceptions' not found " << std::endl;
    return 0;
  }
  return Succeeded(createP2PExceptions(), kAddTag, "CreateP2PExceptions") ? 1 : 0;
}

int32_t RemoveFirewallExceptions() {
  CompanionModule module(CompanionModule::InstallSupport, kRemoveTag);
  if (!module.Bind({"RemoveProgramFirewallException"})) return 0;
  module.Initialize();
  const std::string program = ProgramText(module.Prefix());
  return Succeeded(module.Function<inst::ProgramExceptionFn>(0)(program.c_str()), kRemoveTag,
                   "RemoveProgramFirewallException")
             ? 1
             : 0;
}

}  // namespace nodexa
