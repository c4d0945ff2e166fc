#include "printer_enumeration.h"

#include "frame/sized_buffer.h"
#include "platform/win32_api.h"

namespace nodexa {

namespace {
std::string Text(const char* text) { return text != nullptr ? text : ""; }
}  // namespace

std::optional<std::vector<PrinterRecord>> EnumeratePrinters(uint32_t flags,
                                                           const std::string& server) {
  std::vector<char> name(server.begin(), server.end());
  name.push_back('\0');
  DWORD count = 0;
  const auto buffer = CallWithSizedBuffer([&](uint8_t* data, uint32_t size, uint32_t* needed) {
    DWORD wanted = 0;
    const BOOL ok = EnumPrintersA(flags, server.empty() ? nullptr : name.data(), 2, data, size,
                                  &wanted, &count);
    *needed = wanted;
    return ok != FALSE;
  });
  if (!buffer) return std::nullopt;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer->data());
  std::vector<PrinterRecord> records;
  records.reserve(count);
  for (DWORD i = 0; i < count; ++i) {
    const PRINTER_INFO_2A& printer = printers[i];
    records.push_back({Text(printer.pServerName), Text(printer.pPrinterName),
                       Text(printer.pShareName), Text(printer.pPortName),
                       Text(printer.pDriverName), printer.Attributes});
  }
  return records;
}

}  // namespace nodexa
