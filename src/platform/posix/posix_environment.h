// The process environment with the Windows calls.
#ifndef NODEXA_PLATFORM_POSIX_ENVIRONMENT_H_
#define NODEXA_PLATFORM_POSIX_ENVIRONMENT_H_

#include "posix_types.h"

constexpr DWORD ERROR_ENVVAR_NOT_FOUND = 203;

// The value's length without its NUL when it fits, else the size needed with
// the NUL; 0 (error 203) when the variable is not set.
DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);
// A null value removes the variable.
BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value);

#endif  // NODEXA_PLATFORM_POSIX_ENVIRONMENT_H_
