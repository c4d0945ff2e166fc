#include "port_action.h"

#include <algorithm>
#include <new>
#include <ostream>
#include <utility>

#include "frame/debug_log.h"

namespace nodexa {

namespace {
constexpr int kAttempts = 5;
constexpr DWORD kNotEnoughMemory = 8;  // ERROR_NOT_ENOUGH_MEMORY
}  // namespace

const PORT_INFO_2A* PortInfoArray::Entries() const {
  return bytes.empty() ? nullptr : reinterpret_cast<const PORT_INFO_2A*>(bytes.data());
}

size_t PortInfoArray::Usable(DWORD count) const {
  return std::min<size_t>(count, bytes.size() / sizeof(PORT_INFO_2A));
}

DWORD PortAction::OurEnumPorts(DWORD& count, PortInfoArray& ports) {
  count = 0;
  ports.bytes.clear();
  std::vector<BYTE> buffer;
  for (int attempts = 0;;) {
    DWORD needed = 0;
    DWORD returned = 0;
    const BOOL ok = EnumPortsA(nullptr, 2, buffer.empty() ? nullptr : buffer.data(),
                               static_cast<DWORD>(buffer.size()), &needed, &returned);
    count = returned;
    DWORD status = ok ? 0 : GetLastError();
    if (status == 0) {
      ports.bytes = std::move(buffer);
      return 0;
    }
    if (status == ERROR_INSUFFICIENT_BUFFER) {
      GetDebugLog() << "PortAction::OurEnumPorts: Buffer is too small - trying again... " << status
                    << std::endl;
      try {
        buffer.assign(needed, 0);
      } catch (const std::bad_alloc&) {
        buffer.clear();
        status = kNotEnoughMemory;
      }
      if (status == ERROR_INSUFFICIENT_BUFFER) {
        if (++attempts < kAttempts) continue;
        GetDebugLog() << "PortAction::OurEnumPorts: We are trying too hard, giving up."
                      << std::endl;
        return status;
      }
    }
    GetDebugLog() << "PortAction::OurEnumPorts: EnumPorts returned error code " << status
                  << std::endl;
    return status;
  }
}

}  // namespace nodexa
