// Nodexa: the network-support library of the Quorvex setup program.
//
// The setup program loads Nodexa.dll (libNodexa.so on Linux) and calls these
// sixteen functions one at a time on its own thread. Text arguments are
// NUL-terminated narrow strings in the ANSI code page; most carry several
// values separated by '|'. Results: 1 for success, 0 for failure (the reason
// goes to the diagnostic log switched on by SetupDebugLog), or a list of port
// records.
//
// The three list functions exchange the C++ runtime's own vector of strings.
// Caller and library must therefore share one C++ runtime: on Windows both
// link the same libstdc++-6.dll (mingw-w64) dynamically; on Linux both use the
// system's libstdc++.so.6.
#ifndef NODEXA_NODEXA_H_
#define NODEXA_NODEXA_H_

#include <cstdint>
#include <string>
#include <vector>

#if defined(_WIN32)
#if defined(NODEXA_BUILDING)
#define NODEXA_API
#else
#define NODEXA_API __declspec(dllimport)
#endif
#else
#define NODEXA_API __attribute__((visibility("default")))
#endif

using NodexaList = std::vector<std::string>;

extern "C" {

// Switches the diagnostic log to the file at `path` (appended to, created when
// a line is written); null or "" switches it off. Always returns 1.
NODEXA_API int32_t SetupDebugLog(const char* path);

// Port searches. FindPorts and FindAllPorts return the library's own list,
// valid until the next port search; FindAllPortsFiltered returns a new list
// that the caller deletes.
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
