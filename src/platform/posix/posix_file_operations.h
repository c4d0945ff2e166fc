// Changing and removing files with the Windows calls. Paths are Windows
// style and found as NTFS finds them, without regard to the case of A to Z
// (path_case.h). Errors are Windows' codes: 2 for a missing file, 3 for a
// missing folder, 5 for anything the host refuses.
//
// A removal at the next restart is recorded where Windows records it: the
// REG_MULTI_SZ value PendingFileRenameOperations of
// HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager, as
// the pair "\??\<path>" and "" (that key must exist in registry.reg).
//
// Fault switch for tests: the fact FailDeleteFileA (a non-zero decimal code)
// makes every DeleteFileA fail with that code and leave the file.
#ifndef NODEXA_PLATFORM_POSIX_FILE_OPERATIONS_H_
#define NODEXA_PLATFORM_POSIX_FILE_OPERATIONS_H_

#include "posix_file_search.h"  // FILE_ATTRIBUTE_*, ERROR_PATH_NOT_FOUND
#include "posix_types.h"

constexpr DWORD MOVEFILE_DELAY_UNTIL_REBOOT = 0x4;

// FILE_ATTRIBUTE_READONLY takes the write permission away; without it the
// owner may write again. Other attributes are accepted and ignored.
BOOL SetFileAttributesA(LPCSTR path, DWORD attributes);
// Deletes a file; a folder is refused with 5.
BOOL DeleteFileA(LPCSTR path);
// Only the form the library uses: a null destination with
// MOVEFILE_DELAY_UNTIL_REBOOT records the removal of an existing file for
// the next restart; anything else fails with 87.
BOOL MoveFileExA(LPCSTR existing, LPCSTR destination, DWORD flags);

#endif  // NODEXA_PLATFORM_POSIX_FILE_OPERATIONS_H_
