// Facts of the stand-in machine that several stand-in calls share: what the
// machine folder's facts.ini says, else a sensible default or the host's own
// value (see docs/posix-machine.md for the names).
#ifndef NODEXA_PLATFORM_POSIX_MACHINE_FACTS_H_
#define NODEXA_PLATFORM_POSIX_MACHINE_FACTS_H_

#include <cstdint>
#include <optional>
#include <string>

namespace nodexa::platform {

// The host name as Windows would give a computer name: its first label, in
// upper case, at most 15 characters.
std::string HostComputerName();
// The user the process runs as.
std::string HostUserName();
// The first processor's clock from /proc/cpuinfo or cpufreq; none when the
// host does not say.
std::optional<uint32_t> HostProcessorClockMHz();
// Installed and available physical memory in bytes.
uint64_t HostPhysicalMemory();
uint64_t HostAvailableMemory();

// "ComputerName" and "UserName", else the host's.
std::string MachineComputerName();
std::string MachineUserName();

// Windows-style directories without a trailing backslash ('/' in a fact
// becomes '\'): "WindowsDirectory" (default C:\Windows), "SystemDirectory"
// (default: the Windows directory's system32), "PrinterDriverDirectory"
// (default: system32\spool\drivers\x64) and "PrintProcessorDirectory"
// (default: system32\spool\prtprocs\x64).
std::string MachineWindowsDirectory();
std::string MachineSystemDirectory();
std::string MachinePrinterDriverDirectory();
std::string MachinePrintProcessorDirectory();

// A fact read as an unsigned decimal number (blanks around it allowed).
// `present` tells a fact that is set apart from one that is not; a set fact
// that is not a number gives none with `present` true.
std::optional<uint64_t> NumericFact(const char* name, bool* present = nullptr);

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_POSIX_MACHINE_FACTS_H_
