#include "adapter/ina_info.h"
#include "exports/export_lock.h"
#include "nodexa/nodexa.h"

extern "C" NODEXA_API int32_t IsINAAttached(const char* portName) {
  try {
    const nodexa::ExportLock lock;
    return nodexa::QueryINAFlag(portName, "INASUPPORTED");
  } catch (...) {
    return 0;
  }
}

extern "C" NODEXA_API int32_t IsINADefault(const char* portName) {
  try {
    const nodexa::ExportLock lock;
    return nodexa::QueryINAFlag(portName, "NETDEFAULTS");
  } catch (...) {
    return 0;
  }
}

extern "C" NODEXA_API int32_t DoesINAPrinterExists(const char* values) {
  try {
    const nodexa::ExportLock lock;
    return nodexa::QueryINAPrinters(values);
  } catch (...) {
    return 0;
  }
}
