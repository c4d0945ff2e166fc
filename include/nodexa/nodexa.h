// Nodexa: the network-support library of the Quorvex setup program.
//
// The setup program loads Nodexa.dll (libNodexa.so on Linux) and calls these
// sixteen functions one at a time on its own thread. Calls made from several
// threads at once are run one after another (the library takes one lock);
// FindPorts and FindAllPorts answer the one shared list, which the next port
// search, on any thread, replaces. Text arguments are
// NUL-terminated narrow strings in the ANSI code page; most carry several
// values separated by '|'. Results: 1 for success, 0 for failure (the reason
// goes to the diagnostic log switched on by SetupDebugLog), or a list of port
// records.
//
// The three list functions exchange the setup program's C++ runtime's vector
// of strings: msvcp60.dll's layout on Windows, libstdc++'s on Linux.
// port_list.h defines it and nodexa::PortList, which builds and reads it.
#ifndef NODEXA_NODEXA_H_
#define NODEXA_NODEXA_H_

#include <cstdint>

#include "nodexa/port_list.h"

#if defined(_WIN32)
#if defined(NODEXA_BUILDING)
#define NODEXA_API
#else
#define NODEXA_API __declspec(dllimport)
#endif
#else
#define NODEXA_API __attribute__((visibility("default")))
#endif

extern "C" {

// Switches the diagnostic log to the file at `path` (appended to, created when
// a line is written); null or "" switches it off. Always returns 1.
NODEXA_API int32_t SetupDebugLog(const char* path);

// Port searches. FindPorts and FindAllPorts return the library's own list,
// valid until the next port search; FindAllPortsFiltered returns a new list
// that the caller deletes (PortList::Adopt). A request list that does not
// describe a list (pointers out of order, a length beyond its storage) is
// refused: FindPorts and FindAllPorts answer an empty list,
// FindAllPortsFiltered null.
NODEXA_API NodexaList* FindPorts(const NodexaList* request);
NODEXA_API NodexaList* FindAllPorts(const NodexaList* request);
NODEXA_API NodexaList* FindAllPortsFiltered(const NodexaList* arguments);

// Network configuration.
NODEXA_API int32_t ConfigurePortIP(const char* values);
NODEXA_API int32_t RegisterNetworkSubnets(const char* values);
NODEXA_API int32_t CreateP2PPortIP(const char* values);
NODEXA_API int32_t VerifySharedPrinterExists(const char* values);
NODEXA_API int32_t AddFirewallException(const char* values);
NODEXA_API int32_t RemoveFirewallException(void);

// Internal network adapter questions.
NODEXA_API int32_t IsINAAttached(const char* values);
NODEXA_API int32_t IsINADefault(const char* values);
NODEXA_API int32_t DoesINAPrinterExists(const char* values);

// Scan-to-computer registration and text validation; their answers are
// written as registry values below a key of HKEY_LOCAL_MACHINE.
NODEXA_API int32_t GetScannerRegisterInfo(const char* values);
NODEXA_API int32_t SetScannerRegisterInfo(const char* values);
NODEXA_API int32_t ValidateUnicodeString(const char* values);

}  // extern "C"

#endif  // NODEXA_NODEXA_H_
