// The one door to the operating system. Library code calls the Win32
// functions it is described with; on Windows they are the real thing, on
// POSIX the stand-ins of src/platform/posix implement the subset used here.
// Nothing else in the library includes <windows.h> or POSIX service headers.
#ifndef NODEXA_PLATFORM_WIN32_API_H_
#define NODEXA_PLATFORM_WIN32_API_H_

#if defined(_WIN32)
#include "windows/windows_api.h"
#else
#include "posix/posix_api.h"
#endif

#endif  // NODEXA_PLATFORM_WIN32_API_H_
