#include "exports/export_lock.h"
#include "netconfig/port_ip_configuration.h"
#include "nodexa/nodexa.h"

extern "C" NODEXA_API int32_t ConfigurePortIP(const char* values) {
  try {
    const nodexa::ExportLock lock;
    return nodexa::ConfigurePortIp(values);
  } catch (...) {
    return 0;
  }
}
