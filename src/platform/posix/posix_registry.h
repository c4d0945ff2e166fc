// The registry with the Windows calls, over the machine folder's
// "registry.reg" (REGEDIT4 text, see docs/posix-machine.md).
//
// Every call reads the file afresh, so a test or a person editing it is seen
// at once; every change rewrites it whole through a temporary file and a
// rename, so the file is never half-written, holding a lock shared with other
// processes from reading to renaming, so no change is lost. A file no one may
// write refuses changes with ERROR_ACCESS_DENIED, as does a registry without
// a machine folder, which is empty.
//
// What the library relies on is kept as Windows has it: 2 for a missing key
// or value, 234 (ERROR_MORE_DATA) and the needed size for a short buffer,
// 259 past the last sub-key, 5 for deleting a key that still has sub-keys,
// names compared without regard to case, sub-keys listed in name order.
// HKEY_CLASSES_ROOT is the machine-wide HKEY_LOCAL_MACHINE\SOFTWARE\Classes.
// Keys opened here are handles of this process, released by RegCloseKey; a
// handle whose key was deleted answers 1018 (ERROR_KEY_DELETED).
#ifndef NODEXA_PLATFORM_POSIX_REGISTRY_H_
#define NODEXA_PLATFORM_POSIX_REGISTRY_H_

#include <cstddef>

#include "posix_types.h"

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
struct FILETIME;
using PFILETIME = FILETIME*;

// The predefined keys, with the values Windows gives them.
inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(uintptr_t{0xFFFFFFFF80000000u});
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t{0xFFFFFFFF80000001u});
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t{0xFFFFFFFF80000002u});
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(uintptr_t{0xFFFFFFFF80000003u});
inline HKEY const HKEY_CURRENT_CONFIG = reinterpret_cast<HKEY>(uintptr_t{0xFFFFFFFF80000005u});

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
constexpr REGSAM MAXIMUM_ALLOWED = 0x02000000;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

constexpr DWORD ERROR_BAD_NETPATH = 53;
constexpr DWORD ERROR_BAD_PATHNAME = 161;
constexpr DWORD ERROR_REGISTRY_IO_FAILED = 1016;
constexpr DWORD ERROR_KEY_DELETED = 1018;

// A null or empty machine name, or the local computer's own name (with or
// without leading backslashes), gives `key` itself; any other computer is
// unreachable (53).
LONG RegConnectRegistryA(LPCSTR machineName, HKEY key, PHKEY result);
// A null or empty sub-key gives `key` itself, as on Windows.
LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result);
// A null or empty sub-key gives a predefined `key` itself and a new handle to
// an opened one. A leading backslash is 161 (except below HKEY_CLASSES_ROOT,
// which allows one); empty components between backslashes are skipped.
LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
// Null or empty value name: the key's default value.
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize);
LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize);
// Lengths of names are in characters without the NUL; data sizes in bytes.
// Keys have no class and no security descriptor here (both report 0).
LONG RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classSize, LPDWORD reserved,
                      LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                      LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                      LPDWORD securityDescriptorSize, PFILETIME lastWriteTime);
// A name buffer of `*nameSize` characters too short for the name and its NUL
// gives 234 and leaves `*nameSize` as it was.
LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                   LPSTR className, LPDWORD classSize, PFILETIME lastWriteTime);
// Deletes a key without sub-keys (5 when it has some; roots are never deleted).
LONG RegDeleteKeyA(HKEY key, LPCSTR subKey);
// Predefined keys are accepted and stay usable; unknown handles give 6.
LONG RegCloseKey(HKEY key);

namespace nodexa::platform {

// How many keys this process has open and not yet closed (predefined keys
// never count). Lets tests prove that every handle opened is released.
size_t OpenRegistryKeyCount();

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_POSIX_REGISTRY_H_
