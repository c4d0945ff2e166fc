#include "adapter/text_validation.h"
#include "exports/export_lock.h"
#include "nodexa/nodexa.h"

extern "C" NODEXA_API int32_t ValidateUnicodeString(const char* values) {
  try {
    const nodexa::ExportLock lock;
    return nodexa::ValidateText(values);
  } catch (...) {
    return 0;
  }
}
