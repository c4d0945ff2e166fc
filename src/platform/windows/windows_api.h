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
// Before windows.h, which would otherwise bring in the older winsock.h.
#include <winsock2.h>
#include <windows.h>
// The spooler's calls; WIN32_LEAN_AND_MEAN leaves them out of <windows.h>.
#include <winspool.h>
// The device-installation services' types and constants. Their functions
// are bound at run time, so nothing is linked for them.
#include <cfgmgr32.h>
#include <newdev.h>
#include <setupapi.h>

#include "../open_file.h"
#include "../path_split.h"
#include "../wmi_query.h"

#endif  // NODEXA_PLATFORM_WINDOWS_API_H_
