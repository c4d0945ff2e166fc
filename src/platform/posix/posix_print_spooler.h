// The print spooler's port and printer enumeration with the Windows calls,
// answered from the machine folder's "spooler.ini" (docs/posix-machine.md).
// Level 2 only. Buffers follow the Windows layout: the records first, then
// the strings they point to; a short buffer fails with error 122 and the
// size needed.
#ifndef NODEXA_PLATFORM_POSIX_PRINT_SPOOLER_H_
#define NODEXA_PLATFORM_POSIX_PRINT_SPOOLER_H_

#include "posix_types.h"


struct PORT_INFO_2A {
  LPSTR pPortName;
  LPSTR pMonitorName;
  LPSTR pDescription;
  DWORD fPortType;
  DWORD Reserved;
};

struct PRINTER_INFO_2A {
  LPSTR pServerName;
  LPSTR pPrinterName;
  LPSTR pShareName;
  LPSTR pPortName;
  LPSTR pDriverName;
  LPSTR pComment;
  LPSTR pLocation;
  void* pDevMode;
  LPSTR pSepFile;
  LPSTR pPrintProcessor;
  LPSTR pDatatype;
  LPSTR pParameters;
  void* pSecurityDescriptor;
  DWORD Attributes;
  DWORD Priority;
  DWORD DefaultPriority;
  DWORD StartTime;
  DWORD UntilTime;
  DWORD Status;
  DWORD cJobs;
  DWORD AveragePPM;
};

constexpr DWORD PRINTER_ENUM_DEFAULT = 0x1;
constexpr DWORD PRINTER_ENUM_LOCAL = 0x2;
constexpr DWORD PRINTER_ENUM_CONNECTIONS = 0x4;
constexpr DWORD PRINTER_ENUM_NAME = 0x8;
constexpr DWORD PRINTER_ENUM_REMOTE = 0x10;
constexpr DWORD PRINTER_ENUM_SHARED = 0x20;
constexpr DWORD PRINTER_ENUM_NETWORK = 0x40;

constexpr DWORD PRINTER_ATTRIBUTE_SHARED = 0x8;
constexpr DWORD PRINTER_ATTRIBUTE_LOCAL = 0x40;
constexpr DWORD PRINTER_ATTRIBUTE_NETWORK = 0x10;

// `name` null or "" asks this machine; "\\computer" asks that computer.
BOOL EnumPortsA(LPSTR name, DWORD level, LPBYTE ports, DWORD size, LPDWORD needed,
                LPDWORD returned);
// PRINTER_ENUM_LOCAL lists this machine's printers; PRINTER_ENUM_NAME with a
// server name lists the printers that computer offers.
BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE printers, DWORD size,
                   LPDWORD needed, LPDWORD returned);

#endif  // NODEXA_PLATFORM_POSIX_PRINT_SPOOLER_H_
