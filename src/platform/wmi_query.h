// The one question the library asks Windows Management Instrumentation: the
// first processor's clock. Windows asks WMI through COM; the POSIX side has
// no WMI and answers as a Windows machine does where COM cannot start.
#ifndef NODEXA_PLATFORM_WMI_QUERY_H_
#define NODEXA_PLATFORM_WMI_QUERY_H_

#include <cstdint>

namespace nodexa::platform {

// Initialises COM for the calling thread, sets the process's default
// security (impersonation), connects to "root\cimv2", reads "MaxClockSpeed"
// of the object "Win32_Processor=\"cpu0\"" and uninitialises COM again.
// True with `megahertz` set when every step succeeded; false, with
// `megahertz` untouched, at the first step that fails.
bool QueryProcessorClockWmi(uint32_t& megahertz);

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_WMI_QUERY_H_
