#include <strings.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "posix_machine.h"
#include "posix_print_spooler.h"

namespace {

constexpr DWORD kInvalidLevel = 124;
constexpr char kSpoolerFile[] = "spooler.ini";

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  return strncasecmp(text.c_str(), prefix, std::strlen(prefix)) == 0;
}

DWORD Number(const std::string& text) {
  return static_cast<DWORD>(std::strtoul(text.c_str(), nullptr, 0));
}

// A fault switch of the [Faults] section, 0 when absent.
DWORD Fault(const std::vector<nodexa::platform::MachineSection>& sections, const char* name) {
  for (const auto& section : sections) {
    if (strcasecmp(section.name.c_str(), "Faults") == 0) return Number(section.Get(name));
  }
  return 0;
}

// Lays out `count` records of type Record followed by their strings, the
// way the spooler fills a caller's buffer. `fill` gets each record and a
// function that stores a string and answers its address in the buffer.
template <typename Record, typename Fill>
BOOL Pack(size_t count, const std::vector<std::vector<std::string>>& strings, LPBYTE buffer,
          DWORD size, LPDWORD needed, LPDWORD returned, Fill fill) {
  size_t total = count * sizeof(Record);
  for (const auto& record : strings) {
    for (const std::string& text : record) total += text.size() + 1;
  }
  if (needed != nullptr) *needed = static_cast<DWORD>(total);
  if (returned != nullptr) *returned = 0;
  // Like the spooler, an empty list needs no buffer at all.
  if (total == 0) return TRUE;
  if (buffer == nullptr || size < total) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memset(buffer, 0, total);
  char* next = reinterpret_cast<char*>(buffer + count * sizeof(Record));
  auto store = [&next](const std::string& text) {
    char* at = next;
    std::memcpy(at, text.c_str(), text.size() + 1);
    next += text.size() + 1;
    return at;
  };
  Record* records = reinterpret_cast<Record*>(buffer);
  for (size_t i = 0; i < count; ++i) fill(records[i], strings[i], store);
  if (returned != nullptr) *returned = static_cast<DWORD>(count);
  return TRUE;
}

}  // namespace

BOOL EnumPortsA(LPSTR /*name*/, DWORD level, LPBYTE ports, DWORD size, LPDWORD needed,
                LPDWORD returned) {
  if (level != 2) {
    SetLastError(kInvalidLevel);
    return FALSE;
  }
  const auto sections = nodexa::platform::ReadMachineSections(kSpoolerFile);
  if (const DWORD error = Fault(sections, "EnumPortsError")) {
    SetLastError(error);
    return FALSE;
  }
  std::vector<std::vector<std::string>> strings;
  std::vector<DWORD> types;
  for (const auto& section : sections) {
    if (!StartsWithNoCase(section.name, "Port ")) continue;
    strings.push_back({section.name.substr(5), section.Get("Monitor"), section.Get("Description")});
    types.push_back(Number(section.Get("Type")));
  }
  if (Fault(sections, "EnumPortsGrowEveryCall") != 0) {
    // A spooler whose port list grows between the two calls, every time.
    if (needed != nullptr) *needed = size + 1;
    if (returned != nullptr) *returned = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  size_t index = 0;
  return Pack<PORT_INFO_2A>(strings.size(), strings, ports, size, needed, returned,
                            [&](PORT_INFO_2A& port, const std::vector<std::string>& text,
                                auto& store) {
                              port.pPortName = store(text[0]);
                              port.pMonitorName = store(text[1]);
                              port.pDescription = store(text[2]);
                              port.fPortType = types[index++];
                            });
}

BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE printers, DWORD size,
                   LPDWORD needed, LPDWORD returned) {
  if (level != 2) {
    SetLastError(kInvalidLevel);
    return FALSE;
  }
  const auto sections = nodexa::platform::ReadMachineSections(kSpoolerFile);
  if (const DWORD error = Fault(sections, "EnumPrintersError")) {
    SetLastError(error);
    return FALSE;
  }
  const std::string server = name != nullptr ? name : "";
  std::vector<std::vector<std::string>> strings;
  std::vector<DWORD> attributes;
  for (const auto& section : sections) {
    if (!StartsWithNoCase(section.name, "Printer ")) continue;
    const std::string printerServer = section.Get("Server");
    const bool local = printerServer.empty();
    const bool listed = !server.empty() && (flags & PRINTER_ENUM_NAME) != 0
                            ? strcasecmp(printerServer.c_str(), server.c_str()) == 0
                            : local && (flags & PRINTER_ENUM_LOCAL) != 0;
    if (!listed) continue;
    const std::string printerName = section.name.substr(8);
    strings.push_back({printerServer, local ? printerName : printerServer + "\\" + printerName,
                       section.Get("Share"), section.Get("Port"), section.Get("Driver"),
                       section.Get("Comment"), section.Get("Location")});
    attributes.push_back(Number(section.Get("Attributes")));
  }
  size_t index = 0;
  return Pack<PRINTER_INFO_2A>(strings.size(), strings, printers, size, needed, returned,
                               [&](PRINTER_INFO_2A& printer,
                                   const std::vector<std::string>& text, auto& store) {
                                 printer.pServerName = text[0].empty() ? nullptr : store(text[0]);
                                 printer.pPrinterName = store(text[1]);
                                 printer.pShareName = store(text[2]);
                                 printer.pPortName = store(text[3]);
                                 printer.pDriverName = store(text[4]);
                                 printer.pComment = store(text[5]);
                                 printer.pLocation = store(text[6]);
                                 printer.Attributes = attributes[index++];
                               });
}
