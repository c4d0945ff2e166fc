#include "setup_medium.h"

#include "platform/path_split.h"
#include "platform/win32_api.h"

namespace nodexa {

namespace {

std::string& ExecutableDirectoryOverride() {
  static std::string directory;
  return directory;
}

ExecutableDirectorySource& DirectorySource() {
  static ExecutableDirectorySource source = nullptr;
  return source;
}

// The override, else the installed source's answer; "" for neither.
std::string NamedDirectory() {
  if (!ExecutableDirectoryOverride().empty()) return ExecutableDirectoryOverride();
  return DirectorySource() != nullptr ? DirectorySource()() : std::string();
}

}  // namespace

void SetExecutableDirectoryOverride(const std::string& directory) {
  ExecutableDirectoryOverride() = directory;
}

void SetExecutableDirectorySource(ExecutableDirectorySource source) { DirectorySource() = source; }

PathObject GetExecutableDirectory() {
  PathObject path;
  const std::string named = NamedDirectory();
  if (!named.empty()) {
    path.SetDirectory(named);
  } else {
    char module[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      path.SetFullPath(module);
      path.SetFileName("");
    }
  }
  if (!platform::IsAbsolutePath(path.GetDirectory())) return PathObject();
  return path;
}

PathObject GetSetupRoot() {
  const PathObject directory = GetExecutableDirectory();
  return directory.GetDirectory().empty() ? PathObject() : directory.Parent().Parent();
}

bool isBuild64() { return sizeof(void*) == 8; }

}  // namespace nodexa
