#include "exports/export_lock.h"
#include "netconfig/peer_to_peer_port.h"
#include "nodexa/nodexa.h"

extern "C" NODEXA_API int32_t CreateP2PPortIP(const char* values) {
  try {
    const nodexa::ExportLock lock;
    return nodexa::CreateP2PPort(values);
  } catch (...) {
    return 0;
  }
}

extern "C" NODEXA_API int32_t VerifySharedPrinterExists(const char* values) {
  try {
    const nodexa::ExportLock lock;
    return nodexa::VerifySharedPrinter(values);
  } catch (...) {
    return 0;
  }
}
