#include "companion_module.h"

#include <ostream>

#include "debug_log.h"
#include "module_loading.h"
#include "module_location.h"

namespace nodexa {

CompanionModule::CompanionModule(Kind moduleKind, const char* logTag)
    : kind(moduleKind), tag(logTag) {}

CompanionModule::~CompanionModule() {
  if (initialized && module) {
    As<Lifecycle>(uninitialize)();
  }
}

bool CompanionModule::Bind(std::initializer_list<const char*> names) {
  const bool found =
      kind == HostCommunication ? GetHCPDLLFilePath(path) : GetInstallDLLFilePath(path, prefix);
  if (!found) return false;
  module.reset(LoadModuleFile(path));
  if (!module) return false;

  const char* where =
      kind == HostCommunication ? "Function in hcp.dll '" : "Function in inst.dll '";
  auto lookUp = [&](const char* name, FARPROC& target) {
    target = GetProcAddress(module.get(), name);
    if (target != nullptr) return true;
    NodexaLog(tag) << where << name << "' not found " << std::endl;
    module.reset();
    return false;
  };
  if (!lookUp("Initialize", initialize) || !lookUp("Uninitialize", uninitialize)) return false;
  functions.assign(names.size(), nullptr);
  size_t index = 0;
  for (const char* name : names) {
    if (!lookUp(name, functions[index++])) return false;
  }
  return true;
}

void CompanionModule::Initialize() {
  As<Lifecycle>(initialize)();
  initialized = true;
}

void CompanionModule::LeaveLoaded() {
  module.release();
  initialized = false;
}

}  // namespace nodexa
