#include "adapter/text_validation.h"
#include "nodexa/nodexa.h"

extern "C" NODEXA_API int32_t ValidateUnicodeString(const char* values) {
  try {
    return nodexa::ValidateText(values);
  } catch (...) {
    return 0;
  }
}
