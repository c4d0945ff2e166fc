// The print spooler's local ports: EnumPortsA at level 2 on this computer,
// with a bounded retry for a port list that outgrows the buffer between
// calls.
#ifndef NODEXA_DISCOVERY_PORT_ACTION_H_
#define NODEXA_DISCOVERY_PORT_ACTION_H_

#include <cstddef>
#include <vector>

#include "platform/win32_api.h"

namespace nodexa {

// The spooler's answer as it fills a caller's buffer: the PORT_INFO_2A
// entries first, then the texts they point to. It owns the bytes; entries
// stay valid as long as the object.
class PortInfoArray {
 public:
  // The first entry, or null when the spooler delivered nothing.
  const PORT_INFO_2A* Entries() const;
  // How many of `count` reported entries the buffer really holds.
  size_t Usable(DWORD count) const;

 private:
  friend class PortAction;
  std::vector<BYTE> bytes;
};

class PortAction {
 public:
  // 0 with `ports` holding the spooler's entries; otherwise the failing
  // status with `ports` empty: the spooler's own error code, or 122 when it
  // asked for a larger buffer five times in a row. `count` is what the last
  // spooler call reported. Every "buffer too small" answer is logged, so a
  // normal fetch writes one line before its second call succeeds.
  static DWORD OurEnumPorts(DWORD& count, PortInfoArray& ports);
};

}  // namespace nodexa

#endif  // NODEXA_DISCOVERY_PORT_ACTION_H_
