// Owner of a device-information set. The set is released through the
// SetupDiDestroyDeviceInfoList bound from the SetupApi.dll that made it, so
// the owner carries that function along with the handle; the module must
// outlive the owner (Device keeps both and destroys its sets first).
#ifndef NODEXA_DEVICE_DEVICE_INFO_SET_H_
#define NODEXA_DEVICE_DEVICE_INFO_SET_H_

#include "device/setup_api.h"
#include "frame/unique_handle.h"

namespace nodexa {

struct BoundDeviceInfoSet {
  HDEVINFO set;
  setupapi::SetupDiDestroyDeviceInfoListFn destroy;

  // Two values stand for the same set when their handles are equal.
  bool operator==(const BoundDeviceInfoSet& other) const { return set == other.set; }
  bool operator!=(const BoundDeviceInfoSet& other) const { return set != other.set; }
};

struct DeviceInfoSetTraits {
  using Type = BoundDeviceInfoSet;
  static Type Invalid() { return {INVALID_HANDLE_VALUE, nullptr}; }
  static void Close(Type owned) {
    if (owned.destroy != nullptr) owned.destroy(owned.set);
  }
};
using UniqueDeviceInfoSet = UniqueHandle<DeviceInfoSetTraits>;

// Takes what a set-making function returned: a null handle counts as the
// failure INVALID_HANDLE_VALUE reports.
inline UniqueDeviceInfoSet OwnDeviceInfoSet(HDEVINFO set,
                                            setupapi::SetupDiDestroyDeviceInfoListFn destroy) {
  if (set == nullptr || set == INVALID_HANDLE_VALUE) return UniqueDeviceInfoSet();
  return UniqueDeviceInfoSet(BoundDeviceInfoSet{set, destroy});
}

}  // namespace nodexa

#endif  // NODEXA_DEVICE_DEVICE_INFO_SET_H_
