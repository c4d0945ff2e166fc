#include "exports/export_lock.h"
#include "netconfig/firewall_exception.h"
#include "nodexa/nodexa.h"

extern "C" NODEXA_API int32_t AddFirewallException(const char* kind) {
  try {
    const nodexa::ExportLock lock;
    return nodexa::AddFirewallExceptions(kind);
  } catch (...) {
    return 0;
  }
}

extern "C" NODEXA_API int32_t RemoveFirewallException(void) {
  try {
    const nodexa::ExportLock lock;
    return nodexa::RemoveFirewallExceptions();
  } catch (...) {
    return 0;
  }
}
