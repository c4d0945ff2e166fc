// Win32 base types with their Windows sizes. WCHAR is a 16-bit unit, as in
// the Windows layout that crosses into companion modules, never wchar_t.
#ifndef NODEXA_PLATFORM_POSIX_TYPES_H_
#define NODEXA_PLATFORM_POSIX_TYPES_H_

#include <cstddef>
#include <cstdint>

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using HANDLE = void*;
using LONG = int32_t;
using UINT = uint32_t;
using BOOL = int32_t;
using WCHAR = char16_t;
using CHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPBOOL = BOOL*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using ULONGLONG = uint64_t;
using SIZE_T = size_t;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_INVALID_LEVEL = 124;
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
constexpr DWORD ERROR_NOACCESS = 998;
constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

constexpr DWORD MAX_PATH = 260;

// The calling thread's last error, as GetLastError reports it.
DWORD GetLastError();
void SetLastError(DWORD code);

#endif  // NODEXA_PLATFORM_POSIX_TYPES_H_
