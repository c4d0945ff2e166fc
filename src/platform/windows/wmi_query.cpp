#include "../wmi_query.h"

// clang-format off
#include "windows_api.h"
#include <objbase.h>
#include <wbemidl.h>
// clang-format on

#include "frame/unique_handle.h"

namespace nodexa::platform {

namespace {

template <typename Interface>
struct ComTraits {
  using Type = Interface*;
  static Type Invalid() { return nullptr; }
  static void Close(Type object) { object->Release(); }
};
template <typename Interface>
using ComPointer = UniqueHandle<ComTraits<Interface>>;

struct StringTraits {
  using Type = BSTR;
  static Type Invalid() { return nullptr; }
  static void Close(Type text) { SysFreeString(text); }
};
using UniqueBstr = UniqueHandle<StringTraits>;

// CoInitialize for this scope; CoUninitialize only when it succeeded (also
// when COM was already initialised on the thread, S_FALSE).
class ComScope {
 public:
  ComScope() : result(CoInitialize(nullptr)) {}
  ~ComScope() {
    if (SUCCEEDED(result)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  bool Started() const { return SUCCEEDED(result); }

 private:
  HRESULT result;
};

class Variant {
 public:
  Variant() { VariantInit(&value); }
  ~Variant() { VariantClear(&value); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* get() { return &value; }

 private:
  VARIANT value;
};

}  // namespace

bool QueryProcessorClockWmi(uint32_t& megahertz) {
  ComScope com;
  if (!com.Started()) return false;
  if (FAILED(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                  RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr))) {
    return false;
  }
  IWbemLocator* rawLocator = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              reinterpret_cast<void**>(&rawLocator)))) {
    return false;
  }
  const ComPointer<IWbemLocator> locator(rawLocator);

  const UniqueBstr space(SysAllocString(L"root\\cimv2"));
  IWbemServices* rawServices = nullptr;
  if (!space || FAILED(locator.get()->ConnectServer(space.get(), nullptr, nullptr, nullptr, 0,
                                                    nullptr, nullptr, &rawServices))) {
    return false;
  }
  const ComPointer<IWbemServices> services(rawServices);

  const UniqueBstr path(SysAllocString(L"Win32_Processor=\"cpu0\""));
  IWbemClassObject* rawProcessor = nullptr;
  if (!path || FAILED(services.get()->GetObject(path.get(), 0, nullptr, &rawProcessor, nullptr))) {
    return false;
  }
  const ComPointer<IWbemClassObject> processor(rawProcessor);

  Variant clock;
  if (FAILED(processor.get()->Get(L"MaxClockSpeed", 0, clock.get(), nullptr, nullptr))) {
    return false;
  }
  const VARIANT& value = *clock.get();
  if (value.vt == VT_I4 || value.vt == VT_UI4) {
    megahertz = static_cast<uint32_t>(value.ulVal);
    return true;
  }
  return false;
}

}  // namespace nodexa::platform
