// The device-installation services with their Windows types, constants and
// layouts: what SetupApi.dll, newdev.dll and cfgmgr32.dll offer to the
// library. Nothing here is linked; the library binds these functions at run
// time from the modules of those names (on POSIX the stand-ins built under
// modules/, which answer from the machine folder's devices.ini, see
// docs/posix-machine.md). The sizes match 64-bit Windows.
#ifndef NODEXA_PLATFORM_POSIX_SETUPAPI_H_
#define NODEXA_PLATFORM_POSIX_SETUPAPI_H_

#include "posix_file_search.h"
#include "posix_locale.h"  // ERROR_INVALID_FLAGS
#include "posix_registry.h"
#include "posix_types.h"

#ifndef WINAPI
#define WINAPI
#endif

using ULONG = uint32_t;
using PULONG = ULONG*;
using ULONG_PTR = uintptr_t;
using PBOOL = BOOL*;
using PDWORD = DWORD*;
using PBYTE = BYTE*;
using PUINT = UINT*;
using PCSTR = const char*;
using PSTR = char*;
using PVOID = void*;

struct HWND__;
using HWND = HWND__*;

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
using LPGUID = GUID*;

// A device-information set; INVALID_HANDLE_VALUE when none could be made.
using HDEVINFO = PVOID;
// An opened setup-information file; INVALID_HANDLE_VALUE on failure.
using HINF = PVOID;
using DI_FUNCTION = UINT;

struct SP_DEVINFO_DATA {
  DWORD cbSize;  // sizeof(SP_DEVINFO_DATA), set by the caller
  GUID ClassGuid;
  DWORD DevInst;
  ULONG_PTR Reserved;
};
using PSP_DEVINFO_DATA = SP_DEVINFO_DATA*;

// Device registry properties.
constexpr DWORD SPDRP_DEVICEDESC = 0x00;
constexpr DWORD SPDRP_HARDWAREID = 0x01;
constexpr DWORD SPDRP_COMPATIBLEIDS = 0x02;
constexpr DWORD SPDRP_CLASS = 0x07;
constexpr DWORD SPDRP_CLASSGUID = 0x08;
constexpr DWORD SPDRP_CONFIGFLAGS = 0x0A;
constexpr DWORD SPDRP_ENUMERATOR_NAME = 0x16;

// SetupDiGetClassDevsA flags.
constexpr DWORD DIGCF_DEFAULT = 0x01;
constexpr DWORD DIGCF_PRESENT = 0x02;
constexpr DWORD DIGCF_ALLCLASSES = 0x04;
constexpr DWORD DIGCF_PROFILE = 0x08;
constexpr DWORD DIGCF_DEVICEINTERFACE = 0x10;

// SetupDiOpenDevRegKey scope and key type.
constexpr DWORD DICS_FLAG_GLOBAL = 0x01;
constexpr DWORD DICS_FLAG_CONFIGSPECIFIC = 0x02;
constexpr DWORD DIREG_DEV = 0x01;
constexpr DWORD DIREG_DRV = 0x02;

// Class-installer functions.
constexpr DI_FUNCTION DIF_REMOVE = 0x05;
constexpr DI_FUNCTION DIF_REGISTERDEVICE = 0x19;

constexpr DWORD DICD_GENERATE_ID = 0x01;
constexpr DWORD INF_STYLE_WIN4 = 0x02;
constexpr DWORD MAX_CLASS_NAME_LEN = 32;

// Errors of the setup services.
constexpr DWORD ERROR_INVALID_DATA = 13;
constexpr DWORD ERROR_CANCELLED = 1223;
constexpr DWORD ERROR_UNKNOWN_PORT = 1796;
constexpr DWORD ERROR_INVALID_USER_BUFFER = 1784;
constexpr DWORD ERROR_INVALID_CLASS = 0xE0000206;
constexpr DWORD ERROR_CLASS_MISMATCH = 0xE0000201;
constexpr DWORD ERROR_NO_SUCH_DEVINST = 0xE000020B;

// Configuration manager.
using DEVINST = DWORD;
using CONFIGRET = DWORD;
constexpr CONFIGRET CR_SUCCESS = 0x00;
constexpr CONFIGRET CR_INVALID_POINTER = 0x03;
constexpr CONFIGRET CR_NO_SUCH_DEVNODE = 0x0D;
constexpr CONFIGRET CR_NO_SUCH_DEVINST = CR_NO_SUCH_DEVNODE;

constexpr ULONG DN_ROOT_ENUMERATED = 0x00000001;
constexpr ULONG DN_DRIVER_LOADED = 0x00000002;
constexpr ULONG DN_STARTED = 0x00000008;
constexpr ULONG DN_HAS_PROBLEM = 0x00000400;

#endif  // NODEXA_PLATFORM_POSIX_SETUPAPI_H_
