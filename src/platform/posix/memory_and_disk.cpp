#include <sys/statvfs.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "machine_facts.h"
#include "posix_file_search.h"
#include "posix_paths.h"
#include "posix_system.h"

namespace {

constexpr uint64_t kMegabyte = uint64_t{1} << 20;
// The user-mode address space of a 64-bit Windows process.
constexpr uint64_t kVirtualSpace = 0x7FFFFFFE0000u;

void Store(PULARGE_INTEGER target, uint64_t value) {
  if (target != nullptr) target->QuadPart = value;
}

}  // namespace

void GlobalMemoryStatus(LPMEMORYSTATUS status) {
  if (status == nullptr) return;
  uint64_t total = nodexa::platform::HostPhysicalMemory();
  if (const std::optional<uint64_t> fact = nodexa::platform::NumericFact("PhysicalMemoryMB")) {
    total = *fact * kMegabyte;
  }
  const uint64_t available = std::min(total, nodexa::platform::HostAvailableMemory());
  status->dwLength = sizeof *status;
  status->dwMemoryLoad = total == 0 ? 0 : static_cast<DWORD>(100 - available * 100 / total);
  status->dwTotalPhys = total;
  status->dwAvailPhys = available;
  status->dwTotalPageFile = total;
  status->dwAvailPageFile = available;
  status->dwTotalVirtual = kVirtualSpace;
  status->dwAvailVirtual = kVirtualSpace;
}

BOOL GetDiskFreeSpaceExA(LPCSTR directory, PULARGE_INTEGER availableToCaller,
                         PULARGE_INTEGER totalBytes, PULARGE_INTEGER freeBytes) {
  std::string path = directory != nullptr && *directory != '\0' ? directory : ".";
  const bool drive =
      path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])) != 0;
  path = drive ? "/" : nodexa::platform::ToPosixPath(path.c_str());
  struct statvfs volume {};
  if (statvfs(path.c_str(), &volume) != 0) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  const uint64_t unit = volume.f_frsize != 0 ? volume.f_frsize : volume.f_bsize;
  uint64_t available = uint64_t{volume.f_bavail} * unit;
  uint64_t free = uint64_t{volume.f_bfree} * unit;
  uint64_t total = uint64_t{volume.f_blocks} * unit;
  if (const std::optional<uint64_t> fact = nodexa::platform::NumericFact("FreeDiskSpaceMB")) {
    available = free = *fact * kMegabyte;
    total = std::max(total, free);
  }
  Store(availableToCaller, available);
  Store(totalBytes, total);
  Store(freeBytes, free);
  return TRUE;
}
