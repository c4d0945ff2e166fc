#include "machine_facts.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <string>

#include "posix_machine.h"

namespace nodexa::platform {

namespace {

constexpr size_t kComputerNameLength = 15;

std::optional<uint64_t> Decimal(std::string text) {
  const size_t first = text.find_first_not_of(" \t");
  text = first == std::string::npos ? std::string()
                                    : text.substr(first, text.find_last_not_of(" \t") - first + 1);
  if (text.empty() || text.size() > 19) return std::nullopt;
  uint64_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<uint64_t>(c - '0');
  }
  return number;
}

// A directory fact in Windows form; a drive root keeps its backslash. A
// relative one names a folder inside the machine folder, so a machine
// folder can carry its own system modules wherever it is copied.
std::optional<std::string> DirectoryFact(const char* name) {
  std::optional<std::string> fact = MachineFact(name);
  if (!fact || fact->empty()) return std::nullopt;
  const bool drive = fact->size() >= 2 && (*fact)[1] == ':';
  if (!drive && fact->front() != '/' && fact->front() != '\\') {
    fact = MachineDirectory() + "/" + *fact;
  }
  std::replace(fact->begin(), fact->end(), '/', '\\');
  while (fact->size() > 1 && fact->back() == '\\' && !(fact->size() == 3 && (*fact)[1] == ':')) {
    fact->pop_back();
  }
  return fact;
}

}  // namespace

std::string HostComputerName() {
  char buffer[256] = {};
  if (gethostname(buffer, sizeof buffer - 1) != 0) return "LOCALHOST";
  std::string name(buffer);
  name = name.substr(0, name.find('.'));
  if (name.size() > kComputerNameLength) name.resize(kComputerNameLength);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name.empty() ? "LOCALHOST" : name;
}

std::string HostUserName() {
  if (const passwd* entry = getpwuid(geteuid())) {
    if (entry->pw_name != nullptr && *entry->pw_name != '\0') return entry->pw_name;
  }
  const char* user = std::getenv("USER");
  return user != nullptr && *user != '\0' ? user : "user";
}

namespace {

std::optional<uint32_t> ReadProcessorClock() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line)) {
    if (line.compare(0, 7, "cpu MHz") != 0) continue;
    const size_t colon = line.find(':');
    if (colon == std::string::npos) break;
    const double megahertz = std::strtod(line.c_str() + colon + 1, nullptr);
    if (megahertz > 0 && megahertz < 1e6) return static_cast<uint32_t>(megahertz + 0.5);
    break;
  }
  std::ifstream maximum("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq");
  unsigned long kilohertz = 0;
  if (maximum >> kilohertz && kilohertz > 0) return static_cast<uint32_t>(kilohertz / 1000);
  return std::nullopt;
}

}  // namespace

std::optional<uint32_t> HostProcessorClockMHz() {
  // Every registry call may ask; the host's answer does not change.
  static const std::optional<uint32_t> clock = ReadProcessorClock();
  return clock;
}

uint64_t HostPhysicalMemory() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  return pages > 0 && pageSize > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize)
                                   : 0;
}

uint64_t HostAvailableMemory() {
  const long pages = sysconf(_SC_AVPHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  return pages > 0 && pageSize > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize)
                                   : 0;
}

std::string MachineComputerName() {
  const std::optional<std::string> fact = MachineFact("ComputerName");
  return fact && !fact->empty() ? *fact : HostComputerName();
}

std::string MachineUserName() {
  const std::optional<std::string> fact = MachineFact("UserName");
  return fact && !fact->empty() ? *fact : HostUserName();
}

std::string MachineWindowsDirectory() {
  return DirectoryFact("WindowsDirectory").value_or("C:\\Windows");
}

std::string MachineSystemDirectory() {
  return DirectoryFact("SystemDirectory").value_or(MachineWindowsDirectory() + "\\system32");
}

std::string MachinePrinterDriverDirectory() {
  return DirectoryFact("PrinterDriverDirectory")
      .value_or(MachineSystemDirectory() + "\\spool\\drivers\\x64");
}

std::string MachinePrintProcessorDirectory() {
  return DirectoryFact("PrintProcessorDirectory")
      .value_or(MachineSystemDirectory() + "\\spool\\prtprocs\\x64");
}

std::optional<uint64_t> NumericFact(const char* name, bool* present) {
  const std::optional<std::string> fact = MachineFact(name);
  if (present != nullptr) *present = fact.has_value();
  return fact ? Decimal(*fact) : std::nullopt;
}

}  // namespace nodexa::platform
