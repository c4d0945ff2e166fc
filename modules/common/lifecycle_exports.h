// Initialize and Uninitialize of the stand-ins for the maker's service
// modules, which both have them: each journals its call (Initialize with
// how often this loaded instance has been initialized) and answers
// "<Function>.result". Included once, by the module's source file; building
// with STANDIN_WITHOUT_<Function> leaves that function out.
#ifndef NODEXA_MODULES_COMMON_LIFECYCLE_EXPORTS_H_
#define NODEXA_MODULES_COMMON_LIFECYCLE_EXPORTS_H_

#include <string>

#include "common/standin.h"

#if !defined(STANDIN_WITHOUT_Initialize)
STANDIN_EXPORT int32_t Initialize() {
  standin::Journal("Initialize", {std::to_string(standin::InitializeCount())});
  return standin::Result("Initialize");
}
#endif

#if !defined(STANDIN_WITHOUT_Uninitialize)
STANDIN_EXPORT int32_t Uninitialize() {
  standin::Journal("Uninitialize");
  return standin::Result("Uninitialize");
}
#endif

#endif  // NODEXA_MODULES_COMMON_LIFECYCLE_EXPORTS_H_
