#include "machine_measurements.h"

#include "platform/win32_api.h"
#include "registry.h"

namespace nodexa {

namespace {

constexpr char kProcessorKey[] = "Hardware\\Description\\System\\CentralProcessor\\0";
constexpr uint32_t kMegabyteShift = 20;

uint32_t processorSpeedCache = kNotMeasured;
uint32_t physicalMemoryCache = kNotMeasured;
uint32_t freeDiskSpaceCache = kNotMeasured;

// "~MHz" of the first processor, read straight from the registry.
bool RegistryProcessorClock(uint32_t& megahertz) {
  HKEY rawKey = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProcessorKey, 0, KEY_READ, &rawKey) !=
      static_cast<LONG>(ERROR_SUCCESS)) {
    return false;
  }
  const UniqueRegistryKey key(rawKey);
  DWORD clock = 0;
  DWORD size = sizeof clock;
  if (RegQueryValueExA(key.get(), "~MHz", nullptr, nullptr, reinterpret_cast<LPBYTE>(&clock),
                       &size) != static_cast<LONG>(ERROR_SUCCESS) ||
      size != sizeof clock) {
    return false;
  }
  megahertz = clock;
  return true;
}

}  // namespace

uint32_t GetProcessorSpeed() {
  if (processorSpeedCache != kNotMeasured) return processorSpeedCache;
  uint32_t megahertz = 0;
  if (platform::QueryProcessorClockWmi(megahertz) && megahertz != 0) {
    processorSpeedCache = megahertz;
  } else if (RegistryProcessorClock(megahertz)) {
    processorSpeedCache = megahertz;
  }
  return processorSpeedCache;
}

uint32_t GetPhysicalMemory() {
  if (physicalMemoryCache != kNotMeasured) return physicalMemoryCache;
  MEMORYSTATUS status = {};
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  physicalMemoryCache =
      static_cast<uint32_t>((uint64_t{status.dwTotalPhys} >> kMegabyteShift) & 0xFFFFFFFFu);
  return physicalMemoryCache;
}

uint32_t GetFreeDiskSpace(const std::string& directory) {
  if (freeDiskSpaceCache != kNotMeasured) return freeDiskSpaceCache;
  ULARGE_INTEGER available = {};
  ULARGE_INTEGER total = {};
  ULARGE_INTEGER free = {};
  if (GetDiskFreeSpaceExA(directory.c_str(), &available, &total, &free)) {
    freeDiskSpaceCache = static_cast<uint32_t>(available.QuadPart >> kMegabyteShift);
  } else {
    freeDiskSpaceCache = 0;
  }
  return freeDiskSpaceCache;
}

void ResetMeasurementCaches() {
  processorSpeedCache = kNotMeasured;
  physicalMemoryCache = kNotMeasured;
  freeDiskSpaceCache = kNotMeasured;
}

}  // namespace nodexa
