#include "exports/export_lock.h"
#include "netconfig/subnet_registration.h"
#include "nodexa/nodexa.h"

extern "C" NODEXA_API int32_t RegisterNetworkSubnets(const char* subnets) {
  try {
    const nodexa::ExportLock lock;
    return nodexa::RegisterRemoteSubnets(subnets);
  } catch (...) {
    return 0;
  }
}
