#include "harness/process_start_windows.h"

namespace nodexa::test {

bool StartProcess(std::string& command, bool inheritHandles, STARTUPINFOA& startup,
                  PROCESS_INFORMATION& process) {
  constexpr DWORD kPauses[] = {200, 1000};
  for (int attempt = 0;; ++attempt) {
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, inheritHandles ? TRUE : FALSE, 0,
                       nullptr, nullptr, &startup, &process)) {
      return true;
    }
    if (attempt == 2) return false;
    const DWORD error = GetLastError();
    Sleep(kPauses[attempt]);
    SetLastError(error);
  }
}

}  // namespace nodexa::test
