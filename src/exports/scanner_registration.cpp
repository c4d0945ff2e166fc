#include "adapter/scanner_registration.h"
#include "exports/export_lock.h"
#include "nodexa/nodexa.h"

extern "C" NODEXA_API int32_t GetScannerRegisterInfo(const char* keyPath) {
  try {
    const nodexa::ExportLock lock;
    return nodexa::ReadScannerRegistration(keyPath);
  } catch (...) {
    return 0;
  }
}

extern "C" NODEXA_API int32_t SetScannerRegisterInfo(const char* values) {
  try {
    const nodexa::ExportLock lock;
    return nodexa::WriteScannerRegistration(values);
  } catch (...) {
    return 0;
  }
}
