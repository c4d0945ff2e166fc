#include "exports/export_lock.h"
#include "frame/debug_log.h"
#include "nodexa/nodexa.h"

extern "C" NODEXA_API int32_t SetupDebugLog(const char* path) {
  try {
    const nodexa::ExportLock lock;
    nodexa::GetDebugLog().SetPath(path != nullptr ? path : "");
  } catch (...) {
    // Switching the log cannot fail as far as the caller is concerned.
  }
  return 1;
}
