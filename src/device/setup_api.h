// The device-installation functions Device binds at run time, as function
// pointer types with the platform's signatures: twelve from SetupApi.dll,
// one each from newdev.dll and cfgmgr32.dll. The types and constants they
// use come from the platform seam (the SDK headers on Windows).
#ifndef NODEXA_DEVICE_SETUP_API_H_
#define NODEXA_DEVICE_SETUP_API_H_

#include "platform/win32_api.h"

namespace nodexa::setupapi {

using SetupDiGetINFClassAFn = BOOL(WINAPI*)(PCSTR infName, LPGUID classGuid, PSTR className,
                                            DWORD classNameSize, PDWORD requiredSize);
using SetupDiEnumDeviceInfoFn = BOOL(WINAPI*)(HDEVINFO set, DWORD index, PSP_DEVINFO_DATA data);
using SetupDiCreateDeviceInfoAFn = BOOL(WINAPI*)(HDEVINFO set, PCSTR deviceName,
                                                 const GUID* classGuid, PCSTR description,
                                                 HWND parent, DWORD creationFlags,
                                                 PSP_DEVINFO_DATA data);
using SetupDiCreateDeviceInfoListFn = HDEVINFO(WINAPI*)(const GUID* classGuid, HWND parent);
using SetupDiDestroyDeviceInfoListFn = BOOL(WINAPI*)(HDEVINFO set);
using SetupDiGetClassDevsAFn = HDEVINFO(WINAPI*)(const GUID* classGuid, PCSTR enumerator,
                                                 HWND parent, DWORD flags);
using SetupDiCallClassInstallerFn = BOOL(WINAPI*)(DI_FUNCTION function, HDEVINFO set,
                                                  PSP_DEVINFO_DATA data);
using SetupDiGetDeviceRegistryPropertyAFn = BOOL(WINAPI*)(HDEVINFO set, PSP_DEVINFO_DATA data,
                                                          DWORD property, PDWORD valueType,
                                                          PBYTE buffer, DWORD bufferSize,
                                                          PDWORD requiredSize);
using SetupDiSetDeviceRegistryPropertyAFn = BOOL(WINAPI*)(HDEVINFO set, PSP_DEVINFO_DATA data,
                                                          DWORD property, const BYTE* buffer,
                                                          DWORD bufferSize);
using SetupOpenInfFileAFn = HINF(WINAPI*)(PCSTR fileName, PCSTR infClass, DWORD infStyle,
                                          PUINT errorLine);
using SetupCloseInfFileFn = void(WINAPI*)(HINF inf);
using SetupDiOpenDevRegKeyFn = HKEY(WINAPI*)(HDEVINFO set, PSP_DEVINFO_DATA data, DWORD scope,
                                             DWORD hardwareProfile, DWORD keyType, REGSAM desired);

using UpdateDriverForPlugAndPlayDevicesAFn = BOOL(WINAPI*)(HWND parent, LPCSTR hardwareId,
                                                           LPCSTR fullInfPath, DWORD installFlags,
                                                           PBOOL rebootRequired);

using CM_Get_DevNode_StatusFn = CONFIGRET(WINAPI*)(PULONG status, PULONG problemNumber,
                                                   DEVINST devInst, ULONG flags);

}  // namespace nodexa::setupapi

#endif  // NODEXA_DEVICE_SETUP_API_H_
