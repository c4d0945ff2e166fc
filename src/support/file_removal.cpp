#include "file_removal.h"

#include <ostream>

#include "frame/debug_log.h"
#include "platform/win32_api.h"

namespace nodexa {

bool rebootRequired = false;

bool RemoveFile(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileA(path.c_str())) return true;
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
  if (!MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
    GetDebugLog() << "FileRemoval::RemoveFile: could not remove " << path << " (error " << error
                  << ", " << GetLastError() << ")" << std::endl;
    return false;
  }
  rebootRequired = true;
  return true;
}

}  // namespace nodexa
