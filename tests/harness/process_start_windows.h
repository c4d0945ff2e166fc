// Starting a child process in the Windows build's tests. Wine 8 now and then
// fails CreateProcessA with ERROR_INTERNAL_ERROR (1359) while other programs
// of the prefix start up, so a failed start is tried twice more after a
// short pause; a program that cannot run fails all three.
#ifndef NODEXA_TESTS_HARNESS_PROCESS_START_WINDOWS_H_
#define NODEXA_TESTS_HARNESS_PROCESS_START_WINDOWS_H_

#include <string>

#include "frame/unique_handle.h"
#include "platform/win32_api.h"

namespace nodexa::test {

// Owners of the handles a start hands out: processes and threads (null when
// none), files (INVALID_HANDLE_VALUE when none).
struct ProcessHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type handle) { CloseHandle(handle); }
};
using UniqueProcessHandle = UniqueHandle<ProcessHandleTraits>;

struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type handle) { CloseHandle(handle); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

// CreateProcessA(nullptr, command, ..., inheritHandles, 0, ..., startup,
// process); false with GetLastError() of the last try when no try started.
bool StartProcess(std::string& command, bool inheritHandles, STARTUPINFOA& startup,
                  PROCESS_INFORMATION& process);

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_HARNESS_PROCESS_START_WINDOWS_H_
