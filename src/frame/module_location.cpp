#include "module_location.h"

#include <ostream>

#include "debug_log.h"
#include "path_object.h"
#include "platform/win32_api.h"
#include "setup_medium.h"
#include "string_toolkit.h"
#include "platform_handles.h"

namespace nodexa {

namespace {

// FindInModuleFolder, logging `message` under `tag` when nothing matches.
std::string FindModule(const char* pattern, const char* tag, const char* message,
                       std::string& fileName) {
  std::string found = FindInModuleFolder(pattern, fileName);
  if (found.empty()) NodexaLog(tag) << message << std::endl;
  return found;
}

}  // namespace

std::string FindInModuleFolder(const std::string& pattern, std::string& fileName) {
  const PathObject root = GetSetupRoot();
  if (root.GetDirectory().empty()) return std::string();
  PathObject search;
  search.SetDirectory(root.GetDirectory());
  search.AppendDirectory("Common");
  search.AppendDirectory(isBuild64() ? "x64" : "x86");
  search.SetFileName(pattern);
  const std::string full = search.FullPath();

  // The platform takes at most MAX_PATH characters with the terminator; a
  // longer search path can match nothing the library could load.
  if (full.size() < MAX_PATH) {
    WIN32_FIND_DATAA found{};
    UniqueFind handle(FindFirstFileA(full.c_str(), &found));
    if (handle) {
      fileName = found.cFileName;
      search.SetFileName(fileName);
      return search.FullPath();
    }
  }
  return std::string();
}

bool GetHCPDLLFilePath(std::string& path) {
  std::string fileName;
  const std::string found = FindModule("*hcp.dll", "GetHCPDLLFilePath:",
                                       "Cannot find the file xxxxhcp.dll", fileName);
  if (found.empty()) return false;
  path = found;
  return true;
}

bool GetInstallDLLFilePath(std::string& path, std::string& prefix) {
  std::string fileName;
  const std::string found = FindModule("*inst.dll", "GetInstallDLLFilePath:",
                                       "Cannot find the file xxxxinst.dll", fileName);
  if (found.empty()) return false;
  path = found;
  prefix = ModulePrefix(fileName);
  return true;
}

std::string ModulePrefix(const std::string& fileName) { return Left(fileName, 4); }

}  // namespace nodexa
