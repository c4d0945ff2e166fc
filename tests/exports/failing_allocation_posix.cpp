#include <dlfcn.h>
#include <unwind.h>

#include <cstring>

#include "failing_allocation.h"

namespace nodexa::test {

namespace {

// Stops the walk at the first frame inside a shared object named *.dll.
_Unwind_Reason_Code VisitFrame(_Unwind_Context* context, void* found) {
  const auto address = _Unwind_GetIP(context);
  Dl_info info{};
  if (address != 0 && dladdr(reinterpret_cast<void*>(address), &info) != 0 &&
      info.dli_fname != nullptr) {
    const size_t length = std::strlen(info.dli_fname);
    if (length >= 4 && std::strcmp(info.dli_fname + length - 4, ".dll") == 0) {
      *static_cast<bool*>(found) = true;
      return _URC_END_OF_STACK;
    }
  }
  return _URC_NO_REASON;
}

}  // namespace

bool InsideStandInModule() {
  bool found = false;
  _Unwind_Backtrace(&VisitFrame, &found);
  return found;
}

}  // namespace nodexa::test
