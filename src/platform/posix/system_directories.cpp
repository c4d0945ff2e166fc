#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "machine_facts.h"
#include "posix_paths.h"
#include "posix_system.h"

namespace {

// Fills the buffer the way the Windows directory calls do.
DWORD CopyDirectory(const std::string& directory, LPSTR buffer, DWORD size) {
  if (buffer == nullptr || directory.size() >= size) {
    return static_cast<DWORD>(directory.size() + 1);
  }
  std::memcpy(buffer, directory.c_str(), directory.size() + 1);
  return static_cast<DWORD>(directory.size());
}

}  // namespace

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
  return CopyDirectory(nodexa::platform::MachineWindowsDirectory(), buffer, size);
}

UINT GetSystemDirectoryA(LPSTR buffer, UINT size) {
  return CopyDirectory(nodexa::platform::MachineSystemDirectory(), buffer, size);
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  // Freed also when the conversion below throws.
  const std::unique_ptr<char, decltype(&std::free)> current(getcwd(nullptr, 0), &std::free);
  if (!current) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  return CopyDirectory(nodexa::platform::ToWindowsPath(current.get()), buffer, size);
}

DWORD GetTempPathA(DWORD size, LPSTR buffer) {
  const char* variable = std::getenv("TMPDIR");
  std::string directory = variable != nullptr && *variable != '\0' ? variable : "/tmp";
  directory = nodexa::platform::ToWindowsPath(directory);
  if (directory.back() != '\\') directory.push_back('\\');
  return CopyDirectory(directory, buffer, size);
}
