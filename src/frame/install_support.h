// The functions of the install-support module ("*inst.dll") as the library
// calls them. Strings are NUL-terminated narrow text owned by the caller;
// results are 32-bit, 0 for success, anything else an error code.
#ifndef NODEXA_FRAME_INSTALL_SUPPORT_H_
#define NODEXA_FRAME_INSTALL_SUPPORT_H_

#include <cstdint>

namespace nodexa::inst {

using LifecycleFn = int32_t (*)();
// GetINAInfoQcs(port name as tagged text, buffer, size, &needed).
using GetINAInfoQcsFn = int32_t (*)(const char* port, char* buffer, uint32_t size,
                                    uint32_t* needed);
// CreateP2PPort and VerifySharedPrinter(system and share as tagged text).
using PrinterShareFn = int32_t (*)(const char* share);
// AddProgramFirewallException and RemoveProgramFirewallException(program
// path and display name as tagged text).
using ProgramExceptionFn = int32_t (*)(const char* program);
// EnableFirewallExceptionsQcs(one exception flag as tagged text).
using EnableExceptionsFn = int32_t (*)(const char* flag);
// CreateP2PExceptions(): may be missing from the module.
using CreateP2PExceptionsFn = int32_t (*)();
// GetScannerHostInfoQcs(buffer, size, &needed).
using GetScannerHostInfoFn = int32_t (*)(char* buffer, uint32_t size, uint32_t* needed);
// SetScannerHostInfoQcs(scanner host settings as tagged text).
using SetScannerHostInfoFn = int32_t (*)(const char* settings);

}  // namespace nodexa::inst

#endif  // NODEXA_FRAME_INSTALL_SUPPORT_H_
