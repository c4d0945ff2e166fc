// The print spooler's printers (EnumPrintersA, level 2) as values.
#ifndef NODEXA_SUPPORT_PRINTER_ENUMERATION_H_
#define NODEXA_SUPPORT_PRINTER_ENUMERATION_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nodexa {

struct PrinterRecord {
  std::string serverName;
  std::string printerName;
  std::string shareName;
  std::string portName;
  std::string driverName;
  uint32_t attributes = 0;
};

// The printers `flags` select on `server` ("" for this computer), in the
// spooler's order; nothing when the spooler cannot be asked.
std::optional<std::vector<PrinterRecord>> EnumeratePrinters(uint32_t flags,
                                                           const std::string& server);

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_PRINTER_ENUMERATION_H_
