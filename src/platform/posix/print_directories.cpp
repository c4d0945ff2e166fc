#include <strings.h>

#include <cstring>
#include <string>

#include "machine_facts.h"
#include "posix_print_directories.h"

namespace {

bool LocalServer(LPCSTR server) {
  std::string name = server != nullptr ? server : "";
  while (!name.empty() && name.front() == '\\') name.erase(name.begin());
  return name.empty() ||
         strcasecmp(name.c_str(), nodexa::platform::MachineComputerName().c_str()) == 0;
}

bool CurrentEnvironment(LPCSTR environment) {
  return environment == nullptr || *environment == '\0' ||
         strcasecmp(environment, "Windows x64") == 0;
}

BOOL AnswerDirectory(const std::string& directory, LPSTR server, LPSTR environment, DWORD level,
                     LPBYTE buffer, DWORD size, LPDWORD needed) {
  DWORD error = ERROR_SUCCESS;
  if (needed == nullptr) {
    error = ERROR_INVALID_PARAMETER;
  } else if (!LocalServer(server)) {
    error = RPC_S_SERVER_UNAVAILABLE;
  } else if (!CurrentEnvironment(environment)) {
    error = ERROR_INVALID_ENVIRONMENT;
  } else if (level != 1) {
    error = ERROR_INVALID_LEVEL;
  } else {
    *needed = static_cast<DWORD>(directory.size() + 1);
    if (buffer == nullptr || size < *needed) error = ERROR_INSUFFICIENT_BUFFER;
  }
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  std::memcpy(buffer, directory.c_str(), directory.size() + 1);
  return TRUE;
}

}  // namespace

BOOL GetPrinterDriverDirectoryA(LPSTR server, LPSTR environment, DWORD level, LPBYTE directory,
                                DWORD size, LPDWORD needed) {
  return AnswerDirectory(nodexa::platform::MachinePrinterDriverDirectory(), server, environment,
                         level, directory, size, needed);
}

BOOL GetPrintProcessorDirectoryA(LPSTR server, LPSTR environment, DWORD level, LPBYTE directory,
                                 DWORD size, LPDWORD needed) {
  return AnswerDirectory(nodexa::platform::MachinePrintProcessorDirectory(), server, environment,
                         level, directory, size, needed);
}
