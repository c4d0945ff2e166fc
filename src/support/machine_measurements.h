// Three measurements of the machine, each taken once per process: the
// processor clock in MHz, the physical memory in MiB and the free disk space
// in MiB. A measurement that succeeded is kept and returned for the rest of
// the process; there are no locks (two first uses may both measure).
#ifndef NODEXA_SUPPORT_MACHINE_MEASUREMENTS_H_
#define NODEXA_SUPPORT_MACHINE_MEASUREMENTS_H_

#include <cstdint>
#include <string>

namespace nodexa {

// The value of a cache that has not measured yet, and of a processor clock
// that no source could tell.
inline constexpr uint32_t kNotMeasured = 0xFFFFFFFF;

// WMI's "MaxClockSpeed" of the first processor, else "~MHz" of the registry
// key HKLM\Hardware\Description\System\CentralProcessor\0. kNotMeasured when
// both fail; the next call then measures again.
uint32_t GetProcessorSpeed();
// Total physical memory in MiB (GlobalMemoryStatus), low 32 bits.
uint32_t GetPhysicalMemory();
// Space available to the caller on the volume of `directory`, in MiB; 0 when
// it cannot be measured. The first call decides for every later one, whatever
// directory those name.
uint32_t GetFreeDiskSpace(const std::string& directory);

// Forgets all three measurements. For tests only: the library never forgets.
void ResetMeasurementCaches();

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_MACHINE_MEASUREMENTS_H_
