// Windows side of the platform seam: the system headers plus the few helpers
// the POSIX side also provides under the same names.
#ifndef NODEXA_PLATFORM_WINDOWS_API_H_
#define NODEXA_PLATFORM_WINDOWS_API_H_

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
// Winsock 2 before <windows.h>, which would otherwise bring in the old
// winsock.h: the address helpers inet_addr and ntohl (ws2_32).
#include <winsock2.h>

#include <windows.h>
// The spooler's calls; WIN32_LEAN_AND_MEAN leaves them out of <windows.h>.
#include <winspool.h>

#include "../open_file.h"
#include "../path_split.h"
#include "../wmi_query.h"

#endif  // NODEXA_PLATFORM_WINDOWS_API_H_
