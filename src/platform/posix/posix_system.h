// System directories, names and measurements with the Windows calls. The
// machine folder's facts decide them where set (docs/posix-machine.md);
// otherwise the Windows and system directories have their usual places
// (C:\Windows, C:\Windows\system32) and everything else is the host's own:
// the current and temporary folders in backslash form, the host and user
// name, the memory and free disk space.
#ifndef NODEXA_PLATFORM_POSIX_SYSTEM_H_
#define NODEXA_PLATFORM_POSIX_SYSTEM_H_

#include "posix_types.h"

constexpr DWORD ERROR_BUFFER_OVERFLOW = 111;
constexpr DWORD MAX_COMPUTERNAME_LENGTH = 15;

// The four directory calls answer the length without the NUL when the
// directory fits in `size` characters, else the size needed with the NUL
// (and leave the buffer alone).
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
UINT GetSystemDirectoryA(LPSTR buffer, UINT size);
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);
// The host's temporary folder ($TMPDIR or /tmp), ending in a backslash.
DWORD GetTempPathA(DWORD size, LPSTR buffer);

// `*size` is the buffer's size in characters. On success it becomes the
// name's length without the NUL; too small a buffer fails with 111 and the
// size needed with the NUL.
BOOL GetComputerNameA(LPSTR buffer, LPDWORD size);
// As GetComputerNameA, but success counts the NUL and a short buffer fails
// with 122.
BOOL GetUserNameA(LPSTR buffer, LPDWORD size);

struct MEMORYSTATUS {
  DWORD dwLength;
  DWORD dwMemoryLoad;
  SIZE_T dwTotalPhys;
  SIZE_T dwAvailPhys;
  SIZE_T dwTotalPageFile;
  SIZE_T dwAvailPageFile;
  SIZE_T dwTotalVirtual;
  SIZE_T dwAvailVirtual;
};
using LPMEMORYSTATUS = MEMORYSTATUS*;

// Total physical memory from the fact "PhysicalMemoryMB", else the host's.
void GlobalMemoryStatus(LPMEMORYSTATUS status);

union ULARGE_INTEGER {
  struct {
    DWORD LowPart;
    DWORD HighPart;
  } u;
  ULONGLONG QuadPart;
};
using PULARGE_INTEGER = ULARGE_INTEGER*;

// A drive path ("C:\...", any letter) measures the host's root; any other
// path is a host path in backslash form and must exist (else error 3). The
// fact "FreeDiskSpaceMB" replaces the free and available figures. Each
// output may be null.
BOOL GetDiskFreeSpaceExA(LPCSTR directory, PULARGE_INTEGER availableToCaller,
                         PULARGE_INTEGER totalBytes, PULARGE_INTEGER freeBytes);

#endif  // NODEXA_PLATFORM_POSIX_SYSTEM_H_
